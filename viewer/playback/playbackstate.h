// The replay of the viewer: what its two timers do, as plain calls the window makes.
//
// The frame timer (every 50 ms) moves the replay time on by one step and has a frame drawn; the
// second timer (every second) sets the step from the frames actually drawn in the second before,
// so that one second of wall time advances the race by the speed factor however fast the
// machine draws (fewer than 5 frames count as 20). Around the frames: the start and finish guns,
// the finishers entering the score panel, the countdown beeps, the class and preparatory flags,
// the leader's lead at the course elements, the sea colour by the time of day, and AutoNext at
// the end of a race. Playing wraps round the playback period.
//
// A frame tick is two calls, so that the frame is drawn with the new time and everything that
// follows from it is decided after: advanceFrame, the drawing, finishFrame.
#pragma once

#include <viewerloader.h>

#include <QList>
#include <QString>
#include <QVector>

struct PlaybackState {
    enum Page { Track = 1, Graph = 2 };

    double Time = 0.0;          // replay time t, seconds from ST
    double PreviousTime = 0.0;  // t of the frame before
    double Step = 0.1;          // seconds of race time per frame
    int Direction = 1;          // +1 forward, −1 backward
    double SpeedFactor = 5.0;   // race seconds per wall second
    int FrameCounter = 0;       // frames drawn since the last second tick
    int CurrentPage = Track;
    bool AutoTracking = true;   // the tracking view (false: the manual view)
    bool PointerOverTimeBar = false;

    QVector<bool> FinishShown;  // per boat: its finish has had its gun and score line
    int Finishers = 0;          // score lines shown

    QString LeadText;           // the leader's lead, whole seconds
    int LeadElement = 0;        // 1-based course element it belongs to, 0 none

    double ZoomDivisor = 1.0;   // 1 … 10

    ViewerRgb Sea{160, 220, 255};
    ViewerRgb Grid{110, 170, 255};
    int SeaPosition = 100;      // 0 … 100 (ScrollBar3)
    bool AutoSea = true;        // CheckBox3: the sea follows the time of day
    double TimeOfDay = 0.0;     // tau, seconds 0 … 86400: the clock

    bool isTrackPage() const { return CurrentPage == Track; }
};

// The state after a load: the period start, forward, step 0.1 s, × 5, the Track page, the
// tracking view, no finisher, no lead, zoom divisor 1. The sea keeps its colour and AUTO.
void startRace(PlaybackState &state, const LoadedViewerRace &shown);

// Sets the sea-colour position and with it the sea and grid colours.
void setSeaPosition(PlaybackState &state, int position);

// Brings a time into the playback period the way playing wraps: before the start it goes on
// from the end, after the end from the start.
double wrapIntoPeriod(double t, const PlaybackPeriod &period);

// Frame tick, first half: t moves on by one step (wrapping). False on the Graph page, where the
// frame timer draws nothing.
bool advanceFrame(PlaybackState &state, const PlaybackPeriod &period);

struct FrameEvents {
    QList<int> Finished;        // boats (1-based) whose finish enters the score panel now, each with a gun
    bool ScoreCleared = false;  // back before the finishes: panel hidden, no finisher
    bool StartGun = false;      // the start has just been passed
    bool TimeTextChanged = false; // Memo1 shows another second
    bool SeaChanged = false;    // the automatic sea colour moved
    int gunCount() const { return int(Finished.size()) + (StartGun ? 1 : 0); }
};

// Frame tick, second half, after the frame at state.Time was drawn.
FrameEvents finishFrame(PlaybackState &state, const LoadedViewerRace &shown);

struct SecondEvents {
    bool Ran = false;           // false on the Graph page: the second timer does nothing there
    int Beeps = 0;              // countdown: one each second from −30 s, one more on whole minutes
    bool NextRace = false;      // AutoNext: load the next race (nothing else of this tick follows)
    bool FinishesCleared = false; // t lies before the leader's finish again
    bool ClassFlag = false;     // pnlFLAG shown (up to the start)
    bool PreparatoryFlag = false; // blue_p shown (from 4 minutes to 1 minute before)
};

// The second tick. autoNext: the AutoNext check box.
SecondEvents secondTick(PlaybackState &state, const LoadedViewerRace &shown, bool autoNext);

// The countdown beeps at a whole second t.
int countdownBeeps(double t);
// The flags at a time: the class flag up to the start, the preparatory flag from −240 s to
// before −60 s.
bool classFlagShown(double t);
bool preparatoryFlagShown(double t);

// The leader's lead at t: for the course elements before the last (from the last but one down to
// the second), the first whose leader passed T ≤ t < T + 180 gives the text round(t − T) and its
// number. Nothing (0) when none.
struct Lead {
    QString Text;
    int Element = 0;
};
Lead leaderLead(const PassTable &passes, double t);

// Jumping to a time (a click on the time bar): t within the period, and the finishes to show
// again from there.
void jumpTo(PlaybackState &state, double t, const PlaybackPeriod &period);

// One row of the boat list at t: the speed bar's width (pixels, at least 1), the speed on it and
// the true wind angle box.
struct BoatPanelRow {
    int BarWidth = 1;
    QString SpeedText;
    QString TwaText;
};
QVector<BoatPanelRow> boatPanelRows(const LoadedViewerRace &shown, double t);
