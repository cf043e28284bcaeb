// The small geometry of the viewer's chart: the race-time text, the grid spacing, the boat size,
// the hull outline and sail, the lay lines and the clock. Plain functions that the frame, the
// manual view and the tests share.
#pragma once

#include "viewerscene.h"

#include <QPointF>
#include <QString>
#include <QVector>

#include <array>

// The race time as the frame writes it: up to 59 s the seconds alone ("25"); then "mm:ss"
// ("50:00" at 3000 s); beyond 3000 s hours first ("1:00:00" at 3600 s). The sign is not written:
// the colour tells before from after the start.
QString raceTimeText(double t);

// The race-time text of a frame on a map of width × height pixels: white on blue after the
// start, on red up to it; large (50 points) at the top middle from 30 s before to 20 s after the
// start, small (15 points) at the bottom right otherwise.
ViewerText raceTimeLabel(double t, int width, int height);

// The grid spacing in kilometres for a window height in pixels and a scale in pixels per
// kilometre: a quarter of the height in tenths of a kilometre, taken as it is up to 0.5 km and
// then stepped to 1, 2, 5 or whole tens; never below 0.1.
double gridSpacingKm(double heightPixels, double pixelsPerKm);
// The scale bar's text: "2Km", "500M".
QString gridSpacingText(double spacingKm);

// The boat symbol's length in pixels for a chart scale (pixels per minute of latitude) and a
// boat length in metres: the real size, made 14 pixels long when enlarged boats are asked for
// and it is shorter, never below 6.
struct BoatSize {
    int Pixels = 6;
    bool Enlarged = false;
    QString text() const; // "Size Enlarged" or "Real Size"
};
BoatSize boatSize(double latScale, double boatLengthMetres, bool enlarge);

// The nine outline points of a boat (hundredths of its length, bow towards −y; point 8 the mast
// foot): a keel boat above 3 m, a dinghy otherwise.
using HullOutline = std::array<QPointF, 9>;
const HullOutline &hullOutline(double boatLengthMetres);

// The outline points placed on the chart: scaled to size pixels, turned to the heading (degrees
// on the screen) and moved to the boat's pixel.
std::array<QPointF, 9> placeHull(const HullOutline &outline, int size, double heading, QPointF at);

// The sail of a boat of size pixels (none up to 8 pixels): a white quadrilateral from the mast
// foot along the apparent wind, from the true wind angle (degrees, −180 … 180), the boat speed
// (knots) and the direction of the boat on the screen (degrees).
QVector<QPointF> sailPoints(QPointF mastFoot, int size, double twa, double speed, double screenCourse);

// The direction the lay lines and the comparison line are measured from: the displayed wind
// direction north up, less WD wind up, brought into 0 … 360.
double referenceAngle(int displayedWind, bool northUp, int windDirection);

// The six dotted rays of 600 pixels of the lay lines at a point: the wind line both ways and
// both lay lines upwind and downwind, from the reference angle and the lay-line angles.
QVector<ViewerStroke> layLineRays(QPointF at, double reference, int layLineUp, int layLineDown);

// The clock at the bottom right of a picture of width × height, at time of day tau (seconds):
// the face (lighter by day, as the sea-colour position tells) and its three hands.
void addClock(ViewerScene &scene, double tau, int seaPosition, int width, int height);

// The top left corner of the red wind mark on the compass panel (size × size pixels) for the
// displayed wind direction, turned as the chart is.
QPointF windMarkPosition(int displayedWind, bool northUp, int windDirection, int compassSize);
