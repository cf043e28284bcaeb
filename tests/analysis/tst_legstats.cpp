#include "racefixture.h"

#include <legstats.h>
#include <raceloader.h>
#include <racegenerator.h>
#include <trackcursor.h>

#include <dialogs.h>

#include <QRandomGenerator>
#include <QtTest>

using fixture::Waypoint;

namespace {

constexpr double v = 1.0 / 600; // minutes a second: 6 knots on the plain extent

// Start line L1 runs east from (2000, 8000) for 0.2'; the windward mark MK1 lies 1' due north
// of its first end; the finish line L2 runs west from (2000, 8000). So the first leg bears 0,
// the second 180 and the mark's outer bisector points north.
RaceControl windwardRace(int boats)
{
    RaceControl r = fixture::raceWith({"L1", "MK1", "L2"}, boats);
    r.Marks = {{2001.0, 8000.0}};
    r.Lines = {{2000.0, 8000.0, 2000.0, 8000.2}, {2000.0, 8000.0, 2000.0, 7999.8}};
    return r;
}

// Boat 1: starts at 10 s, rounds the mark to port by crossing the bisector at 636 s,
// finishes at 1260 s, always at 6 knots.
QList<Waypoint> boat1()
{
    const double e0 = 8000.02 + 0.5 * v;
    return {{-100, 2000 - 110.5 * v, e0},
            {623, 2001.02 + 0.5 * v, e0},
            {648, 2001.02 + 0.5 * v, e0 - 25 * v},
            {1320, 2001.02 + 0.5 * v - 672 * v, e0 - 25 * v}};
}

// Boat 2: over the line at −10 s, back behind it at −3 s, starts again at 8 s; bisector at
// 658 s; finish at 1305 s.
QList<Waypoint> boat2()
{
    const double e0 = 8000.05 + 0.5 * v;
    const double top = 2001.03 + 0.5 * v;
    return {{-30, 2000 - 20.5 * v, e0},
            {-6, 2000 + 3.5 * v, e0},
            {3, 2000 - 5.5 * v, e0},
            {627, top, e0},
            {687, top, e0 - 60 * v},
            {1360, top - 673 * v, e0 - 60 * v}};
}

// Boat 3: over the line early at −10 s and never back; passes 0.1' east of the mark without
// crossing its bisector (closest at 590 s, so the second scan takes 591 s), goes round
// well clear and finishes at 1669 s.
QList<Waypoint> boat3()
{
    return {{-30, 2000 - 20 * v, 8000.1},
            {710, 2001.2, 8000.1},
            {770, 2001.2, 8000.2},
            {1430, 2000.1, 8000.2},
            {1610, 2000.1 - 0.5 * v, 7999.9},
            {1730, 2000.1 - 120.5 * v, 7999.9}};
}

// Boat 5: the same start as boat 3, but its recording ends at 300 s, far from the mark.
QList<Waypoint> boat5()
{
    return {{-30, 2000 - 20 * v, 8000.1}, {300, 2000 + 310 * v, 8000.1}};
}

RaceData windwardData()
{
    RaceData d;
    d.Extent = fixture::plainExtent();
    d.Tracks = {fixture::trackThrough(boat1(), d.Extent), fixture::trackThrough(boat2(), d.Extent),
                fixture::trackThrough(boat3(), d.Extent), BoatTrack{},
                fixture::trackThrough(boat5(), d.Extent)};
    return d;
}

} // namespace

class TestLegStats : public QObject
{
    Q_OBJECT
private slots:
    void bearingQuadrants_data();
    void bearingQuadrants();
    void outerBisector_data();
    void outerBisector();
    void cursorFollowsForwardScan();
    void cursorHandlesFixesOutOfOrder();
    void trackDistanceAt();
    void handMadeRace();
    void startLineLaterThanWindowIsMissed();
    void lineFarFromFirstEndIsMissed();
    void fallbackTakesClosestApproach();
    void stoppedRecordingIsNotCreditedAgain();
    void fallbackNeverTakesARoundingTwice();
    void demoRaceMarkTwice_data();
    void demoRaceMarkTwice();
    void passingOverSecondsChangesNothing();
    void timesFarFromTheTracks_data();
    void timesFarFromTheTracks();
    void leaderOrdering();
    void badCourses_data();
    void badCourses();
    void longCourseAnalysesFirstTwenty();
    void legFigures();
    void invalidate();
};

