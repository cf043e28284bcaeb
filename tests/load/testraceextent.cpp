// The race extent, the local scale and the values derived per track point.
#include <raceextent.h>

#include <QtTest>

namespace {

TrackPoint point(double time, double lat, double lon)
{
    TrackPoint p;
    p.Time = time;
    p.Lat = lat;
    p.Lon = lon;
    return p;
}

RaceExtent extentAt35North()
{
    RaceExtent e;
    widenExtent(e, {point(0, 2100, 8340), point(60, 2101, 8341)});
    return e;
}

} // namespace

class TestRaceExtent : public QObject
{
    Q_OBJECT

private slots:
    void codeLength();
    void extentBoundsAndSpan();
    void extentIgnoresZeroPositions();
    void course_data();
    void course();
    void speedAndDistance();
    void referenceSpeed_data();
    void referenceSpeed();
    void speedBarScale();
};

void TestRaceExtent::codeLength()
{
    RaceExtent e;
    e.CentreLat = 35 * 60;
    GetCodeLength(e);
    QVERIFY2(qAbs(e.MetresPerLatMinute - 1846.3) < 0.05, qPrintable(QString::number(e.MetresPerLatMinute)));
    QVERIFY(e.MetresPerLonMinute > 1500 && e.MetresPerLonMinute < 1530);
    e.CentreLat = -35 * 60; // symmetric about the equator
    const double south = e.MetresPerLatMinute;
    GetCodeLength(e);
    QCOMPARE(e.MetresPerLatMinute, south);
}

void TestRaceExtent::extentBoundsAndSpan()
{
    RaceExtent e;
    widenExtent(e, {point(0, 2100, 8340), point(1, 2102, 8341)});
    widenExtent(e, {point(0, 2101, 8346)}); // a second boat widens eastward
    QCOMPARE(e.MinLat, 2100.0);
    QCOMPARE(e.MaxLat, 2102.0);
    QCOMPARE(e.MinLon, 8340.0);
    QCOMPARE(e.MaxLon, 8346.0);
    QCOMPARE(e.CentreLat, 2101.0);
    QCOMPARE(e.CentreLon, 8343.0);
    QCOMPARE(e.LonFactor, e.MetresPerLonMinute / e.MetresPerLatMinute);
    QCOMPARE(e.Span, 6.0 * e.LonFactor); // wider than tall

    RaceExtent one;
    widenExtent(one, {point(0, -2030, 9060)}); // one point in the south: the least span
    QCOMPARE(one.Span, 0.1);
    QCOMPARE(one.CentreLat, -2030.0);
    QVERIFY(one.hasPoints());
}

void TestRaceExtent::extentIgnoresZeroPositions()
{
    RaceExtent e;
    widenExtent(e, {point(0, 0, 8340), point(0, 2100, 0)});
    QVERIFY(!e.hasPoints());
    QCOMPARE(e.Span, 0.1);
    widenExtent(e, {point(0, 2100, 8340)});
    QVERIFY(e.hasPoints());
    QCOMPARE(e.CentreLon, 8340.0);
}

void TestRaceExtent::course_data()
{
    QTest::addColumn<double>("dLat");
    QTest::addColumn<double>("dLon");
    QTest::addColumn<double>("course");

    QTest::newRow("north") << 1.0 << 0.0 << 0.0;
    QTest::newRow("east") << 0.0 << 1.0 << 90.0;
    QTest::newRow("south") << -1.0 << 0.0 << 180.0;
    QTest::newRow("west") << 0.0 << -1.0 << 270.0;
    QTest::newRow("standing still") << 0.0 << 0.0 << 90.0;
    QTest::newRow("north-west") << 1.0 << -1.0 << 315.0;
    QTest::newRow("south-west") << -1.0 << -1.0 << 225.0;
}

