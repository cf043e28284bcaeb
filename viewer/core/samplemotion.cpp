#include "samplemotion.h"

#include <orderedparallel.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr double RadToDeg = 180.0 / 3.14159265358979323846;
constexpr double MetresPerMinute = 1852.0;
constexpr int MinSamples = 6;
constexpr double SpeedCeiling = 10.0; // knots: faster samples are taken for glitches when scaling

} // namespace

double stepCourse(double north, double east)
{
    if (north == 0.0)
        return east == 0.0 ? 0.0 : (east > 0.0 ? 90.0 : 270.0);
    double c = std::atan(east / north) * RadToDeg;
    if (north < 0.0)
        c += 180.0;
    if (c < 0.0)
        c += 360.0;
    if (c >= 360.0)
        c -= 360.0;
    return c;
}

namespace {

// One boat's samples; returns its largest speed below the ceiling (0 when none).
double deriveBoat(ViewerBoat &boat, double lonMetres)
{
    double maxSpeed = 0.0;
    QVector<ViewerSample> &s = boat.Samples;
    const int count = int(s.size());
    for (ViewerSample &sample : s) {
        sample.Speed = 0.0;
        sample.Course = 0;
    }
    if (count < MinSamples)
        return maxSpeed;
    // Straight length of each step j → j + 1 (0-based), metres.
    QVector<double> step(count, 0.0);
    for (int j = 0; j + 1 < count; ++j) {
        const double north = (s[j + 1].Lat - s[j].Lat) * MetresPerMinute;
        const double east = (s[j + 1].Lon - s[j].Lon) * lonMetres;
        step[j] = std::sqrt(north * north + east * east);
    }

    for (int j = 0; j + 1 < count; ++j) { // j is sample j + 1 of the texts
        const double north = (s[j + 1].Lat - s[j].Lat) * MetresPerMinute;
        const double east = (s[j + 1].Lon - s[j].Lon) * lonMetres;
        if (north == 0.0 && east == 0.0 && j > 0) {
            s[j].Course = s[j - 1].Course;
        } else {
            int course = viewerRound(stepCourse(north, east));
            s[j].Course = course >= 360 ? course - 360 : course;
        }

        const int lo = std::max(j - 1, 0), hi = std::min(j + 2, count - 1);
        double distance = 0.0;
        for (int k = lo; k < hi; ++k)
            distance += step[k];
        const double seconds = s[hi].Time - s[lo].Time;
        const double speed = seconds > 0 ? distance / seconds * 3.6 / 1.852 : 0.0;
        s[j].Speed = speed;
        if (speed > maxSpeed && speed < SpeedCeiling)
            maxSpeed = speed;
    }
    return maxSpeed;
}

} // namespace

double deriveSpeedsAndCourses(ViewerRace &race, double cosCentreLat, int threads)
{
    const double lonMetres = MetresPerMinute * cosCentreLat;
    const int count = race.boatCount();
    ViewerBoat *boats = race.Boats.data();
    std::vector<double> maxima(static_cast<size_t>(count), 0.0);
    platform::parallelFor(
        count, [&](int b) { maxima[size_t(b)] = deriveBoat(boats[b], lonMetres); }, threads);
    double maxSpeed = 0.0;
    for (double m : maxima)
        maxSpeed = std::max(maxSpeed, m);
    return maxSpeed;
}
