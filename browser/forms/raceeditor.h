// What the race control file editor "fmCompile" computes: the boxes and lists it shows, the
// refresh that fills them from the race, the scan of the first boat's track for default times,
// the changes its buttons make to the race and the checks of its save. QtCore only; the window
// (raceeditorwindow.h) holds the controls, asks the questions and shows the dialogs.
//
// The editor has no race of its own: every change goes into the program-wide RaceControl it
// is given, and the race display opened after the save reads the same race.
//
// When a box is taken back into the race:
//   Text1, Text2 (start, finish)      on save, the text as typed (it must be a date-time)
//   Text3 (time difference)           at every change, when the text is a number (see below)
//   Text4 (mean wind direction)       at every change: its leading number, also the shown wind
//   Text5 (LOA)                       on save: its leading number
//   Text6 (magnetic variation)        at every change and on save: its leading number
//   Text7, Text8 (titles)             at every change and on save, the text as typed
//   Text9, Text10 (lay lines)         at every change: the leading number
//   Text12 (pre-start minutes)        on save: the leading number; seconds are 60 times that
// The titles are taken back, though they were once only shown: what a user types into a box
// labelled as optional input is saved with the race.
//
// A time difference box whose text is not a number (empty, "-", "abc") or lies outside
// −24 … 24 leaves the race's value as it was, and the box says so (timeDifferenceTaken());
// a number with a fraction is rounded to the nearest hour, a half to the even one, as the race
// control file reader rounds TD.
#pragma once

#include "fileselect.h"

#include <appsettings.h>
#include <fileproblem.h>
#include <localdatetime.h>
#include <racecontrol.h>

#include <QString>
#include <QStringList>

#include <optional>

// The text boxes of the window, by their names.
enum class EditorBox {
    Text1,  // start date-time
    Text2,  // finish date-time
    Text3,  // time difference, hours
    Text4,  // mean wind direction, degrees
    Text5,  // LOA, metres
    Text6,  // magnetic variation, degrees, west negative
    Text7,  // title 1
    Text8,  // title 2
    Text9,  // lay line UP, degrees
    Text10, // lay line DN, degrees
    Text11, // wind data file (shown only; the wind file button sets it)
    Text12, // minutes shown before the start
};
constexpr int EditorBoxCount = 12;

// The first and last records of a track file, for the default times of a new race.
struct TrackScan {
    bool found = false;                 // at least one record could be read
    platform::LocalDateTime first;      // date-time of the first record, UTC
    platform::LocalDateTime last;       // date-time of the last record, UTC
    double firstLonMinutes = 0.0;       // longitude of the first record, minutes, west negative
    FileProblems problems;              // the records it could not read
};

// Reads the records of a track file as the race load does (every coordinate form, hemisphere
// letters N S E W and the signs + and -, both date forms); lines that are not records, records
// of fewer than six items and unreadable records are skipped, the last with a warning. Items
// past the twentieth are ignored.
TrackScan scanTrackBytes(QByteArrayView bytes, const QString &problemFile = {});
TrackScan scanTrackFile(const QString &path);

// The whole hours of the time zone of a longitude: Int(L / 15 / 60 + 0.5), one hour per 15
// degrees, L in minutes, west negative.
qint16 timeDifferenceForLongitude(double lonMinutes);

// The editor's reading of a race control file: the race's reading (with its checks of the wind
// and track files) after the mean wind direction is reset to 0; a boat length that is not a
// number in full ("4.7m") is refused with a warning and the length stays as before the line;
// the display window starts 5 minutes before the start. Warnings name their lines.
bool readRaceControlForEditor(const AppSettings &settings, RaceControl &race, FileProblems *problems);

class RaceEditor
{
public:
    RaceEditor(AppSettings &settings, RaceControl &race);

    // Opening the window: the time difference of the computer's zone, no boats, the design
    // values of magnetic variation, lay lines and boat length in the race. The rest of the race
    // stays as the race last loaded left it and shows at the first refresh.
    void open(qint16 timeZoneHours);

    // The refresh after every change made by a button. Returns the scan of the first boat's
    // track when one was made (its warnings are for the user).
    std::optional<TrackScan> refresh();

    // The texts the window shows.
    QString caption() const { return m_caption; }
    QString box(EditorBox b) const { return m_boxes[int(b)]; }
    QStringList boatLines() const { return m_boatLines; }
    QStringList attachmentLines() const { return m_attachmentLines; }
    bool northUp() const { return m_race.NorthUp > 0; }
    // The edit-as-text button is enabled once a race control file has been loaded.
    bool canEditAsText() const { return m_loadedFile; }
    QString firstTrackPath() const { return m_firstTrackPath; }
    bool timeDifferenceTaken() const { return m_timeDifferenceTaken; }

    // The user changed a box: the text is kept, and taken into the race when that box is taken
    // back at every change.
    void edit(EditorBox b, const QString &text);
    // Option1 (north up) or Option2 (wind up).
    void setNorthUp(bool northUp);

    // Adding a boat: the names of the files of gpsdat, the default name of the next boat, the
    // prompt, and the boat itself. A name that is empty (or no name: the input box was
    // cancelled) adds nothing.
    QStringList trackFileChoices() const;
    QString defaultBoatName() const;
    enum class AddResult { Added, NoName, Full, NoFile };
    AddResult addBoat(const QString &trackFile, const std::optional<QString> &name);
    // Removing the boat of line `line` (0 = boat 1) of the boat list; false when there is none.
    bool removeBoat(int line);

    // Loading a race control file of raceadmin with the editor's reading. Problems the reading
    // found go to *problems.
    bool loadRaceFile(const QString &name, FileProblems *problems);
    // The race control file as a path, for editing it as text.
    QString raceFilePath() const;

    // The file name dialog's parameters for each use (only those the use sets are changed).
    void prepareLoadSelection(FileSelectParameters &p) const;
    void prepareWindSelection(FileSelectParameters &p) const;
    void prepareAttachmentSelection(FileSelectParameters &p) const;
    void prepareSaveSelection(FileSelectParameters &p) const;

    // The wind file chosen (empty when the dialog was cancelled). The race control file is
    // written when the editor has loaded it.
    void setWindFile(const QString &name);
    AddResult addAttachment(const QString &name);
    void clearAttachments();

    // The save's first steps: with no boat, nothing happens; the boxes are taken back; the
    // start and then the finish must be date-times.
    enum class SaveCheck { NoBoats, BadStart, BadFinish, Ready };
    SaveCheck takeBoxesBack();
    // Names the race and writes its control file. False when it could not be written (the
    // writer has told the user).
    bool saveAs(const QString &fileName);

private:
    QString &boxText(EditorBox b) { return m_boxes[int(b)]; }
    void writeIfLoaded();

    AppSettings &m_settings;
    RaceControl &m_race;
    QString m_boxes[EditorBoxCount];
    QString m_caption;
    QStringList m_boatLines;
    QStringList m_attachmentLines;
    QString m_firstTrackPath; // the track of the boat added to an empty list; scanned at every refresh
    bool m_loadedFile = false; // the race control file named by the race was loaded here
    bool m_timeDifferenceTaken = true;
};
