// The replay frame: the race at one instant (the replay clock's time), every decision made
// here and returned as a FrameScene for the race display to paint. Used by the replay driver
// on every tick and after everything that moves the time or the view (time bar click, "+"
// and "-", zoom and re-centring), and by the frame benchmark.
//
// A frame, in order:
//   1. wraps the time into the playback period (the clock's Time may change);
//   2. the elapsed time and the countdown;
//   3. the signal flags (shown, hidden, lowered while playing forward);
//   4. the start gun, once per forward pass through 0 s;
//   5. the finish panel, a boat entering it (and the gun sounding) once it has passed the
//      finish at or before the time;
//   6. every boat: its segment, interpolated position, speed and wind angle; on the track
//      page its symbol, comparison line, name, wake; its overview marker;
//   7. the time bar cursor, the once-a-second work (wind indicator, marks);
//   8. when a boat was shown: the date-time and the boat list rows whose speed changed.
#pragma once

#include "framescene.h"
#include "framestate.h"
#include "replayclock.h"

#include <legstats.h>
#include <mapview.h>
#include <racecontrol.h>
#include <racedata.h>

#include <QVector>

// What a frame reads besides the clock and its own state. Pointers are never null.
struct FrameInputs {
    const RaceControl *race = nullptr;
    const RaceData *data = nullptr;
    const LegStats *legStats = nullptr; // the finish: its last analysed course entry
    const MapView *view = nullptr;      // the projection of the last chart redraw

    bool trackPage = true;       // the chart is shown (not the graph or data page)
    bool tracing = false;        // "AutoTrace": names are drawn only while tracing
    bool namesShown = false;     // "Name": the names of all boats
    bool tracksOption = false;   // "Wake" (tracks): the short wake is drawn only without tracks or while tracing
    bool comparisonShown = false; // "Ref Line" ticked; lines show only when the chart is wind up
    bool enlarge = false;        // "Enlarge": symbols at least 15 pixels
    QVector<bool> marked;        // Maru per boat: red ring and name always
    QVector<bool> focused;       // Bnam per boat: thick speed bar
    float fontScale = 1.0f;      // AppSettings::Scale
    double speedBarScale = 0.0;  // pixels per knot of the speed bars (RaceData::SpeedBarScale)
    double graphWidth = 0.0;     // other pages: width of the graph picture
};

// Computes the frame at clock.Time and updates the frame state.
FrameScene computeFrame(const FrameInputs &in, ReplayClock &clock, FrameState &state);

// The segment k (0-based, joining points k and k + 1) with T[k] ≤ t < T[k + 1], −1 when the
// track does not cover t (t exactly at the last point included). The search starts at the
// hint in the playing direction, so a replay finds the segment in one or two comparisons; a
// hint on the wrong side of t (the time jumped) costs a search of the whole track.
int findSegment(const QVector<TrackPoint> &points, double t, int hint, bool forward);

// "hh:mm:ss" of the whole seconds in |floor(t)| (2.5 s before the start is 00:00:03).
QString elapsedTimeText(double t);
// The finish panel's time: "hh:mm:ss" of the finish time followed by "  <", the seconds
// behind the first finisher and ">".
QString finishTimeText(double finishTime, double leaderTime);
// The boat list's boxes: speed as "##.#0" (".50", "5.23", "12.00") and wind angle as "##0".
QString listSpeedText(double knots);
QString listAngleText(double degrees);

// Where each boat is on the overview while the pointer previews time T on the time bar: the
// track point that starts the segment holding T (not interpolated); no position when the
// track does not cover T.
struct PreviewMarker {
    bool shown = false;
    double Lat = 0.0, Lon = 0.0; // minutes
};
QVector<PreviewMarker> previewMarkers(const RaceData &data, int boatCount, double T);
