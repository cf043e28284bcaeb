// The chart tools' decisions without a mouse: picking, placing and deleting marks and lines,
// the course by clicks, the limits, measuring, zoom and move, the hints and where they go, the
// wind direction box and the overview.
#include <chartinteraction.h>
#include <courseediting.h>
#include <displaytexts.h>
#include <mapview.h>
#include <racecontrol.h>

#include <QTest>

namespace {

constexpr double CentreLat = 2130.0, CentreLon = 8385.0;

RaceExtent extent()
{
    RaceExtent x;
    x.MinLat = CentreLat - 0.5;
    x.MaxLat = CentreLat + 0.5;
    x.MinLon = CentreLon - 0.6;
    x.MaxLon = CentreLon + 0.6;
    x.CentreLat = CentreLat;
    x.CentreLon = CentreLon;
    x.LonFactor = 0.8;
    x.MetresPerLatMinute = 1852.0;
    x.MetresPerLonMinute = 0.8 * 1852.0;
    x.Span = 1.0;
    return x;
}

// Five pixels a character, twelve a line: the window measures with its font instead.
QSize fakeMeasure(const QString &text)
{
    int width = 0;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString &l : lines)
        width = std::max(width, int(l.size()) * 5);
    return QSize(width, 12 * int(lines.size()));
}

// A 600-pixel chart, north up, at zoom 1: 450 pixels a minute of latitude.
struct Chart {
    RaceControl race;
    MapView view;
    ChartEditState state;
    ChartInteraction tools{race, view, state};
    ChartContext context;

    Chart()
    {
        view.resetForRace(extent(), 0.0, 600.0);
        context.chartWidth = context.chartHeight = 600.0;
        context.title = QStringLiteral("Cup");
    }
    QPointF at(double lat, double lon) const { return view.ToScreen(lat, lon); }
    ChartPressResult click(ChartButton b, QPointF p, bool shift = false)
    {
        ChartContext c = context;
        c.shift = shift;
        return tools.press(b, p, c);
    }
    ChartPointerReadout over(QPointF p) const { return tools.move(p, context, fakeMeasure); }
};

} // namespace

class TestChartInteraction : public QObject
{
    Q_OBJECT
private slots:
    void pickRadiusShrinksWithZoom_data();
    void pickRadiusShrinksWithZoom();
    void placeMarksAndLines();
    void deleteLineOneOfTwo();
    void courseByClicks();
    void limitsRefuseWithoutChange();
    void measureDueSouth();
    void zoomMoveAndShowAll();
    void tracingPlacesNothing();
    void modesAreExclusive();
    void hintsAndWhereTheyGo();
    void hintPlacement_data();
    void hintPlacement();
    void windDirectionBox_data();
    void windDirectionBox();
    void overviewRecentresAndTurns();
    void boatTag();
};

void TestChartInteraction::pickRadiusShrinksWithZoom_data()
{
    QTest::addColumn<double>("zoom");
    QTest::addColumn<double>("dLat");
    QTest::addColumn<double>("dLon");
    QTest::addColumn<int>("selection");
    // Mark 1 at the centre, line 1 with its second end 0.3 east (minutes of longitude).
    QTest::newRow("zoom 1, 0.08 north: the mark") << 1.0 << 0.08 << 0.0 << 1;
    QTest::newRow("zoom 2, 0.08 north: nothing (radius 0.05)") << 2.0 << 0.08 << 0.0 << 0;
    QTest::newRow("zoom 2, 0.04 north: the mark") << 2.0 << 0.04 << 0.0 << 1;
    QTest::newRow("zoom 1, just past 0.1 north: nothing") << 1.0 << 0.101 << 0.0 << 0;
    // 0.11 minute of longitude east is 0.088 minute of latitude at a factor of 0.8.
    QTest::newRow("longitude shortened") << 1.0 << 0.0 << 0.11 << 1;
    QTest::newRow("the line's second end is nearer") << 1.0 << 0.0 << 0.2 << -1;
}

