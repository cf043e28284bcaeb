// fuzz-seeds: the seed corpora of the fuzz targets, made at run time from the demo races of an
// application folder (racegen --preset demo) and, when given, the real recorded tracks of the
// shared data folder. Nothing of either is kept in the project: scripts/fuzz makes the seeds in
// its build folder before every run.
//
//   fuzz-seeds DEMO_FOLDER SHARED_DATA_FOLDER OUT_FOLDER
//
// writes OUT_FOLDER/<target>/<seed> for every target of tests/fuzz. The seeds are cut down (a
// few boats, every n-th fix, a part of a coast tile) so that a run tries many inputs a second.
#include "fuzzsupport.h"

#include <gpxreader.h>
#include <trackfilewriter.h>

#include <textfile.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <cstdio>

namespace {

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QList<QByteArray> byteLines(const QByteArray &bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    for (QByteArray &l : lines) {
        if (l.endsWith('\r'))
            l.chop(1);
    }
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QByteArray joinLines(const QList<QByteArray> &lines)
{
    QByteArray out;
    for (const QByteArray &l : lines)
        out += l + "\r\n";
    return out;
}

QByteArray keyOf(const QByteArray &line)
{
    return line.left(line.indexOf(',')).trimmed();
}

// Every line that is not a fix, and at most maxFixes fixes spread over the file.
QByteArray thinTrack(const QByteArray &bytes, int maxFixes)
{
    const QList<QByteArray> lines = byteLines(bytes);
    int fixes = 0;
    for (const QByteArray &l : lines)
        fixes += l.startsWith('T');
    const int step = std::max(1, fixes / std::max(1, maxFixes));
    QList<QByteArray> kept;
    int n = 0;
    for (const QByteArray &l : lines) {
        if (!l.startsWith('T') || n++ % step == 0)
            kept << l;
    }
    return joinLines(kept);
}

// The header line and at most maxSamples samples.
QByteArray thinWind(const QByteArray &bytes, int maxSamples)
{
    const QList<QByteArray> lines = byteLines(bytes);
    const int step = std::max<int>(1, int(lines.size()) / std::max(1, maxSamples));
    QList<QByteArray> kept;
    for (int i = 0; i < lines.size(); ++i) {
        if (i == 0 || i % step == 0)
            kept << lines[i];
    }
    return joinLines(kept);
}

// The lines of a tile from the first "M" line at or after `from` bytes, at most maxBytes.
QByteArray tilePart(const QByteArray &bytes, qsizetype from, qsizetype maxBytes)
{
    qsizetype start = from == 0 ? 0 : bytes.indexOf("\nM", from);
    if (start < 0)
        return {};
    if (start > 0)
        ++start;
    qsizetype end = std::min(bytes.size(), start + maxBytes);
    if (end < bytes.size())
        end = bytes.lastIndexOf('\n', end) + 1;
    return bytes.mid(start, end - start);
}

class SeedWriter
{
public:
    explicit SeedWriter(const QString &out) : m_out(out) {}

    void add(const char *target, const QString &name, const QByteArray &bytes)
    {
        const QDir dir(m_out + QLatin1Char('/') + QLatin1String(target));
        dir.mkpath(QStringLiteral("."));
        QFile f(dir.filePath(name));
        if (f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size())
            ++m_count;
        else
            std::fprintf(stderr, "fuzz-seeds: cannot write %s\n", qPrintable(f.fileName()));
    }
    int count() const { return m_count; }

private:
    QString m_out;
    int m_count = 0;
};

// A date-time seed: the text and 8 bytes of seconds to add.
QByteArray dateSeed(const QByteArray &text, qint64 seconds)
{
    QByteArray out = text;
    const qint64 le = qToLittleEndian(seconds);
    out.append(reinterpret_cast<const char *>(&le), sizeof le);
    return out;
}

// A "China coast" file along a track: "R,lat,lon" and then "lat,lon" of every tenth fix, in
// minutes, as the format holds them.
QByteArray commaCoastAlong(const QList<tools::TrackFix> &fixes)
{
    QByteArray out;
    for (int i = 0; i < fixes.size(); i += 10) {
        const QByteArray point = QByteArray::number(fixes[i].LatDeg * 60.0, 'f', 4) + ','
                                 + QByteArray::number(fixes[i].LonDeg * 60.0, 'f', 4);
        out += (i % 200 == 0 ? "R," + point : point) + "\r\n";
    }
    return out;
}

// The fixes of a track file's T lines in DM form (good enough for coast seeds).
QList<tools::TrackFix> fixesOfTrack(const QByteArray &bytes)
{
    QList<tools::TrackFix> fixes;
    for (const QByteArray &l : byteLines(bytes)) {
        const QList<QByteArray> items = l.simplified().split(' ');
        if (items.size() < 6 || items[0] != "T" || items[1].size() < 2 || items[2].size() < 2)
            continue;
        const double lat = items[1].mid(1).toDouble(), lon = items[2].mid(1).toDouble();
        tools::TrackFix f;
        f.LatDeg = int(lat / 100) + (lat - 100 * int(lat / 100)) / 60.0;
        f.LonDeg = int(lon / 100) + (lon - 100 * int(lon / 100)) / 60.0;
        fixes << f;
    }
    return fixes;
}

void demoSeeds(const QString &demo, SeedWriter &seeds)
{
    const QString app = demo;
    const QStringList races = QDir(app + QStringLiteral("/raceadmin")).entryList({QStringLiteral("*.txt")}, QDir::Files);
    bool firstRace = true;
    for (const QString &raceFile : races) {
        const QString stem = QFileInfo(raceFile).completeBaseName();
        const QByteArray race = readBytes(app + QStringLiteral("/raceadmin/") + raceFile);
        seeds.add("browser-racecontrol", stem, race);
        seeds.add("viewer-racecontrol", stem, race);

        QList<QByteArray> header, boats, kept;
        QByteArray windName;
        QList<QByteArray> tiles;
        for (const QByteArray &line : byteLines(race)) {
            const QByteArray key = keyOf(line);
            if (key == "ST" || key == "FT" || key == "TD" || key == "BT")
                header << line;
            if (key == "BN")
                boats << line;
            if (key == "WF")
                windName = line.mid(line.indexOf(',') + 1).trimmed();
            if (key == "MAP")
                tiles << line.mid(line.indexOf(',') + 1).trimmed();
            if (key == "ST" || key == "FT")
                seeds.add("platform-datetime", stem + QLatin1Char('-') + QString::fromLatin1(key),
                          dateSeed(line.mid(line.indexOf(',') + 1).trimmed(), 3600));
            if (key != "BN" || boats.size() <= 3)
                kept << line;
        }
        const QByteArray raceHeader = joinLines(header);
        const QByteArray viewerHeader = raceHeader + "BN, a.trk, Boat A, 30\r\n";

        QList<fuzz::FolderEntry> folder{{fuzz::FolderEntry::File, QStringLiteral("raceadmin/") + raceFile, joinLines(kept), {}}};
        for (int b = 0; b < boats.size() && b < 3; ++b) {
            const QList<QByteArray> items = boats[b].split(',');
            const QString track = QString::fromLatin1(items.value(1).trimmed());
            const QByteArray bytes = readBytes(app + QStringLiteral("/gpsdat/") + track);
            const QByteArray thin = thinTrack(bytes, 120);
            folder.append({fuzz::FolderEntry::File, QStringLiteral("gpsdat/") + track, thinTrack(bytes, 150), {}});
            if (b < 2) {
                const QString name = stem + QLatin1Char('-') + QString::number(b + 1);
                seeds.add("browser-track", name, raceHeader + '\0' + thin);
                seeds.add("viewer-track", name, viewerHeader + '\0' + thin);
            }
            if (b == 0) {
                seeds.add("browser-track", stem + QStringLiteral("-open"), thin);
                seeds.add("viewer-track", stem + QStringLiteral("-open"), thin);
                const QByteArray coast = commaCoastAlong(fixesOfTrack(bytes));
                seeds.add("browser-chinacoast", stem, coast);
                seeds.add("viewer-coast", stem + QStringLiteral("-comma"), coast);
                for (const QByteArray &l : byteLines(thin)) {
                    const QList<QByteArray> items = l.simplified().split(' ');
                    if (items.size() >= 6 && items[0] == "T") {
                        seeds.add("platform-datetime", stem + QStringLiteral("-fix"), dateSeed(items[3] + ' ' + items[4], -86400));
                        break;
                    }
                }
            }
        }
        if (!windName.isEmpty()) {
            const QByteArray wind = readBytes(app + QStringLiteral("/winddat/") + QString::fromLatin1(windName));
            seeds.add("browser-wind", stem, raceHeader + '\0' + thinWind(wind, 80));
            seeds.add("viewer-wind", stem, viewerHeader + '\0' + thinWind(wind, 80));
            folder.append({fuzz::FolderEntry::File, QStringLiteral("winddat/") + QString::fromLatin1(windName), thinWind(wind, 40), {}});
            const QList<QByteArray> windLines = byteLines(wind);
            if (windLines.size() > 1)
                seeds.add("platform-datetime", stem + QStringLiteral("-wind"), dateSeed(windLines[1].left(windLines[1].indexOf(',')), 59));
        }
        for (const QByteArray &tile : std::as_const(tiles)) {
            const QByteArray bytes = readBytes(app + QStringLiteral("/coastline/") + QString::fromLatin1(tile) + QStringLiteral(".cst"));
            if (!bytes.isEmpty())
                folder.append({fuzz::FolderEntry::File, QStringLiteral("coastline/") + QString::fromLatin1(tile) + QStringLiteral(".cst"),
                               tilePart(bytes, bytes.size() / 3, 6000), {}});
        }
        seeds.add("report-browser", stem, fuzz::formatFolderArchive(folder));
        QList<fuzz::FolderEntry> viewerFolder = folder;
        if (firstRace) {
            // A race whose GPS files are a folder and a link to itself, and an English Ver.00.
            viewerFolder.append({fuzz::FolderEntry::File, QStringLiteral("raceadmin/racefile.st"), raceFile.toUtf8() + "\r\n", {}});
            QList<fuzz::FolderEntry> odd = folder;
            odd[0].content += "BN, folder.trk, Folder\r\nBN, loop.trk, Loop\r\n";
            odd.append({fuzz::FolderEntry::Folder, QStringLiteral("gpsdat/folder.trk"), {}, {}});
            odd.append({fuzz::FolderEntry::Link, QStringLiteral("gpsdat/loop.trk"), {}, QStringLiteral("loop.trk")});
            odd.append({fuzz::FolderEntry::File, QStringLiteral("raceadmin/Ver.00"), "LANG,1\r\n", {}});
            seeds.add("report-browser", stem + QStringLiteral("-odd"), fuzz::formatFolderArchive(odd));
            seeds.add("report-viewer", stem + QStringLiteral("-odd"), fuzz::formatFolderArchive(odd));
            firstRace = false;
        }
        seeds.add("report-viewer", stem, fuzz::formatFolderArchive(viewerFolder));
    }

    const QStringList tileFiles = QDir(app + QStringLiteral("/coastline")).entryList({QStringLiteral("*.cst")}, QDir::Files);
    for (const QString &tile : tileFiles) {
        const QByteArray bytes = readBytes(app + QStringLiteral("/coastline/") + tile);
        const QString stem = QFileInfo(tile).completeBaseName();
        seeds.add("browser-coasttile", stem + QStringLiteral("-head"), tilePart(bytes, 0, 4000));
        seeds.add("browser-coasttile", stem + QStringLiteral("-middle"), tilePart(bytes, bytes.size() / 2, 4000));
        seeds.add("viewer-coast", stem, tilePart(bytes, bytes.size() / 2, 4000));
    }
    for (const char *text : {"5/3/2008 10:34:00 AM", "12/31/2024 12:00 PM", "03-MAR-2008 01:30", "2024-07-13T10:00:00",
                             "3 Mar 2008", "2008.3.3 9:5"})
        seeds.add("platform-datetime", QString::fromLatin1(QByteArray(text).toHex().left(16)), dateSeed(text, 86399));
}

// The real tracks: pcx.trk as it is, the Gdansk GPX logs in every coordinate and date form,
// and a race of the three Gdansk boats in one of the windows the data's README gives.
void sharedDataSeeds(const QString &shared, SeedWriter &seeds)
{
    const QByteArray pcx = readBytes(shared + QStringLiteral("/pcx/pcx.trk"));
    if (!pcx.isEmpty()) {
        seeds.add("browser-track", QStringLiteral("pcx-open"), pcx);
        seeds.add("viewer-track", QStringLiteral("pcx-open"), pcx);
        const QByteArray header = "ST, 2002/05/26 02:10:00\r\nFT, 2002/05/26 06:00:00\r\nTD, 9\r\nBT, 3\r\n";
        seeds.add("browser-track", QStringLiteral("pcx"), header + '\0' + pcx);
        seeds.add("viewer-track", QStringLiteral("pcx"), header + "BN, a.trk, PCX\r\n" + '\0' + pcx);
    }

    const QDir gdansk(shared + QStringLiteral("/gdansk-3boats"));
    const QStringList gpx = gdansk.entryList({QStringLiteral("*.gpx")}, QDir::Files, QDir::Name);
    const platform::LocalDateTime from = platform::LocalDateTime::fromParts(2025, 10, 26, 9, 23, 0); // UTC
    const platform::LocalDateTime to = platform::LocalDateTime::fromParts(2025, 10, 26, 10, 5, 0);
    const QByteArray header = "ST, 2025/10/26 10:26:00\r\nFT, 2025/10/26 11:05:00\r\nTD, 1\r\nBT, 3\r\n";
    QList<fuzz::FolderEntry> folder;
    QByteArray race = "T1, Gdansk\r\n" + header + "MK, 3263.2, 1127.6\r\nLN, 3262.5, 1126.9, 3262.6, 1127.1\r\nCRS, L1, MK1, L1\r\n";
    int form = 0;
    for (const QString &name : gpx) {
        QFile file(gdansk.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const tools::GpxReadResult read = tools::readGpx(&file);
        if (!read.ok)
            continue;
        QList<tools::TrackFix> window;
        for (const tools::TrackFix &f : read.fixes) {
            if (f.Utc >= from && f.Utc <= to)
                window << f;
        }
        if (window.size() < 20)
            continue;
        QList<tools::TrackFix> thin;
        for (int i = 0; i < window.size(); i += 10)
            thin << window[i];
        tools::TrackFileOptions options;
        options.Unit = form % 3 == 0 ? tools::TrackUnit::DM : form % 3 == 1 ? tools::TrackUnit::DEG : tools::TrackUnit::DMS;
        options.DateForm = form % 2 == 0 ? tools::TrackDateForm::MonthName : tools::TrackDateForm::Slashed;
        ++form;
        const QByteArray bytes = platform::encodeAnsi(tools::trackFileLinesForGpx(thin, options).join(QStringLiteral("\r\n")) + "\r\n");
        const QString stem = QFileInfo(name).completeBaseName().left(24);
        seeds.add("browser-track", QStringLiteral("gdansk-") + stem, header + '\0' + bytes);
        seeds.add("viewer-track", QStringLiteral("gdansk-") + stem, header + "BN, a.trk, Olimpia\r\n" + '\0' + bytes);
        const QString track = QStringLiteral("g%1.trk").arg(form);
        race += "BN, " + track.toUtf8() + ", " + read.trackName.left(20).toUtf8() + "\r\n";
        QList<tools::TrackFix> sparse;
        for (int i = 0; i < window.size(); i += 30)
            sparse << window[i];
        folder.append({fuzz::FolderEntry::File, QStringLiteral("gpsdat/") + track,
                       platform::encodeAnsi(tools::trackFileLinesForGpx(sparse, options).join(QStringLiteral("\r\n")) + "\r\n"), {}});
    }
    if (!folder.isEmpty()) {
        folder.prepend({fuzz::FolderEntry::File, QStringLiteral("raceadmin/gdansk.txt"), race, {}});
        seeds.add("report-browser", QStringLiteral("gdansk"), fuzz::formatFolderArchive(folder));
        seeds.add("report-viewer", QStringLiteral("gdansk"), fuzz::formatFolderArchive(folder));
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: fuzz-seeds DEMO_FOLDER SHARED_DATA_FOLDER OUT_FOLDER\n");
        return 2;
    }
    SeedWriter seeds(args[3]);
    demoSeeds(args[1], seeds);
    if (QFileInfo(args[2]).isDir())
        sharedDataSeeds(args[2], seeds);
    std::printf("fuzz-seeds: %d seeds in %s\n", seeds.count(), qPrintable(args[3]));
    return seeds.count() > 0 ? 0 : 1;
}
