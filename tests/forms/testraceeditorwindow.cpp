// The race control file editor's window: captions and design values in both languages, the
// track file chooser and the boat name box, removing a boat with a modifier held, the hint,
// loading and editing a race control file, the wind file, and the save with its checks and
// questions. Message boxes and the file name dialog are scripted.
#include "editorfixture.h"

#include <appsettings.h>
#include <dialogs.h>
#include <fileselect.h>
#include <fileselectdialog.h>
#include <opendocument.h>
#include <racecontrol.h>
#include <raceeditorwindow.h>

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <deque>
#include <memory>

using platform::ScriptedDialogs;

// Scripted message boxes that also keep the default answer of each input box.
class RecordingDialogs : public ScriptedDialogs
{
public:
    QStringList inputDefaults;
    std::optional<QString> input(const QString &prompt, const QString &caption, const QString &defaultText) override
    {
        inputDefaults << defaultText;
        return ScriptedDialogs::input(prompt, caption, defaultText);
    }
};

class TestRaceEditorWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<EditorFolder> m_app;
    AppSettings m_settings;
    RaceControl m_race;
    std::unique_ptr<RecordingDialogs> m_dialogs;
    std::unique_ptr<platform::DialogsGuard> m_guard;
    // What the file name dialog is given and what the user types into it (nothing: CANCEL).
    std::deque<std::optional<QString>> m_typed;
    QList<FileSelectParameters> m_selections;
    FileSelector m_previousSelector;
    QStringList m_opened;
    DocumentOpener m_previousOpener;

    void useLanguage(bool english)
    {
        m_settings.setLanguage(english ? UiLanguage::English : UiLanguage::Japanese);
    }
    std::unique_ptr<RaceEditorWindow> openEditor(qint16 timeZoneHours = 0)
    {
        auto w = std::make_unique<RaceEditorWindow>(m_settings, m_race, timeZoneHours);
        w->setAttribute(Qt::WA_DeleteOnClose, false);
        w->show();
        return w;
    }
    static QPushButton *button(QWidget *w, const char *name)
    {
        return w->findChild<QPushButton *>(QLatin1String(name));
    }
    static void click(QWidget *w, const char *name)
    {
        QPushButton *b = button(w, name);
        QVERIFY2(b, name);
        QTest::mouseClick(b, Qt::LeftButton);
    }
    // Command1, the file at `index` of Combo1, Command2 and the name answered.
    void addBoat(RaceEditorWindow *w, int index, const std::optional<QString> &name)
    {
        click(w, "Command1");
        w->findChild<QComboBox *>(QStringLiteral("Combo1"))->setCurrentIndex(index);
        m_dialogs->inputs.push_back(name);
        click(w, "Command2");
    }
    void writeDayTrack(const QString &name) const
    {
        m_app->writeTrack(name, QStringLiteral("N3518.00000"), QStringLiteral("E13945.1234"),
                          {{QStringLiteral("03-MAR-08"), QStringLiteral("01:30:00")},
                           {QStringLiteral("2008/03/03"), QStringLiteral("04:10:00")}});
    }
    QStringList raceFiles() const { return QDir(m_app->file(QStringLiteral("raceadmin"))).entryList(QDir::Files); }

private slots:
    void init();
    void cleanup();

    void captionsAndDesignValues_data();
    void captionsAndDesignValues();
    void addingABoatThroughTheChooser();
    void modifierClickRemovesABoat_data();
    void modifierClickRemovesABoat();
    void hintOverTheBoatList();
    void timeDifferenceBoxShowsWhenNotTaken();
    void saveWithAnEmptyStartWritesNothing_data();
    void saveWithAnEmptyStartWritesNothing();
    void saveAndShow();
    void saveAnswersThatWriteNothing_data();
    void saveAnswersThatWriteNothing();
    void loadingAndEditingARaceFile();
    void windFileChoice();
    void attachments();
    void mapDirection();
};

