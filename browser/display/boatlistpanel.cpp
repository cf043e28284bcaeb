#include "boatlistpanel.h"

#include "boatfocus.h"
#include "displaylayout.h"
#include "displaytexts.h"
#include "racedisplaystate.h"
#include "widgethelpers.h"

#include <framescene.h>
#include <racecontrol.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

using namespace display;

BoatListPanel::BoatListPanel(RaceDisplayState &state, QWidget *parent)
    : CanvasPicture(QStringLiteral("Picture8"), parent), m_state(state)
{
    setBackground(QColor(224, 224, 224));
    m_header = make<QLabel>("Label5", this);
    m_header->setText(boatListHeader());
    m_header->installEventFilter(this);
    setProperty("boatList", true);
    m_header->setProperty("boatList", true);
}

void BoatListPanel::remove()
{
    for (Row &row : m_rows)
        for (QWidget *w : std::initializer_list<QWidget *>{row.name, row.speed, row.twa, row.mark})
            delete w;
    m_rows.clear();
    m_built = false;
    m_state.focused.clear();
    m_state.marked.clear();
    clear();
    flush();
}

void BoatListPanel::build()
{
    if (m_built)
        return;
    remove();
    const RaceControl &race = m_state.race;
    QPalette listPalette = palette();
    listPalette.setColor(QPalette::Base, background());
    for (int i = 0; i < race.boatCount(); ++i) {
        const BoatEntry &boat = race.Boats[i];
        const QColor colour = toQColor(boat.colour);
        Row row;
        const int top = boatRowTop(i);
        row.name = make<QCheckBox>("Bnam", this);
        row.name->setText(boat.Name);
        row.name->setChecked(true);
        row.name->setGeometry(BoatNameLeft, top, BoatNameWidth, BoatRowPitch);
        row.name->setStyleSheet(QStringLiteral("QCheckBox { background-color: %1; color: white; }").arg(colour.name()));
        row.speed = makeBox("Text5", this);
        row.speed->setGeometry(BoatSpeedLeft, top, BoatSpeedWidth, BoatRowPitch);
        row.twa = makeBox("Text6", this);
        row.twa->setGeometry(BoatTwaLeft, top, BoatTwaWidth, BoatRowPitch);
        for (QLineEdit *box : {row.speed, row.twa}) {
            box->setFrame(false);
            box->setAlignment(Qt::AlignRight);
            box->setPalette(listPalette);
        }
        row.mark = make<QCheckBox>("Maru", this);
        row.mark->setGeometry(BoatMarkLeft, top, BoatMarkWidth, BoatRowPitch);
        connect(row.name, &QCheckBox::toggled, this, [this, i](bool on) { m_state.focused[i] = on; });
        connect(row.mark, &QCheckBox::toggled, this, [this, i](bool on) { m_state.marked[i] = on; });
        connect(row.name, &QCheckBox::clicked, this, [this, i] { settle(i, false); });
        connect(row.mark, &QCheckBox::clicked, this, [this, i] { settle(i, false); });
        row.name->installEventFilter(this);
        for (QWidget *w : std::initializer_list<QWidget *>{row.name, row.speed, row.twa, row.mark}) {
            w->setProperty("index", i);
            w->setProperty("boatList", true);
            w->show();
        }
        m_rows.append(row);
    }
    m_state.focused = QVector<bool>(race.boatCount(), true);
    m_state.marked = QVector<bool>(race.boatCount(), false);
    clear();
    flush();
    m_built = true;
}

QList<QWidget *> BoatListPanel::rowControls(int i) const
{
    if (i < 0 || i >= m_rows.size())
        return {};
    const Row &r = m_rows[i];
    return {r.name, r.speed, r.twa, r.mark};
}

void BoatListPanel::settle(int clickedRow, bool only)
{
    const QVector<bool> focused = settleFocus(m_state.focused, m_state.marked, only ? clickedRow : -1);
    for (int i = 0; i < m_rows.size(); ++i)
        m_rows[i].name->setChecked(focused[i]);
    emit focusChanged(false);
}

void BoatListPanel::focusAll()
{
    for (Row &row : m_rows)
        row.name->setChecked(true);
    emit focusChanged(true);
}

void BoatListPanel::showRows(const QList<ListRowScene> &rows)
{
    if (rows.isEmpty())
        return;
    QPainter p(&canvas());
    QRect dirty;
    for (const ListRowScene &r : rows) {
        if (r.boat < 0 || r.boat >= m_rows.size())
            continue;
        p.fillRect(r.erase, background());
        dirty |= r.erase.toAlignedRect();
        if (r.emptied) {
            m_rows[r.boat].speed->clear();
            m_rows[r.boat].twa->clear();
            continue;
        }
        p.fillRect(r.bar, toQColor(r.colour));
        m_rows[r.boat].speed->setText(r.speedText);
        m_rows[r.boat].twa->setText(r.twaText);
    }
    p.end();
    flush(dirty);
}

bool BoatListPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        auto *release = static_cast<QMouseEvent *>(event);
        if (watched == m_header && release->button() == Qt::LeftButton) {
            focusAll();
        } else if (watched->objectName() == QLatin1String("Bnam") && release->button() == Qt::RightButton) {
            settle(watched->property("index").toInt(), true);
            return true;
        }
    }
    return CanvasPicture::eventFilter(watched, event);
}
