#include "boatstate.h"

#include <cmath>

double foldDegrees(double a)
{
    a = std::fmod(a, 360.0);
    if (a > 180.0)
        a -= 360.0;
    if (a < -180.0)
        a += 360.0;
    return a;
}

ViewerWind windAt(const ViewerRace &race, double t)
{
    int direction = -1;
    double speed = -1.0;
    const QList<ViewerWindSample> &w = race.Wind;
    if (!w.isEmpty()) {
        if (t <= w.first().Time) {
            direction = w.first().Direction;
            speed = w.first().Speed;
        } else if (t >= w.last().Time) {
            direction = w.last().Direction;
            speed = w.last().Speed;
        } else {
            for (qsizetype k = 0; k + 1 < w.size(); ++k) {
                if (w[k].Time <= t && t < w[k + 1].Time) {
                    const double f = (t - w[k].Time) / (w[k + 1].Time - w[k].Time);
                    const double turn = foldDegrees(w[k + 1].Direction - w[k].Direction);
                    direction = viewerRound(turn * f + w[k].Direction);
                    speed = (w[k + 1].Speed - w[k].Speed) * f + w[k].Speed;
                    break;
                }
            }
        }
    }
    ViewerWind wind;
    wind.Direction = direction < 0 ? race.WindDirection : direction;
    wind.Speed = speed < 0 ? 5.0 : speed;
    wind.DisplayedDirection = viewerRound(race.MagneticVariation) + wind.Direction;
    return wind;
}

int findSegment(const ViewerBoat &boat, double t, int previous)
{
    const int segments = boat.sampleCount() - 1;
    if (segments < 1)
        return 0;
    const int start = previous >= 1 && previous <= segments ? previous : 1;
    int j = start;
    do {
        if (boat.Samples[j - 1].Time <= t && t < boat.Samples[j].Time)
            return j;
        j = j < segments ? j + 1 : 1;
    } while (j != start);
    return 0;
}

BoatState boatStateAt(const ViewerBoat &boat, double t, int displayedWind, int previous)
{
    BoatState state;
    const int j = findSegment(boat, t, previous);
    if (j == 0)
        return state;
    const ViewerSample &a = boat.Samples[j - 1];
    const ViewerSample &b = boat.Samples[j];
    const double f = (t - a.Time) / (b.Time - a.Time);
    state.HasSegment = true;
    state.Segment = j;
    state.Lat = a.Lat + (b.Lat - a.Lat) * f;
    state.Lon = a.Lon + (b.Lon - a.Lon) * f;
    if (t - a.Time >= 1 || j == 1) {
        state.Course = a.Course;
    } else {
        const int before = boat.Samples[j - 2].Course;
        double c = viewerRound((t - a.Time) * foldDegrees(a.Course - before) + before);
        if (c < 0)
            c += 360;
        if (c >= 360)
            c -= 360;
        state.Course = c;
    }
    state.Speed = a.Speed;
    state.Twa = foldDegrees(displayedWind - state.Course);
    return state;
}

QList<BoatState> boatStatesAt(const ViewerRace &race, double t)
{
    const int wind = windAt(race, t).DisplayedDirection;
    QList<BoatState> states;
    states.reserve(race.Boats.size());
    for (const ViewerBoat &boat : race.Boats)
        states << boatStateAt(boat, t, wind);
    return states;
}
