#include "datapage.h"

#include "pagetexts.h"

#include <numbers.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr double MaxStart = -10.0;     // where a column's largest value starts
constexpr double MinStart = 99999.0;   // where a column's smallest positive value starts
constexpr double SpreadStart = -100.0;

// Table layout, pixels.
constexpr double TitleY = 45;
constexpr double HeaderY = 65;
constexpr double RowPitch = 18;
constexpr double NameBoxLeft = 8, NameBoxRight = 100, NameLeft = 10;
constexpr double AccValueEnd = 93; // + j × w
constexpr double LegTableGap = 140; // X2 = n × w + 140

// Difference graph layout, pixels on the off-screen picture.
constexpr double GraphTop = 25, GraphBottom = 300, GraphBoxBottom = 310;
constexpr double GraphHeight = 275;
constexpr double GraphsTop = 103; // + 18 × boats on the page

// Factor chart layout, pixels.
constexpr double FactorRowTop = 127, FactorRowPitch = 36, FactorHeaderY = 105;

bool isLegValue(const LegFigures &f, DataMode mode)
{
    return f.valid && f.hasLeg && (mode != DataMode::Speed || f.hasLegSpeed);
}

double accValue(const LegFigures &f, DataMode mode)
{
    switch (mode) {
    case DataMode::Distance:
        return double(f.accDistanceMetres);
    case DataMode::Speed:
        return f.valid ? f.accSpeed : 0.0;
    default:
        return f.roundingTime;
    }
}

double legValue(const LegFigures &f, DataMode mode)
{
    switch (mode) {
    case DataMode::Distance:
        return double(f.legDistanceMetres);
    case DataMode::Speed:
        return f.legSpeed;
    default:
        return f.legTime;
    }
}

// Largest value and smallest positive value of one column, as the tables look for them.
void widen(double v, double &max, double &min)
{
    if (v > 0 && v < min)
        min = v;
    if (v > max)
        max = v;
}

bool isBest(double v, DataMode mode, double max, double min)
{
    if (mode == DataMode::Speed)
        return max > 0 && v == max;
    return min < MinStart && v == min;
}

PageText text(double x, double y, const QString &s, Colour colour, double pointSize,
              PageAnchor anchor = PageAnchor::TopLeft)
{
    return PageText{QPointF(x, y), s, colour, pointSize, anchor};
}

PageBox filledBox(double x1, double y1, double x2, double y2, Colour c)
{
    return PageBox{x1, y1, x2, y2, c, c, true};
}

PageTextId tableTitle(DataMode mode, bool leg)
{
    switch (mode) {
    case DataMode::Distance:
        return leg ? PageTextId::LegTableDistance : PageTextId::AccTableDistance;
    case DataMode::Speed:
        return leg ? PageTextId::LegTableSpeed : PageTextId::AccTableSpeed;
    default:
        return leg ? PageTextId::LegTableTime : PageTextId::AccTableTime;
    }
}

PageTextId graphTitle(DataMode mode, bool leg)
{
    switch (mode) {
    case DataMode::Distance:
        return leg ? PageTextId::LegGraphDistance : PageTextId::AccGraphDistance;
    case DataMode::Speed:
        return leg ? PageTextId::LegGraphSpeed : PageTextId::AccGraphSpeed;
    default:
        return leg ? PageTextId::LegGraphTime : PageTextId::AccGraphTime;
    }
}

bool isFocused(const QVector<bool> &focused, int boatIndex)
{
    return boatIndex < focused.size() && focused[boatIndex];
}

QString entryText(const RaceControl &race, int entryIndex)
{
    return race.Course.Entries.value(entryIndex).trimmed();
}

