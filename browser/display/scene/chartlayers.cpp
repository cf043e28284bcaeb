#include "chartlayers.h"

#include "layertexts.h"

#include <numbers.h>

#include <cmath>
#include <iterator>

namespace {

constexpr Colour Black = rgb(0, 0, 0);
constexpr Colour Red = rgb(255, 0, 0);
constexpr Colour Yellow = rgb(255, 255, 0);
constexpr Colour GridColour = rgb(128, 192, 255);
constexpr Colour LayLineColour = rgb(192, 192, 255);

constexpr double LabelPoints = 9.0;
constexpr double LineLabelPoints = 12.0;
constexpr double ClockPoints = 16.0;
constexpr double MarkRadius = 3.0;
constexpr double TimeMarkRadius = 4.0;
constexpr double TimeMarkInterval = 60.0; // seconds
constexpr double RoundingClockSeconds = 300.0;

constexpr double Pi = 3.14159265358979323846;

// Which sides of the picture a pixel lies beyond (the outcodes of Cohen and Sutherland): a
// segment whose two ends share a side cannot cross the picture.
int outcode(const QPointF &p, double width, double height)
{
    int code = 0;
    if (p.x() < 0.0)
        code |= 1;
    else if (p.x() > width)
        code |= 2;
    if (p.y() < 0.0)
        code |= 4;
    else if (p.y() > height)
        code |= 8;
    return code;
}

// The pixel column or row a coordinate falls in: floor(v), without a call into the maths
// library for each of the hundreds of thousands of track points. Coordinates beyond 10^15
// pixels (a chart zoomed in absurdly far) count as lying at that distance.
qint64 pixelOf(double v)
{
    constexpr double Far = 1e15;
    v = v < -Far ? -Far : (v > Far ? Far : v); // NaN stays NaN and becomes 0 below
    if (!(v == v))
        return 0;
    const qint64 i = qint64(v);
    return i - (v < double(i) ? 1 : 0);
}

// Joins points into polylines for a track. A point on the pixel of the last one kept, or on
// a pixel next to it, adds nothing a one-pixel line can show, and a segment whose ends lie
// beyond the same side of the picture shows nothing, so both are left out; this keeps a
// four-hour fleet at 1 s fixes to a few thousand vertices per boat however far the chart is
// zoomed in.
template<typename Out>
class TrackStroker
{
public:
    TrackStroker(Out &out, Colour colour, double width, double height)
        : m_out(out), m_colour(colour), m_width(width), m_height(height)
    {
    }

    void add(const QPointF &p)
    {
        const qint64 px = pixelOf(p.x());
        const qint64 py = pixelOf(p.y());
        if (m_hasLast && std::abs(px - m_lastPx) <= 1 && std::abs(py - m_lastPy) <= 1) {
            m_skipped = p;
            m_hasSkipped = true;
            return;
        }
        m_hasSkipped = false;
        m_lastPx = px;
        m_lastPy = py;
        take(p);
    }

    // Ends the track at its real last point, even when that shares the pixel before.
    void finish()
    {
        if (m_hasSkipped)
            take(m_skipped);
        m_hasSkipped = false;
        flush();
    }

private:
    void take(const QPointF &p)
    {
        const int code = outcode(p, m_width, m_height);
        if (m_hasLast) {
            if ((m_lastCode & code) != 0) {
                flush();
            } else {
                if (m_run.isEmpty())
                    m_run.append(m_last);
                m_run.append(p);
            }
        }
        m_last = p;
        m_lastCode = code;
        m_hasLast = true;
    }

    void flush()
    {
        if (m_run.size() >= 2) {
            SceneStroke s;
            s.points = std::move(m_run);
            s.colour = m_colour;
            m_out.push_back(std::move(s));
        }
        m_run = QVector<QPointF>();
    }

