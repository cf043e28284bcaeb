// Number helpers used throughout the programs, and the number forms of the files.
#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace platform {

// The value of the number at the start of a text: leading blanks and tabs skipped, an optional
// sign, digits with an optional decimal point, an optional exponent ("1.5E3"). 0 when the text
// does not start with a number. This is how number boxes and numeric file values are read.
double leadingNumber(QStringView text);
// The same, but nothing when the text does not start with a number or the number is beyond
// the range of a double, so a reader can tell a 0 from no number at all.
std::optional<double> readLeadingNumber(QStringView text);

// Int(x × 10^decimals + 0.5) / 10^decimals, Int rounding toward minus infinity.
double roundTo(double x, int decimals);

// Rounds to the nearest integer, a half to the even one (the integer conversion of the files).
int roundHalfEven(double x);

// Brings an angle difference into −180 … 180 by one addition or one subtraction of 360.
double foldAngle(double degrees);

// A number as the files write it: "." as decimal point, no thousands separator, at most
// `digits` significant digits (15 for double fields, 7 for single ones), no exponent in the
// range of race values, no trailing zeros. -7 → "-7", 4.7 → "4.7", 0.5 → "0.5".
QString formatNumber(double x, int digits = 15);

// The same with a leading blank for zero and positive values: 4.7 → " 4.7", -7 → "-7".
QString formatSignedNumber(double x, int digits = 15);

} // namespace platform