void TestRaceEditorWindow::init()
{
    m_app = std::make_unique<EditorFolder>();
    m_settings = AppSettings();
    m_settings.ApplicationFolder = m_app->path();
    useLanguage(true);
    m_race = RaceControl();
    m_dialogs = std::make_unique<RecordingDialogs>();
    m_guard = std::make_unique<platform::DialogsGuard>(m_dialogs.get());
    fileSelectParameters() = FileSelectParameters();
    m_typed.clear();
    m_selections.clear();
    m_previousSelector = setFileSelector([this](FileSelectParameters &p, QWidget *) {
        m_selections << p;
        p.Path.clear();
        p.Name.clear();
        QVERIFY2(!m_typed.empty(), "the file name dialog was not expected");
        const std::optional<QString> typed = m_typed.front();
        m_typed.pop_front();
        if (!typed)
            return;
        const FileSelectDecision d = decideFileSelect(p, *typed);
        QVERIFY2(d.outcome != FileSelectDecision::InvalidName, qPrintable(*typed));
        acceptFileSelect(p, d);
    });
    m_opened.clear();
    m_previousOpener = setDocumentOpener([this](const QString &path) {
        m_opened << path;
        return 42;
    });
}

void TestRaceEditorWindow::cleanup()
{
    setFileSelector(m_previousSelector);
    setDocumentOpener(m_previousOpener);
    m_guard.reset();
    m_app.reset();
}

void TestRaceEditorWindow::captionsAndDesignValues_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<QStringList>("captions"); // objectName=text
    QTest::newRow("English") << true
                             << QStringList{"fmCompile=Edit Race Control FIle", "Label8=Title 1 <*>", "Label9=Title 2 <*>",
                                            "Command1=Choose GPS file", "Label10=LayLine <UP>", "Label7=(DN)",
                                            "Label1=Time Diff", "Label6=Mag Variation <W=->", "Label5=LOA           m",
                                            "Label13=Pre Start Time <min>", "Command4=Save File and Show Race",
                                            "Command9=Save File and Show Race",
                                            "Label15=All data in this frame can be changed at Show Race Screen.",
                                            "Label2=Start Time", "Label3=FinishTime", "Label4=Wind Direction",
                                            "Frame2Caption=Map Direction", "Option1=NothWd", "Option2=WindWd",
                                            "Command7=Choose Wind Data File", "Label11=Wind Data",
                                            "Command6=Open Race Control File",
                                            "Command5=Edit Race Control File with NotePad", "Command8=EXIT",
                                            "Command10=Choose Attachment Files", "Command11=Clear", "Label16=Att Files",
                                            "Label12=BOAT NAME　＆  GPS FILE　　　　　 (　Shift + ｸﾘｯｸで削除　）",
                                            "Command2=OK", "Command3=CANCEL"};
    QTest::newRow("Japanese") << false
                              << QStringList{"fmCompile=レース管理ファイル編集", "Label8=ﾀｲﾄﾙ1 (*)", "Label9=ﾀｲﾄﾙ2 (*)",
                                             "Command1=GPSﾃﾞｰﾀﾌｧｲﾙ選択", "Label10=ﾚｲﾗｲﾝ(UP)", "Label7=(DN)",
                                             "Label1=時差", "Label6=磁気偏差(W = - )", "Label5=LOA           m",
                                             "Label13=スタート前の表示時間         分",
                                             "Command4=データ保存→レース表示", "Command9=データ保存→レース表示",
                                             "Label15=この枠内のデータはレース表示画面で設定可能です。",
                                             "Label2=ｽﾀｰﾄ日時", "Label3=ﾌｨﾆｯｼｭ日時", "Label4=平均風向",
                                             "Frame2Caption=コース表示", "Option1=北が上", "Option2=風向が上",
                                             "Command7=風データを選択", "Label11=風ﾃﾞｰﾀﾌｧｲﾙ",
                                             "Command6=レース管理ファイル読込", "Command5=直接テキストを編集",
                                             "Command8=戻　　　　る", "Command10=添付資料選択", "Command11=クリア",
                                             "Label16=添付資料",
                                             "Label12=BOAT NAME　＆  GPS FILE　　　　　 (　Shift + ｸﾘｯｸで削除　）",
                                             "Command2=OK", "Command3=CANCEL"};
}

