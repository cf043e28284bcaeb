#include "trackingframe.h"

#include <passtable.h>
#include <viewerextent.h>

#include <cmath>

namespace {

constexpr int MaxGridLines = 101;

// Screen heading of a boat: its course north up, less WD wind up, in −180 … 180.
double screenHeading(double course, bool northUp, int windDirection)
{
    return foldDegrees(northUp ? course : course - windDirection);
}

QString nameWithSpeed(const ViewerBoat &boat, double speed)
{
    return boat.Name + QStringLiteral("  ") + QString::number(speed, 'f', 2) + QStringLiteral("Kts");
}

void addGrid(ViewerScene &scene, const ViewerProjection &p, double spacingKm, double pixelsPerKm, ViewerRgb colour)
{
    // The origin snaps the centre to the spacing, the spacing taken as minutes.
    const double lat = std::floor(p.CentreLat / spacingKm + 0.5) * spacingKm;
    const double lon = std::floor(p.CentreLon / spacingKm + 0.5) * spacingKm;
    const QPoint origin = p.toScreen(lat, lon);
    const double step = spacingKm * pixelsPerKm;
    if (!(step > 0))
        return;
    for (int i = -MaxGridLines; i <= MaxGridLines; ++i) {
        const double y = origin.y() + i * step;
        if (y >= 0 && y < p.Height)
            scene.add(ViewerStroke{{QPointF(0, y), QPointF(p.Width, y)}, colour});
        const double x = origin.x() + i * step;
        if (x >= 0 && x < p.Width)
            scene.add(ViewerStroke{{QPointF(x, 0), QPointF(x, p.Height)}, colour});
    }
}

void addScaleBar(ViewerScene &scene, double spacingKm, double pixelsPerKm, int height)
{
    const double right = viewerRound(spacingKm * pixelsPerKm + 20);
    const ViewerRgb white = viewercolours::White;
    scene.add(ViewerStroke{{QPointF(20, height - 15), QPointF(20, height - 5)}, white});
    scene.add(ViewerStroke{{QPointF(right, height - 15), QPointF(right, height - 5)}, white});
    scene.add(ViewerStroke{{QPointF(20, height - 10), QPointF(right, height - 10)}, white});
    ViewerText text;
    text.Position = QPointF(50, height - 25);
    text.Text = gridSpacingText(spacingKm);
    text.Colour = white;
    scene.add(text);
}

ViewerDisc markDisc(QPointF at)
{
    return ViewerDisc{at, 4, viewercolours::Yellow, viewercolours::Black, 1};
}

ViewerText label(QPointF at, const QString &text, ViewerRgb colour, ViewerRgb background)
{
    ViewerText t;
    t.Position = at;
    t.Text = text;
    t.Colour = colour;
    t.Opaque = true;
    t.Background = background;
    return t;
}

ViewerText leadText(QPointF at, const QString &lead, int offsetPerChar, ViewerRgb sea)
{
    // Written on in the label's red, larger.
    ViewerText t = label(QPointF(at.x() - offsetPerChar * lead.size(), at.y() - 40), lead, viewercolours::Red, sea);
    t.FontSize = 20;
    return t;
}

} // namespace

void addCourse(ViewerScene &scene, const ViewerRace &race, const ViewerProjection &p, const FrameLook &look,
               bool layLines, double reference, int leadOffsetPerChar, bool linesWithLead)
{
    CourseElement lead;
    if (look.LeadElement >= 1 && look.LeadElement <= race.Course.size() && !look.LeadText.isEmpty())
        lead = courseElement(race.Course[look.LeadElement - 1], race);

    for (int k = 1; k <= race.Marks.size(); ++k) {
        const ViewerMark &m = race.Marks[k - 1];
        const QPointF at = p.toScreen(m.Lat, m.Lon);
        if (layLines)
            for (const ViewerStroke &ray : layLineRays(at, reference, race.LayLineUp, race.LayLineDown))
                scene.add(ray);
        scene.add(markDisc(at));
        scene.add(label(at + QPointF(8, -6), QStringLiteral("MK%1").arg(k), viewercolours::Red, look.Sea));
        if (lead.What == CourseElement::Mark && lead.Number == k)
            scene.add(leadText(at, look.LeadText, leadOffsetPerChar, look.Sea));
    }
    for (int k = 1; k <= race.Lines.size(); ++k) {
        const ViewerLine &l = race.Lines[k - 1];
        const QPointF a = p.toScreen(l.Lat1, l.Lon1);
        const QPointF b = p.toScreen(l.Lat2, l.Lon2);
        if (layLines) {
            for (const ViewerStroke &ray : layLineRays(a, reference, race.LayLineUp, race.LayLineDown))
                scene.add(ray);
            for (const ViewerStroke &ray : layLineRays(b, reference, race.LayLineUp, race.LayLineDown))
                scene.add(ray);
        }
        scene.add(ViewerStroke{{a, b}, viewercolours::Yellow});
        scene.add(markDisc(a));
        scene.add(markDisc(b));
        const QString name = QStringLiteral("L%1").arg(k);
        scene.add(label(a + QPointF(8, -6), name, viewercolours::Red, look.Sea));
        scene.add(label(b + QPointF(8, -6), name, viewercolours::Red, look.Sea));
        // A line's lead goes above its middle, in the mark's size.
        if (linesWithLead && lead.What == CourseElement::Line && lead.Number == k)
            scene.add(leadText((a + b) / 2, look.LeadText, leadOffsetPerChar, look.Sea));
    }
}

