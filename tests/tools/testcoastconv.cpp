// coastconv's core: the inverse datum shift, GMT's segment text, mesh codes, cutting shore
// lines at mesh edges — each checked by reading the tiles back with the programs' own tile
// reader — and the tiles the application folder ships.
#include <coastconverter.h>

#include <coastlines.h>
#include <racegenerator.h>
#include <textfile.h>

#include <QtTest>

#include <cmath>

using namespace tools;

namespace {

QVector<CoastPoint> readBack(const QStringList &tileLines, const CoastViewBox &box)
{
    QByteArray bytes;
    for (const QString &l : tileLines)
        bytes += platform::encodeAnsi(l) + "\r\n";
    QVector<CoastPoint> points;
    parseCoastTile(bytes, box, points);
    return points;
}

CoastViewBox everywhere()
{
    return {-6000.0, 6000.0, -12000.0, 12000.0};
}

// Distance in metres between two positions in minutes (flat, fine over a few miles).
double metres(double lat1, double lon1, double lat2, double lon2)
{
    const double f = std::cos((lat1 + lat2) / 120.0 * M_PI / 180.0);
    return 1852.0 * std::hypot(lat1 - lat2, (lon1 - lon2) * f);
}

QString assetsFolder()
{
    return QStringLiteral(ORVANE_ASSETS_DIR "/coastline");
}

} // namespace

class TestCoastConv : public QObject
{
    Q_OBJECT

private slots:
    void inverseDatumShift_data();
    void inverseDatumShift();
    void gmtSegments();
    void meshCodes_data();
    void meshCodes();
    void cutAtMeshEdgesReadsBack();
    void otherTilesLeftOut();
    void shippedTiles();
    void demoRacesSailOnWater();
};

void TestCoastConv::inverseDatumShift_data()
{
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    QTest::newRow("Enoshima") << 35.2995 * 60 << 139.4805 * 60;
    QTest::newRow("35N 139E") << 2100.197 << 8339.812;
    QTest::newRow("Hokkaido") << 43.0 * 60 << 141.3 * 60;
    QTest::newRow("Okinawa") << 26.2 * 60 << 127.7 * 60;
}

void TestCoastConv::inverseDatumShift()
{
    QFETCH(double, lat);
    QFETCH(double, lon);
    const GeoMinutes tokyo = wgs84ToTokyo(lat, lon);
    const GeoMinutes back = TokyoToWgs84(tokyo.Lat, tokyo.Lon);
    QVERIFY(std::fabs(back.Lat - lat) < 1e-9);
    QVERIFY(std::fabs(back.Lon - lon) < 1e-9);
    // The shift itself is about 0.2′ north and west in Japan.
    QVERIFY(tokyo.Lat < lat && lat - tokyo.Lat < 0.25);
    QVERIFY(tokyo.Lon > lon && tokyo.Lon - lon < 0.25);
    if (QTest::currentDataTag() == QLatin1String("35N 139E")) {
        // The published example of the forward shift, run backwards.
        QVERIFY(std::fabs(tokyo.Lat - 2100.0) < 0.001);
        QVERIFY(std::fabs(tokyo.Lon - 8340.0) < 0.001);
    }
}

void TestCoastConv::gmtSegments()
{
    const QStringList text{QStringLiteral("> Shore Bin # 4929, Level 1"),
                           QStringLiteral("139\t34.732033912"),
                           QStringLiteral("139.002121004\t34.7341420615"),
                           QStringLiteral("139.01 34.74"),
                           QStringLiteral("> Shore Bin # 4930, Level 1"),
                           QStringLiteral("139.5\t35.0"),
                           QStringLiteral("> Shore Bin # 4931, Level 2"),
                           QStringLiteral("nan nan"),
                           QStringLiteral("139.6\t35.1"),
                           QStringLiteral("139.7,35.2")};
    QStringList warnings;
    const QList<CoastPolyline> lines = parseGmtSegments(text, &warnings);
    QCOMPARE(lines.size(), 2); // the one-point segment is dropped
    QCOMPARE(lines[0].size(), 3);
    QCOMPARE(lines[0][0].Lat, 34.732033912 * 60);
    QCOMPARE(lines[0][0].Lon, 139.0 * 60);
    QCOMPARE(lines[1].size(), 2);
    QCOMPARE(warnings, QStringList{QStringLiteral("line 8: not a longitude and latitude, skipped")});
}

