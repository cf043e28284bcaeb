// Prints how exactly the replay keeps its speed on machines that manage 20, 33 and 60 ticks a
// second: one real minute at x100 should advance the race by 6000 s (within 1 %). The machine
// is simulated on a time line of its own: ticks come at their rate with 10 % jitter, and the
// one-second measurement fires a few milliseconds late each time, as timers do; the replay
// clock does the rest.
//
// Run by hand: bench_replayrate
#include <replayclock.h>

#include <QRandomGenerator>

#include <algorithm>

#include <cstdio>

namespace {

// Race seconds the replay advances in the real minute that starts `from` seconds after the
// window opened.
double raceSecondsInMinute(int ticksPerSecond, double from, quint32 seed)
{
    QRandomGenerator rng(seed);
    ReplayClock clock;
    clock.resetForRace(300, 4 * 3600, 4 * 3600);
    clock.open(300);
    clock.setSpeedSlider(ReplayClock::MaxSlider);
    const double interval = 1.0 / ticksPerSecond;
    double nextTick = interval, nextMeasure = 1.0;
    clock.measure(0.0, true);
    double startTime = clock.Time;
    bool started = from <= 0.0;
    for (;;) {
        const double now = std::min(nextTick, nextMeasure);
        if (!started && now >= from) {
            started = true;
            startTime = clock.Time;
        }
        if (now >= from + 60.0)
            return clock.Time - startTime;
        if (nextTick <= nextMeasure) {
            clock.advance();
            nextTick += interval * (0.9 + 0.2 * rng.generateDouble());
        } else {
            clock.measure(now, true);
            nextMeasure = now + 1.0 + rng.bounded(8) / 1000.0;
        }
    }
}

} // namespace

int main()
{
    std::printf("One real minute at x100: expected 6000 s of race, within 1 %% (5940 ... 6060)\n");
    for (int rate : {20, 33, 60}) {
        const double steady = raceSecondsInMinute(rate, 5.0, 20261210u + quint32(rate));
        const double opening = raceSecondsInMinute(rate, 0.0, 20261210u + quint32(rate));
        std::printf("  %2d ticks a second: %7.1f s (%+.2f %%) once the rate is measured; "
                    "%7.1f s (%+.2f %%) in the first minute after opening\n",
                    rate, steady, 100.0 * (steady - 6000.0) / 6000.0, opening, 100.0 * (opening - 6000.0) / 6000.0);
    }
    return 0;
}
