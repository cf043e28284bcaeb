// The start-up sequence up to the choice between the menu and the race display.
#include "fakestartupsystem.h"

#include <appsettings.h>
#include <dialogs.h>
#include <racecontrol.h>
#include <startupsequence.h>
#include <startuptexts.h>
#include <system.h>

#include <QTest>

using platform::ScriptedDialogs;

class TestStartupSequence : public QObject
{
    Q_OBJECT

private:
    struct Run {
        AppSettings settings;
        RaceControl race;
        FakeStartupSystem system;
        ScriptedDialogs dialogs;
        StartupOutcome outcome = StartupOutcome::Quit;
        void go(const QString &folder)
        {
            platform::DialogsGuard guard(&dialogs);
            outcome = runStartupSequence(folder, settings, race, system);
        }
        QStringList questions() const
        {
            QStringList q;
            for (const auto &s : dialogs.shown)
                if (s.kind == ScriptedDialogs::Shown::Question)
                    q.append(s.text);
            return q;
        }
    };

private slots:
    void languageFromVerFile_data();
    void languageFromVerFile();
    void localeCheck_data();
    void localeCheck();
    void linuxLocaleNames_data();
    void linuxLocaleNames();
    void screenScale();
    void installationOffer_data();
    void installationOffer();
    void installerThatDoesNotStartKeepsRunning();
    void basicDataExpansion_data();
    void basicDataExpansion();
    void editQuestion_data();
    void editQuestion();
    void viewingModeRace_data();
    void viewingModeRace();
    void viewingModeWithoutRaces();
    void applicationFolderLosesTrailingSeparator();
    void missingToolIsReportedByPath();
};

void TestStartupSequence::languageFromVerFile_data()
{
    QTest::addColumn<bool>("present");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("english");
    QTest::newRow("missing file") << false << QByteArray() << false;
    QTest::newRow("no comma") << true << QByteArray("LANG1\r\n") << false;
    QTest::newRow("value 1") << true << QByteArray("LANG,1\r\n") << true;
    QTest::newRow("value 0") << true << QByteArray("LANG,0\r\n") << false;
    QTest::newRow("value 2 is English too") << true << QByteArray("LANG,2\r\n") << true;
    QTest::newRow("blank before value") << true << QByteArray("LANG, 1\r\n") << true;
    QTest::newRow("text after comma") << true << QByteArray("LANG,abc\r\n") << false;
    QTest::newRow("only first line counts") << true << QByteArray("LANG\r\nLANG,1\r\n") << false;
    QTest::newRow("empty file") << true << QByteArray() << false;
}

void TestStartupSequence::languageFromVerFile()
{
    QFETCH(bool, present);
    QFETCH(QByteArray, content);
    QFETCH(bool, english);
    AppFolderFixture app;
    if (present)
        app.write(QStringLiteral("raceadmin/Ver.00"), content);
    Run run;
    run.dialogs.answers = {true};
    run.go(app.path());
    QCOMPARE(run.settings.isEnglish(), english);
    QCOMPARE(run.settings.ProgramTitle, english ? QStringLiteral("orvane") : QStringLiteral("オルバネ"));
    QCOMPARE(run.settings.UiFontName, english ? QStringLiteral("MS Sans Serif") : QStringLiteral("MS P ゴシック"));
    QCOMPARE(run.settings.EnglishFontName, QStringLiteral("MS Sans Serif"));
    QCOMPARE(run.settings.JapaneseFontName, QStringLiteral("MS P ゴシック"));
    QCOMPARE(run.questions(), QStringList{english ? QStringLiteral("Edit Data ?") : QStringLiteral("編集しますか?")});
}

void TestStartupSequence::localeCheck_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<int>("localeId");
    QTest::addColumn<bool>("ends");
    QTest::newRow("English on en_US") << true << 1033 << false;
    QTest::newRow("English on ja_JP") << true << 1041 << true;
    QTest::newRow("English on en_GB") << true << 2057 << true;
    QTest::newRow("English on unknown locale") << true << 0 << true;
    QTest::newRow("Japanese on en_GB: no check") << false << 2057 << false;
    QTest::newRow("Japanese on ja_JP") << false << 1041 << false;
}

