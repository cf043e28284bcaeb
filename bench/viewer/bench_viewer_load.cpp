// Viewer load benchmark: times each phase of the viewer's race load (race control file, wind,
// GPS tracks, extent and daylight, coast lines, speeds and courses, passing times) beside the
// bare scan of the same GPS files in the same run (barescan.h), and reports the peak resident
// memory.
//   bench_viewer_load [--runs N] [--threads N]                    makes the 50-boat, 4-hour race (racegen bench50)
//   bench_viewer_load [--runs N] [--threads N] APPFOLDER RACEFILE  raceadmin/RACEFILE of a prepared folder
// --threads 1 loads on one core, as a reference; the default is every core.
#include "../barescan.h"
#include "../benchsupport.h"

#include <viewerloader.h>

#include <appfolder.h>
#include <orderedparallel.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

class PhaseTimer : public ViewerLoadObserver
{
public:
    QElapsedTimer clock;
    qint64 at[7] = {};
    void phaseDone(Phase p) override { at[int(p)] = clock.nsecsElapsed(); }
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    QStringList args = application.arguments().mid(1);
    int runs = 5;
    int threads = 0;
    for (const char *option : {"--runs", "--threads"}) {
        const int at = int(args.indexOf(QString::fromLatin1(option)));
        if (at >= 0 && at + 1 < args.size()) {
            (qstrcmp(option, "--runs") == 0 ? runs : threads) = std::max(0, args.at(at + 1).toInt());
            args.remove(at, 2);
        }
    }
    runs = std::max(1, runs);

    QTemporaryDir temporary;
    QString folder, race;
    if (!bench::chooseRace(args, temporary.path(), folder, race))
        return 1;
    const QString racePath = platform::resolvePath(folder, QStringLiteral("raceadmin/") + race);
    QStringList trackPaths;
    {
        LoadedViewerRace loaded;
        if (!loadViewerRace({folder, racePath, 1000, 900, 1}, ViewerRace(), loaded).ok()) {
            std::fprintf(stderr, "the race cannot be loaded\n");
            return 1;
        }
        for (const ViewerBoat &b : loaded.Race.Boats)
            trackPaths << platform::resolvePath(folder, QStringLiteral("gpsdat/") + b.GpsFile);
    }
    std::printf("%s: %lld GPS files; %d runs on %s, the median of each figure\n", qPrintable(race),
                qint64(trackPaths.size()), runs,
                threads == 1 ? "one core" : qPrintable(QStringLiteral("%1 cores").arg(threads > 0 ? threads : platform::coreCount())));

    const long rssBefore = bench::statusKiB("VmRSS:");
    static const char *const names[] = {"race control file", "wind file", "GPS tracks", "extent, daylight",
                                        "coast lines", "speeds, courses", "passing times"};
    std::vector<double> phases[7], totals, cpus, scans, scanCpus, ratios;
    bench::BareScan scan;
    qint64 samples = 0;
    ViewerLoadRequest request{folder, racePath, 1000, 900, threads};
    for (int run = 1; run <= runs; ++run) {
        scan = bench::bareScan(trackPaths);
        scans.push_back(scan.ms);
        scanCpus.push_back(scan.cpuMs);
        LoadedViewerRace loaded;
        PhaseTimer timer;
        const std::clock_t cpuStart = std::clock();
        timer.clock.start();
        const ViewerLoadResult result = loadViewerRace(request, ViewerRace(), loaded, &timer);
        const qint64 total = timer.clock.nsecsElapsed();
        cpus.push_back(double(std::clock() - cpuStart) / CLOCKS_PER_SEC * 1e3);
        if (!result.ok()) {
            std::fprintf(stderr, "the load failed (%d) %s\n", int(result.status), qPrintable(result.error));
            return 1;
        }
        samples = 0;
        for (const ViewerBoat &b : loaded.Race.Boats)
            samples += b.sampleCount();
        qint64 previous = 0;
        for (int p = 0; p < 7; ++p) {
            phases[p].push_back((timer.at[p] - previous) / 1e6);
            previous = timer.at[p];
        }
        totals.push_back(total / 1e6);
        ratios.push_back(total / 1e6 / scan.ms);
    }
    std::printf("bare scan: %.1f MB, %lld records, one core %8.1f ms  (processor time %.1f ms)\n", scan.bytes / 1e6,
                scan.records, bench::median(scans), bench::median(scanCpus));
    std::printf("load: %lld samples\n", samples);
    for (int p = 0; p < 7; ++p)
        std::printf("  %-20s %8.1f ms\n", names[p], bench::median(phases[p]));
    std::printf("  %-20s %8.1f ms  (processor time %.1f ms)\n", "total", bench::median(totals), bench::median(cpus));
    std::printf("  %-20s %8.2f     (median of the runs' ratios %.2f)\n", "load / bare scan",
                bench::median(totals) / bench::median(scans), bench::median(ratios));
    std::printf("resident memory: %.1f MB before the loads, peak %.1f MB\n", rssBefore / 1024.0,
                bench::statusKiB("VmHWM:") / 1024.0);
    return 0;
}
