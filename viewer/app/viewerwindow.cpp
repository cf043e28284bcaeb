#include "viewerwindow.h"

#include "boatlistpanel.h"
#include "compasspanel.h"
#include "controlpanel.h"
#include "logopanel.h"
#include "mapoverlays.h"
#include "mapwidget.h"
#include "splash.h"
#include "timebarpanel.h"
#include "viewerservices.h"

#include <graphpage.h>
#include <kmlwriter.h>
#include <overview.h>
#include <playbackcontrols.h>
#include <timebar.h>
#include <viewercaptions.h>
#include <viewerlayout.h>
#include <viewerpainter.h>
#include <viewertexts.h>

#include <appfolder.h>
#include <dialogs.h>

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QMouseEvent>

#include <cstdio>

namespace {

constexpr int FrameInterval = 50;   // ms
constexpr int SecondInterval = 1000;
constexpr int NameSpeedLimitX = 399; // the pointer left of this shows names with speeds

// Tells the splash (window or panel) before each boat is read.
class ProgressObserver : public ViewerLoadObserver
{
public:
    explicit ProgressObserver(LoadProgress *progress) : m_progress(progress) {}
    void readingBoat(int boatNumber, int boatCount, const QString &gpsFile, const QString &titleText) override
    {
        if (m_progress)
            m_progress->showProgress(titleText, gpsFile, boatNumber, boatCount);
    }

private:
    LoadProgress *m_progress;
};

QString loadFailure(const ViewerLoadResult &result)
{
    return result.status == ViewerLoadResult::NoBoats ? viewertexts::gpsFileNotExists() : result.error;
}

} // namespace

ViewerWindow::ViewerWindow(const Setup &setup, QWidget *parent)
    : QWidget(parent), m_setup(setup), m_services(setup.Services)
{
    static DesktopViewerServices desktop;
    if (!m_services)
        m_services = &desktop;
    setObjectName(QStringLiteral("Form1"));
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);
    setWindowTitle(viewertexts::programTitle());
    buildParts();
    connectParts();
}

ViewerWindow::~ViewerWindow() = default;

void ViewerWindow::buildParts()
{
    m_map = new MapWidget(this);
    m_compass = new CompassPanel(m_map);
    m_score = new ScorePanel(m_map);
    m_flags = new FlagPanel(m_map);
    m_notice = new NoticeBox(m_map);
    m_hint = new HintBox(m_map);
    m_timeBar = new TimeBarPanel(this);
    // The boat list lies under the overview and control panels: hovering it hides them when it
    // is taller than the room between them.
    m_boats = new BoatListPanel(this);
    m_logo = new LogoPanel(this);
    m_controls = new ControlPanel(this);
    m_splash = new SplashPanel(this);
    m_splash->hide();

    m_frameTimer = new QTimer(this);
    m_frameTimer->setObjectName(QStringLiteral("Timer1"));
    m_frameTimer->setInterval(FrameInterval);
    m_secondTimer = new QTimer(this);
    m_secondTimer->setObjectName(QStringLiteral("Timer2"));
    m_secondTimer->setInterval(SecondInterval);
    m_secondTimer->setTimerType(Qt::PreciseTimer);

    for (QWidget *w : {static_cast<QWidget *>(m_controls->Label2), static_cast<QWidget *>(m_controls->Label3),
                       static_cast<QWidget *>(m_logo->logo())}) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }
    applyLayout();
}

