#include "viewerextent.h"

#include <cmath>

namespace {

constexpr double DegToRad = 3.14159265358979323846 / 180.0;

void widen(ViewerExtent &e, double lat, double lon)
{
    e.MaxLat = std::max(e.MaxLat, lat);
    e.MinLat = std::min(e.MinLat, lat);
    e.MaxLon = std::max(e.MaxLon, lon);
    e.MinLon = std::min(e.MinLon, lon);
}

} // namespace

void ViewerExtent::setMapSize(int width, int height)
{
    RaceLatScale = LatRange > 0 ? height / LatRange : 0.0;
    RaceLonScale = LonRange > 0 ? width / LonRange : 0.0;
}

ViewerExtent computeExtent(const ViewerRace &race, int mapWidth, int mapHeight)
{
    ViewerExtent e;
    for (const ViewerBoat &boat : race.Boats) {
        for (const ViewerSample &s : boat.Samples) {
            if (s.Time >= race.Period.Start && s.Time <= race.Period.End)
                widen(e, s.Lat, s.Lon);
        }
    }
    e.FromSamples = e.MaxLat >= e.MinLat;
    if (!e.FromSamples) {
        for (const ViewerMark &m : race.Marks)
            widen(e, m.Lat, m.Lon);
        for (const ViewerLine &l : race.Lines) {
            widen(e, l.Lat1, l.Lon1);
            widen(e, l.Lat2, l.Lon2);
        }
        if (e.MaxLat < e.MinLat)
            widen(e, 0.0, 0.0);
    }
    e.CentreLat = (e.MaxLat + e.MinLat) / 2;
    e.CentreLon = (e.MaxLon + e.MinLon) / 2;
    e.CosCentreLat = std::cos(e.CentreLat / 60.0 * DegToRad);

    e.LatRange = (e.MaxLat - e.MinLat) * 1.2;
    e.LonRange = (e.MaxLon - e.MinLon) * 1.2;
    if (e.LonRange * e.CosCentreLat >= e.LatRange)
        e.LatRange = e.LonRange * e.CosCentreLat;
    else
        e.LonRange = e.LatRange / e.CosCentreLat;
    if (e.LatRange < ViewerExtent::MinRange) {
        e.LatRange = ViewerExtent::MinRange;
        e.LonRange = ViewerExtent::MinRange / e.CosCentreLat;
    }

    e.OverviewLatScale = OverviewSize / e.LatRange;
    e.OverviewLonScale = OverviewSize / e.LonRange;
    e.setMapSize(mapWidth, mapHeight);
    return e;
}

QPointF turnForWindUp(QPointF v, double windDirection)
{
    const double a = -windDirection * DegToRad;
    const double c = std::cos(a), s = std::sin(a);
    return {v.x() * c - v.y() * s, v.x() * s + v.y() * c};
}

QPointF overviewPosition(const ViewerExtent &extent, double lat, double lon, bool northUp, double windDirection)
{
    QPointF v((lon - extent.CentreLon) * extent.OverviewLonScale, (extent.CentreLat - lat) * extent.OverviewLatScale);
    if (!northUp)
        v = turnForWindUp(v, windDirection);
    return {OverviewCentre + v.x(), OverviewCentre + v.y()};
}
