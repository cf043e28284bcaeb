#include "raceeditorwindow.h"

#include "fileselectdialog.h"
#include "formtexts.h"

#include <appsettings.h>
#include <dialogs.h>
#include <opendocument.h>
#include <racecontrol.h>

#include <QCloseEvent>
#include <QFileInfo>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace {

// The window at the design resolution, in pixels; every place is multiplied by
// AppSettings.Scale.
constexpr QSize WindowSize(698, 588);
constexpr int FontPoints = 9;

struct Place {
    const char *name;
    QRect rect;
};

// Boxes and their labels. The left column holds the titles, the boats and the attachments;
// the right column the race's numbers, and in Frame3 what the race display can change later.
constexpr Place BoxPlaces[EditorBoxCount] = {
    {"Text1", {96, 56, 200, 22}},   // start, in Frame3
    {"Text2", {96, 82, 200, 22}},   // finish, in Frame3
    {"Text3", {500, 100, 60, 22}},  // time difference
    {"Text4", {96, 108, 60, 22}},   // mean wind direction, in Frame3
    {"Text5", {500, 152, 60, 22}},  // LOA
    {"Text6", {500, 126, 60, 22}},  // magnetic variation
    {"Text7", {96, 100, 264, 22}},  // title 1
    {"Text8", {96, 126, 264, 22}},  // title 2
    {"Text9", {96, 134, 50, 22}},   // lay line UP, in Frame3
    {"Text10", {196, 134, 50, 22}}, // lay line DN, in Frame3
    {"Text11", {96, 232, 200, 22}}, // wind data file, in Frame3
    {"Text12", {560, 178, 50, 22}}, // pre-start minutes
};

struct Caption {
    const char *name;
    FormText text;
    QRect rect;
    bool inFrame3;
};

constexpr Caption LabelPlaces[] = {
    {"Label8", FormText::Title1Label, {10, 103, 84, 18}, false},
    {"Label9", FormText::Title2Label, {10, 129, 84, 18}, false},
    {"Label12", FormText::BoatListLabel, {10, 186, 350, 18}, false},
    {"Label16", FormText::AttachmentsLabel, {10, 444, 120, 18}, false},
    {"Label1", FormText::TimeDiffLabel, {375, 103, 120, 18}, false},
    {"Label6", FormText::MagVariationLabel, {375, 129, 120, 18}, false},
    {"Label5", FormText::LoaLabel, {375, 155, 120, 18}, false},
    {"Label13", FormText::PreStartLabel, {375, 181, 180, 18}, false},
    {"Label15", FormText::FrameNote, {8, 6, 300, 32}, true},
    {"Label2", FormText::StartLabel, {8, 59, 86, 18}, true},
    {"Label3", FormText::FinishLabel, {8, 85, 86, 18}, true},
    {"Label4", FormText::WindDirectionLabel, {8, 111, 86, 18}, true},
    {"Label10", FormText::LayLineUpLabel, {8, 137, 86, 18}, true},
    {"Label7", FormText::LayLineDownLabel, {152, 137, 40, 18}, true},
    {"Label11", FormText::WindDataLabel, {8, 235, 86, 18}, true},
};

constexpr QRect Frame3Place(375, 210, 313, 262);
constexpr QRect InstructionPlace(10, 6, 678, 48);
constexpr QRect BoatListPlace(10, 206, 350, 190);
constexpr QRect AttachmentListPlace(10, 464, 350, 78);
constexpr QRect ChooserPlace(10, 206, 350, 62);
constexpr QRect Frame2Place(8, 162, 290, 36); // in Frame3
constexpr int HintAboveList = 25;
constexpr QSize HintSize(300, 17);

struct ButtonPlace {
    const char *name;
    FormText text;
    QRect rect;
};

