// The start-up of the race browser on the desktop: runs the start-up sequence, then shows the
// main menu (edit mode) or the splash and the race display (viewing mode), and decides what
// closing a window does: in viewing mode closing the race display ends the program; in edit
// mode it brings back the menu, whose EXIT ends the program.
#pragma once

#include "chooser.h"
#include "menulayout.h"
#include "startupsequence.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

struct AppSettings;
struct RaceControl;
class MainMenuWindow;
class RaceEditorWindow;
class SplashWindow;
class QWidget;

// The machine as the desktop program sees it: the hourglass pointer while waiting and the
// screen's resolution.
class DesktopStartupSystem : public StartupSystem
{
public:
    void waitResponsive(int milliseconds) override;
    double twipsPerPixelX() const override;
    double twipsPerPixelY() const override;
};

// Lets Qt find the fonts of the design names ("MS P ゴシック", "MS Sans Serif") among the
// installed ones; the names themselves stay in AppSettings.
void installFontSubstitutes();

// Makes the race display for the race now in RaceControl. The window must have a signal
// closed(); it is shown by the caller. The splash window is shown while it loads.
using RaceDisplayFactory = std::function<QWidget *(AppSettings &, RaceControl &, SplashWindow *)>;

class BrowserStartup : public QObject
{
    Q_OBJECT
public:
    BrowserStartup(AppSettings &settings, RaceControl &race, StartupSystem &system, QObject *parent = nullptr);
    ~BrowserStartup() override;

    // Replaces the race display (tests give a stand-in).
    void setRaceDisplayFactory(RaceDisplayFactory factory);

    // Runs the start-up for the program in applicationFolder and shows the first window.
    // Quit means the program ends now (quitRequested is not emitted for it).
    StartupOutcome start(const QString &applicationFolder);

    MainMenuWindow *menu() const;
    SplashWindow *splash() const;
    QWidget *raceDisplay() const;
    // The race control file editor while it is open.
    RaceEditorWindow *editor() const;
    // The distribution builder's window while it is open.
    QWidget *distributionBuilder() const;
    ChooserMode chooserMode() const { return m_chooserMode; }

signals:
    // The program is to end (EXIT, or the race display closed in viewing mode).
    void quitRequested();

private slots:
    void raceDisplayClosed();

private:
    void onMenuAction(MenuAction action);
    void onChosen(const QString &name);
    void onRaceDisplayClosed();
    void showRaceDisplay();
    void openEditor();
    void showDistributionBuilder();
    SplashWindow *ensureSplash();

    AppSettings &m_settings;
    RaceControl &m_race;
    StartupSystem &m_system;
    RaceDisplayFactory m_factory;
    ChooserMode m_chooserMode = ChooserMode::Races;
    std::unique_ptr<MainMenuWindow> m_menu;
    std::unique_ptr<SplashWindow> m_splash;
    QPointer<QWidget> m_display;
    QPointer<RaceEditorWindow> m_editor;
    QPointer<QWidget> m_builder;
};
