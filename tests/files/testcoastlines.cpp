// Coast line tiles, the China coast file, the tile list of a race area and the datum shift.
#include <coastlines.h>

#include <dialogs.h>
#include <racecontrolfile.h>
#include <textfile.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

RaceExtent extentAt(double centreLat, double centreLon, double span)
{
    RaceExtent e;
    e.CentreLat = centreLat;
    e.CentreLon = centreLon;
    e.Span = span;
    // LonFactor of the load at that latitude, near enough for the tile tests.
    e.LonFactor = std::cos(centreLat / 60.0 * e.DegToRad);
    return e;
}

// A ".cst" line: fields padded to their columns.
QByteArray meshLine(const char *code)
{
    return QByteArray("M ") + code + "\r\n";
}

QByteArray coastLineStart(int points)
{
    return QByteArray("L") + QByteArray(48, ' ') + QByteArray::number(points).rightJustified(6, ' ') + "\r\n";
}

QByteArray dataLine(const QList<QPair<int, int>> &points)
{
    QByteArray line;
    for (const auto &p : points)
        line += QByteArray::number(p.first).rightJustified(5, ' ') + QByteArray::number(p.second).rightJustified(5, ' ');
    return line + "\r\n";
}

CoastViewBox wideBox()
{
    return {-6000.0, 6000.0, -12000.0, 12000.0};
}

} // namespace

class TestCoastLines : public QObject
{
    Q_OBJECT

private slots:
    void tokyoToWgs84();
    void tiles_data();
    void tiles();
    void tooManyTiles();
    void chinaRule_data();
    void chinaRule();
    void meshPointPosition();
    void cstLayout();
    void meshOutsideViewSkipped();
    void chinaCoastFile();
    void badLinesReported_data();
    void badLinesReported();
    void loadFromFolder();
    void editModeWritesTiles();
};

void TestCoastLines::tokyoToWgs84()
{
    const GeoMinutes w = TokyoToWgs84(2100.0, 8340.0);
    QVERIFY2(qAbs(w.Lat - 2100.197) < 0.0015, qPrintable(QString::number(w.Lat, 'f', 6)));
    QVERIFY2(qAbs(w.Lon - 8339.812) < 0.0015, qPrintable(QString::number(w.Lon, 'f', 6)));
}

void TestCoastLines::tiles_data()
{
    QTest::addColumn<double>("centreLat");
    QTest::addColumn<double>("centreLon");
    QTest::addColumn<double>("span");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("Tokyo bay, small") << 2130.0 << 8385.0 << 1.0 << QStringList{"5339"};
    QTest::newRow("across a row boundary") << 2120.0 << 8385.0 << 2.0 << QStringList{"5239", "5339"};
    QTest::newRow("across a column boundary") << 2130.0 << 8400.0 << 2.0 << QStringList{"5339", "5340"};
    QTest::newRow("four tiles, row then column") << 2120.0 << 8400.0 << 2.0
                                                 << QStringList{"5239", "5240", "5339", "5340"};
    QTest::newRow("southern hemisphere: no mesh") << -2030.0 << 9060.0 << 5.0 << QStringList();
    QTest::newRow("western hemisphere: no mesh") << 1803.0 << -5496.0 << 5.0 << QStringList();
}

void TestCoastLines::tiles()
{
    QFETCH(double, centreLat);
    QFETCH(double, centreLon);
    QFETCH(double, span);
    QFETCH(QStringList, expected);
    QCOMPARE(coastTilesFor(extentAt(centreLat, centreLon, span)), expected);
}

void TestCoastLines::tooManyTiles()
{
    const QStringList tiles = coastTilesFor(extentAt(2130.0, 8385.0, 400.0));
    QCOMPARE(tiles.size(), MaxCoastTiles);
    QVERIFY(tiles.contains(QStringLiteral("5339"))); // the centre's tile is kept
    QStringList sorted = tiles;
    std::sort(sorted.begin(), sorted.end());
    QCOMPARE(tiles, sorted); // still by row, then column (all codes have four digits)
    for (const QString &t : tiles) {
        const int row = t.left(2).toInt();
        const int col = t.mid(2).toInt();
        QVERIFY2(qAbs(row - 53) <= 3 && qAbs(col - 39) <= 3, qPrintable(t));
    }
}

void TestCoastLines::chinaRule_data()
{
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    QTest::addColumn<bool>("china");
    QTest::newRow("20N 120E") << 1200.0 << 7200.0 << true;
    QTest::newRow("35N 139E") << 2100.0 << 8340.0 << false;
    QTest::newRow("at 15N") << 900.0 << 7200.0 << false;
    QTest::newRow("at 125E") << 1200.0 << 7500.0 << false;
}