void TestLegStats::bearingQuadrants_data()
{
    QTest::addColumn<double>("dN");
    QTest::addColumn<double>("dE");
    QTest::addColumn<double>("bearing");
    QTest::newRow("north") << 1.0 << 0.0 << 0.0;
    QTest::newRow("east") << 0.0 << 1.0 << 90.0;
    QTest::newRow("zero vector") << 0.0 << 0.0 << 90.0;
    QTest::newRow("west") << 0.0 << -1.0 << 270.0;
    QTest::newRow("south") << -1.0 << 0.0 << 180.0;
    QTest::newRow("south-east") << -1.0 << 1.0 << 135.0;
    QTest::newRow("south-west") << -1.0 << -1.0 << 225.0;
    QTest::newRow("north-west") << 1.0 << -1.0 << 315.0;
}

void TestLegStats::bearingQuadrants()
{
    QFETCH(double, dN);
    QFETCH(double, dE);
    QFETCH(double, bearing);
    QVERIFY(std::fabs(LegStats::bearing(dN, dE, RaceExtent().DegToRad) - bearing) < 1e-9);
}

void TestLegStats::outerBisector_data()
{
    QTest::addColumn<double>("incoming");
    QTest::addColumn<double>("outgoing");
    QTest::addColumn<double>("bisector");
    QTest::newRow("windward mark, 0 then 180") << 0.0 << 180.0 << 360.0;
    QTest::newRow("90 then 180") << 90.0 << 180.0 << 45.0;
    QTest::newRow("leeward mark, 180 then 0") << 180.0 << 0.0 << 180.0;
    QTest::newRow("wing mark, 45 then 135") << 45.0 << 135.0 << 0.0 + 360.0;
    QTest::newRow("turn to port, 0 then 270") << 0.0 << 270.0 << 45.0;
    QTest::newRow("turn to starboard, 0 then 90") << 0.0 << 90.0 << 315.0;
}

void TestLegStats::outerBisector()
{
    QFETCH(double, incoming);
    QFETCH(double, outgoing);
    QFETCH(double, bisector);
    QCOMPARE(LegStats::outerBisector(incoming, outgoing), bisector);
}

void TestLegStats::cursorFollowsForwardScan()
{
    const RaceExtent x = fixture::plainExtent();
    const BoatTrack t = fixture::trackThrough({{0, 2000, 8000}, {100, 2001, 8000}}, x, 10);
    TrackCursor c(t);
    QVERIFY(!c.TrackPositionAt(-1));
    QCOMPARE(c.TrackPositionAt(0)->Lat, 2000.0);
    QVERIFY(std::fabs(c.TrackPositionAt(35)->Lat - 2000.35) < 1e-9);
    QCOMPARE(c.searchStart(), 3);
    QVERIFY(!c.TrackPositionAt(100)); // at the last point: no pair brackets it
    QCOMPARE(c.searchStart(), 3);
    // The search never goes back before the search start.
    QVERIFY(!c.TrackPositionAt(5));
    c.restart();
    QVERIFY(c.TrackPositionAt(5));
}

void TestLegStats::cursorHandlesFixesOutOfOrder()
{
    BoatTrack t;
    t.Points = {{0, 2000, 8000}, {10, 2001, 8000}, {5, 2002, 8000}, {20, 2003, 8000}};
    TrackCursor c(t);
    // The first pair from the start that brackets the time wins.
    QVERIFY(std::fabs(c.TrackPositionAt(7)->Lat - 2000.7) < 1e-9);
    QVERIFY(std::fabs(c.TrackPositionAt(12)->Lat - (2002 + 7.0 / 15)) < 1e-9);
}