void TestChartInteraction::pickRadiusShrinksWithZoom()
{
    QFETCH(double, zoom);
    QFETCH(double, dLat);
    QFETCH(double, dLon);
    QFETCH(int, selection);
    RaceControl race;
    race.Marks = {RaceMark{CentreLat, CentreLon}};
    race.Lines = {RaceLine{CentreLat - 1, CentreLon, CentreLat, CentreLon + 0.3}};
    QCOMPARE(PickNearest(race, 0.8, zoom, CentreLat + dLat, CentreLon + dLon).selection, selection);
}

void TestChartInteraction::placeMarksAndLines()
{
    Chart c;
    QVERIFY(c.tools.toggleMarkMode());
    const QPointF p(200, 250);
    QCOMPARE(c.click(ChartButton::Left, p).action, ChartAction::MarkPlaced);
    QCOMPARE(c.race.markCount(), 1);
    QVERIFY(std::fabs(c.view.ToScreen(c.race.Marks[0].Lat, c.race.Marks[0].Lon).x() - 200) < 1e-6);
    // One click places one mark: the mode is over, the next click zooms.
    QVERIFY(!c.state.MarkMode);
    c.tools.toggleLineMode();
    QCOMPARE(c.click(ChartButton::Left, QPointF(100, 400)).action, ChartAction::LineStarted);
    QCOMPARE(c.state.LineMode, LineStep::SecondEnd);
    // Between the two ends the chart moves (Shift + left): the line keeps its first end.
    const ChartPosition first = c.view.ToChart(100, 400);
    QCOMPARE(c.click(ChartButton::Left, QPointF(300, 300), true).action, ChartAction::MovedTo);
    const ChartPointerReadout band = c.over(QPointF(500, 400));
    QVERIFY(band.rubberBandShown);
    QVERIFY((band.rubberBand.p1() - c.view.ToScreen(first.Lat, first.Lon)).manhattanLength() < 1e-6);
    QCOMPARE(c.click(ChartButton::Left, QPointF(500, 400)).action, ChartAction::LinePlaced);
    QCOMPARE(c.race.lineCount(), 1);
    QCOMPARE(c.race.Lines[0].Lat1, first.Lat);
    QCOMPARE(c.race.Lines[0].Lon1, first.Lon);
    QCOMPARE(c.state.LineMode, LineStep::Off);
    QVERIFY(isCourseSettable(c.race));
}

void TestChartInteraction::deleteLineOneOfTwo()
{
    Chart c;
    const RaceLine one{CentreLat - 0.3, CentreLon - 0.1, CentreLat - 0.3, CentreLon + 0.1};
    const RaceLine two{CentreLat + 0.3, CentreLon - 0.1, CentreLat + 0.3, CentreLon + 0.1};
    c.race.Marks = {RaceMark{CentreLat, CentreLon}};
    c.race.Lines = {one, two};
    c.race.Course.Entries = {QStringLiteral("L1"), QStringLiteral("MK1"), QStringLiteral("L2")};
    c.tools.toggleLineMode();
    // A right click far from everything changes nothing.
    QCOMPARE(c.click(ChartButton::Right, QPointF(590, 590)).action, ChartAction::None);
    QCOMPARE(c.race.lineCount(), 2);
    QCOMPARE(c.race.Course.Count(), 3);
    // On the second end of line 1: line 1 goes, the former line 2 is line 1, the course is empty.
    QCOMPARE(c.click(ChartButton::Right, c.at(one.Lat2, one.Lon2)).action, ChartAction::Deleted);
    QCOMPARE(c.race.lineCount(), 1);
    QCOMPARE(c.race.Lines[0].Lat1, two.Lat1);
    QCOMPARE(c.race.Course.Count(), 0);
    QCOMPARE(c.race.markCount(), 1);
    // The line mode stays on: the next left click is a first end.
    QCOMPARE(c.state.LineMode, LineStep::FirstEnd);
}

