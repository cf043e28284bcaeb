// What the mouse does on the chart (Picture1) and on the overview map (Picture6) of the race
// display, as plain data: every decision of the chart tools made here, nothing painted and
// nothing written. The chart tools part of the window (charttools.h) forwards each press and
// move, then redraws, writes the race control file and shows what this returns.
//
// The editing modes (ChartEditState) and what a press does:
//   measuring on (the "R/B" box): left sets the origin, right ends measuring; nothing else;
//   otherwise only while the chart is not traced and the track page is shown:
//     course mode, either button: the picked mark or line end joins the course;
//     right button in the mark or line mode: the picked mark or line is deleted;
//     Shift + left: the chart centre moves there; Shift + right: the whole race area;
//     mark mode: a mark there (the mode ends);
//     line mode: the first end, then the second end and the line (the mode ends);
//     no mode: zoom in (left) or out (right) about the clicked point.
// The modes are mutually exclusive and all off at every race load.
//
// Pixels are chart pixels (x right, y down) unless said otherwise; positions are minutes.
#pragma once

#include "displaytexts.h"

#include <courseediting.h>
#include <mapview.h>
#include <racecontrol.h>

#include <QLineF>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QString>

#include <functional>

// Where the line tool is: LineMode 0, 1 and 1.1 of the design.
enum class LineStep {
    Off,       // not placing a line
    FirstEnd,  // waiting for the first end
    SecondEnd, // waiting for the second end (the rubber band follows the pointer)
};

// The editing modes of the chart and what they remember between clicks. Positions are kept in
// minutes; the pixels of the rubber band come from the projection in effect, so moving the
// chart between two clicks keeps the band on the first end.
struct ChartEditState {
    bool MeasureOriginSet = false;
    double MeasureOriginLat = 0.0, MeasureOriginLon = 0.0;
    bool MarkMode = false;
    LineStep LineMode = LineStep::Off;
    double LineFirstLat = 0.0, LineFirstLon = 0.0;
    bool CourseMode = false;

    bool isLineMode() const { return LineMode != LineStep::Off; }
    // Every mode off (race load).
    void reset() { *this = ChartEditState(); }
};

enum class ChartButton { Left, Right };

// What the rest of the display says about the moment of the press or move.
struct ChartContext {
    bool tracing = false;    // "AutoTrace": the chart follows the fleet, nothing can be placed
    bool trackPage = true;   // the chart is shown (not the graph or the data page)
    bool measuring = false;  // MeasureMode: the "R/B" box is ticked
    bool hints = true;       // HintMode
    bool english = false;
    bool shift = false;      // Shift held at the press
    float scale = 1.0f;      // AppSettings::Scale: the hint boxes grow with it
    QString title;           // the race title of the window caption
    double chartWidth = 0.0, chartHeight = 0.0; // pixels
};

enum class ChartAction {
    None,             // nothing changed (a click far from every mark and line, a refused edit …)
    MeasureOriginSet, // the measuring origin is the clicked position
    MeasureEnded,     // right click while measuring: untick "R/B", hide the rubber band
    CourseEntryAdded, // a course entry was appended
    Deleted,          // a mark or line was deleted and the course emptied
    MovedTo,          // Shift + left: the view is centred on the click
    ShownAll,         // Shift + right: the whole race area at zoom 1
    Zoomed,           // a zoom step about the click
    MarkPlaced,       // a new mark; the mark mode ended
    LineStarted,      // the first end of a line
    LinePlaced,       // a new line; the line mode ended
};

struct ChartPressResult {
    ChartAction action = ChartAction::None;
    EditRefusal refusal = EditRefusal::None; // a refused edit (action None, nothing changed)

    // Marks, lines or course changed: the race control file is written, the passings computed
    // again.
    bool raceChanged() const
    {
        return action == ChartAction::CourseEntryAdded || action == ChartAction::Deleted
            || action == ChartAction::MarkPlaced || action == ChartAction::LinePlaced;
    }
    // The projection changed: full redraw and a frame.
    bool viewChanged() const
    {
        return action == ChartAction::MovedTo || action == ChartAction::ShownAll || action == ChartAction::Zoomed;
    }
};

