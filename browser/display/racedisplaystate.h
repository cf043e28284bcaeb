// The race the race display shows and the state of its display: the one object the window's
// parts share. The window owns it; every part gets a reference at construction and reads or
// changes what it needs here, instead of reaching into another part.
//
// What lives here: the program's settings and race record (owned by the program), the loaded
// tracks, the projection, the passing times, the replay clock and what the frames remember, the
// display options as the option boxes set them, the boats' focus and mark boxes, and the load
// state.
#pragma once

#include <chartlayers.h>
#include <framestate.h>
#include <legstats.h>
#include <mapview.h>
#include <racedata.h>
#include <replayclock.h>
#include <windfile.h>
#include <windindicator.h>

#include <QString>
#include <QVector>

struct AppSettings;
struct RaceControl;

// The option boxes of the lower panel (Check1 … Check10), as the display reads them. The
// options panel keeps them in step with its boxes.
struct DisplayOptions {
    bool timeMarks = false;   // Check1 "TimeMk": a mark a minute on the tracks
    bool measuring = false;   // Check2 "R/B": range and bearing on the chart
    bool hints = true;        // Check3 "HINT" (HintMode)
    bool comparison = false;  // Check4 "Ref Line": cross-wind lines, wind up only
    bool tracing = false;     // Check5 "AutoTrace": the chart follows the focused boats
    bool tracks = true;       // Check6 "Wake": full tracks when not tracing
    bool map = true;          // Check7 "Map": coast lines
    bool layLines = true;     // Check8 "LayLine"
    bool names = false;       // Check9 "Name": all boats' names while tracing
    bool enlarge = true;      // Check10 "Enlarge": symbols at least 15 pixels
    bool tracksShown = true;  // TracksShown: the tracks option, or a playback period chosen on the time bar
};

enum class DisplayPage { Track, Graph, Data };

class RaceDisplayState
{
public:
    RaceDisplayState(AppSettings &settings, RaceControl &race) : settings(settings), race(race) {}

    AppSettings &settings; // the program's, for the window's lifetime
    RaceControl &race;     // the program's race record
    RaceData data;         // the loaded tracks, wind, extent, coast and replay bounds
    MapView view;          // the projection of the last chart redraw
    LegStats legStats;     // passing times of the loaded race
    WindSearch windSearch; // where the last wind look-up ended
    ReplayClock clock;     // the replay time, speed, playback period and time bar scale
    FrameState frame;      // what the frames remember (boats, start sequence, finish panel, hover)

    DisplayOptions options;
    QVector<bool> focused; // Bnam per boat (boat n at n − 1)
    QVector<bool> marked;  // Maru per boat
    DisplayPage page = DisplayPage::Track;
    RoundingClock roundingClock; // the leader's last rounding within 300 s, once a second
    int seaColourNumber = 1; // BCOL1 … BCOL6 chosen last
    bool windGraphShown = false;
    QString caption;       // the race title of the window caption

    bool loaded = false;        // a race is shown
    bool loading = false;       // a load runs now
    bool loadAttempted = false; // the first activation has loaded (or tried)

    bool isTrackPage() const { return page == DisplayPage::Track; }
    bool isFocused(int boat) const { return boat >= focused.size() || focused[boat]; }

    // What the chart layers draw for the present options, colours and playback period.
    ChartOptions chartOptions() const;
    // The wind the indicator shows now (ShownWindDirection and ShownWindSpeed as they stand).
    WindReading currentWind() const;
    // Looks the wind up at a replay time (WindAt), sets the shown wind and returns it.
    WindReading windAt(double time, bool forward = true);
};
