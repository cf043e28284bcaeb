// The viewer's replay as plain calls: the scroll bars' factors, the step from the frames drawn
// in a second, wrapping round the period, the guns, finishers and score panel, the countdown
// beeps, the flags, the leader's lead, the sea colour by the time of day, AutoNext, the time
// bar, the boat list rows, the window layout for any size and the captions and hints.
#include "playfixture.h"

#include <playbackcontrols.h>
#include <playbackstate.h>
#include <timebar.h>
#include <viewercaptions.h>
#include <viewerlayout.h>

using namespace playtest;

Q_DECLARE_METATYPE(ViewerRgb)

namespace QTest {
template<> char *toString(const ViewerRgb &c)
{
    return qstrdup(QStringLiteral("RGB(%1,%2,%3)").arg(c.Red).arg(c.Green).arg(c.Blue).toLatin1().constData());
}
} // namespace QTest

namespace {

// Three boats sailing north for an hour from 5 minutes before the start, and a course whose
// last element the test sets through the pass table.
LoadedViewerRace hourRace()
{
    QList<ViewerBoat> boats;
    for (int b = 0; b < 3; ++b)
        boats << sailingBoat(QStringLiteral("Boat %1").arg(b + 1), 2112.0, 8370.0 + 0.2 * b, 0, 6, -300, 3600);
    return shownRace(boats, PlaybackPeriod{-190, 3630}, 0, 10, {QStringLiteral("L1"), QStringLiteral("MK1"), QStringLiteral("L2")},
                     {ViewerLine{2112, 8369, 2112, 8371}, ViewerLine{2117, 8369, 2117, 8371}}, {ViewerMark{2114, 8370}});
}

} // namespace

class TestViewerPlayback : public QObject
{
    Q_OBJECT

private slots:
    void speedFactor_data();
    void speedFactor();
    void speedPositionKeepsTheFactor();
    void zoomDivisor_data();
    void zoomDivisor();
    void seaColours();
    void stepFromFrameCounts_data();
    void stepFromFrameCounts();
    void playingWrapsRoundThePeriod();
    void countdownBeeps_data();
    void countdownBeeps();
    void flags_data();
    void flags();
    void startGun();
    void finishersEnterOnceAndAgainAfterRewinding();
    void leaderLead_data();
    void leaderLead();
    void seaFollowsTheTimeOfDay();
    void autoNextNearTheEnd();
    void timeBar();
    void boatPanelRows();
    void layoutHeights_data();
    void layoutHeights();
    void layoutPlacesEveryControl();
    void captionsAndHints();
    void attachmentsCycle();
    void pointerCaption();
};

void TestViewerPlayback::speedFactor_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<double>("factor");
    QTest::newRow("0") << 0 << 1.0;
    QTest::newRow("after a load") << 16 << 5.0;
    QTest::newRow("39") << 39 << 10.0;
    QTest::newRow("40") << 40 << 10.0;
    QTest::newRow("44") << 44 << 20.0;
    QTest::newRow("79") << 79 << 100.0;
    QTest::newRow("80") << 80 << 100.0;
    QTest::newRow("100") << 100 << 600.0;
}

void TestViewerPlayback::speedFactor()
{
    QFETCH(int, position);
    QFETCH(double, factor);
    QCOMPARE(speedFactorAt(position), factor);
}

void TestViewerPlayback::speedPositionKeepsTheFactor()
{
    // Clicking "SPEED" puts the bar where the factor is: up to × 10 as (factor − 1) × 4, beyond
    // at the first position of the factor's step, so ×20 stays ×20 (not ×100 at 76).
    QCOMPARE(speedPositionFor(5), 16);
    QCOMPARE(speedPositionFor(10), 36);
    for (int p = 0; p <= ScrollBarMaximum; ++p)
        QCOMPARE(speedFactorAt(speedPositionFor(speedFactorAt(p))), speedFactorAt(p));
    QCOMPARE(speedFactorText(5), QStringLiteral("5X"));
}

