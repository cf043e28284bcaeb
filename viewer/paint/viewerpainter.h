// Paints what the viewer computed as plain data: a scene (viewer/frame) onto a picture, the
// compass turned pixel by pixel, and the time bar with its day-and-night background
// (viewer/playback). The window, the benchmarks and the tests share these, so what they
// measure and check is what the screen shows.
#pragma once

#include <timebar.h>
#include <viewerscene.h>

#include <QColor>
#include <QFont>
#include <QImage>

class QPainter;

QColor toQColor(ViewerRgb rgb);

// The font of a size in points at 96 dots per inch, whatever the picture's resolution.
QFont viewerFont(int points);

// Paints the scene; the painter's picture is filled with the background first when the scene
// clears.
void paintViewerScene(QPainter &painter, const ViewerScene &scene);
// The same onto a picture (allocated when its size differs).
void paintViewerScene(QImage &picture, const ViewerScene &scene);

// The compass panel (100 × 100) in the sea colour with the compass picture turned by an angle in
// degrees: every pixel of the picture strictly inside its circle is copied to its turned place
// and to the pixel below it, so that no holes stay; at 0 the picture is copied unchanged.
QImage turnCompass(const QImage &compass, double degrees, ViewerRgb sea, int size = 100);

// The time bar (TimeBar): the bar colour in a black frame, the upwind and downwind bands, the
// red band at the start.
QImage paintTimeBar(const TimeBarPicture &picture);
// Its background (BackTimeBar): black at night, yellow by day, row by row.
QImage paintTimeBarBackground(const TimeBarPicture &picture);
