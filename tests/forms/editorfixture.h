// A temporary application folder for the editor tests, with small track files whose first
// and last records the test chooses.
#pragma once

#include <textfile.h>

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

class EditorFolder
{
public:
    EditorFolder()
    {
        for (const char *folder : {"raceadmin", "gpsdat", "winddat", "attachment"})
            QDir(path()).mkpath(QLatin1String(folder));
    }
    QString path() const { return m_dir.path(); }
    QString file(const QString &relative) const { return QDir(path()).filePath(relative); }

    // Writes lines (CR LF, CP932) below the folder.
    void write(const QString &relative, const QStringList &lines) const
    {
        QDir().mkpath(QFileInfo(file(relative)).absolutePath());
        QVERIFY(platform::writeTextFile(file(relative), lines));
    }
    QByteArray read(const QString &relative) const
    {
        QFile f(file(relative));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // A track file in gpsdat with a header, the unit line and one record per (date, time)
    // pair, all at the given packed coordinates.
    void writeTrack(const QString &name, const QString &lat, const QString &lon,
                    const QList<QPair<QString, QString>> &records, const QString &unit = QStringLiteral("DM")) const
    {
        QStringList lines{QStringLiteral("H  SOFTWARE NAME & VERSION"), QStringLiteral("M  G WGS 84"),
                          QStringLiteral("U  LAT LON ") + unit};
        for (const auto &r : records)
            lines << QStringLiteral("T  %1 %2 %3 %4 5").arg(lat, lon, r.first, r.second);
        write(QStringLiteral("gpsdat/") + name, lines);
    }

private:
    QTemporaryDir m_dir;
};
