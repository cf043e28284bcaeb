// The chooser lists and what OK does to the race; OpenDocument's failure messages; the menu
// table and the help page.
#include "fakestartupsystem.h"

#include <appsettings.h>
#include <chooser.h>
#include <dialogs.h>
#include <menulayout.h>
#include <opendocument.h>
#include <racecontrol.h>

#include <QTest>

#include <stdexcept>

using platform::ScriptedDialogs;

class TestChooserDocuments : public QObject
{
    Q_OBJECT

private slots:
    void trackFilesListDtrBeforeTrk();
    void racesListOnlyControlFiles();
    void emptyFoldersGiveEmptyLists();
    void okClearsTheRace_data();
    void okClearsTheRace();
    void showOneBoatSetsBoatLength();
    void openDocumentFailures_data();
    void openDocumentFailures();
    void openDocumentSuccessIsSilent();
    void openDocumentWithoutOpener();
    void openerThatThrows();
    void menuTable();
    void hintsByLanguage();
    void helpPage_data();
    void helpPage();
};

void TestChooserDocuments::trackFilesListDtrBeforeTrk()
{
    AppFolderFixture app;
    app.write(QStringLiteral("gpsdat/a.trk"));
    app.write(QStringLiteral("gpsdat/c.TRK"));
    app.write(QStringLiteral("gpsdat/b.dtr"));
    app.write(QStringLiteral("gpsdat/z.dtr"));
    app.write(QStringLiteral("gpsdat/notes.txt"));
    app.write(QStringLiteral("gpsdat/d.trk.bak"));
    const QStringList names = chooserNames(app.path(), ChooserMode::TrackFiles);
    QCOMPARE(names, (QStringList{"b.dtr", "z.dtr", "a.trk", "c.TRK"}));
}

void TestChooserDocuments::racesListOnlyControlFiles()
{
    AppFolderFixture app;
    app.write(QStringLiteral("RaceAdmin/race2.txt"));
    app.write(QStringLiteral("RaceAdmin/race1.TXT"));
    app.write(QStringLiteral("RaceAdmin/racefile.st"));
    app.write(QStringLiteral("RaceAdmin/Ver.00"));
    app.write(QStringLiteral("gpsdat/x.txt"));
    QCOMPARE(chooserNames(app.path(), ChooserMode::Races), (QStringList{"race1.TXT", "race2.txt"}));
}

void TestChooserDocuments::emptyFoldersGiveEmptyLists()
{
    AppFolderFixture app;
    QVERIFY(chooserNames(app.path(), ChooserMode::Races).isEmpty());
    QVERIFY(chooserNames(app.path(), ChooserMode::TrackFiles).isEmpty());
}

void TestChooserDocuments::okClearsTheRace_data()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("race") << int(ChooserMode::Races);
    QTest::newRow("track") << int(ChooserMode::TrackFiles);
}

void TestChooserDocuments::okClearsTheRace()
{
    QFETCH(int, mode);
    AppSettings settings;
    settings.SingleTrackFile = QStringLiteral("old.trk");
    RaceControl race;
    race.FileName = QStringLiteral("old.txt");
    race.WindFile = QStringLiteral("w.csv");
    race.Title1 = race.Title2 = race.Title3 = QStringLiteral("t");
    race.StartTime = platform::LocalDateTime::fromParts(2008, 3, 1, 10);
    race.FinishTime = race.StartTime.addSecs(3600);
    race.DisplayStart = race.StartTime;
    race.DisplayEnd = race.FinishTime;
    race.Boats.append(BoatEntry{});
    race.Marks.append(RaceMark{});
    race.Lines.append(RaceLine{});
    race.Course.Entries = {QStringLiteral("L1"), QStringLiteral("L2")};
    race.Attachments = {QStringLiteral("a.pdf")};
    race.TimeDifference = 9;
    race.NorthUp = 1;
    race.BoatLength = 8.5f;
    race.MagneticVariation = -7;

    applyChoice(settings, race, ChooserMode(mode), QStringLiteral("new.name"));
    if (ChooserMode(mode) == ChooserMode::Races) {
        QCOMPARE(race.FileName, QStringLiteral("new.name"));
        QVERIFY(settings.SingleTrackFile.isEmpty());
    } else {
        QVERIFY(race.FileName.isEmpty());
        QCOMPARE(settings.SingleTrackFile, QStringLiteral("new.name"));
    }
    QVERIFY(race.WindFile.isEmpty());
    QVERIFY(race.Title1.isEmpty() && race.Title2.isEmpty() && race.Title3.isEmpty());
    QVERIFY(race.StartTime.isNull() && race.FinishTime.isNull());
    QVERIFY(race.DisplayStart.isNull() && race.DisplayEnd.isNull());
    QCOMPARE(race.boatCount(), 0);
    QCOMPARE(race.markCount(), 0);
    QCOMPARE(race.lineCount(), 0);
    QCOMPARE(race.Course.Count(), 0);
    QVERIFY(race.Attachments.isEmpty());
    QCOMPARE(race.TimeDifference, qint16(0));
    QCOMPARE(race.NorthUp, 0.0);
    // Not part of the clearing.
    QCOMPARE(race.BoatLength, 8.5f);
    QCOMPARE(race.MagneticVariation, -7.0);
}