void TestViewerPlayback::zoomDivisor_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<double>("divisor");
    QTest::newRow("closest") << 100 << 1.0;
    QTest::newRow("90") << 90 << 1.0;
    QTest::newRow("55") << 55 << 4.5;
    QTest::newRow("farthest") << 0 << 10.0;
}

void TestViewerPlayback::zoomDivisor()
{
    QFETCH(int, position);
    QFETCH(double, divisor);
    QCOMPARE(zoomDivisorAt(position), divisor);
}

void TestViewerPlayback::seaColours()
{
    QCOMPARE(seaColourAt(100), (ViewerRgb{160, 220, 255}));
    QCOMPARE(seaColourAt(0), (ViewerRgb{0, 0, 70}));
    QCOMPARE(gridColourAt(100), (ViewerRgb{110, 170, 255}));
    QCOMPARE(gridColourAt(0), (ViewerRgb{80, 80, 150}));
    // 51 is a day sea (darker grid), 50 a night one (lighter grid).
    QCOMPARE(gridColourAt(51), (ViewerRgb{32, 62, 236}));
    QCOMPARE(gridColourAt(50), (ViewerRgb{160, 190, 255}));
    PlaybackState state;
    setSeaPosition(state, 0);
    QCOMPARE(state.Sea, (ViewerRgb{0, 0, 70}));
    QCOMPARE(state.SeaPosition, 0);
}

void TestViewerPlayback::stepFromFrameCounts_data()
{
    QTest::addColumn<double>("factor");
    QTest::addColumn<int>("frames");
    QTest::addColumn<double>("step");
    QTest::newRow("x5, 20 frames") << 5.0 << 20 << 0.25;
    QTest::newRow("x5, 3 frames count as 20") << 5.0 << 3 << 0.25;
    QTest::newRow("x5, 4 frames count as 20") << 5.0 << 4 << 0.25;
    QTest::newRow("x5, 5 frames") << 5.0 << 5 << 1.0;
    QTest::newRow("x60, 20 frames") << 60.0 << 20 << 3.0;
    QTest::newRow("x60, 12 frames") << 60.0 << 12 << 5.0;
    QTest::newRow("x1, no frame yet") << 1.0 << 0 << 0.05;
}

void TestViewerPlayback::stepFromFrameCounts()
{
    QFETCH(double, factor);
    QFETCH(int, frames);
    QFETCH(double, step);
    const LoadedViewerRace shown = hourRace();
    PlaybackState state;
    startRace(state, shown);
    state.Time = 100.4;
    state.SpeedFactor = factor;
    state.FrameCounter = frames;
    const SecondEvents events = secondTick(state, shown, false);
    QVERIFY(events.Ran);
    QCOMPARE(state.Step, step);
    QCOMPARE(state.Time, 100.0); // the second tick rounds the replay time
    QCOMPARE(state.FrameCounter, 0);

    // On the Graph page the second timer does nothing.
    state.CurrentPage = PlaybackState::Graph;
    state.FrameCounter = frames;
    QVERIFY(!secondTick(state, shown, false).Ran);
    QCOMPARE(state.FrameCounter, frames);
}

void TestViewerPlayback::playingWrapsRoundThePeriod()
{
    const PlaybackPeriod period{-190, 3630};
    PlaybackState state;
    state.Step = 0.25;
    state.Time = -189.9;
    state.Direction = -1;
    QVERIFY(advanceFrame(state, period));
    QCOMPARE(state.Time, 3630.0);
    state.Direction = 1;
    state.Time = 3629.9;
    QVERIFY(advanceFrame(state, period));
    QCOMPARE(state.Time, -190.0);
    state.CurrentPage = PlaybackState::Graph;
    QVERIFY(!advanceFrame(state, period));
    QCOMPARE(state.Time, -190.0);
    QCOMPARE(wrapIntoPeriod(100, period), 100.0);
}

