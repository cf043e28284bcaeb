// The chart layers painted: pixels where the layers put things, on the pictures the window
// keeps (chart, overview, wind indicator).
#include "layerfixture.h"

#include <chartlayerpainter.h>
#include <dialogs.h>
#include <racegenerator.h>
#include <raceloader.h>
#include <tracklayer.h>

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

using namespace fixture;

namespace {

QImage picture(int w = int(ChartPixels), int h = int(ChartPixels))
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::magenta); // anything a layer leaves alone stays magenta
    return img;
}

Colour pixel(const QImage &img, int x, int y) { return Colour(img.pixel(x, y)); }

QString name(Colour c)
{
    return QStringLiteral("(%1,%2,%3)").arg(colourRed(c)).arg(colourGreen(c)).arg(colourBlue(c));
}

#define COMPARE_PIXEL(img, x, y, colour)                                                        \
    QVERIFY2(pixel(img, x, y) == (colour),                                                      \
             qPrintable(QStringLiteral("pixel (%1,%2) is %3, expected %4")                      \
                            .arg(x).arg(y).arg(name(pixel(img, x, y)), name(colour))))

// True when some pixel of the rectangle has the colour.
bool anyPixel(const QImage &img, QRect r, Colour colour)
{
    r = r.intersected(img.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (pixel(img, x, y) == colour)
                return true;
    return false;
}

constexpr Colour Yellow = rgb(255, 255, 0);
constexpr Colour Black = rgb(0, 0, 0);
constexpr Colour White = rgb(255, 255, 255);

} // namespace

class TestChartLayers : public QObject
{
    Q_OBJECT

private slots:
    void fullRedrawPaintsEveryLayer();
    void scaleBarForeground_data();
    void scaleBarForeground();
    void coastClippedByInsideRule();
    void southernHemisphereCoast();
    void marksStayUntilNextChart();
    void layLinesAndRoundingClock();
    void timeMarkColours();
    void overviewAndWindIndicator();
    void keptTracksPaintTheSamePixels_data();
    void keptTracksPaintTheSamePixels();
    void keptTracksMadeAnewOnlyWhenNeeded();
};

void TestChartLayers::fullRedrawPaintsEveryLayer()
{
    RaceControl r = race(2);
    r.Marks = {RaceMark{latAt(-100), lonAt(50)}};
    r.Lines = {RaceLine{latAt(120), lonAt(-100), latAt(120), lonAt(100)}};
    RaceData d = data(2);
    d.Tracks[0] = straightTrack({60, 60}, {340, 60}, 281);
    d.Tracks[1] = straightTrack({60, 260}, {340, 260}, 281);
    ChartOptions o;
    o.tracksShown = true;
    o.periodStart = -100;
    o.periodEnd = 1000;
    o.focused = {true, false};
    MapView v = view();
    QImage img = picture();
    {
        QPainter p(&img);
        DrawChart(p, img.size(), v, r, d, o);
        DrawTimeMarks(p, v, r, d, o);
        DrawMarks(p, img.size(), v, r, d, o);
    }
    COMPARE_PIXEL(img, 5, 5, rgb(0, 255, 255));            // cleared to the sea colour
    COMPARE_PIXEL(img, 200, 60, r.Boats[0].colour);         // a focused boat's track
    COMPARE_PIXEL(img, 200, 260, rgb(0, 255, 255));         // the other boat is out of focus
    COMPARE_PIXEL(img, 250, 100, Yellow);                   // the mark's yellow disc …
    QVERIFY(anyPixel(img, QRect(246, 96, 9, 9), Black));    // … outlined in black
    COMPARE_PIXEL(img, 200, 320, Yellow);                   // the line between its two ends
    COMPARE_PIXEL(img, 150, 320, Yellow);
    COMPARE_PIXEL(img, 100, 320, Yellow);                   // the end's disc
    // Labels in the foreground colour (black on the lightest sea) right of and above the mark.
    QVERIFY(anyPixel(img, QRect(258, 95, 30, 14), Black));
    QVERIFY(anyPixel(img, QRect(108, 315, 30, 18), Black));
}

void TestChartLayers::scaleBarForeground_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<Colour>("foreground");
    QTest::newRow("BCOL1 black") << 1 << Black;
    QTest::newRow("BCOL2 white") << 2 << White;
    QTest::newRow("BCOL6 white") << 6 << White;
}