void TestChooserDocuments::showOneBoatSetsBoatLength()
{
    RaceControl race;
    race.BoatLength = 10.0f;
    prepareChooser(race, ChooserMode::Races);
    QCOMPARE(race.BoatLength, 10.0f);
    prepareChooser(race, ChooserMode::TrackFiles);
    QCOMPARE(race.BoatLength, 4.7f);
}

void TestChooserDocuments::openDocumentFailures_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << 0 << "メモリまたはリソースが足りません。";
    QTest::newRow("2") << 2 << "ファイルが見つかりません。";
    QTest::newRow("3") << 3 << "パスが見つかりません。";
    QTest::newRow("5") << 5 << "アクセスは拒否されました。";
    QTest::newRow("11") << 11 << "不正な形式の実行ファイルです。";
    QTest::newRow("27") << 27 << "関連付けが不完全です。";
    QTest::newRow("31") << 31 << "関連付けが指定されていません。";
    QTest::newRow("32 is still a failure") << 32 << "ファイルを開けません。";
    QTest::newRow("26") << 26 << "ファイルを開けません。";
    QTest::newRow("negative") << -5 << "ファイルを開けません。";
}

void TestChooserDocuments::openDocumentFailures()
{
    QFETCH(int, value);
    QFETCH(QString, text);
    QStringList asked;
    const DocumentOpener previous = setDocumentOpener([&](const QString &p) {
        asked.append(p);
        return value;
    });
    ScriptedDialogs dialogs;
    platform::DialogsGuard guard(&dialogs);
    QVERIFY(!OpenDocument(QStringLiteral("/x/help/index.html")));
    setDocumentOpener(previous);
    QCOMPARE(asked, QStringList{QStringLiteral("/x/help/index.html")});
    QCOMPARE(dialogs.messages(), QStringList{text});
    QVERIFY(dialogs.shown.first().caption.isEmpty()); // the default caption
}

void TestChooserDocuments::openDocumentSuccessIsSilent()
{
    const DocumentOpener previous = setDocumentOpener([](const QString &) { return 33; });
    ScriptedDialogs dialogs;
    platform::DialogsGuard guard(&dialogs);
    QVERIFY(OpenDocument(QStringLiteral("http://example.org/")));
    setDocumentOpener(previous);
    QVERIFY(dialogs.shown.isEmpty());
}

void TestChooserDocuments::openDocumentWithoutOpener()
{
    const DocumentOpener previous = setDocumentOpener({});
    ScriptedDialogs dialogs;
    platform::DialogsGuard guard(&dialogs);
    QVERIFY(!OpenDocument(QStringLiteral("a.html")));
    setDocumentOpener(previous);
    QCOMPARE(dialogs.messages(), QStringList{QStringLiteral("関連付けが指定されていません。")});
}

