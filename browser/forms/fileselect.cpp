#include "fileselect.h"

#include <appfolder.h>

#include <QDir>
#include <QFileInfo>

FileSelectParameters &fileSelectParameters()
{
    static FileSelectParameters parameters;
    return parameters;
}

QString initialNameBoxText(const FileSelectParameters &p)
{
    return p.Text.isEmpty() ? QStringLiteral("*.") + p.Extension : p.Text;
}

QStringList fileSelectListing(const QString &folder)
{
    // "*" and not "*.*": a file without a point is a file of the folder too.
    return platform::listFiles(folder, QStringLiteral("*"));
}

static bool leavesTheFolder(const QString &name)
{
    return name.contains(u'/') || name.contains(u'\\') || name == QLatin1String(".") || name == QLatin1String("..");
}

FileSelectDecision decideFileSelect(const FileSelectParameters &p, const QString &nameBoxText)
{
    FileSelectDecision d;
    QString name = nameBoxText.trimmed();
    // A file of the list without a point ("README") is chosen as listed; any other name
    // without a point takes the extension.
    const bool listedWithoutPoint = p.Mode == FileSelectMode::Existing && !name.isEmpty() && !name.contains(u'.') &&
                                    !leavesTheFolder(name) && !name.contains(u'*') &&
                                    QFileInfo(platform::resolvePath(p.Folder, name)).isFile();
    if (!name.contains(u'.') && !listedWithoutPoint)
        name += u'.' + p.Extension;
    d.name = name;
    d.path = QDir(p.Folder).filePath(name);
    if (d.path.contains(u'*') || leavesTheFolder(name)) {
        d.outcome = FileSelectDecision::InvalidName;
        return d;
    }
    const QString onDisk = platform::resolvePath(p.Folder, name);
    const bool exists = QFileInfo(onDisk).isFile();
    if (exists) {
        d.path = onDisk;
        d.name = QFileInfo(onDisk).fileName();
    }
    if (p.Mode == FileSelectMode::NewOrExisting)
        d.outcome = exists ? FileSelectDecision::AskOverwrite : FileSelectDecision::Accept;
    else
        d.outcome = exists ? FileSelectDecision::Accept : FileSelectDecision::InvalidName;
    return d;
}

void acceptFileSelect(FileSelectParameters &p, const FileSelectDecision &d)
{
    p.Path = d.path;
    p.Name = d.name;
}
