#include "viewerrace.h"

#include <cmath>

QString viewerTitleText(const QString &title1, const QString &title2, const QString &raceFileName)
{
    QString title = QStringLiteral("orvane  ");
    if (title1.size() > 1)
        title += title1 + QStringLiteral("     ");
    if (title2.size() > 1)
        title += title2 + QStringLiteral("     ");
    if (title1.size() <= 1 && title2.size() <= 1)
        title += raceFileName + QStringLiteral("       ");
    return title;
}

int viewerRound(double x)
{
    // std::nearbyint follows the default rounding mode: to nearest, a half to the even one.
    return int(std::nearbyint(x));
}
