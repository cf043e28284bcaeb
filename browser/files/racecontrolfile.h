// The race control file (raceadmin/*.txt) and its two companions in raceadmin: the start-up
// race file "racefile.st" and the language file "Ver.00".
//
// A race control file is CP932 text, one record a line: a key, a comma and values separated by
// commas ("BN, a.trk, Boat A"). The writer emits the keys in a fixed order with fixed number
// forms; reading a file and writing it back keeps every value.
//
// Nothing the reader leaves out is lost or silent. Every line it does not take is reported as a
// problem naming its line (except blank lines and the viewer's NOTE, which belong to the format)
// and kept in RaceControl::KeptLines; the writer puts each back verbatim, after the record the
// reader last took before it, on every later write. Lines not taken:
//   - a line longer than MaxRaceControlLineChars (no record of the format comes near it: it
//     is damage, and a megabyte of title or boat name would be drawn on every frame);
//   - a line without a comma, or with an empty key; a key this reader does not know;
//   - a BN line with an empty track file name; BN, MK, LN, AT and MAP lines past the bounds
//     (50, 30, 10, 50, 20);
//   - an MK line with fewer than two values, an LN line with fewer than four;
//   - a numeric value that does not start with a number (TD must be a number as a whole), or
//     lies outside its bounds (below): the value in the race stays as it was;
//   - an ST or FT date-time that cannot be read;
//   - the BN line of a boat whose GPS file is missing, or is a folder, a link that leads to no
//     file or a device (ReadRaceControl leaves the boat out of the race, but not out of the file).
// A bound reached (boats, marks, lines, course entries, coast tiles, attachments) is reported
// once, at the first line past it; the later lines are counted with the file's problems.
// A BN line without a second comma is taken: its boat is named after the track file, up to its
// first ".", and the line is reported. Course entries past the 50th are reported and written
// back after the course while it is unchanged; empty course entries are reported and dropped.
#pragma once

#include "racecontrol.h"

#include <fileproblem.h>

#include <QString>
#include <QStringList>

// Bounds of the numeric values: a value outside is a line not taken. They keep every number
// the race code computes with (seconds, pixels) far inside the range of its integers.
constexpr double MaxMagneticVariation = 180.0; // degrees, either way
constexpr double MaxBoatLength = 1000.0;       // metres
constexpr double MaxTimeDifference = 24.0;     // hours, either way
constexpr double MaxWindDirection = 360.0;     // degrees, either way
constexpr double MaxLayLineAngle = 360.0;      // degrees, either way
constexpr double MaxPreStartMinutes = 1440.0;  // a day
constexpr double MaxLatitudeMinutes = 90.0 * 60.0;
constexpr double MaxLongitudeMinutes = 180.0 * 60.0;
// The longest line the reader takes, in characters.
constexpr int MaxRaceControlLineChars = 1024;

// Resets the race part of rc (counts, titles, times, TimeDifference, NorthUp, lay lines,
// pre-start time, kept lines; MagneticVariation, BoatLength and WindDirection keep their
// values) and fills it from the lines of a race control file. No file system access and no
// message: what it does not take goes to problems and rc.KeptLines.
void parseRaceControl(const QStringList &lines, RaceControl &rc, ProblemReporter *problems = nullptr);

// The lines of a race control file for rc, in the writer's order and number forms, with the
// kept lines in their places.
QStringList formatRaceControl(const RaceControl &rc);

// Reads raceadmin/<rc.FileName> below applicationFolder into rc and runs the checks: a wind file
// that does not exist is cleared silently; when a boat's track file is missing, one message
// names the first missing file and every boat without a file is left out of the race (each is
// reported, and its BN line is kept for the writer). Then sets ChartRotation, BoatLength 4.7
// when 0, DisplayStart, DisplayEnd and RaceDuration.
// A file that cannot be read gives a message naming it and returns false (rc is left reset).
bool ReadRaceControl(const AppSettings &settings, RaceControl &rc, FileProblems *problems = nullptr);

// Writes rc to raceadmin/<rc.FileName>, replacing the file atomically, and sets ChartRotation.
// Does nothing when FileName is empty. A file that cannot be written gives a message naming it
// and returns false; the file on disk is then left as it was.
bool WriteRaceControl(const AppSettings &settings, RaceControl &rc);

// Derived times after StartTime, FinishTime or PreStartSeconds change: DisplayStart,
// DisplayEnd and RaceDuration (only when both times are set).
void updateDerivedTimes(RaceControl &rc);

// "racefile.st": the race to show at start-up: the text up to the first comma or the end of
// the first line, without surrounding quotes and blanks. Empty when the file is missing.
QString readStartupRaceFile(const QString &applicationFolder);
bool writeStartupRaceFile(const QString &applicationFolder, const QString &raceFileName, QString *error = nullptr);

// "Ver.00": the interface language of orvane and orvane-report alike. English when the number
// after the first comma of the first line is greater than 0; Japanese when it is 0 or less,
// when there is no number there, when the line has no comma and when the file is missing.
UiLanguage readInterfaceLanguage(const QString &applicationFolder);
// The rule itself, for the text after the comma.
UiLanguage interfaceLanguageOf(QStringView languageValue);
bool writeLanguageFile(const QString &applicationFolder, int languageValue, QString *error = nullptr);
