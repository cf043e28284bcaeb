// The replay frame without a window: segment search, interpolation, the start sequence, the
// gun, the finish panel, the symbol, the wake, the comparison line and the boat list rows.
#include "../analysis/racefixture.h"

#include <boatsymbol.h>
#include <framebuilder.h>

#include <QtTest>

#include <cmath>

namespace {

constexpr Colour Red = rgb(255, 0, 0);
constexpr Colour Blue = rgb(0, 0, 255);

// Two keel boats sailing north side by side from 300 s before the start to the end of the
// race at 4000 s, a point every 10 s; a course of two entries whose finish boat 2 reaches at
// 3600 s and boat 1 at 3725 s.
struct Race {
    RaceControl race;
    RaceData data;
    LegStats stats;
    MapView view;
    ReplayClock clock;
    FrameState state;
    FrameInputs in;

    Race()
    {
        race.StartTime = platform::LocalDateTime::fromParts(2008, 3, 3, 10, 30, 0);
        race.BoatLength = 4.7f;
        race.NorthUp = 1;
        race.RaceDuration = 4000;
        for (const char *name : {"Alpha", "Bravo"}) {
            BoatEntry b;
            b.Name = QString::fromLatin1(name);
            race.Boats.append(b);
        }
        race.colourBoats();
        data.Extent = fixture::plainExtent();
        for (int i = 0; i < 2; ++i)
            data.Tracks.append(fixture::trackThrough({{-300, 1999.5, 7999.95 + 0.1 * i}, {4000, 2000.5, 7999.95 + 0.1 * i}},
                                                     data.Extent, 10));
        in.speedBarScale = 10.0;
        race.Course.Entries = {QStringLiteral("L1"), QStringLiteral("MK1")};
        stats.LeaderTime = {-5, 3600};
        stats.RoundingTime = {{-5, 3725}, {-2, 3600}};
        view.resetForRace(data.Extent, 0.0, 600.0);
        view.ComputeOverviewScales(200, 200);
        clock.resetForRace(180, 4000, 4000);
        clock.setTimeBarHeight(660);
        clock.open(180);
        state.resetForRace(2);
        in.race = &race;
        in.data = &data;
        in.legStats = &stats;
        in.view = &view;
    }

    FrameScene at(double t)
    {
        clock.Time = t;
        return computeFrame(in, clock, state);
    }
};

} // namespace

class TestFrameBuilder : public QObject
{
    Q_OBJECT
private slots:
    void segmentSearch_data();
    void segmentSearch();
    void interpolatesPositionAndSpeed();
    void elapsedTimeAndCountdown_data();
    void elapsedTimeAndCountdown();
    void flagsOfTheStartSequence();
    void gunOncePerForwardPass();
    void finishPanelInOrder();
    void finishPanelResetByWrap();
    void boatAtItsLastPointIsHidden();
    void sailOnlyAboveFivePixels();
    void headingTurnsInTheLastSecond();
    void wakeReachesBackAboutThirtySeconds();
    void comparisonLineOnlyWindUp();
    void namesWhileTracing();
    void boatListRows();
    void onceASecond();
    void previewUsesTrackPoints();
};

void TestFrameBuilder::segmentSearch_data()
{
    QTest::addColumn<double>("t");
    QTest::addColumn<int>("hint");
    QTest::addColumn<bool>("forward");
    QTest::addColumn<int>("segment");
    // Points at 0, 10, 20, 30.
    QTest::newRow("forward from hint") << 15.0 << 1 << true << 1;
    QTest::newRow("forward, next segment") << 20.0 << 1 << true << 2;
    QTest::newRow("backward from hint") << 9.5 << 1 << false << 0;
    QTest::newRow("backward starts one above the hint") << 21.0 << 1 << false << 2;
    QTest::newRow("hint past t, forward") << 5.0 << 2 << true << 0;
    QTest::newRow("hint before t, backward") << 25.0 << -1 << false << 2;
    QTest::newRow("from the beginning") << 25.0 << -1 << true << 2;
    QTest::newRow("at the first point") << 0.0 << -1 << true << 0;
    QTest::newRow("at the last point") << 30.0 << 2 << true << -1;
    QTest::newRow("before the track") << -0.5 << -1 << true << -1;
    QTest::newRow("after the track") << 31.0 << 2 << false << -1;
}

