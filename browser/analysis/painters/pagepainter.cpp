#include "pagepainter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>

namespace {

QColor toQColor(Colour c) { return QColor::fromRgb(c); }

// The pages were designed with fonts sized in points on a 96 dot-per-inch screen; set them in
// pixels so a page looks the same whatever resolution its device reports.
QFont pageFont(const QString &family, double pointSize)
{
    QFont f(family.isEmpty() ? QFont().family() : family);
    f.setPixelSize(std::max(1, qRound(pointSize * 96.0 / 72.0)));
    return f;
}

// Far beyond the picture a coordinate only has to keep its side; clamping keeps it in int.
QPoint snap(const QPointF &p)
{
    constexpr double Limit = 1.0e7;
    return QPoint(int(std::lround(std::clamp(p.x(), -Limit, Limit))),
                  int(std::lround(std::clamp(p.y(), -Limit, Limit))));
}

struct ItemPainter {
    QPainter &p;
    const QString &family;

    void operator()(const PageLine &l) const
    {
        if (l.points.size() < 2)
            return;
        QPen pen(toQColor(l.colour));
        pen.setWidth(l.width);
        pen.setCapStyle(l.width > 1 ? Qt::RoundCap : Qt::SquareCap);
        pen.setJoinStyle(Qt::RoundJoin);
        p.setPen(pen);
        if (l.points.size() == 2) {
            p.drawLine(snap(l.points[0]), snap(l.points[1]));
        } else {
            QPolygon poly(int(l.points.size()));
            for (int i = 0; i < l.points.size(); ++i)
                poly[i] = snap(l.points[i]);
            p.drawPolyline(poly);
        }
    }
    void operator()(const PageBox &b) const
    {
        // Both corner pixels belong to the box.
        const QRect r = QRect(snap(QPointF(b.left(), b.top())), snap(QPointF(b.right(), b.bottom())));
        if (b.filled)
            p.fillRect(r, toQColor(b.fill));
        if (!b.filled || b.outline != b.fill) {
            p.setPen(QPen(toQColor(b.outline), 1));
            p.setBrush(Qt::NoBrush);
            p.drawRect(r.adjusted(0, 0, -1, -1));
        }
    }
    void operator()(const PageDot &d) const
    {
        p.setPen(Qt::NoPen);
        p.setBrush(toQColor(d.colour));
        p.drawEllipse(QPointF(snap(d.centre)), d.radius + 0.5, d.radius + 0.5);
        p.setBrush(Qt::NoBrush);
    }
    void operator()(const PagePolygon &g) const
    {
        p.setPen(QPen(toQColor(g.outline), 1));
        p.setBrush(toQColor(g.fill));
        QPolygon poly(int(g.points.size()));
        for (int i = 0; i < g.points.size(); ++i)
            poly[i] = snap(g.points[i]);
        p.drawPolygon(poly);
        p.setBrush(Qt::NoBrush);
    }
    void operator()(const PageText &t) const
    {
        if (t.text.isEmpty())
            return;
        const QFont font = pageFont(family, t.pointSize);
        p.setFont(font);
        p.setPen(toQColor(t.colour));
        const QFontMetricsF m(font, p.device());
        QPointF topLeft = t.position;
        if (t.anchor == PageAnchor::TopCentre)
            topLeft.rx() -= m.horizontalAdvance(t.text) / 2.0;
        else if (t.anchor == PageAnchor::TopRight)
            topLeft.rx() -= m.horizontalAdvance(t.text);
        p.drawText(QPointF(topLeft.x(), topLeft.y() + m.ascent()), t.text);
    }
};

} // namespace

void paintPage(QPainter &painter, const PageScene &scene, const QString &fontFamily)
{
    painter.save();
    // Lines and boxes without smoothing, so one-pixel lines stay sharp; text keeps its own.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    if (scene.clears)
        painter.fillRect(painter.window(), toQColor(scene.background));
    const ItemPainter draw{painter, fontFamily};
    for (const PageItem &item : scene.items)
        std::visit(draw, item);
    painter.restore();
}

void paintDataPage(QPainter &painter, const DataPageScene &scene, const QString &fontFamily)
{
    paintPage(painter, scene.page, fontFamily);
    if (!scene.hasGraphs || scene.graphsSize.isEmpty())
        return;
    QImage graphs(scene.graphsSize, QImage::Format_RGB32);
    {
        QPainter off(&graphs);
        paintPage(off, scene.graphs, fontFamily);
    }
    painter.drawImage(scene.graphsOrigin, graphs);
}

QImage renderDataPage(const DataPageScene &scene, const QString &fontFamily)
{
    QImage image(scene.pageSize.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    QPainter p(&image);
    paintDataPage(p, scene, fontFamily);
    return image;
}

QImage renderGraphPage(const GraphPageScene &scene, const QSize &size, const QString &fontFamily)
{
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    QPainter p(&image);
    paintPage(p, scene.picture, fontFamily);
    return image;
}

void paintPointerAid(QPainter &painter, const PointerAid &aid, const QString &fontFamily, double fontScale)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (aid.marksShown) {
        painter.setPen(QPen(toQColor(PointerMarkColour), 1));
        for (double x : aid.markX)
            painter.drawLine(snap(QPointF(x, aid.markTop)), snap(QPointF(x, aid.markBottom)));
    }
    if (aid.readoutShown) {
        const QRect box = aid.readout.toRect();
        painter.fillRect(box, Qt::white);
        painter.setPen(QPen(Qt::black, 1));
        painter.drawRect(box.adjusted(0, 0, -1, -1));
        painter.setFont(pageFont(fontFamily, 8.0 * fontScale));
        painter.drawText(box, Qt::AlignCenter, aid.text);
    }
    painter.restore();
}
