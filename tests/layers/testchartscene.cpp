// The chart layers as data: what each layer puts where, without painting.
#include "layerfixture.h"

#include <layertexts.h>
#include <seacolours.h>
#include <windindicator.h>

#include <QtTest>

#include <cmath>

using namespace fixture;

namespace {

ChartOptions options()
{
    ChartOptions o;
    o.periodStart = -210;
    o.periodEnd = 3600;
    return o;
}

QVector<SceneStroke> strokesOf(const LayerScene &s, Colour colour)
{
    QVector<SceneStroke> out;
    for (const SceneStroke &st : s.itemsOf<SceneStroke>())
        if (st.colour == colour)
            out.append(st);
    return out;
}

// Screen angle (0 up, clockwise) of a stroke's direction from its first point.
double screenAngle(const SceneStroke &s)
{
    const QPointF d = s.points.last() - s.points.first();
    double a = std::atan2(d.x(), -d.y()) * 180.0 / M_PI;
    if (a < 0)
        a += 360.0;
    return a;
}

bool near(QPointF a, QPointF b)
{
    return std::abs(a.x() - b.x()) < 1e-6 && std::abs(a.y() - b.y()) < 1e-6;
}

// Pixel lists equal within rounding: positions go through minutes and back.
bool near(const QVector<QPointF> &a, const QVector<QPointF> &b)
{
    if (a.size() != b.size())
        return false;
    for (int i = 0; i < a.size(); ++i)
        if (!near(a[i], b[i]))
            return false;
    return true;
}

} // namespace

class TestChartScene : public QObject
{
    Q_OBJECT

private slots:
    void projectionMatchesMapView_data();
    void projectionMatchesMapView();
    void scaleBarLabel_data();
    void scaleBarLabel();
    void scaleBarGeometry();
    void seaColours();
    void coastClippedToSquare();
    void southernCoastStartsLinesByFlag();
    void gridThroughRaceCentreOnlyWhileTracing();
    void tracksOfFocusedBoatsOverPeriod();
    void trackPeriodPoints_data();
    void trackPeriodPoints();
    void trackSkipsSamePixelAndOffChartRuns();
    void layLines_data();
    void layLines();
    void marksAndLinesLabelled();
    void roundingClockOnlyWhileTracing();
    void roundingClockAt_data();
    void roundingClockAt();
    void timeMarkCycle();
    void timeMarksOnlyWhereTrackHasSegment();
    void overviewHasEveryBoatAndCoast();
    void windIndicator_data();
    void windIndicator();
};

void TestChartScene::projectionMatchesMapView_data()
{
    QTest::addColumn<double>("rotation");
    QTest::addColumn<double>("zoom");
    QTest::newRow("north up") << 0.0 << 1.0;
    QTest::newRow("wind 90 zoomed") << 90.0 << 2.5;
    QTest::newRow("wind 233") << 233.0 << 1.4;
}

void TestChartScene::projectionMatchesMapView()
{
    QFETCH(double, rotation);
    QFETCH(double, zoom);
    MapView v = view(rotation);
    v.Zoom = zoom;
    v.ViewLat = CentreLat + 0.1;
    v.ViewLon = CentreLon - 0.2;
    v.ComputeScales();
    const ChartFrame f = chartFrame(v);
    for (double dLat : {-0.7, 0.0, 0.33})
        for (double dLon : {-1.1, 0.25, 0.9}) {
            const QPointF a = f.projection.toScreen(CentreLat + dLat, CentreLon + dLon);
            const QPointF b = v.ToScreen(CentreLat + dLat, CentreLon + dLon);
            QVERIFY2(std::abs(a.x() - b.x()) < 1e-6 && std::abs(a.y() - b.y()) < 1e-6,
                     qPrintable(QStringLiteral("%1,%2 vs %3,%4").arg(a.x()).arg(a.y()).arg(b.x()).arg(b.y())));
        }
    v.ComputeOverviewScales(180, 150);
    const ChartFrame o = overviewFrame(v);
    const QPointF a = o.projection.toScreen(CentreLat + 0.3, CentreLon - 0.4);
    const QPointF b = v.OverviewToScreen(CentreLat + 0.3, CentreLon - 0.4);
    QVERIFY(std::abs(a.x() - b.x()) < 1e-6 && std::abs(a.y() - b.y()) < 1e-6);
    QCOMPARE(o.size, 150.0);
}

