#include "graphpage.h"

#include "pagetexts.h"

#include <numbers.h>

#include <algorithm>
#include <cmath>

namespace {

using namespace GraphLayout;

constexpr double FirstPlotted = -60.0; // seconds: curves begin a minute before the start

// An angle brought into −180 … 180 whatever turns it holds.
double fold(double degrees)
{
    double d = std::fmod(degrees, 360.0);
    if (d > 180.0)
        d -= 360.0;
    if (d < -180.0)
        d += 360.0;
    return d;
}

// An angle brought into 0 … 360 (360 excluded).
double circle(double degrees)
{
    double d = std::fmod(degrees, 360.0);
    if (d < 0)
        d += 360.0;
    if (d >= 360.0)
        d -= 360.0;
    return d;
}

PageText text(double x, double y, const QString &s, Colour colour, double pointSize,
              PageAnchor anchor = PageAnchor::TopLeft)
{
    return PageText{QPointF(x, y), s, colour, pointSize, anchor};
}

PageLine line(double x1, double y1, double x2, double y2, Colour colour)
{
    return PageLine{{QPointF(x1, y1), QPointF(x2, y2)}, colour, 1};
}

bool isFocused(const QVector<bool> &focused, int boatIndex)
{
    return boatIndex < focused.size() && focused[boatIndex];
}

bool plotted(double t, double duration)
{
    return t >= FirstPlotted && t < duration;
}

// Consecutive points of a curve on one pixel row draw, with a one-pixel pen, the span between
// their leftmost and rightmost x, whatever the order they zigzag in. A four-hour race at 1 s
// fixes has a dozen points to a row, so each run keeps only its first point, its two extremes
// in the order the curve reaches them, and its last point: the curve covers the same pixels
// at a quarter of the vertices (but for an end pixel now and then where a course jumps across
// the wrap of the direction panel and back within one row).
class RowRuns
{
public:
    explicit RowRuns(QVector<QPointF> &out) : m_out(out) {}

    void add(const QPointF &p)
    {
        const long row = std::lround(std::clamp(p.y(), -1.0e7, 1.0e7));
        if (m_count > 0 && row == m_row) {
            if (p.x() < m_min.x()) {
                m_min = p;
                m_minAt = m_count;
            }
            if (p.x() > m_max.x()) {
                m_max = p;
                m_maxAt = m_count;
            }
            m_last = p;
            ++m_count;
            return;
        }
        finish();
        m_row = row;
        m_first = m_min = m_max = m_last = p;
        m_minAt = m_maxAt = 0;
        m_count = 1;
    }

    void finish()
    {
        if (m_count == 0)
            return;
        m_out.append(m_first);
        const bool minFirst = m_minAt < m_maxAt;
        const int firstAt = minFirst ? m_minAt : m_maxAt, secondAt = minFirst ? m_maxAt : m_minAt;
        if (firstAt > 0)
            m_out.append(minFirst ? m_min : m_max);
        if (secondAt > firstAt && secondAt > 0)
            m_out.append(minFirst ? m_max : m_min);
        if (m_count - 1 > std::max(secondAt, 0))
            m_out.append(m_last);
        m_count = 0;
    }

private:
    QVector<QPointF> &m_out;
    QPointF m_first, m_min, m_max, m_last;
    int m_minAt = 0, m_maxAt = 0;
    long m_row = 0;
    int m_count = 0;
};

void addWindArea(const GraphScale &s, const QVector<WindSample> &wind, PageScene &picture)
{
    const double bottom = s.height - BottomMargin;
    for (int j = 1; j < wind.size(); ++j) {
        const QPointF p0(GraphScale::windSpeedToX(wind[j - 1].Speed), s.timeToY(wind[j - 1].Time));
        const QPointF p1(GraphScale::windSpeedToX(wind[j].Speed), s.timeToY(wind[j].Time));
        // A stretch that begins below the panels (a sample before the pre-start period) is left
        // out, so that the curve never runs over the scale labels.
        if (p0.y() >= bottom)
            continue;
        picture.add(PagePolygon{{p1, p0, QPointF(SpeedLeft, p0.y()), QPointF(SpeedLeft, p1.y())},
                                GraphColours::WindArea, GraphColours::WindArea});
        picture.add(PageLine{{p0, p1}, GraphColours::WindSpeed, 1});
    }
}

void addBoatCurves(const GraphPageInput &in, const GraphScale &s, bool speed, bool focusedPass,
                   PageScene &picture)
{
    const RaceControl &race = *in.race;
    const RaceData &data = *in.data;
    for (int b = race.boatCount(); b >= 1; --b) {
        if (isFocused(in.focused, b - 1) != focusedPass || b > data.Tracks.size())
            continue;
        PageLine curve;
        curve.colour = focusedPass ? race.Boats[b - 1].colour : GraphColours::OtherBoat;
        RowRuns runs(curve.points);
        for (const TrackPoint &p : data.Tracks[b - 1].Points) {
            if (!plotted(p.Time, s.duration))
                continue;
            runs.add(QPointF(speed ? GraphScale::boatSpeedToX(p.Speed)
                                   : s.directionToX(p.Course - race.MagneticVariation),
                             s.timeToY(p.Time)));
        }
        runs.finish();
        if (curve.points.size() >= 2)
            picture.add(std::move(curve));
    }
}

} // namespace

