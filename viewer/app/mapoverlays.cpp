#include "mapoverlays.h"

#include <viewerlayout.h>

#include <QPixmap>

namespace {
constexpr int NoticeSeconds = 20;
constexpr int NoticeWidth = 520;
}

ScorePanel::ScorePanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("pnlScore"));
    setAutoFillBackground(true);
    hide();
}

void ScorePanel::setLabels(const QList<ScoreLabel> &labels)
{
    qDeleteAll(m_labels);
    m_labels.clear();
    for (const ScoreLabel &l : labels) {
        auto *label = new QLabel(l.Text, this);
        label->setObjectName(QStringLiteral("score%1").arg(l.Boat));
        label->setGeometry(l.Left, l.Top, ScorePanelWidth - 2 * l.Left, l.Height);
        label->setStyleSheet(QStringLiteral("QLabel { background: rgb(%1,%2,%3); color: white; }")
                                 .arg(l.Colour.Red)
                                 .arg(l.Colour.Green)
                                 .arg(l.Colour.Blue));
        label->hide();
        m_labels << label;
    }
    hide();
}

void ScorePanel::showFinisher(int boatNumber, int finishers)
{
    if (m_labels.isEmpty())
        return;
    resize(width(), finishers * 15 + 6);
    if (QLabel *label = m_labels.value(boatNumber - 1))
        label->show();
    show();
    raise();
}

void ScorePanel::clear()
{
    hide();
    for (QLabel *l : std::as_const(m_labels))
        l->hide();
}

int ScorePanel::shownLabels() const
{
    int n = 0;
    for (const QLabel *l : m_labels)
        n += l->isVisibleTo(this) ? 1 : 0;
    return n;
}

void ScorePanel::enterEvent(QEnterEvent *event)
{
    emit touched();
    QWidget::enterEvent(event);
}

FlagPanel::FlagPanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("pnlFLAG"));
    m_class = new QLabel(this);
    m_class->setObjectName(QStringLiteral("brenvologo"));
    m_class->setPixmap(QPixmap(QStringLiteral(":/viewer/brenvologo.png")));
    m_preparatory = new QLabel(this);
    m_preparatory->setObjectName(QStringLiteral("blue_p"));
    m_preparatory->setPixmap(QPixmap(QStringLiteral(":/viewer/blue_p.png")));
    m_preparatory->hide();
    hide();
}

void FlagPanel::setFlags(bool classFlag, bool preparatory)
{
    m_preparatory->setVisible(preparatory);
    setVisible(classFlag);
}

HintBox::HintBox(QWidget *parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("hintbox"));
    setStyleSheet(QStringLiteral("QLabel { background: #ffff80; color: black; border: 1px solid #808000; padding: 0px 1px; }"));
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void HintBox::showHint(const QString &text, QSize size, int mapWidth)
{
    if (isVisible() && this->text() == text)
        return;
    // The box has the hint's own size, grown when this machine's font needs more room.
    const QSize needed = fontMetrics().boundingRect(QRect(0, 0, 2000, 2000), Qt::AlignLeft | Qt::AlignTop, text).size() + QSize(6, 4);
    setGeometry(hintBoxRect(mapWidth, size.expandedTo(needed)));
    setText(text);
    show();
    raise();
}

void HintBox::hideHint()
{
    if (isVisible())
        hide();
}

NoticeBox::NoticeBox(QWidget *parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("pnlNotice"));
    setStyleSheet(QStringLiteral("QLabel { background: rgba(255,255,224,230); color: black; border: 1px solid #a08000; padding: 4px; }"));
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWordWrap(true);
    setCursor(Qt::PointingHandCursor);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &QWidget::hide);
    hide();
}

void NoticeBox::showNotice(const QString &text, int mapHeight)
{
    setText(isVisible() ? this->text() + QStringLiteral("\n") + text : text);
    setFixedWidth(NoticeWidth);
    adjustSize();
    move(10, std::max(5, mapHeight - 40 - height()));
    show();
    raise();
    m_timer.start(NoticeSeconds * 1000);
}

void NoticeBox::mousePressEvent(QMouseEvent *)
{
    hide();
}
