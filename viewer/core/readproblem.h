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
