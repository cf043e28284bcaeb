#include "racedisplaywindow.h"

#include "boatfocus.h"
#include "canvaspicture.h"
#include "displaylayout.h"
#include "displaytexts.h"
#include "loadproblemnotice.h"
#include "racedisplaywindow_p.h"

#include <appfolder.h>
#include <appsettings.h>
#include <desktop.h>
#include <dialogs.h>
#include <opendocument.h>
#include <racecontrol.h>
#include <raceloader.h>
#include <saildata.h>
#include <seacolours.h>
#include <windfile.h>

#include <cmath>

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QWindow>

namespace {

template<typename T> T *make(const char *name, QWidget *parent)
{
    T *w = new T(parent);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QLineEdit *makeBox(const char *name, QWidget *parent, bool readOnly = true)
{
    QLineEdit *box = make<QLineEdit>(name, parent);
    box->setReadOnly(readOnly);
    return box;
}

QColor toQColor(Colour c)
{
    return QColor::fromRgb(QRgb(c));
}

void setBackgroundColour(QWidget *w, const QColor &c)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, c);
    pal.setColor(QPalette::Base, c);
    pal.setColor(QPalette::Button, c);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

// Places a row of widgets of one height at y, from left, each with its own width.
void placeRow(int y, int height, int left, std::initializer_list<std::pair<QWidget *, int>> items, int gap = 2)
{
    int x = left;
    for (const auto &[w, width] : items) {
        w->setGeometry(x, y, width, height);
        x += width + gap;
    }
}

// Where the pointer goes decides where the side panels are and what the hint box says. Also
// the clicks that plain widgets do not report: the list header, the web link, and the right
// button on a boat name.
class PanelHoverFilter : public QObject
{
public:
    PanelHoverFilter(RaceDisplayWindowPrivate *d, QObject *parent) : QObject(parent), d(d) {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        QWidget *w = qobject_cast<QWidget *>(watched);
        if (!w)
            return false;
        if (event->type() == QEvent::MouseButtonRelease) {
            auto *release = static_cast<QMouseEvent *>(event);
            if (w == d->Label5 && release->button() == Qt::LeftButton) {
                d->focusAll();
            } else if (w == d->Label1 && release->button() == Qt::LeftButton) {
                OpenDocument(makerWebAddress());
            } else if (w->objectName() == QLatin1String("Bnam") && release->button() == Qt::RightButton) {
                d->focusChanged(w->property("index").toInt(), true);
                return true;
            }
        } else if (event->type() == QEvent::Enter) {
            d->hoverOver(w);
        } else if (event->type() == QEvent::MouseMove) {
            // Moves over a child without mouse tracking arrive here: find the child itself.
            auto *move = static_cast<QMouseEvent *>(event);
            QWidget *child = w->childAt(move->position().toPoint());
            d->hoverOver(child ? child : w);
        }
        return false;
    }

private:
    RaceDisplayWindowPrivate *d;
};

} // namespace

RaceDisplayWindowPrivate::RaceDisplayWindowPrivate(RaceDisplayWindow *q, AppSettings &settings,
                                                   RaceControl &race)
    : q(q), settings(settings), race(race)
{
}

// ---------------------------------------------------------------------------------------------
// Controls

void RaceDisplayWindowPrivate::buildControls()
{
    q->setObjectName(QStringLiteral("frmRace"));

    Text7 = make<QLabel>("Text7", q);
    Picture1 = new CanvasPicture(QStringLiteral("Picture1"), q);
    Picture1->setBackground(toQColor(settings.SeaColour));
    PicTimeBar = new CanvasPicture(QStringLiteral("PicTimeBar"), q);
    PicTimeBar->setBackground(Qt::white);

    // Pieces the replay lays over the chart; hidden until it needs them.
    Text4 = makeBox("Text4", Picture1);
    Text4->setAlignment(Qt::AlignCenter);
    Text4->hide();
    Text8 = make<QLabel>("Text8", Picture1);
    Text8->hide();
    Picture9 = make<QFrame>("Picture9", Picture1);
    Picture9->hide();
    Label4 = make<QLabel>("Label4", Picture9);
    Label4->setGeometry(8, 5, 97, 17);
    Command8 = make<QPushButton>("Command8", Picture9);
    hoverFilter = new PanelHoverFilter(this, q);
    for (const char *name : {"Position", "Blue_P", "Seven"}) {
        QWidget *w = make<QFrame>(name, Picture1);
        w->hide();
    }

    buildRightPanel();

    Picture8->setProperty("boatList", true);
    Label5->setProperty("boatList", true);
    q->setMouseTracking(true);
    for (QWidget *w : q->findChildren<QWidget *>()) {
        if (w == Text7)
            continue;
        w->installEventFilter(hoverFilter);
        if (qobject_cast<QFrame *>(w) || qobject_cast<QGroupBox *>(w) || w == controlColumn)
            w->setMouseTracking(true);
    }
    q->installEventFilter(hoverFilter);

    // The hint box floats above everything else of the window.
    Text7->setAttribute(Qt::WA_TransparentForMouseEvents);
    Text7->setStyleSheet(QStringLiteral("QLabel { background-color: rgb(255, 255, 192); color: black; border: 1px solid gray; }"));
    Text7->setAutoFillBackground(true);
    setBackgroundColour(Text7, QColor(255, 255, 192));
    Text7->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Text7->setMargin(1);
    Text7->hide();
}

