#include "racegenerator.h"

#include <appfolder.h>
#include <numbers.h>
#include <racecontrolfile.h>
#include <textfile.h>

#include <QDir>

#include <algorithm>
#include <cmath>

namespace tools {

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double MetresPerNm = 1852.0;
constexpr double MsPerKn = 1852.0 / 3600.0;

double toRad(double deg) { return deg * Pi / 180.0; }

// Any angle difference to −180 … 180 (the files' foldAngle takes one turn at most).
double fold(double a)
{
    a = std::fmod(a, 360.0);
    if (a > 180.0)
        a -= 360.0;
    else if (a <= -180.0)
        a += 360.0;
    return a;
}

double norm360(double a)
{
    a = std::fmod(a, 360.0);
    return a < 0.0 ? a + 360.0 : a;
}

// splitmix64: small, fast and the same on every platform, unlike the std distributions.
class Random
{
public:
    explicit Random(quint64 seed) : m_state(seed) {}
    quint64 next()
    {
        quint64 z = (m_state += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    }
    double uniform() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }
    double uniform(double lo, double hi) { return lo + (hi - lo) * uniform(); }
    double normal()
    {
        const double u1 = std::max(uniform(), 1e-12);
        const double u2 = uniform();
        return std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * Pi * u2);
    }

private:
    quint64 m_state;
};

// Metres east (x) and north (y) of the start line centre.
struct Vec {
    double x = 0.0;
    double y = 0.0;
};
Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y}; }
Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y}; }
Vec operator*(Vec a, double k) { return {a.x * k, a.y * k}; }
double dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y; }
double length(Vec a) { return std::hypot(a.x, a.y); }
Vec unit(double bearingDeg) { return {std::sin(toRad(bearingDeg)), std::cos(toRad(bearingDeg))}; }
double bearingOf(Vec v) { return norm360(std::atan2(v.x, v.y) * 180.0 / Pi); }

// Wind over the whole log: oscillating shifts of two periods, a slow veer, and short-lived
// puffs and lulls, one value a second.
class WindModel
{
public:
    WindModel(const RaceSpec &preset, Random &rnd, int t0, int t1)
        : m_t0(t0), m_mean(preset.WindFromDeg)
    {
        const double p1 = rnd.uniform(420, 720), p2 = rnd.uniform(900, 1500), p3 = rnd.uniform(300, 600);
        const double f1 = rnd.uniform(0, 2 * Pi), f2 = rnd.uniform(0, 2 * Pi), f3 = rnd.uniform(0, 2 * Pi);
        m_driftPerHour = rnd.uniform(-6, 6);
        double dirNoise = 0.0, speedNoise = 0.0;
        const int n = t1 - t0 + 1;
        m_dir.resize(n);
        m_speed.resize(n);
        const double a = preset.ShiftAmplitudeDeg;
        for (int i = 0; i < n; ++i) {
            const double t = i;
            dirNoise = dirNoise * std::exp(-1.0 / 60.0) + 1.5 * std::sqrt(1 - std::exp(-2.0 / 60.0)) * rnd.normal();
            speedNoise = speedNoise * std::exp(-1.0 / 20.0) + 0.8 * std::sqrt(1 - std::exp(-2.0 / 20.0)) * rnd.normal();
            m_dir[i] = meanAt(t0 + i) + a * (0.65 * std::sin(2 * Pi * t / p1 + f1) + 0.35 * std::sin(2 * Pi * t / p2 + f2))
                + dirNoise;
            m_speed[i] = std::max(3.0, preset.WindSpeedKn * (1.0 + 0.08 * std::sin(2 * Pi * t / p3 + f3)) + speedNoise);
        }
    }
    // True direction the wind blows from, degrees, at second t from the gun.
    double directionAt(int t) const { return norm360(m_dir[index(t)]); }
    double speedKnAt(int t) const { return m_speed[index(t)]; }
    // The direction the sailors take as the middle of the shifts.
    double meanAt(int t) const { return m_mean + m_driftPerHour * (t - m_t0) / 3600.0; }

private:
    int index(int t) const { return std::clamp(t - m_t0, 0, int(m_dir.size()) - 1); }
    int m_t0;
    double m_mean;
    double m_driftPerHour = 0.0;
    QVector<double> m_dir, m_speed;
};

// Speed as a fraction of the best speed by true wind angle.
double polar(double twaDeg)
{
    static const double table[][2] = {{0, 0.0},    {20, 0.08},  {32, 0.55},  {40, 0.78},  {45, 0.85},
                                      {60, 0.95},  {90, 1.0},   {110, 1.0},  {135, 0.95}, {150, 0.9},
                                      {165, 0.82}, {180, 0.76}};
    const double a = std::clamp(std::fabs(twaDeg), 0.0, 180.0);
    for (size_t i = 1; i < std::size(table); ++i) {
        if (a <= table[i][0]) {
            const double f = (a - table[i - 1][0]) / (table[i][0] - table[i - 1][0]);
            return table[i - 1][1] + f * (table[i][1] - table[i - 1][1]);
        }
    }
    return table[std::size(table) - 1][1];
}

struct Target {
    Vec mark;       // the mark, or the finish line centre
    Vec approach;   // where the boat heads before it starts to round
    bool isFinish = false;
    double bisectorDeg = 0.0; // points away from the inside of the turn at the mark
};

