#include <mapview.h>

#include <QtTest>

#include <cmath>

namespace {

// A race area around 35° N with a realistic local scale.
RaceExtent extentAt35N()
{
    RaceExtent e;
    e.MinLat = 2100.0;
    e.MaxLat = 2102.0;
    e.MinLon = 8370.0;
    e.MaxLon = 8373.0;
    e.CentreLat = 2101.0;
    e.CentreLon = 8371.5;
    e.MetresPerLatMinute = 1846.3;
    e.MetresPerLonMinute = 1516.0;
    e.LonFactor = e.MetresPerLonMinute / e.MetresPerLatMinute;
    e.Span = std::max(e.MaxLat - e.MinLat, e.LonFactor * (e.MaxLon - e.MinLon));
    return e;
}

MapView viewAt35N(double rotation = 0.0)
{
    MapView v;
    v.resetForRace(extentAt35N(), rotation, 600.0);
    return v;
}

} // namespace

class TestMapView : public QObject
{
    Q_OBJECT
private slots:
    void scalesFollowZoomAndSize();
    void zoomFloorShowsHalfAroundCentre();
    void markDueEastIsRightNorthUpAndAboveWindUp();
    void roundTripAnyRotation_data();
    void roundTripAnyRotation();
    void overviewIgnoresZoomAndCentre();
    void zoomSteps();
    void zoomOutStopsAtFloor();
    void zoomInCentresOnClick();
    void showAllAndMoveTo();
    void recentreFromOverview();
    void overviewTurn_data();
    void overviewTurn();
    void fitToBoats();
    void fitToBoatsSouthOfEquator();
    void fitWithoutBoatsLeavesView();
    void boatSymbolSize_data();
    void boatSymbolSize();
    void scaleBarStep_data();
    void scaleBarStep();
    void formatPosition_data();
    void formatPosition();
    void bearings_data();
    void bearings();
    void rangeOfOneMinute();
};

void TestMapView::scalesFollowZoomAndSize()
{
    MapView v = viewAt35N();
    const RaceExtent e = extentAt35N();
    QCOMPARE(v.ScaleLat, 1.0 * 0.75 * 600.0 / e.Span);
    QCOMPARE(v.ScaleLon, e.LonFactor * v.ScaleLat);
    QCOMPARE(v.OriginX, 300.0);
    QCOMPARE(v.OriginY, 300.0);
    QCOMPARE(v.PixelsPerMetre, v.ScaleLat / e.MetresPerLatMinute);
    v.Zoom = 2.0;
    v.ChartRotation = 90;
    v.ComputeScales();
    QCOMPARE(v.ScaleLat, 2.0 * 0.75 * 600.0 / e.Span);
    QVERIFY(std::fabs(v.Rotation - M_PI / 2) < 1e-12);
}

void TestMapView::zoomFloorShowsHalfAroundCentre()
{
    MapView v = viewAt35N();
    v.ViewLat = 2101.7;
    v.ViewLon = 8372.1;
    v.Zoom = 0.59;
    v.ComputeScales();
    QCOMPARE(v.Zoom, 0.5);
    QCOMPARE(v.ViewLat, 2101.0);
    QCOMPARE(v.ViewLon, 8371.5);
    v.Zoom = 0.6; // at the limit: kept
    v.ViewLat = 2101.7;
    v.ComputeScales();
    QCOMPARE(v.Zoom, 0.6);
    QCOMPARE(v.ViewLat, 2101.7);
}

void TestMapView::markDueEastIsRightNorthUpAndAboveWindUp()
{
    MapView north = viewAt35N(0.0);
    const QPointF p = north.ToScreen(2101.0, 8372.0);
    QVERIFY(p.x() > 300.0);
    QVERIFY(std::fabs(p.y() - 300.0) < 1e-9);

    MapView windUp = viewAt35N(90.0);
    const QPointF q = windUp.ToScreen(2101.0, 8372.0);
    QVERIFY(std::fabs(q.x() - 300.0) < 1e-9);
    QVERIFY(q.y() < 300.0);
    QVERIFY(std::fabs((300.0 - q.y()) - (p.x() - 300.0)) < 1e-9);
}

