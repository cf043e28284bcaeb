// Passing times of every boat at every course entry, the distance sailed by then, and the
// leader times: the figures behind the replay's start sequence and finish panel, the Data
// page's tables and graphs, the sail data export and orvane-report.
//
// Terms: course entry j (1 … n) is the j-th text of the course ("MK2", "L1"); entry 1 is the
// start and entry n the finish. Leg j (2 … n) runs from entry j − 1 to entry j. Times are
// seconds from the race start time, whole seconds, negative before the start.
//
// Index convention: the tables are 0-based containers, RoundingTime[b][e] is boat number b + 1
// at course entry e + 1. A time of 0 means "not passed" (a passing at exactly 0 s cannot be told
// from none); a leader time of NoLeader means no boat qualified.
//
// At most MaxEntries course entries are analysed: a longer course is analysed as its first
// MaxEntries entries, the last of them taken as the finish, and the entries past them stay "not
// passed". An entry that names no existing mark or line (MK7 with three marks, L0, "XYZ") is
// never passed.
//
// Windows: the start line (or mark) is looked for from −120 to 360 s, keeping the last
// crossing of a start line; every later entry from the passing of the entry before to the end
// of the time bar. When the entry before was not detected, the window begins after the latest
// detected entry before it (at 0 s when none), never at 0 s again, and, when that entry is a
// mark, only once the boat has left its circle. The closest-approach fallback for a mark left
// out starts one second after the latest detected entry before it, with the same rule, and
// ends one second before the passing of the entry after it: a rounding is never credited twice
// and no leg time is negative.
//
// Seconds: every scan steps through its window one second at a time, as if it looked at each;
// it passes over the seconds in which nothing can be found (the boat far from the mark or line,
// or held where its recording ended or paused), so a window that reaches far past the tracks,
// a start time decades off, or a fix dated decades away costs no more than the fixes. Two
// fixes more than MaxFixGap apart are a pause of the recording: the boat is held where it paused.
//
// Lifecycle: loading a race invalidates and runs ComputeRoundingTimes(); ComputeRoundingDistances()
// runs when the Data page is first drawn and sets Valid. Setting marks, lines or the course
// invalidates; the next Data page drawing computes both again.
#pragma once

#include <racecontrol.h>
#include <racedata.h>

#include <QVector>

class LegStats
{
public:
    static constexpr int MaxEntries = 20;
    static constexpr double NoLeader = 1000000.0;
    // Thresholds of the passing tests, in minutes of latitude (one minute taken as one nautical mile).
    static constexpr double LineReach = 0.3;          // how near the line's first end a boat must be
    static constexpr double MarkReach = 200.0 / 1852; // the circle of the mark tests
    static constexpr double CloseReach = 100.0 / 1852; // the closest-approach fallback
    static constexpr double StartWindowBegin = -120;  // seconds: where the start line is looked for
    static constexpr double StartWindowEnd = 360;
    // Seconds between two fixes beyond which the recording counts as paused, not as sailing
    // in a straight line between them.
    static constexpr double MaxFixGap = MaxFixGapSeconds;

    QVector<QVector<double>> RoundingTime;     // [boat][entry]: seconds, 0 = not passed
    QVector<QVector<double>> RoundingDistance; // [boat][entry]: nm from 0 s, rounded to 0.001
    QVector<double> LeaderTime;                // [entry]: seconds, NoLeader when nobody qualified
    bool Valid = false;
    // Look at every second of each window instead of passing over the ones where nothing can
    // be found: the same outcome, only slower. For tests that hold the two against each other.
    bool LookAtEverySecond = false;

    // Working values of the last computation, per analysed entry (0-based).
    QVector<double> PointLat, PointLon; // position of the entry (a line's first end), minutes
    QVector<double> LegBearing;         // degrees from entry e to entry e + 1 (0 for the last)
    QVector<double> OuterBisector;      // degrees; 0 (north) for the start and the finish

    // Fills RoundingTime for all boats and entries, then LeaderTime. Tracks[b] is boat b + 1;
    // boats beyond the track list, and boats without points, are never passed anywhere.
    void ComputeRoundingTimes(const RaceControl &race, const RaceData &data);
    // LeaderTime from RoundingTime (the last step of ComputeRoundingTimes): per entry the
    // earliest positive passing that is later than the previous entry's leader time.
    void computeLeaderTimes();
    // Fills RoundingDistance from RoundingTime (run after ComputeRoundingTimes); sets Valid.
    void ComputeRoundingDistances(const RaceData &data);
    void invalidate() { Valid = false; }

    int boatCount() const { return int(RoundingTime.size()); }
    // Number of course entries (columns of the tables, one leader time each); may exceed
    // analysedCount().
    int entryCount() const { return int(LeaderTime.size()); }
    // Number of entries the scans looked at: min(entryCount, MaxEntries).
    int analysedCount() const { return std::min(entryCount(), int(MaxEntries)); }

    // 1-based look-ups for readers: 0 (or NoLeader) outside the tables.
    double roundingTime(int boatNumber, int entryNumber) const;
    double roundingDistance(int boatNumber, int entryNumber) const;
    double leaderTime(int entryNumber) const;
    bool isPassed(int boatNumber, int entryNumber) const { return roundingTime(boatNumber, entryNumber) > 0; }

    // Bearing in degrees [0, 360) of a vector with north component dN and east component dE
    // (both in latitude minutes).
    static double bearing(double dN, double dE, double degToRad);
    // An angle difference brought into [−180, 180] by one addition or subtraction of 360.
    static double normalise(double degrees);
    // Outer bisector at a mark reached on bearing `incoming` and left on `outgoing` (degrees):
    // the direction that points away from the inside of the turn.
    static double outerBisector(double incoming, double outgoing);
};

// The quantities of one boat at one course entry that the Data page and orvane-report show,
// computed with the exact rounding of the tables. "Valid" means the entry was passed (time > 0).
struct LegFigures {
    double roundingTime = 0.0;      // s
    bool valid = false;             // roundingTime > 0
    qint64 accDistanceMetres = 0;   // Int(RoundingDistance × 1852 + 0.5)
    double accSpeed = 0.0;          // kn to 0.001 (rounded); 0 when not valid
    // Leg quantities, from entry 2 on (hasLeg false for entry 1). They use the times at both
    // ends even when the earlier one is 0.
    bool hasLeg = false;
    double legTime = 0.0;           // s
    qint64 legDistanceMetres = 0;   // m
    bool hasLegSpeed = false;       // leg time ≠ 0
    double legSpeed = 0.0;          // kn truncated to 0.001 (the tables)
    double legSpeedGraph = 0.0;     // kn rounded to 0.001 (the leg difference graph)
};

// Figures of boat number boatNumber at course entry entryNumber (both 1-based).
LegFigures legFigures(const LegStats &stats, int boatNumber, int entryNumber);
