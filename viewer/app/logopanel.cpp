#include "logopanel.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr double DotSize = 7.0;
}

OverviewWidget::OverviewWidget(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Image1"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
}

void OverviewWidget::setPicture(const QImage &picture)
{
    m_picture = picture;
    update();
}

void OverviewWidget::setBoats(const QVector<QColor> &colours)
{
    m_colours = colours;
    m_dots.fill(QPointF(-100, -100), colours.size());
    update();
}

void OverviewWidget::moveDots(const QVector<QPointF> &topLeft)
{
    bool moved = false;
    for (int i = 0; i < topLeft.size() && i < m_dots.size(); ++i) {
        if (topLeft[i].x() < 0 || topLeft[i] == m_dots[i])
            continue;
        m_dots[i] = topLeft[i];
        moved = true;
    }
    if (moved)
        update();
}

void OverviewWidget::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (m_picture.isNull())
        p.fillRect(rect(), QColor(160, 225, 255));
    else
        p.drawImage(0, 0, m_picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 1));
    // The last boat first, so boat 1's dot lies on top.
    for (int i = int(m_dots.size()) - 1; i >= 0; --i) {
        p.setBrush(m_colours.value(i));
        p.drawEllipse(QRectF(m_dots[i] - QPointF(DotSize / 2, DotSize / 2), QSizeF(DotSize, DotSize)));
    }
}

void OverviewWidget::mousePressEvent(QMouseEvent *event)
{
    emit pressed(event->position().toPoint(), event->button());
}

void LogoPanel::mouseMoveEvent(QMouseEvent *event)
{
    if (childAt(event->position().toPoint()) != m_logo)
        emit pointerOver();
}

LogoPanel::LogoPanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("pnlLOGO"));
    setAutoFillBackground(true);
    setMouseTracking(true);
    m_overview = new OverviewWidget(this);
    m_overview->setMouseTracking(true);
    m_time = new QLabel(this);
    m_time->setObjectName(QStringLiteral("Memo1"));
    m_time->setAlignment(Qt::AlignCenter);
    m_time->setStyleSheet(QStringLiteral("QLabel { background: white; color: black; border: 1px solid #808080; }"));
    m_logo = new ClickableImage(QStringLiteral("imgLOGO"), this);
    m_logo->setPicture(QImage(QStringLiteral(":/viewer/logo.png")));
    m_logo->setMouseTracking(true);
}
