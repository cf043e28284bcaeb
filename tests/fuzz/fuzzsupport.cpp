#include "fuzzsupport.h"

#include <textfile.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>


namespace fuzz {

RaceAndFile splitRaceAndFile(QByteArrayView input)
{
    const qsizetype nul = input.indexOf('\0');
    if (nul < 0)
        return {QByteArrayView(), input};
    return {input.first(nul), input.sliced(nul + 1)};
}

QStringList textLines(QByteArrayView bytes)
{
    return platform::splitLines(platform::decodeAnsi(bytes.toByteArray()));
}

namespace {

constexpr char Marker[] = "@@@ ";

// A relative path that stays inside the folder: 1 to 3 components, none empty, "." or "..".
bool isSafePath(const QString &path)
{
    if (path.isEmpty() || path.startsWith(u'/') || path.contains(u'\\') || path.contains(QChar(0)))
        return false;
    const QStringList parts = path.split(u'/');
    if (parts.size() > 3)
        return false;
    for (const QString &p : parts) {
        if (p.isEmpty() || p == QLatin1String(".") || p == QLatin1String("..") || p.size() > 100)
            return false;
    }
    return true;
}

} // namespace

QList<FolderEntry> parseFolderArchive(QByteArrayView input)
{
    QList<FolderEntry> entries;
    FolderEntry *open = nullptr; // the file whose bytes are being gathered
    qsizetype pos = 0;
    while (pos < input.size()) {
        qsizetype end = input.indexOf('\n', pos);
        const qsizetype next = end < 0 ? input.size() : end + 1;
        QByteArrayView line = input.sliced(pos, next - pos);
        if (line.startsWith(Marker)) {
            open = nullptr;
            QByteArrayView rest = line.sliced(sizeof Marker - 1);
            while (!rest.isEmpty() && (rest.back() == '\n' || rest.back() == '\r'))
                rest.chop(1);
            const QStringList words = QString::fromUtf8(rest).split(u' ', Qt::SkipEmptyParts);
            if (entries.size() < MaxFolderEntries && words.size() >= 2 && isSafePath(words[1])) {
                FolderEntry e;
                e.path = words[1];
                if (words[0] == QLatin1String("file")) {
                    entries.append(e);
                    open = &entries.last();
                } else if (words[0] == QLatin1String("folder")) {
                    e.kind = FolderEntry::Folder;
                    entries.append(e);
                } else if (words[0] == QLatin1String("link") && words.size() >= 3 && !words[2].contains(u'/')
                           && isSafePath(words[2])) {
                    e.kind = FolderEntry::Link;
                    e.target = words[2];
                    entries.append(e);
                }
            }
        } else if (open) {
            open->content.append(line.data(), line.size());
        }
        pos = next;
    }
    return entries;
}

QByteArray formatFolderArchive(const QList<FolderEntry> &entries)
{
    QByteArray out;
    for (const FolderEntry &e : entries) {
        out += Marker;
        switch (e.kind) {
        case FolderEntry::File:
            out += "file " + e.path.toUtf8() + '\n' + e.content;
            if (!e.content.isEmpty() && !e.content.endsWith('\n'))
                out += '\n';
            break;
        case FolderEntry::Folder:
            out += "folder " + e.path.toUtf8() + '\n';
            break;
        case FolderEntry::Link:
            out += "link " + e.path.toUtf8() + ' ' + e.target.toUtf8() + '\n';
            break;
        }
    }
    return out;
}

ScratchFolder::ScratchFolder()
{
    static const QString base = QFileInfo(QStringLiteral("/dev/shm")).isWritable() ? QStringLiteral("/dev/shm")
                                                                                    : QDir::tempPath();
    QTemporaryDir dir(base + QStringLiteral("/orvane-fuzz-XXXXXX"));
    if (!dir.isValid())
        return;
    dir.setAutoRemove(false);
    m_path = dir.path();
}

ScratchFolder::~ScratchFolder()
{
    if (!m_path.isEmpty())
        QDir(m_path).removeRecursively();
}

QString layOutFolder(const QString &folder, const QList<FolderEntry> &entries)
{
    QString race;
    const QDir base(folder);
    for (const FolderEntry &e : entries) {
        const QString path = base.filePath(e.path);
        const QFileInfo info(path);
        if (info.exists() || info.isSymLink())
            continue; // the first entry of a name wins
        base.mkpath(info.path());
        switch (e.kind) {
        case FolderEntry::File: {
            QFile file(path);
            if (file.open(QIODevice::WriteOnly))
                file.write(e.content);
            if (race.isEmpty() && e.path.startsWith(QLatin1String("raceadmin/"), Qt::CaseInsensitive)
                && e.path.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive) && e.path.count(u'/') == 1)
                race = info.fileName();
            break;
        }
        case FolderEntry::Folder:
            base.mkpath(e.path);
            break;
        case FolderEntry::Link:
            QFile::link(e.target, path);
            break;
        }
    }
    return race;
}

} // namespace fuzz