void addTables(const DataPageInput &in, const LegTables &t, double w, PageScene &page)
{
    const RaceControl &race = *in.race;
    const double pt = 9.0 * in.fontScale;
    const int n = t.entryCount;
    const double x2 = n * w + LegTableGap;

    page.add(text(120, TitleY, pageText(tableTitle(in.mode, false), in.english), DataPageColours::Title, pt));
    page.add(text(x2 + 20, TitleY, pageText(tableTitle(in.mode, true), in.english), DataPageColours::Title, pt));

    page.add(text(15, HeaderY, pageText(PageTextId::BoatNameHeader, in.english), DataPageColours::Text, pt));
    for (int j = 1; j <= n; ++j)
        page.add(text(AccValueEnd + j * w, HeaderY, entryText(race, j - 1), DataPageColours::Text, pt,
                      PageAnchor::TopRight));
    for (int j = 2; j <= n; ++j)
        page.add(text(x2 + (j - 2) * w, HeaderY, QStringLiteral(">") + entryText(race, j - 1),
                      DataPageColours::Text, pt));

    for (int i = 1; i <= t.boatCount; ++i) {
        const double y = HeaderY + RowPitch * i;
        const BoatEntry &boat = race.Boats[i - 1];
        page.add(filledBox(NameBoxLeft, y - 1, NameBoxRight, y + 15, boat.colour));
        page.add(text(NameLeft, y, boat.Name, rgb(255, 255, 255), pt));
        if (isFocused(in.focused, i - 1)) {
            page.add(filledBox(w + 73, y - 1, n * w + 93, y + 12, DataPageColours::FocusBand));
            page.add(filledBox(x2, y - 1, x2 + (n - 1) * w, y + 12, DataPageColours::FocusBand));
        }
        for (int j = 1; j <= n; ++j) {
            const LegTableCell &c = t.acc(i, j);
            page.add(text(AccValueEnd + j * w, y, dataNumber(c.value),
                          c.best ? DataPageColours::Best : DataPageColours::Text, pt, PageAnchor::TopRight));
        }
        for (int j = 2; j <= n; ++j) {
            const LegTableCell &c = t.leg(i, j);
            if (!c.shown)
                continue;
            page.add(text(x2 + (j - 2) * w + 30, y, dataNumber(c.value),
                          c.best ? DataPageColours::Best : DataPageColours::Text, pt, PageAnchor::TopRight));
        }
    }
}

void addDifferenceGraph(const DataPageInput &in, const LegTables &t, double w, bool legGraph,
                        const DifferenceScale &scale, const QVector<QVector<std::optional<double>>> &points,
                        PageScene &graphs)
{
    const RaceControl &race = *in.race;
    const double pt = 9.0 * in.fontScale;
    const int n = t.entryCount;
    const bool speed = in.mode == DataMode::Speed;
    const double x = legGraph ? n * w + 60 : 0.0;
    const double k = scale.pixelsPerUnit;
    const double baseline = speed ? GraphTop : GraphBottom;
    auto yOf = [&](double d) { return speed ? baseline + k * d : baseline - k * d; };
    auto xOf = [&](int j) { return legGraph ? x + (j - 1) * w + 20 : x + j * w + 20; };

    graphs.add(text(x + 50, 10, pageText(graphTitle(in.mode, legGraph), in.english), DataPageColours::Title, pt));
    const double boxRight = x + 40 + (legGraph ? (n - 1) * w : n * w);
    graphs.add(filledBox(x + 40, GraphTop, boxRight, GraphBoxBottom, DataPageColours::GraphBackground));

    for (int m = 0; scale.isDefined && m <= scale.steps; ++m) {
        const double y = yOf(scale.unit * m);
        graphs.add(PageLine{{QPointF(x + 40, y), QPointF(x + 40 + n * w, y)}, DataPageColours::GraphGrid, 1});
        graphs.add(text(x + 35, y - 5, dataNumber(scale.unit * m), DataPageColours::Text, pt, PageAnchor::TopRight));
    }
    for (int j = legGraph ? 2 : 1; j <= n; ++j) {
        const double cx = xOf(j);
        graphs.add(PageLine{{QPointF(cx, GraphTop), QPointF(cx, GraphBoxBottom)}, DataPageColours::GraphGrid, 1});
        graphs.add(text(cx, 316, entryText(race, j - 1), DataPageColours::Text, pt, PageAnchor::TopCentre));
    }
    if (!scale.isDefined)
        return;

    // From the last boat to boat 1, so that boat 1's curve lies on top.
    for (int i = t.boatCount; i >= 1; --i) {
        const Colour colour = race.Boats[i - 1].colour;
        const int width = isFocused(in.focused, i - 1) ? 4 : 1;
        const QVector<std::optional<double>> &p = points[i - 1];
        for (int j = 2; j <= n; ++j) {
            if (!p[j - 1] || !p[j - 2])
                continue;
            const QPointF a(xOf(j - 1), yOf(*p[j - 2]));
            const QPointF b(xOf(j), yOf(*p[j - 1]));
            graphs.add(PageLine{{a, b}, colour, width});
            graphs.add(PageDot{a, 2, colour});
            graphs.add(PageDot{b, 2, colour});
        }
    }
}

