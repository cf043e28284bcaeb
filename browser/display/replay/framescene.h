// What one replay frame shows, as plain data: every decision of the frame made, nothing
// painted. The frame builder (framebuilder.h) computes it; the race display's parts paint it:
//   - onto the persistent chart picture: the wakes and the names (they stay until the next
//     chart redraw, like everything the layers draw);
//   - over the chart, composited each frame: the boat symbols and the comparison lines;
//   - the controls: the time boxes, the countdown, the flags, the finish panel, the overview
//     markers, the boat list rows and the time bar cursor;
//   - and the gun, once per shot.
// Pixels are those of the picture each item belongs to (the chart, the overview, the boat
// list, the time bar), y downwards.
#pragma once

#include "boatsymbol.h"

#include <appsettings.h>

#include <QLineF>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QVector>

// What happens to a control that a frame may leave as it is.
enum class FrameChange { Keep, Show, Hide };

struct BoatFrameScene {
    bool symbolShown = false;    // false: the boat has no position at this time (no symbol)
    QPointF position;            // chart pixel of the boat: the centre of its symbol
    BoatSymbolShape symbol;      // drawn in the square of side symbol.size centred on position
    Colour colour = rgb(0, 0, 0);

    FrameChange bar = FrameChange::Keep; // the comparison line
    QLineF barLine;

    bool nameShown = false;      // name and speed beside the symbol, on the chart picture
    QPointF namePosition;        // top left of the text
    QString nameText;            // "Alpha (5.23)"
    double namePointSize = 9.0;

    // The wake on the chart picture, in white: a polyline from the boat back through at most
    // five track points (about 30 s), with a dot of radius 1 at each track point (not at the boat).
    QVector<QPointF> wake;

    FrameChange marker = FrameChange::Keep; // the overview marker
    QPointF markerTopLeft;       // overview pixel of its 7 × 7 box's top left

    // The square the symbol occupies on the chart, for repainting.
    QRectF symbolRect() const
    {
        const double s = symbol.size;
        return {position.x() - s / 2.0, position.y() - s / 2.0, s, s};
    }
};

struct FinishRow {
    int rank = 0;                // 1, 2 …
    int boat = 0;                // 0-based boat index
    QString name;
    Colour colour = rgb(0, 0, 0);
    QString timeText;            // "01:02:05  <125>": finish time and seconds behind the first
};

// A change to one row of the boat list: the speed bar area of the row is erased, then (unless
// the row is emptied) the bar is drawn and the two boxes filled.
struct ListRowScene {
    int boat = 0;                // 0-based row
    bool emptied = false;        // the boat has no position: no bar, both boxes empty
    QRectF erase;                // in the list picture
    QRectF bar;                  // the speed bar, filled in the boat colour
    Colour colour = rgb(0, 0, 0);
    QString speedText;           // Text5: "5.23", ".50"
    QString twaText;             // Text6: "-42"
};

struct FrameScene {
    double time = 0.0;           // the time shown (after the period wrap)
    int wrapped = 0;             // 1: wrapped to the period's start, −1: to its end, 0: no wrap

    QString elapsedText;         // Text11: "00:00:03"
    Colour elapsedColour = rgb(0, 0, 255); // blue from the start on, red before

    bool countdownShown = false; // Text4, from 30 s before the start to 10 s after
    QString countdownText;
    Colour countdownBackground = rgb(255, 0, 0); // blue from 1 s after the start, red before

    bool blueFlagShown = false;  // Blue_P: the preparatory signal
    double blueFlagTop = 0.0;
    bool sevenShown = false;     // Seven: the class flag
    double sevenTop = 0.0;

    int gunShots = 0;            // sounds of the gun this frame: the start, each new finisher

    bool finishPanelShown = false;
    bool finishPanelChanged = false; // rows to draw again
    QVector<FinishRow> finishRows;

    QVector<BoatFrameScene> boats; // boat n at n − 1
    bool anyBoatShown = false;
    bool enlarged = false;         // the last symbol placed was enlarged

    bool graphCursorShown = false; // other pages: the graph's time cursor
    double graphCursorY = 0.0;
    bool timeBarCursorShown = false;
    double timeBarCursorY = 0.0;   // Line5 across the time bar

    bool updateWind = false;       // a new whole second with a wind file: the wind indicator
    bool redrawMarks = false;      // and every fifth second, not tracing: the marks (lay lines turn)

    bool dateTimeShown = false;    // Text1, only when a boat was shown
    QString dateTimeText;
    QVector<ListRowScene> listRows; // only the rows that change
};
