// The replay clock of the race display: the replay time, the step a tick adds to it, the
// playing direction, the speed, the playback period and the time bar scale.
//
// A state machine driven by plain calls, so that it runs (and is tested) without real time:
// the window's replay driver calls advance() on every fast tick (30 ms), measure() once a
// second with a reading of a monotonic clock, autoStartDue() once a second until tracing has
// been switched on, and the control calls (forward, stop, back, plus, minus, setSpeedSlider)
// when the user presses a button. Whatever a call asks of the display (draw a frame, fit the
// view, put the flags back) the caller does; the clock only keeps the numbers.
//
// Units: times in seconds relative to RaceControl::StartTime (negative before the start);
// time bar positions in pixels of PicTimeBar, y downwards.
//
// Replay speed: the step is recomputed from the measured tick rate, so the replay advances
// SpeedFactor race seconds per real second however many ticks the machine manages.
#pragma once

#include <QtGlobal>

enum class ReplayMode { Back = -1, Stop = 0, Forward = 1 };

class ReplayClock
{
public:
    static constexpr int TickMilliseconds = 30;   // the fast tick
    static constexpr int MeasureMilliseconds = 1000;
    static constexpr double SkipSeconds = 5.0;     // the skip through times without a boat in view
    static constexpr double OpeningStep = 0.5;
    static constexpr int OpeningSlider = 5;
    static constexpr int MinSlider = 1, MaxSlider = 19;
    static constexpr int NoBoatFitSeconds = 10;     // seconds without a boat in view before a fit
    // A measurement interval longer than this (the window was busy) is not used for the step.
    // A one-second timer fires a few milliseconds late as a rule; those intervals count.
    static constexpr double LongestMeasurement = 1.25;
    static constexpr double ShortestMeasurement = 0.95;
    static constexpr double BarMargin = 30.0;       // pixels above the finish and below the bottom end

    double Time = 0.0;          // seconds from the start
    double Step = OpeningStep;  // seconds added per tick; its sign is the playing direction
    ReplayMode Mode = ReplayMode::Forward;
    int SpeedFactor = OpeningSlider; // race seconds per real second: 1 … 10, 20, 30 … 100
    int TickCount = 0;          // ticks since the last measurement
    int TicksPerSecond = 0;     // ticks counted in the last measured second; 0 until measured
    double TickRate = 0.0;      // ticks per second of the last measurement (ticks / interval); 0 until measured
    double LastTimerReading = -1.0; // seconds on the driver's monotonic clock; < 0 before the first

    double PeriodStart = 0.0, PeriodEnd = 0.0; // the playback period; the replay wraps inside it
    double LatestTrackEnd = 0.0; // the largest last-point time over all boats
    double BarDuration = 0.0;    // RaceControl::RaceDuration
    double TimeBarSpan = 0.0;    // RaceDuration + PreStartSeconds + 60: the time the bar covers
    double TimeBarScale = 0.0;   // pixels per second on the time bar; 0 before the bar is sized
    double TimeBarHeight = 0.0;  // inner height of the time bar, pixels

    int NoBoatSeconds = 0;       // consecutive measured seconds without a boat in view
    int SecondsOpen = 0;         // seconds since the window was first activated
    bool AutoStartDone = false;  // tracing was switched on (or the chance has passed)
    double DragStart = -1.0;     // y where a Shift-drag on the time bar began; < 0 when none

    // Defaults at each race load: the period from PreStartSeconds + 30 s before the start to the
    // end of the race, the time bar's span. Time, step, mode and speed are kept.
    void resetForRace(double preStartSeconds, double raceDurationSeconds, double latestTrackEnd);
    // The time as the window first opens (and after loading another race): 20 s before the
    // pre-start period, playing forward at the opening step.
    void open(double preStartSeconds);

    // The sign of the playing direction: 1 for a positive step, else −1.
    double direction() const { return Step > 0 ? 1.0 : -1.0; }
    bool isStopped() const { return Mode == ReplayMode::Stop; }

    // One fast tick: Time += Step and TickCount += 1. In STOP the tick does nothing and returns
    // false: the time stands still while stopped, whatever restarts the timer.
    bool advance();
    // One step of the skip through times at which no boat is in view: 5 s in the playing direction.
    void skip();

    // The first reading of the measurement, as the timers start: the first second after it is
    // measured already.
    void startMeasuring(double now);
    // The once-a-second measurement. now: seconds on a monotonic clock; anyBoatShown: whether
    // the last frame placed a boat inside the chart. In STOP nothing is measured.
    struct Measurement {
        bool stepChanged = false; // the step was recomputed from the measured rate
        bool fitToBoats = false;  // no boat in view for more than 10 s: bring the focused boats back
    };
    Measurement measure(double now, bool anyBoatShown);

    // The automatic start of tracing: counts the seconds since opening and says true once, at
    // the second second.
    bool autoStartDue();

    // The speed slider (HScroll1, 1 … 19): 1 … 10 are the factor itself, 11 … 19 give 20 … 100.
    static int speedFactorForSlider(int sliderValue);
    // Sets SpeedFactor; once a rate has been measured the step follows at once.
    void setSpeedSlider(int sliderValue);

    void forward(); // FWD: playing forward at |Step|
    void stop();    // STOP
    void back();    // BACK: playing backward at |Step|
    // "+" and "-": stop, then move the time by the step but at least 1 s; "+" makes the
    // direction forward, "-" backward.
    void plus();
    void minus();

    // Where the replay wraps inside the playback period. Past the period's end (or past the
    // last track point of any boat) it starts again at the period's start; before the start it
    // continues from the end, but no later than the last track point.
    enum class Wrap { None, ToStart, ToEnd };
    Wrap wrapIntoPeriod();

    // Time bar geometry. The finish (BarDuration) is 30 pixels below the top, the bottom end
    // (−(PreStartSeconds + 60) s) 30 pixels above the lower edge.
    void setTimeBarHeight(double innerHeight);
    double barY(double time) const;          // pixels
    double barTime(double y) const;          // whole seconds, rounded half up
    // A playback period chosen by dragging from y1 to y2 (either order); time and direction
    // are left to the caller (it starts the replay at PeriodStart).
    void setPeriodFromBar(double y1, double y2);
    // Shift + right click: the widest period, from 240 s before the start to the bar's end.
    void resetPeriod();

private:
    void setStepFromRate(double ticksPerSecond);
};