enum class Phase { Cruise, Approach, Hold, Racing, Rounding, Finished };

constexpr int Port = 1;       // wind over the port side: heading = wind + angle
constexpr int Starboard = -1; // heading = wind − angle

struct Boat {
    Vec p;
    double heading = 0.0;
    double speedMs = 0.0;
    int tack = Starboard;
    double lastTurnT = -1e9;
    Phase phase = Phase::Cruise;
    int leg = 0;
    double roundingTurned = 0.0;
    bool crossedBisector = false;
    bool needsLoop = false;
    double sweptDeg = 0.0;     // turned round the mark since the rounding began, CCW negative
    double loopStartDeg = 0.0;
    double prevTheta = 0.0;
    bool roundedOutside = false;
    double prevBisectorOffset = 500.0; // none yet
    double finishT = -1.0;
    double prevAlong = 0.0; // last position against the finish line, metres
    double prevSide = 0.0;
    bool finishDetour = false; // going round below the finish line after arriving wide of it

    // The sailor and the boat.
    double perf = 1.0;
    double pointDeg = 0.0;
    double shiftThresholdDeg = 5.0;
    double corridorM = 500.0;
    double overstandDeg = 1.0;
    double gapFactor = 1.0;
    bool prefersTack = true;

    // The start.
    Vec cruiseA, cruiseB;
    bool towardB = true;
    Vec spot;
    double goT = -30.0; // seconds of spare time the sailor wants at the line
    double releaseT = 0.0;

    Vec gpsNoise;
    double altitude = 1.0;
};

class Simulation
{
public:
    explicit Simulation(const RaceSpec &preset)
        : m_spec(preset), m_rnd(preset.Seed), m_cls(preset.Class)
    {
        m_t0 = -preset.LogLeadSec;
        const int roughRace = int(3600.0 * 4 * preset.LegLengthNm * (preset.Laps * 2 + 1) / std::max(1.0, m_cls.MaxSpeedKn)) + 1800;
        m_tMax = preset.LogDurationSec > 0 ? m_t0 + preset.LogDurationSec - 1 : roughRace + preset.LogTailSec + 120;
        m_wind = std::make_unique<WindModel>(preset, m_rnd, m_t0, m_tMax);
        const double w = preset.WindFromDeg;
        m_up = unit(w);
        m_right = unit(w + 90.0);
        m_radius = 2.0 * m_cls.LengthM + 6.0;
        // Long enough for the fleet, but every point of it within 0.3 nm of the pin end: the
        // passing-time scan looks for line crossings only that near a line's first end.
        m_startHalf = std::clamp((preset.BoatCount * m_cls.LengthM * 1.7 + 40.0) / 2.0, 60.0, 220.0);
        m_finishHalf = std::max(40.0, 5.0 * m_cls.LengthM);
        const double leg = preset.LegLengthNm * MetresPerNm;
        m_mk1 = m_up * leg;
        m_mk2 = m_up * (0.1 * MetresPerNm);
        m_finish = m_up * (leg - 0.12 * MetresPerNm) + m_right * (0.04 * MetresPerNm);
        Vec from;
        for (int lap = 0; lap < preset.Laps; ++lap) {
            addMark(from, m_mk1);
            from = m_mk1;
            addMark(from, m_mk2);
            from = m_mk2;
        }
        Target finish;
        finish.mark = m_finish;
        finish.approach = m_finish + m_up * (0.6 * m_finishHalf);
        finish.isFinish = true;
        m_targets << finish;
        // A rounding is complete once the boat has gone round the outside of the mark, past
        // the direction that halves the turn: the passing-time scan looks for the same.
        // As that scan does, the first leg is taken from the pin end, the first end of L1.
        Vec previous = m_right * -m_startHalf;
        for (int k = 0; k + 1 < m_targets.size(); ++k) {
            const double in = bearingOf(m_targets[k].mark - previous);
            const Vec next = m_targets[k + 1].isFinish ? m_finish - m_right * m_finishHalf : m_targets[k + 1].mark;
            const double out = bearingOf(next - m_targets[k].mark);
            const double back = norm360(in + 180.0);
            m_targets[k].bisectorDeg = norm360(back + fold(out - back) / 2.0 + 180.0);
            previous = m_targets[k].mark;
        }
        setUpBoats();
    }

    GeneratedRace run();

private:
    void addMark(Vec from, Vec mark)
    {
        // Coming in at about 60° to the right of the leg leaves the mark to port with a short
        // turn onto the next leg, for boats on either tack.
        Target t;
        t.mark = mark;
        t.approach = mark + unit(bearingOf(mark - from) + 60.0) * m_radius;
        m_targets << t;
    }

    double closeHauledMs() const
    {
        return m_cls.MaxSpeedKn * polar(m_cls.UpwindTwaDeg) * (1 - std::exp(-m_spec.WindSpeedKn / m_cls.WindScaleKn)) * MsPerKn;
    }

    void setUpBoats();
    double steer(Boat &b, Vec target, double wind, double mean, double t, bool tactical);
    double headingFor(int tack, Vec from, Vec target, double wind) const;
    void turnToward(Boat &b, double desired, double wind);
    void step(Boat &b, int t);

