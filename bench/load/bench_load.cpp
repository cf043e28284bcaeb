// Load benchmark: prints the time of each phase of LoadRace and the peak resident memory.
#include <raceloader.h>

#include <dialogs.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cmath>
#include <cstdio>

namespace {

constexpr int Boats = 50;
constexpr int FixesPerBoat = 4 * 3600; // 4 hours at 1 s

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

QByteArray packed(double minutes, char hemisphere, int width)
{
    const double degrees = std::floor(minutes / 60.0);
    return hemisphere + QByteArray::number(degrees * 100.0 + (minutes - degrees * 60.0), 'f', 5).rightJustified(width, '0');
}

// A synthetic race of Boats boats off Tokyo, each sailing a slow circle, one fix a second,
// written one boat at a time so the generator holds little memory.
bool writeSyntheticRace(const QString &app, qint64 *bytesWritten)
{
    for (const char *folder : {"raceadmin", "gpsdat", "winddat", "coastline"})
        QDir(app).mkpath(QString::fromLatin1(folder));
    QByteArray race = "T1, Synthetic 50 boats\r\nST, 2008/03/03 10:00:00\r\nFT, 2008/03/03 13:59:00\r\nTD, 9\r\n"
                      "WF, wind.csv\r\n";
    *bytesWritten = 0;
    for (int b = 1; b <= Boats; ++b) {
        const QByteArray name = "boat" + QByteArray::number(b) + ".trk";
        race += "BN, " + name + ", Boat " + QByteArray::number(b) + "\r\n";
        QByteArray bytes = "H  SOFTWARE NAME & VERSION\r\nI  PCX5 2.09\r\n\r\n"
                           "M  G WGS 84               121 +0.000000e+00 +0.000000e+00 +0.000000e+00\r\n"
                           "U  LAT LON DM\r\n\r\nH  LATITUDE    LONGITUDE    DATE      TIME     ALT  ;track\r\n";
        bytes.reserve(FixesPerBoat * 72);
        for (int i = 0; i < FixesPerBoat; ++i) {
            const double a = (i + 20 * b) / 900.0;
            const double lat = 2130.0 + 1.5 * std::sin(a) + b * 0.01;
            const double lon = 8385.0 + 2.0 * std::cos(a) + b * 0.01;
            const int s = 3600 * 1 - 300 + i; // 00:55:00 UTC onwards, 5 minutes before the start
            char time[16];
            std::snprintf(time, sizeof time, "%02d:%02d:%02d", s / 3600, s / 60 % 60, s % 60);
            bytes += "T  " + packed(lat, 'N', 10) + " " + packed(lon, 'E', 11) + " 03-MAR-08 " + time +
                     " 12.5 0.0 0.0 ;track\r\n";
        }
        QFile f(app + QStringLiteral("/gpsdat/") + QString::fromLatin1(name));
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            return false;
        *bytesWritten += bytes.size();
    }
    QByteArray wind = "TIME,WIND SPEED,WIND DIRECTION (Mag)\r\n";
    for (int m = 0; m < 240; ++m)
        wind += QStringLiteral("2008/03/03 %1:%2:00,%3,%4\r\n")
                    .arg(10 + m / 60)
                    .arg(m % 60, 2, 10, QLatin1Char('0'))
                    .arg(8 + m % 5)
                    .arg((m * 7) % 360)
                    .toLatin1();
    // One coast tile over the race area: every second-order mesh holds ten lines of 70 points.
    QByteArray tile;
    for (int r = 0; r < 8; ++r) {
        for (int c = 0; c < 8; ++c) {
            tile += "M 5339" + QByteArray::number(r) + QByteArray::number(c) + "\r\n";
            for (int l = 0; l < 10; ++l) {
                tile += "L" + QByteArray(48, ' ') + QByteArray::number(70).rightJustified(6, ' ') + "\r\n";
                for (int d = 0; d < 10; ++d) {
                    for (int j = 0; j < 7; ++j) {
                        const int k = d * 7 + j;
                        tile += QByteArray::number(k * 140).rightJustified(5, ' ') +
                                QByteArray::number(l * 1000 + (k % 9) * 50).rightJustified(5, ' ');
                    }
                    tile += "\r\n";
                }
            }
        }
    }
    QFile coast(app + QStringLiteral("/coastline/5339.cst"));
    if (!coast.open(QIODevice::WriteOnly) || coast.write(tile) != tile.size())
        return false;
    QFile w(app + QStringLiteral("/winddat/wind.csv"));
    QFile r(app + QStringLiteral("/raceadmin/bench.txt"));
    return w.open(QIODevice::WriteOnly) && w.write(wind) == wind.size() && r.open(QIODevice::WriteOnly) &&
           r.write(race) == race.size();
}

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

double ms(qint64 ns)
{
    return ns / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    platform::StderrDialogs dialogs;
    platform::DialogsGuard guard(&dialogs);

    QTemporaryDir temporary;
    AppSettings settings;
    settings.setLanguage(UiLanguage::English);
    RaceControl race;
    if (argc >= 3) {
        settings.ApplicationFolder = QString::fromLocal8Bit(argv[1]);
        race.FileName = QString::fromLocal8Bit(argv[2]);
    } else {
        qint64 bytes = 0;
        settings.ApplicationFolder = temporary.path();
        race.FileName = QStringLiteral("bench.txt");
        if (!writeSyntheticRace(settings.ApplicationFolder, &bytes)) {
            std::fprintf(stderr, "cannot write the synthetic race to %s\n", qPrintable(temporary.path()));
            return 1;
        }
        std::printf("synthetic race: %d boats x %d fixes, %.1f MB of track files in %s\n", Boats, FixesPerBoat,
                    bytes / 1e6, qPrintable(temporary.path()));
    }
    const long rssBefore = statusKiB("VmRSS:");

    RaceData data;
    PhaseTimer timer;
    const LoadResult result = LoadRace(settings, race, data, &timer);
    if (!result.ok) {
        std::fprintf(stderr, "the race could not be loaded\n");
        return 1;
    }
    qint64 points = 0;
    for (const BoatTrack &t : data.Tracks)
        points += t.PointCount();

    std::printf("boats %d, points %lld, wind samples %lld, coast points %lld\n", race.boatCount(),
                static_cast<long long>(points), static_cast<long long>(data.Wind.size()),
                static_cast<long long>(data.Coast.size()));
    std::printf("race control file  %8.1f ms\n", ms(timer.read));
    std::printf("parse + extent     %8.1f ms\n", ms(timer.tracks - timer.read));
    std::printf("wind + derive      %8.1f ms\n", ms(timer.derived - timer.tracks));
    std::printf("coast lines        %8.1f ms\n", ms(timer.coast - timer.derived));
    std::printf("rest               %8.1f ms\n", ms(timer.done - timer.coast));
    std::printf("total load         %8.1f ms\n", ms(timer.done));
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("RSS before load    %8.1f MB\n", rssBefore / 1024.0);
    std::printf("peak RSS (VmHWM)   %8.1f MB\n", statusKiB("VmHWM:") / 1024.0);
    std::printf("peak RSS (rusage)  %8.1f MB\n", usage.ru_maxrss / 1024.0);
    return 0;
}
