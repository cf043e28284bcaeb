#include "optionspanel.h"

#include "racedisplaystate.h"
#include "widgethelpers.h"

#include <seacolours.h>

#include <QCheckBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

using namespace display;

OptionsPanel::OptionsPanel(RaceDisplayState &state, QWidget *parent) : QFrame(parent), m_state(state)
{
    setObjectName(QStringLiteral("Picture7"));
    // Opaque: a long boat list runs on behind it.
    setAutoFillBackground(true);
    for (int i = 1; i <= 10; ++i) {
        QCheckBox *box = new QCheckBox(this);
        box->setObjectName(QStringLiteral("Check%1").arg(i));
        m_checks.append(box);
    }
    for (int i = 1; i <= 6; ++i) {
        QPushButton *b = new QPushButton(this);
        b->setObjectName(QStringLiteral("BCOL%1").arg(i));
        b->setFlat(true);
        b->setAutoFillBackground(true);
        m_seaButtons.append(b);
    }
    m_help = make<QPushButton>("btnHATENA", this);
    m_link = make<QLabel>("Label1", this);
    m_link->setCursor(Qt::PointingHandCursor);
    m_link->setWordWrap(true);
    m_link->installEventFilter(this);

    // Two columns of options, the colours under them, help and link at the bottom.
    const int rowH = 20;
    for (int i = 0; i < 10; ++i)
        m_checks[i]->setGeometry(5 + (i % 2) * 130, 4 + (i / 2) * rowH, 126, rowH);
    const int colourTop = 4 + 5 * rowH + 6;
    for (int i = 0; i < 6; ++i)
        m_seaButtons[i]->setGeometry(5 + i * 42, colourTop, 38, 22);
    m_help->setGeometry(5, colourTop + 30, 26, 24);
    m_link->setGeometry(36, colourTop + 26, 230, 32);

    // Options as the window opens: hints, tracks, map, lay lines and enlarged symbols on; the
    // replay switches tracing on by itself shortly after. The names of all boats only while
    // tracing.
    DisplayOptions &o = m_state.options;
    const std::pair<int, bool *> boxes[] = {{1, &o.timeMarks}, {2, &o.measuring}, {3, &o.hints},
                                            {4, &o.comparison}, {5, &o.tracing}, {6, &o.tracks},
                                            {7, &o.map}, {8, &o.layLines}, {9, &o.names},
                                            {10, &o.enlarge}};
    for (const auto &[n, flag] : boxes) {
        check(n)->setChecked(*flag);
        // First of the box's connections: every reaction below reads the options already changed.
        connect(check(n), &QCheckBox::toggled, this, [flag](bool on) { *flag = on; });
    }
    check(9)->setEnabled(false);

    connect(check(1), &QCheckBox::clicked, this, &OptionsPanel::timeMarksClicked);
    connect(check(6), &QCheckBox::clicked, this, [this](bool on) {
        m_state.options.tracksShown = on;
        emit tracksClicked(on);
    });
    connect(check(7), &QCheckBox::clicked, this, [this] { emit mapClicked(); });
    connect(check(8), &QCheckBox::clicked, this, &OptionsPanel::layLinesClicked);
    // toggled, not clicked: the replay switches tracing on by ticking the box itself.
    connect(check(5), &QCheckBox::toggled, this, &OptionsPanel::tracingToggled);
    for (int i = 1; i <= 6; ++i)
        connect(seaButton(i), &QPushButton::clicked, this, [this, i] { emit seaColourChosen(i, false); });
    // The right button on the darkest sea also exports the sail data (a coach's shortcut).
    seaButton(6)->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(seaButton(6), &QWidget::customContextMenuRequested, this, [this] { emit seaColourChosen(6, true); });
    connect(m_help, &QPushButton::clicked, this, &OptionsPanel::helpRequested);
}

void OptionsPanel::colourSeaButtons()
{
    for (int i = 0; i < m_seaButtons.size(); ++i)
        setBackgroundColour(m_seaButtons[i], toQColor(SeaColourButtons[size_t(i)]));
}

void OptionsPanel::setTracing(bool on)
{
    for (int n : {1, 2, 6, 7})
        check(n)->setEnabled(!on);
    if (on)
        check(2)->setChecked(false);
    check(9)->setEnabled(on);
}

bool OptionsPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_link && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
        emit webLinkClicked();
    return QFrame::eventFilter(watched, event);
}