void TestChartScene::scaleBarLabel_data()
{
    QTest::addColumn<double>("step");
    QTest::addColumn<QString>("label");
    QTest::newRow("1000 m") << 1000.0 << "1Km";
    QTest::newRow("500 m") << 500.0 << "500m";
    QTest::newRow("999.9 m") << 999.9 << "999.9m";
    QTest::newRow("20 km") << 20000.0 << "20Km";
    QTest::newRow("0.5 m") << 0.5 << "0.5m";
    QTest::newRow("pow error") << std::pow(10.0, 3.0 + 1e-15) << "1Km";
    QTest::newRow("pow error below") << 200.00000000000003 << "200m";
}

void TestChartScene::scaleBarLabel()
{
    QFETCH(double, step);
    QFETCH(QString, label);
    QCOMPARE(::scaleBarLabel(step, UiLanguage::English), label);
    QCOMPARE(::scaleBarLabel(step, UiLanguage::Japanese), label);
}

void TestChartScene::scaleBarGeometry()
{
    // 300 px per minute over 1850 m: 0.162 px/m; 400 px cover 2467 m, so the step is 2000 m
    // in 2 divisions and the bar is 324.3 + 1 pixels long.
    MapView v = view();
    const ChartFrame f = chartFrame(v);
    QCOMPARE(f.scaleBarStep, 2000.0);
    QCOMPARE(f.scaleBarDivisions, 2);
    ChartOptions o = options();
    o.colours = seaColourButton(3);
    const LayerScene s = chartScene(race(0), data(0), f, o);
    QVERIFY(s.clears);
    QCOMPARE(s.background, rgb(0, 115, 240));
    const QVector<SceneStroke> bar = strokesOf(s, rgb(255, 255, 255));
    QCOMPARE(bar.size(), 1 + 3); // the bar and c + 1 ticks
    const double x1 = 40 + 2000 * 300.0 / 1850.0 + 1;
    QVERIFY(near(bar[0].points, QVector<QPointF>{{40, 380}, {x1, 380}}));
    QVERIFY(near(bar[2].points, QVector<QPointF>{{(40 + x1) / 2, 380}, {(40 + x1) / 2, 375}}));
    const QVector<SceneText> texts = s.itemsOf<SceneText>();
    QCOMPARE(texts.size(), 1);
    QCOMPARE(texts[0].text, QStringLiteral("2Km"));
    QCOMPARE(texts[0].anchor, TextAnchor::TopCentre);
    QVERIFY(near(texts[0].position, QPointF((40 + x1) / 2, 383)));
    QCOMPARE(texts[0].colour, rgb(255, 255, 255));
    o.scale = 1.25f;
    QCOMPARE(chartScene(race(0), data(0), f, o).itemsOf<SceneText>()[0].pointSize, 9 * 1.25);
}

void TestChartScene::seaColours()
{
    QCOMPARE(seaColourButton(1).foreground, rgb(0, 0, 0));
    for (int n = 2; n <= 6; ++n)
        QCOMPARE(seaColourButton(n).foreground, rgb(255, 255, 255));
    QCOMPARE(seaColourButton(6).background, rgb(0, 0, 96));
    AppSettings settings;
    const ChartColours c = ApplySeaColour(settings, 4);
    QCOMPARE(settings.SeaColour, rgb(0, 70, 205));
    QCOMPARE(c.foreground, rgb(255, 255, 255));
    QCOMPARE(ApplySeaColour(settings, 1).foreground, rgb(0, 0, 0));
    QCOMPARE(settings.SeaColour, rgb(0, 255, 255));
}

void TestChartScene::coastClippedToSquare()
{
    RaceData d = data(0);
    // Line 1: outside → inside → outside (two drawn segments, one stroke), then a segment
    // that crosses the whole chart with both ends outside (not drawn), then back inside.
    d.Coast = {coast(-50, 100, true), coast(100, 100, false), coast(450, 100, false),
               coast(450, 300, false), coast(-50, 300, false), coast(-60, 350, false),
               coast(300, 350, false),
               // Line 2 starts inside; the pen is lifted between the lines.
               coast(200, 50, true), coast(250, 60, false),
               // A point exactly on the edge is not inside.
               coast(0, 380, true), coast(-10, 390, false)};
    ChartOptions o = options();
    o.colours = seaColourButton(1);
    const QVector<SceneStroke> coastStrokes = strokesOf(chartScene(race(0), d, chartFrame(view()), o), rgb(0, 0, 0));
    QVector<SceneStroke> wide;
    for (const SceneStroke &s : coastStrokes)
        if (s.width == 2)
            wide.append(s);
    QCOMPARE(wide.size(), 3);
    QVERIFY(near(wide[0].points, QVector<QPointF>{{-50, 100}, {100, 100}, {450, 100}}));
    QVERIFY(near(wide[1].points, QVector<QPointF>{{-60, 350}, {300, 350}}));
    QVERIFY(near(wide[2].points, QVector<QPointF>{{200, 50}, {250, 60}}));

    o.mapShown = false;
    for (const SceneStroke &s : chartScene(race(0), d, chartFrame(view()), o).itemsOf<SceneStroke>())
        QVERIFY(s.width == 1);
}

