#include "legstats.h"

#include "trackcursor.h"

#include <cmath>

namespace {

// One course entry as the scans see it.
struct Entry {
    bool usable = false; // names an existing mark or line
    bool isLine = false;
    double lat = 0.0, lon = 0.0; // the mark, or the line's first end
    RaceLine line;
    double lineLength = 0.0;     // minutes of latitude
    double lineRotation = 0.0;   // radians: minus the line's bearing
};

double planeDistance(double lat1, double lon1, double lat2, double lon2, double lonFactor)
{
    const double dN = lat1 - lat2;
    const double dE = lonFactor * (lon1 - lon2);
    return std::sqrt(dN * dN + dE * dE);
}

// The circle a scan acts in: a second at which the boat is outside it changes nothing.
struct ScanCircle {
    double lat = 0.0, lon = 0.0; // minutes
    double radius = 0.0;         // latitude minutes
};

// The seconds at the beginning of a scan during which the boat is still within the mark
// circle of the mark it passed last.
struct LeaveFirst {
    bool active = false;
    double lat = 0.0, lon = 0.0, lonFactor = 1.0;

    bool stillInside(const TrackPosition &p)
    {
        if (active && planeDistance(p.Lat, p.Lon, lat, lon, lonFactor) < LegStats::MarkReach)
            return true;
        active = false;
        return false;
    }
};

// The boat's position second by second during one scan, and the seconds the scan can pass
// over without changing its outcome.
//
// Positions: a second with no point pair around it keeps the position of the previous second;
// before the scan has found any position, a second past the end of the track takes the last
// point (the boat stays where its recording ended) and a second before the track begins is
// skipped. Two fixes more than LegStats::MaxFixGap apart are a pause of the recording, not a
// leg sailed: the seconds between them count as having no pair, so the boat is held where
// the recording paused until it resumes.
//
// Passing over seconds (next()): every test of a scan needs the boat within the scan's circle;
// only the line test also looks one second ahead. So the scan may pass over
//   - the seconds a point pair takes the boat along a straight piece that stays outside the
//     circle (the last second of the pair is looked at, so that a held position is right);
//   - the seconds while the boat is held, once three of them have been looked at: a position
//     that does not move changes no test after that (up to the second before the recording
//     resumes, which the line test needs);
//   - the seconds before the track begins.
// The outcome is that of looking at every second; the work grows with the fixes and the
// seconds spent within the circles, not with the length of the window.
class ScanPosition
{
public:
    ScanPosition(TrackCursor &cursor, double lonFactor, bool everySecond)
        : m_cursor(cursor), m_lonFactor(lonFactor), m_everySecond(everySecond)
    {
        m_cursor.restart();
    }

    bool at(double t)
    {
        const auto &pts = m_cursor.track().Points;
        const int k = m_cursor.findPair(t, m_cursor.searchStart());
        if (k >= 0 && !isPause(k)) {
            m_cursor.moveTo(k);
            m_position = m_cursor.positionOnPair(k, t);
            m_have = true;
            m_state = OnPair;
            m_pair = k;
            m_pairEnd = pts[k + 1].Time;
            m_heldSeconds = 0;
            return true;
        }
        m_pauseEnd = k >= 0 ? pts[k + 1].Time : NoTime;
        if (!m_have) {
            if (pts.isEmpty() || t < pts.last().Time) {
                m_state = NoPosition;
                return false;
            }
            m_position = {pts.last().Lat, pts.last().Lon};
            m_have = true;
            m_heldSeconds = 0;
        }
        m_state = Held;
        ++m_heldSeconds;
        return true;
    }
    const TrackPosition &position() const { return m_position; }

    // The position one second after t for the line test, from one pair before the search
    // start; nothing when no pair brackets it or the recording pauses there.
    std::optional<TrackPosition> peekNext(double t) const
    {
        const int k = m_cursor.findPair(t + 1, m_cursor.searchStart() - 1);
        if (k < 0 || isPause(k))
            return std::nullopt;
        return m_cursor.positionOnPair(k, t + 1);
    }

