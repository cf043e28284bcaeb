// What the viewer derives from a race: colours, extent and overview, daylight, coast lines,
// speeds and courses, passing times with leaders, ranks and score labels, and the state of the
// wind and the boats at a replay time.
#include "viewerfixture.h"

#include <boatcolours.h>
#include <boatstate.h>
#include <daylight.h>
#include <passtable.h>
#include <racecontrolreader.h>
#include <samplemotion.h>
#include <viewercoast.h>
#include <viewerextent.h>

using namespace viewertest;

namespace {

constexpr double MetresToMinutes = 1.0 / 1852.0;

ViewerBoat boatWith(const QString &name, const QList<std::array<double, 3>> &samples)
{
    ViewerBoat b;
    b.Name = name;
    for (const auto &s : samples)
        b.Samples.append(ViewerSample{s[0], s[1], s[2], 0, 0});
    return b;
}

bool near(double a, double b, double tolerance = 1e-9)
{
    return std::fabs(a - b) <= tolerance;
}

} // namespace

class TestViewerDerivations : public QObject
{
    Q_OBJECT

private slots:
    void colours_data();
    void colours();
    void extentMarginAndSquare();
    void extentWithoutSamples();
    void overviewPositions();
    void daylight_data();
    void daylight();
    void brightness();
    void coastNames_data();
    void coastNames();
    void datumShiftNearTokyo();
    void meshTile();
    void clipping();
    void commaCoastFile();
    void speedsAndCourses();
    void shortTracksAndMaximum();
    void startLineAndFinish();
    void laterLineOutsideItsEnds();
    void unknownCourseElement();
    void windAtTime();
    void boatStates();
};

void TestViewerDerivations::colours_data()
{
    QTest::addColumn<int>("boat");
    QTest::addColumn<int>("sameAs");
    QTest::addColumn<QString>("kml");
    QTest::newRow("1") << 1 << 1 << "FFFF0000";
    QTest::newRow("15") << 15 << 15 << "FF00FF80";
    QTest::newRow("16 is boat 1") << 16 << 1 << "FFFF0000";
    QTest::newRow("30 is boat 15") << 30 << 15 << "FF00FF80";
    QTest::newRow("31 is boat 1") << 31 << 1 << "FFFF0000";
}

void TestViewerDerivations::colours()
{
    QFETCH(int, boat);
    QFETCH(int, sameAs);
    QFETCH(QString, kml);
    QCOMPARE(boatColour(boat), boatColour(sameAs));
    QCOMPARE(boatKmlColour(boat), kml);
    QCOMPARE(boatColour(1), (ViewerRgb{255, 0, 0}));
    QCOMPARE(boatColour(15), (ViewerRgb{128, 0, 128}));
    // Lines use all sixteen strings: line 16 has the one boats never get.
    QCOMPARE(kmlColour(16), QStringLiteral("FF0080FF"));
}

void TestViewerDerivations::extentMarginAndSquare()
{
    ViewerRace race;
    race.Period = {-190, 3630};
    race.Boats << boatWith("A", {{-100, 2100, 8380}, {0, 2110, 8384}, {3630, 2105, 8390}, {5000, 3000, 9000}})
               << boatWith("B", {{-191, 1000, 1000}, {10, 2104, 8386}});
    const ViewerExtent e = computeExtent(race, 900, 600);
    QVERIFY(e.FromSamples);
    QCOMPARE(e.MaxLat, 2110.0);
    QCOMPARE(e.MinLat, 2100.0);
    QCOMPARE(e.MaxLon, 8390.0);
    QCOMPARE(e.MinLon, 8380.0);
    QCOMPARE(e.CentreLat, 2105.0);
    QCOMPARE(e.CentreLon, 8385.0);
    const double c = std::cos(2105.0 / 60 * M_PI / 180);
    QVERIFY(near(e.CosCentreLat, c));
    // 10′ × 1.2 on both axes; the longitude side is shorter in metres, so it is stretched.
    QVERIFY(near(e.LatRange, 12.0));
    QVERIFY(near(e.LonRange, 12.0 / c));
    QVERIFY(near(e.OverviewLatScale, 170 / 12.0));
    QVERIFY(near(e.RaceLatScale, 600 / 12.0));
    QVERIFY(near(e.RaceLonScale, 900 / (12.0 / c)));

    // A wide race keeps its longitude range and takes the latitude range from it.
    race.Boats = {boatWith("W", {{0, 2100, 8300}, {1, 2101, 8400}})};
    const ViewerExtent wide = computeExtent(race, 900, 600);
    QVERIFY(near(wide.LonRange, 120.0));
    QVERIFY(near(wide.LatRange, 120.0 * wide.CosCentreLat));
}

