#include "displaylayout.h"

#include <algorithm>

namespace {

constexpr int ChartMargin = 5;
constexpr int TimeBarGap = 5;
constexpr int TimeBarWidth = 30;
constexpr int FirstColumnWidth = 270;
constexpr int ColumnGap = 6;
constexpr int SecondColumnWidth = 174;
constexpr int LowerPanelHeight = 178;
constexpr int ProgressWidth = 333;
constexpr int ProgressHeight = 32;

int scaled(int pixels, float scale) { return int(pixels * scale + 0.5f); }

} // namespace

int chartSizeFor(QSize inner, int panelWidth)
{
    return std::max(0, std::min(inner.width() - panelWidth - 45, inner.height() - 10));
}

int boatListHeight(int boatCount)
{
    return BoatRowPitch * std::max(0, boatCount) + 50;
}

int boatListRaisedTop(int chartSize, int boatCount)
{
    return BoatListRestTop + boatListHeight(boatCount) > chartSize - BoatListRestTop ? 0 : BoatListRestTop;
}

int lowerPanelTop(int chartSize)
{
    // A short list ends above the lower panel; a long one runs on behind it until it is raised.
    return std::max(BoatListRestTop + boatListHeight(1), chartSize - LowerPanelHeight);
}

int rightPanelWidth(float scale)
{
    return scaled(FirstColumnWidth + ColumnGap + SecondColumnWidth, scale);
}

RaceDisplayLayout layoutRaceDisplay(QSize inner, int boatCount, float scale)
{
    RaceDisplayLayout l;
    const int panelWidth = rightPanelWidth(scale);
    l.chartSize = chartSizeFor(inner, panelWidth);
    l.chart = QRect(ChartMargin, ChartMargin, l.chartSize, l.chartSize);
    l.timeBar = QRect(l.chart.right() + 1 + TimeBarGap, ChartMargin, TimeBarWidth, l.chartSize);
    const int panelLeft = ChartMargin + l.chartSize + 40;
    l.panel = QRect(panelLeft, 0, panelWidth, std::max(inner.height(), l.chartSize + 10));

    const int col1 = scaled(FirstColumnWidth, scale);
    l.overview = QRect(0, 2, scaled(170, scale), scaled(170, scale));
    const int windLeft = l.overview.right() + 1 + scaled(6, scale);
    l.windIndicator = QRect(windLeft, 2, scaled(70, scale), scaled(80, scale));
    l.windDirection = QRect(windLeft, l.windIndicator.bottom() + 3, scaled(34, scale), scaled(20, scale));
    l.windSpeed = QRect(windLeft + scaled(36, scale), l.windDirection.top(), scaled(34, scale), scaled(20, scale));
    l.sizeBox = QRect(windLeft, l.windDirection.bottom() + 4, col1 - windLeft - 2, scaled(18, scale));

    l.boatList = QRect(0, BoatListRestTop, col1, boatListHeight(boatCount));
    l.boatListRaisedTop = boatListRaisedTop(l.chartSize, boatCount);
    const int lowerTop = lowerPanelTop(l.chartSize);
    l.lowerPanel = QRect(0, lowerTop, col1, std::max(LowerPanelHeight, l.panel.height() - lowerTop));
    l.controls = QRect(col1 + scaled(ColumnGap, scale), 0, scaled(SecondColumnWidth, scale), l.panel.height());
    return l;
}

int progressBarUnits(int done, int total)
{
    if (total <= 0)
        return 0;
    return std::clamp(done, 0, total) * ProgressWidth / total;
}

ProgressGeometry chartProgressGeometry(int chartSize, int done, int total)
{
    ProgressGeometry g;
    g.text = QRect((chartSize - ProgressWidth) / 2, (chartSize - ProgressHeight) / 2, ProgressWidth, ProgressHeight);
    g.bar = QRect(g.text.left(), g.text.top() + 50, progressBarUnits(done, total), 15);
    return g;
}