void TestLegStats::trackDistanceAt()
{
    const RaceExtent x = fixture::plainExtent();
    const BoatTrack late = fixture::trackThrough({{30, 2000, 8000}, {90, 2000.1, 8000}}, x);
    QCOMPARE(TrackDistanceAt(late, 0), 0.0);
    QVERIFY(std::fabs(TrackDistanceAt(late, 60) - 0.05) < 1e-9);
    // After the last point the boat keeps the distance it had sailed.
    QVERIFY(std::fabs(TrackDistanceAt(late, 500) - 0.1) < 1e-9);
    QCOMPARE(TrackDistanceAt(BoatTrack{}, 10), 0.0);
}

void TestLegStats::handMadeRace()
{
    const RaceControl race = windwardRace(5);
    const RaceData data = windwardData();
    LegStats s;
    s.ComputeRoundingTimes(race, data);
    QCOMPARE(s.OuterBisector[1], 360.0);
    QCOMPARE(s.LegBearing[0], 0.0);
    QCOMPARE(s.LegBearing[1], 180.0);

    const QVector<QVector<double>> expected{{10, 636, 1260},
                                            {8, 658, 1305},
                                            {-10, 591, 1669},
                                            {0, 0, 0},
                                            {-10, 0, 0}};
    QCOMPARE(s.RoundingTime, expected);
    QCOMPARE(s.LeaderTime, (QVector<double>{8, 591, 1260}));
    QVERIFY(!s.Valid);

    s.ComputeRoundingDistances(data);
    QVERIFY(s.Valid);
    // Boat 1 sails 6 knots from its first point: t / 600 nm since the start.
    QCOMPARE(s.RoundingDistance[0], (QVector<double>{0.017, 1.06, 2.1}));
    QCOMPARE(s.RoundingDistance[1][0], 0.013);
    QCOMPARE(s.RoundingDistance[2][0], -0.017); // passed before the start
    QCOMPARE(s.RoundingDistance[3], (QVector<double>{0, 0, 0}));
    QCOMPARE(s.RoundingDistance[4][1], 0.0);
}

void TestLegStats::startLineLaterThanWindowIsMissed()
{
    RaceControl race = windwardRace(1);
    RaceData d;
    d.Extent = fixture::plainExtent();
    // Crosses the start at 400.5 s, after the start window, then sails to the mark.
    d.Tracks = {fixture::trackThrough({{300, 2000 - 100.5 * v, 8000.02 + 0.5 * v},
                                       {923, 2001.02 + 0.5 * v, 8000.02 + 0.5 * v},
                                       {948, 2001.02 + 0.5 * v, 8000.02 - 24.5 * v}},
                                      d.Extent)};
    LegStats s;
    s.ComputeRoundingTimes(race, d);
    QCOMPARE(s.RoundingTime[0][0], 0.0);
    QCOMPARE(s.RoundingTime[0][1], 936.0); // its mark window started at 0
    QCOMPARE(s.LeaderTime[0], LegStats::NoLeader);
    QCOMPARE(s.LeaderTime[1], LegStats::NoLeader); // nobody after a leader that never was
}

void TestLegStats::lineFarFromFirstEndIsMissed()
{
    RaceControl race = fixture::raceWith({"L1", "L2"}, 2);
    race.Lines = {{2000.0, 8000.0, 2000.0, 8001.0}, {2001.0, 8000.0, 2001.0, 8001.0}};
    RaceData d;
    d.Extent = fixture::plainExtent();
    d.Tracks = {fixture::trackThrough({{-60, 2000 - 60.5 * v, 8000.5}, {100, 2000 + 99.5 * v, 8000.5}}, d.Extent),
                fixture::trackThrough({{-60, 2000 - 60.5 * v, 8000.2}, {100, 2000 + 99.5 * v, 8000.2}}, d.Extent)};
    LegStats s;
    s.ComputeRoundingTimes(race, d);
    QCOMPARE(s.RoundingTime[0][0], 0.0); // 0.5' from the first end, though between the ends
    QCOMPARE(s.RoundingTime[1][0], 0.0);
    // 0.2' from the first end, crossing at 0.5 s: the crossing second is 0, which reads as
    // "not passed"; one second later it counts.
    d.Tracks[1] = fixture::trackThrough({{-60, 2000 - 61.5 * v, 8000.2}, {100, 2000 + 98.5 * v, 8000.2}}, d.Extent);
    s.ComputeRoundingTimes(race, d);
    QCOMPARE(s.RoundingTime[1][0], 1.0);
}