void TestViewerDerivations::extentWithoutSamples()
{
    ViewerRace race;
    race.Period = {-190, 3630};
    race.Boats << boatWith("A", {{9999, 2100, 8380}});
    race.Marks << ViewerMark{2104, 8388};
    race.Lines << ViewerLine{2100, 8380, 2100, 8381};
    const ViewerExtent e = computeExtent(race, 100, 100);
    QVERIFY(!e.FromSamples);
    QCOMPARE(e.MaxLat, 2104.0);
    QCOMPARE(e.MinLon, 8380.0);

    // Everything at one point still gives finite scales.
    race.Marks.clear();
    race.Lines.clear();
    race.Boats = {boatWith("A", {{0, 2100, 8380}, {10, 2100, 8380}})};
    const ViewerExtent point = computeExtent(race, 100, 100);
    QVERIFY(near(point.LatRange, ViewerExtent::MinRange));
    QVERIFY(std::isfinite(point.OverviewLonScale) && point.OverviewLonScale > 0);
}

void TestViewerDerivations::overviewPositions()
{
    ViewerExtent e;
    e.CentreLat = 2100;
    e.CentreLon = 8400;
    e.OverviewLatScale = 10;
    e.OverviewLonScale = 8;
    QCOMPARE(overviewPosition(e, 2100, 8400, true, 0), QPointF(85, 85));
    QCOMPARE(overviewPosition(e, 2101, 8401, true, 200), QPointF(93, 75));
    // Wind from the east at the top: north lies to the left.
    const QPointF windUp = overviewPosition(e, 2101, 8400, false, 90);
    QVERIFY(near(windUp.x(), 75) && near(windUp.y(), 85));
}

void TestViewerDerivations::daylight_data()
{
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    QTest::addColumn<int>("td");
    QTest::addColumn<QString>("start");
    QTest::addColumn<double>("dayStart");
    QTest::addColumn<double>("end");
    // 23 March 2008 is day 83: s = 0.
    QTest::newRow("135 E, TD 9, equinox") << 2100.0 << 8100.0 << 9 << "2008/03/23 10:30:00" << 21600.0 << 64800.0;
    QTest::newRow("140 E is 20 min earlier") << 2100.0 << 8400.0 << 9 << "2008/03/23 10:30:00" << 20400.0 << 63600.0;
    QTest::newRow("Greenwich in its own zone") << 3000.0 << 0.0 << 0 << "2008/03/23 10:30:00" << 21600.0 << 64800.0;
    QTest::newRow("Gdansk, TD 1") << 3262.0 << 1128.0 << 1 << "2008/03/23 10:30:00" << 21600.0 - 912 << 64800.0 - 912;
    const double s = std::sin((172 - 83) / 365.0 * 6.28);
    QTest::newRow("June, north") << 2100.0 << 8100.0 << 9 << "2008/06/20 10:30:00" << 21600.0 - 4500 * s
                                 << 64800.0 + 4500 * s;
    QTest::newRow("June, south") << -2000.0 << 9000.0 << 10 << "2008/06/20 10:30:00" << 21600.0 + 4500 * s
                                 << 64800.0 - 4500 * s;
}

void TestViewerDerivations::daylight()
{
    QFETCH(double, lat);
    QFETCH(double, lon);
    QFETCH(int, td);
    QFETCH(QString, start);
    QFETCH(double, dayStart);
    QFETCH(double, end);
    ViewerRace race;
    race.Start = platform::LocalDateTime::parse(start);
    race.TimeDifference = td;
    ViewerExtent e;
    e.CentreLat = lat;
    e.CentreLon = lon;
    const ViewerDaylight d = computeDaylight(race, e);
    QVERIFY2(near(d.Start, dayStart, 1e-6), qPrintable(QString::number(d.Start)));
    QVERIFY2(near(d.End, end, 1e-6), qPrintable(QString::number(d.End)));
    QCOMPARE(d.DayStart, 37800.0);
}

