// The race display window end to end, on the offscreen platform: its controls, captions in
// both languages, layout, and a race loaded and drawn on the chart.
#include <canvaspicture.h>
#include <racedisplaywindow.h>
#include <replaydriver.h>

#include <appsettings.h>
#include <displaytexts.h>
#include <legstats.h>
#include <dialogs.h>
#include <mapview.h>
#include <racecontrol.h>
#include <racecontrolfile.h>
#include <racedata.h>
#include <raceloader.h>
#include <textfile.h>
#include <windfile.h>

#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

class TestRaceDisplayWindow : public QObject
{
    Q_OBJECT
private slots:
    void everyControlExists();
    void captionsFollowLanguage_data();
    void captionsFollowLanguage();
    void chartIsSquareAtLeft();
    void coversTheScreen();
    void closingSaysSo();
    void firstActivationLoadsOnce();
    void chartShowsTheRace();
    void boatListIsBuilt();
    void viewingModeOffersRaceList();
    void editModeHidesRaceList();
    void progressOnChartWithoutSplash();
    void showAnotherRace();
    void noRaceAtAll();
    void windIndicatorShowsTheFile();
    void realSingleTrackFile();
    void hintsFollowThePointer();
    void focusRules();
    void coastLinesFollowTheMapBox();
    void tracingLocksTheFixedView();
    void passingTimesAndSailData();
    void optionsRedrawTheChart();
    void seaColourAndOrientation();
    void longListRisesUnderThePointer_data();
    void longListRisesUnderThePointer();

private:
    // A small race in a temporary application folder: two boats sailing north side by side,
    // a mark north of them and a line across their tracks.
    struct Fixture {
        QTemporaryDir dir;
        AppSettings settings;
        RaceControl race;
        RaceMark mark;
        RaceLine line;
    };
    // The race lies around (2130, 8385) minutes, or that shifted by (dLat, dLon).
    static void writeRace(Fixture &f, const QString &fileName, const QString &title, int boats,
                          bool withWind = false, double dLat = 0.0, double dLon = 0.0,
                          const QStringList &course = {});
    static void setUp(Fixture &f, bool english, bool editMode);
};

namespace {

QString captionOf(QWidget *w)
{
    if (auto *b = qobject_cast<QAbstractButton *>(w))
        return b->text();
    if (auto *g = qobject_cast<QGroupBox *>(w))
        return g->title();
    if (auto *l = qobject_cast<QLabel *>(w))
        return l->text();
    if (auto *e = qobject_cast<QLineEdit *>(w))
        return e->text();
    return {};
}

// Packed degrees and minutes of a track record: 2129.8 minutes → "3529.80000".
QString packed(double minutes, int degreeDigits)
{
    const int d = int(minutes / 60);
    const double m = minutes - 60.0 * d;
    return QStringLiteral("%1%2").arg(d, degreeDigits, 10, QLatin1Char('0')).arg(m, 8, 'f', 5, QLatin1Char('0'));
}

void writeTrack(const QString &path, double lon, double dLat)
{
    QStringList lines = {QStringLiteral("H  SOFTWARE NAME & VERSION"), QStringLiteral("I  PCX5 2.09"),
                         QStringLiteral("M  G WGS 84"), QStringLiteral("U  LAT LON DM")};
    // 01:25:00 to 02:05:00 UTC, a fix every 10 s, northwards from 2129.8 to 2130.2 minutes.
    const int fixes = 241;
    for (int i = 0; i < fixes; ++i) {
        const double lat = dLat + 2129.8 + 0.4 * i / (fixes - 1);
        const int secs = 1 * 3600 + 25 * 60 + 10 * i;
        lines << QStringLiteral("T  N%1 E%2 2008/03/03 %3:%4:%5 12")
                     .arg(packed(lat, 2), packed(lon, 3))
                     .arg(secs / 3600, 2, 10, QLatin1Char('0'))
                     .arg(secs / 60 % 60, 2, 10, QLatin1Char('0'))
                     .arg(secs % 60, 2, 10, QLatin1Char('0'));
    }
    QVERIFY(platform::writeTextFile(path, lines));
}

bool isColour(const QImage &image, QPoint p, QColor c, int radius = 0)
{
    for (int dy = -radius; dy <= radius; ++dy) {
        for (int dx = -radius; dx <= radius; ++dx) {
            const QPoint q = p + QPoint(dx, dy);
            if (image.rect().contains(q) && image.pixelColor(q).rgb() == c.rgb())
                return true;
        }
    }
    return false;
}

int countColour(const QImage &image, QColor c)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixelColor(x, y).rgb() == c.rgb();
    return n;
}

} // namespace

void TestRaceDisplayWindow::writeRace(Fixture &f, const QString &fileName, const QString &title, int boats,
                                      bool withWind, double dLat, double dLon, const QStringList &course)
{
    const QString app = f.dir.path();
    QDir(app).mkpath(QStringLiteral("raceadmin"));
    QDir(app).mkpath(QStringLiteral("gpsdat"));
    RaceControl rc;
    rc.FileName = fileName;
    rc.Title1 = title;
    rc.StartTime = platform::LocalDateTime::fromParts(2008, 3, 3, 10, 30, 0);
    rc.FinishTime = platform::LocalDateTime::fromParts(2008, 3, 3, 11, 0, 0);
    rc.TimeDifference = 9;
    rc.NorthUp = 1;
    rc.BoatLength = 4.7f;
    const char *names[] = {"Alpha", "Bravo", "Charlie"};
    for (int i = 0; i < boats; ++i) {
        BoatEntry boat;
        boat.TrackFile = QStringLiteral("%1%2.trk").arg(fileName.section(QLatin1Char('.'), 0, 0)).arg(i + 1);
        boat.Name = QString::fromLatin1(names[i]);
        rc.Boats.append(boat);
        writeTrack(app + QStringLiteral("/gpsdat/") + boat.TrackFile, dLon + 8385.0 + 0.1 * i, dLat);
    }
    f.mark = RaceMark{dLat + 2130.15, dLon + 8385.05};
    f.line = RaceLine{dLat + 2129.85, dLon + 8384.98, dLat + 2129.85, dLon + 8385.12};
    rc.Marks.append(f.mark);
    rc.Lines.append(f.line);
    rc.Course.Entries = course;
    if (withWind) {
        // A steady 12 kn from 10° magnetic, with a variation of 7° west.
        rc.MagneticVariation = -7.0;
        rc.WindFile = QStringLiteral("race_WIND.CSV");
        QVector<WindSample> wind;
        for (int t = -600; t <= 2400; t += 60)
            wind.append(WindSample{double(t), 12.0, 10.0});
        QDir(app).mkpath(QStringLiteral("winddat"));
        QVERIFY(platform::writeTextFile(app + QStringLiteral("/winddat/race_WIND.CSV"), formatWindLines(wind, rc)));
    }
    QVERIFY(platform::writeTextFile(app + QStringLiteral("/raceadmin/") + fileName, formatRaceControl(rc)));
}

