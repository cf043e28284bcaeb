// Paints the chart layers onto a QPainter: the one drawing routine shared by the race display
// (the persistent chart picture, the overview and the wind indicator), the image export and
// the tests. The scenes come from chartlayers.h and windindicator.h; this only paints them.
//
// The chart picture keeps what is drawn on it: DrawChart fills it with the sea colour and
// draws coast, grid, tracks and scale bar; DrawTimeMarks and DrawMarks draw on top; the frame
// renderer adds wakes and names until the next DrawChart. A full redraw is DrawChart,
// DrawTimeMarks, DrawMarks in this order.
//
// Usage from the window, on its persistent QImage chart (the same for an exported image):
//     QPainter p(&chart);
//     DrawChart(p, chart.size(), mapView, race, data, options, fontFamily, &trackCache);
//     DrawTimeMarks(p, mapView, race, data, options);
//     DrawMarks(p, chart.size(), mapView, race, data, options);
// The replay timer pausing around DrawTimeMarks and DrawOverview is the window's business.
#pragma once

#include <chartlayers.h>
#include <windindicator.h>

#include <QSize>

class QPainter;
class MapView;
class TrackLayerCache;

// Paints one scene: fills the painter's whole device with the background when the scene
// clears, then the items in order. fontFamily: the chart text font (AppSettings::UiFontName).
void paintLayer(QPainter &painter, const LayerScene &scene, const QString &fontFamily = QString());

// Reads the picture size into the view (ChartSize is its height), applies the zoom floor and
// computes the scales, then clears the picture and draws coast lines, grid, tracks and the
// scale bar. The window caption (the race title) is the window's.
// With a cache, the tracks come from the paths and the picture it keeps for the view, the
// period and the focus (tracklayer.h), with the same pixels; the painter then paints on a
// picture of chartSize without a transformation other than the picture's device pixel ratio
// (a painter transformed otherwise draws the tracks itself).
void DrawChart(QPainter &painter, const QSize &chartSize, MapView &view, const RaceControl &race,
               const RaceData &data, const ChartOptions &options,
               const QString &fontFamily = QString(), TrackLayerCache *tracks = nullptr);

// Recomputes the scales for the picture size as DrawChart does, then draws marks, lines, lay
// lines, labels and the rounding clock on top of what the picture holds.
void DrawMarks(QPainter &painter, const QSize &chartSize, MapView &view, const RaceControl &race,
               const RaceData &data, const ChartOptions &options,
               const QString &fontFamily = QString());

// The one-minute time marks of the focused boats, on top, with the scales of the last
// DrawChart. Nothing when the time marks option is off.
void DrawTimeMarks(QPainter &painter, const MapView &view, const RaceControl &race,
                   const RaceData &data, const ChartOptions &options);

// Computes the overview scales for the picture's inner size, clears it and draws every boat's
// track and the coast lines.
void DrawOverview(QPainter &painter, const QSize &overviewSize, MapView &view,
                  const RaceControl &race, const RaceData &data, const ChartOptions &options);

// Clears the wind indicator picture and draws the disc, the north arrow and the wind arrow;
// returns the texts of the read-out boxes. The caller has run WindAt for the replay time.
WindIndicatorScene DrawWindIndicator(QPainter &painter, const QSize &pictureSize,
                                     double chartRotation, const WindReading &wind,
                                     Colour background);