void ViewerWindow::connectParts()
{
    ControlPanel *c = m_controls;
    connect(m_frameTimer, &QTimer::timeout, this, &ViewerWindow::frameTick);
    connect(m_secondTimer, &QTimer::timeout, this, &ViewerWindow::secondTick);

    connect(m_map, &MapWidget::pointerMoved, this, &ViewerWindow::onMapPointer);
    connect(m_map, &MapWidget::pressed, this, &ViewerWindow::onMapPressed);
    connect(m_compass, &CompassPanel::hovered, this, &ViewerWindow::onCompassHovered);
    connect(m_score, &ScorePanel::touched, this, [this] { m_score->move(scorePanelDodge(m_score->x(), m_map->width()), m_score->y()); });

    connect(m_boats, &BoatListPanel::pointerOver, this, [this] { onPanelPointer(Panel::BoatList); });
    connect(m_timeBar, &TimeBarPanel::pointerOver, this, [this] { onPanelPointer(Panel::TimeBar); });
    connect(m_logo, &LogoPanel::pointerOver, this, [this] { onPanelPointer(Panel::Logo); });
    connect(c, &ControlPanel::pointerOver, this, [this] { onPanelPointer(Panel::Controls); });
    connect(c, &ControlPanel::controlHovered, this, [this](QWidget *w) {
        onPanelPointer(Panel::Controls);
        showControlHint(w);
    });

    connect(m_boats, &BoatListPanel::boatHovered, this, &ViewerWindow::onBoatHovered);
    connect(m_boats, &BoatListPanel::headerHovered, this, [this] {
        const ViewerHint hint = viewerHint(HintPlace::BoatListHeader, m_show.language());
        m_hint->showHint(hint.Text, hint.Size, m_map->width());
    });
    connect(m_boats, &BoatListPanel::headerPressed, m_boats, &BoatListPanel::focusAll);
    connect(m_boats, &BoatListPanel::focusChanged, this, [this] {
        m_show.Options.Focused = m_boats->focused();
        if (!m_show.Playback.AutoTracking && m_show.Playback.isTrackPage())
            drawManualNow();
    });

    connect(m_timeBar, &TimeBarPanel::barPressed, this, &ViewerWindow::onTimeBarPressed);
    connect(m_timeBar, &TimeBarPanel::barHovered, this, &ViewerWindow::onTimeBarHovered);
    connect(m_timeBar, &TimeBarPanel::backToStart, this, [this] {
        if (!m_show.HasRace)
            return;
        m_show.Playback.Time = m_show.race().Period.Start;
        redrawView();
    });
    connect(m_logo->overview(), &OverviewWidget::pressed, this, [this](QPoint at, Qt::MouseButton) {
        if (!m_show.HasRace || m_show.Playback.AutoTracking || !m_show.Playback.isTrackPage())
            return;
        clickOverview(m_show.Manual, m_show.Shown.Derived.Extent, at, m_show.Options.NorthUp, m_show.race().WindDirection);
        drawManualNow();
    });
    connect(m_logo->logo(), &ClickableImage::pressed, this, [this] { m_services->open(makerWebAddress()); });

    for (ClickableImage *button : {c->up_f, c->up_t, c->stop_f, c->stop_t, c->dn_f, c->dn_t, c->plus, c->minus})
        connect(button, &ClickableImage::pressed, this, [this, button] { onPlayButton(button); });
    connect(c->CheckBox1, &QCheckBox::clicked, this, [this](bool on) {
        m_services->beep();
        setAutoTrace(on);
    });
    connect(c->ScrollBar1, &QScrollBar::valueChanged, this, [this](int p) {
        m_show.Playback.SpeedFactor = speedFactorAt(p);
        m_controls->Memo2->setText(speedFactorText(m_show.Playback.SpeedFactor));
    });
    connect(c->ScrollBar2, &QScrollBar::valueChanged, this, [this](int p) { m_show.Playback.ZoomDivisor = zoomDivisorAt(p); });
    connect(c->ScrollBar3, &QScrollBar::valueChanged, this, &ViewerWindow::applySeaPosition);
    connect(c->CheckBox3, &QCheckBox::toggled, this, [this](bool on) { m_show.Playback.AutoSea = on; });
    connect(c->RadioButton1, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            onPage(PlaybackState::Track);
    });
    connect(c->RadioButton2, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            onPage(PlaybackState::Graph);
    });
    connect(c->RadioN, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            onOrientation(true);
    });
    connect(c->RadioW, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            onOrientation(false);
    });
    connect(c->chkLL, &QCheckBox::toggled, this, [this](bool on) { m_show.Options.LayLines = on; });
    connect(c->ChkRefLine, &QCheckBox::toggled, this, [this](bool on) { m_show.Options.CompareLine = on; });
    connect(c->ChkBigBoat, &QCheckBox::toggled, this, [this](bool on) { m_show.Options.BigBoats = on; });
    connect(c->CheckBox2, &QCheckBox::toggled, this, [this](bool on) { m_show.Options.NameMode = on ? 1 : 0; });
    connect(c->chkAutoNext, &QCheckBox::toggled, this, [this](bool on) { m_show.Session.AutoNext = on ? 1 : 0; });
    connect(c->chkHint, &QCheckBox::toggled, this, [this](bool on) { m_show.Session.Tips = on ? 1 : 0; });
    connect(c->ComboBox1, &QComboBox::activated, this, [this](int index) { m_show.Session.SelectedIndex = index + 1; });
    connect(c->Button4, &QPushButton::clicked, this, &ViewerWindow::onShowPressed);
    connect(c->Button1, &QPushButton::clicked, this, [this] {
        stopTimers();
        close();
    });
    connect(c->Button2, &QPushButton::clicked, this, &ViewerWindow::onAttachment);
    connect(c, &ControlPanel::googleEarthPressed, this, &ViewerWindow::onGoogleEarth);
    connect(c->usa, &ClickableImage::pressed, this, [this] { onLanguage(1); });
    connect(c->jpn, &ClickableImage::pressed, this, [this] { onLanguage(0); });

    m_show.Options.NameMode = c->CheckBox2->isChecked() ? 1 : 0;
    m_show.Options.BigBoats = c->ChkBigBoat->isChecked();
    m_show.Options.LayLines = c->chkLL->isChecked();
    m_show.Options.CompareLine = c->ChkRefLine->isChecked();
}