void TestMapView::roundTripAnyRotation_data()
{
    QTest::addColumn<double>("rotation");
    QTest::addColumn<double>("zoom");
    for (double r : {0.0, 45.0, 90.0, 137.5, 180.0, 270.0, 359.0})
        QTest::addRow("rot %g", r) << r << 1.96;
    QTest::addRow("rot 200 zoom 0.5") << 200.0 << 0.5;
}

void TestMapView::roundTripAnyRotation()
{
    QFETCH(double, rotation);
    QFETCH(double, zoom);
    MapView v = viewAt35N(rotation);
    v.ViewLat = 2101.3;
    v.ViewLon = 8370.8;
    v.Zoom = zoom;
    v.ComputeScales();
    for (const ChartPosition &p : {ChartPosition{2100.2, 8370.1}, ChartPosition{2101.9, 8372.9},
                                   ChartPosition{2101.0, 8371.5}}) {
        const ChartPosition back = v.ToChart(v.ToScreen(p));
        QVERIFY(std::fabs(back.Lat - p.Lat) < 1e-9);
        QVERIFY(std::fabs(back.Lon - p.Lon) < 1e-9);
    }
    v.ComputeOverviewScales(150, 120);
    const ChartPosition o = v.OverviewToChart(v.OverviewToScreen(2100.4, 8372.2).x(),
                                              v.OverviewToScreen(2100.4, 8372.2).y());
    QVERIFY(std::fabs(o.Lat - 2100.4) < 1e-9);
    QVERIFY(std::fabs(o.Lon - 8372.2) < 1e-9);
}

void TestMapView::overviewIgnoresZoomAndCentre()
{
    MapView v = viewAt35N();
    v.ComputeOverviewScales(150, 120);
    QCOMPARE(v.OverviewSize, 120.0);
    QCOMPARE(v.OverviewWidth, 150.0);
    QCOMPARE(v.OverviewOriginX, 60.0);
    QCOMPARE(v.OverviewOriginY, 60.0);
    const QPointF before = v.OverviewToScreen(2101.5, 8372.0);
    v.ZoomAt(100, 100, true);
    v.ZoomAt(100, 100, true);
    v.ComputeOverviewScales(150, 120);
    QCOMPARE(v.OverviewToScreen(2101.5, 8372.0), before);
    const QPointF centre = v.OverviewToScreen(2101.0, 8371.5);
    QCOMPARE(centre, QPointF(60.0, 60.0));
}

void TestMapView::zoomSteps()
{
    MapView v = viewAt35N();
    QVERIFY(v.ZoomAt(100, 100, true));
    QCOMPARE(v.UserZoom, 1.4);
    QCOMPARE(v.Zoom, 1.4);
    QVERIFY(v.ZoomAt(100, 100, true));
    QVERIFY(std::fabs(v.UserZoom - 1.96) < 1e-12);
    v.ZoomAt(100, 100, false);
    // Back from 1.4 lands in (0.9, 1.1]: exactly 1 around the race centre, wherever clicked.
    QVERIFY(v.ZoomAt(10, 590, false));
    QCOMPARE(v.UserZoom, 1.0);
    QCOMPARE(v.ViewLat, 2101.0);
    QCOMPARE(v.ViewLon, 8371.5);
}

void TestMapView::zoomOutStopsAtFloor()
{
    MapView v = viewAt35N();
    for (int i = 0; i < 10; ++i)
        v.ZoomAt(50, 50, false);
    QCOMPARE(v.UserZoom, 0.27);
    QCOMPARE(v.Zoom, 0.5); // shown at the floor around the race centre
    QCOMPARE(v.ViewLat, 2101.0);
    QVERIFY(!v.ZoomAt(50, 50, false));
    v.ZoomAt(50, 50, true);
    QVERIFY(std::fabs(v.UserZoom - 0.378) < 1e-12);
    QCOMPARE(v.Zoom, 0.5);
}

