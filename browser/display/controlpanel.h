// The second column of the race display's right-hand panel: the time boxes, the replay
// controls (FWD, STOP, BACK, "+", "-", the speed slider), the ZOOM slider of tracing, the
// chart orientation, the page choice, the course editing buttons, the race list of viewing
// mode, the start and finish times and the buttons at the bottom. It holds the controls and
// shows what it is given; the replay driver and the window act on its signals and controls.
#pragma once

#include <QStringList>
#include <QWidget>

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

class ControlPanel : public QWidget
{
    Q_OBJECT
public:
    explicit ControlPanel(QWidget *parent = nullptr);

    // Viewing mode offers the races of the folder (the current one chosen) and hides the
    // editing buttons; edit mode the other way round.
    void setViewingMode(bool viewing, const QStringList &races, const QString &current);
    // While tracing the course editing buttons are off and the ZOOM panel shows.
    void setTracing(bool on, bool courseSettable);
    void setSeaColour(const QColor &sea, const QColor &foreground);
    // The mean wind direction box and the orientation option of the race.
    void showOrientation(double windDirection, bool northUp);

    QLineEdit *Text1 = nullptr;          // date-time
    QLineEdit *Text11 = nullptr;         // elapsed time
    QGroupBox *Frame3 = nullptr;         // TRACK
    QRadioButton *Option6 = nullptr, *Option7 = nullptr, *Option8 = nullptr; // FWD STOP BACK
    QPushButton *Command6 = nullptr, *Command7 = nullptr;                    // + -
    QLineEdit *Text2 = nullptr;          // replay speed
    QScrollBar *HScroll1 = nullptr;      // replay speed slider
    QFrame *Picture12 = nullptr;         // ZOOM panel
    QLabel *Label7 = nullptr;
    QScrollBar *HScroll2 = nullptr;      // ZOOM slider
    QGroupBox *Frame1 = nullptr;         // orientation
    QRadioButton *Option2 = nullptr, *Option3 = nullptr;
    QGroupBox *Frame4 = nullptr;         // page
    QRadioButton *Option9 = nullptr, *Option10 = nullptr, *Option11 = nullptr;
    QWidget *graphChoice = nullptr;
    QRadioButton *Option1 = nullptr, *Option4 = nullptr, *Option5 = nullptr, *Option12 = nullptr;
    QLineEdit *Text3 = nullptr;          // mean wind direction
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
};