void TestLegStats::fallbackTakesClosestApproach()
{
    // A course that starts at a mark the boat passes only after the start window: the
    // closest approach between −120 s and its next passing gives the start.
    RaceControl race = fixture::raceWith({"MK1", "MK2"}, 1);
    race.Marks = {{2000.0, 8000.0}, {2000.0, 8000.5}};
    RaceData d;
    d.Extent = fixture::plainExtent();
    d.Tracks = {fixture::trackThrough({{-100, 2000.03, 7999.0 + 0.5 * v}, {1000, 2000.03, 7999.0 + 1100.5 * v}}, d.Extent)};
    LegStats s;
    s.ComputeRoundingTimes(race, d);
    QCOMPARE(s.RoundingTime[0][1], 800.0); // crosses north of MK2 at 799.5 s
    QCOMPARE(s.RoundingTime[0][0], 499.0); // equally close at 499 and 500: the earlier
}

void TestLegStats::stoppedRecordingIsNotCreditedAgain()
{
    // Boat 1 sails one lap and stops recording just after the finish line. Its second lap is
    // not detected at MK1, and the finish line must not be credited again from the crossing
    // it already counted at 1260 s.
    RaceControl race = windwardRace(1);
    race.Course.Entries = {"L1", "MK1", "L2", "MK1", "L2"};
    const RaceData data = windwardData();
    LegStats s;
    s.ComputeRoundingTimes(race, data);
    QCOMPARE(s.RoundingTime[0], (QVector<double>{10, 636, 1260, 0, 0}));

    // Recording stops at 700 s, still within 200 m of the mark it has just rounded: the second
    // rounding of MK1 is not taken from the boat drifting away from the first.
    RaceData cut = data;
    cut.Tracks[0].Points.resize(801); // points from −100 s to 700 s
    race.Course.Entries = {"L1", "MK1", "L2", "MK1"};
    s.ComputeRoundingTimes(race, cut);
    QCOMPARE(s.RoundingTime[0], (QVector<double>{10, 636, 0, 0}));
}

void TestLegStats::fallbackNeverTakesARoundingTwice()
{
    // Twice round MK1 with the start line between: boat 1 rounds MK1 once and finishes, never
    // going back to the start line. Its first MK1 is found; the second must not be the first
    // one again through the closest-approach fallback, whose window used to start at 1 s
    // when the entry before it was not detected.
    RaceControl race = windwardRace(1);
    race.Course.Entries = {"L1", "MK1", "L1", "MK1", "L2"};
    const RaceData data = windwardData();
    LegStats s;
    s.ComputeRoundingTimes(race, data);
    QCOMPARE(s.RoundingTime[0][1], 636.0);
    QCOMPARE(s.RoundingTime[0][3], 0.0);
    QCOMPARE(s.RoundingTime[0][4], 1260.0);
}

void TestLegStats::demoRaceMarkTwice_data()
{
    QTest::addColumn<QStringList>("course");
    QTest::newRow("L1 MK1 L1 MK1 L2") << QStringList{"L1", "MK1", "L1", "MK1", "L2"};
    QTest::newRow("L1 MK1 MK2 MK1 MK2 L2") << QStringList{"L1", "MK1", "MK2", "MK1", "MK2", "L2"};
}

