// Paints the analysis pages onto a QPainter: the one drawing routine of the Data page, the
// Graph page with its pointer aid, and the wind direction strip, shared by the page widgets,
// the screen image and the tests. The scenes come from datapage.h and graphpage.h; this only
// paints them.
//
// Usage, for a page widget's persistent image or an exported one:
//     const DataPageScene scene = dataPageScene(input);
//     QImage page = renderDataPage(scene, settings.UiFontName);
// or, onto a painter that already has a device of the page's size:
//     paintDataPage(painter, scene, settings.UiFontName);
#pragma once

#include <datapage.h>
#include <graphpage.h>

#include <QImage>
#include <QString>

class QPainter;

// Paints one scene: fills the painter's whole window with the background when the scene
// clears, then the items in order. fontFamily: the interface font (AppSettings::UiFontName);
// empty for the default font.
void paintPage(QPainter &painter, const PageScene &scene, const QString &fontFamily = QString());

// The Data page: the page scene, then (modes Time, Dist, SPD) the difference graphs drawn on an
// off-screen image of their own size and copied onto the page at their origin.
void paintDataPage(QPainter &painter, const DataPageScene &scene, const QString &fontFamily = QString());
// The same onto a new image of the page's size.
QImage renderDataPage(const DataPageScene &scene, const QString &fontFamily = QString());

// The Graph page onto a new image of the given size.
QImage renderGraphPage(const GraphPageScene &scene, const QSize &size, const QString &fontFamily = QString());

// The pointer aid over the graph: the three marks (black) and the read-out box (black text on
// white with a black frame), each only when shown.
void paintPointerAid(QPainter &painter, const PointerAid &aid, const QString &fontFamily = QString(),
                     double fontScale = 1.0);

// Colour of the pointer aid's marks.
constexpr Colour PointerMarkColour = rgb(0, 0, 0);