void TestChartLayers::scaleBarForeground()
{
    QFETCH(int, button);
    QFETCH(Colour, foreground);
    ChartOptions o;
    o.colours = seaColourButton(button);
    MapView v = view();
    QImage img = picture();
    {
        QPainter p(&img);
        DrawChart(p, img.size(), v, race(0), data(0), o);
    }
    // The 2000 m bar runs from x = 40 to 365 at y = 380, ticks 5 pixels up at both ends and in
    // the middle, the label "2Km" centred below it.
    const double x1 = 40 + 2000 * 300.0 / 1850.0 + 1;
    const int middle = qRound((40 + x1) / 2);
    COMPARE_PIXEL(img, 100, 380, foreground);
    COMPARE_PIXEL(img, 40, 376, foreground);
    COMPARE_PIXEL(img, middle, 376, foreground);
    COMPARE_PIXEL(img, qRound(x1), 376, foreground);
    COMPARE_PIXEL(img, 100, 376, o.colours.background);
    QVERIFY(anyPixel(img, QRect(middle - 15, 383, 30, 14), foreground));
    QVERIFY(!anyPixel(img, QRect(0, 383, 150, 14), foreground));
}

void TestChartLayers::coastClippedByInsideRule()
{
    RaceData d = data(0);
    // A line from outside into the chart and out again, then one that crosses the chart with
    // both ends outside.
    d.Coast = {coast(-100, 100, true), coast(200, 100, false), coast(500, 100, false),
               coast(-100, 250, true), coast(500, 250, false)};
    ChartOptions o;
    o.colours = seaColourButton(4);
    MapView v = view();
    QImage img = picture();
    {
        QPainter p(&img);
        DrawChart(p, img.size(), v, race(0), d, o);
    }
    COMPARE_PIXEL(img, 20, 100, White);
    COMPARE_PIXEL(img, 380, 100, White);
    QVERIFY(pixel(img, 380, 99) == White || pixel(img, 380, 101) == White); // two pixels wide
    COMPARE_PIXEL(img, 200, 250, o.colours.background);
    o.mapShown = false;
    {
        QPainter p(&img);
        DrawChart(p, img.size(), v, race(0), d, o);
    }
    COMPARE_PIXEL(img, 20, 100, o.colours.background);
}

void TestChartLayers::southernHemisphereCoast()
{
    RaceExtent e = extent();
    e.CentreLat = -2030.0; // 33° 50' S
    e.MinLat = -2030.5;
    e.MaxLat = -2029.5;
    RaceData d = data(0);
    d.Extent = e;
    auto pt = [](double x, double y, bool starts) {
        CoastPoint c;
        c.Lat = -2030.0 - (y - 200) / 300.0;
        c.Lon = CentreLon + (x - 200) / 240.0;
        c.startsLine = starts;
        return c;
    };
    // Two separate lines; a pen that followed negative latitudes would lift at every point.
    d.Coast = {pt(50, 80, true), pt(350, 80, false), pt(50, 300, true), pt(350, 300, false)};
    MapView v;
    v.resetForRace(e, 0, ChartPixels);
    QImage img = picture();
    {
        QPainter p(&img);
        DrawChart(p, img.size(), v, race(0), d, ChartOptions());
    }
    COMPARE_PIXEL(img, 200, 80, Black);
    COMPARE_PIXEL(img, 200, 300, Black);
    COMPARE_PIXEL(img, 350, 190, rgb(0, 255, 255)); // no pen stroke between the lines
}

void TestChartLayers::marksStayUntilNextChart()
{
    RaceControl r = race(0);
    r.Marks = {RaceMark{CentreLat, CentreLon}};
    MapView v = view();
    QImage img = picture();
    QPainter p(&img);
    DrawChart(p, img.size(), v, r, data(0), ChartOptions());
    DrawMarks(p, img.size(), v, r, data(0), ChartOptions());
    p.fillRect(10, 10, 5, 5, Qt::red); // what a frame leaves on the chart (a wake)
    DrawMarks(p, img.size(), v, r, data(0), ChartOptions());
    p.end();
    COMPARE_PIXEL(img, 200, 200, Yellow);
    COMPARE_PIXEL(img, 12, 12, rgb(255, 0, 0));
    p.begin(&img);
    DrawChart(p, img.size(), v, r, data(0), ChartOptions());
    p.end();
    COMPARE_PIXEL(img, 12, 12, rgb(0, 255, 255));
    COMPARE_PIXEL(img, 200, 200, rgb(0, 255, 255));
}

