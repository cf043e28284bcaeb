// The pages rendered offscreen and read back pixel by pixel: the worked geometry of the Graph
// page (direction and speed positions, the time lines' colours, the pointer marks) and of the
// Data page (column widths, factor bars, the graphs copied under the tables).
#include "../analysis/pagefixture.h"

#include <pagepainter.h>

#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QtTest>

namespace {

QRgb pixel(const QImage &image, int x, int y) { return image.pixel(x, y) & 0xffffffu; }
QRgb plain(Colour c) { return c & 0xffffffu; }

struct Race {
    RaceControl race;
    RaceData data;
};

// One boat sailing a steady course and speed from −100 s to the finish, mean wind 200.
Race steadyRace(double course, double speed, qint64 duration = 3600)
{
    Race r;
    r.race = pagefixture::race({"L1", "MK1", "L2"}, 1);
    r.race.RaceDuration = duration;
    r.race.WindDirection = 200;
    r.data.TimeBarSpan = double(duration) + 180 + 60;
    BoatTrack t;
    for (double s = -100; s <= double(duration); s += 10)
        t.Points.append({s, 0, 0, 0, speed, course});
    r.data.Tracks = {t};
    return r;
}

QImage renderGraph(const Race &r, QSize size = QSize(720, 600), GraphScale *scale = nullptr)
{
    GraphPageInput in{&r.race, &r.data, {true}, size, 1.0};
    const GraphPageScene scene = graphPageScene(in);
    if (scale)
        *scale = scene.scale;
    return renderGraphPage(scene, size);
}

// The first run of pixels of the colour in row y from x = from: its first and last x.
QPair<int, int> runOf(const QImage &image, int y, QRgb colour, int from = 0)
{
    int x = from;
    while (x < image.width() && pixel(image, x, y) != colour)
        ++x;
    const int first = x;
    while (x < image.width() && pixel(image, x, y) == colour)
        ++x;
    return {first, x - 1};
}

} // namespace

class TestPagePainters : public QObject
{
    Q_OBJECT
private slots:
    void courseAtItsDirection_data();
    void courseAtItsDirection();
    void speedPositions();
    void timeLineColours();
    void thinnedCurvesDrawTheSame_data();
    void thinnedCurvesDrawTheSame();
    void pointerMarks();
    void columnWidths_data();
    void columnWidths();
    void factorBarLengths();
    void graphsCopiedUnderTables();
    void windStrip();
};

void TestPagePainters::courseAtItsDirection_data()
{
    QTest::addColumn<double>("course");
    QTest::addColumn<int>("x");
    QTest::newRow("200 at 120") << 200.0 << 120;
    QTest::newRow("290 at 210") << 290.0 << 210;
    QTest::newRow("20 wrapped to 300") << 20.0 << 300;
    QTest::newRow("110 at the left edge") << 110.0 << 30;
    QTest::newRow("109 wrapped to 389") << 109.0 << 389;
}

void TestPagePainters::courseAtItsDirection()
{
    QFETCH(double, course);
    QFETCH(int, x);
    const Race r = steadyRace(course, 5);
    GraphScale s;
    const QImage image = renderGraph(r, QSize(720, 600), &s);
    const int y = qRound(s.timeToY(1750));
    const QRgb boat = plain(r.race.Boats[0].colour);
    QCOMPARE(pixel(image, x, y), boat);
    QVERIFY(pixel(image, x - 2, y) != boat);
    QVERIFY(pixel(image, x + 2, y) != boat);
}

void TestPagePainters::speedPositions()
{
    // A boat at 10 knots stands on the speed panel's right edge.
    Race r = steadyRace(200, 10);
    GraphScale s;
    const QImage image = renderGraph(r, QSize(720, 600), &s);
    const int y = qRound(s.timeToY(1750));
    QCOMPARE(pixel(image, 700, y), plain(r.race.Boats[0].colour));
    QVERIFY(pixel(image, 698, y) != plain(r.race.Boats[0].colour));
    // The wind speed at 15 pixels a knot: 13 knots at x = 595, the area filled up to it. (At
    // 20 knots it would lie under the 10-knot grid line at x = 700, which is drawn later.)
    r.race.WindFile = QStringLiteral("race1_WIND.CSV");
    r.data.Wind = {{0, 13, 200}, {1200, 13, 200}, {3000, 13, 200}};
    r.data.Tracks = {BoatTrack()};
    const QImage wind = renderGraph(r);
    QCOMPARE(pixel(wind, 595, y), plain(GraphColours::WindSpeed));
    QCOMPARE(pixel(wind, 594, y), plain(GraphColours::WindArea));
    QCOMPARE(pixel(wind, 415, y), plain(GraphColours::WindArea));
    QCOMPARE(pixel(wind, 597, y), plain(GraphColours::Panel));
}