void TestLegStats::demoRaceMarkTwice()
{
    // The keel demo race sails L1, MK1, MK2, L2 once. Given a course that visits a mark twice,
    // no boat gets one rounding credited twice and no leg time is negative.
    QFETCH(QStringList, course);
    QTemporaryDir dir;
    const auto preset = tools::presetRace(QStringLiteral("keel"));
    QVERIFY(preset);
    QString error;
    QVERIFY2(tools::writeRace(tools::generateRace(*preset), dir.path(), &error), qPrintable(error));
    platform::ScriptedDialogs dialogs;
    platform::DialogsGuard guard(&dialogs);
    AppSettings settings;
    settings.ApplicationFolder = dir.path();
    RaceControl race;
    race.FileName = preset->RaceFileName;
    RaceData data;
    QVERIFY(LoadRace(settings, race, data).ok);
    race.Course.Entries = course;
    LegStats s;
    s.ComputeRoundingTimes(race, data);
    for (int b = 0; b < race.boatCount(); ++b) {
        const QVector<double> &rt = s.RoundingTime[b];
        TrackCursor cursor(data.Tracks[b]);
        for (int j = 0; j < rt.size(); ++j) {
            for (int k = j + 1; k < rt.size(); ++k) {
                if (rt[j] == 0 || rt[k] == 0)
                    continue;
                const QString what = QStringLiteral("boat %1, entries %2 and %3: %4 and %5")
                                         .arg(b + 1).arg(j + 1).arg(k + 1).arg(rt[j]).arg(rt[k]);
                QVERIFY2(rt[k] > rt[j], qPrintable(what));
                if (course[j] != course[k] || !course[j].startsWith("MK"))
                    continue;
                // Two roundings of one mark: the boat left its circle in between.
                const RaceMark m = race.Marks[course[j].mid(2).toInt() - 1];
                bool left = false;
                for (double t = rt[j]; t <= rt[k] && !left; t += 1) {
                    const auto p = cursor.peekPositionAt(t, 0);
                    left = p && std::hypot(p->Lat - m.Lat, data.Extent.LonFactor * (p->Lon - m.Lon)) > LegStats::MarkReach;
                }
                QVERIFY2(left, qPrintable(what));
            }
        }
        // The mark the fleet rounds only once is found once, at its first rounding.
        QVERIFY2(rt[1] > 0, qPrintable(QString::number(b + 1)));
        QCOMPARE(rt[3], 0.0);
    }
}

