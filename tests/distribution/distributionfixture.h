// A small application folder for the distribution tests: two races with their track, wind,
// coast and attachment files (some named in another letter case, some missing), a stand-in
// program, the gun sound, and stand-in runtime files in a folder of their own.
#pragma once

#include <distributionplan.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

class DistributionFixture
{
public:
    DistributionFixture()
    {
        write("orvane", "#!/bin/sh\necho the program\n", true);
        write("gun.wav", "RIFF gun");
        write("raceadmin/race1.txt",
              "WF, race1_WIND.CSV\r\nT1, Race one\r\nBN, a.trk, Alpha\r\nBN, B.TRK, Bravo\r\nMK, 2100.5, 8300.25\r\n"
              "MAP, 5239\r\nLL, 45,160\r\nBT, 3\r\nAT, rules.html\r\n");
        write("raceadmin/race2.txt",
              "WF, missing_WIND.CSV\r\nBN, c.trk, Charlie\r\nBN, a.trk, Alpha\r\nMAP, 5240\r\nMAP, 9999\r\n");
        write("raceadmin/ver.txt", "not a race\r\n");
        write("gpsdat/a.trk", "track a\r\n");
        write("gpsdat/b.trk", "track b\r\n");
        write("gpsdat/c.trk", "track c\r\n");
        write("gpsdat/unused.trk", "not named\r\n");
        write("winddat/race1_WIND.CSV", "wind\r\n");
        write("coastline/5239.cst", "tile 5239\r\n");
        write("coastline/5240.cst", "tile 5240\r\n");
        write("coastline/5338.cst", "not named\r\n");
        write("attachment/rules.html", "<p>rules</p>\r\n");
        write("attachment/other.pdf", "not named\r\n");
        writeRuntime("lib/libQt6Fake.so.6", "library");
        writeRuntime("plugins/platforms/libqfake.so", "plugin");
    }

    QString path() const { return m_app.path(); }
    QString file(const QString &relative) const { return m_app.filePath(relative); }

    void write(const QString &relative, const QByteArray &content, bool executable = false) const
    {
        const QString full = m_app.filePath(relative);
        QDir().mkpath(QFileInfo(full).absolutePath());
        QFile f(full);
        if (f.open(QIODevice::WriteOnly))
            f.write(content);
        f.close();
        if (executable)
            f.setPermissions(f.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther);
    }

    DistributionSources sources() const
    {
        DistributionSources s;
        s.ProgramFile = m_app.filePath(QStringLiteral("orvane"));
        const QString runtime = m_runtime.path();
        s.runtimeFiles = [runtime] {
            RuntimeFiles r;
            r.Files = {{runtime + QStringLiteral("/lib/libQt6Fake.so.6"), QStringLiteral("lib/libQt6Fake.so.6")},
                       {runtime + QStringLiteral("/plugins/platforms/libqfake.so"), QStringLiteral("plugins/platforms/libqfake.so")}};
            return r;
        };
        return s;
    }

    // Every entry below a folder, relative, folders with a trailing "/", sorted.
    static QStringList tree(const QString &folder)
    {
        QStringList entries;
        QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            it.next();
            const QString relative = QDir(folder).relativeFilePath(it.filePath());
            entries << (it.fileInfo().isDir() ? relative + u'/' : relative);
        }
        entries.sort();
        return entries;
    }

    static QByteArray contents(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private:
    void writeRuntime(const QString &relative, const QByteArray &content) const
    {
        const QString full = m_runtime.filePath(relative);
        QDir().mkpath(QFileInfo(full).absolutePath());
        QFile f(full);
        if (f.open(QIODevice::WriteOnly))
            f.write(content);
    }

    QTemporaryDir m_app;
    QTemporaryDir m_runtime;
};
