// orvane's wind file reader, the writer of the manual wind entry and the wind at a replay
// time. Beyond not crashing: what the writer writes reads back to the same samples at the
// same times.
#include "browserrace.h"

#include <windfile.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const auto input = fuzz::splitRaceAndFile(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    const RaceControl rc = browserRaceOf(input.race);
    FileProblems problems;
    QVector<WindSample> samples;
    {
        ProblemReporter reporter(&problems, QStringLiteral("winddat/w.csv"));
        samples = parseWindLines(fuzz::textLines(input.file), rc, &reporter);
    }

    if (!rc.StartTime.isNull()) {
        const QVector<WindSample> back = parseWindLines(formatWindLines(samples, rc), rc);
        bool same = back.size() == samples.size();
        for (qsizetype i = 0; same && i < samples.size(); ++i)
            same = back[i].Time == samples[i].Time;
        if (!same) {
            std::fprintf(stderr, "%lld samples written, %lld read back\n", qint64(samples.size()), qint64(back.size()));
            std::abort();
        }
    }

    WindSearch search;
    const double times[] = {-1e9, -200.0, 0.0, 0.5, 61.0, 3600.0, 1e9, 30.0, -5.0};
    bool forward = true;
    for (double t : times) {
        const auto w = windAt(samples, t, forward, rc.MagneticVariation, search);
        if (w && (!(w->Direction >= 0.0 && w->Direction < 360.0) || !std::isfinite(w->Speed)) && std::isfinite(w->Direction)) {
            std::fprintf(stderr, "wind at %g: direction %g\n", t, w->Direction);
            std::abort();
        }
        forward = !forward;
    }
    return 0;
}
