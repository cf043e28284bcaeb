// orvane2007's race control file reader, twice in a row on the same input: the second read
// starts from the race the first one left, as the viewer reads one race after another.
#include "viewerfuzzrace.h"

#include <trackreader.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    ReadProblems problems;
    ViewerRace race = viewerRaceOf(bytes, problems);
    parseRaceControl(fuzz::textLines(bytes), fuzzFolder(), QStringLiteral("race.txt"),
                     QStringLiteral("raceadmin/race.txt"), race, problems);
    updateRaceTimes(race);
    (void)trackWindowOf(race);
    for (const ReadProblem &p : std::as_const(problems)) {
        (void)p.toString(0);
        (void)p.toString(1);
    }
    return 0;
}
