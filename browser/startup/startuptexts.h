// The texts of the start-up and the main menu, each in English and Japanese, in one table.
#pragma once

#include <QString>

struct AppSettings;

enum class StartupText {
    LocaleMessage,        // the English interface on a machine whose locale is not English (US)
    InstallQuestion,
    InstallNotice,
    ExpansionMessage,
    ExpansionCaption,
    EditQuestion,
    ToolStartFailed,      // followed by CR LF and the path of the program
    NoRaceToShow,
    ChooseAFile,
};

struct TextPair {
    QString english;
    QString japanese;
};

const TextPair &startupTextPair(StartupText id);
// The text in the interface language of settings.
QString startupText(const AppSettings &settings, StartupText id);
