// GPX 1.0 and 1.1 tracks to GPS track files (gpsdat/*.trk). The gpx2trk program is a thin
// command line around these functions; the tools tests call them directly.
//
// What is read: every trkpt of every trk and trkseg (lat and lon attributes, time and ele
// children); waypoints and routes are not tracks and are skipped. Track files hold UTC, so
// GPX times are turned into UTC: "Z" and "+hh:mm" / "-hh:mm" times by their zone; times
// without a zone are taken as UTC unless GpxReadOptions says how far ahead of UTC they are.
// Fractions of a second are dropped.
//
// Errors and warnings: a file that is not XML or not GPX, or that holds no usable track point,
// fails with a message and the line it stopped at. A single point without a time, with a
// coordinate off the globe or with a time that cannot be read is skipped with a warning naming
// its line, and reading goes on.
#pragma once

#include <trackfilewriter.h>

#include <QIODevice>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace tools {

struct GpxReadOptions {
    // Hours that times without a zone are ahead of UTC (9 for Japan); nothing: take them as UTC.
    std::optional<double> ZonelessOffsetHours;
};

struct GpxReadResult {
    bool ok = false;
    QString error;          // why the file could not be read
    qint64 errorLine = 0;   // line of the error, 0 when none applies
    QStringList warnings;   // "line 12: track point without a time, skipped" …
    QString trackName;      // name of the first trk, if any
    QList<TrackFix> fixes;  // in file order
    int zonelessTimes = 0;  // points whose time had no zone
};

GpxReadResult readGpx(QIODevice *device, const GpxReadOptions &options = {});

// A GPX time ("2025-10-26T09:07:01.000Z", "…+01:00", "…" without a zone) in UTC; null when it
// cannot be read. *hadZone tells whether the text named its zone.
platform::LocalDateTime parseGpxTime(QStringView text, const GpxReadOptions &options, bool *hadZone = nullptr);

// The fixes of one or more files as one track: in time order (stable), only the first fix of
// each second (the track file holds whole seconds and its reader takes the first of equal ones).
QList<TrackFix> mergeTrackFixes(const QList<QList<TrackFix>> &parts);

// The track file for fixes. A file of 500 bytes or fewer is not read at all by the programs,
// so a short track gets header lines enough to pass that size.
QStringList trackFileLinesForGpx(const QList<TrackFix> &fixes, const TrackFileOptions &options);

} // namespace tools
