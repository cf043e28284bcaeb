#include "appfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace platform {

QString executableFolder()
{
    QString folder = QCoreApplication::applicationDirPath();
    while (folder.size() > 1 && (folder.endsWith('/') || folder.endsWith('\\')))
        folder.chop(1);
    return folder;
}

static QStringList components(const QString &relative)
{
    QString r = relative;
    r.replace('\\', '/');
    return r.split('/', Qt::SkipEmptyParts);
}

static QString findEntry(const QDir &dir, const QString &name)
{
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return name;
    if (QFileInfo::exists(dir.filePath(name)))
        return name;
    const QStringList entries = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                              QDir::Name);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return name;
}

QString resolvePath(const QString &base, const QString &relative)
{
    QString path = base;
    for (const QString &part : components(relative)) {
        const QString found = findEntry(QDir(path), part);
        path = path.isEmpty() ? found : QDir(path).filePath(found);
    }
    return QDir::cleanPath(path);
}

bool fileExists(const QString &base, const QString &relative)
{
    return QFileInfo(resolvePath(base, relative)).isFile();
}

bool folderExists(const QString &base, const QString &relative)
{
    return QFileInfo(resolvePath(base, relative)).isDir();
}

qint64 fileSize(const QString &base, const QString &relative)
{
    const QFileInfo info(resolvePath(base, relative));
    return info.isFile() ? info.size() : -1;
}

QStringList listFiles(const QString &base, const QString &pathPattern)
{
    QStringList parts = components(pathPattern);
    if (parts.isEmpty())
        return {};
    const QString pattern = parts.takeLast();
    const QString folder = resolvePath(base, parts.join('/'));
    const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(pattern, QRegularExpression::UnanchoredWildcardConversion),
                                QRegularExpression::CaseInsensitiveOption);
    const QRegularExpression anchored(QRegularExpression::anchoredPattern(re.pattern()), re.patternOptions());
    QStringList names;
    const QStringList entries = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &entry : entries) {
        if (anchored.match(entry).hasMatch())
            names << entry;
    }
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

} // namespace platform
