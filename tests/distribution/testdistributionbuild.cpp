// The build of a distribution folder, headless: the whole tree it leaves for each delivery,
// the files it writes, what it reports about the races, the checks of the folder name with
// their messages and question, the race scanner, and file-system failures that must leave no
// half-written file behind.
#include "distributionfixture.h"

#include <distributionbuilder.h>
#include <distributiontexts.h>
#include <filecopy.h>
#include <haifustate.h>
#include <racescan.h>

#include <appsettings.h>
#include <dialogs.h>
#include <textfile.h>

#include <QTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>
#endif

using platform::ScriptedDialogs;

namespace {

AppSettings settingsFor(const QString &folder, bool english)
{
    AppSettings s;
    s.ApplicationFolder = folder;
    s.setLanguage(english ? UiLanguage::English : UiLanguage::Japanese);
    return s;
}

DistributionRequest twoRaces(const QString &folderName)
{
    DistributionRequest r;
    r.Races = {QStringLiteral("race1.txt"), QStringLiteral("race2.txt")};
    r.FolderName = folderName;
    r.StartupRace = QStringLiteral("race1.txt");
    return r;
}

// Runs the command with Yes to its question.
CreateOutcome create(const AppSettings &settings, const DistributionRequest &request, const DistributionSources &sources,
                     ScriptedDialogs &dialogs)
{
    dialogs.answers = {true};
    platform::DialogsGuard guard(&dialogs);
    return createDistribution(settings, request, sources);
}

} // namespace

class TestDistributionBuild : public QObject
{
    Q_OBJECT
private slots:
    void treeForEachDelivery_data();
    void treeForEachDelivery();
    void writtenFiles_data();
    void writtenFiles();
    void raceChosenTwice();
    void problemsOfTheRacesAreReported();
    void scanRaceLines_data();
    void scanRaceLines();
    void folderNameChecks_data();
    void folderNameChecks();
    void declinedOrNothingChosenCreatesNothing();
    void startupRaceMustBeChosen();
    void folderThatCannotBeCreated();
    void diskFullLeavesNothingHalfWritten();
    void writeProtectedMedium();
    void copyIfPresentCases();
    void formListsAndLimits();
};

void TestDistributionBuild::treeForEachDelivery_data()
{
    QTest::addColumn<bool>("cdRom");
    QTest::addColumn<bool>("minimise");
    QTest::addColumn<bool>("maps");
    QTest::addColumn<bool>("english");
    QTest::addColumn<QStringList>("extra"); // beyond what every distribution holds

    const QStringList runtime{"lib/", "lib/libQt6Fake.so.6", "plugins/", "plugins/platforms/", "plugins/platforms/libqfake.so"};
    const QStringList maps{"coastline/", "coastline/5239.cst", "coastline/5240.cst"};
    const QStringList en{"orvane", "orvane.bin", "raceadmin/ver.00"};
    const QStringList ja{"ｵﾙﾊﾞﾈ", "ｵﾙﾊﾞﾈ.bin"};
    QTest::newRow("web, minimised, Japanese, maps") << false << true << true << false << (ja + maps);
    QTest::newRow("web, not minimised, English") << false << false << false << true << (en + runtime);
    QTest::newRow("CD-ROM, minimised, Japanese") << true << true << false << false << (ja + runtime + QStringList{"autorun.inf"});
    QTest::newRow("CD-ROM, not minimised, English, maps")
        << true << false << true << true << (en + runtime + maps + QStringList{"autorun.inf"});
}

