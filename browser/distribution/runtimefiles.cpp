#include "runtimefiles.h"

#include "elfdynamic.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLibraryInfo>
#include <QSet>

namespace {

// Name prefixes of the operating system's libraries (see isSystemLibrary).
const QStringList &systemLibraryPrefixes()
{
    static const QStringList prefixes = {
        // C library, dynamic linker, C++ and compiler runtime
        "ld-linux", "ld64.so", "libc.so", "libm.so", "libmvec.so", "libpthread.so", "libdl.so", "librt.so",
        "libresolv.so", "libutil.so", "libanl.so", "libnsl.so", "libnss_", "libBrokenLocale.so", "libthread_db.so",
        "libcrypt.so", "libstdc++.so", "libgcc_s.so", "libatomic.so",
        // X11 and Wayland clients (the X extension and utility libraries of xcb are Qt's own
        // needs and travel with it; libxcb itself is the machine's)
        "libX", "libxcb.so", "libSM.so", "libICE.so", "libwayland-",
        // OpenGL, Vulkan and the graphics drivers
        "libGL", "libEGL", "libOpenGL", "libglapi", "libdrm", "libgbm", "libvulkan", "libxshmfence", "libva", "libvdpau",
        // fonts, which must follow the machine's configuration
        "libfontconfig", "libfreetype", "libharfbuzz", "libexpat",
        // desktop services
        "libglib-2.0", "libgobject-2.0", "libgio-2.0", "libgmodule-2.0", "libgthread-2.0", "libdbus-1", "libsystemd",
        "libudev", "libgtk-", "libgdk-", "libgdk_pixbuf", "libpango", "libcairo", "libatk", "libatspi",
        // sound servers and media frameworks
        "libasound", "libpulse", "libpipewire", "libjack", "libgst", "libavcodec", "libavformat", "libavutil",
        "libavfilter", "libavdevice", "libswresample", "libswscale", "libpostproc",
        // compression, security, Kerberos and other base libraries
        "libz.so", "liblzma", "libbz2", "liblz4", "libzstd", "libselinux", "libmount", "libblkid", "libuuid", "libffi",
        "libpcre.so", "libpcre2-8", "libcap.so", "libgcrypt", "libgpg-error", "libcom_err", "libkrb5", "libk5crypto",
        "libgssapi", "libkeyutils", "libssl", "libcrypto", "libgnutls", "libnettle", "libhogweed", "libgmp", "libidn2",
        "libunistring", "libtasn1", "libp11-kit", "libbsd", "libmd.so", "libcups",
    };
    return prefixes;
}

void appendFolder(QStringList &folders, const QString &folder)
{
    if (folder.isEmpty())
        return;
    const QString clean = QDir::cleanPath(folder);
    if (!folders.contains(clean) && QFileInfo(clean).isDir())
        folders.append(clean);
}

// The folders of /etc/ld.so.conf, following its include lines.
void readLdSoConf(const QString &path, QStringList &folders, int depth = 0)
{
    QFile file(path);
    if (depth > 8 || !file.open(QIODevice::ReadOnly))
        return;
    const QStringList lines = QString::fromLocal8Bit(file.readAll()).split(u'\n');
    for (QString line : lines) {
        line = line.section(u'#', 0, 0).trimmed();
        if (line.isEmpty())
            continue;
        if (line.startsWith(QLatin1String("include "))) {
            const QFileInfo pattern(line.mid(8).trimmed());
            const QDir dir(QFileInfo(path).dir().absoluteFilePath(pattern.path()));
            const QStringList names = dir.entryList({pattern.fileName()}, QDir::Files, QDir::Name);
            for (const QString &name : names)
                readLdSoConf(dir.filePath(name), folders, depth + 1);
        } else {
            appendFolder(folders, line);
        }
    }
}

// Folders of a DT_RPATH or DT_RUNPATH with $ORIGIN put in.
QStringList expandOrigin(const QStringList &entries, const QString &objectFile)
{
    const QString origin = QFileInfo(objectFile).absolutePath();
    QStringList folders;
    for (QString e : entries) {
        e.replace(QLatin1String("${ORIGIN}"), origin);
        e.replace(QLatin1String("$ORIGIN"), origin);
        folders << e;
    }
    return folders;
}

class DependencyWalk
{
public:
    DependencyWalk(const RuntimeSearch &search, RuntimeFiles &out) : m_search(search), m_out(out) {}