void TestRaceDisplayWindow::setUp(Fixture &f, bool english, bool editMode)
{
    QVERIFY(f.dir.isValid());
    writeRace(f, QStringLiteral("race.txt"), QStringLiteral("Test Cup"), 2);
    writeRace(f, QStringLiteral("other.txt"), QStringLiteral("Other Cup"), 3);
    f.settings.ApplicationFolder = f.dir.path();
    f.settings.setLanguage(english ? UiLanguage::English : UiLanguage::Japanese);
    f.settings.EditMode = editMode;
    f.race.FileName = QStringLiteral("race.txt");
}

void TestRaceDisplayWindow::everyControlExists()
{
    AppSettings settings;
    RaceControl race;
    RaceDisplayWindow window(settings, race);
    QCOMPARE(window.objectName(), QStringLiteral("frmRace"));
    QStringList names = {"Picture1", "PicTimeBar", "Picture5", "Picture6", "Picture2", "Text13",
                         "Text14", "Text15", "Picture7", "Picture8", "Label5", "Picture12", "HScroll1",
                         "HScroll2", "Label7", "Text1", "Text2", "Text3", "Text4", "Text7", "Text8",
                         "Text9", "Text10", "Text11", "Combo1", "btnHATENA", "Label1", "sWind",
                         "Picture9"};
    for (int i = 1; i <= 10; ++i)
        names << QStringLiteral("Check%1").arg(i);
    for (int i = 1; i <= 6; ++i)
        names << QStringLiteral("BCOL%1").arg(i);
    for (int i = 1; i <= 13; ++i)
        names << QStringLiteral("Command%1").arg(i);
    for (int i = 1; i <= 12; ++i)
        names << QStringLiteral("Option%1").arg(i);
    for (int i : {1, 3, 4})
        names << QStringLiteral("Frame%1").arg(i);
    for (const QString &name : names)
        QVERIFY2(window.findChild<QWidget *>(name), qPrintable(name));
}

void TestRaceDisplayWindow::captionsFollowLanguage_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::newRow("jp check") << false << "Check5" << "自動追尾";
    QTest::newRow("en check") << true << "Check5" << "AutoTrace";
    QTest::newRow("jp frame") << false << "Frame1" << "表示方向";
    QTest::newRow("en frame") << true << "Frame1" << "Direction";
    QTest::newRow("en label") << true << "Label6" << "Race File";
    QTest::newRow("jp button") << false << "Command10" << "画像処理";
    QTest::newRow("en link") << true << "Label1" << "Further Info: https://www.example.com/orvane/";
    QTest::newRow("jp speed") << false << "Text2" << "5倍速";
    QTest::newRow("en speed") << true << "Text2" << "5 x spd";
}

void TestRaceDisplayWindow::captionsFollowLanguage()
{
    QFETCH(bool, english);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    AppSettings settings;
    settings.setLanguage(english ? UiLanguage::English : UiLanguage::Japanese);
    RaceControl race;
    RaceDisplayWindow window(settings, race);
    QWidget *w = window.findChild<QWidget *>(name);
    QVERIFY(w);
    QCOMPARE(captionOf(w), caption);
}

void TestRaceDisplayWindow::chartIsSquareAtLeft()
{
    AppSettings settings;
    RaceControl race;
    RaceDisplayWindow window(settings, race);
    window.setWindowState(Qt::WindowNoState);
    window.resize(1200, 700);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QWidget *chart = window.findChild<QWidget *>(QStringLiteral("Picture1"));
    QWidget *panel = window.findChild<QWidget *>(QStringLiteral("Picture5"));
    QCOMPARE(chart->geometry(), QRect(5, 5, 690, 690));
    QVERIFY(panel->geometry().left() > chart->geometry().right());
    QVERIFY(panel->geometry().right() < 1200);
}

void TestRaceDisplayWindow::coversTheScreen()
{
    AppSettings settings;
    RaceControl race;
    RaceDisplayWindow window(settings, race);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QRect screen = window.screen()->availableGeometry();
    QCOMPARE(window.frameGeometry().size(), screen.size());
    // The chart fills the height or the width left beside the panel.
    QWidget *chart = window.findChild<QWidget *>(QStringLiteral("Picture1"));
    QWidget *panel = window.findChild<QWidget *>(QStringLiteral("Picture5"));
    QVERIFY(chart->height() == window.height() - 10 || panel->geometry().right() >= window.width() - 2);
}

void TestRaceDisplayWindow::closingSaysSo()
{
    AppSettings settings;
    RaceControl race;
    RaceDisplayWindow window(settings, race);
    int closed = 0;
    connect(&window, &RaceDisplayWindow::closed, this, [&] { ++closed; });
    window.findChild<QAbstractButton *>(QStringLiteral("Command1"))->click();
    QCOMPARE(closed, 1);
}

