// The chart tools in the race display window, driven with the mouse on Picture1, Picture6
// and the buttons, offscreen: after every click the race in memory and the race control file
// on disk say the same. A small race in edit mode, the replay stopped.
#include <charttools.h>
#include <racedisplaywindow.h>
#include <replaydriver.h>

#include <appsettings.h>
#include <dialogs.h>
#include <framescene.h>
#include <legstats.h>
#include <mapview.h>
#include <racecontrol.h>
#include <racecontrolfile.h>
#include <textfile.h>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString packed(double minutes, int degreeDigits)
{
    const int d = int(minutes / 60);
    const double m = minutes - 60.0 * d;
    return QStringLiteral("%1%2").arg(d, degreeDigits, 10, QLatin1Char('0')).arg(m, 8, 'f', 5, QLatin1Char('0'));
}

// 01:25:00 to 02:05:00 UTC, a fix every 10 s, northwards from 2129.8 to 2130.2 minutes.
void writeTrack(const QString &path, double lon)
{
    QStringList lines = {QStringLiteral("H  SOFTWARE NAME & VERSION"), QStringLiteral("I  PCX5 2.09"),
                         QStringLiteral("M  G WGS 84"), QStringLiteral("U  LAT LON DM")};
    const int fixes = 241;
    for (int i = 0; i < fixes; ++i) {
        const double lat = 2129.8 + 0.4 * i / (fixes - 1);
        const int secs = 1 * 3600 + 25 * 60 + 10 * i;
        lines << QStringLiteral("T  N%1 E%2 2008/03/03 %3:%4:%5 12")
                     .arg(packed(lat, 2), packed(lon, 3))
                     .arg(secs / 3600, 2, 10, QLatin1Char('0'))
                     .arg(secs / 60 % 60, 2, 10, QLatin1Char('0'))
                     .arg(secs % 60, 2, 10, QLatin1Char('0'));
    }
    QVERIFY(platform::writeTextFile(path, lines));
}

bool isYellow(QWidget *button)
{
    return button->autoFillBackground() && button->palette().color(QPalette::Button) == QColor(255, 255, 0);
}

} // namespace

class TestChartTools : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void marksLinesAndCourse();
    void refusedThirtyFirstMark();
    void measureAndZoom();
    void windDirectionTypedAndTurned();
    void hoveredBoat();

private:
    QWidget *child(const char *name) const { return m_window->findChild<QWidget *>(QString::fromLatin1(name)); }
    QWidget *chart() const { return child("Picture1"); }
    const MapView &view() const { return m_window->mapView(); }
    QPoint pixel(double lat, double lon) const { return view().ToScreen(lat, lon).toPoint(); }
    void click(QWidget *w, Qt::MouseButton b, QPoint p, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        QTest::mouseClick(w, b, m, p);
    }
    void press(const char *button) { QTest::mouseClick(child(button), Qt::LeftButton); }
    // The race control file as it is on disk now.
    RaceControl onDisk() const;
    QByteArray fileBytes() const;
    // The race in memory and on disk have the same marks, lines and course.
    void sameOnDisk();

    QTemporaryDir m_dir;
    AppSettings m_settings;
    RaceControl m_race;
    RaceDisplayWindow *m_window = nullptr;
    platform::ScriptedDialogs m_dialogs;
    std::unique_ptr<platform::DialogsGuard> m_guard;
};

