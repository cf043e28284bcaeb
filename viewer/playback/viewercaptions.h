// The texts of the viewer's window in both languages (0 Japanese, 1 or more English): the
// captions of its controls, the hints with the size of their box, the window caption with the
// pointer's position, and the notices the window shows without stopping the show. Each pair
// lives in one table here.
#pragma once

#include <viewerprojection.h>

#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

struct ControlCaption {
    const char *Name;     // object name
    const char *Japanese; // UTF-8
    const char *English;
};

// The captions setCaptions gives, in both languages.
const QList<ControlCaption> &controlCaptions();
// The caption of one control in a language (empty when it is not in the table).
QString controlCaption(const QString &objectName, int language);
// The captions the window design gives and no language changes: "EXIT", "Google Earth",
// "SPEED", "ZOOM", "GO/STOP", "Page", "Sea Color", "AUTO".
const QList<ControlCaption> &designCaptions();

struct ViewerHint {
    QString Text; // lines joined by "\n"
    QSize Size;   // of the hint box, pixels
};

enum class HintPlace {
    BoatCheckBox,   // tracking view, Track page; with the boat's name
    ManualMap,      // the map in the manual view
    BoatListHeader,
    TimeBar,        // Track page; with the date and time under the pointer
    AutoNext,       // chkAutoNext
    Show,           // Button4
    BigBoat,        // ChkBigBoat
    Attachment,     // Button2; with the attachments in the order further clicks open them
    GoogleEarth,    // Button3
    Logo,           // imgLOGO
};

// The hint of a place. detail: the boat name (BoatCheckBox) or the date and time (TimeBar);
// items: the attachments (Attachment).
ViewerHint viewerHint(HintPlace place, int language, const QString &detail = {}, const QStringList &items = {});

// The maker's web site the logo opens.
QString makerWebAddress();

// A position as the window caption writes it: hemisphere letter, whole degrees, ":" and the
// first 6 characters of the remaining minutes ("N35:12.345", "W139:45.5").
QString latitudeText(double latMinutes);
QString longitudeText(double lonMinutes);

// The window caption while the pointer is over the map: on the Track page the title, the
// position and the race's note; on the Graph page the title and the note.
QString pointerCaption(const QString &title, const LatLon &position, const QString &note, bool trackPage);

// The attachments in the order the next clicks of Button2 open them, starting after the one
// opened last (index 0: none opened yet).
QStringList attachmentOrder(const QStringList &attachments, int lastOpened);
// The index (1-based) a click opens after lastOpened: the next, after the last the first.
int nextAttachment(int lastOpened, int count);

// Notices shown on the map without stopping the show.
// A race AutoNext (or the start) could not show: "<race>: <reason> The next race follows."
QString raceSkippedNotice(const QString &raceFile, const QString &reason, int language);
// The problems of a load, the first few of them, each "FILE:LINE: what".
QString readProblemsNotice(const QString &raceFile, const QStringList &problems, int language, int shown = 8);
// The scene or race export could not be written.
QString kmlNotWritten(const QString &error, int language);
