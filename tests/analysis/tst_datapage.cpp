#include "pagefixture.h"

#include <datapage.h>
#include <pagetexts.h>

#include <QtTest>

#include <cmath>

namespace {

// Three boats on L1, MK1, L2. Boat 1 over the line early (−10 s) and never back; boats 1 and 2
// round MK1 together; boat 3 never detected anywhere.
LegStats threeBoats()
{
    return pagefixture::stats({{-10, 600, 1200}, {5, 600, 1300}, {0, 0, 0}},
                              {{-0.01, 1.0, 2.0}, {0.001, 1.1, 2.1}, {0, 0, 0}});
}

// Texts of the scene, with their anchors, in drawing order.
const PageText *textAt(const PageScene &scene, double x, double y)
{
    for (const PageItem &item : scene.items)
        if (const PageText *t = std::get_if<PageText>(&item); t && t->position == QPointF(x, y))
            return t;
    return nullptr;
}

} // namespace

class TestDataPage : public QObject
{
    Q_OBJECT
private slots:
    void generalNumericForm_data();
    void generalNumericForm();
    void columnWidth_data();
    void columnWidth();
    void tablesMarkBestValues();
    void tablesBySpeed();
    void differenceScale_data();
    void differenceScale();
    void tableLayout();
    void differenceGraphs();
    void loneBoatGraphLeftEmpty();
    void speedGraphStartsAtSecondEntry();
    void factorBars();
    void factorLegWithoutBest();
};

void TestDataPage::generalNumericForm_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("half") << 0.5 << ".5";
    QTest::newRow("negative below 1") << -0.25 << "-.25";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("whole") << 3000.0 << "3000";
    QTest::newRow("negative whole") << -10.0 << "-10";
    QTest::newRow("speed") << 5.815 << "5.815";
    QTest::newRow("a tenth of a grid") << 0.1 * 3 << ".3";
    QTest::newRow("one and a half") << 1.5 << "1.5";
}

void TestDataPage::generalNumericForm()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(dataNumber(value), text);
}

void TestDataPage::columnWidth_data()
{
    QTest::addColumn<int>("entries");
    QTest::addColumn<double>("width");
    QTest::newRow("2 entries: 130 limited") << 2 << 45.0;
    QTest::newRow("5 entries: 52 limited") << 5 << 45.0;
    QTest::newRow("6 entries") << 6 << 260.0 / 6;
    QTest::newRow("10 entries") << 10 << 26.0;
    QTest::newRow("20 entries") << 20 << 13.0;
}

void TestDataPage::columnWidth()
{
    QFETCH(int, entries);
    QFETCH(double, width);
    QCOMPARE(dataColumnWidth(entries), width);
    // The page lays its columns out with that width.
    QStringList course;
    for (int e = 1; e <= entries; ++e)
        course << QStringLiteral("MK%1").arg(e);
    const RaceControl race = pagefixture::race(course, 1);
    const LegStats stats = pagefixture::stats({QVector<double>(entries, 0.0)});
    DataPageInput in{&race, &stats, {true}, DataMode::Time, 700, true, 1.0};
    const DataPageScene s = dataPageScene(in);
    QCOMPARE(s.columnWidth, width);
    // The last entry's header ends at 93 + n × w; the focus band of the accumulated table
    // runs from w + 73 to n × w + 93.
    const PageText *last = s.page.findText(course.last());
    QVERIFY(last);
    QCOMPARE(last->anchor, PageAnchor::TopRight);
    QCOMPARE(last->position.x(), 93 + entries * width);
    const QVector<PageBox> bands = [&] {
        QVector<PageBox> out;
        for (const PageBox &b : s.page.itemsOf<PageBox>())
            if (b.fill == DataPageColours::FocusBand)
                out << b;
        return out;
    }();
    QCOMPARE(bands.size(), 2);
    QCOMPARE(bands[0].left(), width + 73);
    QCOMPARE(bands[0].right(), entries * width + 93);
}

