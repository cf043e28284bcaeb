// The distribution builder's window (form Haifu): the race control files to choose from
// (List1), the races chosen (List2) with ReDO (Command3), the start-up race (Text1), the new
// folder's name (Combo1), web or CD-ROM (Option1, Option2 in Frame1), "データサイズ最小化"
// (Check2), "Attach Map Data" (Check1), Create (Command1) and Cancel (Command2).
//
// The window holds the controls and keeps HaifuState in step with them; the checks, the
// question and the build are createDistribution's. A finished build closes the window; a build
// that is declined or stopped leaves it open with its choices.
#pragma once

#include "distributionplan.h"
#include "haifustate.h"

#include <QWidget>

struct AppSettings;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

class HaifuWindow : public QWidget
{
    Q_OBJECT
public:
    HaifuWindow(const AppSettings &settings, DistributionSources sources, QWidget *parent = nullptr);

    const HaifuState &state() const { return m_state; }

signals:
    void closed();
    // A build finished; folder is the distribution folder.
    void built(const QString &folder);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void chooseAvailable(int row);
    void chooseStartup(int row);
    void redo();
    void create();
    void updateCreateButton();

    const AppSettings &m_settings;
    DistributionSources m_sources;
    HaifuState m_state;
    bool m_shownOnce = false;

    QLabel *m_chooseLabel = nullptr;    // Label1
    QListWidget *m_available = nullptr; // List1
    QLabel *m_chosenLabel = nullptr;    // Label2
    QListWidget *m_chosen = nullptr;    // List2
    QPushButton *m_redo = nullptr;      // Command3
    QLabel *m_startupLabel = nullptr;   // Label4
    QLineEdit *m_startup = nullptr;     // Text1
    QLabel *m_folderLabel = nullptr;    // Label3
    QComboBox *m_folder = nullptr;      // Combo1
    QGroupBox *m_media = nullptr;       // Frame1
    QRadioButton *m_web = nullptr;      // Option1
    QRadioButton *m_cdRom = nullptr;    // Option2
    QCheckBox *m_minimise = nullptr;    // Check2
    QCheckBox *m_attachMaps = nullptr;  // Check1
    QPushButton *m_create = nullptr;    // Command1
    QPushButton *m_cancel = nullptr;    // Command2
};