    Out &m_out;
    Colour m_colour;
    double m_width, m_height;
    QVector<QPointF> m_run;
    QPointF m_last, m_skipped;
    int m_lastCode = 0;
    qint64 m_lastPx = 0, m_lastPy = 0;
    bool m_hasLast = false, m_hasSkipped = false;
};

// The first point the tracks layer joins for a playback period: the one at or before its
// start (the first point when none is); −1 when the boat sailed nothing in the period.
int periodFirstPoint(const BoatTrack &track, double periodStart, double periodEnd)
{
    const int n = track.PointCount();
    if (n < 2 || periodEnd < periodStart)
        return -1;
    const TrackPoint *p = track.Points.constData();
    if (periodStart >= p[n - 1].Time || periodEnd < p[0].Time)
        return -1;
    for (int k = 0; k < n - 1; ++k) {
        if (p[k].Time <= periodStart && periodStart < p[k + 1].Time)
            return k;
    }
    return 0;
}

// True when point k (not the last) is the last one joined: the period ends before the next.
bool periodEndsAfter(const TrackPoint *p, int k, double periodEnd)
{
    return p[k].Time <= periodEnd && periodEnd < p[k + 1].Time;
}

// The track over a playback period: trackPeriodPoints and addTrack in one pass over the
// points, so that a long track is read once.
template<typename Out>
void addTrackOverPeriod(Out &out, const ChartFrame &frame, const BoatTrack &track, double periodStart,
                        double periodEnd, Colour colour)
{
    const int first = periodFirstPoint(track, periodStart, periodEnd);
    if (first < 0)
        return;
    TrackStroker<Out> stroker(out, colour, frame.width, frame.height);
    const TrackPoint *points = track.Points.constData();
    const int n = track.PointCount();
    for (int k = first;; ++k) {
        stroker.add(frame.projection.toScreen(points[k].Lat, points[k].Lon));
        if (k == n - 1 || periodEndsAfter(points, k, periodEnd))
            break;
    }
    stroker.finish();
}

template<typename Out>
void addTrack(Out &out, const ChartFrame &frame, const BoatTrack &track, int first, int last, Colour colour)
{
    if (last <= first)
        return;
    TrackStroker<Out> stroker(out, colour, frame.width, frame.height);
    const TrackPoint *points = track.Points.constData();
    for (int k = first; k <= last; ++k)
        stroker.add(frame.projection.toScreen(points[k].Lat, points[k].Lon));
    stroker.finish();
}

// A segment of a coast line is drawn when either end lies strictly inside the square; a
// segment that only crosses the square is not. Consecutive drawn segments make one stroke.
void addCoast(std::vector<SceneItem> &out, const ChartFrame &frame,
              const QVector<CoastPoint> &coast, Colour colour)
{
    QVector<QPointF> run;
    auto flush = [&] {
        if (run.size() >= 2) {
            SceneStroke s;
            s.points = std::move(run);
            s.colour = colour;
            s.width = 2;
            out.push_back(std::move(s));
        }
        run.clear();
    };
    QPointF previous;
    bool previousInside = false;
    bool hasPrevious = false;
    for (const CoastPoint &c : coast) {
        const QPointF p = frame.projection.toScreen(c.Lat, c.Lon);
        const bool inside = frame.insideSquare(p);
        if (c.startsLine || !hasPrevious) {
            flush();
        } else if (inside || previousInside) {
            if (run.isEmpty())
                run.append(previous);
            run.append(p);
        } else {
            flush();
        }
        previous = p;
        previousInside = inside;
        hasPrevious = true;
    }
    flush();
}

SceneStroke line(QPointF a, QPointF b, Colour colour, int width = 1,
                 StrokeStyle style = StrokeStyle::Solid)
{
    SceneStroke s;
    s.points = {a, b};
    s.colour = colour;
    s.width = width;
    s.style = style;
    return s;
}

// Lines of the grid along one axis, through `through` every `spacing` pixels, that fall on the
// picture (0 … extent). Only lines on the picture are made: a reference point far off the
// chart would otherwise add thousands of invisible lines at every tick of the tracing.
QVector<double> gridPositions(double through, double spacing, double extent)
{
    QVector<double> at;
    if (!(spacing > 0.5) || !std::isfinite(through))
        return at;
    const double first = through + std::ceil((0.0 - through) / spacing) * spacing;
    for (double v = first; v <= extent; v += spacing)
        at.append(v);
    return at;
}

SceneText text(QPointF at, const QString &s, Colour colour, double points,
               TextAnchor anchor = TextAnchor::TopLeft)
{
    SceneText t;
    t.position = at;
    t.text = s;
    t.colour = colour;
    t.pointSize = points;
    t.anchor = anchor;
    return t;
}

SceneCircle markCircle(QPointF at)
{
    SceneCircle c;
    c.centre = at;
    c.radius = MarkRadius;
    c.outline = Black;
    c.fill = Yellow;
    return c;
}

// Lay lines from a point at screen angles (0 = up, clockwise).
void addLayLines(std::vector<SceneItem> &out, QPointF at, double length,
                 std::initializer_list<double> anglesDegrees)
{
    for (double a : anglesDegrees) {
        a = std::fmod(a, 360.0);
        if (a < 0)
            a += 360.0;
        const double r = a * Pi / 180.0;
        const QPointF end(at.x() + length * std::sin(r), at.y() - length * std::cos(r));
        out.push_back(line(at, end, LayLineColour, 1, StrokeStyle::Dotted));
    }
}

bool isCourseEntry(const RaceControl &race, int entry, CourseEntry::Kind kind, int number)
{
    if (entry < 1 || entry > race.Course.Count())
        return false;
    const CourseEntry e = CourseEntry::parse(race.Course.Entries[entry - 1]);
    return e.kind == kind && e.number == number;
}

} // namespace

