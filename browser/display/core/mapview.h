// The chart projection of the race display: the state that turns a position in minutes of
// latitude and longitude into a pixel of the chart picture (Picture1) or of the overview map
// (Picture6) and back, and the operations that change it (zoom steps, moving the centre,
// showing the whole race, the automatic fit while tracing). Also the small geometric
// read-outs the display shares: the boat symbol size, the scale bar step, the position text
// and the range-and-bearing measurement.
//
// A local plane projection: latitude minutes map linearly to pixels, longitude minutes are
// shortened by RaceExtent::LonFactor, and the result is turned about the chart centre by the
// chart rotation (the up direction of the chart, degrees clockwise from north). Pixels have x
// to the right and y downwards, origin at the top left of the picture.
//
// One instance per race display. The window calls resetForRace() after every load, then
// ComputeScales() at the start of every chart redraw and ComputeOverviewScales() at the start
// of every overview redraw; the transforms use the scales of the last such call. No painting
// happens here: the operations only change the state, and the caller redraws.
//
// Invariants after ComputeScales(): ScaleLon = Extent.LonFactor × ScaleLat; OriginX = OriginY =
// ChartSize / 2. The overview always shows the whole race area around (Extent.CentreLat,
// Extent.CentreLon) with the chart's rotation; its centre never moves.
#pragma once

#include <racedata.h>

#include <QList>
#include <QPointF>
#include <QString>

// A position in minutes of arc, north and east positive.
struct ChartPosition {
    double Lat = 0.0;
    double Lon = 0.0;
};

// Where a boat is at the current frame, for the automatic fit. A boat without a position
// (before its track begins, or with no track) says so through hasPosition, never through
// its latitude, so races south of the equator are followed too.
struct BoatFix {
    double Lat = 0.0;      // minutes
    double Lon = 0.0;      // minutes
    bool hasPosition = false;
    bool focused = false;  // ticked in the boat list
};

struct BoatSymbol {
    double pixels = 3.0;   // side of the square the symbol is drawn in, at least 3
    bool enlarged = false; // raised to 15 pixels by the Enlarge option (otherwise real size)
};

struct ScaleBar {
    double metres = 0.0;   // length of one step of the scale bar (and of the traced chart's grid)
    int divisions = 1;     // 1, 2 or 5: the number of divisions of the scale bar
};

struct RangeAndBearing {
    int rangeMetres = 0;     // rounded to whole metres
    int trueBearing = 0;     // whole degrees, 0 … 359
    int magneticBearing = 0; // whole degrees, 0 … 359: true bearing − magnetic variation
};

class MapView
{
public:
    static constexpr double DefaultFillFraction = 0.75;
    static constexpr double ZoomStep = 1.4;        // one mouse click in or out
    static constexpr double MinUserZoom = 0.27;    // the mouse never zooms out further
    static constexpr double ZoomFloor = 0.6;       // below this the chart shows FloorZoom …
    static constexpr double FloorZoom = 0.5;       // … around the race centre
    static constexpr double MinTraceSpan = 0.02;   // minutes: the automatic fit never goes tighter

    // The race area and its local scale, as the load computed it.
    RaceExtent Extent;
    // Up direction of the chart in degrees (RaceControl::ChartRotation): 0 north up, the
    // wind direction when wind up.
    double ChartRotation = 0.0;

    double ViewLat = 0.0, ViewLon = 0.0; // minutes: the position at the chart centre
    double Zoom = 1.0;        // in effect; 1 shows the whole race area
    double UserZoom = 1.0;    // chosen with the mouse; Zoom returns to it after tracing
    double TraceZoom = 1.0;   // 0.10 … 1.00 from the ZOOM slider; only the automatic fit uses it
    double FillFraction = DefaultFillFraction; // part of the chart height Extent.Span fills at Zoom 1
    double ChartSize = 0.0;   // pixels: side of the square chart picture
    double ChartWidth = 0.0, ChartHeight = 0.0; // pixels: the picture's size (visibility tests)
    double OriginX = 0.0, OriginY = 0.0;        // pixels: the chart centre
    double ScaleLat = 0.0;    // pixels per minute of latitude
    double ScaleLon = 0.0;    // pixels per minute of longitude
    double PixelsPerMetre = 0.0;
    double Rotation = 0.0;    // radians: ChartRotation in radians

    double OverviewSize = 0.0;  // pixels: inner height of the overview picture
    double OverviewWidth = 0.0; // pixels: inner width of the overview picture
    double OverviewScaleLat = 0.0, OverviewScaleLon = 0.0; // pixels per minute
    double OverviewOriginX = 0.0, OverviewOriginY = 0.0;   // pixels: the overview centre

