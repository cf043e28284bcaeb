// Paints what a replay frame computed (framescene.h) and the time bar (timebar.h): the one
// drawing routine the race display's chart, the frame benchmark and an image export share.
//
//   paintFrameOnChart   the wakes and names, onto the persistent chart picture (they stay
//                       until the next chart redraw clears it)
//   paintBoatOverlay    the symbols and comparison lines, over the chart each time it is shown
//   paintFinishPanel    the finish panel's rows
//   paintTimeBar        the time bar's bands and start and finish lines
#pragma once

#include <framescene.h>
#include <timebar.h>

#include <QSize>
#include <QString>

class QPainter;

void paintFrameOnChart(QPainter &painter, const FrameScene &frame, const QString &fontFamily = QString());

// sea: the chart background, which fills the ring of a marked or hovered boat.
void paintBoatOverlay(QPainter &painter, const FrameScene &frame, Colour sea);
// One symbol with the top left of its square at topLeft.
void paintBoatSymbol(QPainter &painter, const BoatSymbolShape &symbol, const QPointF &topLeft, Colour colour,
                     Colour sea);

// The rows of the finish panel on a picture of width × (14 × rows + 5) pixels, cleared first.
void paintFinishPanel(QPainter &painter, const QVector<FinishRow> &rows, const QSize &size,
                      const QString &fontFamily = QString());
// Height of the finish panel for a number of rows.
int finishPanelHeight(int rows);

// Clears the time bar picture and paints the bands and the start and finish lines.
void paintTimeBar(QPainter &painter, const TimeBarScene &scene, const QSize &size);
