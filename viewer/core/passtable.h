// When each boat passed each element of the course, who led there, the final ranks and the
// score labels of the finish panel.
//
// Course element names: a name holding "L" is a line, numbered by characters 2 to 4 ("L1");
// any other is a mark, numbered by characters 3 to 5 ("MK2"). A name that numbers no mark or
// line of the race is reported and never passed. Every element of the course is timed, however
// long the course.
//
// Lines: a boat passes a line where its track crosses the line's straight extension. The start
// (the first element) is searched from the first sample on, and the last crossing up to the
// first step that begins after a fifth of the period counts, so a boat that crosses back and
// starts again gets its second crossing. A later line is searched from where the boat passed
// the element before; every crossing of the extension is taken, and the search ends at the
// first crossing between the two ends.
//
// Marks, and lines a boat never crossed (at the line's first end): the time of the boat's
// closest approach from where it passed the element before, rounded to whole seconds; the
// search ends once the boat is within 0.1′ and moving away by more than 0.1′ again.
#pragma once

#include "readproblem.h"
#include "viewerrace.h"

#include <QList>
#include <QVector>

struct CourseElement {
    enum Kind { Mark, Line, Unknown };
    Kind What = Unknown;
    int Number = 0; // 1-based mark or line number
};

// The element a course name names in race (Unknown when the number names nothing).
CourseElement courseElement(const QString &name, const ViewerRace &race);

struct PassTable {
    static constexpr double NotPassed = 1000000.0;

    QVector<QVector<double>> Time; // [boat][element], seconds from ST; NotPassed when not passed
    QVector<int> LeaderBoat;       // [element] 1-based boat, 0 when nobody passed
    QVector<double> LeaderTime;    // [element] NotPassed when nobody passed
    QVector<int> Rank;             // [boat] 1 + boats faster at the last element; 0 without course

    int elementCount() const { return int(LeaderTime.size()); }
    bool isPassed(double time) const { return time <= 999999.0; }
    // 1-based look-ups; NotPassed outside the table.
    double passingTime(int boatNumber, int elementNumber) const;
    double finishTime(int boatNumber) const { return passingTime(boatNumber, elementCount()); }
    double leaderFinishTime() const { return LeaderTime.isEmpty() ? NotPassed : LeaderTime.last(); }
};

// problems (optional) receives the course names that name nothing, at the CRS line.
PassTable computePassTable(const ViewerRace &race, const QString &relativeFile = {}, ReadProblems *problems = nullptr);

// One label of the finish panel (only for races with a line): " " + rank + "  " + name +
// "  (+" + seconds behind the leader at the last element + "sec)", 13 pixels high at left 6,
// top = rank × 15 − 10, in the boat's colour.
struct ScoreLabel {
    int Boat = 0; // 1-based
    QString Text;
    int Left = 6;
    int Top = 0;
    int Height = 13;
    ViewerRgb Colour;
};

QList<ScoreLabel> scoreLabels(const ViewerRace &race, const PassTable &passes);
