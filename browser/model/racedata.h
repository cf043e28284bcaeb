// The loaded race: every boat's track on the race's time axis, the wind samples, the chart
// extent, the coast lines and the bounds of the replay. Built from scratch at every load;
// the display and analysis read it.
//
// Tracks[n − 1] belongs to boat number n of RaceControl::Boats. Points are in file order,
// no two consecutive ones with the same second. A boat whose file yields no point in the load
// window has an empty track; everything that reads tracks tolerates that.
#pragma once

#include <QList>
#include <QVector>

// Two fixes of a track more than this many seconds apart are a pause of the recording, not a
// leg sailed in a straight line between them: the passing scans hold the boat where the
// recording paused, and no time mark is put on the chart in between.
constexpr double MaxFixGapSeconds = 6 * 3600;

struct TrackPoint {
    double Time = 0.0;     // seconds from StartTime (whole seconds)
    double Lat = 0.0;      // minutes
    double Lon = 0.0;      // minutes
    double Distance = 0.0; // nautical miles sailed from the first point; 0 for the first
    double Speed = 0.0;    // knots over the segment to the next point; 0 for the last
    double Course = 0.0;   // degrees true over the segment to the next point, 0 ≤ c < 360; 0 for the last
};

struct BoatTrack {
    QVector<TrackPoint> Points;
    int PointCount() const { return int(Points.size()); }
    bool isEmpty() const { return Points.isEmpty(); }
};

struct WindSample {
    double Time = 0.0;      // seconds from StartTime
    double Speed = 0.0;     // knots, as in the file
    double Direction = 0.0; // degrees magnetic, as in the file
};

// Bounds of all loaded points whose latitude and longitude are both non-zero, and the local
// scale at their centre.
struct RaceExtent {
    double MaxLat = -200000.0, MinLat = 200000.0; // minutes
    double MaxLon = -200000.0, MinLon = 200000.0; // minutes
    double CentreLat = 0.0, CentreLon = 0.0;      // minutes
    double DegToRad = 0.017453292519943295;
    double MetresPerLatMinute = 1852.0;
    double MetresPerLonMinute = 1852.0;
    double LonFactor = 1.0; // MetresPerLonMinute / MetresPerLatMinute
    double Span = 0.1;      // latitude minutes, at least 0.1

    // True once a point has widened the bounds.
    bool hasPoints() const { return MaxLat >= MinLat && MaxLon >= MinLon; }
};

// One point of a coast line in WGS 84 minutes. The first point of each line says so, instead
// of the negated latitude the coast files use, so that southern coasts work.
struct CoastPoint {
    double Lat = 0.0;
    double Lon = 0.0;
    bool startsLine = false;
};

struct RaceData {
    QVector<BoatTrack> Tracks;  // Tracks[n − 1] is boat number n
    QVector<WindSample> Wind;   // in file order, inside the load window
    RaceExtent Extent;
    QVector<CoastPoint> Coast;

    double TimeBarSpan = 0.0;     // RaceDuration + PreStartSeconds + 60, seconds
    double ReplayStart = 0.0;     // −(PreStartSeconds + 30), seconds
    double ReplayEnd = 0.0;       // RaceDuration, seconds
    double LatestTrackEnd = 0.0;  // largest last-point Time over all boats, seconds (at least 0)
    double SpeedBarScale = 0.0;   // pixels per knot of the boat list's speed bars

    bool hasWind() const { return !Wind.isEmpty(); }
};
