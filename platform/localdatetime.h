// A date and time of day as written in the race files: a naive local time of the race area.
//
// It carries no time zone and never consults the machine's: the machine's zone and daylight
// saving cannot shift it. Whole seconds, in the years 1 to 9999 (the four-digit years the files
// write, so that every value written reads back). A default-constructed value is null ("empty"
// in the files) and says so through isNull().
#pragma once

#include <QDate>
#include <QString>
#include <QStringView>

#include <compare>
#include <optional>

namespace platform {

class LocalDateTime
{
public:
    LocalDateTime() = default;
    // Null when the parts do not make a real date and time (month 13, 31 February, 24:00:00).
    static LocalDateTime fromParts(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
    static LocalDateTime fromDate(QDate date, int secondsOfDay = 0);

    // Accepts "yyyy/mm/dd hh:mm:ss" (one or two digits for month, day, hour; seconds optional),
    // the same with "-" or "." between the date parts or "T" before the time, a date alone,
    // and day-month name-year forms "03-MAR-2008", "3 Mar 2008", "03/MAR/2008" with an optional time.
    // Anything else, or an impossible date or time, gives a null value.
    static LocalDateTime parse(QStringView text);
    // A date-time in the system's default text, as Windows writes it on a Japanese or an
    // English (United States) system: every form parse() accepts, and month/day/year with a
    // 12-hour time and AM or PM, "5/3/2008 10:34:00 AM" (also "5/3/2008 10:34 PM", the date
    // alone for midnight, or a 24-hour time without AM or PM).
    static LocalDateTime parseSystemText(QStringView text);
    // A date alone in any form parse() accepts; an invalid QDate otherwise.
    static QDate parseDate(QStringView text);
    // "h:mm", "hh:mm:ss", "hh:mm:ss.fff" (fraction dropped): seconds since midnight.
    static std::optional<int> parseTimeOfDay(QStringView text);

    bool isNull() const { return !m_valid; }
    QDate date() const;
    int secondsOfDay() const;

    // "yyyy/mm/dd hh:mm:ss"; empty for a null value.
    QString toString() const;
    // "yyyy/mm/dd"; empty for a null value.
    QString dateText() const;

    // Null when this is null, or when the result lies outside the years 1 to 9999.
    LocalDateTime addSecs(qint64 seconds) const;
    LocalDateTime addDays(qint64 days) const;
    // Whole seconds from this to other (other − this); 0 when either is null.
    qint64 secsTo(const LocalDateTime &other) const;
    // Minute boundaries from this to other: both are first cut down to their minute, so
    // 10:26:40 → 10:27:05 is 1 and 10:26:05 → 10:26:40 is 0.
    qint64 minutesTo(const LocalDateTime &other) const;

    bool operator==(const LocalDateTime &other) const = default;
    std::strong_ordering operator<=>(const LocalDateTime &other) const;

private:
    qint64 m_seconds = 0; // seconds since the start of Julian day 0
    bool m_valid = false;
};

} // namespace platform
