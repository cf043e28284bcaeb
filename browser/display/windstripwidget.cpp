#include "windstripwidget.h"

#include "racedisplaystate.h"

#include <appsettings.h>
#include <graphpage.h>
#include <pagepainter.h>

#include <QPainter>

namespace {

const QColor CursorColour(255, 0, 0);

} // namespace

WindStripWidget::WindStripWidget(RaceDisplayState &state, QWidget *parent)
    : CanvasPicture(QStringLiteral("sWind"), parent), m_state(state)
{
}

void WindStripWidget::draw()
{
    const AppSettings &settings = m_state.settings;
    setBackground(QColor::fromRgb(QRgb(settings.SeaColour)));
    QPainter p(&canvas());
    p.setRenderHint(QPainter::Antialiasing, false);
    paintPage(p, windStripScene(m_state.race, m_state.data, width(), settings.SeaColour, settings.Scale),
              settings.UiFontName);
    p.end();
    flush();
}

void WindStripWidget::setCursor(double time, double fileDirection)
{
    const QPointF before = m_cursor;
    m_cursor = m_state.data.hasWind()
        ? windStripPoint(m_state.race, m_state.data, width(), time, fileDirection)
        : QPointF(-1.0, -1.0);
    if (m_cursor != before)
        update();
}

void WindStripWidget::paintEvent(QPaintEvent *event)
{
    CanvasPicture::paintEvent(event);
    if (m_cursor.x() < 0)
        return;
    QPainter p(this);
    p.setPen(CursorColour);
    // Inside the yellow box only, as the strip's own lines are.
    p.setClipRect(QRect(5, 15, width() - 10, height() - 20));
    p.drawLine(QPointF(5, m_cursor.y()), QPointF(width() - 5, m_cursor.y()));
    p.drawLine(QPointF(m_cursor.x(), 15), QPointF(m_cursor.x(), height() - 5));
}
