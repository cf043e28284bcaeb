// What the viewer's readers found wrong in a file: the file (relative to the application
// folder), the line and what. Reading goes on past every problem; the load collects them so the
// window can list them and orvane2007-report can print them on standard error as
// "FILE:LINE: what". Texts exist in both languages (language 0 Japanese, 1 or more English).
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

struct ReadProblem {
    enum Kind {
        FileUnreadable,      // args: reason
        MissingValues,       // key, number of values needed
        NotANumber,          // text
        NotADateTime,        // text
        TooMany,             // limit, key
        GpsFileMissing,      // file name
        AttachmentMissing,   // file name
        WindFileMissing,     // file name
        NoStartTime,         //
        NoFinishTime,        //
        FinishBeforeStart,   //
        NegativePreStart,    // text
        NotASample,          // number of items
        BadCoordinate,       // text
        BadDateTime,         // text
        DatesTooFar,         // number of samples, race date
        NoSamplesInPeriod,   // GPS file name
        UnknownCourseElement, // element name
        BadCoastPoint,       // text
        StartupRaceMissing,  // name in racefile.st
        MoreProblems,        // number of lines: the problems of a file past the ones listed
        FileTooLarge,        // bound in MB: only the lines within it were read
        LineTooLong,         // bound in characters
        GpsFileIsFolder,     // file name
        GpsFileLeadsNowhere, // file name: a link to itself, in a loop or to nothing
        GpsFileNotRegular,   // file name: a device, a pipe or a socket
        OutOfRange,          // text, least, greatest
    };

    QString File;      // relative to the application folder, "/" between folders
    int Line = 0;      // 1-based; 0 when the problem concerns the whole file
    Kind What = FileUnreadable;
    QStringList Args;

    // The "what" in the language (0 Japanese, 1 or more English).
    QString text(int language) const;
    // "FILE:LINE: what" ("FILE: what" without a line).
    QString toString(int language) const;
};

using ReadProblems = QList<ReadProblem>;

// Where a reader puts the problems of one file. The first MaxListed are listed; the others are
// only counted, and the recorder closes the file's list with one MoreProblems entry when it
// goes, so that a damaged file of a million lines gives a list that can be read. Texts taken
// from the file are cut to MaxArgChars characters: one line may hold a megabyte.
class ProblemRecorder
{
public:
    static constexpr int MaxListed = 20;
    static constexpr qsizetype MaxArgChars = 60;

    ProblemRecorder(ReadProblems &list, QString file);
    ~ProblemRecorder();
    ProblemRecorder(const ProblemRecorder &) = delete;
    ProblemRecorder &operator=(const ProblemRecorder &) = delete;

    void add(int line, ReadProblem::Kind kind, QStringList args = {});
    // A line with the problem of one already listed ("every later BN line"): counted in the
    // closing MoreProblems entry, never listed on its own.
    void addAgain() { ++m_count; }
    const QString &file() const { return m_file; }

private:
    ReadProblems &m_list;
    QString m_file;
    int m_count = 0;
    int m_listed = 0;
};