void TestChartInteraction::courseByClicks()
{
    Chart c;
    c.race.Marks = {RaceMark{CentreLat + 0.3, CentreLon}, RaceMark{CentreLat - 0.2, CentreLon}};
    c.race.Lines = {RaceLine{CentreLat - 0.3, CentreLon - 0.1, CentreLat - 0.3, CentreLon + 0.1},
                    RaceLine{CentreLat + 0.25, CentreLon + 0.2, CentreLat + 0.25, CentreLon + 0.35}};
    QVERIFY(!c.tools.toggleCourseMode());
    QVERIFY(c.state.CourseMode);
    // Away from every mark and line end: nothing.
    QCOMPARE(c.click(ChartButton::Left, QPointF(5, 5)).action, ChartAction::None);
    // Line 1 by its first end, the marks, line 2 by its second end (either button).
    QCOMPARE(c.click(ChartButton::Left, c.at(CentreLat - 0.3, CentreLon - 0.1) + QPointF(3, 2)).action,
             ChartAction::CourseEntryAdded);
    QCOMPARE(c.click(ChartButton::Left, c.at(CentreLat + 0.3, CentreLon)).action, ChartAction::CourseEntryAdded);
    QCOMPARE(c.click(ChartButton::Right, c.at(CentreLat - 0.2, CentreLon)).action, ChartAction::CourseEntryAdded);
    QCOMPARE(c.click(ChartButton::Left, c.at(CentreLat + 0.25, CentreLon + 0.35)).action,
             ChartAction::CourseEntryAdded);
    QCOMPARE(c.race.Course.Entries, QStringList({"L1", "MK1", "MK2", "L2"}));
    QCOMPARE(courseListItems(c.race.Course), QStringList({" 1  L1", " 2  MK1", " 3  MK2", " 4  L2"}));
    // The course mode stays on; the marks and lines are as they were.
    QVERIFY(c.state.CourseMode);
    QCOMPARE(c.race.markCount(), 2);
    // Over a mark the tag names it, centred on the pointer, 20 pixels above it.
    const QPointF p = c.at(CentreLat + 0.3, CentreLon);
    const ChartPointerReadout r = c.over(p);
    QVERIFY(r.hint.shown);
    QCOMPARE(r.hint.text, QStringLiteral("MK1"));
    QCOMPARE(r.hint.rect.top(), int(std::floor(p.y())) - 20);
    QVERIFY(std::abs(r.hint.rect.center().x() - p.x()) <= 1);
    QCOMPARE(c.over(c.at(CentreLat - 0.3, CentreLon - 0.1)).hint.text, QStringLiteral("LINE1"));
    QVERIFY(!c.over(QPointF(5, 5)).hint.shown);
    // Switching the course mode off puts the passings out of date.
    QVERIFY(c.tools.toggleCourseMode());
}

void TestChartInteraction::limitsRefuseWithoutChange()
{
    Chart c;
    for (int i = 0; i < MaxMarks; ++i)
        QCOMPARE(addMark(c.race, CentreLat + i * 0.01, CentreLon), EditRefusal::None);
    c.tools.toggleMarkMode();
    ChartPressResult r = c.click(ChartButton::Left, QPointF(100, 100));
    QCOMPARE(r.action, ChartAction::None);
    QCOMPARE(r.refusal, EditRefusal::TooManyMarks);
    QCOMPARE(c.race.markCount(), MaxMarks);

    for (int i = 0; i < MaxLines; ++i)
        QCOMPARE(addLine(c.race, RaceLine{CentreLat - 0.4, CentreLon + i * 0.01, CentreLat - 0.45, CentreLon}),
                 EditRefusal::None);
    c.tools.toggleLineMode();
    r = c.click(ChartButton::Left, QPointF(100, 100));
    QCOMPARE(r.refusal, EditRefusal::TooManyLines);
    QCOMPARE(c.state.LineMode, LineStep::FirstEnd);
    QCOMPARE(c.race.lineCount(), MaxLines);

    c.tools.toggleCourseMode();
    for (int i = 0; i < MaxCourseEntries; ++i)
        c.race.Course.Entries << QStringLiteral("MK1");
    r = c.click(ChartButton::Left, c.at(CentreLat, CentreLon));
    QCOMPARE(r.refusal, EditRefusal::TooManyCourseEntries);
    QCOMPARE(c.race.Course.Count(), MaxCourseEntries);
    QVERIFY(!r.raceChanged());

    for (const bool english : {true, false})
        for (EditRefusal e : {EditRefusal::TooManyMarks, EditRefusal::TooManyLines, EditRefusal::TooManyCourseEntries})
            QVERIFY(!editRefusalMessage(e, english).isEmpty());
}

