#include "coastlines.h"

#include "racecontrolfile.h"

#include <appfolder.h>
#include <textfile.h>

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

GeoMinutes TokyoToWgs84(double latMinutes, double lonMinutes)
{
    const double pi = 4.0 * std::atan(1.0);
    const double degToRad = pi / 180.0;
    const double a = 6377397.155;
    const double f = 1.0 / 299.152813;
    const double e2 = 2.0 * f - f * f;
    const double fw = 1.0 / 298.257222101;
    const double e2w = 2.0 * fw - fw * fw;

    const double phi = latMinutes / 60.0 * degToRad;
    const double lambda = lonMinutes / 60.0 * degToRad;
    const double sinPhi = std::sin(phi);
    const double n = a / std::sqrt(1.0 - e2 * sinPhi * sinPhi);
    const double x = n * std::cos(phi) * std::cos(lambda) - 148.0;
    const double y = n * std::cos(phi) * std::sin(lambda) + 508.0;
    const double z = n * (1.0 - e2) * sinPhi + 680.0;

    // The closed form folds longitudes into 0 … 180 and takes the distance from the axis as
    // Y / sin λ; the tiles all lie in the eastern hemisphere where both hold.
    double lambdaW = std::atan(y / x) / degToRad;
    if (lambdaW < 0.0)
        lambdaW += 180.0;
    if (lambdaW > 180.0)
        lambdaW -= 180.0;
    const double sinLambdaW = std::sin(lambdaW * degToRad);
    const double p = sinLambdaW != 0.0 ? y / sinLambdaW : std::fabs(x);
    const double phiW = std::atan(z / (1.0 - e2w) / p) / degToRad;
    return {phiW * 60.0, lambdaW * 60.0};
}

CoastViewBox CoastViewBox::around(const RaceExtent &extent)
{
    const double lonFactor = extent.LonFactor > 0.0 ? extent.LonFactor : 1.0;
    CoastViewBox box;
    box.South = extent.CentreLat - extent.Span;
    box.North = extent.CentreLat + extent.Span;
    box.West = extent.CentreLon - extent.Span / lonFactor;
    box.East = extent.CentreLon + extent.Span / lonFactor;
    return box;
}

bool usesChinaCoast(const RaceExtent &extent)
{
    return extent.CentreLat > 900.0 && extent.CentreLon < 7500.0;
}

QStringList coastTilesFor(const RaceExtent &extent)
{
    const double lonFactor = extent.LonFactor > 0.0 ? extent.LonFactor : 1.0;
    const double halfLat = extent.Span / 2.0;
    const double halfLon = extent.Span / 2.0 / lonFactor;
    // First-order mesh codes have two digits each way; clamping also bounds the loops.
    auto clampCode = [](double v) { return int(std::clamp(std::floor(v), -1.0, 100.0)); };
    const int rowFrom = clampCode((extent.CentreLat - halfLat) / 40.0);
    const int rowTo = clampCode((extent.CentreLat + halfLat) / 40.0);
    const int colFrom = clampCode((extent.CentreLon - halfLon) / 60.0 - 100.0);
    const int colTo = clampCode((extent.CentreLon + halfLon) / 60.0 - 100.0);

    struct Tile {
        int row, col;
        double distance;
    };
    QList<Tile> tiles;
    for (int row = std::max(rowFrom, 0); row <= std::min(rowTo, 99); ++row) {
        for (int col = std::max(colFrom, 0); col <= std::min(colTo, 99); ++col) {
            const double dLat = (row + 0.5) * 40.0 - extent.CentreLat;
            const double dLon = ((col + 100.5) * 60.0 - extent.CentreLon) * lonFactor;
            tiles.append({row, col, dLat * dLat + dLon * dLon});
        }
    }
    if (tiles.size() > MaxCoastTiles) {
        std::stable_sort(tiles.begin(), tiles.end(),
                         [](const Tile &a, const Tile &b) { return a.distance < b.distance; });
        tiles.resize(MaxCoastTiles);
        std::sort(tiles.begin(), tiles.end(),
                  [](const Tile &a, const Tile &b) { return a.row != b.row ? a.row < b.row : a.col < b.col; });
    }
    QStringList names;
    for (const Tile &t : tiles)
        names << QString::number(t.row) + QString::number(t.col);
    return names;
}

