// What the analysis pages need of the race display that shows them: the race, its data and
// passing times, which boats are focused, and the replay timer. The race display implements
// it over the state it shares with its other parts; tests implement it with a plain race.
//
// The pages never own what the host gives them; the references stay valid while the page
// exists (a new race changes their contents, not their addresses).
#pragma once

#include <QVector>

struct AppSettings;
struct RaceControl;
struct RaceData;
class LegStats;

class PageHost
{
public:
    virtual ~PageHost() = default;

    virtual const AppSettings &settings() const = 0;
    virtual RaceControl &race() = 0;
    // The wind entry writes the wind samples here.
    virtual RaceData &raceData() = 0;
    // Passing times; the Data page runs both computations when they are not valid.
    virtual LegStats &legStats() = 0;
    // One flag per boat (boat n at n − 1): ticked in the boat list.
    virtual QVector<bool> focusedBoats() const = 0;

    // The replay timer: halted by the Data page and while the wind entry is on; started again
    // by the pointer over the graph and at the end of the wind entry. resumeReplay() starts it
    // only when the replay is not stopped (STOP not selected).
    virtual void stopReplay() = 0;
    virtual void resumeReplay() = 0;
    // The pointer is over a page: the side panels go back to rest.
    virtual void restPanels() {}
    // The wind entry changed the wind samples or the race's wind file name: the wind indicator
    // and the wind direction strip are drawn again.
    virtual void windChanged() {}
};