void TestChartInteraction::measureDueSouth()
{
    Chart c;
    c.race.MagneticVariation = -7.0;
    c.context.measuring = true;
    const QPointF origin = c.at(CentreLat + 0.2, CentreLon);
    // Before an origin is set, no rubber band.
    QVERIFY(!c.over(QPointF(300, 300)).rubberBandShown);
    QCOMPARE(c.click(ChartButton::Left, origin).action, ChartAction::MeasureOriginSet);
    // One minute of latitude due south.
    const QPointF south = c.at(CentreLat - 0.8, CentreLon);
    const ChartPointerReadout r = c.over(south);
    QVERIFY(r.rubberBandShown);
    QVERIFY((r.rubberBand.p1() - origin).manhattanLength() < 1e-6);
    QCOMPARE(r.rubberBand.p2(), south);
    QVERIFY(r.hint.shown);
    QCOMPARE(r.hint.text, QStringLiteral(" 180度／187mag   1852m"));
    QCOMPARE(r.hint.rect.topLeft(), QPoint(10, 10));
    QCOMPARE(r.hint.rect.width(), fakeMeasure(r.hint.text).width() + 10);
    // Measuring zooms nothing; a right click ends it.
    QCOMPARE(c.view.UserZoom, 1.0);
    QCOMPARE(c.click(ChartButton::Right, south).action, ChartAction::MeasureEnded);
    QVERIFY(!c.state.MeasureOriginSet);
}

void TestChartInteraction::zoomMoveAndShowAll()
{
    Chart c;
    QCOMPARE(c.click(ChartButton::Left, QPointF(400, 200)).action, ChartAction::Zoomed);
    QCOMPARE(c.click(ChartButton::Left, QPointF(300, 300)).action, ChartAction::Zoomed);
    QVERIFY(std::fabs(c.view.UserZoom - 1.96) < 1e-9);
    QVERIFY(c.view.ViewLat != CentreLat);
    // Shift + left moves the centre to the click, at the same zoom.
    const ChartPosition target = c.view.ToChart(100, 500);
    QCOMPARE(c.click(ChartButton::Left, QPointF(100, 500), true).action, ChartAction::MovedTo);
    QCOMPARE(c.view.ViewLat, target.Lat);
    QVERIFY(std::fabs(c.view.Zoom - 1.96) < 1e-9);
    // Shift + right: zoom 1 around the middle of the race area, whatever the zoom was.
    QCOMPARE(c.click(ChartButton::Right, QPointF(20, 30), true).action, ChartAction::ShownAll);
    QCOMPARE(c.view.Zoom, 1.0);
    QCOMPARE(c.view.UserZoom, 1.0);
    QVERIFY(std::fabs(c.view.ViewLat - CentreLat) < 1e-9);
    QVERIFY(std::fabs(c.view.ViewLon - CentreLon) < 1e-9);
    // Shift goes before the modes: in the mark mode it moves and places nothing.
    c.tools.toggleMarkMode();
    QCOMPARE(c.click(ChartButton::Left, QPointF(100, 100), true).action, ChartAction::MovedTo);
    QCOMPARE(c.race.markCount(), 0);
}

void TestChartInteraction::tracingPlacesNothing()
{
    Chart c;
    c.context.tracing = true;
    c.tools.toggleMarkMode();
    QCOMPARE(c.click(ChartButton::Left, QPointF(100, 100)).action, ChartAction::None);
    QCOMPARE(c.race.markCount(), 0);
    c.tools.toggleMarkMode();
    QCOMPARE(c.click(ChartButton::Left, QPointF(100, 100)).action, ChartAction::None);
    QCOMPARE(c.view.UserZoom, 1.0);
    // Nor on another page.
    c.context.tracing = false;
    c.context.trackPage = false;
    QCOMPARE(c.click(ChartButton::Left, QPointF(100, 100)).action, ChartAction::None);
    // While tracing the caption is the replay's.
    c.context.trackPage = true;
    c.context.tracing = true;
    QVERIFY(!c.over(QPointF(100, 100)).captionShown);
}