void TestChartLayers::layLinesAndRoundingClock()
{
    RaceControl r = race(0);
    r.Marks = {RaceMark{CentreLat, CentreLon}};
    r.Course.Entries = {QStringLiteral("MK1"), QStringLiteral("MK1")};
    r.ShownWindDirection = 0; // north up, wind from the north
    ChartOptions o;
    o.colours = seaColourButton(6);
    o.layLinesShown = true;
    o.roundingClockEntry = 2;
    o.roundingClockText = QStringLiteral("1:00");
    MapView v = view();
    QImage img = picture();
    auto redraw = [&] {
        QPainter p(&img);
        DrawChart(p, img.size(), v, r, data(0), o);
        DrawMarks(p, img.size(), v, r, data(0), o);
    };
    redraw();
    // The downwind axis runs 150 pixels straight down, dotted; the upwind axis straight up.
    const Colour lay = rgb(192, 192, 255);
    QVERIFY(anyPixel(img, QRect(200, 300, 1, 40), lay));
    QVERIFY(anyPixel(img, QRect(200, 60, 1, 40), lay));
    QVERIFY(anyPixel(img, QRect(200, 60, 1, 40), o.colours.background)); // dotted: gaps
    COMPARE_PIXEL(img, 200, 360, o.colours.background); // the lines end at 150 pixels
    // No clock while not tracing.
    QVERIFY(!anyPixel(img, QRect(150, 140, 100, 50), rgb(255, 0, 0)));
    o.tracing = true;
    redraw();
    // The clock in red, centred above the mark with its top 50 pixels up.
    QVERIFY(anyPixel(img, QRect(180, 150, 40, 25), rgb(255, 0, 0)));
    QVERIFY(!anyPixel(img, QRect(150, 130, 100, 18), rgb(255, 0, 0)));
}

void TestChartLayers::timeMarkColours()
{
    RaceControl r = race(1);
    RaceData d = data(1);
    // 1 pixel a second: the minute marks 60 pixels apart from x = 20.
    d.Tracks[0] = straightTrack({20, 200}, {380, 200}, 361);
    ChartOptions o;
    o.timeMarksShown = true;
    o.periodStart = 0;
    o.periodEnd = 360;
    MapView v = view();
    QImage img = picture();
    {
        QPainter p(&img);
        DrawChart(p, img.size(), v, r, d, o);
        DrawTimeMarks(p, v, r, d, o);
    }
    const Colour cycle[] = {rgb(255, 0, 0), White, rgb(0, 0, 255), Yellow, rgb(0, 255, 0), Black};
    for (int n = 1; n <= 6; ++n)
        COMPARE_PIXEL(img, 20 + 60 * (n - 1), 200, cycle[n - 1]);
    // The seventh minute (360 s, the track's last point) has no segment and no mark.
    COMPARE_PIXEL(img, 380, 200, rgb(0, 255, 255));
    // Outlined in the boat colour (red for boat 1): around the white mark.
    QVERIFY(anyPixel(img, QRect(80 - 5, 195, 11, 11), r.Boats[0].colour));
}

void TestChartLayers::overviewAndWindIndicator()
{
    RaceControl r = race(2);
    RaceData d = data(2);
    d.Tracks[0] = straightTrack({100, 100}, {300, 100}, 201);
    d.Tracks[1] = straightTrack({100, 300}, {300, 300}, 201);
    d.Coast = {coast(150, 200, true), coast(250, 200, false)};
    ChartOptions o;
    o.focused = {false, false}; // the overview shows every boat
    o.colours = seaColourButton(6);
    MapView v = view();
    QImage ov = picture(200, 200);
    {
        QPainter p(&ov);
        DrawOverview(p, ov.size(), v, r, d, o);
    }
    COMPARE_PIXEL(ov, 5, 5, rgb(0, 0, 96));
    COMPARE_PIXEL(ov, 100, 50, r.Boats[0].colour);
    COMPARE_PIXEL(ov, 100, 150, r.Boats[1].colour);
    COMPARE_PIXEL(ov, 100, 100, White); // the coast in the foreground colour

    QImage wind = picture(60, 80);
    WindReading w;
    w.shownDirection = 90; // from the east, north up: arrow right of the disc
    {
        QPainter p(&wind);
        const WindIndicatorScene s = DrawWindIndicator(p, wind.size(), 0, w, rgb(0, 0, 96));
        QVERIFY(s.directionText.isEmpty());
    }
    COMPARE_PIXEL(wind, 2, 2, rgb(0, 0, 96));
    COMPARE_PIXEL(wind, 20, 45, White);       // the disc
    COMPARE_PIXEL(wind, 30, 32, Black);       // the north arrow's shaft, above the centre
    COMPARE_PIXEL(wind, 30, 48, Black);       // … and below it
    COMPARE_PIXEL(wind, 56, 40, rgb(255, 0, 0)); // the wind arrow
}

