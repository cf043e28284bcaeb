// Text files as the programs keep them: the ANSI code page of a Japanese system (CP932,
// Shift-JIS) with CR LF line ends, read and written whole.
//
// Reading accepts CR LF, LF alone and CR alone as line ends. Writing replaces the file
// atomically (a temporary file beside it, then a rename), so a crash never leaves half a file.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace platform {

// CP932 bytes to text and back. Characters CP932 cannot hold become "?".
QString decodeAnsi(const QByteArray &bytes);
QByteArray encodeAnsi(const QString &text);

// Splits decoded text into lines at CR LF, LF or CR. A final line end does not make an empty line.
QStringList splitLines(const QString &text);

struct TextReadResult {
    bool ok = false;
    QStringList lines;
    QString error;  // why it could not be read, naming the file
    QString reason; // the same without the file's name
};

// Reads a whole text file (absolute path) in CP932.
TextReadResult readTextFile(const QString &path);

// Writes lines, each ended by CR LF, in CP932, replacing the file atomically.
// Returns false and sets *error (naming the file) when it cannot be written.
bool writeTextFile(const QString &path, const QStringList &lines, QString *error = nullptr);

// The same for raw bytes.
bool writeFileAtomically(const QString &path, const QByteArray &bytes, QString *error = nullptr);

} // namespace platform