void TestRaceEditorWindow::captionsAndDesignValues()
{
    QFETCH(bool, english);
    QFETCH(QStringList, captions);
    useLanguage(english);
    auto w = openEditor(9);
    for (const QString &entry : captions) {
        const QString name = entry.section(u'=', 0, 0);
        const QString text = entry.section(u'=', 1);
        QWidget *control = name == QLatin1String("fmCompile") ? w.get() : w->findChild<QWidget *>(name);
        QVERIFY2(control, qPrintable(name));
        QString shown;
        if (auto *l = qobject_cast<QLabel *>(control))
            shown = l->text();
        else if (auto *b = qobject_cast<QAbstractButton *>(control))
            shown = b->text();
        else
            shown = control->windowTitle();
        QCOMPARE(shown, text);
    }
    const QString instruction = w->findChild<QLabel *>(QStringLiteral("Label14"))->text();
    QVERIFY(instruction.startsWith(english ? QStringLiteral("At least, GPS data are to be filled to show the race")
                                           : QStringLiteral("最低限GPSファイルを選択、指定してください。")));
    QVERIFY(instruction.contains(QStringLiteral("\r\n")));
    // Every control has the interface font.
    for (QWidget *c : w->findChildren<QWidget *>())
        QCOMPARE(c->font().family(), m_settings.UiFontName);
    // The design values, the time difference of the computer's zone, and what is hidden.
    const QStringList boxes{"Text1=", "Text2=", "Text3=9", "Text4=", "Text5=4.7", "Text6=-7", "Text7=", "Text8=",
                            "Text9=45", "Text10=160", "Text11=", "Text12=3"};
    for (const QString &entry : boxes)
        QCOMPARE(w->findChild<QLineEdit *>(entry.section(u'=', 0, 0))->text(), entry.section(u'=', 1));
    QVERIFY(!w->findChild<QFrame *>(QStringLiteral("Frame1"))->isVisible());
    QVERIFY(!w->findChild<QLineEdit *>(QStringLiteral("Text13"))->isVisible());
    QVERIFY(!button(w.get(), "Command5")->isEnabled());
}

void TestRaceEditorWindow::addingABoatThroughTheChooser()
{
    writeDayTrack(QStringLiteral("b.trk"));
    writeDayTrack(QStringLiteral("a.TRK"));
    m_app->write(QStringLiteral("gpsdat/notes"), {QStringLiteral("x")});
    auto w = openEditor(0);
    auto *chooser = w->findChild<QFrame *>(QStringLiteral("Frame1"));
    auto *combo = w->findChild<QComboBox *>(QStringLiteral("Combo1"));
    auto *list = w->findChild<QListWidget *>(QStringLiteral("List1"));

    click(w.get(), "Command1");
    QVERIFY(chooser->isVisible());
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    QCOMPARE(items, (QStringList{"a.TRK", "b.trk", "notes"}));
    QCOMPARE(combo->currentText(), QStringLiteral("a.TRK"));
    click(w.get(), "Command3");
    QVERIFY(!chooser->isVisible());

    // A cancelled name box adds nothing.
    addBoat(w.get(), 1, std::nullopt);
    QVERIFY(!chooser->isVisible());
    QCOMPARE(list->count(), 0);
    QCOMPARE(m_dialogs->shown.size(), 1);
    QCOMPARE(m_dialogs->shown[0].text, QStringLiteral("Input Boat Name to be Displayed\r\n(Max 13 Ltrs)"));
    QCOMPARE(m_dialogs->inputDefaults, QStringList{QStringLiteral("BOAT1")});

    addBoat(w.get(), 1, QStringLiteral("Tiger"));
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->item(0)->text(), QStringLiteral("Tiger        b.trk"));
    // The first boat's track gave the time difference and the times.
    QCOMPARE(w->box(EditorBox::Text3)->text(), QStringLiteral("9"));
    QCOMPARE(w->box(EditorBox::Text1)->text(), QStringLiteral("2008/03/03 10:34:00"));
    QCOMPARE(w->box(EditorBox::Text2)->text(), QStringLiteral("2008/03/03 13:10:00"));
    QCOMPARE(w->windowTitle(), QStringLiteral("Edit Race Control FIle   "));

    addBoat(w.get(), 0, QStringLiteral("BOAT2"));
    QCOMPARE(m_dialogs->inputDefaults.last(), QStringLiteral("BOAT2"));
    QCOMPARE(list->item(1)->text(), QStringLiteral("BOAT2        a.TRK"));

    // Japanese prompt.
    useLanguage(false);
    addBoat(w.get(), 2, QString());
    QCOMPARE(m_dialogs->shown.last().text, QStringLiteral("表示される艇名を入力してください\r\n(Max 13 Ltrs)"));
    QCOMPARE(list->count(), 2);
}

