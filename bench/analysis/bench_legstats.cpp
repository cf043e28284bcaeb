// Times ComputeRoundingTimes and ComputeRoundingDistances on synthetic windward-leeward races:
// 50 boats sampled every second over a 20-entry course (start line, nine windward and leeward
// mark pairs, finish line), once for a race of about 4 hours and once with every leg twice
// as long (about 8 hours); then with boats that retire, with a finish time typed decades late,
// and with fixes out of time order. Run: bench_legstats [repeats]
#include <legstats.h>

#include <QElapsedTimer>
#include <QTextStream>

#include <cmath>

namespace {

struct Waypoint {
    double time, lat, lon;
};

constexpr double Speed = 6.0 / 3600; // minutes a second (6 knots with a minute as a mile)
constexpr int Boats = 50;
constexpr int Pairs = 9;

RaceExtent extent()
{
    RaceExtent e;
    e.CentreLat = 2000;
    e.CentreLon = 8000;
    e.MinLat = 1999;
    e.MaxLat = 2006;
    e.MinLon = 7999;
    e.MaxLon = 8001;
    e.LonFactor = 1.0;
    e.MetresPerLatMinute = e.MetresPerLonMinute = 1852;
    e.Span = 7;
    return e;
}

// One boat: up the east side of each windward mark, over its top, down the west side; round
// the leeward mark below it back to the east side. `lag` seconds behind the first boat,
// `pace` its speed factor.
BoatTrack boat(double legLength, double lag, double pace)
{
    const double top = 2000 + legLength, bottom = 2000.05, x = 8000.1, off = 0.02;
    const double speed = Speed * pace;
    QList<Waypoint> w;
    double t = -150 + lag;
    double lat = 2000 - 150 * speed, lon = x + off;
    w.append({t, lat, lon});
    auto go = [&](double la, double lo) {
        const double d = std::hypot(la - lat, lo - lon);
        t += d / speed;
        lat = la;
        lon = lo;
        w.append({t, lat, lon});
    };
    for (int p = 0; p < Pairs; ++p) {
        go(top + off, x + off);
        go(top + off, x - off);
        go(bottom - off, x - off);
        go(bottom - off, x + off);
    }
    go(2000 - 0.1, x + off);
    BoatTrack track;
    for (int i = 0; i + 1 < w.size(); ++i) {
        for (double s = std::ceil(w[i].time); s < w[i + 1].time; s += 1) {
            const double f = (s - w[i].time) / (w[i + 1].time - w[i].time);
            track.Points.append({s, w[i].lat + f * (w[i + 1].lat - w[i].lat),
                                 w[i].lon + f * (w[i + 1].lon - w[i].lon), 0, 0, 0});
        }
    }
    auto &p = track.Points;
    for (int k = 0; k + 1 < p.size(); ++k)
        p[k + 1].Distance = p[k].Distance + std::hypot(p[k + 1].Lat - p[k].Lat, p[k + 1].Lon - p[k].Lon);
    return track;
}

struct Figures {
    double timesMs = 0, distancesMs = 0;
    int passings = 0, points = 0;
    double finish = 0;
};

Figures run(double legLength, int repeats, bool retirements = false, bool disorder = false, bool yearTypo = false)
{
    RaceControl race;
    race.Marks = {{2000 + legLength, 8000.1}, {2000.05, 8000.1}};
    race.Lines = {{2000, 8000.0, 2000, 8000.3}, {2000, 8000.0, 2000, 8000.3}};
    race.Course.Entries << "L1";
    for (int p = 0; p < Pairs; ++p)
        race.Course.Entries << "MK1" << "MK2";
    race.Course.Entries << "L2";
    RaceData data;
    data.Extent = extent();
    Figures f;
    for (int b = 0; b < Boats; ++b) {
        race.Boats.append({QStringLiteral("b%1.trk").arg(b), QStringLiteral("Boat %1").arg(b)});
        data.Tracks.append(boat(legLength, 5.0 * (b % 10) + 2.5, 1.0 - 0.002 * b));
    }
    race.RaceDuration = qint64(data.Tracks.last().Points.last().Time) + 600;
    // Every other boat stops recording after half an hour: each entry it never reaches is
    // scanned over the whole rest of the race, twice.
    if (retirements)
        for (int b = 1; b < Boats; b += 2)
            data.Tracks[b].Points.resize(1950);
    // One late fix in every track: the scans then search point by point from where they stand.
    if (disorder)
        for (BoatTrack &t : data.Tracks)
            std::swap(t.Points[t.PointCount() / 2], t.Points[t.PointCount() / 2 + 1]);
    for (const BoatTrack &t : data.Tracks)
        f.points += t.PointCount();
    race.PreStartSeconds = 180;
    // A finish time typed 75 years late: every entry not reached is scanned to then.
    if (yearTypo)
        race.RaceDuration += qint64(75 * 365.25 * 86400);

    LegStats s;
    double bestTimes = 1e300, bestDistances = 1e300;
    for (int r = 0; r < repeats; ++r) {
        QElapsedTimer timer;
        timer.start();
        s.ComputeRoundingTimes(race, data);
        bestTimes = std::min(bestTimes, timer.nsecsElapsed() / 1e6);
        timer.restart();
        s.ComputeRoundingDistances(data);
        bestDistances = std::min(bestDistances, timer.nsecsElapsed() / 1e6);
    }
    f.timesMs = bestTimes;
    f.distancesMs = bestDistances;
    for (const auto &row : s.RoundingTime)
        for (double t : row)
            f.passings += t != 0;
    f.finish = s.leaderTime(s.entryCount());
    return f;
}

} // namespace

