// The race display's buttons that change the race shown or its times:
//   Command4 "Above time OK"  takes the start and finish boxes (Text9, Text10), checks them
//                             against the GPS data, may save the race under a name and loads
//                             the race again (racetimes.h decides, asks and writes);
//   Command1 "EXIT"           in edit mode offers to save the race under a name, then closes
//                             the display;
//   Command9 "Show"           (viewing mode) loads the race chosen in the race list (Combo1),
//                             unless it is the one shown.
// The window carries out the load itself; this part only says when, and whether the race is
// another one (its boat list is then built anew).
#pragma once

#include <QObject>

#include <functional>

class ControlPanel;
class QWidget;
class RaceDisplayState;

class RaceFileActions : public QObject
{
    Q_OBJECT
public:
    // Loads the race named by the race record again; otherRace when it is another race.
    using Reload = std::function<void(bool otherRace)>;
    RaceFileActions(RaceDisplayState &state, ControlPanel *controls, QWidget *window, Reload reload);

    void acceptTimes();
    void exit();
    void showChosenRace();

private:
    RaceDisplayState &m_state;
    ControlPanel *m_controls;
    QWidget *m_window;
    Reload m_reload;
};