    const RaceSpec &m_spec;
    Random m_rnd;
    BoatClass m_cls;
    std::unique_ptr<WindModel> m_wind;
    int m_t0 = 0;
    int m_tMax = 0;
    Vec m_up, m_right;
    double m_radius = 20.0;
    double m_startHalf = 100.0;
    double m_finishHalf = 50.0;
    Vec m_mk1, m_mk2, m_finish;
    QList<Target> m_targets;
    QList<Boat> m_boats;
};

void Simulation::setUpBoats()
{
    const int n = m_spec.BoatCount;
    const double scale = std::clamp(m_cls.LengthM / 10.0, 0.35, 1.0);
    const double leg = m_spec.LegLengthNm * MetresPerNm;
    const double vcl = closeHauledMs();
    for (int i = 0; i < n; ++i) {
        Boat b;
        b.perf = std::clamp(1.0 + 0.03 * m_rnd.normal(), 0.92, 1.07);
        b.pointDeg = std::clamp(1.2 * m_rnd.normal(), -2.5, 2.5);
        b.shiftThresholdDeg = m_rnd.uniform(3.0, 9.0);
        b.corridorM = leg * m_rnd.uniform(0.15, 0.45);
        b.overstandDeg = m_rnd.uniform(0.0, 4.0);
        b.gapFactor = m_rnd.uniform(0.8, 1.6);
        b.prefersTack = m_rnd.uniform() < 0.6;

        // Each boat picks its place on the line, with a crowd at the favoured end.
        const double slot = (i + 0.5) / n;
        const double bias = m_rnd.uniform() < 0.3 ? -0.25 : 0.0;
        const double x = std::clamp((slot - 0.5 + bias + 0.05 * m_rnd.normal()) * 2.0 * m_startHalf * 0.8,
                                    -m_startHalf * 0.8, m_startHalf * 0.8);
        const double below = m_cls.LengthM * m_rnd.uniform(1.5, 3.5);
        // Waiting to the right of the place it means to cross: going on starboard it slides
        // left on its way up to the line.
        const double slide = below * std::tan(toRad(m_cls.UpwindTwaDeg));
        b.spot = m_right * (x + slide) - m_up * below;
        b.releaseT = -below / (0.55 * vcl) + 12.0 * std::pow(m_rnd.uniform(), 2.0);
        b.goT = -m_rnd.uniform(20.0, 60.0) * (0.6 + 0.4 * scale); // spare time at the line

        const double w = m_rnd.uniform(100.0, 220.0) * scale;
        const double h = m_rnd.uniform(90.0, 260.0) * scale;
        b.cruiseA = m_right * (x - w) - m_up * h;
        b.cruiseB = m_right * (x + w) - m_up * (h + m_rnd.uniform(-40, 40) * scale);
        const double f = m_rnd.uniform();
        b.p = b.cruiseA + (b.cruiseB - b.cruiseA) * f;
        b.towardB = m_rnd.uniform() < 0.5;
        b.heading = bearingOf((b.towardB ? b.cruiseB : b.cruiseA) - b.p);
        b.speedMs = 0.5 * vcl;
        b.altitude = m_rnd.uniform(0.0, 3.0);
        m_boats << b;
    }
}

// The heading that sails towards target on the given tack: close-hauled or running when the
// target is straight up or down wind, straight at it otherwise.
double Simulation::headingFor(int tack, Vec from, Vec target, double wind) const
{
    const double bearing = bearingOf(target - from);
    const double rel = fold(bearing - wind);
    const double a = m_cls.UpwindTwaDeg;
    const double g = 180.0 - m_cls.DownwindTwaDeg;
    if (std::fabs(rel) < a)
        return norm360(wind + tack * a);
    if (std::fabs(rel) > 180.0 - g)
        return norm360(wind + tack * m_cls.DownwindTwaDeg);
    return bearing;
}

double Simulation::steer(Boat &b, Vec target, double wind, double mean, double t, bool tactical)
{
    const double bearing = bearingOf(target - b.p);
    const double rel = fold(bearing - wind);
    const double a = m_cls.UpwindTwaDeg + b.pointDeg;
    const double run = m_cls.DownwindTwaDeg;
    const double g = 180.0 - run;
    const int s = b.tack;
    const double lateral = dot(b.p - target, unit(mean + 90.0));
    const bool canTack = t - b.lastTurnT >= 10.0;
    const bool shiftTackAllowed = tactical && canTack && t - b.lastTurnT >= m_cls.MinTackGapSec * b.gapFactor;
    const double shift = fold(wind - mean);
    const bool upwind = std::fabs(rel) < 90.0;
    // On the tack now sailed the heading lies at +a (port) or −a (starboard) from the wind
    // upwind, and at g beyond dead downwind on the other side downwind: "off" is how far the
    // target lies beyond that heading, positive when it can be fetched on this tack.
    const double off = upwind ? s * rel - a : -s * fold(bearing - (wind + 180.0)) - g;
    const double offOther = upwind ? -s * rel - a : s * fold(bearing - (wind + 180.0)) - g;

    int want = s;
    bool direct = false;
    if (off >= 0.0) {
        direct = true;
    } else if (offOther >= b.overstandDeg) {
        want = -s;
        direct = true;
    } else if (shiftTackAllowed) {
        // Upwind a header is the wind backing on starboard or veering on port; downwind the
        // signs turn round.
        const double headed = upwind ? s * shift : -s * shift;
        if (headed > b.shiftThresholdDeg)
            want = -s;
        if (lateral > b.corridorM && s == Port)
            want = Starboard;
        else if (lateral < -b.corridorM && s == Starboard)
            want = Port;
    }
    if (want != s) {
        if (!canTack)
            return norm360(wind + s * (upwind ? a : run));
        b.tack = want;
        b.lastTurnT = t;
    }
    if (direct)
        return bearing;
    return norm360(wind + b.tack * (upwind ? a : run));
}

