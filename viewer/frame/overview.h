// The overview map of the viewer (170 × 170 on pnlLOGO): the whole race area in the first sea
// colour, every boat's whole track in its colour and the coast in white, turned like the main
// chart. Drawn once per race and whenever the orientation changes; the boats' dots are moved on
// it by every frame (overviewPosition in viewerextent.h).
#pragma once

#include "viewerscene.h"

#include <viewerloader.h>

ViewerScene overviewScene(const LoadedViewerRace &shown, bool northUp, ViewerRgb sea);
