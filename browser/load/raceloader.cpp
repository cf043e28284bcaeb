#include "raceloader.h"

#include "raceextent.h"

#include <coastlines.h>
#include <racecontrolfile.h>
#include <trackfileparser.h>
#include <windfile.h>

#include <appfolder.h>
#include <dialogs.h>

#include <QDir>

#include <algorithm>

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

// The track load loop: every boat's file in boat order, the extent widened after each.
// A file that is gone or unreadable when its turn comes is named in a message; its boat stays
// in the race without a track (the race control file still names it), and the others load.
void loadTracks(AppSettings &settings, RaceControl &race, RaceData &data, LoadObserver &observer, LoadResult &result)
{
    data.Extent = RaceExtent();
    race.FirstFixTime = {};
    race.LastFixTime = {};
    const QString &app = settings.ApplicationFolder;
    const int count = race.boatCount();
    for (int b = 1; b <= count; ++b) {
        const BoatEntry boat = race.Boats[b - 1];
        const QString path = trackPath(settings, boat.TrackFile);
        const QString problemFile = problemFileName(app, platform::resolvePath(app, QStringLiteral("gpsdat/") + boat.TrackFile));
        BoatTrack track;
        if (!platform::fileExists(app, QStringLiteral("gpsdat/") + boat.TrackFile)) {
            platform::dialogs().message(settings.text(QStringLiteral("No GPS file  (") + path + QStringLiteral(")  be sure !"),
                                                      QStringLiteral("GPSファイルがありません。(") + path +
                                                          QStringLiteral(")\u3000ファイル名を正確に！！")));
            result.problems.append({problemFile, 0, FileProblem::TrackFileGone, {}});
            data.Tracks.append(std::move(track));
            continue;
        }
        observer.trackProgress(loadProgress(settings, race, b));
        const TrackParseResult parsed = ParseTrackFile(settings, race, b, track);

        switch (parsed.status) {
        case TrackParseResult::Missing:
            platform::dialogs().message(settings.text(QStringLiteral("No GPS file  (") + path + QStringLiteral(")  be sure !"),
                                                      QStringLiteral("GPSファイルがありません。(") + path +
                                                          QStringLiteral(")\u3000ファイル名を正確に！！")));
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
        widenExtent(data.Extent, track.Points);
        data.Tracks.append(std::move(track));
    }
}

} // namespace

LoadResult LoadRace(AppSettings &settings, RaceControl &race, RaceData &data, LoadObserver *observer)
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

    loadTracks(settings, race, data, obs, result);
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

    for (BoatTrack &track : data.Tracks)
        deriveTrackValues(track.Points, data.Extent);
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