    // Follows the libraries of one ELF file; false when it is not one.
    bool walk(const QString &file)
    {
        QList<QString> queue{file};
        bool first = true;
        while (!queue.isEmpty()) {
            const QString current = queue.takeFirst();
            const ElfDynamic elf = readElfDynamic(current);
            if (!elf.ok) {
                m_out.Problems << QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(current), elf.error);
                if (first)
                    return false;
                continue;
            }
            if (first) {
                m_class = elf.elfClass;
                m_machine = elf.machine;
                first = false;
            }
            for (const QString &soName : elf.needed) {
                if (isSystemLibrary(soName) || m_found.contains(soName))
                    continue;
                const QString path = locate(soName, elf, current);
                if (path.isEmpty()) {
                    m_out.Problems << QStringLiteral("%1 (needed by %2) was not found").arg(soName, QFileInfo(current).fileName());
                    m_found.insert(soName, QString());
                    continue;
                }
                m_found.insert(soName, path);
                m_out.Files.append({path, RuntimeLibraryFolder + u'/' + soName});
                queue.append(path);
            }
        }
        return true;
    }

    bool hasLibraryStartingWith(const QString &prefix) const
    {
        for (auto it = m_found.cbegin(); it != m_found.cend(); ++it) {
            if (it.key().startsWith(prefix) && !it.value().isEmpty())
                return true;
        }
        return false;
    }

private:
    // The dynamic linker's order.
    QString locate(const QString &soName, const ElfDynamic &by, const QString &byFile) const
    {
        QStringList folders;
        if (!by.hasRunPath)
            folders << expandOrigin(by.rPath, byFile);
        folders << m_search.EnvironmentFolders;
        folders << expandOrigin(by.runPath, byFile);
        folders << m_search.LibraryFolders;
        for (const QString &folder : std::as_const(folders)) {
            const QString candidate = QDir(folder).filePath(soName);
            if (!QFileInfo(candidate).isFile())
                continue;
            const ElfDynamic elf = readElfDynamic(candidate);
            // A library of another architecture (lib32, i386) is passed over as ld.so does.
            if (elf.ok && elf.elfClass == m_class && elf.machine == m_machine)
                return QFileInfo(candidate).absoluteFilePath();
        }
        return {};
    }

    const RuntimeSearch &m_search;
    RuntimeFiles &m_out;
    QHash<QString, QString> m_found; // soname → path ("" when not found)
    int m_class = 0;
    int m_machine = 0;
};

} // namespace

const QList<PluginKind> &distributedPluginKinds()
{
    static const QList<PluginKind> kinds = {
        {QStringLiteral("platforms"), {QStringLiteral("libqxcb.so"), QStringLiteral("libqoffscreen.so")}, {}},
        {QStringLiteral("xcbglintegrations"), {}, {}},
        {QStringLiteral("imageformats"), {}, {}},
        {QStringLiteral("iconengines"), {}, {}},
        {QStringLiteral("platforminputcontexts"), {}, {}},
        {QStringLiteral("multimedia"), {}, QStringLiteral("libQt6Multimedia")},
    };
    return kinds;
}

bool isSystemLibrary(const QString &soName)
{
    for (const QString &prefix : systemLibraryPrefixes()) {
        if (soName.startsWith(prefix))
            return true;
    }
    return false;
}

