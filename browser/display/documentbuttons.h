// The race display's buttons that hand something to another program:
//   Command10 "Save/Print"  the screen image: the page shown (the chart with the boat symbols
//                           over it, the graph or the Data page) with the overview map, the race
//                           file name, the date-time shown and a legend of the boats, written to
//                           gpsdat/無題.bmp and opened with the program the desktop opens
//                           bitmaps with (screenimage.h composes and writes);
//   Command13 "Refference"  the race's attachments in the reference list, one opened with its
//                           program on a click (referencedialog.h).
#pragma once

#include <screenimage.h>

#include <QObject>

class ChartWidget;
class ControlPanel;
class OverviewWidget;
class PageSwitcher;
class QWidget;
class RaceDisplayState;

class DocumentButtons : public QObject
{
    Q_OBJECT
public:
    DocumentButtons(RaceDisplayState &state, ControlPanel *controls, QWidget *window, ChartWidget *chart,
                    OverviewWidget *overview, PageSwitcher *pages);

    // What the screen image shows now.
    ScreenImageInput screenImageInput() const;
    void saveScreenImage();
    void showReferences();

private:
    RaceDisplayState &m_state;
    ControlPanel *m_controls;
    QWidget *m_window;
    ChartWidget *m_chart;
    OverviewWidget *m_overview;
    PageSwitcher *m_pages;
};
