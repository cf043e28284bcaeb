// Passing times and distances set by hand, and races to go with them, for the tests of the
// analysis pages: the tables, graphs and factor bars follow from these numbers alone.
#pragma once

#include <legstats.h>
#include <racecontrol.h>

#include <QStringList>
#include <QVector>

namespace pagefixture {

// A race with the given course and boats "Boat 1" … in the palette's colours.
inline RaceControl race(const QStringList &course, int boats)
{
    RaceControl r;
    r.FileName = QStringLiteral("race1.txt");
    r.Course.Entries = course;
    for (int b = 1; b <= boats; ++b)
        r.Boats.append({QStringLiteral("boat%1.trk").arg(b), QStringLiteral("Boat %1").arg(b)});
    r.colourBoats();
    r.RaceDuration = 3600;
    r.PreStartSeconds = 180;
    return r;
}

// LegStats with both computations "done": times[b][e] in seconds, distances[b][e] in nautical
// miles (0 where none is given).
inline LegStats stats(const QVector<QVector<double>> &times, QVector<QVector<double>> distances = {})
{
    LegStats s;
    s.RoundingTime = times;
    const int entries = times.isEmpty() ? 0 : int(times.first().size());
    for (int b = 0; b < times.size(); ++b)
        if (b >= distances.size())
            distances.append(QVector<double>(entries, 0.0));
    s.RoundingDistance = distances;
    s.LeaderTime = QVector<double>(entries, LegStats::NoLeader);
    s.Valid = true;
    return s;
}

} // namespace pagefixture