void addCoast(ViewerScene &scene, const ViewerCoast &coast, const ViewerProjection &p)
{
    ViewerStroke line;
    line.Colour = viewercolours::White;
    const auto flush = [&] {
        if (line.Points.size() >= 2)
            scene.add(line);
        line.Points.clear();
    };
    for (int i = 0; i < coast.pointCount(); ++i) {
        if (coast.startsLine(i))
            flush();
        line.Points.append(p.toScreen(coast.latitude(i), coast.Lon[i]));
    }
    flush();
}

ViewerProjection frameProjection(const ViewerExtent &extent, double maxLat, double minLat, double maxLon, double minLon,
                                 QSize map, double zoomDivisor, bool northUp, int windDirection)
{
    const double latSpan = std::max(maxLat - minLat, 0.04);
    const double lonSpan = std::max(maxLon - minLon, 0.05);
    const double c = extent.CosCentreLat;
    double d, e;
    if (lonSpan * c > latSpan) {
        e = map.height() * 0.6 / lonSpan;
        d = e / c;
    } else {
        d = map.height() * 0.6 / latSpan;
        e = c * d;
    }
    const double divisor = std::max(zoomDivisor, 1.0);
    ViewerProjection p;
    p.LatScale = d / divisor;
    p.LonScale = e / divisor;
    p.CentreLat = (maxLat + minLat) / 2;
    p.CentreLon = (maxLon + minLon) / 2;
    p.Width = map.width();
    p.Height = map.height();
    p.NorthUp = northUp;
    p.WindDirection = windDirection;
    return p;
}

void TrackingFrameBuilder::reset(int boatCount)
{
    m_segments.fill(1, boatCount);
}

