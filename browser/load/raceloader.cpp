#include "raceloader.h"

#include "raceextent.h"

#include <coastlines.h>
#include <racecontrolfile.h>
#include <trackfileparser.h>
#include <windfile.h>

#include <appfolder.h>
#include <dialogs.h>
#include <orderedparallel.h>

#include <QDir>

#include <algorithm>
#include <vector>

QString raceCaption(const AppSettings &settings, const RaceControl &race)
{
    QString caption = settings.text(QStringLiteral(" \"orvane\" Race Browser"), QStringLiteral("オルバネ"));
    for (const QString *title : {&race.Title1, &race.Title2, &race.Title3}) {
        if (!title->isEmpty())
            caption += QLatin1String("   ") + *title;
    }
    const QString &name = race.FileName.isEmpty() ? settings.SingleTrackFile : race.FileName;
    return caption + QLatin1String("   (") + name + QLatin1Char(')');
}

LoadProgress loadProgress(const AppSettings &settings, const RaceControl &race, int boat)
{
    LoadProgress p;
    p.boat = boat;
    p.boatCount = race.boatCount();
    p.line1 = race.FileName + QStringLiteral("    ( %1 / %2)").arg(boat).arg(p.boatCount);
    const QString file = boat >= 1 && boat <= race.boatCount() ? race.Boats[boat - 1].TrackFile : QString();
    p.line2 = settings.isEnglish() ? QStringLiteral("Loading GPS data     ( ") + file + QLatin1Char(')')
                                   : QStringLiteral("GPSﾃﾞｰﾀ\u3000（\u3000") + file + QStringLiteral("）\u3000を読み込み中");
    p.barUnits = p.boatCount > 0 ? boat * ProgressBarUnits / p.boatCount : 0;
    return p;
}

namespace {

QString trackPath(const AppSettings &settings, const QString &trackFile)
{
    return QDir::toNativeSeparators(platform::resolvePath(settings.ApplicationFolder, QStringLiteral("gpsdat/") + trackFile));
}

// One boat's file as it was read, for the load to take over in boat order.
struct ParsedBoat {
    bool exists = false;    // the file was there when its turn came
    RaceControl race;       // the race the file was parsed on, with the fields the parse moves
    BoatTrack track;
    RaceExtent bounds;      // of this track alone
    TrackParseResult parsed;
};

// The track load loop: every boat's file, the extent widened by each. The files are parsed on
// every core, each on its own copy of the race; everything else happens on the calling thread
// in boat order, as one file after another: the progress, the messages, the problems listed,
// the start, finish and fix times the files set, the extent.
// A file that is gone or unreadable when its turn comes is named in a message; its boat stays
// in the race without a track (the race control file still names it), and the others load.
void loadTracks(AppSettings &settings, RaceControl &race, RaceData &data, LoadObserver &observer, LoadResult &result,
                int threads)
{
    data.Extent = RaceExtent();
    race.FirstFixTime = {};
    race.LastFixTime = {};
    const QString &app = settings.ApplicationFolder;
    const int count = race.boatCount();
    std::vector<ParsedBoat> boats(static_cast<size_t>(count));
    data.Tracks.reserve(count);

    auto parse = [&](int i) {
        ParsedBoat &boat = boats[size_t(i)];
        boat.exists = platform::fileExists(app, QStringLiteral("gpsdat/") + std::as_const(boat.race.Boats)[i].TrackFile);
        if (!boat.exists)
            return;
        boat.parsed = ParseTrackFile(settings, boat.race, i + 1, boat.track);
        widenExtent(boat.bounds, boat.track.Points);
    };
    auto takeOver = [&](int i) {
        ParsedBoat &boat = boats[size_t(i)];
        const int b = i + 1;
        const QString &trackFile = race.Boats[i].TrackFile;
        const QString path = trackPath(settings, trackFile);
        const QString problemFile = problemFileName(app, platform::resolvePath(app, QStringLiteral("gpsdat/") + trackFile));
        const QString gone = settings.text(QStringLiteral("No GPS file  (") + path + QStringLiteral(")  be sure !"),
                                           QStringLiteral("GPSファイルがありません。(") + path +
                                               QStringLiteral(")\u3000ファイル名を正確に！！"));
        if (!boat.exists) {
            platform::dialogs().message(gone);
            result.problems.append({problemFile, 0, FileProblem::TrackFileGone, {}});
            data.Tracks.append(BoatTrack());
            return;
        }
        observer.trackProgress(loadProgress(settings, race, b));
        const TrackParseResult &parsed = boat.parsed;
        switch (parsed.status) {
        case TrackParseResult::Missing:
            platform::dialogs().message(gone);
            result.problems.append({problemFile, 0, FileProblem::TrackFileGone, {}});
            break;
        case TrackParseResult::Unreadable:
            platform::dialogs().message(settings.text(QStringLiteral("The GPS file could not be read  (") + path + QLatin1Char(')'),
                                                      QStringLiteral("GPSファイルを読めません。(") + path + QLatin1Char(')')));
            result.problems.append({problemFile, 0, FileProblem::FileUnreadable, parsed.error});
            break;
        case TrackParseResult::WrongName:
            result.problems.append({problemFile, 0, FileProblem::NotTrackFileName, {}});
            break;
        case TrackParseResult::TooShort:
            result.problems.append({problemFile, 0, FileProblem::TrackFileTooShort, {}});
            break;
        case TrackParseResult::Read:
            result.problems << parsed.problems;
            if (parsed.accepted == 0)
                result.problems.append({problemFile, 0, FileProblem::NoFixInRaceWindow, {}});
            break;
        }
        mergeTrackTimes(race, boat.race, parsed);
        widenExtent(data.Extent, boat.bounds);
        data.Tracks.append(std::move(boat.track));
        boat = ParsedBoat();
    };

    // Without a start time the first fix read sets it, and with it the time axis of every
    // track: the files are read one by one until one has set it.
    int first = 0;
    for (; first < count && race.StartTime.isNull(); ++first) {
        boats[size_t(first)].race = race;
        parse(first);
        takeOver(first);
    }
    // The others side by side, each on the race as it stands now (see mergeTrackTimes).
    for (int i = first; i < count; ++i)
        boats[size_t(i)].race = race;
    platform::orderedParallelFor(
        count - first, [&](int k) { parse(first + k); }, [&](int k) { takeOver(first + k); }, threads);
}

} // namespace

