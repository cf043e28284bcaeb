#include "datapagewidget.h"

#include "pagecanvas.h"
#include "pagehost.h"

#include <displaytexts.h>
#include <legstats.h>
#include <pagepainter.h>
#include <racecontrol.h>
#include <racedata.h>

#include <QButtonGroup>
#include <QFrame>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>

namespace {

// The mode frame and its buttons, design units.
constexpr int FrameWidth = 276, FrameHeight = 29; // pixels
constexpr int ButtonWidthTwips = 735, ButtonHeightTwips = 255, ButtonTopTwips = 120;
constexpr int ButtonLeftTwips[5] = {120, 960, 1680, 2400, 3360};

} // namespace

DataPageWidget::DataPageWidget(PageHost &host, QWidget *parent) : QWidget(parent), m_host(host)
{
    const AppSettings &settings = host.settings();
    const float scale = settings.Scale;
    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Below a short page the page's white goes on.
    QPalette white = m_scroll->viewport()->palette();
    white.setColor(QPalette::Window, QColor::fromRgb(DataPageColours::Page));
    m_scroll->viewport()->setPalette(white);
    m_scroll->viewport()->setAutoFillBackground(true);
    PicData = new PageCanvas(QStringLiteral("PicData"));
    m_scroll->setWidget(PicData);

    FrameDataMode = new QFrame(this);
    FrameDataMode->setObjectName(QStringLiteral("FrameDataMode"));
    FrameDataMode->setFrameShape(QFrame::Box);
    FrameDataMode->setAutoFillBackground(true);
    FrameDataMode->resize(int(FrameWidth * scale + 0.5f), int(FrameHeight * scale + 0.5f));
    QFont font = FrameDataMode->font();
    font.setPixelSize(qRound(9.0 * scale * 96.0 / 72.0));
    FrameDataMode->setFont(font);

    const bool english = settings.isEnglish();
    auto *group = new QButtonGroup(this);
    int i = 0;
    auto place = [&](QAbstractButton *b, const char *name) {
        b->setObjectName(QLatin1String(name));
        b->setText(raceDisplayCaption(b->objectName(), english));
        b->setGeometry(twipsToPixels(ButtonLeftTwips[i], scale), twipsToPixels(ButtonTopTwips, scale),
                       twipsToPixels(ButtonWidthTwips, scale), twipsToPixels(ButtonHeightTwips, scale));
        ++i;
    };
    Option1 = new QRadioButton(FrameDataMode);
    place(Option1, "Option1");
    Option4 = new QRadioButton(FrameDataMode);
    place(Option4, "Option4");
    Option5 = new QRadioButton(FrameDataMode);
    place(Option5, "Option5");
    Option12 = new QRadioButton(FrameDataMode);
    place(Option12, "Option12");
    Command11 = new QPushButton(FrameDataMode);
    place(Command11, "Command11");
    for (QRadioButton *b : {Option1, Option4, Option5, Option12}) {
        group->addButton(b);
        connect(b, &QRadioButton::clicked, this, [this] { redraw(); });
    }
    Option1->setChecked(true);
    connect(Command11, &QPushButton::clicked, this, &DataPageWidget::exitRequested);
}

DataMode DataPageWidget::mode() const
{
    if (Option1->isChecked())
        return DataMode::Time;
    if (Option4->isChecked())
        return DataMode::Distance;
    if (Option5->isChecked())
        return DataMode::Speed;
    return DataMode::Analysis;
}

void DataPageWidget::setMode(DataMode mode)
{
    switch (mode) {
    case DataMode::Time:
        Option1->setChecked(true);
        break;
    case DataMode::Distance:
        Option4->setChecked(true);
        break;
    case DataMode::Speed:
        Option5->setChecked(true);
        break;
    case DataMode::Analysis:
        Option12->setChecked(true);
        break;
    }
    redraw();
}

const QImage &DataPageWidget::pageImage() const
{
    return PicData->image();
}

void DataPageWidget::enter()
{
    m_host.stopReplay();
    redraw();
}

void DataPageWidget::redraw()
{
    const AppSettings &settings = m_host.settings();
    RaceControl &race = m_host.race();
    LegStats &stats = m_host.legStats();
    if (!stats.Valid) {
        stats.ComputeRoundingTimes(race, m_host.raceData());
        stats.ComputeRoundingDistances(m_host.raceData());
    }
    DataPageInput input;
    input.race = &race;
    input.stats = &stats;
    input.focused = m_host.focusedBoats();
    input.mode = mode();
    input.pageWidth = pageWidth();
    input.english = settings.isEnglish();
    input.fontScale = settings.Scale;
    m_scene = dataPageScene(input);
    PicData->resize(m_scene.pageSize);
    PicData->setImage(renderDataPage(m_scene, settings.UiFontName));
    m_drawn = true;
}

int DataPageWidget::pageWidth() const
{
    // The scroll bar is always there, so the page's width does not change with its height.
    return std::max(0, width() - m_scroll->verticalScrollBar()->sizeHint().width());
}

void DataPageWidget::placeModeFrame()
{
    FrameDataMode->move(pageWidth() - FrameDataMode->width() - 5, 3);
    FrameDataMode->raise();
}

void DataPageWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_scroll->setGeometry(rect());
    placeModeFrame();
    // The page is as wide as the chart area: a new width lays it out again.
    if (m_drawn && isVisible() && m_scene.pageSize.width() != pageWidth())
        redraw();
}