void TestViewerPlayback::countdownBeeps_data()
{
    QTest::addColumn<double>("t");
    QTest::addColumn<int>("beeps");
    QTest::newRow("-180") << -180.0 << 1;
    QTest::newRow("-121") << -121.0 << 0;
    QTest::newRow("-60") << -60.0 << 1;
    QTest::newRow("-31") << -31.0 << 0;
    QTest::newRow("-30") << -30.0 << 1;
    QTest::newRow("-1") << -1.0 << 1;
    QTest::newRow("0") << 0.0 << 0;
    QTest::newRow("60") << 60.0 << 0;
}

void TestViewerPlayback::countdownBeeps()
{
    QFETCH(double, t);
    QFETCH(int, beeps);
    QCOMPARE(::countdownBeeps(t), beeps);
    const LoadedViewerRace shown = hourRace();
    PlaybackState state;
    startRace(state, shown);
    state.Time = t;
    QCOMPARE(secondTick(state, shown, false).Beeps, beeps);
}

void TestViewerPlayback::flags_data()
{
    QTest::addColumn<double>("t");
    QTest::addColumn<bool>("classFlag");
    QTest::addColumn<bool>("preparatory");
    QTest::newRow("-241") << -241.0 << true << false;
    QTest::newRow("-240") << -240.0 << true << true;
    QTest::newRow("-61") << -61.0 << true << true;
    QTest::newRow("-60") << -60.0 << true << false;
    QTest::newRow("0") << 0.0 << true << false;
    QTest::newRow("1") << 1.0 << false << false;
}

void TestViewerPlayback::flags()
{
    QFETCH(double, t);
    QFETCH(bool, classFlag);
    QFETCH(bool, preparatory);
    const LoadedViewerRace shown = hourRace();
    PlaybackState state;
    startRace(state, shown);
    state.Time = t;
    const SecondEvents events = secondTick(state, shown, false);
    QCOMPARE(events.ClassFlag, classFlag);
    QCOMPARE(events.PreparatoryFlag, preparatory);
}

void TestViewerPlayback::startGun()
{
    const LoadedViewerRace shown = hourRace();
    PlaybackState state;
    startRace(state, shown);
    state.Step = 0.25;
    state.Time = -0.2;
    state.PreviousTime = -0.2;
    QVERIFY(advanceFrame(state, shown.Race.Period));
    FrameEvents events = finishFrame(state, shown);
    QVERIFY(events.StartGun);
    QCOMPARE(events.gunCount(), 1);
    QVERIFY(advanceFrame(state, shown.Race.Period));
    QVERIFY(!finishFrame(state, shown).StartGun);
    // A jump from before the start to within its first minute also fires it; later, no.
    state.PreviousTime = -100;
    state.Time = 59;
    QVERIFY(finishFrame(state, shown).StartGun);
    state.PreviousTime = -100;
    state.Time = 60;
    QVERIFY(!finishFrame(state, shown).StartGun);
}

void TestViewerPlayback::finishersEnterOnceAndAgainAfterRewinding()
{
    LoadedViewerRace shown = hourRace();
    // Boat 2 finishes first at 2000.4 s, boat 1 at 2100, boat 3 never.
    shown.Derived.Passes =
        passTable({{30, 900, 2100}, {20, 800, 2000.4}, {40, 1000, PassTable::NotPassed}});
    PlaybackState state;
    startRace(state, shown);
    state.Step = 50;
    state.Time = 1950;
    state.PreviousTime = 1950;
    QList<int> finished;
    for (int i = 0; i < 4; ++i) {
        advanceFrame(state, shown.Race.Period);
        finished += finishFrame(state, shown).Finished;
    }
    QCOMPARE(finished, (QList<int>{2, 1}));
    QCOMPARE(state.Finishers, 2);

    // Back before the leader's finish: the panel starts afresh and the finishes come again.
    state.Time = 1990;
    SecondEvents second = secondTick(state, shown, false);
    QVERIFY(second.FinishesCleared);
    QCOMPARE(state.Finishers, 0);
    state.Step = 20;
    finished.clear();
    for (int i = 0; i < 6; ++i) {
        advanceFrame(state, shown.Race.Period);
        finished += finishFrame(state, shown).Finished;
    }
    QCOMPARE(finished, (QList<int>{2, 1}));

    // Before 0.3 of the period end the panel is hidden and empty.
    state.Time = 500;
    const FrameEvents early = finishFrame(state, shown);
    QVERIFY(early.ScoreCleared);
    QCOMPARE(state.Finishers, 0);

    // A jump on the time bar clears the finishes too.
    state.Time = 2500;
    finishFrame(state, shown);
    jumpTo(state, 2600, shown.Race.Period);
    QCOMPARE(state.Finishers, 0);
    QCOMPARE(finishFrame(state, shown).Finished, (QList<int>{1, 2}));
}

