// Bringing a running program to the front when it is started a second time. The first instance
// (the one that holds its SingleInstance lock) listens; a second start asks it to show its
// window and then ends. The request travels through a small file beside the lock, so it needs
// nothing but QtCore: the second start appends to it and the first is told by a file watcher.
#pragma once

#include <QObject>
#include <QString>

class QFileSystemWatcher;

namespace platform {

class InstanceActivation : public QObject
{
    Q_OBJECT
public:
    explicit InstanceActivation(const QString &key, QObject *parent = nullptr);
    ~InstanceActivation() override;

    // First instance: start listening. False when the request file cannot be made.
    bool listen();

    // Second start: asks the instance listening under key to come to the front. False when
    // none listens.
    static bool request(const QString &key);

    // The request file of a key (in the temporary folder, beside the lock).
    static QString requestFile(const QString &key);

signals:
    // A second start asked for the window; connect it to raise and activate the main window.
    void activationRequested();

private:
    QString m_path;
    QFileSystemWatcher *m_watcher = nullptr;
};

} // namespace platform
