// The viewer's window offscreen on the demo races: a race played through at high speed (the
// boats move, the start gun and the finishers' guns sound, the finishers enter the score
// panel), AutoNext round the list, a broken race skipped with a notice at AutoNext and refused
// by SHOW, no showable race at all, the Google Earth export and its file removed on closing,
// the captions in both languages, and the boat list of 30 boats in a low window.
#include <mapoverlays.h>
#include <timebarpanel.h>
#include <viewerservices.h>
#include <viewerwindow.h>

#include <dialogs.h>
#include <kmlwriter.h>
#include <textfile.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString raceFileOf(const ViewerWindow &w)
{
    return w.viewerShow().Shown.Race.FileName;
}

template<typename T> T *child(const QWidget &w, const char *name)
{
    T *found = w.findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qWarning("no control %s", name);
    return found;
}

// Plays whole seconds: a second tick and then twenty frames.
void play(ViewerWindow &w, int seconds)
{
    for (int s = 0; s < seconds; ++s) {
        w.secondTick();
        w.runPendingLoad();
        for (int f = 0; f < 20; ++f)
            w.frameTick();
    }
}

} // namespace

class TestViewerWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void playsAndFinishes();
    void autoNextGoesRoundTheList();
    void brokenRaceSkippedOrRefused();
    void noRaceToShow();
    void googleEarthExport();
    void captionsFollowTheLanguage();
    void thirtyBoatsInALowWindow();

private:
    std::unique_ptr<ViewerWindow> makeWindow(int localeId = 1033, QSize size = QSize(1280, 994));

    QTemporaryDir m_app;
    QTemporaryDir m_docs;
    RecordingViewerServices m_services;
    platform::ScriptedDialogs m_dialogs;
    std::unique_ptr<platform::DialogsGuard> m_guard;
};

void TestViewerWindow::initTestCase()
{
    QProcess racegen;
    racegen.start(QStringLiteral(RACEGEN_PROGRAM), {QStringLiteral("--preset"), QStringLiteral("demo"), QStringLiteral("--out"), m_app.path()});
    QVERIFY(racegen.waitForFinished(120000));
    QCOMPARE(racegen.exitCode(), 0);
    QDir(m_app.path()).mkpath(QStringLiteral("coastline"));
    QDir(m_app.path()).mkpath(QStringLiteral("attachment"));
    for (const char *f : {"5238.cst", "5239.cst", "5240.cst", "5339.cst", "5340.cst"})
        QVERIFY(QFile::copy(QStringLiteral(ORVANE_ASSETS "/coastline/") + QLatin1String(f),
                            m_app.filePath(QStringLiteral("coastline/")) + QLatin1String(f)));
    QVERIFY(QFile::copy(QStringLiteral(ORVANE_ASSETS "/attachment/sailing_instructions.html"),
                        m_app.filePath(QStringLiteral("attachment/sailing_instructions.html"))));
}

void TestViewerWindow::init()
{
    m_services = RecordingViewerServices();
    m_dialogs.shown.clear();
    m_guard = std::make_unique<platform::DialogsGuard>(&m_dialogs);
}

void TestViewerWindow::cleanup()
{
    m_guard.reset();
    QFile::remove(m_app.filePath(QStringLiteral("raceadmin/g_broken.txt")));
    QFile::remove(m_app.filePath(QStringLiteral("raceadmin/f_problem.txt")));
}

std::unique_ptr<ViewerWindow> TestViewerWindow::makeWindow(int localeId, QSize size)
{
    ViewerWindow::Setup setup;
    setup.ApplicationFolder = m_app.path();
    setup.ExportFolder = m_docs.path();
    setup.LocaleId = localeId;
    setup.Services = &m_services;
    auto w = std::make_unique<ViewerWindow>(setup);
    w->resize(size);
    return w;
}

