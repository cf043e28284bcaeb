// The pages of the race display: the chart (Track), the Graph page and the Data page, chosen
// with Option9, Option10 and Option11 in the "Screen" frame. The two analysis pages lie over
// the chart with its geometry and show the race the display shows; this part hosts them
// (PageHost over the shared RaceDisplayState) and switches between them:
//   Track   both pages hidden; the replay runs again unless STOP is selected; range and
//           bearing can be measured again while STOP is selected;
//   Graph   the graph page drawn and shown; the replay runs again unless STOP is selected;
//           range and bearing unticked and disabled;
//   Data    range and bearing unticked and disabled, the replay halted, the Data page drawn
//           and shown; its Exit goes back to the page shown before (by selecting its option,
//           which runs that page's selection).
// On the Graph page the graph's time cursor Line1 follows the replay clock, and the pointer
// over the time bar reads the wind at its time out next to the graph instead of the date-time.
#pragma once

#include "racedisplaystate.h"

#include <pagehost.h>

#include <QImage>
#include <QObject>

#include <functional>

class ControlPanel;
class DataPageWidget;
class GraphPageWidget;
class HoverHandler;
class OptionsPanel;
class QFrame;
class QRect;
class ReplayDriver;

class PageSwitcher : public QObject, public PageHost
{
    Q_OBJECT
public:
    struct Parts {
        ControlPanel *controls = nullptr;
        OptionsPanel *options = nullptr;
        ReplayDriver *replay = nullptr;
        HoverHandler *hover = nullptr;
        // The wind samples or the race's wind file name changed (the wind entry): the window
        // draws the wind indicator and the wind direction strip again.
        std::function<void()> windChanged;
    };
    // The pages are made hidden, as children of window.
    PageSwitcher(RaceDisplayState &state, QWidget *window, const Parts &parts);

    DataPageWidget *dataPage() const { return m_data; }
    GraphPageWidget *graphPage() const { return m_graph; }
    // The graph's time cursor.
    QFrame *graphCursor() const { return m_line1; }

    // The pages take the chart's place (window coordinates).
    void setGeometry(const QRect &chart);

    // The selections of the three options, and the Data page's Exit.
    void showTrack();
    void showGraph();
    void showData();
    void leaveData();

    // The focused boats changed: the page shown is drawn again (the chart is the window's).
    void focusChanged();
    // The mean wind direction changed: the graph page, when shown, is drawn again.
    void meanWindChanged();
    // A race is about to be loaded: the wind entry ends without asking.
    void beforeLoad();

    // The pointer at time T over the time bar, y in the time bar's pixels. On the Graph page
    // the read-out goes next to the graph and Line1 to the pointer's height; true then.
    // Elsewhere false: the time bar shows its own read-out.
    bool timeBarHover(double T, double y);

    // The picture of the analysis page shown (graph or data page); null on the Track page.
    QImage shownPageImage() const;

    // PageHost
    const AppSettings &settings() const override;
    RaceControl &race() override;
    RaceData &raceData() override;
    LegStats &legStats() override;
    QVector<bool> focusedBoats() const override;
    void stopReplay() override;
    void resumeReplay() override;
    void restPanels() override;
    void windChanged() override;

private:
    void endMeasuring();
    void followClock();

    RaceDisplayState &m_state;
    QWidget *m_window;
    Parts m_parts;
    DataPageWidget *m_data = nullptr;
    GraphPageWidget *m_graph = nullptr;
    QFrame *m_line1 = nullptr;
    DisplayPage m_previous = DisplayPage::Track; // the page the Data page was entered from
};
