// The wind indicator (Picture2): a white disc with the north arrow turned with the chart and
// a red triangle on the side the wind comes from, pointing at the centre; and the two read-out
// boxes beside it (Text13 direction, Text14 speed).
#pragma once

#include "layerscene.h"

#include <QString>

// The wind at the replay time as WindAt found it. Without wind data the indicator shows the
// north arrow and the arrow of the shown wind direction only, and the boxes stay empty.
struct WindReading {
    bool hasWind = false;
    double fileDirection = 0.0;      // degrees, as in the wind file (magnetic)
    double shownDirection = 0.0;     // RaceControl::ShownWindDirection, degrees true
    double shownSpeed = 0.0;         // RaceControl::ShownWindSpeed, knots
};

struct WindIndicatorScene {
    LayerScene picture;
    QString directionText; // Text13: whole degrees as in the wind file; empty without wind
    QString speedText;     // Text14: knots to 0.1; empty without wind
};

// pictureWidth: inner width of Picture2 in pixels; chartRotation: RaceControl::ChartRotation.
WindIndicatorScene windIndicatorScene(double pictureWidth, double chartRotation,
                                      const WindReading &wind, Colour background);
