#include "viewerrace.h"

#include <cmath>
#include <limits>

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
    // Values from damaged files can lie past what an int holds: they stop at its ends, and a
    // value that is no number at all counts as 0.
    const double r = std::nearbyint(x);
    if (!(r == r))
        return 0;
    if (r >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (r <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return int(r);
}