void TestDistributionBuild::treeForEachDelivery()
{
    QFETCH(bool, cdRom);
    QFETCH(bool, minimise);
    QFETCH(bool, maps);
    QFETCH(bool, english);
    QFETCH(QStringList, extra);

    DistributionFixture app;
    const AppSettings settings = settingsFor(app.path(), english);
    DistributionRequest request = twoRaces(QStringLiteral("Cup"));
    request.Medium = cdRom ? DistributionMedium::CdRom : DistributionMedium::Web;
    request.MinimiseSize = minimise;
    request.AttachMaps = maps;
    ScriptedDialogs dialogs;
    QCOMPARE(create(settings, request, app.sources(), dialogs), CreateOutcome::Built);
    // Nothing to remark: the absent wind file and coast tile of race2 are passed over silently.
    QVERIFY2(dialogs.messages().isEmpty(), qPrintable(dialogs.messages().join(u'\n')));

    QStringList expected{"attachment/", "attachment/rules.html", "gpsdat/", "gpsdat/a.trk", "gpsdat/b.trk", "gpsdat/c.trk",
                         "gun.wav", "raceadmin/", "raceadmin/race1.txt", "raceadmin/race2.txt", "raceadmin/racefile.st",
                         "winddat/", "winddat/race1_WIND.CSV"};
    expected << extra;
    expected.sort();
    QCOMPARE(DistributionFixture::tree(app.file(QStringLiteral("distribution/Cup"))), expected);
    QCOMPARE(DistributionFixture::tree(app.file(QStringLiteral("distribution"))).first(), QStringLiteral("Cup/"));
}

void TestDistributionBuild::writtenFiles_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<QString>("program");
    QTest::addColumn<QByteArray>("autorun");
    QTest::newRow("English") << true << "orvane" << QByteArray("[autorun]\r\nIcon = orvane\r\nopen = orvane\r\n");
    // ｵﾙﾊﾞﾈ in CP932: five half-width katakana, one byte each.
    QTest::newRow("Japanese") << false << "ｵﾙﾊﾞﾈ"
                              << QByteArray("[autorun]\r\nIcon = \xb5\xd9\xca\xde\xc8\r\nopen = \xb5\xd9\xca\xde\xc8\r\n");
}

void TestDistributionBuild::writtenFiles()
{
    QFETCH(bool, english);
    QFETCH(QString, program);
    QFETCH(QByteArray, autorun);

    DistributionFixture app;
    const AppSettings settings = settingsFor(app.path(), english);
    DistributionRequest request = twoRaces(QStringLiteral("Cup"));
    request.StartupRace = QStringLiteral("race2.txt");
    request.Medium = DistributionMedium::CdRom;
    ScriptedDialogs dialogs;
    QCOMPARE(create(settings, request, app.sources(), dialogs), CreateOutcome::Built);
    const QDir d(app.file(QStringLiteral("distribution/Cup")));

    QCOMPARE(DistributionFixture::contents(d.filePath(QStringLiteral("autorun.inf"))), autorun);
    QCOMPARE(DistributionFixture::contents(d.filePath(QStringLiteral("raceadmin/racefile.st"))), QByteArray("race2.txt\r\n"));
    QCOMPARE(QFileInfo::exists(d.filePath(QStringLiteral("raceadmin/ver.00"))), english);
    if (english)
        QCOMPARE(DistributionFixture::contents(d.filePath(QStringLiteral("raceadmin/ver.00"))), QByteArray("LANG,1\r\n"));

    // The launcher under the language's name, the program beside it, both executable.
    const QFileInfo launcher(d.filePath(program));
    const QFileInfo binary(d.filePath(program + QStringLiteral(".bin")));
    QVERIFY(launcher.isExecutable());
    QVERIFY(binary.isExecutable());
    QCOMPARE(DistributionFixture::contents(launcher.filePath()), launcherScript(program));
    QCOMPARE(DistributionFixture::contents(binary.filePath()), DistributionFixture::contents(app.file(QStringLiteral("orvane"))));

    // Copies are byte for byte; a name written in another case is copied as the disk spells it.
    for (const char *f : {"gun.wav", "raceadmin/race1.txt", "gpsdat/a.trk", "gpsdat/b.trk", "winddat/race1_WIND.CSV",
                          "attachment/rules.html"})
        QCOMPARE(DistributionFixture::contents(d.filePath(QLatin1String(f))), DistributionFixture::contents(app.file(QLatin1String(f))));
    QVERIFY(!QFileInfo::exists(d.filePath(QStringLiteral("gpsdat/B.TRK"))));
    QCOMPARE(DistributionFixture::contents(d.filePath(QStringLiteral("lib/libQt6Fake.so.6"))), QByteArray("library"));
}

