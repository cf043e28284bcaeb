// Entry of the race browser and editor. The program takes no arguments.
#include <appfolder.h>
#include <appsettings.h>
#include <browserstartup.h>
#include <desktop.h>
#include <opendocument.h>
#include <racecontrol.h>
#include <widgetdialogs.h>

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Windows come and go during the start-up (messages, splash); the program ends only when
    // the start-up says so.
    app.setQuitOnLastWindowClosed(false);

    platform::WidgetDialogs dialogs;
    platform::setDialogs(&dialogs);
    setDocumentOpener(platform::openDocument);

    static RaceControl race;
    DesktopStartupSystem system;
    BrowserStartup startup(appSettings(), race, system);
    QObject::connect(&startup, &BrowserStartup::quitRequested, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    if (startup.start(platform::executableFolder()) == StartupOutcome::Quit)
        return 0;
    return app.exec();
}
