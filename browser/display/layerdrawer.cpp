#include "layerdrawer.h"

#include "canvaspicture.h"
#include "racedisplaystate.h"

#include <appsettings.h>
#include <chartlayerpainter.h>
#include <racecontrol.h>

#include <QLineEdit>
#include <QPainter>

LayerDrawer::LayerDrawer(RaceDisplayState &state, QWidget *window, CanvasPicture *chart,
                         CanvasPicture *overview, CanvasPicture *windIndicator, QLineEdit *windDirection,
                         QLineEdit *windSpeed)
    : m_state(state), m_window(window), m_chart(chart), m_overview(overview), m_wind(windIndicator),
      m_direction(windDirection), m_speed(windSpeed)
{
}

void LayerDrawer::drawChart()
{
    m_state.view.ChartRotation = m_state.race.ChartRotation;
    QPainter p(&m_chart->canvas());
    DrawChart(p, m_chart->size(), m_state.view, m_state.race, m_state.data, m_state.chartOptions(),
              m_state.settings.UiFontName, &m_tracks);
    p.end();
    m_window->setWindowTitle(m_state.caption);
    m_chart->flush();
}

void LayerDrawer::drawTimeMarks()
{
    QPainter p(&m_chart->canvas());
    DrawTimeMarks(p, m_state.view, m_state.race, m_state.data, m_state.chartOptions());
    p.end();
    m_chart->flush();
}

void LayerDrawer::drawMarks()
{
    m_state.view.ChartRotation = m_state.race.ChartRotation;
    QPainter p(&m_chart->canvas());
    DrawMarks(p, m_chart->size(), m_state.view, m_state.race, m_state.data, m_state.chartOptions(),
              m_state.settings.UiFontName);
    p.end();
    m_chart->flush();
}

void LayerDrawer::fullRedraw()
{
    drawChart();
    drawTimeMarks();
    drawMarks();
}

void LayerDrawer::drawOverview()
{
    m_state.view.ChartRotation = m_state.race.ChartRotation;
    QPainter p(&m_overview->canvas());
    DrawOverview(p, m_overview->size(), m_state.view, m_state.race, m_state.data, m_state.chartOptions());
    p.end();
    m_overview->flush();
}

void LayerDrawer::drawWindIndicator(const WindReading &wind)
{
    QPainter p(&m_wind->canvas());
    const WindIndicatorScene scene =
        DrawWindIndicator(p, m_wind->size(), m_state.race.ChartRotation, wind, m_state.settings.SeaColour);
    p.end();
    m_direction->setText(scene.directionText);
    m_speed->setText(scene.speedText);
    m_wind->flush();
}
