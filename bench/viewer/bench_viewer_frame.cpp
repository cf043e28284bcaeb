// Viewer frame benchmark, offscreen: how long a tracking frame of the 50-boat race takes (the
// scene as plain data, its painting into the map picture, both), the manual view, the graph
// page (built once per race) and its hover highlight; and a simulated minute of wall time at
// × 60, the two timers driven on a virtual clock with each frame costing what it really costs
// (and, to show how the step keeps the speed, on machines where a frame costs 70 ms and 300 ms).
//   bench_viewer_frame                      makes the 50-boat, 4-hour race with racegen --preset bench50
//   bench_viewer_frame APPFOLDER RACEFILE   a race of a prepared application folder
// The frame must stay well inside the 50 ms tick: the target is a median under 10 ms.
#include "../benchsupport.h"

#include <graphpage.h>
#include <manualview.h>
#include <playbackcontrols.h>
#include <playbackstate.h>
#include <trackingframe.h>
#include <viewerlayout.h>
#include <viewerpainter.h>
#include <viewerloader.h>

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

constexpr QSize Client(1280, 994); // a 1280 × 1024 screen less 30 pixels

struct Figures {
    double median = 0, p90 = 0, max = 0;
};

Figures figures(QVector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    if (ms.isEmpty())
        return {};
    return {ms[ms.size() / 2], ms[std::min<qsizetype>(ms.size() - 1, ms.size() * 9 / 10)], ms.last()};
}

void print(const char *what, const Figures &f)
{
    std::printf("  %-34s median %6.2f ms   p90 %6.2f ms   max %6.2f ms\n", what, f.median, f.p90, f.max);
}

double msSince(const QElapsedTimer &clock, qint64 from)
{
    return (clock.nsecsElapsed() - from) / 1e6;
}

FrameLook lookOf(const PlaybackState &p)
{
    return FrameLook{p.Sea, p.Grid, p.SeaPosition, p.TimeOfDay, p.LeadText, p.LeadElement};
}

void benchFrames(const LoadedViewerRace &shown, QImage &picture, const FrameOptions &options, const char *title)
{
    TrackingFrameBuilder builder;
    PlaybackState state;
    startRace(state, shown);
    setSeaPosition(state, 100);
    QVector<double> scene, paint, total;
    QElapsedTimer clock;
    clock.start();
    const PlaybackPeriod &period = shown.Race.Period;
    const int frames = 400;
    for (int i = 0; i < frames; ++i) {
        const double t = period.Start + (period.End - period.Start) * (i + 0.5) / frames;
        const qint64 a = clock.nsecsElapsed();
        const TrackingFrame frame = builder.draw(shown, t, picture.size(), options, lookOf(state));
        const qint64 b = clock.nsecsElapsed();
        paintViewerScene(picture, frame.Scene);
        scene << (b - a) / 1e6;
        paint << msSince(clock, b);
        total << msSince(clock, a);
    }
    std::printf("tracking frame, %s (%d frames across the race):\n", title, frames);
    print("scene (plain data)", figures(scene));
    print("painting", figures(paint));
    print("frame", figures(total));
}

