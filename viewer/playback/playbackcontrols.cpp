#include "playbackcontrols.h"

#include <algorithm>
#include <cmath>

double speedFactorAt(int p)
{
    if (p < 40)
        return std::floor(p / 4.0 + 1);
    if (p < 80)
        return std::floor((p - 40) / 4.0 + 1) * 10;
    return std::floor((p - 80) / 4.0 + 1) * 100;
}

int speedPositionFor(double factor)
{
    // Up to × 10 the steps of the first range; beyond, the first position of the factor's step in
    // the tens (from 40) or the hundreds (from 80).
    int position;
    if (factor <= 10)
        position = viewerRound((factor - 1) * 4);
    else if (factor < 100)
        position = 40 + viewerRound((factor / 10 - 1) * 4);
    else
        position = 80 + viewerRound((factor / 100 - 1) * 4);
    return std::clamp(position, 0, ScrollBarMaximum);
}

QString speedFactorText(double factor)
{
    return QString::number(viewerRound(factor)) + QLatin1Char('X');
}

double zoomDivisorAt(int p)
{
    return std::max(10 - p / 10.0, 1.0);
}

ViewerRgb seaColourAt(int a)
{
    return ViewerRgb{viewerRound(1.6 * a), viewerRound(2.2 * a), std::min(viewerRound(3.25 * a + 70), 255)};
}

ViewerRgb gridColourAt(int a)
{
    const ViewerRgb c = seaColourAt(a);
    if (a > 50)
        return ViewerRgb{std::max(c.Red - 50, 0), std::max(c.Green - 50, 0), c.Blue};
    return ViewerRgb{std::min(c.Red + 80, 255), std::min(c.Green + 80, 255), std::min(c.Blue + 80, 255)};
}
