// The wind direction strip (sWind): a square picture right under the wind indicator, as wide
// as it, with the wind direction of the whole race in blue, time running upward
// (graphpage.h, windStripScene). Drawn at each load, on a new sea colour and when the wind
// entry changes the samples; two cursors follow the replay: Line8 across the strip at the
// replay time and Line9 at the wind direction shown.
//
// A click on the wind indicator or on the strip shows or hides it; it shows only while the
// race has wind samples. The window owns the flag (RaceDisplayState::windGraphShown) and
// places the strip.
#pragma once

#include "canvaspicture.h"

class RaceDisplayState;

class WindStripWidget : public CanvasPicture
{
    Q_OBJECT
public:
    explicit WindStripWidget(RaceDisplayState &state, QWidget *parent = nullptr);

    // Draws the strip of the loaded race at the picture's size on the sea colour.
    void draw();
    // The cursors at the replay time (seconds from the start) and the wind direction as the
    // wind file has it (degrees magnetic); hidden without wind samples.
    void setCursor(double time, double fileDirection);
    // Where the cursors cross, in the strip's pixels; (−1, −1) while hidden.
    QPointF cursor() const { return m_cursor; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    RaceDisplayState &m_state;
    QPointF m_cursor{-1.0, -1.0};
};