void addFactorChart(const DataPageInput &in, const QVector<FactorColumn> &columns, double w, int n,
                    PageScene &page)
{
    const RaceControl &race = *in.race;
    const double pt = 9.0 * in.fontScale;
    const double pitch = 2 * w;

    page.add(text(120, 25, pageText(PageTextId::FactorTitle, in.english), DataPageColours::Title, pt));
    const struct {
        double y;
        Colour colour;
        PageTextId legend;
    } legend[] = {{45, DataPageColours::FactorTime, PageTextId::FactorLegendTime},
                  {65, DataPageColours::FactorDistance, PageTextId::FactorLegendDistance},
                  {85, DataPageColours::FactorSpeed, PageTextId::FactorLegendSpeed}};
    for (const auto &l : legend) {
        page.add(filledBox(50, l.y, 90, l.y + 10, l.colour));
        page.add(text(100, l.y, pageText(l.legend, in.english), DataPageColours::Text, pt));
    }

    page.add(text(15, FactorHeaderY, pageText(PageTextId::BoatNameHeader, in.english), DataPageColours::Text, pt));
    for (int j = 1; j <= n; ++j) {
        const QString label = j == 1 ? pageText(PageTextId::FactorWholeRace, in.english) : entryText(race, j - 1);
        page.add(text(AccValueEnd + j * pitch, FactorHeaderY, label, DataPageColours::Text, pt, PageAnchor::TopRight));
    }

    const int boats = race.boatCount();
    for (int i = 1; i <= boats; ++i) {
        const double y = FactorRowTop + FactorRowPitch * (i - 1);
        const BoatEntry &boat = race.Boats[i - 1];
        page.add(PageBox{NameBoxLeft, y - 1, NameBoxRight, y + 31, boat.colour, boat.colour, false});
        page.add(text(NameLeft, y, boat.Name, boat.colour, pt));
        if (isFocused(in.focused, i - 1))
            page.add(filledBox(125, y - 1, 125 + n * pitch + 30, y + 31, DataPageColours::FocusBand));
    }
    for (int j = 1; j <= n; ++j) {
        const FactorColumn &column = columns[j - 1];
        const double x0 = AccValueEnd + j * pitch;
        for (int i = 1; i <= boats; ++i) {
            const double y = FactorRowTop + FactorRowPitch * (i - 1);
            if (column.bestBoat > 0) {
                const FactorBars &bars = column.boats[i - 1];
                const struct {
                    const FactorRatio &ratio;
                    double top;
                    Colour colour;
                } kinds[] = {{bars.time, 2, DataPageColours::FactorTime},
                             {bars.distance, 10, DataPageColours::FactorDistance},
                             {bars.speed, 18, DataPageColours::FactorSpeed}};
                for (const auto &k : kinds) {
                    if (!k.ratio.shown)
                        continue;
                    const double length = 2 * pitch * limitedFactor(k.ratio.value);
                    page.add(filledBox(x0, y + k.top, x0 + length, y + k.top + 6, k.colour));
                }
            }
            page.add(PageLine{{QPointF(x0, y + 2), QPointF(x0, y + 32)}, DataPageColours::FactorZeroLine, 1});
        }
    }
}

} // namespace

QString dataNumber(double x)
{
    QString s = platform::formatNumber(x);
    if (s.startsWith(QLatin1String("0.")))
        s.remove(0, 1);
    else if (s.startsWith(QLatin1String("-0.")))
        s.remove(1, 1);
    return s;
}

double dataColumnWidth(int entryCount)
{
    if (entryCount <= 0)
        return 45.0;
    return std::min(260.0 / entryCount, 45.0);
}

int dataEntryCount(const RaceControl &race)
{
    return std::min(race.Course.Count(), int(LegStats::MaxEntries));
}

