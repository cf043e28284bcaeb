// The sail data export: for every boat, its average boat speed (BSP), true wind angle (TWA) and
// velocity made good (VMG) on each stretch it sailed on one point of sail, upwind or
// downwind, from its start to its passing of the second-to-last course entry; written as CSV
// to "\saildata\<race>.csv" below the application folder. The race display runs it from the
// right button of the sixth sea colour button and beeps when the file is written.
//
// The TWA of a stretch is not an average of the track courses: it is the angle of the triangle
// made by the straight line from the stretch's start to its end (v) and the distances sailed
// with the wind on either side (p, port; s, starboard), half the angle between p and s being
// A, so TWA = 90 − A upwind and 90 + A downwind.
//
// Limits: every boat and every sail leg is kept; the file has three columns per sail leg for
// as many sail legs as the boat with the most has, and each row leaves a sail leg without
// values empty (",,,") when a later one of that boat has values, so columns stay aligned.
#pragma once

#include "legstats.h"

#include <appsettings.h>
#include <localdatetime.h>
#include <racecontrol.h>
#include <racedata.h>

#include <QString>
#include <QStringList>
#include <QVector>

enum class PointOfSail { Upwind, Downwind };

struct SailLeg {
    int startIndex = 0; // 0-based track point index where the sail leg begins (D)
    int endIndex = 0;   // … and where it ends
    PointOfSail pointOfSail = PointOfSail::Upwind;
    double directDistance = 0.0;    // v: nm, straight line from start to end
    double duration = 0.0;          // T: s
    double portDistance = 0.0;      // p: nm sailed with the wind angle above 0
    double starboardDistance = 0.0; // s: nm sailed with the wind angle 0 or below
    bool hasValues = false;         // the triangle (v, p, s) is valid: BSP, TWA and VMG are set
    double BSP = 0.0;               // knots
    double TWA = 0.0;               // degrees
    double VMG = 0.0;               // knots, negative downwind
    platform::LocalDateTime startTime, endTime; // StartTime + the times at the two ends
};

struct BoatSailLegs {
    QString name;
    bool hasSpan = false;  // a start point and an end point were found
    QVector<SailLeg> legs; // the closed sail legs, in order (leg m is legs[m − 1])
    // The sail leg counter the boat reached: closed sail legs + 1 (1 for a boat without span).
    int counter() const { return int(legs.size()) + 1; }
};

struct SailData {
    QString raceName;            // the file's first line
    QVector<BoatSailLegs> boats; // in boat order
    // Sail legs the file has columns for: the largest counter over the boats (at least 1).
    int columnCount() const;
};

// Sail legs of one track: from the first point at or after 0 s to the point where the boat
// passed `endTime` (its passing of the second-to-last course entry), split wherever the point
// of sail against windDirection (degrees) changes. startTime is the race start.
BoatSailLegs computeSailLegs(const BoatTrack &track, double windDirection, double endTime,
                             const RaceExtent &extent, const platform::LocalDateTime &startTime);

// Sail legs of every boat of the race, with the passing times of `stats`.
SailData ComputeSailData(const RaceControl &race, const RaceData &data, const LegStats &stats,
                         const QString &singleTrackFile = {});

// The file's lines (without line ends).
QStringList sailDataLines(const SailData &data);

// Name of the file in saildata: the race control file name up to its last "." (the whole name
// when it has none) + ".csv"; for a single track shown without a race control file, the track
// file's name in the same way. Empty when there is neither.
QString sailDataFileName(const QString &raceFileName, const QString &singleTrackFile);

// Computes and writes "\saildata\<name>.csv" below settings.ApplicationFolder (the folder is
// created when missing, an existing file replaced). Leaves race.ShownWindDirection at the mean
// wind direction. Returns true when the file was written (the caller beeps); otherwise shows a
// message through platform::dialogs() and returns false. *writtenPath gets the file's path.
bool ExportSailData(const AppSettings &settings, RaceControl &race, const RaceData &data,
                    const LegStats &stats, QString *writtenPath = nullptr);