void TestViewerPlayback::leaderLead_data()
{
    QTest::addColumn<double>("t");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("element");
    QTest::newRow("first element never") << 15.0 << QString() << 0;
    QTest::newRow("second element") << 150.0 << QStringLiteral("50") << 2;
    QTest::newRow("at the leader's time") << 100.0 << QStringLiteral("0") << 2;
    QTest::newRow("three minutes on") << 280.0 << QString() << 0;
    QTest::newRow("third element") << 550.4 << QStringLiteral("50") << 3;
    QTest::newRow("last element never") << 950.0 << QString() << 0;
}

void TestViewerPlayback::leaderLead()
{
    QFETCH(double, t);
    QFETCH(QString, text);
    QFETCH(int, element);
    const PassTable passes = passTable({{10, 100, 500, 900}, {12, 130, 510, 920}});
    const Lead lead = ::leaderLead(passes, t);
    QCOMPARE(lead.Text, text);
    QCOMPARE(lead.Element, element);
}

void TestViewerPlayback::seaFollowsTheTimeOfDay()
{
    LoadedViewerRace shown = hourRace();
    shown.Derived.Daylight = ViewerDaylight{39600, 21600, 64800}; // the race starts at 11:00
    PlaybackState state;
    startRace(state, shown);
    setSeaPosition(state, 30);
    state.Time = 0;
    FrameEvents events = finishFrame(state, shown);
    QVERIFY(events.SeaChanged);
    QCOMPARE(state.SeaPosition, 100);
    QCOMPARE(state.Sea, (ViewerRgb{160, 220, 255}));
    QCOMPARE(state.TimeOfDay, 39600.0);
    // Half an hour before daylight start the sea is a quarter bright; at night, dark.
    state.Time = 21600 - 1800 - 39600;
    finishFrame(state, shown);
    QCOMPARE(state.SeaPosition, 25);
    state.Time = 86400 - 39600; // midnight
    finishFrame(state, shown);
    QCOMPARE(state.SeaPosition, 0);
    QCOMPARE(state.Sea, (ViewerRgb{0, 0, 70}));
    // Without AUTO the sea stays; the clock still follows the race's time of day.
    state.AutoSea = false;
    state.Time = 0;
    QVERIFY(!finishFrame(state, shown).SeaChanged);
    QCOMPARE(state.SeaPosition, 0);
    QCOMPARE(state.TimeOfDay, 39600.0);
}

void TestViewerPlayback::autoNextNearTheEnd()
{
    const LoadedViewerRace shown = hourRace();
    PlaybackState state;
    startRace(state, shown);
    state.SpeedFactor = 5;
    state.FrameCounter = 20; // step 0.25: the next race comes 25 s before the end
    state.Time = 3604;
    QVERIFY(!secondTick(state, shown, true).NextRace);
    state.FrameCounter = 20;
    state.Time = 3606;
    QVERIFY(secondTick(state, shown, true).NextRace);
    state.FrameCounter = 20;
    state.Time = 3606;
    QVERIFY(!secondTick(state, shown, false).NextRace);
}