void TestViewerDerivations::brightness()
{
    const ViewerDaylight d{37800, 21600, 64800};
    QCOMPARE(daylightBrightness(d, 43200), 100.0);
    QCOMPARE(daylightBrightness(d, 3600), 0.0);
    QCOMPARE(daylightBrightness(d, 21600), 50.0);
    QCOMPARE(daylightBrightness(d, 21600 + 1800), 75.0);
    QCOMPARE(daylightBrightness(d, 64800 - 1200), 75.0);
    QCOMPARE(daylightBrightness(d, 64800 + 2399), (64800.0 - 67199) * 50 / 2400 + 50);
    QCOMPARE(timeOfDay(d, -37800 - 60), 86340.0);
    QCOMPARE(timeOfDay(d, 86400 + 10), 37810.0);
}

void TestViewerDerivations::coastNames_data()
{
    QTest::addColumn<double>("centreLat");
    QTest::addColumn<double>("centreLon");
    QTest::addColumn<double>("span");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("34 40 N 136 E") << 2090.0 << 8190.0 << 0.0 << QStringList{"5236"};
    QTest::newRow("span below 3 counts as 3") << 2119.0 << 8430.0 << 1.0 << QStringList{"5240", "5340"};
    QTest::newRow("across a column") << 2100.0 << 8400.0 << 2.0 << QStringList{"5239", "5240"};
    QTest::newRow("span 50") << 2100.0 << 8370.0 << 50.0
                             << QStringList{"5138", "5139", "5140", "5238", "5239", "5240", "5338", "5339", "5340"};
    QTest::newRow("span 60: toba") << 2100.0 << 8400.0 << 60.0 << QStringList{"TOBA"};
}

void TestViewerDerivations::coastNames()
{
    QFETCH(double, centreLat);
    QFETCH(double, centreLon);
    QFETCH(double, span);
    QFETCH(QStringList, names);
    ViewerExtent e;
    e.CentreLat = centreLat;
    e.CentreLon = centreLon;
    e.MaxLat = centreLat + span / 2;
    e.MinLat = centreLat - span / 2;
    QCOMPARE(coastFileNames(e), names);
}

void TestViewerDerivations::datumShiftNearTokyo()
{
    // Tokyo datum to WGS 84 near Tokyo: about 12″ north and 12″ west.
    const QPointF shift = datumShift(35.5 * 60, 139.75 * 60);
    QVERIFY2(near(shift.x(), 0.194, 0.01), qPrintable(QString::number(shift.x())));
    QVERIFY2(near(shift.y(), -0.192, 0.01), qPrintable(QString::number(shift.y())));
}

void TestViewerDerivations::meshTile()
{
    ViewerCoast coast;
    coast.Area = {2100, 2140, 8360, 8400};
    coast.LatShift = 0.2;
    coast.LonShift = -0.1;
    const QByteArray lCount3 = "L" + QByteArray(48, ' ') + "     3";
    const QByteArray tile = "M 533905\r\n" + lCount3 +
                            "\r\n"
                            "    0    0 5000 5000100001000010000    0\r\n"
                            "M 533000\r\n" +
                            lCount3 +
                            "\r\n"
                            "    0    0 5000 5000\r\n"
                            "M 533905\r\n"
                            "L\r\n"
                            "  abc    1 1000 1000 2000 2000\r\n";
    ReadProblems problems;
    readMeshCoast(tile, coast, QStringLiteral("coastline/5339.cst"), problems);
    // Sub-mesh 533905: south 53 × 40 = 2120, west 39 × 60 + 6000 + 5 × 7.5 = 8377.5. The fourth
    // point is past the line's three; sub-mesh 533000 (west 7800) lies outside the area; an L
    // line without a count holds one point.
    QCOMPARE(coast.pointCount(), 4);
    QVERIFY(coast.startsLine(0));
    QVERIFY(near(coast.latitude(0), 2120.2));
    QVERIFY(near(coast.Lat[0], 2120.2 + CoastLineStartMarker));
    QVERIFY(near(coast.Lon[0], 8377.4));
    QVERIFY(!coast.startsLine(1));
    QVERIFY(near(coast.Lat[1], 2122.7));
    QVERIFY(near(coast.Lon[1], 8381.15));
    QVERIFY(near(coast.Lat[2], 2125.2) && near(coast.Lon[2], 8384.9));
    QVERIFY(coast.startsLine(3));
    QVERIFY(near(coast.latitude(3), 2120.7));
    QCOMPARE(problems.size(), 1);
    QCOMPARE(problems[0].Line, 9);
}

