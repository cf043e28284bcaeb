// Wind data files (winddat/*.csv) and the wind at a replay time.
//
// The race load reads the race's wind file (ReadWindFile); the manual wind entry writes one
// (WriteWindFile); the frame renderer and the wind indicator ask for the wind at a time
// (WindAt).
//
// Format: CP932 text, CR LF. Line 1 is a header ("TIME,WIND SPEED,WIND DIRECTION (Mag)"),
// skipped whatever it holds. Each further line: local date-time, speed in knots, direction in
// degrees magnetic, further values ignored. Only lines inside the race's load window are taken
// (whole-minute differences from DisplayStart and to DisplayEnd, as for track files).
//
// The date-time is the system's default text of the machine that wrote the file: "2008/05/03
// 10:34:00" on a Japanese system, "5/3/2008 10:34:00 AM" on an English (United States) one;
// both are read (LocalDateTime::parseSystemText). The writer writes the first.
// Lines whose date-time cannot be read, with fewer than three values, or whose speed or
// direction is not a number are skipped and reported; blank lines are passed over.
#pragma once

#include <appsettings.h>
#include <fileproblem.h>
#include <racecontrol.h>
#include <racedata.h>

#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

// "TIME,WIND SPEED,WIND DIRECTION (Mag)"
QString windFileHeader();

// The wind file name the manual entry gives a race: FileName up to its first "." + "_WIND.CSV".
QString manualWindFileName(const QString &raceFileName);

// The samples of a wind file's lines (header included) inside rc's load window, Time in
// seconds from rc.StartTime.
QVector<WindSample> parseWindLines(const QStringList &lines, const RaceControl &rc, ProblemReporter *problems = nullptr);
// The lines of a wind file for samples on rc's time axis (header first).
QStringList formatWindLines(const QVector<WindSample> &samples, const RaceControl &rc);

// Reads winddat/<rc.WindFile> into samples (replaced). False when the name is empty or the file
// is missing or unreadable (samples empty then, no message; an unreadable file is a problem).
bool ReadWindFile(const AppSettings &settings, const RaceControl &rc, QVector<WindSample> &samples,
                  FileProblems *problems = nullptr);
// Writes samples to winddat/<rc.WindFile>, replacing the file atomically (the folder is made
// when missing). A race without a start time or a file that cannot be written gives a message
// naming the file and returns false; the file on disk is then left as it was.
bool WriteWindFile(const AppSettings &settings, const RaceControl &rc, const QVector<WindSample> &samples);

// Where the last search for a bracketing pair of samples ended; kept by the race display
// between calls. index is the 0-based k of the pair (k, k + 1), −1 when none.
struct WindSearch {
    int index = -1;
};

struct ShownWind {
    double Speed = 0.0;     // knots, rounded half up to 0.1
    double Direction = 0.0; // degrees true, 0 ≤ d < 360
};

// The wind at replay time t (seconds from the start), interpolated between the two samples
// that bracket t, the direction turning the short way and corrected by magneticVariation
// (degrees, west negative). forward is the direction of play (where the search from the kept
// index goes first). Before the first sample the first one holds, after the last the last
// one; a jump the search from the kept index cannot follow falls back to a search of all
// samples. Nothing when there are no samples.
std::optional<ShownWind> windAt(const QVector<WindSample> &samples, double t, bool forward,
                                double magneticVariation, WindSearch &search);

// Sets rc.ShownWindSpeed and rc.ShownWindDirection to the wind at t (rc.MagneticVariation);
// leaves them as they are and returns false when there are no samples.
bool WindAt(RaceControl &rc, const QVector<WindSample> &samples, double t, bool forward, WindSearch &search);
