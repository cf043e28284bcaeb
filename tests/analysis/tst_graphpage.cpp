#include "pagefixture.h"

#include <graphpage.h>

#include <QtTest>

#include <cmath>

namespace {

// A race of D seconds with a pre-start period of 180 s, as the load leaves it; mean wind W.
struct GraphRace {
    RaceControl race;
    RaceData data;
};

GraphRace graphRace(double duration = 3600, float wind = 200, int boats = 2)
{
    GraphRace g;
    g.race = pagefixture::race({"L1", "MK1", "L2"}, boats);
    g.race.RaceDuration = qint64(duration);
    g.race.WindDirection = wind;
    g.race.StartTime = platform::LocalDateTime::fromParts(2024, 5, 12, 14, 0, 0);
    g.data.TimeBarSpan = duration + 180 + 60;
    g.data.Tracks.resize(boats);
    return g;
}

BoatTrack steadyTrack(double course, double speed, double from, double to)
{
    BoatTrack t;
    for (double s = from; s <= to; s += 10)
        t.Points.append({s, 0, 0, 0, speed, course});
    return t;
}

} // namespace

class TestGraphPage : public QObject
{
    Q_OBJECT
private slots:
    void directionScale_data();
    void directionScale();
    void inverseScales();
    void timeGridColours();
    void headersAndWind();
    void curvePasses();
    void pointerAidMarks();
    void pointerAidReadout();
    void windStripSpan();
};

void TestGraphPage::directionScale_data()
{
    QTest::addColumn<double>("direction");
    QTest::addColumn<double>("x");
    QTest::newRow("the mean wind") << 200.0 << 120.0;
    QTest::newRow("90 to the right") << 290.0 << 210.0;
    QTest::newRow("wrapped past 360") << 20.0 << 300.0;
    QTest::newRow("left edge") << 110.0 << 30.0;
    QTest::newRow("just below the left edge wraps") << 109.0 << 389.0;
    QTest::newRow("reciprocal above 360") << 200.0 + 180 << 300.0;
    QTest::newRow("negative course") << -7.0 << 273.0;
}

void TestGraphPage::directionScale()
{
    QFETCH(double, direction);
    QFETCH(double, x);
    GraphRace g = graphRace(3600, 200);
    const GraphScale s = graphScale(g.race, g.data, 460);
    QCOMPARE(s.directionOrigin, 110.0);
    QCOMPARE(s.directionToX(direction), x);
    QCOMPARE(GraphScale::boatSpeedToX(10), 700.0);
    QCOMPARE(GraphScale::windSpeedToX(20), 700.0);
}

void TestGraphPage::inverseScales()
{
    // D = 3600, pre-start 180 s, so L = 3840; a picture 460 high gives k = 400 / 3840.
    GraphRace g = graphRace(3600, 200);
    const GraphScale s = graphScale(g.race, g.data, 460);
    QCOMPARE(s.period, 3840.0);
    QVERIFY(std::fabs(s.timeScale - 400.0 / 3840) < 1e-15);
    QCOMPARE(s.timeToY(3600), 30.0);
    QVERIFY(std::fabs(s.timeToY(-240) - (460 - 30)) < 1e-9);
    QCOMPARE(s.yToTime(30), 3600.0);
    QCOMPARE(s.yToTime(235), 1632.0); // Int(3600 − 205 × 3840 / 400 + 0.5) = Int(1632.5)
    QCOMPARE(s.xToDirection(120), 200.0);
    QCOMPARE(s.xToDirection(300), 20.0);
    QCOMPARE(s.xToDirection(30), 110.0);
    // Without a time bar span, the display period and the start-to-finish time stand in.
    g.data.TimeBarSpan = 0;
    g.race.FinishTime = g.race.StartTime.addSecs(1800);
    g.race.DisplayStart = g.race.StartTime.addSecs(-210);
    g.race.DisplayEnd = g.race.FinishTime;
    const GraphScale fallback = graphScale(g.race, g.data, 460);
    QCOMPARE(fallback.period, 2010.0);
    QCOMPARE(fallback.duration, 1800.0);
    // No period at all: nothing to scale.
    g.race.DisplayEnd = g.race.DisplayStart;
    QVERIFY(!graphScale(g.race, g.data, 460).isValid());
}

