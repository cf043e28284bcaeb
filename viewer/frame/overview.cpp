#include "overview.h"

#include <viewerextent.h>

ViewerScene overviewScene(const LoadedViewerRace &shown, bool northUp, ViewerRgb sea)
{
    const ViewerRace &race = shown.Race;
    const ViewerExtent &extent = shown.Derived.Extent;
    ViewerScene scene;
    scene.Background = sea;
    const auto at = [&](double lat, double lon) {
        const QPointF p = overviewPosition(extent, lat, lon, northUp, race.WindDirection);
        return QPointF(viewerRound(p.x()), viewerRound(p.y()));
    };
    for (int b = race.boatCount() - 1; b >= 0; --b) {
        ViewerStroke track;
        track.Colour = race.Boats[b].Colour;
        for (const ViewerSample &s : race.Boats[b].Samples) {
            const QPointF p = at(s.Lat, s.Lon);
            if (track.Points.isEmpty() || track.Points.last() != p)
                track.Points << p;
        }
        if (track.Points.size() >= 2)
            scene.add(std::move(track));
    }
    const ViewerCoast &coast = shown.Derived.Coast;
    ViewerStroke line;
    line.Colour = viewercolours::White;
    for (int i = 0; i <= coast.pointCount(); ++i) {
        if (i == coast.pointCount() || coast.startsLine(i)) {
            if (line.Points.size() >= 2)
                scene.add(line);
            line.Points.clear();
        }
        if (i < coast.pointCount())
            line.Points << at(coast.latitude(i), coast.Lon[i]);
    }
    return scene;
}
