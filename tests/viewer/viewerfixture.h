// Small application folders for the viewer tests: race control, track and wind files written
// as the programs keep them (CP932, CR LF), in a temporary folder.
#pragma once

#include <localdatetime.h>
#include <textfile.h>

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

namespace viewertest {

class AppFolder
{
public:
    AppFolder()
    {
        for (const char *f : {"raceadmin", "gpsdat", "winddat", "coastline", "attachment"})
            QDir(m_dir.path()).mkpath(QString::fromLatin1(f));
    }
    QString path() const { return m_dir.path(); }
    QString file(const QString &relative) const { return QDir(m_dir.path()).filePath(relative); }

    void write(const QString &relative, const QStringList &lines) const
    {
        QString error;
        QVERIFY2(platform::writeTextFile(file(relative), lines, &error), qPrintable(error));
    }
    void writeBytes(const QString &relative, const QByteArray &bytes) const
    {
        QFile f(file(relative));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

private:
    QTemporaryDir m_dir;
};

inline platform::LocalDateTime at(const char *text)
{
    return platform::LocalDateTime::parse(QString::fromLatin1(text));
}

// A coordinate in packed degrees and decimal minutes: 2112.5 minutes north → "N3512.50000".
inline QString packed(double minutes, char positive, char negative)
{
    const double m = std::fabs(minutes);
    const int degrees = int(m / 60);
    return QLatin1Char(minutes < 0 ? negative : positive) +
           QString::number(degrees * 100 + (m - degrees * 60.0), 'f', 5);
}

// One sample line: "T  N3512.50000 E13945.00000 03-MAR-08 01:00:00 5" (UTC date as day-month-year).
inline QString sampleLine(double latMinutes, double lonMinutes, const platform::LocalDateTime &utc)
{
    static const char *const months[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                         "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    const QDate d = utc.date();
    const int s = utc.secondsOfDay();
    return QStringLiteral("T  %1 %2 %3-%4-%5 %6:%7:%8 5")
        .arg(packed(latMinutes, 'N', 'S'), packed(lonMinutes, 'E', 'W'))
        .arg(d.day(), 2, 10, QLatin1Char('0'))
        .arg(QLatin1String(months[d.month() - 1]))
        .arg(d.year() % 100, 2, 10, QLatin1Char('0'))
        .arg(s / 3600, 2, 10, QLatin1Char('0'))
        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

inline const QStringList &trackHeader()
{
    static const QStringList header{QStringLiteral("H  SOFTWARE NAME & VERSION"), QStringLiteral("I  PCX5 2.09"),
                                    QStringLiteral("U  LAT LON DM"),
                                    QStringLiteral("H  LATITUDE    LONGITUDE    DATE      TIME     ALT  ;track")};
    return header;
}

} // namespace viewertest
