// The chart extent of a loaded race and the values derived per track point: sailed distance,
// speed and course per segment, and the reference speed of the boat list's speed bars.
// Used by the race load; the chart view and the analysis read the results.
#pragma once

#include <racedata.h>

#include <QVector>

// Widens the bounds by every point whose latitude and longitude are both non-zero, then sets
// the centre, the local scale (GetCodeLength), LonFactor and Span (at least 0.1 latitude
// minutes). Bounds that no point has widened leave centre 0 and Span 0.1.
void widenExtent(RaceExtent &extent, const QVector<TrackPoint> &points);
// Widens the bounds by those of another extent (one widened by other points), then sets the
// derived values as above: widening by each track's own extent in turn, in any order, gives
// the extent widening by all their points gives.
void widenExtent(RaceExtent &extent, const RaceExtent &by);

// MetresPerLatMinute and MetresPerLonMinute at extent.CentreLat on the ellipsoid
// a = 6378136 m, f = 1 / 298.257222101 (about 1846.3 m per minute of latitude at 35° N).
void GetCodeLength(RaceExtent &extent);

// Distance (nautical miles from the first point), Speed (knots) and Course (degrees true,
// 0 ≤ c < 360) of every point, per segment to the next point, without smoothing. The last
// point keeps Speed and Course 0; a segment whose time does not increase has Speed 0.
void deriveTrackValues(QVector<TrackPoint> &points, const RaceExtent &extent);

// Average speed in knots over the first half of the race, from the segment holding the start
// to the one holding (raceDuration − 120) / 2 s. 0 when that is not positive (no track after
// the start, a race of 120 s or less).
double referenceSpeed(const QVector<TrackPoint> &points, double raceDurationSeconds);

// The reference a speed bar scale falls back on when boat 1 gives none, knots.
constexpr double FallbackReferenceSpeed = 5.0;
// Speed bar length per knot: 70 / (1.6 × reference), so a boat at 1.6 times the reference
// fills 70 units. A reference that is not positive counts as FallbackReferenceSpeed.
double speedBarScale(double referenceSpeedKnots);