void TestMapView::zoomInCentresOnClick()
{
    MapView v = viewAt35N(30.0);
    const ChartPosition clicked = v.ToChart(420, 150);
    v.ZoomAt(420, 150, true);
    QVERIFY(std::fabs(v.ViewLat - clicked.Lat) < 1e-12);
    QVERIFY(std::fabs(v.ViewLon - clicked.Lon) < 1e-12);
    const QPointF c = v.ToScreen(clicked);
    QVERIFY(std::fabs(c.x() - 300) < 1e-9 && std::fabs(c.y() - 300) < 1e-9);
}

void TestMapView::showAllAndMoveTo()
{
    MapView v = viewAt35N();
    v.ZoomAt(100, 100, true);
    v.Zoom = 3.0; // as tracing leaves it
    v.MoveTo(2100.5, 8370.5);
    QCOMPARE(v.Zoom, 1.4);
    QCOMPARE(v.ViewLat, 2100.5);
    v.ShowAll();
    QCOMPARE(v.Zoom, 1.0);
    QCOMPARE(v.UserZoom, 1.0);
    QCOMPARE(v.ViewLat, 2101.0);
    QCOMPARE(v.ViewLon, 8371.5);
}

void TestMapView::recentreFromOverview()
{
    MapView v = viewAt35N(40.0);
    v.ComputeOverviewScales(150, 120);
    const ChartPosition target{2100.6, 8372.2};
    const QPointF pixel = v.OverviewToScreen(target.Lat, target.Lon);
    QVERIFY(!v.RecentreFromOverview(pixel.x(), pixel.y(), true)); // tracing
    v.ZoomAt(300, 300, true);
    v.Zoom = 3.0;
    QVERIFY(v.RecentreFromOverview(pixel.x(), pixel.y(), false));
    QVERIFY(std::fabs(v.ViewLat - target.Lat) < 1e-9);
    QVERIFY(std::fabs(v.ViewLon - target.Lon) < 1e-9);
    QCOMPARE(v.Zoom, v.UserZoom);
    v.Zoom = 0.6; // not above the floor: refused
    QVERIFY(!v.RecentreFromOverview(pixel.x(), pixel.y(), false));
}

void TestMapView::overviewTurn_data()
{
    QTest::addColumn<double>("rotation");
    QTest::addColumn<double>("dx");
    QTest::addColumn<double>("dy");
    QTest::addColumn<int>("up");
    QTest::newRow("right of centre, north up") << 0.0 << 30.0 << 0.0 << 90;
    QTest::newRow("above centre") << 0.0 << 0.0 << -30.0 << 0;
    QTest::newRow("below-left") << 0.0 << -30.0 << 30.0 << 225;
    QTest::newRow("right, turned 300") << 300.0 << 30.0 << 0.0 << 30;
    QTest::newRow("above, turned 200") << 200.0 << 0.0 << -30.0 << 200;
    QTest::newRow("cut, not rounded") << 0.0 << 10.0 << -30.0 << 18; // 18.43°
    QTest::newRow("left, turned 90: 360 stays") << 90.0 << -30.0 << 0.0 << 360;
}

void TestMapView::overviewTurn()
{
    QFETCH(double, rotation);
    QFETCH(double, dx);
    QFETCH(double, dy);
    QFETCH(int, up);
    MapView v = viewAt35N(rotation);
    v.ComputeOverviewScales(150, 120);
    QCOMPARE(v.OverviewTurnDirection(60 + dx, 60 + dy), up);
}