void TestViewerWindow::playsAndFinishes()
{
    auto w = makeWindow();
    QVERIFY(w->start());
    w->show();
    QCOMPARE(raceFileOf(*w), QStringLiteral("enoshima_keel_r1.txt")); // racefile.st names it
    QVERIFY(w->secondTimer()->isActive());
    QCOMPARE(m_services.Guns, 1); // the start-up gun
    w->secondTimer()->stop();
    child<QCheckBox>(*w, "chkAutoNext")->setChecked(false);
    child<QScrollBar>(*w, "ScrollBar1")->setValue(60); // × 60: 3 s a frame
    QCOMPARE(child<QLabel>(*w, "Memo2")->text(), QStringLiteral("60X"));

    const ViewerShow &show = w->viewerShow();
    const double leaderFinish = show.Shown.Derived.Passes.leaderFinishTime();
    QVERIFY(leaderFinish > 0 && leaderFinish < show.race().Period.End);
    play(*w, 2);
    const QList<BoatState> early = show.LastStates;
    QVERIFY(child<QWidget>(*w, "pnlFLAG")->isVisible());
    const int beepsBefore = m_services.Beeps;

    // Play on to a minute past the leader's finish.
    int seconds = 0;
    while (show.Playback.Time < leaderFinish + 60 && seconds++ < 400)
        play(*w, 1);
    QVERIFY(show.Playback.Time >= leaderFinish + 60);
    QVERIFY(m_services.Beeps > beepsBefore); // the countdown
    QVERIFY(!child<QWidget>(*w, "pnlFLAG")->isVisible());

    // The boats moved.
    int moved = 0;
    for (int b = 0; b < early.size(); ++b)
        moved += show.LastStates[b].HasSegment && (std::fabs(show.LastStates[b].Lat - early[b].Lat) > 0.1 ||
                                                    std::fabs(show.LastStates[b].Lon - early[b].Lon) > 0.1)
                     ? 1
                     : 0;
    QCOMPARE(moved, show.race().boatCount());

    // The finishers are in the score panel, each with a gun, and the start gun sounded.
    const ScorePanel *score = w->scorePanel();
    QVERIFY(score->isVisible());
    QVERIFY(score->shownLabels() >= 1);
    QCOMPARE(score->shownLabels(), show.Playback.Finishers);
    QCOMPARE(m_services.Guns, 1 + 1 + show.Playback.Finishers);
    QCOMPARE(score->height(), show.Playback.Finishers * 15 + 6);
    const QLabel *winner = child<QLabel>(*w, qPrintable(QStringLiteral("score%1").arg(show.Shown.Derived.Passes.LeaderBoat.last())));
    QVERIFY(winner->isVisibleTo(score));
    QVERIFY(winner->text().startsWith(QStringLiteral(" 1  ")));

    // The picture on screen is the frame: the race time in blue at the bottom right.
    const QImage &picture = w->mapPicture();
    QCOMPARE(picture.size(), QSize(965, 994));
    QCOMPARE(picture.pixelColor(picture.width() - 5, picture.height() - 24), QColor(0, 0, 255));

    // Jumping back before the finishes on the time bar empties the panel.
    auto *bar = child<TimeBarWidget>(*w, "TimeBar");
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(10, bar->height() - 5));
    QVERIFY(!score->isVisible());
    QVERIFY(show.Playback.Time < 0);
}

void TestViewerWindow::autoNextGoesRoundTheList()
{
    auto w = makeWindow();
    QVERIFY(w->start());
    w->show();
    QCOMPARE(w->viewerShow().Session.RaceList,
             (QStringList{QStringLiteral("enoshima_fleet30.txt"), QStringLiteral("enoshima_keel_r1.txt"),
                          QStringLiteral("hayama_dinghy_r2.txt")}));
    auto *bar = child<TimeBarWidget>(*w, "TimeBar");
    const QStringList expected{QStringLiteral("hayama_dinghy_r2.txt"), QStringLiteral("enoshima_fleet30.txt"),
                               QStringLiteral("enoshima_keel_r1.txt")};
    for (const QString &next : expected) {
        QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(10, 1)); // the end of the race
        w->secondTick();
        QVERIFY(w->hasPendingLoad());
        QVERIFY(!w->secondTimer()->isActive()); // no tick runs before the load
        w->frameTick();                         // nor does a frame
        w->runPendingLoad();
        QCOMPARE(raceFileOf(*w), next);
        QCOMPARE(child<QComboBox>(*w, "ComboBox1")->currentText(), next);
        QCOMPARE(w->viewerShow().Playback.Time, w->viewerShow().race().Period.Start);
        QVERIFY(w->windowTitle().startsWith(QStringLiteral("orvane  ")));
    }
    QVERIFY(!child<QWidget>(*w, "pnlNotice")->isVisible());
}

