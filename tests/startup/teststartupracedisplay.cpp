// The start-up with the real race display: viewing mode loads the race named in
// "racefile.st" with its progress on the splash window, and closing the race ends the
// program; in edit mode the menu comes back.
#include "fakestartupsystem.h"

#include <appsettings.h>
#include <browserstartup.h>
#include <dialogs.h>
#include <mainmenuwindow.h>
#include <racecontrol.h>
#include <racedisplaywindow.h>
#include <racegenerator.h>
#include <splashwindow.h>

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using platform::ScriptedDialogs;

class TestStartupRaceDisplay : public QObject
{
    Q_OBJECT

    static void writeSmallRace(const QString &folder)
    {
        std::optional<tools::RaceSpec> preset = tools::presetRace(QStringLiteral("keel"));
        QVERIFY(preset);
        preset->RaceFileName = QStringLiteral("small.txt");
        preset->BoatCount = 3;
        preset->LegLengthNm = 0.3;
        preset->LogLeadSec = 300;
        preset->LogTailSec = 60;
        QString error;
        QVERIFY2(tools::writeRace(tools::generateRace(*preset), folder, &error), qPrintable(error));
    }

private slots:
    void viewingModeLoadsOnSplashAndClosingEnds();
    void editModeClosingReturnsToMenu();
};

void TestStartupRaceDisplay::viewingModeLoadsOnSplashAndClosingEnds()
{
    AppFolderFixture app;
    writeSmallRace(app.path());
    app.write(QStringLiteral("raceadmin/racefile.st"), "small.txt\r\n");
    AppSettings settings;
    RaceControl race;
    FakeStartupSystem system;
    ScriptedDialogs dialogs;
    dialogs.answers = {false};
    platform::DialogsGuard guard(&dialogs);
    BrowserStartup startup(settings, race, system);
    QSignalSpy quit(&startup, &BrowserStartup::quitRequested);
    QCOMPARE(startup.start(app.path()), StartupOutcome::ShowRace);

    auto *display = qobject_cast<RaceDisplayWindow *>(startup.raceDisplay());
    QVERIFY(display);
    QTRY_VERIFY_WITH_TIMEOUT(display->isLoaded(), 20000);
    QCOMPARE(race.FileName, QStringLiteral("small.txt"));
    QCOMPARE(race.boatCount(), 3);
    // The load painted its progress on the splash and hid it when done.
    SplashWindow *splash = startup.splash();
    QVERIFY(splash);
    QVERIFY(!splash->isVisible());
    QVERIFY(splash->progressLine1().startsWith(QStringLiteral("small.txt")));
    QCOMPARE(splash->progressBarUnits(), 333);
    QVERIFY2(dialogs.messages().isEmpty(), qPrintable(dialogs.messages().join(u'|')));

    QCOMPARE(quit.count(), 0);
    display->close();
    QCOMPARE(quit.count(), 1);
}

void TestStartupRaceDisplay::editModeClosingReturnsToMenu()
{
    AppFolderFixture app;
    writeSmallRace(app.path());
    AppSettings settings;
    RaceControl race;
    FakeStartupSystem system;
    ScriptedDialogs dialogs;
    dialogs.answers = {true};
    platform::DialogsGuard guard(&dialogs);
    BrowserStartup startup(settings, race, system);
    QSignalSpy quit(&startup, &BrowserStartup::quitRequested);
    QCOMPARE(startup.start(app.path()), StartupOutcome::ShowMenu);
    QTest::mouseClick(startup.menu()->button(MenuAction::ShowRacing), Qt::LeftButton);
    QTest::mouseClick(startup.menu()->findChild<QPushButton *>(QStringLiteral("cmdOK")), Qt::LeftButton);
    auto *display = qobject_cast<RaceDisplayWindow *>(startup.raceDisplay());
    QVERIFY(display);
    QTRY_VERIFY_WITH_TIMEOUT(display->isLoaded(), 20000);
    QCOMPARE(race.boatCount(), 3);
    display->close();
    QCOMPARE(quit.count(), 0);
    QVERIFY(startup.menu()->isVisible());
    QTRY_VERIFY(!startup.raceDisplay());
}

QTEST_MAIN(TestStartupRaceDisplay)
#include "teststartupracedisplay.moc"
