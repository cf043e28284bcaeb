// The replay in the race display window, offscreen, on a demo race made by the race
// generator: a simulated minute at x100 plays the fleet through the start and the finish, the
// time bar jumps, previews and limits the period, and the buttons stop and step the time.
// The replay's timers are held; the test ticks it as a machine of 33 ticks a second would.
#include <racedisplaywindow.h>
#include <replaydriver.h>

#include <appsettings.h>
#include <framescene.h>
#include <legstats.h>
#include <racecontrol.h>
#include <racegenerator.h>

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

class TestReplayWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void aMinuteAtFullSpeed();
    void startSequence();
    void plusMinusAndStop();
    void timeBarJumpsPreviewsAndLimits();
    void symbolsOverTheChart();

private:
    QWidget *child(const char *name) { return m_window->findChild<QWidget *>(QString::fromLatin1(name)); }
    ReplayDriver *replay() { return m_window->replay(); }
    // The y of a time on the time bar, from the clock's scale.
    int barY(double t);
    double time();

    QTemporaryDir m_dir;
    QString m_raceFile;
    AppSettings m_settings;
    RaceControl m_race;
    RaceDisplayWindow *m_window = nullptr;
    QStringList m_shots;
};

void TestReplayWindow::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const tools::RaceSpec recipe = *tools::presetRace(QStringLiteral("keel"));
    QString error;
    QVERIFY2(tools::writeRace(tools::generateRace(recipe), m_dir.path(), &error), qPrintable(error));
    m_raceFile = recipe.RaceFileName;
}

void TestReplayWindow::init()
{
    m_settings = AppSettings();
    m_settings.ApplicationFolder = m_dir.path();
    m_settings.setLanguage(UiLanguage::English);
    m_race = RaceControl();
    m_race.FileName = m_raceFile;
    m_shots.clear();
    m_window = new RaceDisplayWindow(m_settings, m_race);
    m_window->replay()->setManual(true);
    m_window->setSoundPlayer([this](const QString &path) { m_shots << path; });
    m_window->setWindowState(Qt::WindowNoState);
    m_window->resize(1200, 760);
    m_window->show();
    QTRY_VERIFY(m_window->isLoaded());
}

void TestReplayWindow::cleanup()
{
    delete m_window;
    m_window = nullptr;
}

double TestReplayWindow::time()
{
    // The elapsed time box reads whole seconds; the frame holds the exact time.
    return replay()->lastFrame().time;
}

int TestReplayWindow::barY(double t)
{
    // Time bar: inner height H, the finish 30 pixels below the top; 60 s below the pre-start
    // period 30 above the bottom.
    QWidget *bar = child("PicTimeBar");
    const double span = m_race.RaceDuration + m_race.PreStartSeconds + 60.0;
    const double scale = (bar->height() - 60.0) / span;
    return int(std::floor(30.0 + scale * (m_race.RaceDuration - t) + 0.5));
}