void TestStartupSequence::localeCheck()
{
    QFETCH(bool, english);
    QFETCH(int, localeId);
    QFETCH(bool, ends);
    AppFolderFixture app;
    if (english)
        app.write(QStringLiteral("raceadmin/Ver.00"), "LANG,1\r\n");
    Run run;
    run.system.localeId = localeId;
    run.dialogs.answers = {true};
    run.go(app.path());
    if (ends) {
        QCOMPARE(run.outcome, StartupOutcome::Quit);
        QCOMPARE(run.dialogs.shown.size(), 1);
        const auto &shown = run.dialogs.shown.first();
        QCOMPARE(shown.kind, ScriptedDialogs::Shown::Message);
        QCOMPARE(shown.caption, QStringLiteral("orvane"));
        QCOMPARE(shown.text,
                 QStringLiteral("This software is written in English (USA)\r\nPlease change your locale set in your PC\r\n\r\n"
                                "-----  How to change locale in your PC -----\r\n"
                                "Start >> (Settings) >> Control Panel >>Regional Options\r\n"
                                "Then change locale to English (United States)\r\n\r\n Then restart the 'orvane'"));
    } else {
        QCOMPARE(run.outcome, StartupOutcome::ShowMenu);
        QVERIFY(run.dialogs.messages().isEmpty());
    }
}

void TestStartupSequence::linuxLocaleNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("acceptedForEnglish");
    QTest::newRow("C") << "C" << true;
    QTest::newRow("C.UTF-8") << "C.UTF-8" << true;
    QTest::newRow("POSIX") << "POSIX" << true;
    QTest::newRow("en_US.UTF-8") << "en_US.UTF-8" << true;
    QTest::newRow("en_US@euro-less variant") << "en_US.ISO-8859-1" << true;
    QTest::newRow("en_GB.UTF-8") << "en_GB.UTF-8" << false;
    QTest::newRow("ja_JP.UTF-8") << "ja_JP.UTF-8" << false;
    QTest::newRow("de_DE") << "de_DE" << false;
}

void TestStartupSequence::linuxLocaleNames()
{
    QFETCH(QString, name);
    QFETCH(bool, acceptedForEnglish);
    AppSettings english;
    english.setLanguage(UiLanguage::English);
    QCOMPARE(localeAccepted(english, platform::localeIdForName(name)), acceptedForEnglish);
    AppSettings japanese;
    japanese.setLanguage(UiLanguage::Japanese);
    QVERIFY(localeAccepted(japanese, platform::localeIdForName(name)));
}

void TestStartupSequence::screenScale()
{
    AppFolderFixture app;
    Run run;
    run.system.twipsX = 12.0;
    run.system.twipsY = 10.0;
    run.go(app.path());
    QCOMPARE(run.settings.ScaleX, 0.8f);
    QCOMPARE(run.settings.ScaleY, 10.0f / 15.0f);
    QCOMPARE(run.settings.Scale, 0.8f);
}

void TestStartupSequence::installationOffer_data()
{
    QTest::addColumn<bool>("optical");
    QTest::addColumn<bool>("setupPresent");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("installs");
    QTest::newRow("CD-ROM, setup, Yes") << true << true << true << true << true;
    QTest::newRow("CD-ROM, setup, No") << true << true << false << true << false;
    QTest::newRow("CD-ROM without setup") << true << false << true << false << false;
    QTest::newRow("hard disk with setup") << false << true << true << false << false;
}

void TestStartupSequence::installationOffer()
{
    QFETCH(bool, optical);
    QFETCH(bool, setupPresent);
    QFETCH(bool, answer);
    QFETCH(bool, asked);
    QFETCH(bool, installs);
    AppFolderFixture app;
    app.makeFolder(QStringLiteral("gpsdat"));
    if (setupPresent)
        app.write(QStringLiteral("setup.exe"), "x");
    Run run;
    run.system.opticalDisc = optical;
    run.system.startable = {QStringLiteral("setup.exe")};
    run.dialogs.answers = {answer, true};
    run.go(app.path());
    const QString question = QStringLiteral("今すぐインストールしますか？");
    QCOMPARE(run.questions().contains(question), asked);
    if (installs) {
        QCOMPARE(run.outcome, StartupOutcome::Quit);
        QCOMPARE(run.system.started, QStringList{QStringLiteral("setup.exe")});
        QCOMPARE(run.dialogs.messages(), QStringList{QStringLiteral("ソフトがインストールされますので次回からはHDDから起動してください")});
        QCOMPARE(run.dialogs.shown.last().caption, QStringLiteral("オルバネ"));
        QVERIFY(!run.questions().contains(QStringLiteral("編集しますか?")));
    } else {
        QVERIFY(run.system.started.isEmpty());
        QCOMPARE(run.outcome, StartupOutcome::ShowMenu);
    }
}

