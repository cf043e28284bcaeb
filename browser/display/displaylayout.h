// Where the parts of the race display go. Pure geometry in pixels, so the rules are tested
// without a screen.
//
// The chart is a square at the left, 5 pixels from the edge; the time bar stands beside it and
// the right-hand panel (Picture5) follows. The panel holds two columns: the overview, the wind
// indicator, the boat list and below them the lower panel (Picture7, options, sea colours,
// help) in the first; the replay, page and editing controls in the second.
#pragma once

#include <QRect>
#include <QSize>

// Side of the chart square for a window of the given inner size.
int chartSizeFor(QSize inner, int panelWidth);

// Height of the boat list picture for n boats.
int boatListHeight(int boatCount);
// Resting top of the boat list inside the panel.
constexpr int BoatListRestTop = 178;
// Top the list is raised to under the pointer: 0 when it would not fit above the lower
// panel, else it stays at rest.
int boatListRaisedTop(int chartSize, int boatCount);
// Top of the lower panel inside the right-hand panel.
int lowerPanelTop(int chartSize);

// Rows of the boat list.
constexpr int BoatRowPitch = 14;
constexpr int BoatRowTop = 20;       // first row, below the header
constexpr int BoatNameLeft = 5;      // Bnam
constexpr int BoatSpeedLeft = 110;   // Text5
constexpr int BoatTwaLeft = 211;     // Text6
constexpr int BoatMarkLeft = 240;    // Maru
constexpr int BoatNameWidth = 103;
constexpr int BoatSpeedWidth = 38;
constexpr int BoatTwaWidth = 28;
constexpr int BoatMarkWidth = 16;
inline int boatRowTop(int index) { return BoatRowTop + BoatRowPitch * index; }
// The speed bar of a row starts 2 pixels right of its speed box.
constexpr int SpeedBarLeft = BoatSpeedLeft + BoatSpeedWidth + 2;

struct RaceDisplayLayout {
    int chartSize = 0;
    QRect chart;         // Picture1, window coordinates
    QRect timeBar;       // PicTimeBar, window coordinates
    QRect panel;         // Picture5, window coordinates
    // Inside Picture5:
    QRect overview;      // Picture6
    QRect windIndicator; // Picture2
    QRect windDirection; // Text13
    QRect windSpeed;     // Text14
    QRect sizeBox;       // Text15
    QRect boatList;      // Picture8 at rest
    int boatListRaisedTop = BoatListRestTop;
    QRect lowerPanel;    // Picture7
    QRect controls;      // the second column
};

// Panel width at the given scale.
int rightPanelWidth(float scale);
RaceDisplayLayout layoutRaceDisplay(QSize inner, int boatCount, float scale = 1.0f);

// The progress display of a load drawn on the chart: the text box centred on the chart and
// the bar 50 pixels below the top of the text, grown to b / n of the text's width.
struct ProgressGeometry {
    QRect text;
    QRect bar;
};
ProgressGeometry chartProgressGeometry(int chartSize, int done, int total);
// Bar length in design units (0 … 333) after b of n boats.
int progressBarUnits(int done, int total);
