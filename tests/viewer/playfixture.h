// Races built in memory for the playback and frame tests: boats sailing straight courses at
// steady speeds, derived with the viewer core's own derivations.
#pragma once

#include <boatcolours.h>
#include <daylight.h>
#include <passtable.h>
#include <samplemotion.h>
#include <viewerextent.h>
#include <viewerloader.h>

#include <QtTest>

#include <cmath>

namespace playtest {

// A boat sailing from (lat, lon) on a course at a speed (knots), a sample every interval
// seconds from t0 to t1 (seconds from the start).
inline ViewerBoat sailingBoat(const QString &name, double lat, double lon, double course, double knots, double t0,
                              double t1, double interval = 10.0)
{
    ViewerBoat boat;
    boat.Name = name;
    boat.MeanInterval = int(interval);
    const double rad = course * 3.14159265358979323846 / 180.0;
    const double cosLat = std::cos(lat / 60.0 * 3.14159265358979323846 / 180.0);
    for (double t = t0; t <= t1 + 1e-9; t += interval) {
        const double minutes = knots * (t - t0) / 3600.0; // nautical miles = minutes of latitude
        boat.Samples.append(ViewerSample{t, lat + minutes * std::cos(rad), lon + minutes * std::sin(rad) / cosLat, 0, 0});
    }
    return boat;
}

// The race with its derivations, as a load leaves it (no coast).
inline LoadedViewerRace shownRace(const QList<ViewerBoat> &boats, PlaybackPeriod period, int windDirection = 0,
                                  double boatLength = 10.0, const QStringList &course = {},
                                  const QList<ViewerLine> &lines = {}, const QList<ViewerMark> &marks = {})
{
    LoadedViewerRace shown;
    ViewerRace &race = shown.Race;
    race.Boats = boats;
    race.Period = period;
    race.WindDirection = windDirection;
    race.BoatLength = boatLength;
    race.Course = course;
    race.Lines = lines;
    race.Marks = marks;
    race.LayLineUp = 45;
    race.LayLineDown = 150;
    race.Start = platform::LocalDateTime::fromParts(2024, 7, 13, 11, 0, 0);
    race.TimeDifference = 9;
    race.TitleText = viewerTitleText(QStringLiteral("Test race"), {}, QStringLiteral("test.txt"));
    assignBoatColours(race);
    shown.Derived.Extent = computeExtent(race, 1000, 900);
    shown.Derived.Daylight = computeDaylight(race, shown.Derived.Extent);
    shown.Derived.MaxSpeed = deriveSpeedsAndCourses(race, shown.Derived.Extent.CosCentreLat);
    shown.Derived.Passes = computePassTable(race);
    return shown;
}

// A pass table of given finishing times (one element per row entry, NotPassed for none), with
// leaders and ranks as the core computes them.
inline PassTable passTable(const QVector<QVector<double>> &times)
{
    PassTable t;
    t.Time = times;
    const int elements = times.isEmpty() ? 0 : int(times.first().size());
    t.LeaderBoat.fill(0, elements);
    t.LeaderTime.fill(PassTable::NotPassed, elements);
    t.Rank.fill(0, times.size());
    for (int k = 0; k < elements; ++k)
        for (int b = 0; b < times.size(); ++b)
            if (times[b][k] < t.LeaderTime[k]) {
                t.LeaderTime[k] = times[b][k];
                t.LeaderBoat[k] = b + 1;
            }
    return t;
}

} // namespace playtest