void TestMapView::fitToBoats()
{
    MapView v = viewAt35N();
    const RaceExtent e = extentAt35N();
    QList<BoatFix> boats{{2100.5, 8371.0, true, true},
                         {2100.9, 8371.2, true, true},
                         {2102.0, 8373.0, true, false},  // not focused
                         {0.0, 0.0, false, true}};       // no position yet
    QVERIFY(v.FitToBoats(boats));
    QCOMPARE(v.ViewLat, 2100.7);
    QCOMPARE(v.ViewLon, 8371.1);
    const double span = std::max(0.4, e.LonFactor * 0.2);
    QVERIFY(std::fabs(v.Zoom - 0.85 * e.Span / span) < 1e-9);
    v.TraceZoom = 0.5;
    v.FitToBoats(boats);
    QVERIFY(std::fabs(v.Zoom - 0.85 * e.Span / (span / 0.5)) < 1e-9);
    // One boat alone: the span never falls below 0.02 minute.
    v.TraceZoom = 1.0;
    v.FitToBoats({{2100.5, 8371.0, true, true}});
    QVERIFY(std::fabs(v.Zoom - 0.85 * e.Span / 0.02) < 1e-9);
}

void TestMapView::fitToBoatsSouthOfEquator()
{
    MapView v;
    RaceExtent e;
    e.MinLat = -2041.0; e.MaxLat = -2039.0; e.MinLon = 9060.0; e.MaxLon = 9062.0;
    e.CentreLat = -2040.0; e.CentreLon = 9061.0;
    e.LonFactor = 0.82; e.Span = 2.0;
    v.resetForRace(e, 0, 500);
    QVERIFY(v.FitToBoats({{-2040.2, 9061.0, true, true}, {-2039.8, 9061.4, true, true}}));
    QVERIFY(std::fabs(v.ViewLat + 2040.0) < 1e-9);
    QVERIFY(std::fabs(v.ViewLon - 9061.2) < 1e-9);
}

void TestMapView::fitWithoutBoatsLeavesView()
{
    MapView v = viewAt35N();
    const double zoom = v.Zoom;
    QVERIFY(!v.FitToBoats({{2100.0, 8371.0, false, true}, {2100.0, 8371.0, true, false}}));
    QCOMPARE(v.Zoom, zoom);
    QCOMPARE(v.ViewLat, 2101.0);
}

void TestMapView::boatSymbolSize_data()
{
    QTest::addColumn<double>("ppm");
    QTest::addColumn<double>("length");
    QTest::addColumn<bool>("enlarge");
    QTest::addColumn<double>("pixels");
    QTest::addColumn<bool>("enlarged");
    QTest::newRow("small real size raised to 3") << 0.5 << 4.7 << false << 3.0 << false;
    QTest::newRow("small enlarged to 15") << 0.5 << 4.7 << true << 15.0 << true;
    QTest::newRow("large real") << 4.0 << 10.0 << false << 40.0 << false;
    QTest::newRow("large with enlarge on stays real") << 4.0 << 10.0 << true << 40.0 << false;
    QTest::newRow("exactly 15") << 1.5 << 10.0 << true << 15.0 << false;
}

void TestMapView::boatSymbolSize()
{
    QFETCH(double, ppm);
    QFETCH(double, length);
    QFETCH(bool, enlarge);
    QFETCH(double, pixels);
    QFETCH(bool, enlarged);
    MapView v;
    v.PixelsPerMetre = ppm;
    const BoatSymbol s = v.BoatSymbolSize(length, enlarge);
    QCOMPARE(s.pixels, pixels);
    QCOMPARE(s.enlarged, enlarged);
}

void TestMapView::scaleBarStep_data()
{
    QTest::addColumn<double>("ppm");
    QTest::addColumn<double>("metres");
    QTest::addColumn<int>("divisions");
    QTest::newRow("1.2 px/m") << 1.2 << 200.0 << 2;
    QTest::newRow("0.3 px/m") << 0.3 << 1000.0 << 1;
    QTest::newRow("0.06 px/m: f 6.67") << 0.06 << 5000.0 << 5;
    QTest::newRow("4 px/m: exactly 100") << 4.0 << 100.0 << 1;
    QTest::newRow("20 px/m: 20 m") << 20.0 << 20.0 << 2;
}