void Simulation::turnToward(Boat &b, double desired, double wind)
{
    double diff = fold(desired - b.heading);
    if (std::fabs(diff) > 170.0) {
        // Half a turn either way: some sailors tack round, others gybe.
        const bool rightPassesWind = norm360(wind - b.heading) < norm360(desired - b.heading);
        const bool turnRight = b.prefersTack ? rightPassesWind : !rightPassesWind;
        diff = turnRight ? norm360(desired - b.heading) : -norm360(b.heading - desired);
    }
    const double maxStep = m_cls.TurnRateDegPerSec;
    b.heading = norm360(b.heading + std::clamp(diff, -maxStep, maxStep));
}

void Simulation::step(Boat &b, int t)
{
    const double wind = m_wind->directionAt(t);
    const double mean = m_wind->meanAt(t);
    const double a = m_cls.UpwindTwaDeg + b.pointDeg;
    double speedFactor = 1.0;
    double desired = b.heading;

    switch (b.phase) {
    case Phase::Cruise: {
        const Vec target = b.towardB ? b.cruiseB : b.cruiseA;
        if (length(target - b.p) < 3.0 * m_cls.LengthM)
            b.towardB = !b.towardB;
        desired = steer(b, b.towardB ? b.cruiseB : b.cruiseA, wind, mean, t, false);
        speedFactor = 0.65;
        // Head for the line in time to get there early, wherever the boat happens to be.
        if (t >= -length(b.spot - b.p) / (0.45 * closeHauledMs()) + b.goT)
            b.phase = Phase::Approach;
        break;
    }
    case Phase::Approach:
        desired = steer(b, b.spot, wind, mean, t, false);
        // Slowing down on the way in, so as not to overshoot the spot.
        speedFactor = std::clamp(length(b.spot - b.p) / (4.0 * m_cls.LengthM), 0.2, 0.8);
        if (length(b.spot - b.p) < m_cls.LengthM)
            b.phase = Phase::Hold;
        if (t >= b.releaseT) {
            b.phase = Phase::Racing;
            b.leg = 0;
        }
        break;
    case Phase::Hold:
        // Sheets eased on the spot, creeping along the line, waiting for the moment to go.
        desired = norm360(wind - 70.0);
        speedFactor = 0.06;
        if (t >= b.releaseT) {
            b.phase = Phase::Racing;
            b.leg = 0;
            b.tack = Starboard;
            b.lastTurnT = t;
        }
        break;
    case Phase::Racing: {
        const Target &target = m_targets[b.leg];
        if (target.isFinish) {
            // Straight up through the line from where the boat is, well inside its ends. A boat
            // that arrives level with the line beyond an end first bears away below it; one
            // that went past an end comes back through the line.
            const double along = dot(b.p - m_finish, m_up);
            const double rawSide = dot(b.p - m_finish, m_right);
            const double side = std::clamp(rawSide, -(m_finishHalf - 15.0), m_finishHalf - 15.0);
            if (along < 0 && along > -0.5 * m_finishHalf && std::fabs(rawSide) > m_finishHalf - 10.0)
                b.finishDetour = true;
            else if (along < -m_finishHalf)
                b.finishDetour = false;
            double height = 0.6 * m_finishHalf;
            if (along > 0)
                height = -0.6 * m_finishHalf;
            else if (b.finishDetour)
                height = -1.2 * m_finishHalf;
            const Vec aim = m_finish + m_right * side + m_up * height;
            desired = steer(b, aim, wind, mean, t, true);
        } else {
            desired = steer(b, target.approach, wind, mean, t, true);
        }
        if (target.isFinish) {
            const double along = dot(b.p - m_finish, m_up);
            const double side = dot(b.p - m_finish, m_right);
            if ((b.prevAlong < 0) != (along < 0)) {
                const double f = b.prevAlong / (b.prevAlong - along);
                const double sideAtLine = b.prevSide + f * (side - b.prevSide);
                // Well inside the ends, so that the logged track, a metre or two off, crosses too.
                if (std::fabs(sideAtLine) <= m_finishHalf - 5.0) {
                    b.phase = Phase::Finished;
                    b.finishT = t;
                }
            }
            b.prevAlong = along;
            b.prevSide = side;
        } else if (length(target.approach - b.p) < std::max(1.2 * m_radius, 1.5 * b.speedMs)) {
            b.phase = Phase::Rounding;
            b.roundingTurned = 0.0;
            b.roundedOutside = false;
            b.crossedBisector = false;
            b.needsLoop = false;
            b.sweptDeg = 0.0;
            b.prevBisectorOffset = 500.0;
        }
        break;
    }
    case Phase::Rounding: {
        const Target &target = m_targets[b.leg];
        const Vec r = b.p - target.mark;
        const double dist = length(r);
        const double theta = bearingOf(r);
        const double tangent = norm360(theta - 90.0 - std::clamp((dist - m_radius) / m_radius * 60.0, -50.0, 50.0));
        desired = tangent;
        speedFactor = 0.9;
        const double e = fold(target.bisectorDeg - theta);
        // Only a crossing the way round that leaves the mark to port counts. A boat that came
        // in over the top, the wrong way, goes once round the mark rather than zigzag back.
        if (b.prevBisectorOffset < 360.0)
            b.sweptDeg += fold(theta - b.prevTheta);
        b.prevTheta = theta;
        if (b.prevBisectorOffset > 0.0 && b.prevBisectorOffset < 150.0 && e <= 0.0) {
            b.needsLoop = true;
            b.loopStartDeg = b.sweptDeg;
        }
        if (b.prevBisectorOffset < 0.0 && e >= 0.0 && e < 150.0 && (!b.needsLoop || b.sweptDeg - b.loopStartDeg <= -300.0))
            b.crossedBisector = true;
        // Well past it, so that the logged track, a metre or two off, is past it too.
        if (b.crossedBisector && std::fabs(e) >= 20.0)
            b.roundedOutside = true;
        b.prevBisectorOffset = e;
        const Target &next = m_targets[b.leg + 1];
        const double hp = headingFor(Port, b.p, next.approach, wind);
        const double hs = headingFor(Starboard, b.p, next.approach, wind);
        const double dp = std::fabs(fold(hp - b.heading)), ds = std::fabs(fold(hs - b.heading));
        const double best = std::min(dp, ds);
        if ((b.roundedOutside && best < 15.0) || b.roundingTurned >= 1080.0) {
            b.phase = Phase::Racing;
            b.tack = dp <= ds ? Port : Starboard;
            b.lastTurnT = t;
            ++b.leg;
            b.prevAlong = dot(b.p - m_finish, m_up);
            b.prevSide = dot(b.p - m_finish, m_right);
        }
        break;
    }
    case Phase::Finished:
        // Clear of the line first, then bear away and drop the sails.
        if (t - b.finishT < 15) {
            desired = b.heading;
        } else if (t - b.finishT < 75) {
            desired = norm360(wind + 95.0);
            speedFactor = 0.6;
        } else {
            desired = norm360(wind + 120.0);
            speedFactor = 0.15;
        }
        break;
    }

    // Never over the line before the gun: sheets out and crawl along it. The margin also
    // keeps the crossing a few seconds clear of the gun, where a passing time of 0 s would
    // read as no passing at all.
    bool braking = false;
    if (t < 0 && b.phase != Phase::Cruise && dot(b.p, m_up) > -(m_cls.LengthM + 3.0 * b.speedMs + 5.0)) {
        desired = norm360(wind - 70.0);
        speedFactor = std::min(speedFactor, 0.05);
        braking = true;
    }

    const double before = b.heading;
    turnToward(b, desired, wind);
    const double turned = std::fabs(fold(b.heading - before));
    if (b.phase == Phase::Rounding)
        b.roundingTurned += turned;
    if (turned > 4.0)
        speedFactor *= 0.9;

    const double twa = fold(b.heading - wind);
    const double windFactor = 1.0 - std::exp(-m_wind->speedKnAt(t) / m_cls.WindScaleKn);
    const double target = m_cls.MaxSpeedKn * MsPerKn * polar(twa) * windFactor * b.perf * speedFactor;
    // Flapping sails stop a boat much faster than sails drawing speed it up.
    const double lag = braking ? m_cls.SpeedLagSec / 3.0 : m_cls.SpeedLagSec;
    b.speedMs += (target - b.speedMs) * (1.0 - std::exp(-1.0 / lag));
    b.p = b.p + unit(b.heading) * b.speedMs;
}

