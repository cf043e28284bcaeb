// The texts of the race preparation forms (the race control file editor, the file name dialog
// and the reference list), each in English and Japanese, in one table.
#pragma once

#include <QString>

struct AppSettings;

enum class FormText {
    // Race control file editor: window and captions.
    EditorCaption,        // the window; refresh appends three blanks and the file name
    Title1Label,          // Label8
    Title2Label,          // Label9
    ChooseGpsFile,        // Command1
    LayLineUpLabel,       // Label10
    LayLineDownLabel,     // Label7
    TimeDiffLabel,        // Label1
    MagVariationLabel,    // Label6
    LoaLabel,             // Label5
    PreStartLabel,        // Label13
    SaveAndShow,          // Command4, Command9
    FrameNote,            // Label15
    StartLabel,           // Label2
    FinishLabel,          // Label3
    WindDirectionLabel,   // Label4
    MapDirectionFrame,    // Frame2
    NorthUpOption,        // Option1
    WindUpOption,         // Option2
    ChooseWindFile,       // Command7
    WindDataLabel,        // Label11
    OpenRaceFile,         // Command6
    EditAsText,           // Command5
    EditorExit,           // Command8
    ChooseAttachments,    // Command10
    ClearAttachments,     // Command11
    AttachmentsLabel,     // Label16
    BoatListLabel,        // Label12
    Instruction,          // Label14
    DeleteHint,           // Text13, over the boat list
    // Race control file editor: messages and questions.
    BoatNamePrompt,       // the input box of a new boat
    IncorrectStart,
    IncorrectFinish,
    SaveQuestion,
    SaveQuestionCaption,
    ShowRacingQuestion,
    TooManyBoats,         // a 51st boat
    TooManyAttachments,   // a 51st attachment
    NoTrackFileChosen,    // OK of the track chooser with an empty gpsdat folder
    ReadProblems,         // followed by the problems a reader found, one a line
    // File name dialog.
    InputFileName,
    OverwriteQuestion,
    // Screen image.
    ScreenImageNotWritten, // followed by CR LF and the reason
    // Reference list.
    ReferenceCaption,
    FileNotFound,
    // The race display's start and finish times, saving and race switching.
    TimesIncorrect,       // "Above time OK" with times that are not date-times near the GPS data
    TimesSaveQuestion,
    TimesNamePrompt,      // the name prompt after "Above time OK"
    TimesNameCaption,
    TimesNameExample,
    ExitSaveQuestion,     // EXIT
    ExitNamePrompt,
    ExitNameCaption,
    ExitNameExample,
    AlreadyShown,         // "Show" on the race already shown
};

struct FormTextPair {
    QString english;
    QString japanese;
};

const FormTextPair &formTextPair(FormText id);
// The text in the interface language of settings.
QString formText(const AppSettings &settings, FormText id);
// The caption of a message whose English form names the program ("orvane") and whose Japanese
// form takes the program's default caption (empty).
QString englishOnlyCaption(const AppSettings &settings);
