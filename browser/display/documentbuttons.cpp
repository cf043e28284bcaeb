#include "documentbuttons.h"

#include "chartwidget.h"
#include "controlpanel.h"
#include "overviewwidget.h"
#include "pageswitcher.h"
#include "racedisplaystate.h"

#include <appsettings.h>
#include <racecontrol.h>
#include <referencedialog.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

DocumentButtons::DocumentButtons(RaceDisplayState &state, ControlPanel *controls, QWidget *window,
                                 ChartWidget *chart, OverviewWidget *overview, PageSwitcher *pages)
    : QObject(window), m_state(state), m_controls(controls), m_window(window), m_chart(chart), m_overview(overview),
      m_pages(pages)
{
    connect(controls->Command10, &QPushButton::clicked, this, &DocumentButtons::saveScreenImage);
    connect(controls->Command13, &QPushButton::clicked, this, &DocumentButtons::showReferences);
}

ScreenImageInput DocumentButtons::screenImageInput() const
{
    ScreenImageInput in;
    in.chartSize = m_chart->size();
    switch (m_state.page) {
    case DisplayPage::Track:
        // The symbols and comparison lines are composited over the chart as the screen shows it.
        in.page = ScreenImageInput::Page::Track;
        in.pageImage = m_chart->composedImage();
        break;
    case DisplayPage::Graph:
        in.page = ScreenImageInput::Page::Graph;
        in.pageImage = m_pages->shownPageImage();
        break;
    case DisplayPage::Data:
        in.page = ScreenImageInput::Page::Data;
        in.pageImage = m_pages->shownPageImage();
        break;
    }
    in.overview = m_overview->canvas();
    in.fileName = m_state.race.FileName;
    in.dateTimeText = m_controls->Text1->text();
    for (const BoatEntry &boat : m_state.race.Boats)
        in.boats.append(ScreenImageBoat{boat.Name, boat.colour});
    in.fontFamily = m_state.settings.UiFontName;
    in.scale = m_state.settings.Scale;
    return in;
}

void DocumentButtons::saveScreenImage()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const ScreenImageInput in = screenImageInput();
    QApplication::restoreOverrideCursor();
    SaveScreenImage(m_state.settings, in);
}

void DocumentButtons::showReferences()
{
    ShowReferences(m_state.settings, m_state.race, m_window);
}
