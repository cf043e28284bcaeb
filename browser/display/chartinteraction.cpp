#include "chartinteraction.h"

#include <numbers.h>

#include <algorithm>
#include <cmath>

namespace {

int scaled(int pixels, float scale)
{
    return int(std::floor(pixels * double(scale) + 0.5));
}

// A hint box whose width follows its text: the design's extra width, the design's height,
// grown like every hint box where the fonts need more room.
QSize boxAroundText(const QSize &text, int extraWidth, int height, float scale)
{
    return QSize(text.width() + extraWidth, scaled(height, scale)).expandedTo(text + QSize(6, 4));
}

} // namespace

QSize fitHintBox(const QSize &designSize, float scale, const QSize &textSize)
{
    return QSize(scaled(designSize.width(), scale), scaled(designSize.height(), scale)).expandedTo(textSize + QSize(6, 4));
}

QPoint zoomHintPlace(QPointF p, QSize box, double chartWidth, double chartHeight)
{
    double x = p.x() + 15, y = p.y() + 30;
    if (x + box.width() > chartWidth + 5)
        x = p.x() - box.width() - 10;
    if (y + box.height() > chartHeight + 5)
        y = p.y() - box.height() - 10;
    return QPoint(int(std::floor(x)), int(std::floor(y)));
}

QPoint modeHintPlace(QPointF p, QSize box)
{
    double x = p.x() - 10 - box.width();
    if (x < 0)
        x = p.x() + 10;
    return QPoint(int(std::floor(x)), int(std::floor(p.y())));
}

QPoint courseTagPlace(QPointF p, QSize box)
{
    return QPoint(int(std::floor(p.x() - box.width() / 2.0)), int(std::floor(p.y())) - 20);
}

QString rangeBearingText(const RangeAndBearing &rb)
{
    // Numbers as the design's Str() wrote them: a blank before a positive one.
    return platform::formatSignedNumber(rb.trueBearing) + QStringLiteral("度／") + QString::number(rb.magneticBearing)
        + QStringLiteral("mag  ") + platform::formatSignedNumber(rb.rangeMetres) + QLatin1Char('m');
}

float windDirectionFromText(const QString &text)
{
    const double v = platform::leadingNumber(text);
    if (!(v >= 0.0 && v <= 360.0))
        return 0.0f;
    return float(v);
}

ChartPick ChartInteraction::pickAt(QPointF p) const
{
    const ChartPosition pos = m_view.ToChart(p);
    return PickNearest(m_race, m_view.Extent.LonFactor, m_view.Zoom, pos.Lat, pos.Lon);
}

ChartPressResult ChartInteraction::press(ChartButton button, QPointF p, const ChartContext &context)
{
    ChartPressResult r;
    const bool left = button == ChartButton::Left;
    const ChartPosition pos = m_view.ToChart(p);

    if (context.measuring) {
        if (left) {
            m_state.MeasureOriginSet = true;
            m_state.MeasureOriginLat = pos.Lat;
            m_state.MeasureOriginLon = pos.Lon;
            r.action = ChartAction::MeasureOriginSet;
        } else {
            m_state.MeasureOriginSet = false;
            r.action = ChartAction::MeasureEnded;
        }
        return r;
    }
    // Nothing is placed or zoomed on a chart that follows the fleet or is not shown.
    if (context.tracing || !context.trackPage)
        return r;

    if (m_state.CourseMode) {
        const ChartPick pick = pickAt(p);
        if (pick.isNone())
            return r;
        r.refusal = appendCourseEntry(m_race, pick);
        if (r.refusal == EditRefusal::None)
            r.action = ChartAction::CourseEntryAdded;
        return r;
    }
    if (!left && (m_state.MarkMode || m_state.isLineMode())) {
        if (deletePicked(m_race, pickAt(p)))
            r.action = ChartAction::Deleted;
        return r;
    }

    m_state.MeasureOriginSet = false;
    if (context.shift) {
        if (left) {
            m_view.MoveTo(pos.Lat, pos.Lon);
            r.action = ChartAction::MovedTo;
        } else {
            m_view.ShowAll();
            r.action = ChartAction::ShownAll;
        }
        m_view.ComputeScales();
        return r;
    }
    if (m_state.MarkMode) {
        r.refusal = addMark(m_race, pos.Lat, pos.Lon);
        if (r.refusal == EditRefusal::None) {
            m_state.MarkMode = false;
            r.action = ChartAction::MarkPlaced;
        }
        return r;
    }
    if (m_state.LineMode == LineStep::FirstEnd) {
        // A full set of lines is refused before the first end, not after the second.
        if (!canAddLine(m_race)) {
            r.refusal = EditRefusal::TooManyLines;
            return r;
        }
        m_state.LineFirstLat = pos.Lat;
        m_state.LineFirstLon = pos.Lon;
        m_state.LineMode = LineStep::SecondEnd;
        r.action = ChartAction::LineStarted;
        return r;
    }
    if (m_state.LineMode == LineStep::SecondEnd) {
        r.refusal = addLine(m_race, RaceLine{m_state.LineFirstLat, m_state.LineFirstLon, pos.Lat, pos.Lon});
        if (r.refusal == EditRefusal::None) {
            m_state.LineMode = LineStep::Off;
            r.action = ChartAction::LinePlaced;
        }
        return r;
    }
    m_view.ZoomAt(p.x(), p.y(), left);
    r.action = ChartAction::Zoomed;
    return r;
}

