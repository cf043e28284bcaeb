// The race extent of the viewer: the box over every sample within the playback period, widened
// by a fifth on each axis and made square in metres, with the scales of the 170-pixel overview
// map and of the main map. Also the overview position of a point and the wind-up turn that the
// overview, the chart and the compass share.
#pragma once

#include "viewerrace.h"

#include <QPointF>

constexpr int OverviewSize = 170;   // pixels, square
constexpr int OverviewCentre = 85;

struct ViewerExtent {
    // Bounds in minutes over the samples within the period (inclusive).
    double MaxLat = -20000.0, MinLat = 20000.0;
    double MaxLon = -20000.0, MinLon = 20000.0;
    double CentreLat = 0.0, CentreLon = 0.0; // means of the bounds
    double CosCentreLat = 1.0;               // cosine of the centre latitude
    // Ranges in minutes after the margin (× 1.2) and the square rule; never below MinRange.
    double LatRange = 0.0, LonRange = 0.0;
    double OverviewLatScale = 0.0, OverviewLonScale = 0.0; // overview pixels per minute
    double RaceLatScale = 0.0, RaceLonScale = 0.0;         // map pixels per minute
    // False when no sample lay within the period: the bounds are then those of the marks and
    // lines, or a point at 0° 0′ when the race has none.
    bool FromSamples = false;

    // The smallest latitude range: a race whose positions all lie at one point still gets a
    // box of 0.1′ (185 m), so every scale stays finite.
    static constexpr double MinRange = 0.1;

    // Sets the race scales for a main map of width × height pixels.
    void setMapSize(int width, int height);
};

ViewerExtent computeExtent(const ViewerRace &race, int mapWidth, int mapHeight);

// The vector (x, y) in screen directions turned for wind-up orientation: by a = −WD degrees,
// x' = x cos a − y sin a, y' = x sin a + y cos a.
QPointF turnForWindUp(QPointF v, double windDirection);

// Top-left corner of a boat's dot on the overview: (85 + x, 85 + y) with y = (centre latitude −
// latitude) × overview latitude scale and x = (longitude − centre longitude) × overview
// longitude scale, turned for wind up unless north up.
QPointF overviewPosition(const ViewerExtent &extent, double lat, double lon, bool northUp, double windDirection);
