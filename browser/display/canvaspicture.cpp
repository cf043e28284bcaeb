#include "canvaspicture.h"

#include <QMouseEvent>
#include <QPainter>

CanvasPicture::CanvasPicture(const QString &objectName, QWidget *parent) : QWidget(parent)
{
    setObjectName(objectName);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void CanvasPicture::setBackground(const QColor &colour)
{
    m_background = colour;
}

void CanvasPicture::clear()
{
    ensureCanvasSize();
    m_canvas.fill(m_background);
}

void CanvasPicture::flush(const QRect &area, bool immediately)
{
    const QRect r = area.isNull() ? rect() : area;
    if (immediately)
        repaint(r);
    else
        update(r);
}

void CanvasPicture::ensureCanvasSize()
{
    const qreal dpr = devicePixelRatioF();
    const QSize wanted = (QSizeF(size()) * dpr).toSize().expandedTo(QSize(1, 1));
    if (m_canvas.size() == wanted && qFuzzyCompare(m_canvas.devicePixelRatio(), dpr))
        return;
    // Grow and keep what is drawn, as a picture box does when it is resized.
    QImage grown(wanted, QImage::Format_RGB32);
    grown.setDevicePixelRatio(dpr);
    grown.fill(m_background);
    if (!m_canvas.isNull()) {
        QPainter p(&grown);
        p.drawImage(QPoint(0, 0), m_canvas);
    }
    m_canvas = grown;
}

void CanvasPicture::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    if (m_canvas.isNull()) {
        p.fillRect(event->rect(), m_background);
        return;
    }
    const qreal dpr = m_canvas.devicePixelRatio();
    const QRect exposed = event->rect();
    const QRectF source(QPointF(exposed.topLeft()) * dpr, QSizeF(exposed.size()) * dpr);
    p.drawImage(exposed, m_canvas, source);
}

void CanvasPicture::resizeEvent(QResizeEvent *event)
{
    ensureCanvasSize();
    QWidget::resizeEvent(event);
}

void CanvasPicture::mousePressEvent(QMouseEvent *event)
{
    emit mousePressed(event);
}

void CanvasPicture::mouseMoveEvent(QMouseEvent *event)
{
    emit mouseMoved(event);
}

void CanvasPicture::mouseReleaseEvent(QMouseEvent *event)
{
    emit mouseReleased(event);
}
