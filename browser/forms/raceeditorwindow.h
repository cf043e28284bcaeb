// The race control file editor "fmCompile": where a new race is put together from track files
// before it is shown. The main menu opens it (modeless); "Save File and Show Race" writes the
// race control file to raceadmin and asks the start-up to show it.
//
// The window holds the controls under the names the users' manuals use (Text1 … Text13,
// List1, List2, Combo1, Frame1, Frame2, Option1, Option2, Command1 … Command11, Label1 …
// Label16) and forwards every change to RaceEditor (raceeditor.h), which changes the
// program-wide race; after each button it shows what the editor's refresh computed.
#pragma once

#include "raceeditor.h"

#include <QWidget>

struct AppSettings;
struct RaceControl;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

class RaceEditorWindow : public QWidget
{
    Q_OBJECT
public:
    // timeZoneHours: the hours of the computer's zone (TimeZoneHours()), the time difference a
    // new race starts with. settings and race outlive the window.
    RaceEditorWindow(AppSettings &settings, RaceControl &race, qint16 timeZoneHours, QWidget *parent = nullptr);

    const RaceEditor &editor() const { return m_editor; }
    QLineEdit *box(EditorBox b) const { return m_boxes[int(b)]; }

    // The buttons' actions, as their clicks run them.
    void chooseTrackFile();          // Command1
    void acceptTrackFile();          // Command2 "OK"
    void cancelTrackFile();          // Command3 "CANCEL"
    void loadRaceFile();             // Command6
    void editAsText();               // Command5
    void chooseWindFile();           // Command7
    void chooseAttachment();         // Command10
    void clearAttachments();         // Command11
    void saveAndShow();              // Command4, Command9
    // A press on line `line` of List1 with Shift, Ctrl or Alt held.
    void removeBoatAt(int line);

signals:
    // The race was saved and the user wants to see it: the race display opens on
    // RaceControl::FileName.
    void showRaceRequested();
    void closed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void build();
    void setCaptions();
    void refresh();
    void showBoxes();
    void showTimeDifferenceState();
    void showHint();
    void hideHint();

    AppSettings &m_settings;
    RaceControl &m_race;
    RaceEditor m_editor;
    QString m_reportedScanPath; // the first track whose scan problems were told already

    QLineEdit *m_boxes[EditorBoxCount] = {};
    QLineEdit *m_hint = nullptr;     // Text13
    QListWidget *m_boats = nullptr;  // List1
    QListWidget *m_attachments = nullptr; // List2
    QFrame *m_chooser = nullptr;     // Frame1
    QComboBox *m_trackFiles = nullptr; // Combo1
    QRadioButton *m_northUp = nullptr; // Option1
    QRadioButton *m_windUp = nullptr;  // Option2
    QPushButton *m_editAsText = nullptr; // Command5
};
