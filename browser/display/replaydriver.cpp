#include "replaydriver.h"

#include "boatlistpanel.h"
#include "chartwidget.h"
#include "controlpanel.h"
#include "layerdrawer.h"
#include "optionspanel.h"
#include "overviewwidget.h"
#include "racedisplaystate.h"
#include "timebarwidget.h"
#include "widgethelpers.h"

#include <appfolder.h>
#include <appsettings.h>
#include <desktop.h>
#include <framebuilder.h>
#include <racecontrol.h>
#include <replaytexts.h>
#include <seacolours.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

#include <cmath>

using namespace display;

namespace {

// The skip through times without a boat in view stops for this tick after so many
// milliseconds (and after one whole pass of the playback period): the tick never holds the
// window up for long, and a view with no boat anywhere in the period cannot hang it.
constexpr qint64 SkipBudgetMilliseconds = 20;

} // namespace

ReplayDriver::ReplayDriver(RaceDisplayState &state, const ReplayParts &parts, QObject *parent)
    : QObject(parent), m_state(state), m_parts(parts), m_tick(new QTimer(this)), m_measure(new QTimer(this)),
      m_autoStart(new QTimer(this)), m_play(platform::playSound)
{
    m_tick->setTimerType(Qt::PreciseTimer);
    m_tick->setInterval(ReplayClock::TickMilliseconds);
    m_measure->setInterval(ReplayClock::MeasureMilliseconds);
    m_autoStart->setInterval(1000);
    connect(m_tick, &QTimer::timeout, this, &ReplayDriver::tick);
    connect(m_measure, &QTimer::timeout, this, [this] { measure(m_monotonic.elapsed() / 1000.0); });
    connect(m_autoStart, &QTimer::timeout, this, &ReplayDriver::autoStart);

    ControlPanel *c = m_parts.controls;
    // The option buttons act when they become selected, by the mouse or by "+" and "-".
    connect(c->Option6, &QRadioButton::toggled, this, [this](bool on) { if (on) forward(); });
    connect(c->Option7, &QRadioButton::toggled, this, [this](bool on) { if (on) stop(); });
    connect(c->Option8, &QRadioButton::toggled, this, [this](bool on) { if (on) back(); });
    connect(c->Command6, &QPushButton::clicked, this, &ReplayDriver::plus);
    connect(c->Command7, &QPushButton::clicked, this, &ReplayDriver::minus);
    connect(c->HScroll1, &QScrollBar::valueChanged, this, &ReplayDriver::setSpeedSlider);
}

void ReplayDriver::setSoundPlayer(std::function<void(const QString &)> player)
{
    m_play = std::move(player);
}

void ReplayDriver::setManual(bool manual)
{
    m_manual = manual;
    if (manual) {
        m_tick->stop();
        m_measure->stop();
        m_autoStart->stop();
    }
}

bool ReplayDriver::isRunning() const
{
    return m_tick->isActive();
}

// ---------------------------------------------------------------------------------------------
// A tick

void ReplayDriver::tick()
{
    if (!m_state.loaded)
        return;
    ReplayClock &clock = m_state.clock;
    FrameState &frame = m_state.frame;
    QElapsedTimer spent;
    spent.start();
    // In STOP the time stands still, whatever started the timer.
    if (!clock.advance())
        return;
    ++m_ticks;
    frame.AnyBoatShown = false;
    if (m_state.options.tracing) {
        fitToBoats();
        drawFrame();
        return;
    }
    drawFrame();
    if (!m_state.isTrackPage())
        return;
    // No boat inside the chart: on through the race 5 s at a time until one is.
    const int passes = int((clock.PeriodEnd - clock.PeriodStart) / ReplayClock::SkipSeconds) + 2;
    for (int n = 0; !frame.AnyBoatShown && n < passes && spent.elapsed() < SkipBudgetMilliseconds; ++n) {
        clock.skip();
        drawFrame();
    }
}

