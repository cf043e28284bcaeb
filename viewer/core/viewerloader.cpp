#include "viewerloader.h"

#include "boatcolours.h"
#include "racecontrolreader.h"
#include "samplemotion.h"
#include "trackreader.h"
#include "windreader.h"

#include <appfolder.h>
#include <orderedparallel.h>
#include <textfile.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <vector>

namespace {

QString relativeName(const QString &folder, const QString &path)
{
    return QDir(folder).relativeFilePath(path);
}

void phase(ViewerLoadObserver *observer, ViewerLoadObserver::Phase p)
{
    if (observer)
        observer->phaseDone(p);
}

// Without a finish time (or with one before the start) the race is played to its last sample;
// without a start time nothing can be placed in time and the period is the bare pre-start.
void settlePeriod(ViewerRace &race, const QString &raceFile, ReadProblems &problems)
{
    if (race.Start.isNull()) {
        problems.append({raceFile, 0, ReadProblem::NoStartTime, {}});
        race.Period.End = 30;
        return;
    }
    if (!race.Finish.isNull() && race.Finish > race.Start)
        return;
    problems.append({raceFile, 0, race.Finish.isNull() ? ReadProblem::NoFinishTime : ReadProblem::FinishBeforeStart, {}});
    double last = 0.0;
    for (const ViewerBoat &boat : std::as_const(race.Boats)) {
        for (const ViewerSample &s : boat.Samples)
            last = std::max(last, s.Time);
    }
    race.Period.End = last + 30;
}

} // namespace

ViewerDerivations deriveRace(ViewerRace &race, const QString &applicationFolder, int mapWidth, int mapHeight,
                             ReadProblems &problems, ViewerLoadObserver *observer, int threads)
{
    ViewerDerivations d;
    assignBoatColours(race);
    d.Extent = computeExtent(race, mapWidth, mapHeight);
    d.Daylight = computeDaylight(race, d.Extent);
    phase(observer, ViewerLoadObserver::Phase::Extent);
    d.Coast = loadCoast(applicationFolder, d.Extent, problems);
    phase(observer, ViewerLoadObserver::Phase::Coast);
    d.MaxSpeed = deriveSpeedsAndCourses(race, d.Extent.CosCentreLat, threads);
    phase(observer, ViewerLoadObserver::Phase::Motion);
    d.Passes = computePassTable(race, relativeName(applicationFolder, race.Path), &problems);
    phase(observer, ViewerLoadObserver::Phase::Passings);
    return d;
}

ViewerLoadResult loadViewerRace(const ViewerLoadRequest &request, const ViewerRace &previous, LoadedViewerRace &out,
                                ViewerLoadObserver *observer)
{
    ViewerLoadResult result;
    const QString &folder = request.ApplicationFolder;
    const QFileInfo raceInfo(request.RacePath);
    const QString raceFile = relativeName(folder, request.RacePath);
    if (!raceInfo.isFile()) {
        result.status = ViewerLoadResult::RaceFileMissing;
        result.error = QStringLiteral("%1: no such race file").arg(raceFile);
        return result;
    }
    const platform::TextReadResult text = platform::readTextFile(request.RacePath);
    if (!text.ok) {
        result.status = ViewerLoadResult::Unreadable;
        result.error = text.error;
        return result;
    }

    LoadedViewerRace loaded;
    ViewerRace &race = loaded.Race;
    race = previous;
    race.Path = raceInfo.absoluteFilePath();
    race.FileName = raceInfo.fileName();
    parseRaceControl(text.lines, folder, race.FileName, raceFile, race, result.problems);
    if (text.truncated)
        result.problems.append({raceFile, 0, ReadProblem::FileTooLarge, {QString::number(platform::MaxTextFileBytes >> 20)}});
    phase(observer, ViewerLoadObserver::Phase::RaceControl);
    if (race.Boats.isEmpty()) {
        result.status = ViewerLoadResult::NoBoats;
        return result;
    }

    if (!race.WindFile.isEmpty()) {
        const QString path = platform::resolvePath(folder, QStringLiteral("winddat/") + race.WindFile);
        if (!QFileInfo(path).isFile()) {
            result.problems.append({raceFile, 0, ReadProblem::WindFileMissing, {race.WindFile}});
        } else {
            const platform::TextReadResult wind = platform::readTextFile(path);
            if (wind.ok)
                race.Wind = parseWindFile(wind.lines, race.Start, relativeName(folder, path), result.problems);
            if (wind.truncated)
                result.problems.append({relativeName(folder, path), 0, ReadProblem::FileTooLarge,
                                        {QString::number(platform::MaxTextFileBytes >> 20)}});
            if (!wind.ok)
                result.problems.append({relativeName(folder, path), 0, ReadProblem::FileUnreadable, {wind.error}});
        }
    }
    phase(observer, ViewerLoadObserver::Phase::Wind);

    // Every GPS file on every core, each into its own boat; the turns of the progress display
    // and the problems come in boat order.
    const TrackWindow window = trackWindowOf(race);
    const int boatCount = race.boatCount();
    ViewerBoat *boats = race.Boats.data();
    std::vector<ReadProblems> trackProblems(static_cast<size_t>(boatCount));
    platform::orderedParallelFor(
        boatCount,
        [&](int b) {
            ViewerBoat &boat = boats[b];
            const QString path = platform::resolvePath(folder, QStringLiteral("gpsdat/") + boat.GpsFile);
            const QString shown = relativeName(folder, path);
            ReadProblems &problems = trackProblems[size_t(b)];
            const platform::FileReadResult read = platform::readFileBytes(path, platform::MaxTrackFileBytes);
            if (!read.ok) {
                problems.append({shown, 0, ReadProblem::FileUnreadable, {read.reason}});
                boat.Samples.clear();
                boat.MeanInterval = 1;
                return;
            }
            if (read.truncated)
                problems.append({shown, 0, ReadProblem::FileTooLarge, {QString::number(platform::MaxTrackFileBytes >> 20)}});
            parseTrack(read.bytes, window, boat, shown, problems);
        },
        [&](int b) {
            if (observer)
                observer->readingBoat(b + 1, boatCount, boats[b].GpsFile, race.TitleText);
            result.problems << trackProblems[size_t(b)];
            trackProblems[size_t(b)].clear();
        },
        request.Threads);
    settlePeriod(race, raceFile, result.problems);
    for (const ViewerBoat &boat : std::as_const(race.Boats)) {
        const bool inPeriod = std::any_of(boat.Samples.begin(), boat.Samples.end(), [&race](const ViewerSample &s) {
            return s.Time >= race.Period.Start && s.Time <= race.Period.End;
        });
        if (!inPeriod)
            result.problems.append({raceFile, 0, ReadProblem::NoSamplesInPeriod, {boat.GpsFile}});
    }
    phase(observer, ViewerLoadObserver::Phase::Tracks);

    loaded.Derived =
        deriveRace(race, folder, request.MapWidth, request.MapHeight, result.problems, observer, request.Threads);
    out = std::move(loaded);
    return result;
}
