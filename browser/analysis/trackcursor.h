// Positions and sailed distances of one boat between its track points, for the scans of the
// analysis that step through a race one second at a time.
//
// A cursor keeps the index of the point pair found for the previous time (the "search start"),
// so a scan that moves forward in time costs one step per second plus one per track point,
// never a search from the first point. Tracks whose times rise throughout (the usual case) are
// searched by bisection when the time jumps; a track with fixes out of time order is searched
// forward from the search start, point by point, which finds the same pair the first-match
// rule names.
//
// Index convention: 0-based point indices (point number n is index n − 1).
#pragma once

#include <racedata.h>

#include <QVector>

#include <limits>
#include <optional>

struct TrackPosition {
    double Lat = 0.0; // minutes
    double Lon = 0.0; // minutes
};

class TrackCursor
{
public:
    explicit TrackCursor(const BoatTrack &track);

    // Back to the first point pair (the start of a new scan).
    void restart() { m_start = 0; }
    int searchStart() const { return m_start; }
    // Moves the search start to pair k, as TrackPositionAt does when it finds k.
    void moveTo(int k) { m_start = k; }

    // The index k ≥ from of the first pair with Time[k] ≤ t < Time[k + 1], or −1 when no pair
    // from there brackets t (t before the first point, at or after the last, or a track of
    // fewer than two points).
    int findPair(double t, int from) const;

    // Interpolated position at t (seconds from the start), searching from the search start;
    // on success the search start moves to the pair found. Nothing when no pair brackets t.
    std::optional<TrackPosition> TrackPositionAt(double t);
    // The same without moving the search start, searching from index `from` (clamped to 0).
    std::optional<TrackPosition> peekPositionAt(double t, int from) const;
    // The position on pair k (Time[k] ≤ t < Time[k + 1]) at t.
    TrackPosition positionOnPair(int k, double t) const;

    // The earliest time after t at which a search from the search start can next find a pair:
    // the smallest Time[k] > t of the pairs k from the search start whose times rise; infinity
    // when there is none. Until then every search from the search start finds what it finds
    // at t, or a pair that already brackets t.
    double nextPairStart(double t) const;

    // Interpolated sailed distance (nautical miles) at t, searched from the first point. Before
    // the first point it lies on the straight line through (0 s, 0 nm) and the first point,
    // which is 0 because the first point's distance is 0; at or after the last point it is the
    // last point's distance (the boat has stopped recording, not gone back to its start).
    double TrackDistanceAt(double t) const;

    const BoatTrack &track() const { return *m_track; }

private:
    const BoatTrack *m_track;
    int m_start = 0;
    bool m_rising = true;
    double m_earliest = 0.0, m_latest = 0.0; // no pair brackets a time outside [earliest, latest)
    // Tracks out of time order only: the latest time of the points from index i on, and the
    // earliest, so that a search that can find nothing ends at once.
    QVector<double> m_latestFrom, m_earliestFrom;
};

constexpr double NoTime = std::numeric_limits<double>::infinity();

// Sailed distance of a track at t (nautical miles), as TrackCursor::TrackDistanceAt.
inline double TrackDistanceAt(const BoatTrack &track, double t)
{
    return TrackCursor(track).TrackDistanceAt(t);
}
