// The race now loaded, as its race control file describes it: boats with their track files,
// marks, lines, course order, times and settings; plus the times the load derives.
//
// Numbering: boats, marks, lines, course entries and attachments are numbered from 1 in every
// text the user or a file sees ("MK1", "L2", boat 1). The lists here are 0-based containers:
// number n is element n − 1. Each list has a fixed upper bound (MaxBoats …); the reader and
// every editor refuse elements past it.
//
// Units: positions in minutes of arc (degrees × 60), north and east positive; times inside the
// race in seconds from StartTime (negative before it); date-times are naive local times of the
// race area (platform::LocalDateTime, null when the file has none).
#pragma once

#include "appsettings.h"

#include <localdatetime.h>

#include <QList>
#include <QString>
#include <QStringList>

constexpr int MaxBoats = 50;
constexpr int MaxMarks = 30;
constexpr int MaxLines = 10;
constexpr int MaxCourseEntries = 50;
constexpr int MaxCoastTiles = 20;
constexpr int MaxAttachments = 50;

// The colour of boat number n (1-based) from the boat palette: 1 to 15 are listed; 16 to 30
// take the colour of n − 15 and 31 to 50 that of n − 30 (so 46 to 50 repeat 1 to 5).
Colour boatColour(int boatNumber);

struct BoatEntry {
    QString TrackFile; // name of the track file in gpsdat
    QString Name;      // boat name shown everywhere
    Colour colour = rgb(0, 0, 0);
};

struct RaceMark {
    double Lat = 0.0; // minutes
    double Lon = 0.0; // minutes
};

struct RaceLine {
    double Lat1 = 0.0, Lon1 = 0.0; // first end, minutes
    double Lat2 = 0.0, Lon2 = 0.0; // second end, minutes
};

// One entry of the course: "MK" + mark number or "L" + line number.
struct CourseEntry {
    enum Kind { Invalid, Mark, Line } kind = Invalid;
    int number = 0; // 1-based mark or line number
    static CourseEntry parse(const QString &text);
    QString toString() const;
};

// The records of a race control file in the order the writer emits them.
enum class RaceRecord { Top, WF, T1, T2, T3, MG, LG, ST, FT, TD, WD, NU, BN, MK, LN, CRS, MAP, LL, BT, AT };

// A line of the race control file that the reader did not take: a key it does not know (the
// viewer's NOTE), a line outside the format, a value it did not accept, a boat left out because
// its GPS file is missing. The writer puts it back verbatim where it was: after the record the
// reader last took before it.
struct KeptLine {
    QString text;                       // the line as the file had it
    RaceRecord after = RaceRecord::Top; // the record it follows (Top: before every record)
    int afterNumber = 0;                // BN, MK, LN, AT: how many of them it follows
    int fileLine = 0;                   // its line number when read: orders lines kept at one place
};

struct CourseOrder {
    QStringList Entries; // "L1", "MK1", "MK2", "L2" …: first is the start, last the finish
    int Count() const { return int(Entries.size()); }
};

struct RaceControl {
    QString FileName;     // race control file name (no folder) in raceadmin; empty for a single track
    QString WindFile;     // WF: wind file in winddat; cleared when it does not exist
    QString Title1, Title2, Title3;
    double MagneticVariation = 0.0; // MG: degrees, west negative; kept by the reader when absent
    float BoatLength = 0.0f;        // LG: metres; kept when absent; 4.7 whenever 0 after reading
    platform::LocalDateTime StartTime;  // ST: start gun
    platform::LocalDateTime FinishTime; // FT: end of the race
    qint16 TimeDifference = 0;      // TD: hours from GPS (UTC) to local time; 9 when 0 at load
    float WindDirection = 0.0f;     // WD: mean wind direction, degrees; kept when absent
    double NorthUp = 0.0;           // NU: > 0 means the chart is north up, else wind up
    QList<BoatEntry> Boats;         // BN, at most MaxBoats
    QList<RaceMark> Marks;          // MK, at most MaxMarks
    QList<RaceLine> Lines;          // LN, at most MaxLines
    CourseOrder Course;             // CRS, at most MaxCourseEntries
    QStringList CoastTiles;         // MAP: recomputed at every load, at most MaxCoastTiles
    double LayLineUp = 45.0;        // LL first value, degrees
    double LayLineDown = 160.0;     // LL second value, degrees
    double PreStartMinutes = 3.0;   // BT
    double PreStartSeconds = 180.0; // PreStartMinutes × 60
    QStringList Attachments;        // AT: files in attachment, at most MaxAttachments

    // What the file held beyond what the fields above take, so that a write loses nothing.
    QList<KeptLine> KeptLines;      // lines the reader did not take, in file order
    QStringList CourseLeftOut;      // course entries past MaxCourseEntries, as the file wrote them
    QStringList CourseAsRead;       // the course they followed: they are written while it is unchanged
    bool ReadInPart = false;        // the file was larger than the readers take: never written back

    // Derived, never stored in the file.
    platform::LocalDateTime DisplayStart; // StartTime − PreStartSeconds − 30 s
    platform::LocalDateTime DisplayEnd;   // copy of FinishTime at load
    platform::LocalDateTime FirstFixTime; // first record of the first track file that had one
    platform::LocalDateTime LastFixTime;  // last record read from the last track file
    qint64 RaceDuration = 0;              // seconds from StartTime to FinishTime
    double ChartRotation = 0.0;           // 0 when north up, else WindDirection
    double ShownWindDirection = 0.0;      // degrees true, drawn as the wind
    double ShownWindSpeed = 0.0;          // knots, one decimal

    int boatCount() const { return int(Boats.size()); }
    int markCount() const { return int(Marks.size()); }
    int lineCount() const { return int(Lines.size()); }

    // 0 when NorthUp > 0, else WindDirection.
    double chartRotationFor() const { return NorthUp > 0 ? 0.0 : double(WindDirection); }
    // The analysis page needs a start and a finish: at least two course entries.
    bool hasAnalysis() const { return Course.Count() >= 2; }
    // Colours every boat from the palette by its number.
    void colourBoats();
};
