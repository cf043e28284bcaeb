#include "tracklayer.h"

#include "chartlayerpainter.h"

#include <orderedparallel.h>

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

void TrackLayerCache::clear()
{
    m_havePaths = false;
    m_havePicture = false;
    m_paths.clear();
    m_made.clear();
    m_picture = QImage();
    m_pictureEmpty = true;
}

void TrackLayerCache::paint(QPainter &painter, const RaceControl &race, const RaceData &data, const ChartFrame &chart,
                            const ChartOptions &options)
{
    if (!chartTracksShown(options))
        return;
    const int boats = std::min(int(data.Tracks.size()), race.boatCount());

    PathKey key;
    key.chart = chart;
    key.periodStart = options.periodStart;
    key.periodEnd = options.periodEnd;
    key.points.reserve(boats);
    key.counts.reserve(boats);
    key.colours.reserve(boats);
    for (int i = 0; i < boats; ++i) {
        key.points << data.Tracks[i].Points.constData();
        key.counts << data.Tracks[i].Points.size();
        key.colours << race.Boats[i].colour;
    }
    if (!m_havePaths || !(key == m_pathKey)) {
        m_pathKey = std::move(key);
        m_paths = QVector<QVector<SceneStroke>>(boats);
        m_made = QVector<bool>(boats, false);
        m_havePaths = true;
        m_havePicture = false;
        ++m_pathBuilds;
    }

    PictureKey picture;
    picture.devicePixelRatio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    picture.drawn.resize(boats);
    for (int i = 0; i < boats; ++i)
        picture.drawn[i] = options.isFocused(i);
    makePaths(race, data, picture.drawn);
    if (!m_havePicture || !(picture == m_pictureKey))
        makePicture(std::move(picture));
    if (!m_pictureEmpty)
        painter.drawImage(0, 0, m_picture);
}

void TrackLayerCache::makePaths(const RaceControl &race, const RaceData &data, const QVector<bool> &drawn)
{
    QVector<int> todo;
    for (int i = 0; i < drawn.size(); ++i) {
        if (drawn[i] && !m_made[i])
            todo << i;
    }
    if (todo.isEmpty())
        return;
    QVector<SceneStroke> *paths = m_paths.data();
    const PathKey &key = m_pathKey;
    platform::parallelFor(
        int(todo.size()),
        [&](int k) {
            const int i = todo[k];
            paths[i] = trackStrokes(data.Tracks[i], key.chart, key.periodStart, key.periodEnd, race.Boats[i].colour);
        },
        m_threads);
    for (int i : std::as_const(todo))
        m_made[i] = true;
}

void TrackLayerCache::makePicture(PictureKey key)
{
    m_pictureKey = std::move(key);
    m_havePicture = true;
    ++m_pictureBuilds;

    // The boats drawn, in order, and the vertices each brings, to share the painting fairly.
    QVector<int> boats;
    QVector<qsizetype> vertices;
    qsizetype total = 0;
    for (int i = 0; i < m_pictureKey.drawn.size(); ++i) {
        if (!m_pictureKey.drawn[i] || m_paths[i].isEmpty())
            continue;
        qsizetype n = 0;
        for (const SceneStroke &s : std::as_const(m_paths[i]))
            n += s.points.size();
        boats << i;
        vertices << n;
        total += n;
    }
    const qreal ratio = m_pictureKey.devicePixelRatio;
    const QSize size(int(std::lround(m_pathKey.chart.width * ratio)), int(std::lround(m_pathKey.chart.height * ratio)));
    m_pictureEmpty = boats.isEmpty() || size.isEmpty();
    if (m_pictureEmpty) {
        m_picture = QImage();
        return;
    }

    // Runs of consecutive boats, one a thread, each painted on a transparent picture of its
    // own. Every pixel a track sets is opaque, so laying the runs' pictures over one another in
    // boat order gives each pixel the colour of the last boat that set it, as painting all the
    // boats in order on one picture does.
    const int runs = int(std::min<qsizetype>(m_threads > 0 ? m_threads : platform::coreCount(), boats.size()));
    QVector<int> runStart{0};
    qsizetype done = 0;
    for (int b = 0; b < boats.size() && runStart.size() < runs; ++b) {
        done += vertices[b];
        if (done * runs >= total * runStart.size() && b + 1 < boats.size())
            runStart << b + 1;
    }
    runStart << int(boats.size());
    std::vector<QImage> pictures(static_cast<size_t>(runStart.size() - 1));
    const QVector<QVector<SceneStroke>> &paths = m_paths;
    platform::parallelFor(
        int(pictures.size()),
        [&](int r) {
            QImage picture(size, QImage::Format_ARGB32_Premultiplied);
            picture.setDevicePixelRatio(ratio);
            picture.fill(Qt::transparent);
            LayerScene scene;
            for (int b = runStart[r]; b < runStart[r + 1]; ++b) {
                for (const SceneStroke &s : paths[boats[b]])
                    scene.items.push_back(s);
            }
            QPainter p(&picture);
            paintLayer(p, scene);
            p.end();
            pictures[size_t(r)] = std::move(picture);
        },
        m_threads);
    m_picture = std::move(pictures[0]);
    if (pictures.size() > 1) {
        QPainter p(&m_picture);
        for (size_t r = 1; r < pictures.size(); ++r)
            p.drawImage(0, 0, pictures[r]);
    }
}
