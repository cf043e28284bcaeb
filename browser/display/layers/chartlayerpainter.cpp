#include "chartlayerpainter.h"

#include "tracklayer.h"

#include <mapview.h>

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>

namespace {

QColor toQColor(Colour c) { return QColor::fromRgb(c); }

// The chart's fonts were sized in points on a 96 dot-per-inch screen; set them in pixels so a
// picture looks the same whatever resolution its device reports.
QFont chartFont(const QString &family, double pointSize)
{
    QFont f(family.isEmpty() ? QFont().family() : family);
    f.setPixelSize(std::max(1, qRound(pointSize * 96.0 / 72.0)));
    return f;
}

// Far beyond the picture a coordinate only has to keep its side; clamping keeps it inside
// the range of int.
QPoint snap(const QPointF &p)
{
    constexpr double Limit = 1.0e7;
    return QPoint(int(std::lround(std::clamp(p.x(), -Limit, Limit))),
                  int(std::lround(std::clamp(p.y(), -Limit, Limit))));
}

struct ItemPainter {
    QPainter &p;
    const QString &family;

    void operator()(const SceneStroke &s) const
    {
        QPen pen(toQColor(s.colour));
        pen.setWidth(s.width);
        pen.setStyle(s.style == StrokeStyle::Dotted ? Qt::DotLine : Qt::SolidLine);
        pen.setCapStyle(s.width > 1 ? Qt::RoundCap : Qt::SquareCap);
        pen.setJoinStyle(Qt::RoundJoin);
        p.setPen(pen);
        // Whole pixels, as the chart was always drawn: a line computed at 59.9999 lands on
        // row 60 like the one at 60, and the integer path of the raster engine is the fastest.
        if (s.points.size() == 2) {
            p.drawLine(snap(s.points[0]), snap(s.points[1]));
        } else {
            QPolygon poly(int(s.points.size()));
            for (int i = 0; i < s.points.size(); ++i)
                poly[i] = snap(s.points[i]);
            p.drawPolyline(poly);
        }
    }
    void operator()(const SceneCircle &c) const
    {
        p.setPen(QPen(toQColor(c.outline), 1));
        p.setBrush(toQColor(c.fill));
        p.drawEllipse(QPointF(snap(c.centre)), c.radius, c.radius);
        p.setBrush(Qt::NoBrush);
    }
    void operator()(const ScenePolygon &g) const
    {
        p.setPen(QPen(toQColor(g.outline), 1));
        p.setBrush(toQColor(g.fill));
        QPolygon poly(int(g.points.size()));
        for (int i = 0; i < g.points.size(); ++i)
            poly[i] = snap(g.points[i]);
        p.drawPolygon(poly);
        p.setBrush(Qt::NoBrush);
    }
    void operator()(const SceneText &t) const
    {
        if (t.text.isEmpty())
            return;
        const QFont font = chartFont(family, t.pointSize);
        p.setFont(font);
        p.setPen(toQColor(t.colour));
        const QFontMetricsF m(font, p.device());
        QPointF topLeft = t.position;
        if (t.anchor == TextAnchor::TopCentre)
            topLeft.rx() -= m.horizontalAdvance(t.text) / 2.0;
        p.drawText(QPointF(topLeft.x(), topLeft.y() + m.ascent()), t.text);
    }
};

} // namespace

void paintLayer(QPainter &painter, const LayerScene &scene, const QString &fontFamily)
{
    painter.save();
    // Lines, circles and polygons are drawn as the chart always was, without smoothing: one
    // pixel lines stay sharp and the tracks of a whole fleet draw fast. Text keeps its own.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    if (scene.clears)
        painter.fillRect(painter.window(), toQColor(scene.background));
    const ItemPainter draw{painter, fontFamily};
    for (const SceneItem &item : scene.items)
        std::visit(draw, item);
    painter.restore();
}

void DrawChart(QPainter &painter, const QSize &chartSize, MapView &view, const RaceControl &race,
               const RaceData &data, const ChartOptions &options, const QString &fontFamily,
               TrackLayerCache *tracks)
{
    view.setChartSize(chartSize.width(), chartSize.height());
    view.ComputeScales();
    const ChartFrame frame = chartFrame(view);
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    if (!tracks || painter.deviceTransform() != QTransform::fromScale(ratio, ratio)) {
        paintLayer(painter, chartScene(race, data, frame, options), fontFamily);
        return;
    }
    paintLayer(painter, chartBaseScene(race, data, frame, options), fontFamily);
    tracks->paint(painter, race, data, frame, options);
    paintLayer(painter, scaleBarScene(frame, options), fontFamily);
}

void DrawMarks(QPainter &painter, const QSize &chartSize, MapView &view, const RaceControl &race,
               const RaceData &data, const ChartOptions &options, const QString &fontFamily)
{
    view.setChartSize(chartSize.width(), chartSize.height());
    view.ComputeScales();
    paintLayer(painter, marksScene(race, data, chartFrame(view), options), fontFamily);
}

void DrawTimeMarks(QPainter &painter, const MapView &view, const RaceControl &race,
                   const RaceData &data, const ChartOptions &options)
{
    paintLayer(painter, timeMarksScene(race, data, chartFrame(view), options));
}

void DrawOverview(QPainter &painter, const QSize &overviewSize, MapView &view,
                  const RaceControl &race, const RaceData &data, const ChartOptions &options)
{
    view.ComputeOverviewScales(overviewSize.width(), overviewSize.height());
    paintLayer(painter, overviewScene(race, data, overviewFrame(view), options));
}

WindIndicatorScene DrawWindIndicator(QPainter &painter, const QSize &pictureSize,
                                     double chartRotation, const WindReading &wind,
                                     Colour background)
{
    WindIndicatorScene scene =
        windIndicatorScene(pictureSize.width(), chartRotation, wind, background);
    paintLayer(painter, scene.picture);
    return scene;
}