void TestViewerPlayback::timeBar()
{
    // Boat 1 sails upwind (course 0 into a north wind) for the first half, then downwind.
    ViewerBoat boat = sailingBoat(QStringLiteral("A"), 2112, 8370, 0, 6, -200, 1800, 100);
    const ViewerBoat back = sailingBoat(QStringLiteral("A"), boat.Samples.last().Lat, 8370, 180, 6, 1800, 3700, 100);
    boat.Samples += back.Samples.mid(1);
    LoadedViewerRace shown = shownRace({boat}, PlaybackPeriod{-190, 3630});
    shown.Derived.Daylight = ViewerDaylight{39600, 21600, 40900}; // the sun sets 25 minutes in

    const TimeBarPicture picture = drawTimeBar(shown, 1000);
    QCOMPARE(picture.Geometry.BarHeight, 940);
    const int length = periodLength(shown.Race.Period);
    QCOMPARE(length, 3820);
    QCOMPARE(picture.StartRow, viewerRound(939.0 * 3630 / 3820));
    // Later times lie higher: downwind on top, upwind below, the boundary near t = 1800.
    QVERIFY(picture.Bands.size() >= 2);
    QVERIFY(!picture.Bands.first().Upwind);
    QVERIFY(picture.Bands.last().Upwind);
    const int boundary = viewerRound((3630 - 1800) * 939.0 / 3820);
    bool found = false;
    for (int i = 1; i < picture.Bands.size(); ++i) {
        if (picture.Bands[i].Upwind != picture.Bands[i - 1].Upwind) {
            QVERIFY(std::abs(picture.Bands[i].Top - boundary) <= 1);
            found = true;
        }
        QCOMPARE(picture.Bands[i].Top, picture.Bands[i - 1].Bottom + 1);
    }
    QVERIFY(found);
    // The background: dusk at the bottom (the start), night at the top (the end).
    QCOMPARE(picture.Shade.size(), 1000);
    QVERIFY(picture.Shade.last() > 200);
    QCOMPARE(picture.Shade.first(), 0);
    QVERIFY(std::is_sorted(picture.Shade.rbegin(), picture.Shade.rend(), std::greater<int>()));

    // Heights and times.
    const PlaybackPeriod &p = shown.Race.Period;
    QCOMPARE(timeAtBar(p, 940, 0), 3630.0);
    QCOMPARE(timeAtBar(p, 940, 940), -190.0);
    QCOMPARE(timeAtBar(p, 940, 2000), -190.0);
    QCOMPARE(timeAtBar(p, 940, -5), 3630.0);
    QCOMPARE(timePointerTop(p, 940, 3630), 28);
    QCOMPARE(timePointerTop(p, 940, -190), 968);

    // The preview takes each boat's sample at or before the time, not an interpolation.
    const QVector<PreviewPosition> preview = previewPositions(shown.Race, 150);
    QVERIFY(preview.first().Valid);
    QCOMPARE(preview.first().Lat, shown.Race.Boats.first().Samples[3].Lat);
    QVERIFY(!previewPositions(shown.Race, 5000).first().Valid);
}

void TestViewerPlayback::boatPanelRows()
{
    const LoadedViewerRace shown = hourRace();
    const QVector<BoatPanelRow> rows = ::boatPanelRows(shown, 100);
    QCOMPARE(rows.size(), 3);
    const double speed = shown.Race.Boats[0].Samples[40].Speed;
    QCOMPARE(rows[0].BarWidth, viewerRound(speed * 100 / shown.Derived.MaxSpeed));
    QCOMPARE(rows[0].SpeedText, QString::number(speed, 'f', 6).left(4));
    QCOMPARE(rows[0].TwaText.size(), 4);
    QVERIFY(rows[0].TwaText.endsWith(QLatin1String("0")));
    const QVector<BoatPanelRow> none = ::boatPanelRows(shown, 5000);
    QCOMPARE(none[0].BarWidth, 1);
    QVERIFY(none[0].SpeedText.isEmpty() && none[0].TwaText.isEmpty());
}

