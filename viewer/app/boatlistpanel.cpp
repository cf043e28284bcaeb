#include "boatlistpanel.h"

#include <viewerlayout.h>

#include <QMouseEvent>

BoatListPanel::BoatListPanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("pnlBOATlist"));
    setAutoFillBackground(true);
    setMouseTracking(true);
    m_header = new QLabel(this);
    m_header->setObjectName(QStringLiteral("Label1"));
    m_header->setMouseTracking(true);
    // The header's columns are spaced for the designed letters: a size smaller keeps it whole.
    QFont small = m_header->font();
    small.setPixelSize(10);
    m_header->setFont(small);
    m_header->installEventFilter(this);
}

void BoatListPanel::setBoats(const QStringList &names, const QList<QColor> &colours)
{
    qDeleteAll(m_checks);
    qDeleteAll(m_bars);
    qDeleteAll(m_twa);
    m_checks.clear();
    m_bars.clear();
    m_twa.clear();
    for (int i = 0; i < names.size(); ++i) {
        const int n = i + 1;
        const QColor colour = colours.value(i);
        auto *check = new QCheckBox(names[i], this);
        check->setObjectName(QStringLiteral("boatCheck%1").arg(n));
        check->setProperty("boat", n);
        check->setChecked(true);
        check->setGeometry(boatCheckBoxRect(n));
        check->setStyleSheet(QStringLiteral("QCheckBox { background: %1; color: white; padding-left: 1px; }").arg(colour.name()));
        check->setMouseTracking(true);
        check->installEventFilter(this);
        connect(check, &QCheckBox::toggled, this, &BoatListPanel::focusChanged);
        auto *bar = new QLabel(this);
        bar->setObjectName(QStringLiteral("boatSpeed%1").arg(n));
        bar->setProperty("boat", n);
        bar->setGeometry(boatSpeedBarRect(n, 1));
        bar->setStyleSheet(QStringLiteral("QLabel { background: %1; color: white; padding-left: 1px; }").arg(colour.name()));
        bar->setMouseTracking(true);
        bar->installEventFilter(this);
        auto *twa = new QLabel(this);
        twa->setObjectName(QStringLiteral("boatTwa%1").arg(n));
        twa->setGeometry(boatTwaBoxRect(n));
        twa->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        twa->setStyleSheet(QStringLiteral("QLabel { background: white; color: black; }"));
        for (QWidget *w : {static_cast<QWidget *>(check), static_cast<QWidget *>(bar), static_cast<QWidget *>(twa)})
            w->show();
        m_checks << check;
        m_bars << bar;
        m_twa << twa;
    }
}

QVector<bool> BoatListPanel::focused() const
{
    QVector<bool> out;
    out.reserve(m_checks.size());
    for (const QCheckBox *c : m_checks)
        out << c->isChecked();
    return out;
}

void BoatListPanel::focusAll()
{
    for (QCheckBox *c : std::as_const(m_checks)) {
        const QSignalBlocker block(c);
        c->setChecked(true);
    }
    emit focusChanged();
}

void BoatListPanel::focusOnly(int boatNumber)
{
    for (int i = 0; i < m_checks.size(); ++i) {
        const QSignalBlocker block(m_checks[i]);
        m_checks[i]->setChecked(i + 1 == boatNumber);
    }
    emit focusChanged();
}

void BoatListPanel::setRows(const QVector<BoatPanelRow> &rows)
{
    for (int i = 0; i < rows.size() && i < m_bars.size(); ++i) {
        const BoatPanelRow &row = rows[i];
        m_bars[i]->setGeometry(boatSpeedBarRect(i + 1, row.BarWidth));
        if (m_bars[i]->text() != row.SpeedText)
            m_bars[i]->setText(row.SpeedText);
        if (m_twa[i]->text() != row.TwaText)
            m_twa[i]->setText(row.TwaText);
    }
}

bool BoatListPanel::eventFilter(QObject *watched, QEvent *event)
{
    const int boat = watched->property("boat").toInt();
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::Enter:
        emit pointerOver();
        if (watched == m_header)
            emit headerHovered();
        if (boat > 0 && qobject_cast<QCheckBox *>(watched))
            emit boatHovered(boat);
        break;
    case QEvent::MouseButtonPress:
        if (watched == m_header) {
            emit headerPressed();
            return true;
        }
        if (boat > 0 && qobject_cast<QCheckBox *>(watched) &&
            static_cast<QMouseEvent *>(event)->button() == Qt::RightButton) {
            focusOnly(boat);
            return true;
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void BoatListPanel::mouseMoveEvent(QMouseEvent *event)
{
    // A move over a row reaches here too once the row has handled it: only the panel's own
    // ground counts here.
    if (!childAt(event->position().toPoint()))
        emit pointerOver();
}
