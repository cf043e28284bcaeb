// The time bar (PicTimeBar) as plain data: a vertical strip beside the chart on which time
// runs upward. Boat 1's upwind and downwind stretches as white and grey bands, green lines at
// the start and the finish, and the read-out the pointer shows over it. The replay clock holds
// the bar's scale (ReplayClock::barY, barTime); the time bar widget paints this and turns its
// mouse events into jumps, previews and playback periods.
#pragma once

#include "replayclock.h"

#include <appsettings.h>
#include <racecontrol.h>
#include <racedata.h>

#include <QSize>
#include <QString>
#include <QVector>

struct TimeBarBand {
    double top = 0.0, bottom = 0.0; // pixels, top < bottom
    bool upwind = true;             // white; grey when downwind
};

struct TimeBarScene {
    static constexpr double BandLeft = 8.0, BandRight = 20.0; // pixels
    static constexpr double LineRight = 30.0;                  // the start and finish lines run from x = 0
    static constexpr Colour Upwind = rgb(255, 255, 255);
    static constexpr Colour Downwind = rgb(192, 192, 192);
    static constexpr Colour LineColour = rgb(0, 255, 0);
    static constexpr Colour DragColour = rgb(255, 255, 0);   // the period being chosen
    static constexpr double DragRight = 6.0;

    QVector<TimeBarBand> bands;
    double startY = 0.0;  // y of 0 s
    double finishY = 0.0; // y of the race's end: 30
};

// The bar for boat 1's track with the mean wind direction (degrees true), on the clock's scale.
// Each point from the second on paints a box from its time up to y = 50 in the colour of its
// course (upwind when within 90° of the wind), later points over earlier ones; so the stretch
// between two point times shows the earlier point's course. The bands are what remains visible,
// bottom up.
TimeBarScene timeBarScene(const BoatTrack &boat1, double windDirection, const ReplayClock &clock);

// The read-out over the time bar at time T (whole seconds): the date-time, "   (T Sec)" and,
// with hints on, how to use the bar, in the interface language.
QString timeBarReadout(const RaceControl &race, double T, bool hintsOn, UiLanguage language);
// Its box: 260 × 81 (English) or 220 × 100 (Japanese) with hints, 200 × 17 without.
QSize timeBarReadoutSize(bool hintsOn, UiLanguage language);
