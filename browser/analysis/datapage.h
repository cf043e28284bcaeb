// The Data page of the race display: it compares the boats course entry by course entry.
// Modes Time, Dist and SPD show two tables side by side (accumulated figures per course
// entry, figures per leg) with the best value of each column marked, and under them two
// graphs of every boat's difference to the best; mode ANA shows the factor chart, which splits
// each boat's time loss on the whole race and on each leg into a distance part and a speed
// part.
//
// Everything here is computed without a window: the tables (computeLegTables), the scales of
// the difference graphs (differenceScale), the factor ratios (computeFactors) and the whole
// picture as a scene (dataPageScene), which the page painter paints. orvane-report prints
// the same tables, so the numbers of the page and of the report are one computation.
//
// Terms as in legstats.h: course entry e (1 … n) and leg e (2 … n); a boat is "valid" at an
// entry when it passed it (passing time > 0). Only the course entries the analysis looks at
// (at most LegStats::MaxEntries) get a column.
//
// Index convention: tables are 0-based containers, [b][e] is boat number b + 1 at course entry
// e + 1; the accessors take 1-based numbers.
#pragma once

#include "legstats.h"
#include "pagescene.h"

#include <racecontrol.h>

#include <QPoint>
#include <QSize>
#include <QStringList>
#include <QVector>

#include <optional>

enum class DataMode { Time = 1, Distance = 2, Speed = 3, Analysis = 4 };

// A number as the page writes it: "." as decimal point, no thousands separator, no 0 before
// the point of a value below 1 (0.5 → ".5", -0.25 → "-.25"), a minus sign for negative
// values and no leading blank.
QString dataNumber(double x);

// Width of one table column in pixels for n course entries: 260 / n, at most 45.
double dataColumnWidth(int entryCount);

// The number of course entries that get a column: the course's entries, at most
// LegStats::MaxEntries (the entries past it are never analysed).
int dataEntryCount(const RaceControl &race);

struct LegTableCell {
    bool shown = false; // false: an empty cell
    double value = 0.0; // s, m or kn by mode
    bool best = false;  // written in the best colour
};

// The two tables of one mode. The accumulated table has a value for every boat at every entry
// (0 included): mode Time the passing time, Dist the accumulated distance in metres, SPD the
// accumulated speed (0 when not passed). The leg table has a value only for the boats valid at
// the leg's entry: Time the leg time, Dist the leg distance in metres, SPD the leg speed
// truncated to 0.001 kn (an empty cell when the leg time is 0).
//
// The best value of a column is its smallest positive value (Time, Dist) or its largest value
// (SPD); every cell holding it is marked, ties included. A column without a positive value has
// no best. The spreads (largest max − min over the columns: accumulated from entry 1, or 2 in
// mode SPD; legs from 2, an empty leg column counting 0) scale the difference graphs.
struct LegTables {
    DataMode mode = DataMode::Time;
    int boatCount = 0;
    int entryCount = 0;
    QVector<QVector<LegTableCell>> accumulated; // [boat][entry]
    QVector<QVector<LegTableCell>> legs;        // [boat][entry]; entry 0 is never shown
    // Per column, as the tables found them: max starts at −10 and min at 99999; min only
    // takes positive values.
    QVector<double> accMax, accMin;
    QVector<double> legMax, legMin;
    double accSpread = -100.0;
    double legSpread = -100.0;

    const LegTableCell &acc(int boatNumber, int entryNumber) const
    {
        return accumulated[boatNumber - 1][entryNumber - 1];
    }
    const LegTableCell &leg(int boatNumber, int entryNumber) const
    {
        return legs[boatNumber - 1][entryNumber - 1];
    }
};

// The tables of mode Time, Distance or Speed (Analysis gives those of Time) for boats
// 1 … boatCount and course entries 1 … entryCount, from passing times and distances (both
// computations done).
LegTables computeLegTables(const LegStats &stats, int boatCount, int entryCount, DataMode mode);