void TestChartTools::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void TestChartTools::init()
{
    // A fresh race every time: two boats, no marks, lines or course, north up, 7° west.
    const QString app = m_dir.path();
    QDir(app).mkpath(QStringLiteral("raceadmin"));
    QDir(app).mkpath(QStringLiteral("gpsdat"));
    RaceControl rc;
    rc.FileName = QStringLiteral("race.txt");
    rc.Title1 = QStringLiteral("Chart Cup");
    rc.StartTime = platform::LocalDateTime::fromParts(2008, 3, 3, 10, 30, 0);
    rc.FinishTime = platform::LocalDateTime::fromParts(2008, 3, 3, 11, 0, 0);
    rc.TimeDifference = 9;
    rc.NorthUp = 1;
    rc.BoatLength = 4.7f;
    rc.MagneticVariation = -7.0;
    for (int i = 0; i < 2; ++i) {
        BoatEntry boat;
        boat.TrackFile = QStringLiteral("boat%1.trk").arg(i + 1);
        boat.Name = i == 0 ? QStringLiteral("Alpha") : QStringLiteral("Bravo");
        rc.Boats.append(boat);
        writeTrack(app + QStringLiteral("/gpsdat/") + boat.TrackFile, 8385.0 + 0.1 * i);
    }
    QVERIFY(platform::writeTextFile(app + QStringLiteral("/raceadmin/race.txt"), formatRaceControl(rc)));

    m_dialogs = platform::ScriptedDialogs();
    m_guard = std::make_unique<platform::DialogsGuard>(&m_dialogs);
    m_settings = AppSettings();
    m_settings.ApplicationFolder = app;
    m_settings.setLanguage(UiLanguage::English);
    m_settings.EditMode = true;
    m_race = RaceControl();
    m_race.FileName = QStringLiteral("race.txt");
    m_window = new RaceDisplayWindow(m_settings, m_race);
    m_window->replay()->setManual(true);
    m_window->setSoundPlayer([](const QString &) {});
    m_window->setWindowState(Qt::WindowNoState);
    m_window->resize(1200, 760);
    m_window->show();
    QTRY_VERIFY(m_window->isLoaded());
    // The replay stands still; the chart does not follow the fleet.
    qobject_cast<QRadioButton *>(child("Option7"))->setChecked(true);
    QVERIFY(!qobject_cast<QCheckBox *>(child("Check5"))->isChecked());
}

void TestChartTools::cleanup()
{
    delete m_window;
    m_window = nullptr;
    m_guard.reset();
}

RaceControl TestChartTools::onDisk() const
{
    const platform::TextReadResult file = platform::readTextFile(m_dir.path() + QStringLiteral("/raceadmin/race.txt"));
    RaceControl rc;
    parseRaceControl(file.lines, rc);
    return rc;
}