void TestGraphPage::timeGridColours()
{
    GraphRace g = graphRace(75 * 60);
    const QVector<TimeGridLine> lines = timeGrid(graphScale(g.race, g.data, 600));
    QCOMPARE(lines.size(), 16); // m = 0 … 15
    QCOMPARE(lines[12].label, QStringLiteral("1:00"));
    QCOMPARE(lines[12].colour, GraphColours::TimeHour);
    QCOMPARE(lines[6].label, QStringLiteral("0:30"));
    QCOMPARE(lines[6].colour, GraphColours::TimeHalfHour);
    QCOMPARE(lines[2].colour, GraphColours::TimeTenMinutes);
    QCOMPARE(lines[10].colour, GraphColours::TimeTenMinutes);
    QCOMPARE(lines[1].label, QStringLiteral("0:05"));
    QCOMPARE(lines[1].colour, GraphColours::Grid);
    QCOMPARE(lines[0].colour, GraphColours::TimeHour);
    QCOMPARE(lines[15].label, QStringLiteral("1:15"));
}

void TestGraphPage::headersAndWind()
{
    GraphRace g = graphRace();
    GraphPageInput in{&g.race, &g.data, {true, true}, QSize(720, 600), 1.0};
    const GraphPageScene plain = graphPageScene(in);
    QVERIFY(!plain.windLoaded);
    QVERIFY(plain.picture.findText(QStringLiteral("BCO (Mag)")));
    QVERIFY(plain.picture.findText(QStringLiteral("BSP")));
    QVERIFY(plain.picture.itemsOf<PagePolygon>().isEmpty());

    g.race.WindFile = QStringLiteral("race1_WIND.CSV");
    g.data.Wind = {{-300, 8, 190}, {600, 10, 200}, {1800, 12, 210}, {3600, 12, 200}};
    const GraphPageScene wind = graphPageScene(in);
    QVERIFY(wind.windLoaded);
    QCOMPARE(wind.picture.findText(QStringLiteral("BCO (Mag) & TWD(Mag) "))->anchor, PageAnchor::TopCentre);
    QCOMPARE(wind.picture.findText(QStringLiteral("BSP & TWS"))->position, QPointF(550, 10));
    // The stretch from the sample five minutes before the start begins below the panels and
    // is left out; the others are filled.
    QCOMPARE(wind.picture.itemsOf<PagePolygon>().size(), 2);
    // Direction curve in black from −60 s up to (not including) the finish, and its reciprocal.
    QVector<PageLine> black, grey;
    for (const PageLine &l : wind.picture.itemsOf<PageLine>()) {
        if (l.colour == GraphColours::WindDirection)
            black << l;
        if (l.colour == GraphColours::WindReciprocal)
            grey << l;
    }
    QCOMPARE(black.size(), 1);
    QCOMPARE(black[0].points.size(), 2);
    QCOMPARE(black[0].points[0].x(), 120.0);
    QCOMPARE(grey[0].points[1].x(), wind.scale.directionToX(30));
}

void TestGraphPage::curvePasses()
{
    GraphRace g = graphRace(3600, 200, 3);
    g.data.Tracks[0] = steadyTrack(200, 5, -100, 4000);
    g.data.Tracks[1] = steadyTrack(290, 6, 0, 3000);
    g.data.Tracks[2] = steadyTrack(20, 10, 0, 3000);
    g.race.MagneticVariation = 0;
    GraphPageInput in{&g.race, &g.data, {false, true, false}, QSize(720, 600), 1.0};
    const GraphPageScene s = graphPageScene(in);
    QVector<PageLine> curves;
    for (const PageLine &l : s.picture.itemsOf<PageLine>())
        if (l.points.size() > 2)
            curves << l;
    // Courses of the others (boat 3, then boat 1), then the focused boat 2; the same for speeds.
    QCOMPARE(curves.size(), 6);
    QCOMPARE(curves[0].colour, GraphColours::OtherBoat);
    QCOMPARE(curves[0].points.first().x(), 300.0);
    QCOMPARE(curves[1].points.first().x(), 120.0);
    QCOMPARE(curves[2].colour, g.race.Boats[1].colour);
    QCOMPARE(curves[2].points.first().x(), 210.0);
    QCOMPARE(curves[3].points.first().x(), 700.0);
    QCOMPARE(curves[5].points.first().x(), 580.0);
    // Boat 1's points run from −60 s to the last before the finish.
    QCOMPARE(curves[1].points.first().y(), s.scale.timeToY(-60));
    QCOMPARE(curves[1].points.last().y(), s.scale.timeToY(3590));
    // The magnetic variation turns the courses: true 200 with variation −7 is 207 magnetic.
    g.race.MagneticVariation = -7;
    const GraphPageScene turned = graphPageScene(in);
    for (const PageLine &l : turned.picture.itemsOf<PageLine>())
        if (l.points.size() > 2 && l.colour == GraphColours::OtherBoat) {
            QCOMPARE(l.points.first().x(), 307.0);
            break;
        }
}

