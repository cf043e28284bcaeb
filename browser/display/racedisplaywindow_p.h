// Inside of the race display window: its controls and the state of one shown race.
#pragma once

#include "displaytexts.h"
#include "racedisplaywindow.h"

#include <chartlayerpainter.h>
#include <legstats.h>
#include <mapview.h>
#include <racedata.h>
#include <windfile.h>

#include <QList>
#include <QPointer>

class CanvasPicture;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

struct BoatRowControls {
    QCheckBox *name = nullptr;  // Bnam
    QLineEdit *speed = nullptr; // Text5
    QLineEdit *twa = nullptr;   // Text6
    QCheckBox *mark = nullptr;  // Maru
    CanvasPicture *symbol = nullptr; // Boat, on the chart
    QWidget *marker = nullptr;       // BoatS, on the overview
    QFrame *bar = nullptr;           // Bar, on the chart
};

class RaceDisplayWindowPrivate
{
public:
    RaceDisplayWindowPrivate(RaceDisplayWindow *q, AppSettings &settings, RaceControl &race);

    void buildControls();
    void buildRightPanel();
    void buildControlColumn(QWidget *column);
    void buildLowerPanel();
    void applyFonts();
    void applyCaptions();
    void applyLayout();
    void coverScreen();

    // The steps of a load that the window carries out.
    void resetControls();
    void showProgress(int done, int total, const QString &line1, const QString &line2);
    void hideProgress();
    void buildBoatList();
    void removeBoatList();
    void fillTimeBoxes();
    void showOrientation();
    void showWindPresence();
    void applySeaColours();

    // Drawing, through the chart layers.
    void drawChart();
    void drawTimeMarks();
    void drawMarks();
    void fullRedraw();
    void drawOverview();
    void drawWindIndicator(const WindReading &wind);
    ChartOptions chartOptions() const;

    // The boat list rises over the overview while the pointer is on it, when it is too long
    // to show at rest; anywhere else puts the panels back.
    void connectOptions();
    void chooseSeaColour(int button);
    void setTracing(bool on);
    void setNorthUp(bool northUp);
    void toggleWindGraph();
    void showWindGraph();
    bool windGraphShown = false;
    bool windGraphDrawn = false; // sWind holds a drawn wind graph; until then it is never shown
    // A boat name or mark box was clicked (row 0-based); only: the right button.
    void focusChanged(int clickedRow, bool only);
    void focusAll();
    WindReading currentWind() const;

    void raiseBoatList();
    void hoverOver(QWidget *w);
    void showHint(QWidget *control, const HintText &hint);
    void restPanels();
    bool listRaised = false;
    int hoverRow = -1; // FrameState.HoverRow: the boat list row under the pointer, −1 for none
    QObject *hoverFilter = nullptr;

    bool runLoad();
    void loadWhenExposed(int attempt);
    void showChosenRace();
    WindReading windAtReplayTime();

    RaceDisplayWindow *q;
    AppSettings &settings;
    RaceControl &race;
    RaceData data;
    MapView view;
    LegStats legStats; // passing times of the loaded race
    SplashHooks splash;

    bool loaded = false;
    bool loading = false;
    bool loadAttempted = false;
    bool boatListBuilt = false;
    bool progressOnChart = false;
    int seaColourButtonNumber = 1;
    QString caption; // the race title of the window caption
    int hintMode = 0;    // HintMode: 1 = hints on
    int tracksShown = 0; // TracksShown
    double replayTime = 0.0; // seconds from the start
    WindSearch windSearch;

    // Controls, by their design names.
    CanvasPicture *Picture1 = nullptr;   // chart
    CanvasPicture *PicTimeBar = nullptr; // time bar
    QWidget *Picture5 = nullptr;         // right-hand panel
    CanvasPicture *Picture6 = nullptr;   // overview
    CanvasPicture *Picture2 = nullptr;   // wind indicator
    QLineEdit *Text13 = nullptr;         // wind direction (as in the wind file)
    QLineEdit *Text14 = nullptr;         // wind speed
    QLineEdit *Text15 = nullptr;         // symbol size
    CanvasPicture *Picture8 = nullptr;   // boat list
    QLabel *Label5 = nullptr;            // boat list header
    QWidget *Picture7 = nullptr;         // lower panel
    QWidget *controlColumn = nullptr;
    QList<QCheckBox *> checks;           // Check1 … Check10 (index 0 … 9)
    QList<QPushButton *> seaButtons;     // BCOL1 … BCOL6
    QPushButton *btnHATENA = nullptr;
    QLabel *Label1 = nullptr;            // web link
    QLineEdit *Text1 = nullptr;          // date-time
    QLineEdit *Text11 = nullptr;         // elapsed time
    QLineEdit *Text2 = nullptr;          // replay speed
    QLineEdit *Text3 = nullptr;          // mean wind direction
    QGroupBox *Frame3 = nullptr;         // TRACK
    QRadioButton *Option6 = nullptr, *Option7 = nullptr, *Option8 = nullptr; // FWD STOP BACK
    QPushButton *Command6 = nullptr, *Command7 = nullptr;                    // + -
    QScrollBar *HScroll1 = nullptr;      // replay speed
    QWidget *Picture12 = nullptr;        // ZOOM panel
    QLabel *Label7 = nullptr;
    QScrollBar *HScroll2 = nullptr;
    QGroupBox *Frame1 = nullptr;         // orientation
    QRadioButton *Option2 = nullptr, *Option3 = nullptr;
    QGroupBox *Frame4 = nullptr;         // page
    QRadioButton *Option9 = nullptr, *Option10 = nullptr, *Option11 = nullptr;
    QWidget *graphChoice = nullptr;
    QRadioButton *Option1 = nullptr, *Option4 = nullptr, *Option5 = nullptr, *Option12 = nullptr;
    QPushButton *Command2 = nullptr, *Command3 = nullptr, *Command5 = nullptr; // mark line course
    QLabel *Label6 = nullptr;
    QComboBox *Combo1 = nullptr;         // race list
    QPushButton *Command9 = nullptr;     // show the chosen race
    QLabel *Label2 = nullptr, *Label3 = nullptr;
    QLineEdit *Text9 = nullptr, *Text10 = nullptr; // start, finish
    QPushButton *Command4 = nullptr;     // accept the times
    QPushButton *Command10 = nullptr, *Command13 = nullptr; // screen image, references
    QPushButton *Command12 = nullptr;    // wind entry (graph page)
    QPushButton *Command1 = nullptr;     // EXIT
    QPushButton *Command11 = nullptr;    // Exit of the other pages
    QLabel *Text7 = nullptr;             // hint box
    QLabel *Text8 = nullptr;             // boat tag
    QLineEdit *Text4 = nullptr;          // countdown
    QWidget *Picture9 = nullptr;         // course panel
    QLabel *Label4 = nullptr;
    QPushButton *Command8 = nullptr;
    CanvasPicture *sWind = nullptr;      // wind graph
    QList<BoatRowControls> rows;
};
