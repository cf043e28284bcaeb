// The replay clock as a state machine: speed, measured step, the buttons, the playback
// period and the time bar scale, driven by plain calls with made-up clock readings.
#include <replayclock.h>
#include <replaytexts.h>

#include <QtTest>

class TestReplayClock : public QObject
{
    Q_OBJECT
private slots:
    void sliderGivesFactor_data();
    void sliderGivesFactor();
    void measuredRateSetsStep_data();
    void measuredRateSetsStep();
    void measurementsThatDoNotCount();
    void sliderFollowsMeasuredRate();
    void stopHoldsTheTime();
    void plusAndMinus();
    void noBoatInViewAsksForAFit();
    void autoStartAtTheSecondSecond();
    void wrapsInsidePeriod();
    void timeBarGeometry();
    void shiftDragChoosesPeriod();
    void oneMinuteAtEachRate_data();
    void oneMinuteAtEachRate();
};

void TestReplayClock::sliderGivesFactor_data()
{
    QTest::addColumn<int>("slider");
    QTest::addColumn<int>("factor");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("japanese");
    QTest::newRow("1") << 1 << 1 << "1 x spd" << "1倍速";
    QTest::newRow("10") << 10 << 10 << "10 x spd" << "10倍速";
    QTest::newRow("11") << 11 << 20 << "20 x spd" << "20倍速";
    QTest::newRow("19") << 19 << 100 << "100 x spd" << "100倍速";
}

void TestReplayClock::sliderGivesFactor()
{
    QFETCH(int, slider);
    QFETCH(int, factor);
    QFETCH(QString, english);
    QFETCH(QString, japanese);
    ReplayClock c;
    c.setSpeedSlider(slider);
    QCOMPARE(c.SpeedFactor, factor);
    // Nothing measured yet: only the factor changes, the step follows at the next measurement.
    QCOMPARE(c.Step, ReplayClock::OpeningStep);
    QCOMPARE(speedFactorText(factor, UiLanguage::English), english);
    QCOMPARE(speedFactorText(factor, UiLanguage::Japanese), japanese);
}

void TestReplayClock::measuredRateSetsStep_data()
{
    QTest::addColumn<int>("ticks");
    QTest::addColumn<int>("slider");
    QTest::addColumn<bool>("backward");
    QTest::addColumn<double>("step");
    QTest::newRow("25 ticks, x5") << 25 << 5 << false << 0.2;
    QTest::newRow("33 ticks, x100") << 33 << 19 << false << 3.03;
    QTest::newRow("33 ticks, x100 backward") << 33 << 19 << true << -3.03;
    QTest::newRow("60 ticks, x100") << 60 << 19 << false << 1.666;
}

void TestReplayClock::measuredRateSetsStep()
{
    QFETCH(int, ticks);
    QFETCH(int, slider);
    QFETCH(bool, backward);
    QFETCH(double, step);
    ReplayClock c;
    c.setSpeedSlider(slider);
    if (backward)
        c.back();
    c.measure(100.0, true); // the first reading only starts the count
    for (int i = 0; i < ticks; ++i)
        c.advance();
    const ReplayClock::Measurement m = c.measure(101.0, true);
    QVERIFY(m.stepChanged);
    QCOMPARE(c.TicksPerSecond, ticks);
    QCOMPARE(c.Step, step);
    QCOMPARE(c.TickCount, 0);
}

void TestReplayClock::measurementsThatDoNotCount()
{
    ReplayClock c;
    c.setSpeedSlider(10);
    c.measure(10.0, true);
    // A busy window: two and a half seconds for 30 ticks. Not used, and its ticks do not
    // spill into the next second.
    for (int i = 0; i < 30; ++i)
        c.advance();
    QVERIFY(!c.measure(12.5, true).stepChanged);
    QCOMPARE(c.Step, ReplayClock::OpeningStep);
    QCOMPARE(c.TickCount, 0);
    // Two ticks only: too few to tell a rate.
    c.advance();
    c.advance();
    QVERIFY(!c.measure(13.5, true).stepChanged);
    // A timer a few milliseconds late counts, and the late interval is taken into account.
    for (int i = 0; i < 20; ++i)
        c.advance();
    QVERIFY(c.measure(14.51, true).stepChanged);
    QCOMPARE(c.Step, std::floor(1000.0 * 10 / (20 / (14.51 - 13.5))) / 1000);
    // In STOP nothing is measured at all.
    c.stop();
    QVERIFY(!c.measure(15.51, true).stepChanged);
}

void TestReplayClock::sliderFollowsMeasuredRate()
{
    ReplayClock c;
    c.measure(0.0, true);
    for (int i = 0; i < 25; ++i)
        c.advance();
    c.measure(1.0, true);
    QCOMPARE(c.Step, 0.2);
    c.setSpeedSlider(11); // x20
    QCOMPARE(c.Step, 0.8);
    c.back();
    c.setSpeedSlider(1);
    QCOMPARE(c.Step, -0.04);
}

