// The race geometry as the chart edits it: picking the mark or line end nearest to a clicked
// position, placing marks and lines, building the course order from the picks, and deleting a
// mark or line. Used by the chart tools of the race display (charttools.h), which write the
// race control file after every change this reports.
//
// Numbering: mark n is RaceControl::Marks[n − 1], line n is Lines[n − 1]; course entries name
// them "MK" + n and "L" + n. Deleting renumbers the marks (or lines) after the deleted one, so
// every course entry could name something else: a delete always empties the course.
//
// Limits: 30 marks, 10 lines, 50 course entries. A change past a limit is refused and leaves
// the race exactly as it was.
#pragma once

#include <racecontrol.h>

#include <QStringList>

#include <cstdlib>

// What a chart position picks: a positive selection is mark n, a negative one line n (either
// end), 0 nothing.
struct ChartPick {
    int selection = 0;

    bool isNone() const { return selection == 0; }
    bool isMark() const { return selection > 0; }
    bool isLine() const { return selection < 0; }
    int number() const { return std::abs(selection); }
    // "MK2", "L1"; empty for nothing.
    QString courseEntry() const;
    // The course tag over the chart: "MK2", "LINE1"; empty for nothing.
    QString tagText() const;
};

// The mark or line end nearest to (lat, lon), minutes, within 0.1 / zoom minute of latitude:
// distances are √(ΔLat² + (lonFactor × ΔLon)²). Marks are looked at first, then each line's
// end 1 and end 2; a later candidate wins only when strictly nearer. zoom is the zoom in
// effect (MapView::Zoom), so the radius shrinks as the chart is enlarged.
ChartPick PickNearest(const RaceControl &race, double lonFactor, double zoom, double lat, double lon);

// Why a change was refused.
enum class EditRefusal {
    None,
    TooManyMarks,         // 30 marks already
    TooManyLines,         // 10 lines already
    TooManyCourseEntries, // 50 course entries already
};

// Appends mark n + 1 at (lat, lon), minutes.
EditRefusal addMark(RaceControl &race, double lat, double lon);
// Appends a line from its first end to its second.
EditRefusal addLine(RaceControl &race, const RaceLine &line);
// Whether a line can still be added (the line tool asks before its first end is placed).
bool canAddLine(const RaceControl &race);
// Appends the picked mark or line to the course ("MK" + n, "L" + n). Nothing is appended for
// an empty pick (the result is None then too).
EditRefusal appendCourseEntry(RaceControl &race, ChartPick pick);
// Deletes the picked mark or line: the others keep their order and are renumbered from 1, and
// the course is emptied. False (and no change) for an empty pick or a number out of range.
bool deletePicked(RaceControl &race, ChartPick pick);
// Empties the course.
void clearCourse(RaceControl &race);

// The course can be set once there are at least two marks and lines together.
bool isCourseSettable(const RaceControl &race);

// The items of the course list: entry j (from 1) as " j" + two blanks + the entry, so the first
// item of a course starting at line 1 reads " 1  L1".
QStringList courseListItems(const CourseOrder &course);
