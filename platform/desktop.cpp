#include "desktop.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#ifdef ORVANE_HAVE_MULTIMEDIA
#include <QSoundEffect>
#endif

namespace platform {

int openDocument(const QString &pathOrUrl)
{
    const bool isAddress = pathOrUrl.contains(QLatin1String("://")) || pathOrUrl.startsWith(QLatin1String("mailto:"));
    QUrl url;
    if (isAddress) {
        url = QUrl(pathOrUrl);
    } else {
        const QFileInfo info(pathOrUrl);
        if (!info.exists())
            return QFileInfo(info.absolutePath()).isDir() ? 2 : 3;
        url = QUrl::fromLocalFile(info.absoluteFilePath());
    }
    return QDesktopServices::openUrl(url) ? 42 : 31;
}

void playSound(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return;
#ifdef ORVANE_HAVE_MULTIMEDIA
    static QSoundEffect *effect = nullptr;
    if (!effect)
        effect = new QSoundEffect(qApp);
    // A sound built into the program (":/…") plays from the resource.
    const QUrl source = path.startsWith(QLatin1String(":/")) ? QUrl(QLatin1String("qrc") + path)
                                                              : QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    if (effect->source() != source)
        effect->setSource(source);
    effect->play();
#else
    QApplication::beep();
#endif
}

void beep()
{
    QApplication::beep();
}

} // namespace platform
