// The time bar of the viewer (pnlTimeBar): a 30-pixel bar (TimeBar) over the whole playback
// period, later times higher, white where boat 1 sails upwind and pale blue where it sails
// downwind, a red band at the start; behind it (BackTimeBar) the panel shaded from black at
// night to yellow by day; and the red pointer (TimePointer) at the replay time. Built once per
// race as plain data; the window paints it and turns pointer heights into times.
#pragma once

#include <viewerloader.h>

#include <QVector>

struct TimeBarGeometry {
    int PanelWidth = 50;
    int PanelHeight = 0;
    int BarLeft = 11, BarTop = 29, BarWidth = 30;
    int BarHeight = 0;          // panel height − 60
    int PointerLeft = 1, PointerWidth = 48, PointerHeight = 3;
};
TimeBarGeometry timeBarGeometry(int panelHeight);

// A stretch of rows of the bar (Top … Bottom, inclusive, in the bar's pixels).
struct TimeBarBand {
    int Top = 0;
    int Bottom = 0;
    bool Upwind = true;
};

struct TimeBarPicture {
    TimeBarGeometry Geometry;
    QVector<TimeBarBand> Bands; // inside the frame, top to bottom; the rest keeps the bar colour
    int StartRow = 0;           // the red band: this row and the one below, time 0
    QVector<int> Shade;         // per panel row: v of RGB(v, v, 0), the background's day light
};

TimeBarPicture drawTimeBar(const LoadedViewerRace &shown, int panelHeight);

// The time at a height y of the bar (pixels from its top): round(end − y / height × length),
// within the period.
double timeAtBar(const PlaybackPeriod &period, int barHeight, double y);
// The top of the pointer in the panel at time t: round((end − t) × bar height / length) + 28.
int timePointerTop(const PlaybackPeriod &period, int barHeight, double t);
// A click on the background this close to its bottom goes back to the period start.
constexpr int BackToStartRows = 30;

// The whole length of the period in seconds, rounded (at least 1).
int periodLength(const PlaybackPeriod &period);

// Where each boat's overview dot goes while the pointer previews time t on the bar: the sample
// j with time[j] ≤ t < time[j + 1] (no interpolation); nothing for a boat without one.
struct PreviewPosition {
    bool Valid = false;
    double Lat = 0.0, Lon = 0.0;
};
QVector<PreviewPosition> previewPositions(const ViewerRace &race, double t);