void TestViewerDerivations::clipping()
{
    ViewerCoast coast;
    coast.Area = {0, 10, 0, 10};
    // One line running out of the area and back: the point after the gap starts a new line.
    for (int i = 0; i < 12; ++i) {
        const double lat = i < 4 || i > 7 ? 5.0 : 20.0;
        coast.Lat.append(i == 0 ? lat + CoastLineStartMarker : lat);
        coast.Lon.append(1.0 + i * 0.5);
    }
    coast.Lat.append(5.0); // on the border: outside
    coast.Lon.append(10.0);
    clipCoastToArea(coast);
    QCOMPARE(coast.pointCount(), 8);
    QVERIFY(coast.startsLine(0));
    QVERIFY(!coast.startsLine(3));
    QVERIFY(coast.startsLine(4));
    QCOMPARE(coast.Lon[4], 5.0);
    QCOMPARE(coast.latitude(4), 5.0);
}

void TestViewerDerivations::commaCoastFile()
{
    AppFolder app;
    app.write(QStringLiteral("coastline/toba.cst"), {"R, 2000, 8100", "2001, 8101", "2002,8102", "R,2100,8200", "x"});
    ViewerExtent e;
    e.CentreLat = 2100;
    e.CentreLon = 8300;
    e.MaxLat = 2130;
    e.MinLat = 2070;
    ReadProblems problems;
    const ViewerCoast coast = loadCoast(app.path(), e, problems);
    QCOMPARE(coast.Files, QStringList{"TOBA"});
    QCOMPARE(coast.pointCount(), 4);
    QVERIFY(coast.startsLine(0) && !coast.startsLine(1) && coast.startsLine(3));
    QCOMPARE(coast.latitude(3), 2100.0);
    QCOMPARE(coast.LatShift, 0.0); // no datum shift and no clipping for the comma file
    QCOMPARE(problems.size(), 1);
    QCOMPARE(problems[0].toString(1), QStringLiteral("coastline/toba.cst:5: coast point \"x\" cannot be read: point skipped"));
}

void TestViewerDerivations::speedsAndCourses()
{
    // Samples 20 s apart, each 100 m north of the last: 300 m over 60 s is 9.72 knots; then a
    // step east and a repeated position that keeps the course.
    QList<std::array<double, 3>> samples;
    for (int i = 0; i < 8; ++i)
        samples.append({i * 20.0, 2100 + i * 100 * MetresToMinutes, 8400.0});
    const double lastLat = samples.last()[1];
    samples.append({160.0, lastLat, 8400.01});
    samples.append({180.0, lastLat, 8400.01});
    samples.append({200.0, lastLat - 0.01, 8400.01});
    ViewerRace race;
    race.Boats << boatWith("A", samples);
    const double maxSpeed = deriveSpeedsAndCourses(race, 1.0);
    const QVector<ViewerSample> &s = race.Boats[0].Samples;
    const double knots = 300.0 / 60 * 3.6 / 1.852;
    for (int j = 1; j <= 5; ++j)
        QVERIFY2(near(s[j].Speed, knots, 1e-9), qPrintable(QString::number(s[j].Speed)));
    QVERIFY(near(s[0].Speed, 200.0 / 40 * 3.6 / 1.852));
    QCOMPARE(s[0].Course, 0);
    QCOMPARE(s[7].Course, 90);
    QCOMPARE(s[8].Course, 90); // no step: the course before it
    QCOMPARE(s[9].Course, 180);
    QCOMPARE(s.last().Speed, 0.0);
    QCOMPARE(s.last().Course, 0);
    QVERIFY(near(maxSpeed, knots));
    QCOMPARE(stepCourse(-1, -1), 225.0);
    QCOMPARE(stepCourse(0, -5), 270.0);
}