void TestRaceDisplayWindow::firstActivationLoadsOnce()
{
    Fixture f;
    setUp(f, true, false);
    platform::ScriptedDialogs dialogs;
    platform::DialogsGuard guard(&dialogs);
    RaceDisplayWindow window(f.settings, f.race);
    QStringList progress;
    int hidden = 0;
    SplashHooks splash;
    bool splashShown = false;
    splash.show = [&] { splashShown = true; };
    splash.isShown = [&] { return splashShown; };
    splash.progress = [&](const QString &line1, const QString &line2, int units) {
        progress << QStringLiteral("%1|%2|%3").arg(line1, line2).arg(units);
    };
    splash.hide = [&] { ++hidden; };
    window.setSplash(splash);
    window.show();
    QTRY_VERIFY(window.isLoaded());
    QCOMPARE(dialogs.messages(), QStringList());
    QCOMPARE(progress, QStringList({QStringLiteral("race.txt    ( 1 / 2)|Loading GPS data     ( race1.trk)|166"),
                                    QStringLiteral("race.txt    ( 2 / 2)|Loading GPS data     ( race2.trk)|333")}));
    QCOMPARE(hidden, 1);
    QVERIFY(splashShown);
    QCOMPARE(window.windowTitle(), QStringLiteral(" \"orvane\" Race Browser   Test Cup   (race.txt)"));

    // Later activations keep the race as it is.
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&window, &activate);
    QTest::qWait(20);
    QCOMPARE(progress.size(), 2);
}

void TestRaceDisplayWindow::chartShowsTheRace()
{
    Fixture f;
    setUp(f, false, false);
    platform::ScriptedDialogs dialogs;
    platform::DialogsGuard guard(&dialogs);
    RaceDisplayWindow window(f.settings, f.race);
    window.setWindowState(Qt::WindowNoState);
    window.resize(1200, 700);
    window.show();
    QTRY_VERIFY(window.isLoaded());
    const QImage chart = window.chartImage();
    const MapView &view = window.mapView();
    QCOMPARE(chart.size(), QSize(690, 690));
    QCOMPARE(view.ChartSize, 690.0);

    const QColor yellow(255, 255, 0);
    // The mark's yellow circle, and the line drawn in yellow between its two ends.
    const QPoint mark = view.ToScreen(f.mark.Lat, f.mark.Lon).toPoint();
    QVERIFY(QRect(0, 0, 690, 690).contains(mark));
    QVERIFY(isColour(chart, mark, yellow));
    const QPointF end1 = view.ToScreen(f.line.Lat1, f.line.Lon1);
    const QPointF end2 = view.ToScreen(f.line.Lat2, f.line.Lon2);
    QVERIFY(isColour(chart, ((end1 + end2) / 2).toPoint(), yellow, 1));
    QVERIFY(isColour(chart, (end1 * 0.25 + end2 * 0.75).toPoint(), yellow, 1));
    // Each boat's track in its colour, halfway up.
    for (int boat = 0; boat < 2; ++boat) {
        const QColor colour = QColor::fromRgb(QRgb(f.race.Boats[boat].colour));
        const QPoint p = view.ToScreen(2130.0, 8385.0 + 0.1 * boat).toPoint();
        QVERIFY2(isColour(chart, p, colour, 1), qPrintable(f.race.Boats[boat].Name));
    }
    // The scale bar in the foreground colour (black on the lightest sea).
    QVERIFY(isColour(chart, QPoint(45, 690 - 20), Qt::black));
    // The sea itself.
    QCOMPARE(chart.pixelColor(5, 5).rgb(), QColor(0, 255, 255).rgb());

    // The overview holds both tracks; the wind indicator its white disc and black north arrow.
    auto *overview = window.findChild<CanvasPicture *>(QStringLiteral("Picture6"));
    for (int boat = 0; boat < 2; ++boat)
        QVERIFY(countColour(overview->canvas(), QColor::fromRgb(QRgb(f.race.Boats[boat].colour))) > 10);
    auto *wind = window.findChild<CanvasPicture *>(QStringLiteral("Picture2"));
    const int cx = wind->width() / 2;
    const int cy = cx + 10;
    QCOMPARE(wind->canvas().pixelColor(cx, cy - 6).rgb(), QColor(Qt::black).rgb());
    QCOMPARE(wind->canvas().pixelColor(cx + 15, cy).rgb(), QColor(Qt::white).rgb());
    // Without a wind file the two read-out boxes are hidden, and there is no wind graph to show.
    QVERIFY(!window.findChild<QWidget *>(QStringLiteral("Text13"))->isVisible());
    QVERIFY(!window.findChild<QWidget *>(QStringLiteral("Text14"))->isVisible());
    QTest::mouseClick(wind, Qt::LeftButton);
    QVERIFY(!window.findChild<QWidget *>(QStringLiteral("sWind"))->isVisible());
    // North up: the comparison box is off.
    QVERIFY(window.findChild<QRadioButton *>(QStringLiteral("Option2"))->isChecked());
    QVERIFY(!window.findChild<QWidget *>(QStringLiteral("Check4"))->isEnabled());
    // The time boxes hold the race times.
    QCOMPARE(window.findChild<QLineEdit *>(QStringLiteral("Text9"))->text(), QStringLiteral("2008/03/03 10:30:00"));
    QCOMPARE(window.findChild<QLineEdit *>(QStringLiteral("Text10"))->text(), QStringLiteral("2008/03/03 11:00:00"));
    QVERIFY(window.findChild<QWidget *>(QStringLiteral("PicTimeBar"))->isVisible());

    // The ZOOM slider sets how tightly tracing frames the fleet.
    auto *zoom = window.findChild<QScrollBar *>(QStringLiteral("HScroll2"));
    QCOMPARE(zoom->value(), 100);
    QCOMPARE(view.TraceZoom, 1.0);
    zoom->setValue(40);
    QCOMPARE(view.TraceZoom, 0.4);

    // A smaller window gives a smaller square chart, drawn again for its new size.
    window.resize(1100, 600);
    QTRY_COMPARE(window.chartImage().size(), QSize(590, 590));
    QCOMPARE(window.mapView().ChartSize, 590.0);
    QVERIFY(isColour(window.chartImage(), window.mapView().ToScreen(f.mark.Lat, f.mark.Lon).toPoint(), yellow));
}

