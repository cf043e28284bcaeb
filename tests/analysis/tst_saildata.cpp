#include "racefixture.h"

#include <dialogs.h>
#include <saildata.h>
#include <textfile.h>

#include <QtTest>

using fixture::Waypoint;

namespace {

constexpr double r = 0.7071067811865476; // 1 nm at 45° on the plain extent

const platform::LocalDateTime Start = platform::LocalDateTime::fromParts(2008, 3, 2, 10, 0, 0);

// From 0 s: an upwind stretch of two 1 nm boards at 45° and 315° (10 minutes each), then a
// downwind stretch of two boards at 135° and 225°, then on to the last mark at 2400 s.
QList<Waypoint> twoStretches(bool startDownwind = false)
{
    QList<Waypoint> w{{-60, 2000 - 0.1, 8000}, {0, 2000, 8000}};
    if (startDownwind)
        w.append({60, 2000 - 0.1, 8000});
    const int t0 = w.last().time;
    const double lat0 = w.last().lat;
    if (!startDownwind) {
        w.append({t0 + 600, lat0 + r, 8000 + r});
        w.append({t0 + 1200, lat0 + 2 * r, 8000});
    }
    const int t1 = w.last().time;
    const double lat1 = w.last().lat;
    w.append({t1 + 600, lat1 - r, 8000 + r});
    w.append({t1 + 1200, lat1 - 2 * r, 8000});
    w.append({t1 + 1300, lat1 - 2 * r - 0.1, 8000});
    return w;
}

} // namespace

class TestSailData : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void triangleOfTwoBoards();
    void upwindThenDownwind();
    void downwindAtStartClosesEmptyLeg();
    void oneTackOnlyHasNoValues();
    void spanEndsAtStartForTwoEntryCourse();
    void noSpanWithoutPointBeforeStart();
    void fileLayoutOfWorkedExample();
    void fileNames_data();
    void fileNames();
    void exportWritesFile();
    void exportFailureIsReported();

private:
    platform::ScriptedDialogs m_dialogs;
    platform::Dialogs *m_previous = nullptr;
};

void TestSailData::init()
{
    m_dialogs = platform::ScriptedDialogs();
    m_previous = platform::setDialogs(&m_dialogs);
}

void TestSailData::cleanup()
{
    platform::setDialogs(m_previous);
}

void TestSailData::triangleOfTwoBoards()
{
    const RaceExtent x = fixture::plainExtent();
    const BoatTrack t = fixture::trackThrough(twoStretches(), x, 10);
    // The mark before the finish is passed at 1200 s: only the upwind stretch counts.
    const BoatSailLegs b = computeSailLegs(t, 0.0, 1200, x, Start);
    QVERIFY(b.hasSpan);
    QCOMPARE(b.legs.size(), 1);
    const SailLeg &l = b.legs[0];
    QCOMPARE(l.pointOfSail, PointOfSail::Upwind);
    QVERIFY(std::fabs(l.directDistance - std::sqrt(2.0)) < 1e-9);
    QVERIFY(std::fabs(l.portDistance - 1) < 1e-9);
    QVERIFY(std::fabs(l.starboardDistance - 1) < 1e-9);
    QCOMPARE(l.duration, 1200.0);
    QVERIFY(l.hasValues);
    QVERIFY(std::fabs(l.TWA - 45) < 1e-3);
    QVERIFY(std::fabs(l.BSP - 6) < 1e-9);
    QVERIFY(std::fabs(l.VMG - 4.2426) < 1e-3);
    QCOMPARE(l.startTime.toString(), QStringLiteral("2008/03/02 10:00:00"));
    QCOMPARE(l.endTime.toString(), QStringLiteral("2008/03/02 10:20:00"));
}

void TestSailData::upwindThenDownwind()
{
    const RaceExtent x = fixture::plainExtent();
    const BoatTrack t = fixture::trackThrough(twoStretches(), x, 10);
    const BoatSailLegs b = computeSailLegs(t, 0.0, 2400, x, Start);
    QCOMPARE(b.legs.size(), 2);
    QCOMPARE(b.counter(), 3);
    QCOMPARE(b.legs[1].pointOfSail, PointOfSail::Downwind);
    QVERIFY(std::fabs(b.legs[1].TWA - 135) < 1e-3);
    QVERIFY(std::fabs(b.legs[1].VMG + 4.2426) < 1e-3);
}