void TestViewerDerivations::shortTracksAndMaximum()
{
    ViewerRace race;
    // Five samples are too few: speeds and courses stay 0.
    race.Boats << boatWith("Five", {{0, 0, 0}, {1, 1, 0}, {2, 2, 0}, {3, 3, 0}, {4, 4, 0}});
    // 12 knots is taken for a glitch and does not set the maximum; 6 knots does.
    QList<std::array<double, 3>> fast, slow;
    for (int i = 0; i < 6; ++i) {
        fast.append({i * 10.0, i * 12 * 1852 / 360.0 * MetresToMinutes, 0});
        slow.append({i * 10.0, i * 6 * 1852 / 360.0 * MetresToMinutes, 0});
    }
    race.Boats << boatWith("Fast", fast) << boatWith("Slow", slow);
    const double maxSpeed = deriveSpeedsAndCourses(race, 1.0);
    for (const ViewerSample &s : race.Boats[0].Samples)
        QVERIFY(s.Speed == 0 && s.Course == 0);
    QVERIFY(near(race.Boats[1].Samples[2].Speed, 12, 1e-9));
    QVERIFY2(near(maxSpeed, 6, 1e-9), qPrintable(QString::number(maxSpeed)));
}

void TestViewerDerivations::startLineAndFinish()
{
    // Start line L1 along latitude 2100 (lon 8400 … 8401), mark MK1 at 2105, finish line L2 along
    // latitude 2103. Period end 1000 s: the start is looked for up to the first step after 200 s.
    ViewerRace race;
    race.Period = {-190, 1000};
    race.Lines << ViewerLine{2100, 8400, 2100, 8401} << ViewerLine{2103, 8400, 2103, 8401};
    race.Marks << ViewerMark{2105, 8400.5};
    race.Course = {"L1", "MK1", "L2"};
    // Boat 1 crosses early, goes back and starts at 0 s (the second crossing northwards), rounds
    // the mark at 300 s and finishes at 550 s; a later crossing of the start line does not count.
    const QList<std::array<double, 3>> sailed{{-30, 2099.9, 8400.5}, {-20, 2100.1, 8400.5}, {-10, 2099.9, 8400.5},
                                              {10, 2100.1, 8400.5},  {100, 2102, 8400.5},   {200, 2104.9, 8400.5},
                                              {300, 2105, 8400.5},   {400, 2104, 8400.5},   {500, 2102.9, 8400.5},
                                              {600, 2103.1, 8400.5}, {700, 2099, 8400.5},   {800, 2101, 8400.5}};
    race.Boats << boatWith("Alpha", sailed) << boatWith("Bravo", sailed);
    // Boat 3 stops logging at the mark: never finishes.
    race.Boats << boatWith("Charlie", sailed.mid(0, 7));
    for (int b = 0; b < 3; ++b)
        race.Boats[b].Colour = boatColour(b + 1);

    const PassTable t = computePassTable(race);
    QVERIFY(near(t.passingTime(1, 1), 0.0));
    QCOMPARE(t.passingTime(1, 2), 300.0);
    QVERIFY(near(t.passingTime(1, 3), 550.0));
    QCOMPARE(t.passingTime(3, 3), PassTable::NotPassed);
    // Equal finishes share a rank; the boat that never finished ranks behind both.
    QCOMPARE(t.Rank, (QVector<int>{1, 1, 3}));
    // Ties go to the lower boat number; Charlie's log ends at the mark, so its closest approach
    // there is the sample before and it leads at MK1.
    QCOMPARE(t.LeaderBoat, (QVector<int>{1, 3, 1}));
    QCOMPARE(t.passingTime(3, 2), 200.0);
    QVERIFY(near(t.leaderFinishTime(), 550.0));

    const QList<ScoreLabel> labels = scoreLabels(race, t);
    QCOMPARE(labels.size(), 3);
    QCOMPARE(labels[0].Text, QStringLiteral(" 1  Alpha  (+0sec)"));
    QCOMPARE(labels[0].Top, 5);
    QCOMPARE(labels[2].Text, QStringLiteral(" 3  Charlie  (+999450sec)"));
    QCOMPARE(labels[2].Top, 35);
    QCOMPARE(labels[1].Colour, boatColour(2));

    // Without a line there is no finish panel.
    race.Lines.clear();
    race.Course = {"MK1"};
    QVERIFY(scoreLabels(race, computePassTable(race)).isEmpty());
}

