// The race the viewer plays: what its readers took from the race control file, the wind file
// and the boats' GPS track files, plus the few per-sample values the derivations fill in
// (speed, course) and the boat colours. Replaced as a whole by every load (viewerloader.h);
// the derived race values (extent, passings, coast lines …) live in ViewerDerivations.
//
// Units: positions in minutes of arc (degrees × 60, north and east positive); times inside the
// race in seconds from the start time ST (negative before it); date-times are local times of
// the race area as the files write them.
//
// Index convention: containers are 0-based; the texts and messages number boats, marks, lines,
// course elements and samples from 1, so sample i of a boat is Samples[i - 1].
#pragma once

#include <localdatetime.h>

#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

// A colour as the viewer's tables give it; QtCore has no colour type.
struct ViewerRgb {
    int Red = 0;
    int Green = 0;
    int Blue = 0;
    bool operator==(const ViewerRgb &) const = default;
};

struct ViewerSample {
    double Time = 0.0;  // seconds from ST, the boat's offset included (whole seconds)
    double Lat = 0.0;   // minutes of arc, north positive
    double Lon = 0.0;   // minutes of arc, east positive
    double Speed = 0.0; // knots, filled by the derivations; 0 for the last sample
    int Course = 0;     // degrees true, whole, 0 … 359, filled by the derivations; 0 for the last
};

struct ViewerBoat {
    QString GpsFile;        // name in gpsdat as the race control file gives it
    QString Name;
    int OffsetSeconds = 0;  // third BN value, added to every sample time
    ViewerRgb Colour;       // boat colour table, cycling after 15 boats
    QString KmlColour;      // "aabbggrr", same cycle
    QVector<ViewerSample> Samples;
    int MeanInterval = 1;   // seconds, at least 1 (see trackreader.h)

    int sampleCount() const { return int(Samples.size()); }
};

struct ViewerMark {
    double Lat = 0.0; // minutes
    double Lon = 0.0;
};

struct ViewerLine {
    double Lat1 = 0.0, Lon1 = 0.0; // end 1, minutes
    double Lat2 = 0.0, Lon2 = 0.0; // end 2
};

struct ViewerWindSample {
    double Time = 0.0;   // seconds from ST (wind times are local times like ST)
    double Speed = 0.0;  // knots
    int Direction = 0;   // degrees magnetic, rounded to whole degrees
};

// The stretch of race time the viewer plays: from BT + 10 s before the start to 30 s after the
// finish. Whole seconds.
struct PlaybackPeriod {
    double Start = -190.0;
    double End = 30.0;
    double length() const { return End - Start; }
};

struct ViewerRace {
    QString Path;      // full path of the race control file
    QString FileName;  // its name, no folder

    // Keys kept from the previous race when a file lacks them (see racecontrolreader.h).
    platform::LocalDateTime Start;  // ST, local time; null when never given
    platform::LocalDateTime Finish; // FT
    int TimeDifference = 0;         // TD, hours from UTC to local time
    int WindDirection = 0;          // WD, degrees
    double MagneticVariation = 0.0; // MG, degrees, west negative
    double BoatLength = 0.0;        // LG, metres
    int LayLineUp = 0;              // LL, degrees
    int LayLineDown = 0;
    QString Note;                   // NOTE

    // Reset by every read.
    int PreStartSeconds = 180;      // BT × 60; 180 when the file gives none or 0
    int NorthUp = 0;                // NU; more than 0 means north up
    QString Title1, Title2;         // T1, T2
    QString WindFile;               // WF
    QList<ViewerMark> Marks;
    QList<ViewerLine> Lines;
    QStringList Course;             // CRS names as written ("L1", "MK2" …)
    int CourseLineNumber = 0;       // line of the CRS record, for messages
    QStringList Attachments;        // AT names whose file exists in attachment
    QStringList MapTiles;           // MAP names as read; the coast list is computed anew
    QList<ViewerBoat> Boats;        // only boats whose GPS file exists
    QList<ViewerWindSample> Wind;

    // Derived from the above after reading.
    platform::LocalDateTime StartUtc;  // ST − TD hours
    platform::LocalDateTime FinishUtc; // FT − TD hours
    PlaybackPeriod Period;
    QString TitleText;                 // the window caption

    bool isNorthUp() const { return NorthUp > 0; }
    QDate startDate() const { return Start.date(); }
    int boatCount() const { return int(Boats.size()); }
};

// "orvane  " + T1 + "     " + T2 + "     " (each title only when longer than one character);
// with neither, "orvane  " + the race file name + seven blanks.
QString viewerTitleText(const QString &title1, const QString &title2, const QString &raceFileName);

// The rounding of the viewer's computations: to the nearest whole number, a half to the even one.
int viewerRound(double x);