void TestChartScene::southernCoastStartsLinesByFlag()
{
    // A race off Sydney: every latitude negative. Only the flags start lines.
    RaceExtent e = extent();
    e.CentreLat = -2030.0;
    e.MinLat = -2030.5;
    e.MaxLat = -2029.5;
    RaceData d = data(0);
    d.Extent = e;
    auto pt = [](double dx, double dy, bool starts) {
        CoastPoint c;
        c.Lat = -2030.0 - dy / 300.0;
        c.Lon = CentreLon + dx / 240.0;
        c.startsLine = starts;
        return c;
    };
    d.Coast = {pt(-100, -100, true), pt(0, -100, false), pt(100, -50, false),
               pt(-100, 100, true), pt(100, 100, false)};
    MapView v;
    v.resetForRace(e, 0, ChartPixels);
    ChartOptions o = options();
    const QVector<SceneStroke> s = strokesOf(chartScene(race(0), d, chartFrame(v), o), rgb(0, 0, 0));
    QCOMPARE(s.size(), 2 + 1 + 3); // two coast lines, the scale bar and its ticks
    QVERIFY(near(s[0].points, QVector<QPointF>{{100, 100}, {200, 100}, {300, 150}}));
    QVERIFY(near(s[1].points, QVector<QPointF>{{100, 300}, {300, 300}}));
}

void TestChartScene::gridThroughRaceCentreOnlyWhileTracing()
{
    MapView v = view();
    // Traced view: zoomed and moved, the race centre off the chart centre.
    v.Zoom = 2.0;
    v.ViewLat = CentreLat + 0.1;
    v.ViewLon = CentreLon;
    v.ComputeScales();
    const ChartFrame f = chartFrame(v);
    ChartOptions o = options();
    o.tracing = true;
    const QVector<SceneStroke> grid = strokesOf(chartScene(race(0), data(0), f, o), rgb(128, 192, 255));
    const QPointF ref = v.ToScreen(CentreLat, CentreLon);
    const double g = f.scaleBarStep * f.pixelsPerMetre;
    QVERIFY(g > 100 && g < 400);
    QVector<double> ys, xs;
    for (const SceneStroke &s : grid) {
        QCOMPARE(s.points.size(), 2);
        if (s.points[0].y() == s.points[1].y()) {
            QCOMPARE(s.points[0].x(), 0.0);
            QCOMPARE(s.points[1].x(), 400.0);
            ys.append(s.points[0].y());
        } else {
            xs.append(s.points[0].x());
        }
    }
    QVERIFY(!ys.isEmpty() && !xs.isEmpty());
    for (double y : ys) {
        QVERIFY(y >= 0 && y <= 400);
        const double n = (y - ref.y()) / g;
        QVERIFY(std::abs(n - std::round(n)) < 1e-9);
    }
    // Every line on the chart is there: the gaps are exactly g and the edges are within g.
    QVERIFY(ys.first() < g && 400 - ys.last() < g);
    QVERIFY(xs.first() < g && 400 - xs.last() < g);
    QVERIFY(xs.contains(ref.x()));

    o.tracing = false;
    QVERIFY(strokesOf(chartScene(race(0), data(0), f, o), rgb(128, 192, 255)).isEmpty());
}

