#include "browserstartup.h"

#include "mainmenuwindow.h"
#include "opendocument.h"
#include "racedisplayplaceholder.h"
#include "startuptexts.h"

#include <appsettings.h>
#include <dialogs.h>
#include <distributionbuilder.h>
#include <haifuwindow.h>
#include <racecontrol.h>
#include <raceeditorwindow.h>
#include <splashwindow.h>

#ifdef ORVANE_HAVE_RACE_DISPLAY
#include <racedisplaywindow.h>
#endif

#include <QFont>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

void DesktopStartupSystem::waitResponsive(int milliseconds)
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    StartupSystem::waitResponsive(milliseconds);
    QGuiApplication::restoreOverrideCursor();
}

static double twipsPerPixel(double dotsPerInch)
{
    return dotsPerInch > 0 ? 1440.0 / dotsPerInch : 15.0;
}

double DesktopStartupSystem::twipsPerPixelX() const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? twipsPerPixel(screen->logicalDotsPerInchX()) : 15.0;
}

double DesktopStartupSystem::twipsPerPixelY() const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? twipsPerPixel(screen->logicalDotsPerInchY()) : 15.0;
}

void installFontSubstitutes()
{
    // The design fonts are Windows fonts; the IPA fonts carry the Japanese glyphs here. The
    // narrow faces keep the hint texts inside the hint heights of the design.
    QFont::insertSubstitutions(QStringLiteral("MS P ゴシック"),
                               {QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック"),
                                QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Droid Sans Fallback")});
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans Condensed"),
                                QStringLiteral("DejaVu Sans"), QStringLiteral("IPAPGothic")});
}

static QWidget *defaultRaceDisplay(AppSettings &settings, RaceControl &race, SplashWindow *splash)
{
#ifdef ORVANE_HAVE_RACE_DISPLAY
    auto *window = new RaceDisplayWindow(settings, race);
    QPointer<SplashWindow> s(splash);
    SplashHooks hooks;
    hooks.show = [s] {
        if (s) {
            s->show();
            s->repaint();
        }
    };
    hooks.isShown = [s] { return s && s->isVisible(); };
    hooks.progress = [s](const QString &line1, const QString &line2, int units) {
        if (s)
            s->showProgress(line1, line2, units);
    };
    hooks.hide = [s] {
        if (s) {
            s->hideProgress();
            s->hide();
        }
    };
    window->setSplash(std::move(hooks));
    return window;
#else
    if (splash)
        splash->hide();
    return new RaceDisplayPlaceholder(settings, race);
#endif
}

BrowserStartup::BrowserStartup(AppSettings &settings, RaceControl &race, StartupSystem &system, QObject *parent)
    : QObject(parent), m_settings(settings), m_race(race), m_system(system), m_factory(defaultRaceDisplay)
{
}

BrowserStartup::~BrowserStartup()
{
    delete m_editor.data();
    delete m_display.data();
    delete m_builder.data();
}

void BrowserStartup::setRaceDisplayFactory(RaceDisplayFactory factory)
{
    m_factory = std::move(factory);
}

MainMenuWindow *BrowserStartup::menu() const
{
    return m_menu.get();
}

SplashWindow *BrowserStartup::splash() const
{
    return m_splash.get();
}

QWidget *BrowserStartup::raceDisplay() const
{
    return m_display.data();
}

RaceEditorWindow *BrowserStartup::editor() const
{
    return m_editor.data();
}

QWidget *BrowserStartup::distributionBuilder() const
{
    return m_builder.data();
}

void BrowserStartup::showDistributionBuilder()
{
    // One builder at a time: pressing the button again brings it forward.
    if (!m_builder) {
        auto *window = new HaifuWindow(m_settings, sourcesOfThisProgram());
        window->setAttribute(Qt::WA_DeleteOnClose);
        m_builder = window;
    }
    m_builder->show();
    m_builder->raise();
    m_builder->activateWindow();
}