void TestChooserDocuments::openerThatThrows()
{
    const DocumentOpener previous = setDocumentOpener([](const QString &) -> int { throw std::runtime_error("x"); });
    ScriptedDialogs dialogs;
    platform::DialogsGuard guard(&dialogs);
    QVERIFY(!OpenDocument(QStringLiteral("a.html")));
    setDocumentOpener(previous);
    QCOMPARE(dialogs.messages(), QStringList{QStringLiteral("ファイルを開けません。")});
}

void TestChooserDocuments::menuTable()
{
    const QList<MenuButton> &buttons = menuButtons();
    QStringList captions;
    for (const MenuButton &b : buttons)
        captions.append(b.caption);
    QCOMPARE(captions, (QStringList{"GPS Download", "Mk Wind Data", "Edit GPS data", "Create Distibution File",
                                    "Show One Boat", "Show Racing", "?", "EXIT"}));
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(buttons[i].place, QRect(230, 424 + 24 * i, 131, 17));
    }
    QCOMPARE(menuButton(MenuAction::Help)->place, QRect(230, 568, 42, 17));
    QCOMPARE(menuButton(MenuAction::Exit)->place, QRect(288, 568, 73, 17));
    // The help and exit buttons share the last row without overlapping.
    QVERIFY(!menuButton(MenuAction::Help)->place.intersects(menuButton(MenuAction::Exit)->place));
    QList<int> heights;
    for (const MenuButton &b : buttons)
        heights.append(b.hintHeight);
    QCOMPARE(heights, (QList<int>{32, 45, 60, 33, 17, 32, 0, 17}));
}

void TestChooserDocuments::hintsByLanguage()
{
    AppSettings en;
    en.setLanguage(UiLanguage::English);
    AppSettings ja;
    ja.setLanguage(UiLanguage::Japanese);
    const MenuButton &download = *menuButton(MenuAction::GpsDownload);
    QCOMPARE(menuHint(en, download), QStringLiteral("Receive Track Data From GPS\r\nEdit GPS data"));
    QCOMPARE(menuHint(ja, download), QStringLiteral("GPSからﾃﾞｰﾀをﾀﾞｳﾝﾛｰﾄﾞ\r\n軌跡ﾃﾞｰﾀﾌｧｲﾙを読んで編集"));
    const MenuButton &editor = *menuButton(MenuAction::Editor);
    QCOMPARE(menuHint(en, editor), QStringLiteral("Edit each boat data.\r\n\r\nSelect GPS data and set\r\nstart and finish time."));
    // Some hints are Japanese in both languages.
    for (MenuAction a : {MenuAction::WindTool, MenuAction::Distribution, MenuAction::ShowOneBoat, MenuAction::Exit})
        QCOMPARE(menuHint(en, *menuButton(a)), menuHint(ja, *menuButton(a)));
    QCOMPARE(menuHint(en, *menuButton(MenuAction::Exit)), QStringLiteral("プログラムを終了します"));
}

void TestChooserDocuments::helpPage_data()
{
    QTest::addColumn<QString>("present");
    QTest::addColumn<bool>("available");
    QTest::newRow("none") << "" << false;
    QTest::newRow("Japanese page") << "help/index.html" << true;
    QTest::newRow("English page") << "help-e/index.html" << true;
    QTest::newRow("other case") << "HELP/Index.HTML" << true;
    QTest::newRow("folder only") << "help/other.html" << false;
}

void TestChooserDocuments::helpPage()
{
    QFETCH(QString, present);
    QFETCH(bool, available);
    AppFolderFixture app;
    if (!present.isEmpty())
        app.write(present, "<html/>");
    QCOMPARE(hasHelpPage(app.path()), available);
    AppSettings settings;
    settings.ApplicationFolder = app.path();
    settings.setLanguage(UiLanguage::English);
    QVERIFY(helpPagePath(settings).endsWith(QStringLiteral("index.html"), Qt::CaseInsensitive));
    QVERIFY(helpPagePath(settings).contains(QStringLiteral("help-e"), Qt::CaseInsensitive));
    settings.setLanguage(UiLanguage::Japanese);
    QVERIFY(!helpPagePath(settings).contains(QStringLiteral("help-e"), Qt::CaseInsensitive));
}

QTEST_GUILESS_MAIN(TestChooserDocuments)
#include "testchooserdocuments.moc"
