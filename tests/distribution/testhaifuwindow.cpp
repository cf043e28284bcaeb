// The distribution builder's window on real widgets (offscreen): its captions in both
// languages, choosing races and the start-up race by pressing names, ReDO, a build from the
// window that closes it and one that is declined, and the main menu button that opens it.
#include "../startup/fakestartupsystem.h"
#include "distributionfixture.h"

#include <appsettings.h>
#include <browserstartup.h>
#include <dialogs.h>
#include <haifuwindow.h>
#include <mainmenuwindow.h>
#include <racecontrol.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

using platform::ScriptedDialogs;

namespace {

AppSettings settingsFor(const QString &folder, bool english)
{
    AppSettings s;
    s.ApplicationFolder = folder;
    s.setLanguage(english ? UiLanguage::English : UiLanguage::Japanese);
    return s;
}

QString captionOf(QWidget *w)
{
    if (auto *b = qobject_cast<QAbstractButton *>(w))
        return b->text();
    if (auto *l = qobject_cast<QLabel *>(w))
        return l->text();
    if (auto *g = qobject_cast<QGroupBox *>(w))
        return g->title();
    return w->windowTitle();
}

void press(QListWidget *list, int row)
{
    QListWidgetItem *item = list->item(row);
    QVERIFY(item);
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

} // namespace

class TestHaifuWindow : public QObject
{
    Q_OBJECT
private slots:
    void captions_data();
    void captions();
    void choosingByPressingNames();
    void buildFromTheWindowClosesIt();
    void declinedBuildKeepsTheChoices();
    void menuOpensTheBuilder();
};

void TestHaifuWindow::captions_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<QStringList>("captions"); // objectName=caption
    QTest::newRow("English") << true
                             << QStringList{"Haifu=Create Distribution File", "Command1=Create Distribution File",
                                            "Label3=Folder Name to be Saved  ( to be New Name ) ",
                                            "Label1=Choose Race File Name to Distribute ", "Label2=List of Race File",
                                            "Command3=ReDO", "Label4=Startup Race Name ( Click Name listed above )",
                                            "Frame1=Media for Distribution", "Option1=WEB", "Option2=CD-ROM",
                                            "Check1=Attach Map Data", "Command2=Cancel", "Check2=データサイズ最小化"};
    QTest::newRow("Japanese") << false
                              << QStringList{"Haifu=配布データの作成", "Label3=配布データを収納するフォルダー名　(新しい名称）",
                                             "Label1=レースファイル選択 ", "Label2=配布レースファイルのリスト", "Command3=やり直し",
                                             "Label4=ｽﾀｰﾄｱｯﾌﾟ時のﾚｰｽﾌｧｲﾙ名　（上段配布ﾚｰｽﾌｧｲﾙから選択）",
                                             "Frame1=ファイルの種類", "Option1=ＷＥＢ配信用", "Option2=CD-ROM作成",
                                             "Check1=地図データ添付", "Command2=キャンセル", "Command1=配布ファイル作成",
                                             "Check2=データサイズ最小化"};
}

void TestHaifuWindow::captions()
{
    QFETCH(bool, english);
    QFETCH(QStringList, captions);
    DistributionFixture app;
    const AppSettings settings = settingsFor(app.path(), english);
    HaifuWindow window(settings, app.sources());
    for (const QString &entry : captions) {
        const QString name = entry.section(u'=', 0, 0);
        QWidget *w = name == QLatin1String("Haifu") ? &window : window.findChild<QWidget *>(name);
        QVERIFY2(w, qPrintable(name));
        QCOMPARE(captionOf(w), entry.section(u'=', 1));
        QCOMPARE(w->font().family(), settings.UiFontName);
    }
    // The list of races, the empty choice, and the folder box with an empty list part.
    auto *list1 = window.findChild<QListWidget *>(QStringLiteral("List1"));
    QCOMPARE(list1->count(), 2);
    QCOMPARE(list1->item(0)->text(), QStringLiteral("race1.txt"));
    QCOMPARE(window.findChild<QListWidget *>(QStringLiteral("List2"))->count(), 0);
    auto *combo = window.findChild<QComboBox *>(QStringLiteral("Combo1"));
    QVERIFY(combo->isEditable());
    QCOMPARE(combo->count(), 0);
    QVERIFY(window.findChild<QLineEdit *>(QStringLiteral("Text1"))->text().isEmpty());
}

void TestHaifuWindow::choosingByPressingNames()
{
    DistributionFixture app;
    const AppSettings settings = settingsFor(app.path(), true);
    HaifuWindow window(settings, app.sources());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *list1 = window.findChild<QListWidget *>(QStringLiteral("List1"));
    auto *list2 = window.findChild<QListWidget *>(QStringLiteral("List2"));
    auto *text1 = window.findChild<QLineEdit *>(QStringLiteral("Text1"));
    auto *create = window.findChild<QPushButton *>(QStringLiteral("Command1"));
    QVERIFY(!create->isEnabled());

    press(list1, 1);
    press(list1, 1);
    press(list1, 0);
    QCOMPARE(window.state().chosen(), (QStringList{"race2.txt", "race2.txt", "race1.txt"}));
    QCOMPARE(list2->count(), 3);
    QCOMPARE(list2->item(2)->text(), QStringLiteral("race1.txt"));
    QVERIFY(create->isEnabled());

    press(list2, 2);
    QCOMPARE(text1->text(), QStringLiteral("race1.txt"));
    QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("Command3")), Qt::LeftButton);
    QCOMPARE(list2->count(), 0);
    QCOMPARE(window.state().chosenCount(), 0);
    QCOMPARE(text1->text(), QStringLiteral("race1.txt"));
    QVERIFY(!create->isEnabled());
}

