// What a frame of the viewer holds, as plain data: the projection both ways and in both
// orientations, the race-time texts, the grid spacing, the boat size, hull and sail, the view
// box of the focused boats, names and the hovered boat, the leader's lead at its element, the
// manual view with its navigation, the graph page and the overview.
#include "playfixture.h"

#include <framegeometry.h>
#include <graphpage.h>
#include <manualview.h>
#include <overview.h>
#include <trackingframe.h>
#include <viewerprojection.h>

using namespace playtest;

namespace {

constexpr QSize Map(1000, 900);

bool near(double a, double b, double tolerance = 1e-6)
{
    return std::fabs(a - b) <= tolerance;
}

// Three boats abreast sailing north at 6 knots; the third far to the east.
LoadedViewerRace threeBoats(int windDirection = 0)
{
    QList<ViewerBoat> boats{sailingBoat(QStringLiteral("Alpha"), 2112, 8370.0, 0, 6, -300, 3600),
                            sailingBoat(QStringLiteral("Bravo"), 2112, 8370.1, 0, 6, -300, 3600),
                            sailingBoat(QStringLiteral("Far"), 2112, 8380.0, 0, 6, -300, 3600)};
    return shownRace(boats, PlaybackPeriod{-190, 3630}, windDirection, 10, {QStringLiteral("L1"), QStringLiteral("MK1"), QStringLiteral("L2")},
                     {ViewerLine{2112.5, 8369, 2112.5, 8381}, ViewerLine{2118, 8369, 2118, 8381}}, {ViewerMark{2115, 8370.05}});
}

template<typename T> int countOf(const ViewerScene &scene)
{
    return int(scene.itemsOf<T>().size());
}

QStringList texts(const ViewerScene &scene)
{
    QStringList out;
    for (const ViewerText &t : scene.itemsOf<ViewerText>())
        out << t.Text;
    return out;
}

} // namespace

class TestViewerFrame : public QObject
{
    Q_OBJECT

private slots:
    void projectionBothWays_data();
    void projectionBothWays();
    void raceTimeText_data();
    void raceTimeText();
    void raceTimeLabel();
    void gridSpacing_data();
    void gridSpacing();
    void boatSize_data();
    void boatSize();
    void hullAndSail();
    void layLinesAndClock();
    void viewBoxFollowsFocusedBoats();
    void boatsInTheFrame();
    void leadAtItsElement();
    void manualViewAndNavigation();
    void graphPage();
    void overview();
};

void TestViewerFrame::projectionBothWays_data()
{
    QTest::addColumn<bool>("northUp");
    QTest::addColumn<double>("windDirection");
    QTest::newRow("north up") << true << 200.0;
    QTest::newRow("wind up 0") << false << 0.0;
    QTest::newRow("wind up 90") << false << 90.0;
    QTest::newRow("wind up 225") << false << 225.0;
}

void TestViewerFrame::projectionBothWays()
{
    QFETCH(bool, northUp);
    QFETCH(double, windDirection);
    ViewerProjection p;
    p.CentreLat = 2112;
    p.CentreLon = 8370;
    p.LatScale = 400;
    p.LonScale = 400 * 0.82;
    p.Width = 1000;
    p.Height = 900;
    p.NorthUp = northUp;
    p.WindDirection = windDirection;
    QCOMPARE(p.toScreen(2112, 8370), QPoint(500, 450));
    for (const QPointF pixel : {QPointF(10, 20), QPointF(987, 3), QPointF(500, 899)}) {
        const LatLon at = p.toLatLon(pixel.x(), pixel.y());
        QCOMPARE(p.toScreen(at.Lat, at.Lon), pixel.toPoint());
    }
    // The wind's direction is at the top of a wind-up chart.
    const double rad = windDirection * 3.14159265358979323846 / 180;
    const QPoint windward = p.toScreen(2112 + std::cos(rad) * 0.1, 8370 + std::sin(rad) * 0.1 / 0.82);
    if (!northUp) {
        QCOMPARE(windward.x(), 500);
        QCOMPARE(windward.y(), 450 - 40);
    } else {
        QCOMPARE(p.toScreen(2112.1, 8370), QPoint(500, 410));
    }
}