namespace {

// The 30-boat demo race, loaded as the race display loads it: tracks that cross one another
// all over the chart, so that the order the boats are painted in shows.
struct FleetRace {
    RaceControl race;
    RaceData data;
};

const FleetRace &fleetRace()
{
    static const FleetRace fleet = [] {
        FleetRace f;
        QTemporaryDir dir;
        QString error;
        if (!tools::writeRace(tools::generateRace(*tools::presetRace(QStringLiteral("fleet30"))), dir.path(), &error))
            qFatal("%s", qPrintable(error));
        AppSettings settings;
        settings.ApplicationFolder = dir.path();
        f.race.FileName = tools::presetRace(QStringLiteral("fleet30"))->RaceFileName;
        platform::StderrDialogs dialogs;
        platform::DialogsGuard guard(&dialogs);
        if (!LoadRace(settings, f.race, f.data).ok)
            qFatal("the fleet race did not load");
        return f;
    }();
    return fleet;
}

QImage chartOf(const FleetRace &f, MapView view, const ChartOptions &o, TrackLayerCache *cache)
{
    QImage img(700, 600, QImage::Format_RGB32);
    img.fill(Qt::magenta);
    QPainter p(&img);
    DrawChart(p, img.size(), view, f.race, f.data, o, QString(), cache);
    DrawMarks(p, img.size(), view, f.race, f.data, o);
    return img;
}

// The number of pixels that differ, and the first of them.
QString pixelDifference(const QImage &a, const QImage &b)
{
    int count = 0;
    QPoint first;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y) && count++ == 0)
                first = QPoint(x, y);
        }
    }
    return count == 0 ? QString() : QStringLiteral("%1 pixels differ, the first at (%2, %3)").arg(count).arg(first.x()).arg(first.y());
}

} // namespace

void TestChartLayers::keptTracksPaintTheSamePixels_data()
{
    QTest::addColumn<double>("rotation");
    QTest::addColumn<double>("zoom");
    QTest::addColumn<double>("periodStart"); // NaN: the whole replay
    QTest::addColumn<bool>("everyOtherBoat");
    QTest::addColumn<int>("threads");
    const double whole = qQNaN();
    QTest::newRow("whole race, one thread") << 0.0 << 1.0 << whole << false << 1;
    QTest::newRow("whole race, three threads") << 0.0 << 1.0 << whole << false << 3;
    QTest::newRow("wind up, every core") << 200.0 << 1.0 << whole << false << 0;
    QTest::newRow("zoomed in, tracks leave the chart") << 33.0 << 12.0 << whole << false << 2;
    QTest::newRow("a period, every other boat") << 0.0 << 1.5 << 300.0 << true << 4;
}

