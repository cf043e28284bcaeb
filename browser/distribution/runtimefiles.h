// The runtime files of the browser program: the shared libraries and Qt plugins it loads that a
// computer without an installation of Qt may lack, and the launcher that lets the copied
// program find them.
//
// Layout in a distribution folder d:
//   d/<program>        the launcher, a shell script: the file the user starts
//   d/<program>.bin    the program itself (it lives in d, so d is its application folder)
//   d/lib/             the libraries, each under the name the dynamic linker asks for
//   d/plugins/<type>/  the Qt plugins
// The launcher puts lib/ and plugins/ ahead of the machine's own libraries and plugins and
// starts the program; without lib/ and plugins/ the program runs on the machine's Qt.
//
// The files are found from the running program rather than from a fixed list: the libraries by
// following the ELF dependencies of the program file and of each plugin through the folders the
// running program loads its libraries from, the plugins in the folders Qt searches. Libraries of
// the operating system itself stay out (isSystemLibrary).
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

struct RuntimeFile {
    QString Source; // absolute path on this machine
    QString Target; // path below the distribution folder, "/" separated
};

struct RuntimeFiles {
    QList<RuntimeFile> Files; // libraries (in the order found), then plugins
    // What could not be gathered: a library no folder holds, a program file that is not an
    // ELF program. The distribution may not start on a machine without Qt then.
    QStringList Problems;
};

// Where the search looks. A library is looked for as the dynamic linker looks for it: in the
// DT_RPATH of the file that needs it (when it has no DT_RUNPATH), then EnvironmentFolders, then
// its DT_RUNPATH, then LibraryFolders.
struct RuntimeSearch {
    QStringList EnvironmentFolders; // LD_LIBRARY_PATH
    QStringList LibraryFolders;     // the folders of the running program and the linker's own
    QStringList PluginFolders;      // Qt plugin folders (holding platforms/, imageformats/ …), in order
};

// The folders of the running program: LD_LIBRARY_PATH; the folders of the libraries it has
// loaded (/proc/self/maps), Qt's library folder, the dynamic linker's configured folders
// (/etc/ld.so.conf) and its defaults; the plugin folders are Qt's library paths.
RuntimeSearch runtimeSearchOfThisProgram();

// The Qt plugins a distribution carries, by type: the platforms the program runs on (xcb, and
// offscreen for a machine without a display), their GL integrations, image formats, icon
// engines, input methods, and the multimedia back ends when the program links Qt Multimedia.
struct PluginKind {
    QString Type;          // the plugin folder: "platforms"
    QStringList Files;     // the files to take; empty: every plugin of the type
    QString OnlyWithLibrary; // taken only when the program needs this library ("libQt6Multimedia")
};
const QList<PluginKind> &distributedPluginKinds();

// True for a library of the operating system that every Linux desktop has and that must match
// the machine it runs on: the C library and the dynamic linker, the C++ runtime, the X11 and
// Wayland client libraries, OpenGL and the graphics drivers, the font stack, GLib, D-Bus,
// systemd, sound servers and media frameworks, compression, security and Kerberos libraries.
// Qt, ICU and the smaller libraries Qt brings along are not.
bool isSystemLibrary(const QString &soName);

// Gathers the runtime files of programFile (an ELF program).
RuntimeFiles findRuntimeFiles(const QString &programFile, const RuntimeSearch &search);

// Folder names below the distribution folder and the name of the program beside its launcher.
inline const QString RuntimeLibraryFolder = QStringLiteral("lib");
inline const QString RuntimePluginFolder = QStringLiteral("plugins");
QString programBinaryName(const QString &programFileName);

// The launcher script that starts programBinaryName(programFileName) from its own folder.
QByteArray launcherScript(const QString &programFileName);