void TestViewerFrame::raceTimeText_data()
{
    QTest::addColumn<double>("t");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << 0.0 << QStringLiteral("0");
    QTest::newRow("-25") << -25.0 << QStringLiteral("25");
    QTest::newRow("59.4") << 59.4 << QStringLiteral("59");
    QTest::newRow("60") << 60.0 << QStringLiteral("01:00");
    QTest::newRow("-270") << -270.0 << QStringLiteral("04:30");
    QTest::newRow("3000") << 3000.0 << QStringLiteral("50:00");
    QTest::newRow("3001") << 3001.0 << QStringLiteral("0:50:01");
    QTest::newRow("3600") << 3600.0 << QStringLiteral("1:00:00");
    QTest::newRow("7322") << 7322.0 << QStringLiteral("2:02:02");
}

void TestViewerFrame::raceTimeText()
{
    QFETCH(double, t);
    QFETCH(QString, text);
    QCOMPARE(::raceTimeText(t), text);
}

void TestViewerFrame::raceTimeLabel()
{
    const ViewerText before = ::raceTimeLabel(-25, 1000, 900);
    QCOMPARE(before.FontSize, 50);
    QCOMPARE(before.Position, QPointF(455, 15));
    QCOMPARE(before.Background, viewercolours::Red);
    const ViewerText after = ::raceTimeLabel(25, 1000, 900);
    QCOMPARE(after.FontSize, 15);
    QCOMPARE(after.Position, QPointF(1000 - 9 * 2 - 15, 875));
    QCOMPARE(after.Background, viewercolours::Blue);
    QCOMPARE(after.RightLimit, 996.0); // kept whole on the map whatever the font's widths
    QCOMPARE(::raceTimeLabel(20, 1000, 900).FontSize, 50);
    QCOMPARE(::raceTimeLabel(-30, 1000, 900).FontSize, 50);
    QCOMPARE(::raceTimeLabel(-31, 1000, 900).FontSize, 15);
    QCOMPARE(::raceTimeLabel(0, 1000, 900).Background, viewercolours::Red);
}

void TestViewerFrame::gridSpacing_data()
{
    QTest::addColumn<double>("height");
    QTest::addColumn<double>("pixelsPerKm");
    QTest::addColumn<double>("spacing");
    // q = round(Int(height / P × 10) / 4) / 10
    QTest::newRow("q 0.3") << 120.0 << 100.0 << 0.3;
    QTest::newRow("q 0.8 -> 0.5") << 320.0 << 100.0 << 0.5;
    QTest::newRow("q 1.5 -> 1") << 600.0 << 100.0 << 1.0;
    QTest::newRow("q 5 -> 2") << 1000.0 << 50.0 << 2.0;
    QTest::newRow("q 7 -> 5") << 1000.0 << 35.0 << 5.0;
    QTest::newRow("q 23 -> 20") << 920.0 << 10.0 << 20.0;
    QTest::newRow("tiny -> 0.1") << 900.0 << 5000.0 << 0.1;
}

void TestViewerFrame::gridSpacing()
{
    QFETCH(double, height);
    QFETCH(double, pixelsPerKm);
    QFETCH(double, spacing);
    QCOMPARE(gridSpacingKm(height, pixelsPerKm), spacing);
    QCOMPARE(gridSpacingText(2), QStringLiteral("2Km"));
    QCOMPARE(gridSpacingText(0.3), QStringLiteral("300M"));
}

void TestViewerFrame::boatSize_data()
{
    QTest::addColumn<double>("latScale");
    QTest::addColumn<bool>("enlarge");
    QTest::addColumn<int>("pixels");
    QTest::addColumn<bool>("enlarged");
    // K = latScale × 10 m / 1852
    QTest::newRow("5 px, enlarged") << 926.0 << true << 14 << true;
    QTest::newRow("13.9 px, enlarged") << 2574.28 << true << 14 << true;
    QTest::newRow("20 px") << 3704.0 << true << 20 << false;
    QTest::newRow("3 px, never below 6") << 555.6 << false << 6 << false;
    QTest::newRow("7.4 px") << 1370.48 << false << 7 << false;
}