    // The next second after t (the second at() was last asked about) whose test can change the
    // outcome of a scan that acts within circle; leave is the scan's leave-first state.
    double next(double t, const ScanCircle &circle, const LeaveFirst &leave) const
    {
        // Fixes a second or two apart leave nothing to pass over within their pair.
        if (m_everySecond || (m_state == OnPair && m_pairEnd - t <= 2))
            return t + 1;
        const auto &pts = m_cursor.track().Points;
        switch (m_state) {
        case NoPosition:
            // Nothing until a pair may bracket a second, or the track's end gives the last point.
            return std::max(t + 1, firstSecondFrom(t, std::min({m_cursor.nextPairStart(t), m_pauseEnd,
                                                                 pts.last().Time})));
        case Held:
            if (m_heldSeconds < 3)
                return t + 1;
            return std::max(t + 1, firstSecondFrom(t, std::min(m_cursor.nextPairStart(t), m_pauseEnd)) - 1);
        case OnPair:
            break;
        }
        const TrackPoint &end = pts[m_pair + 1];
        const double lastOnPair = firstSecondFrom(t, end.Time) - 1;
        if (lastOnPair <= t + 1)
            return t + 1;
        // While the boat is still within the circle of the mark passed last, nothing is tested;
        // the whole rest of the pair lies within it when its end does.
        if (leave.active) {
            const bool endInside =
                planeDistance(end.Lat, end.Lon, leave.lat, leave.lon, m_lonFactor) < LegStats::MarkReach * (1 - 1e-9);
            return endInside ? lastOnPair : t + 1;
        }
        // Where along the straight piece from here to the pair's end the boat first comes
        // within the circle, taken a little wide; the second before that is looked at.
        const double radius = circle.radius * (1 + 1e-9) + 1e-12;
        const double wN = m_position.Lat - circle.lat, wE = m_lonFactor * (m_position.Lon - circle.lon);
        const double dN = end.Lat - m_position.Lat, dE = m_lonFactor * (end.Lon - m_position.Lon);
        const double c = wN * wN + wE * wE - radius * radius;
        if (!(c > 0))
            return t + 1;
        const double a = dN * dN + dE * dE;
        const double b = 2 * (wN * dN + wE * dE);
        const double disc = b * b - 4 * a * c;
        if (a == 0 || disc < 0 || b >= 0)
            return lastOnPair; // it never comes nearer than here, or never near enough
        const double s = (-b - std::sqrt(disc)) / (2 * a);
        if (!(s <= 1))
            return lastOnPair;
        const double enters = t + s * (end.Time - t);
        return std::clamp(t + std::floor(enters - t) - 1, t + 1, lastOnPair);
    }

private:
    enum State { NoPosition, OnPair, Held };

    bool isPause(int k) const
    {
        const auto &pts = m_cursor.track().Points;
        return pts[k + 1].Time - pts[k].Time > LegStats::MaxFixGap;
    }
    // The first second of the scan (t plus whole seconds) at or after x.
    static double firstSecondFrom(double t, double x) { return std::isfinite(x) ? t + std::ceil(x - t) : NoTime; }

    TrackCursor &m_cursor;
    double m_lonFactor;
    bool m_everySecond;
    TrackPosition m_position;
    bool m_have = false;
    State m_state = NoPosition;
    int m_pair = -1;
    double m_pairEnd = 0.0; // Time of the pair's second point
    int m_heldSeconds = 0;      // seconds in a row at the held position
    double m_pauseEnd = NoTime; // when held in a pause of the recording: when it resumes
};

// Where the scan of entry e (> 0) begins: at the passing of the entry before. When that entry
// was not detected, one second after the latest entry before it that was (never before the
// start), and `after` names that entry; so a boat whose recording stopped early is not
// credited with later marks by passings it had already made.
double windowStart(const QVector<double> &rt, int e, int *after)
{
    *after = -1;
    if (rt[e - 1] != 0)
        return rt[e - 1];
    for (int k = e - 2; k >= 0; --k) {
        if (rt[k] != 0) {
            *after = k;
            return std::max(0.0, rt[k] + 1);
        }
    }
    return 0.0;
}

} // namespace

