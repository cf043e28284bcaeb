#include "racedisplaywindow.h"

#include "boatlistpanel.h"
#include "canvaspicture.h"
#include "charttools.h"
#include "chartwidget.h"
#include "controlpanel.h"
#include "displaylayout.h"
#include "documentbuttons.h"
#include "displaytexts.h"
#include "hoverhandler.h"
#include "layerdrawer.h"
#include "loadproblemnotice.h"
#include "optionspanel.h"
#include "overviewwidget.h"
#include "pageswitcher.h"
#include "racedisplaystate.h"
#include "racefileactions.h"
#include "replaydriver.h"
#include "timebarwidget.h"
#include "widgethelpers.h"
#include "windstripwidget.h"

#include <appfolder.h>
#include <appsettings.h>
#include <desktop.h>
#include <dialogs.h>
#include <opendocument.h>
#include <racecontrol.h>
#include <raceloader.h>
#include <replaytexts.h>
#include <saildata.h>
#include <seacolours.h>
#include <windfile.h>

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QWindow>

using namespace display;

RaceDisplayWindow::RaceDisplayWindow(AppSettings &settings, RaceControl &race, QWidget *parent)
    : QWidget(parent), m_state(std::make_unique<RaceDisplayState>(settings, race))
{
    setObjectName(QStringLiteral("frmRace"));
    buildParts();
    applyFonts();
    applyCaptions();
    applySeaColours();
    race.WindDirection = 0.0f;
    race.ShownWindDirection = 0.0;
    coverScreen();
    applyLayout();
    connectParts();
}

RaceDisplayWindow::~RaceDisplayWindow() = default;

// ---------------------------------------------------------------------------------------------
// Parts

void RaceDisplayWindow::buildParts()
{
    RaceDisplayState &s = *m_state;
    m_chart = new ChartWidget(this);
    m_chart->setSea(s.settings.SeaColour);
    m_chart->setFontFamily(s.settings.UiFontName);
    m_timeBar = new TimeBarWidget(s, this);

    m_panel = make<QFrame>("Picture5", this);
    m_overview = new OverviewWidget(m_panel);
    m_windIndicator = new CanvasPicture(QStringLiteral("Picture2"), m_panel);
    m_windDirection = makeBox("Text13", m_panel);
    m_windSpeed = makeBox("Text14", m_panel);
    m_sizeBox = makeBox("Text15", m_panel);
    for (QLineEdit *box : {m_windDirection, m_windSpeed, m_sizeBox})
        box->setAlignment(Qt::AlignCenter);
    m_windGraph = new WindStripWidget(s, m_panel);
    m_windGraph->hide();
    m_boatList = new BoatListPanel(s, m_panel);
    m_options = new OptionsPanel(s, m_panel);
    m_controls = new ControlPanel(m_panel);
    m_controls->setMouseTracking(true);

    m_layers = std::make_unique<LayerDrawer>(s, this, m_chart, m_overview, m_windIndicator, m_windDirection,
                                             m_windSpeed);
    m_hover = new HoverHandler(s, this, m_panel, m_boatList, m_options, m_chart->Text8);
    m_hover->watchTree(this);

    ReplayParts parts;
    parts.chart = m_chart;
    parts.layers = m_layers.get();
    parts.overview = m_overview;
    parts.boatList = m_boatList;
    parts.controls = m_controls;
    parts.options = m_options;
    parts.timeBar = m_timeBar;
    parts.sizeBox = m_sizeBox;
    m_replay = new ReplayDriver(s, parts, this);
    m_timeBar->setParts(m_replay, m_overview, m_hover);

    ChartToolParts tools;
    tools.window = this;
    tools.chart = m_chart;
    tools.overview = m_overview;
    tools.controls = m_controls;
    tools.options = m_options;
    tools.layers = m_layers.get();
    tools.replay = m_replay;
    tools.hover = m_hover;
    tools.timeBar = m_timeBar;
    m_chartTools = new ChartTools(s, tools, this);
    m_hover->watchTree(m_chartTools->courseList());

    PageSwitcher::Parts pageParts;
    pageParts.controls = m_controls;
    pageParts.options = m_options;
    pageParts.replay = m_replay;
    pageParts.hover = m_hover;
    pageParts.windChanged = [this] { windSamplesChanged(); };
    m_pages = new PageSwitcher(s, this, pageParts);
    m_timeBar->setPageReadout([this](double T, double y) { return m_pages->timeBarHover(T, y); });
    m_fileActions = new RaceFileActions(s, m_controls, this, [this](bool otherRace) { reloadRace(otherRace); });
    m_documents = new DocumentButtons(s, m_controls, this, m_chart, m_overview, m_pages);
}