void TestReplayClock::stopHoldsTheTime()
{
    ReplayClock c;
    c.open(180);
    QCOMPARE(c.Time, -200.0);
    QVERIFY(c.advance());
    QCOMPARE(c.Time, -199.5);
    c.stop();
    // A tick that arrives while stopped leaves the time alone.
    QVERIFY(!c.advance());
    QCOMPARE(c.Time, -199.5);
    c.back();
    QVERIFY(c.advance());
    QCOMPARE(c.Time, -200.0);
    QCOMPARE(c.Mode, ReplayMode::Back);
    c.forward();
    QCOMPARE(c.Step, 0.5);
}

void TestReplayClock::plusAndMinus()
{
    ReplayClock c;
    c.Time = 100.0;
    c.Step = 0.2;
    c.plus();
    QCOMPARE(c.Time, 101.0);
    QCOMPARE(c.Mode, ReplayMode::Stop);
    QCOMPARE(c.Step, 0.2);
    c.minus();
    QCOMPARE(c.Time, 100.0);
    QCOMPARE(c.Step, -0.2);
    // A step above a second moves by the step.
    c.Step = -3.03;
    c.plus();
    QCOMPARE(c.Time, 103.03);
    QVERIFY(c.Step > 0);
}

void TestReplayClock::noBoatInViewAsksForAFit()
{
    ReplayClock c;
    for (int s = 1; s <= 10; ++s)
        QVERIFY(!c.measure(s, false).fitToBoats);
    // More than ten seconds: every second until a boat is shown again.
    QVERIFY(c.measure(11, false).fitToBoats);
    QVERIFY(c.measure(12, false).fitToBoats);
    QVERIFY(!c.measure(13, true).fitToBoats);
    QCOMPARE(c.NoBoatSeconds, 0);
}

void TestReplayClock::autoStartAtTheSecondSecond()
{
    ReplayClock c;
    QVERIFY(!c.autoStartDue());
    QVERIFY(c.autoStartDue());
    for (int i = 0; i < 20; ++i)
        QVERIFY(!c.autoStartDue());
}

void TestReplayClock::wrapsInsidePeriod()
{
    ReplayClock c;
    c.resetForRace(180, 3600, 3500);
    QCOMPARE(c.PeriodStart, -210.0);
    QCOMPARE(c.PeriodEnd, 3600.0);
    c.Time = 1000;
    QCOMPARE(c.wrapIntoPeriod(), ReplayClock::Wrap::None);
    // Forward past the last track point: back to the period's start.
    c.Time = 3500.5;
    QCOMPARE(c.wrapIntoPeriod(), ReplayClock::Wrap::ToStart);
    QCOMPARE(c.Time, -210.0);
    // Backward before the start: on from the end, but no later than the tracks.
    c.Time = -211;
    QCOMPARE(c.wrapIntoPeriod(), ReplayClock::Wrap::ToEnd);
    QCOMPARE(c.Time, 3500.0);
    c.LatestTrackEnd = 5000;
    c.Time = 3600;
    QCOMPARE(c.wrapIntoPeriod(), ReplayClock::Wrap::ToStart);
}

void TestReplayClock::timeBarGeometry()
{
    ReplayClock c;
    c.resetForRace(180, 3600, 3600);
    c.setTimeBarHeight(660);
    QCOMPARE(c.TimeBarScale, 0.15625);
    QCOMPARE(c.barY(0), 592.5);
    QCOMPARE(c.barY(3600), 30.0);
    QCOMPARE(c.barY(-240), 630.0); // the bottom end, 30 above the lower edge
    QCOMPARE(c.barTime(30), 3600.0);
    QCOMPARE(c.barTime(592.5), 0.0);
    QCOMPARE(c.barTime(592.6), -1.0); // read back to whole seconds, rounded half up
    // Another race keeps the bar's height and rescales it.
    c.resetForRace(300, 1800, 1800);
    QCOMPARE(c.TimeBarScale, 600.0 / 2160);
}

void TestReplayClock::shiftDragChoosesPeriod()
{
    ReplayClock c;
    c.resetForRace(180, 3600, 3600);
    c.setTimeBarHeight(660);
    c.setPeriodFromBar(c.barY(600), c.barY(300));
    QCOMPARE(c.PeriodStart, 300.0);
    QCOMPARE(c.PeriodEnd, 600.0);
    c.resetPeriod();
    QCOMPARE(c.PeriodStart, -240.0);
    QCOMPARE(c.PeriodEnd, 3840.0);
}

void TestReplayClock::oneMinuteAtEachRate_data()
{
    QTest::addColumn<int>("ticksPerSecond");
    QTest::newRow("20") << 20;
    QTest::newRow("33") << 33;
    QTest::newRow("60") << 60;
}

void TestReplayClock::oneMinuteAtEachRate()
{
    // A machine that manages the given ticks a second plays one minute at x100 once the
    // rate is known: 6000 s of race within 1 %.
    QFETCH(int, ticksPerSecond);
    ReplayClock c;
    c.setSpeedSlider(19);
    double now = 0.0;
    c.measure(now, true);
    auto second = [&] {
        for (int i = 0; i < ticksPerSecond; ++i)
            c.advance();
        now += 1.0;
        c.measure(now, true);
    };
    second();
    const double from = c.Time;
    for (int s = 0; s < 60; ++s)
        second();
    QVERIFY2(std::fabs(c.Time - from - 6000.0) <= 60.0, qPrintable(QString::number(c.Time - from)));
}

QTEST_GUILESS_MAIN(TestReplayClock)
#include "testreplayclock.moc"