double GraphScale::directionToX(double degrees) const
{
    double x = 30.0 + degrees - directionOrigin;
    if (!std::isfinite(x))
        return DirectionLeft;
    if (x > DirectionRight)
        x -= 360.0 * std::ceil((x - DirectionRight) / 360.0);
    if (x < DirectionLeft)
        x += 360.0 * std::ceil((DirectionLeft - x) / 360.0);
    return x;
}

double GraphScale::yToTime(double y) const
{
    if (!isValid())
        return 0.0;
    return std::floor(duration - (y - 30.0) / timeScale + 0.5);
}

double GraphScale::xToDirection(double x) const
{
    double d = (x - 30.0) + directionOrigin;
    if (!std::isfinite(d))
        return 0.0;
    if (d > 360.0)
        d -= 360.0 * std::ceil((d - 360.0) / 360.0);
    if (d < 0.0)
        d += 360.0 * std::ceil(-d / 360.0);
    return d;
}

GraphScale graphScale(const RaceControl &race, const RaceData &data, double pictureHeight)
{
    GraphScale s;
    s.height = pictureHeight;
    s.period = data.TimeBarSpan;
    s.duration = double(race.RaceDuration);
    if (s.period == 0) {
        s.period = double(race.DisplayStart.secsTo(race.DisplayEnd));
        s.duration = double(race.StartTime.secsTo(race.FinishTime));
    }
    s.directionOrigin = double(race.WindDirection) - 90.0;
    if (s.period > 0 && pictureHeight > 2 * Top)
        s.timeScale = (pictureHeight - 2 * Top) / s.period;
    return s;
}

QVector<TimeGridLine> timeGrid(const GraphScale &scale)
{
    QVector<TimeGridLine> lines;
    if (!scale.isValid() || scale.duration < 0)
        return lines;
    const int last = int(std::floor(scale.duration / 300.0));
    for (int m = 0; m <= last; ++m) {
        TimeGridLine l;
        l.step = m;
        l.y = scale.timeToY(300.0 * m);
        if (m % 12 == 0)
            l.colour = GraphColours::TimeHour;
        else if (m % 6 == 0)
            l.colour = GraphColours::TimeHalfHour;
        else if (m % 2 == 0)
            l.colour = GraphColours::TimeTenMinutes;
        const int h = m / 12;
        l.label = QStringLiteral("%1:%2").arg(h).arg(5 * m - 60 * h, 2, 10, QLatin1Char('0'));
        lines.append(l);
    }
    return lines;
}

