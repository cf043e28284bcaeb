#include "mapview.h"

#include <numbers.h>

#include <QtMath>

#include <cmath>

void MapView::resetForRace(const RaceExtent &extent, double chartRotationDegrees, double chartSize)
{
    Extent = extent;
    ChartRotation = chartRotationDegrees;
    ViewLat = extent.CentreLat;
    ViewLon = extent.CentreLon;
    Zoom = UserZoom = 1.0;
    TraceZoom = 1.0;
    FillFraction = DefaultFillFraction;
    setChartSize(chartSize, chartSize);
    ComputeScales();
}

void MapView::setChartSize(double width, double height)
{
    ChartWidth = width;
    ChartHeight = height;
    ChartSize = height;
}

void MapView::ComputeScales()
{
    if (Zoom < ZoomFloor) {
        Zoom = FloorZoom;
        ViewLat = Extent.CentreLat;
        ViewLon = Extent.CentreLon;
    }
    // The extent's span is at least 0.1 minute after a load; a default extent must not
    // divide by zero either.
    const double span = Extent.Span > 0 ? Extent.Span : 0.1;
    ScaleLat = Zoom * FillFraction * ChartSize / span;
    ScaleLon = Extent.LonFactor * ScaleLat;
    OriginX = OriginY = ChartSize / 2.0;
    PixelsPerMetre = Extent.MetresPerLatMinute > 0 ? ScaleLat / Extent.MetresPerLatMinute : 0.0;
    Rotation = Extent.DegToRad * ChartRotation;
}

void MapView::ComputeOverviewScales(double innerWidth, double innerHeight)
{
    OverviewSize = innerHeight;
    OverviewWidth = innerWidth;
    const double span = Extent.Span > 0 ? Extent.Span : 0.1;
    OverviewScaleLat = FillFraction * OverviewSize / span;
    OverviewScaleLon = Extent.LonFactor * OverviewScaleLat;
    OverviewOriginX = OverviewOriginY = OverviewSize / 2.0;
    OriginX = OriginY = ChartSize / 2.0;
}

QPointF MapView::project(double lat, double lon, double centreLat, double centreLon,
                         double scaleLat, double scaleLon, double originX, double originY) const
{
    const double X = scaleLon * (lon - centreLon);
    const double Y = scaleLat * (centreLat - lat);
    const double c = std::cos(Rotation), s = std::sin(Rotation);
    return {originX + c * X + s * Y, originY - s * X + c * Y};
}

ChartPosition MapView::unproject(double x, double y, double centreLat, double centreLon,
                                 double scaleLat, double scaleLon, double originX,
                                 double originY) const
{
    const double dx = x - originX, dy = y - originY;
    const double c = std::cos(-Rotation), s = std::sin(-Rotation);
    const double X = c * dx + s * dy;
    const double Y = -s * dx + c * dy;
    ChartPosition p;
    p.Lon = scaleLon != 0 ? centreLon + X / scaleLon : centreLon;
    p.Lat = scaleLat != 0 ? centreLat - Y / scaleLat : centreLat;
    return p;
}

QPointF MapView::ToScreen(double lat, double lon) const
{
    return project(lat, lon, ViewLat, ViewLon, ScaleLat, ScaleLon, OriginX, OriginY);
}

ChartPosition MapView::ToChart(double x, double y) const
{
    return unproject(x, y, ViewLat, ViewLon, ScaleLat, ScaleLon, OriginX, OriginY);
}

QPointF MapView::OverviewToScreen(double lat, double lon) const
{
    return project(lat, lon, Extent.CentreLat, Extent.CentreLon, OverviewScaleLat,
                   OverviewScaleLon, OverviewOriginX, OverviewOriginY);
}

ChartPosition MapView::OverviewToChart(double x, double y) const
{
    return unproject(x, y, Extent.CentreLat, Extent.CentreLon, OverviewScaleLat,
                     OverviewScaleLon, OverviewOriginX, OverviewOriginY);
}

bool MapView::isOnChart(const QPointF &pixel) const
{
    return pixel.x() >= 0 && pixel.y() >= 0 && pixel.x() < ChartWidth && pixel.y() < ChartHeight;
}

bool MapView::ZoomAt(double x, double y, bool zoomIn)
{
    const double old = UserZoom;
    UserZoom = zoomIn ? UserZoom * ZoomStep : UserZoom / ZoomStep;
    if (UserZoom < MinUserZoom)
        UserZoom = MinUserZoom;
    const bool changed = UserZoom != old;
    if (changed) {
        if (UserZoom > 0.9 && UserZoom <= 1.1) {
            UserZoom = 1.0;
            ViewLat = Extent.CentreLat;
            ViewLon = Extent.CentreLon;
        } else {
            const ChartPosition p = ToChart(x, y);
            ViewLat = p.Lat;
            ViewLon = p.Lon;
        }
    }
    Zoom = UserZoom;
    ComputeScales();
    return changed;
}

void MapView::MoveTo(double lat, double lon)
{
    ViewLat = lat;
    ViewLon = lon;
    Zoom = UserZoom;
}

