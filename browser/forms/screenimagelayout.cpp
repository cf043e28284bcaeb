#include "screenimagelayout.h"

namespace {

constexpr int Margin = 5;
constexpr int OverviewGap = 10;     // between the chart and the overview column
constexpr int TextBlockHeight = 35; // the two text lines above the legend
constexpr int LegendPitch = 16;
constexpr int LegendBoxHeight = 14;

} // namespace

QRect ScreenImageLayout::legendBox(int boat) const
{
    const int top = legendTop + LegendPitch * (boat - 1);
    return QRect(overview.x(), top, overviewWidth - 1, LegendBoxHeight);
}

QPoint ScreenImageLayout::legendName(int boat) const
{
    const QRect box = legendBox(boat);
    return box.topLeft() + QPoint(3, 1);
}

ScreenImageLayout screenImageLayout(QSize chart, QSize overview)
{
    ScreenImageLayout l;
    l.canvas = QSize(chart.width() + overview.width() + 15, chart.height() + 10);
    l.page = QPoint(Margin, Margin);
    const int x0 = chart.width() + OverviewGap;
    l.overview = QPoint(x0, Margin);
    l.fileNameText = QPoint(x0, overview.height() + Margin);
    l.legendTop = l.fileNameText.y() + TextBlockHeight;
    l.overviewWidth = overview.width();
    return l;
}
