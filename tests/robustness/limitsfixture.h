// The race both programs' limit tests load: one fix a second from 2024/07/13 02:00:00 UTC
// (11:00 local with TD 9), drifting north-east, and the race file's times for it.
#pragma once

#include <QByteArray>

#include <cstdio>

namespace limits {

// count fix lines from second `from` on.
inline QByteArray fixes(int count, int from = 0)
{
    QByteArray out;
    out.reserve(qsizetype(count) * 50);
    for (int i = from; i < from + count; ++i) {
        const qint64 t = 2 * 3600 + i;
        const int day = 13 + int(t / 86400);
        const int s = int(t % 86400);
        char line[80];
        std::snprintf(line, sizeof line, "T  N3517.%05d E13926.%05d %02d-JUL-24 %02d:%02d:%02d 0\r\n", i % 100000,
                      (i * 7) % 100000, day, s / 3600, s / 60 % 60, s % 60);
        out += line;
    }
    return out;
}

inline QByteArray raceHead()
{
    return "ST, 2024/07/13 11:00:00\r\nFT, 2024/07/13 12:00:00\r\nTD, 9\r\n";
}

} // namespace limits
