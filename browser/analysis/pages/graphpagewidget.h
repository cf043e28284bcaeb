// The Graph page of the race display: the strip chart of every boat's course and speed and
// the wind over the whole race (graphpage.h), the pointer aid over it, and in edit mode the
// button of the manual wind entry (windentry.h).
//
// Controls: the graph picture "GPIC" covering the widget; "Command12" ("Make Wind Data",
// yellow while the entry is on) at (5, 5), shown only in edit mode.
//
// The race display places the widget over the chart and:
//   - on "Graph": hides the chart and the Data page, shows this widget and calls redraw();
//     starts the replay unless STOP is selected;
//   - on a change of the focused boats or of the mean wind direction while the page is shown:
//     redraw();
//   - on a new race: resetWindEntry() before the load.
// The pointer over the graph puts the side panels back to rest and, while the wind entry is
// off, starts the replay again (PageHost::restPanels, resumeReplay). Command12's hint is the
// display's (displaytexts.h); its hint box is the display's too.
#pragma once

#include <graphpage.h>
#include <windentry.h>

#include <QImage>
#include <QWidget>

class PageCanvas;
class PageHost;
class QPushButton;

class GraphPageWidget : public QWidget
{
    Q_OBJECT
public:
    explicit GraphPageWidget(PageHost &host, QWidget *parent = nullptr);

    // Draws the whole page from the host's race, data and focus.
    void redraw();

    // The scale of the last drawing (the pointer aid and the wind entry read it).
    const GraphScale &scale() const { return m_scene.scale; }
    const GraphPageScene &scene() const { return m_scene; }
    const QImage &graphImage() const;
    const PointerAid &pointerAid() const { return m_aid; }

    const WindEntry &windEntry() const { return m_entry; }
    // Switches the wind entry off without asking (a new race is loaded).
    void resetWindEntry();

    // The pointer at (x, y) on the graph picture, and a press there; what mouse events on GPIC
    // do, callable without a mouse.
    void pointerAt(const QPointF &position);
    void pressAt(const QPointF &position);
    // The wind entry button.
    void toggleWindEntry();

signals:
    // The wind entry was switched on or off.
    void windEntryChanged(bool on);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void showWindButton();

    PageHost &m_host;
    GraphPageScene m_scene;
    PointerAid m_aid;
    WindEntry m_entry;
    bool m_drawn = false;
    PageCanvas *GPIC = nullptr;
    QPushButton *Command12 = nullptr;
};