ChartPointerReadout ChartInteraction::move(QPointF p, const ChartContext &context, const TextMeasure &measure) const
{
    ChartPointerReadout r;
    const ChartPosition pos = m_view.ToChart(p);
    if (!context.tracing) {
        r.captionShown = true;
        r.caption = context.title + QString(20, QLatin1Char(' ')) + MapView::FormatPosition(pos.Lat, pos.Lon);
    }
    auto show = [&](const QString &text, const QSize &size, const QPoint &at) {
        r.hint.shown = true;
        r.hint.text = text;
        r.hint.rect = QRect(at, size);
    };
    auto showModeHint = [&](ChartHintKind kind) {
        const HintText h = chartHint(kind, context.english, m_view.Zoom);
        const QSize size = fitHintBox(h.size, context.scale, measure(h.text));
        show(h.text, size, modeHintPlace(p, size));
    };

    if (!m_state.MarkMode && !m_state.isLineMode()) {
        if (m_state.CourseMode) {
            const ChartPick pick = pickAt(p);
            if (!pick.isNone()) {
                const QString tag = pick.tagText();
                const QSize size = boxAroundText(measure(tag), 5, 14, context.scale);
                show(tag, size, courseTagPlace(p, size));
            }
        } else if (context.measuring && m_state.MeasureOriginSet) {
            const QPointF origin = m_view.ToScreen(m_state.MeasureOriginLat, m_state.MeasureOriginLon);
            r.rubberBandShown = true;
            r.rubberBand = QLineF(origin, p);
            const RangeAndBearing rb = m_view.RangeBearing(m_state.MeasureOriginLat, m_state.MeasureOriginLon,
                                                           pos.Lat, pos.Lon, m_race.MagneticVariation);
            const QString text = rangeBearingText(rb);
            show(text, boxAroundText(measure(text), 10, 15, context.scale), QPoint(10, 10));
        } else if (!context.tracing && context.hints) {
            const HintText h = chartHint(ChartHintKind::Zoom, context.english, m_view.Zoom);
            const QSize size = fitHintBox(h.size, context.scale, measure(h.text));
            show(h.text, size, zoomHintPlace(p, size, context.chartWidth, context.chartHeight));
        }
    }
    if (m_state.LineMode == LineStep::FirstEnd) {
        if (context.hints)
            showModeHint(ChartHintKind::LineFirstEnd);
    } else if (m_state.LineMode == LineStep::SecondEnd) {
        r.rubberBandShown = true;
        r.rubberBand = QLineF(m_view.ToScreen(m_state.LineFirstLat, m_state.LineFirstLon), p);
        if (context.hints)
            showModeHint(ChartHintKind::LineSecondEnd);
    }
    if (m_state.MarkMode && context.hints)
        showModeHint(ChartHintKind::PlaceMark);
    return r;
}

bool ChartInteraction::toggleMarkMode()
{
    m_state.MarkMode = !m_state.MarkMode;
    if (!m_state.MarkMode)
        return false;
    m_state.LineMode = LineStep::Off;
    m_state.CourseMode = false;
    return true;
}

bool ChartInteraction::toggleLineMode()
{
    if (m_state.isLineMode()) {
        m_state.LineMode = LineStep::Off;
        return false;
    }
    m_state.LineMode = LineStep::FirstEnd;
    m_state.MarkMode = false;
    m_state.CourseMode = false;
    return true;
}

bool ChartInteraction::toggleCourseMode()
{
    m_state.CourseMode = !m_state.CourseMode;
    if (!m_state.CourseMode)
        return true;
    m_state.MarkMode = false;
    m_state.LineMode = LineStep::Off;
    return false;
}

void ChartInteraction::setMeasuring(bool)
{
    m_state.MeasureOriginSet = false;
}

OverviewPressResult ChartInteraction::overviewPress(ChartButton button, QPointF p, bool tracing, bool editMode)
{
    OverviewPressResult r;
    if (button == ChartButton::Left) {
        if (m_view.RecentreFromOverview(p.x(), p.y(), tracing)) {
            m_view.ComputeScales();
            r.action = OverviewPressResult::Recentred;
        }
        return r;
    }
    if (!editMode || m_race.NorthUp > 0)
        return r;
    m_view.ChartRotation = m_race.ChartRotation;
    const int up = m_view.OverviewTurnDirection(p.x(), p.y());
    m_race.ChartRotation = up;
    m_race.WindDirection = float(up);
    m_race.ShownWindDirection = up;
    m_view.ChartRotation = up;
    r.action = OverviewPressResult::Turned;
    r.upDirection = up;
    return r;
}

QString boatTagText(const QString &name, double knots)
{
    return name + QLatin1Char('(') + platform::formatNumber(std::floor(100.0 * knots + 0.5) / 100.0) + QLatin1Char(')');
}

QPoint boatTagPlace(const QRectF &symbol, QSize box, double chartSize)
{
    double x = symbol.right() + 6;
    if (x + box.width() > chartSize)
        x = symbol.left() - 15 - box.width();
    return QPoint(int(std::floor(x)), int(std::floor(symbol.top())));
}
