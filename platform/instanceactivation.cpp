#include "instanceactivation.h"

#include <QDir>
#include <QFile>
#include <QFileSystemWatcher>

namespace platform {

InstanceActivation::InstanceActivation(const QString &key, QObject *parent)
    : QObject(parent), m_path(requestFile(key))
{
}

InstanceActivation::~InstanceActivation()
{
    if (m_watcher)
        QFile::remove(m_path);
}

QString InstanceActivation::requestFile(const QString &key)
{
    return QDir(QDir::tempPath()).filePath(key + QLatin1String(".activate"));
}

bool InstanceActivation::listen()
{
    QFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    file.close();
    if (!m_watcher) {
        m_watcher = new QFileSystemWatcher(this);
        connect(m_watcher, &QFileSystemWatcher::fileChanged, this, [this] {
            // Some editors and tools replace the file: watch it again whenever it comes back.
            if (!m_watcher->files().contains(m_path) && QFile::exists(m_path))
                m_watcher->addPath(m_path);
            emit activationRequested();
        });
    }
    return m_watcher->addPath(m_path);
}

bool InstanceActivation::request(const QString &key)
{
    QFile file(requestFile(key));
    if (!file.exists() || !file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    return file.write("1\n", 2) == 2;
}

} // namespace platform
