#include "haifuwindow.h"

#include "distributionbuilder.h"
#include "distributiontexts.h"

#include <appsettings.h>

#include <dialogs.h>

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace {

// Places in pixels at the design resolution; the window multiplies them by AppSettings.Scale.
constexpr QSize WindowSize(500, 440);
constexpr QRect Label1Place(12, 10, 230, 16), List1Place(12, 28, 230, 170);
constexpr QRect Label2Place(258, 10, 230, 16), List2Place(258, 28, 230, 140), Command3Place(258, 174, 100, 24);
constexpr QRect Label4Place(12, 208, 476, 16), Text1Place(12, 226, 476, 22);
constexpr QRect Label3Place(12, 258, 476, 16), Combo1Place(12, 276, 476, 24);
constexpr QRect Frame1Place(12, 310, 230, 76), Option1Place(12, 22, 206, 20), Option2Place(12, 46, 206, 20);
constexpr QRect Check2Place(258, 320, 230, 20), Check1Place(258, 348, 230, 20);
constexpr QRect Command1Place(12, 398, 230, 30), Command2Place(258, 398, 230, 30);
constexpr double FontPoints = 9.0;

QRect scaled(const QRect &r, float scale)
{
    const auto px = [scale](int v) { return int(v * double(scale) + 0.5); };
    return {px(r.left()), px(r.top()), px(r.width()), px(r.height())};
}

template<typename W>
W *make(QWidget *parent, const char *objectName, const QRect &place, float scale)
{
    auto *w = new W(parent);
    w->setObjectName(QLatin1String(objectName));
    w->setGeometry(scaled(place, scale));
    return w;
}

} // namespace

