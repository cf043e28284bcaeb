#include "clickableimage.h"

#include <QMouseEvent>
#include <QPixmap>

ClickableImage::ClickableImage(const QString &objectName, QWidget *parent) : QLabel(parent)
{
    setObjectName(objectName);
    setCursor(Qt::PointingHandCursor);
}

void ClickableImage::setPicture(const QImage &picture)
{
    setPixmap(QPixmap::fromImage(picture));
}

void ClickableImage::mousePressEvent(QMouseEvent *event)
{
    emit pressed(event->button(), event->position().toPoint());
}
