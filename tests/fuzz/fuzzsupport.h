// What the fuzz targets of tests/fuzz share: taking a fuzzed input apart into the parts a reader
// needs, and laying out a whole application folder from one input.
//
// Inputs that give a reader its race: the race control lines, a NUL byte, then the file the
// reader reads ("ST, 2024/07/13 10:00:00\r\nTD, 9\r\n\0T N3517.1 ..."). Without a NUL the whole
// input is the file and the race is empty (no start, no finish).
//
// A race folder in one input (the report targets): lines "@@@ file PATH", "@@@ folder PATH" and
// "@@@ link PATH TARGET" start the entries; a file's bytes are everything up to the next such
// line. PATH is relative to the application folder ("gpsdat/a.trk"); TARGET is relative to the
// link's own folder ("a.trk", or the link's own name for a link to itself). Paths that would
// leave the folder are dropped. The seeds (fuzz-seeds) are written in the same form.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

namespace fuzz {

struct RaceAndFile {
    QByteArrayView race; // the race control lines before the NUL (empty without one)
    QByteArrayView file; // the bytes after it
};
RaceAndFile splitRaceAndFile(QByteArrayView input);

// The lines of CP932 bytes, as the readers get them from platform::readTextFile.
QStringList textLines(QByteArrayView bytes);

struct FolderEntry {
    enum Kind { File, Folder, Link };
    Kind kind = File;
    QString path;       // relative, "/" between folders
    QByteArray content; // File
    QString target;     // Link
};

constexpr int MaxFolderEntries = 64;

QList<FolderEntry> parseFolderArchive(QByteArrayView input);
QByteArray formatFolderArchive(const QList<FolderEntry> &entries);

// A folder for one run, removed with everything in it when the object goes. In /dev/shm when
// there is one, so that the many runs of a fuzzer do not wear a disk.
class ScratchFolder
{
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;

    const QString &path() const { return m_path; }
    bool isValid() const { return !m_path.isEmpty(); }

private:
    QString m_path;
};

// Lays the entries out below folder. Returns the name of the first file of raceadmin ending in
// ".txt" (the race to load), or empty when there is none.
QString layOutFolder(const QString &folder, const QList<FolderEntry> &entries);

} // namespace fuzz