void TestFrameBuilder::segmentSearch()
{
    QFETCH(double, t);
    QFETCH(int, hint);
    QFETCH(bool, forward);
    QFETCH(int, segment);
    QVector<TrackPoint> points;
    for (int s : {0, 10, 20, 30})
        points.append(TrackPoint{double(s), 2000, 8000, 0, 0, 0});
    QCOMPARE(findSegment(points, t, hint, forward), segment);
    QCOMPARE(findSegment({}, t, hint, forward), -1);
}

void TestFrameBuilder::interpolatesPositionAndSpeed()
{
    Race r;
    r.race.ShownWindDirection = 30.0;
    const FrameScene f = r.at(105.0);
    const BoatFrame &b = r.state.boats[1];
    QVERIFY(b.hasPosition);
    // 1 minute of latitude in 4300 s.
    QVERIFY(std::fabs(b.Lat - (1999.5 + 405.0 / 4300.0)) < 1e-9);
    QVERIFY(std::fabs(b.Lon - 8000.05) < 1e-9);
    QCOMPARE(b.SegmentHint, 40);
    QVERIFY(std::fabs(b.Speed - 3600.0 / 4300.0) < 1e-3);
    QVERIFY(std::fabs(b.Twa - -30.0) < 1e-6);
    QVERIFY(f.boats[1].symbolShown);
    QVERIFY((f.boats[1].position - r.view.ToScreen(b.Lat, b.Lon)).manhattanLength() < 1e-9);
    QVERIFY(f.anyBoatShown);
    QCOMPARE(f.dateTimeText, QStringLiteral("2008/03/03 10:31:45"));
    QCOMPARE(f.boats[1].marker, FrameChange::Show);
    QVERIFY((f.boats[1].markerTopLeft - (r.view.OverviewToScreen(b.Lat, b.Lon) - QPointF(2, 2))).manhattanLength() < 1e-9);
}

void TestFrameBuilder::elapsedTimeAndCountdown_data()
{
    QTest::addColumn<double>("t");
    QTest::addColumn<QString>("elapsed");
    QTest::addColumn<Colour>("colour");
    QTest::addColumn<bool>("countdown");
    QTest::addColumn<QString>("count");
    QTest::addColumn<Colour>("background");
    QTest::newRow("-2.5") << -2.5 << "00:00:03" << Red << true << "3" << Red;
    QTest::newRow("0.3") << 0.3 << "00:00:00" << Blue << true << "0" << Red;
    QTest::newRow("1") << 1.0 << "00:00:01" << Blue << true << "1" << Blue;
    QTest::newRow("-30") << -30.0 << "00:00:30" << Red << true << "30" << Red;
    QTest::newRow("-30.5") << -30.5 << "00:00:31" << Red << false << "" << Red;
    QTest::newRow("10") << 10.0 << "00:00:10" << Blue << true << "10" << Blue;
    QTest::newRow("10.5") << 10.5 << "00:00:10" << Blue << false << "" << Red;
    QTest::newRow("1:02:05") << 3725.9 << "01:02:05" << Blue << false << "" << Red;
}

void TestFrameBuilder::elapsedTimeAndCountdown()
{
    QFETCH(double, t);
    QFETCH(QString, elapsed);
    QFETCH(Colour, colour);
    QFETCH(bool, countdown);
    QFETCH(QString, count);
    QFETCH(Colour, background);
    Race r;
    const FrameScene f = r.at(t);
    QCOMPARE(f.elapsedText, elapsed);
    QCOMPARE(f.elapsedColour, colour);
    QCOMPARE(f.countdownShown, countdown);
    if (countdown) {
        QCOMPARE(f.countdownText, count);
        QCOMPARE(f.countdownBackground, background);
    }
}