void TestChartLayers::keptTracksPaintTheSamePixels()
{
    // The tracks from the kept picture are the pixels the tracks drawn on the chart give, when
    // the picture is made and when it is only laid on again, however many threads paint it.
    QFETCH(double, rotation);
    QFETCH(double, zoom);
    QFETCH(double, periodStart);
    QFETCH(bool, everyOtherBoat);
    QFETCH(int, threads);
    const FleetRace &f = fleetRace();
    MapView v;
    v.resetForRace(f.data.Extent, rotation, 600);
    v.Zoom = v.UserZoom = zoom;
    RaceControl race = f.race;
    race.ShownWindDirection = race.WindDirection;
    race.ChartRotation = rotation;
    ChartOptions o;
    o.tracksShown = true;
    o.layLinesShown = true;
    o.periodStart = qIsNaN(periodStart) ? f.data.ReplayStart : periodStart;
    o.periodEnd = qIsNaN(periodStart) ? f.data.ReplayEnd : periodStart + 1200;
    if (everyOtherBoat) {
        o.focused = QVector<bool>(race.boatCount(), true);
        for (int i = 0; i < race.boatCount(); i += 2)
            o.focused[i] = false;
    }
    const FleetRace shown{race, f.data};
    const QImage drawn = chartOf(shown, v, o, nullptr);
    TrackLayerCache cache;
    cache.setThreads(threads);
    const QImage made = chartOf(shown, v, o, &cache);
    const QImage kept = chartOf(shown, v, o, &cache);
    QCOMPARE(cache.pathBuilds(), 1);
    QCOMPARE(cache.pictureBuilds(), 1);
    QString diff = pixelDifference(drawn, made);
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
    diff = pixelDifference(drawn, kept);
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
    // Several boats' tracks are on the chart.
    QSet<QRgb> colours;
    for (const BoatEntry &b : race.Boats)
        colours << QColor::fromRgb(b.colour).rgb();
    int boatPixels = 0;
    for (int y = 0; y < drawn.height(); y += 2)
        for (int x = 0; x < drawn.width(); x += 2)
            boatPixels += colours.contains(drawn.pixel(x, y));
    QVERIFY(boatPixels > 500);
}

void TestChartLayers::keptTracksMadeAnewOnlyWhenNeeded()
{
    const FleetRace &f = fleetRace();
    MapView v;
    v.resetForRace(f.data.Extent, 0, 600);
    ChartOptions o;
    o.tracksShown = true;
    o.periodStart = f.data.ReplayStart;
    o.periodEnd = f.data.ReplayEnd;
    TrackLayerCache cache;
    auto check = [&](const char *what, int paths, int pictures) {
        const QImage withCache = chartOf(f, v, o, &cache);
        QVERIFY2(cache.pathBuilds() == paths && cache.pictureBuilds() == pictures,
                 qPrintable(QStringLiteral("%1: %2 paths, %3 pictures").arg(QLatin1String(what)).arg(cache.pathBuilds()).arg(cache.pictureBuilds())));
        const QString diff = pixelDifference(chartOf(f, v, o, nullptr), withCache);
        QVERIFY2(diff.isEmpty(), qPrintable(QLatin1String(what) + QStringLiteral(": ") + diff));
    };
    check("first", 1, 1);
    o.colours = seaColourButton(4);
    o.layLinesShown = true;
    check("another sea colour, lay lines", 1, 1);
    o.focused = QVector<bool>(f.race.boatCount(), true);
    o.focused[3] = false;
    check("a boat out of focus", 1, 2);
    o.focused[3] = true;
    check("back in focus", 1, 3);
    o.periodEnd = 900;
    check("another period", 2, 4);
    v.ViewLat += 0.01;
    check("moved", 3, 5);
    v.Zoom = v.UserZoom = 2;
    check("zoomed", 4, 6);
    o.tracing = true;
    check("tracing: no tracks", 4, 6);
    o.tracing = false;
    check("tracing off", 4, 6);
    cache.clear();
    check("cleared for another race", 5, 7);

    // A picture of a high-resolution screen, two device pixels a chart pixel.
    {
        QImage sharp(1400, 1200, QImage::Format_RGB32), reference(1400, 1200, QImage::Format_RGB32);
        for (QImage *img : {&sharp, &reference}) {
            img->setDevicePixelRatio(2);
            QPainter p(img);
            DrawChart(p, QSize(700, 600), v, f.race, f.data, o, QString(), img == &sharp ? &cache : nullptr);
        }
        QCOMPARE(cache.pathBuilds(), 5);
        QCOMPARE(cache.pictureBuilds(), 8);
        const QString diff = pixelDifference(sharp, reference);
        QVERIFY2(diff.isEmpty(), qPrintable(diff));
    }

    // A painter that scales draws the tracks itself.
    QImage big(1400, 1200, QImage::Format_RGB32), reference(1400, 1200, QImage::Format_RGB32);
    for (QImage *img : {&big, &reference}) {
        QPainter p(img);
        p.scale(2, 2);
        DrawChart(p, QSize(700, 600), v, f.race, f.data, o, QString(), img == &big ? &cache : nullptr);
    }
    QCOMPARE(cache.pathBuilds(), 5);
    QCOMPARE(cache.pictureBuilds(), 8);
    QVERIFY(big == reference);
}

QTEST_MAIN(TestChartLayers)
#include "testchartlayers.moc"