LegTables computeLegTables(const LegStats &stats, int boatCount, int entryCount, DataMode mode)
{
    if (mode == DataMode::Analysis)
        mode = DataMode::Time;
    LegTables t;
    t.mode = mode;
    t.boatCount = std::max(0, boatCount);
    t.entryCount = std::max(0, entryCount);
    const int n = t.entryCount;
    t.accumulated = QVector<QVector<LegTableCell>>(t.boatCount, QVector<LegTableCell>(n));
    t.legs = t.accumulated;
    t.accMax = QVector<double>(n, MaxStart);
    t.accMin = QVector<double>(n, MinStart);
    t.legMax = t.accMax;
    t.legMin = t.accMin;
    QVector<bool> legHasValues(n, false);

    for (int b = 0; b < t.boatCount; ++b) {
        for (int e = 0; e < n; ++e) {
            const LegFigures f = legFigures(stats, b + 1, e + 1);
            LegTableCell &acc = t.accumulated[b][e];
            acc.shown = true;
            acc.value = accValue(f, mode);
            widen(acc.value, t.accMax[e], t.accMin[e]);
            if (e >= 1 && isLegValue(f, mode)) {
                LegTableCell &leg = t.legs[b][e];
                leg.shown = true;
                leg.value = legValue(f, mode);
                widen(leg.value, t.legMax[e], t.legMin[e]);
                legHasValues[e] = true;
            }
        }
    }
    for (int b = 0; b < t.boatCount; ++b) {
        for (int e = 0; e < n; ++e) {
            LegTableCell &acc = t.accumulated[b][e];
            acc.best = isBest(acc.value, mode, t.accMax[e], t.accMin[e]);
            LegTableCell &leg = t.legs[b][e];
            leg.best = leg.shown && isBest(leg.value, mode, t.legMax[e], t.legMin[e]);
        }
    }
    for (int e = mode == DataMode::Speed ? 1 : 0; e < n; ++e)
        t.accSpread = std::max(t.accSpread, t.accMax[e] - t.accMin[e]);
    for (int e = 1; e < n; ++e)
        t.legSpread = std::max(t.legSpread, legHasValues[e] ? t.legMax[e] - t.legMin[e] : 0.0);
    return t;
}

DifferenceScale differenceScale(double spread)
{
    DifferenceScale s;
    s.spread = spread;
    s.isDefined = spread > 0 && std::isfinite(spread);
    if (!s.isDefined)
        return s;
    // The digits of S from its unit by division rather than by 10^(log10 S − E): a spread of
    // .5 has 5 of .1, never 4.999….
    s.unit = std::pow(10.0, std::floor(std::log10(spread)));
    double mantissa = spread / s.unit;
    if (mantissa >= 10) {
        s.unit *= 10;
        mantissa /= 10;
    } else if (mantissa < 1) {
        s.unit /= 10;
        mantissa *= 10;
    }
    s.steps = int(std::floor(mantissa)) + 1;
    s.pixelsPerUnit = GraphHeight / (s.unit * s.steps);
    return s;
}

QVector<QVector<std::optional<double>>> differencePoints(const LegStats &stats, const LegTables &t, bool legGraph)
{
    const int n = t.entryCount;
    QVector<QVector<std::optional<double>>> out(t.boatCount, QVector<std::optional<double>>(n));
    for (int b = 0; b < t.boatCount; ++b) {
        for (int e = legGraph ? 1 : 0; e < n; ++e) {
            const LegFigures f = legFigures(stats, b + 1, e + 1);
            const double rd = stats.roundingDistance(b + 1, e + 1);
            std::optional<double> d;
            if (!legGraph) {
                // A column without a positive value has no reference to differ from.
                switch (t.mode) {
                case DataMode::Distance:
                    if (rd * 1852 > 0 && t.accMin[e] < MinStart)
                        d = rd * 1852 - t.accMin[e];
                    break;
                case DataMode::Speed:
                    if (e >= 1 && f.valid)
                        d = t.accMax[e] - f.accSpeed;
                    break;
                default:
                    if (f.roundingTime > 0 && t.accMin[e] < MinStart)
                        d = f.roundingTime - t.accMin[e];
                    break;
                }
            } else {
                switch (t.mode) {
                case DataMode::Distance:
                    if (rd > 0 && t.legMin[e] < MinStart)
                        d = (rd - stats.roundingDistance(b + 1, e)) * 1852 - t.legMin[e];
                    break;
                case DataMode::Speed:
                    if (f.valid && f.hasLegSpeed)
                        d = t.legMax[e] - f.legSpeedGraph;
                    break;
                default:
                    if (f.valid && t.legMin[e] < MinStart)
                        d = f.legTime - t.legMin[e];
                    break;
                }
            }
            out[b][e] = d;
        }
    }
    return out;
}

double limitedFactor(double ratio)
{
    return std::clamp(ratio, -FactorLimit, FactorLimit);
}