void TestViewerFrame::boatSize()
{
    QFETCH(double, latScale);
    QFETCH(bool, enlarge);
    QFETCH(int, pixels);
    QFETCH(bool, enlarged);
    const BoatSize size = ::boatSize(latScale, 10, enlarge);
    QCOMPARE(size.Pixels, pixels);
    QCOMPARE(size.Enlarged, enlarged);
    QCOMPARE(size.text(), enlarged ? QStringLiteral("Size Enlarged") : QStringLiteral("Real Size"));
}

void TestViewerFrame::hullAndSail()
{
    // A keel boat above 3 m, a dinghy otherwise; the bow points along the heading.
    QCOMPARE(hullOutline(10)[2], QPointF(15, 20));
    QCOMPARE(hullOutline(3)[2], QPointF(27, 10));
    const auto east = placeHull(hullOutline(10), 20, 90, QPointF(100, 100));
    QVERIFY(near(east[0].x(), 110) && near(east[0].y(), 100));
    const auto north = placeHull(hullOutline(10), 20, 0, QPointF(100, 100));
    QVERIFY(near(north[0].x(), 100) && near(north[0].y(), 90));
    QVERIFY(near(north[8].y(), 97)); // the mast foot, 15 hundredths forward of the middle

    QVERIFY(sailPoints(QPointF(0, 0), 8, 45, 6, 0).isEmpty());
    const QVector<QPointF> sail = sailPoints(QPointF(0, 0), 9, 45, 6, 0);
    QCOMPARE(sail.size(), 4);
    // Wind on the starboard side (TWA > 0): the sail lies to port, aft.
    QVERIFY(sail[3].x() < 0 && sail[3].y() > 0);
    QVERIFY(near(std::hypot(sail[3].x(), sail[3].y()), 4.5));
    const QVector<QPointF> otherTack = sailPoints(QPointF(0, 0), 9, -45, 6, 0);
    QVERIFY(otherTack[3].x() > 0);
}

void TestViewerFrame::layLinesAndClock()
{
    QCOMPARE(referenceAngle(10, true, 200), 10.0);
    QCOMPARE(referenceAngle(10, false, 200), 170.0);
    const QVector<ViewerStroke> rays = layLineRays(QPointF(0, 0), 0, 45, 150);
    QCOMPARE(rays.size(), 6);
    for (const ViewerStroke &r : rays) {
        QCOMPARE(r.Style, ViewerPenStyle::Dotted);
        QVERIFY(near(std::hypot(r.Points[1].x(), r.Points[1].y()), 600, 1e-6));
    }
    QVERIFY(near(rays[1].Points[1].y(), -600)); // the wind line up towards the wind
    QCOMPARE(rays[2].Colour, LayLineOneSideColour);
    QCOMPARE(rays[3].Colour, LayLineOtherSideColour);

    ViewerScene scene;
    addClock(scene, 3 * 3600 + 15 * 60, 100, 1000, 900);
    const QVector<ViewerDisc> face = scene.itemsOf<ViewerDisc>();
    QCOMPARE(face.size(), 1);
    QCOMPARE(face[0].Centre, QPointF(960, 835));
    QCOMPARE(face[0].Fill, (ViewerRgb{255, 255, 255}));
    const QVector<ViewerStroke> hands = scene.itemsOf<ViewerStroke>();
    QCOMPARE(hands.size(), 3);
    QVERIFY(hands[1].Points[1].x() > 960 + 25); // a quarter past: the minute hand points right
    ViewerScene night;
    addClock(night, 0, 50, 1000, 900);
    QCOMPARE(night.itemsOf<ViewerDisc>()[0].Fill, (ViewerRgb{192, 192, 55}));
}

