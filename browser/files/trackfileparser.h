// GPS track files (gpsdat/*.trk, *.dtr): the text export of a receiver's track log, one
// record line per fix. The race load (raceloader.h) parses one file per boat, in boat order;
// the parser fills the boat's points (Time, Lat, Lon) and moves the race's load window fields.
//
// Format as read here:
//   - only the first character of a line decides its kind: "T" a fix, "U" a coordinate unit
//     line ("DEG" decimal degrees, else "DMS" packed degrees-minutes-seconds, else packed
//     degrees and decimal minutes, the default at the top of every file), anything else is
//     ignored (headers, the "M" datum line);
//   - a fix: "T", latitude (N/S/+/- then the number), longitude (E/W/+/- then the number),
//     UTC date ("03-MAR-08" or "2008/03/03"), UTC time, at least one more item. Items are
//     separated by runs of blanks; items past the 20th are ignored;
//   - line ends CR LF, LF or CR alone.
//
// Decisions on records outside the format (each is skipped and reported as a problem naming
// its line; reading goes on): fewer than 6 items, a coordinate without its hemisphere
// character or without a number, a position off the globe, a date or time that does not exist.
//
// A race without a finish time (no FT, or no ST, which also clears the finish) is read with an
// open window for every file of the load, not only for the first: every fix is taken and
// FinishTime becomes the latest fix taken over all files. The load sets DisplayEnd and the
// race duration from it afterwards.
#pragma once

#include <appsettings.h>
#include <fileproblem.h>
#include <racecontrol.h>
#include <racedata.h>

#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <QStringList>

// A file of this many bytes or fewer holds no fix worth reading.
constexpr qint64 MinTrackFileBytes = 500;
// Items of a record past this one are ignored.
constexpr int MaxTrackRecordItems = 20;

enum class CoordinateForm {
    DegreesDecimalMinutes, // 3530.12345 is 35° 30.12345′ (the default)
    DecimalDegrees,        // unit line holds "DEG": 35.5 is 35.5°
    DegreesMinutesSeconds, // unit line holds "DMS": 1394530.5 is 139° 45′ 30.5″
};

// The form a unit line ("U  LAT LON DM") sets.
CoordinateForm coordinateFormOfUnitLine(QByteArrayView line);
// The value v of a coordinate (hemisphere character removed) in minutes of arc.
double coordinateToMinutes(double v, CoordinateForm form);

// The date item of a record: "03-MAR-08", "03/MAR/08" (two-digit years are years 20xx),
// "03-MAR-2008", "2008/03/03". An invalid QDate when it names no real day.
QDate parseTrackDate(QByteArrayView item);

// How many fixes to make room for before the bytes of a track file are parsed: the bytes from
// the first record on divided by that record's length, and a sixteenth more (receivers write
// records of one length, give or take a digit). A log with shorter records later on grows as
// it is read; one without a record line needs no room.
qsizetype expectedFixes(QByteArrayView bytes);

// True when the name ends in exactly "TRK", "DTR", "trk" or "dtr" (mixed case is not read).
bool isTrackFileName(const QString &name);

struct TrackParseResult {
    enum Status {
        Read,        // the bytes were parsed (possibly without any accepted fix)
        WrongName,   // the name does not end in one of the four accepted forms
        TooShort,    // MinTrackFileBytes or fewer
        Missing,     // no such regular file (also a folder of that name)
        Unreadable,  // exists but could not be read
    };
    Status status = Read;
    int records = 0;       // T lines with a readable fix
    int accepted = 0;      // points stored
    FileProblems problems; // the records skipped, at most ProblemReporter::MaxListed listed
    QString path;          // the file, for messages
    QString error;         // Unreadable: why
};

// Parses the bytes of one track file into track (its points are replaced) and updates rc:
// FirstFixTime, StartTime, DisplayStart, FinishTime (see above), LastFixTime. Uses
// rc.TimeDifference as it stands (the load has already replaced 0 by 9). No size or name
// test and no file system access. Problems name problemFile.
TrackParseResult parseTrackBytes(QByteArrayView bytes, RaceControl &rc, BoatTrack &track,
                                 const QString &problemFile = {});

// Files side by side. A file parsed on a copy of the race leaves the fields above on the copy.
// Once the race has a start time, what one file does to them does not change how the next one
// is read (the start is fixed, the window stays as it is), so copies made before any of those
// files is read can be parsed at once; taking each copy over in boat order then gives the race
// what reading the files one after another gives it: the first fix of the first file that has
// one, the latest finish taken, the last fix of the last file with a record. A copy parsed
// while the race had no start time must be the race as the files before it left it (read
// those one by one): its start, display window and finish are taken over as they are.
void mergeTrackTimes(RaceControl &race, const RaceControl &parsed, const TrackParseResult &result);

// Reads gpsdat/<TrackFile> of boat boatNumber (1-based) below the application folder into
// track: a missing file, a wrong name or a file of MinTrackFileBytes or fewer leave the track
// empty and rc untouched. No message: the caller decides what to tell the user; the records
// skipped are in the result's problems, named relative to the application folder.
TrackParseResult ParseTrackFile(const AppSettings &settings, RaceControl &rc, int boatNumber, BoatTrack &track);