// Scale of a difference graph from the spread S of its table: E = Int(log10 S), unit
// U = 10^E, G = Int(S / U) + 1 grid steps (2 … 10), full scale U × G over 275 pixels, so the
// largest difference always lies inside the plot. A spread of 0 or less (one boat, boats tied
// everywhere, or no boat valid anywhere) has no logarithm and nothing to compare: such a graph
// keeps its title, background and columns and is left without grid and curves.
struct DifferenceScale {
    double spread = 0.0;   // S as given
    bool isDefined = false; // S > 0: the graph has a scale, a grid and curves
    double unit = 1.0;     // U
    int steps = 2;         // G
    double pixelsPerUnit = 137.5; // k = 275 / (U × G)
    double fullScale() const { return unit * steps; }
};
DifferenceScale differenceScale(double spread);

// The point values of the difference graphs, per boat and entry: the difference to the
// column's best, or nothing where the boat has no point. The accumulated graph has points from
// entry 1 (from entry 2 in mode SPD), the leg graph from entry 2. Differences are taken from
// the unrounded distances and, for leg speeds, the speed rounded to 0.001.
QVector<QVector<std::optional<double>>> differencePoints(const LegStats &stats, const LegTables &tables,
                                                          bool legGraph);

// The factor chart. Column 0 is the whole race (against the earliest finisher), column e − 1
// leg e (against the boat with the shortest leg time); ties keep the lower boat number.
// Each ratio is value / reference − 1: time and distance larger is worse, speed larger is
// better. A ratio is missing where the boat has no time at the column's entry or where its
// reference is 0.
constexpr double FactorLimit = 0.2; // bars are cut at ±0.2 (±20 %)

struct FactorRatio {
    bool shown = false;
    double value = 0.0; // not yet limited
};
struct FactorBars {
    FactorRatio time, distance, speed;
};
struct FactorColumn {
    int bestBoat = 0;          // boat number; 0 when no boat qualifies (no bars)
    QVector<FactorBars> boats; // [boat]
};
QVector<FactorColumn> computeFactors(const LegStats &stats, int boatCount, int entryCount);
// A ratio limited to [−FactorLimit, FactorLimit].
double limitedFactor(double ratio);

// What the page shows and where.
struct DataPageInput {
    const RaceControl *race = nullptr; // boats (names, colours) and course entries
    const LegStats *stats = nullptr;   // both computations done
    QVector<bool> focused;             // per boat: ticked in the boat list
    DataMode mode = DataMode::Time;
    int pageWidth = 0;                 // W: the width of the chart area, pixels
    bool english = false;
    double fontScale = 1.0;            // AppSettings::Scale
};

// The page picture. In modes Time, Dist and SPD the tables are drawn on the page and the
// difference graphs on an off-screen picture (as wide as the page, half as high) that is then
// copied onto the page under the tables; mode ANA draws the factor chart on the page alone.
struct DataPageScene {
    QSize pageSize;     // W × max(W, W / 2 + 18 × boats + 85); in mode ANA tall enough for every row
    double columnWidth = 0.0; // w
    int entryCount = 0;       // n
    PageScene page;
    bool hasGraphs = false;
    PageScene graphs;
    QSize graphsSize;   // W × page height / 2
    QPoint graphsOrigin; // (0, 103 + 18 × boats)
    LegTables tables;   // modes Time, Dist, SPD
    DifferenceScale accScale, legScale;
    QVector<FactorColumn> factors; // mode ANA
};
DataPageScene dataPageScene(const DataPageInput &input);

// Colours of the page.
namespace DataPageColours {
constexpr Colour Title = rgb(192, 0, 0);
constexpr Colour Text = rgb(0, 0, 0);
constexpr Colour Best = rgb(192, 0, 0);
constexpr Colour FocusBand = rgb(192, 255, 255);
constexpr Colour GraphBackground = rgb(192, 255, 255);
constexpr Colour GraphGrid = rgb(255, 255, 255);
constexpr Colour FactorTime = rgb(0, 0, 0);
constexpr Colour FactorDistance = rgb(255, 0, 0);
constexpr Colour FactorSpeed = rgb(0, 0, 255);
constexpr Colour FactorZeroLine = rgb(0, 255, 255);
constexpr Colour Page = rgb(255, 255, 255);
} // namespace DataPageColours
