// The start-up on real windows (offscreen): the menu with its buttons, hints, chooser and
// help button, the race display opened from the chooser or in viewing mode, and what
// closing it does.
#include "fakestartupsystem.h"

#include <appsettings.h>
#include <browserstartup.h>
#include <dialogs.h>
#include <mainmenuwindow.h>
#include <opendocument.h>
#include <racecontrol.h>
#include <raceeditorwindow.h>
#include <splashwindow.h>

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using platform::ScriptedDialogs;

// What the race display was asked to show.
class FakeRaceDisplay : public QWidget
{
    Q_OBJECT
public:
    QString fileName, singleTrack;
    bool splashShownAtCreation = false;

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent *e) override
    {
        QWidget::closeEvent(e);
        emit closed();
    }
};

class TestBrowserStartup : public QObject
{
    Q_OBJECT

    struct Program {
        AppSettings settings;
        RaceControl race;
        FakeStartupSystem system;
        ScriptedDialogs dialogs;
        std::unique_ptr<platform::DialogsGuard> guard;
        std::unique_ptr<BrowserStartup> startup;
        QList<QPointer<FakeRaceDisplay>> displays;
        std::unique_ptr<QSignalSpy> quit;

        explicit Program(std::initializer_list<bool> answers)
        {
            dialogs.answers = answers;
            guard = std::make_unique<platform::DialogsGuard>(&dialogs);
            startup = std::make_unique<BrowserStartup>(settings, race, system);
            startup->setRaceDisplayFactory([this](AppSettings &s, RaceControl &r, SplashWindow *splash) {
                auto *d = new FakeRaceDisplay;
                d->fileName = r.FileName;
                d->singleTrack = s.SingleTrackFile;
                d->splashShownAtCreation = splash && splash->isVisible();
                displays.append(d);
                return d;
            });
            quit = std::make_unique<QSignalSpy>(startup.get(), &BrowserStartup::quitRequested);
        }
        MainMenuWindow *menu() const { return startup->menu(); }
        QPushButton *button(MenuAction a) const { return menu()->button(a); }
        QLabel *hint() const { return menu()->findChild<QLabel *>(QStringLiteral("lblHint")); }
        QFrame *chooser() const { return menu()->findChild<QFrame *>(QStringLiteral("Frame1")); }
        void click(const char *objectName) const
        {
            auto *b = menu()->findChild<QPushButton *>(QLatin1String(objectName));
            QVERIFY2(b, objectName);
            QTest::mouseClick(b, Qt::LeftButton);
        }
    };

private slots:
    void editModeShowsTheMenu();
    void viewingModeOpensTheRaceAndClosingEnds();
    void viewingModeWithoutRacesEnds();
    void failedLocaleCheckShowsNoWindow();
    void hintsFollowTheButtons_data();
    void hintsFollowTheButtons();
    void showOneBoatListsDtrFirstAndOpensTrack();
    void showRacingOpensRaceAndClosingReturnsToMenu();
    void cancelHidesTheChooser();
    void editGpsDataOpensTheEditor();
    void okWithEmptyListSaysSo();
    void missingToolKeepsTheProgramRunning_data();
    void missingToolKeepsTheProgramRunning();
    void helpButtonVisibility_data();
    void helpButtonVisibility();
    void helpOpensThePageOfTheLanguage();
    void exitAndCloseBoxEnd();
    void japaneseCaptionsHaveGlyphs();
};