void TestViewerFrame::viewBoxFollowsFocusedBoats()
{
    const LoadedViewerRace shown = threeBoats();
    TrackingFrameBuilder builder;
    FrameOptions options;
    options.NorthUp = true;
    options.Focused = {true, true, false};
    const TrackingFrame frame = builder.draw(shown, 600, Map, options, FrameLook{});
    // The far boat does not widen the box: the box spans the two boats 0.1′ apart (east-west),
    // fitted into 60 % of the height.
    const double c = shown.Derived.Extent.CosCentreLat;
    QVERIFY(near(frame.Projection.LonScale, 900 * 0.6 / 0.1));
    QVERIFY(near(frame.Projection.LatScale, 900 * 0.6 / 0.1 / c));
    QVERIFY(near(frame.Projection.CentreLon, 8370.05));
    // Every boat is still drawn: three hulls, three sails.
    QCOMPARE(countOf<ViewerPolygon>(frame.Scene), 6);

    // All focused boats at one point: the box is 0.04′ by 0.05′.
    options.Focused = {true, false, false};
    const TrackingFrame one = builder.draw(shown, 600, Map, options, FrameLook{});
    const double latScale = 0.05 * c > 0.04 ? 900 * 0.6 / 0.05 / c : 900 * 0.6 / 0.04;
    QVERIFY(near(one.Projection.LatScale, latScale));
    // No focused boat on the water, or Auto Trace off: the race extent.
    options.Focused = {false, false, false};
    const TrackingFrame none = builder.draw(shown, 600, Map, options, FrameLook{});
    QVERIFY(near(none.Projection.CentreLat, (shown.Derived.Extent.MaxLat + shown.Derived.Extent.MinLat) / 2));
    options.Focused = {true, true, true};
    options.AutoTrace = false;
    options.ZoomDivisor = 2;
    const TrackingFrame extent = builder.draw(shown, 600, Map, options, FrameLook{});
    QVERIFY(near(extent.Projection.CentreLat, none.Projection.CentreLat));
    QVERIFY(near(extent.Projection.LatScale, none.Projection.LatScale / 2));
}

void TestViewerFrame::boatsInTheFrame()
{
    const LoadedViewerRace shown = threeBoats(200);
    TrackingFrameBuilder builder;
    FrameOptions options;
    options.NameMode = 2;
    options.HoveredBoat = 2;
    options.CompassHovered = true;
    options.CompareLine = true;
    FrameLook look;
    look.SeaPosition = 40;
    look.TimeOfDay = 39600;
    const TrackingFrame frame = builder.draw(shown, 100, Map, options, look);
    QCOMPARE(frame.States.size(), 3);
    QCOMPARE(builder.segments(), (QVector<int>{41, 41, 41}));
    const QStringList words = texts(frame.Scene);
    QVERIFY(words.contains(QStringLiteral("Alpha  6.00Kts")));
    QCOMPARE(words.count(QStringLiteral("Bravo  6.00Kts")), 2); // its name, and again as hovered
    QVERIFY(words.contains(QStringLiteral("01:40")));
    QVERIFY(words.contains(QStringLiteral("MK1")));
    QCOMPARE(words.count(QStringLiteral("L1")), 2);
    QCOMPARE(frame.WindText, QStringLiteral("200"));
    // Wind up: the wind mark sits at the top of the compass.
    QVERIFY(near(frame.WindMark.x(), 46) && near(frame.WindMark.y(), 0));
    // A hull outlined in grey on a dark sea; a closed yellow triangle per boat.
    const QVector<ViewerPolygon> polygons = frame.Scene.itemsOf<ViewerPolygon>();
    QCOMPARE(polygons.first().Outline, viewercolours::LightGrey);
    int triangles = 0, wakes = 0;
    for (const ViewerStroke &s : frame.Scene.itemsOf<ViewerStroke>()) {
        triangles += s.Closed && s.Colour == viewercolours::Yellow ? 1 : 0;
        wakes += s.Colour == viewercolours::White && s.Points.size() == 5 ? 1 : 0;
    }
    QCOMPARE(triangles, 3);
    QCOMPARE(wakes, 3);
    QCOMPARE(frame.OverviewDots.size(), 3);

    // Before the boats' first sample nothing of them is drawn, and the overview waits.
    const TrackingFrame early = builder.draw(shown, -400, Map, options, look);
    QCOMPARE(countOf<ViewerPolygon>(early.Scene), 0);
    QVERIFY(!texts(early.Scene).contains(QStringLiteral("Alpha  0.00Kts")));
    QCOMPARE(early.OverviewDots.first(), QPointF(-1, -1));
    options.PointerOverTimeBar = true;
    QVERIFY(builder.draw(shown, 100, Map, options, look).OverviewDots.isEmpty());
}