void TestRaceDisplayWindow::boatListIsBuilt()
{
    Fixture f;
    setUp(f, true, false);
    RaceDisplayWindow window(f.settings, f.race);
    QVERIFY(window.ensureLoaded());
    const QList<QCheckBox *> names = window.findChildren<QCheckBox *>(QStringLiteral("Bnam"));
    QCOMPARE(names.size(), 2);
    QCOMPARE(names[0]->text(), QStringLiteral("Alpha"));
    QCOMPARE(names[1]->text(), QStringLiteral("Bravo"));
    QVERIFY(names[0]->isChecked() && names[1]->isChecked());
    QCOMPARE(names[1]->y() - names[0]->y(), 14);
    QCOMPARE(names[0]->x(), 5);
    const QList<QCheckBox *> marks = window.findChildren<QCheckBox *>(QStringLiteral("Maru"));
    QCOMPARE(marks.size(), 2);
    QVERIFY(!marks[0]->isChecked() && !marks[1]->isChecked());
    QCOMPARE(marks[0]->x(), 240);
    QCOMPARE(window.findChildren<QWidget *>(QStringLiteral("Text5")).size(), 2);
    QCOMPARE(window.findChildren<QWidget *>(QStringLiteral("Text6")).size(), 2);
    QCOMPARE(window.findChildren<QWidget *>(QStringLiteral("BoatS")).size(), 2);
    // Each boat has its symbol on the chart from the first frame on.
    QCOMPARE(window.replay()->lastFrame().boats.size(), 2);
    QVERIFY(window.replay()->lastFrame().boats[1].symbolShown);
    QWidget *list = window.findChild<QWidget *>(QStringLiteral("Picture8"));
    QCOMPARE(list->height(), 14 * 2 + 50);
    QCOMPARE(list->y(), 178);
}

void TestRaceDisplayWindow::viewingModeOffersRaceList()
{
    Fixture f;
    setUp(f, false, false);
    RaceDisplayWindow window(f.settings, f.race);
    window.show();
    QTRY_VERIFY(window.isLoaded());
    auto *list = window.findChild<QComboBox *>(QStringLiteral("Combo1"));
    QVERIFY(list->isVisible());
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->currentText(), QStringLiteral("race.txt"));
    for (const char *hidden : {"Command2", "Command3", "Command5", "Command4"})
        QVERIFY2(!window.findChild<QWidget *>(QString::fromLatin1(hidden))->isVisible(), hidden);
    QVERIFY(window.findChild<QLineEdit *>(QStringLiteral("Text9"))->isReadOnly());
    QVERIFY(window.findChild<QLineEdit *>(QStringLiteral("Text10"))->isReadOnly());
}

void TestRaceDisplayWindow::editModeHidesRaceList()
{
    Fixture f;
    setUp(f, false, true);
    RaceDisplayWindow window(f.settings, f.race);
    window.show();
    QTRY_VERIFY(window.isLoaded());
    QVERIFY(!window.findChild<QWidget *>(QStringLiteral("Combo1"))->isVisible());
    QVERIFY(!window.findChild<QWidget *>(QStringLiteral("Command9"))->isVisible());
    for (const char *shown : {"Command2", "Command3", "Command5", "Command4"})
        QVERIFY2(window.findChild<QWidget *>(QString::fromLatin1(shown))->isVisible(), shown);
    // One mark and one line: enough to set a course; no course yet, so no analysis page.
    QVERIFY(window.findChild<QWidget *>(QStringLiteral("Command5"))->isEnabled());
    QVERIFY(!window.findChild<QWidget *>(QStringLiteral("Option12"))->isEnabled());
    QVERIFY(!window.findChild<QWidget *>(QStringLiteral("Command13"))->isEnabled());
    QVERIFY(!window.findChild<QLineEdit *>(QStringLiteral("Text9"))->isReadOnly());
}

void TestRaceDisplayWindow::progressOnChartWithoutSplash()
{
    Fixture f;
    setUp(f, false, false);
    RaceDisplayWindow window(f.settings, f.race);
    window.setWindowState(Qt::WindowNoState);
    window.resize(1200, 700);
    auto *chart = window.findChild<CanvasPicture *>(QStringLiteral("Picture1"));
    // Catch the chart as the progress leaves it, before the chart redraw replaces it.
    QList<QImage> painted;
    struct Spy : QObject {
        CanvasPicture *chart;
        QList<QImage> *painted;
        bool eventFilter(QObject *o, QEvent *e) override
        {
            if (o == chart && e->type() == QEvent::Paint)
                painted->append(chart->canvas().copy());
            return false;
        }
    } spy;
    spy.chart = chart;
    spy.painted = &painted;
    chart->installEventFilter(&spy);
    window.show();
    QTRY_VERIFY(window.isLoaded());
    // The bar of the second boat is blue and full length: 333 pixels, 50 below the text's top.
    const QColor blue(0, 0, 255);
    bool found = false;
    for (const QImage &image : painted) {
        const int textTop = (690 - 32) / 2;
        const int left = (690 - 333) / 2;
        if (isColour(image, QPoint(left + 330, textTop + 55), blue))
            found = true;
    }
    QVERIFY(found);
    // After the load the chart shows the race, not the progress.
    QVERIFY(!isColour(window.chartImage(), QPoint((690 - 333) / 2 + 100, (690 - 32) / 2 + 55), blue));
}

