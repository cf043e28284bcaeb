// The race a browser reader sees in the fuzz targets: the race control lines of the input read
// as ReadRaceControl reads them (without the file system's checks), then what the race load
// puts in before it reads the tracks and the wind (raceloader.cpp).
#pragma once

#include "fuzzsupport.h"

#include <racecontrol.h>
#include <racecontrolfile.h>

inline RaceControl browserRaceOf(QByteArrayView raceLines)
{
    RaceControl rc;
    rc.FileName = QStringLiteral("race.txt");
    parseRaceControl(fuzz::textLines(raceLines), rc);
    rc.ChartRotation = rc.chartRotationFor();
    if (rc.BoatLength == 0.0f)
        rc.BoatLength = 4.7f;
    updateDerivedTimes(rc);
    if (rc.TimeDifference == 0)
        rc.TimeDifference = 9;
    rc.FirstFixTime = {};
    rc.LastFixTime = {};
    return rc;
}