// ---- start-up and loading ---------------------------------------------------------------

bool ViewerWindow::start()
{
    applyLayout();
    ReadProblems problems;
    startSession(m_show.Session, m_setup.ApplicationFolder, m_setup.ExportFolder, m_setup.LocaleId, problems);
    reportProblems(problems);
    m_controls->usa->setVisible(m_show.Session.OffersLanguageSwitch);
    m_controls->jpn->hide();
    m_services->gun();
    m_controls->ComboBox1->clear();
    m_controls->ComboBox1->addItems(m_show.Session.RaceList);
    setCaptions();
    if (!loadRace(LoadReason::Startup))
        return false;
    m_controls->ScrollBar3->setValue(SeaPositionAtStart);
    m_controls->CheckBox3->setChecked(true);
    return true;
}

void ViewerWindow::requestLoad(LoadReason reason)
{
    stopTimers();
    if (m_pendingLoad != LoadReason::None)
        return;
    m_pendingLoad = reason;
    QTimer::singleShot(0, this, &ViewerWindow::runPendingLoad);
}

void ViewerWindow::runPendingLoad()
{
    if (m_pendingLoad == LoadReason::None || m_inFrame || m_loading)
        return;
    const LoadReason reason = m_pendingLoad;
    m_pendingLoad = LoadReason::None;
    loadRace(reason);
}

bool ViewerWindow::loadCurrent(LoadProgress *progress, QString *failure)
{
    ProgressObserver observer(progress);
    const ViewerLoadResult result =
        loadCurrentRace(m_show.Session, m_show.Shown, m_map->width(), m_map->height(), &observer);
    const QString raceFile = QFileInfo(m_show.Session.CurrentRacePath).fileName();
    if (!result.ok()) {
        *failure = loadFailure(result);
        std::fprintf(stderr, "orvane2007: %s: %s\n", qPrintable(raceFile), qPrintable(*failure));
        return false;
    }
    if (!result.problems.isEmpty()) {
        QStringList lines;
        for (const ReadProblem &p : result.problems)
            lines << p.toString(m_show.language());
        reportProblems(result.problems);
        showNotice(readProblemsNotice(raceFile, lines, m_show.language()));
    }
    return true;
}

bool ViewerWindow::loadRace(LoadReason reason)
{
    m_loading = true;
    stopTimers();
    m_services->beep();
    m_hint->hideHint();
    const bool firstLoad = m_show.Session.FirstLoadDone == 0;
    LoadProgress *progress = m_setup.FirstProgress;
    if (!firstLoad || !progress) {
        m_splash->startLoad();
        m_splash->setGeometry(rect());
        m_splash->show();
        m_splash->raise();
        progress = m_splash;
    }

    QString failure;
    bool loaded = loadCurrent(progress, &failure);
    if (!loaded && reason == LoadReason::Show) {
        // The user chose it: say so, and go on with the race on screen.
        if (m_show.HasRace) {
            m_show.Session.CurrentRacePath = m_show.race().Path;
            m_show.Session.CurrentIndex = std::max(1, raceIndexOf(m_show.Session.RaceList, m_show.race().Path));
        }
        m_splash->hide();
        m_loading = false;
        platform::dialogs().message(failure, viewertexts::programTitle());
        if (m_show.HasRace)
            startTimers();
        return false;
    }
    // The start-up and AutoNext skip a race that cannot be shown, with a notice, and go on with
    // the next one; once round the list the race before is shown again.
    for (int tries = 1; !loaded && tries <= m_show.Session.raceCount(); ++tries) {
        showNotice(raceSkippedNotice(QFileInfo(m_show.Session.CurrentRacePath).fileName(), failure, m_show.language()));
        if (!advanceToNextRace(m_show.Session)) {
            failure = QStringLiteral("%1: no such race file").arg(QFileInfo(m_show.Session.CurrentRacePath).fileName());
            continue;
        }
        loaded = loadCurrent(progress, &failure);
    }
    m_loading = false;
    if (!loaded) {
        m_splash->hide();
        if (!m_show.HasRace) {
            platform::dialogs().message(viewertexts::gpsFileNotExists(), viewertexts::programTitle());
            return false;
        }
        // Nothing else can be shown: the race on screen plays on from its start.
        m_show.Session.CurrentRacePath = m_show.race().Path;
        m_show.Session.CurrentIndex = std::max(1, raceIndexOf(m_show.Session.RaceList, m_show.race().Path));
        m_show.Playback.Time = m_show.race().Period.Start;
        startTimers();
        return true;
    }
    raceLoaded();
    return true;
}