QString scaleBarLabel(double stepMetres, UiLanguage language)
{
    // The step is a power of ten times 1, 2 or 5; twelve digits hide the error of pow().
    if (stepMetres < 1000.0)
        return platform::formatNumber(stepMetres, 12) + layerText(LayerText::Metres, language);
    return platform::formatNumber(stepMetres / 1000.0, 12)
        + layerText(LayerText::Kilometres, language);
}

Colour timeMarkColour(int n)
{
    static constexpr Colour cycle[6] = {
        rgb(255, 0, 0), rgb(255, 255, 255), rgb(0, 0, 255),
        rgb(255, 255, 0), rgb(0, 255, 0), rgb(0, 0, 0),
    };
    const int i = ((n - 1) % 6 + 6) % 6;
    return cycle[i];
}

PointRange trackPeriodPoints(const BoatTrack &track, double periodStart, double periodEnd)
{
    PointRange r;
    const int first = periodFirstPoint(track, periodStart, periodEnd);
    if (first < 0)
        return r;
    const int n = track.PointCount();
    int last = n - 1; // a period that ends after the track keeps the last fix
    for (int k = first; k < n - 1; ++k) {
        if (periodEndsAfter(track.Points.constData(), k, periodEnd)) {
            last = k;
            break;
        }
    }
    r.first = first;
    r.last = last;
    return r;
}

RoundingClock roundingClockAt(const QVector<double> &leaderTimes, int courseCount, double time)
{
    RoundingClock clock;
    courseCount = std::min(courseCount, int(leaderTimes.size()));
    for (int j = courseCount; j >= 2; --j) {
        const double leader = leaderTimes[j - 1];
        if (leader <= time && time <= leader + RoundingClockSeconds) {
            const int e = int(std::floor(time - leader));
            if (e < 60) {
                clock.text = QString::number(e);
            } else {
                const int m = e / 60;
                const int s = e - 60 * m;
                clock.text = QStringLiteral("%1:%2").arg(m).arg(s, 2, 10, QLatin1Char('0'));
            }
            clock.entry = j;
            break;
        }
    }
    return clock;
}

LayerScene chartBaseScene(const RaceControl &race, const RaceData &data, const ChartFrame &chart,
                          const ChartOptions &options)
{
    LayerScene scene;
    scene.clears = true;
    scene.background = options.colours.background;
    const Colour foreground = options.colours.foreground;

    if (options.mapShown)
        addCoast(scene.items, chart, data.Coast, foreground);

    if (options.tracing) {
        const double g = chart.scaleBarStep * chart.pixelsPerMetre;
        const QPointF ref = chart.projection.toScreen(data.Extent.CentreLat, data.Extent.CentreLon);
        for (double y : gridPositions(ref.y(), g, chart.height))
            scene.items.push_back(line(QPointF(0, y), QPointF(chart.width, y), GridColour));
        for (double x : gridPositions(ref.x(), g, chart.width))
            scene.items.push_back(line(QPointF(x, 0), QPointF(x, chart.height), GridColour));
    }
    return scene;
}

bool chartTracksShown(const ChartOptions &options)
{
    return options.tracksShown && !options.tracing;
}

QVector<SceneStroke> trackStrokes(const BoatTrack &track, const ChartFrame &chart, double periodStart,
                                  double periodEnd, Colour colour)
{
    QVector<SceneStroke> strokes;
    addTrackOverPeriod(strokes, chart, track, periodStart, periodEnd, colour);
    return strokes;
}

