#include "filecopy.h"

#include <appfolder.h>
#include <textfile.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <optional>

namespace {

constexpr qint64 ChunkBytes = 1 << 20;

QString failure(const QString &path, const QString &reason)
{
    return QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), reason);
}

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

// The components of a relative name, or nothing when it is absolute or climbs out of its folder.
std::optional<QStringList> safeComponents(const QString &name)
{
    QString n = name;
    n.replace(u'\\', u'/');
    if (n.startsWith(u'/') || (n.size() >= 2 && n.at(1) == u':'))
        return std::nullopt;
    const QStringList parts = n.split(u'/', Qt::SkipEmptyParts);
    for (const QString &p : parts) {
        if (p == QLatin1String(".."))
            return std::nullopt;
    }
    return parts;
}

} // namespace

bool copyFileReplacing(const QString &source, const QString &target, QString *error)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        setError(error, failure(source, in.errorString()));
        return false;
    }
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly)) {
        setError(error, failure(target, out.errorString()));
        return false;
    }
    // The temporary file takes the permissions now, so the renamed file has them at once.
    out.setPermissions(in.permissions());
    QByteArray chunk;
    while (!in.atEnd()) {
        chunk = in.read(ChunkBytes);
        if (chunk.isEmpty() && in.error() != QFileDevice::NoError) {
            setError(error, failure(source, in.errorString()));
            out.cancelWriting();
            return false;
        }
        if (!platform::writeReplacement(out, chunk)) {
            setError(error, failure(target, out.errorString()));
            out.cancelWriting();
            return false;
        }
    }
    if (!out.commit()) {
        setError(error, failure(target, out.errorString()));
        return false;
    }
    return true;
}

bool writeFileReplacing(const QString &path, const QByteArray &bytes, bool executable, QString *error)
{
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly)) {
        setError(error, failure(path, out.errorString()));
        return false;
    }
    if (executable) {
        out.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup
                           | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther);
    }
    if (!platform::writeReplacement(out, bytes)) {
        setError(error, failure(path, out.errorString()));
        out.cancelWriting();
        return false;
    }
    if (!out.commit()) {
        setError(error, failure(path, out.errorString()));
        return false;
    }
    return true;
}

CopyOutcome copyIfPresent(const QString &sourceFolder, const QString &destinationFolder, const QString &name, QString *error)
{
    if (name.trimmed().isEmpty())
        return CopyOutcome::Absent;
    const std::optional<QStringList> parts = safeComponents(name);
    if (!parts || parts->isEmpty())
        return CopyOutcome::Refused;
    const QString source = platform::resolvePath(sourceFolder, parts->join(u'/'));
    if (!QFileInfo(source).isFile())
        return CopyOutcome::Absent;
    // The source folder's own spelling of the name, subfolders included.
    const QString relative = QDir(QDir::cleanPath(sourceFolder)).relativeFilePath(source);
    const QString target = QDir(destinationFolder).filePath(relative);
    const QString targetFolder = QFileInfo(target).absolutePath();
    if (!QFileInfo(targetFolder).isDir() && !QDir().mkpath(targetFolder)) {
        setError(error, failure(targetFolder, QStringLiteral("the folder cannot be created")));
        return CopyOutcome::Failed;
    }
    return copyFileReplacing(source, target, error) ? CopyOutcome::Copied : CopyOutcome::Failed;
}
