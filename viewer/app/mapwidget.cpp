#include "mapwidget.h"

#include <QMouseEvent>
#include <QPainter>

MapWidget::MapWidget(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Map"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void MapWidget::showPicture(const QImage *picture)
{
    m_picture = picture;
    update();
}

void MapWidget::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    if (m_picture && !m_picture->isNull()) {
        painter.drawImage(event->rect().topLeft(), *m_picture, event->rect());
        const QRect covered(QPoint(0, 0), m_picture->size());
        if (!covered.contains(rect())) {
            const QRegion rest = QRegion(rect()).subtracted(covered);
            for (const QRect &r : rest)
                painter.fillRect(r, m_blank);
        }
    } else {
        painter.fillRect(event->rect(), m_blank);
    }
}

// Moves and clicks on the panels lying on the map (the compass, the score panel …) are theirs.
void MapWidget::mouseMoveEvent(QMouseEvent *event)
{
    if (!childAt(event->position().toPoint()))
        emit pointerMoved(event->position().toPoint());
}

void MapWidget::mousePressEvent(QMouseEvent *event)
{
    if (!childAt(event->position().toPoint()))
        emit pressed(event->position().toPoint(), event->button());
}