void RaceDisplayWindowPrivate::buildRightPanel()
{
    Picture5 = make<QFrame>("Picture5", q);

    Picture6 = new CanvasPicture(QStringLiteral("Picture6"), Picture5);
    Picture2 = new CanvasPicture(QStringLiteral("Picture2"), Picture5);
    Text13 = makeBox("Text13", Picture5);
    Text14 = makeBox("Text14", Picture5);
    for (QLineEdit *box : {Text13, Text14})
        box->setAlignment(Qt::AlignCenter);
    Text15 = makeBox("Text15", Picture5);
    Text15->setAlignment(Qt::AlignCenter);
    sWind = new CanvasPicture(QStringLiteral("sWind"), Picture5);
    sWind->hide();

    Picture8 = new CanvasPicture(QStringLiteral("Picture8"), Picture5);
    Picture8->setBackground(QColor(224, 224, 224));
    Label5 = make<QLabel>("Label5", Picture8);

    Picture7 = make<QFrame>("Picture7", Picture5);
    // Opaque: a long boat list runs on behind it.
    Picture7->setAutoFillBackground(true);
    buildLowerPanel();

    controlColumn = new QWidget(Picture5);
    buildControlColumn(controlColumn);
}

void RaceDisplayWindowPrivate::buildLowerPanel()
{
    for (int i = 1; i <= 10; ++i) {
        QCheckBox *box = new QCheckBox(Picture7);
        box->setObjectName(QStringLiteral("Check%1").arg(i));
        checks.append(box);
    }
    for (int i = 1; i <= 6; ++i) {
        QPushButton *b = new QPushButton(Picture7);
        b->setObjectName(QStringLiteral("BCOL%1").arg(i));
        b->setFlat(true);
        b->setAutoFillBackground(true);
        seaButtons.append(b);
    }
    btnHATENA = make<QPushButton>("btnHATENA", Picture7);
    Label1 = make<QLabel>("Label1", Picture7);
    Label1->setCursor(Qt::PointingHandCursor);
    Label1->setWordWrap(true);

    // Two columns of options, the colours under them, help and link at the bottom.
    const int rowH = 20;
    for (int i = 0; i < 10; ++i)
        checks[i]->setGeometry(5 + (i % 2) * 130, 4 + (i / 2) * rowH, 126, rowH);
    const int colourTop = 4 + 5 * rowH + 6;
    for (int i = 0; i < 6; ++i)
        seaButtons[i]->setGeometry(5 + i * 42, colourTop, 38, 22);
    btnHATENA->setGeometry(5, colourTop + 30, 26, 24);
    Label1->setGeometry(36, colourTop + 26, 230, 32);
}