void TestDataPage::tablesMarkBestValues()
{
    const LegStats stats = threeBoats();
    const LegTables t = computeLegTables(stats, 3, 3, DataMode::Time);
    // The start: the early boat's −10 is written but is never the column's best; 0 never is.
    QCOMPARE(t.acc(1, 1).value, -10.0);
    QVERIFY(!t.acc(1, 1).best);
    QVERIFY(t.acc(2, 1).best);
    QVERIFY(!t.acc(3, 1).best);
    QVERIFY(t.acc(3, 1).shown);
    // Two boats with the same smallest time are both best.
    QVERIFY(t.acc(1, 2).best && t.acc(2, 2).best);
    QVERIFY(t.acc(1, 3).best && !t.acc(2, 3).best);
    QCOMPARE(t.accSpread, 100.0);
    // Legs: the time from the entry before (the early start counts from −10 s); the boat that
    // passed nothing has empty cells.
    QCOMPARE(t.leg(1, 2).value, 610.0);
    QCOMPARE(t.leg(2, 2).value, 595.0);
    QVERIFY(t.leg(2, 2).best && !t.leg(1, 2).best);
    QVERIFY(!t.leg(3, 2).shown && !t.leg(3, 3).shown);
    QCOMPARE(t.legSpread, 100.0);

    const LegTables d = computeLegTables(stats, 3, 3, DataMode::Distance);
    QCOMPARE(d.acc(1, 1).value, -19.0); // Int(−0.01 × 1852 + 0.5)
    QCOMPARE(d.acc(2, 1).value, 2.0);
    QVERIFY(d.acc(2, 1).best);
    QCOMPARE(d.acc(2, 3).value, 3889.0);
    QCOMPARE(d.leg(1, 2).value, 1871.0); // Int(1.01 × 1852 + 0.5)
}

void TestDataPage::tablesBySpeed()
{
    const LegTables s = computeLegTables(threeBoats(), 3, 3, DataMode::Speed);
    // Not passed (or passed before the start): 0 in the accumulated table.
    QCOMPARE(s.acc(1, 1).value, 0.0);
    QCOMPARE(s.acc(3, 2).value, 0.0);
    QCOMPARE(s.acc(2, 1).value, 0.72);
    QCOMPARE(s.acc(2, 3).value, 5.815); // 2.1 × 3600 / 1300 rounded to 0.001
    // The best speed is the largest.
    QVERIFY(s.acc(2, 2).best && !s.acc(1, 2).best);
    QVERIFY(s.acc(1, 3).best);
    // The spread starts at entry 2: the start column's .72 does not count.
    QVERIFY(std::fabs(s.accSpread - 0.6) < 1e-9);
    // Leg speeds are truncated to 0.001: 3600 × 1.099 / 595 = 6.6494…
    QCOMPARE(s.leg(2, 2).value, 6.649);
    QVERIFY(s.leg(2, 2).best);
    // A column nobody passed has no best, even though every value is the same 0.
    const LegTables none = computeLegTables(pagefixture::stats({{0, 0}, {0, 0}}), 2, 2, DataMode::Speed);
    QVERIFY(!none.acc(1, 2).best && !none.acc(2, 2).best);
}

void TestDataPage::differenceScale_data()
{
    QTest::addColumn<double>("spread");
    QTest::addColumn<double>("unit");
    QTest::addColumn<int>("steps");
    QTest::addColumn<bool>("isDefined");
    QTest::newRow("350") << 350.0 << 100.0 << 4 << true;
    QTest::newRow("100: a power of ten") << 100.0 << 100.0 << 2 << true;
    QTest::newRow("999") << 999.0 << 100.0 << 10 << true;
    QTest::newRow("0.5") << 0.5 << 0.1 << 6 << true;
    QTest::newRow("0.185") << 0.185 << 0.1 << 2 << true;
    QTest::newRow("1000") << 1000.0 << 1000.0 << 2 << true;
    QTest::newRow("0.001") << 0.001 << 0.001 << 2 << true;
    QTest::newRow("0: one boat") << 0.0 << 1.0 << 2 << false;
    QTest::newRow("-100: nobody valid") << -100.0 << 1.0 << 2 << false;
}

