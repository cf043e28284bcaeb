// The coast lines of the race area as the viewer chooses and reads them (the files: coastline/).
//
// Choice: with r the latitude span of the race extent (at least 3′), the area is the centre
// ± r in latitude and ± r / 0.8 in longitude. Wider than 50′: the single comma file "toba.cst"
// (listed as "TOBA"). Otherwise every 40′ × 1° tile the area touches, named by the decimal
// latitude band (Int(minutes / 40)) followed by the longitude column less 100
// (Int(minutes / 60) − 100): latitude 34° 40′ and longitude 136° give 5236. All the tiles are
// read, however many the area touches (up to 16).
//
// Mesh tiles are in the Tokyo datum; every point is moved by the datum shift at the centre of
// the race. Storage: the first point of each polyline has 20000 added to its latitude (real
// latitudes never reach it), so the drawing lifts the pen before it.
#pragma once

#include "readproblem.h"
#include "viewerextent.h"

#include <QByteArrayView>
#include <QPointF>
#include <QStringList>
#include <QVector>

constexpr double CoastLineStartMarker = 20000.0;

struct CoastArea {
    double South = 0.0, North = 0.0, West = 0.0, East = 0.0; // minutes

    bool containsStrictly(double lat, double lon) const
    {
        return lat > South && lat < North && lon > West && lon < East;
    }
};

struct ViewerCoast {
    QStringList Files;          // the names chosen ("5339" …, or "TOBA")
    QVector<double> Lat, Lon;   // minutes, WGS 84; Lat + 20000 at the first point of a polyline
    double LatShift = 0.0;      // datum shift added to mesh points, minutes
    double LonShift = 0.0;
    CoastArea Area;

    int pointCount() const { return int(Lat.size()); }
    bool startsLine(int i) const { return Lat[i] >= CoastLineStartMarker / 2; }
    double latitude(int i) const { return startsLine(i) ? Lat[i] - CoastLineStartMarker : Lat[i]; }
};

CoastArea coastArea(const ViewerExtent &extent);

// "TOBA" for an area wider than 50′, else the tile names, south to north, west to east.
QStringList coastFileNames(const ViewerExtent &extent);

// Tokyo datum to WGS 84 at a point (minutes): the shift (latitude, longitude) in minutes.
QPointF datumShift(double latMinutes, double lonMinutes);

// Appends the points of one mesh tile that lie in the second-order meshes the area touches.
// Points that cannot be read are reported and skipped.
void readMeshCoast(QByteArrayView bytes, ViewerCoast &coast, const QString &relativeFile, ReadProblems &problems);

// Appends the points of the comma file: "R, lat, lon" starts a polyline, "lat, lon" continues
// it (minutes, no datum shift).
void readCommaCoast(QByteArrayView bytes, ViewerCoast &coast, const QString &relativeFile, ReadProblems &problems);

// Keeps the points strictly inside the area; the first point kept after dropped ones starts a
// polyline.
void clipCoastToArea(ViewerCoast &coast);

// Chooses and reads the coast of the race area below the application folder: missing files are
// skipped (a race off every tile has none); more than 100 mesh points are clipped to the area.
ViewerCoast loadCoast(const QString &applicationFolder, const ViewerExtent &extent, ReadProblems &problems);
