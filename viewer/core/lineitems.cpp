#include "lineitems.h"

#include <QLocale>

#include <charconv>
#include <cmath>

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Digits with at most one decimal point and at least one digit; an empty text is 0 only when
// emptyIsZero (the leading degrees of a packed coordinate may be absent: "N12.5" is 0° 12.5′).
// The digits are gathered into a whole number and divided once by the power of ten of the
// fraction: both are exact for up to 15 digits, so the quotient is the correctly rounded value,
// as a full decimal conversion gives it. Longer numbers take that conversion.
std::optional<double> unsignedDecimal(const char *begin, const char *end, bool emptyIsZero)
{
    if (begin >= end)
        return emptyIsZero ? std::optional<double>(0.0) : std::nullopt;
    static constexpr double PowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7,
                                             1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    qint64 mantissa = 0;
    int digits = 0, fraction = -1;
    for (const char *p = begin; p != end; ++p) {
        if (isDigit(*p)) {
            mantissa = mantissa * 10 + (*p - '0');
            ++digits;
            if (fraction >= 0)
                ++fraction;
            if (digits > 15)
                break;
        } else if (*p == '.' && fraction < 0) {
            fraction = 0;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (digits <= 15)
        return double(mantissa) / PowersOfTen[std::max(fraction, 0)];
    for (const char *p = begin; p != end; ++p) {
        if (!isDigit(*p) && *p != '.')
            return std::nullopt;
    }
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(begin, end, value, std::chars_format::fixed);
    if (ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

qsizetype pointIndex(const char *begin, const char *end)
{
    for (const char *p = begin; p != end; ++p) {
        if (*p == '.')
            return p - begin;
    }
    return end - begin;
}

int monthFromName(QByteArrayView name)
{
    static const char *const names[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                        "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    if (name.size() < 3)
        return 0;
    const QByteArray upper = name.toByteArray().toUpper();
    for (int i = 0; i < 12; ++i) {
        if (upper.startsWith(names[i]))
            return i + 1;
    }
    return 0;
}

std::optional<int> smallNumber(QByteArrayView text, int maxDigits)
{
    if (text.isEmpty() || text.size() > maxDigits)
        return std::nullopt;
    int v = 0;
    for (char c : text) {
        if (!isDigit(c))
            return std::nullopt;
        v = v * 10 + (c - '0');
    }
    return v;
}

QByteArrayView trimmed(QByteArrayView v)
{
    qsizetype b = 0, e = v.size();
    while (b < e && (v[b] == ' ' || v[b] == '\t'))
        ++b;
    while (e > b && (v[e - 1] == ' ' || v[e - 1] == '\t'))
        --e;
    return v.sliced(b, e - b);
}

} // namespace

QStringList splitItems(QStringView line, QChar separator)
{
    QStringList items;
    QStringView rest = line;
    for (;;) {
        const qsizetype p = rest.indexOf(separator);
        if (p < 0)
            break;
        items << (p == 0 ? QStringLiteral("0") : rest.left(p).trimmed().toString());
        rest = rest.mid(p + 1).trimmed();
    }
    const QStringView last = rest.trimmed();
    items << (last.isEmpty() && !items.isEmpty() ? QStringLiteral("0") : last.toString());
    return items;
}

qint64 secondsFrom(const platform::LocalDateTime &t, const platform::LocalDateTime &ref)
{
    if (t.isNull() || ref.isNull())
        return UnconvertibleSeconds;
    return ref.secsTo(t);
}

std::optional<double> parseCoordinate(QByteArrayView item, CoordinateNotation notation)
{
    if (item.isEmpty())
        return std::nullopt;
    const char *begin = item.data();
    const char *end = begin + item.size();
    double sign = 1.0;
    const char h = *begin;
    if (!isDigit(h) && h != '.') {
        if (h == 'S' || h == 'W' || h == 's' || h == 'w' || h == '-')
            sign = -1.0;
        ++begin;
    }
    if (begin == end)
        return std::nullopt;
    const qsizetype p = pointIndex(begin, end);
    switch (notation) {
    case CoordinateNotation::DEG: {
        const auto v = unsignedDecimal(begin, end, false);
        if (!v)
            return std::nullopt;
        return sign * *v * 60.0;
    }
    case CoordinateNotation::DM: {
        const char *split = begin + std::max<qsizetype>(p - 2, 0);
        const auto degrees = unsignedDecimal(begin, split, true);
        const auto minutes = unsignedDecimal(split, end, false);
        if (!degrees || !minutes)
            return std::nullopt;
        return sign * (*degrees * 60.0 + *minutes);
    }
    case CoordinateNotation::DMS: {
        const char *minutesAt = begin + std::max<qsizetype>(p - 4, 0);
        const char *secondsAt = begin + std::max<qsizetype>(p - 2, 0);
        const auto degrees = unsignedDecimal(begin, minutesAt, true);
        const auto minutes = unsignedDecimal(minutesAt, secondsAt, true);
        const auto seconds = unsignedDecimal(secondsAt, end, false);
        if (!degrees || !minutes || !seconds)
            return std::nullopt;
        return sign * (*degrees * 60.0 + *minutes + *seconds / 60.0);
    }
    }
    return std::nullopt;
}

std::optional<double> parseCoordinate(QStringView item, CoordinateNotation notation)
{
    for (QChar c : item) {
        if (c.unicode() > 127)
            return std::nullopt;
    }
    return parseCoordinate(QByteArrayView(item.toLatin1()), notation);
}

std::optional<double> parseNumber(QStringView item)
{
    static const QLocale c = [] {
        QLocale l = QLocale::c();
        l.setNumberOptions(QLocale::RejectGroupSeparator);
        return l;
    }();
    bool ok = false;
    const double v = c.toDouble(item.trimmed(), &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<int> parseWholeNumber(QStringView item)
{
    const auto v = parseNumber(item);
    if (!v || std::fabs(*v) > 2e9)
        return std::nullopt;
    const double r = std::nearbyint(*v); // the default rounding mode: a half to the even one
    return int(r);
}

QDate parseTrackDate(QByteArrayView item)
{
    QByteArrayView parts[3];
    const QByteArrayView text = trimmed(item);
    if (text.contains('-')) {
        // a-b-c is read as c/b/a: the day-month-year of the receivers becomes year first.
        const qsizetype d1 = text.indexOf('-');
        const qsizetype d2 = text.indexOf('-', d1 + 1);
        if (d2 < 0 || text.indexOf('-', d2 + 1) >= 0)
            return {};
        parts[2] = text.first(d1);
        parts[1] = text.sliced(d1 + 1, d2 - d1 - 1);
        parts[0] = text.sliced(d2 + 1);
    } else {
        const qsizetype s1 = text.indexOf('/');
        const qsizetype s2 = s1 < 0 ? -1 : text.indexOf('/', s1 + 1);
        if (s2 < 0 || text.indexOf('/', s2 + 1) >= 0)
            return {};
        parts[0] = text.first(s1);
        parts[1] = text.sliced(s1 + 1, s2 - s1 - 1);
        parts[2] = text.sliced(s2 + 1);
    }
    for (QByteArrayView &p : parts)
        p = trimmed(p);

    QByteArrayView yearText = parts[0], dayText = parts[2];
    if (parts[2].size() == 4 && parts[0].size() <= 2) {
        yearText = parts[2];
        dayText = parts[0];
    }
    auto year = smallNumber(yearText, 4);
    const auto day = smallNumber(dayText, 2);
    if (!year || !day)
        return {};
    if (yearText.size() <= 2)
        *year += 2000;
    int month = 0;
    if (const auto m = smallNumber(parts[1], 2))
        month = *m;
    else
        month = monthFromName(parts[1]);
    if (!QDate::isValid(*year, month, *day))
        return {};
    return QDate(*year, month, *day);
}

std::optional<int> parseTimeOfDay(QByteArrayView item)
{
    const QByteArrayView text = trimmed(item);
    if (text.size() == 8 && text[2] == ':' && text[5] == ':') {
        // The common "hh:mm:ss".
        const auto two = [&text](int at) {
            return isDigit(text[at]) && isDigit(text[at + 1]) ? (text[at] - '0') * 10 + (text[at + 1] - '0') : -1;
        };
        const int h = two(0), m = two(3), s = two(6);
        if (h < 0 || m < 0 || s < 0 || h > 23 || m > 59 || s > 59)
            return std::nullopt;
        return h * 3600 + m * 60 + s;
    }
    const qsizetype c1 = text.indexOf(':');
    if (c1 < 0)
        return std::nullopt;
    qsizetype c2 = text.indexOf(':', c1 + 1);
    const auto hours = smallNumber(text.first(c1), 2);
    QByteArrayView minuteText, secondText;
    if (c2 < 0) {
        minuteText = text.sliced(c1 + 1);
    } else {
        minuteText = text.sliced(c1 + 1, c2 - c1 - 1);
        secondText = text.sliced(c2 + 1);
        const qsizetype point = secondText.indexOf('.');
        if (point >= 0) {
            if (!smallNumber(secondText.sliced(point + 1), 9) && point + 1 != secondText.size())
                return std::nullopt;
            secondText = secondText.first(point);
        }
    }
    const auto minutes = smallNumber(minuteText, 2);
    const auto seconds = c2 < 0 ? std::optional<int>(0) : smallNumber(secondText, 2);
    if (!hours || !minutes || !seconds || *hours > 23 || *minutes > 59 || *seconds > 59)
        return std::nullopt;
    return *hours * 3600 + *minutes * 60 + *seconds;
}

platform::LocalDateTime parseDateTime(QStringView text)
{
    const platform::LocalDateTime t = platform::LocalDateTime::parse(text);
    if (!t.isNull())
        return t;
    const QStringView s = text.trimmed();
    const qsizetype blank = s.indexOf(QLatin1Char(' '));
    const QByteArray date = (blank < 0 ? s : s.left(blank)).toLatin1();
    const QDate d = parseTrackDate(date);
    if (!d.isValid())
        return {};
    if (blank < 0)
        return platform::LocalDateTime::fromDate(d);
    const auto time = parseTimeOfDay(s.mid(blank + 1).toLatin1());
    return time ? platform::LocalDateTime::fromDate(d, *time) : platform::LocalDateTime();
}
