// Opens a race of an application folder as the program loads it and shows its Data page or
// its Graph page on their own, for looking at them and for screen images; not run by ctest.
//
//   pagepreview APPFOLDER RACEFILE [--page data|graph|strip] [--mode time|dist|spd|ana]
//               [--english] [--edit] [--focus N,M,…] [--size WxH] [--png OUT.png] [--quit]
//
// --png saves the page as drawn (the whole Data page, the graph, or the wind direction strip
// enlarged four times) and --quit ends the program after that.
#include <datapagewidget.h>
#include <graphpagewidget.h>
#include <pagehost.h>
#include <pagepainter.h>

#include <legstats.h>
#include <raceloader.h>
#include <widgetdialogs.h>

#include <QApplication>
#include <QPainter>
#include <QTextStream>

namespace {

class PreviewHost : public PageHost
{
public:
    AppSettings appSettings;
    RaceControl raceControl;
    RaceData data;
    LegStats stats;
    QVector<bool> focus;

    const AppSettings &settings() const override { return appSettings; }
    RaceControl &race() override { return raceControl; }
    RaceData &raceData() override { return data; }
    LegStats &legStats() override { return stats; }
    QVector<bool> focusedBoats() const override { return focus; }
    void stopReplay() override {}
    void resumeReplay() override {}
};

QString option(const QStringList &args, const QString &name, const QString &fallback = {})
{
    const int at = int(args.indexOf(name));
    return at > 0 && at + 1 < args.size() ? args.at(at + 1) : fallback;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream out(stdout);
    if (args.size() < 3) {
        out << "usage: pagepreview APPFOLDER RACEFILE [--page data|graph|strip] [--mode time|dist|spd|ana]"
               " [--english] [--edit] [--focus N,M,...] [--size WxH] [--png OUT.png] [--quit]\n";
        return 2;
    }
    platform::WidgetDialogs dialogs;
    platform::DialogsGuard guard(&dialogs);
    PreviewHost host;
    host.appSettings.ApplicationFolder = args.at(1);
    host.appSettings.setLanguage(args.contains(QStringLiteral("--english")) ? UiLanguage::English
                                                                           : UiLanguage::Japanese);
    host.appSettings.EditMode = args.contains(QStringLiteral("--edit"));
    host.raceControl.FileName = args.at(2);
    if (!LoadRace(host.appSettings, host.raceControl, host.data).ok) {
        out << "the race could not be loaded\n";
        return 1;
    }
    host.focus = QVector<bool>(host.raceControl.boatCount(), true);
    const QString focus = option(args, QStringLiteral("--focus"));
    if (!focus.isEmpty()) {
        host.focus.fill(false);
        for (const QString &n : focus.split(u','))
            if (n.toInt() >= 1 && n.toInt() <= host.focus.size())
                host.focus[n.toInt() - 1] = true;
    }
    const QStringList size = option(args, QStringLiteral("--size"), QStringLiteral("900x900")).split(u'x');
    const QSize pageSize(size.value(0).toInt(), size.value(1).toInt());
    const QString page = option(args, QStringLiteral("--page"), QStringLiteral("data"));
    const QString png = option(args, QStringLiteral("--png"));

    QWidget *shown = nullptr;
    if (page == QLatin1String("strip")) {
        QImage strip(70, 70, QImage::Format_RGB32);
        QPainter p(&strip);
        paintPage(p, windStripScene(host.raceControl, host.data, 70, host.appSettings.SeaColour,
                                    host.appSettings.Scale));
        p.end();
        if (!png.isEmpty())
            strip.scaled(280, 280).save(png);
        return 0;
    } else if (page == QLatin1String("graph")) {
        auto *graph = new GraphPageWidget(host);
        graph->resize(pageSize);
        graph->show();
        graph->redraw();
        shown = graph;
    } else {
        auto *data = new DataPageWidget(host);
        data->resize(pageSize);
        data->show();
        const QString mode = option(args, QStringLiteral("--mode"), QStringLiteral("time"));
        data->setMode(mode == QLatin1String("dist")  ? DataMode::Distance
                      : mode == QLatin1String("spd") ? DataMode::Speed
                      : mode == QLatin1String("ana") ? DataMode::Analysis
                                                      : DataMode::Time);
        data->enter();
        shown = data;
    }
    shown->setWindowTitle(host.raceControl.FileName);
    if (!png.isEmpty()) {
        QApplication::processEvents();
        shown->grab().save(png);
        out << "saved " << png << "\n";
    }
    if (args.contains(QStringLiteral("--quit")))
        return 0;
    return app.exec();
}