constexpr ButtonPlace ButtonPlaces[] = {
    {"Command6", FormText::OpenRaceFile, {10, 62, 200, 28}},
    {"Command5", FormText::EditAsText, {216, 62, 290, 28}},
    {"Command9", FormText::SaveAndShow, {512, 62, 176, 28}},
    {"Command1", FormText::ChooseGpsFile, {10, 156, 200, 26}},
    {"Command10", FormText::ChooseAttachments, {10, 410, 200, 26}},
    {"Command11", FormText::ClearAttachments, {216, 410, 144, 26}},
    {"Command4", FormText::SaveAndShow, {375, 548, 200, 30}},
    {"Command8", FormText::EditorExit, {582, 548, 106, 30}},
};
constexpr QRect WindButtonPlace(8, 204, 200, 26); // Command7, in Frame3

QRect scaled(const QRect &r, float scale)
{
    const auto px = [scale](int v) { return int(v * double(scale) + 0.5); };
    return {px(r.left()), px(r.top()), px(r.width()), px(r.height())};
}

} // namespace

RaceEditorWindow::RaceEditorWindow(AppSettings &settings, RaceControl &race, qint16 timeZoneHours, QWidget *parent)
    : QWidget(parent), m_settings(settings), m_race(race), m_editor(settings, race)
{
    setObjectName(QStringLiteral("fmCompile"));
    setAttribute(Qt::WA_DeleteOnClose);
    setMouseTracking(true);
    m_editor.open(timeZoneHours);
    build();
    setCaptions();
    showBoxes();
    showTimeDifferenceState();
    m_northUp->setChecked(m_editor.northUp());
    m_windUp->setChecked(!m_editor.northUp());
}

