// Day and night for the sea colour and the time bar: when the day of the race start begins and
// ends, in seconds of the day of ST (local time of the race area), and how bright the sea is at
// a time of day.
//
// The day is ±4500 s × s around 06:00 and 18:00, s = sin((d − 83) / 365 × 6.28) for day of the
// year d, and both its start and its end come 4 s earlier per minute of longitude that the race
// lies east of the meridian of its own time zone (15° × TD), so that day and night fall at the
// right hours wherever the race is sailed. South of the equator the seasons are turned round
// (s changes sign).
#pragma once

#include "viewerextent.h"
#include "viewerrace.h"

struct ViewerDaylight {
    double DayStart = 0.0; // seconds of the day of ST at ST: hours × 3600 + minutes × 60 + seconds
    double Start = 21600.0; // daylight start, seconds of the day
    double End = 64800.0;   // daylight end
};

ViewerDaylight computeDaylight(const ViewerRace &race, const ViewerExtent &extent);

// Seconds of the day at race time t: (DayStart + t) mod 86400, in 0 … 86400.
double timeOfDay(const ViewerDaylight &daylight, double t);

// Brightness 0 … 100 at time of day tau: 100 in daylight, 0 at night, rising over the hour
// either side of daylight start and falling over the 40 minutes either side of its end.
double daylightBrightness(const ViewerDaylight &daylight, double tau);