void TestDistributionBuild::raceChosenTwice()
{
    DistributionFixture app;
    app.write(QStringLiteral("raceadmin/race3.txt"), "BN, a.trk, Alpha\r\nBN, gone.trk, Ghost\r\n");
    const AppSettings settings = settingsFor(app.path(), true);
    DistributionRequest once = twoRaces(QStringLiteral("Once"));
    once.Races = {QStringLiteral("race3.txt")};
    once.StartupRace.clear();
    DistributionRequest twice = once;
    twice.FolderName = QStringLiteral("Twice");
    twice.Races = {QStringLiteral("race3.txt"), QStringLiteral("race3.txt")};

    ScriptedDialogs first, second;
    QCOMPARE(create(settings, once, app.sources(), first), CreateOutcome::Built);
    QCOMPARE(create(settings, twice, app.sources(), second), CreateOutcome::Built);
    QCOMPARE(DistributionFixture::tree(app.file(QStringLiteral("distribution/Twice"))),
             DistributionFixture::tree(app.file(QStringLiteral("distribution/Once"))));
    // The missing track is reported once, not once per choice.
    QCOMPARE(second.messages().size(), 1);
    QCOMPARE(second.messages().first().count(QStringLiteral("gone.trk")), 1);
}

void TestDistributionBuild::problemsOfTheRacesAreReported()
{
    DistributionFixture app;
    QByteArray race = "garbage without comma\r\nBN, c.trk\r\nBN, , Nobody\r\nBN, gone.trk, Ghost\r\n"
                      "AT, gone.pdf\r\nAT, ..\\..\\secret.txt\r\nWF, gone_WIND.CSV\r\n";
    for (int i = 1; i <= 21; ++i)
        race += "MAP, " + QByteArray::number(6000 + i) + "\r\n";
    app.write(QStringLiteral("raceadmin/odd.txt"), race);
    app.write(QStringLiteral("secret.txt"), "outside attachment");
    const AppSettings settings = settingsFor(app.path(), true);
    DistributionRequest request = twoRaces(QStringLiteral("Odd"));
    request.Races = {QStringLiteral("odd.txt")};
    request.StartupRace.clear();
    request.AttachMaps = true;
    ScriptedDialogs dialogs;
    QCOMPARE(create(settings, request, app.sources(), dialogs), CreateOutcome::Built);

    QCOMPARE(dialogs.messages().size(), 1);
    const QString message = dialogs.messages().first();
    QVERIFY2(message.startsWith(distributionText(settings, DistributionText::BuildRemarks).arg(
                 QDir::toNativeSeparators(app.file(QStringLiteral("distribution/Odd"))))),
             qPrintable(message));
    for (const QString &remark : {QStringLiteral("odd.txt: line 1: no comma"),
                                  QStringLiteral("odd.txt: line 2: boat without a name; its track file is c.trk"),
                                  QStringLiteral("odd.txt: line 3: boat without a track file"),
                                  QStringLiteral("gone.trk is not in gpsdat"), QStringLiteral("gone.pdf is not in attachment"),
                                  QStringLiteral("..\\..\\secret.txt leads out of its folder"),
                                  QStringLiteral("odd.txt: line 28: more than 20 coast tiles; 6021.cst is left out")})
        QVERIFY2(message.contains(remark), qPrintable(remark + QStringLiteral("\n---\n") + message));
    // A missing wind file or coast tile is no news: races without them are common.
    QVERIFY(!message.contains(QStringLiteral("WIND")));
    QVERIFY(!message.contains(QStringLiteral("6001")));
    // The boat without a name still brings its track.
    QVERIFY(QFileInfo::exists(app.file(QStringLiteral("distribution/Odd/gpsdat/c.trk"))));
    QVERIFY(!QFileInfo::exists(app.file(QStringLiteral("distribution/secret.txt"))));
    QCOMPARE(DistributionFixture::tree(app.file(QStringLiteral("distribution"))).filter(QStringLiteral("secret")), QStringList());
}