void TestCoastConv::meshCodes_data()
{
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    QTest::addColumn<QString>("code");
    QTest::newRow("Tokyo Bay") << 35.5 * 60 << 139.75 * 60 << "5339";
    QTest::newRow("Sagami Bay") << 35.25 * 60 << 139.42 * 60 << "5239";
    QTest::newRow("south edge of a row") << 2120.0 << 8340.0 << "5339";
    QTest::newRow("just below it") << 2119.999 << 8340.0 << "5239";
    QTest::newRow("west of the mesh") << 35.0 * 60 << 99.5 * 60 << "";
}

void TestCoastConv::meshCodes()
{
    QFETCH(double, lat);
    QFETCH(double, lon);
    QFETCH(QString, code);
    QCOMPARE(firstOrderMeshCode(lat, lon), code);
}

void TestCoastConv::cutAtMeshEdgesReadsBack()
{
    // A shore running north-east across two second-order mesh edges and a first-order tile
    // edge (35° 20′ N, the edge between 5239 and 5339), with a bend inside a mesh.
    const CoastPolyline shore{{2117.0, 8368.0}, {2118.5, 8371.0}, {2121.5, 8372.0}, {2124.0, 8376.5}};
    const QMap<QString, QStringList> tiles = buildCoastTiles({shore}, {QStringLiteral("5239"), QStringLiteral("5339")});
    QCOMPARE(tiles.size(), 2);

    QVector<CoastPoint> points = readBack(tiles.value(QStringLiteral("5239")), everywhere());
    points += readBack(tiles.value(QStringLiteral("5339")), everywhere());
    // Each piece read back lies on the original line; its ends meet the next piece's start.
    int pieces = 0;
    for (const CoastPoint &p : std::as_const(points))
        pieces += p.startsLine ? 1 : 0;
    QVERIFY(pieces >= 3);
    for (const GeoMinutes &vertex : shore) {
        double nearest = 1e9;
        for (const CoastPoint &p : std::as_const(points))
            nearest = std::min(nearest, metres(vertex.Lat, vertex.Lon, p.Lat, p.Lon));
        QVERIFY2(nearest < 2.0, qPrintable(QStringLiteral("vertex %1 %2 is %3 m off").arg(vertex.Lat).arg(vertex.Lon).arg(nearest)));
    }
    for (const CoastPoint &p : std::as_const(points)) {
        double nearest = 1e9;
        for (int k = 0; k + 1 < shore.size(); ++k) {
            // distance to segment k, in a local metric plane
            const double f = std::cos(shore[k].Lat / 60.0 * M_PI / 180.0);
            const double ax = shore[k].Lon * f, ay = shore[k].Lat, bx = shore[k + 1].Lon * f, by = shore[k + 1].Lat;
            const double px = p.Lon * f, py = p.Lat;
            const double t = std::clamp(((px - ax) * (bx - ax) + (py - ay) * (by - ay)) / ((bx - ax) * (bx - ax) + (by - ay) * (by - ay)), 0.0, 1.0);
            nearest = std::min(nearest, 1852.0 * std::hypot(px - (ax + t * (bx - ax)), py - (ay + t * (by - ay))));
        }
        QVERIFY2(nearest < 2.0, qPrintable(QStringLiteral("read-back point %1 m off the shore").arg(nearest)));
    }

    // The reader draws only the meshes near the race: a box around the first vertex still
    // gets the shore that starts there, cut at its mesh's edge.
    const CoastViewBox small{2116.9, 2117.1, 8367.9, 8368.1};
    const QVector<CoastPoint> near = readBack(tiles.value(QStringLiteral("5239")), small);
    QVERIFY(!near.isEmpty());
    QVERIFY(near.size() < points.size());
}