void TestChartScene::tracksOfFocusedBoatsOverPeriod()
{
    RaceControl r = race(3);
    RaceData d = data(3);
    d.Tracks[0] = straightTrack({50, 50}, {350, 50}, 301, -100);
    d.Tracks[1] = straightTrack({50, 150}, {350, 150}, 301, -100);
    d.Tracks[2] = straightTrack({50, 250}, {350, 250}, 301, -100);
    ChartOptions o = options();
    o.tracksShown = true;
    o.focused = {true, false, true};
    o.periodStart = 0;
    o.periodEnd = 100;
    const ChartFrame f = chartFrame(view());
    LayerScene s = chartScene(r, d, f, o);
    const QVector<SceneStroke> red = strokesOf(s, r.Boats[0].colour);
    QCOMPARE(red.size(), 1);
    QVERIFY(near(red[0].points.first(), QPointF(150, 50)));
    QVERIFY(near(red[0].points.last(), QPointF(250, 50)));
    QVERIFY(strokesOf(s, r.Boats[1].colour).isEmpty());
    QCOMPARE(strokesOf(s, r.Boats[2].colour).size(), 1);

    o.tracing = true; // tracing draws no tracks, whatever the flag
    s = chartScene(r, d, f, o);
    QVERIFY(strokesOf(s, r.Boats[0].colour).isEmpty());
    o.tracing = false;
    o.tracksShown = false;
    QVERIFY(strokesOf(chartScene(r, d, f, o), r.Boats[0].colour).isEmpty());
}

void TestChartScene::trackPeriodPoints_data()
{
    QTest::addColumn<double>("start");
    QTest::addColumn<double>("end");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    // Points at 0, 10, 20, 30, 40.
    QTest::newRow("inside") << 12.0 << 31.0 << 1 << 3;
    QTest::newRow("on points") << 10.0 << 30.0 << 1 << 3;
    QTest::newRow("starts before") << -50.0 << 25.0 << 0 << 2;
    QTest::newRow("ends after keeps last fix") << 5.0 << 1000.0 << 0 << 4;
    QTest::newRow("ends on last fix") << 5.0 << 40.0 << 0 << 4;
    QTest::newRow("whole") << -240.0 << 5000.0 << 0 << 4;
    QTest::newRow("after the track") << 40.0 << 100.0 << 0 << -1;
    QTest::newRow("before the track") << -100.0 << -1.0 << 0 << -1;
    QTest::newRow("reversed") << 30.0 << 10.0 << 0 << -1;
}

void TestChartScene::trackPeriodPoints()
{
    QFETCH(double, start);
    QFETCH(double, end);
    QFETCH(int, first);
    QFETCH(int, last);
    BoatTrack t;
    for (int k = 0; k < 5; ++k) {
        TrackPoint p;
        p.Time = 10 * k;
        t.Points.append(p);
    }
    const PointRange r = ::trackPeriodPoints(t, start, end);
    if (last < 0) {
        QVERIFY(r.isEmpty());
        return;
    }
    QCOMPARE(r.first, first);
    QCOMPARE(r.last, last);
    QVERIFY(::trackPeriodPoints(BoatTrack(), start, end).isEmpty());
}

void TestChartScene::trackSkipsSamePixelAndOffChartRuns()
{
    RaceControl r = race(1);
    RaceData d = data(1);
    // 3001 points over 300 pixels: about ten to a pixel.
    d.Tracks[0] = straightTrack({50, 200}, {350, 200}, 3001);
    ChartOptions o = options();
    o.tracksShown = true;
    o.periodStart = 0;
    o.periodEnd = 5000;
    QVector<SceneStroke> s = strokesOf(chartScene(r, d, chartFrame(view()), o), r.Boats[0].colour);
    QCOMPARE(s.size(), 1);
    QVERIFY2(s[0].points.size() <= 302, qPrintable(QString::number(s[0].points.size())));
    QVERIFY(near(s[0].points.first(), QPointF(50, 200)));
    QVERIFY(near(s[0].points.last(), QPointF(350, 200)));

    // Out to the left far off the chart, across it, out to the right and back across the
    // corner: the runs beyond one side are left out, every crossing stays.
    BoatTrack t;
    const QPointF path[] = {{-9000, 100}, {-5000, 100}, {-10, 100}, {410, 120}, {9000, 120},
                            {9000, -50}, {300, -50}, {-50, 300}};
    for (int k = 0; k < 8; ++k) {
        TrackPoint p;
        p.Time = k;
        p.Lat = latAt(path[k].y() - 200);
        p.Lon = lonAt(path[k].x() - 200);
        t.Points.append(p);
    }
    d.Tracks[0] = t;
    s = strokesOf(chartScene(r, d, chartFrame(view()), o), r.Boats[0].colour);
    QCOMPARE(s.size(), 2);
    QVERIFY(near(s[0].points, QVector<QPointF>{{-10, 100}, {410, 120}}));
    QVERIFY(near(s[1].points, QVector<QPointF>{{300, -50}, {-50, 300}}));
}