void TestCoastLines::chinaRule()
{
    QFETCH(double, lat);
    QFETCH(double, lon);
    QFETCH(bool, china);
    QCOMPARE(usesChinaCoast(extentAt(lat, lon, 1.0)), china);
}

void TestCoastLines::meshPointPosition()
{
    QVector<CoastPoint> points;
    parseCoastTile(meshLine("533945") + coastLineStart(1) + dataLine({{10000, 0}}), wideBox(), points);
    QCOMPARE(points.size(), 1);
    const GeoMinutes expected = TokyoToWgs84(2140.0, 8385.0); // 35° 40′ N, 139° 45′ E in the Tokyo datum
    QCOMPARE(points[0].Lat, expected.Lat);
    QCOMPARE(points[0].Lon, expected.Lon);
    QVERIFY(points[0].startsLine);
}

void TestCoastLines::cstLayout()
{
    // A line of 9 points over two data lines (7 + 2; the rest of the second line is beyond
    // the count), then a line of 2 points. A blank field is skipped.
    QByteArray tile = meshLine("533945") + coastLineStart(9) +
                      dataLine({{0, 0}, {1000, 0}, {2000, 0}, {3000, 0}, {4000, 0}, {5000, 0}, {6000, 0}}) +
                      dataLine({{7000, 0}, {8000, 0}, {9000, 9000}, {9000, 9000}, {9000, 9000}}) +
                      coastLineStart(2) + "    0 5000          \r\n";
    QVector<CoastPoint> points;
    parseCoastTile(tile, wideBox(), points);
    QCOMPARE(points.size(), 10);
    QVERIFY(points[0].startsLine);
    for (int i = 1; i < 9; ++i)
        QVERIFY(!points[i].startsLine);
    QVERIFY(points[9].startsLine);
    // Points run east along the south edge of the mesh.
    for (int i = 1; i < 9; ++i)
        QVERIFY(points[i].Lon > points[i - 1].Lon);
    QCOMPARE(points[9].Lat, TokyoToWgs84(2142.5, 8377.5).Lat);
}

void TestCoastLines::meshOutsideViewSkipped()
{
    // Mesh 533945 spans 2140 … 2145 N and 8377.5 … 8385 E.
    const QByteArray tile = meshLine("533945") + coastLineStart(1) + dataLine({{5000, 5000}}) + meshLine("533900") +
                            coastLineStart(1) + dataLine({{5000, 5000}});
    QVector<CoastPoint> points;
    parseCoastTile(tile, {2144.0, 2150.0, 8380.0, 8390.0}, points);
    QCOMPARE(points.size(), 1);
    points.clear();
    parseCoastTile(tile, {2145.0, 2150.0, 8380.0, 8390.0}, points); // touching the north edge only
    QCOMPARE(points.size(), 0);
    points.clear();
    parseCoastTile("M 53\r\nxx\r\n\r\nL\r\n" + dataLine({{1, 1}}), wideBox(), points); // truncated lines
    QCOMPARE(points.size(), 0);
}

void TestCoastLines::chinaCoastFile()
{
    QVector<CoastPoint> points;
    parseChinaCoast("R,1800.5,7200.25\r\n1801,7201\r\n1802,7202\nno comma here\nR,-2000,9000\r-2001,9001", points);
    QCOMPARE(points.size(), 5);
    QCOMPARE(points[0].Lat, 1800.5);
    QCOMPARE(points[0].Lon, 7200.25);
    QVERIFY(points[0].startsLine);
    QVERIFY(!points[1].startsLine && !points[2].startsLine);
    // A southern line keeps its sign; the mark is the flag.
    QCOMPARE(points[3].Lat, -2000.0);
    QVERIFY(points[3].startsLine);
    QCOMPARE(points[4].Lat, -2001.0);
    QVERIFY(!points[4].startsLine);
}

