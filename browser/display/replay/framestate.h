// What the frames of the replay remember from one frame to the next: per boat its position,
// speed and wind angle at the last frame and where its segment search starts (BoatFrame), and
// for the display the start sequence, the finish panel and the once-a-second work (FrameState).
//
// One FrameState per race display, rebuilt at each race load (resetForRace). The frame
// builder (framebuilder.h) reads and updates it; the window's parts set HoverRow and
// TimeBarHover from the pointer.
//
// Segment hints are 0-based: segment k joins track points k and k + 1. A forward search
// starts at max(hint, 0), a backward one at min(hint + 1, n − 2); −1 therefore means "from
// the first segment" and n − 1 "from the last". Only the frames and the jumps of the time
// (period wrap, time bar, playback period) set them; the time marks layer searches with hints
// of its own, so drawing the marks never sends a backward replay to the start of a track.
#pragma once

#include <mapview.h>
#include <racedata.h>

#include <QList>
#include <QVector>

#include <climits>

struct BoatFrame {
    double Lat = 0.0, Lon = 0.0; // minutes: interpolated position at the last frame
    bool hasPosition = false;    // false when the boat's track did not cover the last frame's time
    double Speed = 0.0;          // knots of the segment holding the last frame's time
    double Twa = 0.0;            // that segment's course − the shown wind, −180 … 180
    int SegmentHint = -1;        // where the next search starts (see above)
    double ListedSpeed = -1.0;   // the speed the boat list row shows; < 0 when the row is empty
    bool Finished = false;       // entered in the finish panel
};

struct FrameState {
    // Rest place of the signal flags: 10 pixels below the top of the chart (and 10 from its
    // right edge, which the chart widget works out from the flag's width).
    static constexpr double FlagRestTop = 10.0;

    QVector<BoatFrame> boats;    // boat n at n − 1
    bool AnyBoatShown = true;    // a frame placed a boat inside the chart (cleared before each tick)
    bool GunFired = false;       // the start gun has sounded since the time was last negative
    QVector<int> FinishOrder;    // 0-based boat indexes in the order they entered the finish panel
    bool FinishPanelShown = false;
    int LastWholeSecond = INT_MIN; // floor of the time at the previous frame: the once-a-second work
    int HoverRow = -1;           // boat list row under the pointer, −1 for none
    bool TimeBarHover = false;   // the pointer is over the time bar (its preview owns the overview markers)
    bool Enlarged = false;       // the last symbol placed was enlarged to the minimum size

    // The two flags: shown or not, and their top on the chart (they are lowered by moving down).
    bool BlueFlagShown = false, SevenShown = false;
    double BlueFlagTop = FlagRestTop, SevenTop = FlagRestTop;

    int finisherCount() const { return int(FinishOrder.size()); }

    // A new race of boatCount boats: every boat without position, hints at the first segment,
    // the finish panel empty, the gun ready, the flags at rest.
    void resetForRace(int boatCount);
    // Clears every boat's finish flag and the finish order, and hides the panel.
    void resetFinishPanel();
    // The search start after a jump of the time: from the first segment when playing forward,
    // from the last when playing backward.
    void setSegmentHints(const RaceData &data, bool forward);
    // Both flags back to their rest place.
    void flagsToRest();
    // Where the boats are for the automatic fit; focused[n − 1] for boat n (missing: focused).
    QList<BoatFix> fixes(const QVector<bool> &focused) const;
};