void RaceDisplayWindow::applyFonts()
{
    // The design fonts are Windows fonts; the families after them are what a Linux desktop
    // has that draws the same Japanese text.
    QFont f = font();
    f.setFamilies({m_state->settings.UiFontName, QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
                   QStringLiteral("Noto Sans CJK JP"), QStringLiteral("DejaVu Sans")});
    f.setPixelSize(12);
    setFont(f);
    QFont small = f;
    small.setPixelSize(11);
    m_boatList->setFont(small);
    m_hover->hintBox()->setFont(small);
}

void RaceDisplayWindow::applyCaptions()
{
    const bool english = m_state->settings.isEnglish();
    for (const ControlCaption &c : raceDisplayCaptions()) {
        const QString text = english ? c.english : c.japanese;
        QWidget *w = findChild<QWidget *>(c.objectName);
        if (!w)
            continue;
        if (auto *b = qobject_cast<QAbstractButton *>(w))
            b->setText(text);
        else if (auto *g = qobject_cast<QGroupBox *>(w))
            g->setTitle(text);
        else if (auto *l = qobject_cast<QLabel *>(w))
            l->setText(text);
        else if (auto *e = qobject_cast<QLineEdit *>(w))
            e->setText(text);
    }
    m_controls->Text2->setText(speedFactorText(m_state->clock.SpeedFactor, m_state->settings.Language));
}

void RaceDisplayWindow::coverScreen()
{
    QScreen *s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (s)
        setGeometry(s->availableGeometry());
    setWindowState(windowState() | Qt::WindowMaximized);
}

void RaceDisplayWindow::applyLayout()
{
    const RaceDisplayLayout l = layoutRaceDisplay(size(), m_state->race.boatCount(), m_state->settings.Scale);
    m_chart->setGeometry(l.chart);
    m_timeBar->setGeometry(l.timeBar);
    m_panel->setGeometry(l.panel);
    m_overview->setGeometry(l.overview);
    m_windIndicator->setGeometry(l.windIndicator);
    m_windDirection->setGeometry(l.windDirection);
    m_windSpeed->setGeometry(l.windSpeed);
    m_sizeBox->setGeometry(l.sizeBox);
    // The strip is a square as wide as the indicator, right under it.
    m_windGraph->setGeometry(l.windIndicator.left(), l.windIndicator.bottom() + 1, l.windIndicator.width(),
                             l.windIndicator.width());
    m_pages->setGeometry(l.chart);
    m_boatList->setGeometry(l.boatList);
    m_boatList->header()->setGeometry(0, 0, l.boatList.width(), BoatRowTop - 2);
    m_options->setGeometry(l.lowerPanel);
    m_controls->setGeometry(l.controls);
    // A long list runs on behind the lower panel until the pointer raises it.
    m_options->raise();
    m_state->view.setChartSize(m_chart->width(), m_chart->height());
    if (m_state->loaded)
        m_timeBar->drawBar();
}

