#include "chartwidget.h"

#include "widgethelpers.h"

#include <framepainter.h>

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPaintEvent>
#include <QPixmap>
#include <QPushButton>

using namespace display;

namespace {

constexpr int FlagMargin = 10;
constexpr int FinishPanelWidth = 215;
constexpr QPoint PanelPlace(10, 10); // the countdown and the finish panel: top left of the chart

QPixmap flagPicture(const QString &resource)
{
    QPixmap p(resource);
    return p;
}

} // namespace

ChartWidget::ChartWidget(QWidget *parent) : CanvasPicture(QStringLiteral("Picture1"), parent)
{
    Text4 = makeBox("Text4", this);
    Text4->setAlignment(Qt::AlignCenter);
    Text4->setGeometry(PanelPlace.x(), PanelPlace.y(), 64, 40);
    QFont big = Text4->font();
    big.setPixelSize(26);
    big.setBold(true);
    Text4->setFont(big);
    Text4->setFocusPolicy(Qt::NoFocus);
    Text4->hide();
    Text8 = make<QLabel>("Text8", this);
    Text8->hide();
    Picture9 = make<QFrame>("Picture9", this);
    Picture9->hide();
    Label4 = make<QLabel>("Label4", Picture9);
    Label4->setGeometry(8, 5, 97, 17);
    Command8 = make<QPushButton>("Command8", Picture9);
    Position = new CanvasPicture(QStringLiteral("Position"), this);
    Position->setBackground(Qt::white);
    Position->move(PanelPlace);
    Position->hide();
    Blue_P = make<QLabel>("Blue_P", this);
    Blue_P->setPixmap(flagPicture(QStringLiteral(":/orvane/flags/blue_p.png")));
    Seven = make<QLabel>("Seven", this);
    Seven->setPixmap(flagPicture(QStringLiteral(":/orvane/flags/seven.png")));
    for (QLabel *flag : {Blue_P, Seven}) {
        flag->adjustSize();
        flag->setAttribute(Qt::WA_TransparentForMouseEvents);
        flag->hide();
    }
    for (QWidget *w : std::initializer_list<QWidget *>{Text4, Position})
        w->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ChartWidget::setBoats(int count)
{
    m_overlay = FrameScene();
    m_overlay.boats.resize(count);
    Position->hide();
    Text4->hide();
    Blue_P->hide();
    Seven->hide();
    update();
}

void ChartWidget::setSea(Colour sea)
{
    m_sea = sea;
    setBackground(toQColor(sea));
    update();
}

QRectF ChartWidget::symbolRect(int boat) const
{
    if (boat < 0 || boat >= m_overlay.boats.size() || !m_overlay.boats[boat].symbolShown)
        return {};
    return m_overlay.boats[boat].symbolRect();
}

void ChartWidget::showFrame(const FrameScene &frame)
{
    bool wholeChart = false;
    bool onPicture = false;
    for (const BoatFrameScene &b : frame.boats)
        onPicture = onPicture || b.wake.size() >= 2 || b.nameShown;
    if (onPicture) {
        QPainter p(&canvas());
        paintFrameOnChart(p, frame, m_fontFamily);
        wholeChart = true;
    }

    // What is over the chart: symbols follow every frame; a comparison line the frame says
    // nothing about stays as it was.
    QRegion dirty;
    if (m_overlay.boats.size() < frame.boats.size())
        m_overlay.boats.resize(frame.boats.size());
    for (int i = 0; i < frame.boats.size(); ++i) {
        BoatFrameScene &shown = m_overlay.boats[i];
        const BoatFrameScene &b = frame.boats[i];
        if (shown.symbolShown)
            dirty += shown.symbolRect().toAlignedRect().adjusted(-2, -2, 2, 2);
        if (b.symbolShown)
            dirty += b.symbolRect().toAlignedRect().adjusted(-2, -2, 2, 2);
        const bool barBefore = shown.bar == FrameChange::Show;
        shown.symbolShown = b.symbolShown;
        shown.position = b.position;
        shown.symbol = b.symbol;
        shown.colour = b.colour;
        if (b.bar != FrameChange::Keep) {
            shown.bar = b.bar;
            shown.barLine = b.barLine;
        }
        wholeChart = wholeChart || barBefore || shown.bar == FrameChange::Show;
    }
    if (wholeChart)
        update();
    else if (!dirty.isEmpty())
        update(dirty);

    // The start sequence.
    if (frame.countdownShown) {
        Text4->setText(frame.countdownText);
        QPalette pal = Text4->palette();
        pal.setColor(QPalette::Base, toQColor(frame.countdownBackground));
        pal.setColor(QPalette::Text, Qt::white);
        Text4->setPalette(pal);
    }
    Text4->setVisible(frame.countdownShown);
    placeFlag(Blue_P, frame.blueFlagShown, frame.blueFlagTop);
    placeFlag(Seven, frame.sevenShown, frame.sevenTop);
    showFinishPanel(frame);
}

void ChartWidget::placeFlag(QLabel *flag, bool shown, double top)
{
    const QPoint at(width() - flag->width() - FlagMargin, int(top));
    if (flag->pos() != at)
        flag->move(at);
    flag->setVisible(shown);
}

void ChartWidget::flagsToRest()
{
    placeFlag(Blue_P, Blue_P->isVisible(), FlagMargin);
    placeFlag(Seven, Seven->isVisible(), FlagMargin);
}

void ChartWidget::showFinishPanel(const FrameScene &frame)
{
    if (frame.finishPanelChanged) {
        const QSize size(FinishPanelWidth, finishPanelHeight(int(frame.finishRows.size())));
        Position->resize(size);
        Position->clear();
        QPainter p(&Position->canvas());
        paintFinishPanel(p, frame.finishRows, size, m_fontFamily);
        p.end();
        Position->flush();
    }
    if (frame.finishPanelShown) {
        Position->raise();
        Position->show();
    } else {
        Position->hide();
    }
}

void ChartWidget::paintEvent(QPaintEvent *event)
{
    CanvasPicture::paintEvent(event);
    QPainter p(this);
    p.setClipRegion(event->region());
    paintBoatOverlay(p, m_overlay, m_sea);
}

QImage ChartWidget::composedImage() const
{
    QImage image = canvas().copy();
    QPainter p(&image);
    paintBoatOverlay(p, m_overlay, m_sea);
    return image;
}
