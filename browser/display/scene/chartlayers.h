// The chart layers as plain data: what DrawChart, DrawMarks, DrawTimeMarks and DrawOverview
// put on their pictures, computed from the race, the projection of the redraw and the display
// options. Nothing here paints; the layers library (layerpainter.h) paints the result.
//
// The chart picture keeps what is drawn on it: the chart scene clears it (new background),
// the marks and time marks scenes only add. A full redraw is chart, time marks, marks in
// this order.
//
// Numbering: boat n is RaceControl::Boats[n − 1] and RaceData::Tracks[n − 1]; marks and lines
// are labelled from 1.
#pragma once

#include "chartprojection.h"
#include "layerscene.h"
#include "seacolours.h"

#include <racecontrol.h>
#include <racedata.h>

#include <QString>
#include <QVector>

// What the display options and the replay clock decide for the layers.
struct ChartOptions {
    ChartColours colours;          // sea colour button chosen
    float scale = 1.0f;            // AppSettings::Scale: chart font sizes grow with it
    UiLanguage language = UiLanguage::Japanese;

    bool mapShown = true;          // "地図"/"Map": coast lines
    bool tracing = false;          // "自動追尾"/"AutoTrace": grid, rounding clock, no tracks
    bool tracksShown = false;      // TracksShown: the tracks option or a chosen playback period
    bool layLinesShown = false;    // "ﾚｲﾗｲﾝ"/"LayLine"
    bool timeMarksShown = false;   // "時間点"/"TimeMk"

    // focused[n − 1] for boat n; a boat without an entry counts as focused.
    QVector<bool> focused;

    double periodStart = 0.0;      // ReplayClock::PeriodStart, seconds from the start
    double periodEnd = 0.0;        // ReplayClock::PeriodEnd

    // The course entry (1-based) the leader rounded within the last 300 s, 0 for none, and
    // the time since then (see roundingClockAt).
    int roundingClockEntry = 0;
    QString roundingClockText;

    bool isFocused(int boatIndex) const
    {
        return boatIndex < 0 || boatIndex >= focused.size() || focused[boatIndex];
    }
};

// Chart redraw: background, coast lines (map option), grid (tracing), tracks of the focused
// boats over the playback period (tracks flag, not tracing) and the scale bar.
LayerScene chartScene(const RaceControl &race, const RaceData &data, const ChartFrame &chart,
                      const ChartOptions &options);

// The chart redraw in the parts a kept picture of the tracks goes between (tracklayer.h);
// chartScene is the base, the tracks of the focused boats in boat order, the scale bar.
// The base clears the picture: background, coast lines and grid.
LayerScene chartBaseScene(const RaceControl &race, const RaceData &data, const ChartFrame &chart,
                          const ChartOptions &options);
// True when the chart shows tracks: the tracks flag is set and the chart is not tracing.
bool chartTracksShown(const ChartOptions &options);
// One boat's track over the playback period in its colour: polylines through the points that
// fall on different pixels, thinned as trackPeriodPoints and the stroker of chartScene do.
QVector<SceneStroke> trackStrokes(const BoatTrack &track, const ChartFrame &chart, double periodStart,
                                  double periodEnd, Colour colour);
// The scale bar, on top of what the picture holds.
LayerScene scaleBarScene(const ChartFrame &chart, const ChartOptions &options);

// Marks layer: marks, lines, lay lines (option), labels and the rounding clock (tracing).
LayerScene marksScene(const RaceControl &race, const RaceData &data, const ChartFrame &chart,
                      const ChartOptions &options);

// Time marks: one circle a minute over the playback period for every focused boat, coloured
// by the minute so that the boats compare minute by minute. Empty when the option is off.
LayerScene timeMarksScene(const RaceControl &race, const RaceData &data, const ChartFrame &chart,
                          const ChartOptions &options);

// Overview map: every boat's whole track and the coast lines clipped to the overview square.
LayerScene overviewScene(const RaceControl &race, const RaceData &data,
                         const ChartFrame &overview, const ChartOptions &options);

// Pieces the scenes are built from, for the window and tests.

// "500m", "1Km", "2.5Km": the scale bar's label for a step in metres.
QString scaleBarLabel(double stepMetres, UiLanguage language);

// Fill colour of the n-th time mark (n from 1): red, white, blue, yellow, green, black, red …
Colour timeMarkColour(int n);

// The points of a track that the tracks layer joins for a playback period, as 0-based indexes
// [first, last]; first > last when the track has nothing in the period. The first point is
// the one at or before the period start, so the track starts where the boat was.
struct PointRange {
    int first = 0;
    int last = -1;
    bool isEmpty() const { return first > last; }
};
PointRange trackPeriodPoints(const BoatTrack &track, double periodStart, double periodEnd);

// The rounding clock at a replay time: the last course entry j ≥ 2 (1-based) whose leader time
// (leaderTimes[j − 1], LegStats::LeaderTime) lies within the 300 s before the time, and the
// seconds since then as "59", "1:00", "2:05". Entry 0 and an empty text when none.
struct RoundingClock {
    int entry = 0;
    QString text;
};
RoundingClock roundingClockAt(const QVector<double> &leaderTimes, int courseCount, double time);
