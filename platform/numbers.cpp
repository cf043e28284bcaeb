#include "numbers.h"

#include <cmath>

namespace platform {

double leadingNumber(QStringView text)
{
    return readLeadingNumber(text).value_or(0.0);
}

std::optional<double> readLeadingNumber(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == u' ' || text[i] == u'\t' || text[i] == u'\u3000'))
        ++i;
    QString number;
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        number += text[i++];
    bool digits = false;
    while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
        number += text[i++];
        digits = true;
    }
    if (i < n && text[i] == u'.') {
        number += text[i++];
        while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
            number += text[i++];
            digits = true;
        }
    }
    if (!digits)
        return std::nullopt;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        QString exponent = QStringLiteral("e");
        if (j < n && (text[j] == u'+' || text[j] == u'-'))
            exponent += text[j++];
        bool expDigits = false;
        while (j < n && text[j].isDigit() && text[j].unicode() < 128) {
            exponent += text[j++];
            expDigits = true;
        }
        if (expDigits)
            number += exponent;
    }
    bool ok = false;
    const double v = number.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

double roundTo(double x, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return std::floor(x * scale + 0.5) / scale;
}

int roundHalfEven(double x)
{
    if (!std::isfinite(x))
        return 0;
    const double r = std::nearbyint(x); // default rounding mode: to nearest, ties to even
    if (r > 2147483647.0)
        return 2147483647;
    if (r < -2147483648.0)
        return -2147483647 - 1;
    return int(r);
}

double foldAngle(double degrees)
{
    if (degrees > 180.0)
        return degrees - 360.0;
    if (degrees < -180.0)
        return degrees + 360.0;
    return degrees;
}

QString formatNumber(double x, int digits)
{
    if (!std::isfinite(x))
        return QStringLiteral("0");
    if (x == 0.0)
        return QStringLiteral("0");
    QString s = QString::number(x, 'g', digits);
    if (s.contains(u'e')) {
        // Keep plain decimals for the ordinary range; only extreme values keep the exponent.
        const double magnitude = std::fabs(x);
        if (magnitude >= 1e-6 && magnitude < 1e15) {
            s = QString::number(x, 'f', digits);
            if (s.contains(u'.')) {
                while (s.endsWith(u'0'))
                    s.chop(1);
                if (s.endsWith(u'.'))
                    s.chop(1);
            }
        } else {
            s = s.toUpper();
        }
    }
    return s;
}

QString formatSignedNumber(double x, int digits)
{
    const QString s = formatNumber(x, digits);
    return s.startsWith(u'-') ? s : QLatin1Char(' ') + s;
}

} // namespace platform