void TestViewerDerivations::laterLineOutsideItsEnds()
{
    // A later line: crossings of its extension are taken until one falls between its ends.
    ViewerRace race;
    race.Period = {-190, 1000};
    race.Lines << ViewerLine{2100, 8400, 2100, 8401} << ViewerLine{2103, 8400, 2103, 8401};
    race.Course = {"L1", "L2"};
    race.Boats << boatWith("Wide then through", {{-10, 2099.9, 8400.5}, {10, 2100.1, 8400.5}, {100, 2102.9, 8405},
                                                 {200, 2103.1, 8405}, {300, 2102.9, 8400.5}, {400, 2103.1, 8400.5},
                                                 {500, 2102.9, 8400.5}, {600, 2103.1, 8400.5}})
               << boatWith("Wide only", {{-10, 2099.9, 8400.5}, {10, 2100.1, 8400.5}, {100, 2102.9, 8405},
                                         {200, 2103.1, 8405}, {300, 2103.5, 8405}});
    const PassTable t = computePassTable(race);
    QVERIFY(near(t.passingTime(1, 2), 350.0));
    QVERIFY(near(t.passingTime(2, 2), 150.0));
}

void TestViewerDerivations::unknownCourseElement()
{
    ViewerRace race;
    race.Marks << ViewerMark{2100, 8400};
    race.Course = {"MK1", "MK9", "L1", "X"};
    race.CourseLineNumber = 7;
    race.Boats << boatWith("A", {{0, 2101, 8400}, {10, 2100, 8400}, {20, 2101, 8400}});
    ReadProblems problems;
    const PassTable t = computePassTable(race, QStringLiteral("raceadmin/r.txt"), &problems);
    QCOMPARE(t.passingTime(1, 1), 10.0);
    QCOMPARE(t.passingTime(1, 2), PassTable::NotPassed);
    QCOMPARE(t.LeaderBoat[1], 0);
    QCOMPARE(problems.size(), 3);
    QCOMPARE(problems[0].toString(1), QStringLiteral("raceadmin/r.txt:7: course element MK9 names no mark or line"));
    QCOMPARE(courseElement(QStringLiteral("MK1"), race).What, CourseElement::Mark);
}

void TestViewerDerivations::windAtTime()
{
    ViewerRace race;
    race.WindDirection = 200;
    race.MagneticVariation = -7.4;
    QCOMPARE(windAt(race, 0).Direction, 200);
    QCOMPARE(windAt(race, 0).Speed, 5.0);
    QCOMPARE(windAt(race, 0).DisplayedDirection, 193);
    race.Wind << ViewerWindSample{100, 8, 350} << ViewerWindSample{200, 12, 10};
    QCOMPARE(windAt(race, 0).Direction, 350);    // all samples after t: the first
    QCOMPARE(windAt(race, 150).Direction, 360);  // through north, not through south
    QCOMPARE(windAt(race, 150).Speed, 10.0);
    QCOMPARE(windAt(race, 500).Direction, 10);
}

void TestViewerDerivations::boatStates()
{
    ViewerBoat boat = boatWith("A", {{0, 0, 0}, {10, 10, 0}, {20, 10, 10}, {30, 20, 10}});
    boat.Samples[0].Course = 0;
    boat.Samples[1].Course = 90;
    boat.Samples[1].Speed = 6;
    boat.Samples[2].Course = 0;
    QCOMPARE(findSegment(boat, 15, 3), 2); // searched round from the last frame's segment
    QCOMPARE(findSegment(boat, 30, 1), 0); // the last sample starts no segment
    QCOMPARE(findSegment(boat, -1, 2), 0);
    const BoatState s = boatStateAt(boat, 15, 100, 1);
    QVERIFY(s.HasSegment);
    QCOMPARE(s.Lat, 10.0);
    QCOMPARE(s.Lon, 5.0);
    QCOMPARE(s.Course, 90.0);
    QCOMPARE(s.Speed, 6.0);
    QCOMPARE(s.Twa, 10.0);
    // Within the first second of a segment the course turns from the one before.
    QCOMPARE(boatStateAt(boat, 10.5, 0, 1).Course, 45.0);
    QCOMPARE(boatStateAt(boat, 20.5, 0, 1).Course, 45.0);
    QCOMPARE(boatStateAt(boat, 25, 270, 1).Twa, -90.0);
}

QTEST_GUILESS_MAIN(TestViewerDerivations)
#include "testviewerderivations.moc"