void RaceDisplayWindowPrivate::buildControlColumn(QWidget *column)
{
    const int w = 174;
    int y = 0;
    Text1 = makeBox("Text1", column);
    Text1->setGeometry(0, y, w, 20);
    y += 22;
    Text11 = makeBox("Text11", column);
    Text11->setGeometry(0, y, w, 20);
    y += 24;

    Frame3 = make<QGroupBox>("Frame3", column);
    Frame3->setGeometry(0, y, w, 88);
    Option6 = make<QRadioButton>("Option6", Frame3);
    Option7 = make<QRadioButton>("Option7", Frame3);
    Option8 = make<QRadioButton>("Option8", Frame3);
    placeRow(18, 20, 4, {{Option6, 52}, {Option7, 58}, {Option8, 58}}, 0);
    Command6 = make<QPushButton>("Command6", Frame3);
    Command7 = make<QPushButton>("Command7", Frame3);
    placeRow(40, 20, 4, {{Command7, 30}, {Command6, 30}});
    Text2 = makeBox("Text2", Frame3);
    Text2->setGeometry(70, 40, w - 74, 20);
    HScroll1 = make<QScrollBar>("HScroll1", Frame3);
    HScroll1->setOrientation(Qt::Horizontal);
    HScroll1->setRange(1, 19);
    HScroll1->setValue(5);
    HScroll1->setGeometry(4, 66, w - 8, 16);
    Option6->setChecked(true);
    y += 92;

    Picture12 = make<QFrame>("Picture12", column);
    Picture12->setGeometry(0, y, w, 40);
    Label7 = make<QLabel>("Label7", Picture12);
    Label7->setGeometry(4, 2, w - 8, 16);
    HScroll2 = make<QScrollBar>("HScroll2", Picture12);
    HScroll2->setOrientation(Qt::Horizontal);
    HScroll2->setRange(10, 100);
    HScroll2->setValue(100);
    HScroll2->setGeometry(4, 20, w - 8, 16);
    Picture12->hide();
    y += 44;

    Frame1 = make<QGroupBox>("Frame1", column);
    Frame1->setGeometry(0, y, w, 44);
    Option2 = make<QRadioButton>("Option2", Frame1);
    Option3 = make<QRadioButton>("Option3", Frame1);
    placeRow(18, 20, 4, {{Option2, 80}, {Option3, 86}}, 0);
    y += 48;

    Frame4 = make<QGroupBox>("Frame4", column);
    Frame4->setGeometry(0, y, w, 44);
    Option9 = make<QRadioButton>("Option9", Frame4);
    Option10 = make<QRadioButton>("Option10", Frame4);
    Option11 = make<QRadioButton>("Option11", Frame4);
    placeRow(18, 20, 4, {{Option9, 54}, {Option10, 58}, {Option11, 56}}, 0);
    Option9->setChecked(true);
    y += 46;

    // The graph page's choice of graph; it only matters there.
    graphChoice = new QFrame(column);
    graphChoice->setGeometry(0, y, w, 22);
    Option1 = make<QRadioButton>("Option1", graphChoice);
    Option4 = make<QRadioButton>("Option4", graphChoice);
    Option5 = make<QRadioButton>("Option5", graphChoice);
    Option12 = make<QRadioButton>("Option12", graphChoice);
    placeRow(0, 20, 0, {{Option1, 40}, {Option4, 40}, {Option5, 40}, {Option12, 40}}, 0);
    Option1->setChecked(true);
    graphChoice->hide();
    y += 24;

    Text3 = makeBox("Text3", column);
    Text3->setGeometry(0, y, 60, 20);
    y += 26;

    Command2 = make<QPushButton>("Command2", column);
    Command3 = make<QPushButton>("Command3", column);
    Command5 = make<QPushButton>("Command5", column);
    for (QPushButton *b : {Command2, Command3, Command5}) {
        b->setGeometry(0, y, w, 22);
        y += 24;
    }
    y += 4;

    Label6 = make<QLabel>("Label6", column);
    Label6->setGeometry(0, y, w, 16);
    y += 16;
    Combo1 = make<QComboBox>("Combo1", column);
    Combo1->setGeometry(0, y, w, 22);
    y += 24;
    Command9 = make<QPushButton>("Command9", column);
    Command9->setGeometry(0, y, w, 22);
    y += 28;

    Label2 = make<QLabel>("Label2", column);
    Label2->setGeometry(0, y, w, 16);
    y += 16;
    Text9 = makeBox("Text9", column, false);
    Text9->setGeometry(0, y, w, 20);
    y += 22;
    Label3 = make<QLabel>("Label3", column);
    Label3->setGeometry(0, y, w, 16);
    y += 16;
    Text10 = makeBox("Text10", column, false);
    Text10->setGeometry(0, y, w, 20);
    y += 22;
    Command4 = make<QPushButton>("Command4", column);
    Command4->setGeometry(0, y, w, 22);
    y += 28;

    Command10 = make<QPushButton>("Command10", column);
    Command13 = make<QPushButton>("Command13", column);
    Command12 = make<QPushButton>("Command12", column);
    for (QPushButton *b : {Command10, Command13}) {
        b->setGeometry(0, y, w, 22);
        y += 24;
    }
    Command12->setGeometry(0, y, w, 22);
    Command12->hide(); // placed on the graph page only
    y += 28;
    Command1 = make<QPushButton>("Command1", column);
    Command1->setGeometry(0, y, w, 24);
    Command11 = make<QPushButton>("Command11", column);
    Command11->setGeometry(0, y, w, 24);
    Command11->hide();
}