void ViewerWindow::raceLoaded()
{
    m_show.HasRace = true;
    const ViewerRace &race = m_show.race();
    ControlPanel *c = m_controls;
    startRace(m_show.Playback, m_show.Shown);
    m_frames.reset(race.boatCount());

    QStringList names;
    QList<QColor> colours;
    QVector<QColor> dots;
    for (const ViewerBoat &boat : race.Boats) {
        names << boat.Name;
        colours << toQColor(boat.Colour);
        dots << toQColor(boat.Colour);
    }
    m_boats->setBoats(names, colours);
    m_show.Options.Focused = m_boats->focused();
    m_show.Options.HoveredBoat = 0;
    m_show.Options.CompassHovered = false;
    m_show.Options.PointerOverTimeBar = false;
    m_logo->overview()->setBoats(dots);
    m_score->setLabels(scoreLabels(race, m_show.Shown.Derived.Passes));
    m_flags->setFlags(true, false);
    m_flagsShown = true;
    m_show.AttachmentIndex = 0;
    c->Button2->setEnabled(!race.Attachments.isEmpty());

    {
        // The controls take the race's settings without running their handlers' side effects.
        const QSignalBlocker b1(c->RadioN), b2(c->RadioW), b3(c->ScrollBar1), b4(c->ScrollBar2), b5(c->CheckBox1),
            b6(c->RadioButton1), b7(c->RadioButton2);
        c->RadioN->setChecked(race.isNorthUp());
        c->RadioW->setChecked(!race.isNorthUp());
        c->ScrollBar1->setValue(SpeedPositionAfterLoad);
        c->ScrollBar2->setValue(ScrollBarMaximum);
        c->CheckBox1->setChecked(true);
        c->RadioButton1->setChecked(true);
    }
    m_show.Options.NorthUp = race.isNorthUp();
    m_show.Options.AutoTrace = true;
    m_show.Options.ZoomDivisor = 1.0;
    c->Memo2->setText(speedFactorText(m_show.Playback.SpeedFactor));
    c->showPressed(c->up_t);
    m_compass->show();
    setAutoFillBackground(false);

    c->ComboBox1->setEditText(race.FileName);
    setWindowTitle(m_show.Session.TitleText);
    applyLayout();
    rebuildPictures();
    setCaptions();
    updateTimeText(m_show.Playback.Time);
    m_secondTimer->start();
    m_services->beep();
}

// ---- layout, captions, pictures ------------------------------------------------------------

void ViewerWindow::applyLayout()
{
    const ViewerLayout layout = layoutWindow(size(), m_show.HasRace ? m_show.race().boatCount() : 0);
    m_map->setGeometry(layout.Map);
    for (const ControlPlace &place : layout.Places) {
        if (QWidget *w = findChild<QWidget *>(place.Name)) {
            if (w == m_score)
                w->setGeometry(QRect(place.Rect.topLeft(), QSize(place.Rect.width(), std::max(m_score->height(), place.Rect.height()))));
            else
                w->setGeometry(place.Rect);
        }
    }
    for (int i = 0; i < m_controls->SeaSwatches.size(); ++i) {
        QLabel *swatch = m_controls->SeaSwatches[i];
        const ViewerRgb sea = m_show.Session.Sea[i];
        swatch->setStyleSheet(QStringLiteral("QLabel { background: rgb(%1,%2,%3); }").arg(sea.Red).arg(sea.Green).arg(sea.Blue));
        swatch->hide();
    }
    m_timeBarHeight = layout.place(QStringLiteral("TimeBar")).height();
}

void ViewerWindow::setCaptions()
{
    const int language = m_show.language();
    for (const ControlCaption &c : controlCaptions()) {
        const QString text = controlCaption(QString::fromLatin1(c.Name), language);
        QWidget *w = findChild<QWidget *>(QString::fromLatin1(c.Name));
        if (auto *label = qobject_cast<QLabel *>(w))
            label->setText(text);
        else if (auto *button = qobject_cast<QAbstractButton *>(w))
            button->setText(text);
        else if (auto *group = qobject_cast<QGroupBox *>(w))
            group->setTitle(text);
    }
}

void ViewerWindow::rebuildPictures()
{
    const QSize map = m_map->size();
    m_mapPicture = QImage(map, QImage::Format_RGB32);
    m_mapPicture.fill(toQColor(m_show.Playback.Sea));
    m_map->setBlank(toQColor(m_show.Playback.Sea));
    if (!m_show.HasRace) {
        m_map->showPicture(&m_mapPicture);
        return;
    }
    m_show.Shown.Derived.Extent.setMapSize(map.width(), map.height());
    m_graph = std::make_unique<GraphPage>(drawGraphPage(m_show.Shown, map.width(), height(), m_show.Session.Sea[0]));
    m_graphPicture = QImage(map, QImage::Format_RGB32);
    paintViewerScene(m_graphPicture, m_graph->Scene);
    m_timeBar->setPicture(drawTimeBar(m_show.Shown, m_timeBar->height()));
    QImage overview(OverviewSize, OverviewSize, QImage::Format_RGB32);
    paintViewerScene(overview, overviewScene(m_show.Shown, m_show.Options.NorthUp, m_show.Session.Sea[0]));
    m_logo->overview()->setPicture(overview);
    turnCompass();
    redrawView();
}