void TestDistributionBuild::scanRaceLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("tracks");
    QTest::addColumn<QStringList>("tiles");
    QTest::addColumn<QString>("wind");
    QTest::addColumn<QStringList>("attachments");
    QTest::addColumn<int>("problems");

    QTest::newRow("the four keys, blanks trimmed")
        << "WF ,  w.csv \nT1, title\n BN , a.trk ,  Boat A, 30\nMAP,5239\nAT,  rules.pdf \nMK, 1, 2\n"
        << QStringList{"a.trk"} << QStringList{"5239.cst"} << "w.csv" << QStringList{"rules.pdf"} << 0;
    QTest::newRow("keys are case-sensitive") << "bn, a.trk, A\nMap, 1\nwf, w\nat, x\n" << QStringList() << QStringList() << ""
                                             << QStringList() << 0;
    QTest::newRow("blank lines say nothing") << "\n   \nBN, a.trk, A\n" << QStringList{"a.trk"} << QStringList() << ""
                                             << QStringList() << 0;
    QTest::newRow("a line without a comma is skipped") << "BN a.trk A\nBN, b.trk, B\n" << QStringList{"b.trk"} << QStringList()
                                                       << "" << QStringList() << 1;
    QTest::newRow("BN without a boat name keeps its track") << "BN, a.trk \n" << QStringList{"a.trk"} << QStringList() << ""
                                                            << QStringList() << 1;
    QTest::newRow("BN without a track") << "BN, , A\nBN,\n" << QStringList() << QStringList() << "" << QStringList() << 2;
    QTest::newRow("the last WF counts") << "WF, one.csv\nWF, two.csv\n" << QStringList() << QStringList() << "two.csv"
                                        << QStringList() << 0;
    QTest::newRow("empty MAP and AT") << "MAP,\nAT,  \n" << QStringList() << QStringList() << "" << QStringList() << 2;
    QString limits;
    QStringList tiles, attachments;
    for (int i = 1; i <= 21; ++i) {
        limits += QStringLiteral("MAP, %1\n").arg(i);
        if (i <= 20)
            tiles << QStringLiteral("%1.cst").arg(i);
    }
    for (int i = 1; i <= 51; ++i) {
        limits += QStringLiteral("AT, a%1\n").arg(i);
        if (i <= 50)
            attachments << QStringLiteral("a%1").arg(i);
    }
    QTest::newRow("20 tiles and 50 attachments at most") << limits << QStringList() << tiles << "" << attachments << 2;
}

void TestDistributionBuild::scanRaceLines()
{
    QFETCH(QString, text);
    QFETCH(QStringList, tracks);
    QFETCH(QStringList, tiles);
    QFETCH(QString, wind);
    QFETCH(QStringList, attachments);
    QFETCH(int, problems);
    const RaceFileNames names = ::scanRaceLines(platform::splitLines(text), QStringLiteral("r.txt"));
    QCOMPARE(names.TrackFiles, tracks);
    QCOMPARE(names.CoastTiles, tiles);
    QCOMPARE(names.WindFile, wind);
    QCOMPARE(names.Attachments, attachments);
    QCOMPARE(names.Problems.size(), problems);
    for (const QString &p : names.Problems)
        QVERIFY2(p.startsWith(QStringLiteral("r.txt: line ")), qPrintable(p));
}

void TestDistributionBuild::folderNameChecks_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("caption");

    QTest::newRow("empty, English") << true << "" << int(CreateOutcome::Stopped) << "Input folder name to be saved" << "orvane";
    QTest::newRow("empty, Japanese") << false << "" << int(CreateOutcome::Stopped) << "収納するフォルダー名を入れてください" << "";
    QTest::newRow("existing folder, English") << true << "Cup2024" << int(CreateOutcome::Stopped)
                                              << "The same name folder exists. Input other name." << "orvane";
    QTest::newRow("existing folder, Japanese") << false << "Cup2024" << int(CreateOutcome::Stopped)
                                               << "同名のフォルダーがあります。新しい名前を入れてください。" << "フォルダー名";
    QTest::newRow("existing file") << true << "notes.txt" << int(CreateOutcome::Stopped)
                                   << "The same name folder exists. Input other name." << "orvane";
    QTest::newRow("other letter case is a new name") << true << "cup2024" << int(CreateOutcome::Built) << "" << "";
    QTest::newRow("climbing out") << true << "../escape" << int(CreateOutcome::Stopped)
                                  << distributionTextPair(DistributionText::BadFolderName).english << "orvane";
    QTest::newRow("backslash") << false << "a\\b" << int(CreateOutcome::Stopped)
                               << distributionTextPair(DistributionText::BadFolderName).japanese << "オルバネ";
    QTest::newRow("dot dot") << true << ".." << int(CreateOutcome::Stopped)
                             << distributionTextPair(DistributionText::BadFolderName).english << "orvane";
}