    // The state at race load: centre on the race centre, Zoom = UserZoom = TraceZoom = 1,
    // the given chart rotation (degrees) and chart size (pixels, width = height = size),
    // then ComputeScales().
    void resetForRace(const RaceExtent &extent, double chartRotationDegrees, double chartSize);

    // Sets the chart picture's size in pixels: ChartSize is its height, as each redraw reads it.
    void setChartSize(double width, double height);

    // Applies the zoom floor (Zoom below 0.6 becomes 0.5 around the race centre), then sets
    // ScaleLat, ScaleLon, OriginX, OriginY, PixelsPerMetre and Rotation from Zoom, ChartSize,
    // Extent and ChartRotation. Run at the start of every chart redraw.
    void ComputeScales();
    // Sets the overview fields from the overview picture's inner width and height (pixels).
    void ComputeOverviewScales(double innerWidth, double innerHeight);

    // Position (minutes) → chart pixel. A point in the up direction from the centre is drawn
    // straight above it.
    QPointF ToScreen(double lat, double lon) const;
    QPointF ToScreen(const ChartPosition &p) const { return ToScreen(p.Lat, p.Lon); }
    // Chart pixel → position (minutes); the inverse of ToScreen for any rotation.
    ChartPosition ToChart(double x, double y) const;
    ChartPosition ToChart(const QPointF &pixel) const { return ToChart(pixel.x(), pixel.y()); }
    // The same for the overview map, always around the race centre and without zoom.
    QPointF OverviewToScreen(double lat, double lon) const;
    ChartPosition OverviewToChart(double x, double y) const;

    // True when the pixel lies on the chart picture (0 ≤ x < ChartWidth, 0 ≤ y < ChartHeight).
    bool isOnChart(const QPointF &pixel) const;

    // A mouse zoom step at the clicked chart pixel: UserZoom × 1.4 in, ÷ 1.4 out, never below
    // 0.27; a result in (0.9, 1.1] becomes exactly 1 around the race centre, any other change
    // centres the chart on the clicked position. Then Zoom = UserZoom and the scales are
    // recomputed. Returns true when UserZoom changed. The caller redraws the chart and one frame.
    bool ZoomAt(double x, double y, bool zoomIn);
    // Centres the chart on a position (minutes); Zoom = UserZoom. The caller redraws.
    void MoveTo(double lat, double lon);
    // UserZoom = Zoom = 1 around the middle of the race area. The caller redraws.
    void ShowAll();
    // The automatic fit while tracing: centres on the focused boats that have a position and
    // sets Zoom so that they fill 85 % of FillFraction of the chart at TraceZoom 1 (smaller
    // TraceZoom shows more water). Returns false and leaves the view alone when no focused
    // boat has a position. The caller clears the chart and redraws it with the marks.
    bool FitToBoats(const QList<BoatFix> &boats);
    // Zoom back to UserZoom (tracing switched off, re-centring by hand …).
    void restoreUserZoom() { Zoom = UserZoom; }
    // Re-centring from a click on the overview (pixels): only while not tracing and with Zoom
    // above 0.6; the clicked position becomes the centre and Zoom = UserZoom. Returns true
    // when the view changed (the caller redraws the chart, time marks and marks and one frame).
    bool RecentreFromOverview(double x, double y, bool tracing);
    // Turning the chart from a click on the overview (pixels): the new up direction in whole
    // degrees, the direction of the clicked pixel seen from the overview centre added to the
    // present ChartRotation (1 … 360). The caller makes it the wind direction and saves the race.
    int OverviewTurnDirection(double x, double y) const;

    // Boat symbol side in pixels for a boat of the given length (metres) at PixelsPerMetre:
    // with enlarge on, sizes below 15 become 15 (enlarged); then at least 3.
    BoatSymbol BoatSymbolSize(double boatLengthMetres, bool enlarge) const;
    // The scale bar step for the metres that 400 pixels cover.
    ScaleBar ScaleBarStep() const;

    // "N 35:30.123'/E 139:45.5'": degrees and minutes truncated to three decimals. Latitude
    // greater than 0 is N, otherwise S; longitude greater than 0 is E, otherwise W.
    static QString FormatPosition(double lat, double lon);
    // Range (metres) and bearings (degrees) from (lat1, lon1) to (lat2, lon2), minutes, in the
    // local plane of Extent. magneticVariation: degrees, west negative (RaceControl::
    // MagneticVariation); the magnetic bearing is the true one minus it.
    RangeAndBearing RangeBearing(double lat1, double lon1, double lat2, double lon2,
                                 double magneticVariation) const;

private:
    QPointF project(double lat, double lon, double centreLat, double centreLon, double scaleLat,
                    double scaleLon, double originX, double originY) const;
    ChartPosition unproject(double x, double y, double centreLat, double centreLon,
                            double scaleLat, double scaleLon, double originX,
                            double originY) const;
};
