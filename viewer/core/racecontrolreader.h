// The viewer's reader of race control files (raceadmin/*.txt). It differs from the browser's on
// purpose:
//   - it also reads NOTE (a text for the caption) and a third BN value, the boat's time offset
//     in seconds (only when the line has four or more items, else 0); a BN line that gives
//     only the GPS file names the boat after the file, up to its first ".";
//   - a boat is taken only when its GPS file exists in gpsdat, an attachment only when its file
//     exists in attachment; the others are left out and reported;
//   - there are no defaults for LL, TD or LG: a key the file lacks keeps the previous race's
//     value (ST, FT, TD, WD, MG, LG, LL and NOTE). Only the boats, marks, lines, course, MAP
//     list, attachments, NU, T1, T2 and WF are reset, and BT becomes 3 minutes;
//   - MAP names are kept as read; the coast files are chosen anew from the race area.
//
// Items are separated by "," and trimmed (lineitems.h). Unknown keys are ignored, as every
// reader of the format ignores them. A key may repeat; the last value wins, except for the keys
// that add an entry (BN, MK, LN, AT). T1, T2 and NOTE take all the text after the first comma,
// so a title or note with a comma in it is shown whole.
//
// Decisions on lines outside the format (each is reported with its line and skipped; reading
// goes on): a line longer than ViewerMaxLineChars, a key without the values it needs, a number
// or date-time that cannot be read (the key keeps its previous value), entries past the bounds
// the race browser writes (50 boats, 30 marks, 10 lines, 50 course names, 50 attachments; each
// bound told once, at the first entry past it), a negative BT (3 minutes are used). A boat
// whose GPS file is missing, a folder, a link that leads to no file or a device is left out.
#pragma once

#include "readproblem.h"
#include "viewerrace.h"

#include <QString>
#include <QStringList>

constexpr int ViewerMaxBoats = 50;
// A boat's clock offset (the third BN value), seconds either way: a year.
constexpr int ViewerMaxOffsetSeconds = 366 * 86400;
constexpr int ViewerMaxMarks = 30;
constexpr int ViewerMaxLines = 10;
constexpr int ViewerMaxCourseNames = 50;
constexpr int ViewerMaxAttachments = 50;
// The longest line taken, in characters: no record comes near it; a longer line is damage.
constexpr int ViewerMaxLineChars = 1024;

// Reads the lines of a race control file into race, which holds the previous race's values on
// entry. applicationFolder is where gpsdat and attachment are looked for; relativeFile names the
// file in problems. Afterwards the UTC start and finish, the playback period and the title text
// are set (raceFileName is used for the title when T1 and T2 say nothing).
void parseRaceControl(const QStringList &lines, const QString &applicationFolder, const QString &raceFileName,
                      const QString &relativeFile, ViewerRace &race, ReadProblems &problems);

// The period and UTC times that follow from ST, FT, TD and BT: start' = ST − TD hours,
// finish' = FT − TD hours, period from −BT − 10 s to (FT − ST) + 30 s.
void updateRaceTimes(ViewerRace &race);