void TestRaceDisplayWindow::showAnotherRace()
{
    Fixture f;
    setUp(f, true, false);
    platform::ScriptedDialogs dialogs;
    platform::DialogsGuard guard(&dialogs);
    RaceDisplayWindow window(f.settings, f.race);
    QVERIFY(window.ensureLoaded());
    auto *list = window.findChild<QComboBox *>(QStringLiteral("Combo1"));
    auto *show = window.findChild<QAbstractButton *>(QStringLiteral("Command9"));
    // The race shown already: only a message.
    list->setEditText(QStringLiteral("race.txt"));
    show->click();
    QCOMPARE(dialogs.messages(), QStringList(QStringLiteral("Choose Other File")));
    // Another race: its three boats replace the two.
    list->setEditText(QStringLiteral("other.txt"));
    show->click();
    QCOMPARE(f.race.FileName, QStringLiteral("other.txt"));
    QCOMPARE(window.findChildren<QCheckBox *>(QStringLiteral("Bnam")).size(), 3);
    QCOMPARE(window.findChildren<QWidget *>(QStringLiteral("BoatS")).size(), 3);
    QCOMPARE(window.replay()->lastFrame().boats.size(), 3);
    QCOMPARE(window.windowTitle(), QStringLiteral(" \"orvane\" Race Browser   Other Cup   (other.txt)"));
    QCOMPARE(dialogs.messages().size(), 1);
}

void TestRaceDisplayWindow::noRaceAtAll()
{
    // Viewing mode in a folder without a race: the window opens empty and offers nothing to
    // load, without failing.
    QTemporaryDir dir;
    AppSettings settings;
    settings.ApplicationFolder = dir.path();
    RaceControl race;
    platform::ScriptedDialogs dialogs;
    platform::DialogsGuard guard(&dialogs);
    RaceDisplayWindow window(settings, race);
    window.show();
    QTest::qWait(50);
    QVERIFY(!window.isLoaded());
    QCOMPARE(window.findChild<QComboBox *>(QStringLiteral("Combo1"))->count(), 0);
    QCOMPARE(window.findChildren<QCheckBox *>(QStringLiteral("Bnam")).size(), 0);
}

void TestRaceDisplayWindow::windIndicatorShowsTheFile()
{
    Fixture f;
    QVERIFY(f.dir.isValid());
    writeRace(f, QStringLiteral("race.txt"), QStringLiteral("Windy Cup"), 2, true);
    f.settings.ApplicationFolder = f.dir.path();
    f.race.FileName = QStringLiteral("race.txt");
    RaceDisplayWindow window(f.settings, f.race);
    window.show();
    QTRY_VERIFY(window.isLoaded());
    QVERIFY(window.raceData().hasWind());
    // The boxes read the wind as the file has it (magnetic); the arrow is drawn true.
    auto *direction = window.findChild<QLineEdit *>(QStringLiteral("Text13"));
    auto *speed = window.findChild<QLineEdit *>(QStringLiteral("Text14"));
    QVERIFY(direction->isVisible() && speed->isVisible());
    QCOMPARE(direction->text(), QStringLiteral("10"));
    QCOMPARE(speed->text(), QStringLiteral("12"));
    QCOMPARE(f.race.ShownWindDirection, 3.0);
    auto *wind = window.findChild<CanvasPicture *>(QStringLiteral("Picture2"));
    const int cx = wind->width() / 2;
    const int cy = cx + 10;
    QVERIFY(isColour(wind->canvas(), QPoint(cx + 1, cy - 27), QColor(255, 0, 0), 1));

    // A click on the indicator shows the wind graph right below it; a click on either hides it.
    QWidget *graph = window.findChild<QWidget *>(QStringLiteral("sWind"));
    QVERIFY(!graph->isVisible());
    QTest::mouseClick(wind, Qt::LeftButton);
    QVERIFY(graph->isVisible());
    QCOMPARE(graph->y(), wind->geometry().bottom() + 1);
    QTest::mouseClick(graph, Qt::LeftButton);
    QVERIFY(!graph->isVisible());
}

void TestRaceDisplayWindow::longListRisesUnderThePointer_data()
{
    QTest::addColumn<int>("windowHeight");
    QTest::addColumn<int>("raisedTop");
    // Three boats: a list 92 high. It fits above the lower panel on a 690 chart, not on a 400 one.
    QTest::newRow("fits") << 700 << 178;
    QTest::newRow("too long") << 410 << 0;
}

void TestRaceDisplayWindow::longListRisesUnderThePointer()
{
    QFETCH(int, windowHeight);
    QFETCH(int, raisedTop);
    Fixture f;
    setUp(f, true, false);
    f.race.FileName = QStringLiteral("other.txt");
    RaceDisplayWindow window(f.settings, f.race);
    window.setWindowState(Qt::WindowNoState);
    window.resize(1200, windowHeight);
    window.show();
    QTRY_VERIFY(window.isLoaded());
    QWidget *list = window.findChild<QWidget *>(QStringLiteral("Picture8"));
    QWidget *lower = window.findChild<QWidget *>(QStringLiteral("Picture7"));
    QWidget *name = window.findChildren<QWidget *>(QStringLiteral("Bnam")).at(2);
    QCOMPARE(list->y(), 178);
    QVERIFY(lower->isVisible());

    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(name, &enter);
    QCOMPARE(list->y(), raisedTop);
    QCOMPARE(lower->isVisible(), raisedTop != 0);
    // The first move only raises the list; the next one explains the name box.
    auto *hint = window.findChild<QLabel *>(QStringLiteral("Text7"));
    QVERIFY(!hint->isVisible());
    QApplication::sendEvent(name, &enter);
    QVERIFY(hint->isVisible());
    QVERIFY(hint->text().startsWith(QStringLiteral("Cecked boats are focused.")));

    // Back over the chart: both panels rest again.
    QApplication::sendEvent(window.findChild<QWidget *>(QStringLiteral("Picture1")), &enter);
    QCOMPARE(list->y(), 178);
    QVERIFY(lower->isVisible());
}

