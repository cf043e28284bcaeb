// Entry of the race browser and editor. The program takes no arguments.
//
// Test hook: with the environment variable ORVANE_TEST_FIRST_WINDOW set, no one is taken to be
// at the screen: every question is answered No (so the start-up goes to viewing mode) and every
// message is written to standard error. Once the first window is up and ready (the race display
// with its race loaded, or the main menu), the program prints one line on standard output,
//     first window: <object name> | <caption> | <application folder>
// and ends with exit code 0. The distribution tests start copied programs this way.
#include <appfolder.h>
#include <appsettings.h>
#include <browserstartup.h>
#include <desktop.h>
#include <mainmenuwindow.h>
#include <opendocument.h>
#include <racecontrol.h>
#include <splashwindow.h>
#include <widgetdialogs.h>

#include <QApplication>
#include <QDir>
#include <QTimer>

#include <cstdio>

// Reports the first window of the start-up once it is ready, then ends the program.
static void reportFirstWindow(BrowserStartup &startup, const QString &applicationFolder)
{
    auto *poll = new QTimer(&startup);
    QObject::connect(poll, &QTimer::timeout, &startup, [poll, &startup, applicationFolder] {
        QWidget *window = startup.raceDisplay();
        const bool loading = startup.splash() && startup.splash()->isVisible();
        if (!window || !window->isVisible() || loading)
            window = startup.menu() && startup.menu()->isVisible() ? startup.menu() : nullptr;
        if (!window)
            return;
        poll->stop();
        std::printf("first window: %s | %s | %s\n", qPrintable(window->objectName()), qPrintable(window->windowTitle()),
                    qPrintable(QDir::toNativeSeparators(applicationFolder)));
        std::fflush(stdout);
        QCoreApplication::quit();
    });
    poll->start(100);
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Windows come and go during the start-up (messages, splash); the program ends only when
    // the start-up says so.
    app.setQuitOnLastWindowClosed(false);

    const bool testFirstWindow = qEnvironmentVariableIsSet("ORVANE_TEST_FIRST_WINDOW");
    platform::WidgetDialogs widgetDialogs;
    platform::StderrDialogs stderrDialogs;
    platform::setDialogs(testFirstWindow ? static_cast<platform::Dialogs *>(&stderrDialogs) : &widgetDialogs);
    setDocumentOpener(platform::openDocument);

    static RaceControl race;
    DesktopStartupSystem system;
    BrowserStartup startup(appSettings(), race, system);
    QObject::connect(&startup, &BrowserStartup::quitRequested, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    const QString applicationFolder = platform::executableFolder();
    if (startup.start(applicationFolder) == StartupOutcome::Quit)
        return 0;
    if (testFirstWindow)
        reportFirstWindow(startup, applicationFolder);
    return app.exec();
}