GraphPageScene graphPageScene(const GraphPageInput &in)
{
    const RaceControl &race = *in.race;
    const RaceData &data = *in.data;
    GraphPageScene out;
    GraphScale &s = out.scale;
    s = graphScale(race, data, in.size.height());
    out.windLoaded = !race.WindFile.isEmpty();
    PageScene &picture = out.picture;
    picture.clears = true;
    picture.background = GraphColours::Background;

    const double pt = 9.0 * in.fontScale;
    const double H = in.size.height();
    const double bottom = H - BottomMargin;
    picture.add(PageBox{DirectionLeft, Top, DirectionRight, bottom, GraphColours::Panel, GraphColours::Panel, true});
    picture.add(PageBox{SpeedLeft, Top, SpeedRight, bottom, GraphColours::Panel, GraphColours::Panel, true});

    QString direction = pageText(PageTextId::GraphDirectionHeader, true);
    QString speed = pageText(PageTextId::GraphSpeedHeader, true);
    if (out.windLoaded) {
        direction += pageText(PageTextId::GraphDirectionWindPart, true);
        speed += pageText(PageTextId::GraphSpeedWindPart, true);
    }
    picture.add(text(210, 10, direction, rgb(0, 0, 0), pt, PageAnchor::TopCentre));
    picture.add(text(550, 10, speed, rgb(0, 0, 0), pt, PageAnchor::TopCentre));

    if (out.windLoaded && s.isValid())
        addWindArea(s, data.Wind, picture);

    for (int m = 0; m <= 35; ++m) {
        const double x = s.directionToX(10.0 * m);
        picture.add(line(x, Top, x, bottom, m % 3 == 0 ? GraphColours::DirectionMajor : GraphColours::Grid));
        if (m % 3 == 0)
            picture.add(text(x, H - 36, QString::number(10 * m), rgb(0, 0, 0), pt, PageAnchor::TopCentre));
    }
    for (int m = 0; m <= 10; ++m) {
        const double x = SpeedLeft + 30.0 * m;
        picture.add(line(x, Top, x, bottom, m % 5 == 0 ? GraphColours::SpeedMajor : GraphColours::Grid));
        picture.add(text(x, H - 36, QString::number(m), rgb(0, 0, 0), pt, PageAnchor::TopCentre));
        picture.add(text(x, H - 20, QString::number(2 * m), GraphColours::WindSpeed, pt, PageAnchor::TopCentre));
    }

    if (!s.isValid())
        return out;

    for (const TimeGridLine &l : timeGrid(s)) {
        picture.add(line(DirectionLeft + 1, l.y, DirectionRight - 1, l.y, l.colour));
        picture.add(line(SpeedLeft + 1, l.y, SpeedRight - 1, l.y, l.colour));
        picture.add(text(5, l.y - 5, l.label, rgb(0, 0, 0), pt));
    }

    addBoatCurves(in, s, false, false, picture);
    addBoatCurves(in, s, false, true, picture);
    addBoatCurves(in, s, true, false, picture);
    addBoatCurves(in, s, true, true, picture);

    if (out.windLoaded) {
        PageLine wind{{}, GraphColours::WindDirection, 1};
        PageLine reciprocal{{}, GraphColours::WindReciprocal, 1};
        for (const WindSample &w : data.Wind) {
            if (!plotted(w.Time, s.duration))
                continue;
            const double y = s.timeToY(w.Time);
            wind.points.append(QPointF(s.directionToX(w.Direction), y));
            reciprocal.points.append(QPointF(s.directionToX(w.Direction + 180.0), y));
        }
        if (wind.points.size() >= 2) {
            picture.add(std::move(wind));
            picture.add(std::move(reciprocal));
        }
    }

    const double width = in.size.width();
    picture.add(line(0, s.timeToY(0), width, s.timeToY(0), GraphColours::StartFinish));
    picture.add(line(0, Top, width, Top, GraphColours::StartFinish));
    return out;
}

