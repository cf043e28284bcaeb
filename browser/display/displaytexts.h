// Every caption and hint of the race display in both languages, in one table each.
//
// The window was designed with Japanese captions; when the interface language is English the
// English ones replace them once, at opening. Hints are shown in a box whose size is fixed
// per text and language (the design sized each box by hand, so the sizes are kept with the
// texts rather than measured).
#pragma once

#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>

struct AppSettings;

struct ControlCaption {
    QString objectName;
    QString japanese; // the design caption
    QString english;
};

// Captions of the race display's controls, design caption first. Controls whose caption is
// the same in both languages ("FWD", "HINT", "?", the list header …) are included too.
const QList<ControlCaption> &raceDisplayCaptions();

// The caption of one control in the chosen language; empty when the control has none.
QString raceDisplayCaption(const QString &objectName, bool english);

// The boat list's header, the same in both languages.
QString boatListHeader();

// The maker's web site, named by the link label.
QString makerWebAddress();

enum class HintCondition {
    Always,          // shown whenever the pointer rests on the control
    HintsOn,         // only while the HINT box is ticked
    HintsOnNotTracing, // only while hints are on and the chart is not traced automatically
    EditModeWithRace // only in edit mode with a race control file
};

struct ControlHint {
    QString objectName;
    HintCondition condition = HintCondition::Always;
    QStringList english;
    QStringList japanese;
    QSize sizeEnglish;
    QSize sizeJapanese;
    // The overview's hint grows by two lines in edit mode.
    QStringList englishEditExtra;
    QStringList japaneseEditExtra;
    QSize sizeEnglishEdit;
    QSize sizeJapaneseEdit;
};

const QList<ControlHint> &raceDisplayHints();

// What the hint box shows for a control. Several controls of one kind share a hint ("BCOL1" …
// "BCOL6" share "BCOL"); the name is matched as the table writes it or without its trailing
// digits.
struct HintState {
    bool english = false;
    bool hintsOn = false;   // HintMode 1
    bool tracing = false;   // automatic tracing on
    bool editMode = false;
    bool hasRaceFile = false;
};
struct HintText {
    QString text; // lines joined by line breaks, each first line followed by one
    QSize size;   // box size in pixels before scaling
};
std::optional<HintText> raceDisplayHint(const QString &objectName, const HintState &state);

// The hints of the chart (Text7 over Picture1). The zoom hint follows the language; the three
// hints of the mark and line tools exist in Japanese only and show in both languages.
enum class ChartHintKind {
    Zoom,          // "Click L-btn=> Enlarge Map" …, with the "Show all" line once zoomed in
    LineFirstEnd,  // "まずは１点目をクリック"
    LineSecondEnd, // "続いて2点目をクリック"
    PlaceMark,     // "地図をクリックしてマーク設定"
};
// zoom: MapView::Zoom; above 0.6 the zoom hint adds the Shift + right button line.
HintText chartHint(ChartHintKind kind, bool english, double zoom);

// The short message of a refused chart edit: 30 marks, 10 lines or 50 course entries already.
enum class EditRefusal;
QString editRefusalMessage(EditRefusal refusal, bool english);
