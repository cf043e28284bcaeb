#include "manualview.h"

#include <viewerextent.h>

#include <algorithm>
#include <cmath>

namespace {
constexpr int ManualBoatSize = 16;
}

ManualView manualViewOf(const ViewerExtent &extent)
{
    ManualView view;
    view.CentreLat = (extent.MaxLat + extent.MinLat) / 2;
    view.CentreLon = (extent.MaxLon + extent.MinLon) / 2;
    view.Zoom = 1.0;
    return view;
}

QPointF raceScales(const ViewerExtent &extent, QSize map)
{
    if (!(extent.LatRange > 0) || map.isEmpty())
        return {};
    const double d = std::min(map.height(), map.width()) / extent.LatRange;
    return {d, d * extent.CosCentreLat};
}

ViewerProjection manualProjection(const ManualView &view, const ViewerExtent &extent, QSize map, bool northUp,
                                  int windDirection)
{
    const QPointF scales = raceScales(extent, map);
    ViewerProjection p;
    p.CentreLat = view.CentreLat;
    p.CentreLon = view.CentreLon;
    p.LatScale = scales.x() * view.Zoom;
    p.LonScale = scales.y() * view.Zoom;
    p.Width = map.width();
    p.Height = map.height();
    p.NorthUp = northUp;
    p.WindDirection = windDirection;
    return p;
}

ViewerStroke wholeTrack(const ViewerBoat &boat, const ViewerProjection &projection, int width)
{
    ViewerStroke track;
    track.Colour = boat.Colour;
    track.Width = width;
    track.Points.reserve(boat.sampleCount());
    QPoint last(INT_MIN, INT_MIN);
    for (const ViewerSample &s : boat.Samples) {
        // A fix on the pixel of the one before adds nothing to the picture.
        const QPoint at = projection.toScreen(s.Lat, s.Lon);
        if (at != last)
            track.Points.append(at);
        last = at;
    }
    return track;
}

ManualFrame drawManualView(const LoadedViewerRace &shown, double t, const ManualView &view, QSize map,
                           const FrameOptions &options, const FrameLook &look)
{
    const ViewerRace &race = shown.Race;
    ManualFrame frame;
    frame.Scene.Background = look.Sea;
    const ViewerProjection p = manualProjection(view, shown.Derived.Extent, map, options.NorthUp, race.WindDirection);
    frame.Projection = p;

    for (int b = 0; b < race.boatCount(); ++b) {
        if (options.isFocused(b)) {
            ViewerStroke track = wholeTrack(race.Boats[b], p);
            if (track.Points.size() >= 2)
                frame.Scene.add(std::move(track));
        }
    }
    addCourse(frame.Scene, race, p, look, false, 0.0, 14, false);
    addCoast(frame.Scene, shown.Derived.Coast, p);

    const ViewerWind wind = windAt(race, t);
    for (const ViewerBoat &boat : race.Boats) {
        // The manual view takes each segment's own course, without the frame's smooth turn.
        BoatState s;
        const int j = findSegment(boat, t);
        if (j > 0) {
            const ViewerSample &a = boat.Samples[j - 1], &b = boat.Samples[j];
            const double f = (t - a.Time) / (b.Time - a.Time);
            s.HasSegment = true;
            s.Segment = j;
            s.Lat = a.Lat + (b.Lat - a.Lat) * f;
            s.Lon = a.Lon + (b.Lon - a.Lon) * f;
            s.Course = a.Course;
            s.Speed = a.Speed;
            s.Twa = foldDegrees(wind.DisplayedDirection - s.Course);
        }
        frame.States << s;
    }
    const HullOutline &outline = hullOutline(race.BoatLength);
    for (int b = race.boatCount() - 1; b >= 0; --b) {
        const BoatState &s = frame.States[b];
        if (!s.HasSegment)
            continue;
        const QPointF at = p.toScreen(s.Lat, s.Lon);
        const double heading = foldDegrees(options.NorthUp ? s.Course : s.Course - race.WindDirection);
        const std::array<QPointF, 9> hull = placeHull(outline, ManualBoatSize, heading, at);
        ViewerPolygon polygon;
        polygon.Points = QVector<QPointF>(hull.begin(), hull.begin() + 8);
        polygon.Fill = race.Boats[b].Colour;
        polygon.Outline = viewercolours::White;
        frame.Scene.add(polygon);
        ViewerText name;
        name.Position = at + QPointF(10, -6);
        name.Text = race.Boats[b].Name;
        name.Colour = viewercolours::White;
        frame.Scene.add(name);
    }
    frame.CompassAngle = options.NorthUp ? race.MagneticVariation : race.MagneticVariation - race.WindDirection;
    return frame;
}

void clickManualMap(ManualView &view, const ViewerProjection &current, QPointF pixel, bool leftButton)
{
    const LatLon at = current.toLatLon(pixel.x(), pixel.y());
    view.CentreLat = at.Lat;
    view.CentreLon = at.Lon;
    view.Zoom = leftButton ? view.Zoom * 1.5 : view.Zoom / 1.5;
}

void clickOverview(ManualView &view, const ViewerExtent &extent, QPointF pixel, bool northUp, int windDirection)
{
    QPointF v(pixel.x() - OverviewCentre, pixel.y() - OverviewCentre);
    if (!northUp)
        v = turnForWindUp(v, -windDirection);
    if (extent.OverviewLatScale > 0)
        view.CentreLat = extent.CentreLat - v.y() / extent.OverviewLatScale;
    if (extent.OverviewLonScale > 0)
        view.CentreLon = extent.CentreLon + v.x() / extent.OverviewLonScale;
}
