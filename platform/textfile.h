// Text files as the programs keep them: the ANSI code page of a Japanese system (CP932,
// Shift-JIS) with CR LF line ends, read and written whole.
//
// Reading accepts CR LF, LF alone and CR alone as line ends. Writing replaces the file
// atomically (a temporary file beside it, then a rename), so a crash never leaves half a file.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QSaveFile>
#include <QString>
#include <QStringList>

namespace platform {

// CP932 bytes to text and back. Characters CP932 cannot hold become "?".
QString decodeAnsi(const QByteArray &bytes);
QByteArray encodeAnsi(const QString &text);

// Splits decoded text into lines at CR LF, LF or CR. A final line end does not make an empty line.
QStringList splitLines(const QString &text);

// What a path names, as a reader that wants a file finds it.
enum class PathKind {
    RegularFile,
    Missing,
    Folder,
    DeadLink, // a symbolic link to itself, in a loop, or to nothing
    Special,  // a device, a pipe or a socket: reading it may never end
};
PathKind pathKind(const QString &path);
// Why a path of that kind cannot be read as a file ("is a folder, not a file"); empty for a
// regular file.
QString pathKindReason(PathKind kind);

// The most a reader takes from one file. A longer file is read up to the last line end within
// the bound, and the reader says that the rest was left out. Far beyond any race: a race
// control or wind file of 64 MB holds more than a million lines, a GPS file of 512 MB ten
// million fixes (115 days at one a second).
constexpr qint64 MaxTextFileBytes = qint64(64) << 20;
constexpr qint64 MaxTrackFileBytes = qint64(512) << 20;

struct FileReadResult {
    bool ok = false;
    QByteArray bytes;
    bool truncated = false; // the file is longer than the bound: bytes holds its first lines
    QString reason;         // why it could not be read
};

// How many records to make room for before the bytes of a log are parsed: the bytes from the
// first line starting with `lead` on, divided by that line's length, and a sixteenth more
// (receivers write records of one length, give or take a digit). 0 when no line starts so.
qsizetype expectedRecords(QByteArrayView bytes, char lead);

// Reads a regular file whole, or its lines up to maxBytes when it is longer. Folders, dead
// links, devices and pipes are not opened (a pipe would wait for a writer forever).
FileReadResult readFileBytes(const QString &path, qint64 maxBytes);

struct TextReadResult {
    bool ok = false;
    QStringList lines;
    bool truncated = false; // only the lines within maxBytes were read
    QString error;  // why it could not be read, naming the file
    QString reason; // the same without the file's name
};

// Reads a whole text file (absolute path) in CP932, at most maxBytes of it.
TextReadResult readTextFile(const QString &path, qint64 maxBytes = MaxTextFileBytes);

// Writes lines, each ended by CR LF, in CP932, replacing the file atomically.
// Returns false and sets *error (naming the file) when it cannot be written.
bool writeTextFile(const QString &path, const QStringList &lines, QString *error = nullptr);

// The same for raw bytes.
bool writeFileAtomically(const QString &path, const QByteArray &bytes, QString *error = nullptr);

// Every writer that replaces a file goes through a QSaveFile (a temporary file beside the
// target, renamed over it by commit()) and puts its bytes there with writeReplacement().
// Appends bytes to the temporary file of a replacement. False when they cannot be written.
bool writeReplacement(QSaveFile &file, QByteArrayView bytes);

// Test seam: a hook that writeReplacement() calls once the first bytes of a file are in its
// temporary file (written through to the system), before the rest and before the rename. A test
// installs one that ends the process there, and finds the previous file whole: a writer killed
// in the middle of a write never leaves half a file. nullptr removes it.
using WriteInterruption = void (*)(const QString &targetPath);
void setWriteInterruption(WriteInterruption hook);

} // namespace platform
