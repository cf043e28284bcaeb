// The screen image of the race display's "Save/Print" button: a bitmap of the page shown with
// the overview map, the race file name, the date-time shown and a legend of the boats, written
// to gpsdat/無題.bmp and handed to the program the desktop opens bitmaps with.
//
// composeScreenImage() paints what it is given and knows nothing of the race display, so the
// display passes its pictures in and tests pass their own.
#pragma once

#include <appsettings.h>

#include <QImage>
#include <QList>
#include <QPoint>
#include <QString>

struct ScreenImageSymbol {
    QImage image;   // the boat symbol picture
    QPoint position; // its top left on the chart picture, pixels
};

struct ScreenImageBoat {
    QString name;
    Colour colour = rgb(0, 0, 0);
};

struct ScreenImageInput {
    enum class Page { Track, Graph, Data };
    Page page = Page::Track;
    QSize chartSize;                  // W1 × H1 of the chart picture, whatever page is shown
    QImage pageImage;                 // the chart (Track), the graph picture or the data page
    QList<ScreenImageSymbol> symbols; // Track page only: drawn over the chart
    QImage overview;                  // the overview map, W6 × H6
    QString fileName;                 // RaceControl.FileName
    QString dateTimeText;             // the display's date-time box: the replay moment shown
    QList<ScreenImageBoat> boats;     // in boat order
    QString fontFamily;               // AppSettings.UiFontName
    float scale = 1.0f;               // AppSettings.Scale, for the text size
};

// The canvas is white: the image is meant for retouching and printing.
QImage composeScreenImage(const ScreenImageInput &input);

// The name of the file in gpsdat ("untitled" in Japanese), written in UTF-8 on this system.
QString screenImageFileName();

// Writes the image as a Windows bitmap to gpsdat/無題.bmp below the application folder,
// replacing the file atomically (the folder is made when missing). Returns the path written,
// or an empty text with *error set.
QString writeScreenImage(const QString &applicationFolder, const QImage &image, QString *error = nullptr);

// The whole button: composes, writes and opens the bitmap with OpenDocument. A write that
// fails is told to the user; false then.
bool SaveScreenImage(const AppSettings &settings, const ScreenImageInput &input);