void RaceDisplayWindow::connectParts()
{
    RaceDisplayState &s = *m_state;
    ControlPanel *c = m_controls;
    connect(c->HScroll2, &QScrollBar::valueChanged, this, [this](int v) { m_state->view.TraceZoom = v / 100.0; });
    // The orientation follows the release of the mouse on its option, as the design had it.
    connect(c->Option2, &QRadioButton::clicked, this, [this] { setNorthUp(true); });
    connect(c->Option3, &QRadioButton::clicked, this, [this] { setNorthUp(false); });

    connect(m_options, &OptionsPanel::timeMarksClicked, this, [this](bool on) {
        if (!m_state->loaded)
            return;
        if (on) {
            m_layers->drawTimeMarks();
        } else {
            m_state->view.restoreUserZoom();
            m_layers->drawChart();
            m_layers->drawMarks();
        }
    });
    connect(m_options, &OptionsPanel::tracksClicked, this, [this] {
        if (m_state->loaded)
            m_layers->fullRedraw();
    });
    connect(m_options, &OptionsPanel::mapClicked, this, [this] {
        if (m_state->loaded)
            m_layers->fullRedraw();
    });
    connect(m_options, &OptionsPanel::layLinesClicked, this, [this](bool on) {
        if (!m_state->loaded)
            return;
        if (!on)
            m_layers->drawChart();
        m_layers->drawMarks();
    });
    connect(m_options, &OptionsPanel::tracingToggled, this, [this](bool on) { setTracing(on); });
    connect(m_options, &OptionsPanel::seaColourChosen, this, &RaceDisplayWindow::chooseSeaColour);
    connect(m_options, &OptionsPanel::helpRequested, this, [&s] {
        OpenDocument(platform::resolvePath(s.settings.ApplicationFolder,
                                           s.settings.text(QStringLiteral("\\help-e\\index.html"),
                                                           QStringLiteral("\\help\\index.html"))));
    });
    connect(m_options, &OptionsPanel::webLinkClicked, this, [] { OpenDocument(makerWebAddress()); });

    connect(m_boatList, &BoatListPanel::focusChanged, this, &RaceDisplayWindow::focusChanged);
    connect(m_hover, &HoverHandler::boatHovered, m_chartTools, &ChartTools::showBoatTag);
    connect(m_chartTools, &ChartTools::windDirectionChanged, m_pages, &PageSwitcher::meanWindChanged);
    connect(m_windIndicator, &CanvasPicture::mousePressed, this, [this] { toggleWindGraph(); });
    connect(m_windGraph, &CanvasPicture::mousePressed, this, [this] { toggleWindGraph(); });
    // Once a second, with the wind indicator, the strip's cursors follow the replay.
    connect(m_replay, &ReplayDriver::frameShown, this, [this] {
        const FrameScene &f = m_replay->lastFrame();
        if (f.updateWind)
            m_windGraph->setCursor(f.time, m_state->currentWind().fileDirection);
    });
}

// ---------------------------------------------------------------------------------------------
// Option changes that touch several parts

void RaceDisplayWindow::setTracing(bool on)
{
    // While the chart follows the fleet, nothing can be placed on it and the layers that
    // belong to a fixed view are off; the names of all boats become available instead.
    const RaceControl &race = m_state->race;
    m_options->setTracing(on);
    m_controls->setTracing(on, race.markCount() + race.lineCount() >= 2);
    m_chartTools->setTracing(on);
    if (!m_state->loaded)
        return;
    if (on) {
        // The replay's next tick fits the view to the focused boats and draws the chart.
        m_chart->clear();
        m_layers->drawMarks();
    } else {
        m_state->view.restoreUserZoom();
        m_layers->fullRedraw();
        setWindowTitle(m_state->caption);
    }
}

void RaceDisplayWindow::chooseSeaColour(int button, bool exportSailData)
{
    RaceDisplayState &s = *m_state;
    const ChartColours colours = ApplySeaColour(s.settings, button);
    s.seaColourNumber = button;
    const QColor sea = toQColor(colours.background);
    for (CanvasPicture *p : std::initializer_list<CanvasPicture *>{m_windIndicator, m_overview})
        p->setBackground(sea);
    m_chart->setSea(colours.background);
    m_controls->setSeaColour(sea, toQColor(colours.foreground));
    setBackgroundColour(m_sizeBox, sea);
    if (s.loaded) {
        m_layers->drawOverview();
        m_layers->drawWindIndicator(s.currentWind());
        m_windGraph->draw();
        // While tracing the next tick redraws the chart.
        if (!s.options.tracing)
            m_layers->fullRedraw();
    }
    if (exportSailData && s.loaded && ExportSailData(s.settings, s.race, s.data, s.legStats))
        platform::beep();
}

