// Viewer load benchmark: times each phase of the viewer's race load (race control file, wind,
// GPS tracks, extent and daylight, coast lines, speeds and courses, passing times) and reports
// the peak resident memory.
//   bench_viewer_load                      makes the 50-boat, 4-hour race with racegen --preset bench50
//   bench_viewer_load APPFOLDER RACEFILE   loads raceadmin/RACEFILE of a prepared application folder
#include <viewerloader.h>

#include <appfolder.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>

namespace {

constexpr int Runs = 3;

long statusKiB(const char *key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

class PhaseTimer : public ViewerLoadObserver
{
public:
    QElapsedTimer clock;
    qint64 at[7] = {};
    void phaseDone(Phase p) override { at[int(p)] = clock.nsecsElapsed(); }
};

bool makeBenchRace(const QString &folder)
{
    QProcess racegen;
    racegen.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    racegen.start(QStringLiteral(RACEGEN_PROGRAM),
                  {QStringLiteral("--preset"), QStringLiteral("bench50"), QStringLiteral("--out"), folder});
    if (!racegen.waitForFinished(-1) || racegen.exitCode() != 0)
        return false;
    QDir(folder).mkpath(QStringLiteral("coastline"));
    return QFile::copy(QStringLiteral(ORVANE_ASSETS "/coastline/5239.cst"), folder + QStringLiteral("/coastline/5239.cst"));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    QTemporaryDir temporary;
    QString folder, race;
    if (argc >= 3) {
        folder = QString::fromLocal8Bit(argv[1]);
        race = QString::fromLocal8Bit(argv[2]);
    } else {
        folder = temporary.path();
        race = QStringLiteral("bench50.txt");
        std::printf("generating the 50-boat, 4-hour race with racegen in %s ...\n", qPrintable(folder));
        std::fflush(stdout);
        if (!makeBenchRace(folder)) {
            std::fprintf(stderr, "cannot make the benchmark race in %s\n", qPrintable(folder));
            return 1;
        }
    }
    qint64 bytes = 0;
    for (const QString &f : platform::listFiles(folder, QStringLiteral("gpsdat/*")))
        bytes += platform::fileSize(folder, QStringLiteral("gpsdat/") + f);
    std::printf("%s: %.1f MB of GPS files\n", qPrintable(race), bytes / 1e6);

    const long rssBefore = statusKiB("VmRSS:");
    static const char *const names[] = {"race control file", "wind file", "GPS tracks", "extent, daylight",
                                        "coast lines", "speeds, courses", "passing times"};
    ViewerLoadRequest request{folder, platform::resolvePath(folder, QStringLiteral("raceadmin/") + race), 1000, 900};
    for (int run = 1; run <= Runs; ++run) {
        LoadedViewerRace loaded;
        PhaseTimer timer;
        const std::clock_t cpuStart = std::clock();
        timer.clock.start();
        const ViewerLoadResult result = loadViewerRace(request, ViewerRace(), loaded, &timer);
        const qint64 total = timer.clock.nsecsElapsed();
        const double cpu = double(std::clock() - cpuStart) / CLOCKS_PER_SEC * 1e3;
        if (!result.ok()) {
            std::fprintf(stderr, "the load failed (%d) %s\n", int(result.status), qPrintable(result.error));
            return 1;
        }
        qint64 samples = 0;
        for (const ViewerBoat &b : loaded.Race.Boats)
            samples += b.sampleCount();
        std::printf("\nrun %d: %d boats, %lld samples, %d course elements, %d coast points, %lld problems\n", run,
                    loaded.Race.boatCount(), samples, loaded.Derived.Passes.elementCount(),
                    loaded.Derived.Coast.pointCount(), qint64(result.problems.size()));
        qint64 previous = 0;
        for (int p = 0; p < 7; ++p) {
            std::printf("  %-20s %8.1f ms\n", names[p], (timer.at[p] - previous) / 1e6);
            previous = timer.at[p];
        }
        std::printf("  %-20s %8.1f ms  (%.1f ms of processor time: the figure to trust on a busy machine)\n",
                    "total", total / 1e6, cpu);
    }
    std::printf("\nresident memory: %.1f MB before the loads, peak %.1f MB\n", rssBefore / 1024.0,
                statusKiB("VmHWM:") / 1024.0);
    return 0;
}