void TestMapView::scaleBarStep()
{
    QFETCH(double, ppm);
    QFETCH(double, metres);
    QFETCH(int, divisions);
    MapView v;
    v.PixelsPerMetre = ppm;
    const ScaleBar b = v.ScaleBarStep();
    QVERIFY2(std::fabs(b.metres - metres) < 1e-9, qPrintable(QString::number(b.metres)));
    QCOMPARE(b.divisions, divisions);
}

void TestMapView::formatPosition_data()
{
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    QTest::addColumn<QString>("text");
    QTest::newRow("Tokyo Bay") << 2130.123 << 8385.5 << "N 35:30.123'/E 139:45.5'";
    QTest::newRow("truncated") << 2130.1239 << 8385.0 << "N 35:30.123'/E 139:45'";
    QTest::newRow("south west") << -2040.25 << -4380.05 << "S 34:0.25'/W 73:0.05'";
    QTest::newRow("zero is south and west") << 0.0 << 0.0 << "S 0:0'/W 0:0'";
}

void TestMapView::formatPosition()
{
    QFETCH(double, lat);
    QFETCH(double, lon);
    QFETCH(QString, text);
    QCOMPARE(MapView::FormatPosition(lat, lon), text);
}

void TestMapView::bearings_data()
{
    QTest::addColumn<double>("dLat");
    QTest::addColumn<double>("dLon");
    QTest::addColumn<double>("variation");
    QTest::addColumn<int>("trueBearing");
    QTest::addColumn<int>("magnetic");
    const double s355 = std::sin(355.0 * M_PI / 180), c355 = std::cos(355.0 * M_PI / 180);
    QTest::newRow("south") << -1.0 << 0.0 << -7.0 << 180 << 187;
    QTest::newRow("west") << 0.0 << -1.0 << -7.0 << 270 << 277;
    QTest::newRow("east") << 0.0 << 1.0 << -7.0 << 90 << 97;
    QTest::newRow("north") << 1.0 << 0.0 << -7.0 << 0 << 7;
    QTest::newRow("355 wraps to 2") << c355 << s355 << -7.0 << 355 << 2;
    QTest::newRow("north-east") << 1.0 << 1.0 << -7.0 << 45 << 52;
    QTest::newRow("south-west") << -1.0 << -1.0 << -7.0 << 225 << 232;
    QTest::newRow("east variation below 0") << 1.0 << 0.0 << 5.0 << 0 << 355;
    QTest::newRow("no variation") << -1.0 << 1.0 << 0.0 << 135 << 135;
    QTest::newRow("nearly north rounds to 0") << 1.0 << -0.001 << 0.0 << 0 << 0;
}

void TestMapView::bearings()
{
    QFETCH(double, dLat);
    QFETCH(double, dLon);
    QFETCH(double, variation);
    QFETCH(int, trueBearing);
    QFETCH(int, magnetic);
    MapView v; // LonFactor 1
    const RangeAndBearing r = v.RangeBearing(2000.0, 8000.0, 2000.0 + dLat, 8000.0 + dLon, variation);
    QCOMPARE(r.trueBearing, trueBearing);
    QCOMPARE(r.magneticBearing, magnetic);
}

void TestMapView::rangeOfOneMinute()
{
    MapView v = viewAt35N();
    QCOMPARE(v.RangeBearing(2100.0, 8371.0, 2101.0, 8371.0, -7).rangeMetres, 1846);
    // Longitude is shortened by the extent's factor.
    const RangeAndBearing r = v.RangeBearing(2100.0, 8371.0, 2100.0, 8372.0, -7);
    QCOMPARE(r.rangeMetres, int(std::floor(1516.0 + 0.5)));
    QCOMPARE(r.trueBearing, 90);
}

QTEST_GUILESS_MAIN(TestMapView)
#include "tst_mapview.moc"
