#include "graphpage.h"

#include <cmath>

namespace {

constexpr ViewerRgb PanelColour{225, 225, 255};
constexpr ViewerRgb LightLine{192, 192, 225};
constexpr ViewerRgb DarkLine{162, 162, 225};

double into360(double a)
{
    a = std::fmod(a, 360.0);
    return a < 0 ? a + 360.0 : a;
}

ViewerPolygon box(double x, double y, double w, double h, ViewerRgb colour)
{
    return ViewerPolygon{{QPointF(x, y), QPointF(x + w, y), QPointF(x + w, y + h), QPointF(x, y + h)}, colour, colour};
}

ViewerText text(QPointF at, const QString &s, ViewerRgb colour)
{
    ViewerText t;
    t.Position = at;
    t.Text = s;
    t.Colour = colour;
    return t;
}

// Collects a trace point by point. A jump of more than half the panel across (a course
// wrapping round) starts a new piece. Within a pixel row only the first, the leftmost, the
// rightmost and the last point are kept, in their order: a four-hour track of one-second fixes
// has some fifteen fixes a row, and the picture stays the same.
class TraceBuilder
{
public:
    TraceBuilder(ViewerRgb colour, double breakDistance) : m_colour(colour), m_break(breakDistance) {}
    void add(QPointF p)
    {
        if (m_hasLast) {
            if (p == m_last)
                return;
            if (std::fabs(p.x() - m_last.x()) > m_break)
                flushPiece();
            else if (p.y() != m_last.y())
                flushRow();
        }
        m_row.append(p);
        m_last = p;
        m_hasLast = true;
    }
    QVector<ViewerStroke> finish()
    {
        flushPiece();
        return m_pieces;
    }

private:
    void flushRow()
    {
        if (m_row.isEmpty())
            return;
        qsizetype left = 0, right = 0;
        for (qsizetype i = 1; i < m_row.size(); ++i) {
            if (m_row[i].x() < m_row[left].x())
                left = i;
            if (m_row[i].x() > m_row[right].x())
                right = i;
        }
        const qsizetype keep[] = {0, std::min(left, right), std::max(left, right), m_row.size() - 1};
        qsizetype previous = -1;
        for (qsizetype i : keep) {
            if (i != previous)
                m_current.Points.append(m_row[i]);
            previous = i;
        }
        m_row.clear();
    }
    void flushPiece()
    {
        flushRow();
        if (m_current.Points.size() >= 2) {
            m_current.Colour = m_colour;
            m_pieces.append(m_current);
        }
        m_current.Points.clear();
    }
    ViewerRgb m_colour;
    double m_break;
    QPointF m_last;
    bool m_hasLast = false;
    QVector<QPointF> m_row;
    ViewerStroke m_current;
    QVector<ViewerStroke> m_pieces;
};

} // namespace

int graphCourseX(double degrees, int windDirection, int panelWidth)
{
    return viewerRound(panelWidth * into360(degrees - windDirection + 90) / 360.0 + 40);
}

