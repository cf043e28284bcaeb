// Prints how fast STOP takes effect while the race display plays the 50-boat, four-hour race
// at x100 with tracing on, offscreen, on its real timers: a click on STOP is queued like any
// mouse click at a random moment, and the program measures the time until the replay has
// stopped and how many ticks ran in between (the target: within one tick).
//
// Run by hand: bench_stop [clicks]
#include "benchrace.h"

#include <racedisplaywindow.h>
#include <replaydriver.h>

#include <appsettings.h>
#include <dialogs.h>
#include <mapview.h>
#include <racecontrol.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

void postClick(QWidget *w)
{
    const QPointF at(w->width() / 2.0, w->height() / 2.0);
    const QPointF global = w->mapToGlobal(at);
    QCoreApplication::postEvent(w, new QMouseEvent(QEvent::MouseButtonPress, at, global, Qt::LeftButton,
                                                   Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(w, new QMouseEvent(QEvent::MouseButtonRelease, at, global, Qt::LeftButton,
                                                   Qt::NoButton, Qt::NoModifier));
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int clicks = argc > 1 ? std::max(1, atoi(argv[1])) : 20;
    QTemporaryDir dir;
    QString raceFile, error;
    if (!makeBenchRace(dir.path(), &raceFile, &error)) {
        std::fprintf(stderr, "bench_stop: %s\n", qPrintable(error));
        return 1;
    }
    AppSettings settings;
    settings.ApplicationFolder = dir.path();
    settings.setLanguage(UiLanguage::English);
    RaceControl race;
    race.FileName = raceFile;
    platform::StderrDialogs dialogs;
    platform::DialogsGuard guard(&dialogs);
    RaceDisplayWindow window(settings, race);
    window.setSoundPlayer([](const QString &) {});
    window.setWindowState(Qt::WindowNoState);
    window.resize(1495, 1010); // a 1000-pixel chart
    window.show();
    if (!window.ensureLoaded()) {
        std::fprintf(stderr, "bench_stop: the race could not be loaded\n");
        return 1;
    }
    ReplayDriver *replay = window.replay();
    auto *fwd = window.findChild<QRadioButton *>(QStringLiteral("Option6"));
    auto *stop = window.findChild<QRadioButton *>(QStringLiteral("Option7"));
    window.findChild<QScrollBar *>(QStringLiteral("HScroll1"))->setValue(19);

    QElapsedTimer clock;
    clock.start();
    QRandomGenerator rng(20261210);
    std::vector<double> latency, ticksBetween, tickMs;
    qint64 postedAt = 0;
    int ticksAtPost = 0;
    int done = 0;
    qint64 lastTick = -1;
    QObject::connect(replay, &ReplayDriver::frameShown, &app, [&] {
        const qint64 now = clock.nsecsElapsed();
        if (lastTick >= 0 && replay->isRunning())
            tickMs.push_back((now - lastTick) / 1e6);
        lastTick = now;
    });
    QObject::connect(stop, &QRadioButton::toggled, &app, [&](bool on) {
        if (!on || postedAt == 0)
            return;
        latency.push_back((clock.nsecsElapsed() - postedAt) / 1e6);
        ticksBetween.push_back(replay->ticks() - ticksAtPost);
        postedAt = 0;
        // Play on for a while, then the next click.
        QTimer::singleShot(300, &app, [&] {
            if (++done >= clicks) {
                app.quit();
                return;
            }
            fwd->setChecked(true);
            lastTick = -1;
            QTimer::singleShot(400 + int(rng.bounded(600)), &app, [&] {
                postedAt = clock.nsecsElapsed();
                ticksAtPost = replay->ticks();
                postClick(stop);
            });
        });
    });
    // Three seconds to measure the tick rate and switch tracing on, then the first click.
    QTimer::singleShot(3000, &app, [&] {
        postedAt = clock.nsecsElapsed();
        ticksAtPost = replay->ticks();
        postClick(stop);
    });
    app.exec();

    auto show = [](const char *what, std::vector<double> v, const char *unit) {
        std::sort(v.begin(), v.end());
        if (v.empty())
            return;
        std::printf("  %-34s median %6.1f %s   max %6.1f %s\n", what, v[v.size() / 2], unit, v.back(), unit);
    };
    std::printf("%d boats at x100, tracing on, chart %dx%d, %zu clicks on STOP:\n", race.boatCount(),
                int(window.mapView().ChartWidth), int(window.mapView().ChartHeight), latency.size());
    show("time from click to stop", latency, "ms");
    show("ticks run between click and stop", ticksBetween, "  ");
    show("time between ticks while playing", tickMs, "ms");
    return 0;
}