HaifuWindow::HaifuWindow(const AppSettings &settings, DistributionSources sources, QWidget *parent)
    : QWidget(parent), m_settings(settings), m_sources(std::move(sources))
{
    const float scale = settings.Scale;
    const auto text = [&settings](DistributionText id) { return distributionText(settings, id); };
    setObjectName(QStringLiteral("Haifu"));
    setWindowTitle(text(DistributionText::WindowCaption));
    setFixedSize(WindowSize * double(scale));
    QFont font(settings.UiFontName);
    font.setPointSizeF(std::max(1.0, FontPoints * double(scale)));
    setFont(font);

    m_chooseLabel = make<QLabel>(this, "Label1", Label1Place, scale);
    m_chooseLabel->setText(text(DistributionText::ChooseLabel));
    m_available = make<QListWidget>(this, "List1", List1Place, scale);
    m_chosenLabel = make<QLabel>(this, "Label2", Label2Place, scale);
    m_chosenLabel->setText(text(DistributionText::ChosenLabel));
    m_chosen = make<QListWidget>(this, "List2", List2Place, scale);
    m_redo = make<QPushButton>(this, "Command3", Command3Place, scale);
    m_redo->setText(text(DistributionText::RedoButton));
    m_startupLabel = make<QLabel>(this, "Label4", Label4Place, scale);
    m_startupLabel->setText(text(DistributionText::StartupLabel));
    // The start-up race is picked from the chosen races, not typed.
    m_startup = make<QLineEdit>(this, "Text1", Text1Place, scale);
    m_startup->setReadOnly(true);
    m_folderLabel = make<QLabel>(this, "Label3", Label3Place, scale);
    m_folderLabel->setText(text(DistributionText::FolderLabel));
    m_folder = make<QComboBox>(this, "Combo1", Combo1Place, scale);
    m_folder->setEditable(true);
    m_folder->setInsertPolicy(QComboBox::NoInsert);
    m_media = make<QGroupBox>(this, "Frame1", Frame1Place, scale);
    m_media->setTitle(text(DistributionText::MediaFrame));
    m_web = make<QRadioButton>(m_media, "Option1", Option1Place, scale);
    m_web->setText(text(DistributionText::WebOption));
    m_cdRom = make<QRadioButton>(m_media, "Option2", Option2Place, scale);
    m_cdRom->setText(text(DistributionText::CdRomOption));
    m_minimise = make<QCheckBox>(this, "Check2", Check2Place, scale);
    m_minimise->setText(text(DistributionText::MinimiseCheck));
    m_attachMaps = make<QCheckBox>(this, "Check1", Check1Place, scale);
    m_attachMaps->setText(text(DistributionText::AttachMapsCheck));
    m_create = make<QPushButton>(this, "Command1", Command1Place, scale);
    m_create->setText(text(DistributionText::CreateButton));
    m_cancel = make<QPushButton>(this, "Command2", Command2Place, scale);
    m_cancel->setText(text(DistributionText::CancelButton));

    m_state.load(settings.ApplicationFolder);
    m_available->addItems(m_state.available());
    m_web->setChecked(m_state.medium() == DistributionMedium::Web);
    m_cdRom->setChecked(m_state.medium() == DistributionMedium::CdRom);
    m_minimise->setChecked(m_state.minimiseSize());
    m_attachMaps->setChecked(m_state.attachMaps());
    updateCreateButton();

    // A press on a name chooses it at once, as the lists always did (no double click).
    connect(m_available, &QListWidget::itemPressed, this, [this](QListWidgetItem *item) { chooseAvailable(m_available->row(item)); });
    connect(m_chosen, &QListWidget::itemPressed, this, [this](QListWidgetItem *item) { chooseStartup(m_chosen->row(item)); });
    connect(m_redo, &QPushButton::clicked, this, &HaifuWindow::redo);
    connect(m_folder, &QComboBox::editTextChanged, this, [this](const QString &name) { m_state.setFolderName(name); });
    connect(m_cdRom, &QRadioButton::toggled, this, [this](bool on) {
        m_state.setMedium(on ? DistributionMedium::CdRom : DistributionMedium::Web);
    });
    connect(m_minimise, &QCheckBox::toggled, this, [this](bool on) { m_state.setMinimiseSize(on); });
    connect(m_attachMaps, &QCheckBox::toggled, this, [this](bool on) { m_state.setAttachMaps(on); });
    connect(m_create, &QPushButton::clicked, this, &HaifuWindow::create);
    connect(m_cancel, &QPushButton::clicked, this, &QWidget::close);
}

void HaifuWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_shownOnce && m_state.isAvailableTruncated()) {
        m_shownOnce = true;
        platform::dialogs().message(distributionText(m_settings, DistributionText::TooManyAvailable), m_settings.ProgramTitle);
    }
    m_shownOnce = true;
}

void HaifuWindow::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    emit closed();
}

void HaifuWindow::chooseAvailable(int row)
{
    if (m_state.choose(row)) {
        m_chosen->addItem(m_state.chosen().constLast());
        updateCreateButton();
    } else if (m_state.chosenCount() >= HaifuState::MaxChosen) {
        platform::dialogs().message(distributionText(m_settings, DistributionText::TooManyChosen), m_settings.ProgramTitle);
    }
}

void HaifuWindow::chooseStartup(int row)
{
    if (m_state.setStartupFromChosen(row))
        m_startup->setText(m_state.startupRace());
}

void HaifuWindow::redo()
{
    m_state.redo();
    m_chosen->clear();
    updateCreateButton();
}

void HaifuWindow::updateCreateButton()
{
    m_create->setEnabled(m_state.chosenCount() > 0);
}

void HaifuWindow::create()
{
    m_state.setFolderName(m_folder->currentText());
    const auto busy = [](bool on) {
        if (on)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QGuiApplication::restoreOverrideCursor();
    };
    if (createDistribution(m_settings, m_state.request(), m_sources, busy) == CreateOutcome::Built) {
        emit built(QDir(distributionParentFolder(m_settings.ApplicationFolder)).filePath(m_state.folderName()));
        close();
    }
}
