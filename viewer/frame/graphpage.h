// The graph page of the viewer, built once per race: on the left every boat's course and the
// wind direction over the race (degrees magnetic), on the right every boat's speed; time runs
// upwards, minute lines across both panels. As plain data, with each boat's traces kept apart
// so that the hover highlight can draw them again, wider.
#pragma once

#include "viewerscene.h"

#include <viewerloader.h>

#include <QSize>
#include <QVector>

struct GraphPage {
    ViewerScene Scene;                         // the whole page
    QVector<QVector<ViewerStroke>> BoatTraces; // per boat: its course (in pieces, broken where it
                                               // wraps round the panel) and its speed
    int LeftX = 40, LeftWidth = 0;             // the panels, pixels
    int RightX = 0, RightWidth = 0;
    int Top = 29, Height = 0;
};

// The page for a picture as wide as the map and a window client height.
GraphPage drawGraphPage(const LoadedViewerRace &shown, int width, int clientHeight, ViewerRgb sea);

// The boat's traces again at width 3, for the hover highlight.
QVector<ViewerStroke> graphHighlight(const GraphPage &page, int boatIndex);

// Where an angle (degrees magnetic) lies across the left panel: the wind direction WD a quarter
// in, so upwind courses gather on the left half and downwind ones on the right.
int graphCourseX(double degrees, int windDirection, int panelWidth);
