// Loading a race into the viewer: the race control file, the wind file and every boat's GPS
// track with the viewer's own readers, then the derivations: colours, extent and scales,
// daylight, coast lines, speeds and courses, passing times with leaders and ranks.
//
// A load is all or nothing: it builds a new race from a copy of the previous one (the keys a
// file lacks keep the previous race's values) and hands it over only when it succeeded, so a
// failed load leaves the race on screen as it was. Problems met on the way (skipped lines,
// missing files) never stop it: they are collected, each naming its file and line. A load fails
// only when the race control file is missing or unreadable, or when none of its boats has a GPS
// file ("GPS file not exists.").
#pragma once

#include "daylight.h"
#include "passtable.h"
#include "readproblem.h"
#include "viewercoast.h"
#include "viewerextent.h"
#include "viewerrace.h"

#include <QString>

struct ViewerDerivations {
    ViewerExtent Extent;
    ViewerDaylight Daylight;
    ViewerCoast Coast;
    double MaxSpeed = 0.0; // knots: the largest sample speed below 10
    PassTable Passes;
};

struct LoadedViewerRace {
    ViewerRace Race;
    ViewerDerivations Derived;
};

// Told what the load does, for the progress display and the benchmark. Called on the loading
// thread only.
class ViewerLoadObserver
{
public:
    enum class Phase { RaceControl, Wind, Tracks, Extent, Coast, Motion, Passings };
    virtual ~ViewerLoadObserver() = default;
    // The GPS track of boat boatNumber (1-based) of boatCount has its turn. The files are read
    // on every core, so it may be read already; the turns come in boat order.
    virtual void readingBoat(int boatNumber, int boatCount, const QString &gpsFile, const QString &titleText) {}
    virtual void phaseDone(Phase phase) {}
};

struct ViewerLoadResult {
    enum Status {
        Loaded,
        RaceFileMissing, // the race control file does not exist
        Unreadable,      // it exists but cannot be read
        NoBoats,         // no boat of it has a GPS file
    };
    Status status = Loaded;
    QString error;          // for RaceFileMissing and Unreadable: what and which file
    ReadProblems problems;  // everything skipped or missing, in the order met

    bool ok() const { return status == Loaded; }
};

struct ViewerLoadRequest {
    QString ApplicationFolder;
    QString RacePath;          // full path of the race control file
    int MapWidth = 0;          // pixels, for the race scales (0: none yet)
    int MapHeight = 0;
    int Threads = 0;           // threads that read the GPS files and derive (0: one per core)
};

// Loads the race at request.RacePath into out (replaced only on success). previous is the race
// shown before (an empty ViewerRace for the first load).
ViewerLoadResult loadViewerRace(const ViewerLoadRequest &request, const ViewerRace &previous, LoadedViewerRace &out,
                                ViewerLoadObserver *observer = nullptr);

// The derivations of a race whose files have been read (the second half of a load), on up to
// `threads` threads (0: one per core).
ViewerDerivations deriveRace(ViewerRace &race, const QString &applicationFolder, int mapWidth, int mapHeight,
                             ReadProblems &problems, ViewerLoadObserver *observer = nullptr, int threads = 0);
