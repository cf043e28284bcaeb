// Prints how long the analysis pages take on the benchmark race (50 boats, four hours of 1 s
// fixes, 12 course entries): building each page's scene and painting it, for the Graph page
// on a 1000 × 1000 picture and the Data page on a 1000-pixel-wide page in every mode.
// Run by hand: bench_pages [repetitions]
#include <datapage.h>
#include <graphpage.h>
#include <pagepainter.h>
#include <racegenerator.h>
#include <raceloader.h>

#include <dialogs.h>

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

namespace {

double timeMs(int repetitions, const std::function<void()> &work)
{
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < repetitions; ++i)
        work();
    return double(t.nsecsElapsed()) / 1e6 / repetitions;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    platform::StderrDialogs quiet;
    platform::DialogsGuard guard(&quiet);

    QTemporaryDir dir;
    const tools::RaceSpec recipe = tools::bench50Race();
    QString error;
    if (!tools::writeRace(tools::generateRace(recipe), dir.path(), &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    AppSettings settings;
    settings.ApplicationFolder = dir.path();
    RaceControl race;
    race.FileName = recipe.RaceFileName;
    RaceData data;
    if (!LoadRace(settings, race, data).ok)
        return 1;
    LegStats stats;
    stats.ComputeRoundingTimes(race, data);
    stats.ComputeRoundingDistances(data);
    qint64 points = 0;
    for (const BoatTrack &t : data.Tracks)
        points += t.PointCount();
    std::printf("race: %d boats, %lld track points, %d course entries, %d wind samples; %d repetitions\n",
                race.boatCount(), points, race.Course.Count(), int(data.Wind.size()), repetitions);

    const QVector<bool> focused(race.boatCount(), true);
    GraphPageInput graph{&race, &data, focused, QSize(1000, 1000), 1.0};
    GraphPageScene graphScene;
    std::printf("graph page scene:   %8.1f ms\n", timeMs(repetitions, [&] { graphScene = graphPageScene(graph); }));
    qint64 vertices = 0;
    for (const PageLine &l : graphScene.picture.itemsOf<PageLine>())
        vertices += l.points.size();
    std::printf("graph page vertices: %lld\n", vertices);
    std::printf("graph page paint:   %8.1f ms\n",
                timeMs(repetitions, [&] { renderGraphPage(graphScene, graph.size); }));

    for (DataMode mode : {DataMode::Time, DataMode::Distance, DataMode::Speed, DataMode::Analysis}) {
        DataPageInput in{&race, &stats, focused, mode, 1000, true, 1.0};
        DataPageScene scene;
        const double build = timeMs(repetitions, [&] { scene = dataPageScene(in); });
        const double paint = timeMs(repetitions, [&] { renderDataPage(scene); });
        std::printf("data page, mode %d:  %8.1f ms scene, %8.1f ms paint\n", int(mode), build, paint);
    }
    std::printf("wind strip:         %8.3f ms\n", timeMs(repetitions, [&] {
                    windStripScene(race, data, 70, rgb(0, 255, 255));
                }));
    return 0;
}
