#include "daylight.h"

#include <cmath>

ViewerDaylight computeDaylight(const ViewerRace &race, const ViewerExtent &extent)
{
    ViewerDaylight d;
    const int dayOfYear = race.Start.isNull() ? 1 : race.Start.date().dayOfYear();
    double s = std::sin((dayOfYear - 83) / 365.0 * 6.28);
    if (extent.CentreLat < 0)
        s = -s;
    const double zoneMeridian = 15.0 * 60.0 * race.TimeDifference; // minutes of longitude
    const double lead = (extent.CentreLon - zoneMeridian) * 4.0;    // seconds
    d.Start = 21600.0 - 4500.0 * s - lead;
    d.End = 64800.0 + 4500.0 * s - lead;
    d.DayStart = race.Start.isNull() ? 0.0 : race.Start.secondsOfDay();
    return d;
}

double timeOfDay(const ViewerDaylight &daylight, double t)
{
    double tau = std::fmod(daylight.DayStart + t, 86400.0);
    if (tau < 0)
        tau += 86400.0;
    return tau;
}

double daylightBrightness(const ViewerDaylight &daylight, double tau)
{
    double b = daylight.Start < tau && tau < daylight.End ? 100.0 : 0.0;
    if (std::fabs(tau - daylight.Start) < 3600)
        b = (tau - daylight.Start) * 50.0 / 3600.0 + 50.0;
    if (std::fabs(tau - daylight.End) < 2400)
        b = (daylight.End - tau) * 50.0 / 2400.0 + 50.0;
    return b;
}