void TestPagePainters::timeLineColours()
{
    // A race of 75 minutes: lines every 5 minutes; the hour red, the half hour orange, the
    // 10-minute lines pale red, the others grey. (0:00 and 1:15 lie under the green start and
    // finish lines.)
    Race r = steadyRace(200, 5, 75 * 60);
    r.data.Tracks = {BoatTrack()};
    GraphScale s;
    const QImage image = renderGraph(r, QSize(720, 700), &s);
    const struct {
        int m;
        Colour colour;
    } rows[] = {{1, GraphColours::Grid}, {2, GraphColours::TimeTenMinutes}, {6, GraphColours::TimeHalfHour},
                {10, GraphColours::TimeTenMinutes}, {12, GraphColours::TimeHour}, {13, GraphColours::Grid}};
    for (const auto &row : rows) {
        const int y = qRound(s.timeToY(300.0 * row.m));
        QCOMPARE(pixel(image, 35, y), plain(row.colour));  // direction panel, between grid lines
        QCOMPARE(pixel(image, 415, y), plain(row.colour)); // speed panel
    }
    QCOMPARE(pixel(image, 35, qRound(s.timeToY(0))), plain(GraphColours::StartFinish));
    QCOMPARE(pixel(image, 5, 30), plain(GraphColours::StartFinish));
}

void TestPagePainters::thinnedCurvesDrawTheSame_data()
{
    QTest::addColumn<double>("secondHalfCourse");
    QTest::addColumn<int>("tolerance");
    QTest::newRow("jitter") << 160.0 << 0;
    // Courses of 95 … 125 jump between both ends of the panel within a pixel row; the raster
    // engine ends such jumps a pixel apart now and then.
    QTest::newRow("jitter across the wrap") << 95.0 << 10;
}

void TestPagePainters::thinnedCurvesDrawTheSame()
{
    QFETCH(double, secondHalfCourse);
    QFETCH(int, tolerance);
    // A boat at 1 s fixes whose course and speed jitter from second to second: the page keeps a
    // few points per pixel row, and the curves must cover the pixels the full curves cover.
    Race r = steadyRace(200, 5);
    BoatTrack t;
    QRandomGenerator rng(7);
    for (int s = -60; s < 3600; ++s)
        t.Points.append({double(s), 0, 0, 0, 4 + rng.bounded(3.0),
                         (s < 1800 ? 160 : secondHalfCourse) + rng.bounded(s < 1800 ? 60.0 : 30.0)});
    r.data.Tracks = {t};
    GraphPageInput in{&r.race, &r.data, {true}, QSize(720, 600), 1.0};
    const GraphPageScene scene = graphPageScene(in);
    // The same scene with each thinned curve put back whole, in its place.
    GraphPageScene full = scene;
    full.picture.items.clear();
    qsizetype thinned = 0;
    for (const PageItem &item : scene.picture.items) {
        const PageLine *l = std::get_if<PageLine>(&item);
        if (!l || l->colour != r.race.Boats[0].colour) {
            full.picture.items.push_back(item);
            continue;
        }
        thinned += l->points.size();
        const bool speed = l->points.first().x() >= 400;
        PageLine curve{{}, l->colour, 1};
        for (const TrackPoint &p : t.Points)
            curve.points.append(QPointF(speed ? GraphScale::boatSpeedToX(p.Speed) : scene.scale.directionToX(p.Course),
                                        scene.scale.timeToY(p.Time)));
        full.picture.add(curve);
    }
    QVERIFY(thinned < t.PointCount()); // of two curves of 3660 points each
    const QImage a = renderGraphPage(scene, in.size), b = renderGraphPage(full, in.size);
    int differ = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            differ += a.pixel(x, y) != b.pixel(x, y);
    QVERIFY2(differ <= tolerance, qPrintable(QStringLiteral("%1 pixels differ").arg(differ)));
}

void TestPagePainters::pointerMarks()
{
    Race r = steadyRace(200, 5);
    r.data.Tracks = {BoatTrack()};
    GraphScale s;
    QImage image = renderGraph(r, QSize(720, 600), &s);
    // x = 280 is also the 0° grid line; the mark covers it only between y − 10 and y + 10.
    QCOMPARE(pixel(image, 280, 300), plain(GraphColours::DirectionMajor));
    const PointerAid aid = pointerAid(s, 100, 300, r.race, {}, false);
    {
        QPainter p(&image);
        paintPointerAid(p, aid);
    }
    const QRgb black = plain(PointerMarkColour);
    for (int x : {55, 145, 280}) {
        QCOMPARE(pixel(image, x, 300), black);
        QCOMPARE(pixel(image, x, 290), black);
        QCOMPARE(pixel(image, x, 310), black);
        QVERIFY(pixel(image, x, 312) != black);
        QVERIFY(pixel(image, x + 1, 300) != black);
    }
    QCOMPARE(pixel(image, 280, 315), plain(GraphColours::DirectionMajor));
}

void TestPagePainters::columnWidths_data()
{
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("width");
    QTest::newRow("2 entries") << 2 << 45;
    QTest::newRow("10 entries") << 10 << 26;
    QTest::newRow("20 entries") << 20 << 13;
}

