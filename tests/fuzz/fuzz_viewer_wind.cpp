// orvane2007's wind file reader, timed from the race's start.
#include "viewerfuzzrace.h"

#include <windreader.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const auto input = fuzz::splitRaceAndFile(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    ReadProblems problems;
    const ViewerRace race = viewerRaceOf(input.race, problems);
    (void)parseWindFile(fuzz::textLines(input.file), race.Start, QStringLiteral("winddat/w.csv"), problems);
    for (const ReadProblem &p : std::as_const(problems))
        (void)p.toString(0);
    return 0;
}