void RaceDisplayWindow::toggleWindGraph()
{
    m_state->windGraphShown = !m_state->windGraphShown;
    showWindGraph();
}

void RaceDisplayWindow::showWindGraph()
{
    // Without wind data there is no graph to show; the flag keeps the user's choice.
    const bool show = m_state->windGraphShown && m_state->data.hasWind();
    if (show)
        m_windGraph->raise();
    m_windGraph->setVisible(show);
}

void RaceDisplayWindow::windSamplesChanged()
{
    RaceDisplayState &s = *m_state;
    if (!s.loaded)
        return;
    // The samples were replaced: the search starts afresh.
    s.windSearch = WindSearch();
    const WindReading wind = s.windAt(s.clock.Time, s.clock.Step > 0);
    m_layers->drawWindIndicator(wind);
    m_windGraph->draw();
    m_windGraph->setCursor(s.clock.Time, wind.fileDirection);
    showWindPresence();
}

void RaceDisplayWindow::setNorthUp(bool northUp)
{
    RaceControl &race = m_state->race;
    race.ChartRotation = northUp ? 0.0 : double(race.WindDirection);
    race.NorthUp = northUp ? 1 : 0;
    m_options->check(4)->setEnabled(!northUp);
    if (!m_state->loaded)
        return;
    m_layers->drawChart();
    m_layers->drawMarks();
    m_layers->drawOverview();
    m_layers->drawWindIndicator(m_state->currentWind());
}

void RaceDisplayWindow::focusChanged(bool all)
{
    if (all && m_state->isTrackPage())
        m_controls->HScroll2->setValue(100);
    if (m_state->loaded && m_state->isTrackPage())
        m_layers->fullRedraw();
    else if (m_state->loaded)
        m_pages->focusChanged();
}

// ---------------------------------------------------------------------------------------------
// Steps of the load

void RaceDisplayWindow::applySeaColours()
{
    RaceDisplayState &s = *m_state;
    m_options->colourSeaButtons();
    s.seaColourNumber = 1;
    s.settings.SeaColour = SeaColourButtons[0];
    const QColor sea = toQColor(s.settings.SeaColour);
    for (CanvasPicture *p : std::initializer_list<CanvasPicture *>{m_windIndicator, m_overview})
        p->setBackground(sea);
    m_chart->setSea(s.settings.SeaColour);
    m_controls->setSeaColour(sea, toQColor(chartForeground(s.settings.SeaColour)));
    setBackgroundColour(m_sizeBox, sea);
}

void RaceDisplayWindow::resetControls()
{
    RaceDisplayState &s = *m_state;
    const RaceControl &race = s.race;
    m_timeBar->hide();
    m_windGraph->hide();
    s.page = DisplayPage::Track;
    const bool viewing = !s.settings.EditMode;
    m_controls->setViewingMode(
        viewing, viewing ? platform::listFiles(s.settings.ApplicationFolder, QStringLiteral("\\raceadmin\\*.txt")) : QStringList(),
        race.FileName);
    m_controls->Command5->setEnabled(race.markCount() + race.lineCount() >= 2);
    // The Data page compares the boats leg by leg: it needs a course of two entries at least.
    m_controls->Option11->setEnabled(race.hasAnalysis());
    m_controls->Command13->setEnabled(!race.Attachments.isEmpty());
}

void RaceDisplayWindow::showProgress(int done, int total, const QString &line1, const QString &line2)
{
    const int units = progressBarUnits(done, total);
    if (m_splash.isShown && m_splash.isShown() && m_splash.progress) {
        m_splash.progress(line1, line2, units);
        return;
    }
    // No splash: the text box and bar go on the chart, which the chart redraw clears later.
    m_progressOnChart = true;
    m_chart->clear();
    const ProgressGeometry g = chartProgressGeometry(m_chart->height(), done, total);
    QPainter p(&m_chart->canvas());
    p.fillRect(g.text, Qt::white);
    p.setPen(Qt::black);
    p.setFont(font());
    p.drawText(g.text.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter, line1 + QLatin1Char('\n') + line2);
    p.fillRect(g.bar, QColor(0, 0, 255));
    p.end();
    m_chart->flush({}, true);
}

