// Writes GPS track files (gpsdat/*.trk) the way a receiver's text export holds them: a few
// header lines, a datum line, a coordinate unit line and one "T" record a fix. Used by the race
// generator and the GPX converter.
//
// Times in track files are GPS time (UTC); the race control file's TD turns them into local
// time. Positions are written in one of the three coordinate forms of the format, chosen by the
// unit line: packed degrees and decimal minutes (DM, the default form of the format), decimal
// degrees (DEG) or packed degrees, minutes and seconds (DMS).
#pragma once

#include <localdatetime.h>

#include <QList>
#include <QString>
#include <QStringList>

namespace tools {

enum class TrackUnit { DM, DEG, DMS };

// The date item of a record: "03-MAR-08" (month name, two-digit year, as older receivers write
// it) or "2008/03/03". Readers take two-digit years as 20yy, so dates outside 2000 … 2099 are
// always written "yyyy/mm/dd".
enum class TrackDateForm { MonthName, Slashed };

struct TrackFix {
    double LatDeg = 0.0;             // degrees, north positive
    double LonDeg = 0.0;             // degrees, east positive
    platform::LocalDateTime Utc;     // GPS time of the fix, whole seconds
    double AltitudeM = 0.0;          // metres
};

struct TrackFileOptions {
    TrackUnit Unit = TrackUnit::DM;
    TrackDateForm DateForm = TrackDateForm::MonthName;
    QString Software = QStringLiteral("orvane tools");
    QString TrackName;               // written in a header line when not empty
};

// "DM", "DEG", "DMS" (any case) to a unit; false when the text names none of them.
bool parseTrackUnit(const QString &text, TrackUnit *unit);
QString trackUnitName(TrackUnit unit);

// One coordinate item: hemisphere letter and number in the unit's form, e.g. latitude
// 35.5 in DM gives "N3530.00000", in DEG "N35.5000000", in DMS "N353000.000".
QString formatLatitude(double latDeg, TrackUnit unit);
QString formatLongitude(double lonDeg, TrackUnit unit);

// One "T" record line (no line end).
QString formatTrackRecord(const TrackFix &fix, const TrackFileOptions &options);

// The whole file: header, datum, unit line and records. Lines without line ends (the text file
// writer adds CR LF). Fixes are written in the order given.
QStringList formatTrackFile(const QList<TrackFix> &fixes, const TrackFileOptions &options);

} // namespace tools
