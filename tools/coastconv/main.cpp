// coastconv: coast line tiles from GSHHG, through GMT.
//
//   coastconv --tiles 5239,5339 --out assets/coastline            runs gmt coast -Df
//   coastconv --tiles 5239 --input shore.txt --out DIR            shore lines dumped before
//
// Made once; the tiles are kept in assets/coastline so that building needs no GMT.
#include "coastconverter.h"

#include <textfile.h>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("coastconv"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Writes .cst coast line tiles (Tokyo datum) from GSHHG shore lines."));
    parser.addHelpOption();
    const QCommandLineOption tilesOption(QStringLiteral("tiles"), QStringLiteral("First-order mesh codes, comma separated."),
                                         QStringLiteral("codes"));
    const QCommandLineOption outOption(QStringLiteral("out"), QStringLiteral("Folder for the tiles."), QStringLiteral("dir"));
    const QCommandLineOption inputOption(QStringLiteral("input"),
                                         QStringLiteral("GMT multi-segment text to read instead of running gmt."),
                                         QStringLiteral("file"));
    const QCommandLineOption resolutionOption(QStringLiteral("resolution"), QStringLiteral("GSHHG resolution: f, h, i, l, c."),
                                              QStringLiteral("r"), QStringLiteral("f"));
    parser.addOption(tilesOption);
    parser.addOption(outOption);
    parser.addOption(inputOption);
    parser.addOption(resolutionOption);
    parser.process(app);

    QTextStream err(stderr);
    const QStringList tiles = parser.value(tilesOption).split(u',', Qt::SkipEmptyParts);
    if (tiles.isEmpty() || !parser.isSet(outOption)) {
        err << "coastconv: give --tiles and --out\n";
        return 2;
    }
    for (const QString &t : tiles) {
        bool ok = false;
        t.toInt(&ok);
        if (t.size() != 4 || !ok) {
            err << "coastconv: " << t << " is not a 4-digit mesh code\n";
            return 2;
        }
    }

    QStringList shore;
    if (parser.isSet(inputOption)) {
        const auto r = platform::readTextFile(QFileInfo(parser.value(inputOption)).absoluteFilePath());
        if (!r.ok) {
            err << "coastconv: " << r.error << "\n";
            return 1;
        }
        shore = r.lines;
    } else {
        const tools::DegreeBox box = tools::wgs84BoxForTiles(tiles);
        const QStringList args{QStringLiteral("coast"),
                               QStringLiteral("-R%1/%2/%3/%4").arg(box.West, 0, 'f', 4).arg(box.East, 0, 'f', 4)
                                   .arg(box.South, 0, 'f', 4).arg(box.North, 0, 'f', 4),
                               QStringLiteral("-D") + parser.value(resolutionOption), QStringLiteral("-W"), QStringLiteral("-M")};
        QProcess gmt;
        gmt.start(QStringLiteral("gmt"), args);
        if (!gmt.waitForFinished(300000) || gmt.exitStatus() != QProcess::NormalExit || gmt.exitCode() != 0) {
            err << "coastconv: gmt " << args.join(u' ') << " failed: " << gmt.errorString() << "\n"
                << QString::fromLocal8Bit(gmt.readAllStandardError());
            return 1;
        }
        shore = platform::splitLines(QString::fromLatin1(gmt.readAllStandardOutput()));
    }

    QStringList warnings;
    const QList<tools::CoastPolyline> lines = tools::parseGmtSegments(shore, &warnings);
    for (const QString &w : warnings)
        err << "coastconv: " << w << "\n";
    const QMap<QString, QStringList> out = tools::buildCoastTiles(lines, tiles);
    QDir().mkpath(parser.value(outOption));
    for (auto it = out.cbegin(); it != out.cend(); ++it) {
        const QString path = QDir(parser.value(outOption)).absoluteFilePath(it.key() + QStringLiteral(".cst"));
        QString error;
        if (!platform::writeTextFile(path, it.value(), &error)) {
            err << "coastconv: " << error << "\n";
            return 1;
        }
        err << "coastconv: " << path << ": " << it.value().filter(QRegularExpression(QStringLiteral("^L"))).size()
            << " lines\n";
    }
    return 0;
}
