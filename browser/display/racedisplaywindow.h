// The race display: the window that shows one loaded race. A square chart (Picture1) at the
// left; to its right the time bar, the overview map (Picture6), the wind indicator (Picture2)
// and the right-hand panel (Picture5) with the display options, sea colours, boat list and
// buttons. The window covers the screen; its first activation loads the race.
//
// The window composes parts, each with one job, sharing the shown race through one
// RaceDisplayState:
//   ChartWidget     the chart picture and the replay's pieces over it
//   LayerDrawer     draws the chart layers onto the chart, the overview and the wind indicator
//   OverviewWidget  the overview map and the boats' markers on it
//   TimeBarWidget   the time bar: what a click, a hover or a Shift-drag on it does
//   BoatListPanel   the boat list: focus, speeds, wind angles, speed bars
//   OptionsPanel    the display options and sea colours
//   ControlPanel    the replay buttons, orientation, pages, race list, times, exit
//   HoverHandler    the hint box and the side panels following the pointer
//   ReplayDriver    the replay's timers: what happens on a tick, a button, a second
// The window itself builds them, lays them out, carries out the load steps and the option
// changes that touch several parts. It computes nothing: the load, the projection, the layers
// and the frames live in their libraries.
#pragma once

#include <QWidget>

#include <functional>
#include <memory>

struct AppSettings;
struct RaceControl;
struct RaceData;
class BoatListPanel;
class CanvasPicture;
class ChartWidget;
class ControlPanel;
class HoverHandler;
class LayerDrawer;
class LegStats;
class MapView;
class OptionsPanel;
class OverviewWidget;
class QLineEdit;
class RaceDisplayState;
class ReplayDriver;
class TimeBarWidget;

// How the window reaches the splash window during its first load. The start-up owns the
// splash; the window only asks it to show, paints the progress on it and hides it. Every
// member may be empty (nothing is shown then).
struct SplashHooks {
    std::function<void()> show;
    std::function<bool()> isShown;
    // Two lines of progress text and the blue bar, 0 … 333 design units long.
    std::function<void(const QString &line1, const QString &line2, int barUnits)> progress;
    std::function<void()> hide;
};

class BoatListPanel;
class ChartWidget;
class ControlPanel;
class CanvasPicture;
class HoverHandler;
class LayerDrawer;
class OptionsPanel;
class OverviewWidget;
class QLineEdit;
class RaceDisplayState;

class RaceDisplayWindow : public QWidget
{
    Q_OBJECT
public:
    // settings and race live as long as the window (the program-wide instances).
    RaceDisplayWindow(AppSettings &settings, RaceControl &race, QWidget *parent = nullptr);
    ~RaceDisplayWindow() override;

    void setSplash(SplashHooks hooks);

    // Loads the race now unless the window has already loaded it (the first activation calls
    // this). Returns false when the load failed.
    bool ensureLoaded();
    bool isLoaded() const;

    // What the chart picture shows now (the persistent canvas), for tests and the screen image.
    QImage chartImage() const;
    // The projection of the last chart redraw, and the race data the window shows.
    const MapView &mapView() const;
    const RaceData &raceData() const;
    // Passing times of every boat at every course entry, computed at each load.
    const LegStats &legStats() const;
    // The replay: its clock, timers and buttons (tests drive ticks through it).
    ReplayDriver *replay() const;
    // The chart with the boat symbols and comparison lines over it, as the screen shows it.
    QImage composedChartImage() const;
    // Plays the gun; the program plays gun.wav beside it, tests count the shots.
    void setSoundPlayer(std::function<void(const QString &path)> player);

signals:
    // The window has closed. In viewing mode the program ends then; in edit mode the menu
    // comes back. The start-up decides which.
    void closed();

protected:
    bool event(QEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    friend class WindowLoadObserver;
    void buildParts();
    void applyFonts();
    void applyCaptions();
    void applyLayout();
    void coverScreen();
    void connectParts();

    // The steps of a load that the window carries out.
    bool runLoad();
    void loadWhenExposed(int attempt);
    void resetControls();
    void showProgress(int done, int total, const QString &line1, const QString &line2);
    void hideProgress();
    void applySeaColours();
    void showOrientation();
    void showWindPresence();
    void showChosenRace();

    // Option changes that touch several parts.
    void chooseSeaColour(int button, bool exportSailData);
    void setTracing(bool on);
    void setNorthUp(bool northUp);
    void toggleWindGraph();
    void showWindGraph();
    void focusChanged(bool all);

    std::unique_ptr<RaceDisplayState> m_state;
    SplashHooks m_splash;
    bool m_progressOnChart = false;

    ChartWidget *m_chart = nullptr;       // Picture1
    TimeBarWidget *m_timeBar = nullptr;   // PicTimeBar
    QWidget *m_panel = nullptr;           // Picture5
    OverviewWidget *m_overview = nullptr; // Picture6
    CanvasPicture *m_windIndicator = nullptr; // Picture2
    QLineEdit *m_windDirection = nullptr; // Text13
    QLineEdit *m_windSpeed = nullptr;     // Text14
    QLineEdit *m_sizeBox = nullptr;       // Text15
    CanvasPicture *m_windGraph = nullptr; // sWind
    BoatListPanel *m_boatList = nullptr;  // Picture8
    OptionsPanel *m_options = nullptr;    // Picture7
    ControlPanel *m_controls = nullptr;
    HoverHandler *m_hover = nullptr;
    std::unique_ptr<LayerDrawer> m_layers;
    ReplayDriver *m_replay = nullptr;
};
