// The viewer's reader of GPS track files (gpsdat/*). It differs from the browser's on purpose:
//   - no test of the file name's extension or of the file size;
//   - any line holding "DMS" or "DEG" anywhere switches the notation of the coordinates for
//     the lines after it (DEG wins when a line holds both);
//   - a sample is any line whose key (its first item) contains "T" and which has exactly six
//     items, separated by blanks: key, latitude, longitude, date, time, one more value;
//   - the start and finish are shifted to UTC (by TD) instead of each sample to local time;
//   - a fixed window decides which samples are kept: from more than BT + 60 s before the
//     start (BT the pre-start time) to less than 30 s after the finish, the boat's time offset
//     counted at the start only;
//   - a sample dated more than 364 days from the race's start date is taken as dated
//     2000/1/1, so for any race not held around that day it falls outside the window;
//   - consecutive samples with equal times are all kept.
//
// Reported and skipped (the file, the line and what): a line whose key contains "T" but which
// has another number of items; a sample whose date or time cannot be read; a kept sample whose
// coordinate cannot be read. Samples dropped by the 364-day rule are reported once per file,
// with their number and the first line.
#pragma once

#include "readproblem.h"
#include "viewerrace.h"

#include <QByteArrayView>
#include <QVector>

struct TrackWindow {
    platform::LocalDateTime StartUtc;  // start' = ST − TD hours
    platform::LocalDateTime FinishUtc; // finish' = FT − TD hours
    QDate RaceDate;                    // date of ST
    int PreStartSeconds = 180;         // BT
};

TrackWindow trackWindowOf(const ViewerRace &race);

// Reads the samples of boat from the bytes of its GPS file (they replace the boat's samples)
// and sets its mean sampling interval.
void parseTrack(QByteArrayView bytes, const TrackWindow &window, ViewerBoat &boat, const QString &relativeFile,
                ReadProblems &problems);

// The mean sampling interval in whole seconds: with more than 10 samples the mean over the
// samples 5 … count − 5 (1-based), so that gaps at either end do not count; with 2 to 10
// samples the mean over all of them; never below 1 s (also for a single sample or none, and
// for samples that do not advance), so everything that divides by it stays defined.
int meanSamplingInterval(const QVector<ViewerSample> &samples);