double LegStats::bearing(double dN, double dE, double degToRad)
{
    if (dN == 0)
        return dE >= 0 ? 90.0 : 270.0;
    double b = std::atan(dE / dN) / degToRad;
    if (dN < 0)
        b += 180;
    if (b < 0)
        b += 360;
    if (b >= 360)
        b -= 360;
    return b;
}

double LegStats::normalise(double degrees)
{
    if (degrees < -180)
        degrees += 360;
    if (degrees > 180)
        degrees -= 360;
    return degrees;
}

double LegStats::outerBisector(double incoming, double outgoing)
{
    double back = incoming + 180;
    if (back > 360)
        back -= 360;
    const double d = normalise(outgoing - back);
    double bis = back + d / 2 + 180;
    if (bis > 360)
        bis -= 360;
    return bis;
}

void LegStats::ComputeRoundingTimes(const RaceControl &race, const RaceData &data)
{
    const int boats = race.boatCount();
    const int entries = race.Course.Count();
    RoundingTime = QVector<QVector<double>>(boats, QVector<double>(entries, 0.0));
    RoundingDistance = RoundingTime;
    LeaderTime = QVector<double>(entries, NoLeader);
    const int n = analysedCount();
    Valid = false;

    const RaceExtent &x = data.Extent;
    const double lonFactor = x.LonFactor;
    const double degToRad = x.DegToRad;

    QVector<Entry> entry(n);
    PointLat = PointLon = LegBearing = OuterBisector = QVector<double>(n, 0.0);
    for (int e = 0; e < n; ++e) {
        const CourseEntry ce = CourseEntry::parse(race.Course.Entries[e]);
        Entry &en = entry[e];
        if (ce.kind == CourseEntry::Line && ce.number <= race.lineCount()) {
            en.usable = en.isLine = true;
            en.line = race.Lines[ce.number - 1];
            en.lat = en.line.Lat1;
            en.lon = en.line.Lon1;
            en.lineLength = planeDistance(en.line.Lat1, en.line.Lon1, en.line.Lat2, en.line.Lon2, lonFactor);
            en.lineRotation = -bearing(en.line.Lat2 - en.line.Lat1,
                                       (en.line.Lon2 - en.line.Lon1) * lonFactor, degToRad) * degToRad;
        } else if (ce.kind == CourseEntry::Mark && ce.number <= race.markCount()) {
            en.usable = true;
            en.lat = race.Marks[ce.number - 1].Lat;
            en.lon = race.Marks[ce.number - 1].Lon;
        }
        PointLat[e] = en.lat;
        PointLon[e] = en.lon;
    }
    for (int e = 0; e + 1 < n; ++e) {
        if (entry[e].usable && entry[e + 1].usable)
            LegBearing[e] = bearing(entry[e + 1].lat - entry[e].lat,
                                    lonFactor * (entry[e + 1].lon - entry[e].lon), degToRad);
    }
    for (int e = 1; e + 1 < n; ++e) {
        if (entry[e - 1].usable && entry[e].usable && entry[e + 1].usable)
            OuterBisector[e] = outerBisector(LegBearing[e - 1], LegBearing[e]);
    }

    const double scanEnd = double(race.RaceDuration) + race.PreStartSeconds + 60;
    const BoatTrack none;

    for (int b = 0; b < boats; ++b) {
        const BoatTrack &track = b < data.Tracks.size() ? data.Tracks[b] : none;
        if (track.isEmpty())
            continue;
        TrackCursor cursor(track);
        QVector<double> &rt = RoundingTime[b];

        for (int e = 0; e < n; ++e) {
            const Entry &en = entry[e];
            if (!en.usable)
                continue;
            int after = -1;
            const double begin = e == 0 ? StartWindowBegin : windowStart(rt, e, &after);
            const double end = e == 0 ? StartWindowEnd : scanEnd;
            // After an entry that was not detected, each scan waits until the boat has left
            // the circle of the mark it passed last, or it would take the same mark again.
            LeaveFirst leaveFirst;
            if (after >= 0 && !entry[after].isLine)
                leaveFirst = {true, entry[after].lat, entry[after].lon, lonFactor};

            if (en.isLine) {
                const double ca = std::cos(en.lineRotation), sa = std::sin(en.lineRotation);
                auto across = [&](const TrackPosition &p) {
                    return ca * (p.Lon - en.lon) * lonFactor + sa * (p.Lat - en.lat);
                };
                auto along = [&](const TrackPosition &p) {
                    return ca * (p.Lat - en.lat) - sa * (p.Lon - en.lon) * lonFactor;
                };
                ScanPosition pos(cursor, lonFactor, LookAtEverySecond);
                LeaveFirst leave = leaveFirst;
                const ScanCircle circle{en.lat, en.lon, LineReach};
                for (double t = begin; t <= end; t = pos.next(t, circle, leave)) {
                    if (!pos.at(t))
                        continue;
                    const TrackPosition P = pos.position();
                    if (leave.stillInside(P))
                        continue;
                    if (!(planeDistance(P.Lat, P.Lon, en.lat, en.lon, lonFactor) < LineReach))
                        continue;
                    const auto Q = pos.peekNext(t);
                    if (!Q)
                        continue;
                    const double aP = across(P), aQ = across(*Q);
                    if (aP * aQ > 0 || aP == aQ)
                        continue;
                    const double s = along(P) - aP * (along(*Q) - along(P)) / (aQ - aP);
                    if (s < 0 || s > en.lineLength)
                        continue;
                    rt[e] = t;
                    // The start keeps the last crossing inside its window: a boat that dipped
                    // back behind the line starts when it crosses again.
                    if (e > 0)
                        break;
                }
                continue;
            }

            {
                ScanPosition pos(cursor, lonFactor, LookAtEverySecond);
                LeaveFirst leave = leaveFirst;
                const ScanCircle circle{en.lat, en.lon, MarkReach};
                double previous = 500; // 360 or more: no angle seen yet
                for (double t = begin; t <= end; t = pos.next(t, circle, leave)) {
                    if (!pos.at(t))
                        continue;
                    const TrackPosition P = pos.position();
                    if (leave.stillInside(P))
                        continue;
                    if (!(planeDistance(P.Lat, P.Lon, en.lat, en.lon, lonFactor) < MarkReach))
                        continue;
                    const double bm = bearing(P.Lat - en.lat, lonFactor * (P.Lon - en.lon), degToRad);
                    const double diff = normalise(OuterBisector[e] - bm);
                    if (std::fabs(diff) < 150 && previous < 360 && diff * previous <= 0) {
                        rt[e] = t;
                        break;
                    }
                    previous = diff;
                }
            }
            if (rt[e] != 0)
                continue;
            // The boat came near the mark without crossing its bisector: take the second its
            // distance stopped decreasing.
            ScanPosition pos(cursor, lonFactor, LookAtEverySecond);
            LeaveFirst leave = leaveFirst;
            const ScanCircle circle{en.lat, en.lon, MarkReach};
            double nearest = 5000;
            for (double t = begin; t <= end; t = pos.next(t, circle, leave)) {
                if (!pos.at(t))
                    continue;
                const TrackPosition P = pos.position();
                if (leave.stillInside(P))
                    continue;
                const double D = planeDistance(P.Lat, P.Lon, en.lat, en.lon, lonFactor);
                if (!(D < MarkReach))
                    continue;
                if (D < nearest) {
                    nearest = D;
                } else if (e == 0 || t > begin + 1) {
                    rt[e] = t;
                    break;
                }
            }
        }
    }

    // Closest approach for marks still missing, between the neighbouring passings.
    for (int b = 0; b < boats; ++b) {
        const BoatTrack &track = b < data.Tracks.size() ? data.Tracks[b] : none;
        if (track.isEmpty())
            continue;
        TrackCursor cursor(track);
        QVector<double> &rt = RoundingTime[b];
        for (int e = 0; e + 1 < n; ++e) {
            const Entry &en = entry[e];
            if (rt[e] != 0 || !en.usable || en.isLine)
                continue;
            // The window starts as the main scan's does: a mark passed before the one left out
            // is not taken again while the boat is still at it.
            int after = -1;
            const double begin = e == 0 ? StartWindowBegin : rt[e - 1] != 0 ? rt[e - 1] + 1 : windowStart(rt, e, &after);
            const double end = e == 0 ? rt[1] : rt[e + 1] - 1;
            LeaveFirst leave;
            if (after >= 0 && !entry[after].isLine)
                leave = {true, entry[after].lat, entry[after].lon, lonFactor};
            ScanPosition pos(cursor, lonFactor, LookAtEverySecond);
            const ScanCircle circle{en.lat, en.lon, CloseReach};
            double best = 1000;
            for (double t = begin; t <= end; t = pos.next(t, circle, leave)) {
                if (!pos.at(t))
                    continue;
                const TrackPosition P = pos.position();
                if (leave.stillInside(P))
                    continue;
                const double D = planeDistance(P.Lat, P.Lon, en.lat, en.lon, lonFactor);
                if (D < CloseReach && D < best) {
                    best = D;
                    rt[e] = t;
                }
            }
        }
    }

    computeLeaderTimes();
}

