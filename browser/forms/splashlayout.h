// Where the pieces of the splash window lie. Plain data, QtCore only, so the layout is tested
// without a screen.
#pragma once

#include <QRect>
#include <QSize>

// The bar of the load progress is this many units long when the load is complete.
constexpr int SplashBarFullUnits = 333;

struct SplashLayout {
    QRect window;        // the whole screen
    QRect image1;        // the splash picture, centred on the screen
    QRect image2;        // the Japanese caption picture over it
    bool image2Visible = false;
    QRect progressText;  // two lines of progress text, 333 units wide, centred horizontally
    QRect progressBar;   // the bar at its full length; a shorter bar starts at its left
    float scale = 1.0f;  // pixels per unit

    // The bar for a progress of barUnits (0 … 333) of the full length.
    QRect barFor(int barUnits) const;
};

// screen: size of the screen in pixels; picture and caption: sizes of Image1 and Image2;
// english: AppSettings.Language is English (Image2 is then hidden).
SplashLayout splashLayoutFor(QSize screen, QSize picture, QSize caption, bool english, float scale);