void TestViewerFrame::leadAtItsElement()
{
    const LoadedViewerRace shown = threeBoats();
    TrackingFrameBuilder builder;
    FrameLook look;
    look.LeadText = QStringLiteral("42");
    look.LeadElement = 2; // MK1
    const TrackingFrame frame = builder.draw(shown, 100, Map, FrameOptions{}, look);
    const QVector<ViewerText> all = frame.Scene.itemsOf<ViewerText>();
    const auto lead = std::find_if(all.begin(), all.end(), [](const ViewerText &t) { return t.Text == QLatin1String("42"); });
    QVERIFY(lead != all.end());
    QCOMPARE(lead->FontSize, 20);
    const QPoint mark = frame.Projection.toScreen(2115, 8370.05);
    QCOMPARE(lead->Position, QPointF(mark.x() - 8, mark.y() - 40));
    // A lead at a line goes above its middle.
    look.LeadElement = 3;
    const TrackingFrame atLine = builder.draw(shown, 100, Map, FrameOptions{}, look);
    const QVector<ViewerText> lineTexts = atLine.Scene.itemsOf<ViewerText>();
    const auto lineLead = std::find_if(lineTexts.begin(), lineTexts.end(), [](const ViewerText &t) { return t.FontSize == 20; });
    QVERIFY(lineLead != lineTexts.end());
    const QPointF middle = (QPointF(atLine.Projection.toScreen(2118, 8369)) + QPointF(atLine.Projection.toScreen(2118, 8381))) / 2;
    QCOMPARE(lineLead->Position, QPointF(middle.x() - 8, middle.y() - 40));
}

void TestViewerFrame::manualViewAndNavigation()
{
    const LoadedViewerRace shown = threeBoats(90);
    const ViewerExtent &extent = shown.Derived.Extent;
    ManualView view = manualViewOf(extent);
    QVERIFY(near(view.CentreLat, extent.CentreLat));
    // The race scales keep the chart's shape: one scale in metres, the extent whole in the map.
    const QPointF scales = raceScales(extent, Map);
    QVERIFY(near(scales.y(), scales.x() * extent.CosCentreLat));
    QVERIFY(near(scales.x(), 900 / extent.LatRange));

    FrameOptions options;
    options.Focused = {true, false, true};
    const ManualFrame frame = drawManualView(shown, 100, view, Map, options, FrameLook{});
    // Whole tracks of the focused boats, three hulls of 16 pixels outlined in white.
    int tracks = 0;
    for (const ViewerStroke &s : frame.Scene.itemsOf<ViewerStroke>())
        tracks += s.Points.size() > 10 ? 1 : 0;
    QCOMPARE(tracks, 2);
    const QVector<ViewerPolygon> hulls = frame.Scene.itemsOf<ViewerPolygon>();
    QCOMPARE(hulls.size(), 3);
    QCOMPARE(hulls.first().Outline, viewercolours::White);
    QCOMPARE(frame.CompassAngle, -90.0);

    // A left click centres the view where it was made and zooms in; any other button zooms out.
    const LatLon target = frame.Projection.toLatLon(800, 100);
    clickManualMap(view, frame.Projection, QPointF(800, 100), true);
    QVERIFY(near(view.CentreLat, target.Lat) && near(view.CentreLon, target.Lon));
    QCOMPARE(view.Zoom, 1.5);
    clickManualMap(view, manualProjection(view, extent, Map, false, 90), QPointF(500, 450), false);
    QVERIFY(near(view.Zoom, 1.0));
    QVERIFY(near(view.CentreLat, target.Lat) && near(view.CentreLon, target.Lon));
    // A click on the overview centres the view on the point shown there.
    const QPointF onOverview = overviewPosition(extent, 2113, 8372, false, 90);
    clickOverview(view, extent, onOverview, false, 90);
    QVERIFY(near(view.CentreLat, 2113) && near(view.CentreLon, 8372));
}

