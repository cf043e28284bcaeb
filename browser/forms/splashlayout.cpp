#include "splashlayout.h"

#include <algorithm>
#include <cmath>

namespace {

int scaled(int units, float scale)
{
    return int(std::lround(units * double(scale)));
}

} // namespace

QRect SplashLayout::barFor(int barUnits) const
{
    const int units = std::clamp(barUnits, 0, SplashBarFullUnits);
    return {progressBar.left(), progressBar.top(), scaled(units, scale), progressBar.height()};
}

SplashLayout splashLayoutFor(QSize screen, QSize picture, QSize caption, bool english, float scale)
{
    SplashLayout l;
    l.scale = scale;
    l.window = QRect(QPoint(0, 0), screen);
    // Integer halves, as the design computes them: an odd remainder leaves the extra pixel
    // on the right and at the bottom.
    l.image1 = QRect((screen.width() - picture.width()) / 2, (screen.height() - picture.height()) / 2,
                     picture.width(), picture.height());
    l.image2Visible = !english;
    l.image2 = QRect(l.image1.left() + 8, l.image1.top() + 296, caption.width(), caption.height());

    // The progress sits below the picture: two lines of text 32 units high and the bar 50
    // units below the top of the text, as on the chart. Kept on the screen when the picture
    // fills it.
    const int textWidth = scaled(SplashBarFullUnits, scale);
    const int textHeight = scaled(32, scale);
    const int barOffset = scaled(50, scale);
    const int barHeight = scaled(15, scale);
    const int left = (screen.width() - textWidth) / 2;
    int top = l.image1.bottom() + 1 + scaled(8, scale);
    top = std::min(top, screen.height() - barOffset - barHeight);
    top = std::max(top, 0);
    l.progressText = QRect(left, top, textWidth, textHeight);
    l.progressBar = QRect(left, top + barOffset, textWidth, barHeight);
    return l;
}
