// The small conversions every reader of the viewer shares: taking a line apart into its key and
// items, seconds between two date-times, coordinates in the three notations of the GPS track
// files, and the number and date forms the viewer accepts.
#pragma once

#include <localdatetime.h>

#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// Item 0 is the key. The text before each separator, trimmed, is the next item ("0" when the
// separator is the first character of what is left); what follows is trimmed and searched again,
// so with a blank as separator a run of blanks counts as one. The rest after the last separator
// is the last item ("0" when empty). A line without a separator is its own key. Every item is
// kept, however many the line holds.
QStringList splitItems(QStringView line, QChar separator);

// What secondsFrom gives when either date-time is missing or could not be read: far outside
// any race, so whatever it times is dropped.
constexpr qint64 UnconvertibleSeconds = -1000000;

// Signed whole seconds from ref to t (negative when t lies before ref); UnconvertibleSeconds when
// either is null.
qint64 secondsFrom(const platform::LocalDateTime &t, const platform::LocalDateTime &ref);

// How the coordinates of a track file are written; a line holding "DMS" or "DEG" anywhere
// switches the file to that notation for the lines after it.
enum class CoordinateNotation {
    DM,  // packed degrees and decimal minutes: 3512.345 is 35° 12.345′ (the default)
    DEG, // decimal degrees: 35.5 is 35.5°
    DMS, // packed degrees, minutes and seconds: 1394530.5 is 139° 45′ 30.5″
};

// A coordinate item in minutes of arc, signed. The first character is the hemisphere: "S", "W"
// and "-" make the value negative; "N", "E", "+" and any other letter positive. An item that
// starts with a digit or "." has no hemisphere character and is positive. The digits are split
// at the decimal point as the notation packs them (a value without a point is read as if it
// ended in one). Nothing when the digits are not a plain unsigned decimal number.
std::optional<double> parseCoordinate(QStringView item, CoordinateNotation notation);
std::optional<double> parseCoordinate(QByteArrayView item, CoordinateNotation notation);

// A decimal number as a whole item: optional sign, digits, optional point and exponent, nothing
// else. Nothing when the text is not such a number.
std::optional<double> parseNumber(QStringView item);
// A number rounded to the nearest whole one (a half to the even one).
std::optional<int> parseWholeNumber(QStringView item);

// The date of a track sample. An item of three parts joined by "-" (a-b-c) is first rewritten
// as c/b/a, so "03-MAR-08" and "03-MAR-2008" read as 2008/MAR/03. The date is then year first,
// "/" between the parts: a two-digit year is 20yy, the month a number or an English month name;
// when the last part is a four-digit year (as after rewriting "2008-03-03") the order is
// day/month/year. An invalid QDate when no real day is named.
QDate parseTrackDate(QByteArrayView item);

// A time of day "h:mm:ss" or "h:mm" (a fraction of a second is dropped): seconds since midnight.
std::optional<int> parseTimeOfDay(QByteArrayView item);

// The date-times of the race control and wind files (ST, FT, wind times): every form the
// programs' date parser accepts ("yyyy/mm/dd hh:mm:ss" …), and a date in the track sample
// forms followed by a time. Null when it is neither.
platform::LocalDateTime parseDateTime(QStringView text);