void ViewerWindow::redrawView()
{
    if (!m_show.HasRace)
        return;
    if (!m_show.Playback.isTrackPage())
        showGraphPage();
    else if (m_show.Playback.AutoTracking)
        drawFrameNow();
    else
        drawManualNow();
    updateTimeText(m_show.Playback.Time);
}

void ViewerWindow::turnCompass()
{
    if (!m_show.HasRace)
        return;
    const ViewerRace &race = m_show.race();
    const double angle = m_show.Options.NorthUp ? race.MagneticVariation : race.MagneticVariation - race.WindDirection;
    m_compass->turn(angle, toQColor(m_show.Playback.Sea));
}

void ViewerWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    applyLayout();
    if (m_splash->isVisible())
        m_splash->setGeometry(rect());
    rebuildPictures();
}

// ---- the timers ---------------------------------------------------------------------------

void ViewerWindow::stopTimers()
{
    m_frameTimer->stop();
    m_secondTimer->stop();
}

void ViewerWindow::startTimers()
{
    m_frameTimer->start(FrameInterval);
    m_secondTimer->start(SecondInterval);
}

void ViewerWindow::frameTick()
{
    if (!m_show.HasRace || m_loading || m_pendingLoad != LoadReason::None)
        return;
    PlaybackState &playback = m_show.Playback;
    m_show.Options.NorthUp = m_controls->RadioN->isChecked();
    if (!advanceFrame(playback, m_show.race().Period))
        return;
    m_inFrame = true;
    drawFrameNow();
    const FrameEvents events = finishFrame(playback, m_show.Shown);
    for (int boat : events.Finished) {
        m_services->gun();
        m_score->showFinisher(boat, playback.Finishers);
    }
    if (events.ScoreCleared && m_score->isVisible())
        m_score->clear();
    if (events.TimeTextChanged)
        updateTimeText(playback.Time);
    if (events.SeaChanged) {
        const QSignalBlocker block(m_controls->ScrollBar3);
        m_controls->ScrollBar3->setValue(playback.SeaPosition);
        m_map->setBlank(toQColor(playback.Sea));
        turnCompass();
    }
    if (events.StartGun)
        m_services->gun();
    m_inFrame = false;
}

void ViewerWindow::secondTick()
{
    if (!m_show.HasRace || m_loading || m_pendingLoad != LoadReason::None || !m_show.Playback.isTrackPage())
        return;
    if (!m_frameTimer->isActive())
        m_frameTimer->start(FrameInterval);
    m_splash->hide();
    const SecondEvents events = ::secondTick(m_show.Playback, m_show.Shown, m_show.Session.AutoNext == 1);
    if (events.FinishesCleared)
        m_score->clear();
    m_boats->setRows(boatPanelRows(m_show.Shown, m_show.Playback.Time));
    for (int i = 0; i < events.Beeps; ++i)
        m_services->beep();
    if (events.NextRace) {
        // A next file that has gone is skipped by the load, with a notice.
        advanceToNextRace(m_show.Session);
        requestLoad(LoadReason::AutoNext);
        return;
    }
    m_flags->setFlags(events.ClassFlag, events.PreparatoryFlag);
    m_flagsShown = events.ClassFlag;
}

void ViewerWindow::drawFrameNow()
{
    const TrackingFrame frame = m_frames.draw(m_show.Shown, m_show.Playback.Time, m_mapPicture.size(), m_show.Options,
                                              FrameLook{m_show.Playback.Sea, m_show.Playback.Grid, m_show.Playback.SeaPosition,
                                                        m_show.Playback.TimeOfDay, m_show.Playback.LeadText,
                                                        m_show.Playback.LeadElement});
    paintViewerScene(m_mapPicture, frame.Scene);
    m_map->showPicture(&m_mapPicture);
    m_show.LastProjection = frame.Projection;
    m_show.LastStates = frame.States;
    m_compass->setWind(frame.WindText, frame.WindMark);
    if (!frame.OverviewDots.isEmpty())
        m_logo->overview()->moveDots(frame.OverviewDots);
    m_timeBar->setPointerTop(timePointerTop(m_show.race().Period, m_timeBarHeight, m_show.Playback.Time));
}

void ViewerWindow::drawManualNow()
{
    if (!m_show.HasRace || m_show.Playback.AutoTracking || !m_show.Playback.isTrackPage())
        return;
    const PlaybackState &p = m_show.Playback;
    const ManualFrame frame = drawManualView(m_show.Shown, p.Time, m_show.Manual, m_mapPicture.size(), m_show.Options,
                                             FrameLook{p.Sea, p.Grid, p.SeaPosition, p.TimeOfDay, p.LeadText, p.LeadElement});
    paintViewerScene(m_mapPicture, frame.Scene);
    m_map->showPicture(&m_mapPicture);
    m_show.LastProjection = frame.Projection;
    m_show.LastStates = frame.States;
    m_compass->turn(frame.CompassAngle, toQColor(p.Sea));
    m_timeBar->setPointerTop(timePointerTop(m_show.race().Period, m_timeBarHeight, p.Time));
}