PointerAid pointerAid(const GraphScale &scale, double x, double y, const RaceControl &race,
                      const QVector<WindSample> &wind, bool windLoaded)
{
    PointerAid aid;
    if (!scale.isValid() || x < DirectionLeft || x > (DirectionLeft + DirectionRight) / 2)
        return aid;
    aid.marksShown = true;
    aid.markX[0] = x - race.LayLineUp;
    aid.markX[1] = x + race.LayLineUp;
    aid.markX[2] = x + 180.0 > DirectionRight ? x + 180.0 - 360.0 : x + 180.0;
    aid.markTop = y - 10;
    aid.markBottom = y + 10;
    if (!windLoaded)
        return aid;
    const double t = scale.yToTime(y);
    bool inside = false;
    for (int j = 0; j + 1 < wind.size() && !inside; ++j)
        inside = wind[j].Time <= t && t < wind[j + 1].Time;
    if (!inside)
        return aid;
    aid.readoutShown = true;
    aid.readout = QRectF(std::max(x - 42.5, 0.0), y - 30, 85, 15);
    const QString when = race.StartTime.addSecs(qint64(t)).toString();
    aid.text = when.section(QLatin1Char(' '), 1) + QStringLiteral(" / ") +
               platform::formatNumber(scale.xToDirection(x));
    return aid;
}

WindStripScale windStripScale(const QVector<WindSample> &wind, double side, double period)
{
    WindStripScale s;
    if (!wind.isEmpty()) {
        const double c0 = wind.first().Direction;
        double lowest = 0.0, highest = 0.0;
        for (const WindSample &w : wind) {
            const double d = fold(w.Direction - c0);
            lowest = std::min(lowest, d);
            highest = std::max(highest, d);
        }
        const double lo = circle(c0 + lowest);
        const double hi = circle(c0 + highest);
        double span = hi - lo;
        if (span < 0)
            span += 360.0;
        s.centre = lo + span / 2;
        if (s.centre > 360.0)
            s.centre -= 360.0;
        s.span = std::max(span, 30.0);
    }
    s.pixelsPerDegree = 0.8 * (side - 10.0) / s.span;
    s.pixelsPerSecond = period > 0 ? (side - 20.0) / period : 0.0;
    return s;
}

QPointF windStripPoint(const RaceControl &race, const RaceData &data, double side, double time, double direction)
{
    const GraphScale graph = graphScale(race, data, 0.0);
    const WindStripScale s = windStripScale(data.Wind, side, graph.period);
    return QPointF(side / 2 + s.pixelsPerDegree * fold(direction - s.centre),
                   15.0 + s.pixelsPerSecond * (graph.duration - time));
}

PageScene windStripScene(const RaceControl &race, const RaceData &data, double side, Colour background,
                         double fontScale)
{
    PageScene picture;
    picture.clears = true;
    picture.background = background;
    const GraphScale graph = graphScale(race, data, 0.0);
    const WindStripScale s = windStripScale(data.Wind, side, graph.period);
    const double D = graph.duration;
    picture.add(PageBox{5, 15, side - 5, side - 5, GraphColours::StripBox, GraphColours::StripBox, true});
    picture.add(text(30, 2, pageText(PageTextId::WindStripCaption, true), rgb(255, 255, 255), 8.0 * fontScale));

    auto xOf = [&](double direction) { return side / 2 + s.pixelsPerDegree * fold(direction - s.centre); };
    auto yOf = [&](double t) { return 15.0 + s.pixelsPerSecond * (D - t); };
    PageLine curve{{}, GraphColours::StripCurve, 1};
    for (const WindSample &w : data.Wind)
        if (plotted(w.Time, D))
            curve.points.append(QPointF(xOf(w.Direction), yOf(w.Time)));
    if (curve.points.size() >= 2)
        picture.add(std::move(curve));

    for (int m = 0; m <= 35; ++m) {
        const double x = xOf(10.0 * m);
        if (x > 4 && x < side - 5)
            picture.add(line(x, 16, x, side - 5, rgb(255, 255, 255)));
    }
    picture.add(line(0, yOf(0), side, yOf(0), GraphColours::StartFinish));
    picture.add(line(0, 25, side, 25, GraphColours::StartFinish));
    return picture;
}
