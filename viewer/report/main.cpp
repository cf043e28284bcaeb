// orvane2007-report: loads a race of an application folder exactly as the viewer orvane2007
// does and prints it as JSON, and writes the viewer's Google Earth documents on request.
#include "viewerreport.h"

#include <boatstate.h>
#include <kmlwriter.h>
#include <viewersession.h>
#include <viewertexts.h>

#include <appfolder.h>
#include <system.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>

#include <cstdio>

namespace {

const char Usage[] =
    "Usage: orvane2007-report [--samples] [--coast] [--kml-race FILE] [--kml-scene SECONDS FILE] APPFOLDER RACE\n"
    "\n"
    "Loads a race of an orvane application folder as the viewer orvane2007 loads it and prints\n"
    "it as JSON: the race (times, period, marks, lines, course, note, title), every boat with its\n"
    "offset, samples, mean sampling interval, passing times at each course element and rank, the\n"
    "leaders, the maximum speed, the extent, the daylight times and the coast files.\n"
    "\n"
    "  APPFOLDER          the folder holding raceadmin, gpsdat, winddat, coastline ...\n"
    "  RACE               a race control file in APPFOLDER/raceadmin\n"
    "  --samples          add each boat's samples as [time, lat, lon, speed, course]\n"
    "  --coast            add the coast lines of the race area as polylines of [lat, lon]\n"
    "  --kml-race FILE    write the whole-race Google Earth document to FILE\n"
    "  --kml-scene SECONDS FILE\n"
    "                     write the scene at SECONDS from the start to FILE\n"
    "  --help             print this text\n"
    "\n"
    "Times are seconds from the start time (negative before it), positions minutes of arc\n"
    "(degrees x 60, north and east positive), speeds knots. A passing time of 1000000 means not\n"
    "passed. Every line the viewer skipped or could not read is printed on standard error as\n"
    "FILE:LINE: what. The texts follow the user's locale as the viewer's do.\n";

int fail(const QString &message, int code = 2)
{
    std::fprintf(stderr, "orvane2007-report: %s\n", qPrintable(message));
    return code;
}

bool writeKml(const QString &path, const QStringList &lines)
{
    QString error;
    if (!writeKmlFile(QFileInfo(path).absoluteFilePath(), kmlBytes(lines), &error)) {
        fail(error, 1);
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    bool samples = false, coast = false;
    QString kmlRace, kmlScene;
    double sceneTime = 0.0;
    QStringList positional;
    const QStringList args = app.arguments().mid(1);
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            std::fputs(Usage, stdout);
            return 0;
        }
        if (a == QLatin1String("--samples")) {
            samples = true;
        } else if (a == QLatin1String("--coast")) {
            coast = true;
        } else if (a == QLatin1String("--kml-race")) {
            if (i + 1 >= args.size())
                return fail(QStringLiteral("--kml-race needs a FILE (see --help)"));
            kmlRace = args[++i];
        } else if (a == QLatin1String("--kml-scene")) {
            if (i + 2 >= args.size())
                return fail(QStringLiteral("--kml-scene needs SECONDS and FILE (see --help)"));
            bool ok = false;
            sceneTime = args[++i].toDouble(&ok);
            if (!ok)
                return fail(QStringLiteral("--kml-scene: %1 is not a number of seconds").arg(args[i]));
            kmlScene = args[++i];
        } else if (a.startsWith(QLatin1String("--"))) {
            return fail(QStringLiteral("unknown option %1 (see --help)").arg(a));
        } else {
            positional << a;
        }
    }
    if (positional.size() != 2)
        return fail(QStringLiteral("expected APPFOLDER and RACE (see --help)"));

    const QFileInfo folder(positional[0]);
    if (!folder.isDir())
        return fail(QStringLiteral("%1 is not a folder").arg(positional[0]));
    const QString appFolder = QDir::cleanPath(folder.absoluteFilePath());
    const QString name = positional[1];
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return fail(QStringLiteral("RACE must be a file name in raceadmin, not a path"));
    if (!platform::fileExists(appFolder, QStringLiteral("raceadmin/") + name))
        return fail(QStringLiteral("no race control file %1 in %2/raceadmin").arg(name, appFolder), 1);

    // The viewer's start-up, then the race asked for instead of the one racefile.st names.
    ViewerSession session;
    ReadProblems problems;
    startSession(session, appFolder, platform::documentsFolder(), platform::userLocaleId(), problems);
    problems.clear(); // racefile.st is not what was asked for
    session.CurrentRacePath = racePathFor(appFolder, name);
    session.CurrentIndex = std::max(1, raceIndexOf(session.RaceList, session.CurrentRacePath));

    LoadedViewerRace loaded;
    const ViewerLoadResult result = loadCurrentRace(session, loaded, 0, 0);
    problems += result.problems;
    for (const ReadProblem &p : std::as_const(problems))
        std::fprintf(stderr, "%s\n", p.toString(session.Language).toUtf8().constData());
    switch (result.status) {
    case ViewerLoadResult::Loaded:
        break;
    case ViewerLoadResult::NoBoats:
        return fail(viewertexts::gpsFileNotExists(), 1);
    case ViewerLoadResult::RaceFileMissing:
    case ViewerLoadResult::Unreadable:
        return fail(result.error, 1);
    }

    KmlSettings kml;
    kml.Language = session.Language;
    kml.IconFolder = kmlIconFolder(appFolder);
    if (!kmlRace.isEmpty() && !writeKml(kmlRace, exportRaceLines(loaded.Race, kml)))
        return 1;
    if (!kmlScene.isEmpty() &&
        !writeKml(kmlScene, exportSceneLines(loaded.Race, sceneTime, boatStatesAt(loaded.Race, sceneTime), kml)))
        return 1;

    ViewerReportOptions options;
    options.samples = samples;
    options.coast = coast;
    const QByteArray json =
        QJsonDocument(viewerReportJson(loaded, problems, session.Language, options)).toJson(QJsonDocument::Indented);
    std::fwrite(json.constData(), 1, size_t(json.size()), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