LayerScene scaleBarScene(const ChartFrame &chart, const ChartOptions &options)
{
    LayerScene scene;
    scene.background = options.colours.background;
    const Colour foreground = options.colours.foreground;
    // The step's length plus one pixel, divided into the step's 1, 2 or 5 parts.
    if (chart.scaleBarStep > 0.0 && chart.pixelsPerMetre > 0.0) {
        const double y = chart.size - 20.0;
        const double x0 = 40.0;
        const double x1 = x0 + chart.scaleBarStep * chart.pixelsPerMetre + 1.0;
        scene.items.push_back(line(QPointF(x0, y), QPointF(x1, y), foreground));
        const int c = std::max(1, chart.scaleBarDivisions);
        for (int k = 0; k <= c; ++k) {
            const double x = x0 + k * (x1 - x0) / c;
            scene.items.push_back(line(QPointF(x, y), QPointF(x, y - 5.0), foreground));
        }
        scene.items.push_back(text(QPointF((x0 + x1) / 2.0, y + 3.0),
                                   scaleBarLabel(chart.scaleBarStep, options.language), foreground,
                                   LabelPoints * options.scale, TextAnchor::TopCentre));
    }
    return scene;
}

LayerScene chartScene(const RaceControl &race, const RaceData &data, const ChartFrame &chart,
                      const ChartOptions &options)
{
    LayerScene scene = chartBaseScene(race, data, chart, options);
    if (chartTracksShown(options)) {
        const int boats = std::min(int(data.Tracks.size()), race.boatCount());
        for (int i = 0; i < boats; ++i) {
            if (!options.isFocused(i))
                continue;
            addTrackOverPeriod(scene.items, chart, data.Tracks[i], options.periodStart, options.periodEnd,
                               race.Boats[i].colour);
        }
    }
    LayerScene over = scaleBarScene(chart, options);
    std::move(over.items.begin(), over.items.end(), std::back_inserter(scene.items));
    return scene;
}

LayerScene marksScene(const RaceControl &race, const RaceData &data, const ChartFrame &chart,
                      const ChartOptions &options)
{
    LayerScene scene;
    scene.background = options.colours.background;
    const Colour foreground = options.colours.foreground;
    const double w = race.ShownWindDirection - race.ChartRotation; // the wind on screen
    const double length = chart.scaleLat * data.Extent.Span / 2.0;
    const double up = race.LayLineUp;
    const double down = race.LayLineDown;
    auto windward = [&](QPointF at) {
        addLayLines(scene.items, at, length, {w + 180.0, w + 180.0 - up, w + 180.0 + up});
    };
    auto leeward = [&](QPointF at) {
        addLayLines(scene.items, at, length, {w, w + 180.0 - down, w + 180.0 + down});
    };
    auto clock = [&](QPointF at) {
        scene.items.push_back(text(QPointF(at.x(), at.y() - 50.0), options.roundingClockText, Red,
                                   ClockPoints * options.scale, TextAnchor::TopCentre));
    };
    const QString markPrefix = layerText(LayerText::MarkPrefix, options.language);
    const QString linePrefix = layerText(LayerText::LinePrefix, options.language);

    for (int j = 1; j <= race.markCount(); ++j) {
        const RaceMark &m = race.Marks[j - 1];
        const QPointF at = chart.projection.toScreen(m.Lat, m.Lon);
        if (options.layLinesShown) {
            windward(at);
            leeward(at);
        }
        scene.items.push_back(markCircle(at));
        scene.items.push_back(text(at + QPointF(8, -5), markPrefix + QString::number(j),
                                   foreground, LabelPoints * options.scale));
        if (options.tracing
            && isCourseEntry(race, options.roundingClockEntry, CourseEntry::Mark, j))
            clock(at);
    }
    for (int j = 1; j <= race.lineCount(); ++j) {
        const RaceLine &l = race.Lines[j - 1];
        const QPointF p1 = chart.projection.toScreen(l.Lat1, l.Lon1);
        const QPointF p2 = chart.projection.toScreen(l.Lat2, l.Lon2);
        scene.items.push_back(line(p1, p2, Yellow));
        if (options.layLinesShown) {
            windward(p1);
            windward(p2);
        }
        scene.items.push_back(markCircle(p1));
        scene.items.push_back(markCircle(p2));
        scene.items.push_back(text(p1 + QPointF(8, -5), linePrefix + QString::number(j),
                                   foreground, LineLabelPoints * options.scale));
        if (options.tracing
            && isCourseEntry(race, options.roundingClockEntry, CourseEntry::Line, j))
            clock(p1);
    }
    return scene;
}