void RaceDisplayWindowPrivate::applyFonts()
{
    // The design fonts are Windows fonts; the families after them are what a Linux desktop
    // has that draws the same Japanese text.
    QFont font = q->font();
    font.setFamilies({settings.UiFontName, QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
                      QStringLiteral("Noto Sans CJK JP"), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(12);
    q->setFont(font);
    QFont small = font;
    small.setPixelSize(11);
    Picture8->setFont(small);
    Text7->setFont(small);
}

void RaceDisplayWindowPrivate::applyCaptions()
{
    const bool english = settings.isEnglish();
    for (const ControlCaption &c : raceDisplayCaptions()) {
        const QString text = english ? c.english : c.japanese;
        QWidget *w = q->findChild<QWidget *>(c.objectName);
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
    Text2->setText(english ? QStringLiteral("%1 x spd").arg(5) : QStringLiteral("%1倍速").arg(5));
}

void RaceDisplayWindowPrivate::coverScreen()
{
    QScreen *screen = q->screen() ? q->screen() : QGuiApplication::primaryScreen();
    if (screen)
        q->setGeometry(screen->availableGeometry());
    q->setWindowState(q->windowState() | Qt::WindowMaximized);
}

void RaceDisplayWindowPrivate::applyLayout()
{
    const RaceDisplayLayout l = layoutRaceDisplay(q->size(), race.boatCount(), settings.Scale);
    Picture1->setGeometry(l.chart);
    PicTimeBar->setGeometry(l.timeBar);
    Picture5->setGeometry(l.panel);
    Picture6->setGeometry(l.overview);
    Picture2->setGeometry(l.windIndicator);
    Text13->setGeometry(l.windDirection);
    Text14->setGeometry(l.windSpeed);
    Text15->setGeometry(l.sizeBox);
    sWind->setGeometry(l.windIndicator.left() - 120, l.windIndicator.bottom() + 1, 190, 120);
    Picture8->setGeometry(l.boatList);
    Label5->setGeometry(0, 0, l.boatList.width(), BoatRowTop - 2);
    Picture7->setGeometry(l.lowerPanel);
    controlColumn->setGeometry(l.controls);
    // A long list runs on behind the lower panel until the pointer raises it.
    Picture7->raise();
    view.setChartSize(Picture1->width(), Picture1->height());
}

// ---------------------------------------------------------------------------------------------
// Display options

void RaceDisplayWindowPrivate::connectOptions()
{
    QObject::connect(checks[2], &QCheckBox::toggled, q, [this](bool on) { hintMode = on ? 1 : 0; });
    QObject::connect(checks[0], &QCheckBox::clicked, q, [this](bool on) {
        if (!loaded)
            return;
        if (on) {
            drawTimeMarks();
        } else {
            view.restoreUserZoom();
            drawChart();
            drawMarks();
        }
    });
    QObject::connect(checks[5], &QCheckBox::clicked, q, [this](bool on) {
        tracksShown = on ? 1 : 0;
        if (loaded)
            fullRedraw();
    });
    QObject::connect(checks[6], &QCheckBox::clicked, q, [this] {
        if (loaded)
            fullRedraw();
    });
    QObject::connect(checks[7], &QCheckBox::clicked, q, [this](bool on) {
        if (!loaded)
            return;
        if (!on)
            drawChart();
        drawMarks();
    });
    for (int i = 0; i < seaButtons.size(); ++i)
        QObject::connect(seaButtons[i], &QPushButton::clicked, q, [this, i] { chooseSeaColour(i + 1); });
    // The right button on the darkest sea also exports the sail data (a coach's shortcut).
    seaButtons[5]->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(seaButtons[5], &QWidget::customContextMenuRequested, q, [this] {
        chooseSeaColour(6);
        if (loaded && ExportSailData(settings, race, data, legStats))
            platform::beep();
    });
    // toggled, not clicked: the replay switches tracing on by ticking the box itself.
    QObject::connect(checks[4], &QCheckBox::toggled, q, [this](bool on) { setTracing(on); });
    QObject::connect(HScroll2, &QScrollBar::valueChanged, q, [this](int v) { view.TraceZoom = v / 100.0; });
    QObject::connect(Picture2, &CanvasPicture::mousePressed, q, [this] { toggleWindGraph(); });
    QObject::connect(sWind, &CanvasPicture::mousePressed, q, [this] { toggleWindGraph(); });
    // The orientation follows the release of the mouse on its option, as the design had it.
    QObject::connect(Option2, &QRadioButton::clicked, q, [this] { setNorthUp(true); });
    QObject::connect(Option3, &QRadioButton::clicked, q, [this] { setNorthUp(false); });
    QObject::connect(btnHATENA, &QPushButton::clicked, q, [this] {
        OpenDocument(platform::resolvePath(settings.ApplicationFolder,
                                           settings.text(QStringLiteral("\\help-e\\index.html"),
                                                         QStringLiteral("\\help\\index.html"))));
    });
}

void RaceDisplayWindowPrivate::setTracing(bool on)
{
    // While the chart follows the fleet, nothing can be placed on it and the layers that
    // belong to a fixed view are off; the names of all boats become available instead.
    for (QWidget *w : std::initializer_list<QWidget *>{Command2, Command3, Command5, checks[0], checks[1],
                                                       checks[5], checks[6]})
        w->setEnabled(!on);
    if (on)
        checks[1]->setChecked(false);
    Command5->setEnabled(!on && race.markCount() + race.lineCount() >= 2);
    checks[8]->setEnabled(on);
    Picture12->setVisible(on);
    if (!loaded)
        return;
    if (on) {
        // The replay's next tick fits the view to the focused boats and draws the chart.
        Picture1->clear();
        drawMarks();
    } else {
        view.restoreUserZoom();
        fullRedraw();
        q->setWindowTitle(caption);
    }
}

void RaceDisplayWindowPrivate::chooseSeaColour(int button)
{
    const ChartColours colours = ApplySeaColour(settings, button);
    seaColourButtonNumber = button;
    const QColor sea = toQColor(colours.background);
    for (CanvasPicture *p : {Picture1, Picture2, Picture6})
        p->setBackground(sea);
    setBackgroundColour(Picture12, sea);
    setBackgroundColour(Text15, sea);
    for (BoatRowControls &row : rows)
        row.symbol->setBackground(sea);
    QPalette zoom = Label7->palette();
    zoom.setColor(QPalette::WindowText, toQColor(colours.foreground));
    Label7->setPalette(zoom);
    if (!loaded)
        return;
    drawOverview();
    drawWindIndicator(currentWind());
    // While tracing the next tick redraws the chart.
    if (!checks[4]->isChecked())
        fullRedraw();
}

void RaceDisplayWindowPrivate::toggleWindGraph()
{
    windGraphShown = !windGraphShown;
    showWindGraph();
}

void RaceDisplayWindowPrivate::showWindGraph()
{
    // Without wind data, or before a wind graph is drawn, there is nothing to show (an empty
    // box would only hide the read-outs); the flag keeps the user's choice.
    const bool show = windGraphShown && data.hasWind() && windGraphDrawn;
    if (show) {
        sWind->move(Picture2->x() + Picture2->width() - sWind->width(), Picture2->y() + Picture2->height());
        sWind->raise();
    }
    sWind->setVisible(show);
}

void RaceDisplayWindowPrivate::setNorthUp(bool northUp)
{
    race.ChartRotation = northUp ? 0.0 : double(race.WindDirection);
    race.NorthUp = northUp ? 1 : 0;
    checks[3]->setEnabled(!northUp);
    if (!loaded)
        return;
    drawChart();
    drawMarks();
    drawOverview();
    drawWindIndicator(currentWind());
}

void RaceDisplayWindowPrivate::focusChanged(int clickedRow, bool only)
{
    QVector<bool> focused, marked;
    for (const BoatRowControls &row : std::as_const(rows)) {
        focused << row.name->isChecked();
        marked << row.mark->isChecked();
    }
    focused = settleFocus(focused, marked, only ? clickedRow : -1);
    for (int i = 0; i < rows.size(); ++i)
        rows[i].name->setChecked(focused[i]);
    if (loaded && Option9->isChecked())
        fullRedraw();
}

void RaceDisplayWindowPrivate::focusAll()
{
    for (BoatRowControls &row : rows)
        row.name->setChecked(true);
    if (Option9->isChecked())
        HScroll2->setValue(100);
    if (loaded && Option9->isChecked())
        fullRedraw();
}

void RaceDisplayWindowPrivate::hoverOver(QWidget *w)
{
    bool overList = false;
    for (QWidget *p = w; p && p != q; p = p->parentWidget())
        overList = overList || p->property("boatList").toBool();
    if (overList && !listRaised) {
        // The first move only raises the list: the row under the pointer may move away.
        raiseBoatList();
        Text7->hide();
        return;
    }
    if (!overList)
        restPanels();
    const QString name = w->objectName();
    hoverRow = name == QLatin1String("Bnam") || name == QLatin1String("Maru") ? w->property("index").toInt() : -1;

    HintState state;
    state.english = settings.isEnglish();
    state.hintsOn = hintMode == 1;
    state.tracing = checks[4]->isChecked();
    state.editMode = settings.EditMode;
    state.hasRaceFile = !race.FileName.isEmpty();
    for (QWidget *p = w; p && p != q; p = p->parentWidget()) {
        if (p == Text7)
            return;
        if (const std::optional<HintText> hint = raceDisplayHint(p->objectName(), state)) {
            showHint(p, *hint);
            return;
        }
    }
    Text7->hide();
}

void RaceDisplayWindowPrivate::showHint(QWidget *control, const HintText &hint)
{
    // The boxes were sized for the design fonts; where the fonts at hand are larger the box
    // grows, so that no line of a hint is cut off.
    const QSize design(int(hint.size.width() * settings.Scale + 0.5f), int(hint.size.height() * settings.Scale + 0.5f));
    const QSize text = QFontMetrics(Text7->font()).boundingRect(QRect(0, 0, 2000, 2000), Qt::AlignLeft, hint.text).size();
    const QSize size = design.expandedTo(text + QSize(6, 4));
    const QRect c(control->mapTo(q, QPoint(0, 0)), control->size());
    int x = Picture5->x() + 10;
    int y = c.top() - 5 - size.height();
    if (y < 0)
        y = c.bottom() + 6;
    x = std::max(0, std::min(x, q->width() - size.width()));
    Text7->setText(hint.text);
    Text7->setGeometry(x, y, size.width(), size.height());
    Text7->show();
    Text7->raise();
}

void RaceDisplayWindowPrivate::raiseBoatList()
{
    if (listRaised)
        return;
    listRaised = true;
    const int top = boatListRaisedTop(Picture1->height(), race.boatCount());
    Picture8->move(0, top);
    Picture8->raise();
    // Raised to the top, the list covers the lower panel's place too.
    if (top < BoatListRestTop)
        Picture7->hide();
}

void RaceDisplayWindowPrivate::restPanels()
{
    if (!listRaised)
        return;
    listRaised = false;
    Picture8->move(0, BoatListRestTop);
    Picture7->show();
    Picture7->raise();
    Text8->hide();
}

// ---------------------------------------------------------------------------------------------
// Steps of the load

void RaceDisplayWindowPrivate::applySeaColours()
{
    for (int i = 0; i < seaButtons.size(); ++i)
        setBackgroundColour(seaButtons[i], toQColor(SeaColourButtons[size_t(i)]));
    seaColourButtonNumber = 1;
    settings.SeaColour = SeaColourButtons[0];
    const QColor sea = toQColor(settings.SeaColour);
    for (CanvasPicture *p : {Picture1, Picture2, Picture6})
        p->setBackground(sea);
    setBackgroundColour(Picture12, sea);
    setBackgroundColour(Text15, sea);
    QPalette zoom = Label7->palette();
    zoom.setColor(QPalette::WindowText, toQColor(chartForeground(settings.SeaColour)));
    Label7->setPalette(zoom);
}

void RaceDisplayWindowPrivate::resetControls()
{
    HScroll2->setValue(100);
    Picture12->hide();
    PicTimeBar->hide();
    sWind->hide();
    Option9->setChecked(true);
    graphChoice->hide();

    const bool viewing = !settings.EditMode;
    for (QPushButton *b : {Command2, Command3, Command5, Command4})
        b->setVisible(!viewing);
    Text9->setReadOnly(viewing);
    Text10->setReadOnly(viewing);
    Label6->setVisible(viewing);
    Combo1->setVisible(viewing);
    Command9->setVisible(viewing);
    if (viewing) {
        Combo1->clear();
        Combo1->addItems(platform::listFiles(settings.ApplicationFolder, QStringLiteral("\\raceadmin\\*.txt")));
        Combo1->setEditable(true);
        Combo1->setEditText(race.FileName);
    }

    Command5->setEnabled(race.markCount() + race.lineCount() >= 2);
    Option12->setEnabled(race.hasAnalysis());
    Command13->setEnabled(!race.Attachments.isEmpty());
}

void RaceDisplayWindowPrivate::showProgress(int done, int total, const QString &line1, const QString &line2)
{
    const int units = progressBarUnits(done, total);
    if (splash.isShown && splash.isShown() && splash.progress) {
        splash.progress(line1, line2, units);
        return;
    }
    // No splash: the text box and bar go on the chart, which the chart redraw clears later.
    progressOnChart = true;
    Picture1->clear();
    const ProgressGeometry g = chartProgressGeometry(Picture1->height(), done, total);
    QPainter p(&Picture1->canvas());
    p.fillRect(g.text, Qt::white);
    p.setPen(Qt::black);
    p.setFont(q->font());
    p.drawText(g.text.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter, line1 + QLatin1Char('\n') + line2);
    p.fillRect(g.bar, QColor(0, 0, 255));
    p.end();
    Picture1->flush({}, true);
}

void RaceDisplayWindowPrivate::hideProgress()
{
    if (progressOnChart) {
        progressOnChart = false;
        Picture1->clear();
        Picture1->flush();
    }
}

void RaceDisplayWindowPrivate::removeBoatList()
{
    for (BoatRowControls &row : rows) {
        for (QWidget *w : std::initializer_list<QWidget *>{row.name, row.speed, row.twa, row.mark,
                                                           row.symbol, row.marker, row.bar})
            delete w;
    }
    rows.clear();
    boatListBuilt = false;
    hoverRow = -1;
}

void RaceDisplayWindowPrivate::buildBoatList()
{
    if (boatListBuilt)
        return;
    removeBoatList();
    const QColor sea = toQColor(settings.SeaColour);
    QPalette listPalette = Picture8->palette();
    listPalette.setColor(QPalette::Base, Picture8->background());
    for (int i = 0; i < race.boatCount(); ++i) {
        const BoatEntry &boat = race.Boats[i];
        const QColor colour = toQColor(boat.colour);
        BoatRowControls row;
        const int top = boatRowTop(i);
        row.name = make<QCheckBox>("Bnam", Picture8);
        row.name->setProperty("index", i);
        row.name->setText(boat.Name);
        row.name->setChecked(true);
        row.name->setGeometry(BoatNameLeft, top, BoatNameWidth, BoatRowPitch);
        row.name->setStyleSheet(QStringLiteral("QCheckBox { background-color: %1; color: white; }")
                                    .arg(colour.name()));
        row.speed = makeBox("Text5", Picture8);
        row.speed->setProperty("index", i);
        row.speed->setGeometry(BoatSpeedLeft, top, BoatSpeedWidth, BoatRowPitch);
        row.speed->setFrame(false);
        row.speed->setAlignment(Qt::AlignRight);
        row.speed->setPalette(listPalette);
        row.twa = makeBox("Text6", Picture8);
        row.twa->setProperty("index", i);
        row.twa->setGeometry(BoatTwaLeft, top, BoatTwaWidth, BoatRowPitch);
        row.twa->setFrame(false);
        row.twa->setAlignment(Qt::AlignRight);
        row.twa->setPalette(listPalette);
        row.mark = make<QCheckBox>("Maru", Picture8);
        row.mark->setProperty("index", i);
        row.mark->setGeometry(BoatMarkLeft, top, BoatMarkWidth, BoatRowPitch);

        row.symbol = new CanvasPicture(QStringLiteral("Boat"), Picture1);
        row.symbol->setProperty("index", i);
        row.symbol->setBackground(sea);
        row.symbol->resize(15, 15);
        row.symbol->hide();
        row.marker = make<QFrame>("BoatS", Picture6);
        row.marker->setProperty("index", i);
        row.marker->resize(7, 7);
        row.marker->setStyleSheet(QStringLiteral("QFrame { background-color: %1; border: 1px solid white; }")
                                      .arg(colour.name()));
        row.marker->hide();
        row.bar = make<QFrame>("Bar", Picture1);
        row.bar->setProperty("index", i);
        row.bar->hide();
        QObject::connect(row.name, &QCheckBox::clicked, q, [this, i] { focusChanged(i, false); });
        QObject::connect(row.mark, &QCheckBox::clicked, q, [this, i] { focusChanged(i, false); });
        for (QWidget *w : std::initializer_list<QWidget *>{row.name, row.speed, row.twa, row.mark}) {
            w->setProperty("boatList", true);
            w->installEventFilter(hoverFilter);
            w->show();
        }
        rows.append(row);
    }
    boatListBuilt = true;
}

void RaceDisplayWindowPrivate::fillTimeBoxes()
{
    Text9->setText(race.StartTime.toString());
    Text10->setText(race.FinishTime.toString());
}

void RaceDisplayWindowPrivate::showOrientation()
{
    Text3->setText(QString::number(double(race.WindDirection)));
    const bool northUp = race.NorthUp > 0;
    (northUp ? Option2 : Option3)->setChecked(true);
    checks[3]->setEnabled(!northUp);
}

void RaceDisplayWindowPrivate::showWindPresence()
{
    const bool wind = data.hasWind();
    Text13->setVisible(wind);
    Text14->setVisible(wind);
    showWindGraph();
}

// ---------------------------------------------------------------------------------------------
// Drawing: the chart layers paint, the window hands them its pictures and options.

ChartOptions RaceDisplayWindowPrivate::chartOptions() const
{
    ChartOptions o;
    o.colours = seaColourButton(seaColourButtonNumber);
    o.colours.background = settings.SeaColour;
    o.scale = settings.Scale;
    o.language = settings.Language;
    o.mapShown = checks[6]->isChecked();
    o.tracing = checks[4]->isChecked();
    o.tracksShown = tracksShown != 0;
    o.layLinesShown = checks[7]->isChecked();
    o.timeMarksShown = checks[0]->isChecked();
    o.focused.resize(race.boatCount());
    for (int i = 0; i < race.boatCount(); ++i)
        o.focused[i] = i >= rows.size() || rows[i].name->isChecked();
    o.periodStart = data.ReplayStart;
    o.periodEnd = data.ReplayEnd;
    return o;
}

void RaceDisplayWindowPrivate::drawChart()
{
    view.ChartRotation = race.ChartRotation;
    QPainter p(&Picture1->canvas());
    DrawChart(p, Picture1->size(), view, race, data, chartOptions(), settings.UiFontName);
    p.end();
    q->setWindowTitle(caption);
    Picture1->flush();
}

void RaceDisplayWindowPrivate::drawTimeMarks()
{
    QPainter p(&Picture1->canvas());
    DrawTimeMarks(p, view, race, data, chartOptions());
    p.end();
    Picture1->flush();
}

void RaceDisplayWindowPrivate::drawMarks()
{
    view.ChartRotation = race.ChartRotation;
    QPainter p(&Picture1->canvas());
    DrawMarks(p, Picture1->size(), view, race, data, chartOptions(), settings.UiFontName);
    p.end();
    Picture1->flush();
}

void RaceDisplayWindowPrivate::fullRedraw()
{
    drawChart();
    drawTimeMarks();
    drawMarks();
}

void RaceDisplayWindowPrivate::drawOverview()
{
    view.ChartRotation = race.ChartRotation;
    QPainter p(&Picture6->canvas());
    DrawOverview(p, Picture6->size(), view, race, data, chartOptions());
    p.end();
    Picture6->flush();
}

void RaceDisplayWindowPrivate::drawWindIndicator(const WindReading &wind)
{
    QPainter p(&Picture2->canvas());
    const WindIndicatorScene scene =
        DrawWindIndicator(p, Picture2->size(), race.ChartRotation, wind, settings.SeaColour);
    p.end();
    Text13->setText(scene.directionText);
    Text14->setText(scene.speedText);
    Picture2->flush();
}

// ---------------------------------------------------------------------------------------------
// Lifecycle

namespace {

// The window's side of a load: the steps LoadRace leaves to the race display.
class WindowLoadObserver : public LoadObserver
{
public:
    explicit WindowLoadObserver(RaceDisplayWindowPrivate *d) : d(d) {}

    void loadStarting() override { d->applySeaColours(); }
    void raceRead(const RaceControl &, const QString &caption) override
    {
        d->caption = caption;
        d->q->setWindowTitle(caption);
        d->resetControls();
    }
    void trackProgress(const LoadProgress &p) override
    {
        d->showProgress(p.boat, p.boatCount, p.line1, p.line2);
    }
    void tracksLoaded() override { d->hideProgress(); }
    void timesKnown(const RaceControl &) override { d->fillTimeBoxes(); }
    void layoutWindow(const RaceControl &race, const RaceData &data) override
    {
        d->applyLayout();
        d->buildBoatList();
        d->view.resetForRace(data.Extent, race.ChartRotation, d->Picture1->height());
        d->view.setChartSize(d->Picture1->width(), d->Picture1->height());
    }
    void drawChart(const RaceControl &, const RaceData &) override
    {
        d->fullRedraw();
        d->drawOverview();
        d->PicTimeBar->clear();
        d->PicTimeBar->show();
        d->showOrientation();
    }
    void raceLoaded(const RaceControl &race, const RaceData &data) override
    {
        d->legStats = LegStats();
        if (race.Course.Count() > 0)
            d->legStats.ComputeRoundingTimes(race, data);
        d->replayTime = -(race.PreStartSeconds + 20.0);
        d->windSearch = WindSearch();
        d->drawWindIndicator(d->windAtReplayTime());
        d->showWindPresence();
    }

private:
    RaceDisplayWindowPrivate *d;
};

} // namespace

WindReading RaceDisplayWindowPrivate::currentWind() const
{
    WindReading wind;
    wind.hasWind = data.hasWind() && !race.WindFile.isEmpty();
    wind.shownDirection = race.ShownWindDirection;
    wind.shownSpeed = race.ShownWindSpeed;
    double file = std::fmod(race.ShownWindDirection - race.MagneticVariation, 360.0);
    wind.fileDirection = file < 0 ? file + 360.0 : file;
    return wind;
}

WindReading RaceDisplayWindowPrivate::windAtReplayTime()
{
    WindReading wind;
    wind.hasWind = !race.WindFile.isEmpty() && WindAt(race, data.Wind, replayTime, true, windSearch);
    wind.shownDirection = race.ShownWindDirection;
    wind.shownSpeed = race.ShownWindSpeed;
    if (wind.hasWind) {
        // The read-out shows the direction as the wind file has it, before the variation.
        double file = std::fmod(race.ShownWindDirection - race.MagneticVariation, 360.0);
        if (file < 0)
            file += 360.0;
        wind.fileDirection = file;
    }
    return wind;
}

bool RaceDisplayWindowPrivate::runLoad()
{
    WindowLoadObserver observer(this);
    const LoadResult result = LoadRace(settings, race, data, &observer);
    // What the files held that could not be read, once per load, without stopping the replay.
    // A race that could not be loaded at all has had its message already.
    LoadProblemNotice::showFor(q, result.ok ? result.problems : FileProblems(), settings);
    if (!result.ok) {
        // Nothing to show (no race at all, or a file that cannot be read): the window stays
        // usable, and in viewing mode its race list offers the races there are.
        hideProgress();
        resetControls();
        Picture1->clear();
        Picture1->flush();
    }
    return result.ok;
}

void RaceDisplayWindowPrivate::showChosenRace()
{
    const QString chosen = Combo1->currentText().trimmed();
    if (chosen.isEmpty())
        return;
    if (chosen == race.FileName) {
        platform::dialogs().message(settings.text(QStringLiteral("Choose Other File"),
                                                  QStringLiteral("既に表示されています")));
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    removeBoatList();
    race.FileName = chosen;
    settings.SingleTrackFile.clear();
    data.Coast.clear();
    loaded = runLoad();
    Picture12->setVisible(checks[4]->isChecked());
    replayTime = -(race.PreStartSeconds + 20.0);
    windSearch = WindSearch();
    drawWindIndicator(windAtReplayTime());
    QApplication::restoreOverrideCursor();
}

RaceDisplayWindow::RaceDisplayWindow(AppSettings &settings, RaceControl &race, QWidget *parent)
    : QWidget(parent), d(new RaceDisplayWindowPrivate(this, settings, race))
{
    d->buildControls();
    d->applyFonts();
    d->applyCaptions();
    // Options as the window opens: hints, tracks, map, lay lines and enlarged symbols on; the
    // replay switches tracing on by itself shortly after.
    for (int box : {3, 6, 7, 8, 10})
        d->checks[box - 1]->setChecked(true);
    d->hintMode = 1;
    d->tracksShown = 1;
    d->checks[8]->setEnabled(false); // names of all boats: only while tracing
    d->applySeaColours();
    race.WindDirection = 0.0f;
    race.ShownWindDirection = 0.0;
    d->coverScreen();
    d->applyLayout();

    connect(d->Command1, &QPushButton::clicked, this, &QWidget::close);
    connect(d->Command9, &QPushButton::clicked, this, [this] { d->showChosenRace(); });
    d->connectOptions();
}

RaceDisplayWindow::~RaceDisplayWindow()
{
    delete d;
}

void RaceDisplayWindow::setSplash(SplashHooks hooks)
{
    d->splash = std::move(hooks);
}

bool RaceDisplayWindow::ensureLoaded()
{
    if (d->loadAttempted)
        return d->loaded;
    d->loadAttempted = true;
    d->loading = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // The splash carries the progress of the first load; the opener usually shows it already.
    if (d->splash.show && !(d->splash.isShown && d->splash.isShown()))
        d->splash.show();
    d->loaded = d->runLoad();
    QApplication::restoreOverrideCursor();
    if (d->splash.hide)
        d->splash.hide();
    d->loading = false;
    return d->loaded;
}

bool RaceDisplayWindow::isLoaded() const
{
    return d->loaded;
}

QImage RaceDisplayWindow::chartImage() const
{
    return d->Picture1->canvas();
}

const MapView &RaceDisplayWindow::mapView() const
{
    return d->view;
}

const RaceData &RaceDisplayWindow::raceData() const
{
    return d->data;
}

const LegStats &RaceDisplayWindow::legStats() const
{
    return d->legStats;
}

bool RaceDisplayWindow::event(QEvent *e)
{
    // The first activation loads the race. A window shown where no window manager activates
    // it (a bare X server) loads once it is shown.
    if ((e->type() == QEvent::WindowActivate || e->type() == QEvent::Show) && !d->loadAttempted)
        d->loadWhenExposed(0);
    return QWidget::event(e);
}

void RaceDisplayWindowPrivate::loadWhenExposed(int attempt)
{
    // The progress is painted on the chart while the load runs: wait until the window is on
    // the screen, so that those paints reach it (for a second at most).
    QTimer::singleShot(attempt == 0 ? 0 : 20, q, [this, attempt] {
        if (loadAttempted)
            return;
        QWindow *w = q->windowHandle();
        if (w && !w->isExposed() && attempt < 50) {
            loadWhenExposed(attempt + 1);
            return;
        }
        q->ensureLoaded();
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
    d->applyLayout();
    // A new chart size is a new view of the race: the layers are drawn again for it.
    if (d->loaded && !d->loading) {
        d->fullRedraw();
        d->drawOverview();
    }
}
