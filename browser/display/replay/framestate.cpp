#include "framestate.h"

void FrameState::resetForRace(int boatCount)
{
    boats = QVector<BoatFrame>(boatCount);
    AnyBoatShown = true;
    GunFired = false;
    FinishOrder.clear();
    FinishPanelShown = false;
    LastWholeSecond = INT_MIN;
    HoverRow = -1;
    TimeBarHover = false;
    Enlarged = false;
    BlueFlagShown = SevenShown = false;
    flagsToRest();
}

void FrameState::resetFinishPanel()
{
    for (BoatFrame &b : boats)
        b.Finished = false;
    FinishOrder.clear();
    FinishPanelShown = false;
}

void FrameState::setSegmentHints(const RaceData &data, bool forward)
{
    for (int i = 0; i < boats.size(); ++i) {
        const int n = i < data.Tracks.size() ? data.Tracks[i].PointCount() : 0;
        boats[i].SegmentHint = forward ? -1 : n - 1;
    }
}

void FrameState::flagsToRest()
{
    BlueFlagTop = SevenTop = FlagRestTop;
}

QList<BoatFix> FrameState::fixes(const QVector<bool> &focused) const
{
    QList<BoatFix> out;
    out.reserve(boats.size());
    for (int i = 0; i < boats.size(); ++i) {
        BoatFix f;
        f.Lat = boats[i].Lat;
        f.Lon = boats[i].Lon;
        f.hasPosition = boats[i].hasPosition;
        f.focused = i >= focused.size() || focused[i];
        out.append(f);
    }
    return out;
}
