#include "system.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QLockFile>
#include <QProcess>
#include <QStandardPaths>
#include <QStorageInfo>

namespace platform {

bool startProgram(const QString &path, QString *error)
{
    const QFileInfo info(path);
    if (!info.isFile()) {
        if (error)
            *error = QStringLiteral("%1: no such program").arg(path);
        return false;
    }
    qint64 pid = 0;
    if (!QProcess::startDetached(info.absoluteFilePath(), {}, info.absolutePath(), &pid)) {
        if (error)
            *error = QStringLiteral("%1: could not be started").arg(path);
        return false;
    }
    return true;
}

int localeIdForName(const QString &name)
{
    QString n = name;
    const qsizetype dot = n.indexOf(u'.');
    if (dot >= 0)
        n.truncate(dot);
    const qsizetype at = n.indexOf(u'@');
    if (at >= 0)
        n.truncate(at);
    if (n.isEmpty() || n == QLatin1String("C") || n == QLatin1String("POSIX"))
        return 1033;
    n.replace(u'-', u'_');
    struct Entry { const char *name; int id; };
    static const Entry table[] = {
        {"en_US", 1033}, {"ja_JP", 1041}, {"en_GB", 2057}, {"en_AU", 3081}, {"en_CA", 4105},
        {"en_NZ", 5129}, {"en_IE", 6153}, {"de_DE", 1031}, {"fr_FR", 1036}, {"es_ES", 3082},
        {"it_IT", 1040}, {"nl_NL", 1043}, {"pl_PL", 1045}, {"pt_BR", 1046}, {"ko_KR", 1042},
        {"zh_CN", 2052}, {"zh_TW", 1028}, {"sv_SE", 1053}, {"da_DK", 1030}, {"fi_FI", 1035},
        {"nb_NO", 1044}, {"ru_RU", 1049},
    };
    for (const Entry &e : table) {
        if (n.compare(QLatin1String(e.name), Qt::CaseInsensitive) == 0)
            return e.id;
    }
    return 0;
}

int userLocaleId()
{
    // LC_ALL, then LC_MESSAGES, then LANG: the variable that decides the user's language.
    for (const char *var : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = qEnvironmentVariable(var);
        if (!value.isEmpty())
            return localeIdForName(value);
    }
    return localeIdForName(QLocale::system().name());
}

static LocalDateTime fromQDateTime(const QDateTime &dt)
{
    const QTime t = dt.time();
    return LocalDateTime::fromDate(dt.date(), t.hour() * 3600 + t.minute() * 60 + t.second());
}

LocalDateTime utcNow()
{
    return fromQDateTime(QDateTime::currentDateTimeUtc());
}

LocalDateTime localNow()
{
    return fromQDateTime(QDateTime::currentDateTime());
}

int timeZoneHours(const LocalDateTime &utc, const LocalDateTime &local)
{
    const auto hourOf = [](const LocalDateTime &t) {
        const qint64 s = LocalDateTime::fromDate(QDate(2000, 1, 1)).secsTo(t);
        return s >= 0 ? s / 3600 : -((-s + 3599) / 3600);
    };
    return int(hourOf(local) - hourOf(utc));
}

int timeZoneHours()
{
    const QDateTime now = QDateTime::currentDateTime();
    return timeZoneHours(fromQDateTime(now.toUTC()), fromQDateTime(now));
}

bool isOnOpticalDisc(const QString &path)
{
    const QStorageInfo storage(path);
    if (!storage.isValid())
        return false;
    const QByteArray type = storage.fileSystemType().toLower();
    return storage.isReadOnly() && (type == "iso9660" || type == "udf" || type == "cdfs");
}

QString documentsFolder()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return folder.isEmpty() ? QDir::homePath() : folder;
}

SingleInstance::SingleInstance(const QString &key)
    : m_lock(std::make_unique<QLockFile>(QDir(QDir::tempPath()).filePath(key + QLatin1String(".lock"))))
{
    m_lock->setStaleLockTime(0);
    m_first = m_lock->tryLock(0);
}

SingleInstance::~SingleInstance() = default;

} // namespace platform
