// The distribution really runs: two demo races are distributed on CD-ROM from an application
// folder outside the build tree holding the browser program built here, the folder is copied
// elsewhere, and the copied program is started there (offscreen, through its launcher, with a
// working folder of its own) on the start-up race. The dynamic linker's trace shows that Qt
// and its platform plugin came from the copied folder, not from the machine.
#include <distributionbuilder.h>
#include <runtimefiles.h>

#include <appsettings.h>
#include <dialogs.h>
#include <racegenerator.h>

#include <QDirIterator>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using platform::ScriptedDialogs;

namespace {

bool copyTree(const QString &from, const QString &to)
{
    if (!QDir().mkpath(to))
        return false;
    QDirIterator it(from, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QString target = QDir(to).filePath(QDir(from).relativeFilePath(it.filePath()));
        if (it.fileInfo().isDir() ? !QDir().mkpath(target) : !QFile::copy(it.filePath(), target))
            return false;
    }
    return true;
}

} // namespace

class TestDistributionRun : public QObject
{
    Q_OBJECT
private slots:
    void copiedProgramStartsOnTheStartupRace();
};

void TestDistributionRun::copiedProgramStartsOnTheStartupRace()
{
#ifndef Q_OS_LINUX
    QSKIP("the runtime files are gathered on Linux");
#endif
    QTemporaryDir app;
    QVERIFY(app.isValid());
    QVERIFY2(!app.path().startsWith(QStringLiteral(ORVANE_BUILD_DIR)), "the application folder must lie outside the build tree");
    QVERIFY(QFile::copy(QStringLiteral(ORVANE_PROGRAM), app.filePath(QStringLiteral("orvane"))));
    QStringList races;
    for (const char *preset : {"keel", "dinghy"}) {
        const std::optional<tools::RaceSpec> recipe = tools::presetRace(QLatin1String(preset));
        QVERIFY(recipe);
        QString error;
        QVERIFY2(tools::writeRace(tools::generateRace(*recipe), app.path(), &error), qPrintable(error));
        races << recipe->RaceFileName;
    }
    for (const char *asset : {"coastline/5239.cst", "attachment/sailing_instructions.html"}) {
        QVERIFY(QDir().mkpath(QFileInfo(app.filePath(QLatin1String(asset))).absolutePath()));
        QVERIFY(QFile::copy(QStringLiteral(ORVANE_ASSETS_DIR "/") + QLatin1String(asset), app.filePath(QLatin1String(asset))));
    }

    // The build, in Japanese: the program is "ｵﾙﾊﾞﾈ" and the start-up race the second one.
    AppSettings settings;
    settings.ApplicationFolder = app.path();
    DistributionRequest request;
    request.Races = races;
    request.FolderName = QStringLiteral("Regatta");
    request.StartupRace = races.at(1);
    request.Medium = DistributionMedium::CdRom;
    request.AttachMaps = true;
    DistributionSources sources;
    sources.ProgramFile = app.filePath(QStringLiteral("orvane"));
    sources.runtimeFiles = [&sources] { return findRuntimeFiles(sources.ProgramFile, runtimeSearchOfThisProgram()); };
    ScriptedDialogs dialogs;
    dialogs.answers = {true};
    {
        platform::DialogsGuard guard(&dialogs);
        QCOMPARE(createDistribution(settings, request, sources), CreateOutcome::Built);
    }
    QVERIFY2(dialogs.messages().isEmpty(), qPrintable(dialogs.messages().join(u'\n')));

    // Elsewhere, under another name.
    QTemporaryDir elsewhere;
    const QString copy = elsewhere.filePath(QStringLiteral("配布 copy"));
    QVERIFY(copyTree(app.filePath(QStringLiteral("distribution/Regatta")), copy));
    QVERIFY(QFileInfo(copy + QStringLiteral("/coastline/5239.cst")).isFile());
    QVERIFY(QFileInfo(copy + QStringLiteral("/lib/libQt6Core.so.6")).isFile());
    const QString here = QFileInfo(copy).canonicalFilePath();

    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("LD_LIBRARY_PATH"));
    env.remove(QStringLiteral("QT_PLUGIN_PATH"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("ORVANE_TEST_FIRST_WINDOW"), QStringLiteral("1"));
    env.insert(QStringLiteral("LD_DEBUG"), QStringLiteral("libs"));
    const QString trace = elsewhere.filePath(QStringLiteral("ld"));
    env.insert(QStringLiteral("LD_DEBUG_OUTPUT"), trace);
    program.setProcessEnvironment(env);
    program.setWorkingDirectory(QDir::rootPath());
    program.start(copy + QStringLiteral("/ｵﾙﾊﾞﾈ"), {});
    QVERIFY2(program.waitForFinished(120000), "the copied program did not end");
    const QString out = QString::fromUtf8(program.readAllStandardOutput());
    const QString err = QString::fromUtf8(program.readAllStandardError());
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QVERIFY2(program.exitCode() == 0, qPrintable(err));

    // The race display on the start-up race, with the copied folder as application folder.
    const QRegularExpression first(QStringLiteral("^first window: (\\S+) \\| (.*) \\| (.*)$"), QRegularExpression::MultilineOption);
    const QRegularExpressionMatch m = first.match(out);
    QVERIFY2(m.hasMatch(), qPrintable(out + err));
    QCOMPARE(m.captured(1), QStringLiteral("frmRace"));
    QVERIFY2(m.captured(2).contains(QStringLiteral("(%1)").arg(races.at(1))), qPrintable(m.captured(2)));
    QVERIFY2(m.captured(2).contains(QStringLiteral("葉山ジュニアディンギー大会")), qPrintable(m.captured(2)));
    QCOMPARE(m.captured(3), here);
    // No message: every track of the race was there.
    QVERIFY2(!err.contains(QStringLiteral("GPSfile")), qPrintable(err));

    // Qt and the platform plugin were loaded from the copy.
    QString log;
    const QFileInfoList traces = QDir(elsewhere.path()).entryInfoList({QStringLiteral("ld.*")}, QDir::Files);
    QVERIFY(!traces.isEmpty());
    for (const QFileInfo &f : traces) {
        QFile file(f.filePath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        log += QString::fromUtf8(file.readAll());
    }
    QStringList loadedQt;
    const QRegularExpression init(QStringLiteral("calling init: (.+)$"), QRegularExpression::MultilineOption);
    for (auto it = init.globalMatch(log); it.hasNext();) {
        const QString path = it.next().captured(1);
        if (path.contains(QStringLiteral("libQt6")) || path.contains(QStringLiteral("/plugins/")))
            loadedQt << path;
    }
    QVERIFY2(loadedQt.contains(here + QStringLiteral("/lib/libQt6Core.so.6")), qPrintable(loadedQt.join(u'\n')));
    QVERIFY2(loadedQt.contains(here + QStringLiteral("/lib/libQt6Widgets.so.6")), qPrintable(loadedQt.join(u'\n')));
    QVERIFY2(loadedQt.contains(here + QStringLiteral("/plugins/platforms/libqoffscreen.so")), qPrintable(loadedQt.join(u'\n')));
    for (const QString &path : std::as_const(loadedQt))
        QVERIFY2(path.startsWith(here + u'/'), qPrintable(path));
}

QTEST_GUILESS_MAIN(TestDistributionRun)
#include "testdistributionrun.moc"
