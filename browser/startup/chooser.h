// The chooser of the main menu: the races of raceadmin or the track files of gpsdat, and
// what OK does to the race before the race display opens.
#pragma once

#include <QString>
#include <QStringList>

struct AppSettings;
struct RaceControl;

enum class ChooserMode : qint16 {
    TrackFiles = 0, // "Show One Boat": one track file shown alone
    Races = 1,      // "Show Racing": a race control file
};

// The names listed: for track files the ".dtr" names first, then the ".trk" names.
QStringList chooserNames(const QString &applicationFolder, ChooserMode mode);

// "Show One Boat" shows a track with the default boat length.
void prepareChooser(RaceControl &race, ChooserMode mode);

// OK: clears the race (times, names, titles, wind file, boats, marks, lines, course,
// attachments, time difference, north up) and names the chosen file as the race or as the
// single track file.
void applyChoice(AppSettings &settings, RaceControl &race, ChooserMode mode, const QString &name);
