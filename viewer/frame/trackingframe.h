// One frame of the tracking view: the chart that follows the focused boats at replay time t,
// as plain data. The frame timer (viewer/playback) asks for one every tick; the window paints
// the scene into its map picture and copies it to the screen in one go.
//
// A frame holds, in drawing order: the grid with its spacing rule, the coast lines, the scale
// bar, the marks and lines (with lay lines and the leader's lead), the wakes, comparison lines
// and names of the boats, the hover highlight, the hulls with the wind triangles and sails, the
// race-time text and the clock. Beside the scene it gives what the window shows elsewhere: the
// wind (compass text and mark), every boat's state, the overview dots, and the projection the
// pointer and the scene export read.
//
// The builder keeps what one frame leaves for the next: each boat's segment, where the next
// search starts, so that a frame only interpolates.
#pragma once

#include "framegeometry.h"
#include "viewerprojection.h"
#include "viewerscene.h"

#include <boatstate.h>
#include <viewerloader.h>

#include <QList>
#include <QPointF>
#include <QSize>
#include <QString>
#include <QVector>

// The display options a frame reads (the check boxes of the control panel and what the pointer
// is over).
struct FrameOptions {
    bool NorthUp = false;       // RadioN checked
    bool AutoTrace = true;      // CheckBox1: the box follows the focused boats, else the race extent
    bool LayLines = false;      // chkLL
    bool CompareLine = false;   // ChkRefLine
    bool BigBoats = false;      // ChkBigBoat
    int NameMode = 1;           // 0 none, 1 names, 2 names and speeds
    int HoveredBoat = 0;        // 1-based, 0 none
    bool CompassHovered = false;
    bool PointerOverTimeBar = false; // the overview previews the time bar's pointer: dots stay
    QVector<bool> Focused;      // per boat (its check box); a boat without an entry is focused
    double ZoomDivisor = 1.0;   // 1 … 10: the scales are divided by it

    bool isFocused(int boatIndex) const { return boatIndex >= Focused.size() || Focused[boatIndex]; }
};

// What the playback hands the frame: the sea and grid colours, the sea-colour position, the
// time of day for the clock and the leader's lead.
struct FrameLook {
    ViewerRgb Sea{160, 220, 255};
    ViewerRgb Grid{110, 170, 255};
    int SeaPosition = 100;     // 0 … 100
    double TimeOfDay = 0.0;    // seconds, 0 … 86400
    QString LeadText;          // whole seconds
    int LeadElement = 0;       // 1-based course element, 0 none
};

constexpr int CompassSize = 100; // Panel1 and compasst, pixels

struct TrackingFrame {
    ViewerScene Scene;
    ViewerProjection Projection;
    ViewerWind Wind;
    QList<BoatState> States;      // per boat
    QString WindText;             // Memo3: the wind direction as the wind file gives it
    QPointF WindMark;             // top left of windmk on the compass panel
    QVector<QPointF> OverviewDots; // top left of each boat's dot on the overview (empty: leave them)
    BoatSize Size;
    double GridSpacingKm = 0.0;
};

class TrackingFrameBuilder
{
public:
    // Forgets the segments of the race before.
    void reset(int boatCount);
    // The frame at replay time t on a map picture of the given size.
    TrackingFrame draw(const LoadedViewerRace &shown, double t, QSize map, const FrameOptions &options,
                       const FrameLook &look);
    // The segment each boat had in the last frame (1-based, 0 none).
    const QVector<int> &segments() const { return m_segments; }

private:
    QVector<int> m_segments;
};

// The view box of a frame: the focused boats' positions (the race extent without Auto Trace, or
// when no focused boat has a position), at least 0.04′ of latitude and 0.05′ of longitude, and
// the scales that fit it into 60 % of the map height, divided by the zoom divisor.
ViewerProjection frameProjection(const ViewerExtent &extent, double maxLat, double minLat, double maxLon, double minLon,
                                 QSize map, double zoomDivisor, bool northUp, int windDirection);

// The marks and lines of the course (with the leader's lead at the element it belongs to) as the
// frame and the manual view draw them. leadOffsetPerChar: how far left of the mark the lead
// starts per character (4 in the frame, 14 in the manual view).
void addCourse(ViewerScene &scene, const ViewerRace &race, const ViewerProjection &projection, const FrameLook &look,
               bool layLines, double reference, int leadOffsetPerChar, bool linesWithLead);

// The coast lines in white, the pen lifted before the first point of each polyline.
void addCoast(ViewerScene &scene, const ViewerCoast &coast, const ViewerProjection &projection);