void ViewerWindow::showGraphPage()
{
    m_map->showPicture(&m_graphPicture);
}

QString ViewerWindow::dateTimeText(double t) const
{
    const ViewerRace &race = m_show.race();
    return race.Start.isNull() ? QString() : race.Start.addSecs(viewerRound(t)).toString();
}

void ViewerWindow::updateTimeText(double t)
{
    m_logo->timeText()->setText(dateTimeText(t));
}

void ViewerWindow::applySeaPosition(int position)
{
    setSeaPosition(m_show.Playback, position);
    m_map->setBlank(toQColor(m_show.Playback.Sea));
    if (!m_show.HasRace)
        return;
    turnCompass();
    if (!m_show.Playback.AutoTracking && m_show.Playback.isTrackPage())
        drawManualNow();
}

// ---- the pointer ---------------------------------------------------------------------------

void ViewerWindow::onMapPointer(QPoint at)
{
    if (!m_show.HasRace)
        return;
    const PlaybackState &p = m_show.Playback;
    const bool manualTrack = !p.AutoTracking && p.isTrackPage();
    if (manualTrack) {
        m_map->showPicture(&m_mapPicture);
        const ViewerHint hint = viewerHint(HintPlace::ManualMap, m_show.language());
        m_hint->showHint(hint.Text, hint.Size, m_map->width());
    } else {
        m_hint->hideHint();
    }
    m_show.Options.CompassHovered = false;
    m_show.Options.NameMode = at.x() > NameSpeedLimitX ? 1 : 2;
    m_show.Options.PointerOverTimeBar = false;
    m_show.Playback.PointerOverTimeBar = false;
    m_logo->show();
    m_controls->show();
    m_show.Options.HoveredBoat = 0;
    m_lastHoveredBoat = 0;
    if (!p.isTrackPage())
        showGraphPage();
    const LatLon position = m_show.LastProjection.toLatLon(at.x(), at.y());
    setWindowTitle(pointerCaption(m_show.Session.TitleText, position, m_show.race().Note, p.isTrackPage()));
}

void ViewerWindow::onMapPressed(QPoint at, Qt::MouseButton button)
{
    if (!m_show.HasRace || m_show.Playback.AutoTracking || !m_show.Playback.isTrackPage())
        return;
    clickManualMap(m_show.Manual, m_show.LastProjection, at, button == Qt::LeftButton);
    drawManualNow();
}

void ViewerWindow::onPanelPointer(Panel panel)
{
    m_hint->hideHint();
    if (!m_controls->CheckBox2->isChecked())
        m_show.Options.NameMode = 0;
    m_show.Options.PointerOverTimeBar = false;
    m_show.Playback.PointerOverTimeBar = false;
    m_show.Options.HoveredBoat = 0;
    if (!m_show.HasRace)
        return;
    const PlaybackState &p = m_show.Playback;
    if (panel != Panel::Logo && !p.AutoTracking && p.isTrackPage())
        m_map->showPicture(&m_mapPicture);
    if (panel != Panel::TimeBar && !p.isTrackPage())
        showGraphPage();
    if (panel != Panel::BoatList)
        setWindowTitle(m_show.Session.TitleText);
    if (panel == Panel::TimeBar || panel == Panel::Controls) {
        m_logo->show();
        m_controls->show();
    }
    if (panel == Panel::BoatList || panel == Panel::Logo)
        m_lastHoveredBoat = 0;
    if (panel == Panel::BoatList) {
        const int boats = m_show.race().boatCount();
        if (boatListHidesLogo(size(), boats))
            m_logo->hide();
        if (boatListHidesControls(size(), boats))
            m_controls->hide();
    }
}

void ViewerWindow::onBoatHovered(int boat)
{
    if (!m_show.HasRace)
        return;
    m_show.Options.HoveredBoat = boat;
    const PlaybackState &p = m_show.Playback;
    const bool moved = boat != m_lastHoveredBoat;
    m_lastHoveredBoat = boat;
    if (!p.isTrackPage()) {
        if (moved && m_graph) {
            m_uraMap = m_graphPicture.copy();
            ViewerScene highlight;
            highlight.Clears = false;
            for (const ViewerStroke &s : graphHighlight(*m_graph, boat - 1))
                highlight.add(s);
            paintViewerScene(m_uraMap, highlight);
            m_map->showPicture(&m_uraMap);
        }
    } else if (!p.AutoTracking) {
        m_uraMap = m_mapPicture.copy();
        ViewerScene highlight;
        highlight.Clears = false;
        highlight.add(wholeTrack(m_show.race().Boats[boat - 1], m_show.LastProjection, 3));
        paintViewerScene(m_uraMap, highlight);
        m_map->showPicture(&m_uraMap);
    } else {
        const ViewerHint hint = viewerHint(HintPlace::BoatCheckBox, m_show.language(), m_show.race().Boats[boat - 1].Name);
        m_hint->showHint(hint.Text, hint.Size, m_map->width());
    }
}

