// What the load and frame benchmarks share: the 50-boat, 4-hour race made by racegen (bench50)
// in a folder of their own unless they are given one, the median of their runs and the
// process's memory figures. The programs define RACEGEN_PROGRAM and ORVANE_ASSETS.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace bench {

// A figure of /proc/self/status in KiB ("VmRSS:", "VmHWM:"); −1 where there is none.
inline long statusKiB(const char *key)
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

// The middle value; the mean of the two middle ones for an even count.
inline double median(std::vector<double> v)
{
    if (v.empty())
        return 0.0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0;
}

#if defined(RACEGEN_PROGRAM) && defined(ORVANE_ASSETS)
inline bool makeBenchRace(const QString &folder)
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

// The race to measure: APPFOLDER RACEFILE when given, otherwise bench50.txt made in
// emptyFolder. False, with a message, when the race cannot be made.
inline bool chooseRace(const QStringList &args, const QString &emptyFolder, QString &folder, QString &race)
{
    if (args.size() >= 2) {
        folder = args.at(0);
        race = args.at(1);
        return true;
    }
    folder = emptyFolder;
    race = QStringLiteral("bench50.txt");
    std::printf("generating the 50-boat, 4-hour race with racegen in %s ...\n", qPrintable(folder));
    std::fflush(stdout);
    if (makeBenchRace(folder))
        return true;
    std::fprintf(stderr, "cannot make the benchmark race in %s\n", qPrintable(folder));
    return false;
}
#endif

} // namespace bench
