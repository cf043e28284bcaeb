// The time bar (PicTimeBar): a vertical strip beside the chart on which time runs upward,
// with boat 1's upwind (white) and downwind (grey) stretches, green lines at the start and the
// finish, and the time cursor (Line5). What the mouse does on it is all here:
//   - a click jumps to the time under the pointer;
//   - moving over it previews the fleet at that time on the overview and reads the time out
//     in the hint box;
//   - Shift + left drag chooses a playback period (shown in yellow while dragging);
//   - Shift + right click resets the period to the widest one.
#pragma once

#include "canvaspicture.h"

class HoverHandler;
class OverviewWidget;
class RaceDisplayState;
class ReplayDriver;

class TimeBarWidget : public CanvasPicture
{
    Q_OBJECT
public:
    TimeBarWidget(RaceDisplayState &state, QWidget *parent = nullptr);
    void setParts(ReplayDriver *driver, OverviewWidget *overview, HoverHandler *hover);

    // Sizes the clock's scale to the bar and draws the bands and lines (race load, resize).
    void drawBar();
    // Moves the time cursor (Line5) to y; hides it for a negative y.
    void setCursor(double y);
    double cursorY() const { return m_cursorY; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void drawDragStrip(double from, double to);
    void preview(double T, double y);

    RaceDisplayState &m_state;
    ReplayDriver *m_driver = nullptr;
    OverviewWidget *m_overview = nullptr;
    HoverHandler *m_hover = nullptr;
    double m_cursorY = -1.0;
};
