// The state of the viewer's show that the window's parts share: the session (race list,
// language, AutoNext), the race shown with what was derived from it, the replay, the display
// options every frame reads, the manual view, and what the last frame left (its projection and
// the boats' states, which the pointer's position and the scene export read).
#pragma once

#include <manualview.h>
#include <playbackstate.h>
#include <trackingframe.h>
#include <viewerprojection.h>
#include <viewersession.h>

#include <QList>
#include <QString>

struct ViewerShow {
    ViewerSession Session;
    LoadedViewerRace Shown;
    bool HasRace = false;

    PlaybackState Playback;
    FrameOptions Options;
    ManualView Manual;

    ViewerProjection LastProjection; // of the last frame or manual view drawn
    QList<BoatState> LastStates;     // the boats in it

    int AttachmentIndex = 0;         // the attachment opened last (1-based), 0 after a load
    QString KmlWritten;              // the Google Earth file this run wrote, removed on closing

    int language() const { return Session.Language; }
    const ViewerRace &race() const { return Shown.Race; }
};