void TestReplayWindow::aMinuteAtFullSpeed()
{
    // The replay opens with the gun, 20 s before the pre-start period.
    QCOMPARE(m_shots.size(), 1);
    QVERIFY(m_shots.first().endsWith(QStringLiteral("/gun.wav")));
    QCOMPARE(time(), -(m_race.PreStartSeconds + 20.0));
    auto *slider = qobject_cast<QScrollBar *>(child("HScroll1"));
    slider->setValue(19);
    QCOMPARE(qobject_cast<QLineEdit *>(child("Text2"))->text(), QStringLiteral("100 x spd"));

    const LegStats &stats = m_window->legStats();
    const int finish = stats.analysedCount();
    QVERIFY(finish >= 2);
    // Boats in the order they crossed the finish.
    QList<int> finishers;
    for (int b = 0; b < m_race.boatCount(); ++b)
        if (stats.isPassed(b + 1, finish))
            finishers << b;
    QCOMPARE(finishers.size(), m_race.boatCount());
    std::stable_sort(finishers.begin(), finishers.end(), [&](int a, int b) {
        return stats.roundingTime(a + 1, finish) < stats.roundingTime(b + 1, finish);
    });
    QStringList expected;
    for (int b : finishers)
        expected << m_race.Boats[b].Name;

    // Follow the frames: the finish panel as it fills, the guns, and one boat's overview
    // marker before the start and half an hour in.
    QStringList panel;
    int shotsWhenAllIn = -1;
    QPoint markerBefore, markerLater;
    QWidget *marker = m_window->findChildren<QWidget *>(QStringLiteral("BoatS")).at(0);
    connect(replay(), &ReplayDriver::frameShown, this, [&] {
        const FrameScene &f = replay()->lastFrame();
        if (f.finishPanelChanged) {
            panel.clear();
            for (const FinishRow &row : f.finishRows)
                panel << row.name;
            if (panel.size() == expected.size() && shotsWhenAllIn < 0)
                shotsWhenAllIn = int(m_shots.size());
        }
        if (f.time < -100 && markerBefore.isNull())
            markerBefore = marker->pos();
        if (f.time > 1800 && markerLater.isNull())
            markerLater = marker->pos();
    });

    double now = 0.0;
    replay()->measure(now);
    double moved = 0.0;
    for (int second = 0; second < 60; ++second) {
        for (int i = 0; i < 33; ++i) {
            const double before = time();
            replay()->tick();
            if (time() > before)
                moved += time() - before;
        }
        now += 1.0;
        replay()->measure(now);
        replay()->autoStart();
    }
    // Tracing came on by itself at the second second.
    QVERIFY(qobject_cast<QAbstractButton *>(child("Check5"))->isChecked());
    // A minute at x100, measured at 33 ticks a second: about 6000 s of race (the first
    // second still at the opening step, the skips through empty times and the wrap left out).
    QVERIFY2(moved > 5800 && moved < 6100, qPrintable(QString::number(moved)));
    // Every boat finished into the panel in the order it crossed the line, each with the gun.
    QCOMPARE(panel, expected);
    QCOMPARE(shotsWhenAllIn, 2 + int(expected.size()));
    // The fleet moved, and the boat list shows speeds and wind angles.
    QVERIFY(!markerBefore.isNull() && !markerLater.isNull());
    QVERIFY((markerLater - markerBefore).manhattanLength() > 5);
    const QList<QLineEdit *> speeds = m_window->findChildren<QLineEdit *>(QStringLiteral("Text5"));
    const QList<QLineEdit *> angles = m_window->findChildren<QLineEdit *>(QStringLiteral("Text6"));
    QVERIFY(std::any_of(speeds.begin(), speeds.end(), [](QLineEdit *e) { return !e->text().isEmpty(); }));
    QVERIFY(std::any_of(angles.begin(), angles.end(), [](QLineEdit *e) { return !e->text().isEmpty(); }));
}

void TestReplayWindow::startSequence()
{
    QWidget *bar = child("PicTimeBar");
    QWidget *blue = child("Blue_P");
    QWidget *seven = child("Seven");
    auto *countdown = qobject_cast<QLineEdit *>(child("Text4"));
    auto *elapsed = qobject_cast<QLineEdit *>(child("Text11"));
    // Four minutes to one minute before the start: the preparatory flag.
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, QPoint(15, barY(-100)));
    QVERIFY(std::fabs(time() + 100) <= 10);
    QVERIFY(blue->isVisible() && !seven->isVisible() && !countdown->isVisible());
    QCOMPARE(elapsed->palette().color(QPalette::Text), QColor(255, 0, 0));
    // The last 30 s: the class flag and the countdown on red; the flags at their rest place,
    // 10 pixels from the chart's top right corner.
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, QPoint(15, barY(-20)));
    QVERIFY(!blue->isVisible() && seven->isVisible() && countdown->isVisible());
    QCOMPARE(countdown->text(), QString::number(int(std::fabs(std::floor(time())))));
    QCOMPARE(countdown->palette().color(QPalette::Base), QColor(255, 0, 0));
    QCOMPARE(seven->pos(), QPoint(child("Picture1")->width() - seven->width() - 10, 10));
    // Playing forward through the start: the gun once, the class flag lowered.
    const int shots = int(m_shots.size());
    for (int i = 0; i < 200 && time() < 3; ++i)
        replay()->tick();
    QCOMPARE(m_shots.size(), shots + 1);
    QVERIFY(seven->y() > 10);
    QCOMPARE(elapsed->palette().color(QPalette::Text), QColor(0, 0, 255));
}