void ViewerWindow::onCompassHovered(double distance)
{
    m_show.Options.CompassHovered = true;
    m_show.Options.NameMode = distance < 0.4 ? 0 : 1;
}

void ViewerWindow::onTimeBarPressed(int y)
{
    if (!m_show.HasRace || !m_show.Playback.isTrackPage())
        return;
    jumpTo(m_show.Playback, timeAtBar(m_show.race().Period, m_timeBarHeight, y), m_show.race().Period);
    m_score->clear();
    redrawView();
}

void ViewerWindow::onTimeBarHovered(int y)
{
    if (!m_show.HasRace)
        return;
    m_show.Options.PointerOverTimeBar = true;
    m_show.Playback.PointerOverTimeBar = true;
    const ViewerRace &race = m_show.race();
    const double t = timeAtBar(race.Period, m_timeBarHeight, y);
    const QString when = dateTimeText(t);
    m_logo->timeText()->setText(when);
    QVector<QPointF> dots;
    for (const PreviewPosition &p : previewPositions(race, t))
        dots << (p.Valid ? overviewPosition(m_show.Shown.Derived.Extent, p.Lat, p.Lon, m_show.Options.NorthUp, race.WindDirection)
                         : QPointF(-1, -1));
    m_logo->overview()->moveDots(dots);
    if (m_show.Playback.isTrackPage()) {
        const ViewerHint hint = viewerHint(HintPlace::TimeBar, m_show.language(), when);
        m_hint->showHint(hint.Text, hint.Size, m_map->width());
    }
}

void ViewerWindow::showControlHint(QWidget *control)
{
    if (m_show.Session.Tips != 1)
        return;
    ControlPanel *c = m_controls;
    ViewerHint hint;
    if (control == c->chkAutoNext)
        hint = viewerHint(HintPlace::AutoNext, m_show.language());
    else if (control == c->Button4)
        hint = viewerHint(HintPlace::Show, m_show.language());
    else if (control == c->ChkBigBoat)
        hint = viewerHint(HintPlace::BigBoat, m_show.language());
    else if (control == c->Button3)
        hint = viewerHint(HintPlace::GoogleEarth, m_show.language());
    else if (control == c->Button2 && m_show.HasRace)
        hint = viewerHint(HintPlace::Attachment, m_show.language(), {},
                          attachmentOrder(m_show.race().Attachments, m_show.AttachmentIndex));
    else if (control == m_logo->logo())
        hint = viewerHint(HintPlace::Logo, m_show.language());
    if (!hint.Text.isEmpty())
        m_hint->showHint(hint.Text, hint.Size, m_map->width());
}

bool ViewerWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        if (watched == m_controls->Label2)
            m_controls->ScrollBar1->setValue(speedPositionFor(m_show.Playback.SpeedFactor));
        else if (watched == m_controls->Label3)
            m_controls->ScrollBar2->setValue(ScrollBarMaximum);
    } else if ((event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) && watched == m_logo->logo()) {
        onPanelPointer(Panel::Logo);
        showControlHint(m_logo->logo());
    }
    return QWidget::eventFilter(watched, event);
}

// ---- the controls --------------------------------------------------------------------------

void ViewerWindow::setAutoTrace(bool on)
{
    ControlPanel *c = m_controls;
    PlaybackState &p = m_show.Playback;
    {
        const QSignalBlocker block(c->CheckBox1);
        c->CheckBox1->setChecked(on);
    }
    m_show.Options.AutoTrace = on;
    if (on) {
        c->showPressed(c->up_t);
        p.Direction = 1;
        p.AutoTracking = true;
        startTimers();
        return;
    }
    c->showPressed(c->stop_t);
    stopTimers();
    p.AutoTracking = false;
    if (!m_show.HasRace)
        return;
    m_show.Manual = manualViewOf(m_show.Shown.Derived.Extent);
    drawManualNow();
}