void RaceEditorWindow::build()
{
    const float scale = m_settings.Scale;
    setFixedSize(scaled(QRect(QPoint(0, 0), WindowSize), scale).size());
    QFont font(m_settings.UiFontName);
    font.setPointSizeF(std::max(1.0, FontPoints * double(scale)));
    setFont(font);

    auto *frame3 = new QFrame(this);
    frame3->setObjectName(QStringLiteral("Frame3"));
    frame3->setFrameShape(QFrame::Box);
    frame3->setGeometry(scaled(Frame3Place, scale));

    auto *instruction = new QLabel(this);
    instruction->setObjectName(QStringLiteral("Label14"));
    instruction->setGeometry(scaled(InstructionPlace, scale));
    instruction->setWordWrap(true);
    instruction->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    for (const Caption &c : LabelPlaces) {
        auto *label = new QLabel(c.inFrame3 ? static_cast<QWidget *>(frame3) : this);
        label->setObjectName(QLatin1String(c.name));
        label->setGeometry(scaled(c.rect, scale));
        label->setWordWrap(c.text == FormText::FrameNote);
        label->setMouseTracking(true);
    }

    static constexpr bool BoxInFrame3[EditorBoxCount] = {true, true, false, true, false, false,
                                                         false, false, true, true, true, false};
    for (int i = 0; i < EditorBoxCount; ++i) {
        auto *edit = new QLineEdit(BoxInFrame3[i] ? static_cast<QWidget *>(frame3) : this);
        edit->setObjectName(QLatin1String(BoxPlaces[i].name));
        edit->setGeometry(scaled(BoxPlaces[i].rect, scale));
        m_boxes[i] = edit;
        const EditorBox b = EditorBox(i);
        connect(edit, &QLineEdit::textChanged, this, [this, b](const QString &text) {
            m_editor.edit(b, text);
            if (b == EditorBox::Text3)
                showTimeDifferenceState();
        });
    }
    // The wind file is set by its button only.
    box(EditorBox::Text11)->setReadOnly(true);

    m_boats = new QListWidget(this);
    m_boats->setObjectName(QStringLiteral("List1"));
    m_boats->setGeometry(scaled(BoatListPlace, scale));
    m_boats->setMouseTracking(true);
    m_boats->viewport()->setMouseTracking(true);
    m_boats->viewport()->installEventFilter(this);

    m_attachments = new QListWidget(this);
    m_attachments->setObjectName(QStringLiteral("List2"));
    m_attachments->setGeometry(scaled(AttachmentListPlace, scale));

    for (const ButtonPlace &b : ButtonPlaces) {
        auto *button = new QPushButton(this);
        button->setObjectName(QLatin1String(b.name));
        button->setGeometry(scaled(b.rect, scale));
    }
    auto *windButton = new QPushButton(frame3);
    windButton->setObjectName(QStringLiteral("Command7"));
    windButton->setGeometry(scaled(WindButtonPlace, scale));

    auto *frame2 = new QFrame(frame3);
    frame2->setObjectName(QStringLiteral("Frame2"));
    frame2->setFrameShape(QFrame::Box);
    frame2->setGeometry(scaled(Frame2Place, scale));
    auto *frame2Caption = new QLabel(frame2);
    frame2Caption->setObjectName(QStringLiteral("Frame2Caption"));
    frame2Caption->setGeometry(scaled(QRect(6, 8, 96, 20), scale));
    m_northUp = new QRadioButton(frame2);
    m_northUp->setObjectName(QStringLiteral("Option1"));
    m_northUp->setGeometry(scaled(QRect(104, 8, 88, 20), scale));
    m_windUp = new QRadioButton(frame2);
    m_windUp->setObjectName(QStringLiteral("Option2"));
    m_windUp->setGeometry(scaled(QRect(194, 8, 92, 20), scale));
    connect(m_northUp, &QRadioButton::clicked, this, [this] { m_editor.setNorthUp(true); });
    connect(m_windUp, &QRadioButton::clicked, this, [this] { m_editor.setNorthUp(false); });

    // The track file chooser lies over the top of the boat list while it is shown.
    m_chooser = new QFrame(this);
    m_chooser->setObjectName(QStringLiteral("Frame1"));
    m_chooser->setFrameShape(QFrame::Box);
    m_chooser->setAutoFillBackground(true);
    m_chooser->setGeometry(scaled(ChooserPlace, scale));
    m_trackFiles = new QComboBox(m_chooser);
    m_trackFiles->setObjectName(QStringLiteral("Combo1"));
    m_trackFiles->setGeometry(scaled(QRect(8, 6, 334, 22), scale));
    auto *ok = new QPushButton(QStringLiteral("OK"), m_chooser);
    ok->setObjectName(QStringLiteral("Command2"));
    ok->setGeometry(scaled(QRect(8, 32, 163, 24), scale));
    auto *cancel = new QPushButton(QStringLiteral("CANCEL"), m_chooser);
    cancel->setObjectName(QStringLiteral("Command3"));
    cancel->setGeometry(scaled(QRect(179, 32, 163, 24), scale));
    m_chooser->hide();

    m_hint = new QLineEdit(this);
    m_hint->setObjectName(QStringLiteral("Text13"));
    m_hint->setReadOnly(true);
    m_hint->setFocusPolicy(Qt::NoFocus);
    const QRect list = scaled(BoatListPlace, scale);
    m_hint->setGeometry(QRect(list.topLeft() - QPoint(0, int(HintAboveList * scale + 0.5)),
                              scaled(QRect(QPoint(0, 0), HintSize), scale).size()));
    m_hint->hide();

    // Every control takes the interface font.
    for (QWidget *w : findChildren<QWidget *>())
        w->setFont(font);

    const auto button = [this](const char *name) { return findChild<QPushButton *>(QLatin1String(name)); };
    connect(button("Command1"), &QPushButton::clicked, this, &RaceEditorWindow::chooseTrackFile);
    connect(ok, &QPushButton::clicked, this, &RaceEditorWindow::acceptTrackFile);
    connect(cancel, &QPushButton::clicked, this, &RaceEditorWindow::cancelTrackFile);
    connect(button("Command4"), &QPushButton::clicked, this, &RaceEditorWindow::saveAndShow);
    connect(button("Command9"), &QPushButton::clicked, this, &RaceEditorWindow::saveAndShow);
    m_editAsText = button("Command5");
    m_editAsText->setEnabled(false);
    connect(m_editAsText, &QPushButton::clicked, this, &RaceEditorWindow::editAsText);
    connect(button("Command6"), &QPushButton::clicked, this, &RaceEditorWindow::loadRaceFile);
    connect(windButton, &QPushButton::clicked, this, &RaceEditorWindow::chooseWindFile);
    connect(button("Command8"), &QPushButton::clicked, this, &QWidget::close);
    connect(button("Command10"), &QPushButton::clicked, this, &RaceEditorWindow::chooseAttachment);
    connect(button("Command11"), &QPushButton::clicked, this, &RaceEditorWindow::clearAttachments);
}

