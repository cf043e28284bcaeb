// orvane-report: prints a race of an application folder as JSON (or its leg table as CSV),
// loaded exactly as orvane loads it, for coaches' spreadsheets and scripts.
#include "racereport.h"

#include <appfolder.h>
#include <dialogs.h>
#include <racecontrolfile.h>
#include <raceloader.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>

#include <cstdio>

namespace {

const char Usage[] =
    "Usage: orvane-report [--csv] [--points] [--strict] APPFOLDER RACE\n"
    "\n"
    "Loads a race of an orvane application folder as orvane does and prints it as JSON:\n"
    "the race (times, marks, lines, course), every boat with its passing times and distances\n"
    "at each course entry, the chart extent, the reference speed, the leader times, the Data\n"
    "page's leg figures and the sail legs of the sail data export.\n"
    "\n"
    "  APPFOLDER  the folder holding raceadmin, gpsdat, winddat ...\n"
    "  RACE       a race control file in APPFOLDER/raceadmin, or a track file in\n"
    "             APPFOLDER/gpsdat shown alone as one boat\n"
    "  --csv      print the leg table as CSV instead: per boat the passing time, accumulated\n"
    "             distance and speed at each entry, then time, distance and speed by leg\n"
    "  --points   add each boat's track points as [time, lat, lon, distance, speed, course]\n"
    "  --strict   exit with status 1 when any file of the race has a problem\n"
    "  --help     print this text\n"
    "\n"
    "Times are seconds from the start time (negative before it), positions minutes of arc\n"
    "(degrees x 60, north and east positive), distances nautical miles (leg figures metres),\n"
    "speeds knots. A passing time of 0 means not passed; a leader time of 1000000 means no\n"
    "boat qualified. Messages of the load go to standard error, one line each, and so does\n"
    "every problem found in the race's files, as FILE:LINE: what (FILE relative to\n"
    "APPFOLDER; FILE: what for a file as a whole). The race is still printed, and the exit\n"
    "status is 0, unless --strict is given.\n";

// Load messages as lines on standard error, counted so that a failed load is not reported twice.
class CountingStderrDialogs : public platform::StderrDialogs
{
public:
    int count = 0;
    void message(const QString &text, const QString &caption = {}) override
    {
        ++count;
        platform::StderrDialogs::message(text, caption);
    }
};

int fail(const QString &message)
{
    std::fprintf(stderr, "orvane-report: %s\n", qPrintable(message));
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    bool csv = false, points = false, strict = false;
    QStringList positional;
    const QStringList args = app.arguments().mid(1);
    for (const QString &a : args) {
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            std::fputs(Usage, stdout);
            return 0;
        }
        if (a == QLatin1String("--csv"))
            csv = true;
        else if (a == QLatin1String("--points"))
            points = true;
        else if (a == QLatin1String("--strict"))
            strict = true;
        else if (a.startsWith(QLatin1String("--")))
            return fail(QStringLiteral("unknown option %1 (see --help)").arg(a));
        else
            positional << a;
    }
    if (positional.size() != 2)
        return fail(QStringLiteral("expected APPFOLDER and RACE (see --help)"));

    const QFileInfo folder(positional[0]);
    if (!folder.isDir())
        return fail(QStringLiteral("%1 is not a folder").arg(positional[0]));
    const QString appFolder = QDir::cleanPath(folder.absoluteFilePath());
    const QString name = positional[1];
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return fail(QStringLiteral("RACE must be a file name in raceadmin or gpsdat, not a path"));

    CountingStderrDialogs stderrDialogs;
    platform::DialogsGuard guard(&stderrDialogs);

    AppSettings settings;
    settings.ApplicationFolder = appFolder;
    settings.setLanguage(readInterfaceLanguage(appFolder));
    platform::setDefaultCaption(settings.ProgramTitle);
    // Viewing only: loading must never write the race control file.
    settings.EditMode = false;

    RaceControl race;
    if (platform::fileExists(appFolder, QStringLiteral("raceadmin/") + name)) {
        race.FileName = name;
    } else if (platform::fileExists(appFolder, QStringLiteral("gpsdat/") + name)) {
        settings.SingleTrackFile = name;
    } else {
        return fail(QStringLiteral("no race control file %1 in %2/raceadmin and no track file of that name in %2/gpsdat")
                        .arg(name, appFolder));
    }

    RaceData data;
    const LoadResult loaded = LoadRace(settings, race, data);
    for (const FileProblem &p : loaded.problems)
        std::fprintf(stderr, "%s\n", p.toString(settings.Language).toUtf8().constData());
    if (!loaded.ok) {
        if (stderrDialogs.count == 0)
            std::fprintf(stderr, "orvane-report: cannot load %s\n", qPrintable(name));
        return 1;
    }

    const RaceReport report = buildRaceReport(race, data, settings.ReferenceSpeed, settings.SingleTrackFile);
    if (csv) {
        for (const QString &line : reportCsv(report))
            std::fprintf(stdout, "%s\n", line.toUtf8().constData());
    } else {
        ReportOptions options;
        options.points = points;
        const QByteArray json = QJsonDocument(reportJson(report, options)).toJson(QJsonDocument::Indented);
        std::fwrite(json.constData(), 1, size_t(json.size()), stdout);
    }
    if (std::fflush(stdout) != 0)
        return 1;
    return strict && !loaded.problems.isEmpty() ? 1 : 0;
}
