// Draws the chart layers of the shown race onto the race display's pictures: the chart
// (DrawChart, DrawTimeMarks, DrawMarks), the overview and the wind indicator with its two
// read-out boxes. The layers library computes and paints; this hands it the pictures, the
// projection and the options of the shown race, and keeps the tracks' paths and picture
// between chart redraws (tracklayer.h) until the next race is loaded.
#pragma once

#include <tracklayer.h>

class CanvasPicture;
class QLineEdit;
class QWidget;
class RaceDisplayState;
struct WindReading;

class LayerDrawer
{
public:
    LayerDrawer(RaceDisplayState &state, QWidget *window, CanvasPicture *chart, CanvasPicture *overview,
                CanvasPicture *windIndicator, QLineEdit *windDirection, QLineEdit *windSpeed);

    // The chart redraw: clears the chart and draws coast lines, grid, tracks and scale bar;
    // the window caption shows the race title again.
    void drawChart();
    void drawTimeMarks();
    void drawMarks();
    // Chart, time marks and marks, in this order.
    void fullRedraw();
    void drawOverview();
    void drawWindIndicator(const WindReading &wind);
    // A race is being loaded: the tracks kept belong to the race before.
    void forgetTracks() { m_tracks.clear(); }

private:
    RaceDisplayState &m_state;
    QWidget *m_window;
    CanvasPicture *m_chart;
    CanvasPicture *m_overview;
    CanvasPicture *m_wind;
    QLineEdit *m_direction;
    QLineEdit *m_speed;
    TrackLayerCache m_tracks;
};
