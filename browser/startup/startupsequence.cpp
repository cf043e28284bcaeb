#include "startupsequence.h"

#include "startuptexts.h"

#include <appfolder.h>
#include <appsettings.h>
#include <dialogs.h>
#include <racecontrol.h>
#include <racecontrolfile.h>
#include <system.h>

#include <QDir>
#include <QEventLoop>
#include <QTimer>

int StartupSystem::userLocaleId() const
{
    return platform::userLocaleId();
}

bool StartupSystem::isOnOpticalDisc(const QString &folder) const
{
    return platform::isOnOpticalDisc(folder);
}

bool StartupSystem::startProgram(const QString &path)
{
    return platform::startProgram(path);
}

void StartupSystem::waitResponsive(int milliseconds)
{
    // An event loop, not a sleep: the windows keep painting while the unpacker runs.
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

QString withoutTrailingSeparator(const QString &folder)
{
    QString f = folder;
    while (f.size() > 1 && (f.endsWith(u'/') || f.endsWith(u'\\')))
        f.chop(1);
    return f;
}

void applyInterfaceLanguage(AppSettings &settings, UiLanguage language)
{
    settings.Scale = 1.0f;
    settings.EnglishFontName = QStringLiteral("MS Sans Serif");
    settings.JapaneseFontName = QStringLiteral("MS P ゴシック");
    settings.setLanguage(language);
}

bool localeAccepted(const AppSettings &settings, int userLocaleId)
{
    constexpr int EnglishUnitedStates = 1033;
    return !settings.isEnglish() || userLocaleId == EnglishUnitedStates;
}

QString raceForViewing(const QString &applicationFolder)
{
    // An empty "racefile.st" names nothing; the first race of the folder is better than none.
    const QString named = readStartupRaceFile(applicationFolder);
    if (!named.isEmpty())
        return named;
    const QStringList races = platform::listFiles(applicationFolder, QStringLiteral("\\raceadmin\\*.txt"));
    return races.isEmpty() ? QString() : races.first();
}

static QString programPath(const AppSettings &settings, const QString &relativePath)
{
    return platform::resolvePath(settings.ApplicationFolder, relativePath);
}

bool startTool(const AppSettings &settings, StartupSystem &system, const QString &relativePath)
{
    const QString path = programPath(settings, relativePath);
    if (system.startProgram(path))
        return true;
    platform::dialogs().message(startupText(settings, StartupText::ToolStartFailed) + QStringLiteral("\r\n")
                                    + QDir::toNativeSeparators(path),
                                settings.ProgramTitle);
    return false;
}

StartupOutcome runStartupSequence(const QString &applicationFolder, AppSettings &settings,
                                  RaceControl &race, StartupSystem &system)
{
    settings.ApplicationFolder = withoutTrailingSeparator(applicationFolder);
    const QString &folder = settings.ApplicationFolder;

    applyInterfaceLanguage(settings, readInterfaceLanguage(folder));
    platform::setDefaultCaption(settings.ProgramTitle);

    if (!localeAccepted(settings, system.userLocaleId())) {
        platform::dialogs().message(startupText(settings, StartupText::LocaleMessage), settings.ProgramTitle);
        return StartupOutcome::Quit;
    }

    settings.ScaleX = float(system.twipsPerPixelX() / 15.0);
    settings.ScaleY = float(system.twipsPerPixelY() / 15.0);
    settings.Scale = settings.ScaleX;

    if (system.isOnOpticalDisc(folder) && platform::fileExists(folder, QStringLiteral("\\setup.exe"))) {
        if (platform::dialogs().askYesNo(startupText(settings, StartupText::InstallQuestion), settings.ProgramTitle)) {
            platform::dialogs().message(startupText(settings, StartupText::InstallNotice), settings.ProgramTitle);
            // An installer that does not start leaves the user running from the disc rather
            // than with nothing at all.
            if (startTool(settings, system, QStringLiteral("\\setup.exe")))
                return StartupOutcome::Quit;
        }
    }

    if (!platform::folderExists(folder, QStringLiteral("\\gpsdat"))
        && platform::fileExists(folder, QStringLiteral("\\data.exe"))) {
        platform::dialogs().message(startupText(settings, StartupText::ExpansionMessage),
                                    startupText(settings, StartupText::ExpansionCaption));
        // The unpacker tells nobody when it is done; it is given a fixed minute. Waiting for
        // a program that never started would only hold the user up.
        if (startTool(settings, system, QStringLiteral("\\data.exe")))
            system.waitResponsive(ExpansionWaitMilliseconds);
    }

    // The Japanese question keeps the default caption of the original program.
    const QString editCaption = settings.text(settings.ProgramTitle, QString());
    settings.EditMode = platform::dialogs().askYesNo(startupText(settings, StartupText::EditQuestion), editCaption);
    if (settings.EditMode)
        return StartupOutcome::ShowMenu;

    race.FileName = raceForViewing(folder);
    settings.SingleTrackFile.clear();
    if (race.FileName.isEmpty()) {
        platform::dialogs().message(startupText(settings, StartupText::NoRaceToShow), settings.ProgramTitle);
        return StartupOutcome::Quit;
    }
    return StartupOutcome::ShowRace;
}