void TestFrameBuilder::flagsOfTheStartSequence()
{
    Race r;
    const double lowerBy = 600.0 / 30;
    FrameScene f = r.at(-241);
    QVERIFY(!f.blueFlagShown && !f.sevenShown);
    f = r.at(-100);
    QVERIFY(f.blueFlagShown && !f.sevenShown);
    QCOMPARE(f.blueFlagTop, FrameState::FlagRestTop);
    // At one minute, playing forward: the class flag goes up, the preparatory flag comes down.
    f = r.at(-60);
    QVERIFY(f.blueFlagShown && f.sevenShown);
    QCOMPARE(f.blueFlagTop, FrameState::FlagRestTop + lowerBy);
    f = r.at(-59.5);
    QCOMPARE(f.blueFlagTop, FrameState::FlagRestTop + 2 * lowerBy);
    f = r.at(-54);
    QVERIFY(!f.blueFlagShown);
    // At the start the class flag comes down.
    f = r.at(0.5);
    QVERIFY(f.sevenShown);
    QCOMPARE(f.sevenTop, FrameState::FlagRestTop);
    f = r.at(1.0);
    QVERIFY(f.sevenShown);
    QCOMPARE(f.sevenTop, FrameState::FlagRestTop + lowerBy);
    f = r.at(5.5);
    QVERIFY(!f.sevenShown);
    // Playing backward through the same times only shows and hides them.
    r.state.flagsToRest();
    r.clock.back();
    f = r.at(3.0);
    QVERIFY(!f.sevenShown);
    f = r.at(-58);
    QVERIFY(!f.blueFlagShown && f.sevenShown);
    QCOMPARE(f.sevenTop, FrameState::FlagRestTop);
    f = r.at(-61);
    QVERIFY(f.blueFlagShown);
    QCOMPARE(f.blueFlagTop, FrameState::FlagRestTop);
}

void TestFrameBuilder::gunOncePerForwardPass()
{
    Race r;
    int shots = 0;
    auto play = [&](double from, double to, double step) {
        r.clock.Step = step;
        for (double t = from; step > 0 ? t <= to : t >= to; t += step)
            shots += r.at(t).gunShots;
    };
    play(-3, 3, 0.5);
    QCOMPARE(shots, 1);
    play(3, 10, 0.5);
    QCOMPARE(shots, 1);
    // Back below the start and forward again: the gun again.
    play(10, -1, -0.5);
    QCOMPARE(shots, 1);
    play(-1, 3, 0.5);
    QCOMPARE(shots, 2);
    // Backward through the start never fires it.
    play(-1, -3, -0.5);
    play(3, -3, -0.5);
    QCOMPARE(shots, 2);
    // At x100 a step of 3.03 s can jump over the first two seconds: the gun all the same.
    Race fast;
    fast.clock.Step = 3.03;
    QCOMPARE(fast.at(-0.2).gunShots, 0);
    QCOMPARE(fast.at(2.83).gunShots, 1);
    QCOMPARE(fast.at(5.86).gunShots, 0);
}

