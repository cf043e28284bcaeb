// The start and finish times set in the race display, and saving its race under a name: what
// "Above time OK" (Command4) and EXIT (Command1) decide, ask and write. QtCore only; the race
// display (racefileactions.h) reads its boxes, calls these and loads the race again.
//
// New times must be date-times near the GPS data of the last load: the start within 239 hour
// boundaries of the first GPS record, the finish within 239 of the last one (so within ten
// days), and the finish after the start. Questions and messages go through
// platform::dialogs().
//
// Saving asks for a name in an input box whose default answer is the race's file name. An
// empty answer or cancel saves nothing. ".txt" is appended unless the answer holds ".txt" or
// ".TXT" ("race2" → "race2.txt", "race2.TXT" and "race2.txt.bak" stay). The file goes to
// raceadmin and replaces one of that name without asking. A name that would leave raceadmin
// (one with "/" or "\") is refused with "Input File Name" and asked again.
#pragma once

#include <appsettings.h>
#include <localdatetime.h>
#include <racecontrol.h>

#include <QString>

#include <optional>

// Hour boundaries passed from a to b (b − a with both cut down to their hour, so 10:59 → 11:01
// is 1 and 10:01 → 10:59 is 0); 0 when either is null.
qint64 hourBoundariesBetween(const platform::LocalDateTime &a, const platform::LocalDateTime &b);

// How far new times may lie from the GPS data, in hour boundaries either way.
constexpr qint64 MaxHoursFromGpsData = 239;

struct RaceTimes {
    platform::LocalDateTime start;
    platform::LocalDateTime finish;
};

// The times typed into the start and finish boxes when both are date-times, the start within
// MaxHoursFromGpsData of race.FirstFixTime, the finish within it of race.LastFixTime and after
// the start; nothing otherwise. A race without GPS records (no first or last record) checks
// only the form and the order.
std::optional<RaceTimes> checkRaceTimes(const QString &startText, const QString &finishText, const RaceControl &race);

// The file name an answer of the name prompt gives: the answer without surrounding blanks,
// ".txt" appended when it holds neither ".txt" nor ".TXT". Empty for an empty answer.
QString raceFileNameForAnswer(const QString &answer);
// A name that stays inside raceadmin: no "/" or "\", not "." or "..".
bool isPlainFileName(const QString &name);

enum class RaceNamePrompt { NewTimes, Exit };

// Asks for a name and writes the race to raceadmin under it (FileName := the name,
// WriteRaceControl). False when nothing was written: cancelled, empty, or a write that failed
// (its message was shown and FileName keeps its old value).
bool SaveRaceUnderName(const AppSettings &settings, RaceControl &race, RaceNamePrompt prompt);

// "Above time OK". Times that checkRaceTimes refuses give the date format message and change
// nothing (false). Valid times become StartTime, FinishTime, DisplayStart and DisplayEnd; with
// at least two boats in edit mode the user is asked whether to save the race control file and
// may save it under a name. True: the caller loads the race again.
bool AcceptNewTimes(const AppSettings &settings, RaceControl &race, const QString &startText,
                    const QString &finishText);

// EXIT: in edit mode with a race control file, asks whether to save it and may save it under a
// name. The caller closes the race display afterwards, whatever the answers.
void OfferSaveOnExit(const AppSettings &settings, RaceControl &race);
