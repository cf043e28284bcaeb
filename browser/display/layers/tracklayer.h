// The tracks of the chart, kept between redraws. A 50-boat race of four hours at one fix a
// second holds 720 000 points; projecting and thinning them takes longer than the rest of a
// chart redraw, and painting the few hundred thousand short lines left longer still. Most
// redraws show the same tracks (a sea colour, a layer switched on or off, the marks), so the
// chart keeps them twice:
//   - each boat's track as its path on the chart: the polylines chartScene would draw for it
//     (trackStrokes), for one view (projection and picture size) and one playback period;
//   - the picture the focused boats' paths make, in boat order, on a transparent image of the
//     chart's size, for that view and period, the focus and the boat colours.
// DrawChart (chartlayerpainter.h) lays the picture between the coast lines and the scale bar;
// its pixels are those of drawing the tracks straight onto the chart, because the tracks are
// drawn without smoothing in opaque colours. A change of view or period makes the paths
// anew; a change of focus or colours only paints the kept paths again. Both are done on every
// core: the paths boat by boat, the picture in runs of boats composed in boat order.
//
// The cache knows the race only by the addresses and lengths of its tracks: the window clears
// it whenever it loads a race.
#pragma once

#include <chartlayers.h>

#include <QImage>
#include <QVector>

class QPainter;

class TrackLayerCache
{
public:
    // Paints the tracks of the focused boats over the playback period, as chartScene has them,
    // onto painter, which paints on a picture of the chart's size without a transformation
    // other than the picture's device pixel ratio. Nothing when the chart shows no tracks
    // (chartTracksShown).
    void paint(QPainter &painter, const RaceControl &race, const RaceData &data, const ChartFrame &chart,
               const ChartOptions &options);

    // Forgets the paths and the picture.
    void clear();

    // How many times the paths were made (for a new view or period) and how many times the
    // picture was painted, since the cache was made; for tests and the benchmark.
    int pathBuilds() const { return m_pathBuilds; }
    int pictureBuilds() const { return m_pictureBuilds; }

    // Threads that make the paths and the picture (0, the default: one per core).
    void setThreads(int threads) { m_threads = threads; }

private:
    // What the paths depend on: the view, the period and the race (the boat colours only
    // change with it).
    struct PathKey {
        ChartFrame chart;
        double periodStart = 0.0, periodEnd = 0.0;
        QVector<const TrackPoint *> points; // each track's points, as the race holds them
        QVector<qsizetype> counts;
        QVector<Colour> colours;
        bool operator==(const PathKey &) const = default;
    };
    // What the picture depends on beyond the paths: the focus, and the device pixels of the
    // chart picture (a high-resolution screen has more than one a chart pixel).
    struct PictureKey {
        qreal devicePixelRatio = 1.0;
        QVector<bool> drawn; // per boat
        bool operator==(const PictureKey &) const = default;
    };

    // Makes the paths of the boats drawn that are not made yet.
    void makePaths(const RaceControl &race, const RaceData &data, const QVector<bool> &drawn);
    void makePicture(PictureKey key);

    PathKey m_pathKey;
    bool m_havePaths = false;
    QVector<QVector<SceneStroke>> m_paths; // per boat; empty for a boat not made yet
    QVector<bool> m_made;                  // per boat: its path is made for m_pathKey
    PictureKey m_pictureKey;
    bool m_havePicture = false;
    bool m_pictureEmpty = true;
    QImage m_picture;
    int m_threads = 0;
    int m_pathBuilds = 0;
    int m_pictureBuilds = 0;
};