GeneratedRace Simulation::run()
{
    const int n = m_spec.BoatCount;
    QList<QList<Vec>> positions(n);
    QList<QList<int>> times(n);
    QList<QList<double>> altitudes(n);
    const int fixed = m_spec.LogDurationSec;
    int lastFinish = 0;
    int stopAt = m_tMax;
    for (int t = m_t0; t <= stopAt; ++t) {
        for (int i = 0; i < n; ++i) {
            Boat &b = m_boats[i];
            if ((t - m_t0) % m_spec.FixIntervalSec == 0) {
                // A receiver's fix wanders by a metre or two.
                b.gpsNoise = b.gpsNoise * std::exp(-1.0 / 30.0) + Vec{m_rnd.normal(), m_rnd.normal()} * 0.35;
                b.altitude = std::clamp(b.altitude + 0.3 * m_rnd.normal(), -2.0, 6.0);
                positions[i] << b.p + b.gpsNoise;
                times[i] << t;
                altitudes[i] << b.altitude;
            }
            step(b, t);
        }
        if (fixed <= 0 && stopAt == m_tMax) {
            bool all = true;
            for (const Boat &b : std::as_const(m_boats)) {
                all = all && b.phase == Phase::Finished;
                lastFinish = std::max(lastFinish, int(b.finishT));
            }
            if (all)
                stopAt = std::min(m_tMax, t + m_spec.LogTailSec);
        }
    }
    for (const Boat &b : std::as_const(m_boats))
        lastFinish = std::max(lastFinish, int(b.finishT));

    GeneratedRace race;
    RaceControl &rc = race.Control;
    rc.FileName = m_spec.RaceFileName;
    rc.WindFile = m_spec.WindFileName;
    rc.Title1 = m_spec.Title1;
    rc.Title2 = m_spec.Title2;
    rc.Title3 = m_spec.Title3;
    rc.MagneticVariation = m_spec.MagneticVariation;
    rc.BoatLength = float(m_cls.LengthM);
    rc.StartTime = m_spec.Start;
    // A benchmark race keeps every fix inside the load window; a demo race ends a minute after
    // the last boat, on a whole minute.
    const int finishSec = fixed > 0 ? stopAt : (lastFinish + 60 + 59) / 60 * 60;
    rc.FinishTime = m_spec.Start.addSecs(finishSec);
    rc.TimeDifference = qint16(m_spec.TimeDifference);
    rc.WindDirection = float(m_spec.WindFromDeg);
    rc.LayLineUp = std::round(m_cls.UpwindTwaDeg);
    rc.LayLineDown = std::round(m_cls.DownwindTwaDeg);
    rc.PreStartMinutes = m_spec.PreStartMinutes;
    rc.PreStartSeconds = 60.0 * m_spec.PreStartMinutes;
    rc.Attachments = m_spec.Attachments;
    rc.CoastTiles = m_spec.CoastTiles;
    rc.Course.Entries = courseFor(m_spec.Laps);

    const double lat0 = m_spec.StartLatDeg, lon0 = m_spec.StartLonDeg;
    const double phi = toRad(lat0);
    const double mPerDegLat = 111132.954 - 559.822 * std::cos(2 * phi) + 1.175 * std::cos(4 * phi);
    const double mPerDegLon = 111412.84 * std::cos(phi) - 93.5 * std::cos(3 * phi);
    auto latMin = [&](Vec v) { return (lat0 + v.y / mPerDegLat) * 60.0; };
    auto lonMin = [&](Vec v) { return (lon0 + v.x / mPerDegLon) * 60.0; };
    auto roundMin = [](double m) { return std::round(m * 1e5) / 1e5; };

    rc.Marks << RaceMark{roundMin(latMin(m_mk1)), roundMin(lonMin(m_mk1))}
             << RaceMark{roundMin(latMin(m_mk2)), roundMin(lonMin(m_mk2))};
    const Vec pin = m_right * -m_startHalf, committee = m_right * m_startHalf;
    const Vec f1 = m_finish - m_right * m_finishHalf, f2 = m_finish + m_right * m_finishHalf;
    rc.Lines << RaceLine{roundMin(latMin(pin)), roundMin(lonMin(pin)), roundMin(latMin(committee)), roundMin(lonMin(committee))}
             << RaceLine{roundMin(latMin(f1)), roundMin(lonMin(f1)), roundMin(latMin(f2)), roundMin(lonMin(f2))};

    const platform::LocalDateTime gunUtc = m_spec.Start.addSecs(-3600 * m_spec.TimeDifference);
    for (int i = 0; i < n; ++i) {
        const int number = i + 1;
        GeneratedBoat gb;
        gb.Name = i < m_spec.BoatNames.size() ? m_spec.BoatNames[i]
                                               : QStringLiteral("%1 %2").arg(m_spec.TrackPrefix).arg(number, 2, 10, QLatin1Char('0'));
        // Spread the three coordinate forms, both date forms and the accepted extensions over
        // the fleet, as a real fleet's mix of receivers would.
        QString ext = QStringLiteral("trk");
        if (number % 7 == 0)
            ext = QStringLiteral("dtr");
        else if (number % 5 == 0)
            ext = QStringLiteral("TRK");
        gb.TrackFile = QStringLiteral("%1%2.%3").arg(m_spec.TrackPrefix).arg(number, 2, 10, QLatin1Char('0')).arg(ext);
        switch (i % 3) {
        case 0:
            gb.Format.Unit = TrackUnit::DM;
            gb.Format.DateForm = TrackDateForm::MonthName;
            break;
        case 1:
            gb.Format.Unit = TrackUnit::DEG;
            gb.Format.DateForm = TrackDateForm::Slashed;
            break;
        default:
            gb.Format.Unit = TrackUnit::DMS;
            gb.Format.DateForm = number % 2 ? TrackDateForm::MonthName : TrackDateForm::Slashed;
            break;
        }
        gb.Format.Software = QStringLiteral("orvane racegen");
        gb.Format.TrackName = gb.Name;
        gb.FinishSec = m_boats[i].finishT;
        gb.Fixes.reserve(positions[i].size());
        for (int k = 0; k < positions[i].size(); ++k) {
            TrackFix fix;
            fix.LatDeg = latMin(positions[i][k]) / 60.0;
            fix.LonDeg = lonMin(positions[i][k]) / 60.0;
            fix.Utc = gunUtc.addSecs(times[i][k]);
            fix.AltitudeM = altitudes[i][k];
            gb.Fixes << fix;
        }
        race.Boats << gb;
        rc.Boats << BoatEntry{gb.TrackFile, gb.Name, boatColour(number)};
    }

    const int windStep = stopAt - m_t0 > 3 * 3600 ? 60 : 30;
    for (int t = m_t0; t <= stopAt; t += windStep) {
        GeneratedWind w;
        w.Time = m_spec.Start.addSecs(t);
        w.SpeedKn = platform::roundTo(m_wind->speedKnAt(t), 1);
        w.DirectionMagDeg = platform::roundTo(norm360(m_wind->directionAt(t) - m_spec.MagneticVariation), 1);
        race.Wind << w;
    }
    return race;
}

} // namespace

