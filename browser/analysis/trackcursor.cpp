#include "trackcursor.h"

#include <algorithm>

TrackCursor::TrackCursor(const BoatTrack &track) : m_track(&track)
{
    const auto &p = track.Points;
    if (!p.isEmpty())
        m_earliest = m_latest = p.first().Time;
    for (int k = 1; k < p.size(); ++k) {
        if (!(p[k].Time > p[k - 1].Time))
            m_rising = false;
        m_earliest = std::min(m_earliest, p[k].Time);
        m_latest = std::max(m_latest, p[k].Time);
    }
    if (!m_rising) {
        const int n = int(p.size());
        m_latestFrom.resize(n);
        m_earliestFrom.resize(n);
        for (int k = n - 1; k >= 0; --k) {
            m_latestFrom[k] = k + 1 < n ? std::max(p[k].Time, m_latestFrom[k + 1]) : p[k].Time;
            m_earliestFrom[k] = k + 1 < n ? std::min(p[k].Time, m_earliestFrom[k + 1]) : p[k].Time;
        }
    }
}

int TrackCursor::findPair(double t, int from) const
{
    const auto &p = m_track->Points;
    const int last = int(p.size()) - 2; // highest k that has a k + 1
    if (from < 0)
        from = 0;
    if (from > last)
        return -1;
    if (m_rising) {
        // The pair found last time, or the next one, is the usual answer of a forward scan.
        for (int k = from; k <= std::min(from + 1, last); ++k)
            if (p[k].Time <= t && t < p[k + 1].Time)
                return k;
        if (t < p[from].Time || t >= p[last + 1].Time)
            return -1;
        const auto it = std::upper_bound(p.begin() + from, p.begin() + last + 2, t,
                                         [](double v, const TrackPoint &q) { return v < q.Time; });
        return int(it - p.begin()) - 1;
    }
    // Out of time order the pair is searched point by point. A pair from `from` on brackets t
    // only when a point from there lies at or before t and a later one after it, so a time
    // outside every fix left needs no search (the seconds before or after a track would
    // otherwise each cost a full pass).
    if (t < m_earliestFrom[from] || t >= m_latestFrom[from + 1])
        return -1;
    for (int k = from; k <= last; ++k)
        if (p[k].Time <= t && t < p[k + 1].Time)
            return k;
    return -1;
}

TrackPosition TrackCursor::positionOnPair(int k, double t) const
{
    const auto &a = m_track->Points[k];
    const auto &b = m_track->Points[k + 1];
    const double f = (t - a.Time) / (b.Time - a.Time);
    return TrackPosition{a.Lat + f * (b.Lat - a.Lat), a.Lon + f * (b.Lon - a.Lon)};
}

std::optional<TrackPosition> TrackCursor::peekPositionAt(double t, int from) const
{
    const int k = findPair(t, from);
    if (k < 0)
        return std::nullopt;
    return positionOnPair(k, t);
}

double TrackCursor::nextPairStart(double t) const
{
    const auto &p = m_track->Points;
    const int last = int(p.size()) - 2;
    if (m_start > last)
        return NoTime;
    if (m_rising) {
        const auto it = std::upper_bound(p.begin() + m_start, p.begin() + last + 1, t,
                                         [](double v, const TrackPoint &q) { return v < q.Time; });
        return it == p.begin() + last + 1 ? NoTime : it->Time;
    }
    double next = NoTime;
    for (int k = m_start; k <= last; ++k) {
        if (p[k].Time > t && p[k].Time < p[k + 1].Time)
            next = std::min(next, p[k].Time);
    }
    return next;
}

std::optional<TrackPosition> TrackCursor::TrackPositionAt(double t)
{
    const int k = findPair(t, m_start);
    if (k < 0)
        return std::nullopt;
    m_start = k;
    return peekPositionAt(t, k);
}

double TrackCursor::TrackDistanceAt(double t) const
{
    const auto &p = m_track->Points;
    if (p.isEmpty())
        return 0.0;
    const int k = findPair(t, 0);
    if (k >= 0) {
        const auto &a = p[k];
        const auto &b = p[k + 1];
        return a.Distance + (t - a.Time) / (b.Time - a.Time) * (b.Distance - a.Distance);
    }
    if (t >= p.last().Time)
        return p.last().Distance;
    // The line through (0 s, 0 nm) and the first point.
    if (p.first().Time == 0.0)
        return p.first().Distance;
    return t * p.first().Distance / p.first().Time;
}
