#include "passtable.h"

#include <numbers.h>

#include <cmath>

namespace {

constexpr double FarAway = 50000.0;   // minutes: the closest approach starts here
constexpr double MarkReach = 0.1;     // minutes
constexpr double StartSearchShare = 0.2;

// Sample i of the texts (1-based).
struct Track {
    const QVector<ViewerSample> &s;
    const ViewerSample &operator[](int i) const { return s[i - 1]; }
    int count() const { return int(s.size()); }
};

void timeLine(const ViewerLine &line, int element, double periodEnd, const ViewerRace &race, PassTable &table,
              QVector<int> &resume)
{
    const double length = std::hypot(line.Lat2 - line.Lat1, line.Lon2 - line.Lon1);
    const bool sloped = line.Lon2 != line.Lon1;
    const double b = sloped ? (line.Lat2 - line.Lat1) / (line.Lon2 - line.Lon1) : 0.0;
    const double a = line.Lat1 - line.Lon1 * b;
    const auto side = [&](const ViewerSample &p) { return sloped ? a + b * p.Lon - p.Lat : p.Lon - line.Lon1; };

    for (int boat = 0; boat < race.Boats.size(); ++boat) {
        const Track t{race.Boats[boat].Samples};
        const int first = element == 0 ? 1 : resume[boat] + 1;
        for (int i = std::max(first, 1); i + 1 <= t.count(); ++i) {
            const double d = side(t[i]), e = side(t[i + 1]);
            if (d * e <= 0) {
                double f = d == e ? 0.0 : std::fabs(d / (e - d));
                if (f > 1)
                    f = 0;
                table.Time[boat][element] = t[i].Time + (t[i + 1].Time - t[i].Time) * f;
                resume[boat] = i + 1;
                if (element > 0) {
                    const double lat = t[i].Lat + (t[i + 1].Lat - t[i].Lat) * f;
                    const double lon = t[i].Lon + (t[i + 1].Lon - t[i].Lon) * f;
                    if (std::hypot(lat - line.Lat1, lon - line.Lon1) < length &&
                        std::hypot(lat - line.Lat2, lon - line.Lon2) < length)
                        break;
                }
            }
            if (element == 0 && t[i].Time > StartSearchShare * periodEnd)
                break;
        }
    }
}

void timeClosestApproach(double lat, double lon, int element, const ViewerRace &race, PassTable &table,
                         QVector<int> &resume)
{
    for (int boat = 0; boat < race.Boats.size(); ++boat) {
        if (table.isPassed(table.Time[boat][element]))
            continue;
        const Track t{race.Boats[boat].Samples};
        const int first = element == 0 ? 1 : std::max(resume[boat], 1);
        double closest = FarAway;
        for (int i = first; i <= t.count() - 1; ++i) {
            const double dLat = t[i].Lat - lat, dLon = t[i].Lon - lon;
            const double d = std::sqrt(dLat * dLat + dLon * dLon);
            if (d < closest) {
                closest = d;
                table.Time[boat][element] = viewerRound(t[i].Time);
                resume[boat] = i + 1;
            }
            if (closest < MarkReach && d > closest + MarkReach)
                break;
        }
    }
}

} // namespace

CourseElement courseElement(const QString &name, const ViewerRace &race)
{
    CourseElement e;
    if (name.contains(QLatin1Char('L'))) {
        const int n = int(platform::leadingNumber(name.mid(1, 3)));
        if (n >= 1 && n <= race.Lines.size())
            e = {CourseElement::Line, n};
    } else {
        const int n = int(platform::leadingNumber(name.mid(2, 3)));
        if (n >= 1 && n <= race.Marks.size())
            e = {CourseElement::Mark, n};
    }
    return e;
}

double PassTable::passingTime(int boatNumber, int elementNumber) const
{
    if (boatNumber < 1 || boatNumber > Time.size() || elementNumber < 1 || elementNumber > elementCount())
        return NotPassed;
    return Time[boatNumber - 1][elementNumber - 1];
}

PassTable computePassTable(const ViewerRace &race, const QString &relativeFile, ReadProblems *problems)
{
    const int boats = race.boatCount();
    const int elements = int(race.Course.size());
    PassTable table;
    table.Time = QVector<QVector<double>>(boats, QVector<double>(elements, PassTable::NotPassed));
    table.LeaderBoat = QVector<int>(elements, 0);
    table.LeaderTime = QVector<double>(elements, PassTable::NotPassed);
    table.Rank = QVector<int>(boats, 0);
    QVector<int> resume(boats, 0);

    for (int k = 0; k < elements; ++k) {
        const CourseElement e = courseElement(race.Course[k], race);
        if (e.What == CourseElement::Unknown) {
            if (problems)
                problems->append({relativeFile, race.CourseLineNumber, ReadProblem::UnknownCourseElement, {race.Course[k]}});
            continue;
        }
        if (e.What == CourseElement::Line) {
            const ViewerLine &line = race.Lines[e.Number - 1];
            timeLine(line, k, race.Period.End, race, table, resume);
            timeClosestApproach(line.Lat1, line.Lon1, k, race, table, resume);
        } else {
            const ViewerMark &mark = race.Marks[e.Number - 1];
            timeClosestApproach(mark.Lat, mark.Lon, k, race, table, resume);
        }
    }

    for (int k = 0; k < elements; ++k) {
        for (int b = 0; b < boats; ++b) {
            const double t = table.Time[b][k];
            if (table.isPassed(t) && t < table.LeaderTime[k]) {
                table.LeaderTime[k] = t;
                table.LeaderBoat[k] = b + 1;
            }
        }
    }
    if (elements > 0) {
        for (int b = 0; b < boats; ++b) {
            int rank = 1;
            for (int o = 0; o < boats; ++o) {
                if (table.Time[o][elements - 1] < table.Time[b][elements - 1])
                    ++rank;
            }
            table.Rank[b] = rank;
        }
    }
    return table;
}

QList<ScoreLabel> scoreLabels(const ViewerRace &race, const PassTable &passes)
{
    QList<ScoreLabel> labels;
    if (race.Lines.isEmpty())
        return labels;
    const double leader = passes.leaderFinishTime();
    for (int b = 1; b <= race.boatCount(); ++b) {
        ScoreLabel l;
        l.Boat = b;
        const int rank = passes.Rank.value(b - 1);
        const double behind = passes.isPassed(leader) ? passes.finishTime(b) - leader : 0.0;
        l.Text = QStringLiteral(" %1  %2  (+%3sec)")
                     .arg(QString::number(rank), race.Boats[b - 1].Name, QString::number(viewerRound(behind)));
        l.Top = rank * 15 - 10;
        l.Colour = race.Boats[b - 1].Colour;
        labels << l;
    }
    return labels;
}