QByteArray TestChartTools::fileBytes() const
{
    QFile f(m_dir.path() + QStringLiteral("/raceadmin/race.txt"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void TestChartTools::sameOnDisk()
{
    const RaceControl disk = onDisk();
    QCOMPARE(disk.markCount(), m_race.markCount());
    for (int i = 0; i < disk.markCount(); ++i) {
        QVERIFY(std::fabs(disk.Marks[i].Lat - m_race.Marks[i].Lat) < 1e-9);
        QVERIFY(std::fabs(disk.Marks[i].Lon - m_race.Marks[i].Lon) < 1e-9);
    }
    QCOMPARE(disk.lineCount(), m_race.lineCount());
    for (int i = 0; i < disk.lineCount(); ++i) {
        QVERIFY(std::fabs(disk.Lines[i].Lat1 - m_race.Lines[i].Lat1) < 1e-9);
        QVERIFY(std::fabs(disk.Lines[i].Lon2 - m_race.Lines[i].Lon2) < 1e-9);
    }
    QCOMPARE(disk.Course.Entries, m_race.Course.Entries);
    QCOMPARE(disk.Boats.size(), m_race.Boats.size());
    QCOMPARE(disk.MagneticVariation, -7.0);
}

void TestChartTools::marksLinesAndCourse()
{
    QWidget *mark = child("Command2");
    QWidget *line = child("Command3");
    QWidget *course = child("Command5");
    QVERIFY(!course->isEnabled());

    // Two marks, one click each; the button is yellow while its mode is on.
    const QPoint markAt[] = {QPoint(250, 200), QPoint(300, 450)};
    for (int i = 0; i < 2; ++i) {
        press("Command2");
        QVERIFY(isYellow(mark));
        click(chart(), Qt::LeftButton, markAt[i]);
        QCOMPARE(m_race.markCount(), i + 1);
        const ChartPosition p = view().ToChart(markAt[i]);
        QVERIFY(std::fabs(m_race.Marks[i].Lat - p.Lat) < 1e-9);
        QVERIFY(!isYellow(mark));
        sameOnDisk();
    }
    QVERIFY(course->isEnabled());

    // Two lines, two clicks each; the rubber band runs from the first end to the pointer.
    auto *band = m_window->findChild<RubberBandLine *>(QStringLiteral("Line4"));
    QVERIFY(band);
    const QPoint ends[2][2] = {{QPoint(200, 600), QPoint(350, 600)}, {QPoint(150, 100), QPoint(200, 60)}};
    for (int i = 0; i < 2; ++i) {
        press("Command3");
        QVERIFY(isYellow(line) && !isYellow(mark));
        click(chart(), Qt::LeftButton, ends[i][0]);
        QCOMPARE(m_race.lineCount(), i);
        QTest::mouseMove(chart(), ends[i][1]);
        QTRY_VERIFY(band->isVisible());
        QCOMPARE(band->line().p1().toPoint(), ends[i][0]);
        QCOMPARE(band->line().p2().toPoint(), ends[i][1]);
        click(chart(), Qt::LeftButton, ends[i][1]);
        QCOMPARE(m_race.lineCount(), i + 1);
        QVERIFY(!band->isVisible());
        QVERIFY(!isYellow(line));
        sameOnDisk();
    }

    // The course L1, MK1, MK2, L2: clicked one after another, each written at once.
    press("Command5");
    QVERIFY(isYellow(course));
    QWidget *panel = child("Picture9");
    QVERIFY(panel->isVisible());
    const QPoint picks[] = {pixel(m_race.Lines[0].Lat1, m_race.Lines[0].Lon1) + QPoint(2, 1), markAt[0], markAt[1],
                            pixel(m_race.Lines[1].Lat2, m_race.Lines[1].Lon2)};
    const QStringList entries = {"L1", "MK1", "MK2", "L2"};
    for (int i = 0; i < 4; ++i) {
        click(chart(), Qt::LeftButton, picks[i]);
        QCOMPARE(m_race.Course.Entries, entries.mid(0, i + 1));
        sameOnDisk();
    }
    // A click away from every mark and line end changes nothing.
    const QByteArray before = fileBytes();
    click(chart(), Qt::LeftButton, QPoint(500, 300));
    QCOMPARE(m_race.Course.Count(), 4);
    QCOMPARE(fileBytes(), before);
    auto *list = m_window->findChild<QListWidget *>(QStringLiteral("List1"));
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->item(i)->text();
    QCOMPARE(items, QStringList({" 1  L1", " 2  MK1", " 3  MK2", " 4  L2"}));
    QCOMPARE(panel->geometry(), QRect(chart()->width() - 100, 10, 90, 48 + 55));
    QCOMPARE(child("Command8")->geometry(), QRect(5, 48 + 30, 76, 17));
    QCOMPARE(qobject_cast<QPushButton *>(child("Command8"))->text(), QStringLiteral("Delete Order"));
    // The passings are those of the new course.
    QCOMPARE(m_window->legStats().entryCount(), 4);
    QVERIFY(!m_window->legStats().Valid);
    press("Command5");
    QVERIFY(!panel->isVisible() && !isYellow(course));

    // Deleting line 1 (right click in the line mode): the former line 2 is line 1, the course
    // is empty, in memory and on disk.
    const RaceLine second = m_race.Lines[1];
    press("Command3");
    click(chart(), Qt::RightButton, pixel(m_race.Lines[0].Lat2, m_race.Lines[0].Lon2));
    QCOMPARE(m_race.lineCount(), 1);
    QCOMPARE(m_race.Lines[0].Lat1, second.Lat1);
    QCOMPARE(m_race.Course.Count(), 0);
    QCOMPARE(m_window->legStats().entryCount(), 0);
    sameOnDisk();
    QVERIFY(!fileBytes().contains("CRS"));
    press("Command3");

    // "Delete Order" empties a course set again.
    press("Command5");
    click(chart(), Qt::RightButton, markAt[0]);
    click(chart(), Qt::LeftButton, markAt[1]);
    QCOMPARE(m_race.Course.Entries, QStringList({"MK1", "MK2"}));
    sameOnDisk();
    press("Command8");
    QCOMPARE(m_race.Course.Count(), 0);
    QVERIFY(panel->isVisible());
    sameOnDisk();
}

void TestChartTools::refusedThirtyFirstMark()
{
    for (int i = 0; i < MaxMarks; ++i) {
        press("Command2");
        click(chart(), Qt::LeftButton, QPoint(100 + 15 * i, 300 + (i % 5) * 20));
        QCOMPARE(m_race.markCount(), i + 1);
        QCOMPARE(onDisk().markCount(), i + 1);
    }
    const QByteArray before = fileBytes();
    press("Command2");
    click(chart(), Qt::LeftButton, QPoint(400, 500));
    QCOMPARE(m_race.markCount(), MaxMarks);
    QCOMPARE(fileBytes(), before);
    QCOMPARE(m_dialogs.messages().size(), 1);
    QVERIFY(m_dialogs.messages().first().contains(QStringLiteral("30")));
    // The mode stays on: a right click deletes a mark, and then the click places one.
    click(chart(), Qt::RightButton, QPoint(100, 300));
    QCOMPARE(m_race.markCount(), MaxMarks - 1);
    click(chart(), Qt::LeftButton, QPoint(400, 500));
    QCOMPARE(m_race.markCount(), MaxMarks);
    sameOnDisk();
}

void TestChartTools::measureAndZoom()
{
    auto *rb = qobject_cast<QCheckBox *>(child("Check2"));
    auto *hint = m_window->findChild<QLabel *>(QStringLiteral("Text7"));
    auto *band = m_window->findChild<RubberBandLine *>(QStringLiteral("Line4"));
    QVERIFY(rb->isEnabled());
    QTest::mouseClick(rb, Qt::LeftButton, Qt::NoModifier, QPoint(5, rb->height() / 2));
    QVERIFY(rb->isChecked());
    // The origin, then the pointer 0.2 minute due south of it.
    const ChartPosition origin = view().ToChart(QPointF(300, 200));
    click(chart(), Qt::LeftButton, QPoint(300, 200));
    QCOMPARE(view().UserZoom, 1.0);
    const QPoint south = pixel(origin.Lat - 0.2, origin.Lon);
    QTest::mouseMove(chart(), south);
    QTRY_VERIFY(hint->isVisible());
    const int metres = int(std::floor(m_window->raceData().Extent.MetresPerLatMinute * 0.2 + 0.5));
    QVERIFY2(hint->text().startsWith(QStringLiteral(" 180度／187mag  ")), qPrintable(hint->text()));
    QVERIFY(std::abs(hint->text().section(QStringLiteral("mag  "), 1).chopped(1).trimmed().toInt() - metres) <= 1);
    QCOMPARE(hint->pos(), chart()->mapTo(m_window, QPoint(10, 10)));
    QVERIFY(band->isVisible());
    QVERIFY(m_window->windowTitle().contains(QStringLiteral("N 35:")));
    // A right click ends measuring and unticks the box.
    click(chart(), Qt::RightButton, south);
    QVERIFY(!rb->isChecked());
    QVERIFY(!band->isVisible());
    QCOMPARE(view().UserZoom, 1.0);

    // Without a mode the clicks zoom; Shift + right shows the whole area at zoom 1.
    click(chart(), Qt::LeftButton, QPoint(300, 300));
    click(chart(), Qt::LeftButton, QPoint(300, 300));
    QVERIFY(std::fabs(view().UserZoom - 1.96) < 1e-9);
    QTest::mouseMove(chart(), QPoint(200, 200));
    QTRY_VERIFY(hint->isVisible());
    QVERIFY(hint->text().contains(QStringLiteral("Show all area")));
    click(chart(), Qt::RightButton, QPoint(100, 500), Qt::ShiftModifier);
    QCOMPARE(view().Zoom, 1.0);
    QCOMPARE(view().UserZoom, 1.0);
    // Zooming wrote nothing.
    QCOMPARE(onDisk().markCount(), 0);
}

void TestChartTools::windDirectionTypedAndTurned()
{
    auto *box = qobject_cast<QLineEdit *>(child("Text3"));
    QVERIFY(box->isReadOnly());
    QTest::mouseClick(box, Qt::LeftButton);
    QVERIFY(!box->isReadOnly());
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("40"));
    QCOMPARE(m_race.WindDirection, 40.0f);
    QCOMPARE(onDisk().WindDirection, 40.0f);
    QTest::keyClicks(box, QStringLiteral("0"));
    QCOMPARE(box->text(), QStringLiteral("400"));
    QCOMPARE(m_race.WindDirection, 0.0f);
    QCOMPARE(m_race.ShownWindDirection, 0.0);
    QVERIFY(!fileBytes().contains("WD,"));
    // Typing does not turn the chart: it stays north up.
    QCOMPARE(m_race.ChartRotation, 0.0);

    // Wind up, then a right click on the overview east of its centre: the wind is from 90°.
    QTest::mouseClick(child("Option3"), Qt::LeftButton, Qt::NoModifier, QPoint(5, 10));
    QCOMPARE(m_race.NorthUp, 0.0);
    QWidget *overview = child("Picture6");
    const QPoint centre(int(view().OverviewOriginX), int(view().OverviewOriginY));
    click(overview, Qt::RightButton, centre + QPoint(30, 0));
    QCOMPARE(m_race.WindDirection, 90.0f);
    QCOMPARE(m_race.ChartRotation, 90.0);
    QCOMPARE(box->text(), QStringLiteral("90"));
    QCOMPARE(onDisk().WindDirection, 90.0f);
    // A left click re-centres the chart where the overview was clicked.
    click(chart(), Qt::LeftButton, QPoint(300, 300)); // zoom 1.4, so the chart can move
    const ChartPosition there = view().OverviewToChart(centre.x() - 20, centre.y() + 10);
    click(overview, Qt::LeftButton, centre + QPoint(-20, 10));
    QVERIFY(std::fabs(view().ViewLat - there.Lat) < 1e-9);
    QVERIFY(std::fabs(view().ViewLon - there.Lon) < 1e-9);
}

void TestChartTools::hoveredBoat()
{
    QWidget *name = m_window->findChildren<QWidget *>(QStringLiteral("Bnam")).at(0);
    auto *tag = m_window->findChild<QLabel *>(QStringLiteral("Text8"));
    // The first move raises the list; the next one is over the row.
    QTest::mouseMove(name, QPoint(20, 5));
    QTest::mouseMove(name, QPoint(22, 6));
    QTRY_VERIFY(tag->isVisible());
    QVERIFY(tag->text().startsWith(QStringLiteral("Alpha(")));
    QCOMPARE(tag->palette().color(QPalette::WindowText), QColor::fromRgb(QRgb(m_race.Boats[0].colour)));
    // The stopped replay drew the red ring at once.
    const FrameScene &f = m_window->replay()->lastFrame();
    QVERIFY(f.boats[0].symbolShown);
    QVERIFY(f.boats[0].symbol.ring);
    QVERIFY(!f.boats[1].symbol.ring);
    // Over the chart the tag goes and the ring with the next frame.
    QTest::mouseMove(chart(), QPoint(300, 300));
    QTRY_VERIFY(!tag->isVisible());
}

QTEST_MAIN(TestChartTools)
#include "testcharttools.moc"