void TestReplayWindow::plusMinusAndStop()
{
    QTest::mouseClick(child("PicTimeBar"), Qt::LeftButton, Qt::NoModifier, QPoint(15, barY(600)));
    const double t = time();
    QTest::mouseClick(child("Command6"), Qt::LeftButton);
    QVERIFY(qobject_cast<QRadioButton *>(child("Option7"))->isChecked());
    QCOMPARE(time(), t + 1.0);
    QTest::mouseClick(child("Command7"), Qt::LeftButton);
    QCOMPARE(time(), t);
    // Stopped, a tick leaves the time alone; BACK plays backward.
    replay()->tick();
    QCOMPARE(time(), t);
    QTest::mouseClick(child("Option8"), Qt::LeftButton);
    replay()->tick();
    QVERIFY(time() < t);
    QTest::mouseClick(child("Option6"), Qt::LeftButton);
    const double back = time();
    replay()->tick();
    QVERIFY(time() > back);
}

void TestReplayWindow::timeBarJumpsPreviewsAndLimits()
{
    QWidget *bar = child("PicTimeBar");
    // The read-out over the bar: the date-time, the seconds and the hints.
    QTest::mouseMove(bar, QPoint(15, barY(300)));
    auto *hint = qobject_cast<QLabel *>(child("Text7"));
    QTRY_VERIFY(hint->isVisible());
    QVERIFY(hint->text().contains(QStringLiteral(" Sec)\nClick to change the time.")));
    QVERIFY(hint->geometry().right() < bar->mapTo(m_window, QPoint(0, 0)).x());

    // Shift-drag from 600 s down to 300 s: the period 300 … 600, the replay at its start.
    QTest::mousePress(bar, Qt::LeftButton, Qt::ShiftModifier, QPoint(15, barY(600)));
    QTest::mouseMove(bar, QPoint(15, barY(300)));
    QTest::mouseRelease(bar, Qt::LeftButton, Qt::ShiftModifier, QPoint(15, barY(300)));
    QVERIFY(std::fabs(time() - 300) < 6);
    const double start = time();
    // Forward past the end of the period: back to its start.
    double last = time();
    for (int i = 0; i < 2000 && time() >= last; ++i) {
        last = time();
        replay()->tick();
    }
    // (A pixel of the bar is some 6 s here.)
    QVERIFY2(std::fabs(last - 600) < 6, qPrintable(QString::number(last)));
    QCOMPARE(time(), start);
    // Shift + right click: the widest period again; the replay plays on past 600 s.
    QTest::mouseClick(bar, Qt::RightButton, Qt::ShiftModifier, QPoint(15, barY(300)));
    for (int i = 0; i < 800; ++i)
        replay()->tick();
    QVERIFY(time() > 650);
}

void TestReplayWindow::symbolsOverTheChart()
{
    // Stopped 10 minutes in, without tracks: each symbol is composited over the chart, whose
    // picture (layers, wakes) never holds it, so moving it needs no redraw of the layers.
    QTest::mouseClick(child("Check6"), Qt::LeftButton, Qt::NoModifier, QPoint(8, 10));
    QTest::mouseClick(child("Option7"), Qt::LeftButton);
    QTest::mouseClick(child("PicTimeBar"), Qt::LeftButton, Qt::NoModifier, QPoint(15, barY(600)));
    const QImage composed = m_window->composedChartImage();
    const QImage picture = m_window->chartImage();
    int shown = 0;
    for (int i = 0; i < m_race.boatCount(); ++i) {
        const BoatFrameScene &b = replay()->lastFrame().boats[i];
        if (!b.symbolShown || !composed.rect().contains(b.position.toPoint()))
            continue;
        ++shown;
        const QRgb colour = QRgb(m_race.Boats[i].colour);
        int onScreen = 0, onPicture = 0;
        const QRect square = b.symbolRect().toAlignedRect() & composed.rect();
        for (int y = square.top(); y <= square.bottom(); ++y) {
            for (int x = square.left(); x <= square.right(); ++x) {
                onScreen += composed.pixel(x, y) == colour;
                onPicture += picture.pixel(x, y) == colour;
            }
        }
        QVERIFY(onScreen > 5);
        QCOMPARE(onPicture, 0);
    }
    QVERIFY(shown > 0);
}

QTEST_MAIN(TestReplayWindow)
#include "testreplaywindow.moc"
