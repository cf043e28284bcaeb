// Prints how long the chart tools take per mouse event on the 50-boat, four-hour race,
// offscreen, replay stopped, tracing off, on a 1000-pixel chart: a course click (the entry
// appended, the race control file written, the passings of every boat computed again, the
// marks and a frame drawn), a placed mark, a deleted mark (full redraw), a zoom step (full
// redraw and a frame) and a pointer move (caption and hint).
//
// Run by hand: bench_charttools [events per kind]
#include "benchrace.h"

#include <racedisplaywindow.h>
#include <replaydriver.h>

#include <appsettings.h>
#include <dialogs.h>
#include <mapview.h>
#include <racecontrol.h>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

void send(QWidget *w, QEvent::Type type, QPointF at, Qt::MouseButton button)
{
    QMouseEvent e(type, at, w->mapToGlobal(at), button, type == QEvent::MouseMove ? Qt::NoButton : button,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

std::vector<double> timed(int n, const std::function<void(int)> &before, const std::function<void(int)> &event)
{
    std::vector<double> ms;
    QElapsedTimer t;
    for (int i = 0; i < n; ++i) {
        before(i);
        t.start();
        event(i);
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    return ms;
}

void show(const char *what, std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    if (!v.empty())
        std::printf("  %-38s median %7.2f ms   max %7.2f ms   (%zu)\n", what, v[v.size() / 2], v.back(), v.size());
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int n = argc > 1 ? std::max(1, atoi(argv[1])) : 10;
    QTemporaryDir dir;
    QString raceFile, error;
    if (!makeBenchRace(dir.path(), &raceFile, &error)) {
        std::fprintf(stderr, "bench_charttools: %s\n", qPrintable(error));
        return 1;
    }
    AppSettings settings;
    settings.ApplicationFolder = dir.path();
    settings.setLanguage(UiLanguage::English);
    settings.EditMode = true;
    RaceControl race;
    race.FileName = raceFile;
    platform::StderrDialogs dialogs;
    platform::DialogsGuard guard(&dialogs);
    RaceDisplayWindow window(settings, race);
    window.replay()->setManual(true);
    window.setSoundPlayer([](const QString &) {});
    window.setWindowState(Qt::WindowNoState);
    window.resize(1495, 1010);
    window.show();
    if (!window.ensureLoaded()) {
        std::fprintf(stderr, "bench_charttools: the race could not be loaded\n");
        return 1;
    }
    window.findChild<QRadioButton *>(QStringLiteral("Option7"))->setChecked(true);
    QWidget *chart = window.findChild<QWidget *>(QStringLiteral("Picture1"));
    auto button = [&](const char *name) { return window.findChild<QPushButton *>(QString::fromLatin1(name)); };
    const MapView &view = window.mapView();
    const int courseBefore = race.Course.Count();

    // Course clicks on mark 1, each appending an entry (the passings of the first 20 entries).
    button("Command5")->click();
    const QPointF mark1 = view.ToScreen(race.Marks[0].Lat, race.Marks[0].Lon);
    const auto course = timed(n, [](int) {}, [&](int) {
        send(chart, QEvent::MouseButtonPress, mark1, Qt::LeftButton);
        send(chart, QEvent::MouseButtonRelease, mark1, Qt::LeftButton);
    });
    button("Command5")->click();
    // Marks placed along a row; then deleted again, each delete empties the course.
    auto at = [&](int i) { return QPointF(100 + 20 * i, 100 + 3 * i); };
    const int placeable = std::min(n, MaxMarks - race.markCount());
    const auto place = timed(placeable, [&](int) { button("Command2")->click(); }, [&](int i) {
        send(chart, QEvent::MouseButtonPress, at(i), Qt::LeftButton);
    });
    button("Command2")->click();
    const auto remove = timed(placeable, [](int) {}, [&](int i) {
        send(chart, QEvent::MouseButtonPress, at(placeable - 1 - i), Qt::RightButton);
    });
    button("Command2")->click();
    // Zoom in and out about the centre; pointer moves across the chart.
    const QPointF centre(view.ChartSize / 2, view.ChartSize / 2);
    const auto zoom = timed(n, [](int) {}, [&](int i) {
        send(chart, QEvent::MouseButtonPress, centre, i % 2 ? Qt::RightButton : Qt::LeftButton);
    });
    const auto move = timed(10 * n, [](int) {}, [&](int i) {
        send(chart, QEvent::MouseMove, QPointF(50 + 9 * i % 900, 60 + 7 * i % 900), Qt::NoButton);
    });

    std::printf("%d boats, %d course entries before, chart %dx%d, edit mode, replay stopped:\n", race.boatCount(),
                courseBefore, int(view.ChartWidth), int(view.ChartHeight));
    show("course click (write, passings, marks)", course);
    show("mark placed (write, marks)", place);
    show("mark deleted (write, full redraw)", remove);
    show("zoom step (full redraw, frame)", zoom);
    show("pointer move (caption, hint)", move);
    return 0;
}