void ReplayDriver::drawFrame()
{
    if (!m_state.loaded)
        return;
    const RaceDisplayState &s = m_state;
    FrameInputs in;
    in.race = &s.race;
    in.data = &s.data;
    in.legStats = &s.legStats;
    in.view = &s.view;
    in.trackPage = s.isTrackPage();
    in.tracing = s.options.tracing;
    in.namesShown = s.options.names;
    in.tracksOption = s.options.tracks;
    in.comparisonShown = s.options.comparison;
    in.enlarge = s.options.enlarge;
    in.marked = s.marked;
    in.focused = s.focused;
    in.fontScale = s.settings.Scale;
    in.speedBarScale = s.data.SpeedBarScale;
    m_frame = computeFrame(in, m_state.clock, m_state.frame);
    present(m_frame);
}

void ReplayDriver::present(const FrameScene &f)
{
    m_parts.chart->showFrame(f);
    for (int i = 0; i < f.boats.size(); ++i)
        if (f.boats[i].marker == FrameChange::Show)
            m_parts.overview->showMarker(i, f.boats[i].markerTopLeft);
    m_parts.boatList->showRows(f.listRows);
    ControlPanel *c = m_parts.controls;
    c->Text11->setText(f.elapsedText);
    setTextColour(c->Text11, toQColor(f.elapsedColour));
    if (f.dateTimeShown)
        c->Text1->setText(f.dateTimeText);
    m_parts.timeBar->setCursor(f.timeBarCursorShown ? f.timeBarCursorY : -1.0);
    for (int shot = 0; shot < f.gunShots; ++shot)
        playGun();
    if (f.updateWind)
        m_parts.layers->drawWindIndicator(m_state.windAt(f.time, m_state.clock.Step > 0));
    if (f.redrawMarks)
        m_parts.layers->drawMarks();
    emit frameShown();
}

void ReplayDriver::fitToBoats()
{
    if (m_state.view.FitToBoats(m_state.frame.fixes(m_state.focused))) {
        m_parts.layers->drawChart();
        m_parts.layers->drawMarks();
    }
}

void ReplayDriver::playGun()
{
    if (m_play)
        m_play(platform::resolvePath(m_state.settings.ApplicationFolder, QStringLiteral("\\gun.wav")));
}

// ---------------------------------------------------------------------------------------------
// Once a second

void ReplayDriver::measure(double now)
{
    ReplayClock &clock = m_state.clock;
    const ReplayClock::Measurement m = clock.measure(now, m_state.frame.AnyBoatShown);
    if (!clock.isStopped()) {
        showSizeBox();
        if (m.fitToBoats && m_state.loaded)
            fitToBoats();
    }
    // The rounding clock counts in every mode; the marks layer shows it while tracing.
    m_state.roundingClock = roundingClockAt(m_state.legStats.LeaderTime, m_state.legStats.analysedCount(), clock.Time);
}

void ReplayDriver::showSizeBox()
{
    const bool enlarged = m_state.frame.Enlarged;
    QLineEdit *box = m_parts.sizeBox;
    box->setText(replayText(enlarged ? ReplayText::Enlarged : ReplayText::RealSize, m_state.settings.Language));
    setTextColour(box, enlarged ? QColor(255, 0, 0) : toQColor(chartForeground(m_state.settings.SeaColour)));
}

void ReplayDriver::autoStart()
{
    if (!m_state.clock.autoStartDue())
        return;
    m_autoStart->stop();
    // The tracing box's own handling switches the chart over.
    QCheckBox *tracing = m_parts.options->check(5);
    tracing->setEnabled(true);
    tracing->setChecked(true);
}

// ---------------------------------------------------------------------------------------------
// Loading

void ReplayDriver::prepareRace()
{
    const RaceControl &race = m_state.race;
    const RaceData &data = m_state.data;
    m_state.clock.resetForRace(race.PreStartSeconds, double(race.RaceDuration), data.LatestTrackEnd);
    m_state.frame.resetForRace(race.boatCount());
    m_state.roundingClock = RoundingClock();
    m_parts.chart->setBoats(race.boatCount());
}

