#include "coastconverter.h"

#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <cmath>

namespace tools {

GeoMinutes wgs84ToTokyo(double latMinutes, double lonMinutes)
{
    GeoMinutes t{latMinutes, lonMinutes};
    for (int i = 0; i < 6; ++i) {
        const GeoMinutes w = TokyoToWgs84(t.Lat, t.Lon);
        t.Lat += latMinutes - w.Lat;
        t.Lon += lonMinutes - w.Lon;
    }
    return t;
}

QList<CoastPolyline> parseGmtSegments(const QStringList &lines, QStringList *warnings)
{
    static const QRegularExpression separators(QStringLiteral("[\\s,]+"));
    QList<CoastPolyline> out;
    CoastPolyline current;
    auto flush = [&] {
        if (current.size() >= 2)
            out << current;
        current.clear();
    };
    int lineNumber = 0;
    for (const QString &line : lines) {
        ++lineNumber;
        const QString t = line.trimmed();
        if (t.isEmpty() || t.startsWith(u'#'))
            continue;
        if (t.startsWith(u'>')) {
            flush();
            continue;
        }
        const QStringList items = t.split(separators, Qt::SkipEmptyParts);
        bool okLon = false, okLat = false;
        const double lon = items.value(0).toDouble(&okLon);
        const double lat = items.value(1).toDouble(&okLat);
        if (!okLon || !okLat || !std::isfinite(lat) || !std::isfinite(lon) || std::fabs(lat) > 90.0 || std::fabs(lon) > 360.0) {
            if (warnings)
                *warnings << QStringLiteral("line %1: not a longitude and latitude, skipped").arg(lineNumber);
            continue;
        }
        current << GeoMinutes{lat * 60.0, lon * 60.0};
    }
    flush();
    return out;
}

QString firstOrderMeshCode(double latMinutes, double lonMinutes)
{
    const int row = int(std::floor(latMinutes / 40.0));
    const int column = int(std::floor(lonMinutes / 60.0)) - 100;
    if (row < 0 || row > 99 || column < 0 || column > 99)
        return {};
    return QStringLiteral("%1%2").arg(row, 2, 10, QLatin1Char('0')).arg(column, 2, 10, QLatin1Char('0'));
}

DegreeBox wgs84BoxForTiles(const QStringList &tiles, double marginDeg)
{
    DegreeBox box{1e9, -1e9, 1e9, -1e9};
    for (const QString &tile : tiles) {
        const int row = tile.left(2).toInt();
        const int column = tile.mid(2, 2).toInt();
        // The corners, shifted as the reader will shift them.
        for (double lat : {row * 40.0, row * 40.0 + 40.0}) {
            for (double lon : {(column + 100) * 60.0, (column + 101) * 60.0}) {
                const GeoMinutes w = TokyoToWgs84(lat, lon);
                box.West = std::min(box.West, w.Lon / 60.0);
                box.East = std::max(box.East, w.Lon / 60.0);
                box.South = std::min(box.South, w.Lat / 60.0);
                box.North = std::max(box.North, w.Lat / 60.0);
            }
        }
    }
    box.West -= marginDeg;
    box.East += marginDeg;
    box.South -= marginDeg;
    box.North += marginDeg;
    return box;
}

namespace {

constexpr double MeshLatMinutes = 5.0;
constexpr double MeshLonMinutes = 7.5;

struct Cell {
    int i = 0; // floor(lat / 5′)
    int j = 0; // floor(lon / 7.5′)
    bool operator==(const Cell &o) const { return i == o.i && j == o.j; }
};

Cell cellOf(const GeoMinutes &p)
{
    return {int(std::floor(p.Lat / MeshLatMinutes)), int(std::floor(p.Lon / MeshLonMinutes))};
}

QString meshCode(const Cell &c)
{
    const int pp = c.i / 8, r = c.i % 8;
    const int qq = c.j / 8 - 100, s = c.j % 8;
    return QStringLiteral("%1%2%3%4")
        .arg(pp, 2, 10, QLatin1Char('0'))
        .arg(qq, 2, 10, QLatin1Char('0'))
        .arg(r)
        .arg(s);
}

GeoMinutes lerp(const GeoMinutes &a, const GeoMinutes &b, double t)
{
    return {a.Lat + (b.Lat - a.Lat) * t, a.Lon + (b.Lon - a.Lon) * t};
}

// Parameters in (0, 1) where the segment crosses grid lines of the given spacing.
void crossings(double a, double b, double step, QList<double> &ts)
{
    if (a == b)
        return;
    const double lo = std::min(a, b), hi = std::max(a, b);
    for (double k = std::floor(lo / step) + 1.0; k * step < hi; k += 1.0) {
        const double t = (k * step - a) / (b - a);
        if (t > 0.0 && t < 1.0)
            ts << t;
    }
}

struct Piece {
    Cell cell;
    CoastPolyline points;
};

// Cuts a line at every mesh edge it crosses; each piece lies in one mesh.
QList<Piece> cutAtMeshEdges(const CoastPolyline &line)
{
    QList<Piece> pieces;
    Piece current;
    bool open = false;
    for (int k = 0; k + 1 < line.size(); ++k) {
        const GeoMinutes &a = line[k], &b = line[k + 1];
        QList<double> ts{0.0, 1.0};
        crossings(a.Lat, b.Lat, MeshLatMinutes, ts);
        crossings(a.Lon, b.Lon, MeshLonMinutes, ts);
        std::sort(ts.begin(), ts.end());
        for (int n = 0; n + 1 < ts.size(); ++n) {
            if (ts[n + 1] - ts[n] < 1e-12)
                continue;
            const Cell c = cellOf(lerp(a, b, (ts[n] + ts[n + 1]) / 2.0));
            if (!open || !(c == current.cell)) {
                if (open && current.points.size() >= 2)
                    pieces << current;
                current = Piece{c, {lerp(a, b, ts[n])}};
                open = true;
            }
            current.points << lerp(a, b, ts[n + 1]);
        }
    }
    if (open && current.points.size() >= 2)
        pieces << current;
    return pieces;
}

} // namespace

QMap<QString, QStringList> buildCoastTiles(const QList<CoastPolyline> &wgs84Lines, const QStringList &tiles)
{
    const QSet<QString> wanted(tiles.begin(), tiles.end());
    // mesh code → lines of mesh coordinates
    QMap<QString, QList<QList<QPair<int, int>>>> meshes;
    for (const CoastPolyline &wgs : wgs84Lines) {
        CoastPolyline tokyo;
        tokyo.reserve(wgs.size());
        for (const GeoMinutes &p : wgs)
            tokyo << wgs84ToTokyo(p.Lat, p.Lon);
        for (const Piece &piece : cutAtMeshEdges(tokyo)) {
            if (piece.cell.i < 0 || piece.cell.j < 800)
                continue;
            const QString code = meshCode(piece.cell);
            if (!wanted.contains(code.left(4)))
                continue;
            const double south = piece.cell.i * MeshLatMinutes;
            const double west = piece.cell.j * MeshLonMinutes;
            QList<QPair<int, int>> xy;
            for (const GeoMinutes &p : piece.points) {
                const int x = std::clamp(int(std::lround((p.Lon - west) / MeshLonMinutes * 10000.0)), 0, 10000);
                const int y = std::clamp(int(std::lround((p.Lat - south) / MeshLatMinutes * 10000.0)), 0, 10000);
                if (xy.isEmpty() || xy.last() != qMakePair(x, y))
                    xy << qMakePair(x, y);
            }
            if (xy.size() >= 2)
                meshes[code] << xy;
        }
    }

    QMap<QString, QStringList> out;
    for (const QString &tile : tiles)
        out[tile];
    for (auto it = meshes.cbegin(); it != meshes.cend(); ++it) {
        QStringList &lines = out[it.key().left(4)];
        lines << QStringLiteral("M ") + it.key();
        for (const auto &xy : it.value()) {
            lines << QStringLiteral("L").leftJustified(49, u' ') + QString::number(xy.size()).rightJustified(6, u' ');
            QString data;
            for (int k = 0; k < xy.size(); ++k) {
                data += QStringLiteral("%1%2").arg(xy[k].first, 5).arg(xy[k].second, 5);
                if (k % 7 == 6 || k + 1 == xy.size()) {
                    lines << data;
                    data.clear();
                }
            }
        }
    }
    return out;
}

} // namespace tools