void TestChartScene::layLines_data()
{
    QTest::addColumn<double>("windDirection");
    QTest::addColumn<double>("shownWind");
    QTest::addColumn<double>("rotation");
    QTest::addColumn<QVector<double>>("windward");
    QTest::addColumn<QVector<double>>("leeward");
    // Wind up with the shown wind equal to the mean wind: 45° either side of straight down
    // and 20° either side of straight up.
    QTest::newRow("wind up") << 230.0 << 230.0 << 230.0 << QVector<double>{180, 135, 225}
                             << QVector<double>{0, 20, 340};
    QTest::newRow("north up wind 90") << 90.0 << 90.0 << 0.0 << QVector<double>{270, 225, 315}
                                      << QVector<double>{90, 110, 70};
    QTest::newRow("shift 10 right") << 0.0 << 10.0 << 0.0 << QVector<double>{190, 145, 235}
                                    << QVector<double>{10, 30, 350};
}

void TestChartScene::layLines()
{
    QFETCH(double, windDirection);
    QFETCH(double, shownWind);
    QFETCH(double, rotation);
    QFETCH(QVector<double>, windward);
    QFETCH(QVector<double>, leeward);
    RaceControl r = race(0);
    r.WindDirection = float(windDirection);
    r.ShownWindDirection = shownWind;
    r.ChartRotation = rotation;
    r.Marks = {RaceMark{CentreLat, CentreLon}};
    r.Lines = {RaceLine{latAt(100), lonAt(-50), latAt(100), lonAt(50)}};
    ChartOptions o = options();
    o.layLinesShown = true;
    const MapView v = view(rotation);
    const LayerScene s = marksScene(r, data(0), chartFrame(v), o);
    const QVector<SceneStroke> lay = strokesOf(s, rgb(192, 192, 255));
    QCOMPARE(lay.size(), 6 + 3 + 3); // the mark gets both sets, each line end the windward set
    const double length = 300.0 * 1.0 / 2.0;
    QVector<double> angles;
    for (const SceneStroke &l : lay) {
        QCOMPARE(l.style, StrokeStyle::Dotted);
        const QPointF d = l.points[1] - l.points[0];
        QVERIFY(std::abs(std::hypot(d.x(), d.y()) - length) < 1e-6);
        angles.append(std::round(screenAngle(l) * 1e6) / 1e6);
    }
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(angles[i], windward[i]);
        QCOMPARE(angles[3 + i], leeward[i]);
        QCOMPARE(angles[6 + i], windward[i]);
        QCOMPARE(angles[9 + i], windward[i]);
    }
    QCOMPARE(lay[0].points[0], v.ToScreen(CentreLat, CentreLon));
    QVERIFY(near(lay[9].points[0], v.ToScreen(latAt(100), lonAt(50))));

    o.layLinesShown = false;
    QVERIFY(strokesOf(marksScene(r, data(0), chartFrame(v), o), rgb(192, 192, 255)).isEmpty());
}

void TestChartScene::marksAndLinesLabelled()
{
    RaceControl r = race(0);
    r.Marks = {RaceMark{latAt(-100), lonAt(0)}, RaceMark{latAt(50), lonAt(100)}};
    r.Lines = {RaceLine{latAt(100), lonAt(-50), latAt(120), lonAt(50)}};
    ChartOptions o = options();
    o.colours = seaColourButton(5);
    o.scale = 2.0f;
    const LayerScene s = marksScene(r, data(0), chartFrame(view()), o);
    QVERIFY(!s.clears);
    const QVector<SceneCircle> circles = s.itemsOf<SceneCircle>();
    QCOMPARE(circles.size(), 4);
    QVERIFY(near(circles[0].centre, QPointF(200, 100)));
    QVERIFY(near(circles[1].centre, QPointF(300, 250)));
    QVERIFY(near(circles[2].centre, QPointF(150, 300)));
    QVERIFY(near(circles[3].centre, QPointF(250, 320)));
    for (const SceneCircle &c : circles) {
        QCOMPARE(c.radius, 3.0);
        QCOMPARE(c.outline, rgb(0, 0, 0));
        QCOMPARE(c.fill, rgb(255, 255, 0));
    }
    const QVector<SceneStroke> yellow = strokesOf(s, rgb(255, 255, 0));
    QCOMPARE(yellow.size(), 1);
    QVERIFY(near(yellow[0].points, QVector<QPointF>{{150, 300}, {250, 320}}));
    const QVector<SceneText> t = s.itemsOf<SceneText>();
    QCOMPARE(t.size(), 3);
    QCOMPARE(t[0].text, QStringLiteral("MK1"));
    QVERIFY(near(t[0].position, QPointF(208, 95)));
    QCOMPARE(t[0].pointSize, 18.0);
    QCOMPARE(t[0].colour, rgb(255, 255, 255));
    QCOMPARE(t[1].text, QStringLiteral("MK2"));
    QCOMPARE(t[2].text, QStringLiteral("L1"));
    QVERIFY(near(t[2].position, QPointF(158, 295)));
    QCOMPARE(t[2].pointSize, 24.0);
}

