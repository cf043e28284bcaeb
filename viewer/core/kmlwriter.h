// The two Google Earth documents of the viewer (KML 2.0): the present scene (every boat where it
// is now, with its last 20 steps of track) and the whole race (every track, the boats at regular
// times in the folder POINTS, the marks and lines in MARK_LINES). Both are written line for
// line as the viewer has always written them, UTF-8 with CR LF, one element or coordinate a
// line, so that Google Earth and other KML readers take them.
//
// Names and texts from the race files (boat names, titles) are escaped for XML: a boat named
// "Tom & Jerry" or "<A>" would otherwise make the whole document unreadable.
//
// Numbers are written in their shortest form with up to 15 significant digits and "." as the
// decimal point; latitudes and longitudes in decimal degrees, longitude first. Boat icons are
// "ar" + the heading to the nearest 10° + ".png" (ar0 … ar350, 355° giving ar0), the mark
// icon "buoi.png", both referred to by their full path in the icon folder.
#pragma once

#include "boatstate.h"
#include "viewerrace.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The file both exports replace, in the export folder (the user's documents folder).
constexpr char KmlFileName[] = "BrenvoMap5.kml";
QString kmlExportPath(const QString &exportFolder);
// The folder of the icons: "ya" in the application folder, as an absolute path ending in "/".
QString kmlIconFolder(const QString &applicationFolder);

// "ar" + Int(heading / 10 + 0.5) × 10 + ".png", ar0 instead of ar360.
QString boatIconName(int heading);
constexpr char MarkIconName[] = "buoi.png";

// The document name: the title text from after its first blank up to before its first ".",
// empty when the rest holds no ".".
QString kmlDocumentName(const QString &titleText);

// The spacing in seconds of the POINTS folders for a period ending at periodEnd: 3600, 1800,
// 1200, 600 or 300 as Int(periodEnd / 50) falls below 1800, 1200, 600, 300.
int kmlPointsInterval(double periodEnd);
// The last folder index G = round(periodEnd / interval) + 1 (folders 0 … G).
int kmlPointsLastFolder(double periodEnd);

struct KmlSettings {
    int Language = 0;   // 0 Japanese, 1 or more English (the description lines)
    QString IconFolder; // absolute, ending in "/"
};

// The scene at replay time t. states holds every boat's state at t (boatstate.h); boats without a
// segment are left out.
QStringList exportSceneLines(const ViewerRace &race, double t, const QList<BoatState> &states,
                             const KmlSettings &settings);
// The whole race.
QStringList exportRaceLines(const ViewerRace &race, const KmlSettings &settings);

// The lines as the file holds them: UTF-8, each ended by CR LF.
QByteArray kmlBytes(const QStringList &lines);

// Writes the bytes to path, replacing the file. False with *error set (naming the file) when it
// cannot be written.
bool writeKmlFile(const QString &path, const QByteArray &bytes, QString *error);
