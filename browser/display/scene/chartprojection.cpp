#include "chartprojection.h"

#include <mapview.h>

#include <cmath>

// MapView turns the offsets by the rotation after scaling them:
//   X = ScaleLon × (lon − ViewLon), Y = ScaleLat × (ViewLat − lat),
//   x = OriginX + cos r × X + sin r × Y, y = OriginY − sin r × X + cos r × Y.
// Folding the scales into the rotation leaves four products per point.
ChartProjection::ChartProjection(double viewLat, double viewLon, double scaleLat, double scaleLon,
                                 double rotationRadians, double originX, double originY)
    : m_viewLat(viewLat), m_viewLon(viewLon), m_originX(originX), m_originY(originY)
{
    const double c = std::cos(rotationRadians);
    const double s = std::sin(rotationRadians);
    m_xLon = c * scaleLon;
    m_xLat = -s * scaleLat;
    m_yLon = -s * scaleLon;
    m_yLat = -c * scaleLat;
}

ChartFrame chartFrame(const MapView &view)
{
    ChartFrame f;
    f.projection = ChartProjection(view.ViewLat, view.ViewLon, view.ScaleLat, view.ScaleLon,
                                   view.Rotation, view.OriginX, view.OriginY);
    f.size = view.ChartSize;
    f.width = view.ChartWidth;
    f.height = view.ChartHeight;
    f.scaleLat = view.ScaleLat;
    f.pixelsPerMetre = view.PixelsPerMetre;
    if (view.PixelsPerMetre > 0.0) {
        const ScaleBar bar = view.ScaleBarStep();
        f.scaleBarStep = bar.metres;
        f.scaleBarDivisions = bar.divisions;
    }
    return f;
}

ChartFrame overviewFrame(const MapView &view)
{
    ChartFrame f;
    f.projection = ChartProjection(view.Extent.CentreLat, view.Extent.CentreLon,
                                   view.OverviewScaleLat, view.OverviewScaleLon, view.Rotation,
                                   view.OverviewOriginX, view.OverviewOriginY);
    f.size = view.OverviewSize;
    f.width = view.OverviewWidth;
    f.height = view.OverviewSize;
    f.scaleLat = view.OverviewScaleLat;
    f.pixelsPerMetre = view.OverviewScaleLat / view.Extent.MetresPerLatMinute;
    return f;
}
