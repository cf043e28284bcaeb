// Where every control of the viewer's window goes, for a client area of any size and a race of
// any number of boats: the map on the left, the time bar (50 wide) left of the right column,
// and in the right column (265 wide) the overview panel at the top (200 high), the control panel
// at the bottom (255 high) and the boat list between them, or over them when it is taller.
// Plain data: each control by its object name, in its parent's pixels; the window applies it.
#pragma once

#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

struct ControlPlace {
    QString Name;
    QRect Rect;
};

struct ViewerLayout {
    QSize Client;
    QRect Map;          // in the window
    QList<ControlPlace> Places;

    // The rectangle of a control (empty when it is not laid out).
    QRect place(const QString &name) const;
};

constexpr int RightColumnWidth = 265;
constexpr int LogoPanelHeight = 200;
constexpr int ControlPanelHeight = 255;
constexpr int TimeBarPanelWidth = 50;
constexpr int BoatRowHeight = 14;
constexpr int ScorePanelWidth = 250;
constexpr int FlagPanelWidth = 120, FlagPanelHeight = 72; // the flag pictures
constexpr int SplashPictureWidth = 333, SplashPictureHeight = 381;

// The boat list's own height: a row of 14 pixels per boat and 25 for the header.
int boatListContentHeight(int boatCount);
// The map: the client area less the time bar and the right column.
QSize mapSize(QSize client);

ViewerLayout layoutWindow(QSize client, int boatCount);

// The boat list's panels, which hovering it hides: pnlLOGO when the list starts at the top of the
// window, pnlCTRL when it is taller than the room between them.
bool boatListHidesLogo(QSize client, int boatCount);
bool boatListHidesControls(QSize client, int boatCount);

// The score panel's place when the pointer touches it: from the right of the map to its left
// edge, and back.
int scorePanelDodge(int currentLeft, int mapWidth);

// A boat's row in the boat list (boat number 1-based): its check box, its speed bar (as wide as
// the speed asks) and its wind angle box.
inline QRect boatCheckBoxRect(int boatNumber) { return QRect(5, boatNumber * BoatRowHeight, 120, 12); }
inline QRect boatSpeedBarRect(int boatNumber, int width) { return QRect(128, boatNumber * BoatRowHeight, width, 12); }
inline QRect boatTwaBoxRect(int boatNumber) { return QRect(226, boatNumber * BoatRowHeight, 30, 13); }

// The top left of the hint box of a size: at the top right of the map.
QRect hintBoxRect(int mapWidth, QSize size);