int main(int argc, char **argv)
{
    const int repeats = argc > 1 ? std::max(1, atoi(argv[1])) : 3;
    QTextStream out(stdout);
    out << "passing times: " << Boats << " boats, 20-entry course, points every second, best of "
        << repeats << "\n";
    double previous = 0;
    for (double leg : {1.3, 2.6}) {
        const Figures f = run(leg, repeats);
        out << QStringLiteral("  leg %1 nm: %2 points, first finish %3 s (%4 h); passings found %5/%6; "
                              "ComputeRoundingTimes %7 ms, ComputeRoundingDistances %8 ms")
                   .arg(leg)
                   .arg(f.points)
                   .arg(f.finish)
                   .arg(f.finish / 3600, 0, 'f', 2)
                   .arg(f.passings)
                   .arg(Boats * 20)
                   .arg(f.timesMs, 0, 'f', 1)
                   .arg(f.distancesMs, 0, 'f', 1);
        if (previous > 0)
            out << QStringLiteral(" (x%1 the shorter race)").arg(f.timesMs / previous, 0, 'f', 2);
        out << "\n";
        previous = f.timesMs;
    }
    const Figures r = run(1.3, repeats, true);
    out << QStringLiteral("  leg 1.3 nm, every other boat retired after 30 min: passings found %1/%2; "
                          "ComputeRoundingTimes %3 ms\n")
               .arg(r.passings)
               .arg(Boats * 20)
               .arg(r.timesMs, 0, 'f', 1);
    const Figures y = run(1.3, repeats, true, false, true);
    out << QStringLiteral("  the same, with the finish time typed 75 years late: passings found %1/%2; "
                          "ComputeRoundingTimes %3 ms\n")
               .arg(y.passings)
               .arg(Boats * 20)
               .arg(y.timesMs, 0, 'f', 1);
    const Figures o = run(1.3, repeats, false, true);
    out << QStringLiteral("  leg 1.3 nm, one fix out of time order in every track: passings found %1/%2; "
                          "ComputeRoundingTimes %3 ms\n")
               .arg(o.passings)
               .arg(Boats * 20)
               .arg(o.timesMs, 0, 'f', 1);
    return 0;
}
