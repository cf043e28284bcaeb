// Prints how long the chart layers take for a large race: 50 boats, four hours of 1 s fixes
// (720 000 track points), tracks on, on a 1000-pixel chart and a 200-pixel overview: a redraw
// of the view shown (the tracks' picture kept), of a new view (paths and picture made anew), of
// a new focus (the picture painted anew from the kept paths), and without the cache.
// Run by hand: bench_chartlayers [repetitions [chart.png]] (the picture for a look at it)
#include <chartlayerpainter.h>
#include <mapview.h>
#include <orderedparallel.h>
#include <tracklayer.h>
#include <racecontrol.h>
#include <racedata.h>

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr int Boats = 50;
constexpr int Seconds = 4 * 3600;
constexpr double CentreLat = 2100.0; // 35° N
constexpr double CentreLon = 8340.0;

// Boats beating and running on a windward-leeward course two miles long, each with its own
// tacking rhythm and a little noise, so that the tracks cross and do not share pixels.
void makeRace(RaceControl &race, RaceData &data)
{
    QRandomGenerator rng(20261210);
    const double lonFactor = std::cos(35.0 * M_PI / 180.0);
    for (int b = 0; b < Boats; ++b) {
        BoatEntry e;
        e.Name = QStringLiteral("Boat %1").arg(b + 1);
        race.Boats.append(e);
        BoatTrack t;
        t.Points.reserve(Seconds);
        double lat = CentreLat - 1.0 + rng.bounded(0.05);
        double lon = CentreLon + rng.bounded(0.1) - 0.05;
        const double speed = (6.0 + rng.bounded(1.0)) / 3600.0; // minutes of latitude a second
        const int tackEvery = 120 + int(rng.bounded(240));
        bool upwind = true;
        int side = 1;
        for (int s = 0; s < Seconds; ++s) {
            if (s % tackEvery == 0)
                side = -side;
            if (upwind && lat > CentreLat + 1.0)
                upwind = false;
            else if (!upwind && lat < CentreLat - 1.0)
                upwind = true;
            const double course = (upwind ? 0.0 : 180.0) + side * (upwind ? 45.0 : 20.0);
            const double a = course * M_PI / 180.0;
            lat += speed * std::cos(a) + (rng.generateDouble() - 0.5) * 1e-4;
            lon += speed * std::sin(a) / lonFactor + (rng.generateDouble() - 0.5) * 1e-4;
            TrackPoint p;
            p.Time = s - 210;
            p.Lat = lat;
            p.Lon = lon;
            t.Points.append(p);
        }
        data.Tracks.append(t);
    }
    race.colourBoats();
    race.Marks = {RaceMark{CentreLat + 1.0, CentreLon}, RaceMark{CentreLat - 1.0, CentreLon}};
    race.Lines = {RaceLine{CentreLat - 1.05, CentreLon - 0.1, CentreLat - 1.05, CentreLon + 0.1}};
    race.Course.Entries = {QStringLiteral("L1"), QStringLiteral("MK1"), QStringLiteral("MK2"),
                           QStringLiteral("L1")};

    RaceExtent &e = data.Extent;
    for (const BoatTrack &t : data.Tracks)
        for (const TrackPoint &p : t.Points) {
            e.MaxLat = std::max(e.MaxLat, p.Lat);
            e.MinLat = std::min(e.MinLat, p.Lat);
            e.MaxLon = std::max(e.MaxLon, p.Lon);
            e.MinLon = std::min(e.MinLon, p.Lon);
        }
    e.CentreLat = (e.MaxLat + e.MinLat) / 2;
    e.CentreLon = (e.MaxLon + e.MinLon) / 2;
    e.MetresPerLatMinute = 1849.0;
    e.MetresPerLonMinute = 1849.0 * lonFactor;
    e.LonFactor = lonFactor;
    e.Span = std::max({0.1, e.MaxLat - e.MinLat, lonFactor * (e.MaxLon - e.MinLon)});

    // A coast of some thousand points along one side of the area.
    for (int k = 0; k < 5000; ++k) {
        CoastPoint c;
        c.Lat = e.MinLat - 0.5 + k * (e.Span + 1.0) / 5000.0;
        c.Lon = e.MinLon - 0.3 + 0.05 * std::sin(k / 50.0);
        c.startsLine = k % 1000 == 0;
        data.Coast.append(c);
    }
    data.LatestTrackEnd = Seconds - 211;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const int reps = argc > 1 ? std::max(1, atoi(argv[1])) : 20;

    RaceControl race;
    RaceData data;
    makeRace(race, data);
    int points = 0;
    for (const BoatTrack &t : data.Tracks)
        points += t.PointCount();

    MapView view;
    view.resetForRace(data.Extent, 0.0, 1000.0);
    ChartOptions options;
    options.tracksShown = true;
    options.layLinesShown = true;
    options.periodStart = -210;
    options.periodEnd = Seconds;
    race.ShownWindDirection = 0;

    QImage chart(1000, 1000, QImage::Format_RGB32);
    QImage overview(200, 200, QImage::Format_RGB32);
    std::vector<double> plain, kept, newView, newFocus, scene, overviewTimes, traced, zoomed, zoomedNew;
    TrackLayerCache cache;
    QElapsedTimer timer;
    auto redraw = [&](std::vector<double> &times, MapView &v, const ChartOptions &o, TrackLayerCache *tracks) {
        QPainter p(&chart);
        timer.start();
        DrawChart(p, chart.size(), v, race, data, o, QString(), tracks);
        DrawMarks(p, chart.size(), v, race, data, o);
        times.push_back(timer.nsecsElapsed() / 1e6);
    };
    for (int r = 0; r < reps; ++r) {
        redraw(plain, view, options, nullptr);
        std::vector<double> warming;
        redraw(warming, view, options, &cache);
        redraw(kept, view, options, &cache);
        {
            // Moved by a pixel: the paths and the picture are made anew; then one boat out of
            // focus: the picture is painted anew from the kept paths.
            MapView moved = view;
            moved.ViewLat += (r % 2 ? 1.0 : -1.0) / view.ScaleLat;
            redraw(newView, moved, options, &cache);
            ChartOptions o = options;
            o.focused = QVector<bool>(Boats, true);
            o.focused[r % Boats] = false;
            redraw(newFocus, moved, o, &cache);
        }
        timer.start();
        const LayerScene s = chartScene(race, data, chartFrame(view), options);
        scene.push_back(timer.nsecsElapsed() / 1e6);
        {
            QPainter p(&overview);
            timer.start();
            DrawOverview(p, overview.size(), view, race, data, options);
            overviewTimes.push_back(timer.nsecsElapsed() / 1e6);
        }
        {
            ChartOptions t = options;
            t.tracing = true;
            redraw(traced, view, t, &cache);
        }
        {
            MapView z = view;
            z.Zoom = z.UserZoom = 8.0;
            z.ViewLat += (r % 2 ? 1.0 : -1.0) / view.ScaleLat;
            redraw(zoomedNew, z, options, &cache);
            redraw(zoomed, z, options, &cache);
        }
    }
    if (argc > 2) {
        QPainter p(&chart);
        DrawChart(p, chart.size(), view, race, data, options, QString(), &cache);
        ChartOptions t = options;
        t.timeMarksShown = true;
        t.periodEnd = 1800;
        DrawTimeMarks(p, view, race, data, t);
        DrawMarks(p, chart.size(), view, race, data, options);
        p.end();
        chart.save(QString::fromLocal8Bit(argv[2]));
    }
    std::printf("chart layers: %d boats, %d track points, 1000 px chart, %d repetitions (median ms), %d cores\n",
                Boats, points, reps, platform::coreCount());
    std::printf("  DrawChart + DrawMarks, tracks on, view as before     %8.2f ms\n", median(kept));
    std::printf("  DrawChart + DrawMarks, tracks on, a new view         %8.2f ms\n", median(newView));
    std::printf("  DrawChart + DrawMarks, tracks on, a new focus        %8.2f ms\n", median(newFocus));
    std::printf("  DrawChart + DrawMarks, tracks drawn without a cache  %8.2f ms\n", median(plain));
    std::printf("    the chart scene alone (no painting)                %8.2f ms\n", median(scene));
    std::printf("  DrawChart + DrawMarks, zoom x8, view as before       %8.2f ms\n", median(zoomed));
    std::printf("  DrawChart + DrawMarks, zoom x8, a new view           %8.2f ms\n", median(zoomedNew));
    std::printf("  DrawChart + DrawMarks, tracing (grid)                %8.2f ms\n", median(traced));
    std::printf("  DrawOverview, 200 px, all tracks                     %8.2f ms\n", median(overviewTimes));
    return 0;
}