void TestSailData::downwindAtStartClosesEmptyLeg()
{
    const RaceExtent x = fixture::plainExtent();
    const BoatTrack t = fixture::trackThrough(twoStretches(true), x, 10);
    const BoatSailLegs b = computeSailLegs(t, 0.0, 1260, x, Start);
    QCOMPARE(b.legs.size(), 2);
    QVERIFY(!b.legs[0].hasValues);
    QCOMPARE(b.legs[0].startIndex, b.legs[0].endIndex);
    QCOMPARE(b.legs[1].pointOfSail, PointOfSail::Downwind);
}

void TestSailData::oneTackOnlyHasNoValues()
{
    const RaceExtent x = fixture::plainExtent();
    // Straight to windward on one course: a = 0, all starboard, no triangle.
    const BoatTrack t = fixture::trackThrough({{-60, 1999.9, 8000}, {1200, 2002, 8000}}, x, 10);
    const BoatSailLegs b = computeSailLegs(t, 0.0, 600, x, Start);
    QCOMPARE(b.legs.size(), 1);
    QVERIFY(b.legs[0].starboardDistance > 0);
    QCOMPARE(b.legs[0].portDistance, 0.0);
    QVERIFY(!b.legs[0].hasValues);
    QCOMPARE(b.legs[0].BSP, 0.0);
}

void TestSailData::spanEndsAtStartForTwoEntryCourse()
{
    // Start and finish only: the span ends at the start passing, and nothing has values.
    RaceControl race = fixture::raceWith({"L1", "L2"}, 1);
    race.FileName = "race1.txt";
    race.StartTime = Start;
    RaceData d;
    d.Extent = fixture::plainExtent();
    d.Tracks = {fixture::trackThrough(twoStretches(), d.Extent, 10)};
    LegStats s;
    s.RoundingTime = {{0, 2400}};
    s.LeaderTime = {0, 2400};
    const SailData sail = ComputeSailData(race, d, s);
    QCOMPARE(sail.boats.size(), 1);
    for (const SailLeg &l : sail.boats[0].legs)
        QVERIFY(!l.hasValues);
    QCOMPARE(sailDataLines(sail).last(), QStringLiteral("Boat 1"));
}

void TestSailData::noSpanWithoutPointBeforeStart()
{
    const RaceExtent x = fixture::plainExtent();
    const BoatTrack late = fixture::trackThrough({{0, 2000, 8000}, {1200, 2002, 8000}}, x, 10);
    QVERIFY(!computeSailLegs(late, 0.0, 600, x, Start).hasSpan);
    QVERIFY(!computeSailLegs(BoatTrack{}, 0.0, 600, x, Start).hasSpan);
    // Fewer than ten points before the end point: no end is searched for there.
    const BoatTrack shortTrack = fixture::trackThrough({{-10, 2000, 8000}, {70, 2001, 8000}}, x, 10);
    QVERIFY(!computeSailLegs(shortTrack, 0.0, 60, x, Start).hasSpan);
}

void TestSailData::fileLayoutOfWorkedExample()
{
    SailData d;
    d.raceName = "race1.txt";
    auto leg = [](double bsp, double twa, double vmg, int from, int to) {
        SailLeg l;
        l.hasValues = true;
        l.BSP = bsp;
        l.TWA = twa;
        l.VMG = vmg;
        l.startTime = Start.addSecs(from);
        l.endTime = Start.addSecs(to);
        return l;
    };
    BoatSailLegs one;
    one.name = "Hayate";
    one.hasSpan = true;
    one.legs = {leg(6.1249, 41.2951, 4.6004, 0, 1500), leg(7.0478, 148.8962, -6.0351, 1500, 2400)};
    BoatSailLegs two;
    two.name = "Kaze";
    two.hasSpan = true;
    SailLeg empty;
    two.legs = {empty, leg(5.5, 150.0, -4.7631, 60, 2000)};
    BoatSailLegs three;
    three.name = "Nami";
    d.boats = {one, two, three};

    const QStringList lines = sailDataLines(d);
    QCOMPARE(lines.size(), 6);
    QCOMPARE(lines[0], QStringLiteral("race1.txt"));
    QCOMPARE(lines[1], QStringLiteral(", Leg,2008/03/02 10:00:00,2008/03/02 10:25:00"
                                      ", Leg,2008/03/02 10:25:00,2008/03/02 10:40:00, Leg,,"));
    QCOMPARE(lines[2], QStringLiteral("BoatName,BSP,TWA,VMG,BSP,TWA,VMG,BSP,TWA,VMG"));
    QCOMPARE(lines[3], QStringLiteral("Hayate,6.12,41.3,4.6,7.05,148.9,-6.04"));
    // A sail leg without values before one with values keeps its columns.
    QCOMPARE(lines[4], QStringLiteral("Kaze,,,,5.5,150,-4.76"));
    QCOMPARE(lines[5], QStringLiteral("Nami"));
}