void TestViewerPlayback::layoutHeights_data()
{
    QTest::addColumn<int>("boats");
    QTest::addColumn<int>("clientHeight");
    QTest::addColumn<int>("listTop");
    QTest::addColumn<int>("listHeight");
    QTest::addColumn<bool>("hidesLogo");
    QTest::addColumn<bool>("hidesControls");
    QTest::newRow("30 boats, tall window") << 30 << 1000 << 200 << 545 << false << false;
    QTest::newRow("30 boats, 646 high") << 30 << 646 << 200 << 445 << false << true;
    QTest::newRow("30 boats, 645 high") << 30 << 645 << 0 << 445 << true << true;
    QTest::newRow("30 boats, 600 high") << 30 << 600 << 0 << 445 << true << true;
    QTest::newRow("8 boats") << 8 << 994 << 200 << 539 << false << false;
}

void TestViewerPlayback::layoutHeights()
{
    QFETCH(int, boats);
    QFETCH(int, clientHeight);
    QFETCH(int, listTop);
    QFETCH(int, listHeight);
    QFETCH(bool, hidesLogo);
    QFETCH(bool, hidesControls);
    QCOMPARE(boatListContentHeight(30), 445);
    const QSize client(1280, clientHeight);
    const ViewerLayout layout = layoutWindow(client, boats);
    const QRect list = layout.place(QStringLiteral("pnlBOATlist"));
    QCOMPARE(list.top(), listTop);
    QCOMPARE(list.height(), listHeight);
    QCOMPARE(list.width(), 265);
    QCOMPARE(list.right(), 1279);
    QCOMPARE(boatListHidesLogo(client, boats), hidesLogo);
    QCOMPARE(boatListHidesControls(client, boats), hidesControls);
}

void TestViewerPlayback::layoutPlacesEveryControl()
{
    const ViewerLayout layout = layoutWindow(QSize(1280, 994), 8);
    QCOMPARE(layout.Map, QRect(0, 0, 965, 994));
    QCOMPARE(layout.place(QStringLiteral("pnlLOGO")), QRect(1015, 0, 265, 200));
    QCOMPARE(layout.place(QStringLiteral("pnlCTRL")), QRect(1015, 739, 265, 255));
    QCOMPARE(layout.place(QStringLiteral("pnlTimeBar")), QRect(965, 0, 50, 994));
    QCOMPARE(layout.place(QStringLiteral("TimeBar")), QRect(11, 29, 30, 934));
    QCOMPARE(layout.place(QStringLiteral("Button3")), QRect(169, 148, 85, 17));
    QCOMPARE(layout.place(QStringLiteral("ScrollBar1")), QRect(48, 225, 106, 16));
    QCOMPARE(layout.place(QStringLiteral("chkHint")), QRect(169, 146, 86, 17));
    QCOMPARE(layout.place(QStringLiteral("Image8")), QRect(5, 63, 32, 10));
    QCOMPARE(layout.place(QStringLiteral("stop_f")), QRect(8, 36, 24, 16));
    QCOMPARE(layout.place(QStringLiteral("minus")), QRect(35, 55, 24, 16));
    QCOMPARE(layout.place(QStringLiteral("pnlScore")).topRight(), QPoint(959, 5));
    QCOMPARE(layout.place(QStringLiteral("Image2")), QRect((1280 - 333) / 2, (994 - 381) / 2 - 30, 333, 381));
    QVERIFY(layout.place(QStringLiteral("nothing")).isNull());
    // The score panel dodges to the left edge and back.
    QCOMPARE(scorePanelDodge(710, 965), 5);
    QCOMPARE(scorePanelDodge(5, 965), 710);
    QCOMPARE(hintBoxRect(965, QSize(190, 60)), QRect(770, 5, 190, 60));
    // A tiny window still lays out.
    const ViewerLayout tiny = layoutWindow(QSize(100, 50), 50);
    QVERIFY(tiny.Map.width() >= 1 && tiny.place(QStringLiteral("TimeBar")).height() >= 1);
}

