#include "framebuilder.h"

#include <displaylayout.h>
#include <numbers.h>

#include <cmath>

namespace {

constexpr Colour Blue = rgb(0, 0, 255);
constexpr Colour Red = rgb(255, 0, 0);

// The start sequence, seconds from the start.
constexpr double BlueFlagFrom = -240.0;  // preparatory signal up
constexpr double BlueFlagDown = -60.0;   // … and lowered at one minute
constexpr double BlueFlagLowered = -55.0;
constexpr double SevenFrom = -60.0;      // class flag up from one minute …
constexpr double SevenUntil = 0.5;       // … to the start
constexpr double SevenLowered = 5.0;
constexpr double CountdownFrom = -30.0;
constexpr double CountdownUntil = 10.0;
constexpr double GunWindow = 2.0;        // the gun sounds in the first two seconds after the start …

constexpr double WakeSeconds = 30.0;
constexpr int WakePoints = 5;
constexpr double NamePoints = 9.0;
constexpr double NameGap = 5.0;
constexpr double SpeedBarEraseWidth = 150.0;
constexpr double SpeedBarEraseHeight = 13.0;

QString twoDigits(qint64 v)
{
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

QString hms(qint64 seconds)
{
    const qint64 h = seconds / 3600;
    const qint64 m = (seconds - 3600 * h) / 60;
    const qint64 s = seconds - 3600 * h - 60 * m;
    return twoDigits(h) + QLatin1Char(':') + twoDigits(m) + QLatin1Char(':') + twoDigits(s);
}

void lowerFlag(double &top, double chartSize)
{
    if (top < chartSize)
        top += chartSize / 30.0;
}

void flags(FrameScene &f, FrameState &st, double t, bool forward, double chartSize)
{
    if (t >= BlueFlagFrom && t < BlueFlagDown) {
        st.BlueFlagShown = true;
    } else if (forward && t >= BlueFlagDown && t <= BlueFlagLowered) {
        st.BlueFlagShown = true;
        lowerFlag(st.BlueFlagTop, chartSize);
    } else {
        st.BlueFlagShown = false;
    }
    if (t >= SevenFrom && t <= SevenUntil) {
        st.SevenShown = true;
    } else if (forward && t >= 0.0 && t <= SevenLowered) {
        // Lowered from where it flew; whether it shows is left as it was.
        lowerFlag(st.SevenTop, chartSize);
    } else {
        st.SevenShown = false;
    }
    f.blueFlagShown = st.BlueFlagShown;
    f.blueFlagTop = st.BlueFlagTop;
    f.sevenShown = st.SevenShown;
    f.sevenTop = st.SevenTop;
}

void finishPanel(FrameScene &f, FrameState &st, const FrameInputs &in, double t)
{
    const LegStats &stats = *in.legStats;
    const int finish = stats.analysedCount();
    const double leader = finish > 0 ? stats.leaderTime(finish) : LegStats::NoLeader;
    if (finish == 0 || t < leader) {
        st.FinishPanelShown = false;
        f.finishPanelShown = false;
        return;
    }
    f.finishPanelChanged = !st.FinishPanelShown;
    st.FinishPanelShown = true;
    f.finishPanelShown = true;
    for (int i = 0; i < st.boats.size(); ++i) {
        BoatFrame &b = st.boats[i];
        const double at = stats.roundingTime(i + 1, finish);
        if (b.Finished || !(at > 0 && at <= t))
            continue;
        ++f.gunShots;
        st.FinishOrder.append(i);
        b.Finished = true;
        f.finishPanelChanged = true;
    }
    if (!f.finishPanelChanged)
        return;
    const RaceControl &race = *in.race;
    for (int r = 0; r < st.FinishOrder.size(); ++r) {
        const int b = st.FinishOrder[r];
        FinishRow row;
        row.rank = r + 1;
        row.boat = b;
        if (b < race.boatCount()) {
            row.name = race.Boats[b].Name;
            row.colour = race.Boats[b].colour;
        }
        row.timeText = finishTimeText(stats.roundingTime(b + 1, finish), leader);
        f.finishRows.append(row);
    }
}

// The comparison line through (x, y) at right angles to the shown wind on screen, across the
// chart; vertical when the wind blows across the screen.
QLineF comparisonLine(double x, double y, double windOnScreen, double chartHeight)
{
    if (std::fabs(std::fabs(windOnScreen) - 90.0) < 1e-9)
        return QLineF(x, 0.0, x, chartHeight);
    const double m = std::tan(windOnScreen * 3.14159265358979323846 / 180.0);
    return QLineF(0.0, y - x * m, chartHeight, y - x * m + chartHeight * m);
}

} // namespace

int findSegment(const QVector<TrackPoint> &points, double t, int hint, bool forward)
{
    const int n = int(points.size());
    if (n < 2 || !(points[0].Time <= t && t <= points[n - 1].Time))
        return -1;
    const TrackPoint *p = points.constData();
    auto holds = [&](int j) { return p[j].Time <= t && t < p[j + 1].Time; };
    if (forward) {
        for (int j = std::max(hint, 0); j <= n - 2; ++j)
            if (holds(j))
                return j;
    } else {
        for (int j = std::min(hint + 1, n - 2); j >= 0; --j)
            if (holds(j))
                return j;
    }
    // The hint lay on the far side of t: the time moved against the search (something reset
    // the hints, or the track's points are not in time order). The whole track is searched
    // rather than the boat being left without a position.
    for (int j = 0; j <= n - 2; ++j)
        if (holds(j))
            return j;
    return -1;
}

QString elapsedTimeText(double t)
{
    return hms(qint64(std::fabs(std::floor(t))));
}

QString finishTimeText(double finishTime, double leaderTime)
{
    const qint64 at = qint64(std::floor(finishTime));
    return hms(at) + QStringLiteral("  <") + platform::formatNumber(finishTime - leaderTime) + QLatin1Char('>');
}

QString listSpeedText(double knots)
{
    // "##.#0": two decimals, the digits before the point only when there are any.
    QString s = QString::number(std::floor(std::fabs(knots) * 100.0 + 0.5) / 100.0, 'f', 2);
    if (s.startsWith(QLatin1String("0.")))
        s.remove(0, 1);
    return knots < 0 ? QLatin1Char('-') + s : s;
}

QString listAngleText(double degrees)
{
    const long v = std::lround(degrees);
    return QString::number(v == 0 ? 0L : v);
}

QVector<PreviewMarker> previewMarkers(const RaceData &data, int boatCount, double T)
{
    QVector<PreviewMarker> out(boatCount);
    for (int i = 0; i < boatCount && i < data.Tracks.size(); ++i) {
        const QVector<TrackPoint> &p = data.Tracks[i].Points;
        const int k = findSegment(p, T, -1, true);
        if (k < 0)
            continue;
        out[i].shown = true;
        out[i].Lat = p[k].Lat;
        out[i].Lon = p[k].Lon;
    }
    return out;
}

FrameScene computeFrame(const FrameInputs &in, ReplayClock &clock, FrameState &st)
{
    const RaceControl &race = *in.race;
    const RaceData &data = *in.data;
    const MapView &view = *in.view;
    FrameScene f;

    // 1. The playback period.
    switch (clock.wrapIntoPeriod()) {
    case ReplayClock::Wrap::ToStart: {
        const int finish = in.legStats->analysedCount();
        const double leader = finish > 0 ? in.legStats->leaderTime(finish) : LegStats::NoLeader;
        if (clock.Time < leader)
            st.resetFinishPanel();
        st.setSegmentHints(data, true);
        st.flagsToRest();
        f.wrapped = 1;
        break;
    }
    case ReplayClock::Wrap::ToEnd:
        st.setSegmentHints(data, false);
        st.flagsToRest();
        f.wrapped = -1;
        break;
    case ReplayClock::Wrap::None:
        break;
    }
    const double t = clock.Time;
    const bool forward = clock.Step > 0;
    f.time = t;

    // 2. Elapsed time and countdown.
    f.elapsedText = elapsedTimeText(t);
    f.elapsedColour = t >= 0 ? Blue : Red;
    f.countdownShown = t >= CountdownFrom && t <= CountdownUntil;
    if (f.countdownShown) {
        f.countdownText = QString::number(qint64(std::fabs(std::floor(t))));
        f.countdownBackground = t >= 1.0 ? Blue : Red;
    }

    // 3. and 4. The flags and the gun.
    flags(f, st, t, forward, view.ChartSize);
    if (t < 0)
        st.GunFired = false;
    // … or in the first step after it, at a speed whose step jumps over those two seconds.
    if (t >= 0 && t < std::max(GunWindow, clock.Step) && forward && !st.GunFired) {
        ++f.gunShots;
        st.GunFired = true;
    }

    // 5. The finish.
    finishPanel(f, st, in, t);

    // 6. The boats.
    const int boats = std::min(int(st.boats.size()), std::min(race.boatCount(), int(data.Tracks.size())));
    f.boats.resize(st.boats.size());
    const double windOnScreen = platform::foldAngle(race.ShownWindDirection - race.ChartRotation);
    const bool comparison = in.comparisonShown && !(race.NorthUp > 0);
    const bool dinghy = race.BoatLength < DinghyLength;
    const BoatSymbol size = view.BoatSymbolSize(race.BoatLength, in.enlarge);
    for (int i = 0; i < boats; ++i) {
        BoatFrame &b = st.boats[i];
        BoatFrameScene &out = f.boats[i];
        out.colour = race.Boats[i].colour;
        const QVector<TrackPoint> &pts = data.Tracks[i].Points;
        const int k = findSegment(pts, t, b.SegmentHint, forward);
        if (k < 0) {
            // No symbol; the overview marker and the comparison line stay as they are.
            b.hasPosition = false;
            b.Lat = b.Lon = 0.0;
            continue;
        }
        const TrackPoint &p0 = pts[k];
        const TrackPoint &p1 = pts[k + 1];
        const double frac = (t - p0.Time) / (p1.Time - p0.Time);
        b.Lat = p0.Lat + frac * (p1.Lat - p0.Lat);
        b.Lon = p0.Lon + frac * (p1.Lon - p0.Lon);
        b.hasPosition = true;
        b.Speed = p0.Speed;
        b.Twa = platform::foldAngle(p0.Course - race.ShownWindDirection);

        if (!in.trackPage) {
            st.AnyBoatShown = true;
        } else {
            const QPointF xy = view.ToScreen(b.Lat, b.Lon);
            const double x = xy.x(), y = xy.y();
            st.Enlarged = size.enlarged;
            const bool marked = i < in.marked.size() && in.marked[i];
            const double heading = symbolHeading(p0.Course, p1.Course, p1.Time - t);
            out.symbolShown = true;
            out.position = xy;
            out.symbol = boatSymbolShape(size.pixels, heading, race.ChartRotation, race.ShownWindDirection,
                                         dinghy, marked || i == st.HoverRow);
            if (comparison) {
                out.bar = FrameChange::Show;
                out.barLine = comparisonLine(x, y, windOnScreen, view.ChartHeight);
            } else {
                out.bar = FrameChange::Hide;
            }
            if (in.tracing && (in.namesShown || marked)) {
                out.nameShown = true;
                out.namePosition = QPointF(x + size.pixels / 2.0 + NameGap, y - NameGap);
                out.nameText = race.Boats[i].Name + QStringLiteral(" (")
                    + platform::formatNumber(std::floor(100.0 * b.Speed + 0.5) / 100.0) + QLatin1Char(')');
                out.namePointSize = NamePoints * in.fontScale;
            }
            if (x >= 0 && x < view.ChartWidth && y >= 0 && y <= view.ChartHeight)
                st.AnyBoatShown = true;
            if (in.tracing || !in.tracksOption) {
                out.wake.append(xy);
                for (int j = k; j >= 0 && j > k - WakePoints; --j) {
                    out.wake.append(view.ToScreen(pts[j].Lat, pts[j].Lon));
                    if (j < k && std::fabs(pts[j].Time - t) > WakeSeconds)
                        break;
                }
            }
        }
        // The overview marker follows every boat that has a position, unless the pointer is
        // previewing another time on the time bar.
        if (!st.TimeBarHover) {
            out.marker = FrameChange::Show;
            out.markerTopLeft = view.OverviewToScreen(b.Lat, b.Lon) - QPointF(2.0, 2.0);
        }
        b.SegmentHint = k;
    }
    f.anyBoatShown = st.AnyBoatShown;
    f.enlarged = st.Enlarged;

    // 7. The cursors and the once-a-second work.
    if (clock.TimeBarScale != 0) {
        const double y = clock.barY(t);
        f.timeBarCursorShown = true;
        f.timeBarCursorY = y;
        if (!in.trackPage && !st.TimeBarHover) {
            f.graphCursorShown = true;
            f.graphCursorY = y;
        }
    }
    const int second = int(std::floor(t));
    if (!race.WindFile.isEmpty() && second != st.LastWholeSecond) {
        f.updateWind = true;
        if (!in.tracing && st.LastWholeSecond % 5 == 0 && race.ShownWindDirection != 0)
            f.redrawMarks = true;
    }
    st.LastWholeSecond = second;

    // 8. Date-time and boat list.
    if (st.AnyBoatShown) {
        f.dateTimeShown = true;
        f.dateTimeText = race.StartTime.addSecs(second).toString();
        for (int i = 0; i < boats; ++i) {
            BoatFrame &b = st.boats[i];
            const double y = boatRowTop(i);
            ListRowScene row;
            row.boat = i;
            row.colour = race.Boats[i].colour;
            row.erase = QRectF(SpeedBarLeft, y, SpeedBarEraseWidth + 1, SpeedBarEraseHeight + 1);
            if (b.hasPosition) {
                if (!(b.Speed > 0) || b.Speed == b.ListedSpeed)
                    continue;
                const double length = b.Speed * in.speedBarScale;
                const bool focused = i >= in.focused.size() || in.focused[i];
                row.bar = focused ? QRectF(SpeedBarLeft, y, length + 1, 10) : QRectF(SpeedBarLeft, y + 4, length + 1, 2);
                row.speedText = listSpeedText(b.Speed);
                row.twaText = listAngleText(b.Twa);
                b.ListedSpeed = b.Speed;
            } else {
                if (b.ListedSpeed < 0)
                    continue;
                row.emptied = true;
                b.ListedSpeed = -1.0;
            }
            f.listRows.append(row);
        }
    }
    return f;
}
