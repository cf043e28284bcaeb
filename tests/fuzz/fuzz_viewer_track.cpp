// orvane2007's GPS track reader for the first boat of the race (its time offset counts), then
// every derivation of a load on that boat: extent, coast choice, speeds and courses, passings.
#include "viewerfuzzrace.h"

#include <trackreader.h>
#include <viewerloader.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const auto input = fuzz::splitRaceAndFile(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    ReadProblems problems;
    ViewerRace race = viewerRaceOf(input.race, problems);
    if (race.Boats.isEmpty()) {
        ViewerBoat boat;
        boat.GpsFile = QStringLiteral("a.trk");
        race.Boats.append(boat);
    }
    parseTrack(input.file, trackWindowOf(race), race.Boats.first(), QStringLiteral("gpsdat/a.trk"), problems);
    (void)deriveRace(race, fuzzFolder(), 800, 600, problems);
    for (const ReadProblem &p : std::as_const(problems))
        (void)p.toString(1);
    return 0;
}
