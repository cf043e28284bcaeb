// The boat symbol of the replay: a hull (a dinghy or a keel boat outline) pointing along the
// boat's heading on screen, a sail set to the side the wind comes over, and a red ring for a
// marked or hovered boat. Geometry only, in pixels of the S × S square the symbol is drawn in
// (origin at its top left, y downwards); the frame painter draws it.
//
// A point at angle a (degrees clockwise from up) and radius r is (S/2 + r sin a, S/2 − r cos a).
#pragma once

#include <QPointF>
#include <QVector>

struct BoatSymbolShape {
    double size = 0.0;        // S, pixels
    bool ring = false;        // red ring of radius S/2 − 1, three pixels wide
    QVector<QPointF> hull;    // filled in the boat colour
    QVector<QPointF> sail;    // filled white; empty when S ≤ 5 (too small to show one)
    QPointF mast;             // white dot of radius 1 when there is a sail
};

// Boats shorter than this (metres) are drawn as dinghies.
constexpr double DinghyLength = 3.0;

// The heading the symbol shows (degrees, not folded) at secondsToNext seconds before the
// next track point: the course of the segment, turning in the last second into the next
// segment's course the short way round.
double symbolHeading(double course, double nextCourse, double secondsToNext);

// size: S in pixels; heading: degrees true (symbolHeading); chartRotation: the chart's up
// direction; windDirection: the shown wind, degrees true (the sail goes to the side the wind
// comes over, the boom eased by 0.4 of the wind angle).
BoatSymbolShape boatSymbolShape(double size, double heading, double chartRotation, double windDirection,
                                bool dinghy, bool ring);
