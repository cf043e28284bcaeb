#include "replayclock.h"

#include <algorithm>
#include <cmath>

namespace {

// The smallest step there is: a machine fast enough to tick more than 1000 times a second at
// the slowest speed must not stop the replay (nor lose its direction) with a step of 0.
constexpr double MinStep = 0.001;

} // namespace

void ReplayClock::resetForRace(double preStartSeconds, double raceDurationSeconds, double latestTrackEnd)
{
    PeriodStart = -(preStartSeconds + 30.0);
    PeriodEnd = raceDurationSeconds;
    BarDuration = raceDurationSeconds;
    TimeBarSpan = raceDurationSeconds + preStartSeconds + 60.0;
    LatestTrackEnd = latestTrackEnd;
    NoBoatSeconds = 0;
    DragStart = -1.0;
    if (TimeBarHeight > 0)
        setTimeBarHeight(TimeBarHeight);
}

void ReplayClock::open(double preStartSeconds)
{
    Time = -(preStartSeconds + 20.0);
    Step = OpeningStep;
}

bool ReplayClock::advance()
{
    if (isStopped())
        return false;
    Time += Step;
    ++TickCount;
    return true;
}

void ReplayClock::skip()
{
    Time += SkipSeconds * direction();
}

void ReplayClock::setStepFromRate(double ticksPerSecond)
{
    if (!(ticksPerSecond > 0))
        return;
    const double step = std::floor(1000.0 * SpeedFactor / ticksPerSecond) / 1000.0;
    Step = direction() * std::max(step, MinStep);
}

void ReplayClock::startMeasuring(double now)
{
    LastTimerReading = now;
    TickCount = 0;
}

ReplayClock::Measurement ReplayClock::measure(double now, bool anyBoatShown)
{
    Measurement m;
    if (isStopped())
        return m;
    const double e = LastTimerReading >= 0 ? now - LastTimerReading : -1.0;
    LastTimerReading = now;
    if (TickCount > 2 && e > ShortestMeasurement && e <= LongestMeasurement) {
        TicksPerSecond = TickCount;
        // The rate of the interval actually measured: a timer that fires a little late must not
        // make the replay a little slow.
        TickRate = TickCount / e;
        setStepFromRate(TickRate);
        m.stepChanged = true;
    }
    // Every measurement starts a new count, so that a busy second does not carry its ticks
    // into the next one and halve the step.
    TickCount = 0;
    NoBoatSeconds = anyBoatShown ? 0 : NoBoatSeconds + 1;
    m.fitToBoats = NoBoatSeconds > NoBoatFitSeconds;
    return m;
}

bool ReplayClock::autoStartDue()
{
    if (AutoStartDone)
        return false;
    ++SecondsOpen;
    if (SecondsOpen > 1 && SecondsOpen < 10) {
        AutoStartDone = true;
        return true;
    }
    return false;
}

int ReplayClock::speedFactorForSlider(int sliderValue)
{
    const int v = std::clamp(sliderValue, MinSlider, MaxSlider);
    return v <= 10 ? v : 10 * (v - 10) + 10;
}

void ReplayClock::setSpeedSlider(int sliderValue)
{
    SpeedFactor = speedFactorForSlider(sliderValue);
    if (TickRate > 0)
        setStepFromRate(TickRate);
}

void ReplayClock::forward()
{
    Mode = ReplayMode::Forward;
    Step = std::fabs(Step);
}

void ReplayClock::stop()
{
    Mode = ReplayMode::Stop;
}

void ReplayClock::back()
{
    Mode = ReplayMode::Back;
    Step = -std::fabs(Step);
}

void ReplayClock::plus()
{
    stop();
    const double d = std::max(std::fabs(Step), 1.0);
    Step = std::fabs(Step);
    Time += d;
}

void ReplayClock::minus()
{
    stop();
    const double d = std::max(std::fabs(Step), 1.0);
    Time -= d;
    Step = -std::fabs(Step);
}

ReplayClock::Wrap ReplayClock::wrapIntoPeriod()
{
    if (Time >= PeriodEnd || Time > LatestTrackEnd) {
        Time = PeriodStart;
        return Wrap::ToStart;
    }
    if (Time < PeriodStart) {
        Time = std::min(PeriodEnd, LatestTrackEnd);
        return Wrap::ToEnd;
    }
    return Wrap::None;
}

void ReplayClock::setTimeBarHeight(double innerHeight)
{
    TimeBarHeight = innerHeight;
    TimeBarScale = TimeBarSpan > 0 ? (innerHeight - 2 * BarMargin) / TimeBarSpan : 0.0;
}

double ReplayClock::barY(double time) const
{
    return BarMargin + TimeBarScale * (BarDuration - time);
}

double ReplayClock::barTime(double y) const
{
    if (TimeBarScale == 0)
        return 0.0;
    return std::floor(BarDuration - (y - BarMargin) / TimeBarScale + 0.5);
}

void ReplayClock::setPeriodFromBar(double y1, double y2)
{
    PeriodStart = barTime(y1);
    PeriodEnd = barTime(y2);
    if (PeriodStart > PeriodEnd)
        std::swap(PeriodStart, PeriodEnd);
}

void ReplayClock::resetPeriod()
{
    PeriodStart = -240.0;
    PeriodEnd = TimeBarSpan;
}
