#include "referencelist.h"

#include <appfolder.h>
#include <appsettings.h>

#include <QFileInfo>

QString attachmentPath(const AppSettings &settings, const QString &attachment)
{
    return platform::resolvePath(settings.ApplicationFolder, QStringLiteral("attachment/") + attachment.trimmed());
}

bool attachmentExists(const AppSettings &settings, const QString &attachment)
{
    const QString name = attachment.trimmed();
    // An empty name or one that climbs out of the folder names no attachment.
    if (name.isEmpty() || name.contains(u'/') || name.contains(u'\\') || name == QLatin1String("..") ||
        name == QLatin1String("."))
        return false;
    return QFileInfo(attachmentPath(settings, name)).isFile();
}