StartupOutcome BrowserStartup::start(const QString &applicationFolder)
{
    installFontSubstitutes();
    const StartupOutcome outcome = runStartupSequence(applicationFolder, m_settings, m_race, m_system);
    switch (outcome) {
    case StartupOutcome::Quit:
        break;
    case StartupOutcome::ShowMenu:
        m_menu = std::make_unique<MainMenuWindow>(m_settings);
        m_menu->setHelpAvailable(hasHelpPage(m_settings.ApplicationFolder));
        connect(m_menu.get(), &MainMenuWindow::actionTriggered, this, &BrowserStartup::onMenuAction);
        connect(m_menu.get(), &MainMenuWindow::chooserAccepted, this, &BrowserStartup::onChosen);
        connect(m_menu.get(), &MainMenuWindow::closeRequested, this, &BrowserStartup::quitRequested);
        m_menu->show();
        break;
    case StartupOutcome::ShowRace:
        showRaceDisplay();
        break;
    }
    return outcome;
}

SplashWindow *BrowserStartup::ensureSplash()
{
    if (!m_splash)
        m_splash = std::make_unique<SplashWindow>(m_settings);
    return m_splash.get();
}

void BrowserStartup::showRaceDisplay()
{
    // One race display at a time: a new choice replaces the race shown.
    if (m_display) {
        QWidget *old = m_display.data();
        m_display.clear();
        old->close();
        old->deleteLater();
    }
    SplashWindow *splash = ensureSplash();
    splash->show();
    splash->repaint();
    QWidget *display = m_factory(m_settings, m_race, splash);
    if (!display) {
        splash->hide();
        return;
    }
    m_display = display;
    connect(display, SIGNAL(closed()), this, SLOT(raceDisplayClosed()));
    display->show();
}

void BrowserStartup::raceDisplayClosed()
{
    onRaceDisplayClosed();
}

void BrowserStartup::onRaceDisplayClosed()
{
    QWidget *display = qobject_cast<QWidget *>(sender());
    if (m_splash)
        m_splash->hide();
    if (!m_settings.EditMode) {
        emit quitRequested();
        return;
    }
    if (display && display == m_display.data()) {
        m_display.clear();
        display->deleteLater();
    }
    if (m_menu) {
        m_menu->show();
        m_menu->raise();
        m_menu->activateWindow();
    }
}

void BrowserStartup::onMenuAction(MenuAction action)
{
    switch (action) {
    case MenuAction::GpsDownload:
        startTool(m_settings, m_system, QStringLiteral("\\Brenvo_Trackfix.exe"));
        break;
    case MenuAction::WindTool:
        startTool(m_settings, m_system, QStringLiteral("\\GASTRA.exe"));
        break;
    case MenuAction::Editor:
        openEditor();
        break;
    case MenuAction::Distribution:
        showDistributionBuilder();
        break;
    case MenuAction::ShowOneBoat:
    case MenuAction::ShowRacing:
        m_chooserMode = action == MenuAction::ShowOneBoat ? ChooserMode::TrackFiles : ChooserMode::Races;
        prepareChooser(m_race, m_chooserMode);
        m_menu->showChooser(chooserNames(m_settings.ApplicationFolder, m_chooserMode));
        break;
    case MenuAction::Help:
        OpenDocument(helpPagePath(m_settings));
        break;
    case MenuAction::Exit:
        emit quitRequested();
        break;
    }
}

void BrowserStartup::openEditor()
{
    // One editor at a time: the button brings back the one already open.
    if (!m_editor) {
        m_editor = new RaceEditorWindow(m_settings, m_race, TimeZoneHours());
        connect(m_editor.data(), &RaceEditorWindow::showRaceRequested, this, &BrowserStartup::showRaceDisplay);
    }
    m_editor->show();
    m_editor->raise();
    m_editor->activateWindow();
}

void BrowserStartup::onChosen(const QString &name)
{
    // An empty folder leaves nothing to show; OK then only says so.
    if (name.isEmpty()) {
        platform::dialogs().message(startupText(m_settings, StartupText::ChooseAFile), m_settings.ProgramTitle);
        return;
    }
    applyChoice(m_settings, m_race, m_chooserMode, name);
    m_menu->hideChooser();
    showRaceDisplay();
}