void TestViewerPlayback::captionsAndHints()
{
    QCOMPARE(controlCaption(QStringLiteral("chkAutoNext"), 0), QStringLiteral("自動切換"));
    QCOMPARE(controlCaption(QStringLiteral("chkAutoNext"), 2), QStringLiteral("AutoNext"));
    QCOMPARE(controlCaption(QStringLiteral("RadioButton2"), 0), QStringLiteral("ｸﾞﾗﾌ"));
    QCOMPARE(controlCaption(QStringLiteral("Label1"), 1), QStringLiteral("     Boat Name             Speed                TWA"));
    QCOMPARE(controlCaption(QStringLiteral("Button3"), 0), QStringLiteral("Google Earth"));
    QCOMPARE(controlCaptions().size(), 16);

    const ViewerHint boat = viewerHint(HintPlace::BoatCheckBox, 0, QStringLiteral("疾風"));
    QCOMPARE(boat.Text, QStringLiteral("ﾁｪｯｸの入った艇がﾌｫｰｶｽされます。\n右ｸﾘｯｸで疾風\nのみ残して他全艇のﾌｫｰｶｽを外します。"));
    QCOMPARE(boat.Size, QSize(220, 42));
    const ViewerHint boatEn = viewerHint(HintPlace::BoatCheckBox, 1, QStringLiteral("Orca"));
    QCOMPARE(boatEn.Text, QStringLiteral("Checked boats are focused.\nUnchecked boats are out of focus.\n\nR-Click to focus only Orca"));
    QCOMPARE(boatEn.Size, QSize(280, 56));
    const ViewerHint bar = viewerHint(HintPlace::TimeBar, 2, QStringLiteral("2024/07/13 11:00:00"));
    QCOMPARE(bar.Text.section(QLatin1Char('\n'), 1, 1), QStringLiteral("(2024/07/13 11:00:00)"));
    QCOMPARE(bar.Size, QSize(180, 55));
    QCOMPARE(viewerHint(HintPlace::GoogleEarth, 0).Size, QSize(250, 60));
    QVERIFY(viewerHint(HintPlace::Logo, 1).Text.startsWith(QStringLiteral("\n<orvane>\nyacht racing browser\n\n")));
}

void TestViewerPlayback::attachmentsCycle()
{
    const QStringList files{QStringLiteral("a.html"), QStringLiteral("b.pdf"), QStringLiteral("c.jpg")};
    int opened = 0;
    QStringList clicks;
    for (int i = 0; i < 4; ++i) {
        opened = nextAttachment(opened, int(files.size()));
        clicks << files[opened - 1];
    }
    QCOMPARE(clicks, (QStringList{QStringLiteral("a.html"), QStringLiteral("b.pdf"), QStringLiteral("c.jpg"), QStringLiteral("a.html")}));
    QCOMPARE(attachmentOrder(files, 0), files);
    QCOMPARE(attachmentOrder(files, 1), (QStringList{QStringLiteral("b.pdf"), QStringLiteral("c.jpg"), QStringLiteral("a.html")}));
    const ViewerHint hint = viewerHint(HintPlace::Attachment, 2, {}, attachmentOrder(files, 0));
    QCOMPARE(hint.Text, QStringLiteral("Show following attachment file\na.html\nb.pdf\nc.jpg"));
    QCOMPARE(hint.Size, QSize(200, 3 * 13 + 18));
}

void TestViewerPlayback::pointerCaption()
{
    QCOMPARE(latitudeText(2112.345), QStringLiteral("N35:12.345"));
    QCOMPARE(latitudeText(-2112.3456789), QStringLiteral("S35:12.345"));
    QCOMPARE(longitudeText(8385.5), QStringLiteral("E139:45.5"));
    QCOMPARE(longitudeText(-0.00001), QStringLiteral("W0:0.0000"));
    QCOMPARE(::pointerCaption(QStringLiteral("orvane  R1     "), LatLon{2112.5, 8385.25}, QStringLiteral("note"), true),
             QStringLiteral("orvane  R1     N35:12.5    E139:45.25      note"));
    QCOMPARE(::pointerCaption(QStringLiteral("orvane  R1     "), LatLon{}, QStringLiteral("note"), false),
             QStringLiteral("orvane  R1          note"));
}

QTEST_GUILESS_MAIN(TestViewerPlayback)
#include "testviewerplayback.moc"
