// Loading a race: the race control file (or a single track file) becomes the boats' tracks on
// one time axis, the wind samples, the chart extent, the coast lines and the replay bounds.
//
// LoadRace is the whole sequence. It computes everything itself and calls the race display
// back, through a LoadObserver, at the points where the window has its own steps to do
// (caption, control resets, progress, layout, drawing, passing times, wind indicator, finish
// panel). Every callback has an empty default, so tests and tools load without a window.
//
// Order of one load:
//   loadStarting        replay timer stopped, hourglass, sea colour buttons reset (SeaColours)
//   race read           race control file or single track; TimeDifference 0 → 9; ChartRotation
//   raceRead            caption text, control resets, race list, button enabling
//   trackProgress ×n    each boat's turn, in boat order (text and bar of the progress display)
//   tracksLoaded        progress display hidden
//   (times, wind file, derived values, reference speed, speed bar scale, boat colours)
//   timesKnown          start and finish time boxes
//   layoutWindow        layout and boat list panel
//   (coast lines)
//   drawChart           chart, tracks, overview, time bar, wind direction box, orientation
//   (search indices reset, latest track end)
//   raceLoaded          passing times, wind indicator, wind graph, finish panel, pointer
//
// The track files are parsed on every core, and the derived values computed; every callback,
// message and problem still comes on the calling thread, boat by boat, as one file after
// another would give them, and the race loaded is the one a load on one core gives.
#pragma once

#include "raceextent.h"

#include <appsettings.h>
#include <fileproblem.h>
#include <racecontrol.h>
#include <racedata.h>

#include <QString>
#include <QStringList>

// The six sea colour buttons, lightest first; a load makes the first the chart background.
inline constexpr Colour SeaColours[6] = {rgb(0, 255, 255), rgb(0, 180, 240), rgb(0, 115, 240),
                                         rgb(0, 70, 205),  rgb(0, 70, 136),  rgb(0, 0, 96)};

// Length of the full progress bar, design units.
constexpr int ProgressBarUnits = 333;

// One step of the progress display, before boat `boat` (1-based) of `boatCount` is parsed.
struct LoadProgress {
    int boat = 0;
    int boatCount = 0;
    QString line1;   // FileName + "    ( b / n)"
    QString line2;   // "Loading GPS data     ( file)" or the Japanese text
    int barUnits = 0; // b × 333 / n
};

class LoadObserver
{
public:
    virtual ~LoadObserver() = default;
    // Before anything is read: stop the replay timer, show the hourglass, set the sea colour
    // buttons to SeaColours and the chart, wind indicator and overview backgrounds to the first.
    virtual void loadStarting() {}
    // The race control file is read (or the single boat set up), TimeDifference and
    // ChartRotation are final: set the caption, reset the display controls, fill the race list
    // in viewing mode, enable the course, analysis and attachment buttons, set every boat's
    // sample search index to its first point.
    virtual void raceRead(const RaceControl &race, const QString &caption) {}
    // Paint this progress at once (splash window or the chart). Called on the loading thread,
    // once per boat whose file is there, in boat order.
    virtual void trackProgress(const LoadProgress &progress) {}
    // Every track file is parsed: hide the progress display.
    virtual void tracksLoaded() {}
    // Start and finish times are final: fill the time boxes.
    virtual void timesKnown(const RaceControl &race) {}
    // Tracks, extent, wind, derived values and boat colours are ready: lay out the window and
    // build the boat list panel when it is not built yet.
    virtual void layoutWindow(const RaceControl &race, const RaceData &data) {}
    // The coast lines are loaded too: draw the chart, the tracks, the overview map and the
    // time bar; set the wind direction box and the orientation options.
    virtual void drawChart(const RaceControl &race, const RaceData &data) {}
    // The load is complete: compute the passing times when the course has entries, draw the
    // wind indicator, the wind graph or hide the wind controls, reset the finish panel and
    // restore the pointer.
    virtual void raceLoaded(const RaceControl &race, const RaceData &data) {}
};

struct LoadResult {
    bool ok = false;       // a race was loaded (it may still have no boats with points)
    // Everything the readers skipped or could not read, file by file in the order the load
    // read them: the race control file, each GPS file, the wind file, the coast lines.
    FileProblems problems;
};

// The window caption of the race: ` "orvane" Race Browser` or "オルバネ", each non-empty title
// after three blanks, then "   (" + FileName (or SingleTrackFile) + ")".
QString raceCaption(const AppSettings &settings, const RaceControl &race);

// The progress display before boat `boat` (1-based) of race is parsed.
LoadProgress loadProgress(const AppSettings &settings, const RaceControl &race, int boat);

// Loads the race named by race.FileName, or the single track file settings.SingleTrackFile
// when FileName is empty, into race and data (data is replaced). Sets settings.SeaColour and
// settings.ReferenceSpeed. Messages go through platform::dialogs():
//   - a race control file that cannot be read: the reader's message; nothing is loaded;
//   - a track file that is gone (or is a folder) when its turn comes: "No GPS file (path)
//     be sure !"; a file that cannot be read: its own message; either way that boat stays in
//     the race without a track, and the load goes on with the others.
// Each of these, and every line a reader skipped, is also in the result's problems.
// With neither FileName nor SingleTrackFile nothing is loaded and ok is false.
// In edit mode the race control file is written when coast tiles were listed: the race as the
// file gave it with the new MAP lines, never the start and finish times the tracks filled in
// or the time difference 9 put in for 0; lines the reader did not take stay in it.
// threads: how many threads parse the track files (0: one per core, 1: the calling thread
// alone); the race loaded is the same whatever the number.
LoadResult LoadRace(AppSettings &settings, RaceControl &race, RaceData &data, LoadObserver *observer = nullptr,
                    int threads = 0);