void TestChartInteraction::modesAreExclusive()
{
    Chart c;
    QVERIFY(c.tools.toggleMarkMode()); // on: passings out of date
    QVERIFY(c.tools.toggleLineMode());
    QVERIFY(!c.state.MarkMode);
    QCOMPARE(c.state.LineMode, LineStep::FirstEnd);
    QVERIFY(!c.tools.toggleCourseMode()); // on: still up to date
    QCOMPARE(c.state.LineMode, LineStep::Off);
    QVERIFY(c.tools.toggleMarkMode());
    QVERIFY(!c.state.CourseMode);
    QVERIFY(!c.tools.toggleMarkMode()); // off
    QVERIFY(!c.state.MarkMode && !c.state.isLineMode() && !c.state.CourseMode);
}

void TestChartInteraction::hintsAndWhereTheyGo()
{
    Chart c;
    c.context.english = true;
    const QPointF p(300, 200);
    ChartPointerReadout r = c.over(p);
    QCOMPARE(r.caption, QStringLiteral("Cup") + QString(20, QLatin1Char(' ')) + MapView::FormatPosition(CentreLat + 100.0 / 450, CentreLon));
    // The zoom hint: at zoom 1 it also offers Shift + right.
    QVERIFY(r.hint.shown);
    QCOMPARE(r.hint.text.split(QLatin1Char('\n')).size(), 4);
    QVERIFY(r.hint.text.startsWith(QStringLiteral("Click L-btn=> Enlarge Map")));
    QCOMPARE(r.hint.rect.topLeft(), QPoint(315, 230));
    QCOMPARE(r.hint.rect.size(), QSize(170, 54));
    c.view.Zoom = 0.5;
    QCOMPARE(c.over(p).hint.text.split(QLatin1Char('\n')).size(), 3);
    c.view.Zoom = 1.0;
    c.context.english = false;
    QVERIFY(c.over(p).hint.text.startsWith(QStringLiteral("左ｸﾘｯｸで拡大/右ｸﾘｯｸで縮小")));
    // Hints off: no zoom hint, no mode hints.
    c.context.hints = false;
    QVERIFY(!c.over(p).hint.shown);
    c.context.hints = true;

    // The mode hints are Japanese in both languages, right edge 10 left of the pointer.
    for (const bool english : {true, false}) {
        c.context.english = english;
        c.tools.toggleMarkMode();
        r = c.over(p);
        QCOMPARE(r.hint.text, QStringLiteral("地図をクリックしてマーク設定"));
        QCOMPARE(r.hint.rect.right() + 1, int(p.x()) - 10);
        QCOMPARE(r.hint.rect.top(), int(p.y()));
        c.tools.toggleLineMode();
        QCOMPARE(c.over(p).hint.text, QStringLiteral("まずは１点目をクリック"));
        c.click(ChartButton::Left, QPointF(100, 100));
        r = c.over(p);
        QCOMPARE(r.hint.text, QStringLiteral("続いて2点目をクリック"));
        QVERIFY(r.rubberBandShown);
        c.tools.toggleLineMode();
        QVERIFY(!c.over(p).rubberBandShown);
    }
}

void TestChartInteraction::hintPlacement_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QPointF>("pointer");
    QTest::addColumn<QPoint>("place");
    // A 170 × 54 box on a 600-pixel chart.
    QTest::newRow("zoom: right of and below") << "zoom" << QPointF(100, 100) << QPoint(115, 130);
    // 420 + 15 + 170 = 605 is the edge + 5: still right of the pointer; one pixel more flips it.
    QTest::newRow("zoom: at the right edge + 5") << "zoom" << QPointF(420, 100) << QPoint(435, 130);
    QTest::newRow("zoom: past the right edge") << "zoom" << QPointF(421, 100) << QPoint(241, 130);
    QTest::newRow("zoom: past the bottom") << "zoom" << QPointF(100, 522) << QPoint(115, 458);
    QTest::newRow("zoom: corner") << "zoom" << QPointF(590, 590) << QPoint(410, 526);
    QTest::newRow("mode: left of the pointer") << "mode" << QPointF(300, 40) << QPoint(120, 40);
    QTest::newRow("mode: would leave at the left") << "mode" << QPointF(150, 40) << QPoint(160, 40);
    QTest::newRow("tag: centred, 20 above") << "tag" << QPointF(300, 40) << QPoint(215, 20);
}