void TestRaceDisplayWindow::realSingleTrackFile()
{
    // A real receiver's export shown alone, without a race control file.
    const QString source = QStringLiteral(ORVANE_SHARED_DATA "/pcx/pcx.trk");
    if (!QFile::exists(source))
        QSKIP("the shared track files are not here");
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("gpsdat")));
    QVERIFY(QFile::copy(source, dir.path() + QStringLiteral("/gpsdat/pcx.trk")));
    AppSettings settings;
    settings.ApplicationFolder = dir.path();
    settings.setLanguage(UiLanguage::English);
    settings.EditMode = true;
    settings.SingleTrackFile = QStringLiteral("pcx.trk");
    RaceControl race;
    platform::ScriptedDialogs dialogs;
    platform::DialogsGuard guard(&dialogs);
    RaceDisplayWindow window(settings, race);
    window.setWindowState(Qt::WindowNoState);
    window.resize(1200, 700);
    window.show();
    QTRY_VERIFY(window.isLoaded());
    QCOMPARE(dialogs.messages(), QStringList());
    QVERIFY(window.windowTitle().endsWith(QStringLiteral("(pcx.trk)")));
    const QList<QCheckBox *> names = window.findChildren<QCheckBox *>(QStringLiteral("Bnam"));
    QCOMPARE(names.size(), 1);
    QCOMPARE(names[0]->text(), QStringLiteral("pcx"));
    // Its track is on the chart in the boat's colour, and on the overview.
    const QColor colour = QColor::fromRgb(QRgb(race.Boats[0].colour));
    QVERIFY(countColour(window.chartImage(), colour) > 50);
    auto *overview = window.findChild<CanvasPicture *>(QStringLiteral("Picture6"));
    QVERIFY(countColour(overview->canvas(), colour) > 10);
}