void ViewerWindow::onPlayButton(QWidget *button)
{
    if (!m_show.HasRace)
        return;
    ControlPanel *c = m_controls;
    PlaybackState &p = m_show.Playback;
    // Every play button goes back to the tracking view first.
    if (!c->CheckBox1->isChecked())
        setAutoTrace(true);
    p.AutoTracking = true;
    m_show.Options.AutoTrace = true;
    if (button == c->up_f || button == c->dn_f) {
        c->showPressed(button == c->up_f ? c->up_t : c->dn_t);
        p.Direction = button == c->up_f ? 1 : -1;
        startTimers();
    } else if (button == c->stop_f || button == c->plus || button == c->minus) {
        c->showPressed(c->stop_t);
        stopTimers();
        if (button != c->stop_f) {
            p.Time = wrapIntoPeriod(viewerRound(p.Time + (button == c->plus ? 1 : -1)), m_show.race().Period);
            drawFrameNow();
            updateTimeText(p.Time);
        }
    }
}

void ViewerWindow::onShowPressed()
{
    const ShowChoice choice = chooseRaceToShow(m_show.Session, m_controls->ComboBox1->currentText());
    if (choice == ShowChoice::AlreadyShown) {
        platform::dialogs().message(viewertexts::alreadyShown(), viewertexts::programTitle());
        return;
    }
    m_services->beep();
    requestLoad(LoadReason::Show);
}

void ViewerWindow::onGoogleEarth(Qt::MouseButton button)
{
    if (!m_show.HasRace)
        return;
    const ViewerRace &race = m_show.race();
    KmlSettings settings;
    settings.Language = m_show.language();
    settings.IconFolder = kmlIconFolder(m_show.Session.ApplicationFolder);
    QStringList lines;
    if (button == Qt::LeftButton) {
        // The boats where the last frame showed them; with none drawn yet, at the replay time.
        QList<BoatState> states = m_show.LastStates;
        if (states.size() != race.boatCount())
            states = boatStatesAt(race, m_show.Playback.Time);
        lines = exportSceneLines(race, m_show.Playback.Time, states, settings);
    } else {
        lines = exportRaceLines(race, settings);
    }
    const QString path = kmlExportPath(m_show.Session.ExportFolder);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QString error;
    if (!writeKmlFile(path, kmlBytes(lines), &error)) {
        platform::dialogs().message(kmlNotWritten(error, m_show.language()), viewertexts::programTitle());
        return;
    }
    m_show.KmlWritten = path;
    m_services->open(path);
}

void ViewerWindow::onAttachment()
{
    if (!m_show.HasRace || m_show.race().Attachments.isEmpty())
        return;
    m_services->beep();
    const QStringList &attachments = m_show.race().Attachments;
    m_show.AttachmentIndex = nextAttachment(m_show.AttachmentIndex, int(attachments.size()));
    const QString name = attachments[m_show.AttachmentIndex - 1];
    const QString path = platform::resolvePath(m_show.Session.ApplicationFolder, QStringLiteral("attachment/") + name);
    if (QFileInfo(path).isFile())
        m_services->open(path);
    showControlHint(m_controls->Button2);
}

void ViewerWindow::onLanguage(int language)
{
    m_show.Session.Language = language;
    m_controls->usa->setVisible(language == 0);
    m_controls->jpn->setVisible(language != 0);
    setCaptions();
}

void ViewerWindow::onOrientation(bool northUp)
{
    if (m_show.Options.NorthUp == northUp)
        return;
    m_show.Options.NorthUp = northUp;
    if (!m_show.HasRace)
        return;
    QImage overview(OverviewSize, OverviewSize, QImage::Format_RGB32);
    paintViewerScene(overview, overviewScene(m_show.Shown, northUp, m_show.Session.Sea[0]));
    m_logo->overview()->setPicture(overview);
    turnCompass();
    if (!m_show.Playback.AutoTracking && m_show.Playback.isTrackPage())
        drawManualNow();
}

void ViewerWindow::onPage(int page)
{
    m_show.Playback.CurrentPage = page;
    // The flags and the finishers belong to the chart: the graph page lies clear of them.
    if (page == PlaybackState::Track) {
        m_compass->show();
        m_flags->setVisible(m_flagsShown);
        if (m_score->hasLabels() && m_show.Playback.Finishers > 0)
            m_score->show();
        if (m_show.HasRace)
            m_frameTimer->start(FrameInterval);
        redrawView();
    } else {
        m_compass->hide();
        m_flags->hide();
        m_score->hide();
        m_hint->hideHint();
        showGraphPage();
    }
}

// ---- messages ------------------------------------------------------------------------------

void ViewerWindow::showNotice(const QString &text)
{
    m_notice->showNotice(text, m_map->height());
}

void ViewerWindow::reportProblems(const ReadProblems &problems)
{
    for (const ReadProblem &p : problems)
        std::fprintf(stderr, "%s\n", qPrintable(p.toString(m_show.language())));
}

void ViewerWindow::closeEvent(QCloseEvent *event)
{
    stopTimers();
    // The Google Earth file lives only as long as the show that wrote it.
    if (!m_show.KmlWritten.isEmpty() && QFile::exists(m_show.KmlWritten)) {
        QFile::remove(m_show.KmlWritten);
        m_services->beep();
    }
    event->accept();
}
