// The colours of the viewer: the 15 boat colours, the 16 KML colour strings (aabbggrr) of the
// Google Earth documents, the lay-line colours and the five sea colours. Boats beyond the 15th
// take the colours again from the first: boat 16 has boat 1's colour and KML string.
#pragma once

#include "viewerrace.h"

#include <QString>

constexpr int BoatColourCount = 15;
constexpr int KmlColourCount = 16;

// 1-based boat number: the boat colour and the KML colour string (over the first 15 strings).
ViewerRgb boatColour(int boatNumber);
QString boatKmlColour(int boatNumber);
// The k-th KML colour string (1-based, cycling over all 16): line k of a race uses it.
QString kmlColour(int k);

// Colours every boat of the race in boat order.
void assignBoatColours(ViewerRace &race);

// Lay lines (drawn by the frame renderer): the wind line, one side, the other side.
constexpr ViewerRgb LayLineWindColour{98, 162, 225};
constexpr ViewerRgb LayLineOneSideColour{225, 128, 128};
constexpr ViewerRgb LayLineOtherSideColour{0, 225, 0};

// The five sea colours set at start-up, lightest first.
constexpr ViewerRgb SeaColours[5] = {{160, 225, 255}, {128, 192, 255}, {96, 160, 223}, {64, 128, 192}, {32, 96, 160}};