void TestChartScene::roundingClockOnlyWhileTracing()
{
    RaceControl r = race(0);
    r.Marks = {RaceMark{latAt(-100), lonAt(0)}, RaceMark{latAt(50), lonAt(100)}};
    r.Lines = {RaceLine{latAt(100), lonAt(-50), latAt(120), lonAt(50)}};
    r.Course.Entries = {QStringLiteral("L1"), QStringLiteral("MK2"), QStringLiteral("MK1"),
                        QStringLiteral("L1")};
    ChartOptions o = options();
    o.tracing = true;
    o.roundingClockEntry = 2;
    o.roundingClockText = QStringLiteral("2:05");
    auto clocks = [&] {
        QVector<SceneText> out;
        for (const SceneText &t : marksScene(r, data(0), chartFrame(view()), o).itemsOf<SceneText>())
            if (t.colour == rgb(255, 0, 0))
                out.append(t);
        return out;
    };
    QVector<SceneText> c = clocks();
    QCOMPARE(c.size(), 1);
    QCOMPARE(c[0].text, QStringLiteral("2:05"));
    QVERIFY(near(c[0].position, QPointF(300, 200))); // MK2 at (300, 250), top 50 above
    QCOMPARE(c[0].anchor, TextAnchor::TopCentre);
    QCOMPARE(c[0].pointSize, 16.0);
    o.roundingClockEntry = 4; // the finish: line 1, at its first end
    c = clocks();
    QCOMPARE(c.size(), 1);
    QVERIFY(near(c[0].position, QPointF(150, 250)));
    o.tracing = false;
    QVERIFY(clocks().isEmpty());
    o.tracing = true;
    o.roundingClockEntry = 0;
    QVERIFY(clocks().isEmpty());
}

void TestChartScene::roundingClockAt_data()
{
    QTest::addColumn<double>("time");
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("text");
    // Leaders: entry 1 at -3 (the start, never shown), 2 at 600, 3 at 700, 4 none.
    QTest::newRow("before") << 599.5 << 0 << QString();
    QTest::newRow("at rounding") << 600.0 << 2 << "0";
    QTest::newRow("59 s") << 659.9 << 2 << "59";
    QTest::newRow("later entry wins") << 700.0 << 3 << "0";
    QTest::newRow("1:00") << 760.0 << 3 << "1:00";
    QTest::newRow("2:05") << 825.0 << 3 << "2:05";
    QTest::newRow("300 s") << 1000.0 << 3 << "5:00";
    QTest::newRow("past 300 s") << 1000.5 << 0 << QString();
    QTest::newRow("start ignored") << 0.0 << 0 << QString();
}

void TestChartScene::roundingClockAt()
{
    QFETCH(double, time);
    QFETCH(int, entry);
    QFETCH(QString, text);
    const QVector<double> leaders = {-3, 600, 700, 1000000};
    const RoundingClock c = ::roundingClockAt(leaders, 4, time);
    QCOMPARE(c.entry, entry);
    QCOMPARE(c.text, text);
    // Fewer leader times than course entries: only those known count.
    QCOMPARE(::roundingClockAt(leaders.mid(0, 2), 4, 610).entry, 2);
}

