// The runtime files of a real program: the ELF reader on real and broken files, which
// libraries count as the machine's own, and the files gathered for the browser program built
// here: every library any of them needs is either gathered or the machine's own.
#include <elfdynamic.h>
#include <runtimefiles.h>

#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

class TestRuntimeFiles : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void readsRealFiles();
    void refusesBrokenFiles_data();
    void refusesBrokenFiles();
    void systemLibraries_data();
    void systemLibraries();
    void gathersTheProgramsLibrariesAndPlugins();
    void followsRunPathWithOrigin();
    void launcherStartsTheProgramBesideIt();

private:
    QString qtCoreFile() const;
    QString m_program = QStringLiteral(ORVANE_PROGRAM);
};

void TestRuntimeFiles::initTestCase()
{
#ifndef Q_OS_LINUX
    QSKIP("ELF programs and /proc are Linux's");
#endif
    QVERIFY2(QFileInfo(m_program).isFile(), qPrintable(m_program));
}

QString TestRuntimeFiles::qtCoreFile() const
{
    const RuntimeSearch search = runtimeSearchOfThisProgram();
    for (const QString &folder : search.LibraryFolders) {
        const QFileInfo f(folder + QStringLiteral("/libQt6Core.so.6"));
        if (f.isFile())
            return f.absoluteFilePath();
    }
    return {};
}

void TestRuntimeFiles::readsRealFiles()
{
    const ElfDynamic program = readElfDynamic(m_program);
    QVERIFY2(program.ok, qPrintable(program.error));
    QVERIFY(program.hasDynamicSection);
    QVERIFY(program.soName.isEmpty());
    QVERIFY2(program.needed.contains(QStringLiteral("libQt6Core.so.6")), qPrintable(program.needed.join(u' ')));
    QVERIFY(program.needed.contains(QStringLiteral("libQt6Widgets.so.6")));

    const QString core = qtCoreFile();
    QVERIFY(!core.isEmpty());
    const ElfDynamic lib = readElfDynamic(core);
    QVERIFY2(lib.ok, qPrintable(lib.error));
    QCOMPARE(lib.soName, QStringLiteral("libQt6Core.so.6"));
    QCOMPARE(lib.elfClass, program.elfClass);
    QCOMPARE(lib.machine, program.machine);
    QVERIFY(lib.needed.contains(QStringLiteral("libc.so.6")));
}

void TestRuntimeFiles::refusesBrokenFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QFile f(QStringLiteral(ORVANE_PROGRAM));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray program = f.readAll();
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("text") << QByteArray("#!/bin/sh\nexec true\n");
    QTest::newRow("header only") << program.left(64);
    QTest::newRow("headers, no sections") << program.left(1024);
    QByteArray wrongClass = program;
    wrongClass[4] = 7;
    QTest::newRow("unknown class") << wrongClass;
    // Program headers said to lie far past the end.
    QByteArray farHeaders = program.left(4096);
    farHeaders[32 + 7] = char(0x7f);
    QTest::newRow("program headers out of range") << farHeaders;
}

void TestRuntimeFiles::refusesBrokenFiles()
{
    QFETCH(QByteArray, bytes);
    const ElfDynamic elf = parseElfDynamic(bytes);
    QVERIFY(!elf.ok);
    QVERIFY(!elf.error.isEmpty());
}

void TestRuntimeFiles::systemLibraries_data()
{
    QTest::addColumn<QString>("soName");
    QTest::addColumn<bool>("system");
    QTest::newRow("C library") << "libc.so.6" << true;
    QTest::newRow("dynamic linker") << "ld-linux-x86-64.so.2" << true;
    QTest::newRow("C++ runtime") << "libstdc++.so.6" << true;
    QTest::newRow("X11") << "libX11.so.6" << true;
    QTest::newRow("xcb itself") << "libxcb.so.1" << true;
    QTest::newRow("xcb utility") << "libxcb-icccm.so.4" << false;
    QTest::newRow("OpenGL") << "libGL.so.1" << true;
    QTest::newRow("fontconfig") << "libfontconfig.so.1" << true;
    QTest::newRow("GLib") << "libglib-2.0.so.0" << true;
    QTest::newRow("D-Bus") << "libdbus-1.so.3" << true;
    QTest::newRow("zlib") << "libz.so.1" << true;
    QTest::newRow("PCRE2 of GLib") << "libpcre2-8.so.0" << true;
    QTest::newRow("PCRE2 of Qt") << "libpcre2-16.so.0" << false;
    QTest::newRow("Qt Core") << "libQt6Core.so.6" << false;
    QTest::newRow("Qt xcb") << "libQt6XcbQpa.so.6" << false;
    QTest::newRow("ICU") << "libicuuc.so.72" << false;
    QTest::newRow("ICU data") << "libicudata.so.72" << false;
    QTest::newRow("double-conversion") << "libdouble-conversion.so.3" << false;
    QTest::newRow("PNG") << "libpng16.so.16" << false;
}

void TestRuntimeFiles::systemLibraries()
{
    QFETCH(QString, soName);
    QFETCH(bool, system);
    QCOMPARE(isSystemLibrary(soName), system);
}