void TestViewerWindow::brokenRaceSkippedOrRefused()
{
    QString error;
    QVERIFY(platform::writeTextFile(m_app.filePath(QStringLiteral("raceadmin/g_broken.txt")),
                                    {QStringLiteral("ST, 2024/07/13 11:00:00"), QStringLiteral("FT, 2024/07/13 12:00:00"),
                                     QStringLiteral("BN, nothere.trk, Ghost")},
                                    &error));
    auto w = makeWindow();
    QVERIFY(w->start());
    w->show();
    QCOMPARE(raceFileOf(*w), QStringLiteral("enoshima_keel_r1.txt"));

    // AutoNext reaches the broken race: a notice, and the show goes on with the one after.
    QTest::mouseClick(child<TimeBarWidget>(*w, "TimeBar"), Qt::LeftButton, {}, QPoint(10, 1));
    w->secondTick();
    w->runPendingLoad();
    QCOMPARE(raceFileOf(*w), QStringLiteral("hayama_dinghy_r2.txt"));
    const auto *notice = child<QLabel>(*w, "pnlNotice");
    QVERIFY(notice->isVisible());
    QVERIFY(notice->text().contains(QStringLiteral("g_broken.txt: GPS file not exists.")));
    QVERIFY(m_dialogs.messages().isEmpty()); // nothing stopped the show
    QVERIFY(w->secondTimer()->isActive());

    // SHOW on it: the message, and the race on screen stays.
    auto *list = child<QComboBox>(*w, "ComboBox1");
    list->setEditText(QStringLiteral("g_broken.txt"));
    child<QPushButton>(*w, "Button4")->click();
    w->runPendingLoad();
    QCOMPARE(m_dialogs.messages(), QStringList{QStringLiteral("GPS file not exists.")});
    QCOMPARE(raceFileOf(*w), QStringLiteral("hayama_dinghy_r2.txt"));
    QVERIFY(w->viewerShow().Session.CurrentRacePath.endsWith(QLatin1String("hayama_dinghy_r2.txt")));
    QVERIFY(w->secondTimer()->isActive());

    // A race with a line its reader skips: shown, with the problem noticed once, file and line.
    QStringList lines = platform::readTextFile(m_app.filePath(QStringLiteral("raceadmin/enoshima_keel_r1.txt"))).lines;
    lines.insert(3, QStringLiteral("MK, north, 8370"));
    QVERIFY(platform::writeTextFile(m_app.filePath(QStringLiteral("raceadmin/f_problem.txt")), lines, &error));
    list->setEditText(QStringLiteral("f_problem.txt"));
    child<QPushButton>(*w, "Button4")->click();
    w->runPendingLoad();
    QCOMPARE(raceFileOf(*w), QStringLiteral("f_problem.txt"));
    QVERIFY(notice->isVisible());
    QVERIFY2(notice->text().contains(QStringLiteral("raceadmin/f_problem.txt:4: \"north\" is not a number")), qPrintable(notice->text()));
    QCOMPARE(m_dialogs.messages().size(), 1); // the show was not stopped for it
    QVERIFY(w->secondTimer()->isActive());

    // SHOW on the race shown.
    child<QPushButton>(*w, "Button4")->click();
    QCOMPARE(m_dialogs.messages().last(), QStringLiteral("Already shown."));
    QVERIFY(!w->hasPendingLoad());
}

void TestViewerWindow::noRaceToShow()
{
    QTemporaryDir empty;
    QDir(empty.path()).mkpath(QStringLiteral("raceadmin"));
    QString error;
    QVERIFY(platform::writeTextFile(empty.filePath(QStringLiteral("raceadmin/a.txt")),
                                    {QStringLiteral("ST, 2024/07/13 11:00:00"), QStringLiteral("BN, gone.trk, Ghost")}, &error));
    ViewerWindow::Setup setup;
    setup.ApplicationFolder = empty.path();
    setup.ExportFolder = m_docs.path();
    setup.Services = &m_services;
    ViewerWindow w(setup);
    w.resize(1000, 800);
    QVERIFY(!w.start());
    QCOMPARE(m_dialogs.messages(), QStringList{QStringLiteral("GPS file not exists.")});
    QCOMPARE(m_dialogs.shown.last().caption, QStringLiteral("orvane"));
}