namespace {

// The number in a fixed-width field; blanks around it allowed. Nothing when the field is
// missing or holds no number.
std::optional<double> fieldNumber(QByteArrayView line, qsizetype from, qsizetype width)
{
    if (from >= line.size())
        return std::nullopt;
    QByteArrayView field = line.sliced(from, std::min(width, line.size() - from)).trimmed();
    if (field.isEmpty())
        return std::nullopt;
    if (field.front() == '+')
        field = field.sliced(1);
    double v = 0.0;
    const auto r = std::from_chars(field.data(), field.data() + field.size(), v);
    if (r.ec != std::errc() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

// Calls fn(line, lineNumber) for every non-empty line; CR LF, LF and CR end a line.
template<typename Fn>
void forEachLine(QByteArrayView bytes, Fn fn)
{
    qsizetype start = 0;
    int lineNumber = 1;
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i <= n; ++i) {
        if (i == n || bytes[i] == '\n' || bytes[i] == '\r') {
            if (i > start)
                fn(bytes.sliced(start, i - start), lineNumber);
            if (i < n && bytes[i] == '\r' && i + 1 < n && bytes[i + 1] == '\n')
                ++i;
            ++lineNumber;
            start = i + 1;
        }
    }
}

void report(ProblemReporter *problems, int line, FileProblem::Kind kind, QByteArrayView value = {})
{
    if (problems)
        problems->add(line, kind, QString::fromLatin1(value).trimmed());
}

} // namespace

void parseCoastTile(QByteArrayView bytes, const CoastViewBox &box, QVector<CoastPoint> &points,
                    ProblemReporter *problems)
{
    bool meshUsed = false;
    double cornerLat = 0.0, cornerLon = 0.0; // south-west corner of the second-order mesh
    int counter = 0;
    int lineLength = 0;
    forEachLine(bytes, [&](QByteArrayView line, int lineNumber) {
        const char kind = line.front();
        if (kind == 'M') {
            meshUsed = false;
            counter = 0;
            const QByteArrayView code = line.size() >= 8 ? line.sliced(2, 6) : line.sliced(std::min<qsizetype>(2, line.size()));
            if (line.size() < 8 || !std::all_of(code.begin(), code.end(), [](char c) { return c >= '0' && c <= '9'; })) {
                report(problems, lineNumber, FileProblem::UnreadableMeshCode, code);
                return;
            }
            const int pp = (code[0] - '0') * 10 + (code[1] - '0');
            const int qq = (code[2] - '0') * 10 + (code[3] - '0');
            const int r = code[4] - '0';
            const int s = code[5] - '0';
            cornerLat = pp * 40.0 + r * 5.0;
            cornerLon = qq * 60.0 + 6000.0 + s * 7.5;
            meshUsed = cornerLat + 5.0 > box.South && cornerLat < box.North && cornerLon < box.East &&
                       cornerLon + 7.5 > box.West;
        } else if (kind == 'L') {
            // The count is only compared with, never used to size anything; bounded all the same
            // so that it always fits the counter.
            const auto n = fieldNumber(line, 49, 6);
            counter = 0;
            lineLength = 0;
            if (!n) {
                report(problems, lineNumber, FileProblem::NotANumber,
                       line.size() > 49 ? line.sliced(49, std::min<qsizetype>(6, line.size() - 49)) : QByteArrayView());
            } else if (*n < 0 || *n > MaxCoastLinePoints) {
                report(problems, lineNumber, FileProblem::OutOfRange, line.sliced(49, std::min<qsizetype>(6, line.size() - 49)));
            } else {
                lineLength = int(*n);
            }
        } else if (meshUsed) {
            bool told = false; // one problem a line is enough
            for (int j = 0; j < 7; ++j) {
                ++counter;
                if (counter > lineLength)
                    continue;
                const auto x = fieldNumber(line, 10 * j, 5);
                const auto y = fieldNumber(line, 10 * j + 5, 5);
                if (!x || !y || *x < 0 || *x > 10000 || *y < 0 || *y > 10000) {
                    const qsizetype from = std::min<qsizetype>(10 * j, line.size());
                    if (!told)
                        report(problems, lineNumber, FileProblem::UnreadablePoint,
                               line.sliced(from, std::min<qsizetype>(10, line.size() - from)));
                    told = true;
                    continue;
                }
                const GeoMinutes wgs = TokyoToWgs84(cornerLat + 5.0 * *y / 10000.0, cornerLon + 7.5 * *x / 10000.0);
                points.append({wgs.Lat, wgs.Lon, counter == 1});
            }
        }
    });
}

void parseChinaCoast(QByteArrayView bytes, QVector<CoastPoint> &points, ProblemReporter *problems)
{
    forEachLine(bytes, [&](QByteArrayView line, int lineNumber) {
        CoastPoint p;
        const QByteArrayView original = line;
        if (line.contains('R')) {
            const qsizetype comma = line.indexOf(',');
            if (comma < 0) {
                report(problems, lineNumber, FileProblem::NoComma);
                return;
            }
            line = line.sliced(comma + 1);
            p.startsLine = true;
        }
        const qsizetype comma = line.indexOf(',');
        if (comma < 0) {
            if (!line.trimmed().isEmpty())
                report(problems, lineNumber, FileProblem::NoComma);
            return;
        }
        const QString lat = QString::fromLatin1(line.first(comma));
        const QString lon = QString::fromLatin1(line.sliced(comma + 1));
        bool okLat = false, okLon = false;
        p.Lat = lat.trimmed().toDouble(&okLat);
        p.Lon = lon.section(u',', 0, 0).trimmed().toDouble(&okLon);
        if (!okLat || !okLon || !std::isfinite(p.Lat) || !std::isfinite(p.Lon) || std::fabs(p.Lat) > 90.0 * 60.0
            || std::fabs(p.Lon) > 180.0 * 60.0) {
            report(problems, lineNumber, FileProblem::UnreadablePoint, original);
            return;
        }
        points.append(p);
    });
}

// The bytes of a file; nothing for a missing one (the format lets tiles be missing), a problem
// for one that is there and cannot be read.
static QByteArray readWhole(const QString &path, ProblemReporter &problems)
{
    if (platform::pathKind(path) == platform::PathKind::Missing)
        return {};
    platform::FileReadResult read = platform::readFileBytes(path, platform::MaxTextFileBytes);
    if (!read.ok)
        problems.add(0, FileProblem::FileUnreadable, read.reason);
    else if (read.truncated)
        problems.add(0, FileProblem::FileTooLarge, QString::number(platform::MaxTextFileBytes >> 20));
    return read.bytes;
}

int LoadCoastLines(const AppSettings &settings, RaceControl &rc, const RaceExtent &extent, QVector<CoastPoint> &points,
                   RaceControl *stored, FileProblems *problems)
{
    points.clear();
    const QString &app = settings.ApplicationFolder;
    auto readFile = [&](const QString &relative, auto parse) {
        const QString path = platform::resolvePath(app, relative);
        ProblemReporter reporter(problems, problemFileName(app, path));
        parse(readWhole(path, reporter), &reporter);
    };
    if (usesChinaCoast(extent)) {
        readFile(QStringLiteral("coastline/chinacoast.txt"),
                 [&points](QByteArrayView bytes, ProblemReporter *r) { parseChinaCoast(bytes, points, r); });
        return int(points.size());
    }
    rc.CoastTiles = coastTilesFor(extent);
    if (settings.EditMode && !rc.CoastTiles.isEmpty()) {
        if (stored) {
            stored->CoastTiles = rc.CoastTiles;
            WriteRaceControl(settings, *stored);
        } else {
            WriteRaceControl(settings, rc);
        }
    }
    const CoastViewBox box = CoastViewBox::around(extent);
    for (const QString &tile : rc.CoastTiles)
        readFile(QStringLiteral("coastline/") + tile + QStringLiteral(".cst"),
                 [&](QByteArrayView bytes, ProblemReporter *r) { parseCoastTile(bytes, box, points, r); });
    return int(points.size());
}
