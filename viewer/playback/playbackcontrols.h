// The scroll bars of the viewer's control panel and what their positions mean: the speed factor
// (ScrollBar1), the zoom divisor (ScrollBar2) and the sea colour with its grid colour
// (ScrollBar3). Positions run 0 … 100.
#pragma once

#include <viewerrace.h>

constexpr int ScrollBarMaximum = 100;
constexpr int SpeedPositionAfterLoad = 16; // × 5
constexpr int SeaPositionAtStart = 100;

// The speed factor at a ScrollBar1 position: × 1 … × 10 in steps of 1 up to 39, × 10 … × 100 in
// tens from 40, × 100 … × 600 in hundreds from 80.
double speedFactorAt(int position);
// The position that gives a speed factor back (clicking "SPEED"): the first position of the
// factor's step in its range, so that the factor stays as it is.
int speedPositionFor(double factor);
// "5X": the factor as Memo2 shows it.
QString speedFactorText(double factor);

// The zoom divisor at a ScrollBar2 position: 10 − position / 10, at least 1; the maximum
// position is the closest zoom.
double zoomDivisorAt(int position);

// The sea colour at a ScrollBar3 position a: RGB(round(1.6a), round(2.2a), min(round(3.25a + 70), 255)),
// from RGB(0, 0, 70) at night to RGB(160, 220, 255) by day.
ViewerRgb seaColourAt(int position);
// The grid colour on that sea: darker than a light sea (above 50), lighter than a dark one.
ViewerRgb gridColourAt(int position);