void RaceDisplayWindow::hideProgress()
{
    if (m_progressOnChart) {
        m_progressOnChart = false;
        m_chart->clear();
        m_chart->flush();
    }
}

void RaceDisplayWindow::showOrientation()
{
    const RaceControl &race = m_state->race;
    const bool northUp = race.NorthUp > 0;
    m_controls->showOrientation(double(race.WindDirection), northUp);
    m_options->check(4)->setEnabled(!northUp);
}

void RaceDisplayWindow::showWindPresence()
{
    const bool wind = m_state->data.hasWind();
    m_windDirection->setVisible(wind);
    m_windSpeed->setVisible(wind);
    showWindGraph();
}

// The window's side of a load: the steps LoadRace leaves to the race display.
class WindowLoadObserver : public LoadObserver
{
public:
    explicit WindowLoadObserver(RaceDisplayWindow *w) : w(w), s(*w->m_state) {}

    void loadStarting() override
    {
        w->m_layers->forgetTracks();
        w->m_pages->beforeLoad();
        w->applySeaColours();
    }
    void raceRead(const RaceControl &, const QString &caption) override
    {
        s.caption = caption;
        w->setWindowTitle(caption);
        w->resetControls();
    }
    void trackProgress(const LoadProgress &p) override { w->showProgress(p.boat, p.boatCount, p.line1, p.line2); }
    void tracksLoaded() override { w->hideProgress(); }
    void timesKnown(const RaceControl &race) override
    {
        w->m_controls->Text9->setText(race.StartTime.toString());
        w->m_controls->Text10->setText(race.FinishTime.toString());
    }
    void layoutWindow(const RaceControl &race, const RaceData &data) override
    {
        w->applyLayout();
        if (!w->m_boatList->isBuilt()) {
            w->m_boatList->build();
            QVector<Colour> colours;
            for (const BoatEntry &b : race.Boats)
                colours.append(b.colour);
            w->m_overview->buildMarkers(colours);
            for (int i = 0; i < w->m_boatList->rowCount(); ++i)
                for (QWidget *c : w->m_boatList->rowControls(i))
                    w->m_hover->watch(c);
        }
        s.view.resetForRace(data.Extent, race.ChartRotation, w->m_chart->height());
        s.view.setChartSize(w->m_chart->width(), w->m_chart->height());
        w->m_replay->prepareRace();
    }
    void drawChart(const RaceControl &, const RaceData &) override
    {
        w->m_layers->fullRedraw();
        w->m_layers->drawOverview();
        w->m_timeBar->clear();
        w->m_timeBar->show();
        w->showOrientation();
    }
    void raceLoaded(const RaceControl &race, const RaceData &data) override
    {
        s.legStats = LegStats();
        if (race.Course.Count() > 0)
            s.legStats.ComputeRoundingTimes(race, data);
        s.windSearch = WindSearch();
        const WindReading wind = s.windAt(-(race.PreStartSeconds + 20.0));
        w->m_layers->drawWindIndicator(wind);
        w->m_windGraph->draw();
        w->m_windGraph->setCursor(-(race.PreStartSeconds + 20.0), wind.fileDirection);
        w->showWindPresence();
        // Passing times and tracks are known: the replay can start.
        s.loaded = true;
        w->m_chartTools->raceLoaded();
        w->m_replay->raceLoaded();
    }

private:
    RaceDisplayWindow *w;
    RaceDisplayState &s;
};

