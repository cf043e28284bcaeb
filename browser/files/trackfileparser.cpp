#include "trackfileparser.h"

#include <appfolder.h>
#include <localdatetime.h>
#include <textfile.h>

#include <QFile>
#include <QFileInfo>

#include <charconv>
#include <cmath>
#include <cstring>
#include <optional>

namespace {

constexpr qint64 SecondsPerDay = 86400;
constexpr double MaxLatMinutes = 90.0 * 60.0;
constexpr double MaxLonMinutes = 180.0 * 60.0;

qint64 floorDiv(qint64 a, qint64 b)
{
    qint64 q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

// Date-times as whole seconds since the start of Julian day 0, the same count LocalDateTime
// keeps; the hot loop never builds a LocalDateTime.
qint64 toSeconds(const platform::LocalDateTime &t)
{
    return t.date().toJulianDay() * SecondsPerDay + t.secondsOfDay();
}

platform::LocalDateTime fromSeconds(qint64 s)
{
    const qint64 day = floorDiv(s, SecondsPerDay);
    return platform::LocalDateTime::fromDate(QDate::fromJulianDay(day), int(s - day * SecondsPerDay));
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Up to this many digits make a whole number below 2^53, exact in a double.
constexpr int MaxExactDigits = 15;
constexpr double PowersOfTen[MaxExactDigits + 1] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                    1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// The leading number of a byte text, as platform::leadingNumber reads a QString: blanks
// skipped, optional sign, digits with an optional point and an optional exponent. Nothing
// when the text does not start with a number.
std::optional<double> leadingNumber(const char *p, const char *end)
{
    while (p < end && isBlank(*p))
        ++p;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-'))
        negative = *p++ == '-';
    const char *start = p;
    bool digits = false;
    // The digits as one whole number and how many of them follow the point.
    quint64 whole = 0;
    int count = 0, fraction = 0;
    while (p < end && isDigit(*p)) {
        whole = whole * 10 + quint64(*p++ - '0');
        ++count;
        digits = true;
    }
    if (p < end && *p == '.') {
        ++p;
        while (p < end && isDigit(*p)) {
            whole = whole * 10 + quint64(*p++ - '0');
            ++count;
            ++fraction;
            digits = true;
        }
    }
    if (!digits)
        return std::nullopt;
    bool exponent = false;
    if (p < end && (*p == 'e' || *p == 'E')) {
        const char *q = p + 1;
        if (q < end && (*q == '+' || *q == '-'))
            ++q;
        if (q < end && isDigit(*q)) {
            while (q < end && isDigit(*q))
                ++q;
            p = q;
            exponent = true;
        }
    }
    // A receiver's coordinate has a dozen digits and no exponent: the whole number and the
    // power of ten are both exact, so the one rounding of the division gives the nearest
    // double, the value from_chars gives, at a fraction of its cost.
    if (!exponent && count <= MaxExactDigits) {
        const double v = double(whole) / PowersOfTen[fraction];
        return negative ? -v : v;
    }
    double v = 0.0;
    const auto r = std::from_chars(start, p, v);
    if (r.ec != std::errc() || !std::isfinite(v))
        return std::nullopt;
    return negative ? -v : v;
}

// 1 or 2 digits.
bool readSmallNumber(const char *&p, const char *end, int &value)
{
    if (p >= end || !isDigit(*p))
        return false;
    value = *p++ - '0';
    if (p < end && isDigit(*p))
        value = value * 10 + (*p++ - '0');
    return true;
}

// "h:mm", "hh:mm:ss", "hh:mm:ss.fff" (the fraction dropped): seconds since midnight, or −1.
int parseTimeItem(const char *p, const char *end)
{
    int h = 0, m = 0, s = 0;
    if (!readSmallNumber(p, end, h) || p >= end || *p++ != ':' || !readSmallNumber(p, end, m))
        return -1;
    if (p < end && *p == ':') {
        ++p;
        if (!readSmallNumber(p, end, s))
            return -1;
        if (p < end && (*p == '.' || *p == ',')) {
            ++p;
            while (p < end && isDigit(*p))
                ++p;
        }
    }
    if (p != end || h > 23 || m > 59 || s > 59)
        return -1;
    return h * 3600 + m * 60 + s;
}

struct Item {
    const char *begin;
    const char *end;
    QByteArrayView view() const { return QByteArrayView(begin, end - begin); }
};

class Parser
{
public:
    Parser(RaceControl &rc, BoatTrack &track, TrackParseResult &result, const QString &file)
        : m_rc(rc), m_track(track), m_result(result), m_problems(&result.problems, file)
    {
    }

    void run(QByteArrayView bytes);

private:
    void line(const char *p, const char *end);
    void record(const char *p, const char *end);
    std::optional<double> coordinate(const Item &item, bool latitude);
    qint64 dayOf(const Item &item);
    void updateWindow();
    void warn(FileProblem::Kind kind) { m_problems.add(m_lineNumber, kind); }

    RaceControl &m_rc;
    BoatTrack &m_track;
    TrackParseResult &m_result;
    ProblemReporter m_problems;
    CoordinateForm m_form = CoordinateForm::DegreesDecimalMinutes;
    int m_lineNumber = 0;

    // The date item of the previous record and its Julian day (fixes come in runs of one day).
    char m_lastDate[32] = {};
    qsizetype m_lastDateSize = -1;
    qint64 m_lastDay = 0;

    // The load window in seconds, refreshed whenever the start moves.
    bool m_open = true;
    qint64 m_fromMinute = 0, m_toMinute = 0;
    qint64 m_start = 0;
    bool m_haveStart = false;

    bool m_haveAccepted = false;
    qint64 m_lastAccepted = 0;
    bool m_haveRead = false;
    qint64 m_lastRead = 0;
};

void Parser::updateWindow()
{
    // Open when the race has no finish: a race without FT, or without ST (the first fix then
    // clears the finish). It stays open for every file of the load; see the header.
    m_open = m_rc.FinishTime.isNull() || m_rc.DisplayEnd.isNull();
    m_fromMinute = m_rc.DisplayStart.isNull() ? 0 : floorDiv(toSeconds(m_rc.DisplayStart), 60);
    m_toMinute = m_rc.DisplayEnd.isNull() ? 0 : floorDiv(toSeconds(m_rc.DisplayEnd), 60);
    m_haveStart = !m_rc.StartTime.isNull();
    m_start = m_haveStart ? toSeconds(m_rc.StartTime) : 0;
}

void Parser::run(QByteArrayView bytes)
{
    m_track.Points.resize(0);
    updateWindow();
    const bool openAtStart = m_open;

    const char *p = bytes.data();
    const char *const end = p + bytes.size();
    while (p < end) {
        const char *nl = static_cast<const char *>(std::memchr(p, '\n', size_t(end - p)));
        const char *lineEnd = nl ? nl : end;
        // CR LF, LF alone, or CR alone (one CR-separated line after another).
        const char *q = p;
        for (;;) {
            const char *cr = static_cast<const char *>(std::memchr(q, '\r', size_t(lineEnd - q)));
            if (!cr) {
                if (q < lineEnd || nl)
                    line(q, lineEnd);
                break;
            }
            line(q, cr);
            q = cr + 1;
            if (q == lineEnd)
                break;
        }
        p = nl ? nl + 1 : end;
    }

    if (m_haveAccepted && (openAtStart || m_rc.FinishTime.isNull() || m_rc.DisplayEnd.isNull())) {
        if (m_rc.FinishTime.isNull() || toSeconds(m_rc.FinishTime) < m_lastAccepted)
            m_rc.FinishTime = fromSeconds(m_lastAccepted);
    }
    if (m_haveRead)
        m_rc.LastFixTime = fromSeconds(m_lastRead);
    m_result.accepted = int(m_track.Points.size());
}

void Parser::line(const char *p, const char *end)
{
    ++m_lineNumber;
    if (p == end)
        return;
    if (*p == 'U') {
        m_form = coordinateFormOfUnitLine(QByteArrayView(p, end - p));
        return;
    }
    if (*p == 'T')
        record(p, end);
}

std::optional<double> Parser::coordinate(const Item &item, bool latitude)
{
    double sign = 0.0;
    switch (item.begin[0]) {
    case 'N': case 'n': sign = latitude ? 1.0 : 0.0; break;
    case 'S': case 's': sign = latitude ? -1.0 : 0.0; break;
    case 'E': case 'e': sign = latitude ? 0.0 : 1.0; break;
    case 'W': case 'w': sign = latitude ? 0.0 : -1.0; break;
    case '+': sign = 1.0; break;
    case '-': sign = -1.0; break;
    default: break;
    }
    if (sign == 0.0) {
        warn(latitude ? FileProblem::LatitudeWithoutHemisphere : FileProblem::LongitudeWithoutHemisphere);
        return std::nullopt;
    }
    const auto v = leadingNumber(item.begin + 1, item.end);
    if (!v) {
        warn(latitude ? FileProblem::InvalidLatitude : FileProblem::InvalidLongitude);
        return std::nullopt;
    }
    const double minutes = sign * coordinateToMinutes(*v, m_form);
    if (!std::isfinite(minutes) || std::fabs(minutes) > (latitude ? MaxLatMinutes : MaxLonMinutes)) {
        warn(latitude ? FileProblem::LatitudeOutOfRange : FileProblem::LongitudeOutOfRange);
        return std::nullopt;
    }
    return minutes;
}

qint64 Parser::dayOf(const Item &item)
{
    const qsizetype size = item.end - item.begin;
    if (size == m_lastDateSize && std::memcmp(item.begin, m_lastDate, size_t(size)) == 0)
        return m_lastDay;
    const QDate d = parseTrackDate(item.view());
    const qint64 day = d.isValid() ? d.toJulianDay() : std::numeric_limits<qint64>::min();
    if (size <= qsizetype(sizeof m_lastDate)) {
        std::memcpy(m_lastDate, item.begin, size_t(size));
        m_lastDateSize = size;
        m_lastDay = day;
    }
    return day;
}

void Parser::record(const char *p, const char *end)
{
    Item items[6];
    int count = 0;
    while (count < 6) {
        while (p < end && isBlank(*p))
            ++p;
        if (p == end)
            break;
        const char *b = p;
        while (p < end && !isBlank(*p))
            ++p;
        items[count++] = {b, p};
    }
    if (count < 6) {
        warn(FileProblem::FewerThanSixItems);
        return;
    }
    const auto lat = coordinate(items[1], true);
    if (!lat)
        return;
    const auto lon = coordinate(items[2], false);
    if (!lon)
        return;
    const qint64 day = dayOf(items[3]);
    if (day == std::numeric_limits<qint64>::min()) {
        warn(FileProblem::InvalidDate);
        return;
    }
    const int timeOfDay = parseTimeItem(items[4].begin, items[4].end);
    if (timeOfDay < 0) {
        warn(FileProblem::InvalidTime);
        return;
    }
    // UTC to the local time of the race area; whole hours, so a fix late in the UTC day moves
    // to the next local day and one early in it (negative differences) to the previous day.
    const qint64 t = day * SecondsPerDay + timeOfDay + qint64(m_rc.TimeDifference) * 3600;
    ++m_result.records;
    m_haveRead = true;
    m_lastRead = t;

    if (m_rc.FirstFixTime.isNull())
        m_rc.FirstFixTime = fromSeconds(t);
    if (m_rc.StartTime.isNull()) {
        m_rc.StartTime = m_rc.FirstFixTime.addSecs(240);
        m_rc.DisplayStart = m_rc.FirstFixTime;
        m_rc.FinishTime = {};
        m_rc.DisplayEnd = {};
        updateWindow();
    }

    if (!m_open) {
        const qint64 minute = floorDiv(t, 60);
        if (minute < m_fromMinute || minute > m_toMinute)
            return;
    }
    if (m_haveAccepted && t == m_lastAccepted)
        return;
    m_haveAccepted = true;
    m_lastAccepted = t;
    TrackPoint point;
    point.Time = double(t - m_start);
    point.Lat = *lat;
    point.Lon = *lon;
    m_track.Points.append(point);
}

} // namespace

CoordinateForm coordinateFormOfUnitLine(QByteArrayView line)
{
    if (line.contains(QByteArrayView("DEG")))
        return CoordinateForm::DecimalDegrees;
    if (line.contains(QByteArrayView("DMS")))
        return CoordinateForm::DegreesMinutesSeconds;
    return CoordinateForm::DegreesDecimalMinutes;
}

double coordinateToMinutes(double v, CoordinateForm form)
{
    switch (form) {
    case CoordinateForm::DecimalDegrees:
        return v * 60.0;
    case CoordinateForm::DegreesMinutesSeconds: {
        const double d = std::floor(v / 10000.0);
        const double m = std::floor((v - 10000.0 * d) / 100.0);
        const double s = v - 10000.0 * d - 100.0 * m;
        return d * 60.0 + m + s / 60.0;
    }
    case CoordinateForm::DegreesDecimalMinutes:
        break;
    }
    const double d = std::floor(v / 100.0);
    return d * 60.0 + (v - 100.0 * d);
}

QDate parseTrackDate(QByteArrayView item)
{
    const char separator = item.contains('-') ? '-' : '/';
    const qsizetype first = item.indexOf(separator);
    const qsizetype second = first < 0 ? -1 : item.indexOf(separator, first + 1);
    QString text = QString::fromLatin1(item);
    if (second >= 0) {
        const QByteArrayView middle = item.sliced(first + 1, second - first - 1);
        const QByteArrayView last = item.sliced(second + 1);
        // A month name with a two-digit year: the receivers wrote 03-MAR-08 for 2008.
        if (middle.size() > 2 && last.size() < 3) {
            text = QString::fromLatin1(item.first(first)) + QLatin1Char('-') + QString::fromLatin1(middle) +
                   QLatin1String("-20") + QString::fromLatin1(last);
        }
    }
    return platform::LocalDateTime::parseDate(text);
}

qsizetype expectedFixes(QByteArrayView bytes)
{
    return platform::expectedRecords(bytes, 'T');
}

bool isTrackFileName(const QString &name)
{
    const QStringView tail = QStringView(name).right(3);
    return tail == QLatin1String("TRK") || tail == QLatin1String("DTR") || tail == QLatin1String("trk") ||
           tail == QLatin1String("dtr");
}

TrackParseResult parseTrackBytes(QByteArrayView bytes, RaceControl &rc, BoatTrack &track, const QString &problemFile)
{
    TrackParseResult result;
    {
        // The parser's reporter closes the list of problems when it goes.
        Parser parser(rc, track, result, problemFile);
        parser.run(bytes);
    }
    return result;
}

void mergeTrackTimes(RaceControl &race, const RaceControl &parsed, const TrackParseResult &result)
{
    if (race.StartTime.isNull()) {
        race.StartTime = parsed.StartTime;
        race.DisplayStart = parsed.DisplayStart;
        race.FinishTime = parsed.FinishTime;
        race.DisplayEnd = parsed.DisplayEnd;
    } else if (!parsed.FinishTime.isNull() && (race.FinishTime.isNull() || race.FinishTime < parsed.FinishTime)) {
        race.FinishTime = parsed.FinishTime;
    }
    if (race.FirstFixTime.isNull())
        race.FirstFixTime = parsed.FirstFixTime;
    if (result.records > 0)
        race.LastFixTime = parsed.LastFixTime;
}

TrackParseResult ParseTrackFile(const AppSettings &settings, RaceControl &rc, int boatNumber, BoatTrack &track)
{
    TrackParseResult result;
    track.Points.clear();
    if (boatNumber < 1 || boatNumber > rc.boatCount()) {
        result.status = TrackParseResult::Missing;
        return result;
    }
    const QString &name = rc.Boats[boatNumber - 1].TrackFile;
    result.path = platform::resolvePath(settings.ApplicationFolder, QStringLiteral("gpsdat/") + name);
    const QFileInfo info(result.path);
    if (!info.exists() || !info.isFile()) {
        result.status = TrackParseResult::Missing;
        return result;
    }
    if (!isTrackFileName(name)) {
        result.status = TrackParseResult::WrongName;
        return result;
    }
    if (info.size() <= MinTrackFileBytes) {
        result.status = TrackParseResult::TooShort;
        return result;
    }
    QFile file(result.path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.status = TrackParseResult::Unreadable;
        result.error = file.errorString();
        return result;
    }
    // Mapping spares a copy of a large log; a file system that cannot map is read whole. A file
    // beyond the bound is read up to the last line end within it.
    const bool truncated = file.size() > platform::MaxTrackFileBytes;
    const qint64 size = truncated ? platform::MaxTrackFileBytes : file.size();
    QByteArray copy;
    QByteArrayView bytes;
    if (uchar *mapped = file.map(0, size)) {
        bytes = QByteArrayView(reinterpret_cast<const char *>(mapped), size);
    } else {
        copy = file.read(size);
        if (file.error() != QFileDevice::NoError) {
            result.status = TrackParseResult::Unreadable;
            result.error = file.errorString();
            return result;
        }
        bytes = copy;
    }
    if (truncated)
        bytes = bytes.first(std::max(bytes.lastIndexOf('\n'), bytes.lastIndexOf('\r')) + 1);
    track.Points.reserve(expectedFixes(bytes));
    TrackParseResult parsed = parseTrackBytes(bytes, rc, track, problemFileName(settings.ApplicationFolder, result.path));
    parsed.path = result.path;
    if (truncated) {
        parsed.problems.append({problemFileName(settings.ApplicationFolder, result.path), 0, FileProblem::FileTooLarge,
                                QString::number(platform::MaxTrackFileBytes >> 20)});
    }
    return parsed;
}
