// What orvane-report prints: a loaded race with its passing times, the Data page's leg
// figures and the sail legs, as JSON or as a CSV leg table. Built from the same model and the
// same computations as the race display, so the numbers are the ones the Data page shows.
//
// Units as inside the program: times in seconds from the start time (date-times as
// "yyyy/mm/dd hh:mm:ss" local time), positions in minutes of arc, distances in nautical miles
// (leg tables in metres), speeds in knots, angles in degrees. A passing time of 0 means "not
// passed"; a leader time of 1000000 means no boat qualified.
#pragma once

#include <legstats.h>
#include <racecontrol.h>
#include <racedata.h>
#include <saildata.h>

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

struct ReportOptions {
    bool points = false; // each boat's track points as [time, lat, lon, distance, speed, course]
};

// Everything the report prints, computed once.
struct RaceReport {
    const RaceControl *race = nullptr;
    const RaceData *data = nullptr;
    LegStats stats;  // both computations done
    SailData sail;
    double referenceSpeed = 0.0;
};

// Runs the passing-time and distance computations (when the course has entries) and the sail
// legs. race and data must outlive the result.
RaceReport buildRaceReport(const RaceControl &race, const RaceData &data, double referenceSpeed,
                           const QString &singleTrackFile = {});

QJsonObject reportJson(const RaceReport &report, const ReportOptions &options = {});

// The Data page's tables as CSV (computeLegTables: the numbers the page shows), one row per
// boat: the name, then per course entry the passing time (s), accumulated distance (m) and
// accumulated speed (kn, 0 when not passed), then per leg the leg time (s), leg distance (m)
// and leg speed (kn, truncated to 0.001), empty where the boat did not pass the leg's entry
// (the speed also where the leg took no time). Course entries past the ones the analysis
// looks at (LegStats::MaxEntries) get no columns. The first line names the columns.
QStringList reportCsv(const RaceReport &report);