void TestRaceExtent::course()
{
    QFETCH(double, dLat);
    QFETCH(double, dLon);
    QFETCH(double, course);
    const RaceExtent e = extentAt35North();
    // Longitude steps scaled so that a step of 1 in dLon is as long as 1 in dLat.
    QVector<TrackPoint> points = {point(0, 2100, 8340), point(60, 2100 + dLat, 8340 + dLon / e.LonFactor)};
    deriveTrackValues(points, e);
    QVERIFY2(qAbs(points[0].Course - course) < 1e-9, qPrintable(QString::number(points[0].Course)));
    QCOMPARE(points[1].Course, 0.0);
    QCOMPARE(points[1].Speed, 0.0);

    // South-east in true minutes of latitude-scaled distance.
    QVector<TrackPoint> se = {point(0, 2100, 8340), point(60, 2099, 8340 + 1 / e.LonFactor)};
    deriveTrackValues(se, e);
    QVERIFY(qAbs(se[0].Course - 135.0) < 1e-9);
}

void TestRaceExtent::speedAndDistance()
{
    const RaceExtent e = extentAt35North();
    QVector<TrackPoint> points = {point(0, 2100, 8340), point(60, 2101, 8340), point(30, 2102, 8340),
                                  point(30, 2103, 8340)};
    deriveTrackValues(points, e);
    const double mile = e.MetresPerLatMinute / 1852.0;
    QCOMPARE(points[0].Distance, 0.0);
    QCOMPARE(points[1].Distance, mile);
    QCOMPARE(points[3].Distance, 3 * mile);
    QVERIFY(qAbs(points[0].Speed - mile * 60.0) < 1e-9); // about 59.8 knots
    QVERIFY(qAbs(points[0].Speed - 59.8) < 0.05);
    QCOMPARE(points[1].Speed, 0.0); // time runs backwards
    QCOMPARE(points[2].Speed, 0.0); // no time passes
    QVector<TrackPoint> empty;
    deriveTrackValues(empty, e);
}

void TestRaceExtent::referenceSpeed_data()
{
    QTest::addColumn<QVector<TrackPoint>>("points");
    QTest::addColumn<double>("duration");
    QTest::addColumn<double>("expected"); // knots for 1 minute of latitude a minute = mile × 60

    QVector<TrackPoint> steady;
    for (int i = -2; i <= 12; ++i)
        steady << point(i * 60, 2100 + i, 8340);
    QTest::newRow("steady") << steady << 720.0 << 1.0;
    QTest::newRow("race of 120 s") << steady << 120.0 << 0.0;
    QTest::newRow("race shorter than 120 s") << steady << 60.0 << 0.0;
    QVector<TrackPoint> beforeStart = steady.mid(0, 2);
    QTest::newRow("no track after the start") << beforeStart << 720.0 << 0.0;
    QVector<TrackPoint> endsEarly = steady.mid(0, 5); // holds the start, ends before half-way
    QTest::newRow("ends before half-way") << endsEarly << 720.0 << 0.0;
    QVector<TrackPoint> startsLate = steady.mid(4); // first point after the start
    // The start counts from distance 0: half-way (300 s) lies in segment 300…360, 3 miles on.
    QTest::newRow("starts after the start") << startsLate << 720.0 << 3.0 * 60.0 / 300.0;
    QTest::newRow("empty") << QVector<TrackPoint>() << 720.0 << 0.0;
}

void TestRaceExtent::referenceSpeed()
{
    QFETCH(QVector<TrackPoint>, points);
    QFETCH(double, duration);
    QFETCH(double, expected);
    const RaceExtent e = extentAt35North();
    deriveTrackValues(points, e);
    const double knots = ::referenceSpeed(points, duration);
    const double mileKnots = e.MetresPerLatMinute / 1852.0 * 60.0;
    QVERIFY2(qAbs(knots - expected * mileKnots) < 1e-9, qPrintable(QString::number(knots)));
}

void TestRaceExtent::speedBarScale()
{
    QCOMPARE(::speedBarScale(10.0), 70.0 / 16.0);
    const double fallback = 70.0 / (1.6 * FallbackReferenceSpeed);
    QCOMPARE(::speedBarScale(0.0), fallback);
    QCOMPARE(::speedBarScale(-3.0), fallback);
    QCOMPARE(::speedBarScale(std::numeric_limits<double>::infinity()), fallback);
    QCOMPARE(::speedBarScale(std::numeric_limits<double>::quiet_NaN()), fallback);
}

QTEST_GUILESS_MAIN(TestRaceExtent)
#include "testraceextent.moc"