void TestChartInteraction::hintPlacement()
{
    QFETCH(QString, kind);
    QFETCH(QPointF, pointer);
    QFETCH(QPoint, place);
    const QSize box(170, 54);
    if (kind == QLatin1String("zoom"))
        QCOMPARE(zoomHintPlace(pointer, box, 600, 600), place);
    else if (kind == QLatin1String("mode"))
        QCOMPARE(modeHintPlace(pointer, box), place);
    else
        QCOMPARE(courseTagPlace(pointer, box), place);
}

void TestChartInteraction::windDirectionBox_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<float>("direction");
    QTest::newRow("400 is no direction") << "400" << 0.0f;
    QTest::newRow("below 0") << "-5" << 0.0f;
    QTest::newRow("not a number") << "abc" << 0.0f;
    QTest::newRow("360") << "360" << 360.0f;
    QTest::newRow("a fraction") << "45.5" << 45.5f;
    QTest::newRow("leading blanks, trailing text") << "  200deg" << 200.0f;
    QTest::newRow("empty") << "" << 0.0f;
}

void TestChartInteraction::windDirectionBox()
{
    QFETCH(QString, text);
    QFETCH(float, direction);
    QCOMPARE(windDirectionFromText(text), direction);
}

void TestChartInteraction::overviewRecentresAndTurns()
{
    Chart c;
    c.view.ComputeOverviewScales(200, 200);
    // Left: the clicked overview position becomes the chart centre.
    const ChartPosition target = c.view.OverviewToChart(150, 60);
    c.view.Zoom = c.view.UserZoom = 1.4;
    QCOMPARE(c.tools.overviewPress(ChartButton::Left, QPointF(150, 60), false, false).action,
             OverviewPressResult::Recentred);
    QCOMPARE(c.view.ViewLat, target.Lat);
    QCOMPARE(c.view.ViewLon, target.Lon);
    // Not while tracing.
    QCOMPARE(c.tools.overviewPress(ChartButton::Left, QPointF(50, 60), true, false).action,
             OverviewPressResult::None);
    // Right: only in edit mode with the chart wind up; east of the centre on a chart turned to
    // 30° is 120°.
    c.race.NorthUp = 1;
    QCOMPARE(c.tools.overviewPress(ChartButton::Right, QPointF(180, 100), false, true).action,
             OverviewPressResult::None);
    c.race.NorthUp = 0;
    c.race.WindDirection = 30.0f;
    c.race.ChartRotation = 30.0;
    QCOMPARE(c.tools.overviewPress(ChartButton::Right, QPointF(180, 100), false, false).action,
             OverviewPressResult::None);
    const OverviewPressResult r = c.tools.overviewPress(ChartButton::Right, QPointF(180, 100), false, true);
    QCOMPARE(r.action, OverviewPressResult::Turned);
    QCOMPARE(r.upDirection, 120);
    QCOMPARE(c.race.WindDirection, 120.0f);
    QCOMPARE(c.race.ChartRotation, 120.0);
    QCOMPARE(c.race.ShownWindDirection, 120.0);
}

void TestChartInteraction::boatTag()
{
    QCOMPARE(boatTagText(QStringLiteral("Alpha"), 5.236), QStringLiteral("Alpha(5.24)"));
    QCOMPARE(boatTagText(QStringLiteral("Bravo"), 6.0), QStringLiteral("Bravo(6)"));
    const QRectF symbol(100, 200, 15, 15);
    QCOMPARE(boatTagPlace(symbol, QSize(60, 17), 600), QPoint(121, 200));
    // Past the chart's side: left of the symbol, 15 pixels away.
    QCOMPARE(boatTagPlace(QRectF(560, 200, 15, 15), QSize(60, 17), 600), QPoint(485, 200));
}

QTEST_GUILESS_MAIN(TestChartInteraction)
#include "testchartinteraction.moc"
