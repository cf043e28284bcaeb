// orvane's GPS track file parser, read for two boats of one race as the race load reads them
// (the second file sees the start, finish and window the first one left), then the extent and
// the per-point values the load derives.
#include "browserrace.h"

#include <raceextent.h>
#include <trackfileparser.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const auto input = fuzz::splitRaceAndFile(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    RaceControl rc = browserRaceOf(input.race);

    RaceExtent extent;
    QVector<BoatTrack> tracks(2);
    for (BoatTrack &track : tracks) {
        const TrackParseResult parsed = parseTrackBytes(input.file, rc, track, QStringLiteral("gpsdat/a.trk"));
        for (const FileProblem &p : parsed.problems)
            (void)p.toString(UiLanguage::English);
        widenExtent(extent, track.Points);
    }
    if (rc.DisplayEnd.isNull()) {
        rc.DisplayEnd = rc.FinishTime;
        rc.RaceDuration = rc.StartTime.secsTo(rc.FinishTime);
    }
    for (BoatTrack &track : tracks)
        deriveTrackValues(track.Points, extent);
    (void)speedBarScale(referenceSpeed(tracks[0].Points, double(rc.RaceDuration)));
    (void)coordinateFormOfUnitLine(input.file);
    return 0;
}
