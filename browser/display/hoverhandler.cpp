#include "hoverhandler.h"

#include "displaylayout.h"
#include "displaytexts.h"
#include "racedisplaystate.h"
#include "widgethelpers.h"

#include <appsettings.h>
#include <racecontrol.h>

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>

using namespace display;

HoverHandler::HoverHandler(RaceDisplayState &state, QWidget *window, QWidget *panel, QWidget *list,
                           QWidget *lower, QWidget *tag)
    : QObject(window), m_state(state), m_window(window), m_panel(panel), m_list(list), m_lower(lower), m_tag(tag)
{
    m_hint = make<QLabel>("Text7", window);
    // The hint box floats above everything else of the window.
    m_hint->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_hint->setStyleSheet(QStringLiteral("QLabel { background-color: rgb(255, 255, 192); color: black; border: 1px solid gray; }"));
    setBackgroundColour(m_hint, QColor(255, 255, 192));
    m_hint->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_hint->setMargin(1);
    m_hint->hide();
}

void HoverHandler::watch(QWidget *w)
{
    if (w == m_hint)
        return;
    w->installEventFilter(this);
    if (qobject_cast<QFrame *>(w) || qobject_cast<QGroupBox *>(w))
        w->setMouseTracking(true);
}

void HoverHandler::watchTree(QWidget *root)
{
    watch(root);
    root->setMouseTracking(true);
    for (QWidget *w : root->findChildren<QWidget *>())
        watch(w);
}

bool HoverHandler::eventFilter(QObject *watched, QEvent *event)
{
    QWidget *w = qobject_cast<QWidget *>(watched);
    if (!w)
        return false;
    if (event->type() == QEvent::Enter) {
        hoverOver(w);
    } else if (event->type() == QEvent::MouseMove) {
        // Moves over a child without mouse tracking arrive here: find the child itself.
        auto *move = static_cast<QMouseEvent *>(event);
        QWidget *child = w->childAt(move->position().toPoint());
        hoverOver(child ? child : w);
    }
    return false;
}

void HoverHandler::hoverOver(QWidget *w)
{
    // Anywhere but the time bar ends its preview: the frames place the overview markers again.
    if (w->objectName() != QLatin1String("PicTimeBar"))
        m_state.frame.TimeBarHover = false;
    bool overList = false;
    for (QWidget *p = w; p && p != m_window; p = p->parentWidget())
        overList = overList || p->property("boatList").toBool();
    if (overList && !m_listRaised) {
        // The first move only raises the list: the row under the pointer may move away.
        raiseBoatList();
        m_hint->hide();
        return;
    }
    if (!overList)
        restPanels();
    const QString name = w->objectName();
    m_state.frame.HoverRow = name == QLatin1String("Bnam") || name == QLatin1String("Maru") ? w->property("index").toInt() : -1;

    HintState hints;
    hints.english = m_state.settings.isEnglish();
    hints.hintsOn = m_state.options.hints;
    hints.tracing = m_state.options.tracing;
    hints.editMode = m_state.settings.EditMode;
    hints.hasRaceFile = !m_state.race.FileName.isEmpty();
    for (QWidget *p = w; p && p != m_window; p = p->parentWidget()) {
        if (p == m_hint)
            return;
        if (const std::optional<HintText> hint = raceDisplayHint(p->objectName(), hints)) {
            showHint(p, *hint);
            return;
        }
    }
    m_hint->hide();
}

void HoverHandler::showHint(QWidget *control, const HintText &hint)
{
    const QSize size = fitBox(hint.text, hint.size);
    const QRect c(control->mapTo(m_window, QPoint(0, 0)), control->size());
    int x = m_panel->x() + 10;
    int y = c.top() - 5 - size.height();
    if (y < 0)
        y = c.bottom() + 6;
    x = std::max(0, std::min(x, m_window->width() - size.width()));
    showBox(hint.text, QRect(x, y, size.width(), size.height()));
}

QSize HoverHandler::fitBox(const QString &text, const QSize &designSize) const
{
    // The boxes were sized for the design fonts; where the fonts at hand are larger the box
    // grows, so that no line of a text is cut off.
    const float scale = m_state.settings.Scale;
    const QSize design(int(designSize.width() * scale + 0.5f), int(designSize.height() * scale + 0.5f));
    const QSize needed = QFontMetrics(m_hint->font()).boundingRect(QRect(0, 0, 2000, 2000), Qt::AlignLeft, text).size();
    return design.expandedTo(needed + QSize(6, 4));
}

void HoverHandler::showBox(const QString &text, const QRect &geometry)
{
    m_hint->setText(text);
    m_hint->setGeometry(geometry);
    m_hint->show();
    m_hint->raise();
}

void HoverHandler::hideBox()
{
    m_hint->hide();
}

void HoverHandler::raiseBoatList()
{
    if (m_listRaised)
        return;
    m_listRaised = true;
    const int top = boatListRaisedTop(m_state.view.ChartSize > 0 ? int(m_state.view.ChartSize) : 0,
                                      m_state.race.boatCount());
    m_list->move(0, top);
    m_list->raise();
    // Raised to the top, the list covers the lower panel's place too.
    if (top < BoatListRestTop)
        m_lower->hide();
}

void HoverHandler::restPanels()
{
    if (!m_listRaised)
        return;
    m_listRaised = false;
    m_list->move(0, BoatListRestTop);
    m_lower->show();
    m_lower->raise();
    m_tag->hide();
}
