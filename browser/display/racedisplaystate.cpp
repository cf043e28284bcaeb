#include "racedisplaystate.h"

#include <appsettings.h>
#include <racecontrol.h>
#include <seacolours.h>

#include <cmath>

ChartOptions RaceDisplayState::chartOptions() const
{
    ChartOptions o;
    o.colours = seaColourButton(seaColourNumber);
    o.colours.background = settings.SeaColour;
    o.scale = settings.Scale;
    o.language = settings.Language;
    o.mapShown = options.map;
    o.tracing = options.tracing;
    o.tracksShown = options.tracksShown;
    o.layLinesShown = options.layLines;
    o.timeMarksShown = options.timeMarks;
    o.focused.resize(race.boatCount());
    for (int i = 0; i < race.boatCount(); ++i)
        o.focused[i] = isFocused(i);
    o.periodStart = clock.PeriodStart;
    o.periodEnd = clock.PeriodEnd;
    o.roundingClockEntry = roundingClock.entry;
    o.roundingClockText = roundingClock.text;
    return o;
}

namespace {

// The read-out shows the direction as the wind file has it, before the variation.
double fileDirection(const RaceControl &race)
{
    const double file = std::fmod(race.ShownWindDirection - race.MagneticVariation, 360.0);
    return file < 0 ? file + 360.0 : file;
}

} // namespace

WindReading RaceDisplayState::currentWind() const
{
    WindReading wind;
    wind.hasWind = data.hasWind() && !race.WindFile.isEmpty();
    wind.shownDirection = race.ShownWindDirection;
    wind.shownSpeed = race.ShownWindSpeed;
    wind.fileDirection = fileDirection(race);
    return wind;
}

WindReading RaceDisplayState::windAt(double time, bool forward)
{
    WindReading wind;
    wind.hasWind = !race.WindFile.isEmpty() && WindAt(race, data.Wind, time, forward, windSearch);
    wind.shownDirection = race.ShownWindDirection;
    wind.shownSpeed = race.ShownWindSpeed;
    if (wind.hasWind)
        wind.fileDirection = fileDirection(race);
    return wind;
}
