#include "racefileactions.h"

#include "controlpanel.h"
#include "racedisplaystate.h"

#include <appsettings.h>
#include <dialogs.h>
#include <formtexts.h>
#include <racecontrol.h>
#include <racetimes.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

RaceFileActions::RaceFileActions(RaceDisplayState &state, ControlPanel *controls, QWidget *window, Reload reload)
    : QObject(window), m_state(state), m_controls(controls), m_window(window), m_reload(std::move(reload))
{
    connect(controls->Command4, &QPushButton::clicked, this, &RaceFileActions::acceptTimes);
    connect(controls->Command1, &QPushButton::clicked, this, &RaceFileActions::exit);
    connect(controls->Command9, &QPushButton::clicked, this, &RaceFileActions::showChosenRace);
}

void RaceFileActions::acceptTimes()
{
    // The boxes keep what was typed when the times are refused.
    if (!AcceptNewTimes(m_state.settings, m_state.race, m_controls->Text9->text(), m_controls->Text10->text()))
        return;
    // A race from a race control file reads its times back from the file: new times outlast
    // the load only when they were saved. A single track keeps them.
    m_reload(false);
}

void RaceFileActions::exit()
{
    OfferSaveOnExit(m_state.settings, m_state.race);
    m_window->close();
}

void RaceFileActions::showChosenRace()
{
    const QString chosen = m_controls->Combo1->currentText().trimmed();
    if (chosen.isEmpty())
        return;
    if (chosen == m_state.race.FileName) {
        platform::dialogs().message(formText(m_state.settings, FormText::AlreadyShown));
        return;
    }
    m_state.race.FileName = chosen;
    m_state.settings.SingleTrackFile.clear();
    m_reload(true);
}
