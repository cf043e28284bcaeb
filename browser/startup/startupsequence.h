// The start-up of the race browser as a testable sequence: from the application folder to the
// decision between the main menu and the race display. Windows are not touched here; the
// widget side shows what the outcome asks for.
#pragma once

#include <appsettings.h>

#include <QString>
#include <QStringList>

struct RaceControl;

// The services of the machine the start-up asks about. The default implementation asks the
// real machine; tests give their own answers.
class StartupSystem
{
public:
    virtual ~StartupSystem() = default;
    // Windows locale identifier of the user (1033 is English, United States).
    virtual int userLocaleId() const;
    // True when the folder lies on a CD-ROM (a read-only optical file system).
    virtual bool isOnOpticalDisc(const QString &folder) const;
    // Starts a program in a normal window without waiting; false when it cannot be started.
    virtual bool startProgram(const QString &path);
    // Waits this long while events keep being handled, so the windows stay responsive. The
    // widget side shows the hourglass pointer meanwhile.
    virtual void waitResponsive(int milliseconds);
    // Screen twips per pixel, horizontally and vertically (15 at the design resolution).
    virtual double twipsPerPixelX() const { return 15.0; }
    virtual double twipsPerPixelY() const { return 15.0; }
};

enum class StartupOutcome {
    Quit,       // the program ends (failed locale check, installation started, nothing to show)
    ShowMenu,   // edit mode: the main menu
    ShowRace,   // viewing mode: the splash and the race display on RaceControl.FileName
};

// The time the start-up waits for the data unpacker to finish.
constexpr int ExpansionWaitMilliseconds = 60 * 1000;

// Runs the start-up in order: application folder, language, fonts, locale check, screen
// scale, installation offer, basic data expansion, the edit question and, in viewing mode,
// the race to show. Messages and questions go through platform::dialogs().
StartupOutcome runStartupSequence(const QString &applicationFolder, AppSettings &settings,
                                  RaceControl &race, StartupSystem &system);

// The folder without a trailing separator (a root folder stays as it is).
QString withoutTrailingSeparator(const QString &folder);

// The interface language of "Ver.00" (readInterfaceLanguage) turned into the settings:
// language, title, fonts.
void applyInterfaceLanguage(AppSettings &settings, UiLanguage language);

// The English interface needs the English (United States) locale; the Japanese one runs on any.
bool localeAccepted(const AppSettings &settings, int userLocaleId);

// The race the viewing mode opens: the name in "racefile.st", else the first race control
// file of raceadmin; empty when there is none.
QString raceForViewing(const QString &applicationFolder);

// Starts a program of the application folder ("\GASTRA.exe") for a menu button. A program that
// cannot be started is reported by name and the program goes on. True when it started.
bool startTool(const AppSettings &settings, StartupSystem &system, const QString &relativePath);