void TestBrowserStartup::editModeShowsTheMenu()
{
    AppFolderFixture app;
    app.write(QStringLiteral("raceadmin/Ver.00"), "LANG,1\r\n");
    Program p({true});
    QCOMPARE(p.startup->start(app.path()), StartupOutcome::ShowMenu);
    MainMenuWindow *menu = p.menu();
    QVERIFY(menu && menu->isVisible());
    QCOMPARE(menu->objectName(), QStringLiteral("frmTitle"));
    QCOMPARE(menu->windowTitle(), QStringLiteral("orvane"));
    QCOMPARE(menu->size(), QSize(376, 597));
    QCOMPARE(menu->palette().color(QPalette::Window), QColor(17, 72, 26));
    QCOMPARE(menu->font().family(), QStringLiteral("MS Sans Serif"));
    const QStringList names{"Command1", "Command2", "Command3", "Command4", "Command5", "Command6", "Command8"};
    for (const QString &n : names) {
        auto *b = menu->findChild<QPushButton *>(n);
        QVERIFY2(b && b->isVisible(), qPrintable(n));
        QCOMPARE(b->font().family(), QStringLiteral("MS Sans Serif"));
    }
    QCOMPARE(p.button(MenuAction::ShowRacing)->geometry(), QRect(230, 544, 131, 17));
    QCOMPARE(p.button(MenuAction::Exit)->geometry(), QRect(288, 568, 73, 17));
    QVERIFY(!p.chooser()->isVisible());
    QVERIFY(!p.hint()->isVisible());
    QVERIFY(!p.startup->splash());
    auto *title = menu->findChild<QLabel *>(QStringLiteral("Image1"));
    QVERIFY(title);
    QCOMPARE(title->y(), 10);
    QCOMPARE(title->x() + title->width() / 2, menu->width() / 2);
}

void TestBrowserStartup::viewingModeOpensTheRaceAndClosingEnds()
{
    AppFolderFixture app;
    app.write(QStringLiteral("raceadmin/a.txt"), "TT,a\r\n");
    app.write(QStringLiteral("raceadmin/b.txt"), "TT,b\r\n");
    app.write(QStringLiteral("raceadmin/racefile.st"), "b.txt,1\r\n");
    Program p({false});
    QCOMPARE(p.startup->start(app.path()), StartupOutcome::ShowRace);
    QVERIFY(!p.menu());
    QCOMPARE(p.displays.size(), 1);
    FakeRaceDisplay *display = p.displays.first();
    QCOMPARE(display->fileName, QStringLiteral("b.txt"));
    QVERIFY(display->singleTrack.isEmpty());
    QVERIFY(display->splashShownAtCreation);
    QCOMPARE(p.startup->splash()->objectName(), QStringLiteral("splite"));
    QVERIFY(display->isVisible());
    QCOMPARE(p.quit->count(), 0);
    display->close();
    QCOMPARE(p.quit->count(), 1);
}

void TestBrowserStartup::viewingModeWithoutRacesEnds()
{
    AppFolderFixture app;
    Program p({false});
    QCOMPARE(p.startup->start(app.path()), StartupOutcome::Quit);
    QVERIFY(p.displays.isEmpty());
    QCOMPARE(p.dialogs.messages().size(), 1);
}

void TestBrowserStartup::failedLocaleCheckShowsNoWindow()
{
    AppFolderFixture app;
    app.write(QStringLiteral("raceadmin/Ver.00"), "LANG,1\r\n");
    Program p({true});
    p.system.localeId = 1041;
    QCOMPARE(p.startup->start(app.path()), StartupOutcome::Quit);
    QVERIFY(!p.menu());
    QVERIFY(p.displays.isEmpty());
    QCOMPARE(p.dialogs.shown.size(), 1);
    QVERIFY(p.dialogs.messages().first().startsWith(QStringLiteral("This software is written in English (USA)")));
}