void TestViewerFrame::graphPage()
{
    const LoadedViewerRace shown = threeBoats(200);
    const GraphPage page = drawGraphPage(shown, 1000, 900, ViewerRgb{160, 225, 255});
    QCOMPARE(page.LeftWidth, 455);
    QCOMPARE(page.RightX, 510);
    QCOMPARE(page.RightWidth, 480);
    QCOMPARE(page.Height, 839);
    QCOMPARE(page.BoatTraces.size(), 3);
    // The wind direction a quarter in: 200 at x = 40 + 455 / 4.
    QCOMPARE(graphCourseX(200, 200, 455), viewerRound(455 * 0.25 + 40));
    QCOMPARE(graphCourseX(20, 200, 455), viewerRound(455 * 0.75 + 40));
    const QStringList words = texts(page.Scene);
    QVERIFY(words.contains(QStringLiteral("Boat course and Wind Direction (Deg in Mag)")));
    QVERIFY(words.contains(QStringLiteral("Boat Speed (KTS)")));
    // Every fifth minute numbered at the left edge, up to the period end (60.5 minutes).
    QStringList minutes;
    for (const ViewerText &t : page.Scene.itemsOf<ViewerText>())
        if (t.Position.x() == 10)
            minutes << t.Text;
    QCOMPARE(minutes.size(), 12);
    QCOMPARE(minutes.first(), QStringLiteral("0"));
    QCOMPARE(minutes.last(), QStringLiteral("55"));
    // Each boat's course (north, 0°) and speed lie within their panels.
    for (const ViewerStroke &s : page.BoatTraces[0]) {
        for (const QPointF &p : s.Points) {
            QVERIFY(p.y() >= page.Top && p.y() <= page.Top + page.Height);
            QVERIFY(p.x() >= page.LeftX && p.x() <= page.RightX + page.RightWidth);
        }
    }
    const QVector<ViewerStroke> wide = graphHighlight(page, 0);
    QCOMPARE(wide.size(), page.BoatTraces[0].size());
    QCOMPARE(wide.first().Width, 3);

    // A course swinging across north breaks its trace rather than drawing across the panel.
    QList<ViewerBoat> zigzag{sailingBoat(QStringLiteral("Z"), 2112, 8370, 0, 6, -300, 3600)};
    for (int i = 0; i < zigzag[0].Samples.size(); ++i)
        zigzag[0].Samples[i].Lon += (i % 40 < 20 ? 0.001 : -0.001) * (i % 20);
    const GraphPage swing = drawGraphPage(shownRace(zigzag, PlaybackPeriod{-190, 3630}, 110), 1000, 900, ViewerRgb{});
    for (const ViewerStroke &s : swing.BoatTraces[0])
        for (int i = 1; i < s.Points.size(); ++i)
            QVERIFY(std::fabs(s.Points[i].x() - s.Points[i - 1].x()) <= 455 / 2.0 || s.Points[i].x() > 500);
}

void TestViewerFrame::overview()
{
    const LoadedViewerRace shown = threeBoats();
    const ViewerScene north = overviewScene(shown, true, ViewerRgb{160, 225, 255});
    const QVector<ViewerStroke> tracks = north.itemsOf<ViewerStroke>();
    QCOMPARE(tracks.size(), 3);
    QCOMPARE(tracks.first().Colour, shown.Race.Boats.last().Colour); // the last boat first
    for (const ViewerStroke &t : tracks)
        for (const QPointF &p : t.Points)
            QVERIFY(p.x() >= 0 && p.x() <= OverviewSize && p.y() >= 0 && p.y() <= OverviewSize);
}

QTEST_GUILESS_MAIN(TestViewerFrame)
#include "testviewerframe.moc"
