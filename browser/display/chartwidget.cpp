#include "chartwidget.h"

#include "widgethelpers.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace display;

ChartWidget::ChartWidget(QWidget *parent) : CanvasPicture(QStringLiteral("Picture1"), parent)
{
    // Pieces the replay lays over the chart; hidden until it needs them.
    Text4 = makeBox("Text4", this);
    Text4->setAlignment(Qt::AlignCenter);
    Text4->hide();
    Text8 = make<QLabel>("Text8", this);
    Text8->hide();
    Picture9 = make<QFrame>("Picture9", this);
    Picture9->hide();
    Label4 = make<QLabel>("Label4", Picture9);
    Label4->setGeometry(8, 5, 97, 17);
    Command8 = make<QPushButton>("Command8", Picture9);
    Position = new CanvasPicture(QStringLiteral("Position"), this);
    Position->hide();
    Blue_P = make<QLabel>("Blue_P", this);
    Blue_P->hide();
    Seven = make<QLabel>("Seven", this);
    Seven->hide();
}

void ChartWidget::setBoats(const QVector<Colour> &colours)
{
    qDeleteAll(m_symbols);
    qDeleteAll(m_bars);
    m_symbols.clear();
    m_bars.clear();
    for (int i = 0; i < colours.size(); ++i) {
        auto *symbol = new CanvasPicture(QStringLiteral("Boat"), this);
        symbol->setProperty("index", i);
        symbol->setBackground(background());
        symbol->resize(15, 15);
        symbol->hide();
        m_symbols.append(symbol);
        auto *bar = make<QFrame>("Bar", this);
        bar->setProperty("index", i);
        bar->hide();
        m_bars.append(bar);
    }
}

void ChartWidget::setSymbolBackground(const QColor &sea)
{
    for (CanvasPicture *s : m_symbols)
        s->setBackground(sea);
}
