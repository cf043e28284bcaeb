#include "localdatetime.h"

#include <QRegularExpression>

namespace platform {

static constexpr qint64 SecondsPerDay = 86400;

static qint64 floorDiv(qint64 a, qint64 b)
{
    qint64 q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

// The years the files can write: four digits.
static bool isWritableYear(int year)
{
    return year >= 1 && year <= 9999;
}

LocalDateTime LocalDateTime::fromDate(QDate date, int secondsOfDay)
{
    LocalDateTime t;
    if (!date.isValid() || !isWritableYear(date.year()) || secondsOfDay < 0 || secondsOfDay >= SecondsPerDay)
        return t;
    t.m_seconds = date.toJulianDay() * SecondsPerDay + secondsOfDay;
    t.m_valid = true;
    return t;
}

LocalDateTime LocalDateTime::fromParts(int year, int month, int day, int hour, int minute, int second)
{
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        return {};
    if (!QDate::isValid(year, month, day))
        return {};
    return fromDate(QDate(year, month, day), hour * 3600 + minute * 60 + second);
}

static int monthFromName(QStringView name)
{
    static const char *const names[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                        "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    if (name.size() < 3)
        return 0;
    const QString upper = name.toString().toUpper();
    static const char *const full[] = {"JANUARY", "FEBRUARY", "MARCH", "APRIL", "MAY", "JUNE", "JULY",
                                       "AUGUST", "SEPTEMBER", "OCTOBER", "NOVEMBER", "DECEMBER"};
    for (int i = 0; i < 12; ++i) {
        if (upper == QLatin1String(names[i]) || upper == QLatin1String(full[i]))
            return i + 1;
    }
    if (upper == QLatin1String("SEPT"))
        return 9;
    return 0;
}

QDate LocalDateTime::parseDate(QStringView text)
{
    static const QRegularExpression numeric(QStringLiteral(R"(^\s*(\d{4})[/\-.](\d{1,2})[/\-.](\d{1,2})\s*$)"));
    static const QRegularExpression named(QStringLiteral(R"(^\s*(\d{1,2})[\-/ ]([A-Za-z]{3,9})\.?[\-/ ](\d{4})\s*$)"));
    auto m = numeric.match(text.toString());
    if (m.hasMatch()) {
        const QDate d(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
        return d.isValid() ? d : QDate();
    }
    m = named.match(text.toString());
    if (m.hasMatch()) {
        const int month = monthFromName(m.capturedView(2));
        if (month == 0)
            return {};
        const QDate d(m.captured(3).toInt(), month, m.captured(1).toInt());
        return d.isValid() ? d : QDate();
    }
    return {};
}

std::optional<int> LocalDateTime::parseTimeOfDay(QStringView text)
{
    static const QRegularExpression re(QStringLiteral(R"(^\s*(\d{1,2}):(\d{1,2})(?::(\d{1,2})(?:[.,]\d*)?)?\s*$)"));
    const auto m = re.match(text.toString());
    if (!m.hasMatch())
        return std::nullopt;
    const int h = m.captured(1).toInt();
    const int mi = m.captured(2).toInt();
    const int s = m.capturedLength(3) > 0 ? m.captured(3).toInt() : 0;
    if (h > 23 || mi > 59 || s > 59)
        return std::nullopt;
    return h * 3600 + mi * 60 + s;
}

LocalDateTime LocalDateTime::parse(QStringView text)
{
    const QString s = text.trimmed().toString();
    if (s.isEmpty())
        return {};
    // Split off the time: the last blank- or T-separated part holding a colon.
    QString datePart = s;
    QString timePart;
    const qsizetype colon = s.indexOf(u':');
    if (colon >= 0) {
        qsizetype cut = colon;
        while (cut > 0 && s.at(cut - 1) != u' ' && s.at(cut - 1) != u'T' && s.at(cut - 1) != u't')
            --cut;
        if (cut == 0)
            return {};
        datePart = s.left(cut - 1);
        timePart = s.mid(cut);
    }
    const QDate date = parseDate(datePart);
    if (!date.isValid())
        return {};
    int seconds = 0;
    if (!timePart.isEmpty()) {
        const auto t = parseTimeOfDay(timePart);
        if (!t)
            return {};
        seconds = *t;
    }
    return fromDate(date, seconds);
}

LocalDateTime LocalDateTime::parseSystemText(QStringView text)
{
    const LocalDateTime t = parse(text);
    if (!t.isNull())
        return t;
    static const QRegularExpression us(QStringLiteral(
        R"(^\s*(\d{1,2})/(\d{1,2})/(\d{4})(?:\s+(\d{1,2}):(\d{2})(?::(\d{2}))?(?:\s*([AaPp])\.?[Mm]\.?)?)?\s*$)"));
    const auto m = us.match(text.toString());
    if (!m.hasMatch())
        return {};
    const int month = m.captured(1).toInt();
    const int day = m.captured(2).toInt();
    const int year = m.captured(3).toInt();
    int hour = m.capturedLength(4) > 0 ? m.captured(4).toInt() : 0;
    const int minute = m.capturedLength(5) > 0 ? m.captured(5).toInt() : 0;
    const int second = m.capturedLength(6) > 0 ? m.captured(6).toInt() : 0;
    if (m.capturedLength(7) > 0) {
        // 12:xx AM is just after midnight, 12:xx PM just after noon; 0 or 13 has no AM or PM.
        if (hour < 1 || hour > 12)
            return {};
        const bool pm = m.captured(7).compare(QLatin1String("p"), Qt::CaseInsensitive) == 0;
        hour = hour % 12 + (pm ? 12 : 0);
    }
    return fromParts(year, month, day, hour, minute, second);
}

QDate LocalDateTime::date() const
{
    return m_valid ? QDate::fromJulianDay(floorDiv(m_seconds, SecondsPerDay)) : QDate();
}

int LocalDateTime::secondsOfDay() const
{
    return m_valid ? int(m_seconds - floorDiv(m_seconds, SecondsPerDay) * SecondsPerDay) : 0;
}

QString LocalDateTime::dateText() const
{
    if (!m_valid)
        return {};
    const QDate d = date();
    return QStringLiteral("%1/%2/%3")
        .arg(d.year(), 4, 10, QLatin1Char('0'))
        .arg(d.month(), 2, 10, QLatin1Char('0'))
        .arg(d.day(), 2, 10, QLatin1Char('0'));
}

QString LocalDateTime::toString() const
{
    if (!m_valid)
        return {};
    const int s = secondsOfDay();
    return dateText() + QStringLiteral(" %1:%2:%3")
                            .arg(s / 3600, 2, 10, QLatin1Char('0'))
                            .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
                            .arg(s % 60, 2, 10, QLatin1Char('0'));
}

LocalDateTime LocalDateTime::addSecs(qint64 seconds) const
{
    LocalDateTime t = *this;
    if (!m_valid)
        return t;
    // A sum past the range of the count, or of the years the files write, is no date-time.
    if (__builtin_add_overflow(m_seconds, seconds, &t.m_seconds))
        return {};
    const QDate date = QDate::fromJulianDay(floorDiv(t.m_seconds, SecondsPerDay));
    if (!date.isValid() || !isWritableYear(date.year()))
        return {};
    return t;
}

LocalDateTime LocalDateTime::addDays(qint64 days) const
{
    qint64 seconds = 0;
    if (__builtin_mul_overflow(days, SecondsPerDay, &seconds))
        return {};
    return addSecs(seconds);
}

qint64 LocalDateTime::secsTo(const LocalDateTime &other) const
{
    if (!m_valid || !other.m_valid)
        return 0;
    return other.m_seconds - m_seconds;
}

qint64 LocalDateTime::minutesTo(const LocalDateTime &other) const
{
    if (!m_valid || !other.m_valid)
        return 0;
    return floorDiv(other.m_seconds, 60) - floorDiv(m_seconds, 60);
}

std::strong_ordering LocalDateTime::operator<=>(const LocalDateTime &other) const
{
    if (m_valid != other.m_valid)
        return m_valid ? std::strong_ordering::greater : std::strong_ordering::less;
    return m_seconds <=> other.m_seconds;
}

} // namespace platform
