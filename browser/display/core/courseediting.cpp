#include "courseediting.h"

#include <cmath>

QString ChartPick::courseEntry() const
{
    if (isNone())
        return {};
    return (isMark() ? QStringLiteral("MK") : QStringLiteral("L")) + QString::number(number());
}

QString ChartPick::tagText() const
{
    if (isNone())
        return {};
    return (isMark() ? QStringLiteral("MK") : QStringLiteral("LINE")) + QString::number(number());
}

ChartPick PickNearest(const RaceControl &race, double lonFactor, double zoom, double lat, double lon)
{
    auto distance = [&](double pLat, double pLon) {
        const double dLat = pLat - lat;
        const double dLon = lonFactor * (pLon - lon);
        return std::sqrt(dLat * dLat + dLon * dLon);
    };
    ChartPick pick;
    double best = zoom > 0 ? 0.1 / zoom : 0.1;
    for (int j = 0; j < race.markCount(); ++j) {
        const double d = distance(race.Marks[j].Lat, race.Marks[j].Lon);
        if (d < best) {
            best = d;
            pick.selection = j + 1;
        }
    }
    for (int j = 0; j < race.lineCount(); ++j) {
        const RaceLine &l = race.Lines[j];
        for (const double d : {distance(l.Lat1, l.Lon1), distance(l.Lat2, l.Lon2)}) {
            if (d < best) {
                best = d;
                pick.selection = -(j + 1);
            }
        }
    }
    return pick;
}

EditRefusal addMark(RaceControl &race, double lat, double lon)
{
    if (race.markCount() >= MaxMarks)
        return EditRefusal::TooManyMarks;
    race.Marks.append(RaceMark{lat, lon});
    return EditRefusal::None;
}

bool canAddLine(const RaceControl &race)
{
    return race.lineCount() < MaxLines;
}

EditRefusal addLine(RaceControl &race, const RaceLine &line)
{
    if (!canAddLine(race))
        return EditRefusal::TooManyLines;
    race.Lines.append(line);
    return EditRefusal::None;
}

EditRefusal appendCourseEntry(RaceControl &race, ChartPick pick)
{
    if (pick.isNone())
        return EditRefusal::None;
    if (race.Course.Count() >= MaxCourseEntries)
        return EditRefusal::TooManyCourseEntries;
    race.Course.Entries.append(pick.courseEntry());
    return EditRefusal::None;
}

bool deletePicked(RaceControl &race, ChartPick pick)
{
    const int index = pick.number() - 1;
    if (pick.isMark() && index < race.markCount())
        race.Marks.removeAt(index);
    else if (pick.isLine() && index < race.lineCount())
        race.Lines.removeAt(index);
    else
        return false;
    clearCourse(race);
    return true;
}

void clearCourse(RaceControl &race)
{
    race.Course.Entries.clear();
}

bool isCourseSettable(const RaceControl &race)
{
    return race.markCount() + race.lineCount() >= 2;
}

QStringList courseListItems(const CourseOrder &course)
{
    QStringList items;
    for (int j = 0; j < course.Count(); ++j)
        items << QLatin1Char(' ') + QString::number(j + 1) + QStringLiteral("  ") + course.Entries[j];
    return items;
}