void TestLegStats::passingOverSecondsChangesNothing()
{
    // Races made at random, each computed looking at every second and passing over the ones
    // where nothing can be found: the passing times must be the same. The tracks mix fix
    // intervals, pauses of the recording, boats that stop within a circle, fixes out of order
    // and tracks that end early or start late.
    QRandomGenerator random(20240713);
    const RaceExtent x = fixture::plainExtent();
    auto uniform = [&random](double a, double b) { return a + (b - a) * random.generateDouble(); };
    int passings = 0;
    for (int round = 0; round < 150; ++round) {
        RaceControl race;
        const int marks = 1 + random.bounded(3);
        // Marks far apart, or close enough that leaving one's circle is coming to the next.
        const double spread = random.bounded(2) ? 0.6 : 0.15;
        for (int m = 0; m < marks; ++m)
            race.Marks.append({2000 + uniform(-spread, spread), 8000 + uniform(-spread, spread)});
        for (int l = 0; l < 2; ++l) {
            const double lat = 2000 + uniform(-0.6, 0.6), lon = 8000 + uniform(-0.6, 0.6);
            race.Lines.append({lat, lon, lat + uniform(-0.2, 0.2), lon + uniform(-0.2, 0.2)});
        }
        // Courses that come back to a mark with a line between, which boats often miss, make the
        // scans wait until the boat has left the mark passed last.
        QStringList course{"L1"};
        const int middle = 1 + random.bounded(5);
        for (int i = 0; i < middle; ++i)
            course << (random.bounded(3) == 0 ? QStringLiteral("L2") : QStringLiteral("MK%1").arg(1 + random.bounded(marks)));
        course << QStringLiteral("L%1").arg(1 + random.bounded(2));
        race.Course.Entries = course;
        race.PreStartSeconds = 180;
        race.RaceDuration = 3000 + random.bounded(3000);

        RaceData data;
        data.Extent = x;
        for (int b = 0; b < 5; ++b) {
            race.Boats.append({QStringLiteral("b%1.trk").arg(b), QStringLiteral("B%1").arg(b)});
            // Waypoints round the course entries, a little off each, at about 6 knots.
            QList<Waypoint> w;
            int t = -200 + random.bounded(100);
            double lat = 2000 + uniform(-0.3, 0.3) - 0.2, lon = 8000 + uniform(-0.3, 0.3);
            w.append({t, lat, lon});
            for (const QString &entry : course) {
                const CourseEntry ce = CourseEntry::parse(entry);
                const double tLat = ce.kind == CourseEntry::Line ? race.Lines[ce.number - 1].Lat1 : race.Marks[ce.number - 1].Lat;
                const double tLon = ce.kind == CourseEntry::Line ? race.Lines[ce.number - 1].Lon1 : race.Marks[ce.number - 1].Lon;
                for (const double off : {0.15, -0.15}) {
                    const double nLat = tLat + uniform(-0.1, 0.1) + off * (random.bounded(2) ? 1 : -1);
                    const double nLon = tLon + uniform(-0.1, 0.1) + off;
                    const double d = std::hypot(nLat - lat, nLon - lon);
                    t += 1 + int(d / v * uniform(0.6, 1.4));
                    lat = nLat;
                    lon = nLon;
                    w.append({t, lat, lon});
                    if (random.bounded(8) == 0) { // a stop where it is
                        t += 30 + random.bounded(600);
                        w.append({t, lat, lon});
                    }
                }
            }
            const int step = QList<int>{1, 2, 5, 30, 90}[random.bounded(5)];
            BoatTrack track = fixture::trackThrough(w, x, step);
            QVector<TrackPoint> &p = track.Points;
            switch (random.bounded(6)) {
            case 0: // the recording pauses for longer than a pause may last, then goes on
                if (p.size() > 10) {
                    const int k = int(random.bounded(qint64(p.size() - 2))) + 1;
                    for (int i = k; i < p.size(); ++i)
                        p[i].Time += LegStats::MaxFixGap + 60;
                }
                break;
            case 1: // two fixes out of order
                if (p.size() > 10) {
                    const int k = int(random.bounded(qint64(p.size() - 1)));
                    std::swap(p[k].Time, p[k + 1].Time);
                }
                break;
            case 2: // the recording ends early
                p.resize(std::max<qsizetype>(1, p.size() / 3));
                break;
            case 3: // and starts late
                p.remove(0, p.size() / 2);
                break;
            default:
                break;
            }
            data.Tracks.append(track);
        }

        LegStats every, passing;
        every.LookAtEverySecond = true;
        every.ComputeRoundingTimes(race, data);
        passing.ComputeRoundingTimes(race, data);
        QVERIFY2(passing.RoundingTime == every.RoundingTime,
                 qPrintable(QStringLiteral("race %1, course %2").arg(round).arg(course.join(' '))));
        for (const QVector<double> &row : std::as_const(every.RoundingTime))
            passings += int(std::count_if(row.begin(), row.end(), [](double t) { return t != 0; }));
    }
    QVERIFY(passings > 500); // the races do pass marks and lines
}

void TestLegStats::timesFarFromTheTracks_data()
{
    QTest::addColumn<int>("damage");
    QTest::newRow("finish decades after the start") << 0;
    QTest::newRow("pre-start of decades") << 1;
    QTest::newRow("last fix dated decades ahead") << 2;
    QTest::newRow("a fix decades ahead among the others") << 3;
    QTest::newRow("first fix dated decades back") << 4;
}

