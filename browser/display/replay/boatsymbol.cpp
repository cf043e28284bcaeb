#include "boatsymbol.h"

#include <numbers.h>

#include <cmath>

namespace {

constexpr double DegToRad = 3.14159265358979323846 / 180.0;

QPointF polar(double angleDegrees, double radius)
{
    const double a = angleDegrees * DegToRad;
    return {radius * std::sin(a), -radius * std::cos(a)};
}

} // namespace

double symbolHeading(double course, double nextCourse, double secondsToNext)
{
    if (secondsToNext < 1.0)
        return course + (1.0 - secondsToNext) * platform::foldAngle(nextCourse - course);
    return course;
}

BoatSymbolShape boatSymbolShape(double size, double heading, double chartRotation, double windDirection,
                                bool dinghy, bool ring)
{
    BoatSymbolShape s;
    s.size = size;
    s.ring = ring;
    const double S = size;
    const QPointF centre(S / 2.0, S / 2.0);
    const double theta = platform::foldAngle(heading - chartRotation);
    const double w = platform::foldAngle(heading - windDirection);
    const double side = w > 0 ? 1.0 : -1.0;
    const double boom = 0.4 * w;
    auto at = [&](double a, double r) { return centre + polar(theta + a, r); };

    if (dinghy) {
        s.hull = {at(10, S / 2), at(50, 0.3 * S), at(120, 0.3 * S), at(160, 0.5 * S),
                  at(-160, 0.5 * S), at(-120, 0.3 * S), at(-50, 0.3 * S), at(-10, S / 2)};
    } else {
        s.hull = {at(0, S / 2), at(60, 0.17 * S), at(120, 0.2 * S), at(165, 0.5 * S),
                  at(-165, 0.5 * S), at(-120, 0.2 * S), at(-60, 0.17 * S)};
    }
    if (S > 5) {
        const QPointF mast = at(0, dinghy ? 0.3 * S : 0.1 * S);
        const double back = theta + 180.0 + boom;
        s.mast = mast;
        s.sail = {mast, mast + polar(back, dinghy ? 0.8 * S : 0.6 * S),
                  mast + polar(back + 24.0 * side, dinghy ? 0.35 * S : 0.25 * S),
                  mast + polar(back + 45.0 * side, dinghy ? 0.15 * S : 0.1 * S)};
    }
    return s;
}