BoatClass keelBoatClass()
{
    BoatClass c;
    c.Name = QStringLiteral("keel boat");
    c.LengthM = 10.1;
    c.MaxSpeedKn = 7.6;
    c.WindScaleKn = 5.5;
    c.UpwindTwaDeg = 43.0;
    c.DownwindTwaDeg = 150.0;
    c.TurnRateDegPerSec = 9.0;
    c.SpeedLagSec = 9.0;
    c.MinTackGapSec = 90.0;
    return c;
}

BoatClass dinghyClass()
{
    BoatClass c;
    c.Name = QStringLiteral("dinghy");
    c.LengthM = 2.3;
    c.MaxSpeedKn = 4.3;
    c.WindScaleKn = 4.0;
    c.UpwindTwaDeg = 45.0;
    c.DownwindTwaDeg = 155.0;
    c.TurnRateDegPerSec = 25.0;
    c.SpeedLagSec = 3.0;
    c.MinTackGapSec = 35.0;
    return c;
}

QStringList courseFor(int laps)
{
    QStringList c{QStringLiteral("L1")};
    for (int i = 0; i < laps; ++i)
        c << QStringLiteral("MK1") << QStringLiteral("MK2");
    c << QStringLiteral("L2");
    return c;
}

static RaceSpec keelRace()
{
    RaceSpec s;
    s.PresetName = QStringLiteral("keel");
    s.RaceFileName = QStringLiteral("enoshima_keel_r1.txt");
    s.TrackPrefix = QStringLiteral("EK");
    s.WindFileName = QStringLiteral("enoshima_keel_r1_WIND.CSV");
    s.Title1 = QStringLiteral("相模湾キールボートレース 2024");
    s.Title2 = QStringLiteral("江の島沖 第1レース");
    s.Class = keelBoatClass();
    s.BoatCount = 8;
    s.BoatNames = {QStringLiteral("疾風"), QStringLiteral("海神丸"), QStringLiteral("Blue Note"), QStringLiteral("白鷺"),
                   QStringLiteral("飛龍"), QStringLiteral("Sea Breeze"), QStringLiteral("青嵐"), QStringLiteral("かもめ")};
    s.FixIntervalSec = 2;
    s.Start = platform::LocalDateTime::fromParts(2024, 7, 13, 11, 0, 0);
    s.StartLatDeg = 35.2945;
    s.StartLonDeg = 139.468;
    s.WindFromDeg = 200.0;
    s.WindSpeedKn = 11.0;
    s.LegLengthNm = 1.5;
    s.Laps = 1;
    s.PreStartMinutes = 5;
    s.LogLeadSec = 720;
    s.Attachments = {QStringLiteral("sailing_instructions.html")};
    s.CoastTiles = {QStringLiteral("5239")};
    s.Seed = 20240713;
    return s;
}

