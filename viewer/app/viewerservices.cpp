#include "viewerservices.h"

#include <desktop.h>

void DesktopViewerServices::gun()
{
    platform::playSound(QString::fromLatin1(GunSoundResource));
}

void DesktopViewerServices::beep()
{
    platform::beep();
}

bool DesktopViewerServices::open(const QString &pathOrAddress)
{
    return platform::openDocument(pathOrAddress) > 32;
}