void TestSailData::fileNames_data()
{
    QTest::addColumn<QString>("race");
    QTest::addColumn<QString>("single");
    QTest::addColumn<QString>("file");
    QTest::newRow("race file") << "race1.txt" << "" << "race1.csv";
    QTest::newRow("last dot") << "a.b.txt" << "" << "a.b.csv";
    QTest::newRow("no dot") << "regatta" << "" << "regatta.csv";
    QTest::newRow("single track") << "" << "boat.trk" << "boat.csv";
    QTest::newRow("nothing") << "" << "" << "";
}

void TestSailData::fileNames()
{
    QFETCH(QString, race);
    QFETCH(QString, single);
    QFETCH(QString, file);
    QCOMPARE(sailDataFileName(race, single), file);
}

void TestSailData::exportWritesFile()
{
    QTemporaryDir dir;
    AppSettings settings;
    settings.ApplicationFolder = dir.path();
    RaceControl race = fixture::raceWith({"L1", "MK1", "L2"}, 2);
    race.FileName = "race1.txt";
    race.StartTime = Start;
    race.WindDirection = 0;
    race.ShownWindDirection = 123;
    RaceData d;
    d.Extent = fixture::plainExtent();
    d.Tracks = {fixture::trackThrough(twoStretches(), d.Extent, 10),
                fixture::trackThrough(twoStretches(true), d.Extent, 10)};
    LegStats s;
    s.RoundingTime = {{0, 2400, 0}, {0, 1260, 0}};
    s.LeaderTime = {0, 0, 0};
    QString path;
    QVERIFY(ExportSailData(settings, race, d, s, &path));
    QCOMPARE(race.ShownWindDirection, 0.0);
    QCOMPARE(path, dir.path() + "/saildata/race1.csv");
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QVERIFY(bytes.endsWith("\r\n"));
    const QStringList lines = platform::splitLines(platform::decodeAnsi(bytes));
    QCOMPARE(lines.size(), 5);
    QCOMPARE(lines[2], QStringLiteral("BoatName,BSP,TWA,VMG,BSP,TWA,VMG,BSP,TWA,VMG"));
    QCOMPARE(lines[3], QStringLiteral("Boat 1,6,45,4.24,6,135,-4.24"));
    // Boat 2 runs 0.1 nm dead downwind first (port side): p = 1.1, s = 1, v = 1.5142 over
    // 1260 s gives A = 46.08°.
    QCOMPARE(lines[4], QStringLiteral("Boat 2,,,,6,136.08,-4.32"));
    QVERIFY(m_dialogs.shown.isEmpty());

    // Written again: replaced, not appended.
    QVERIFY(ExportSailData(settings, race, d, s));
    QCOMPARE(QFileInfo(path).size(), qint64(bytes.size()));
}

void TestSailData::exportFailureIsReported()
{
    QTemporaryDir dir;
    AppSettings settings;
    settings.ApplicationFolder = dir.path();
    RaceControl race = fixture::raceWith({"L1", "L2"}, 1);
    RaceData d;
    LegStats s;
    QVERIFY(!ExportSailData(settings, race, d, s)); // no race name at all
    QCOMPARE(m_dialogs.messages().size(), 1);

    // A file where the folder should be.
    QFile blocker(dir.path() + "/saildata");
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    race.FileName = "race1.txt";
    QVERIFY(!ExportSailData(settings, race, d, s));
    QCOMPARE(m_dialogs.messages().size(), 2);
    QVERIFY(m_dialogs.messages().last().contains("saildata"));
}

QTEST_GUILESS_MAIN(TestSailData)
#include "tst_saildata.moc"
