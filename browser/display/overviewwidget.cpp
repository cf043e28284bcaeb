#include "overviewwidget.h"

#include <QFrame>

#include <cmath>

OverviewWidget::OverviewWidget(QWidget *parent) : CanvasPicture(QStringLiteral("Picture6"), parent) {}

void OverviewWidget::buildMarkers(const QVector<Colour> &colours)
{
    removeMarkers();
    for (int i = 0; i < colours.size(); ++i) {
        auto *marker = new QFrame(this);
        marker->setObjectName(QStringLiteral("BoatS"));
        marker->setProperty("index", i);
        marker->resize(7, 7);
        marker->setStyleSheet(QStringLiteral("QFrame { background-color: %1; border: 1px solid white; }")
                                  .arg(QColor::fromRgb(QRgb(colours[i])).name()));
        marker->setAttribute(Qt::WA_TransparentForMouseEvents);
        marker->hide();
        m_markers.append(marker);
    }
}

void OverviewWidget::removeMarkers()
{
    qDeleteAll(m_markers);
    m_markers.clear();
}

void OverviewWidget::showMarker(int i, const QPointF &topLeft)
{
    if (i < 0 || i >= m_markers.size())
        return;
    QFrame *m = m_markers[i];
    const QPoint at(int(std::floor(topLeft.x() + 0.5)), int(std::floor(topLeft.y() + 0.5)));
    if (m->pos() != at)
        m->move(at);
    if (!m->isVisible())
        m->show();
}

void OverviewWidget::hideMarker(int i)
{
    if (i >= 0 && i < m_markers.size())
        m_markers[i]->hide();
}

bool OverviewWidget::isMarkerShown(int i) const
{
    return i >= 0 && i < m_markers.size() && m_markers[i]->isVisible();
}
