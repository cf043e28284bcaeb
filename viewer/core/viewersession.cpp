#include "viewersession.h"

#include <appfolder.h>
#include <textfile.h>

#include <QDir>
#include <QFileInfo>

int languageForLocale(int localeId)
{
    return localeId == JapaneseLocaleId ? 0 : 2;
}

QString viewerInstanceKey()
{
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("USERNAME");
    return user.isEmpty() ? QStringLiteral("orvane2007") : QStringLiteral("orvane2007-") + user;
}

QStringList findRaceList(const QString &applicationFolder)
{
    return platform::listFiles(applicationFolder, QStringLiteral("raceadmin/*.txt"));
}

QString racePathFor(const QString &applicationFolder, const QString &raceName)
{
    return platform::resolvePath(applicationFolder, QStringLiteral("raceadmin/") + raceName);
}

int raceIndexOf(const QStringList &raceList, const QString &path)
{
    const QString lowerPath = path.toLower();
    for (int i = 0; i < raceList.size(); ++i) {
        if (lowerPath.contains(raceList[i].toLower()))
            return i + 1;
    }
    return 0;
}

void startSession(ViewerSession &session, const QString &applicationFolder, const QString &exportFolder,
                  int localeId, ReadProblems &problems)
{
    session.ExportFolder = exportFolder;
    session.FirstLoadDone = 0;
    session.AutoNext = 1;
    session.Tips = 1;
    session.Language = languageForLocale(localeId);
    session.OffersLanguageSwitch = localeId == JapaneseLocaleId;
    session.ApplicationFolder = QDir::cleanPath(applicationFolder);
    session.RaceList = findRaceList(session.ApplicationFolder);

    QString first = session.RaceList.value(0);
    const QString startup = platform::resolvePath(session.ApplicationFolder, QStringLiteral("raceadmin/racefile.st"));
    if (QFileInfo(startup).isFile()) {
        const platform::TextReadResult read = platform::readTextFile(startup);
        const QString named = read.ok ? read.lines.value(0).trimmed() : QString();
        if (!named.isEmpty() && platform::fileExists(session.ApplicationFolder, QStringLiteral("raceadmin/") + named))
            first = named;
        else
            problems.append({QDir(session.ApplicationFolder).relativeFilePath(startup), 1,
                             ReadProblem::StartupRaceMissing, {named}});
    }
    session.CurrentRacePath = racePathFor(session.ApplicationFolder, first);
    if (const int index = raceIndexOf(session.RaceList, session.CurrentRacePath))
        session.CurrentIndex = index;
    session.FrameInterval = 50;
}

ViewerLoadResult loadCurrentRace(ViewerSession &session, LoadedViewerRace &shown, int mapWidth, int mapHeight,
                                 ViewerLoadObserver *observer)
{
    ViewerLoadRequest request;
    request.ApplicationFolder = session.ApplicationFolder;
    request.RacePath = session.CurrentRacePath;
    request.MapWidth = mapWidth;
    request.MapHeight = mapHeight;
    const ViewerLoadResult result = loadViewerRace(request, shown.Race, shown, observer);
    if (result.ok()) {
        session.TitleText = shown.Race.TitleText;
        session.FirstLoadDone = 1;
    }
    return result;
}

bool advanceToNextRace(ViewerSession &session)
{
    if (session.RaceList.isEmpty())
        return false;
    session.CurrentIndex = session.CurrentIndex + 1;
    if (session.CurrentIndex > session.raceCount())
        session.CurrentIndex = 1;
    session.CurrentRacePath = racePathFor(session.ApplicationFolder, session.RaceList[session.CurrentIndex - 1]);
    return QFileInfo(session.CurrentRacePath).isFile();
}

ShowChoice chooseRaceToShow(ViewerSession &session, const QString &listText)
{
    if (session.CurrentRacePath.contains(listText))
        return ShowChoice::AlreadyShown;
    session.CurrentRacePath = racePathFor(session.ApplicationFolder, listText.trimmed());
    // A name typed rather than picked finds its place in the list by itself.
    session.CurrentIndex = session.SelectedIndex > 0 ? session.SelectedIndex
                                                     : std::max(1, raceIndexOf(session.RaceList, session.CurrentRacePath));
    return ShowChoice::Load;
}
