// Where each boat is, and what the wind does, at a replay time t: what every frame, the boat
// panel and the scene export read. Everything here interpolates the tables the load filled.
#pragma once

#include "viewerrace.h"

#include <QList>
#include <QVector>

struct ViewerWind {
    int Direction = 0;          // degrees magnetic as the wind file gives them (WD without wind data)
    double Speed = 5.0;         // knots (5 without wind data)
    int DisplayedDirection = 0; // round(MG) + Direction: degrees true
};

// The wind at t: the first sample up to its time, the last from its time on, else interpolated
// (directions the short way round, so 350 and 10 meet at 360).
ViewerWind windAt(const ViewerRace &race, double t);

// The segment j (1-based) of a boat with time[j] ≤ t < time[j + 1], searched from the segment
// found before (1 … count − 1; anything else starts at 1) and going round; 0 when there is none.
int findSegment(const ViewerBoat &boat, double t, int previous = 1);

struct BoatState {
    bool HasSegment = false;
    int Segment = 0;     // 1-based j
    double Lat = 0.0;    // minutes, interpolated
    double Lon = 0.0;
    double Course = 0.0; // degrees true: course[j], turned smoothly from course[j − 1] over the
                         // first second of the segment
    double Speed = 0.0;  // knots: speed[j]
    double Twa = 0.0;    // displayed wind direction − course, −180 … 180
};

// The state of one boat at t; previous is the segment of the last frame (the search start).
BoatState boatStateAt(const ViewerBoat &boat, double t, int displayedWind, int previous = 1);

// Every boat's state at t, searched afresh.
QList<BoatState> boatStatesAt(const ViewerRace &race, double t);

// An angle brought into −180 … 180.
double foldDegrees(double a);