void TestFrameBuilder::finishPanelInOrder()
{
    Race r;
    FrameScene f = r.at(3599);
    QVERIFY(!f.finishPanelShown);
    f = r.at(3600);
    QVERIFY(f.finishPanelShown && f.finishPanelChanged);
    QCOMPARE(f.gunShots, 1);
    QCOMPARE(f.finishRows.size(), 1);
    QCOMPARE(f.finishRows[0].name, QStringLiteral("Bravo"));
    QCOMPARE(f.finishRows[0].timeText, QStringLiteral("01:00:00  <0>"));
    f = r.at(3700);
    QVERIFY(f.finishPanelShown && !f.finishPanelChanged);
    QCOMPARE(f.gunShots, 0);
    f = r.at(3725);
    QCOMPARE(f.gunShots, 1);
    QCOMPARE(f.finishRows.size(), 2);
    QCOMPARE(f.finishRows[1].rank, 2);
    QCOMPARE(f.finishRows[1].name, QStringLiteral("Alpha"));
    QCOMPARE(f.finishRows[1].colour, r.race.Boats[0].colour);
    QCOMPARE(f.finishRows[1].timeText, QStringLiteral("01:02:05  <125>"));
    // Before the first finish the panel hides but keeps its rows: no second gun on the way back.
    f = r.at(3500);
    QVERIFY(!f.finishPanelShown);
    f = r.at(3800);
    QVERIFY(f.finishPanelShown);
    QCOMPARE(f.gunShots, 0);
    QCOMPARE(r.state.FinishOrder, QVector<int>({1, 0}));
    // Two finishes noticed in one frame enter in boat order.
    r.state.resetFinishPanel();
    r.at(3800);
    QCOMPARE(r.state.FinishOrder, QVector<int>({0, 1}));
    // Without a course the panel never shows.
    Race none;
    none.stats = LegStats();
    QVERIFY(!none.at(3800).finishPanelShown);
}

void TestFrameBuilder::finishPanelResetByWrap()
{
    Race r;
    r.at(3800);
    QCOMPARE(r.state.finisherCount(), 2);
    r.state.BlueFlagTop = 300;
    // Past the last track point the replay starts again at the period's start: the panel is
    // reset, the flags are back, the search starts at the first segment.
    const FrameScene f = r.at(4000.5);
    QCOMPARE(f.wrapped, 1);
    QCOMPARE(f.time, -210.0);
    QCOMPARE(r.clock.Time, -210.0);
    QCOMPARE(r.state.finisherCount(), 0);
    QVERIFY(!r.state.boats[0].Finished);
    QCOMPARE(f.blueFlagTop, FrameState::FlagRestTop);
    QCOMPARE(r.state.boats[0].SegmentHint, 9);
}

void TestFrameBuilder::boatAtItsLastPointIsHidden()
{
    Race r;
    r.data.Tracks[0].Points.resize(11); // boat 1's track ends at −200 s
    FrameScene f = r.at(-205);
    QVERIFY(f.boats[0].symbolShown);
    f = r.at(-200);
    QVERIFY(!f.boats[0].symbolShown);
    QVERIFY(!r.state.boats[0].hasPosition);
    QCOMPARE(r.state.boats[0].Lat, 0.0);
    // Its overview marker stays where it was; the other boat goes on.
    QCOMPARE(f.boats[0].marker, FrameChange::Keep);
    QVERIFY(f.boats[1].symbolShown);
}

void TestFrameBuilder::sailOnlyAboveFivePixels()
{
    const BoatSymbolShape five = boatSymbolShape(5, 0, 0, 0, false, false);
    QCOMPARE(five.hull.size(), 7);
    QVERIFY(five.sail.isEmpty());
    const BoatSymbolShape six = boatSymbolShape(6, 0, 0, 0, false, false);
    QCOMPARE(six.sail.size(), 4);
    const BoatSymbolShape dinghy = boatSymbolShape(15, 0, 0, 0, true, true);
    QCOMPARE(dinghy.hull.size(), 8);
    QVERIFY(dinghy.ring);

    // In the frame: a 5 m keel boat at 1 pixel a metre is 5 pixels, without sail; at 1.2, 6,
    // with one.
    Race r;
    r.race.BoatLength = 5.0f;
    for (double ppm : {1.0, 1.2}) {
        r.view.PixelsPerMetre = ppm;
        const FrameScene f = r.at(100);
        QVERIFY(std::fabs(f.boats[0].symbol.size - 5.0 * ppm) < 1e-9);
        QCOMPARE(f.boats[0].symbol.sail.isEmpty(), ppm < 1.1);
    }
}

