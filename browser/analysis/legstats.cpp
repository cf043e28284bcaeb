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

// The boat's position second by second during one scan. A second with no point pair around it
// keeps the position of the previous second; before the scan has found any position, a
// second past the end of the track takes the last point (the boat stays where its recording
// ended) and a second before the track begins is skipped.
class ScanPosition
{
public:
    explicit ScanPosition(TrackCursor &cursor) : m_cursor(cursor) { m_cursor.restart(); }

    bool at(double t)
    {
        if (const auto p = m_cursor.TrackPositionAt(t)) {
            m_position = *p;
            m_have = true;
        } else if (!m_have) {
            const auto &pts = m_cursor.track().Points;
            if (pts.isEmpty() || t < pts.last().Time)
                return false;
            m_position = {pts.last().Lat, pts.last().Lon};
            m_have = true;
        }
        return true;
    }
    const TrackPosition &position() const { return m_position; }

private:
    TrackCursor &m_cursor;
    TrackPosition m_position;
    bool m_have = false;
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
                ScanPosition pos(cursor);
                LeaveFirst leave = leaveFirst;
                for (double t = begin; t <= end; t += 1) {
                    if (!pos.at(t))
                        continue;
                    const TrackPosition P = pos.position();
                    if (leave.stillInside(P))
                        continue;
                    if (!(planeDistance(P.Lat, P.Lon, en.lat, en.lon, lonFactor) < LineReach))
                        continue;
                    const auto Q = cursor.peekPositionAt(t + 1, cursor.searchStart() - 1);
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
                ScanPosition pos(cursor);
                LeaveFirst leave = leaveFirst;
                double previous = 500; // 360 or more: no angle seen yet
                for (double t = begin; t <= end; t += 1) {
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
            ScanPosition pos(cursor);
            LeaveFirst leave = leaveFirst;
            double nearest = 5000;
            for (double t = begin; t <= end; t += 1) {
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
            const double begin = e == 0 ? StartWindowBegin : rt[e - 1] + 1;
            const double end = e == 0 ? rt[1] : rt[e + 1] - 1;
            ScanPosition pos(cursor);
            double best = 1000;
            for (double t = begin; t <= end; t += 1) {
                if (!pos.at(t))
                    continue;
                const TrackPosition P = pos.position();
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