void TestCoastConv::otherTilesLeftOut()
{
    const CoastPolyline shore{{2117.0, 8368.0}, {2124.0, 8376.5}};
    const QMap<QString, QStringList> tiles = buildCoastTiles({shore}, {QStringLiteral("5239"), QStringLiteral("5240")});
    QVERIFY(!tiles.value(QStringLiteral("5239")).isEmpty());
    QVERIFY(tiles.contains(QStringLiteral("5240")));
    QVERIFY(tiles.value(QStringLiteral("5240")).isEmpty()); // asked for, but no shore there
    QVERIFY(!tiles.contains(QStringLiteral("5339")));       // has shore, but not asked for
    for (const QVector<CoastPoint> &pts : {readBack(tiles.value(QStringLiteral("5239")), everywhere())})
        for (const CoastPoint &p : pts)
            QVERIFY(p.Lat < 2120.3); // nothing north of the tile (plus the datum shift)
}

void TestCoastConv::shippedTiles()
{
    if (!QFileInfo::exists(assetsFolder() + QStringLiteral("/5239.cst")))
        QSKIP("assets/coastline is not beside the tests");
    for (const QString &tile : {"5238", "5239", "5240", "5339", "5340"}) {
        QFile f(assetsFolder() + u'/' + tile + QStringLiteral(".cst"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVector<CoastPoint> points;
        parseCoastTile(f.readAll(), everywhere(), points);
        QVERIFY2(points.size() > 100, qPrintable(tile));
        // Every point lies in its own tile, give or take the datum shift.
        const int row = tile.left(2).toInt(), column = tile.mid(2).toInt();
        for (const CoastPoint &p : std::as_const(points)) {
            QVERIFY(p.Lat > row * 40.0 - 0.5 && p.Lat < row * 40.0 + 40.5);
            QVERIFY(p.Lon > (column + 100) * 60.0 - 0.5 && p.Lon < (column + 101) * 60.0 + 0.5);
        }
    }
    // Enoshima, a small island off the demo races, is there where GSHHG has it.
    QFile f(assetsFolder() + QStringLiteral("/5239.cst"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVector<CoastPoint> points;
    parseCoastTile(f.readAll(), everywhere(), points);
    double nearest = 1e9;
    for (const CoastPoint &p : std::as_const(points))
        nearest = std::min(nearest, metres(p.Lat, p.Lon, 35.2995 * 60, 139.4805 * 60));
    QVERIFY2(nearest < 400.0, qPrintable(QString::number(nearest)));
}

void TestCoastConv::demoRacesSailOnWater()
{
    // Not a proof that every fix is afloat, but a boat within a few hundred metres of a
    // shore point would be a race laid out on the wrong side of the coast. The keel race
    // starts off Enoshima, close enough for the island to show on its chart.
    QFile f(assetsFolder() + QStringLiteral("/5239.cst"));
    if (!f.open(QIODevice::ReadOnly))
        QSKIP("assets/coastline is not beside the tests");
    QVector<CoastPoint> coast;
    parseCoastTile(f.readAll(), everywhere(), coast);
    for (const RaceSpec &preset : demoRaces()) {
        const GeneratedRace race = generateRace(preset);
        double nearest = 1e9;
        for (const GeneratedBoat &b : race.Boats)
            for (int k = 0; k < b.Fixes.size(); k += 10)
                for (const CoastPoint &c : std::as_const(coast))
                    if (std::fabs(c.Lat - b.Fixes[k].LatDeg * 60) < 1.0)
                        nearest = std::min(nearest, metres(c.Lat, c.Lon, b.Fixes[k].LatDeg * 60, b.Fixes[k].LonDeg * 60));
        QVERIFY2(nearest < 5000.0, qPrintable(preset.PresetName)); // the shore is near enough to be drawn
        QVERIFY2(nearest > 300.0, qPrintable(QStringLiteral("%1 comes within %2 m of the shore").arg(preset.PresetName).arg(nearest)));
    }
}

QTEST_GUILESS_MAIN(TestCoastConv)
#include "testcoastconv.moc"
