// The file name dialog "FmFileSelect": its parameters and results, and what its OK button
// decides. QtCore only; the dialog window (fileselectdialog.h) holds the controls and asks.
//
// The parameters are program-wide, as the editor has always used them: each caller sets the
// ones it needs before every use, and a parameter it does not set keeps the value of the
// previous use (the save of the editor sets no initial text, so its name box starts with the
// text the previous use left). fileSelectParameters() is the instance of the running program.
#pragma once

#include <QString>
#include <QStringList>

enum class FileSelectMode : qint16 {
    Existing = 0, // an existing file must be chosen
    NewOrExisting = 1, // a new name may be given; an existing one only after the overwrite question
};

struct FileSelectParameters {
    // In, set by the caller.
    FileSelectMode Mode = FileSelectMode::Existing;
    QString Folder;    // full path of the folder listed; the result is this folder + name
    QString Extension; // given to a name typed without "." ("txt", "csv", "*.*")
    QString Text;      // initial text of the name box; empty: "*." + Extension
    // Out, read by the caller after the dialog has closed.
    QString Path;      // full path of the accepted file; empty when cancelled
    QString Name;      // the accepted name, extension included, without folder

    bool wasAccepted() const { return !Path.isEmpty(); }
};

// The instance of the running program.
FileSelectParameters &fileSelectParameters();

// The text the name box starts with.
QString initialNameBoxText(const FileSelectParameters &p);

// The names the dialog lists: every file of the folder, no pattern.
QStringList fileSelectListing(const QString &folder);

// What OK does with the text of the name box.
struct FileSelectDecision {
    enum Outcome {
        Accept,        // close with Path and Name
        AskOverwrite,  // mode 1 and the file exists: Yes accepts, No keeps the dialog open
        InvalidName,   // "Input File Name": the dialog stays open
    };
    Outcome outcome = InvalidName;
    QString path; // folder + name
    QString name; // the name with its extension; the name on disk when such a file exists
};

// The name is the text without surrounding blanks, with "." + Extension appended when it holds
// no "." (in mode 0 not when a file of that very name exists: a listed file without a point
// can be chosen); the path is Folder + name. A path with "*" is refused; so is a name that would leave
// the folder ("/" or "\", "." or ".."). Mode 0 accepts only an existing file; mode 1 accepts a
// new name and asks before an existing one. Names are matched without regard to case, and an
// existing file is named as it is on disk.
FileSelectDecision decideFileSelect(const FileSelectParameters &p, const QString &nameBoxText);

// Stores an accepted decision into the results.
void acceptFileSelect(FileSelectParameters &p, const FileSelectDecision &d);