QVector<FactorColumn> computeFactors(const LegStats &stats, int boatCount, int entryCount)
{
    const int n = std::max(0, entryCount);
    boatCount = std::max(0, boatCount);
    QVector<FactorColumn> columns(n);
    if (n == 0)
        return columns;
    auto ratio = [](double value, double reference) {
        FactorRatio r;
        if (reference != 0) {
            r.shown = true;
            r.value = value / reference - 1;
        }
        return r;
    };

    // The whole race, against the earliest finisher.
    FactorColumn &whole = columns[0];
    whole.boats.resize(boatCount);
    double bestTime = 0;
    for (int b = 1; b <= boatCount; ++b) {
        const double t = stats.roundingTime(b, n);
        if (t > 0 && (whole.bestBoat == 0 || t < bestTime)) {
            whole.bestBoat = b;
            bestTime = t;
        }
    }
    if (whole.bestBoat > 0) {
        auto meanSpeed = [&](int b) { return stats.roundingDistance(b, n) * 3600 / stats.roundingTime(b, n); };
        const LegFigures best = legFigures(stats, whole.bestBoat, n);
        const double bestSpeed = meanSpeed(whole.bestBoat);
        for (int b = 1; b <= boatCount; ++b) {
            const LegFigures f = legFigures(stats, b, n);
            if (!f.valid)
                continue;
            FactorBars &bars = whole.boats[b - 1];
            bars.time = ratio(f.roundingTime, best.roundingTime);
            bars.distance = ratio(double(f.accDistanceMetres), double(best.accDistanceMetres));
            bars.speed = ratio(meanSpeed(b), bestSpeed);
        }
    }

    // Each leg, against the boat with the shortest leg time.
    for (int e = 2; e <= n; ++e) {
        FactorColumn &column = columns[e - 1];
        column.boats.resize(boatCount);
        double bestLeg = 0;
        for (int b = 1; b <= boatCount; ++b) {
            const LegFigures f = legFigures(stats, b, e);
            if (f.valid && f.legTime > 0 && (column.bestBoat == 0 || f.legTime < bestLeg)) {
                column.bestBoat = b;
                bestLeg = f.legTime;
            }
        }
        if (column.bestBoat == 0)
            continue;
        const LegFigures best = legFigures(stats, column.bestBoat, e);
        for (int b = 1; b <= boatCount; ++b) {
            const LegFigures f = legFigures(stats, b, e);
            if (!f.valid)
                continue;
            FactorBars &bars = column.boats[b - 1];
            bars.time = ratio(f.legTime, best.legTime);
            bars.distance = ratio(double(f.legDistanceMetres), double(best.legDistanceMetres));
            if (f.hasLegSpeed && best.hasLegSpeed)
                bars.speed = ratio(f.legSpeed, best.legSpeed);
        }
    }
    return columns;
}

DataPageScene dataPageScene(const DataPageInput &in)
{
    DataPageScene s;
    const RaceControl &race = *in.race;
    const int boats = race.boatCount();
    const int n = dataEntryCount(race);
    const int W = std::max(0, in.pageWidth);
    s.entryCount = n;
    s.columnWidth = dataColumnWidth(n);
    const double w = s.columnWidth;
    int height = std::max(W, W / 2 + 18 * boats + 85);
    // The factor chart's rows are twice as high as the table rows: the page grows to hold them.
    if (in.mode == DataMode::Analysis)
        height = std::max(height, int(FactorRowTop + FactorRowPitch * boats + 5));
    s.pageSize = QSize(W, height);
    s.page.clears = true;
    s.page.background = DataPageColours::Page;

    if (in.mode == DataMode::Analysis) {
        s.factors = computeFactors(*in.stats, boats, n);
        addFactorChart(in, s.factors, w, n, s.page);
        return s;
    }

    s.tables = computeLegTables(*in.stats, boats, n, in.mode);
    addTables(in, s.tables, w, s.page);

    s.hasGraphs = true;
    s.graphsSize = QSize(W, height / 2);
    s.graphsOrigin = QPoint(0, int(GraphsTop + RowPitch * boats));
    s.graphs.clears = true;
    s.graphs.background = DataPageColours::Page;
    s.accScale = differenceScale(s.tables.accSpread);
    s.legScale = differenceScale(s.tables.legSpread);
    addDifferenceGraph(in, s.tables, w, false, s.accScale, differencePoints(*in.stats, s.tables, false), s.graphs);
    addDifferenceGraph(in, s.tables, w, true, s.legScale, differencePoints(*in.stats, s.tables, true), s.graphs);
    return s;
}
