// The chart projection of the viewer's main map: a position in minutes of arc to a pixel of the
// map picture and back. The frame sets it from the boats it follows (trackingframe.h), the
// manual view from the manual centre and zoom (manualview.h); the window keeps the last one to
// read the pointer's position, and the scene export takes the boats' positions with it.
//
//   y0 = (centre latitude − latitude) × LatScale,  x0 = (longitude − centre longitude) × LonScale
//   wind up: (x0, y0) turned by −WD degrees;  north up: unchanged
//   pixel  = (round(Width / 2 + x), round(Height / 2 + y))
#pragma once

#include <QPoint>
#include <QPointF>

struct LatLon {
    double Lat = 0.0; // minutes, north positive
    double Lon = 0.0; // minutes, east positive
};

struct ViewerProjection {
    double CentreLat = 0.0, CentreLon = 0.0; // minutes
    double LatScale = 0.0;                   // D: pixels per minute of latitude
    double LonScale = 0.0;                   // E: pixels per minute of longitude
    int Width = 0, Height = 0;               // the map picture, pixels
    bool NorthUp = true;
    double WindDirection = 0.0;              // WD, degrees: the top of a wind-up chart

    bool isValid() const { return LatScale > 0 && LonScale > 0; }

    // The turned offset (x, y) of a position from the centre, pixels, not rounded.
    QPointF offset(double lat, double lon) const;
    // The pixel of a position.
    QPoint toScreen(double lat, double lon) const;
    // The position under a pixel of the map (x, y may hold fractions): the inverse of toScreen.
    LatLon toLatLon(double x, double y) const;
    // A vector in screen directions turned as the chart is (wind up: by −WD).
    QPointF turned(QPointF v) const;
};

// The point at distance length from (x, y) in a screen direction of degrees (0 up, clockwise):
// (x + length sin d, y − length cos d).
QPointF screenPoint(QPointF from, double degrees, double length);
