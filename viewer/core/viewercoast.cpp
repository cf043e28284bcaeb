#include "viewercoast.h"

#include "lineitems.h"

#include <appfolder.h>
#include <numbers.h>
#include <textfile.h>

#include <QDir>
#include <QFile>

#include <cmath>

namespace {

constexpr double DegToRad = 3.14159265358979323846 / 180.0;

// The lines of a file, without their CR LF or LF ends.
template<typename F>
void forEachLine(QByteArrayView bytes, F f)
{
    int number = 0;
    qsizetype at = 0;
    while (at < bytes.size()) {
        qsizetype eol = bytes.indexOf('\n', at);
        if (eol < 0)
            eol = bytes.size();
        QByteArrayView line = bytes.sliced(at, eol - at);
        if (line.endsWith('\r'))
            line.chop(1);
        f(++number, line);
        at = eol + 1;
    }
}

std::optional<int> digitsValue(QByteArrayView v)
{
    int n = 0;
    if (v.isEmpty())
        return std::nullopt;
    for (char c : v) {
        if (c < '0' || c > '9')
            return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

// A 5-character field of a point: blanks then digits.
std::optional<double> field(QByteArrayView v)
{
    v = v.trimmed();
    if (v.isEmpty())
        return std::nullopt;
    const auto n = digitsValue(v);
    return n ? std::optional<double>(*n) : std::nullopt;
}

void append(ViewerCoast &coast, double lat, double lon, bool starts)
{
    coast.Lat.append(starts ? lat + CoastLineStartMarker : lat);
    coast.Lon.append(lon);
}

} // namespace

CoastArea coastArea(const ViewerExtent &extent)
{
    const double r = std::max(std::fabs(extent.MaxLat - extent.MinLat), 3.0);
    CoastArea a;
    a.South = extent.CentreLat - r;
    a.North = extent.CentreLat + r;
    a.West = extent.CentreLon - r / 0.8;
    a.East = extent.CentreLon + r / 0.8;
    return a;
}

QStringList coastFileNames(const ViewerExtent &extent)
{
    const double r = std::max(std::fabs(extent.MaxLat - extent.MinLat), 3.0);
    if (r > 50)
        return {QStringLiteral("TOBA")};
    const CoastArea a = coastArea(extent);
    // Positions off the globe (a damaged track) lie in no tile.
    if (!(a.South >= -90 * 60.0 && a.North <= 90 * 60.0 && a.West >= -360 * 60.0 && a.East <= 360 * 60.0))
        return {};
    QStringList names;
    for (int b = int(std::floor(a.South / 40)); b <= int(std::floor(a.North / 40)); ++b) {
        for (int c = int(std::floor(a.West / 60)); c <= int(std::floor(a.East / 60)); ++c)
            names << QString::number(b) + QString::number(c - 100);
    }
    return names;
}

QPointF datumShift(double latMinutes, double lonMinutes)
{
    const double phi = latMinutes / 60.0, lambda = lonMinutes / 60.0;
    const double sinPhi = std::sin(phi * DegToRad), cosPhi = std::cos(phi * DegToRad);
    const double n = 6377397.155 / std::sqrt(1 - 0.006674372227347433 * sinPhi * sinPhi);
    const double x = n * cosPhi * std::cos(lambda * DegToRad) - 148;
    const double y = n * cosPhi * std::sin(lambda * DegToRad) + 508;
    const double z = n * 0.9933256277726525 * sinPhi + 680;
    double lambda2 = std::atan(y / x) / DegToRad;
    if (lambda2 > 180)
        lambda2 -= 180;
    if (lambda2 < 0)
        lambda2 += 180;
    const double phi2 = std::atan(z / 0.99330561997709921306 / (y / std::sin(lambda2 * DegToRad))) / DegToRad;
    return {(phi2 - phi) * 60.0, (lambda2 - lambda) * 60.0};
}

void readMeshCoast(QByteArrayView bytes, ViewerCoast &coast, const QString &relativeFile, ReadProblems &problems)
{
    ProblemRecorder recorder(problems, relativeFile);
    const CoastArea &area = coast.Area;
    bool used = false;
    double south = 0.0, west = 0.0;
    int inLine = 0, lineLength = 0;
    forEachLine(bytes, [&](int number, QByteArrayView line) {
        if (line.startsWith('M')) {
            // The second-order mesh code "ppqqrs" in characters 3 to 8.
            const QByteArrayView digits = line.size() >= 8 ? line.sliced(2, 6) : QByteArrayView();
            if (!digitsValue(digits)) {
                recorder.add(number, ReadProblem::BadCoastPoint, {QString::fromLatin1(line)});
                used = false;
                return;
            }
            const auto digit = [&digits](int i) { return digits[i] - '0'; };
            south = (digit(0) * 10 + digit(1)) * 40.0 + digit(4) * 5.0;
            west = (digit(2) * 10 + digit(3)) * 60.0 + 6000.0 + digit(5) * 7.5;
            used = !(area.South - 5 >= south || south >= area.North || west >= area.East || west <= area.West - 7.5);
            return;
        }
        if (line.startsWith('L')) {
            // The number of points in the 6 characters from position 50; 1 when there is none.
            const QByteArrayView count = line.size() > 49 ? line.sliced(49, std::min<qsizetype>(6, line.size() - 49))
                                                          : QByteArrayView();
            const double n = platform::leadingNumber(QString::fromLatin1(count));
            lineLength = n >= 1 ? int(std::min(n, 999999.0)) : 1; // six digits at most
            inLine = 0;
            return;
        }
        if (!used)
            return;
        for (qsizetype at = 0; at + 5 < line.size() && at < 70 && inLine < lineLength; at += 10) {
            const QByteArrayView chunk = line.sliced(at, std::min<qsizetype>(10, line.size() - at));
            const auto x = field(chunk.first(5));
            const auto y = field(chunk.sliced(5));
            if (!x || !y) {
                recorder.add(number, ReadProblem::BadCoastPoint, {QString::fromLatin1(chunk)});
                continue;
            }
            append(coast, *y * 5.0 / 10000.0 + south + coast.LatShift, *x * 7.5 / 10000.0 + west + coast.LonShift,
                   inLine == 0);
            ++inLine;
        }
    });
}

void readCommaCoast(QByteArrayView bytes, ViewerCoast &coast, const QString &relativeFile, ReadProblems &problems)
{
    ProblemRecorder recorder(problems, relativeFile);
    forEachLine(bytes, [&](int number, QByteArrayView line) {
        const QString text = QString::fromLatin1(line);
        if (text.trimmed().isEmpty())
            return;
        const QStringList items = splitItems(text, QLatin1Char(','));
        const bool starts = items[0] == QLatin1String("R");
        const int at = starts ? 1 : 0;
        const auto lat = items.size() > at + 1 ? parseNumber(items[at]) : std::nullopt;
        const auto lon = items.size() > at + 1 ? parseNumber(items[at + 1]) : std::nullopt;
        if (!lat || !lon) {
            recorder.add(number, ReadProblem::BadCoastPoint, {text});
            return;
        }
        append(coast, *lat, *lon, starts);
    });
}

void clipCoastToArea(ViewerCoast &coast)
{
    QVector<double> lat, lon;
    lat.reserve(coast.Lat.size());
    lon.reserve(coast.Lon.size());
    bool dropped = false;
    for (int i = 0; i < coast.pointCount(); ++i) {
        const double real = coast.latitude(i);
        if (!coast.Area.containsStrictly(real, coast.Lon[i])) {
            dropped = true;
            continue;
        }
        lat.append(dropped || coast.startsLine(i) ? real + CoastLineStartMarker : real);
        lon.append(coast.Lon[i]);
        dropped = false;
    }
    coast.Lat = std::move(lat);
    coast.Lon = std::move(lon);
}

ViewerCoast loadCoast(const QString &applicationFolder, const ViewerExtent &extent, ReadProblems &problems)
{
    ViewerCoast coast;
    coast.Area = coastArea(extent);
    coast.Files = coastFileNames(extent);
    const bool comma = coast.Files == QStringList{QStringLiteral("TOBA")};
    if (!comma) {
        const QPointF shift = datumShift(extent.CentreLat, extent.CentreLon);
        coast.LatShift = shift.x();
        coast.LonShift = shift.y();
    }
    for (const QString &name : std::as_const(coast.Files)) {
        const QString relative = QStringLiteral("coastline/") + (comma ? QStringLiteral("toba") : name) +
                                 QStringLiteral(".cst");
        const QString path = platform::resolvePath(applicationFolder, relative);
        if (platform::pathKind(path) == platform::PathKind::Missing)
            continue;
        const QString shown = QDir(applicationFolder).relativeFilePath(path);
        const platform::FileReadResult read = platform::readFileBytes(path, platform::MaxTextFileBytes);
        if (!read.ok) {
            problems.append({shown, 0, ReadProblem::FileUnreadable, {read.reason}});
            continue;
        }
        if (read.truncated)
            problems.append({shown, 0, ReadProblem::FileTooLarge, {QString::number(platform::MaxTextFileBytes >> 20)}});
        const QByteArray &bytes = read.bytes;
        if (comma)
            readCommaCoast(bytes, coast, shown, problems);
        else
            readMeshCoast(bytes, coast, shown, problems);
    }
    if (!comma && coast.pointCount() > 100)
        clipCoastToArea(coast);
    return coast;
}