void TestCoastLines::badLinesReported_data()
{
    QTest::addColumn<bool>("china");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("problem");
    const QByteArray good = meshLine("533945") + coastLineStart(2) + dataLine({{1, 1}, {2, 2}});
    QTest::newRow("sound tile") << false << good << 2 << 0 << -1;
    // A count as large as a double goes: no point of that line, and no integer overflow.
    QTest::newRow("count 1e308") << false
                                 << meshLine("533945") + "L" + QByteArray(48, ' ') + " 1e308\r\n" + dataLine({{1, 1}})
                                 << 0 << 2 << int(FileProblem::OutOfRange);
    QTest::newRow("count not a number") << false
                                        << meshLine("533945") + "L" + QByteArray(48, ' ') + "  many\r\n" + dataLine({{1, 1}})
                                        << 0 << 2 << int(FileProblem::NotANumber);
    QTest::newRow("count negative") << false << meshLine("533945") + coastLineStart(-3) + dataLine({{1, 1}}) << 0 << 2
                                    << int(FileProblem::OutOfRange);
    QTest::newRow("mesh code") << false << meshLine("53x945") + coastLineStart(1) + dataLine({{1, 1}}) << 0 << 1
                               << int(FileProblem::UnreadableMeshCode);
    QTest::newRow("point off the mesh") << false << meshLine("533945") + coastLineStart(2) + dataLine({{1, 1}, {20000, 2}})
                                        << 1 << 3 << int(FileProblem::UnreadablePoint);
    QTest::newRow("fewer points than counted") << false << meshLine("533945") + coastLineStart(3) + dataLine({{1, 1}})
                                               << 1 << 3 << int(FileProblem::UnreadablePoint);
    QTest::newRow("china sound") << true << QByteArray("R,1800,7200\r\n1801,7201\r\n") << 2 << 0 << -1;
    QTest::newRow("china no comma") << true << QByteArray("R,1800,7200\r\n1801 7201\r\n") << 1 << 2
                                    << int(FileProblem::NoComma);
    QTest::newRow("china off the globe") << true << QByteArray("R,1800,7200\r\n1e300,7201\r\n") << 1 << 2
                                         << int(FileProblem::UnreadablePoint);
}

void TestCoastLines::badLinesReported()
{
    QFETCH(bool, china);
    QFETCH(QByteArray, bytes);
    QFETCH(int, points);
    QFETCH(int, line);
    QFETCH(int, problem);
    QVector<CoastPoint> read;
    FileProblems problems;
    {
        ProblemReporter reporter(&problems, "coastline/x");
        if (china)
            parseChinaCoast(bytes, read, &reporter);
        else
            parseCoastTile(bytes, wideBox(), read, &reporter);
    }
    QCOMPARE(read.size(), points);
    QCOMPARE(problems.size(), problem < 0 ? 0 : 1);
    if (problem >= 0) {
        QCOMPARE(problems[0].line, line);
        QCOMPARE(problems[0].kind, FileProblem::Kind(problem));
    }
}

void TestCoastLines::loadFromFolder()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("CoastLine")));
    QFile tile(dir.path() + QStringLiteral("/CoastLine/5339.cst"));
    QVERIFY(tile.open(QIODevice::WriteOnly));
    tile.write(meshLine("533947") + coastLineStart(2) + dataLine({{0, 0}, {10000, 10000}}));
    tile.close();
    AppSettings settings;
    settings.ApplicationFolder = dir.path();
    RaceControl rc;

    QVector<CoastPoint> points = {CoastPoint{}};
    // Two tiles listed; 5340 has no file and is skipped.
    QCOMPARE(LoadCoastLines(settings, rc, extentAt(2142.0, 8400.0, 2.0), points), 2);
    QCOMPARE(rc.CoastTiles, (QStringList{"5339", "5340"}));
    QCOMPARE(points.size(), 2);

    // The China coast: no tiles are listed, the tiles of the race stay as they were.
    QFile china(dir.path() + QStringLiteral("/CoastLine/chinacoast.txt"));
    QVERIFY(china.open(QIODevice::WriteOnly));
    china.write("R,1200,7200\r\n1201,7201\r\n");
    china.close();
    QCOMPARE(LoadCoastLines(settings, rc, extentAt(1200.0, 7200.0, 2.0), points), 2);
    QVERIFY(points[0].startsLine);
    QVERIFY(china.remove());
    QCOMPARE(LoadCoastLines(settings, rc, extentAt(1200.0, 7200.0, 2.0), points), 0);
}

void TestCoastLines::editModeWritesTiles()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("raceadmin")));
    platform::ScriptedDialogs dialogs;
    platform::DialogsGuard guard(&dialogs);
    AppSettings settings;
    settings.ApplicationFolder = dir.path();
    RaceControl rc;
    rc.FileName = QStringLiteral("r.txt");
    QVector<CoastPoint> points;

    LoadCoastLines(settings, rc, extentAt(2130.0, 8385.0, 1.0), points);
    QVERIFY(!QFile::exists(dir.path() + QStringLiteral("/raceadmin/r.txt"))); // viewing mode writes nothing

    settings.EditMode = true;
    LoadCoastLines(settings, rc, extentAt(2130.0, 8385.0, 1.0), points);
    const auto read = platform::readTextFile(dir.path() + QStringLiteral("/raceadmin/r.txt"));
    QVERIFY(read.ok);
    QVERIFY(read.lines.contains(QStringLiteral("MAP, 5339")));
    QVERIFY(dialogs.shown.isEmpty());
}

QTEST_GUILESS_MAIN(TestCoastLines)
#include "testcoastlines.moc"
