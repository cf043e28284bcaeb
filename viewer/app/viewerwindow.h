// The viewer's main window (TForm1). It composes the parts (the map with the compass, score
// panel, flags, hint box and notices; the time bar panel; the overview panel; the boat list; the
// control panel; the splash panel), owns the two timers and the off-screen pictures, loads the
// races of the session and forwards every user action to the computation of viewer/frame and
// viewer/playback. Frames are drawn into the map picture and copied to the screen in one go.
//
// Loads never start inside a frame: a load asked for by AutoNext or SHOW stops both timers and
// runs from the event loop once the handler that asked for it has returned. Nothing in a frame
// lets events be handled in between.
//
// A race that cannot be shown (no boat with a GPS file, a race file gone or unreadable) is
// skipped with a notice when AutoNext or the start-up reaches it, so the show goes on; the SHOW
// button says so in a message and keeps the race on screen. Only when no race of the list can be
// shown at start-up does the viewer say "GPS file not exists." and end. The problems met while
// reading a race are listed once per load in a notice on the map, and on standard error.
#pragma once

#include "viewershow.h"

#include <QImage>
#include <QPointer>
#include <QTimer>
#include <QWidget>

class BoatListPanel;
class CompassPanel;
class ControlPanel;
class FlagPanel;
class HintBox;
class LoadProgress;
class LogoPanel;
class MapWidget;
class NoticeBox;
class ScorePanel;
class SplashPanel;
class TimeBarPanel;
class ViewerServices;
struct GraphPage;

class ViewerWindow : public QWidget
{
    Q_OBJECT
public:
    struct Setup {
        QString ApplicationFolder;
        QString ExportFolder;       // where the Google Earth file goes
        int LocaleId = 1033;        // the user's locale (1041 Japanese)
        ViewerServices *Services = nullptr; // gun, beep, open; not owned
        LoadProgress *FirstProgress = nullptr; // the splash window of the first load, if any
    };
    explicit ViewerWindow(const Setup &setup, QWidget *parent = nullptr);
    ~ViewerWindow() override;

    // The start-up: the session, the gun, the race list and the first race that can be shown.
    // False when none can (the user has been told); the program then ends.
    bool start();

    // The ticks of the frame timer and of the second timer (the timers call them; tests and
    // benchmarks may too).
    void frameTick();
    void secondTick();
    // Runs a load that was asked for, if any (the event loop does it by itself).
    void runPendingLoad();
    bool hasPendingLoad() const { return m_pendingLoad != LoadReason::None; }

    const ViewerShow &viewerShow() const { return m_show; }
    const QImage &mapPicture() const { return m_mapPicture; }
    QTimer *frameTimer() const { return m_frameTimer; }
    QTimer *secondTimer() const { return m_secondTimer; }
    ScorePanel *scorePanel() const { return m_score; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class LoadReason { None, Startup, AutoNext, Show };
    enum class Panel { BoatList, TimeBar, Controls, Logo };

    void buildParts();
    void connectParts();
    void requestLoad(LoadReason reason);
    bool loadRace(LoadReason reason);
    bool loadCurrent(LoadProgress *progress, QString *failure);
    void raceLoaded();
    void applyLayout();
    void setCaptions();
    void rebuildPictures();
    void redrawView();

    void drawFrameNow();
    void drawManualNow();
    void showGraphPage();
    void turnCompass();
    void updateTimeText(double t);
    void applySeaPosition(int position);
    void stopTimers();
    void startTimers();

    void onMapPointer(QPoint at);
    void onMapPressed(QPoint at, Qt::MouseButton button);
    void onPanelPointer(Panel panel);
    void onBoatHovered(int boat);
    void onCompassHovered(double distance);
    void onTimeBarPressed(int y);
    void onTimeBarHovered(int y);
    void onPlayButton(QWidget *button);
    void setAutoTrace(bool on);
    void onShowPressed();
    void onGoogleEarth(Qt::MouseButton button);
    void onAttachment();
    void onLanguage(int language);
    void onOrientation(bool northUp);
    void onPage(int page);
    void showControlHint(QWidget *control);
    void showNotice(const QString &text);
    QString dateTimeText(double t) const;
    void reportProblems(const ReadProblems &problems);

    Setup m_setup;
    ViewerShow m_show;
    ViewerServices *m_services;

    MapWidget *m_map = nullptr;
    CompassPanel *m_compass = nullptr;
    ScorePanel *m_score = nullptr;
    FlagPanel *m_flags = nullptr;
    HintBox *m_hint = nullptr;
    NoticeBox *m_notice = nullptr;
    TimeBarPanel *m_timeBar = nullptr;
    LogoPanel *m_logo = nullptr;
    BoatListPanel *m_boats = nullptr;
    ControlPanel *m_controls = nullptr;
    SplashPanel *m_splash = nullptr;
    QTimer *m_frameTimer = nullptr;
    QTimer *m_secondTimer = nullptr;

    TrackingFrameBuilder m_frames;
    std::unique_ptr<GraphPage> m_graph;
    QImage m_mapPicture;   // the frame or the manual view
    QImage m_graphPicture; // the graph page
    QImage m_uraMap;       // the map picture with a hover highlight on it
    int m_timeBarHeight = 1;

    LoadReason m_pendingLoad = LoadReason::None;
    bool m_inFrame = false;
    bool m_loading = false;
    int m_lastHoveredBoat = 0;
    bool m_flagsShown = false;
};
