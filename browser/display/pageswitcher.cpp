#include "pageswitcher.h"

#include "controlpanel.h"
#include "hoverhandler.h"
#include "optionspanel.h"
#include "replaydriver.h"

#include <appsettings.h>
#include <datapagewidget.h>
#include <graphpagewidget.h>
#include <racecontrol.h>
#include <timebar.h>

#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

PageSwitcher::PageSwitcher(RaceDisplayState &state, QWidget *window, const Parts &parts)
    : QObject(window), m_state(state), m_window(window), m_parts(parts)
{
    m_data = new DataPageWidget(*this, window);
    m_data->hide();
    m_graph = new GraphPageWidget(*this, window);
    m_graph->hide();

    m_line1 = new QFrame(m_graph);
    m_line1->setObjectName(QStringLiteral("Line1"));
    m_line1->setAttribute(Qt::WA_TransparentForMouseEvents);
    QPalette black = m_line1->palette();
    black.setColor(QPalette::Window, Qt::black);
    m_line1->setPalette(black);
    m_line1->setAutoFillBackground(true);
    m_line1->hide();

    // The wind entry button explains itself under the pointer, below its own top left.
    if (QPushButton *windEntry = m_graph->findChild<QPushButton *>(QStringLiteral("Command12"))) {
        windEntry->setProperty("hintBelow", 26);
        if (m_parts.hover)
            m_parts.hover->watch(windEntry);
    }

    ControlPanel *c = m_parts.controls;
    connect(c->Option9, &QRadioButton::toggled, this, [this](bool on) { if (on) showTrack(); });
    connect(c->Option10, &QRadioButton::toggled, this, [this](bool on) { if (on) showGraph(); });
    connect(c->Option11, &QRadioButton::toggled, this, [this](bool on) { if (on) showData(); });
    connect(m_data, &DataPageWidget::exitRequested, this, &PageSwitcher::leaveData);
    if (m_parts.replay)
        connect(m_parts.replay, &ReplayDriver::frameShown, this, &PageSwitcher::followClock);
}

void PageSwitcher::setGeometry(const QRect &chart)
{
    m_data->setGeometry(chart);
    m_graph->setGeometry(chart);
}

// ---------------------------------------------------------------------------------------------
// Switching

void PageSwitcher::showTrack()
{
    m_state.page = DisplayPage::Track;
    m_data->hide();
    m_graph->hide();
    resumeReplay();
    // Range and bearing are measured on a still chart that does not follow the fleet.
    if (m_parts.options)
        m_parts.options->check(2)->setEnabled(m_state.clock.isStopped() && !m_state.options.tracing);
}

void PageSwitcher::showGraph()
{
    m_state.page = DisplayPage::Graph;
    m_data->hide();
    endMeasuring();
    m_graph->show();
    m_graph->raise();
    m_graph->redraw();
    followClock();
    resumeReplay();
}

void PageSwitcher::showData()
{
    if (m_state.page != DisplayPage::Data)
        m_previous = m_state.page;
    m_state.page = DisplayPage::Data;
    endMeasuring();
    m_graph->hide();
    m_data->show();
    m_data->raise();
    m_data->enter();
}

void PageSwitcher::leaveData()
{
    m_data->hide();
    m_state.page = m_previous;
    // Selecting the option runs that page's selection; an option already selected (the page
    // was entered without it) runs it here.
    QRadioButton *option = m_previous == DisplayPage::Graph ? m_parts.controls->Option10 : m_parts.controls->Option9;
    if (option->isChecked()) {
        if (m_previous == DisplayPage::Graph)
            showGraph();
        else
            showTrack();
    } else {
        option->setChecked(true);
    }
}

void PageSwitcher::endMeasuring()
{
    if (!m_parts.options)
        return;
    QCheckBox *measuring = m_parts.options->check(2);
    measuring->setChecked(false);
    measuring->setEnabled(false);
}

// ---------------------------------------------------------------------------------------------
// Redraws

void PageSwitcher::focusChanged()
{
    if (m_state.page == DisplayPage::Graph)
        m_graph->redraw();
    else if (m_state.page == DisplayPage::Data)
        m_data->redraw();
}

void PageSwitcher::meanWindChanged()
{
    if (m_state.page == DisplayPage::Graph && m_state.loaded)
        m_graph->redraw();
}

void PageSwitcher::beforeLoad()
{
    m_graph->resetWindEntry();
}

// ---------------------------------------------------------------------------------------------
// The graph's cursor and read-out

void PageSwitcher::followClock()
{
    if (m_state.page != DisplayPage::Graph || !m_parts.replay)
        return;
    const FrameScene &f = m_parts.replay->lastFrame();
    // While the pointer previews a time on the time bar, Line1 stays where the pointer put it.
    if (!f.graphCursorShown || !m_graph->scale().isValid())
        return;
    const int y = int(m_graph->scale().timeToY(f.time));
    m_line1->setGeometry(0, y, int(m_state.view.ChartSize), 1);
    m_line1->show();
    m_line1->raise();
}

bool PageSwitcher::timeBarHover(double T, double y)
{
    if (m_state.page != DisplayPage::Graph || !m_graph->isVisible())
        return false;
    m_line1->setGeometry(0, int(y), int(m_state.view.ChartSize), 1);
    m_line1->show();
    m_line1->raise();
    HoverHandler *hover = m_parts.hover;
    if (!hover)
        return true;
    const RaceControl &race = m_state.race;
    const QString text = race.WindFile.isEmpty() ? QString() : graphTimeBarReadout(race, m_state.data.Wind, T);
    if (text.isEmpty()) {
        hover->hideBox();
        return true;
    }
    const QPoint graphTopLeft = m_graph->mapTo(m_window, QPoint(0, 0));
    const QSize size = hover->fitBox(text, graphReadoutSize());
    hover->showBox(text, QRect(graphTopLeft.x() + GraphReadoutLeft, graphTopLeft.y() + int(y) - GraphReadoutAbove,
                               size.width(), size.height()));
    return true;
}

QImage PageSwitcher::shownPageImage() const
{
    switch (m_state.page) {
    case DisplayPage::Graph:
        return m_graph->graphImage();
    case DisplayPage::Data:
        return m_data->pageImage();
    case DisplayPage::Track:
        break;
    }
    return {};
}

// ---------------------------------------------------------------------------------------------
// PageHost

const AppSettings &PageSwitcher::settings() const
{
    return m_state.settings;
}

RaceControl &PageSwitcher::race()
{
    return m_state.race;
}

RaceData &PageSwitcher::raceData()
{
    return m_state.data;
}

LegStats &PageSwitcher::legStats()
{
    return m_state.legStats;
}

QVector<bool> PageSwitcher::focusedBoats() const
{
    QVector<bool> focused(m_state.race.boatCount());
    for (int i = 0; i < focused.size(); ++i)
        focused[i] = m_state.isFocused(i);
    return focused;
}

void PageSwitcher::stopReplay()
{
    if (m_parts.replay)
        m_parts.replay->pauseTimer();
}

void PageSwitcher::resumeReplay()
{
    // The Data page and the wind entry keep the replay halted until they end.
    if (m_parts.replay && m_state.page != DisplayPage::Data && !m_graph->windEntry().isOn())
        m_parts.replay->resumeTimer();
}

void PageSwitcher::restPanels()
{
    m_state.frame.TimeBarHover = false;
    if (m_parts.hover) {
        m_parts.hover->restPanels();
        m_parts.hover->hideBox();
    }
}

void PageSwitcher::windChanged()
{
    if (m_parts.windChanged)
        m_parts.windChanged();
}
