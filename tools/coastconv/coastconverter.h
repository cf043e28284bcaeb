// Coast line tiles (coastline/*.cst) from a shoreline data set. The coastconv program feeds it
// the shore lines that GMT dumps from GSHHG ("gmt coast -R… -Df -W -M") and writes one tile
// per first-order mesh; the tools tests call these functions directly.
//
// The tiles hold Tokyo-datum positions: the programs shift every tile point to WGS 84 with
// TokyoToWgs84 when they read it. GSHHG is WGS 84, so every point is first taken back to the
// Tokyo datum with the inverse of that same shift, so that reading puts it where GSHHG has it.
//
// Tile layout (first character decides the kind of line):
//   "M ppqqrs"   a second-order mesh (5′ of latitude × 7.5′ of longitude), code in characters 3–8
//   "L…"         a coast line inside that mesh, its number of points in characters 50–55
//   points       up to 7 a line, 10 characters each: x then y, 5 characters, 0 … 10000 across
//                the mesh from its south-west corner
// A shore line that crosses mesh edges is cut there into pieces, one per mesh, each ending on
// the edge, so that a reader drawing only the meshes near the race still draws whole shores.
#pragma once

#include <coastlines.h>

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

namespace tools {

// WGS 84 minutes to Tokyo-datum minutes: the inverse of TokyoToWgs84 by fixed-point
// iteration (the shift changes by millimetres over the shift's own size, so a few steps reach
// the last digit).
GeoMinutes wgs84ToTokyo(double latMinutes, double lonMinutes);

using CoastPolyline = QList<GeoMinutes>;

// The shore lines of GMT's multi-segment text: "> …" starts a segment, other lines hold
// "lon lat" in degrees (blank or tab separated). Lines that hold no two numbers are reported
// in *warnings with their line number and skipped. Segments of fewer than two points are dropped.
QList<CoastPolyline> parseGmtSegments(const QStringList &lines, QStringList *warnings = nullptr);

// The 4-digit first-order mesh code of a position in minutes ("5239"), empty outside the
// range the codes can name.
QString firstOrderMeshCode(double latMinutes, double lonMinutes);

// The WGS 84 box in degrees (west, east, south, north) that holds the tiles' Tokyo-datum area
// with a margin for the datum shift.
struct DegreeBox {
    double West = 0.0, East = 0.0, South = 0.0, North = 0.0;
};
DegreeBox wgs84BoxForTiles(const QStringList &tiles, double marginDeg = 0.02);

// The tiles (lines without line ends) for WGS 84 shore lines: each named tile gets the pieces
// that fall in it, meshes in ascending code order. A tile with no shore is present with no lines.
QMap<QString, QStringList> buildCoastTiles(const QList<CoastPolyline> &wgs84Lines, const QStringList &tiles);

} // namespace tools
