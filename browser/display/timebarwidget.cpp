#include "timebarwidget.h"

#include "hoverhandler.h"
#include "overviewwidget.h"
#include "racedisplaystate.h"
#include "replaydriver.h"
#include "widgethelpers.h"

#include <framebuilder.h>
#include <framepainter.h>
#include <racecontrol.h>
#include <timebar.h>

#include <QMouseEvent>
#include <QPainter>

using namespace display;

TimeBarWidget::TimeBarWidget(RaceDisplayState &state, QWidget *parent)
    : CanvasPicture(QStringLiteral("PicTimeBar"), parent), m_state(state)
{
    setBackground(Qt::white);
}

void TimeBarWidget::setParts(ReplayDriver *driver, OverviewWidget *overview, HoverHandler *hover)
{
    m_driver = driver;
    m_overview = overview;
    m_hover = hover;
}

void TimeBarWidget::drawBar()
{
    ReplayClock &clock = m_state.clock;
    clock.setTimeBarHeight(height());
    const BoatTrack none;
    const BoatTrack &boat1 = m_state.data.Tracks.isEmpty() ? none : m_state.data.Tracks.first();
    QPainter p(&canvas());
    paintTimeBar(p, timeBarScene(boat1, m_state.race.WindDirection, clock), size());
    p.end();
    flush();
}

void TimeBarWidget::setCursor(double y)
{
    if (y == m_cursorY)
        return;
    const int before = int(m_cursorY), after = int(y);
    m_cursorY = y;
    update(QRect(0, before - 1, width(), 3));
    update(QRect(0, after - 1, width(), 3));
}

void TimeBarWidget::paintEvent(QPaintEvent *event)
{
    CanvasPicture::paintEvent(event);
    if (m_cursorY < 0)
        return;
    QPainter p(this);
    p.setPen(Qt::black);
    p.drawLine(QPointF(0, m_cursorY), QPointF(TimeBarScene::LineRight, m_cursorY));
}

void TimeBarWidget::drawDragStrip(double from, double to)
{
    QPainter p(&canvas());
    p.fillRect(QRectF(0, 0, TimeBarScene::DragRight, height()), background());
    if (from >= 0)
        p.fillRect(QRectF(0, std::min(from, to), TimeBarScene::DragRight, std::fabs(to - from) + 1),
                   toQColor(TimeBarScene::DragColour));
    p.end();
    flush(QRect(0, 0, int(TimeBarScene::DragRight) + 1, height()));
}

void TimeBarWidget::mousePressEvent(QMouseEvent *event)
{
    if (!m_state.loaded || !m_driver)
        return;
    ReplayClock &clock = m_state.clock;
    const double y = event->position().y();
    if (event->modifiers() & Qt::ShiftModifier) {
        drawDragStrip(-1, -1);
        if (event->button() == Qt::LeftButton)
            clock.DragStart = y;
        else if (event->button() == Qt::RightButton)
            m_driver->resetPeriod();
        return;
    }
    if (event->button() == Qt::LeftButton)
        m_driver->jumpTo(clock.barTime(y));
}

void TimeBarWidget::mouseMoveEvent(QMouseEvent *event)
{
    ReplayClock &clock = m_state.clock;
    if (!m_state.loaded || clock.TimeBarScale == 0)
        return;
    const double y = event->position().y();
    m_state.frame.TimeBarHover = true;
    preview(clock.barTime(y), y);
    if (clock.DragStart >= 0 && (event->buttons() & Qt::LeftButton))
        drawDragStrip(clock.DragStart, y);
    m_state.frame.HoverRow = -1;
}

void TimeBarWidget::mouseReleaseEvent(QMouseEvent *event)
{
    ReplayClock &clock = m_state.clock;
    if (clock.DragStart < 0 || !m_driver)
        return;
    const double y = event->position().y();
    const double from = clock.DragStart;
    clock.DragStart = -1.0;
    if (event->button() == Qt::LeftButton && y != from)
        m_driver->choosePeriod(from, y);
}

void TimeBarWidget::leaveEvent(QEvent *event)
{
    // Leaving the bar, even out of the window, ends the preview: the frames place the overview
    // markers again.
    m_state.frame.TimeBarHover = false;
    if (m_hover)
        m_hover->hideBox();
    CanvasPicture::leaveEvent(event);
}

void TimeBarWidget::preview(double T, double y)
{
    // The fleet at T on the overview: each boat at the track point that starts its segment.
    if (m_overview) {
        const QVector<PreviewMarker> markers = previewMarkers(m_state.data, m_overview->markerCount(), T);
        for (int i = 0; i < markers.size(); ++i) {
            if (markers[i].shown)
                m_overview->showMarker(i, m_state.view.OverviewToScreen(markers[i].Lat, markers[i].Lon) - QPointF(2, 2));
            else
                m_overview->hideMarker(i);
        }
    }
    if (!m_hover)
        return;
    // The read-out, its right edge 5 pixels left of the bar, kept above the chart's bottom.
    const AppSettings &settings = m_state.settings;
    const QString text = timeBarReadout(m_state.race, T, m_state.options.hints, settings.Language);
    const QSize size = m_hover->fitBox(text, timeBarReadoutSize(m_state.options.hints, settings.Language));
    const QPoint pointer = mapTo(window(), QPoint(0, int(y)));
    const int top = std::min(pointer.y(), int(m_state.view.ChartSize) - size.height() - 10);
    const int right = mapTo(window(), QPoint(0, 0)).x() - 5;
    m_hover->showBox(text, QRect(right - size.width(), std::max(0, top), size.width(), size.height()));
}
