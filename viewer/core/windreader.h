// The viewer's reader of wind data files (winddat/<WF>): a header line, then one observation a
// line: date-time, speed in knots, direction in degrees magnetic, separated by commas. Unlike
// the browser's reader it applies no time window, and it times the samples from ST as they
// stand: wind times are local times like ST, so no TD shift.
//
// Reported and skipped: a line with fewer than three items, a date-time, speed or direction
// that cannot be read. Blank lines are passed over.
#pragma once

#include "readproblem.h"
#include "viewerrace.h"

#include <QList>
#include <QStringList>

// The samples of the lines of a wind file (the first line is skipped whatever it holds), timed
// from start; directions rounded to whole degrees.
QList<ViewerWindSample> parseWindFile(const QStringList &lines, const platform::LocalDateTime &start,
                                      const QString &relativeFile, ReadProblems &problems);
