// The start-up with the real race display: viewing mode loads the race named in
// "racefile.st" with its progress on the splash window, and closing the race ends the
// program; in edit mode the menu comes back; a race prepared in the editor from two track
// files is saved and shown.
#include "fakestartupsystem.h"

#include <appsettings.h>
#include <browserstartup.h>
#include <dialogs.h>
#include <fileselectdialog.h>
#include <mainmenuwindow.h>
#include <racecontrol.h>
#include <racedisplaywindow.h>
#include <raceeditorwindow.h>
#include <racegenerator.h>
#include <splashwindow.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <ctime>

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
    void initTestCase();
    void viewingModeLoadsOnSplashAndClosingEnds();
    void editModeClosingReturnsToMenu();
    void editorPreparesSavesAndShowsARace();
};

void TestStartupRaceDisplay::initTestCase()
{
    // The editor starts a new race with the computer's zone; at UTC the first track's
    // longitude decides it.
    qputenv("TZ", "UTC");
    tzset();
}

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

void TestStartupRaceDisplay::editorPreparesSavesAndShowsARace()
{
    AppFolderFixture app;
    std::optional<tools::RaceSpec> preset = tools::presetRace(QStringLiteral("keel"));
    QVERIFY(preset);
    preset->RaceFileName = QStringLiteral("generated.txt");
    preset->BoatCount = 2;
    preset->LegLengthNm = 0.3;
    preset->LogLeadSec = 300;
    preset->LogTailSec = 60;
    const tools::GeneratedRace generated = tools::generateRace(*preset);
    QString error;
    QVERIFY2(tools::writeRace(generated, app.path(), &error), qPrintable(error));
    QVERIFY(QFile::remove(QDir(app.path()).filePath(QStringLiteral("raceadmin/generated.txt"))));

    AppSettings settings;
    RaceControl race;
    FakeStartupSystem system;
    ScriptedDialogs dialogs;
    // Edit Data: Yes. Save Race Control File: Yes. Show racing: Yes.
    dialogs.answers = {true, true, true};
    dialogs.inputs = {QStringLiteral("BOAT1"), QStringLiteral("Tiger")};
    platform::DialogsGuard guard(&dialogs);
    BrowserStartup startup(settings, race, system);
    QCOMPARE(startup.start(app.path()), StartupOutcome::ShowMenu);
    QTest::mouseClick(startup.menu()->button(MenuAction::Editor), Qt::LeftButton);
    RaceEditorWindow *editor = startup.editor();
    QVERIFY(editor);
    const auto click = [editor](const char *name) {
        QTest::mouseClick(editor->findChild<QPushButton *>(QLatin1String(name)), Qt::LeftButton);
    };
    for (int i = 0; i < 2; ++i) {
        click("Command1");
        editor->findChild<QComboBox *>(QStringLiteral("Combo1"))->setCurrentIndex(i);
        click("Command2");
    }

    // The file name dialog itself: the user types race1 and presses OK.
    bool typed = false;
    QTimer typist;
    connect(&typist, &QTimer::timeout, &typist, [&] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *d = qobject_cast<FileSelectDialog *>(w);
            if (d && d->isVisible()) {
                d->nameBox()->setText(QStringLiteral("race1"));
                QTest::mouseClick(d->findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
                typed = true;
            }
        }
    });
    typist.start(10);
    QByteArray saved;
    connect(editor, &RaceEditorWindow::showRaceRequested, editor, [&] {
        QFile f(QDir(app.path()).filePath(QStringLiteral("raceadmin/race1.txt")));
        if (f.open(QIODevice::ReadOnly))
            saved = f.readAll();
    });
    click("Command4");
    typist.stop();
    QVERIFY(typed);
    QVERIFY2(dialogs.messages().isEmpty(), qPrintable(dialogs.messages().join(u'|')));

    // Time difference from the longitude of the first record, the start 4 minutes after it,
    // the finish at the last record of the first boat's track.
    const QList<tools::TrackFix> &fixes = generated.Boats.first().Fixes;
    const int zone = int(std::floor(fixes.first().LonDeg / 15.0 + 0.5));
    QCOMPARE(zone, 9);
    const QString start = fixes.first().Utc.addSecs(9 * 3600 + 240).toString();
    const QString finish = fixes.last().Utc.addSecs(9 * 3600).toString();
    const QString expected = QStringLiteral("MG, -7\r\nLG,  4.7\r\nST, %1\r\nFT, %2\r\nTD,  9\r\n"
                                            "BN, %3, BOAT1\r\nBN, %4, Tiger\r\nLL, 45,160\r\nBT, 3\r\n")
                                 .arg(start, finish, generated.Boats[0].TrackFile, generated.Boats[1].TrackFile);
    QCOMPARE(QString::fromLatin1(saved), expected);

    // The editor has closed and the race display shows the saved race.
    QTRY_VERIFY(!startup.editor());
    auto *display = qobject_cast<RaceDisplayWindow *>(startup.raceDisplay());
    QVERIFY(display);
    QTRY_VERIFY_WITH_TIMEOUT(display->isLoaded(), 20000);
    QCOMPARE(race.FileName, QStringLiteral("race1.txt"));
    QCOMPARE(race.boatCount(), 2);
    QCOMPARE(race.StartTime.toString(), start);
    QVERIFY2(dialogs.messages().isEmpty(), qPrintable(dialogs.messages().join(u'|')));
    display->close();
    QVERIFY(startup.menu()->isVisible());
}

QTEST_MAIN(TestStartupRaceDisplay)
#include "teststartupracedisplay.moc"