void RaceEditorWindow::setCaptions()
{
    setWindowTitle(m_editor.caption());
    for (const Caption &c : LabelPlaces)
        findChild<QLabel *>(QLatin1String(c.name))->setText(formText(m_settings, c.text));
    findChild<QLabel *>(QStringLiteral("Label14"))->setText(formText(m_settings, FormText::Instruction));
    for (const ButtonPlace &b : ButtonPlaces)
        findChild<QPushButton *>(QLatin1String(b.name))->setText(formText(m_settings, b.text));
    findChild<QPushButton *>(QStringLiteral("Command7"))->setText(formText(m_settings, FormText::ChooseWindFile));
    findChild<QLabel *>(QStringLiteral("Frame2Caption"))->setText(formText(m_settings, FormText::MapDirectionFrame));
    m_northUp->setText(formText(m_settings, FormText::NorthUpOption));
    m_windUp->setText(formText(m_settings, FormText::WindUpOption));
    m_hint->setText(formText(m_settings, FormText::DeleteHint));
}

void RaceEditorWindow::showBoxes()
{
    for (int i = 0; i < EditorBoxCount; ++i) {
        QLineEdit *edit = m_boxes[i];
        const QString text = m_editor.box(EditorBox(i));
        if (edit->text() == text)
            continue;
        // Filling a box is no edit of the user's.
        const QSignalBlocker blocker(edit);
        edit->setText(text);
    }
}

void RaceEditorWindow::showTimeDifferenceState()
{
    // A time difference that is not taken keeps the race's value; the box says so in red.
    QLineEdit *edit = box(EditorBox::Text3);
    QPalette pal = edit->palette();
    pal.setColor(QPalette::Text, m_editor.timeDifferenceTaken() ? palette().color(QPalette::Text) : QColor(Qt::red));
    edit->setPalette(pal);
}

void RaceEditorWindow::refresh()
{
    const std::optional<TrackScan> scan = m_editor.refresh();
    setWindowTitle(m_editor.caption());
    m_boats->clear();
    m_boats->addItems(m_editor.boatLines());
    showBoxes();
    showTimeDifferenceState();
    m_northUp->setChecked(m_editor.northUp());
    m_windUp->setChecked(!m_editor.northUp());
    m_attachments->clear();
    m_attachments->addItems(m_editor.attachmentLines());
    // The first track is scanned at every refresh; what it could not read is told once.
    if (scan && !scan->problems.isEmpty() && m_reportedScanPath != m_editor.firstTrackPath()) {
        m_reportedScanPath = m_editor.firstTrackPath();
        platform::dialogs().message(formText(m_settings, FormText::ReadProblems) + QStringLiteral("\r\n") +
                                    problemLines(scan->problems, m_settings.Language).join(QStringLiteral("\r\n")));
    }
    update();
}

void RaceEditorWindow::chooseTrackFile()
{
    m_trackFiles->clear();
    m_trackFiles->addItems(m_editor.trackFileChoices());
    if (m_trackFiles->count() > 0)
        m_trackFiles->setCurrentIndex(0);
    m_chooser->show();
    m_chooser->raise();
}

void RaceEditorWindow::cancelTrackFile()
{
    m_chooser->hide();
}

void RaceEditorWindow::acceptTrackFile()
{
    m_chooser->hide();
    const QString trackFile = m_trackFiles->currentText();
    if (trackFile.isEmpty()) {
        platform::dialogs().message(formText(m_settings, FormText::NoTrackFileChosen));
        return;
    }
    if (m_race.boatCount() >= MaxBoats) {
        platform::dialogs().message(formText(m_settings, FormText::TooManyBoats));
        return;
    }
    const std::optional<QString> name =
        platform::dialogs().input(formText(m_settings, FormText::BoatNamePrompt), QString(), m_editor.defaultBoatName());
    if (m_editor.addBoat(trackFile, name) == RaceEditor::AddResult::Added)
        refresh();
}

