#include "timebarpanel.h"

#include <viewerpainter.h>

#include <QMouseEvent>
#include <QPainter>

TimeBarWidget::TimeBarWidget(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TimeBar"));
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TimeBarWidget::setPicture(const QImage &picture)
{
    m_picture = picture;
    update();
}

void TimeBarWidget::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(225, 225, 255));
    p.drawImage(0, 0, m_picture);
}

void TimeBarWidget::mousePressEvent(QMouseEvent *event)
{
    emit pressed(int(event->position().y()));
}

void TimeBarWidget::mouseMoveEvent(QMouseEvent *event)
{
    emit hovered(int(event->position().y()));
}

TimeBarPanel::TimeBarPanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("pnlTimeBar"));
    setMouseTracking(true);
    m_back = new ClickableImage(QStringLiteral("BackTimeBar"), this);
    m_back->setCursor(Qt::ArrowCursor);
    m_bar = new TimeBarWidget(this);
    m_pointer = new QWidget(this);
    m_pointer->setObjectName(QStringLiteral("TimePointer"));
    m_pointer->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_pointer->setAutoFillBackground(true);
    QPalette red = m_pointer->palette();
    red.setColor(QPalette::Window, Qt::red);
    m_pointer->setPalette(red);
    connect(m_bar, &TimeBarWidget::pressed, this, &TimeBarPanel::barPressed);
    connect(m_bar, &TimeBarWidget::hovered, this, &TimeBarPanel::barHovered);
    connect(m_back, &ClickableImage::pressed, this, [this](Qt::MouseButton, QPoint at) {
        if (at.y() >= m_back->height() - BackToStartRows)
            emit backToStart();
    });
}

void TimeBarPanel::setPicture(const TimeBarPicture &picture)
{
    const TimeBarGeometry &g = picture.Geometry;
    m_back->setGeometry(0, 0, g.PanelWidth, g.PanelHeight);
    m_back->setPicture(paintTimeBarBackground(picture));
    m_bar->setGeometry(g.BarLeft, g.BarTop, g.BarWidth, g.BarHeight);
    m_bar->setPicture(paintTimeBar(picture));
    m_pointer->setGeometry(g.PointerLeft, m_pointer->y(), g.PointerWidth, g.PointerHeight);
    m_pointer->raise();
}

void TimeBarPanel::setPointerTop(int top)
{
    if (m_pointer->y() != top)
        m_pointer->move(m_pointer->x(), top);
}

void TimeBarPanel::mouseMoveEvent(QMouseEvent *event)
{
    emit pointerOver();
    QWidget::mouseMoveEvent(event);
}

void TimeBarPanel::enterEvent(QEnterEvent *event)
{
    emit pointerOver();
    QWidget::enterEvent(event);
}
