// Load benchmark: the browser's race load, phase by phase, and orvane-report end to end, each
// beside the bare scan of the same GPS files made in the same run (barescan.h), so that the
// ratio stays comparable on a busy machine. Prints the median of several runs and the peak
// resident memory of one load.
//   bench_load [--runs N] [--threads N]                    the 50-boat, 4-hour race (racegen bench50)
//   bench_load [--runs N] [--threads N] APPFOLDER RACEFILE  raceadmin/RACEFILE of a prepared folder
// --threads 1 loads on one core, as a reference; the default is every core.
#include "../barescan.h"
#include "../benchsupport.h"

#include <racecontrolfile.h>
#include <raceloader.h>

#include <appfolder.h>
#include <dialogs.h>
#include <orderedparallel.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

class PhaseTimer : public LoadObserver
{
public:
    QElapsedTimer clock;
    qint64 read = 0, tracks = 0, derived = 0, coast = 0, done = 0;
    void loadStarting() override { clock.start(); }
    void raceRead(const RaceControl &, const QString &) override { read = clock.nsecsElapsed(); }
    void tracksLoaded() override { tracks = clock.nsecsElapsed(); }
    void layoutWindow(const RaceControl &, const RaceData &) override { derived = clock.nsecsElapsed(); }
    void drawChart(const RaceControl &, const RaceData &) override { coast = clock.nsecsElapsed(); }
    void raceLoaded(const RaceControl &, const RaceData &) override { done = clock.nsecsElapsed(); }
};

double cpuMs()
{
    return double(std::clock()) / CLOCKS_PER_SEC * 1e3;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    platform::StderrDialogs dialogs;
    platform::DialogsGuard guard(&dialogs);

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
    QString folder, raceName;
    if (!bench::chooseRace(args, temporary.path(), folder, raceName))
        return 1;

    AppSettings settings;
    settings.setLanguage(UiLanguage::English);
    settings.ApplicationFolder = folder;
    QStringList trackPaths;
    {
        RaceControl race;
        race.FileName = raceName;
        if (!ReadRaceControl(settings, race)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(raceName));
            return 1;
        }
        for (const BoatEntry &b : race.Boats)
            trackPaths << platform::resolvePath(folder, QStringLiteral("gpsdat/") + b.TrackFile);
    }
    std::printf("%s: %lld GPS files; %d runs on %s, the median of each figure\n", qPrintable(raceName),
                qint64(trackPaths.size()), runs,
                threads == 1 ? "one core" : qPrintable(QStringLiteral("%1 cores").arg(threads > 0 ? threads : platform::coreCount())));

    const long rssBefore = bench::statusKiB("VmRSS:");
    long peakOfOneLoad = 0;
    std::vector<double> scanMs, scanCpuMs, readMs, parseMs, deriveMs, coastMs, restMs, totalMs, totalCpuMs, ratios;
    bench::BareScan scan;
    qint64 points = 0;
    for (int run = 0; run < runs; ++run) {
        scan = bench::bareScan(trackPaths);
        scanMs.push_back(scan.ms);
        scanCpuMs.push_back(scan.cpuMs);

        RaceControl race;
        race.FileName = raceName;
        RaceData data;
        PhaseTimer timer;
        const double cpu0 = cpuMs();
        const LoadResult result = LoadRace(settings, race, data, &timer, threads);
        totalCpuMs.push_back(cpuMs() - cpu0);
        if (!result.ok) {
            std::fprintf(stderr, "the race could not be loaded\n");
            return 1;
        }
        if (run == 0)
            peakOfOneLoad = bench::statusKiB("VmHWM:");
        points = 0;
        for (const BoatTrack &t : data.Tracks)
            points += t.PointCount();
        readMs.push_back(timer.read / 1e6);
        parseMs.push_back((timer.tracks - timer.read) / 1e6);
        deriveMs.push_back((timer.derived - timer.tracks) / 1e6);
        coastMs.push_back((timer.coast - timer.derived) / 1e6);
        restMs.push_back((timer.done - timer.coast) / 1e6);
        totalMs.push_back(timer.done / 1e6);
        ratios.push_back(timer.done / 1e6 / scan.ms);
    }

    std::printf("bare scan: %.1f MB, %lld records, one core    %8.1f ms  (processor time %.1f ms)\n",
                scan.bytes / 1e6, scan.records, bench::median(scanMs), bench::median(scanCpuMs));
    std::printf("load: %lld points\n", points);
    std::printf("  race control file       %8.1f ms\n", bench::median(readMs));
    std::printf("  parse + extent          %8.1f ms\n", bench::median(parseMs));
    std::printf("  wind + derive           %8.1f ms\n", bench::median(deriveMs));
    std::printf("  coast lines             %8.1f ms\n", bench::median(coastMs));
    std::printf("  rest                    %8.1f ms\n", bench::median(restMs));
    std::printf("  total load              %8.1f ms  (processor time %.1f ms)\n", bench::median(totalMs), bench::median(totalCpuMs));
    std::printf("  load / bare scan        %8.2f     (median of the runs' ratios %.2f)\n",
                bench::median(totalMs) / bench::median(scanMs), bench::median(ratios));
    std::printf("resident memory           %8.1f MB before the loads, peak %.1f MB after the first\n",
                rssBefore / 1024.0, peakOfOneLoad / 1024.0);

    // orvane-report end to end: a process start, the load, the passing times, the JSON.
    std::vector<double> reportMs, reportScanMs;
    for (int run = 0; run < runs; ++run) {
        reportScanMs.push_back(bench::bareScan(trackPaths).ms);
        QProcess report;
        report.setStandardOutputFile(QProcess::nullDevice());
        report.setStandardErrorFile(QProcess::nullDevice());
        QElapsedTimer clock;
        clock.start();
        report.start(QStringLiteral(REPORT_PROGRAM), {folder, raceName});
        if (!report.waitForFinished(-1) || report.exitStatus() != QProcess::NormalExit) {
            std::fprintf(stderr, "orvane-report did not run\n");
            return 1;
        }
        reportMs.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::printf("orvane-report end to end  %8.1f ms  (bare scan %.1f ms, ratio %.2f)\n", bench::median(reportMs),
                bench::median(reportScanMs), bench::median(reportMs) / bench::median(reportScanMs));
    return 0;
}