void RaceEditorWindow::removeBoatAt(int line)
{
    if (m_editor.removeBoat(line))
        refresh();
}

void RaceEditorWindow::loadRaceFile()
{
    FileSelectParameters &p = fileSelectParameters();
    m_editor.prepareLoadSelection(p);
    SelectFile(m_settings, p, this);
    if (!p.wasAccepted())
        return;
    FileProblems problems;
    const bool loaded = m_editor.loadRaceFile(p.Name, &problems);
    if (!problems.isEmpty())
        platform::dialogs().message(formText(m_settings, FormText::ReadProblems) + QStringLiteral("\r\n") +
                                    problemLines(problems, m_settings.Language).join(QStringLiteral("\r\n")));
    refresh();
    m_editAsText->setEnabled(loaded);
}

void RaceEditorWindow::editAsText()
{
    OpenDocument(m_editor.raceFilePath());
}

void RaceEditorWindow::chooseWindFile()
{
    m_chooser->hide();
    FileSelectParameters &p = fileSelectParameters();
    m_editor.prepareWindSelection(p);
    SelectFile(m_settings, p, this);
    m_editor.setWindFile(p.wasAccepted() ? p.Name : QString());
    refresh();
}

void RaceEditorWindow::chooseAttachment()
{
    if (m_race.Attachments.size() >= MaxAttachments) {
        platform::dialogs().message(formText(m_settings, FormText::TooManyAttachments));
        return;
    }
    FileSelectParameters &p = fileSelectParameters();
    m_editor.prepareAttachmentSelection(p);
    SelectFile(m_settings, p, this);
    if (!p.wasAccepted())
        return;
    m_editor.addAttachment(p.Name);
    refresh();
}

void RaceEditorWindow::clearAttachments()
{
    m_editor.clearAttachments();
    refresh();
}

void RaceEditorWindow::saveAndShow()
{
    const QString orvane = englishOnlyCaption(m_settings);
    switch (m_editor.takeBoxesBack()) {
    case RaceEditor::SaveCheck::NoBoats:
        return;
    case RaceEditor::SaveCheck::BadStart:
        platform::dialogs().message(formText(m_settings, FormText::IncorrectStart), orvane);
        return;
    case RaceEditor::SaveCheck::BadFinish:
        platform::dialogs().message(formText(m_settings, FormText::IncorrectFinish), orvane);
        return;
    case RaceEditor::SaveCheck::Ready:
        break;
    }
    if (!platform::dialogs().askYesNo(formText(m_settings, FormText::SaveQuestion),
                                      formText(m_settings, FormText::SaveQuestionCaption)))
        return;
    FileSelectParameters &p = fileSelectParameters();
    m_editor.prepareSaveSelection(p);
    SelectFile(m_settings, p, this);
    if (p.wasAccepted()) {
        // A file that could not be written keeps the window open with everything in it.
        if (!m_editor.saveAs(p.Name))
            return;
        if (platform::dialogs().askYesNo(formText(m_settings, FormText::ShowRacingQuestion), orvane))
            emit showRaceRequested();
    }
    close();
}

void RaceEditorWindow::showHint()
{
    m_hint->show();
    m_hint->raise();
}

void RaceEditorWindow::hideHint()
{
    m_hint->hide();
}

bool RaceEditorWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_boats->viewport()) {
        if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) {
            showHint();
        } else if (event->type() == QEvent::MouseButtonPress) {
            const auto *press = static_cast<QMouseEvent *>(event);
            constexpr Qt::KeyboardModifiers removing = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
            if (press->modifiers() & removing) {
                const QModelIndex at = m_boats->indexAt(press->position().toPoint());
                removeBoatAt(at.isValid() ? at.row() : m_boats->currentRow());
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void RaceEditorWindow::mouseMoveEvent(QMouseEvent *event)
{
    hideHint();
    QWidget::mouseMoveEvent(event);
}

void RaceEditorWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    emit closed();
}
