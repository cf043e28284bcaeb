// Entry of the race browser and editor.
#include <appsettings.h>
#include <appfolder.h>
#include <widgetdialogs.h>

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    AppSettings &settings = appSettings();
    settings.ApplicationFolder = platform::executableFolder();
    platform::WidgetDialogs dialogs;
    platform::setDialogs(&dialogs);

    QMainWindow window;
    window.setObjectName("frmTitle");
    window.setWindowTitle(settings.ProgramTitle);
    auto *label = new QLabel(settings.ProgramTitle, &window);
    label->setAlignment(Qt::AlignCenter);
    window.setCentralWidget(label);
    window.resize(376, 597);
    window.show();
    return app.exec();
}