void MapView::ShowAll()
{
    UserZoom = Zoom = 1.0;
    ViewLat = (Extent.MaxLat + Extent.MinLat) / 2.0;
    ViewLon = (Extent.MaxLon + Extent.MinLon) / 2.0;
}

bool MapView::FitToBoats(const QList<BoatFix> &boats)
{
    double minLat = 100000, maxLat = -100000, minLon = 1000000, maxLon = -1000000;
    bool any = false;
    for (const BoatFix &b : boats) {
        if (!b.focused || !b.hasPosition)
            continue;
        any = true;
        minLat = std::min(minLat, b.Lat);
        maxLat = std::max(maxLat, b.Lat);
        minLon = std::min(minLon, b.Lon);
        maxLon = std::max(maxLon, b.Lon);
    }
    if (!any)
        return false;
    ViewLat = (minLat + maxLat) / 2.0;
    ViewLon = (minLon + maxLon) / 2.0;
    double span = std::max(maxLat - minLat, Extent.LonFactor * (maxLon - minLon));
    if (span < MinTraceSpan)
        span = MinTraceSpan;
    const double trace = TraceZoom > 0 ? TraceZoom : 1.0;
    span /= trace;
    Zoom = 0.85 * Extent.Span / span;
    return true;
}

bool MapView::RecentreFromOverview(double x, double y, bool tracing)
{
    if (tracing || !(Zoom > ZoomFloor))
        return false;
    const ChartPosition p = OverviewToChart(x, y);
    ViewLat = p.Lat;
    ViewLon = p.Lon;
    Zoom = UserZoom;
    return true;
}

int MapView::OverviewTurnDirection(double x, double y) const
{
    const double dx = x - OverviewOriginX;
    const double dy = OverviewOriginY - y;
    double a;
    if (dy == 0) {
        a = dx >= 0 ? 90 : 270;
    } else {
        a = std::atan(dx / dy) / Extent.DegToRad;
        if (a < 0)
            a += 360;
        if (dy < 0)
            a += 180;
    }
    if (a < 0)
        a += 360;
    if (a >= 360)
        a -= 360;
    int up = int(std::floor(a + ChartRotation));
    if (up > 360)
        up -= 360;
    return up;
}

BoatSymbol MapView::BoatSymbolSize(double boatLengthMetres, bool enlarge) const
{
    BoatSymbol b;
    double s = PixelsPerMetre * boatLengthMetres;
    if (enlarge && s < 15) {
        s = 15;
        b.enlarged = true;
    }
    if (s < 3)
        s = 3;
    b.pixels = s;
    return b;
}

ScaleBar MapView::ScaleBarStep() const
{
    ScaleBar bar;
    if (!(PixelsPerMetre > 0))
        return bar;
    const double m = 400.0 / PixelsPerMetre;
    const double l = std::log10(m);
    const double e = std::floor(l);
    const double f = std::pow(10.0, l - e);
    bar.divisions = f > 5 ? 5 : f > 2 ? 2 : 1;
    bar.metres = std::pow(10.0, e) * bar.divisions;
    return bar;
}

namespace {

// Degrees and minutes with the minutes cut (not rounded) to three decimals. The small
// allowance keeps a minute value such as 30.123, which binary fractions hold as
// 30.12299999…, from losing its last digit.
QString degreesMinutes(double minutes)
{
    const double a = std::fabs(minutes);
    const double d = std::floor(a / 60.0);
    const double m = std::floor(1000.0 * (a - 60.0 * d) + 1e-6) / 1000.0;
    return QString::number(qint64(d)) + QLatin1Char(':') + platform::formatNumber(m) + QLatin1Char('\'');
}

} // namespace

QString MapView::FormatPosition(double lat, double lon)
{
    return (lat > 0 ? QStringLiteral("N ") : QStringLiteral("S ")) + degreesMinutes(lat)
        + QLatin1Char('/') + (lon > 0 ? QStringLiteral("E ") : QStringLiteral("W "))
        + degreesMinutes(lon);
}

RangeAndBearing MapView::RangeBearing(double lat1, double lon1, double lat2, double lon2,
                                      double magneticVariation) const
{
    RangeAndBearing r;
    const double dLat = lat2 - lat1;
    const double dLon = Extent.LonFactor * (lon2 - lon1);
    r.rangeMetres = int(std::floor(Extent.MetresPerLatMinute * std::sqrt(dLat * dLat + dLon * dLon) + 0.5));
    double b;
    if (dLat == 0) {
        b = dLon >= 0 ? 90 : 270;
    } else {
        b = std::atan(dLon / dLat) / Extent.DegToRad;
        if (b < 0)
            b += 360;
        if (dLat < 0)
            b += 180;
        b = std::floor(b + 0.5);
    }
    if (b < 0)
        b += 360;
    if (b >= 360)
        b -= 360;
    r.trueBearing = int(b);
    double m = std::floor(b - magneticVariation + 0.5);
    m = std::fmod(m, 360.0);
    if (m < 0)
        m += 360;
    r.magneticBearing = int(m);
    return r;
}