void TestRaceDisplayWindow::hintsFollowThePointer()
{
    AppSettings settings;
    settings.setLanguage(UiLanguage::English);
    RaceControl race;
    RaceDisplayWindow window(settings, race);
    window.setWindowState(Qt::WindowNoState);
    window.resize(1200, 700);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *hint = window.findChild<QLabel *>(QStringLiteral("Text7"));
    auto *hintBox = window.findChild<QCheckBox *>(QStringLiteral("Check3"));
    QWidget *colour = window.findChild<QWidget *>(QStringLiteral("BCOL2"));
    QWidget *panel = window.findChild<QWidget *>(QStringLiteral("Picture5"));
    auto enter = [](QWidget *w) {
        QEnterEvent e(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QApplication::sendEvent(w, &e);
    };

    // Hints on: the box above the control, 10 pixels in from the panel's left edge.
    QVERIFY(hintBox->isChecked());
    enter(colour);
    QVERIFY(hint->isVisible());
    QCOMPARE(hint->text(), QStringLiteral("Change sea color"));
    QVERIFY(hint->width() >= 160 && hint->height() >= 17);
    QCOMPARE(hint->x(), panel->x() + 10);
    QCOMPARE(hint->geometry().bottom() + 1, colour->mapTo(&window, QPoint(0, 0)).y() - 5);
    // Over the chart, which has no hint here, the box goes.
    enter(window.findChild<QWidget *>(QStringLiteral("Picture1")));
    QVERIFY(!hint->isVisible());

    // Hints off: only the controls whose hint always shows.
    hintBox->setChecked(false);
    enter(colour);
    QVERIFY(!hint->isVisible());
    enter(window.findChild<QWidget *>(QStringLiteral("Check8")));
    QVERIFY(hint->isVisible());
    QCOMPARE(hint->text(), QStringLiteral("Draw lay line or not"));
    QVERIFY(hint->width() >= 150 && hint->height() >= 15);
    // Every hint shows all its lines, in both languages, whatever the fonts at hand.
    for (const bool english : {true, false}) {
        settings.setLanguage(english ? UiLanguage::English : UiLanguage::Japanese);
        for (const ControlHint &h : raceDisplayHints()) {
            QWidget *control = window.findChild<QWidget *>(h.objectName);
            if (!control && h.objectName == QLatin1String("BCOL"))
                control = colour;
            if (!control)
                continue; // the boat list rows: no race loaded here
            hint->hide();
            window.findChild<QCheckBox *>(QStringLiteral("Check3"))->setChecked(true);
            enter(control);
            if (!hint->isVisible())
                continue; // hints of the edit mode or of a race file
            const QRect needed = hint->fontMetrics().boundingRect(QRect(0, 0, 2000, 2000), Qt::AlignLeft, hint->text());
            QVERIFY2(hint->contentsRect().width() >= needed.width() && hint->contentsRect().height() >= needed.height(),
                     qPrintable(h.objectName));
        }
    }
    settings.setLanguage(UiLanguage::English);

    // A control near the top has no room above: the box goes below it.
    enter(window.findChild<QWidget *>(QStringLiteral("Text2")));
    QVERIFY(hint->isVisible());
    QVERIFY(hint->y() >= 0);
}

namespace {

void clickWith(QWidget *w, Qt::MouseButton button)
{
    QTest::mouseClick(w, button, Qt::NoModifier, QPoint(8, w->height() / 2));
}

QList<bool> focusOf(RaceDisplayWindow &window)
{
    QList<bool> focus;
    for (QCheckBox *box : window.findChildren<QCheckBox *>(QStringLiteral("Bnam")))
        focus << box->isChecked();
    return focus;
}

} // namespace

void TestRaceDisplayWindow::focusRules()
{
    Fixture f;
    setUp(f, true, false);
    f.race.FileName = QStringLiteral("other.txt");
    RaceDisplayWindow window(f.settings, f.race);
    window.setWindowState(Qt::WindowNoState);
    window.resize(1200, 700);
    window.show();
    QTRY_VERIFY(window.isLoaded());
    const QList<QCheckBox *> names = window.findChildren<QCheckBox *>(QStringLiteral("Bnam"));
    const QList<QCheckBox *> marks = window.findChildren<QCheckBox *>(QStringLiteral("Maru"));
    QCOMPARE(names.size(), 3);

    // Right click on the third name with the first boat marked: the first and the third.
    clickWith(marks[0], Qt::LeftButton);
    QVERIFY(marks[0]->isChecked());
    clickWith(names[2], Qt::RightButton);
    QCOMPARE(focusOf(window), QList<bool>({true, false, true}));

    // Unticking the only focused boat focuses the first again.
    clickWith(marks[0], Qt::LeftButton);
    clickWith(names[1], Qt::RightButton);
    QCOMPARE(focusOf(window), QList<bool>({false, true, false}));
    clickWith(names[1], Qt::LeftButton);
    QCOMPARE(focusOf(window), QList<bool>({true, false, false}));

    // The header focuses every boat.
    clickWith(window.findChild<QWidget *>(QStringLiteral("Label5")), Qt::LeftButton);
    QCOMPARE(focusOf(window), QList<bool>({true, true, true}));
}

void TestRaceDisplayWindow::coastLinesFollowTheMapBox()
{
    // A race off Hong Kong: its coast comes from the single China coast file.
    Fixture f;
    QVERIFY(f.dir.isValid());
    const double dLat = 1320.0 - 2130.0, dLon = 6840.0 - 8385.0;
    writeRace(f, QStringLiteral("hk.txt"), QStringLiteral("Harbour Race"), 2, false, dLat, dLon);
    QVERIFY(QDir(f.dir.path()).mkpath(QStringLiteral("coastline")));
    // A coast line running north-south just west of the fleet, and one far away.
    QVERIFY(platform::writeTextFile(f.dir.path() + QStringLiteral("/coastline/chinacoast.txt"),
                                    {QStringLiteral("R,1319.8,6839.9"), QStringLiteral("1320.2,6839.9"),
                                     QStringLiteral("R,1200.0,6700.0"), QStringLiteral("1200.1,6700.0")}));
    f.settings.ApplicationFolder = f.dir.path();
    f.race.FileName = QStringLiteral("hk.txt");
    RaceDisplayWindow window(f.settings, f.race);
    window.setWindowState(Qt::WindowNoState);
    window.resize(1200, 700);
    window.show();
    QTRY_VERIFY(window.isLoaded());
    QCOMPARE(window.raceData().Coast.size(), 4);
    const QPoint coast = window.mapView().ToScreen(1320.0, 6839.9).toPoint();
    QVERIFY(QRect(0, 0, 690, 690).contains(coast));
    QVERIFY(isColour(window.chartImage(), coast, Qt::black, 1));
    // Map off: the coast goes, the marks stay.
    clickWith(window.findChild<QWidget *>(QStringLiteral("Check7")), Qt::LeftButton);
    QVERIFY(!window.findChild<QCheckBox *>(QStringLiteral("Check7"))->isChecked());
    QVERIFY(!isColour(window.chartImage(), coast, Qt::black, 1));
    QVERIFY(isColour(window.chartImage(), window.mapView().ToScreen(f.mark.Lat, f.mark.Lon).toPoint(),
                     QColor(255, 255, 0)));
}

void TestRaceDisplayWindow::tracingLocksTheFixedView()
{
    Fixture f;
    setUp(f, true, true);
    RaceDisplayWindow window(f.settings, f.race);
    window.setWindowState(Qt::WindowNoState);
    window.resize(1200, 700);
    window.show();
    QTRY_VERIFY(window.isLoaded());
    auto box = [&](const char *name) { return window.findChild<QCheckBox *>(QString::fromLatin1(name)); };
    auto widget = [&](const char *name) { return window.findChild<QWidget *>(QString::fromLatin1(name)); };
    const QColor first = QColor::fromRgb(QRgb(f.race.Boats[0].colour));
    QVERIFY(!box("Check9")->isEnabled());
    QVERIFY(!widget("Picture12")->isVisible());
    box("Check2")->setChecked(true);

    box("Check5")->setChecked(true);
    for (const char *name : {"Command2", "Command3", "Command5", "Check1", "Check2", "Check6", "Check7"})
        QVERIFY2(!widget(name)->isEnabled(), name);
    QVERIFY(!box("Check2")->isChecked());
    QVERIFY(box("Check9")->isEnabled());
    QVERIFY(widget("Picture12")->isVisible());
    // The chart keeps only the marks until the replay fits it to the fleet.
    QCOMPARE(countColour(window.chartImage(), first), 0);
    QVERIFY(isColour(window.chartImage(), window.mapView().ToScreen(f.mark.Lat, f.mark.Lon).toPoint(),
                     QColor(255, 255, 0)));

    box("Check5")->setChecked(false);
    for (const char *name : {"Command2", "Command3", "Command5", "Check1", "Check2", "Check6", "Check7"})
        QVERIFY2(widget(name)->isEnabled(), name);
    QVERIFY(!box("Check9")->isEnabled());
    QVERIFY(!widget("Picture12")->isVisible());
    QVERIFY(countColour(window.chartImage(), first) > 0);
}

void TestRaceDisplayWindow::passingTimesAndSailData()
{
    // From the start line round the mark north of it: the boats pass it about 1800 s in.
    Fixture f;
    QVERIFY(f.dir.isValid());
    writeRace(f, QStringLiteral("crs.txt"), QStringLiteral("Course Race"), 2, false, 0, 0,
              {QStringLiteral("L1"), QStringLiteral("MK1")});
    f.settings.ApplicationFolder = f.dir.path();
    f.race.FileName = QStringLiteral("crs.txt");
    RaceDisplayWindow window(f.settings, f.race);
    window.setWindowState(Qt::WindowNoState);
    window.resize(1200, 700);
    window.show();
    QTRY_VERIFY(window.isLoaded());
    QVERIFY(window.findChild<QWidget *>(QStringLiteral("Option12"))->isEnabled());
    const LegStats &stats = window.legStats();
    QCOMPARE(stats.entryCount(), 2);
    for (int boat : {1, 2}) {
        QVERIFY(stats.roundingTime(boat, 2) > 1700);
        QVERIFY(stats.roundingTime(boat, 2) < 1900);
    }

    // The right button on the darkest sea colour: that colour, and the sail data file.
    QWidget *darkest = window.findChild<QWidget *>(QStringLiteral("BCOL6"));
    QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(5, 5));
    QApplication::sendEvent(darkest, &menu);
    QCOMPARE(window.chartImage().pixelColor(5, 5).rgb(), QColor(0, 0, 96).rgb());
    QVERIFY(QFile::exists(f.dir.path() + QStringLiteral("/saildata/crs.csv")));
}

