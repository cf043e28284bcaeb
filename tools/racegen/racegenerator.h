// The race generator: simulates a fleet sailing a windward-leeward course in a shifting wind
// and writes what the boats' GPS receivers and the race committee would have kept: one track
// file per boat (gpsdat), a wind file (winddat) and the race control file (raceadmin).
//
// Used by the racegen program (the demo races of the application folder and the 50-boat
// benchmark race) and by the tools tests. Everything is deterministic: a race is a function of
// its RaceSpec, seed included.
//
// The course, in the wind's frame (looking upwind, "right" is to starboard of the wind):
//   L1   start line across the wind at the start position, pin end (end 1) to the left;
//   MK1  windward mark LegLengthNm upwind of the start;
//   MK2  leeward mark 0.1 nm upwind of the start line;
//   L2   finish line across the wind just below and right of MK1.
// The course order is L1, (MK1, MK2) × Laps, L2: every lap a beat and a run, the last leg a
// beat to the finish. Marks are left to port.
#pragma once

#include <trackfilewriter.h>

#include <racecontrol.h>
#include <localdatetime.h>

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace tools {

// How a class of boat sails: its speed curve and handling.
struct BoatClass {
    QString Name;
    double LengthM = 10.0;            // length over all, written as LG
    double MaxSpeedKn = 7.5;          // best speed on a reach in a full breeze
    double WindScaleKn = 5.5;         // speed rises as 1 − exp(−wind / scale)
    double UpwindTwaDeg = 43.0;       // close-hauled true wind angle
    double DownwindTwaDeg = 150.0;    // running true wind angle
    double TurnRateDegPerSec = 10.0;
    double SpeedLagSec = 8.0;         // time constant of accelerating and slowing
    double MinTackGapSec = 90.0;      // shortest time between two tacks on shifts
};

BoatClass keelBoatClass();
BoatClass dinghyClass();

struct RaceSpec {
    QString PresetName;              // as racegen --preset names it
    QString RaceFileName;            // in raceadmin
    QString TrackPrefix;             // track files are prefix + 2-digit boat number
    QString WindFileName;            // in winddat
    QString Title1, Title2, Title3;
    BoatClass Class;
    int BoatCount = 8;
    QStringList BoatNames;           // names for the first boats; the rest are numbered
    int FixIntervalSec = 2;
    platform::LocalDateTime Start;   // the gun, local time
    int TimeDifference = 9;          // hours from UTC to local time
    double MagneticVariation = -7.0; // degrees, west negative
    double StartLatDeg = 35.285;     // centre of the start line
    double StartLonDeg = 139.455;
    double WindFromDeg = 200.0;      // mean true direction the wind blows from
    double WindSpeedKn = 12.0;
    double ShiftAmplitudeDeg = 8.0;  // size of the oscillating shifts
    double LegLengthNm = 1.5;
    int Laps = 1;
    int PreStartMinutes = 3;
    int LogLeadSec = 600;            // the receivers start logging this long before the gun
    int LogTailSec = 300;            // and stop this long after the last boat finished
    int LogDurationSec = 0;          // when > 0 every log covers exactly this long instead
    QStringList Attachments;
    QStringList CoastTiles;
    quint64 Seed = 1;
};

// The three demo races of the application folder and the benchmark race.
QList<RaceSpec> demoRaces();
RaceSpec bench50Race();
// A preset by name ("keel", "dinghy", "fleet30", "bench50"); nothing for an unknown name.
std::optional<RaceSpec> presetRace(const QString &name);
QStringList presetNames();

// The course order for a number of laps: L1, (MK1, MK2) × laps, L2.
QStringList courseFor(int laps);

struct GeneratedBoat {
    QString Name;
    QString TrackFile;
    TrackFileOptions Format;
    QList<TrackFix> Fixes;
    double FinishSec = -1.0;         // seconds from the gun when it crossed the finish; −1 if not
};

struct GeneratedWind {
    platform::LocalDateTime Time;    // local
    double SpeedKn = 0.0;
    double DirectionMagDeg = 0.0;
};

struct GeneratedRace {
    RaceControl Control;             // what the race control file holds
    QList<GeneratedBoat> Boats;
    QList<GeneratedWind> Wind;
};

// Runs the simulation.
GeneratedRace generateRace(const RaceSpec &preset);

// Writes the race below applicationFolder (raceadmin, gpsdat, winddat are created when
// missing). The race control file goes through the system's own writer. False with *error set
// when a file cannot be written.
bool writeRace(const GeneratedRace &race, const QString &applicationFolder, QString *error);

// The wind file lines (header first), as the wind file reader takes them.
QStringList formatWindFile(const QList<GeneratedWind> &wind);

} // namespace tools
