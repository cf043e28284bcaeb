// The viewer's program-wide state and the decisions of its start-up: the language from the
// user's locale, the single-instance key, the race list of raceadmin, the race shown first, the
// race AutoNext goes on to and the SHOW button's choice. The window (and orvane2007-report)
// drive these; nothing here shows anything.
#pragma once

#include "boatcolours.h"
#include "readproblem.h"
#include "viewerloader.h"

#include <QString>
#include <QStringList>

struct ViewerSession {
    QString ApplicationFolder; // folder of the executable, no trailing separator
    QString ExportFolder;      // the user's documents folder: where the KML document goes
    int Language = 0;          // 0 Japanese; 1 (chosen by the flag) or 2 (chosen at start-up) English
    bool OffersLanguageSwitch = false; // only a Japanese locale may switch to English and back
    int Tips = 1;              // hints are shown while 1
    int AutoNext = 1;          // 1: the next race follows at the end of one
    QStringList RaceList;      // names (no folder) of raceadmin/*.txt
    int CurrentIndex = 1;      // 1-based into RaceList
    int SelectedIndex = 0;     // 1-based, set when the user picks a race in the list
    QString CurrentRacePath;   // full path of the race control file shown
    QString TitleText;         // the window caption of the race shown
    int FirstLoadDone = 0;     // 0 until the first race has been loaded (progress on the splash)
    int FrameInterval = 50;    // ms
    ViewerRgb Sea[5] = {SeaColours[0], SeaColours[1], SeaColours[2], SeaColours[3], SeaColours[4]};

    bool isEnglish() const { return Language >= 1; }
    int raceCount() const { return int(RaceList.size()); }
};

// The user's locale as a Windows locale identifier: 1041 is Japanese (ja_JP).
constexpr int JapaneseLocaleId = 1041;
// 0 (Japanese) for a Japanese locale, else 2 (English, no switching offered).
int languageForLocale(int localeId);

// The key of the single-instance lock: one viewer per user. A second start finds the lock
// taken, asks the running viewer to come to the front (platform InstanceActivation) and ends.
QString viewerInstanceKey();

// The race control files of raceadmin (names, no folder), case-insensitively by name.
QStringList findRaceList(const QString &applicationFolder);

// Full path of a race named in raceadmin (matched without regard to case).
QString racePathFor(const QString &applicationFolder, const QString &raceName);

// 1 + the position of the first entry whose lower-case name occurs in the lower-case path;
// 0 when none does.
int raceIndexOf(const QStringList &raceList, const QString &path);

// The start-up of the session, in the window's order: documents folder, language, application
// folder, race list, the race shown first (the one "racefile.st" names, else the first of the
// list; a racefile.st naming a file that is not in raceadmin is reported and the first of the list
// shown), its index in the list.
void startSession(ViewerSession &session, const QString &applicationFolder, const QString &exportFolder,
                  int localeId, ReadProblems &problems);

// Loads the session's current race: previous is the race shown (kept when the load fails).
// Sets the title text and marks the first load done.
ViewerLoadResult loadCurrentRace(ViewerSession &session, LoadedViewerRace &shown, int mapWidth, int mapHeight,
                                 ViewerLoadObserver *observer = nullptr);

// AutoNext: the next race of the list (after the last comes the first) becomes current. True
// when its file exists, so that it can be loaded.
bool advanceToNextRace(ViewerSession &session);

// The SHOW button with the text of the race list box: AlreadyShown when that text occurs in the
// current path ("Already shown."), else the named race becomes current (index := the selected
// one) and is to be loaded.
enum class ShowChoice { AlreadyShown, Load };
ShowChoice chooseRaceToShow(ViewerSession &session, const QString &listText);
