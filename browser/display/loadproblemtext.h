// The texts of the notice the race display shows once after a load whose files had problems:
// a short summary naming each file with the number of its lines that could not be read (or
// what was wrong with the file as a whole), and the details, every problem on a line of its
// own as "FILE:LINE: what". Both languages; the notice widget (loadproblemnotice.h) shows them.
#pragma once

#include <appsettings.h>
#include <fileproblem.h>

#include <QString>

struct LoadProblemText {
    QString summary;        // the message, several lines
    QString details;        // every problem, one a line
    QString detailsButton;  // "Details"
    QString okButton;       // "OK"
};

// The texts for the problems of one load; empty texts when there are none.
LoadProblemText loadProblemText(const FileProblems &problems, UiLanguage language);
