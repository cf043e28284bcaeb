// Hand-made races for the analysis tests: tracks drawn from waypoints, sampled every second
// and given distance, speed and course the way the race load derives them.
#pragma once

#include <racecontrol.h>
#include <racedata.h>
#include <raceextent.h>

#include <QList>

#include <cmath>

namespace fixture {

struct Waypoint {
    int time;   // s from the start; the track passes here at this second
    double lat; // minutes
    double lon; // minutes
};

// An extent where a minute of longitude is as long as one of latitude and a minute is a
// nautical mile, so distances on paper are the distances in the program.
inline RaceExtent plainExtent(double centreLat = 2000.0, double centreLon = 8000.0)
{
    RaceExtent e;
    e.MinLat = centreLat - 1;
    e.MaxLat = centreLat + 1;
    e.MinLon = centreLon - 1;
    e.MaxLon = centreLon + 1;
    e.CentreLat = centreLat;
    e.CentreLon = centreLon;
    e.MetresPerLatMinute = 1852.0;
    e.MetresPerLonMinute = 1852.0;
    e.LonFactor = 1.0;
    e.Span = 2.0;
    return e;
}

// Distance, speed and course per point, derived by the race load's own code.
inline void deriveTrack(BoatTrack &track, const RaceExtent &x)
{
    deriveTrackValues(track.Points, x);
}

// A track through the waypoints, one point every `step` seconds (and at every waypoint).
inline BoatTrack trackThrough(const QList<Waypoint> &w, const RaceExtent &x, int step = 1)
{
    BoatTrack t;
    for (int i = 0; i + 1 < w.size(); ++i) {
        for (int s = w[i].time; s < w[i + 1].time; s += step) {
            const double f = double(s - w[i].time) / (w[i + 1].time - w[i].time);
            t.Points.append({double(s), w[i].lat + f * (w[i + 1].lat - w[i].lat),
                             w[i].lon + f * (w[i + 1].lon - w[i].lon), 0, 0, 0});
        }
    }
    if (!w.isEmpty())
        t.Points.append({double(w.last().time), w.last().lat, w.last().lon, 0, 0, 0});
    deriveTrack(t, x);
    return t;
}

inline RaceControl raceWith(const QStringList &course, int boats, qint64 duration = 3600)
{
    RaceControl r;
    r.Course.Entries = course;
    for (int b = 1; b <= boats; ++b)
        r.Boats.append({QStringLiteral("boat%1.trk").arg(b), QStringLiteral("Boat %1").arg(b)});
    r.RaceDuration = duration;
    r.PreStartSeconds = 180;
    return r;
}

} // namespace fixture