void TestHaifuWindow::buildFromTheWindowClosesIt()
{
    DistributionFixture app;
    const AppSettings settings = settingsFor(app.path(), false);
    ScriptedDialogs dialogs;
    dialogs.answers = {true};
    platform::DialogsGuard guard(&dialogs);
    HaifuWindow window(settings, app.sources());
    QSignalSpy built(&window, &HaifuWindow::built);
    QSignalSpy closed(&window, &HaifuWindow::closed);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    press(window.findChild<QListWidget *>(QStringLiteral("List1")), 0);
    press(window.findChild<QListWidget *>(QStringLiteral("List1")), 1);
    press(window.findChild<QListWidget *>(QStringLiteral("List2")), 1);
    // Typed through an input method in life; QTest types only Latin-1.
    window.findChild<QComboBox *>(QStringLiteral("Combo1"))->setEditText(QStringLiteral("配布2024"));
    auto *cdRom = window.findChild<QRadioButton *>(QStringLiteral("Option2"));
    QTest::mouseClick(cdRom, Qt::LeftButton, {}, QPoint(6, cdRom->height() / 2)); // on its indicator
    QVERIFY(cdRom->isChecked());
    window.findChild<QCheckBox *>(QStringLiteral("Check1"))->setChecked(false);
    QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);

    QVERIFY2(dialogs.messages().isEmpty(), qPrintable(dialogs.messages().join(u'\n')));
    QCOMPARE(built.count(), 1);
    QCOMPARE(closed.count(), 1);
    QVERIFY(!window.isVisible());
    const QString d = app.file(QStringLiteral("distribution/配布2024"));
    QCOMPARE(built.first().first().toString(), d);
    QCOMPARE(DistributionFixture::contents(d + QStringLiteral("/raceadmin/racefile.st")), QByteArray("race2.txt\r\n"));
    QVERIFY(QFileInfo::exists(d + QStringLiteral("/autorun.inf")));
    QVERIFY(QFileInfo::exists(d + QStringLiteral("/ｵﾙﾊﾞﾈ")));
    QVERIFY(!QFileInfo::exists(d + QStringLiteral("/coastline")));
    QVERIFY(QGuiApplication::overrideCursor() == nullptr);
}

void TestHaifuWindow::declinedBuildKeepsTheChoices()
{
    DistributionFixture app;
    const AppSettings settings = settingsFor(app.path(), true);
    ScriptedDialogs dialogs;
    dialogs.answers = {false};
    platform::DialogsGuard guard(&dialogs);
    HaifuWindow window(settings, app.sources());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    press(window.findChild<QListWidget *>(QStringLiteral("List1")), 0);
    auto *create = window.findChild<QPushButton *>(QStringLiteral("Command1"));
    // First without a name: the message, and the window stays.
    QTest::mouseClick(create, Qt::LeftButton);
    QCOMPARE(dialogs.messages(), QStringList{"Input folder name to be saved"});
    QTest::keyClicks(window.findChild<QComboBox *>(QStringLiteral("Combo1")), QStringLiteral("Cup"));
    QTest::mouseClick(create, Qt::LeftButton);
    QCOMPARE(dialogs.shown.size(), 2);
    QCOMPARE(dialogs.shown.last().kind, ScriptedDialogs::Shown::Question);
    QVERIFY(window.isVisible());
    QCOMPARE(window.state().chosen(), QStringList{"race1.txt"});
    QCOMPARE(window.state().folderName(), QStringLiteral("Cup"));
    QVERIFY(!QFileInfo::exists(app.file(QStringLiteral("distribution"))));

    QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("Command2")), Qt::LeftButton);
    QVERIFY(!window.isVisible());
    QVERIFY(!QFileInfo::exists(app.file(QStringLiteral("distribution"))));
}

void TestHaifuWindow::menuOpensTheBuilder()
{
    DistributionFixture app;
    AppSettings settings;
    RaceControl race;
    FakeStartupSystem system;
    ScriptedDialogs dialogs;
    dialogs.answers = {true};
    platform::DialogsGuard guard(&dialogs);
    BrowserStartup startup(settings, race, system);
    QCOMPARE(startup.start(app.path()), StartupOutcome::ShowMenu);
    QPushButton *button = startup.menu()->button(MenuAction::Distribution);
    QCOMPARE(button->objectName(), QStringLiteral("Command4"));
    QTest::mouseClick(button, Qt::LeftButton);
    QPointer<QWidget> builder = startup.distributionBuilder();
    QVERIFY(builder);
    QCOMPARE(builder->objectName(), QStringLiteral("Haifu"));
    QVERIFY(builder->isVisible());
    QCOMPARE(builder->windowTitle(), QStringLiteral("配布データの作成"));
    QCOMPARE(builder->findChild<QListWidget *>(QStringLiteral("List1"))->count(), 2);
    // Once more: the same window comes forward.
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(startup.distributionBuilder(), builder.data());
    // The menu stays while the builder is open; Cancel closes only the builder.
    QVERIFY(startup.menu()->isVisible());
    QTest::mouseClick(builder->findChild<QPushButton *>(QStringLiteral("Command2")), Qt::LeftButton);
    QTRY_VERIFY(!builder);
    QVERIFY(startup.menu()->isVisible());
    QCOMPARE(dialogs.messages(), QStringList());
}

QTEST_MAIN(TestHaifuWindow)
#include "testhaifuwindow.moc"
