#include "textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <cstring>

namespace platform {

// Qt reaches CP932 through ICU. A Qt built without it falls back to the system code page.
static QStringDecoder makeDecoder()
{
    for (const char *name : {"windows-31j", "CP932", "Shift_JIS"}) {
        QStringDecoder decoder(name);
        if (decoder.isValid())
            return decoder;
    }
    return QStringDecoder(QStringConverter::System);
}

static QStringEncoder makeEncoder()
{
    for (const char *name : {"windows-31j", "CP932", "Shift_JIS"}) {
        QStringEncoder encoder(name);
        if (encoder.isValid())
            return encoder;
    }
    return QStringEncoder(QStringConverter::System);
}

QString decodeAnsi(const QByteArray &bytes)
{
    auto decoder = makeDecoder();
    return decoder(bytes);
}

QByteArray encodeAnsi(const QString &text)
{
    auto encoder = makeEncoder();
    return encoder(text);
}

QStringList splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            lines << text.mid(start, i - start);
            if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines << text.mid(start);
    return lines;
}

PathKind pathKind(const QString &path)
{
    const QFileInfo info(path);
    if (info.isFile())
        return PathKind::RegularFile;
    if (info.isDir())
        return PathKind::Folder;
    if (info.isSymLink() && !info.exists())
        return PathKind::DeadLink;
    return info.exists() ? PathKind::Special : PathKind::Missing;
}

QString pathKindReason(PathKind kind)
{
    switch (kind) {
    case PathKind::RegularFile: return {};
    case PathKind::Missing: return QStringLiteral("not found");
    case PathKind::Folder: return QStringLiteral("is a folder, not a file");
    case PathKind::DeadLink: return QStringLiteral("is a link that leads to no file (to itself, in a loop or to nothing)");
    case PathKind::Special: return QStringLiteral("is a device, a pipe or a socket, not a file");
    }
    return {};
}

qsizetype expectedRecords(QByteArrayView bytes, char lead)
{
    const char *const begin = bytes.data();
    const char *const end = begin + bytes.size();
    for (const char *p = begin; p < end;) {
        const char *nl = static_cast<const char *>(std::memchr(p, '\n', size_t(end - p)));
        if (*p == lead) {
            const qsizetype length = (nl ? nl + 1 : end) - p;
            const qsizetype rest = end - p;
            return rest / length + rest / length / 16 + 1;
        }
        if (!nl)
            break;
        p = nl + 1;
    }
    return 0;
}

FileReadResult readFileBytes(const QString &path, qint64 maxBytes)
{
    FileReadResult result;
    const PathKind kind = pathKind(path);
    if (kind != PathKind::RegularFile) {
        result.reason = pathKindReason(kind);
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.reason = file.errorString();
        return result;
    }
    const qint64 size = file.size();
    if (size > maxBytes) {
        result.bytes = file.read(maxBytes);
        result.truncated = true;
        // Up to the last line end, so that no line is cut in two.
        const qsizetype end = std::max(result.bytes.lastIndexOf('\n'), result.bytes.lastIndexOf('\r'));
        result.bytes.truncate(end + 1);
    } else {
        result.bytes = file.readAll();
    }
    if (file.error() != QFileDevice::NoError) {
        result.bytes.clear();
        result.reason = file.errorString();
        return result;
    }
    result.ok = true;
    return result;
}

TextReadResult readTextFile(const QString &path, qint64 maxBytes)
{
    TextReadResult result;
    FileReadResult read = readFileBytes(path, maxBytes);
    if (!read.ok) {
        result.reason = read.reason;
        result.error = QStringLiteral("%1: %2").arg(path, result.reason);
        return result;
    }
    result.lines = splitLines(decodeAnsi(read.bytes));
    result.truncated = read.truncated;
    result.ok = true;
    return result;
}

static WriteInterruption s_writeInterruption = nullptr;

void setWriteInterruption(WriteInterruption hook)
{
    s_writeInterruption = hook;
}

bool writeReplacement(QSaveFile &file, QByteArrayView bytes)
{
    if (s_writeInterruption && file.pos() == 0 && !bytes.isEmpty()) {
        constexpr qsizetype FirstBytes = 16;
        const qsizetype first = std::min(bytes.size(), FirstBytes);
        if (file.write(bytes.data(), first) != first || !file.flush())
            return false;
        s_writeInterruption(file.fileName());
        bytes = bytes.sliced(first);
    }
    return bytes.isEmpty() || file.write(bytes.data(), bytes.size()) == bytes.size();
}

bool writeFileAtomically(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    if (!writeReplacement(file, bytes) || !file.commit()) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        file.cancelWriting();
        return false;
    }
    return true;
}

bool writeTextFile(const QString &path, const QStringList &lines, QString *error)
{
    QString text;
    for (const QString &line : lines) {
        text += line;
        text += QLatin1String("\r\n");
    }
    return writeFileAtomically(path, encodeAnsi(text), error);
}

} // namespace platform
