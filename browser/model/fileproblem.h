// A problem a reader found in one of the race's files: a line it skipped, a value it could not
// read or did not accept, a file it could not read at all.
//
// Every reader of the browser reports what it skips here and goes on reading; nothing it leaves
// out is silent. The race load gathers the problems of every file it reads (LoadResult);
// orvane-report prints them on standard error as "FILE:LINE: what", and the race display lists
// them in its notice after the load.
//
// The description is kept as a kind and the value it names, so that it reads in the interface
// language chosen at run time; both languages live in one table (fileproblem.cpp).
#pragma once

#include "appsettings.h"

#include <QList>
#include <QString>
#include <QStringList>

struct FileProblem {
    enum Kind : quint8 {
        // The file as a whole (line 0).
        FileNotFound,         // a file that the race names is not there
        FileUnreadable,       // value: why
        NotTrackFileName,     // the name does not end in TRK, DTR, trk or dtr
        TrackFileTooShort,    // 500 bytes or fewer
        NoFixInRaceWindow,    // the track has no fix in the race's time window
        TrackFileGone,        // the GPS file was gone when its turn came: the boat has no track
        MoreProblems,         // value: how many more lines of the file had problems
        FileTooLarge,         // value: the bound in MB; only the lines within it were read

        // Lines of any file.
        NoComma,
        EmptyKey,
        UnknownKey,           // value: the key
        UnreadableDateTime,   // value: the text
        NotANumber,           // value: the text
        OutOfRange,           // value: the text
        LineTooLong,          // value: the bound in characters

        // Race control file.
        BoatWithoutTrackFile,
        BoatWithoutName,      // read with the track file's name as the boat's
        BoatLeftOut,          // value: the track file, which does not exist
        BoatFileIsFolder,     // value: the track file, a folder: the boat is left out
        BoatFileLeadsNowhere, // value: the track file, a link to itself or to nothing: left out
        BoatFileNotRegular,   // value: the track file, a device or pipe: left out
        // Told once, at the first line past the bound; the later ones are counted only.
        TooManyBoats,         // value: the bound
        TooManyMarks,
        TooManyLines,
        TooManyCourseEntries,
        TooManyCoastTiles,
        TooManyAttachments,
        MarkNeedsTwoValues,
        LineNeedsFourValues,
        EmptyCourseEntry,

        // GPS track file records.
        FewerThanSixItems,
        LatitudeWithoutHemisphere,
        LongitudeWithoutHemisphere,
        InvalidLatitude,
        InvalidLongitude,
        LatitudeOutOfRange,
        LongitudeOutOfRange,
        InvalidDate,
        InvalidTime,

        // Wind data file.
        FewerThanThreeValues,

        // Coast line files.
        UnreadableMeshCode,   // value: the code
        UnreadablePoint,      // value: the point's characters
    };

    QString file;  // relative to the application folder, "/" between folders: "gpsdat/a.trk"
    int line = 0;  // 1-based line number; 0 when the problem concerns the file as a whole
    Kind kind = FileNotFound;
    QString value; // what the description names (a key, a value, a count), if anything

    // The description in the given language, short and factual: "invalid latitude".
    QString what(UiLanguage language) const;
    // "gpsdat/a.trk:12: invalid latitude", or "gpsdat/a.trk: file not found" for line 0. The
    // file is written with the platform's separators.
    QString toString(UiLanguage language) const;

    bool operator==(const FileProblem &other) const = default;
};

using FileProblems = QList<FileProblem>;

// Each problem as toString() gives it, in order.
QStringList problemLines(const FileProblems &problems, UiLanguage language);

// Where a reader puts the problems of one file. The first MaxListed are listed one by one; the
// ones after are only counted, and the destructor closes the file's list with one MoreProblems
// entry that says how many more there were. A reporter without a list counts only. Values are
// cut to a few dozen characters: a damaged file may hold a whole megabyte in one line.
class ProblemReporter
{
public:
    static constexpr int MaxListed = 20;

    ProblemReporter(FileProblems *list, QString file);
    ~ProblemReporter();
    ProblemReporter(const ProblemReporter &) = delete;
    ProblemReporter &operator=(const ProblemReporter &) = delete;

    void add(int line, FileProblem::Kind kind, const QString &value = {});
    // A line with the problem of one already listed ("this and every later BN line"): counted
    // in the closing MoreProblems entry, never listed on its own.
    void addAgain();
    // Every problem added, listed or not.
    int count() const { return m_count; }
    const QString &file() const { return m_file; }

private:
    FileProblems *m_list;
    QString m_file;
    int m_count = 0;
    int m_listed = 0;
};

// The name of a file below the application folder as problems name it: relative to the folder,
// with "/" between folders ("gpsdat/A.trk"). A path outside the folder stays as it is.
QString problemFileName(const QString &applicationFolder, const QString &path);