bool RaceDisplayWindow::runLoad()
{
    WindowLoadObserver observer(this);
    RaceDisplayState &s = *m_state;
    const LoadResult result = LoadRace(s.settings, s.race, s.data, &observer);
    // What the files held that could not be read, once per load, without stopping the replay.
    // A race that could not be loaded at all has had its message already.
    LoadProblemNotice::showFor(this, result.ok ? result.problems : FileProblems(), s.settings);
    if (!result.ok) {
        // Nothing to show (no race at all, or a file that cannot be read): the window stays
        // usable, and in viewing mode its race list offers the races there are.
        hideProgress();
        resetControls();
        m_chart->clear();
        m_chart->flush();
    }
    return result.ok;
}

void RaceDisplayWindow::reloadRace(bool otherRace)
{
    RaceDisplayState &s = *m_state;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (otherRace) {
        // Another race has other boats: the list, the symbols and the markers are made anew.
        m_boatList->remove();
        m_chart->setBoats(0);
        m_overview->removeMarkers();
    }
    s.loaded = false;
    s.data.Coast.clear();
    s.loaded = runLoad();
    m_controls->Picture12->setVisible(s.options.tracing);
    QApplication::restoreOverrideCursor();
}

// ---------------------------------------------------------------------------------------------
// Lifecycle

void RaceDisplayWindow::setSplash(SplashHooks hooks)
{
    m_splash = std::move(hooks);
}

bool RaceDisplayWindow::ensureLoaded()
{
    RaceDisplayState &s = *m_state;
    if (s.loadAttempted)
        return s.loaded;
    s.loadAttempted = true;
    s.loading = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // The splash carries the progress of the first load; the opener usually shows it already.
    if (m_splash.show && !(m_splash.isShown && m_splash.isShown()))
        m_splash.show();
    s.loaded = runLoad();
    QApplication::restoreOverrideCursor();
    if (m_splash.hide)
        m_splash.hide();
    s.loading = false;
    return s.loaded;
}

bool RaceDisplayWindow::isLoaded() const
{
    return m_state->loaded;
}

QImage RaceDisplayWindow::chartImage() const
{
    return m_chart->canvas();
}

const MapView &RaceDisplayWindow::mapView() const
{
    return m_state->view;
}

const RaceData &RaceDisplayWindow::raceData() const
{
    return m_state->data;
}

const LegStats &RaceDisplayWindow::legStats() const
{
    return m_state->legStats;
}

ReplayDriver *RaceDisplayWindow::replay() const
{
    return m_replay;
}

PageSwitcher *RaceDisplayWindow::pages() const
{
    return m_pages;
}

DocumentButtons *RaceDisplayWindow::documents() const
{
    return m_documents;
}

QImage RaceDisplayWindow::composedChartImage() const
{
    return m_chart->composedImage();
}

void RaceDisplayWindow::setSoundPlayer(std::function<void(const QString &)> player)
{
    m_replay->setSoundPlayer(std::move(player));
}

bool RaceDisplayWindow::event(QEvent *e)
{
    // The first activation loads the race. A window shown where no window manager activates
    // it (a bare X server) loads once it is shown.
    if ((e->type() == QEvent::WindowActivate || e->type() == QEvent::Show) && !m_state->loadAttempted)
        loadWhenExposed(0);
    return QWidget::event(e);
}

void RaceDisplayWindow::loadWhenExposed(int attempt)
{
    // The progress is painted on the chart while the load runs: wait until the window is on
    // the screen, so that those paints reach it (for a second at most).
    QTimer::singleShot(attempt == 0 ? 0 : 20, this, [this, attempt] {
        if (m_state->loadAttempted)
            return;
        QWindow *w = windowHandle();
        if (w && !w->isExposed() && attempt < 50) {
            loadWhenExposed(attempt + 1);
            return;
        }
        ensureLoaded();
    });
}

void RaceDisplayWindow::closeEvent(QCloseEvent *e)
{
    QWidget::closeEvent(e);
    if (e->isAccepted())
        emit closed();
}

void RaceDisplayWindow::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    applyLayout();
    // A new chart size is a new view of the race: the layers are drawn again for it.
    if (m_state->loaded && !m_state->loading) {
        m_layers->fullRedraw();
        m_layers->drawOverview();
        m_replay->drawFrame();
    }
}
