// A machine for the start-up tests: the locale, the drive kind and the screen are what the
// test says; programs are "started" only when the test lists them as startable, and waits
// are recorded instead of waited.
#pragma once

#include <startupsequence.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>

class FakeStartupSystem : public StartupSystem
{
public:
    int localeId = 1033;
    bool opticalDisc = false;
    double twipsX = 15.0, twipsY = 15.0;
    QStringList startable; // file names (no folder) that start
    QStringList started;   // file names asked to start, in order
    QList<int> waits;      // milliseconds waited

    int userLocaleId() const override { return localeId; }
    bool isOnOpticalDisc(const QString &) const override { return opticalDisc; }
    bool startProgram(const QString &path) override
    {
        const QString name = QFileInfo(path).fileName();
        started.append(name);
        return startable.contains(name) && QFileInfo(path).isFile();
    }
    void waitResponsive(int milliseconds) override { waits.append(milliseconds); }
    double twipsPerPixelX() const override { return twipsX; }
    double twipsPerPixelY() const override { return twipsY; }
};

// A temporary application folder.
class AppFolderFixture
{
public:
    QString path() const { return m_dir.path(); }
    // Writes a file below the folder (relative with "/"), creating its folders; CR LF lines.
    void write(const QString &relative, const QByteArray &content = QByteArray()) const
    {
        const QString full = m_dir.filePath(relative);
        QDir().mkpath(QFileInfo(full).absolutePath());
        QFile f(full);
        if (f.open(QIODevice::WriteOnly))
            f.write(content);
    }
    void makeFolder(const QString &relative) const { QDir().mkpath(m_dir.filePath(relative)); }

private:
    QTemporaryDir m_dir;
};
