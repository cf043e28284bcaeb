// The main menu window as plain data: its buttons with their places, captions, hints and hint
// heights, the chooser and the hint box. Places are pixels at the design resolution; the
// window multiplies them by AppSettings.Scale.
#pragma once

#include <QList>
#include <QRect>
#include <QString>

struct AppSettings;

enum class MenuAction {
    GpsDownload,        // starts "\Brenvo_Trackfix.exe"
    WindTool,           // starts "\GASTRA.exe"
    Editor,             // the race control file editor
    Distribution,       // the distribution builder
    ShowOneBoat,        // the chooser with track files
    ShowRacing,         // the chooser with races
    Help,               // the help page
    Exit,
};

struct MenuButton {
    QString objectName;
    QString caption;      // the same in both languages
    MenuAction action;
    QRect place;          // design pixels
    QString hintEnglish;
    QString hintJapanese;
    int hintHeight = 0;   // design pixels; 0 when the button has no hint
};

// The buttons in the order of the column.
const QList<MenuButton> &menuButtons();
const MenuButton *menuButton(MenuAction action);

// The hint of a button in the interface language.
QString menuHint(const AppSettings &settings, const MenuButton &button);

struct MenuLayout {
    static constexpr int WindowWidthTwips = 5640;
    static constexpr int WindowHeightTwips = 8955;
    static constexpr int TitleTop = 10;
    static constexpr int FontPoints = 9;
    static QRect chooserFrame() { return {16, 416, 185, 65}; }
    // The chooser's controls are placed in twips inside the frame.
    static QRect chooserListTwips() { return {120, 240, 2535, 315}; }
    static QRect chooserOkTwips() { return {120, 600, 1215, 255}; }
    static QRect chooserCancelTwips() { return {1400, 600, 1215, 255}; }
    // The hint box lies under the chooser, left of the button column; its height is the
    // hovered button's.
    static QRect hintBox(int height) { return {16, 490, 205, height}; }
};

// The help page of the language below the application folder, and whether either of the two
// help pages exists (the help button is shown only then).
QString helpPagePath(const AppSettings &settings);
bool hasHelpPage(const QString &applicationFolder);
