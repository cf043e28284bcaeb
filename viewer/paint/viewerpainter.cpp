#include "viewerpainter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

constexpr QRgb TimeBarColour = qRgb(225, 225, 255);
constexpr QRgb UpwindColour = qRgb(255, 255, 255);
constexpr QRgb DownwindColour = qRgb(192, 192, 255);

struct Painter {
    QPainter &p;

    void operator()(const ViewerStroke &s) const
    {
        if (s.Points.size() < 2)
            return;
        QPen pen(toQColor(s.Colour), s.Width);
        pen.setStyle(s.Style == ViewerPenStyle::Dotted ? Qt::DotLine : Qt::SolidLine);
        pen.setCapStyle(Qt::FlatCap);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        // Thin lines stay crisp, as the chart always drew them; wide ones are smoothed.
        p.setRenderHint(QPainter::Antialiasing, s.Width > 1);
        if (s.Closed) {
            p.drawPolygon(s.Points.constData(), int(s.Points.size()));
        } else if (s.Width > 1 && s.Points.size() > 32) {
            // A wide trace of many points as one path makes the stroker work on a large
            // self-crossing outline; segment by segment it is many times faster.
            QVector<QLineF> segments;
            segments.reserve(s.Points.size() - 1);
            for (qsizetype i = 1; i < s.Points.size(); ++i)
                segments.append(QLineF(s.Points[i - 1], s.Points[i]));
            pen.setCapStyle(Qt::RoundCap);
            p.setPen(pen);
            p.drawLines(segments);
        } else {
            p.drawPolyline(s.Points.constData(), int(s.Points.size()));
        }
    }

    void operator()(const ViewerDisc &d) const
    {
        p.setRenderHint(QPainter::Antialiasing, true);
        if (d.OutlineWidth > 0)
            p.setPen(QPen(toQColor(d.Outline), d.OutlineWidth));
        else
            p.setPen(Qt::NoPen);
        p.setBrush(toQColor(d.Fill));
        p.drawEllipse(d.Centre, d.Radius, d.Radius);
    }

    void operator()(const ViewerPolygon &g) const
    {
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(toQColor(g.Outline), 1));
        p.setBrush(toQColor(g.Fill));
        p.drawPolygon(g.Points.constData(), int(g.Points.size()));
    }

    void operator()(const ViewerText &t) const
    {
        if (t.Text.isEmpty())
            return;
        const QFont &font = fontFor(t.FontSize);
        p.setFont(font);
        const QFontMetrics metrics(font);
        const int advance = metrics.horizontalAdvance(t.Text);
        QPointF at = t.Position;
        if (t.RightLimit > 0 && at.x() + advance > t.RightLimit)
            at.setX(t.RightLimit - advance);
        const QPointF baseline(at.x(), at.y() + metrics.ascent());
        if (t.Opaque)
            p.fillRect(QRectF(at, QSizeF(advance, metrics.height())), toQColor(t.Background));
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(toQColor(t.Colour));
        p.drawText(baseline, t.Text);
    }

    static const QFont &fontFor(int points)
    {
        // The frame uses four sizes; keep their fonts rather than making one for every text.
        static QFont fonts[4] = {viewerFont(9), viewerFont(15), viewerFont(20), viewerFont(50)};
        switch (points) {
        case 9:
            return fonts[0];
        case 15:
            return fonts[1];
        case 20:
            return fonts[2];
        case 50:
            return fonts[3];
        default:
            static QFont other;
            other = viewerFont(points);
            return other;
        }
    }
};

} // namespace

QColor toQColor(ViewerRgb rgb)
{
    return QColor(rgb.Red, rgb.Green, rgb.Blue);
}

QFont viewerFont(int points)
{
    QFont font;
    font.setPixelSize(std::max(1, int(std::lround(points * 96.0 / 72.0))));
    return font;
}

void paintViewerScene(QPainter &painter, const ViewerScene &scene)
{
    painter.save();
    if (scene.Clears && painter.device())
        painter.fillRect(QRect(0, 0, painter.device()->width(), painter.device()->height()), toQColor(scene.Background));
    const Painter visitor{painter};
    for (const ViewerSceneItem &item : scene.Items)
        std::visit(visitor, item);
    painter.restore();
}

void paintViewerScene(QImage &picture, const ViewerScene &scene)
{
    QPainter painter(&picture);
    paintViewerScene(painter, scene);
}

QImage turnCompass(const QImage &compass, double degrees, ViewerRgb sea, int size)
{
    QImage panel(size, size, QImage::Format_RGB32);
    panel.fill(toQColor(sea));
    const QImage source = compass.convertToFormat(QImage::Format_ARGB32);
    const int w = source.width(), h = source.height();
    const auto blend = [&](int x, int y, QRgb c) {
        if (x < 0 || y < 0 || x >= size || y >= size || qAlpha(c) == 0)
            return;
        if (qAlpha(c) == 255) {
            panel.setPixel(x, y, c);
            return;
        }
        const QRgb under = panel.pixel(x, y);
        const int a = qAlpha(c);
        panel.setPixel(x, y, qRgb((qRed(c) * a + qRed(under) * (255 - a)) / 255, (qGreen(c) * a + qGreen(under) * (255 - a)) / 255,
                                  (qBlue(c) * a + qBlue(under) * (255 - a)) / 255));
    };
    if (degrees == 0) {
        const int left = (size - w) / 2, top = (size - h) / 2;
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < w; ++i)
                blend(left + i, top + j, source.pixel(i, j));
        return panel;
    }
    double a = degrees < 0 ? degrees + 360 : degrees;
    a = a * 3.14159265358979323846 / 180.0;
    const double c = std::cos(a), s = std::sin(a);
    const double radius = w / 2.0;
    for (int j = 0; j < h; ++j) {
        for (int i = 0; i < w; ++i) {
            const double di = i - w / 2.0, dj = j - h / 2.0;
            if (di * di + dj * dj >= radius * radius)
                continue;
            const int x = int(std::lround(di * c - dj * s + size / 2.0));
            const int y = int(std::lround(di * s + dj * c + size / 2.0));
            const QRgb pixel = source.pixel(i, j);
            blend(x, y, pixel);
            blend(x, y + 1, pixel);
        }
    }
    return panel;
}

QImage paintTimeBar(const TimeBarPicture &picture)
{
    const TimeBarGeometry &g = picture.Geometry;
    QImage bar(g.BarWidth, g.BarHeight, QImage::Format_RGB32);
    bar.fill(TimeBarColour);
    QPainter p(&bar);
    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, g.BarWidth - 1, g.BarHeight - 1);
    for (const TimeBarBand &band : picture.Bands)
        p.fillRect(QRect(1, band.Top, g.BarWidth - 3, band.Bottom - band.Top + 1),
                   QColor::fromRgb(band.Upwind ? UpwindColour : DownwindColour));
    p.fillRect(QRect(0, picture.StartRow, g.BarWidth, 2), Qt::red);
    return bar;
}

QImage paintTimeBarBackground(const TimeBarPicture &picture)
{
    const TimeBarGeometry &g = picture.Geometry;
    QImage back(g.PanelWidth, g.PanelHeight, QImage::Format_RGB32);
    back.fill(Qt::yellow);
    for (int y = 0; y < g.PanelHeight && y < picture.Shade.size(); ++y) {
        const int v = picture.Shade[y];
        auto *line = reinterpret_cast<QRgb *>(back.scanLine(y));
        std::fill(line, line + g.PanelWidth, qRgb(v, v, 0));
    }
    return back;
}
