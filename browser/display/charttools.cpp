#include "charttools.h"

#include "chartinteraction.h"
#include "chartwidget.h"
#include "controlpanel.h"
#include "hoverhandler.h"
#include "layerdrawer.h"
#include "optionspanel.h"
#include "overviewwidget.h"
#include "racedisplaystate.h"
#include "replaydriver.h"
#include "timebarwidget.h"
#include "widgethelpers.h"

#include <appsettings.h>
#include <dialogs.h>
#include <racecontrol.h>
#include <racecontrolfile.h>

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

#include <cmath>
#include <optional>

using namespace display;

namespace {

const QColor ActiveButton(255, 255, 0); // an active editing button

std::optional<ChartButton> chartButton(const QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        return ChartButton::Left;
    if (event->button() == Qt::RightButton)
        return ChartButton::Right;
    return std::nullopt;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Line4

RubberBandLine::RubberBandLine(QWidget *chart) : QWidget(chart)
{
    setObjectName(QStringLiteral("Line4"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void RubberBandLine::setLine(const QLineF &line)
{
    m_line = line;
    const QRect box = QRectF(line.p1(), line.p2()).normalized().toAlignedRect().adjusted(-2, -2, 2, 2);
    setGeometry(box);
    update();
    show();
    raise();
}

void RubberBandLine::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(m_line.translated(-QPointF(pos())));
}

// ---------------------------------------------------------------------------------------------
// The part

ChartTools::ChartTools(RaceDisplayState &state, const ChartToolParts &parts, QObject *parent)
    : QObject(parent), m_state(state), m_parts(parts),
      m_interaction(std::make_unique<ChartInteraction>(state.race, state.view, state.editing))
{
    setObjectName(QStringLiteral("chartTools"));
    ChartWidget *chart = m_parts.chart;
    m_line4 = new RubberBandLine(chart);
    m_list1 = make<QListWidget>("List1", chart->Picture9);
    m_list1->setFocusPolicy(Qt::NoFocus);
    m_list1->setSelectionMode(QAbstractItemView::NoSelection);
    m_list1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list1->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    chart->Picture9->setFrameShape(QFrame::Box);
    chart->Picture9->setAutoFillBackground(true);
    chart->Command8->setFocusPolicy(Qt::NoFocus);
    chart->Text8->setAutoFillBackground(true);
    chart->Text8->setMargin(1);
    setBackgroundColour(chart->Text8, Qt::white);
    chart->Text8->setAttribute(Qt::WA_TransparentForMouseEvents);

    // The pictures hand on their mouse events after every event filter has seen them (the hover
    // handler's among them), so the hints shown here are the last word whatever the order the
    // filters were installed in.
    connect(chart, &CanvasPicture::mousePressed, this, &ChartTools::chartPressed);
    connect(chart, &CanvasPicture::mouseMoved, this, &ChartTools::chartMoved);
    connect(m_parts.overview, &CanvasPicture::mousePressed, this, &ChartTools::overviewPressed);
    m_windBox = m_parts.controls->Text3;
    m_parts.controls->Text3->installEventFilter(this);

    ControlPanel *c = m_parts.controls;
    m_face = c->Command2->palette();
    connect(c->Command2, &QPushButton::clicked, this, [this] { toggleMode(2); });
    connect(c->Command3, &QPushButton::clicked, this, [this] { toggleMode(3); });
    connect(c->Command5, &QPushButton::clicked, this, [this] { toggleMode(5); });
    connect(chart->Command8, &QPushButton::clicked, this, &ChartTools::clearCourse);
    connect(m_parts.options->check(2), &QCheckBox::toggled, this, &ChartTools::measuringToggled);
    connect(c->Text3, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (m_windEditable)
            windDirectionTyped(text);
    });
}

ChartTools::~ChartTools() = default;

void ChartTools::raceLoaded()
{
    m_state.editing.reset();
    m_line4->hide();
    m_parts.chart->Picture9->hide();
    m_parts.chart->Text8->hide();
    m_windEditable = false;
    m_parts.controls->Text3->setReadOnly(true);
    showModeButtons();
}

void ChartTools::setTracing(bool on)
{
    if (!on)
        return;
    ChartEditState &e = m_state.editing;
    if (e.CourseMode)
        m_state.legStats.invalidate();
    e.MarkMode = false;
    e.LineMode = LineStep::Off;
    e.CourseMode = false;
    m_line4->hide();
    m_parts.chart->Picture9->hide();
    showModeButtons();
}

bool ChartTools::eventFilter(QObject *watched, QEvent *event)
{
    // A click into the wind direction box allows typing a direction.
    if (watched == m_windBox && event->type() == QEvent::MouseButtonPress && m_state.loaded) {
        m_windEditable = true;
        m_parts.controls->Text3->setReadOnly(false);
    }
    return QObject::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------
// The chart

namespace {

ChartContext contextOf(const RaceDisplayState &s, const QWidget *chart, bool shift)
{
    ChartContext c;
    c.tracing = s.options.tracing;
    c.trackPage = s.isTrackPage();
    c.measuring = s.options.measuring;
    c.hints = s.options.hints;
    c.english = s.settings.isEnglish();
    c.shift = shift;
    c.scale = s.settings.Scale;
    c.title = s.caption;
    c.chartWidth = chart->width();
    c.chartHeight = chart->height();
    return c;
}

} // namespace

void ChartTools::chartPressed(QMouseEvent *event)
{
    const std::optional<ChartButton> button = chartButton(event);
    if (!m_state.loaded || !button)
        return;
    const QPointF p = event->position();
    const ChartContext context = contextOf(m_state, m_parts.chart, event->modifiers() & Qt::ShiftModifier);
    const ChartPressResult r = m_interaction->press(*button, p, context);
    if (r.refusal != EditRefusal::None)
        platform::dialogs().message(editRefusalMessage(r.refusal, context.english));

    switch (r.action) {
    case ChartAction::None:
    case ChartAction::MeasureOriginSet:
        break;
    case ChartAction::MeasureEnded:
        m_parts.options->check(2)->setChecked(false);
        break;
    case ChartAction::CourseEntryAdded:
        showCoursePanel();
        afterRaceChange(false);
        if (m_state.race.Course.Count() > 1)
            m_parts.controls->Option11->setEnabled(true);
        break;
    case ChartAction::Deleted:
        afterRaceChange(true);
        break;
    case ChartAction::MovedTo:
    case ChartAction::ShownAll:
    case ChartAction::Zoomed:
        m_parts.layers->fullRedraw();
        m_parts.replay->drawFrame();
        break;
    case ChartAction::MarkPlaced:
        afterRaceChange(false);
        break;
    case ChartAction::LineStarted:
        m_line4->setLine(QLineF(p, p));
        break;
    case ChartAction::LinePlaced:
        m_line4->hide();
        afterRaceChange(false);
        break;
    }
    showModeButtons();
}

void ChartTools::chartMoved(QMouseEvent *event)
{
    if (!m_state.loaded)
        return;
    m_state.frame.TimeBarHover = false;
    m_state.frame.HoverRow = -1;
    m_parts.chart->Text8->hide();
    const QPointF p = event->position();
    HoverHandler *hover = m_parts.hover;
    const ChartPointerReadout r = m_interaction->move(p, contextOf(m_state, m_parts.chart, false),
                                                      [hover](const QString &text) { return hover->textSize(text); });
    if (r.captionShown)
        m_parts.window->setWindowTitle(r.caption);
    if (r.hint.shown) {
        const QPoint topLeft = m_parts.chart->mapTo(m_parts.window, r.hint.rect.topLeft());
        hover->showBox(r.hint.text, QRect(topLeft, r.hint.rect.size()));
    } else {
        hover->hideBox();
    }
    if (r.rubberBandShown)
        m_line4->setLine(r.rubberBand);
    else
        m_line4->hide();
}

void ChartTools::overviewPressed(QMouseEvent *event)
{
    const std::optional<ChartButton> button = chartButton(event);
    if (!m_state.loaded || !button)
        return;
    const OverviewPressResult r = m_interaction->overviewPress(*button, event->position(), m_state.options.tracing,
                                                               m_state.settings.EditMode);
    if (r.action == OverviewPressResult::Recentred) {
        m_parts.layers->fullRedraw();
        m_parts.replay->drawFrame();
    } else if (r.action == OverviewPressResult::Turned) {
        // The box shows the new direction, open for typing; storing and drawing are those of
        // a typed direction.
        QLineEdit *box = m_parts.controls->Text3;
        m_windEditable = true;
        box->setReadOnly(false);
        {
            const QSignalBlocker quiet(box);
            box->setText(QString::number(r.upDirection));
        }
        windDirectionTyped(box->text());
    }
}

// ---------------------------------------------------------------------------------------------
// The editing buttons and the course panel

void ChartTools::toggleMode(int button)
{
    if (!m_state.loaded)
        return;
    bool outOfDate = false;
    if (button == 2)
        outOfDate = m_interaction->toggleMarkMode();
    else if (button == 3)
        outOfDate = m_interaction->toggleLineMode();
    else
        outOfDate = m_interaction->toggleCourseMode();
    if (outOfDate)
        m_state.legStats.invalidate();
    if (m_state.editing.CourseMode)
        showCoursePanel();
    else
        m_parts.chart->Picture9->hide();
    if (!m_state.editing.isLineMode())
        m_line4->hide();
    showModeButtons();
}

void ChartTools::showModeButtons()
{
    const ChartEditState &e = m_state.editing;
    ControlPanel *c = m_parts.controls;
    const std::pair<QPushButton *, bool> buttons[] = {
        {c->Command2, e.MarkMode}, {c->Command3, e.isLineMode()}, {c->Command5, e.CourseMode}};
    for (const auto &[b, active] : buttons) {
        if (active) {
            setBackgroundColour(b, ActiveButton);
        } else {
            b->setPalette(m_face);
            b->setAutoFillBackground(false);
        }
    }
    c->Command5->setEnabled(!m_state.options.tracing && isCourseSettable(m_state.race));
}

void ChartTools::showCoursePanel()
{
    const CourseOrder &course = m_state.race.Course;
    ChartWidget *chart = m_parts.chart;
    const int count = course.Count();
    int h = 12 * count;
    if (h < 10)
        h = 15;
    QFont f = chart->Picture9->font();
    f.setPointSizeF(9.0 * m_state.settings.Scale);
    for (QWidget *w : std::initializer_list<QWidget *>{chart->Label4, m_list1, chart->Command8})
        w->setFont(f);
    chart->Picture9->setGeometry(chart->width() - 100, 10, 90, h + 55);
    chart->Label4->setGeometry(8, 5, 97, 17);
    m_list1->setGeometry(5, 20, 75, 12 * count + 10);
    m_list1->clear();
    m_list1->addItems(courseListItems(course));
    chart->Command8->setGeometry(5, h + 30, 76, 17);
    chart->Picture9->show();
    chart->Picture9->raise();
}

void ChartTools::clearCourse()
{
    if (!m_state.loaded)
        return;
    ::clearCourse(m_state.race);
    showCoursePanel();
    afterRaceChange(false);
}

void ChartTools::measuringToggled(bool)
{
    // Ticked or unticked, measuring starts again from no origin.
    m_interaction->setMeasuring(m_state.options.measuring);
    m_line4->hide();
}

// ---------------------------------------------------------------------------------------------
// Changes

void ChartTools::save()
{
    // The writer derives the rotation from the orientation; the chart keeps the rotation it
    // shows until the orientation is chosen again.
    RaceControl &race = m_state.race;
    const double rotation = race.ChartRotation;
    WriteRaceControl(m_state.settings, race);
    race.ChartRotation = rotation;
}

void ChartTools::afterRaceChange(bool fullRedraw)
{
    RaceDisplayState &s = m_state;
    save();
    // The passings of the new geometry, before the marks layer, the rounding clock or the
    // finish panel show anything of them.
    s.legStats = LegStats();
    if (s.race.Course.Count() > 0)
        s.legStats.ComputeRoundingTimes(s.race, s.data);
    s.frame.resetFinishPanel();
    s.roundingClock = roundingClockAt(s.legStats.LeaderTime, s.legStats.analysedCount(), s.clock.Time);
    if (fullRedraw)
        m_parts.layers->fullRedraw();
    else
        m_parts.layers->drawMarks();
    m_parts.controls->Option11->setEnabled(s.race.hasAnalysis());
    m_parts.replay->drawFrame();
    emit raceChanged();
}

void ChartTools::windDirectionTyped(const QString &text)
{
    RaceDisplayState &s = m_state;
    if (!s.loaded)
        return;
    RaceControl &race = s.race;
    race.WindDirection = windDirectionFromText(text);
    race.ShownWindDirection = race.WindDirection;
    s.view.restoreUserZoom();
    m_parts.layers->drawChart();
    m_parts.layers->drawOverview();
    m_parts.layers->drawTimeMarks();
    m_parts.layers->drawMarks();
    emit windDirectionChanged();
    m_parts.timeBar->drawBar();
    m_parts.layers->drawWindIndicator(s.currentWind());
    // Viewing mode changes no file: the direction only turns what is shown.
    if (s.settings.EditMode)
        save();
}

// ---------------------------------------------------------------------------------------------
// The boat tag

void ChartTools::showBoatTag(int row, bool changed)
{
    RaceDisplayState &s = m_state;
    QLabel *tag = m_parts.chart->Text8;
    if (!s.loaded || !s.isTrackPage()) {
        tag->hide();
        return;
    }
    // The red ring of the hovered boat comes with the next frame; a stopped replay draws it now.
    if (changed && !m_parts.replay->isRunning())
        m_parts.replay->drawFrame();
    const QRectF symbol = m_parts.chart->symbolRect(row);
    if (row < 0 || row >= s.race.boatCount() || row >= s.frame.boats.size() || symbol.isEmpty()) {
        tag->hide();
        return;
    }
    const QString text = boatTagText(s.race.Boats[row].Name, s.frame.boats[row].Speed);
    const QSize textSize = tag->fontMetrics().size(0, text);
    const QSize size = QSize(textSize.width() + 6, 17).expandedTo(textSize + QSize(4, 2));
    tag->setText(text);
    setTextColour(tag, toQColor(s.race.Boats[row].colour));
    tag->setGeometry(QRect(boatTagPlace(symbol, size, s.view.ChartSize), size));
    tag->show();
    tag->raise();
}