static RaceSpec dinghyRace()
{
    RaceSpec s;
    s.PresetName = QStringLiteral("dinghy");
    s.RaceFileName = QStringLiteral("hayama_dinghy_r2.txt");
    s.TrackPrefix = QStringLiteral("HD");
    s.WindFileName = QStringLiteral("hayama_dinghy_r2_WIND.CSV");
    s.Title1 = QStringLiteral("葉山ジュニアディンギー大会");
    s.Title2 = QStringLiteral("第2レース");
    s.Class = dinghyClass();
    s.BoatCount = 12;
    s.BoatNames = {QStringLiteral("ひまわり"), QStringLiteral("Kaito"), QStringLiteral("若潮"), QStringLiteral("しおかぜ"),
                   QStringLiteral("Hinata"), QStringLiteral("うみねこ"), QStringLiteral("Sora"), QStringLiteral("つばさ"),
                   QStringLiteral("Minato"), QStringLiteral("Aoi"), QStringLiteral("はやて"), QStringLiteral("Ren")};
    s.FixIntervalSec = 2;
    // The logs start before midnight UTC: the local date and the GPS date differ.
    s.Start = platform::LocalDateTime::fromParts(2024, 8, 4, 9, 5, 0);
    s.StartLatDeg = 35.262;
    s.StartLonDeg = 139.560;
    s.WindFromDeg = 195.0;
    s.WindSpeedKn = 9.0;
    s.ShiftAmplitudeDeg = 10.0;
    s.LegLengthNm = 0.45;
    s.Laps = 2;
    s.PreStartMinutes = 3;
    s.LogLeadSec = 600;
    s.LogTailSec = 240;
    s.CoastTiles = {QStringLiteral("5239")};
    s.Seed = 20240804;
    return s;
}