void TestViewerWindow::googleEarthExport()
{
    auto w = makeWindow(1041);
    QVERIFY(w->start());
    w->show();
    play(*w, 3);
    auto *button = child<QPushButton>(*w, "Button3");
    const QString path = kmlExportPath(m_docs.path());

    QTest::mousePress(button, Qt::LeftButton);
    QCOMPARE(m_services.Opened, QStringList{path});
    QFile scene(path);
    QVERIFY(scene.open(QIODevice::ReadOnly));
    const QString sceneText = QString::fromUtf8(scene.readAll());
    scene.close();
    QVERIFY(sceneText.startsWith(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n")));
    QVERIFY(sceneText.contains(QStringLiteral("<li>日時：2024/07/13 10:5"))); // Japanese, just before the start
    QVERIFY(!sceneText.contains(QStringLiteral("POINTS")));

    QTest::mousePress(button, Qt::RightButton);
    QCOMPARE(m_services.Opened.size(), 2);
    QVERIFY(scene.open(QIODevice::ReadOnly));
    const QString raceText = QString::fromUtf8(scene.readAll());
    scene.close();
    QVERIFY(raceText.contains(QStringLiteral("<Folder><name>POINTS</name>")));
    QVERIFY(raceText.contains(QStringLiteral("<Folder><name>MARK_LINES</name>")));
    QVERIFY(w->secondTimer()->isActive()); // the replay goes on

    // Closing removes the file the export wrote.
    w->close();
    QVERIFY(!QFile::exists(path));
}

void TestViewerWindow::captionsFollowTheLanguage()
{
    auto ja = makeWindow(1041);
    QVERIFY(ja->start());
    ja->show();
    QCOMPARE(child<QCheckBox>(*ja, "chkAutoNext")->text(), QStringLiteral("自動切換"));
    QCOMPARE(child<QPushButton>(*ja, "Button1")->text(), QStringLiteral("EXIT"));
    auto *usa = child<QLabel>(*ja, "usa");
    QVERIFY(usa->isVisible());
    QVERIFY(!child<QLabel>(*ja, "jpn")->isVisible());
    QTest::mouseClick(usa, Qt::LeftButton);
    QCOMPARE(child<QCheckBox>(*ja, "chkAutoNext")->text(), QStringLiteral("AutoNext"));
    QCOMPARE(ja->viewerShow().Session.Language, 1);
    QVERIFY(child<QLabel>(*ja, "jpn")->isVisible());
    QTest::mouseClick(child<QLabel>(*ja, "jpn"), Qt::LeftButton);
    QCOMPARE(child<QLabel>(*ja, "Label5")->text(), QStringLiteral(" レースファイル名"));

    auto en = makeWindow(1033);
    QVERIFY(en->start());
    en->show();
    QCOMPARE(child<QRadioButton>(*en, "RadioButton2")->text(), QStringLiteral("Graph"));
    QVERIFY(!child<QLabel>(*en, "usa")->isVisible());
    QVERIFY(!child<QLabel>(*en, "jpn")->isVisible());
}

void TestViewerWindow::thirtyBoatsInALowWindow()
{
    auto w = makeWindow(1033, QSize(1024, 645));
    QVERIFY(w->start());
    w->show();
    child<QComboBox>(*w, "ComboBox1")->setEditText(QStringLiteral("enoshima_fleet30.txt"));
    child<QPushButton>(*w, "Button4")->click();
    w->runPendingLoad();
    QCOMPARE(w->viewerShow().race().boatCount(), 30);
    auto *list = child<QWidget>(*w, "pnlBOATlist");
    QCOMPARE(list->geometry(), QRect(1024 - 265, 0, 265, 445));
    QVERIFY(child<QCheckBox>(*w, "boatCheck30") != nullptr);
    // Hovering the list uncovers it: the overview and control panels step aside.
    QMouseEvent move(QEvent::MouseMove, QPointF(262, 100), QPointF(262, 100), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list, &move);
    QVERIFY(!child<QWidget>(*w, "pnlLOGO")->isVisible());
    QVERIFY(!child<QWidget>(*w, "pnlCTRL")->isVisible());
    // They come back with the pointer over the map.
    QMouseEvent back(QEvent::MouseMove, QPointF(300, 300), QPointF(300, 300), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(child<QWidget>(*w, "Map"), &back);
    QVERIFY(child<QWidget>(*w, "pnlLOGO")->isVisible());
    QVERIFY(w->windowTitle().contains(QStringLiteral("N35:")));
}

QTEST_MAIN(TestViewerWindow)
#include "testviewerwindow.moc"
