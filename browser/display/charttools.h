// The chart tools of the race display: what the mouse does on the chart (Picture1) and the
// overview map (Picture6), the three editing buttons (Command2 "Set Mark", Command3 "Set Line",
// Command5 "Set Course"), the course panel (Picture9 with Label4, List1 and Command8), the
// range-and-bearing rubber band (Line4) and read-out, the wind direction box (Text3) and the
// boat tag (Text8) of the boat list row under the pointer.
//
// It takes the mouse events of the chart and the overview as those pictures hand them on, after
// every event filter (the hover handler hides the hint box where a control has none; these
// tools then show the chart's own hints), and filters the wind direction box. Decisions are made by
// ChartInteraction (chartinteraction.h); this part carries them out on the shown race:
//   - every change of marks, lines, course or wind direction is written at once with
//     WriteRaceControl, and the passings (LegStats) are computed again before anything shows
//     them: the marks layer, the rounding clock, the finish panel, the Data page;
//   - a refused edit (31st mark, 11th line, 51st course entry) changes nothing and says so.
// The editing modes live in RaceDisplayState::editing; they are off at every race load.
#pragma once

#include <QLineF>
#include <QObject>
#include <QPalette>
#include <QWidget>

#include <memory>

class ChartInteraction;
class ChartWidget;
class ControlPanel;
class HoverHandler;
class LayerDrawer;
class OptionsPanel;
class OverviewWidget;
class QListWidget;
class QMouseEvent;
class QPushButton;
class RaceDisplayState;
class ReplayDriver;
class TimeBarWidget;

// Line4: a line over the chart, the rubber band of measuring and of placing a line. A child of
// the chart that covers only the line's bounding box, so moving it repaints little.
class RubberBandLine : public QWidget
{
public:
    explicit RubberBandLine(QWidget *chart);
    // The line in the chart's pixels; shows it.
    void setLine(const QLineF &line);
    QLineF line() const { return m_line; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QLineF m_line;
};

// The window's parts the chart tools act on.
struct ChartToolParts {
    QWidget *window = nullptr;
    ChartWidget *chart = nullptr;
    OverviewWidget *overview = nullptr;
    ControlPanel *controls = nullptr;
    OptionsPanel *options = nullptr;
    LayerDrawer *layers = nullptr;
    ReplayDriver *replay = nullptr;
    HoverHandler *hover = nullptr;
    TimeBarWidget *timeBar = nullptr;
};

class ChartTools : public QObject
{
    Q_OBJECT
public:
    ChartTools(RaceDisplayState &state, const ChartToolParts &parts, QObject *parent = nullptr);
    ~ChartTools() override;

    // A race was loaded: every mode off, the course panel and the rubber band hidden, the wind
    // direction box locked until it is clicked.
    void raceLoaded();
    // The chart follows the fleet (or no longer): nothing is placed meanwhile, so the modes end.
    void setTracing(bool on);
    // The pointer is over boat list row `row` (−1: none): the tag beside the boat's symbol;
    // changed: the red ring moves to that boat (drawn at once when the replay is stopped).
    void showBoatTag(int row, bool changed);

    RubberBandLine *rubberBand() const { return m_line4; }
    QListWidget *courseList() const { return m_list1; }

signals:
    // Marks, lines or the course changed (written and the passings computed again).
    void raceChanged();
    // The wind direction was typed or turned from the overview (the graph page redraws).
    void windDirectionChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void chartPressed(QMouseEvent *event);
    void chartMoved(QMouseEvent *event);
    void overviewPressed(QMouseEvent *event);
    void toggleMode(int button);
    void showModeButtons();
    void showCoursePanel();
    void clearCourse();
    void measuringToggled(bool on);
    void windDirectionTyped(const QString &text);
    void afterRaceChange(bool fullRedraw);
    void save();

    RaceDisplayState &m_state;
    ChartToolParts m_parts;
    std::unique_ptr<ChartInteraction> m_interaction;
    RubberBandLine *m_line4 = nullptr;
    QListWidget *m_list1 = nullptr;
    QPalette m_face; // the buttons' palette when not active
    bool m_windEditable = false;
    // The wind direction box whose clicks the event filter watches. Compared by address only:
    // the filter also sees the events of the box's destruction, when the control panel that
    // holds it is no longer a ControlPanel and must not be reached through m_parts.
    const QObject *m_windBox = nullptr;
};