void TestDataPage::differenceScale()
{
    QFETCH(double, spread);
    QFETCH(double, unit);
    QFETCH(int, steps);
    QFETCH(bool, isDefined);
    const DifferenceScale s = ::differenceScale(spread);
    QVERIFY(std::fabs(s.unit - unit) < 1e-12);
    QCOMPARE(s.steps, steps);
    QCOMPARE(s.isDefined, isDefined);
    QVERIFY(std::fabs(s.pixelsPerUnit * s.fullScale() - 275.0) < 1e-9);
    // The full scale covers the spread.
    if (isDefined)
        QVERIFY(s.fullScale() > spread);
}

void TestDataPage::tableLayout()
{
    const RaceControl race = pagefixture::race({"L1", "MK1", "L2"}, 3);
    const LegStats stats = threeBoats();
    for (bool english : {true, false}) {
        DataPageInput in{&race, &stats, {false, true, false}, DataMode::Time, 700, english, 1.0};
        const DataPageScene s = dataPageScene(in);
        QCOMPARE(s.pageSize, QSize(700, 700));
        QCOMPARE(s.graphsSize, QSize(700, 350));
        QCOMPARE(s.graphsOrigin, QPoint(0, 103 + 18 * 3));
        // Titles of both tables, the leg table at X2 = n × w + 140.
        const PageText *acc = textAt(s.page, 120, 45);
        const PageText *leg = textAt(s.page, 3 * 45 + 140 + 20, 45);
        QVERIFY(acc && leg);
        QCOMPARE(acc->text, pageText(PageTextId::AccTableTime, english));
        QCOMPARE(leg->text, pageText(PageTextId::LegTableTime, english));
        QCOMPARE(acc->colour, DataPageColours::Title);
        QCOMPARE(textAt(s.page, 15, 65)->text, english ? QStringLiteral("   Boat Name") : QStringLiteral("　　　艇　名"));
    }
    DataPageInput in{&race, &stats, {false, true, false}, DataMode::Time, 700, true, 1.0};
    const DataPageScene s = dataPageScene(in);
    // Leg headers start at X2 + (j − 2) × w.
    QCOMPARE(s.page.findText(">MK1")->position, QPointF(275, 65));
    QCOMPARE(s.page.findText(">L2")->position, QPointF(320, 65));
    // Boat 1's start time, right-aligned on 93 + w, black; boat 2's in the best colour.
    const PageText *early = textAt(s.page, 138, 83);
    QVERIFY(early);
    QCOMPARE(early->text, QStringLiteral("-10"));
    QCOMPARE(early->colour, DataPageColours::Text);
    QCOMPARE(textAt(s.page, 138, 101)->colour, DataPageColours::Best);
    // Only the focused boat 2 has bands, across both tables.
    QVector<PageBox> bands;
    for (const PageBox &b : s.page.itemsOf<PageBox>())
        if (b.fill == DataPageColours::FocusBand)
            bands << b;
    QCOMPARE(bands.size(), 2);
    QCOMPARE(bands[0].top(), 100.0);
    QCOMPARE(bands[1].left(), 275.0);
    QCOMPARE(bands[1].right(), 275.0 + 2 * 45);
    // Boat 3 passed nothing: its leg cells are empty, its accumulated ones 0.
    QVERIFY(!textAt(s.page, 275 + 30, 119));
    QCOMPARE(textAt(s.page, 138, 119)->text, QStringLiteral("0"));
}

