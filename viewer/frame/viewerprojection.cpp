#include "viewerprojection.h"

#include <viewerextent.h>
#include <viewerrace.h>

#include <cmath>

namespace {
constexpr double DegToRad = 3.14159265358979323846 / 180.0;
}

QPointF ViewerProjection::turned(QPointF v) const
{
    return NorthUp ? v : turnForWindUp(v, WindDirection);
}

QPointF ViewerProjection::offset(double lat, double lon) const
{
    return turned(QPointF((lon - CentreLon) * LonScale, (CentreLat - lat) * LatScale));
}

QPoint ViewerProjection::toScreen(double lat, double lon) const
{
    const QPointF v = offset(lat, lon);
    return {viewerRound(Width / 2.0 + v.x()), viewerRound(Height / 2.0 + v.y())};
}

LatLon ViewerProjection::toLatLon(double x, double y) const
{
    QPointF v(x - Width / 2.0, y - Height / 2.0);
    if (!NorthUp)
        v = turnForWindUp(v, -WindDirection);
    LatLon p;
    p.Lat = LatScale > 0 ? CentreLat - v.y() / LatScale : CentreLat;
    p.Lon = LonScale > 0 ? CentreLon + v.x() / LonScale : CentreLon;
    return p;
}

QPointF screenPoint(QPointF from, double degrees, double length)
{
    const double r = degrees * DegToRad;
    return {from.x() + length * std::sin(r), from.y() - length * std::cos(r)};
}