void TestFrameBuilder::headingTurnsInTheLastSecond()
{
    QCOMPARE(symbolHeading(350, 10, 0.25), 365.0);
    QCOMPARE(symbolHeading(350, 10, 1.0), 350.0);
    QCOMPARE(symbolHeading(10, 350, 0.5), 0.0);
    // Drawn at 5°: the bow of a keel boat is at the top, 5° to the right.
    const BoatSymbolShape s = boatSymbolShape(20, symbolHeading(350, 10, 0.25), 0, 0, false, false);
    const QPointF bow = s.hull[0] - QPointF(10, 10);
    QVERIFY(std::fabs(std::atan2(bow.x(), -bow.y()) * 180 / M_PI - 5.0) < 1e-9);
    QVERIFY(std::fabs(std::hypot(bow.x(), bow.y()) - 10.0) < 1e-9);
    // The chart turned to 90°: a boat sailing east points straight up.
    const BoatSymbolShape up = boatSymbolShape(20, 90, 90, 0, false, false);
    QVERIFY(std::fabs(up.hull[0].x() - 10) < 1e-9 && std::fabs(up.hull[0].y() - 0) < 1e-9);
}

void TestFrameBuilder::wakeReachesBackAboutThirtySeconds()
{
    Race r;
    FrameScene f = r.at(105);
    // The boat, then points 40 (100 s), 39, 38, 37: 95 s … 35 s, stopping after the first
    // point more than 30 s back.
    QCOMPARE(f.boats[0].wake.size(), 5);
    QVERIFY((f.boats[0].wake[0] - f.boats[0].position).manhattanLength() < 1e-9);
    const TrackPoint &p = r.data.Tracks[0].Points[37];
    QVERIFY((f.boats[0].wake[4] - r.view.ToScreen(p.Lat, p.Lon)).manhattanLength() < 1e-9);
    // One fix a second: at most five points.
    Race dense;
    dense.data.Tracks[0] = fixture::trackThrough({{-300, 1999.5, 7999.95}, {4000, 2000.5, 7999.95}}, dense.data.Extent, 1);
    dense.state.resetForRace(2);
    QCOMPARE(dense.at(100.5).boats[0].wake.size(), 6);
    // With tracks on and no tracing: no wake; tracing brings it back.
    r.in.tracksOption = true;
    QVERIFY(r.at(106).boats[0].wake.isEmpty());
    r.in.tracing = true;
    QVERIFY(!r.at(107).boats[0].wake.isEmpty());
}

void TestFrameBuilder::comparisonLineOnlyWindUp()
{
    Race r;
    r.in.comparisonShown = true;
    FrameScene f = r.at(100);
    QCOMPARE(f.boats[0].bar, FrameChange::Hide); // north up
    // Wind up with the shown wind the chart's up: across the chart through the boat.
    r.race.NorthUp = 0;
    r.race.WindDirection = 90;
    r.race.ChartRotation = 90;
    r.race.ShownWindDirection = 90;
    r.view.ChartRotation = 90;
    r.view.ComputeScales();
    f = r.at(101);
    QCOMPARE(f.boats[0].bar, FrameChange::Show);
    QCOMPARE(f.boats[0].barLine.y1(), f.boats[0].position.y());
    QCOMPARE(f.boats[0].barLine.y2(), f.boats[0].position.y());
    QCOMPARE(f.boats[0].barLine.x2(), 600.0);
    // The wind across the screen: a vertical line through the boat.
    r.race.ShownWindDirection = 180;
    f = r.at(102);
    QCOMPARE(f.boats[0].barLine.x1(), f.boats[0].position.x());
    QCOMPARE(f.boats[0].barLine.x2(), f.boats[0].position.x());
    r.in.comparisonShown = false;
    QCOMPARE(r.at(103).boats[0].bar, FrameChange::Hide);
}

