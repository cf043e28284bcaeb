#include "haifustate.h"

#include <appfolder.h>

void HaifuState::load(const QString &applicationFolder)
{
    m_available.clear();
    m_chosen.clear();
    m_startup.clear();
    m_truncated = false;
    const QStringList names = platform::listFiles(applicationFolder, QStringLiteral("raceadmin/*.txt"));
    for (const QString &name : names) {
        // Only the exact name is left out; "VER.TXT" is a race like any other.
        if (name == QLatin1String("ver.txt"))
            continue;
        if (m_available.size() >= MaxAvailable) {
            m_truncated = true;
            break;
        }
        m_available << name;
    }
}

bool HaifuState::choose(int availableIndex)
{
    if (availableIndex < 0 || availableIndex >= m_available.size() || m_chosen.size() >= MaxChosen)
        return false;
    m_chosen << m_available.at(availableIndex);
    return true;
}

bool HaifuState::setStartupFromChosen(int chosenIndex)
{
    if (chosenIndex < 0 || chosenIndex >= m_chosen.size())
        return false;
    m_startup = m_chosen.at(chosenIndex);
    return true;
}

void HaifuState::redo()
{
    m_chosen.clear();
}

DistributionRequest HaifuState::request() const
{
    DistributionRequest r;
    r.Races = m_chosen;
    r.FolderName = m_folderName;
    r.StartupRace = m_startup;
    r.Medium = m_medium;
    r.MinimiseSize = m_minimise;
    r.AttachMaps = m_attachMaps;
    return r;
}
