// gpx2trk: GPX tracks to a GPS track file.
//
//   gpx2trk [--unit DM|DEG|DMS] [--date month|slash] [--local-offset H] -o BOAT.trk IN.gpx [IN2.gpx …]
//
// Several inputs make one track (a log split over files), in time order. Track files hold UTC;
// GPX times with "Z" or a zone are converted; times without a zone are taken as UTC, or as
// local times H hours ahead of UTC with --local-offset H.
#include "gpxreader.h"

#include <textfile.h>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("gpx2trk"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Converts GPX 1.0/1.1 tracks to a GPS track file (UTC)."));
    parser.addHelpOption();
    const QCommandLineOption unitOption(QStringLiteral("unit"), QStringLiteral("Coordinate form: DM (default), DEG or DMS."),
                                        QStringLiteral("form"), QStringLiteral("DM"));
    const QCommandLineOption dateOption(QStringLiteral("date"),
                                        QStringLiteral("Date form: month (03-MAR-08, default) or slash (2008/03/03)."),
                                        QStringLiteral("form"), QStringLiteral("month"));
    const QCommandLineOption offsetOption(QStringLiteral("local-offset"),
                                          QStringLiteral("GPX times without a zone are local times this many hours ahead of UTC."),
                                          QStringLiteral("hours"));
    const QCommandLineOption outOption(QStringList{QStringLiteral("o"), QStringLiteral("out")},
                                       QStringLiteral("Track file to write (name ending in .trk or .dtr)."), QStringLiteral("file"));
    parser.addOption(unitOption);
    parser.addOption(dateOption);
    parser.addOption(offsetOption);
    parser.addOption(outOption);
    parser.addPositionalArgument(QStringLiteral("gpx"), QStringLiteral("GPX files of one boat."), QStringLiteral("IN.gpx..."));
    parser.process(app);

    QTextStream err(stderr);
    const QStringList inputs = parser.positionalArguments();
    if (inputs.isEmpty() || !parser.isSet(outOption)) {
        err << "gpx2trk: give -o OUT.trk and at least one GPX file\n";
        return 2;
    }
    tools::TrackFileOptions format;
    format.Software = QStringLiteral("orvane gpx2trk");
    if (!tools::parseTrackUnit(parser.value(unitOption), &format.Unit)) {
        err << "gpx2trk: --unit takes DM, DEG or DMS\n";
        return 2;
    }
    const QString dateForm = parser.value(dateOption).toLower();
    if (dateForm == QLatin1String("slash"))
        format.DateForm = tools::TrackDateForm::Slashed;
    else if (dateForm != QLatin1String("month")) {
        err << "gpx2trk: --date takes month or slash\n";
        return 2;
    }
    tools::GpxReadOptions options;
    if (parser.isSet(offsetOption)) {
        bool ok = false;
        const double h = parser.value(offsetOption).toDouble(&ok);
        if (!ok || std::fabs(h) > 14.0) {
            err << "gpx2trk: --local-offset takes hours between -14 and 14\n";
            return 2;
        }
        options.ZonelessOffsetHours = h;
    }
    const QString out = parser.value(outOption);
    const QString suffix = out.right(3);
    if (suffix != QLatin1String("trk") && suffix != QLatin1String("TRK") && suffix != QLatin1String("dtr")
        && suffix != QLatin1String("DTR"))
        err << "gpx2trk: warning: the programs read only track files whose names end in trk, TRK, dtr or DTR\n";

    QList<QList<tools::TrackFix>> parts;
    int zoneless = 0;
    for (const QString &in : inputs) {
        QFile f(in);
        if (!f.open(QIODevice::ReadOnly)) {
            err << "gpx2trk: " << in << ": " << f.errorString() << "\n";
            return 1;
        }
        const tools::GpxReadResult r = tools::readGpx(&f, options);
        for (const QString &w : r.warnings)
            err << "gpx2trk: " << in << ": " << w << "\n";
        if (!r.ok) {
            err << "gpx2trk: " << in << (r.errorLine ? QStringLiteral(":%1").arg(r.errorLine) : QString()) << ": " << r.error
                << "\n";
            return 1;
        }
        if (format.TrackName.isEmpty())
            format.TrackName = r.trackName;
        zoneless += r.zonelessTimes;
        parts << r.fixes;
    }
    if (zoneless && !options.ZonelessOffsetHours)
        err << "gpx2trk: warning: " << zoneless << " times have no time zone and were taken as UTC (see --local-offset)\n";
    const QList<tools::TrackFix> fixes = tools::mergeTrackFixes(parts);
    QString error;
    if (!platform::writeTextFile(QFileInfo(out).absoluteFilePath(), tools::trackFileLinesForGpx(fixes, format), &error)) {
        err << "gpx2trk: " << error << "\n";
        return 1;
    }
    err << "gpx2trk: " << fixes.size() << " fixes, " << fixes.first().Utc.toString() << " to " << fixes.last().Utc.toString()
        << " UTC\n";
    return 0;
}