void LegStats::computeLeaderTimes()
{
    for (int e = 0; e < LeaderTime.size(); ++e) {
        double leader = NoLeader;
        for (const QVector<double> &row : std::as_const(RoundingTime)) {
            const double t = e < row.size() ? row[e] : 0.0;
            if (t > 0 && (e == 0 || t > LeaderTime[e - 1]) && t < leader)
                leader = t;
        }
        LeaderTime[e] = leader;
    }
}

void LegStats::ComputeRoundingDistances(const RaceData &data)
{
    const BoatTrack none;
    RoundingDistance = QVector<QVector<double>>(RoundingTime.size(), QVector<double>(entryCount(), 0.0));
    for (int b = 0; b < RoundingTime.size(); ++b) {
        const BoatTrack &track = b < data.Tracks.size() ? data.Tracks[b] : none;
        const TrackCursor cursor(track);
        const double base = cursor.TrackDistanceAt(0);
        for (int e = 0; e < RoundingTime[b].size(); ++e) {
            const double t = RoundingTime[b][e];
            if (t == 0)
                continue;
            RoundingDistance[b][e] = std::floor((cursor.TrackDistanceAt(t) - base) * 1000 + 0.5) / 1000;
        }
    }
    Valid = true;
}

double LegStats::roundingTime(int boatNumber, int entryNumber) const
{
    if (boatNumber < 1 || boatNumber > RoundingTime.size() || entryNumber < 1
        || entryNumber > RoundingTime[boatNumber - 1].size())
        return 0.0;
    return RoundingTime[boatNumber - 1][entryNumber - 1];
}

