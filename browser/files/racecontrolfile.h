// The race control file (raceadmin/*.txt) and its two companions in raceadmin: the start-up
// race file "racefile.st" and the language file "Ver.00".
//
// A race control file is CP932 text, one record a line: a key, a comma and values separated by
// commas ("BN, a.trk, Boat A"). The writer emits the keys in a fixed order with fixed number
// forms; reading a file and writing it back keeps every value.
//
// Decisions on lines outside the format (each is skipped and reported as a warning with its
// line number; reading goes on):
//   - a line without a comma, or with an empty key;
//   - a BN line with an empty track file name; a BN line without a second comma takes the
//     whole value as the track file and names the boat after it, up to its first ".";
//   - an MK line with fewer than two values, an LN line with fewer than four;
//   - BN, MK, LN, AT lines past the bounds (50, 30, 10, 50), course entries past the 50th and
//     empty course entries, MAP lines past the 20th;
//   - a TD value that is not a number counts as 0 (the load then takes 9);
//   - an ST or FT date-time that cannot be read counts as absent.
#pragma once

#include "racecontrol.h"

#include <QString>
#include <QStringList>

// Resets the race part of rc (counts, titles, times, TimeDifference, NorthUp, lay lines,
// pre-start time; MagneticVariation, BoatLength and WindDirection keep their values) and fills
// it from the lines of a race control file. No file system access and no message.
void parseRaceControl(const QStringList &lines, RaceControl &rc, QStringList *warnings = nullptr);

// The lines of a race control file for rc, in the writer's order and number forms.
QStringList formatRaceControl(const RaceControl &rc);

// Reads raceadmin/<rc.FileName> below applicationFolder into rc and runs the checks: a wind file
// that does not exist is cleared silently; when a boat's track file is missing, one message
// names the first missing file and every boat without a file is dropped. Then sets
// ChartRotation, BoatLength 4.7 when 0, DisplayStart, DisplayEnd and RaceDuration.
// A file that cannot be read gives a message naming it and returns false (rc is left reset).
bool ReadRaceControl(const AppSettings &settings, RaceControl &rc, QStringList *warnings = nullptr);

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

// "Ver.00": the interface language value, the number after the first comma of the first line;
// 0 (Japanese) when the file is missing or the line has no comma.
int readLanguageValue(const QString &applicationFolder);
bool writeLanguageFile(const QString &applicationFolder, int languageValue, QString *error = nullptr);