void TestGraphPage::pointerAidMarks()
{
    GraphRace g = graphRace();
    const GraphScale s = graphScale(g.race, g.data, 600);
    const PointerAid aid = pointerAid(s, 100, 300, g.race, {}, false);
    QVERIFY(aid.marksShown);
    QCOMPARE(aid.markX[0], 55.0);
    QCOMPARE(aid.markX[1], 145.0);
    QCOMPARE(aid.markX[2], 280.0);
    QCOMPARE(aid.markTop, 290.0);
    QCOMPARE(aid.markBottom, 310.0);
    QVERIFY(!aid.readoutShown);
    // Only over the upwind half of the direction panel, and only once the graph is drawn.
    QVERIFY(pointerAid(s, 210, 300, g.race, {}, false).marksShown);
    QVERIFY(!pointerAid(s, 211, 300, g.race, {}, false).marksShown);
    QVERIFY(!pointerAid(s, 29, 300, g.race, {}, false).marksShown);
    QVERIFY(!pointerAid(GraphScale(), 100, 300, g.race, {}, false).marksShown);
}

void TestGraphPage::pointerAidReadout()
{
    GraphRace g = graphRace();
    const GraphScale s = graphScale(g.race, g.data, 460); // k = 400 / 3840
    const QVector<WindSample> wind = {{0, 10, 200}, {3000, 12, 210}};
    // y = 235 is 1632 s: 14:27:12 with the start at 14:00:00; x = 100 reads 180.
    const PointerAid aid = pointerAid(s, 100, 235, g.race, wind, true);
    QVERIFY(aid.readoutShown);
    QCOMPARE(aid.text, QStringLiteral("14:27:12 / 180"));
    QCOMPARE(aid.readout, QRectF(57.5, 205, 85, 15));
    // Near the left edge the box stays on the picture.
    QCOMPARE(pointerAid(s, 31, 235, g.race, wind, true).readout.left(), 0.0);
    // Outside the samples (after 3000 s), or without a wind file, no box.
    QVERIFY(!pointerAid(s, 100, 40, g.race, wind, true).readoutShown);
    QVERIFY(!pointerAid(s, 100, 235, g.race, wind, false).readoutShown);
}

void TestGraphPage::windStripSpan()
{
    // Samples spanning only 10 degrees are scaled as if they spanned 30.
    const QVector<WindSample> narrow = {{0, 10, 195}, {600, 10, 205}, {1200, 10, 200}};
    const WindStripScale s = windStripScale(narrow, 70, 3840);
    QCOMPARE(s.span, 30.0);
    QCOMPARE(s.centre, 200.0);
    QCOMPARE(s.pixelsPerDegree, 0.8 * 60 / 30);
    QCOMPARE(s.pixelsPerSecond, 50.0 / 3840);
    // Across north: 350 … 20 is a span of 30 around 5.
    const WindStripScale north = windStripScale({{0, 10, 350}, {600, 10, 20}, {900, 10, 0}}, 70, 3840);
    QCOMPARE(north.span, 30.0);
    QCOMPARE(north.centre, 5.0);
    const WindStripScale wide = windStripScale({{0, 10, 300}, {600, 10, 20}}, 70, 3840);
    QCOMPARE(wide.span, 80.0);
    QCOMPARE(wide.centre, 340.0);

    GraphRace g = graphRace();
    g.data.Wind = narrow;
    const PageScene strip = windStripScene(g.race, g.data, 70, rgb(0, 255, 255));
    QCOMPARE(strip.background, rgb(0, 255, 255));
    QCOMPARE(strip.findText(QStringLiteral("TWD (mag)"))->position, QPointF(30, 2));
    QVector<PageLine> blue;
    for (const PageLine &l : strip.itemsOf<PageLine>())
        if (l.colour == GraphColours::StripCurve)
            blue << l;
    QCOMPARE(blue.size(), 1);
    QCOMPARE(blue[0].points[0], QPointF(35 - 1.6 * 5, 15 + 50.0 / 3840 * 3600));
    // The time cursors meet where the curve passes: the first sample, and across north.
    QCOMPARE(windStripPoint(g.race, g.data, 70, 0, 195), blue[0].points[0]);
    QCOMPARE(windStripPoint(g.race, g.data, 70, g.race.RaceDuration, 560).x(), 35 + 1.6 * 0);
    // The white lines every 10 degrees stay inside the box: 190, 200 and 210 only.
    int white = 0;
    for (const PageLine &l : strip.itemsOf<PageLine>())
        if (l.colour == rgb(255, 255, 255))
            ++white;
    QCOMPARE(white, 3);
}

QTEST_GUILESS_MAIN(TestGraphPage)
#include "tst_graphpage.moc"