void TestRaceDisplayWindow::optionsRedrawTheChart()
{
    Fixture f;
    setUp(f, false, false);
    RaceDisplayWindow window(f.settings, f.race);
    window.setWindowState(Qt::WindowNoState);
    window.resize(1200, 700);
    window.show();
    QTRY_VERIFY(window.isLoaded());
    const QColor second = QColor::fromRgb(QRgb(f.race.Boats[1].colour));
    const QPoint onTrack = window.mapView().ToScreen(2130.0, 8385.1).toPoint();
    QVERIFY(isColour(window.chartImage(), onTrack, second, 1));

    // An unfocused boat loses its track.
    clickWith(window.findChildren<QCheckBox *>(QStringLiteral("Bnam")).at(1), Qt::LeftButton);
    QVERIFY(!isColour(window.chartImage(), onTrack, second, 1));
    clickWith(window.findChildren<QCheckBox *>(QStringLiteral("Bnam")).at(1), Qt::LeftButton);
    QVERIFY(isColour(window.chartImage(), onTrack, second, 1));

    // The tracks box takes every track away and brings them back.
    auto *tracks = window.findChild<QCheckBox *>(QStringLiteral("Check6"));
    QVERIFY(tracks->isChecked());
    clickWith(tracks, Qt::LeftButton);
    QCOMPARE(countColour(window.chartImage(), second), 0);
    clickWith(tracks, Qt::LeftButton);
    QVERIFY(isColour(window.chartImage(), onTrack, second, 1));

    // Lay lines off: no lay line colour left on the chart.
    const QColor layLine(192, 192, 255);
    QVERIFY(countColour(window.chartImage(), layLine) > 0);
    clickWith(window.findChild<QCheckBox *>(QStringLiteral("Check8")), Qt::LeftButton);
    QCOMPARE(countColour(window.chartImage(), layLine), 0);
}

void TestRaceDisplayWindow::seaColourAndOrientation()
{
    Fixture f;
    setUp(f, true, false);
    RaceDisplayWindow window(f.settings, f.race);
    window.setWindowState(Qt::WindowNoState);
    window.resize(1200, 700);
    window.show();
    QTRY_VERIFY(window.isLoaded());

    // The darkest sea: the chart in its colour, the scale bar in white.
    window.findChild<QAbstractButton *>(QStringLiteral("BCOL6"))->click();
    QCOMPARE(window.chartImage().pixelColor(5, 5).rgb(), QColor(0, 0, 96).rgb());
    QVERIFY(isColour(window.chartImage(), QPoint(45, 690 - 20), Qt::white));
    QCOMPARE(f.settings.SeaColour, rgb(0, 0, 96));
    auto *overview = window.findChild<CanvasPicture *>(QStringLiteral("Picture6"));
    QCOMPARE(overview->canvas().pixelColor(2, 2).rgb(), QColor(0, 0, 96).rgb());
    // The wind indicator is drawn again on the new sea at once, not only at the next second.
    auto *wind = window.findChild<CanvasPicture *>(QStringLiteral("Picture2"));
    QCOMPARE(wind->canvas().pixelColor(2, wind->height() - 3).rgb(), QColor(0, 0, 96).rgb());

    // North up in the file; wind up turns the chart and enables the comparison box unticked.
    auto *compare = window.findChild<QCheckBox *>(QStringLiteral("Check4"));
    QVERIFY(!compare->isEnabled());
    f.race.WindDirection = 90.0f;
    QTest::mouseClick(window.findChild<QWidget *>(QStringLiteral("Option3")), Qt::LeftButton);
    QCOMPARE(f.race.ChartRotation, 90.0);
    QCOMPARE(f.race.NorthUp, 0.0);
    QVERIFY(compare->isEnabled());
    QVERIFY(!compare->isChecked());
    // The mark north of the centre now lies to its left.
    const MapView &view = window.mapView();
    const QPointF mark = view.ToScreen(f.mark.Lat, f.mark.Lon);
    QVERIFY(mark.x() < view.OriginX - 50);
    QVERIFY(isColour(window.chartImage(), mark.toPoint(), QColor(255, 255, 0)));
    QTest::mouseClick(window.findChild<QWidget *>(QStringLiteral("Option2")), Qt::LeftButton);
    QCOMPARE(f.race.ChartRotation, 0.0);
    QVERIFY(!compare->isEnabled());
}

QTEST_MAIN(TestRaceDisplayWindow)
#include "testracedisplaywindow.moc"