// The timers on a virtual clock: the frame timer due every 50 ms, the second timer every
// 1000 ms, a timer that falls due while a frame is drawn firing as soon as the frame is done
// (once, as Qt's timers do). extraCost: milliseconds added to every frame's real cost.
double simulatedMinute(const LoadedViewerRace &shown, QImage &picture, double extraCost, double *framesPerSecond)
{
    TrackingFrameBuilder builder;
    PlaybackState state;
    startRace(state, shown);
    setSeaPosition(state, 100);
    state.SpeedFactor = speedFactorAt(60);
    state.Time = 0;
    state.PreviousTime = 0;
    FrameOptions options;
    // As after a load: only the second timer runs; its first tick starts the frame timer.
    constexpr double Never = 1e18;
    double now = 0, frameDue = Never, secondDue = 0;
    const double start = state.Time;
    int frames = 0;
    QElapsedTimer clock;
    clock.start();
    while (now < 60000) {
        if (secondDue <= frameDue) {
            now = std::max(now, secondDue);
            secondTick(state, shown, false);
            if (frameDue == Never)
                frameDue = now + 50;
            secondDue += 1000;
            if (secondDue < now)
                secondDue = now + 1000;
            continue;
        }
        now = std::max(now, frameDue);
        const qint64 a = clock.nsecsElapsed();
        if (advanceFrame(state, shown.Race.Period)) {
            const TrackingFrame frame = builder.draw(shown, state.Time, picture.size(), options, lookOf(state));
            paintViewerScene(picture, frame.Scene);
            finishFrame(state, shown);
            ++frames;
        }
        now += msSince(clock, a) + extraCost;
        frameDue += 50;
        if (frameDue < now)
            frameDue = now;
    }
    *framesPerSecond = frames / 60.0;
    return state.Time - start;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QTemporaryDir temporary;
    QString folder, race;
    if (!bench::chooseRace(application.arguments().mid(1), temporary.path(), folder, race))
        return 1;
    const QSize map = mapSize(Client);
    ViewerLoadRequest request;
    request.ApplicationFolder = folder;
    request.RacePath = QDir(folder).filePath(QStringLiteral("raceadmin/") + race);
    request.MapWidth = map.width();
    request.MapHeight = map.height();
    LoadedViewerRace shown;
    const ViewerLoadResult result = loadViewerRace(request, ViewerRace(), shown);
    if (!result.ok()) {
        std::fprintf(stderr, "cannot load %s: %s\n", qPrintable(race), qPrintable(result.error));
        return 1;
    }
    int samples = 0;
    for (const ViewerBoat &b : shown.Race.Boats)
        samples += b.sampleCount();
    std::printf("%s: %d boats, %d samples, period %.0f s, map %d x %d pixels\n\n", qPrintable(race), shown.Race.boatCount(),
                samples, shown.Race.Period.length(), map.width(), map.height());

    QImage picture(map, QImage::Format_RGB32);
    FrameOptions plain;
    benchFrames(shown, picture, plain, "names, wakes, enlarged boats");
    FrameOptions busy;
    busy.NameMode = 2;
    busy.LayLines = true;
    busy.CompareLine = true;
    busy.CompassHovered = true;
    busy.HoveredBoat = 1;
    benchFrames(shown, picture, busy, "everything on (speeds, lay lines, comparison lines, wind triangles)");

    QElapsedTimer clock;
    clock.start();
    QVector<double> manual, graphBuild, graphPaint, highlight;
    const ManualView view = manualViewOf(shown.Derived.Extent);
    for (int i = 0; i < 5; ++i) {
        qint64 a = clock.nsecsElapsed();
        const ManualFrame frame = drawManualView(shown, 3600, view, map, plain, FrameLook{});
        paintViewerScene(picture, frame.Scene);
        manual << msSince(clock, a);

        a = clock.nsecsElapsed();
        const GraphPage page = drawGraphPage(shown, map.width(), Client.height(), ViewerRgb{160, 225, 255});
        graphBuild << msSince(clock, a);
        a = clock.nsecsElapsed();
        QImage graph(map, QImage::Format_RGB32);
        paintViewerScene(graph, page.Scene);
        graphPaint << msSince(clock, a);

        for (int boat = 0; boat < shown.Race.boatCount(); boat += 10) {
            a = clock.nsecsElapsed();
            QImage copy = graph.copy();
            ViewerScene wide;
            wide.Clears = false;
            for (const ViewerStroke &s : graphHighlight(page, boat))
                wide.add(s);
            paintViewerScene(copy, wide);
            highlight << msSince(clock, a);
        }
    }
    std::printf("\nmanual view and graph page:\n");
    print("manual view (whole tracks)", figures(manual));
    print("graph page, plain data (per race)", figures(graphBuild));
    print("graph page, painting (per race)", figures(graphPaint));
    print("graph page hover highlight", figures(highlight));

    std::printf("\na simulated minute at x60 (target 3600 s +- 1 %%):\n");
    for (const double extra : {0.0, 70.0, 300.0}) {
        double fps = 0;
        const double advanced = simulatedMinute(shown, picture, extra, &fps);
        std::printf("  frames cost %s: %5.1f frames a second, the replay advanced %7.1f s (%+.2f %%)\n",
                    extra == 0 ? "what they cost here " : extra == 70 ? "70 ms more          " : "300 ms more         ", fps,
                    advanced, (advanced - 3600) / 36);
    }
    std::printf("  (fewer than 5 frames a second count as 20: a machine that slow plays slower than asked)\n");
    return 0;
}