void TestChartScene::timeMarkCycle()
{
    const Colour expected[] = {rgb(255, 0, 0), rgb(255, 255, 255), rgb(0, 0, 255),
                               rgb(255, 255, 0), rgb(0, 255, 0), rgb(0, 0, 0)};
    // A period from −210 s to 1590 s gives 31 marks: red, white, blue, yellow, green, black, red …
    RaceControl r = race(2);
    RaceData d = data(2);
    d.Tracks[0] = straightTrack({20, 100}, {380, 100}, 3601, -1000);
    d.Tracks[1] = straightTrack({20, 300}, {380, 300}, 3601, -1000);
    ChartOptions o = options();
    o.timeMarksShown = true;
    o.periodStart = -210;
    o.periodEnd = 1590;
    const QVector<SceneCircle> c = timeMarksScene(r, d, chartFrame(view()), o).itemsOf<SceneCircle>();
    QCOMPARE(c.size(), 62);
    for (int n = 1; n <= 31; ++n) {
        const SceneCircle &a = c[2 * (n - 1)];
        const SceneCircle &b = c[2 * (n - 1) + 1];
        QCOMPARE(a.fill, expected[(n - 1) % 6]);
        QCOMPARE(b.fill, a.fill);
        QCOMPARE(a.outline, r.Boats[0].colour);
        QCOMPARE(b.outline, r.Boats[1].colour);
        QCOMPARE(a.radius, 4.0);
        // t = −210 + 60 (n − 1) lies 790 + 60 (n − 1) s into the 3600 s track of 360 pixels.
        QVERIFY(std::abs(a.centre.x() - (20 + (790 + 60 * (n - 1)) / 10.0)) < 1e-6);
    }
    // A period reaching far beyond the tracks gives the marks the tracks cover, coloured by
    // their minute from the period start, and returns at once.
    o.periodEnd = 1e15;
    o.periodStart = -210 - 6e8 * 60; // a multiple of six minutes earlier: the same colours
    const QVector<SceneCircle> wide = timeMarksScene(r, d, chartFrame(view()), o).itemsOf<SceneCircle>();
    o.periodStart = -210 - 3 * 360; // before the tracks begin at −1000 s
    o.periodEnd = 2600;
    const QVector<SceneCircle> same = timeMarksScene(r, d, chartFrame(view()), o).itemsOf<SceneCircle>();
    QCOMPARE(wide.size(), same.size());
    QCOMPARE(wide.size(), 2 * 60); // −990 s … 2550 s
    for (int i = 0; i < wide.size(); ++i) {
        QCOMPARE(wide[i].fill, same[i].fill);
        QVERIFY(near(wide[i].centre, same[i].centre));
    }
    // A last fix dated decades later is a pause of the recording: no mark between, and the
    // decades of minutes cost nothing.
    RaceData late = d;
    for (BoatTrack &t : late.Tracks)
        t.Points.append({t.Points.last().Time + 75 * 365.25 * 86400, t.Points.last().Lat, t.Points.last().Lon, 0, 0, 0});
    o.periodEnd = 1e10;
    const QVector<SceneCircle> paused = timeMarksScene(r, late, chartFrame(view()), o).itemsOf<SceneCircle>();
    QCOMPARE(paused.size(), same.size());
    o.timeMarksShown = false;
    QVERIFY(timeMarksScene(r, d, chartFrame(view()), o).items.empty());
}

void TestChartScene::timeMarksOnlyWhereTrackHasSegment()
{
    RaceControl r = race(2);
    RaceData d = data(2);
    // Fixes every 20 s from 30 s to 150 s: the minute marks at 60 and 120 fall inside; the mark
    // at 0 is before the track and the one at 180 after it. 150 itself ends the track.
    BoatTrack t;
    for (int k = 0; k <= 6; ++k) {
        TrackPoint p;
        p.Time = 30 + 20 * k;
        p.Lat = latAt(0);
        p.Lon = lonAt(-120 + 40 * k);
        t.Points.append(p);
    }
    d.Tracks[0] = t;
    ChartOptions o = options();
    o.timeMarksShown = true;
    o.periodStart = 0;
    o.periodEnd = 180;
    o.focused = {true, true};
    QVector<SceneCircle> c = timeMarksScene(r, d, chartFrame(view()), o).itemsOf<SceneCircle>();
    QCOMPARE(c.size(), 2);
    QCOMPARE(c[0].fill, rgb(255, 255, 255)); // the second minute (60 s)
    QVERIFY(std::abs(c[0].centre.x() - (200 - 120 + 40 * 1.5)) < 1e-6);
    QCOMPARE(c[1].fill, rgb(0, 0, 255));
    QVERIFY(std::abs(c[1].centre.x() - (200 - 120 + 40 * 4.5)) < 1e-6);
    o.focused = {false, true};
    QVERIFY(timeMarksScene(r, d, chartFrame(view()), o).items.empty());
}