void TestPagePainters::columnWidths()
{
    QFETCH(int, entries);
    QFETCH(int, width);
    QStringList course;
    for (int e = 1; e <= entries; ++e)
        course << QStringLiteral("MK%1").arg(e);
    const RaceControl race = pagefixture::race(course, 2);
    const LegStats stats = pagefixture::stats({QVector<double>(entries, 0.0), QVector<double>(entries, 0.0)});
    DataPageInput in{&race, &stats, {true, false}, DataMode::Time, 800, true, 1.0};
    const QImage image = renderDataPage(dataPageScene(in));
    QCOMPARE(image.size(), QSize(800, 800));
    // The focused boat's bands, on the pixel row above its values: the accumulated table's from
    // w + 73 to n × w + 93, the leg table's from X2 = n × w + 140 over n − 1 columns.
    const int y = 65 + 18 - 1;
    const QRgb band = plain(DataPageColours::FocusBand);
    QCOMPARE(runOf(image, y, band), qMakePair(width + 73, entries * width + 93));
    const int x2 = entries * width + 140;
    QCOMPARE(runOf(image, y, band, entries * width + 94), qMakePair(x2, x2 + (entries - 1) * width));
    // The unfocused boat has none.
    QCOMPARE(runOf(image, y + 18, band).first, image.width());
}

void TestPagePainters::factorBarLengths()
{
    // Finish times 3000, 3150, 3750 s over the same distance: time bars of 0, 0.05 × 4w and
    // 0.2 × 4w (0.25 limited) right of the whole race column's zero line at 93 + 2w.
    const RaceControl race = pagefixture::race({"L1", "MK1", "L2"}, 3);
    const LegStats stats = pagefixture::stats({{5, 1500, 3000}, {5, 1500, 3150}, {5, 1500, 3750}},
                                              {{0, 3, 6}, {0, 3, 6}, {0, 3, 6}});
    DataPageInput in{&race, &stats, {false, false, false}, DataMode::Analysis, 700, false, 1.0};
    const QImage image = renderDataPage(dataPageScene(in));
    const int w = 45, x0 = 93 + 2 * w;
    const int lengths[] = {0, 9, 36};
    const QRgb black = plain(DataPageColours::FactorTime);
    for (int i = 0; i < 3; ++i) {
        const int y = 127 + 36 * i + 5;
        QCOMPARE(pixel(image, x0, y), plain(DataPageColours::FactorZeroLine));
        int length = 0;
        while (pixel(image, x0 + 1 + length, y) == black)
            ++length;
        QCOMPARE(length, lengths[i]);
        // Distance bars: all sailed the same distance.
        QVERIFY(pixel(image, x0 + 1, y + 8) != plain(DataPageColours::FactorDistance));
    }
    // Speed bars point left: boat 3 sailed 20 % slower than the winner (limited to −0.2).
    const int y3 = 127 + 36 * 2 + 21;
    int speed = 0;
    while (pixel(image, x0 - 1 - speed, y3) == plain(DataPageColours::FactorSpeed))
        ++speed;
    QCOMPARE(speed, 36);
}

void TestPagePainters::graphsCopiedUnderTables()
{
    const RaceControl race = pagefixture::race({"L1", "MK1", "L2"}, 2);
    const LegStats stats = pagefixture::stats({{5, 600, 1200}, {6, 660, 1300}}, {{0, 1, 2}, {0, 1.1, 2.2}});
    DataPageInput in{&race, &stats, {true, true}, DataMode::Time, 700, true, 1.0};
    const DataPageScene scene = dataPageScene(in);
    const QImage image = renderDataPage(scene);
    const int top = 103 + 18 * 2;
    QCOMPARE(scene.graphsOrigin.y(), top);
    // The graph background starts at (40, 25) of the off-screen picture.
    QCOMPARE(pixel(image, 42, top + 27), plain(DataPageColours::GraphBackground));
    QCOMPARE(pixel(image, 42, top + 23), plain(DataPageColours::Page));
    // The difference 100 s at the finish: boat 2's point sits 100 × 275 / 200 above the base.
    const int baseline = top + 300;
    QCOMPARE(pixel(image, 3 * 45 + 20, baseline - qRound(100 * 275.0 / 200)), plain(race.Boats[1].colour));
}

void TestPagePainters::windStrip()
{
    Race r = steadyRace(200, 5);
    r.data.Wind = {{0, 10, 195}, {600, 10, 205}, {1200, 10, 200}};
    QImage image(70, 70, QImage::Format_RGB32);
    {
        QPainter p(&image);
        paintPage(p, windStripScene(r.race, r.data, 70, rgb(0, 255, 255)));
    }
    QCOMPARE(pixel(image, 2, 2), plain(rgb(0, 255, 255)));
    QCOMPARE(pixel(image, 6, 60), plain(GraphColours::StripBox));
    // The white 200° line in the middle, the green start line across.
    QCOMPARE(pixel(image, 35, 40), plain(rgb(255, 255, 255)));
    const int start = qRound(15 + 50.0 / 3840 * 3600);
    QCOMPARE(pixel(image, 50, start), plain(GraphColours::StartFinish));
    QCOMPARE(pixel(image, 50, 25), plain(GraphColours::StartFinish));
}

QTEST_MAIN(TestPagePainters)
#include "testpagepainters.moc"
