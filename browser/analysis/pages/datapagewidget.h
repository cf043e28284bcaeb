// The Data page of the race display: the leg tables with their difference graphs (modes Time,
// Dist, SPD) or the factor chart (ANA) of the race the host shows, on a page as wide as the
// chart area; a page taller than the widget scrolls. A small frame at the top right holds the
// mode buttons and the exit button.
//
// Controls: the page picture "PicData" in a scroll area; the mode frame "FrameDataMode" with
// Option1 (Time), Option4 (Dist), Option5 (SPD), Option12 (ANA) and Command11 (Exit).
//
// The race display places the widget over the chart and:
//   - on "Data": ends measuring, hides the chart and the graph, shows this widget and calls
//     enter() (which stops the replay and draws the page);
//   - on a change of the focused boats while the page is shown: redraw();
//   - on exitRequested(): hides the widget, goes back to the page shown before and starts the
//     replay again unless STOP is selected.
#pragma once

#include <datapage.h>

#include <QImage>
#include <QWidget>

class PageCanvas;
class PageHost;
class QFrame;
class QPushButton;
class QRadioButton;
class QScrollArea;

class DataPageWidget : public QWidget
{
    Q_OBJECT
public:
    explicit DataPageWidget(PageHost &host, QWidget *parent = nullptr);

    // Entering the page: stops the replay and draws the page.
    void enter();
    // Draws the page again from the host's race, focus and the selected mode.
    void redraw();

    // The mode of the mode buttons; none selected counts as ANA.
    DataMode mode() const;
    // Selects the mode's button and draws the page.
    void setMode(DataMode mode);

    // The last drawing: its scene (tables, scales, factor bars) and its picture.
    const DataPageScene &scene() const { return m_scene; }
    const QImage &pageImage() const;

signals:
    void exitRequested();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    int pageWidth() const;
    void placeModeFrame();

    PageHost &m_host;
    DataPageScene m_scene;
    bool m_drawn = false;
    QScrollArea *m_scroll = nullptr;
    PageCanvas *PicData = nullptr;
    QFrame *FrameDataMode = nullptr;
    QRadioButton *Option1 = nullptr, *Option4 = nullptr, *Option5 = nullptr, *Option12 = nullptr;
    QPushButton *Command11 = nullptr;
};