void TestBrowserStartup::hintsFollowTheButtons_data()
{
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("height");
    QTest::addColumn<QString>("textStart");
    QTest::addColumn<bool>("english");
    QTest::newRow("GPS Download") << int(MenuAction::GpsDownload) << 32 << "GPSからﾃﾞｰﾀをﾀﾞｳﾝﾛｰﾄﾞ\r\n" << false;
    QTest::newRow("Mk Wind Data") << int(MenuAction::WindTool) << 45 << "GASTRAを起動して風データを" << false;
    QTest::newRow("Edit GPS data") << int(MenuAction::Editor) << 60 << "複数艇のﾃﾞｰﾀを編集" << false;
    QTest::newRow("Create Distibution File") << int(MenuAction::Distribution) << 33 << "配布するファイルを自動的に" << false;
    QTest::newRow("Show One Boat") << int(MenuAction::ShowOneBoat) << 17 << "1艇のみの軌跡を表示" << false;
    QTest::newRow("Show Racing") << int(MenuAction::ShowRacing) << 32 << "編集データを選択すると" << false;
    QTest::newRow("EXIT") << int(MenuAction::Exit) << 17 << "プログラムを終了します" << false;
    QTest::newRow("English GPS Download") << int(MenuAction::GpsDownload) << 32 << "Receive Track Data From GPS\r\n" << true;
    QTest::newRow("English Edit GPS data") << int(MenuAction::Editor) << 60 << "Edit each boat data.\r\n\r\n" << true;
    QTest::newRow("English Show Racing") << int(MenuAction::ShowRacing) << 32 << "Race scene can be seen\r\n" << true;
}