void TestDistributionBuild::folderNameChecks()
{
    QFETCH(bool, english);
    QFETCH(QString, name);
    QFETCH(int, outcome);
    QFETCH(QString, message);
    QFETCH(QString, caption);

    DistributionFixture app;
    app.write(QStringLiteral("distribution/Cup2024/raceadmin/old.txt"), "BN, old.trk, Old\r\n");
    app.write(QStringLiteral("distribution/notes.txt"), "a file");
    const QStringList before = DistributionFixture::tree(app.file(QStringLiteral("distribution")));
    const AppSettings settings = settingsFor(app.path(), english);
    ScriptedDialogs dialogs;
    QCOMPARE(int(create(settings, twoRaces(name), app.sources(), dialogs)), outcome);

    if (outcome == int(CreateOutcome::Stopped)) {
        QCOMPARE(dialogs.shown.size(), 1);
        QCOMPARE(dialogs.shown.first().kind, ScriptedDialogs::Shown::Message);
        QCOMPARE(dialogs.shown.first().text, message);
        QCOMPARE(dialogs.shown.first().caption, caption);
        QCOMPARE(DistributionFixture::tree(app.file(QStringLiteral("distribution"))), before);
        QVERIFY(!QFileInfo::exists(app.file(QStringLiteral("escape"))));
    } else {
        // The question, then a new folder beside the one spelled otherwise, which is untouched.
        QCOMPARE(dialogs.shown.size(), 1);
        QCOMPARE(dialogs.shown.first().kind, ScriptedDialogs::Shown::Question);
        QCOMPARE(dialogs.shown.first().text, QStringLiteral("Do you want to create new folder for distribution ?"));
        QCOMPARE(dialogs.shown.first().caption, QStringLiteral("orvane"));
        QVERIFY(QFileInfo::exists(app.file(QStringLiteral("distribution/cup2024/raceadmin/race1.txt"))));
        QCOMPARE(DistributionFixture::tree(app.file(QStringLiteral("distribution/Cup2024"))),
                 (QStringList{"raceadmin/", "raceadmin/old.txt"}));
    }
}

void TestDistributionBuild::declinedOrNothingChosenCreatesNothing()
{
    DistributionFixture app;
    const AppSettings settings = settingsFor(app.path(), false);
    ScriptedDialogs dialogs;
    dialogs.answers = {false};
    {
        platform::DialogsGuard guard(&dialogs);
        QCOMPARE(createDistribution(settings, twoRaces(QStringLiteral("Cup")), app.sources()), CreateOutcome::Declined);
        DistributionRequest none = twoRaces(QStringLiteral("Cup"));
        none.Races.clear();
        QCOMPARE(createDistribution(settings, none, app.sources()), CreateOutcome::NothingChosen);
    }
    QCOMPARE(dialogs.shown.size(), 1);
    QCOMPARE(dialogs.shown.first().text, QStringLiteral("配布データフォルダーを作成しますか？"));
    QCOMPARE(dialogs.shown.first().caption, QStringLiteral("配布用フォルダー名"));
    QVERIFY(!QFileInfo::exists(app.file(QStringLiteral("distribution"))));
}

void TestDistributionBuild::startupRaceMustBeChosen()
{
    // ReDO keeps the start-up race; a distribution without that race would open nothing.
    DistributionFixture app;
    const AppSettings settings = settingsFor(app.path(), true);
    DistributionRequest request = twoRaces(QStringLiteral("Cup"));
    request.Races = {QStringLiteral("race2.txt")};
    ScriptedDialogs dialogs;
    QCOMPARE(create(settings, request, app.sources(), dialogs), CreateOutcome::Stopped);
    QCOMPARE(dialogs.messages(), QStringList{distributionTextPair(DistributionText::StartupRaceNotChosen).english});
    QVERIFY(!QFileInfo::exists(app.file(QStringLiteral("distribution"))));
}

