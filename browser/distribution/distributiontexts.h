// The texts of the distribution builder, each in English and Japanese, in one table: the
// captions of the window's controls and the messages and questions of the build.
#pragma once

#include <QString>

struct AppSettings;

enum class DistributionText {
    // captions, by control
    WindowCaption,        // the window
    FolderLabel,          // Label3
    ChooseLabel,          // Label1, over List1
    ChosenLabel,          // Label2, over List2
    RedoButton,           // Command3
    StartupLabel,         // Label4
    MediaFrame,           // Frame1
    WebOption,            // Option1
    CdRomOption,          // Option2
    MinimiseCheck,        // Check2 (Japanese in both languages)
    AttachMapsCheck,      // Check1
    CancelButton,         // Command2
    CreateButton,         // Command1
    // messages and questions, with their captions
    EmptyFolderName,
    FolderExists,
    FolderExistsCaption,
    CreateQuestion,
    CreateQuestionCaption,
    BadFolderName,        // a name that would leave the distribution folder
    StartupRaceNotChosen, // the start-up race is not among the races to distribute
    TooManyChosen,        // a 51st race
    TooManyAvailable,     // more race files than the list holds
    BuildFailed,          // followed by CR LF and the path with the reason
    FolderRemoved,        // "%1": the unfinished distribution folder, removed after a failure
    FolderNotRemoved,     // "%1": the same when it could not be removed
    BuildRemarks,         // "%1" is the distribution folder; followed by the remarks
    MissingFile,          // "%1" a file named by a race, "%2" its folder: not in the application folder
    RefusedName,          // "%1" a name that leads out of its folder
    RuntimeProblem,       // "%1" what the runtime file search could not find
};

struct DistributionTextPair {
    QString english;
    QString japanese;
};

const DistributionTextPair &distributionTextPair(DistributionText id);
// The text in the interface language of settings.
QString distributionText(const AppSettings &settings, DistributionText id);