void TestFrameBuilder::namesWhileTracing()
{
    Race r;
    r.in.namesShown = true;
    QVERIFY(!r.at(100).boats[0].nameShown);
    r.in.tracing = true;
    FrameScene f = r.at(101);
    QVERIFY(f.boats[0].nameShown);
    QCOMPARE(f.boats[0].nameText, QStringLiteral("Alpha (0.84)"));
    QCOMPARE(f.boats[0].namePosition, f.boats[0].position + QPointF(f.boats[0].symbol.size / 2 + 5, -5));
    // Names off: only the marked boat keeps its name.
    r.in.namesShown = false;
    r.in.marked = {false, true};
    f = r.at(102);
    QVERIFY(!f.boats[0].nameShown);
    QVERIFY(f.boats[1].nameShown);
    QVERIFY(f.boats[1].symbol.ring);
    QVERIFY(!f.boats[0].symbol.ring);
    r.state.HoverRow = 0;
    QVERIFY(r.at(103).boats[0].symbol.ring);
}

void TestFrameBuilder::boatListRows()
{
    QCOMPARE(listSpeedText(5.234), QStringLiteral("5.23"));
    QCOMPARE(listSpeedText(12.0), QStringLiteral("12.00"));
    QCOMPARE(listSpeedText(0.5), QStringLiteral(".50"));
    QCOMPARE(listAngleText(-42.4), QStringLiteral("-42"));
    QCOMPARE(listAngleText(-0.4), QStringLiteral("0"));

    Race r;
    r.in.focused = {true, false};
    FrameScene f = r.at(100);
    QCOMPARE(f.listRows.size(), 2);
    const ListRowScene &first = f.listRows[0];
    QCOMPARE(first.speedText, QStringLiteral(".84"));
    QCOMPARE(first.twaText, QStringLiteral("0"));
    // Focused: the thick bar, 10 pixels a knot here; unfocused: the thin one.
    QCOMPARE(first.bar.height(), 10.0);
    QCOMPARE(first.bar.width(), 10.0 * r.state.boats[0].Speed + 1);
    QCOMPARE(f.listRows[1].bar.height(), 2.0);
    // The same speed again: nothing to draw.
    QVERIFY(r.at(101).listRows.isEmpty());
    // A boat that lost its position is emptied once.
    r.data.Tracks[0].Points.resize(50);
    f = r.at(400);
    QCOMPARE(f.listRows.size(), 1);
    QVERIFY(f.listRows[0].emptied);
    QVERIFY(r.at(401).listRows.isEmpty());
}

void TestFrameBuilder::onceASecond()
{
    Race r;
    r.race.WindFile = QStringLiteral("w.csv");
    r.race.ShownWindDirection = 10;
    FrameScene f = r.at(100.2);
    QVERIFY(f.updateWind);
    QVERIFY(!r.at(100.7).updateWind);
    f = r.at(101.0);
    QVERIFY(f.updateWind);
    QVERIFY(f.redrawMarks); // the second before was 100, a multiple of five
    f = r.at(102.0);
    QVERIFY(f.updateWind && !f.redrawMarks);
    QCOMPARE(f.timeBarCursorY, r.clock.barY(102.0));
    // Without a wind file the indicator is left alone.
    r.race.WindFile.clear();
    QVERIFY(!r.at(103.0).updateWind);
}

void TestFrameBuilder::previewUsesTrackPoints()
{
    Race r;
    r.data.Tracks[1].Points.resize(5);
    const QVector<PreviewMarker> m = previewMarkers(r.data, 2, 105);
    QVERIFY(m[0].shown);
    QCOMPARE(m[0].Lat, r.data.Tracks[0].Points[40].Lat);
    QVERIFY(!m[1].shown);
}

QTEST_GUILESS_MAIN(TestFrameBuilder)
#include "testframebuilder.moc"