void TestLegStats::timesFarFromTheTracks()
{
    // A typo in a year makes windows of decades; the scans still end at once and find what
    // they found before.
    QFETCH(int, damage);
    constexpr double Decades = 75 * 365.25 * 86400;
    const RaceControl sound = windwardRace(5);
    const RaceData soundData = windwardData();
    LegStats expected;
    expected.ComputeRoundingTimes(sound, soundData);

    RaceControl race = sound;
    RaceData data = soundData;
    switch (damage) {
    case 0:
        race.RaceDuration = qint64(Decades);
        break;
    case 1:
        race.PreStartSeconds = Decades;
        break;
    case 2:
        for (BoatTrack &t : data.Tracks)
            if (!t.isEmpty())
                t.Points.append({t.Points.last().Time + Decades, t.Points.last().Lat, t.Points.last().Lon, 0, 0, 0});
        race.RaceDuration = qint64(Decades) + 2000;
        break;
    case 3:
        for (BoatTrack &t : data.Tracks)
            if (t.PointCount() > 700)
                t.Points[700].Time += Decades;
        race.RaceDuration = qint64(Decades) + 2000;
        break;
    case 4:
        for (BoatTrack &t : data.Tracks)
            if (!t.isEmpty())
                t.Points.prepend({t.Points.first().Time - Decades, t.Points.first().Lat, t.Points.first().Lon, 0, 0, 0});
        break;
    }
    LegStats s;
    s.ComputeRoundingTimes(race, data);
    if (damage == 3) {
        // The fix out of its place is a pause of the recording to the first-match rule:
        // what lies after it on the track is not reached, but the start still is.
        for (int b = 0; b < 3; ++b)
            QCOMPARE(s.RoundingTime[b][0], expected.RoundingTime[b][0]);
        return;
    }
    QCOMPARE(s.RoundingTime, expected.RoundingTime);
}

void TestLegStats::leaderOrdering()
{
    LegStats s;
    s.RoundingTime = {{-10, 640, 600, 900}, {12, 600, 700, 0}, {8, 0, 1500, 0}};
    s.LeaderTime = QVector<double>(4, 0.0);
    s.computeLeaderTimes();
    // Entry 1: the negative start does not lead. Entry 3: boat 1's 600 is not after the
    // leader of entry 2 (600). Entry 4: boat 1 alone.
    QCOMPARE(s.LeaderTime, (QVector<double>{8, 600, 700, 900}));
    s.RoundingTime = {{5, 600, 590}};
    s.LeaderTime = QVector<double>(3, 0.0);
    s.computeLeaderTimes();
    QCOMPARE(s.LeaderTime, (QVector<double>{5, 600, LegStats::NoLeader}));
}

void TestLegStats::badCourses_data()
{
    QTest::addColumn<QStringList>("course");
    QTest::addColumn<int>("boats");
    QTest::newRow("missing mark") << QStringList{"L1", "MK7", "L2"} << 3;
    QTest::newRow("line 0") << QStringList{"L0", "MK1", "L2"} << 3;
    QTest::newRow("not an entry") << QStringList{"L1", "XYZ", "L2"} << 3;
    QTest::newRow("one entry") << QStringList{"L1"} << 3;
    QTest::newRow("no entries") << QStringList{} << 3;
    QTest::newRow("zero-length line") << QStringList{"L3", "MK1", "L2"} << 3;
    QTest::newRow("one boat") << QStringList{"L1", "MK1", "L2"} << 1;
    QTest::newRow("more boats than tracks") << QStringList{"L1", "MK1", "L2"} << 7;
    QTest::newRow("no boats") << QStringList{"L1", "MK1", "L2"} << 0;
}

void TestLegStats::badCourses()
{
    QFETCH(QStringList, course);
    QFETCH(int, boats);
    RaceControl race = windwardRace(boats);
    race.Course.Entries = course;
    race.Lines.append({2000.0, 8000.05, 2000.0, 8000.05});
    const RaceData data = windwardData();
    LegStats s;
    s.ComputeRoundingTimes(race, data);
    s.ComputeRoundingDistances(data);
    QCOMPARE(s.boatCount(), boats);
    QCOMPARE(s.entryCount(), int(course.size()));
    for (int b = 1; b <= boats; ++b) {
        for (int e = 1; e <= course.size(); ++e) {
            const CourseEntry ce = CourseEntry::parse(course[e - 1]);
            const bool exists = (ce.kind == CourseEntry::Mark && ce.number <= race.markCount())
                || (ce.kind == CourseEntry::Line && ce.number <= race.lineCount());
            if (!exists || b > data.Tracks.size() || data.Tracks[b - 1].isEmpty()) {
                QCOMPARE(s.roundingTime(b, e), 0.0);
                QCOMPARE(s.roundingDistance(b, e), 0.0);
            }
        }
    }
    if (boats >= 1 && course.value(0) == "L1")
        QCOMPARE(s.roundingTime(1, 1), 10.0);
    QCOMPARE(s.roundingTime(99, 1), 0.0);
    QCOMPARE(s.leaderTime(99), LegStats::NoLeader);
}