void TestDataPage::differenceGraphs()
{
    const RaceControl race = pagefixture::race({"L1", "MK1", "L2"}, 3);
    const LegStats stats = threeBoats();
    DataPageInput in{&race, &stats, {false, true, false}, DataMode::Time, 700, true, 1.0};
    const DataPageScene s = dataPageScene(in);
    QCOMPARE(s.accScale.unit, 100.0);
    QCOMPARE(s.accScale.steps, 2);
    const double k = 275.0 / 200;
    QVector<PageLine> curves;
    for (const PageLine &l : s.graphs.itemsOf<PageLine>())
        if (l.colour != DataPageColours::GraphGrid)
            curves << l;
    // Boat 2 (drawn first, focused: 4 wide) has points at every entry, boat 1 from entry 2
    // (its early start has no point); boat 3 none. Boat 1 is drawn last, on top.
    QVERIFY(curves.size() >= 3);
    QCOMPARE(curves.first().colour, race.Boats[1].colour);
    QCOMPARE(curves.first().width, 4);
    QCOMPARE(curves.first().points, (QVector<QPointF>{{65, 300}, {110, 300}}));
    QCOMPARE(curves[1].points, (QVector<QPointF>{{110, 300}, {155, 300 - k * 100}}));
    QCOMPARE(curves.last().colour, race.Boats[0].colour);
    QCOMPARE(curves.last().width, 1);
    // Grid labels right-aligned 5 pixels left of the plot: 0, 100, 200.
    QCOMPARE(textAt(s.graphs, 35, 300 - 5)->text, QStringLiteral("0"));
    QCOMPARE(textAt(s.graphs, 35, 25 - 5)->text, QStringLiteral("200"));
    // The leg graph stands at X = n × w + 60; its columns at X + (j − 1) × w + 20.
    const PageText *legTitle = textAt(s.graphs, 3 * 45 + 60 + 50, 10);
    QVERIFY(legTitle);
    QCOMPARE(legTitle->text, pageText(PageTextId::LegGraphTime, true));
    QCOMPARE(textAt(s.graphs, 195 + 45 + 20, 316)->text, QStringLiteral("MK1"));
}

void TestDataPage::loneBoatGraphLeftEmpty()
{
    // One boat: every spread is 0, which has no logarithm and nothing to compare. The graphs
    // keep their titles, backgrounds and columns, without grid and curves.
    const RaceControl race = pagefixture::race({"L1", "MK1", "L2"}, 1);
    const LegStats stats = pagefixture::stats({{5, 600, 1200}}, {{0.01, 1, 2}});
    for (DataMode mode : {DataMode::Time, DataMode::Distance, DataMode::Speed}) {
        DataPageInput in{&race, &stats, {true}, mode, 700, true, 1.0};
        const DataPageScene s = dataPageScene(in);
        QVERIFY(!s.accScale.isDefined);
        QVERIFY(!s.legScale.isDefined);
        for (const PageLine &l : s.graphs.itemsOf<PageLine>()) {
            QCOMPARE(l.colour, DataPageColours::GraphGrid);
            QCOMPARE(l.points.first().x(), l.points.last().x()); // columns only
        }
        QCOMPARE(s.graphs.itemsOf<PageBox>().size(), 2);
        QVERIFY(s.graphs.itemsOf<PageDot>().isEmpty());
        QVERIFY(s.graphs.findText(QStringLiteral("MK1")));
        QVERIFY(!s.graphs.findText(QStringLiteral("0")));
    }
}

void TestDataPage::speedGraphStartsAtSecondEntry()
{
    const LegStats stats = threeBoats();
    const LegTables t = computeLegTables(stats, 3, 3, DataMode::Speed);
    const auto acc = differencePoints(stats, t, false);
    QVERIFY(!acc[1][0]); // boat 2 passed the start, but the speed graph begins at entry 2
    QVERIFY(acc[1][1]);
    QVERIFY(std::fabs(*acc[1][1]) < 1e-12); // boat 2 is the fastest at MK1
    QVERIFY(std::fabs(*acc[0][1] - 0.6) < 1e-9);
    const auto legs = differencePoints(stats, t, true);
    QVERIFY(!legs[2][1]);
    // The leg graph's speeds are rounded where the table's are truncated: 6.6494… → 6.649
    // in both, 5.9606… → 5.96 (table) and 5.961 (graph).
    QCOMPARE(t.leg(1, 2).value, 5.96);
    QVERIFY(std::fabs(*legs[0][1] - (6.649 - 5.961)) < 1e-9);
}