LoadResult LoadRace(AppSettings &settings, RaceControl &race, RaceData &data, LoadObserver *observer, int threads)
{
    LoadObserver none;
    LoadObserver &obs = observer ? *observer : none;
    LoadResult result;

    obs.loadStarting();
    settings.SeaColour = SeaColours[0];
    data = RaceData();

    // The race as its file describes it. The tracks fill in missing start and finish times;
    // when the tile list is written back in edit mode, that must not reach the file.
    RaceControl stored;
    if (!race.FileName.isEmpty()) {
        if (!ReadRaceControl(settings, race, &result.problems))
            return result;
        stored = race;
    } else if (!settings.SingleTrackFile.isEmpty()) {
        BoatEntry boat;
        boat.TrackFile = settings.SingleTrackFile;
        boat.Name = settings.SingleTrackFile.section(u'.', 0, 0);
        race.Boats = {boat};
    } else {
        return result;
    }
    race.ChartRotation = race.chartRotationFor();
    if (race.TimeDifference == 0)
        race.TimeDifference = 9;
    obs.raceRead(race, raceCaption(settings, race));

    loadTracks(settings, race, data, obs, result, threads);
    obs.tracksLoaded();

    if (race.FileName.isEmpty()) {
        race.RaceDuration = race.StartTime.secsTo(race.FinishTime);
        race.DisplayStart = race.StartTime;
        race.DisplayEnd = race.FinishTime;
    } else if (race.DisplayEnd.isNull()) {
        // No finish in the file (or no start, which clears it): the tracks have set the finish
        // to the latest fix taken, and the race lasts until then.
        race.DisplayEnd = race.FinishTime;
        race.RaceDuration = race.StartTime.secsTo(race.FinishTime);
    }

    data.TimeBarSpan = double(race.RaceDuration) + race.PreStartSeconds + 60.0;
    data.ReplayStart = -(race.PreStartSeconds + 30.0);
    data.ReplayEnd = double(race.RaceDuration);

    if (race.WindFile.isEmpty() || !ReadWindFile(settings, race, data.Wind, &result.problems))
        race.WindFile.clear();
    obs.timesKnown(race);

    BoatTrack *tracks = data.Tracks.data();
    platform::parallelFor(
        int(data.Tracks.size()), [&](int i) { deriveTrackValues(tracks[i].Points, data.Extent); }, threads);
    settings.ReferenceSpeed = data.Tracks.isEmpty() ? 0.0 : referenceSpeed(data.Tracks[0].Points, double(race.RaceDuration));
    data.SpeedBarScale = speedBarScale(settings.ReferenceSpeed);
    race.colourBoats();
    obs.layoutWindow(race, data);

    if (data.Extent.hasPoints())
        LoadCoastLines(settings, race, data.Extent, data.Coast, race.FileName.isEmpty() ? nullptr : &stored,
                       &result.problems);
    else
        race.CoastTiles.clear();
    obs.drawChart(race, data);

    data.LatestTrackEnd = 0.0;
    for (const BoatTrack &track : data.Tracks) {
        if (!track.isEmpty())
            data.LatestTrackEnd = std::max(data.LatestTrackEnd, track.Points.last().Time);
    }
    result.ok = true;
    obs.raceLoaded(race, data);
    return result;
}
