// The replay of the race display: the timers that move the time, and everything a tick, a
// replay button or a jump of the time does. What happens on a tick is tick() in the .cpp.
//
// Three timers, all on the user interface thread:
//   - the fast tick (30 ms): the clock advances by its step and a frame is drawn; while not
//     tracing, times at which no boat is inside the chart are skipped 5 s at a time;
//   - the one-second measurement: the step follows the measured tick rate, so the replay runs
//     at the chosen speed however many ticks the machine manages; the size box and the
//     rounding clock are updated; a fleet out of view for over 10 s is brought back;
//   - the automatic start of tracing, once, at the second second after the window opened.
// The clock (ReplayClock) and the frame (framebuilder.h) decide; the driver hands the frame to
// the parts that paint it and plays the gun.
//
// The fast timer runs only while playing: STOP stops it, and no redraw restarts it.
#pragma once

#include <framescene.h>

#include <QElapsedTimer>
#include <QObject>

#include <functional>

class BoatListPanel;
class ChartWidget;
class ControlPanel;
class LayerDrawer;
class OptionsPanel;
class OverviewWidget;
class QLineEdit;
class QTimer;
class RaceDisplayState;
class TimeBarWidget;

// The parts a frame is shown on.
struct ReplayParts {
    ChartWidget *chart = nullptr;
    LayerDrawer *layers = nullptr;
    OverviewWidget *overview = nullptr;
    BoatListPanel *boatList = nullptr;
    ControlPanel *controls = nullptr;
    OptionsPanel *options = nullptr;
    TimeBarWidget *timeBar = nullptr;
    QLineEdit *sizeBox = nullptr; // Text15
};

class ReplayDriver : public QObject
{
    Q_OBJECT
public:
    ReplayDriver(RaceDisplayState &state, const ReplayParts &parts, QObject *parent = nullptr);

    // Plays a sound file without waiting; the program's default plays it through the platform
    // (nothing when the file or the sound device is missing). Tests count the shots instead.
    void setSoundPlayer(std::function<void(const QString &path)> player);

    // Manual: the timers stay stopped and the caller drives tick(), measure() and autoStart()
    // (tests and benchmarks that simulate a machine's ticks).
    void setManual(bool manual);

    // A race is being loaded: the playback period, the time bar and the frames start afresh.
    void prepareRace();
    // The race is loaded: the time 20 s before the pre-start period. The first load also
    // fires the gun (the replay opens with it) and starts the timers.
    void raceLoaded();

    // Draws the frame at the clock's time (also after a zoom or anything else that moves the
    // view).
    void drawFrame();
    // The automatic fit while tracing (or to bring a lost fleet back): the view fitted to the
    // focused boats, and the chart and marks drawn again for it.
    void fitToBoats();

    // The replay buttons.
    void forward();
    void stop();
    void back();
    void plus();
    void minus();
    void setSpeedSlider(int value);

    // The time bar.
    void jumpTo(double time);
    void choosePeriod(double fromY, double toY);
    void resetPeriod();

    // One fast tick, one measurement, one second of the automatic start; the timers call
    // these, tests and benchmarks may too. now: seconds on a monotonic clock.
    void tick();
    void measure(double now);
    void autoStart();

    bool isRunning() const;
    int ticks() const { return m_ticks; }
    // The last frame shown.
    const FrameScene &lastFrame() const { return m_frame; }

signals:
    // A frame was shown (after a tick, a jump, a button).
    void frameShown();

private:
    void present(const FrameScene &frame);
    void playGun();
    void flagsToRest();
    void showSizeBox();

    RaceDisplayState &m_state;
    ReplayParts m_parts;
    QTimer *m_tick;
    QTimer *m_measure;
    QTimer *m_autoStart;
    QElapsedTimer m_monotonic;
    std::function<void(const QString &)> m_play;
    FrameScene m_frame;
    bool m_started = false;
    bool m_manual = false;
    int m_ticks = 0;
};
