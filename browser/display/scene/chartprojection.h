// The chart projection of one redraw reduced to six factors, so that the layers can project
// hundreds of thousands of track points in a tight loop. Built from a MapView whose scales are
// computed (chartFrame, overviewFrame); it gives the same pixels as MapView::ToScreen.
#pragma once

#include <QPointF>

class MapView;

class ChartProjection
{
public:
    ChartProjection() = default;
    // scaleLat, scaleLon: pixels per minute; rotationRadians: the chart's up direction,
    // clockwise from north; (originX, originY): the pixel of (viewLat, viewLon).
    ChartProjection(double viewLat, double viewLon, double scaleLat, double scaleLon,
                    double rotationRadians, double originX, double originY);

    // (lat, lon) in minutes to a pixel, x right and y down.
    QPointF toScreen(double latMinutes, double lonMinutes) const
    {
        const double dLat = latMinutes - m_viewLat;
        const double dLon = lonMinutes - m_viewLon;
        return QPointF(m_originX + m_xLon * dLon + m_xLat * dLat,
                       m_originY + m_yLon * dLon + m_yLat * dLat);
    }

    bool operator==(const ChartProjection &other) const = default;

private:
    double m_viewLat = 0.0, m_viewLon = 0.0;
    double m_originX = 0.0, m_originY = 0.0;
    double m_xLon = 0.0, m_xLat = 0.0, m_yLon = 0.0, m_yLat = 0.0;
};

// One picture the layers draw on: its projection and size, and the scale of the chart.
struct ChartFrame {
    ChartProjection projection;
    double size = 0.0;   // side of the square the coast lines are clipped to (ChartSize)
    double width = 0.0;  // ChartWidth
    double height = 0.0; // ChartHeight
    double scaleLat = 0.0;       // pixels per minute of latitude
    double pixelsPerMetre = 0.0;
    double scaleBarStep = 0.0;   // metres (MapView::ScaleBarStep)
    int scaleBarDivisions = 1;   // 1, 2 or 5

    // True when the pixel lies strictly inside the square: the coast lines' clipping test.
    bool insideSquare(const QPointF &p) const
    {
        return p.x() > 0.0 && p.x() < size && p.y() > 0.0 && p.y() < size;
    }

    bool operator==(const ChartFrame &other) const = default;
};

// The chart picture of a MapView whose scales are computed (ComputeScales).
ChartFrame chartFrame(const MapView &view);
// The overview picture of a MapView whose overview scales are computed (ComputeOverviewScales).
// Its square is the overview's inner height.
ChartFrame overviewFrame(const MapView &view);
