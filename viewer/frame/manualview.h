// The manual view: with Auto Trace off the chart stands still and the user moves it by hand.
// A click on the map centres it there and zooms in (left button, × 1.5) or out (any other
// button, ÷ 1.5); a click on the overview centres it there. The view shows every focused boat's
// whole track, the marks and lines (with the leader's lead at marks), the coast, and the boats at
// the replay time, 16 pixels long and named.
#pragma once

#include "trackingframe.h"
#include "viewerprojection.h"
#include "viewerscene.h"

#include <boatstate.h>
#include <viewerloader.h>

#include <QList>
#include <QPointF>
#include <QSize>

struct ManualView {
    double CentreLat = 0.0, CentreLon = 0.0; // minutes
    double Zoom = 1.0;                       // times the race scales
};

// The view Auto Trace falls back to: the middle of the race extent at zoom 1.
ManualView manualViewOf(const ViewerExtent &extent);

// The race scales for a map: the race extent fitted whole into the map, one scale in metres for
// both axes (pixels per minute of longitude = cosine of the centre latitude × pixels per minute of
// latitude), so the chart keeps its shape on any window.
QPointF raceScales(const ViewerExtent &extent, QSize map);

ViewerProjection manualProjection(const ManualView &view, const ViewerExtent &extent, QSize map, bool northUp,
                                  int windDirection);

struct ManualFrame {
    ViewerScene Scene;
    ViewerProjection Projection;
    QList<BoatState> States;
    double CompassAngle = 0.0; // MG − WD wind up, MG north up
};

ManualFrame drawManualView(const LoadedViewerRace &shown, double t, const ManualView &view, QSize map,
                           const FrameOptions &options, const FrameLook &look);

// A boat's whole track on the chart, in its colour (the hover highlight draws it 3 pixels wide).
ViewerStroke wholeTrack(const ViewerBoat &boat, const ViewerProjection &projection, int width = 1);

// A click on the map at a pixel: the manual centre moves there, zooming in with the left button
// and out with any other.
void clickManualMap(ManualView &view, const ViewerProjection &current, QPointF pixel, bool leftButton);
// A click on the overview picture (170 × 170) at a pixel: the manual centre moves there.
void clickOverview(ManualView &view, const ViewerExtent &extent, QPointF pixel, bool northUp, int windDirection);
