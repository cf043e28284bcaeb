// orvane2007, the stand-alone viewer: one instance per user (a second start brings the first
// window to the front and ends), the splash while the first race loads, then the main window
// the size of the screen, playing the races of raceadmin one after another.
#include "splash.h"
#include "viewerwindow.h"

#include <appfolder.h>
#include <dialogs.h>
#include <instanceactivation.h>
#include <system.h>
#include <viewersession.h>
#include <viewertexts.h>
#include <widgetdialogs.h>

#include <QApplication>
#include <QScreen>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    platform::setDefaultCaption(viewertexts::programTitle());

    const QString key = viewerInstanceKey();
    platform::SingleInstance instance(key);
    if (!instance.isFirst()) {
        platform::InstanceActivation::request(key);
        return 0;
    }
    platform::InstanceActivation activation(key);
    activation.listen();

    platform::WidgetDialogs dialogs;
    platform::DialogsGuard dialogsGuard(&dialogs);

    SplashWindow splash;
    splash.show();
    app.processEvents();

    ViewerWindow::Setup setup;
    setup.ApplicationFolder = platform::executableFolder();
    setup.ExportFolder = platform::documentsFolder();
    setup.LocaleId = platform::userLocaleId();
    setup.FirstProgress = &splash;
    ViewerWindow window(setup);
    dialogs.setParent(&window);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    window.setGeometry(0, 0, screen.width(), screen.height() - 30);
    if (!window.start())
        return 1;
    window.show();
    splash.close();

    QObject::connect(&activation, &platform::InstanceActivation::activationRequested, &window, [&window] {
        window.showNormal();
        window.raise();
        window.activateWindow();
    });
    return app.exec();
}
