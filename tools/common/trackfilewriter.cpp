#include "trackfilewriter.h"

#include <numbers.h>

#include <cmath>

namespace tools {

bool parseTrackUnit(const QString &text, TrackUnit *unit)
{
    const QString t = text.trimmed().toUpper();
    if (t == QLatin1String("DM"))
        *unit = TrackUnit::DM;
    else if (t == QLatin1String("DEG"))
        *unit = TrackUnit::DEG;
    else if (t == QLatin1String("DMS"))
        *unit = TrackUnit::DMS;
    else
        return false;
    return true;
}

QString trackUnitName(TrackUnit unit)
{
    switch (unit) {
    case TrackUnit::DEG:
        return QStringLiteral("DEG");
    case TrackUnit::DMS:
        return QStringLiteral("DMS");
    case TrackUnit::DM:
        break;
    }
    return QStringLiteral("DM");
}

// The digits are built from one rounded integer so that a value just below a whole minute or
// second never prints as "60".
static QString formatCoordinate(double deg, TrackUnit unit, int degreeDigits)
{
    const qint64 width = degreeDigits;
    const double a = std::fabs(deg);
    switch (unit) {
    case TrackUnit::DEG: {
        const qint64 q = std::llround(a * 1e7);
        return QStringLiteral("%1.%2")
            .arg(q / 10000000, int(width), 10, QLatin1Char('0'))
            .arg(q % 10000000, 7, 10, QLatin1Char('0'));
    }
    case TrackUnit::DMS: {
        const qint64 q = std::llround(a * 3600.0 * 1000.0); // milliseconds of arc
        const qint64 d = q / 3600000;
        const qint64 m = (q % 3600000) / 60000;
        const qint64 ms = q % 60000;
        return QStringLiteral("%1%2%3.%4")
            .arg(d, int(width), 10, QLatin1Char('0'))
            .arg(m, 2, 10, QLatin1Char('0'))
            .arg(ms / 1000, 2, 10, QLatin1Char('0'))
            .arg(ms % 1000, 3, 10, QLatin1Char('0'));
    }
    case TrackUnit::DM:
        break;
    }
    const qint64 q = std::llround(a * 60.0 * 100000.0); // 1e-5 minutes
    const qint64 d = q / 6000000;
    const qint64 m = q % 6000000;
    return QStringLiteral("%1%2.%3")
        .arg(d, int(width), 10, QLatin1Char('0'))
        .arg(m / 100000, 2, 10, QLatin1Char('0'))
        .arg(m % 100000, 5, 10, QLatin1Char('0'));
}

QString formatLatitude(double latDeg, TrackUnit unit)
{
    return (latDeg < 0 ? QStringLiteral("S") : QStringLiteral("N")) + formatCoordinate(latDeg, unit, 2);
}

QString formatLongitude(double lonDeg, TrackUnit unit)
{
    return (lonDeg < 0 ? QStringLiteral("W") : QStringLiteral("E")) + formatCoordinate(lonDeg, unit, 3);
}

static QString formatDate(const QDate &d, TrackDateForm form)
{
    // Readers take a two-digit year as 20yy: other centuries keep all four digits.
    if (form == TrackDateForm::Slashed || d.year() < 2000 || d.year() > 2099)
        return QStringLiteral("%1/%2/%3")
            .arg(d.year(), 4, 10, QLatin1Char('0'))
            .arg(d.month(), 2, 10, QLatin1Char('0'))
            .arg(d.day(), 2, 10, QLatin1Char('0'));
    static const char *const months[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                         "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    // Two-digit years are read back as 20yy.
    return QStringLiteral("%1-%2-%3")
        .arg(d.day(), 2, 10, QLatin1Char('0'))
        .arg(QLatin1String(months[d.month() - 1]))
        .arg(d.year() % 100, 2, 10, QLatin1Char('0'));
}

QString formatTrackRecord(const TrackFix &fix, const TrackFileOptions &options)
{
    const int s = fix.Utc.secondsOfDay();
    const QString time = QStringLiteral("%1:%2:%3")
                             .arg(s / 3600, 2, 10, QLatin1Char('0'))
                             .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
                             .arg(s % 60, 2, 10, QLatin1Char('0'));
    return QStringLiteral("T  %1 %2 %3 %4 %5")
        .arg(formatLatitude(fix.LatDeg, options.Unit), formatLongitude(fix.LonDeg, options.Unit),
             formatDate(fix.Utc.date(), options.DateForm), time,
             platform::formatNumber(std::round(fix.AltitudeM)));
}

QStringList formatTrackFile(const QList<TrackFix> &fixes, const TrackFileOptions &options)
{
    QStringList lines;
    lines.reserve(fixes.size() + 12);
    lines << QStringLiteral("H  SOFTWARE NAME & VERSION") << QStringLiteral("I  ") + options.Software
          << QString();
    lines << QStringLiteral("H  R DATUM                IDX DA            DF            DX            DY            DZ")
          << QStringLiteral("M  G WGS 84               121 +0.000000e+00 +0.000000e+00 +0.000000e+00 +0.000000e+00 +0.000000e+00")
          << QString();
    lines << QStringLiteral("H  COORDINATE SYSTEM") << QStringLiteral("U  LAT LON ") + trackUnitName(options.Unit)
          << QString();
    if (!options.TrackName.isEmpty())
        lines << QStringLiteral("H  TRACK ") + options.TrackName;
    lines << QStringLiteral("H  LATITUDE    LONGITUDE    DATE      TIME     ALT");
    for (const TrackFix &fix : fixes)
        lines << formatTrackRecord(fix, options);
    return lines;
}

} // namespace tools
