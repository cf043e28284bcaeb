#include "playbackstate.h"

#include "playbackcontrols.h"

#include <boatstate.h>
#include <daylight.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr double FinishWindow = 0.3;    // finishes are looked for from 0.3 × the period end on
constexpr int FewestFrames = 5;         // a second with fewer frames counts as
constexpr int AssumedFrames = 20;       // this many
constexpr double LeadSeconds = 180.0;   // a lead is shown for 3 minutes after the leader passed

void clearFinishes(PlaybackState &state)
{
    state.FinishShown.fill(false);
    state.Finishers = 0;
}

} // namespace

void startRace(PlaybackState &state, const LoadedViewerRace &shown)
{
    const ViewerRace &race = shown.Race;
    state.Time = race.Period.Start;
    state.PreviousTime = race.Period.Start;
    state.Step = 0.1;
    state.Direction = 1;
    state.SpeedFactor = speedFactorAt(SpeedPositionAfterLoad);
    state.FrameCounter = 0;
    state.CurrentPage = PlaybackState::Track;
    state.AutoTracking = true;
    state.PointerOverTimeBar = false;
    state.FinishShown.fill(false, race.boatCount());
    state.Finishers = 0;
    state.LeadText.clear();
    state.LeadElement = 0;
    state.ZoomDivisor = 1.0;
    state.TimeOfDay = timeOfDay(shown.Derived.Daylight, state.Time);
}

void setSeaPosition(PlaybackState &state, int position)
{
    state.SeaPosition = position;
    state.Sea = seaColourAt(position);
    state.Grid = gridColourAt(position);
}

double wrapIntoPeriod(double t, const PlaybackPeriod &period)
{
    if (t < period.Start)
        return period.End;
    if (t > period.End)
        return period.Start;
    return t;
}

bool advanceFrame(PlaybackState &state, const PlaybackPeriod &period)
{
    if (!state.isTrackPage())
        return false;
    state.Time = wrapIntoPeriod(state.Time + state.Direction * state.Step, period);
    return true;
}

FrameEvents finishFrame(PlaybackState &state, const LoadedViewerRace &shown)
{
    const ViewerRace &race = shown.Race;
    const PassTable &passes = shown.Derived.Passes;
    const double t = state.Time;
    FrameEvents events;
    ++state.FrameCounter;
    if (state.FinishShown.size() != race.boatCount())
        state.FinishShown.fill(false, race.boatCount());

    const double finishFrom = FinishWindow * race.Period.End;
    if (t > finishFrom && passes.elementCount() > 0 && t > passes.leaderFinishTime() - 5) {
        for (int b = 1; b <= race.boatCount(); ++b) {
            if (state.FinishShown[b - 1])
                continue;
            const double finish = passes.finishTime(b);
            if (!passes.isPassed(finish))
                continue;
            const int rounded = viewerRound(finish);
            if (rounded <= t && rounded > 0) {
                state.FinishShown[b - 1] = true;
                ++state.Finishers;
                events.Finished << b;
            }
        }
    }
    if (t < finishFrom) {
        state.Finishers = 0;
        events.ScoreCleared = true;
    }

    if (!state.PointerOverTimeBar && viewerRound(t) != viewerRound(state.PreviousTime))
        events.TimeTextChanged = true;

    // The clock follows the race's time of day always; the sea only with AUTO.
    state.TimeOfDay = timeOfDay(shown.Derived.Daylight, t);
    if (state.AutoSea) {
        const int position = viewerRound(daylightBrightness(shown.Derived.Daylight, state.TimeOfDay));
        if (position != state.SeaPosition) {
            setSeaPosition(state, position);
            events.SeaChanged = true;
        }
    }

    if (state.PreviousTime < 0 && t >= 0 && t < 60)
        events.StartGun = true;
    state.PreviousTime = t;
    return events;
}

int countdownBeeps(double t)
{
    int beeps = 0;
    if (t >= -30 && t < 0)
        ++beeps;
    if (t < 0 && std::fmod(t, 60.0) == 0)
        ++beeps;
    return beeps;
}

bool classFlagShown(double t)
{
    return t <= 0;
}

bool preparatoryFlagShown(double t)
{
    return t >= -240 && t < -60;
}

Lead leaderLead(const PassTable &passes, double t)
{
    Lead lead;
    const int n = passes.elementCount();
    for (int m = n - 1; m >= 2; --m) {
        const double leader = passes.LeaderTime[m - 1];
        if (passes.isPassed(leader) && leader <= t && t < leader + LeadSeconds) {
            lead.Text = QString::number(viewerRound(t - leader));
            lead.Element = m;
            break;
        }
    }
    return lead;
}

SecondEvents secondTick(PlaybackState &state, const LoadedViewerRace &shown, bool autoNext)
{
    SecondEvents events;
    if (!state.isTrackPage())
        return events;
    events.Ran = true;
    const ViewerRace &race = shown.Race;
    const PassTable &passes = shown.Derived.Passes;

    const int frames = state.FrameCounter < FewestFrames ? AssumedFrames : state.FrameCounter;
    state.Step = state.SpeedFactor / frames;
    state.Time = viewerRound(state.Time);
    // Before the leader's (rounded) finish no boat has finished: the panel starts afresh.
    if (passes.elementCount() > 0 && state.Time < viewerRound(passes.leaderFinishTime())) {
        if (state.Finishers > 0 || state.FinishShown.contains(true))
            events.FinishesCleared = true;
        clearFinishes(state);
    }
    state.FrameCounter = 0;

    events.Beeps = countdownBeeps(state.Time);

    if (autoNext && state.Time > race.Period.End - 100 * state.Step) {
        events.NextRace = true;
        return events;
    }

    const Lead lead = leaderLead(passes, state.Time);
    state.LeadText = lead.Text;
    state.LeadElement = lead.Element;

    events.ClassFlag = classFlagShown(state.Time);
    events.PreparatoryFlag = preparatoryFlagShown(state.Time);
    return events;
}

void jumpTo(PlaybackState &state, double t, const PlaybackPeriod &period)
{
    state.Time = std::clamp(t, period.Start, period.End);
    clearFinishes(state);
}

QVector<BoatPanelRow> boatPanelRows(const LoadedViewerRace &shown, double t)
{
    const QList<BoatState> states = boatStatesAt(shown.Race, t);
    const double maxSpeed = shown.Derived.MaxSpeed;
    QVector<BoatPanelRow> rows;
    rows.reserve(states.size());
    for (const BoatState &s : states) {
        BoatPanelRow row;
        if (s.HasSegment) {
            row.BarWidth = maxSpeed > 0 ? std::max(1, viewerRound(s.Speed * 100 / maxSpeed)) : 1;
            row.SpeedText = QString::number(s.Speed, 'f', 6).left(4);
            row.TwaText = (QStringLiteral("   ") + QString::number(viewerRound(-s.Twa))).right(4);
        }
        rows << row;
    }
    return rows;
}