GraphPage drawGraphPage(const LoadedViewerRace &shown, int width, int clientHeight, ViewerRgb sea)
{
    const ViewerRace &race = shown.Race;
    const PlaybackPeriod &period = race.Period;
    GraphPage page;
    page.LeftWidth = viewerRound(width / 2.0 - 45);
    page.RightX = viewerRound(width / 2.0) + 10;
    page.RightWidth = viewerRound(width / 2.0 - 20);
    page.Height = clientHeight - 61;
    const int h = page.Height, top = page.Top;
    const double length = period.length() > 0 ? period.length() : 1.0;
    const auto y = [&](double t) { return top + h - (t - period.Start) * h / length; };

    ViewerScene &scene = page.Scene;
    scene.Background = sea;
    scene.add(box(page.LeftX, top, page.LeftWidth, h, PanelColour));
    scene.add(box(page.RightX, top, page.RightWidth, h, PanelColour));

    // Minute lines across both panels, every fifth darker and numbered, the start in red.
    const int minutes = viewerRound(period.End / 60);
    for (int m = 0; m < minutes; ++m) {
        const double at = viewerRound(y(60.0 * m));
        const ViewerRgb colour = m == 0 ? viewercolours::Red : (m % 5 == 0 ? DarkLine : LightLine);
        scene.add(ViewerStroke{{QPointF(page.LeftX, at), QPointF(page.LeftX + page.LeftWidth, at)}, colour});
        scene.add(ViewerStroke{{QPointF(page.RightX, at), QPointF(page.RightX + page.RightWidth, at)}, colour});
        if (m % 5 == 0)
            scene.add(text(QPointF(10, at - 4), QString::number(m), viewercolours::White));
    }

    // Left panel: courses and the wind direction.
    scene.add(text(QPointF(60, 10), QStringLiteral("Boat course and Wind Direction (Deg in Mag)"), viewercolours::White));
    for (int v = 0; v < 360; v += 10) {
        const int x = graphCourseX(v, race.WindDirection, page.LeftWidth);
        const bool dark = v % 30 == 0;
        scene.add(ViewerStroke{{QPointF(x, top), QPointF(x, top + h)}, dark ? DarkLine : LightLine});
        if (dark) {
            const QString label = QString::number(v);
            scene.add(text(QPointF(x - 3 * label.size(), top + h + 5), label, viewercolours::White));
        }
    }
    // Right panel: speeds up to the whole knot above the race's maximum.
    const int speedScale = std::max(1, int(std::floor(shown.Derived.MaxSpeed + 1)));
    const auto speedX = [&](double v) {
        return std::min(double(viewerRound(page.RightWidth * v / speedScale + page.RightX)), double(page.RightX + page.RightWidth));
    };
    scene.add(text(QPointF(page.RightX + 60, 10), QStringLiteral("Boat Speed (KTS)"), viewercolours::White));
    for (int v = 1; v <= std::min(10, speedScale); ++v) {
        const double x = speedX(v);
        scene.add(ViewerStroke{{QPointF(x, top), QPointF(x, top + h)}, LightLine});
        const QString label = QString::number(v);
        scene.add(text(QPointF(x - 3 * label.size(), top + h + 5), label, viewercolours::White));
    }

    // The traces, the last boat first so that boat 1 lies on top.
    page.BoatTraces.resize(race.boatCount());
    for (int b = race.boatCount() - 1; b >= 0; --b) {
        const ViewerBoat &boat = race.Boats[b];
        TraceBuilder course(boat.Colour, page.LeftWidth / 2.0);
        TraceBuilder speed(boat.Colour, page.RightWidth + 1.0);
        for (const ViewerSample &s : boat.Samples) {
            if (s.Time < period.Start || s.Time > period.End)
                continue;
            const double at = viewerRound(y(s.Time));
            course.add(QPointF(graphCourseX(s.Course - race.MagneticVariation, race.WindDirection, page.LeftWidth), at));
            speed.add(QPointF(speedX(s.Speed), at));
        }
        QVector<ViewerStroke> traces = course.finish() + speed.finish();
        for (const ViewerStroke &trace : traces)
            scene.add(trace);
        page.BoatTraces[b] = std::move(traces);
    }
    TraceBuilder wind(viewercolours::Black, page.LeftWidth / 2.0);
    for (const ViewerWindSample &w : race.Wind) {
        if (w.Time >= period.Start && w.Time <= period.End)
            wind.add(QPointF(graphCourseX(w.Direction, race.WindDirection, page.LeftWidth), viewerRound(y(w.Time))));
    }
    for (const ViewerStroke &trace : wind.finish())
        scene.add(trace);
    return page;
}

QVector<ViewerStroke> graphHighlight(const GraphPage &page, int boatIndex)
{
    QVector<ViewerStroke> out = page.BoatTraces.value(boatIndex);
    for (ViewerStroke &s : out)
        s.Width = 3;
    return out;
}