void TestLegStats::longCourseAnalysesFirstTwenty()
{
    RaceControl race = windwardRace(2);
    QStringList course{"L1", "MK1"};
    while (course.size() < 22)
        course << "MK1";
    course << "L2";
    race.Course.Entries = course;
    const RaceData data = windwardData();
    LegStats s;
    s.ComputeRoundingTimes(race, data);
    QCOMPARE(s.entryCount(), 23);
    QCOMPARE(s.analysedCount(), 20);
    // The first twenty entries are analysed as a course of their own, the twentieth the finish.
    RaceControl first = race;
    first.Course.Entries = course.mid(0, 20);
    LegStats t;
    t.ComputeRoundingTimes(first, data);
    for (int b = 1; b <= 2; ++b) {
        for (int e = 1; e <= 20; ++e)
            QCOMPARE(s.roundingTime(b, e), t.roundingTime(b, e));
        for (int e = 21; e <= 23; ++e)
            QCOMPARE(s.roundingTime(b, e), 0.0);
    }
    QCOMPARE(s.roundingTime(1, 1), 10.0);
    QCOMPARE(s.leaderTime(21), LegStats::NoLeader);
}

void TestLegStats::legFigures()
{
    LegStats s;
    s.RoundingTime = {{-10, 600, 1250, 0}};
    s.RoundingDistance = {{-0.017, 1.0, 2.1234, 0}};
    const LegFigures start = ::legFigures(s, 1, 1);
    QVERIFY(!start.valid);
    QVERIFY(!start.hasLeg);
    QCOMPARE(start.accDistanceMetres, qint64(-31)); // Int(-31.48 + 0.5)
    QCOMPARE(start.accSpeed, 0.0);

    const LegFigures mk = ::legFigures(s, 1, 2);
    QVERIFY(mk.valid);
    QCOMPARE(mk.accDistanceMetres, qint64(1852));
    QCOMPARE(mk.accSpeed, 6.0);
    QCOMPARE(mk.legTime, 610.0);
    QCOMPARE(mk.legDistanceMetres, qint64(1883)); // 1.017 × 1852 = 1883.48
    QCOMPARE(mk.legSpeed, 6.001);                 // 6.00197… truncated in the tables
    QCOMPARE(mk.legSpeedGraph, 6.002);            // and rounded in the graph

    const LegFigures fin = ::legFigures(s, 1, 3);
    QCOMPARE(fin.accSpeed, 6.115);       // 6.11539… rounded
    QCOMPARE(fin.legSpeed, 6.221);       // 6.22190… truncated in the tables
    QCOMPARE(fin.legSpeedGraph, 6.222);  // and rounded in the graph

    // An undetected finish still gives leg figures from both ends, as the tables expect.
    const LegFigures none = ::legFigures(s, 1, 4);
    QVERIFY(!none.valid);
    QCOMPARE(none.legTime, -1250.0);
    QVERIFY(none.hasLegSpeed);
    // A leg time of 0 has no speed.
    s.RoundingTime[0][3] = 1250;
    QVERIFY(!::legFigures(s, 1, 4).hasLegSpeed);
}

void TestLegStats::invalidate()
{
    const RaceControl race = windwardRace(3);
    const RaceData data = windwardData();
    LegStats s;
    s.ComputeRoundingTimes(race, data);
    s.ComputeRoundingDistances(data);
    QVERIFY(s.Valid);
    s.invalidate();
    QVERIFY(!s.Valid);
    QCOMPARE(s.roundingTime(1, 2), 636.0); // the figures stay until computed again
}

QTEST_GUILESS_MAIN(TestLegStats)
#include "tst_legstats.moc"
