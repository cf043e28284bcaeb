// Prints how long a replay frame takes for the 50-boat, four-hour race on a 1000-pixel chart,
// offscreen, with tracing, wakes and names on (the heaviest frame there is): the frame's
// decisions (computeFrame), its wakes and names painted onto the chart picture, and the
// chart shown with the symbols composited over it. Also what tracing adds to each tick: the
// view fitted to the fleet and the chart and marks drawn again for it.
//
// Run by hand: bench_frame [frames [chart.png]] (the last chart picture for a look at it)
#include "benchrace.h"

#include <chartlayerpainter.h>
#include <framebuilder.h>
#include <framepainter.h>
#include <legstats.h>
#include <raceloader.h>

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct Figures {
    std::vector<double> ms;
    void add(qint64 ns) { ms.push_back(ns / 1e6); }
    double at(double q)
    {
        std::sort(ms.begin(), ms.end());
        return ms.empty() ? 0.0 : ms[std::min(ms.size() - 1, size_t(q * ms.size()))];
    }
    void print(const char *what)
    {
        std::printf("  %-46s median %6.2f ms   p95 %6.2f ms   max %6.2f ms\n", what, at(0.5), at(0.95), at(1.0));
    }
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int frames = argc > 1 ? std::max(10, atoi(argv[1])) : 1500;
    const QString png = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();

    QTemporaryDir dir;
    QString raceFile, error;
    QElapsedTimer clockTimer;
    clockTimer.start();
    if (!makeBenchRace(dir.path(), &raceFile, &error)) {
        std::fprintf(stderr, "bench_frame: %s\n", qPrintable(error));
        return 1;
    }
    AppSettings settings;
    settings.ApplicationFolder = dir.path();
    RaceControl race;
    race.FileName = raceFile;
    RaceData data;
    if (!LoadRace(settings, race, data).ok) {
        std::fprintf(stderr, "bench_frame: the race could not be loaded\n");
        return 1;
    }
    LegStats stats;
    stats.ComputeRoundingTimes(race, data);
    qint64 points = 0;
    for (const BoatTrack &t : data.Tracks)
        points += t.PointCount();
    std::printf("%d boats, %lld track points, race made and loaded in %.1f s\n", race.boatCount(), points,
                clockTimer.elapsed() / 1000.0);

    const QSize chartSize(1000, 1000);
    MapView view;
    view.resetForRace(data.Extent, race.ChartRotation, chartSize.height());
    view.ComputeOverviewScales(170, 170);
    ReplayClock clock;
    clock.resetForRace(race.PreStartSeconds, double(race.RaceDuration), data.LatestTrackEnd);
    clock.setTimeBarHeight(1000);
    clock.open(race.PreStartSeconds);
    clock.Step = 3.03; // x100 at 33 ticks a second
    FrameState state;
    state.resetForRace(race.boatCount());
    FrameInputs in;
    in.race = &race;
    in.data = &data;
    in.legStats = &stats;
    in.view = &view;
    in.tracing = true;
    in.namesShown = true;
    in.enlarge = true;
    in.speedBarScale = data.SpeedBarScale;
    ChartOptions options;
    options.tracing = true;
    options.layLinesShown = true;
    options.periodStart = clock.PeriodStart;
    options.periodEnd = clock.PeriodEnd;

    QImage chart(chartSize, QImage::Format_RGB32);
    QImage screen(chartSize, QImage::Format_RGB32);
    Figures compute, onChart, composite, total, fit;
    int wakes = 0, names = 0;
    for (int i = 0; i < frames; ++i) {
        clock.advance();
        state.AnyBoatShown = false;
        QElapsedTimer t;
        t.start();
        {
            QPainter p(&chart);
            if (view.FitToBoats(state.fixes({}))) {
                DrawChart(p, chartSize, view, race, data, options);
                DrawMarks(p, chartSize, view, race, data, options);
            }
        }
        fit.add(t.nsecsElapsed());
        t.restart();
        const FrameScene f = computeFrame(in, clock, state);
        const qint64 a = t.nsecsElapsed();
        {
            QPainter p(&chart);
            paintFrameOnChart(p, f);
        }
        const qint64 b = t.nsecsElapsed();
        {
            QPainter p(&screen);
            p.drawImage(0, 0, chart);
            paintBoatOverlay(p, f, options.colours.background);
        }
        const qint64 c = t.nsecsElapsed();
        compute.add(a);
        onChart.add(b - a);
        composite.add(c - b);
        total.add(c);
        if (i == frames / 2) {
            for (const BoatFrameScene &boat : f.boats) {
                wakes += boat.wake.size() >= 2;
                names += boat.nameShown;
            }
        }
    }
    std::printf("%d frames at x100 (a step of 3.03 s) from %.0f s, chart %dx%d, tracing, names and wakes on\n"
                "(%d wakes and %d names in the middle frame):\n",
                frames, -(race.PreStartSeconds + 20), chartSize.width(), chartSize.height(), wakes, names);
    compute.print("computeFrame");
    onChart.print("wakes and names onto the chart picture");
    composite.print("chart shown with symbols composited");
    total.print("DrawFrame in all");
    fit.print("tracing's fit and chart redraw (per tick)");
    if (!png.isEmpty())
        screen.save(png);
    return 0;
}
