#include "pagecanvas.h"

#include <QPaintEvent>
#include <QPainter>

PageCanvas::PageCanvas(const QString &objectName, QWidget *parent) : QWidget(parent)
{
    setObjectName(objectName);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PageCanvas::setImage(const QImage &image)
{
    m_image = image;
    update();
}

void PageCanvas::setOverlay(std::function<void(QPainter &)> overlay)
{
    m_overlay = std::move(overlay);
    update();
}

void PageCanvas::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    p.fillRect(event->rect(), palette().window());
    if (!m_image.isNull())
        p.drawImage(event->rect().topLeft(), m_image, event->rect());
    if (m_overlay)
        m_overlay(p);
}

void PageCanvas::mousePressEvent(QMouseEvent *event)
{
    emit mousePressed(event);
}

void PageCanvas::mouseMoveEvent(QMouseEvent *event)
{
    emit mouseMoved(event);
}
