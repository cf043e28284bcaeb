// Every text of the replay (speed box, size box, time bar read-out) in both interface
// languages, in one table.
#pragma once

#include <appsettings.h>

#include <QString>

enum class ReplayText {
    SpeedSuffix,  // Text2 after the speed factor: "5 x spd", "5倍速"
    Enlarged,     // Text15 when symbols are raised to the minimum size
    RealSize,     // Text15 otherwise
    TimeBarHint,  // the lines the time bar read-out adds while hints are on
};

QString replayText(ReplayText id, UiLanguage language);

// Text2: the speed factor and its unit, "5 x spd" or "5倍速".
QString speedFactorText(int factor, UiLanguage language);