void TestRaceEditorWindow::modifierClickRemovesABoat_data()
{
    QTest::addColumn<int>("modifier");
    QTest::addColumn<QStringList>("left");
    const QStringList removed{"B        b.trk", "C        c.trk"};
    QTest::newRow("Shift") << int(Qt::ShiftModifier) << removed;
    QTest::newRow("Ctrl") << int(Qt::ControlModifier) << removed;
    QTest::newRow("Alt") << int(Qt::AltModifier) << removed;
    QTest::newRow("no modifier selects only") << int(Qt::NoModifier)
                                              << QStringList{"A        a.trk", "B        b.trk", "C        c.trk"};
}

void TestRaceEditorWindow::modifierClickRemovesABoat()
{
    QFETCH(int, modifier);
    QFETCH(QStringList, left);
    for (const char *name : {"a.trk", "b.trk", "c.trk"})
        writeDayTrack(QLatin1String(name));
    auto w = openEditor(9);
    addBoat(w.get(), 0, QStringLiteral("A"));
    addBoat(w.get(), 1, QStringLiteral("B"));
    addBoat(w.get(), 2, QStringLiteral("C"));
    auto *list = w->findChild<QListWidget *>(QStringLiteral("List1"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::KeyboardModifiers(modifier),
                      list->visualItemRect(list->item(0)).center());
    QStringList lines;
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    QCOMPARE(lines, left);
    QCOMPARE(m_race.boatCount(), left.size());
    QCOMPARE(m_race.Boats.first().Name, left.first().section(u' ', 0, 0));
}

void TestRaceEditorWindow::hintOverTheBoatList()
{
    for (bool english : {true, false}) {
        useLanguage(english);
        auto w = openEditor(9);
        auto *list = w->findChild<QListWidget *>(QStringLiteral("List1"));
        auto *hint = w->findChild<QLineEdit *>(QStringLiteral("Text13"));
        QMouseEvent move(QEvent::MouseMove, QPointF(20, 20), list->viewport()->mapToGlobal(QPointF(20, 20)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(list->viewport(), &move);
        QVERIFY(hint->isVisible());
        QCOMPARE(hint->text(), english ? QStringLiteral("Shift + Click to Delete One Data.")
                                       : QStringLiteral("Shift　を押しながらクリックすると１行消去します。"));
        QCOMPARE(hint->geometry(), QRect(list->x(), list->y() - 25, 300, 17));
        QMouseEvent away(QEvent::MouseMove, QPointF(600, 20), w->mapToGlobal(QPointF(600, 20)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w.get(), &away);
        QVERIFY(!hint->isVisible());
    }
}

void TestRaceEditorWindow::timeDifferenceBoxShowsWhenNotTaken()
{
    auto w = openEditor(9);
    QLineEdit *td = w->box(EditorBox::Text3);
    const QColor normal = td->palette().color(QPalette::Text);
    td->setText(QStringLiteral("-"));
    QCOMPARE(td->palette().color(QPalette::Text), QColor(Qt::red));
    QCOMPARE(m_race.TimeDifference, qint16(9));
    QTest::keyClick(td, Qt::Key_5);
    QCOMPARE(m_race.TimeDifference, qint16(-5));
    QCOMPARE(td->palette().color(QPalette::Text), normal);
}

void TestRaceEditorWindow::saveWithAnEmptyStartWritesNothing_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("caption");
    QTest::newRow("English") << true << "Incorrect start date or time" << "orvane";
    QTest::newRow("Japanese") << false << "スタートの日付、時間の入力スタイルが正しくありません" << "";
}

void TestRaceEditorWindow::saveWithAnEmptyStartWritesNothing()
{
    QFETCH(bool, english);
    QFETCH(QString, message);
    QFETCH(QString, caption);
    useLanguage(english);
    writeDayTrack(QStringLiteral("a.trk"));
    auto w = openEditor(9);
    addBoat(w.get(), 0, QStringLiteral("A"));
    m_dialogs->shown.clear();
    w->box(EditorBox::Text1)->clear();
    click(w.get(), "Command4");
    QCOMPARE(m_dialogs->shown.size(), 1);
    QCOMPARE(m_dialogs->shown[0].kind, ScriptedDialogs::Shown::Message);
    QCOMPARE(m_dialogs->shown[0].text, message);
    QCOMPARE(m_dialogs->shown[0].caption, caption);
    QVERIFY(w->isVisible());
    QVERIFY(m_selections.isEmpty());
    QVERIFY(raceFiles().isEmpty());

    // The finish is checked after the start.
    w->box(EditorBox::Text1)->setText(QStringLiteral("2008/03/03 10:34:00"));
    w->box(EditorBox::Text2)->setText(QStringLiteral("13:10"));
    click(w.get(), "Command9");
    QCOMPARE(m_dialogs->shown.last().text, english ? QStringLiteral("Incorrect finish date or time")
                                                   : QStringLiteral("フィニッシュの日付、時間の入力スタイルが正しくありません"));
    QVERIFY(raceFiles().isEmpty());

    // With no boat the buttons do nothing at all.
    auto empty = openEditor(9);
    m_dialogs->shown.clear();
    click(empty.get(), "Command4");
    QVERIFY(m_dialogs->shown.isEmpty());
    QVERIFY(empty->isVisible());
}

void TestRaceEditorWindow::saveAndShow()
{
    writeDayTrack(QStringLiteral("a.trk"));
    writeDayTrack(QStringLiteral("b.trk"));
    auto w = openEditor(0);
    QSignalSpy show(w.get(), &RaceEditorWindow::showRaceRequested);
    QSignalSpy closed(w.get(), &RaceEditorWindow::closed);
    addBoat(w.get(), 0, QStringLiteral("BOAT1"));
    addBoat(w.get(), 1, QStringLiteral("Tiger"));
    w->box(EditorBox::Text5)->setText(QStringLiteral("7.5"));
    m_dialogs->shown.clear();
    m_dialogs->answers = {true, true};
    m_typed = {QStringLiteral("race1")};
    click(w.get(), "Command4");

    QCOMPARE(m_dialogs->shown.size(), 2);
    QCOMPARE(m_dialogs->shown[0].text, QStringLiteral("Save Race Control File ?"));
    QCOMPARE(m_dialogs->shown[0].caption, QStringLiteral("Save File"));
    QCOMPARE(m_dialogs->shown[1].text, QStringLiteral("Show racing ？"));
    QCOMPARE(m_dialogs->shown[1].caption, QStringLiteral("orvane"));
    QCOMPARE(m_selections.size(), 1);
    QCOMPARE(m_selections[0].Mode, FileSelectMode::NewOrExisting);
    QCOMPARE(m_selections[0].Folder, m_app->file(QStringLiteral("raceadmin")));
    QCOMPARE(m_selections[0].Extension, QStringLiteral("txt"));
    QCOMPARE(raceFiles(), QStringList{QStringLiteral("race1.txt")});
    QCOMPARE(m_race.FileName, QStringLiteral("race1.txt"));
    QCOMPARE(m_app->read(QStringLiteral("raceadmin/race1.txt")),
             QByteArray("MG, -7\r\n"
                        "LG,  7.5\r\n"
                        "ST, 2008/03/03 10:34:00\r\n"
                        "FT, 2008/03/03 13:10:00\r\n"
                        "TD,  9\r\n"
                        "BN, a.trk, BOAT1\r\n"
                        "BN, b.trk, Tiger\r\n"
                        "LL, 45,160\r\n"
                        "BT, 3\r\n"));
    QCOMPARE(show.count(), 1);
    QCOMPARE(closed.count(), 1);
    QVERIFY(!w->isVisible());
}

void TestRaceEditorWindow::saveAnswersThatWriteNothing_data()
{
    QTest::addColumn<bool>("saveYes");
    QTest::addColumn<bool>("nameGiven");
    QTest::addColumn<bool>("showYes");
    QTest::addColumn<bool>("written");
    QTest::addColumn<bool>("open");
    QTest::newRow("No to the save question: the window stays") << false << false << false << false << true;
    QTest::newRow("cancelled name: closes without writing") << true << false << false << false << false;
    QTest::newRow("No to show racing: saved and closed") << true << true << false << true << false;
}

void TestRaceEditorWindow::saveAnswersThatWriteNothing()
{
    QFETCH(bool, saveYes);
    QFETCH(bool, nameGiven);
    QFETCH(bool, showYes);
    QFETCH(bool, written);
    QFETCH(bool, open);
    useLanguage(false);
    writeDayTrack(QStringLiteral("a.trk"));
    auto w = openEditor(9);
    QSignalSpy show(w.get(), &RaceEditorWindow::showRaceRequested);
    addBoat(w.get(), 0, QStringLiteral("A"));
    m_dialogs->shown.clear();
    m_dialogs->answers = {saveYes, showYes};
    if (saveYes)
        m_typed = {nameGiven ? std::optional<QString>(QStringLiteral("race2.TXT")) : std::nullopt};
    click(w.get(), "Command9");
    QCOMPARE(m_dialogs->shown[0].text, QStringLiteral("レース管理ファイルを保存しますか？"));
    QCOMPARE(m_dialogs->shown[0].caption, QStringLiteral("ファイルの保存"));
    QCOMPARE(raceFiles(), written ? QStringList{QStringLiteral("race2.TXT")} : QStringList());
    if (written) {
        QCOMPARE(m_dialogs->shown[1].text, QStringLiteral("レースを表示しますか？"));
        QVERIFY(m_dialogs->shown[1].caption.isEmpty());
    }
    QCOMPARE(w->isVisible(), open);
    QCOMPARE(show.count(), 0);
}

void TestRaceEditorWindow::loadingAndEditingARaceFile()
{
    writeDayTrack(QStringLiteral("a.trk"));
    m_app->write(QStringLiteral("raceadmin/r1.txt"),
                 {QStringLiteral("T1, Spring Cup"), QStringLiteral("T2, Race 1"), QStringLiteral("LG, 4.7m"),
                  QStringLiteral("ST, 2008/03/03 10:30:00"), QStringLiteral("FT, 2008/03/03 12:00:00"),
                  QStringLiteral("TD, 9"), QStringLiteral("WD, 200"), QStringLiteral("BN, a.trk, Alpha"),
                  QStringLiteral("AT, si.html")});
    auto w = openEditor(9);
    // A cancelled dialog changes nothing.
    m_typed = {std::nullopt, QStringLiteral("r1")};
    click(w.get(), "Command6");
    QVERIFY(!button(w.get(), "Command5")->isEnabled());
    QCOMPARE(w->findChild<QListWidget *>(QStringLiteral("List1"))->count(), 0);
    QCOMPARE(m_selections[0].Text, QStringLiteral("*.*"));

    click(w.get(), "Command6");
    QCOMPARE(w->windowTitle(), QStringLiteral("Edit Race Control FIle   r1.txt"));
    QCOMPARE(w->box(EditorBox::Text7)->text(), QStringLiteral("Spring Cup"));
    QCOMPARE(w->box(EditorBox::Text8)->text(), QStringLiteral("Race 1"));
    QCOMPARE(w->box(EditorBox::Text1)->text(), QStringLiteral("2008/03/03 10:30:00"));
    QCOMPARE(w->box(EditorBox::Text4)->text(), QStringLiteral("200"));
    QCOMPARE(w->findChild<QListWidget *>(QStringLiteral("List1"))->item(0)->text(), QStringLiteral("Alpha        a.trk"));
    QCOMPARE(w->findChild<QListWidget *>(QStringLiteral("List2"))->item(0)->text(), QStringLiteral("si.html"));
    // The line the editor's reading refused is told with the file and the line.
    QCOMPARE(m_dialogs->messages().size(), 1);
    QVERIFY(m_dialogs->messages().first().contains(QStringLiteral("raceadmin/r1.txt:3:")));
    QVERIFY(button(w.get(), "Command5")->isEnabled());
    click(w.get(), "Command5");
    QCOMPARE(m_opened, QStringList{m_app->file(QStringLiteral("raceadmin/r1.txt"))});
}

void TestRaceEditorWindow::windFileChoice()
{
    auto w = openEditor(9);
    click(w.get(), "Command1");
    m_typed = {QStringLiteral("spring"), std::nullopt};
    click(w.get(), "Command7");
    QVERIFY(!w->findChild<QFrame *>(QStringLiteral("Frame1"))->isVisible());
    QCOMPARE(m_selections[0].Folder, m_app->file(QStringLiteral("winddat")));
    QCOMPARE(m_selections[0].Text, QString()); // not set: the name box shows "*.csv"
    QCOMPARE(m_race.WindFile, QStringLiteral("spring.csv"));
    QCOMPARE(w->box(EditorBox::Text11)->text(), QStringLiteral("spring.csv"));
    // A cancelled choice empties the wind file, and the box says so.
    click(w.get(), "Command7");
    QVERIFY(m_race.WindFile.isEmpty());
    QVERIFY(w->box(EditorBox::Text11)->text().isEmpty());
    // No race file was loaded or saved: nothing is written.
    QVERIFY(raceFiles().isEmpty());
}

void TestRaceEditorWindow::attachments()
{
    m_app->write(QStringLiteral("attachment/si.html"), {QStringLiteral("x")});
    auto w = openEditor(9);
    auto *list = w->findChild<QListWidget *>(QStringLiteral("List2"));
    m_typed = {QStringLiteral("si.html"), std::nullopt};
    click(w.get(), "Command10");
    QCOMPARE(m_selections[0].Mode, FileSelectMode::Existing);
    QCOMPARE(m_selections[0].Folder, m_app->file(QStringLiteral("attachment")));
    QCOMPARE(list->count(), 1);
    click(w.get(), "Command10");
    QCOMPARE(list->count(), 1);
    click(w.get(), "Command11");
    QCOMPARE(list->count(), 0);
    QVERIFY(m_race.Attachments.isEmpty());

    // A 51st attachment is refused before the dialog opens.
    m_race.Attachments = QStringList(MaxAttachments, QStringLiteral("si.html"));
    m_selections.clear();
    click(w.get(), "Command10");
    QVERIFY(m_selections.isEmpty());
    QCOMPARE(m_dialogs->messages().last(), QStringLiteral("A race holds at most 50 attachment files."));
    QCOMPARE(m_race.Attachments.size(), MaxAttachments);
}

void TestRaceEditorWindow::mapDirection()
{
    auto w = openEditor(9);
    auto *north = w->findChild<QRadioButton *>(QStringLiteral("Option1"));
    auto *wind = w->findChild<QRadioButton *>(QStringLiteral("Option2"));
    QVERIFY(wind->isChecked());
    QTest::mouseClick(north, Qt::LeftButton);
    QCOMPARE(m_race.NorthUp, 1.0);
    QTest::mouseClick(wind, Qt::LeftButton);
    QCOMPARE(m_race.NorthUp, 0.0);
}

QTEST_MAIN(TestRaceEditorWindow)
#include "testraceeditorwindow.moc"