void TestRuntimeFiles::gathersTheProgramsLibrariesAndPlugins()
{
    const RuntimeFiles runtime = findRuntimeFiles(m_program, runtimeSearchOfThisProgram());
    QVERIFY2(runtime.Problems.isEmpty(), qPrintable(runtime.Problems.join(u'\n')));

    QSet<QString> targets;
    QHash<QString, QString> libraries; // soname → source
    for (const RuntimeFile &f : runtime.Files) {
        QVERIFY2(!targets.contains(f.Target), qPrintable(f.Target));
        targets.insert(f.Target);
        QVERIFY2(QFileInfo(f.Source).isFile(), qPrintable(f.Source));
        QVERIFY2(QFileInfo(f.Source).isAbsolute(), qPrintable(f.Source));
        if (f.Target.startsWith(QStringLiteral("lib/")))
            libraries.insert(f.Target.mid(4), f.Source);
        else
            QVERIFY2(f.Target.startsWith(QStringLiteral("plugins/")), qPrintable(f.Target));
    }
    for (const char *needed : {"lib/libQt6Core.so.6", "lib/libQt6Gui.so.6", "lib/libQt6Widgets.so.6",
                               "lib/libQt6XcbQpa.so.6", "plugins/platforms/libqxcb.so", "plugins/platforms/libqoffscreen.so"})
        QVERIFY2(targets.contains(QLatin1String(needed)), needed);
    // Only the chosen platforms travel.
    QVERIFY(!targets.contains(QStringLiteral("plugins/platforms/libqvnc.so")));

    // Closed under dependencies: whatever a gathered file or the program needs is gathered or
    // the machine's own; nothing of the machine's own is gathered.
    QStringList files{m_program};
    for (const RuntimeFile &f : runtime.Files)
        files << f.Source;
    for (const QString &file : files) {
        const ElfDynamic elf = readElfDynamic(file);
        QVERIFY2(elf.ok, qPrintable(file + u' ' + elf.error));
        for (const QString &soName : elf.needed)
            QVERIFY2(isSystemLibrary(soName) || libraries.contains(soName), qPrintable(file + QStringLiteral(" needs ") + soName));
    }
    for (auto it = libraries.cbegin(); it != libraries.cend(); ++it) {
        QVERIFY2(!isSystemLibrary(it.key()), qPrintable(it.key()));
        // Each library under the name the linker asks for, taken from where this program loads it.
        QCOMPARE(readElfDynamic(it.value()).soName, it.key());
    }
}

void TestRuntimeFiles::followsRunPathWithOrigin()
{
    // The probe is linked with RUNPATH $ORIGIN/private. Beside a copy of it, that folder holds
    // a copy of Qt Core: it is taken before the machine's, but LD_LIBRARY_PATH comes first, as
    // with the dynamic linker. A library no folder holds is named as a problem.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString probe = dir.filePath(QStringLiteral("probe"));
    QVERIFY(QFile::copy(QStringLiteral(ORVANE_RUNPATH_PROBE), probe));
    const ElfDynamic elf = readElfDynamic(probe);
    QVERIFY2(elf.hasRunPath || !elf.rPath.isEmpty(), "the probe was linked without a run path");
    QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("private"))));
    const QString privateCore = dir.filePath(QStringLiteral("private/libQt6Core.so.6"));
    const QString core = qtCoreFile();
    QVERIFY(QFile::copy(core, privateCore));

    const auto coreSource = [&probe](const RuntimeSearch &search) {
        for (const RuntimeFile &f : findRuntimeFiles(probe, search).Files) {
            if (f.Target == QLatin1String("lib/libQt6Core.so.6"))
                return f.Source;
        }
        return QString();
    };
    RuntimeSearch search = runtimeSearchOfThisProgram();
    search.EnvironmentFolders.clear();
    search.PluginFolders.clear();
    QCOMPARE(coreSource(search), QFileInfo(privateCore).absoluteFilePath());
    search.EnvironmentFolders = {QFileInfo(core).absolutePath()};
    QCOMPARE(coreSource(search), QFileInfo(core).absoluteFilePath());

    RuntimeSearch nowhere;
    const RuntimeFiles lost = findRuntimeFiles(m_program, nowhere);
    QVERIFY(lost.Files.isEmpty());
    QVERIFY2(lost.Problems.join(u'\n').contains(QStringLiteral("libQt6Core.so.6 (needed by ")), qPrintable(lost.Problems.join(u'\n')));
}

void TestRuntimeFiles::launcherStartsTheProgramBesideIt()
{
    // The launcher, started through a symbolic link from another folder, runs <name>.bin of its
    // own folder with lib/ and plugins/ of that folder first in the search paths.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString name = QStringLiteral("ｵﾙﾊﾞﾈ");
    QFile launcher(dir.filePath(name));
    QVERIFY(launcher.open(QIODevice::WriteOnly));
    launcher.write(launcherScript(name));
    launcher.close();
    launcher.setPermissions(launcher.permissions() | QFileDevice::ExeOwner);
    QFile program(dir.filePath(programBinaryName(name)));
    QVERIFY(program.open(QIODevice::WriteOnly));
    program.write("#!/bin/sh\necho \"$LD_LIBRARY_PATH|$QT_PLUGIN_PATH|$1\"\n");
    program.close();
    program.setPermissions(program.permissions() | QFileDevice::ExeOwner);
    QTemporaryDir elsewhere;
    QVERIFY(QFile::link(launcher.fileName(), elsewhere.filePath(QStringLiteral("start"))));

    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LD_LIBRARY_PATH"), QStringLiteral("/opt/x"));
    env.remove(QStringLiteral("QT_PLUGIN_PATH"));
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(elsewhere.path());
    p.start(elsewhere.filePath(QStringLiteral("start")), {QStringLiteral("arg one")});
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitCode(), 0);
    const QString here = QFileInfo(dir.path()).canonicalFilePath();
    QCOMPARE(QString::fromUtf8(p.readAllStandardOutput()).trimmed(),
             here + QStringLiteral("/lib:/opt/x|") + here + QStringLiteral("/plugins|arg one"));
}

QTEST_GUILESS_MAIN(TestRuntimeFiles)
#include "testruntimefiles.moc"