void TestChartScene::overviewHasEveryBoatAndCoast()
{
    RaceControl r = race(2);
    RaceData d = data(2);
    d.Tracks[0] = straightTrack({100, 100}, {300, 100}, 201);
    d.Tracks[1] = straightTrack({100, 300}, {300, 300}, 201);
    d.Coast = {coast(150, 150, true), coast(250, 150, false), coast(5000, 150, true),
               coast(5000, 250, false)};
    MapView v = view();
    v.Zoom = 3; // the chart's zoom does not move the overview
    v.ComputeScales();
    v.ComputeOverviewScales(200, 200);
    ChartOptions o = options();
    o.focused = {false, false};
    o.mapShown = false;
    const LayerScene s = overviewScene(r, d, overviewFrame(v), o);
    QVERIFY(s.clears);
    const QVector<SceneStroke> a = strokesOf(s, r.Boats[0].colour);
    QCOMPARE(a.size(), 1);
    QVERIFY(near(a[0].points.first(), QPointF(50, 50)));
    QVERIFY(near(a[0].points.last(), QPointF(150, 50)));
    QCOMPARE(strokesOf(s, r.Boats[1].colour).size(), 1);
    const QVector<SceneStroke> coastStrokes = strokesOf(s, rgb(0, 0, 0));
    QCOMPARE(coastStrokes.size(), 1);
    QVERIFY(near(coastStrokes[0].points, QVector<QPointF>{{75, 75}, {125, 75}}));
}

void TestChartScene::windIndicator_data()
{
    QTest::addColumn<double>("rotation");
    QTest::addColumn<double>("shownWind");
    QTest::addColumn<QPointF>("northHead");
    QTest::addColumn<QPointF>("windApex");
    // Picture 60 wide: centre (30, 40).
    QTest::newRow("north up, wind from east") << 0.0 << 90.0 << QPointF(30, 28) << QPointF(53, 40);
    QTest::newRow("wind up 90") << 90.0 << 90.0 << QPointF(18, 40) << QPointF(30, 17);
    QTest::newRow("wind up 180, wind 225") << 180.0 << 225.0 << QPointF(30, 52)
                                          << QPointF(30 + 23 * M_SQRT1_2, 40 - 23 * M_SQRT1_2);
}

void TestChartScene::windIndicator()
{
    QFETCH(double, rotation);
    QFETCH(double, shownWind);
    QFETCH(QPointF, northHead);
    QFETCH(QPointF, windApex);
    WindReading w;
    w.shownDirection = shownWind;
    const WindIndicatorScene s = windIndicatorScene(60, rotation, w, rgb(0, 70, 136));
    QVERIFY(s.picture.clears);
    QCOMPARE(s.picture.background, rgb(0, 70, 136));
    const QVector<SceneCircle> disc = s.picture.itemsOf<SceneCircle>();
    QCOMPARE(disc.size(), 1);
    QVERIFY(near(disc[0].centre, QPointF(30, 40)));
    QCOMPARE(disc[0].radius, 20.0);
    QCOMPARE(disc[0].fill, rgb(255, 255, 255));
    const QVector<SceneStroke> arrow = s.picture.itemsOf<SceneStroke>();
    QCOMPARE(arrow.size(), 2);
    QCOMPARE(arrow[0].width, 5);
    QVERIFY(near(arrow[0].points[1], northHead));
    QVERIFY(near(arrow[0].points[0], QPointF(60 - northHead.x(), 80 - northHead.y())));
    QVERIFY(near(arrow[1].points[1], northHead));
    const QVector<ScenePolygon> wind = s.picture.itemsOf<ScenePolygon>();
    QCOMPARE(wind.size(), 1);
    QCOMPARE(wind[0].fill, rgb(255, 0, 0));
    QVERIFY(near(wind[0].points[0], windApex));
    // The two other corners lie farther out, so the triangle points at the centre.
    for (int i = 1; i < 3; ++i) {
        const QPointF d = wind[0].points[i] - QPointF(30, 40);
        QVERIFY(std::hypot(d.x(), d.y()) > 23);
    }
    QVERIFY(s.directionText.isEmpty() && s.speedText.isEmpty());

    w.hasWind = true;
    w.fileDirection = 352.5;
    w.shownSpeed = 10.25;
    const WindIndicatorScene withWind = windIndicatorScene(60, rotation, w, rgb(0, 70, 136));
    QCOMPARE(withWind.directionText, QStringLiteral("353"));
    QCOMPARE(withWind.speedText, QStringLiteral("10.3"));
    w.fileDirection = 359.6;
    w.shownSpeed = 0;
    const WindIndicatorScene calm = windIndicatorScene(60, rotation, w, rgb(0, 70, 136));
    QCOMPARE(calm.directionText, QStringLiteral("360"));
    QCOMPARE(calm.speedText, QStringLiteral("0"));
}

QTEST_GUILESS_MAIN(TestChartScene)
#include "testchartscene.moc"