void ReplayDriver::raceLoaded()
{
    ReplayClock &clock = m_state.clock;
    const RaceControl &race = m_state.race;
    clock.LatestTrackEnd = m_state.data.LatestTrackEnd;
    m_parts.timeBar->drawBar();
    if (!m_started) {
        // The first race of the window: the replay opens with the gun and starts playing.
        m_started = true;
        clock.open(race.PreStartSeconds);
        m_monotonic.start();
        clock.startMeasuring(0.0);
        playGun();
        if (!m_manual) {
            m_measure->start();
            m_autoStart->start();
            if (!clock.isStopped())
                m_tick->start();
        }
    } else {
        // Another race: the timers run on, in the direction and at the speed chosen.
        clock.Time = -(race.PreStartSeconds + 20.0);
    }
    m_parts.chart->flagsToRest();
    drawFrame();
}

// ---------------------------------------------------------------------------------------------
// The buttons

void ReplayDriver::flagsToRest()
{
    m_state.frame.flagsToRest();
    m_parts.chart->flagsToRest();
}

void ReplayDriver::forward()
{
    m_state.clock.forward();
    if (m_started && !m_manual)
        m_tick->start();
    m_parts.options->check(2)->setChecked(false);
    flagsToRest();
}

void ReplayDriver::stop()
{
    m_state.clock.stop();
    m_tick->stop();
    // Range and bearing can be measured on a still chart (unless it follows the fleet).
    QCheckBox *measuring = m_parts.options->check(2);
    if (m_state.isTrackPage()) {
        measuring->setEnabled(!m_state.options.tracing);
    } else {
        measuring->setChecked(false);
        measuring->setEnabled(false);
    }
    flagsToRest();
}

void ReplayDriver::back()
{
    if (m_started && !m_manual)
        m_tick->start();
    m_state.clock.back();
    m_parts.options->check(2)->setChecked(false);
    flagsToRest();
}

void ReplayDriver::plus()
{
    m_parts.controls->Option7->setChecked(true);
    m_state.clock.plus();
    if (m_state.options.tracing)
        fitToBoats();
    drawFrame();
}

void ReplayDriver::minus()
{
    m_parts.controls->Option7->setChecked(true);
    m_state.clock.minus();
    if (m_state.options.tracing)
        fitToBoats();
    drawFrame();
}

void ReplayDriver::setSpeedSlider(int value)
{
    m_state.clock.setSpeedSlider(value);
    m_parts.controls->Text2->setText(speedFactorText(m_state.clock.SpeedFactor, m_state.settings.Language));
}

// ---------------------------------------------------------------------------------------------
// The time bar

void ReplayDriver::jumpTo(double time)
{
    ReplayClock &clock = m_state.clock;
    const int finish = m_state.legStats.analysedCount();
    clock.Time = time;
    if (time < (finish > 0 ? m_state.legStats.leaderTime(finish) : LegStats::NoLeader))
        m_state.frame.resetFinishPanel();
    m_state.frame.setSegmentHints(m_state.data, clock.Step > 0);
    if (m_state.options.tracing)
        fitToBoats();
    drawFrame();
    flagsToRest();
}

void ReplayDriver::choosePeriod(double fromY, double toY)
{
    ReplayClock &clock = m_state.clock;
    clock.setPeriodFromBar(fromY, toY);
    // The tracks are drawn over the new period.
    m_state.options.tracksShown = true;
    clock.Time = clock.PeriodStart;
    const int finish = m_state.legStats.analysedCount();
    if (clock.Time < (finish > 0 ? m_state.legStats.leaderTime(finish) : LegStats::NoLeader))
        m_state.frame.resetFinishPanel();
    m_state.frame.setSegmentHints(m_state.data, clock.Step > 0);
    m_parts.layers->drawChart();
    m_parts.layers->drawMarks();
    drawFrame();
}

void ReplayDriver::resetPeriod()
{
    m_state.clock.resetPeriod();
    m_parts.layers->drawChart();
    m_parts.layers->drawMarks();
}
