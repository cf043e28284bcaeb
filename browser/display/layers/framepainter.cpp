#include "framepainter.h"

#include "chartlayerpainter.h"

#include <QFont>
#include <QPainter>

namespace {

constexpr Colour White = rgb(255, 255, 255);
constexpr Colour Red = rgb(255, 0, 0);
constexpr Colour Black = rgb(0, 0, 0);
constexpr int FinishRowPitch = 14;

QColor toQColor(Colour c)
{
    return QColor::fromRgb(c);
}

} // namespace

void paintFrameOnChart(QPainter &painter, const FrameScene &frame, const QString &fontFamily)
{
    LayerScene scene;
    for (const BoatFrameScene &b : frame.boats) {
        if (b.wake.size() >= 2) {
            SceneStroke s;
            s.points = b.wake;
            s.colour = White;
            scene.items.push_back(std::move(s));
            for (int j = 1; j < b.wake.size(); ++j)
                scene.items.push_back(SceneCircle{b.wake[j], 1.0, White, White});
        }
        if (b.nameShown) {
            SceneText t;
            t.position = b.namePosition;
            t.text = b.nameText;
            t.colour = b.colour;
            t.pointSize = b.namePointSize;
            scene.items.push_back(std::move(t));
        }
    }
    if (!scene.items.empty())
        paintLayer(painter, scene, fontFamily);
}

void paintBoatSymbol(QPainter &painter, const BoatSymbolShape &symbol, const QPointF &topLeft, Colour colour,
                     Colour sea)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.translate(topLeft);
    const double s = symbol.size;
    if (symbol.ring) {
        QPen ring(toQColor(Red));
        ring.setWidthF(3.0);
        painter.setPen(ring);
        painter.setBrush(toQColor(sea));
        painter.drawEllipse(QPointF(s / 2.0, s / 2.0), s / 2.0 - 1.0, s / 2.0 - 1.0);
    }
    painter.setPen(QPen(toQColor(colour), 1.0));
    painter.setBrush(toQColor(colour));
    painter.drawPolygon(symbol.hull.constData(), int(symbol.hull.size()));
    if (!symbol.sail.isEmpty()) {
        painter.setPen(QPen(toQColor(White), 1.0));
        painter.setBrush(toQColor(White));
        painter.drawPolygon(symbol.sail.constData(), int(symbol.sail.size()));
        painter.drawEllipse(symbol.mast, 1.0, 1.0);
    }
    painter.restore();
}

void paintBoatOverlay(QPainter &painter, const FrameScene &frame, Colour sea)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const BoatFrameScene &b : frame.boats) {
        if (b.bar == FrameChange::Show) {
            painter.setPen(QPen(toQColor(b.colour), 1));
            painter.drawLine(b.barLine);
        }
    }
    painter.restore();
    for (const BoatFrameScene &b : frame.boats) {
        if (b.symbolShown)
            paintBoatSymbol(painter, b.symbol, b.symbolRect().topLeft(), b.colour, sea);
    }
}

int finishPanelHeight(int rows)
{
    return FinishRowPitch * rows + 5;
}

void paintFinishPanel(QPainter &painter, const QVector<FinishRow> &rows, const QSize &size, const QString &fontFamily)
{
    painter.save();
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    QFont font(fontFamily.isEmpty() ? QFont().family() : fontFamily);
    font.setPixelSize(11);
    painter.setFont(font);
    const QFontMetrics m(font, painter.device());
    for (int r = 0; r < rows.size(); ++r) {
        const FinishRow &row = rows[r];
        const int y = FinishRowPitch * r + 2;
        painter.fillRect(QRect(QPoint(16, y), QPoint(98, y + 12)), toQColor(row.colour));
        const int baseline = y + 1 + m.ascent();
        painter.setPen(toQColor(White));
        painter.drawText(QPoint(17, baseline), row.name);
        painter.setPen(toQColor(Black));
        painter.drawText(QPoint(3, baseline), QString::number(row.rank));
        painter.drawText(QPoint(105, baseline), row.timeText);
    }
    painter.restore();
}

void paintTimeBar(QPainter &painter, const TimeBarScene &scene, const QSize &size)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    for (const TimeBarBand &b : scene.bands) {
        const QColor c = toQColor(b.upwind ? TimeBarScene::Upwind : TimeBarScene::Downwind);
        painter.fillRect(QRectF(TimeBarScene::BandLeft, b.top, TimeBarScene::BandRight - TimeBarScene::BandLeft + 1,
                                b.bottom - b.top),
                         c);
    }
    painter.setPen(QPen(toQColor(TimeBarScene::LineColour), 1));
    for (double y : {scene.startY, scene.finishY})
        painter.drawLine(QPointF(0, y), QPointF(TimeBarScene::LineRight, y));
    painter.restore();
}