double LegStats::roundingDistance(int boatNumber, int entryNumber) const
{
    if (boatNumber < 1 || boatNumber > RoundingDistance.size() || entryNumber < 1
        || entryNumber > RoundingDistance[boatNumber - 1].size())
        return 0.0;
    return RoundingDistance[boatNumber - 1][entryNumber - 1];
}

double LegStats::leaderTime(int entryNumber) const
{
    if (entryNumber < 1 || entryNumber > LeaderTime.size())
        return NoLeader;
    return LeaderTime[entryNumber - 1];
}

LegFigures legFigures(const LegStats &stats, int boatNumber, int entryNumber)
{
    LegFigures f;
    const double t = stats.roundingTime(boatNumber, entryNumber);
    const double d = stats.roundingDistance(boatNumber, entryNumber);
    f.roundingTime = t;
    f.valid = t > 0;
    f.accDistanceMetres = qint64(std::floor(d * 1852 + 0.5));
    if (f.valid)
        f.accSpeed = std::floor(1000 * d * 3600 / t + 0.5) / 1000;
    if (entryNumber >= 2) {
        const double t0 = stats.roundingTime(boatNumber, entryNumber - 1);
        const double d0 = stats.roundingDistance(boatNumber, entryNumber - 1);
        f.hasLeg = true;
        f.legTime = t - t0;
        f.legDistanceMetres = qint64(std::floor((d - d0) * 1852 + 0.5));
        if (f.legTime != 0) {
            f.hasLegSpeed = true;
            f.legSpeed = std::floor(1000 * 3600 * (d - d0) / f.legTime) / 1000;
            f.legSpeedGraph = std::floor(1000 * 3600 * (d - d0) / f.legTime + 0.5) / 1000;
        }
    }
    return f;
}