static RaceSpec fleet30Race()
{
    RaceSpec s;
    s.PresetName = QStringLiteral("fleet30");
    s.RaceFileName = QStringLiteral("enoshima_fleet30.txt");
    s.TrackPrefix = QStringLiteral("EF");
    s.WindFileName = QStringLiteral("enoshima_fleet30_WIND.CSV");
    s.Title1 = QStringLiteral("江の島オータムレガッタ");
    s.Title2 = QStringLiteral("30 boats");
    s.Class = keelBoatClass();
    s.BoatCount = 30;
    s.BoatNames = {QStringLiteral("ヤマト"), QStringLiteral("Mistral"), QStringLiteral("翔"), QStringLiteral("Orca"),
                   QStringLiteral("蒼龍"), QStringLiteral("Tsunami"), QStringLiteral("ミストラル"), QStringLiteral("朝凪"),
                   QStringLiteral("Polaris"), QStringLiteral("夕凪"), QStringLiteral("Albatross"), QStringLiteral("隼"),
                   QStringLiteral("Kuroshio"), QStringLiteral("銀河"), QStringLiteral("Sirius"), QStringLiteral("潮騒")};
    s.FixIntervalSec = 2;
    s.Start = platform::LocalDateTime::fromParts(2024, 9, 15, 13, 30, 0);
    s.StartLatDeg = 35.287;
    s.StartLonDeg = 139.445;
    s.WindFromDeg = 190.0;
    s.WindSpeedKn = 14.0;
    s.LegLengthNm = 1.2;
    s.Laps = 1;
    s.PreStartMinutes = 5;
    s.LogLeadSec = 600;
    s.CoastTiles = {QStringLiteral("5239")};
    s.Seed = 20240915;
    return s;
}

RaceSpec bench50Race()
{
    RaceSpec s;
    s.PresetName = QStringLiteral("bench50");
    s.RaceFileName = QStringLiteral("bench50.txt");
    s.TrackPrefix = QStringLiteral("B");
    s.WindFileName = QStringLiteral("bench50_WIND.CSV");
    s.Title1 = QStringLiteral("Benchmark race");
    s.Title2 = QStringLiteral("50 boats, 4 hours, 1 s fixes");
    s.Class = keelBoatClass();
    s.BoatCount = 50;
    s.BoatNames = keelRace().BoatNames + fleet30Race().BoatNames;
    s.FixIntervalSec = 1;
    s.Start = platform::LocalDateTime::fromParts(2024, 10, 6, 10, 0, 0);
    s.StartLatDeg = 35.280;
    s.StartLonDeg = 139.450;
    s.WindFromDeg = 205.0;
    s.WindSpeedKn = 12.0;
    s.LegLengthNm = 1.5;
    s.Laps = 5;
    s.PreStartMinutes = 5;
    s.LogLeadSec = 900;
    s.LogDurationSec = 4 * 3600;
    s.CoastTiles = {QStringLiteral("5239")};
    s.Seed = 50;
    return s;
}

QList<RaceSpec> demoRaces()
{
    return {keelRace(), dinghyRace(), fleet30Race()};
}

QStringList presetNames()
{
    return {QStringLiteral("keel"), QStringLiteral("dinghy"), QStringLiteral("fleet30"), QStringLiteral("bench50")};
}

std::optional<RaceSpec> presetRace(const QString &name)
{
    for (const RaceSpec &s : demoRaces())
        if (s.PresetName == name)
            return s;
    if (name == QLatin1String("bench50"))
        return bench50Race();
    return std::nullopt;
}

GeneratedRace generateRace(const RaceSpec &preset)
{
    Simulation sim(preset);
    return sim.run();
}

QStringList formatWindFile(const QList<GeneratedWind> &wind)
{
    QStringList lines{QStringLiteral("TIME,WIND SPEED,WIND DIRECTION (Mag)")};
    for (const GeneratedWind &w : wind)
        lines << w.Time.toString() + QLatin1Char(',') + platform::formatNumber(w.SpeedKn) + QLatin1Char(',')
                     + platform::formatNumber(w.DirectionMagDeg);
    return lines;
}

bool writeRace(const GeneratedRace &race, const QString &applicationFolder, QString *error)
{
    QDir base(applicationFolder);
    for (const char *folder : {"raceadmin", "gpsdat", "winddat"}) {
        if (!base.mkpath(platform::resolvePath(applicationFolder, QLatin1String(folder)))) {
            if (error)
                *error = QStringLiteral("cannot create the folder %1").arg(base.filePath(QLatin1String(folder)));
            return false;
        }
    }
    for (const GeneratedBoat &b : race.Boats) {
        const QString path = platform::resolvePath(applicationFolder, QStringLiteral("gpsdat/") + b.TrackFile);
        if (!platform::writeTextFile(path, formatTrackFile(b.Fixes, b.Format), error))
            return false;
    }
    if (!race.Control.WindFile.isEmpty()) {
        const QString path = platform::resolvePath(applicationFolder, QStringLiteral("winddat/") + race.Control.WindFile);
        if (!platform::writeTextFile(path, formatWindFile(race.Wind), error))
            return false;
    }
    AppSettings settings;
    settings.ApplicationFolder = applicationFolder;
    RaceControl rc = race.Control;
    if (!WriteRaceControl(settings, rc)) {
        if (error)
            *error = QStringLiteral("cannot write the race control file %1").arg(rc.FileName);
        return false;
    }
    return true;
}

} // namespace tools