TrackingFrame TrackingFrameBuilder::draw(const LoadedViewerRace &shown, double t, QSize map, const FrameOptions &options,
                                         const FrameLook &look)
{
    const ViewerRace &race = shown.Race;
    const ViewerDerivations &derived = shown.Derived;
    const int boats = race.boatCount();
    if (m_segments.size() != boats)
        reset(boats);

    TrackingFrame frame;
    frame.Scene.Background = look.Sea;

    // Wind and compass.
    frame.Wind = windAt(race, t);
    frame.WindText = QString::number(frame.Wind.Direction);
    frame.WindMark = windMarkPosition(frame.Wind.DisplayedDirection, options.NorthUp, race.WindDirection, CompassSize);

    // Boat states and the box of the focused boats.
    double maxLat = -50000, minLat = 50000, maxLon = -50000, minLon = 50000;
    frame.States.reserve(boats);
    for (int b = 0; b < boats; ++b) {
        const BoatState s = boatStateAt(race.Boats[b], t, frame.Wind.DisplayedDirection, m_segments[b]);
        if (s.HasSegment) {
            m_segments[b] = s.Segment;
            if (options.isFocused(b)) {
                maxLat = std::max(maxLat, s.Lat);
                minLat = std::min(minLat, s.Lat);
                maxLon = std::max(maxLon, s.Lon);
                minLon = std::min(minLon, s.Lon);
            }
        }
        frame.States << s;
    }

    if (!options.PointerOverTimeBar) {
        frame.OverviewDots.reserve(boats);
        for (int b = 0; b < boats; ++b) {
            const BoatState &s = frame.States[b];
            // A boat without a position keeps its dot where the last frame left it.
            frame.OverviewDots << (s.HasSegment ? overviewPosition(derived.Extent, s.Lat, s.Lon, options.NorthUp,
                                                                   race.WindDirection)
                                                : QPointF(-1, -1));
        }
    }

    // Without Auto Trace, or with no focused boat on the water, the box is the race extent.
    if (!options.AutoTrace || maxLat < minLat) {
        maxLat = derived.Extent.MaxLat;
        minLat = derived.Extent.MinLat;
        maxLon = derived.Extent.MaxLon;
        minLon = derived.Extent.MinLon;
    }
    const ViewerProjection p = frameProjection(derived.Extent, maxLat, minLat, maxLon, minLon, map, options.ZoomDivisor,
                                               options.NorthUp, race.WindDirection);
    frame.Projection = p;
    const double pixelsPerKm = p.LatScale / 1.852;

    frame.Size = boatSize(p.LatScale, race.BoatLength, options.BigBoats);
    const int k = frame.Size.Pixels;

    // Grid, coast, scale bar.
    frame.GridSpacingKm = gridSpacingKm(map.height(), pixelsPerKm);
    addGrid(frame.Scene, p, frame.GridSpacingKm, pixelsPerKm, look.Grid);
    addCoast(frame.Scene, derived.Coast, p);
    addScaleBar(frame.Scene, frame.GridSpacingKm, pixelsPerKm, map.height());

    // Course.
    const double reference = referenceAngle(frame.Wind.DisplayedDirection, options.NorthUp, race.WindDirection);
    addCourse(frame.Scene, race, p, look, options.LayLines, reference, 4, true);

    // Boats, first pass: wakes, comparison lines, names.
    QVector<QPointF> pixels(boats);
    for (int b = 0; b < boats; ++b) {
        if (frame.States[b].HasSegment)
            pixels[b] = p.toScreen(frame.States[b].Lat, frame.States[b].Lon);
    }
    for (int b = boats - 1; b >= 0; --b) {
        const BoatState &s = frame.States[b];
        if (!s.HasSegment)
            continue;
        const ViewerBoat &boat = race.Boats[b];
        const int j = s.Segment;
        const int step = std::max(1, viewerRound(std::floor(10000.0 / p.LatScale / std::max(boat.MeanInterval, 1))));
        ViewerStroke wake;
        wake.Colour = viewercolours::White;
        wake.Points << pixels[b];
        for (int n = 0; n < 4; ++n) {
            const ViewerSample &sample = boat.Samples[std::max(j - n * step, 1) - 1];
            const QPointF at = p.toScreen(sample.Lat, sample.Lon);
            wake.Points << at;
            if (n < 3)
                frame.Scene.add(ViewerDisc{at, 1.5, viewercolours::White, viewercolours::White, 0});
        }
        frame.Scene.add(wake);

        if (options.CompareLine) {
            frame.Scene.add(ViewerStroke{{screenPoint(pixels[b], reference + 90, 600), screenPoint(pixels[b], reference - 90, 600)},
                                         boat.Colour});
        }
        if (options.NameMode > 0) {
            ViewerText name;
            name.Position = QPointF(viewerRound(k / 2.0) + pixels[b].x() + 7, pixels[b].y() - 6);
            name.Text = options.NameMode == 2 ? nameWithSpeed(boat, s.Speed) : boat.Name;
            name.Colour = viewercolours::White;
            name.Opaque = true;
            name.Background = look.Sea;
            frame.Scene.add(name);
        }
    }

    // The hovered boat.
    const int hovered = options.HoveredBoat - 1;
    if (hovered >= 0 && hovered < boats && frame.States[hovered].HasSegment) {
        const QPointF at = pixels[hovered];
        frame.Scene.add(ViewerDisc{at, double(viewerRound(k * 0.5 + 3)), viewercolours::LightCyan, viewercolours::LightCyan, 1});
        ViewerText name;
        name.Position = QPointF(viewerRound(k / 2.0) + at.x() + 7, at.y() - 6);
        name.Text = nameWithSpeed(race.Boats[hovered], frame.States[hovered].Speed);
        name.Colour = race.Boats[hovered].Colour;
        name.Opaque = true;
        name.Background = viewercolours::White;
        frame.Scene.add(name);
    }

    // Second pass: hulls, wind triangles, sails.
    const HullOutline &outline = hullOutline(race.BoatLength);
    const double windOnScreen = p.NorthUp ? frame.Wind.DisplayedDirection : frame.Wind.DisplayedDirection - race.WindDirection;
    for (int b = boats - 1; b >= 0; --b) {
        const BoatState &s = frame.States[b];
        if (!s.HasSegment)
            continue;
        const ViewerBoat &boat = race.Boats[b];
        const double heading = screenHeading(s.Course, options.NorthUp, race.WindDirection);
        const std::array<QPointF, 9> hull = placeHull(outline, k, heading, pixels[b]);
        ViewerPolygon polygon;
        polygon.Points = QVector<QPointF>(hull.begin(), hull.begin() + 8);
        polygon.Fill = boat.Colour;
        polygon.Outline = look.SeaPosition > 75 ? boat.Colour : viewercolours::LightGrey;
        frame.Scene.add(polygon);

        if (options.CompassHovered) {
            ViewerStroke triangle;
            triangle.Points = {screenPoint(pixels[b], windOnScreen, k), screenPoint(pixels[b], windOnScreen - 5, 2 * k),
                               screenPoint(pixels[b], windOnScreen + 5, 2 * k)};
            triangle.Colour = viewercolours::Yellow;
            triangle.Closed = true;
            frame.Scene.add(triangle);
        }
        const QVector<QPointF> sail = sailPoints(hull[8], k, s.Twa, s.Speed, heading);
        if (!sail.isEmpty())
            frame.Scene.add(ViewerPolygon{sail, viewercolours::White, viewercolours::White});
    }

    frame.Scene.add(raceTimeLabel(t, map.width(), map.height()));
    addClock(frame.Scene, look.TimeOfDay, look.SeaPosition, map.width(), map.height());
    return frame;
}
