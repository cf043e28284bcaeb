// The race display: the window that shows one loaded race. A square chart (Picture1) at the
// left; to its right the time bar, the overview map (Picture6), the wind indicator (Picture2)
// and the right-hand panel (Picture5) with the display options, sea colours, boat list and
// buttons. The window covers the screen; its first activation loads the race.
//
// The window computes nothing itself: the load, the projection and the drawing of the chart
// layers live in their libraries; the window holds the controls, forwards events and shows
// the pictures they produce.
#pragma once

#include <QWidget>

#include <functional>

struct AppSettings;
struct RaceControl;
struct RaceData;
class LegStats;
class MapView;

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

class RaceDisplayWindowPrivate;

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

signals:
    // The window has closed. In viewing mode the program ends then; in edit mode the menu
    // comes back. The start-up decides which.
    void closed();

protected:
    bool event(QEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    friend class RaceDisplayWindowPrivate;
    RaceDisplayWindowPrivate *d;
};
