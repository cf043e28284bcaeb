// The bare scan a load is measured against: every GPS file of the race read whole, and every
// line that starts with "T" taken apart for its two coordinates, its date and its time, on one
// core, with nothing else: no checks, no window, no points kept, no messages. It is about the
// least any reader of these files must do, so a load's time divided by it is a figure that
// stays comparable on a busy or a faster machine.
#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QStringList>

#include <cstring>
#include <ctime>

namespace bench {

struct BareScan {
    qint64 bytes = 0;
    qint64 records = 0;
    double checksum = 0.0; // keeps the compiler from leaving the work out
    double ms = 0.0;    // wall time
    double cpuMs = 0.0; // processor time of the scanning thread
};

namespace detail {

inline const char *skipBlanks(const char *p, const char *end)
{
    while (p < end && *p == ' ')
        ++p;
    return p;
}

inline const char *itemEnd(const char *p, const char *end)
{
    while (p < end && *p != ' ')
        ++p;
    return p;
}

// Digits with an optional point, as the receivers write coordinates: the digits as one whole
// number divided once by a power of ten (exact for up to 15 digits).
inline double decimal(const char *p, const char *end)
{
    static constexpr double Pow10[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11,
                                       1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18};
    quint64 m = 0;
    int fraction = -1;
    for (int n = 0; p < end && n < 18; ++p) {
        if (*p == '.') {
            fraction = 0;
            continue;
        }
        m = m * 10 + quint64(*p - '0');
        ++n;
        if (fraction >= 0)
            ++fraction;
    }
    return double(m) / Pow10[fraction > 0 ? fraction : 0];
}

inline int twoDigits(const char *p)
{
    return (p[0] - '0') * 10 + (p[1] - '0');
}

// Days since 1970-01-01 of a civil date (Howard Hinnant's days_from_civil).
inline qint64 dayNumber(int y, int m, int d)
{
    y -= m <= 2;
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;
    const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return qint64(era) * 146097 + doe - 719468;
}

// "06-OCT-24" or "2024/10/06".
inline qint64 scanDate(const char *p, const char *end)
{
    if (end - p >= 9 && p[2] == '-') {
        static const char months[] = "JANFEBMARAPRMAYJUNJULAUGSEPOCTNOVDEC";
        int m = 1;
        for (; m <= 12; ++m) {
            if (std::memcmp(months + 3 * (m - 1), p + 3, 3) == 0)
                break;
        }
        return dayNumber(2000 + twoDigits(p + 7), m, twoDigits(p));
    }
    if (end - p >= 10)
        return dayNumber(twoDigits(p) * 100 + twoDigits(p + 2), twoDigits(p + 5), twoDigits(p + 8));
    return 0;
}

inline void scanRecord(const char *p, const char *end, BareScan &scan)
{
    const char *items[6];
    const char *ends[6];
    int n = 0;
    for (p = skipBlanks(p, end); p < end && n < 6; p = skipBlanks(p, end)) {
        items[n] = p;
        p = itemEnd(p, end);
        ends[n++] = p;
    }
    if (n < 5)
        return;
    const double lat = decimal(items[1] + 1, ends[1]);
    const double lon = decimal(items[2] + 1, ends[2]);
    const qint64 day = scanDate(items[3], ends[3]);
    const char *t = items[4];
    const int seconds = ends[4] - t >= 8 ? twoDigits(t) * 3600 + twoDigits(t + 3) * 60 + twoDigits(t + 6) : 0;
    scan.checksum += lat + lon + double(day * 86400 + seconds);
    ++scan.records;
}

} // namespace detail

// Scans the files at paths (full paths) on the calling thread.
inline BareScan bareScan(const QStringList &paths)
{
    BareScan scan;
    timespec cpu0{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu0);
    QElapsedTimer clock;
    clock.start();
    QByteArray bytes;
    for (const QString &path : paths) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            continue;
        bytes.resize(f.size());
        const qint64 got = f.read(bytes.data(), bytes.size());
        if (got < 0)
            continue;
        scan.bytes += got;
        const char *p = bytes.constData();
        const char *const end = p + got;
        while (p < end) {
            const char *nl = static_cast<const char *>(std::memchr(p, '\n', size_t(end - p)));
            const char *lineEnd = nl ? nl : end;
            const char *e = lineEnd > p && lineEnd[-1] == '\r' ? lineEnd - 1 : lineEnd;
            if (e > p && *p == 'T')
                detail::scanRecord(p, e, scan);
            p = nl ? nl + 1 : end;
        }
    }
    scan.ms = clock.nsecsElapsed() / 1e6;
    timespec cpu1{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu1);
    scan.cpuMs = (cpu1.tv_sec - cpu0.tv_sec) * 1e3 + (cpu1.tv_nsec - cpu0.tv_nsec) / 1e6;
    return scan;
}

} // namespace bench