void TestDistributionBuild::folderThatCannotBeCreated()
{
    // "distribution" is a file: no folder can be made below it.
    DistributionFixture app;
    app.write(QStringLiteral("distribution"), "in the way");
    const AppSettings settings = settingsFor(app.path(), true);
    ScriptedDialogs dialogs;
    QCOMPARE(create(settings, twoRaces(QStringLiteral("Cup")), app.sources(), dialogs), CreateOutcome::Failed);
    QCOMPARE(dialogs.messages().size(), 1);
    const QString message = dialogs.messages().first();
    QVERIFY2(message.startsWith(QStringLiteral("The distribution could not be created.\r\n")
                                + QDir::toNativeSeparators(app.file(QStringLiteral("distribution"))) + u':'),
             qPrintable(message));
    QCOMPARE(message.count(QStringLiteral("\r\n")), 1);
    QCOMPARE(DistributionFixture::contents(app.file(QStringLiteral("distribution"))), QByteArray("in the way"));
}

void TestDistributionBuild::diskFullLeavesNothingHalfWritten()
{
#ifndef Q_OS_UNIX
    QSKIP("file size limits are a Unix facility");
#else
    // A file size limit stands in for a full disk: the 3 MiB track cannot be written whole.
    DistributionFixture app;
    app.write(QStringLiteral("gpsdat/c.trk"), QByteArray(3 << 20, 'x'));
    const AppSettings settings = settingsFor(app.path(), true);
    ScriptedDialogs dialogs;
    QStringList busy;
    const auto busyHook = [&busy](bool on) { busy << (on ? QStringLiteral("on") : QStringLiteral("off")); };

    rlimit saved{};
    QVERIFY(getrlimit(RLIMIT_FSIZE, &saved) == 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 1 << 20;
    QVERIFY(setrlimit(RLIMIT_FSIZE, &limited) == 0);
    dialogs.answers = {true};
    CreateOutcome outcome;
    {
        platform::DialogsGuard guard(&dialogs);
        outcome = createDistribution(settings, twoRaces(QStringLiteral("Cup")), app.sources(), busyHook);
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    QCOMPARE(outcome, CreateOutcome::Failed);
    QCOMPARE(busy, (QStringList{"on", "off"}));
    QCOMPARE(dialogs.messages().size(), 1);
    const QString message = dialogs.messages().first();
    const QString target = QDir::toNativeSeparators(app.file(QStringLiteral("distribution/Cup/gpsdat/c.trk")));
    QVERIFY2(message.contains(QStringLiteral("\r\n") + target + u':'), qPrintable(message));
    QVERIFY2(message.endsWith(QStringLiteral("The unfinished folder %1 was removed.")
                                  .arg(QDir::toNativeSeparators(app.file(QStringLiteral("distribution/Cup"))))),
             qPrintable(message));
    // No folder, no temporary file: the name can be used again.
    QCOMPARE(DistributionFixture::tree(app.file(QStringLiteral("distribution"))), QStringList());
    ScriptedDialogs again;
    QCOMPARE(create(settings, twoRaces(QStringLiteral("Cup")), app.sources(), again), CreateOutcome::Built);
    QCOMPARE(QFileInfo(app.file(QStringLiteral("distribution/Cup/gpsdat/c.trk"))).size(), qint64(3 << 20));
#endif
}

void TestDistributionBuild::writeProtectedMedium()
{
    // A folder that refuses new entries: write-protected for an ordinary user; for the
    // superuser, who writes anywhere, "distribution" leads into /sys, which refuses them too.
    DistributionFixture app;
    const QString parent = app.file(QStringLiteral("distribution"));
    bool superuser = false;
#ifdef Q_OS_UNIX
    superuser = geteuid() == 0;
#endif
    if (superuser) {
        if (!QFileInfo(QStringLiteral("/sys")).isDir())
            QSKIP("no folder refuses the superuser here");
        QVERIFY(QFile::link(QStringLiteral("/sys"), parent));
    } else {
        QVERIFY(QDir().mkpath(parent));
        QFile::setPermissions(parent, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    }
    const AppSettings settings = settingsFor(app.path(), false);
    ScriptedDialogs dialogs;
    const CreateOutcome outcome = create(settings, twoRaces(QStringLiteral("Cup")), app.sources(), dialogs);
    if (!superuser)
        QFile::setPermissions(parent, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QCOMPARE(outcome, CreateOutcome::Failed);
    QCOMPARE(dialogs.messages().size(), 1);
    QVERIFY2(dialogs.messages().first().startsWith(QStringLiteral("配布データを作成できませんでした。\r\n")
                                                   + QDir::toNativeSeparators(app.file(QStringLiteral("distribution/Cup")))
                                                   + u':'),
             qPrintable(dialogs.messages().first()));
    // Nothing was made, so nothing is said to be removed.
    QCOMPARE(dialogs.messages().first().count(QStringLiteral("\r\n")), 1);
    QVERIFY(!QFileInfo::exists(app.file(QStringLiteral("distribution/Cup"))));
}

void TestDistributionBuild::copyIfPresentCases()
{
    DistributionFixture app;
    const QString src = app.file(QStringLiteral("attachment"));
    const QString dst = app.file(QStringLiteral("out"));
    QVERIFY(QDir().mkpath(dst));
    app.write(QStringLiteral("attachment/Docs/Rules.PDF"), "pdf");
    app.write(QStringLiteral("out/rules.html"), "old");
    QString error;
    QCOMPARE(copyIfPresent(src, dst, QString(), &error), CopyOutcome::Absent);
    QCOMPARE(copyIfPresent(src, dst, QStringLiteral("none.pdf"), &error), CopyOutcome::Absent);
    QCOMPARE(copyIfPresent(src, dst, QStringLiteral("docs"), &error), CopyOutcome::Absent); // a folder
    QCOMPARE(copyIfPresent(src, dst, QStringLiteral("..\\gun.wav"), &error), CopyOutcome::Refused);
    QCOMPARE(copyIfPresent(src, dst, QStringLiteral("/etc/hostname"), &error), CopyOutcome::Refused);
    // Replaces without asking; subfolders come along in the source's spelling.
    QCOMPARE(copyIfPresent(src, dst, QStringLiteral("RULES.HTML"), &error), CopyOutcome::Copied);
    QCOMPARE(DistributionFixture::contents(app.file(QStringLiteral("out/rules.html"))), QByteArray("<p>rules</p>\r\n"));
    QCOMPARE(copyIfPresent(src, dst, QStringLiteral("docs\\rules.pdf"), &error), CopyOutcome::Copied);
    QCOMPARE(DistributionFixture::tree(dst), (QStringList{"Docs/", "Docs/Rules.PDF", "rules.html"}));
}

void TestDistributionBuild::formListsAndLimits()
{
    DistributionFixture app;
    app.write(QStringLiteral("raceadmin/VER.TXT"), "a race named like the language file");
    app.write(QStringLiteral("raceadmin/notes.doc"), "not a race");
    HaifuState state;
    state.load(app.path());
    QCOMPARE(state.available(), (QStringList{"race1.txt", "race2.txt", "VER.TXT"}));
    QVERIFY(!state.isAvailableTruncated());

    QVERIFY(state.choose(1));
    QVERIFY(state.choose(1));
    QVERIFY(state.choose(0));
    QVERIFY(!state.choose(3));
    QVERIFY(!state.choose(-1));
    QCOMPARE(state.chosen(), (QStringList{"race2.txt", "race2.txt", "race1.txt"}));
    QVERIFY(state.setStartupFromChosen(2));
    QVERIFY(!state.setStartupFromChosen(3));
    QCOMPARE(state.startupRace(), QStringLiteral("race1.txt"));
    state.redo();
    QCOMPARE(state.chosenCount(), 0);
    QCOMPARE(state.startupRace(), QStringLiteral("race1.txt"));
    for (int i = 0; i < HaifuState::MaxChosen; ++i)
        QVERIFY(state.choose(0));
    QVERIFY(!state.choose(0));
    QCOMPARE(state.chosenCount(), HaifuState::MaxChosen);

    for (int i = 0; i < HaifuState::MaxAvailable; ++i)
        app.write(QStringLiteral("raceadmin/x%1.txt").arg(i, 3, 10, QLatin1Char('0')), "BN, a.trk, A\r\n");
    state.load(app.path());
    QCOMPARE(state.available().size(), HaifuState::MaxAvailable);
    QVERIFY(state.isAvailableTruncated());
    QCOMPARE(state.chosenCount(), 0);
    QVERIFY(state.startupRace().isEmpty());
}

QTEST_GUILESS_MAIN(TestDistributionBuild)
#include "testdistributionbuild.moc"
