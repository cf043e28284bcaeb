#include "raceextent.h"

#include <cmath>

void GetCodeLength(RaceExtent &extent)
{
    const double a = 6378136.0;
    const double f = 1.0 / 298.257222101;
    const double e2 = 2.0 * f - f * f;
    extent.DegToRad = 4.0 * std::atan(1.0) / 180.0;
    const double phi = extent.CentreLat / 60.0 * extent.DegToRad;
    const double s = std::sin(phi);
    const double w = 1.0 - e2 * s * s;
    extent.MetresPerLatMinute = (extent.DegToRad / 60.0) * a / std::pow(w, 1.5) * (1.0 - e2) * 0.99854;
    extent.MetresPerLonMinute = (extent.DegToRad / 60.0) * a / std::sqrt(w) * std::cos(phi) * 0.99794;
}

// Centre, local scale and span of the bounds as they stand.
static void settleExtent(RaceExtent &extent)
{
    extent.CentreLat = (extent.MaxLat + extent.MinLat) / 2.0;
    extent.CentreLon = (extent.MaxLon + extent.MinLon) / 2.0;
    GetCodeLength(extent);
    extent.LonFactor = extent.MetresPerLonMinute / extent.MetresPerLatMinute;
    extent.Span = extent.MaxLat - extent.MinLat;
    const double lonSpan = extent.LonFactor * (extent.MaxLon - extent.MinLon);
    if (lonSpan > extent.Span)
        extent.Span = lonSpan;
    if (extent.Span < 0.1)
        extent.Span = 0.1;
}

void widenExtent(RaceExtent &extent, const QVector<TrackPoint> &points)
{
    for (const TrackPoint &p : points) {
        // A fix at exactly 0 / 0 is a receiver without a position, not a place.
        if (p.Lat == 0.0 || p.Lon == 0.0)
            continue;
        extent.MaxLat = std::max(extent.MaxLat, p.Lat);
        extent.MinLat = std::min(extent.MinLat, p.Lat);
        extent.MaxLon = std::max(extent.MaxLon, p.Lon);
        extent.MinLon = std::min(extent.MinLon, p.Lon);
    }
    settleExtent(extent);
}

void widenExtent(RaceExtent &extent, const RaceExtent &by)
{
    extent.MaxLat = std::max(extent.MaxLat, by.MaxLat);
    extent.MinLat = std::min(extent.MinLat, by.MinLat);
    extent.MaxLon = std::max(extent.MaxLon, by.MaxLon);
    extent.MinLon = std::min(extent.MinLon, by.MinLon);
    settleExtent(extent);
}

void deriveTrackValues(QVector<TrackPoint> &points, const RaceExtent &extent)
{
    const qsizetype n = points.size();
    if (n == 0)
        return;
    const double radToDeg = 1.0 / extent.DegToRad;
    const double milesPerLatMinute = extent.MetresPerLatMinute / 1852.0;
    TrackPoint *p = points.data();
    p[0].Distance = 0.0;
    for (qsizetype k = 0; k + 1 < n; ++k) {
        const double dLat = p[k + 1].Lat - p[k].Lat;
        const double dLon = extent.LonFactor * (p[k + 1].Lon - p[k].Lon);
        const double length = std::sqrt(dLat * dLat + dLon * dLon) * milesPerLatMinute;
        p[k + 1].Distance = p[k].Distance + length;
        double course;
        if (dLat == 0.0) {
            course = dLon >= 0.0 ? 90.0 : 270.0;
        } else {
            course = std::atan(dLon / dLat) * radToDeg;
            if (course < 0.0)
                course += 360.0;
            if (dLat < 0.0)
                course += 180.0;
        }
        if (course >= 360.0)
            course -= 360.0;
        p[k].Course = course;
        const double dt = p[k + 1].Time - p[k].Time;
        p[k].Speed = dt > 0.0 ? 3600.0 * length / dt : 0.0;
    }
    p[n - 1].Speed = 0.0;
    p[n - 1].Course = 0.0;
}

// Index of the segment (k, k + 1) with Time(k) ≤ t < Time(k + 1), or −1.
static qsizetype segmentHolding(const QVector<TrackPoint> &points, double t)
{
    for (qsizetype k = 0; k + 1 < points.size(); ++k)
        if (points[k].Time <= t && t < points[k + 1].Time)
            return k;
    return -1;
}

double referenceSpeed(const QVector<TrackPoint> &points, double raceDurationSeconds)
{
    const double half = (raceDurationSeconds - 120.0) / 2.0;
    if (!(half > 0.0))
        return 0.0;
    const qsizetype k0 = segmentHolding(points, 0.0);
    const qsizetype k1 = segmentHolding(points, half);
    const double d0 = k0 < 0 ? 0.0 : points[k0].Distance;
    const double d1 = k1 < 0 ? 0.0 : points[k1].Distance;
    const double speed = 3600.0 * (d1 - d0) / half;
    // A track that ends before the half-way time finds no second segment and would give a
    // negative speed; it gives none instead.
    return std::isfinite(speed) && speed > 0.0 ? speed : 0.0;
}

double speedBarScale(double referenceSpeedKnots)
{
    const double reference = referenceSpeedKnots > 0.0 && std::isfinite(referenceSpeedKnots)
                                 ? referenceSpeedKnots
                                 : FallbackReferenceSpeed;
    return 70.0 / (1.6 * reference);
}
