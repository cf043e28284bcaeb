// The Graph page of the race display: the whole race as a strip chart with time running
// upward. On the left every boat's magnetic course over ground and the wind direction, on the
// right every boat's speed and the wind speed; focused boats in their colours over light grey
// curves of the others. Also the pointer aid that reads the wind direction off the boats'
// upwind courses, and the small wind direction strip under the chart's wind indicator.
//
// All of it is computed here without a window: the scales (GraphScale), the picture as a
// scene (graphPageScene), the pointer aid's marks and read-out (pointerAid) and the strip
// (windStripScene). The page painter paints the scenes; the wind entry (windentry.h) reads
// the scale of the last drawing to turn clicks into samples.
//
// Picture coordinates: pixels, origin top left. The direction panel spans x = 30 … 390 (one
// pixel per degree, the mean wind direction at x = 120), the speed panel x = 400 … 700
// (30 pixels per knot of boat speed, 15 per knot of wind speed); both run from y = 30 (the
// finish) down to H − 40, the start of the pre-start period at H − 30.
#pragma once

#include "pagescene.h"

#include <racecontrol.h>
#include <racedata.h>

#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QVector>

// Scale values of one drawing of the graph; the pointer aid and the wind entry use those of
// the last drawing.
struct GraphScale {
    double height = 0.0;          // H, pixels
    double period = 0.0;          // L: seconds shown, pre-start period included
    double duration = 0.0;        // D: seconds from the start to the finish
    double timeScale = 0.0;       // k = GraphTimeScale, pixels per second; 0 when not drawn
    double directionOrigin = 0.0; // R = GraphDirectionOrigin: mean wind direction − 90, degrees

    // Drawn with a usable time scale (a period and a picture taller than 60 pixels).
    bool isValid() const { return timeScale > 0; }

    // y of time t (seconds from the start): the finish at y = 30, earlier times lower.
    double timeToY(double t) const { return 30.0 + timeScale * (duration - t); }
    // x of a direction in degrees: 30 + d − R brought into the panel 30 … 390 by turns of 360.
    double directionToX(double degrees) const;
    static double boatSpeedToX(double knots) { return 400.0 + 30.0 * knots; }
    static double windSpeedToX(double knots) { return 400.0 + 15.0 * knots; }
    // Time of y, rounded to a whole second: Int(D − (y − 30) / k + 0.5).
    double yToTime(double y) const;
    // Direction of x, the inverse of directionToX: (x − 30) + R, brought into 0 … 360.
    double xToDirection(double x) const;
};

// The scale for a picture of the given height: L is the time bar's span (RaceDuration +
// pre-start + 60 s) and D the race duration; when L is 0, L is the display period
// (DisplayStart to DisplayEnd) and D the seconds from StartTime to FinishTime.
GraphScale graphScale(const RaceControl &race, const RaceData &data, double pictureHeight);

// Panel edges, pixels.
namespace GraphLayout {
constexpr double Top = 30;
constexpr double BottomMargin = 40; // panels end at H − 40
constexpr double DirectionLeft = 30, DirectionRight = 390;
constexpr double SpeedLeft = 400, SpeedRight = 700;
constexpr double MeanWindX = 120;
} // namespace GraphLayout

namespace GraphColours {
constexpr Colour Background = rgb(236, 236, 236);
constexpr Colour Panel = rgb(255, 255, 255);
constexpr Colour WindArea = rgb(255, 225, 225);
constexpr Colour WindSpeed = rgb(255, 128, 128);
constexpr Colour DirectionMajor = rgb(96, 96, 255);
constexpr Colour Grid = rgb(192, 192, 192);
constexpr Colour SpeedMajor = rgb(128, 255, 128);
constexpr Colour TimeTenMinutes = rgb(255, 192, 192);
constexpr Colour TimeHalfHour = rgb(255, 128, 0);
constexpr Colour TimeHour = rgb(255, 0, 0);
constexpr Colour OtherBoat = rgb(225, 225, 225);
constexpr Colour WindDirection = rgb(0, 0, 0);
constexpr Colour WindReciprocal = rgb(128, 128, 128);
constexpr Colour StartFinish = rgb(0, 255, 0);
constexpr Colour StripBox = rgb(225, 225, 0);
constexpr Colour StripCurve = rgb(0, 0, 255);
} // namespace GraphColours

// One line of the time grid: every 5 minutes from the start to the finish.
struct TimeGridLine {
    int step = 0;      // m: the line is 5 m minutes after the start
    double y = 0.0;
    Colour colour = GraphColours::Grid;
    QString label;     // "h:mm"
};
QVector<TimeGridLine> timeGrid(const GraphScale &scale);

struct GraphPageInput {
    const RaceControl *race = nullptr;
    const RaceData *data = nullptr;
    QVector<bool> focused; // per boat: ticked in the boat list
    QSize size;            // the picture, pixels
    double fontScale = 1.0; // AppSettings::Scale
};

struct GraphPageScene {
    GraphScale scale;
    bool windLoaded = false; // the race has a wind file: wind curves and header parts drawn
    PageScene picture;
};
GraphPageScene graphPageScene(const GraphPageInput &input);

// The pointer aid at pointer position (x, y) on the graph. Over the upwind half of the
// direction panel (30 ≤ x ≤ 210) three short marks stand at the close-hauled courses on both
// tacks for a wind from the pointer's direction (x ∓ LayLineUp) and at the downwind direction
// (x + 180, brought back into the panel). When a wind file is loaded and the pointer's time lies
// between two wind samples, a read-out box above the pointer shows the time of day and the
// direction under the pointer ("14:32:05 / 212").
struct PointerAid {
    bool marksShown = false;
    double markX[3] = {0.0, 0.0, 0.0}; // x − LayLineUp, x + LayLineUp, downwind
    double markTop = 0.0, markBottom = 0.0;
    bool readoutShown = false;
    QRectF readout; // 85 × 15 pixels, in picture coordinates
    QString text;
};
PointerAid pointerAid(const GraphScale &scale, double x, double y, const RaceControl &race,
                      const QVector<WindSample> &wind, bool windLoaded);

// The wind direction strip: a square picture of side S (the wind indicator's width) with the
// wind direction of the whole race in blue on a yellow box, time running upward, scaled to
// the directions the wind samples span (at least 30 degrees) around their middle.
struct WindStripScale {
    double centre = 0.0;   // C: degrees, middle of the span the samples cover
    double span = 30.0;    // degrees, at least 30
    double pixelsPerDegree = 0.0; // sx
    double pixelsPerSecond = 0.0; // sy
};
WindStripScale windStripScale(const QVector<WindSample> &wind, double side, double period);

// Where the strip puts a wind direction (degrees, as in the wind file) at time t (seconds from
// the start): x = S / 2 + sx × (direction − C folded into −180 … 180), y = 15 + sy × (D − t).
// The wind indicator's time cursors (Line8 across the strip at the time, Line9 at the
// direction) follow the replay there.
QPointF windStripPoint(const RaceControl &race, const RaceData &data, double side, double time, double direction);

// The strip picture; empty samples give the box and caption only. background: the picture's
// colour (the chart's sea colour, like the wind indicator above it).
PageScene windStripScene(const RaceControl &race, const RaceData &data, double side, Colour background,
                         double fontScale = 1.0);
