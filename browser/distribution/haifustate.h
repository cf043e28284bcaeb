// The choices of the distribution builder's window as plain data: the race control files of
// raceadmin that can be chosen, the races chosen (in order, a race may be chosen twice), the
// start-up race, the folder name and the options. The window shows it and forwards clicks.
#pragma once

#include "distributionplan.h"

#include <QString>
#include <QStringList>

struct AppSettings;

class HaifuState
{
public:
    static constexpr int MaxAvailable = 200;
    static constexpr int MaxChosen = 50;

    // Lists raceadmin/*.txt below the application folder, except a file named exactly
    // "ver.txt", at most MaxAvailable names; clears the choice and the start-up race.
    void load(const QString &applicationFolder);
    // More race control files were found than the list holds.
    bool isAvailableTruncated() const { return m_truncated; }

    const QStringList &available() const { return m_available; }
    const QStringList &chosen() const { return m_chosen; }
    int chosenCount() const { return int(m_chosen.size()); }

    // Appends the available race at index (0-based) to the chosen list. False when the index is
    // outside the list or MaxChosen races are chosen already.
    bool choose(int availableIndex);
    // The chosen race at index becomes the start-up race; false outside the list.
    bool setStartupFromChosen(int chosenIndex);
    // Empties the chosen list; the start-up race stays.
    void redo();

    QString startupRace() const { return m_startup; }
    void setStartupRace(const QString &name) { m_startup = name; }
    QString folderName() const { return m_folderName; }
    void setFolderName(const QString &name) { m_folderName = name; }
    DistributionMedium medium() const { return m_medium; }
    void setMedium(DistributionMedium medium) { m_medium = medium; }
    bool minimiseSize() const { return m_minimise; }
    void setMinimiseSize(bool on) { m_minimise = on; }
    bool attachMaps() const { return m_attachMaps; }
    void setAttachMaps(bool on) { m_attachMaps = on; }

    DistributionRequest request() const;

private:
    QStringList m_available;
    QStringList m_chosen;
    QString m_startup;
    QString m_folderName;
    DistributionMedium m_medium = DistributionMedium::Web;
    bool m_minimise = false;
    bool m_attachMaps = true;
    bool m_truncated = false;
};
