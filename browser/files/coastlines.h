// Coast line files (coastline/*.cst tiles and coastline/chinacoast.txt) and the datum
// conversion their positions need. The race load calls LoadCoastLines once the race extent
// is known; the chart layers draw the points.
//
// A ".cst" tile covers one first-order mesh of the Japanese standard regional mesh (1° of
// longitude × 40′ of latitude), Tokyo datum, named by its 4-digit code ("5339": 2 digits
// Int(latitude in degrees × 1.5), 2 digits Int(longitude in degrees) − 100). Line kinds by the
// first character:
//   "M" second-order mesh: characters 3 to 8 are its code pp qq r s
//   "L" a coast line starts: characters 50 to 55 hold its number of points n
//   else  up to 7 points, point j in characters 1 + 10j to 10 + 10j: 5 characters x, then 5
//         characters y, 0 … 10000 across the second-order mesh (x east, y north)
// "chinacoast.txt": "lat,lon" in WGS 84 minutes; a line holding "R" ("R,lat,lon") starts a line.
//
// The files mark the first point of a coast line by a negated latitude; in memory
// CoastPoint::startsLine says so instead, so that southern coasts keep their sign.
//
// What the readers skip is reported: an "M" line whose code is not six digits (the points of
// that mesh are skipped), an "L" count that is no number or above MaxCoastLinePoints (the line
// gets no points), a point within a line's count whose x or y is no number or outside 0 …
// 10000; in "chinacoast.txt" a line without a comma or whose numbers cannot be read or lie off
// the globe. A missing file is skipped silently, as the format allows.
#pragma once

#include <appsettings.h>
#include <fileproblem.h>
#include <racecontrol.h>
#include <racedata.h>

#include <QByteArrayView>
#include <QStringList>
#include <QVector>

struct GeoMinutes {
    double Lat = 0.0; // minutes, north positive
    double Lon = 0.0; // minutes, east positive
};

// Tokyo datum (Bessel 1841) to WGS 84 by a geocentric translation (−148, +508, +680 m), in the
// closed form the coast files were made with (results near 35° N, 139° E are about 0.2′ north
// and west of the Tokyo values). Arguments and result in minutes.
GeoMinutes TokyoToWgs84(double latMinutes, double lonMinutes);

// The area whose coast is wanted: latitudes CentreLat ± Span, longitudes CentreLon ± Span / LonFactor.
struct CoastViewBox {
    double South = 0.0, North = 0.0, West = 0.0, East = 0.0; // minutes
    static CoastViewBox around(const RaceExtent &extent);
};

// The race area lies north of 15° N and west of 125° E (CentreLat > 900, CentreLon < 7500):
// the single China coast file is used instead of the mesh tiles.
bool usesChinaCoast(const RaceExtent &extent);

// The tiles that cover CentreLat ± Span / 2 and CentreLon ± Span / 2 / LonFactor, by row and
// then column, ascending ("5239"). Only 4-digit mesh codes (rows and columns 0 … 99) exist, so
// an area outside the mesh lists none. When more than MaxCoastTiles would be needed, the ones
// whose centres lie nearest the race centre are listed.
QStringList coastTilesFor(const RaceExtent &extent);

// The largest point count an "L" line of a tile may give.
constexpr double MaxCoastLinePoints = 10'000'000;

// Appends the points of one ".cst" tile that lie in meshes overlapping box, converted to WGS 84.
void parseCoastTile(QByteArrayView bytes, const CoastViewBox &box, QVector<CoastPoint> &points,
                    ProblemReporter *problems = nullptr);
// Appends the points of "chinacoast.txt". Lines without a comma are skipped and reported.
void parseChinaCoast(QByteArrayView bytes, QVector<CoastPoint> &points, ProblemReporter *problems = nullptr);

// Fills points (replaced) for the race area of extent: the China coast file when
// usesChinaCoast(), otherwise the tiles of coastTilesFor(), stored in rc.CoastTiles. In edit
// mode, when at least one tile is listed, the race control file is written so that its MAP
// lines match: stored, when given, is the race as its file describes it (the load passes the
// race before the tracks filled in times or dropped boats) and gets the new tiles; otherwise
// rc itself is written. Missing files are skipped silently; what the files hold that cannot be
// read goes to problems. Returns the number of points.
int LoadCoastLines(const AppSettings &settings, RaceControl &rc, const RaceExtent &extent, QVector<CoastPoint> &points,
                   RaceControl *stored = nullptr, FileProblems *problems = nullptr);