void TestStartupSequence::installerThatDoesNotStartKeepsRunning()
{
    AppFolderFixture app;
    app.makeFolder(QStringLiteral("gpsdat"));
    app.write(QStringLiteral("setup.exe"), "x");
    app.write(QStringLiteral("raceadmin/Ver.00"), "LANG,1\r\n");
    Run run;
    run.system.opticalDisc = true; // setup.exe is not startable
    run.dialogs.answers = {true, true};
    run.go(app.path());
    QCOMPARE(run.outcome, StartupOutcome::ShowMenu);
    const QStringList messages = run.dialogs.messages();
    QCOMPARE(messages.size(), 2);
    QVERIFY(messages[1].startsWith(QStringLiteral("The program could not be started.")));
    QVERIFY(messages[1].contains(QStringLiteral("setup.exe")));
}

void TestStartupSequence::basicDataExpansion_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<bool>("gpsdat");
    QTest::addColumn<bool>("dataExe");
    QTest::addColumn<bool>("startable");
    QTest::addColumn<bool>("expands");
    QTest::newRow("Japanese, no gpsdat") << false << false << true << true << true;
    QTest::newRow("English, no gpsdat") << true << false << true << true << true;
    QTest::newRow("gpsdat present") << false << true << true << true << false;
    QTest::newRow("no data.exe") << false << false << false << true << false;
    QTest::newRow("data.exe does not start") << false << false << true << false << true;
}

void TestStartupSequence::basicDataExpansion()
{
    QFETCH(bool, english);
    QFETCH(bool, gpsdat);
    QFETCH(bool, dataExe);
    QFETCH(bool, startable);
    QFETCH(bool, expands);
    AppFolderFixture app;
    if (english)
        app.write(QStringLiteral("raceadmin/Ver.00"), "LANG,1\r\n");
    if (gpsdat)
        app.makeFolder(QStringLiteral("GPSDAT")); // found whatever its case
    if (dataExe)
        app.write(QStringLiteral("data.exe"), "x");
    Run run;
    if (startable)
        run.system.startable = {QStringLiteral("data.exe")};
    run.dialogs.answers = {true};
    run.go(app.path());
    QCOMPARE(run.outcome, StartupOutcome::ShowMenu);
    if (!expands) {
        QVERIFY(run.system.started.isEmpty());
        QVERIFY(run.system.waits.isEmpty());
        QVERIFY(run.dialogs.messages().isEmpty());
        return;
    }
    QCOMPARE(run.system.started, QStringList{QStringLiteral("data.exe")});
    const auto &first = run.dialogs.shown.first();
    QCOMPARE(first.kind, ScriptedDialogs::Shown::Message);
    if (english) {
        QCOMPARE(first.text, QStringLiteral("Expand coast line data"));
        QCOMPARE(first.caption, QStringLiteral("Expansion"));
    } else {
        QCOMPARE(first.text, QStringLiteral("海岸線などの基本データを解凍します\r\n約１分掛かりますがお待ちください。"));
        QCOMPARE(first.caption, QStringLiteral("データの解凍"));
    }
    if (startable) {
        QCOMPARE(run.system.waits, QList<int>{60000});
        QCOMPARE(run.dialogs.messages().size(), 1);
    } else {
        // Nothing to wait for; the failure is reported and the start-up goes on.
        QVERIFY(run.system.waits.isEmpty());
        QCOMPARE(run.dialogs.messages().size(), 2);
        QVERIFY(run.dialogs.messages()[1].contains(QStringLiteral("data.exe")));
    }
}

void TestStartupSequence::editQuestion_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<bool>("answer");
    QTest::newRow("English Yes") << true << true;
    QTest::newRow("English No") << true << false;
    QTest::newRow("Japanese Yes") << false << true;
    QTest::newRow("Japanese No") << false << false;
}