void TestDataPage::factorBars()
{
    // Three boats with the same course sailed, finishing at 3000, 3150 and 3750 s.
    const RaceControl race = pagefixture::race({"L1", "MK1", "L2"}, 3);
    const LegStats stats = pagefixture::stats({{5, 1500, 3000}, {5, 1500, 3150}, {5, 1500, 3750}},
                                              {{0, 3, 6}, {0, 3, 6}, {0, 3, 6}});
    const QVector<FactorColumn> f = computeFactors(stats, 3, 3);
    QCOMPARE(f[0].bestBoat, 1);
    QCOMPARE(f[0].boats[1].time.value, 0.05);
    QCOMPARE(f[0].boats[2].time.value, 0.25);
    QCOMPARE(f[0].boats[2].distance.value, 0.0);
    QVERIFY(std::fabs(f[0].boats[2].speed.value - (3000.0 / 3750 - 1)) < 1e-12);
    QCOMPARE(limitedFactor(0.25), 0.2);
    QCOMPARE(limitedFactor(-0.3), -0.2);
    // Leg MK1: everybody together, so every ratio is 0; the lower boat number is the best.
    QCOMPARE(f[1].bestBoat, 1);
    QCOMPARE(f[1].boats[2].time.value, 0.0);

    DataPageInput in{&race, &stats, {true, true, true}, DataMode::Analysis, 700, true, 1.0};
    const DataPageScene s = dataPageScene(in);
    const double w = 45;
    const double x0 = 93 + 2 * w; // the whole race column's zero line
    const double expected[] = {0.0, 0.05 * 4 * w, 0.2 * 4 * w};
    for (int i = 0; i < 3; ++i) {
        const double y = 127 + 36 * i;
        bool found = false;
        for (const PageBox &b : s.page.itemsOf<PageBox>()) {
            if (b.fill == DataPageColours::FactorTime && b.top() == y + 2 && b.left() == x0) {
                QVERIFY(std::fabs(b.right() - x0 - expected[i]) < 1e-9);
                found = true;
            }
        }
        QVERIFY2(found, qPrintable(QStringLiteral("time bar of boat %1").arg(i + 1)));
    }
    QCOMPARE(s.page.findText(pageText(PageTextId::FactorTitle, true))->position, QPointF(120, 25));
    QVERIFY(s.page.findText(QStringLiteral("TTL")));
    QVERIFY(!s.hasGraphs);
    // Rows of 36 pixels need more room than the tables: the page holds every row.
    QVERIFY(s.pageSize.height() >= 127 + 36 * 3);
}

void TestDataPage::factorLegWithoutBest()
{
    // Nobody finished: the whole race column has no best boat and no bars; the leg to MK1
    // still compares the boats that rounded it.
    const LegStats stats = pagefixture::stats({{5, 600, 0}, {5, 660, 0}}, {{0, 1, 0}, {0, 1.1, 0}});
    const QVector<FactorColumn> f = computeFactors(stats, 2, 3);
    QCOMPARE(f[0].bestBoat, 0);
    QCOMPARE(f[2].bestBoat, 0);
    QCOMPARE(f[1].bestBoat, 1);
    QVERIFY(std::fabs(f[1].boats[1].time.value - 655.0 / 595 + 1) < 1e-12);
    QVERIFY(!f[0].boats[0].time.shown);
}

QTEST_GUILESS_MAIN(TestDataPage)
#include "tst_datapage.moc"