void TestBrowserStartup::hintsFollowTheButtons()
{
    QFETCH(int, action);
    QFETCH(int, height);
    QFETCH(QString, textStart);
    QFETCH(bool, english);
    AppFolderFixture app;
    if (english)
        app.write(QStringLiteral("raceadmin/Ver.00"), "LANG,1\r\n");
    Program p({true});
    p.startup->start(app.path());
    QPushButton *b = p.button(MenuAction(action));
    QTest::mouseMove(b, QPoint(5, 5));
    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(b, &enter);
    QVERIFY(p.hint()->isVisible());
    QCOMPARE(p.hint()->height(), height);
    QVERIFY(p.hint()->text().startsWith(textStart));
    // The text fits the design height with the fonts found on this machine.
    QVERIFY2(p.hint()->sizeHint().height() <= height, qPrintable(QString::number(p.hint()->sizeHint().height())));
    // The hint never covers the button column.
    QVERIFY(p.hint()->geometry().right() < 230);
    // Over the window background the hint goes.
    QTest::mouseMove(p.menu(), QPoint(100, 560));
    QMouseEvent move(QEvent::MouseMove, QPointF(100, 560), p.menu()->mapToGlobal(QPointF(100, 560)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(p.menu(), &move);
    QVERIFY(!p.hint()->isVisible());
}

void TestBrowserStartup::showOneBoatListsDtrFirstAndOpensTrack()
{
    AppFolderFixture app;
    app.write(QStringLiteral("gpsdat/a.trk"));
    app.write(QStringLiteral("gpsdat/b.dtr"));
    app.write(QStringLiteral("raceadmin/r.txt"), "TT,r\r\n");
    Program p({true});
    p.startup->start(app.path());
    p.race.BoatLength = 9.0f;
    p.race.FileName = QStringLiteral("r.txt");
    p.click("Command5");
    QVERIFY(p.chooser()->isVisible());
    QCOMPARE(p.menu()->chooserItems(), (QStringList{"b.dtr", "a.trk"}));
    QCOMPARE(p.menu()->chosenName(), QStringLiteral("b.dtr"));
    QCOMPARE(p.race.BoatLength, 4.7f);
    QCOMPARE(p.startup->chooserMode(), ChooserMode::TrackFiles);
    p.menu()->findChild<QComboBox *>(QStringLiteral("Combo1"))->setCurrentIndex(1);
    p.click("cmdOK");
    QVERIFY(!p.chooser()->isVisible());
    QCOMPARE(p.displays.size(), 1);
    QCOMPARE(p.displays.first()->singleTrack, QStringLiteral("a.trk"));
    QVERIFY(p.displays.first()->fileName.isEmpty());
    QVERIFY(p.displays.first()->splashShownAtCreation);
}

void TestBrowserStartup::showRacingOpensRaceAndClosingReturnsToMenu()
{
    AppFolderFixture app;
    app.write(QStringLiteral("raceadmin/r2.txt"), "TT,r\r\n");
    app.write(QStringLiteral("raceadmin/r1.txt"), "TT,r\r\n");
    app.write(QStringLiteral("gpsdat/a.trk"));
    Program p({true});
    p.startup->start(app.path());
    p.settings.SingleTrackFile = QStringLiteral("a.trk");
    p.click("Command6");
    QCOMPARE(p.menu()->chooserItems(), (QStringList{"r1.txt", "r2.txt"}));
    QCOMPARE(p.startup->chooserMode(), ChooserMode::Races);
    p.click("cmdOK");
    QCOMPARE(p.displays.size(), 1);
    QCOMPARE(p.displays.first()->fileName, QStringLiteral("r1.txt"));
    QVERIFY(p.displays.first()->singleTrack.isEmpty());

    // A second choice while the first race is open replaces it.
    p.click("Command6");
    p.menu()->findChild<QComboBox *>(QStringLiteral("Combo1"))->setCurrentIndex(1);
    p.click("cmdOK");
    QCOMPARE(p.displays.size(), 2);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(p.displays[0].isNull());
    QCOMPARE(p.displays[1]->fileName, QStringLiteral("r2.txt"));
    QCOMPARE(p.startup->raceDisplay(), p.displays[1].data());

    // Edit mode: closing the race brings back the menu; the program goes on.
    p.displays[1]->close();
    QCOMPARE(p.quit->count(), 0);
    QVERIFY(p.menu()->isVisible());
    QVERIFY(!p.startup->raceDisplay());
    QVERIFY(!p.startup->splash()->isVisible());
}

void TestBrowserStartup::editGpsDataOpensTheEditor()
{
    AppFolderFixture app;
    app.write(QStringLiteral("raceadmin/Ver.00"), "LANG,1\r\n");
    Program p({true});
    p.startup->start(app.path());
    p.race.FileName = QStringLiteral("saved.txt");
    p.dialogs.shown.clear();
    p.click("Command3");
    RaceEditorWindow *editor = p.startup->editor();
    QVERIFY(editor && editor->isVisible());
    QCOMPARE(editor->objectName(), QStringLiteral("fmCompile"));
    QCOMPARE(editor->windowTitle(), QStringLiteral("Edit Race Control FIle"));
    QVERIFY(p.dialogs.shown.isEmpty());
    // The menu stays, and a second press brings back the same editor.
    QVERIFY(p.menu()->isVisible());
    p.click("Command3");
    QCOMPARE(p.startup->editor(), editor);

    // A saved race asks for the race display, which opens on the race's file.
    emit editor->showRaceRequested();
    QCOMPARE(p.displays.size(), 1);
    QCOMPARE(p.displays.first()->fileName, QStringLiteral("saved.txt"));
    QVERIFY(p.displays.first()->splashShownAtCreation);
    editor->close();
    QTRY_VERIFY(!p.startup->editor());
    QCOMPARE(p.quit->count(), 0);
}

void TestBrowserStartup::cancelHidesTheChooser()
{
    AppFolderFixture app;
    app.write(QStringLiteral("raceadmin/r1.txt"), "TT,r\r\n");
    Program p({true});
    p.startup->start(app.path());
    p.click("Command6");
    QVERIFY(p.chooser()->isVisible());
    p.click("cmdCancel");
    QVERIFY(!p.chooser()->isVisible());
    QVERIFY(p.displays.isEmpty());
}

void TestBrowserStartup::okWithEmptyListSaysSo()
{
    AppFolderFixture app;
    Program p({true});
    p.startup->start(app.path());
    p.click("Command5");
    QVERIFY(p.menu()->chooserItems().isEmpty());
    p.click("cmdOK");
    QVERIFY(p.displays.isEmpty());
    QCOMPARE(p.dialogs.messages(), QStringList{QStringLiteral("選択できるファイルがありません。")});
    QVERIFY(p.chooser()->isVisible());
}

void TestBrowserStartup::missingToolKeepsTheProgramRunning_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("program");
    QTest::newRow("GPS Download") << "Command1" << "Brenvo_Trackfix.exe";
    QTest::newRow("Mk Wind Data") << "Command2" << "GASTRA.exe";
}

void TestBrowserStartup::missingToolKeepsTheProgramRunning()
{
    QFETCH(QString, button);
    QFETCH(QString, program);
    AppFolderFixture app;
    Program p({true});
    p.startup->start(app.path());
    p.click(qPrintable(button));
    QCOMPARE(p.system.started, QStringList{program});
    QCOMPARE(p.dialogs.messages().size(), 1);
    QVERIFY(p.dialogs.messages().first().startsWith(QStringLiteral("プログラムを起動できません。\r\n")));
    QVERIFY(p.dialogs.messages().first().endsWith(program));
    QCOMPARE(p.quit->count(), 0);
    QVERIFY(p.menu()->isVisible());

    // Once the tool is there it starts without a word.
    app.write(program, "x");
    p.system.startable = {program};
    p.click(qPrintable(button));
    QCOMPARE(p.dialogs.messages().size(), 1);
}

void TestBrowserStartup::helpButtonVisibility_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<bool>("visible");
    QTest::newRow("no help") << "" << false;
    QTest::newRow("help") << "help/index.html" << true;
    QTest::newRow("help-e") << "help-e/index.html" << true;
}

