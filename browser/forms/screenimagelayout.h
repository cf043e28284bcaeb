// Where the pieces of the screen image lie: the page shown, the overview map, the file name
// and date-time texts and the boat legend, in the race display's pixels. Plain data, QtCore
// only; screenimage.h paints it.
//
//   (5, 5) the page: chart (with the boat symbols), graph or data page
//   x0 = W1 + 10 with W1 × H1 the chart picture and W6 × H6 the overview map:
//     (x0, 5)              the overview map
//     (x0, H6 + 5)         "ファイル名： " + file name, and on the next line "日時： " + date-time
//     (x0, H6 + 40 + 16k)  the legend box of boat k + 1, W6 − 1 wide and 14 high, in the boat's
//                          colour, with its name in white 3 pixels in and 1 down
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

struct ScreenImageLayout {
    QSize canvas;          // (W1 + W6 + 15) × (H1 + 10)
    QPoint page;           // where the page is copied
    QPoint overview;       // where the overview map is copied
    QPoint fileNameText;   // top left of the first text line
    int legendTop = 0;     // top of the first legend box

    // The legend box and the top left of the name of boat number `boat` (1-based).
    QRect legendBox(int boat) const;
    QPoint legendName(int boat) const;

    int overviewWidth = 0; // W6
};

// chart: W1 × H1, the chart picture Picture1; overview: W6 × H6, the overview map Picture6.
ScreenImageLayout screenImageLayout(QSize chart, QSize overview);