void TestStartupSequence::editQuestion()
{
    QFETCH(bool, english);
    QFETCH(bool, answer);
    AppFolderFixture app;
    app.write(QStringLiteral("raceadmin/race1.txt"), "TT,a\r\n");
    if (english)
        app.write(QStringLiteral("raceadmin/Ver.00"), "LANG,1\r\n");
    Run run;
    run.dialogs.answers = {answer};
    run.go(app.path());
    QCOMPARE(run.dialogs.shown.size(), 1);
    const auto &q = run.dialogs.shown.first();
    QCOMPARE(q.kind, ScriptedDialogs::Shown::Question);
    QCOMPARE(q.text, english ? QStringLiteral("Edit Data ?") : QStringLiteral("編集しますか?"));
    // The Japanese question has the default caption.
    QCOMPARE(q.caption, english ? QStringLiteral("orvane") : QString());
    QCOMPARE(run.settings.EditMode, answer);
    QCOMPARE(run.outcome, answer ? StartupOutcome::ShowMenu : StartupOutcome::ShowRace);
    QCOMPARE(platform::defaultCaption(), run.settings.ProgramTitle);
}

void TestStartupSequence::viewingModeRace_data()
{
    QTest::addColumn<QByteArray>("racefile");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no racefile.st: first race") << QByteArray() << "a_race.txt";
    QTest::newRow("racefile.st with comma") << QByteArray("b_race.txt,1\r\n") << "b_race.txt";
    QTest::newRow("racefile.st without comma") << QByteArray("b_race.txt\r\nother\r\n") << "b_race.txt";
    QTest::newRow("empty racefile.st: first race") << QByteArray("\r\n") << "a_race.txt";
}

void TestStartupSequence::viewingModeRace()
{
    QFETCH(QByteArray, racefile);
    QFETCH(QString, expected);
    AppFolderFixture app;
    app.write(QStringLiteral("raceadmin/b_race.txt"), "TT,b\r\n");
    app.write(QStringLiteral("raceadmin/a_race.txt"), "TT,a\r\n");
    app.write(QStringLiteral("raceadmin/notes.doc"), "x");
    if (!racefile.isEmpty())
        app.write(QStringLiteral("raceadmin/racefile.st"), racefile);
    Run run;
    run.settings.SingleTrackFile = QStringLiteral("left.trk");
    run.dialogs.answers = {false};
    run.go(app.path());
    QCOMPARE(run.outcome, StartupOutcome::ShowRace);
    QVERIFY(!run.settings.EditMode);
    QCOMPARE(run.race.FileName, expected);
    QVERIFY(run.settings.SingleTrackFile.isEmpty());
}

void TestStartupSequence::viewingModeWithoutRaces()
{
    AppFolderFixture app;
    app.makeFolder(QStringLiteral("raceadmin"));
    Run run;
    run.dialogs.answers = {false};
    run.go(app.path());
    QCOMPARE(run.outcome, StartupOutcome::Quit);
    QCOMPARE(run.dialogs.messages(), QStringList{startupTextPair(StartupText::NoRaceToShow).japanese});
}

void TestStartupSequence::applicationFolderLosesTrailingSeparator()
{
    AppFolderFixture app;
    Run run;
    run.go(app.path() + QStringLiteral("/"));
    QCOMPARE(run.settings.ApplicationFolder, app.path());
    QCOMPARE(withoutTrailingSeparator(QStringLiteral("C:\\orvane\\")), QStringLiteral("C:\\orvane"));
    QCOMPARE(withoutTrailingSeparator(QStringLiteral("/")), QStringLiteral("/"));
}

void TestStartupSequence::missingToolIsReportedByPath()
{
    AppFolderFixture app;
    AppSettings settings;
    settings.ApplicationFolder = app.path();
    settings.setLanguage(UiLanguage::English);
    FakeStartupSystem system;
    ScriptedDialogs dialogs;
    platform::DialogsGuard guard(&dialogs);
    QVERIFY(!startTool(settings, system, QStringLiteral("\\GASTRA.exe")));
    QCOMPARE(dialogs.messages().size(), 1);
    QVERIFY(dialogs.messages().first().startsWith(QStringLiteral("The program could not be started.\r\n")));
    QVERIFY(dialogs.messages().first().endsWith(QStringLiteral("GASTRA.exe")));
    QCOMPARE(dialogs.shown.first().caption, QStringLiteral("orvane"));
}

QTEST_GUILESS_MAIN(TestStartupSequence)
#include "teststartupsequence.moc"
