#include "textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

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

TextReadResult readTextFile(const QString &path)
{
    TextReadResult result;
    QFile file(path);
    if (QFileInfo(path).isDir())
        result.reason = QStringLiteral("is a folder, not a file");
    else if (!file.open(QIODevice::ReadOnly))
        result.reason = file.errorString();
    if (!result.reason.isEmpty()) {
        result.error = QStringLiteral("%1: %2").arg(path, result.reason);
        return result;
    }
    result.lines = splitLines(decodeAnsi(file.readAll()));
    result.ok = true;
    return result;
}

bool writeFileAtomically(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    if (file.write(bytes) != bytes.size() || !file.commit()) {
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