// The hint box (Text7) over the chart: its text and place in chart pixels.
struct ChartHintBox {
    bool shown = false;
    QString text;
    QRect rect;
};

// What the pointer over the chart shows.
struct ChartPointerReadout {
    bool captionShown = false; // not while tracing
    QString caption;           // title + 20 blanks + "N 35:30.123'/E 139:45.5'"
    ChartHintBox hint;
    bool rubberBandShown = false; // Line4: measuring from the origin, or the line being placed
    QLineF rubberBand;
};

// The size in pixels of a text as the hint box draws it (all its lines). The window measures
// with its font; tests give a fixed width per character.
using TextMeasure = std::function<QSize(const QString &text)>;

// The box of a hint: its design size scaled, grown where the text needs more room (the fonts
// at hand are not the design's).
QSize fitHintBox(const QSize &designSize, float scale, const QSize &textSize);

// Where the hints go, in chart pixels, for the pointer at p and a box of the given size on a
// chart of the given size:
//   the zoom hint 15 right of and 30 below the pointer; left of it (x − width − 10) when it
//   would pass the right edge + 5, above it (y − height − 10) when it would pass the bottom + 5;
QPoint zoomHintPlace(QPointF p, QSize box, double chartWidth, double chartHeight);
//   the hints of the mark and line tools with their right edge 10 left of the pointer and their
//   top at its y; their left edge 10 right of it when they would leave the chart at the left;
QPoint modeHintPlace(QPointF p, QSize box);
//   the course tag centred on the pointer, its top 20 above it.
QPoint courseTagPlace(QPointF p, QSize box);

// The measuring read-out: " 180度／187mag   1852m" (the true bearing and the range with the
// leading blank of a positive number, the magnetic bearing without).
QString rangeBearingText(const RangeAndBearing &rb);

// The wind direction typed into Text3: the leading number of the text; 0 when it is below 0,
// above 360 or not a number.
float windDirectionFromText(const QString &text);

// The overview map's click.
struct OverviewPressResult {
    enum Action {
        None,
        Recentred, // left button: the chart centre moved there (Zoom back to UserZoom)
        Turned,    // right button in edit mode, wind up: the clicked direction is the new up
    } action = None;
    int upDirection = 0; // Turned: degrees, 1 … 360
};

// The chart tools' decisions on one race, its projection and the editing state. Holds
// references only: construct it over the race display's objects and keep it as long as they.
class ChartInteraction
{
public:
    ChartInteraction(RaceControl &race, MapView &view, ChartEditState &state)
        : m_race(race), m_view(view), m_state(state)
    {
    }

    // A press on the chart at pixel p. Changes the race, the view or the state as the press
    // says; the caller writes, redraws and shows.
    ChartPressResult press(ChartButton button, QPointF p, const ChartContext &context);
    // The pointer at pixel p: caption, hint box and rubber band. Changes nothing.
    ChartPointerReadout move(QPointF p, const ChartContext &context, const TextMeasure &measure) const;

    // The mode buttons: each click toggles its mode and switches the two others off. True
    // when the passings of the Data page are out of date afterwards (mark or line mode on,
    // course mode off).
    bool toggleMarkMode();
    bool toggleLineMode();
    bool toggleCourseMode();
    // The "R/B" box ticked or unticked: either way no origin.
    void setMeasuring(bool on);

    // A press on the overview at its pixel p. Recentring changes the view; turning changes
    // ChartRotation, WindDirection and ShownWindDirection of the race (the caller shows the
    // direction in Text3, redraws and writes).
    OverviewPressResult overviewPress(ChartButton button, QPointF p, bool tracing, bool editMode);

    // The mark or line end near a chart pixel.
    ChartPick pickAt(QPointF p) const;

private:
    RaceControl &m_race;
    MapView &m_view;
    ChartEditState &m_state;
};

// The boat tag (Text8) of the boat list row under the pointer: name + "(" + the speed rounded
// to 0.01 knot + ")".
QString boatTagText(const QString &name, double knots);
// Its place on the chart for the boat's symbol square: 6 pixels right of the symbol, at its
// top; left of it, 15 pixels away, when it would pass the chart's side.
QPoint boatTagPlace(const QRectF &symbol, QSize box, double chartSize);
