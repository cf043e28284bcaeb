// A small race for the chart layer tests: a race area of one minute of latitude around
// 35° N 139° E on a 400-pixel chart, so that ScaleLat is 300 pixels per minute and the race
// centre is the chart centre (200, 200).
#pragma once

#include <chartlayers.h>
#include <mapview.h>
#include <racecontrol.h>
#include <racedata.h>

namespace fixture {

constexpr double CentreLat = 2100.0;
constexpr double CentreLon = 8340.0;
constexpr double ChartPixels = 400.0;
constexpr double LonFactor = 0.8;

inline RaceExtent extent()
{
    RaceExtent e;
    e.MinLat = CentreLat - 0.5;
    e.MaxLat = CentreLat + 0.5;
    e.MinLon = CentreLon - 0.5 / LonFactor;
    e.MaxLon = CentreLon + 0.5 / LonFactor;
    e.CentreLat = CentreLat;
    e.CentreLon = CentreLon;
    e.MetresPerLatMinute = 1850.0;
    e.MetresPerLonMinute = 1850.0 * LonFactor;
    e.LonFactor = LonFactor;
    e.Span = 1.0;
    return e;
}

// Minutes of latitude and longitude for a pixel offset from the centre on the north-up chart
// (300 pixels per minute of latitude, 240 per minute of longitude).
inline double latAt(double dyPixels) { return CentreLat - dyPixels / 300.0; }
inline double lonAt(double dxPixels) { return CentreLon + dxPixels / (300.0 * LonFactor); }

inline MapView view(double rotation = 0.0)
{
    MapView v;
    v.resetForRace(extent(), rotation, ChartPixels);
    return v;
}

// A straight track from (x0, y0) to (x1, y1) chart pixels, one point a second.
inline BoatTrack straightTrack(QPointF from, QPointF to, int points, double startTime = 0.0)
{
    BoatTrack t;
    for (int k = 0; k < points; ++k) {
        const double f = points > 1 ? double(k) / (points - 1) : 0.0;
        TrackPoint p;
        p.Time = startTime + k;
        p.Lat = latAt(from.y() - 200.0 + f * (to.y() - from.y()));
        p.Lon = lonAt(from.x() - 200.0 + f * (to.x() - from.x()));
        t.Points.append(p);
    }
    return t;
}

inline RaceControl race(int boats)
{
    RaceControl r;
    for (int i = 0; i < boats; ++i) {
        BoatEntry b;
        b.Name = QStringLiteral("Boat %1").arg(i + 1);
        r.Boats.append(b);
    }
    r.colourBoats();
    return r;
}

inline RaceData data(int boats)
{
    RaceData d;
    d.Extent = extent();
    d.Tracks.resize(boats);
    return d;
}

inline CoastPoint coast(double x, double y, bool startsLine)
{
    CoastPoint c;
    c.Lat = latAt(y - 200.0);
    c.Lon = lonAt(x - 200.0);
    c.startsLine = startsLine;
    return c;
}

} // namespace fixture