void TestBrowserStartup::helpButtonVisibility()
{
    QFETCH(QString, page);
    QFETCH(bool, visible);
    AppFolderFixture app;
    if (!page.isEmpty())
        app.write(page, "<html/>");
    Program p({true});
    p.startup->start(app.path());
    QCOMPARE(p.button(MenuAction::Help)->isVisible(), visible);
    QCOMPARE(p.button(MenuAction::Help)->geometry(), QRect(230, 568, 42, 17));
}

void TestBrowserStartup::helpOpensThePageOfTheLanguage()
{
    AppFolderFixture app;
    app.write(QStringLiteral("raceadmin/Ver.00"), "LANG,1\r\n");
    app.write(QStringLiteral("help/index.html"), "<html/>");
    QStringList opened;
    const DocumentOpener previous = setDocumentOpener([&](const QString &path) {
        opened.append(path);
        return QFileInfo(path).isFile() ? 42 : 2;
    });
    Program p({true});
    p.startup->start(app.path());
    p.click("Command7");
    setDocumentOpener(previous);
    // English asks for help-e, which this folder lacks: the system's "not found" message.
    QCOMPARE(opened.size(), 1);
    QVERIFY(opened.first().endsWith(QStringLiteral("help-e/index.html")));
    QCOMPARE(p.dialogs.messages(), QStringList{QStringLiteral("ファイルが見つかりません。")});
    QCOMPARE(p.quit->count(), 0);
}

void TestBrowserStartup::exitAndCloseBoxEnd()
{
    AppFolderFixture app;
    {
        Program p({true});
        p.startup->start(app.path());
        p.click("Command8");
        QCOMPARE(p.quit->count(), 1);
    }
    {
        Program p({true});
        p.startup->start(app.path());
        p.menu()->close();
        QCOMPARE(p.quit->count(), 1);
    }
}

void TestBrowserStartup::japaneseCaptionsHaveGlyphs()
{
    // The design font does not exist here; what Qt falls back to must draw Japanese.
    AppFolderFixture app;
    Program p({true});
    p.startup->start(app.path());
    const QFontMetrics fm(p.menu()->font());
    for (QChar c : QStringLiteral("オルバネ編集ﾃﾞｰﾀ"))
        QVERIFY2(fm.inFontUcs4(c.unicode()), qPrintable(QString(c)));
}

QTEST_MAIN(TestBrowserStartup)
#include "testbrowserstartup.moc"
