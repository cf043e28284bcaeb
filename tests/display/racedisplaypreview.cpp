// Opens the race display on a race of an application folder, as the program does, and prints
// how long the first load took. For looking at the window and measuring; not run by ctest.
//
//   racedisplaypreview APPFOLDER RACEFILE [--english] [--edit] [--png CHART.png] [--quit]
#include <racedisplaywindow.h>

#include <appsettings.h>
#include <racedata.h>
#include <racecontrol.h>
#include <widgetdialogs.h>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QImage>
#include <QTextStream>
#include <QTimer>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream out(stdout);
    if (args.size() < 3) {
        out << "usage: racedisplaypreview APPFOLDER RACEFILE [--english] [--edit] [--png CHART.png] [--quit]\n";
        return 2;
    }
    AppSettings settings;
    settings.ApplicationFolder = args.at(1);
    settings.setLanguage(args.contains(QStringLiteral("--english")) ? UiLanguage::English : UiLanguage::Japanese);
    settings.EditMode = args.contains(QStringLiteral("--edit"));
    RaceControl race;
    race.FileName = args.at(2);
    const int pngAt = int(args.indexOf(QStringLiteral("--png")));
    const QString png = pngAt > 0 && pngAt + 1 < args.size() ? args.at(pngAt + 1) : QString();

    platform::WidgetDialogs dialogs;
    platform::DialogsGuard guard(&dialogs);
    RaceDisplayWindow window(settings, race);
    window.show();
    QElapsedTimer timer;
    timer.start();
    if (!window.ensureLoaded()) {
        out << "the race could not be loaded\n";
        return 1;
    }
    out << race.FileName << ": " << race.boatCount() << " boats loaded and drawn in " << timer.elapsed()
        << " ms; " << window.raceData().Coast.size() << " coast points\n";
    // Full chart redraws, as an option change or a zoom step makes them.
    if (auto *map = window.findChild<QCheckBox *>(QStringLiteral("Check7"))) {
        constexpr int redraws = 20;
        timer.restart();
        for (int i = 0; i < redraws; ++i)
            map->click();
        out << "full redraw: " << double(timer.elapsed()) / redraws << " ms on average\n";
    }
    if (!png.isEmpty())
        window.chartImage().save(png);
    if (args.contains(QStringLiteral("--quit")))
        return 0;
    return app.exec();
}