RuntimeSearch runtimeSearchOfThisProgram()
{
    RuntimeSearch search;
    for (const QString &folder : qEnvironmentVariable("LD_LIBRARY_PATH").split(u':', Qt::SkipEmptyParts))
        appendFolder(search.EnvironmentFolders, folder);
    QStringList &libs = search.LibraryFolders;
    // The libraries this program has loaded, in the order it loaded them.
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (maps.open(QIODevice::ReadOnly | QIODevice::Text)) {
        const QList<QByteArray> lines = maps.readAll().split('\n');
        for (const QByteArray &line : lines) {
            const qsizetype slash = line.indexOf('/');
            if (slash < 0 || !line.contains(".so"))
                continue;
            appendFolder(libs, QFileInfo(QString::fromLocal8Bit(line.mid(slash).trimmed())).absolutePath());
        }
    }
    appendFolder(libs, QLibraryInfo::path(QLibraryInfo::LibrariesPath));
    readLdSoConf(QStringLiteral("/etc/ld.so.conf"), libs);
    for (const char *folder : {"/lib64", "/usr/lib64", "/lib", "/usr/lib"})
        appendFolder(libs, QString::fromLatin1(folder));

    if (QCoreApplication::instance()) {
        for (const QString &folder : QCoreApplication::libraryPaths())
            appendFolder(search.PluginFolders, folder);
    } else {
        for (const QString &folder : qEnvironmentVariable("QT_PLUGIN_PATH").split(u':', Qt::SkipEmptyParts))
            appendFolder(search.PluginFolders, folder);
        appendFolder(search.PluginFolders, QLibraryInfo::path(QLibraryInfo::PluginsPath));
    }
    return search;
}

RuntimeFiles findRuntimeFiles(const QString &programFile, const RuntimeSearch &search)
{
    RuntimeFiles out;
    DependencyWalk walk(search, out);
    if (!walk.walk(programFile))
        return out;

    // The plugins, each file name once: the first plugin folder that holds it wins, as in Qt.
    QList<RuntimeFile> plugins;
    for (const PluginKind &kind : distributedPluginKinds()) {
        if (!kind.OnlyWithLibrary.isEmpty() && !walk.hasLibraryStartingWith(kind.OnlyWithLibrary))
            continue;
        QSet<QString> taken;
        for (const QString &folder : search.PluginFolders) {
            const QDir dir(QDir(folder).filePath(kind.Type));
            const QStringList names = kind.Files.isEmpty() ? dir.entryList({QStringLiteral("*.so")}, QDir::Files, QDir::Name)
                                                           : kind.Files;
            for (const QString &name : names) {
                const QString path = dir.filePath(name);
                if (taken.contains(name) || !QFileInfo(path).isFile())
                    continue;
                taken.insert(name);
                plugins.append({QFileInfo(path).absoluteFilePath(),
                                RuntimePluginFolder + u'/' + kind.Type + u'/' + name});
            }
        }
    }
    for (const RuntimeFile &plugin : std::as_const(plugins))
        walk.walk(plugin.Source);
    out.Files << plugins;
    return out;
}

QString programBinaryName(const QString &programFileName)
{
    return programFileName + QStringLiteral(".bin");
}

QByteArray launcherScript(const QString &programFileName)
{
    QString script = QStringLiteral(
        "#!/bin/sh\n"
        "# Starts %1 from the folder of this script with the Qt libraries and plugins copied\n"
        "# beside it (lib/, plugins/), ahead of those installed on the machine.\n"
        "self=$(readlink -f -- \"$0\" 2>/dev/null) || self=$0\n"
        "here=$(CDPATH= cd -- \"$(dirname -- \"$self\")\" && pwd -P) || exit 1\n"
        "LD_LIBRARY_PATH=\"$here/%2${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}\"\n"
        "QT_PLUGIN_PATH=\"$here/%3${QT_PLUGIN_PATH:+:$QT_PLUGIN_PATH}\"\n"
        "export LD_LIBRARY_PATH QT_PLUGIN_PATH\n"
        "exec \"$here/%4\" \"$@\"\n");
    return script.arg(programFileName, RuntimeLibraryFolder, RuntimePluginFolder, programBinaryName(programFileName)).toUtf8();
}