LayerScene timeMarksScene(const RaceControl &race, const RaceData &data, const ChartFrame &chart,
                          const ChartOptions &options)
{
    LayerScene scene;
    scene.background = options.colours.background;
    if (!options.timeMarksShown || !(options.periodEnd >= options.periodStart) || !std::isfinite(options.periodStart))
        return scene;
    const int boats = std::min(int(data.Tracks.size()), race.boatCount());
    QVector<int> hint(boats, 0); // segment of the previous minute: the minutes only go forward

    // Only the minutes some focused track covers can get a mark: a period chosen far wider than
    // the tracks (or a nonsensical one) and a pause of a recording cost nothing more.
    struct Span {
        double from, to; // [from, to), seconds
    };
    QVector<Span> covered;
    for (int i = 0; i < boats; ++i) {
        const QVector<TrackPoint> &p = data.Tracks[i].Points;
        if (!options.isFocused(i))
            continue;
        for (int k = 0; k + 1 < p.size(); ++k) {
            if (p[k].Time < p[k + 1].Time && p[k + 1].Time - p[k].Time <= MaxFixGapSeconds) {
                if (!covered.isEmpty() && covered.last().to == p[k].Time)
                    covered.last().to = p[k + 1].Time;
                else
                    covered.append({p[k].Time, p[k + 1].Time});
            }
        }
    }
    std::sort(covered.begin(), covered.end(), [](const Span &a, const Span &b) { return a.from < b.from; });

    const double lastTime = options.periodEnd;
    qint64 next = 1; // the first minute not looked at yet
    for (const Span &span : std::as_const(covered)) {
        // Minute n lies at periodStart + (n − 1) × 60 s, within the period and the span.
        const qint64 first = std::max(next, qint64(std::ceil((span.from - options.periodStart) / TimeMarkInterval - 1e-9)) + 1);
        const double until = std::min(span.to, std::nextafter(lastTime, HUGE_VAL));
        const qint64 last = qint64(std::ceil((until - options.periodStart) / TimeMarkInterval)) ;
        for (qint64 n = first; n <= last; ++n) {
            const double t = options.periodStart + double(n - 1) * TimeMarkInterval;
            if (t > lastTime || t >= span.to)
                break;
            const Colour fill = timeMarkColour(int((n - 1) % 6) + 1);
            for (int i = 0; i < boats; ++i) {
                if (!options.isFocused(i))
                    continue;
                const QVector<TrackPoint> &p = data.Tracks[i].Points;
                const int lastPoint = int(p.size()) - 1;
                int k = -1;
                for (int pass = 0; pass < 2 && k < 0; ++pass) {
                    const int from = pass == 0 ? hint[i] : 0;
                    const int to = pass == 0 ? lastPoint : std::min(hint[i], lastPoint);
                    for (int j = from; j < to; ++j) {
                        if (p[j].Time <= t && t < p[j + 1].Time) {
                            k = j;
                            break;
                        }
                    }
                }
                if (k < 0)
                    continue;
                hint[i] = k;
                if (p[k + 1].Time - p[k].Time > MaxFixGapSeconds)
                    continue; // the recording paused here
                const double f = (t - p[k].Time) / (p[k + 1].Time - p[k].Time);
                const double lat = p[k].Lat + f * (p[k + 1].Lat - p[k].Lat);
                const double lon = p[k].Lon + f * (p[k + 1].Lon - p[k].Lon);
                SceneCircle c;
                c.centre = chart.projection.toScreen(lat, lon);
                c.radius = TimeMarkRadius;
                c.outline = race.Boats[i].colour;
                c.fill = fill;
                scene.items.push_back(c);
            }
            next = n + 1;
        }
    }
    return scene;
}

LayerScene overviewScene(const RaceControl &race, const RaceData &data,
                         const ChartFrame &overview, const ChartOptions &options)
{
    LayerScene scene;
    scene.clears = true;
    scene.background = options.colours.background;
    const int boats = std::min(int(data.Tracks.size()), race.boatCount());
    for (int i = 0; i < boats; ++i) {
        const BoatTrack &track = data.Tracks[i];
        addTrack(scene.items, overview, track, 0, track.PointCount() - 1, race.Boats[i].colour);
    }
    // The overview shows the coast whatever the map option says: it is not redrawn when the
    // option changes, and it is there to find one's way round the race area.
    addCoast(scene.items, overview, data.Coast, options.colours.foreground);
    return scene;
}
