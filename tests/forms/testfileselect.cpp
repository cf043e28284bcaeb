// The file name dialog: the name rules of its OK button (headless), and the dialog itself with
// its list, messages, overwrite question and results, driven through scripted message boxes.
#include <appsettings.h>
#include <dialogs.h>
#include <fileselect.h>
#include <fileselectdialog.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using platform::ScriptedDialogs;

Q_DECLARE_METATYPE(FileSelectDecision::Outcome)

class TestFileSelect : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    void touch(const QString &name) const
    {
        QFile f(QDir(m_dir.path()).filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("x");
    }
    FileSelectParameters parameters(FileSelectMode mode, const QString &extension, const QString &text = {}) const
    {
        FileSelectParameters p;
        p.Mode = mode;
        p.Folder = m_dir.path();
        p.Extension = extension;
        p.Text = text;
        return p;
    }
    static AppSettings settings(bool english)
    {
        AppSettings s;
        s.setLanguage(english ? UiLanguage::English : UiLanguage::Japanese);
        return s;
    }

private slots:
    void initTestCase();
    void nameRules_data();
    void nameRules();
    void initialText_data();
    void initialText();
    void dialogListsEveryFileAndTakesAClickedName();
    void invalidNameKeepsTheDialogOpen_data();
    void invalidNameKeepsTheDialogOpen();
    void overwriteQuestion();
    void cancelEmptiesTheResult();
    void captionAndFonts_data();
    void captionAndFonts();
};

void TestFileSelect::initTestCase()
{
    QVERIFY(m_dir.isValid());
    touch(QStringLiteral("race1.txt"));
    touch(QStringLiteral("notes.doc"));
    touch(QStringLiteral("README"));
}

void TestFileSelect::nameRules_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<FileSelectDecision::Outcome>("outcome");
    QTest::addColumn<QString>("name");
    const auto accept = FileSelectDecision::Accept;
    const auto ask = FileSelectDecision::AskOverwrite;
    const auto invalid = FileSelectDecision::InvalidName;
    QTest::newRow("new name gets the extension") << 1 << "txt" << "race2" << accept << "race2.txt";
    QTest::newRow("typed extension kept as typed") << 1 << "txt" << "race2.TXT" << accept << "race2.TXT";
    QTest::newRow("blanks around the name dropped") << 1 << "txt" << "  race2  " << accept << "race2.txt";
    QTest::newRow("empty box names .txt") << 1 << "txt" << "" << accept << ".txt";
    QTest::newRow("existing name asks") << 1 << "txt" << "race1" << ask << "race1.txt";
    QTest::newRow("existing in other case asks, named as on disk") << 1 << "txt" << "RACE1.TXT" << ask << "race1.txt";
    QTest::newRow("star refused in mode 1") << 1 << "txt" << "*.txt" << invalid << "*.txt";
    QTest::newRow("name of the initial text refused") << 1 << "csv" << "*.csv" << invalid << "*.csv";
    QTest::newRow("mode 0 without point gets *.* and is refused") << 0 << "*.*" << "notes" << invalid << "notes.*.*";
    QTest::newRow("mode 0 existing file accepted") << 0 << "*.*" << "notes.doc" << accept << "notes.doc";
    QTest::newRow("mode 0 listed file without point") << 0 << "*.*" << "README" << accept << "README";
    QTest::newRow("mode 1 file without point gets the extension") << 1 << "txt" << "README" << accept << "README.txt";
    QTest::newRow("mode 0 missing file refused") << 0 << "txt" << "race9" << invalid << "race9.txt";
    QTest::newRow("mode 0 matched without regard to case") << 0 << "txt" << "Race1" << accept << "race1.txt";
    QTest::newRow("separator would leave the folder") << 1 << "txt" << "../race3" << invalid << "../race3";
    QTest::newRow("backslash would leave the folder") << 1 << "txt" << "sub\\race3" << invalid << "sub\\race3.txt";
    QTest::newRow("parent folder") << 1 << "txt" << ".." << invalid << "..";
}

void TestFileSelect::nameRules()
{
    QFETCH(int, mode);
    QFETCH(QString, extension);
    QFETCH(QString, typed);
    QFETCH(FileSelectDecision::Outcome, outcome);
    QFETCH(QString, name);
    const FileSelectParameters p = parameters(FileSelectMode(mode), extension);
    const FileSelectDecision d = decideFileSelect(p, typed);
    QCOMPARE(d.outcome, outcome);
    QCOMPARE(d.name, name);
    QCOMPARE(d.path, QDir(m_dir.path()).filePath(name));
}

void TestFileSelect::initialText_data()
{
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty text shows the extension") << "txt" << "" << "*.txt";
    QTest::newRow("every file") << "*.*" << "" << "*.*.*";
    QTest::newRow("given text") << "txt" << "*.*" << "*.*";
}

void TestFileSelect::initialText()
{
    QFETCH(QString, extension);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(initialNameBoxText(parameters(FileSelectMode::Existing, extension, text)), expected);
}

void TestFileSelect::dialogListsEveryFileAndTakesAClickedName()
{
    const AppSettings s = settings(true);
    ScriptedDialogs dialogs;
    platform::DialogsGuard guard(&dialogs);
    FileSelectParameters p = parameters(FileSelectMode::Existing, QStringLiteral("*.*"), QStringLiteral("*.*"));
    FileSelectDialog dialog(s, p);
    dialog.show();
    QCOMPARE(dialog.objectName(), QStringLiteral("FmFileSelect"));
    QCOMPARE(dialog.nameBox()->text(), QStringLiteral("*.*"));
    QStringList listed;
    for (int i = 0; i < dialog.fileList()->count(); ++i)
        listed << dialog.fileList()->item(i)->text();
    QCOMPARE(listed, (QStringList{"notes.doc", "race1.txt", "README"}));

    QListWidgetItem *notes = dialog.fileList()->item(0);
    QTest::mouseClick(dialog.fileList()->viewport(), Qt::LeftButton, {},
                      dialog.fileList()->visualItemRect(notes).center());
    QCOMPARE(dialog.nameBox()->text(), QStringLiteral("notes.doc"));
    QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(p.Name, QStringLiteral("notes.doc"));
    QCOMPARE(p.Path, QDir(m_dir.path()).filePath(QStringLiteral("notes.doc")));
    QVERIFY(dialogs.shown.isEmpty());
}

void TestFileSelect::invalidNameKeepsTheDialogOpen_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::newRow("English star") << true << 1 << "*.txt" << "Input File Name";
    QTest::newRow("Japanese star") << false << 1 << "*.txt" << "正しいファイル名を入れてください。";
    QTest::newRow("English missing file in mode 0") << true << 0 << "race9" << "Input File Name";
    QTest::newRow("Japanese missing file in mode 0") << false << 0 << "race9" << "正しいファイル名を入れてください。";
}

void TestFileSelect::invalidNameKeepsTheDialogOpen()
{
    QFETCH(bool, english);
    QFETCH(int, mode);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    const AppSettings s = settings(english);
    ScriptedDialogs dialogs;
    platform::DialogsGuard guard(&dialogs);
    FileSelectParameters p = parameters(FileSelectMode(mode), QStringLiteral("txt"));
    p.Path = QStringLiteral("left over");
    FileSelectDialog dialog(s, p);
    dialog.show();
    dialog.nameBox()->setText(typed);
    QTest::keyClick(dialog.nameBox(), Qt::Key_Return);
    QCOMPARE(dialogs.messages(), QStringList{message});
    // The application's default caption.
    QVERIFY(dialogs.shown.first().caption.isEmpty());
    QVERIFY(dialog.isVisible());
    QVERIFY(p.Path.isEmpty());
}

void TestFileSelect::overwriteQuestion()
{
    const AppSettings s = settings(false);
    ScriptedDialogs dialogs;
    dialogs.answers = {false, true};
    platform::DialogsGuard guard(&dialogs);
    FileSelectParameters p = parameters(FileSelectMode::NewOrExisting, QStringLiteral("txt"));
    FileSelectDialog dialog(s, p);
    dialog.show();
    QCOMPARE(dialog.nameBox()->text(), QStringLiteral("*.txt"));
    // Typing replaces the pattern.
    QTest::keyClicks(dialog.nameBox(), QStringLiteral("race1"));
    QCOMPARE(dialog.nameBox()->text(), QStringLiteral("race1"));
    dialog.ok();
    QVERIFY(dialog.isVisible());
    QVERIFY(p.Path.isEmpty());
    dialog.ok();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialogs.shown.size(), 2);
    QCOMPARE(dialogs.shown[0].kind, ScriptedDialogs::Shown::Question);
    QCOMPARE(dialogs.shown[0].text, QStringLiteral("同名のファイルがあります。\r\n上書きしますか？"));
    QCOMPARE(p.Name, QStringLiteral("race1.txt"));
    QCOMPARE(p.Path, QDir(m_dir.path()).filePath(QStringLiteral("race1.txt")));

    dialogs.shown.clear();
    const AppSettings en = settings(true);
    FileSelectDialog english(en, p);
    english.show();
    english.nameBox()->setText(QStringLiteral("race1.txt"));
    english.ok();
    QCOMPARE(dialogs.shown.first().text, QStringLiteral("Same File Name Exists.\r\nOverwight?."));
}

void TestFileSelect::cancelEmptiesTheResult()
{
    const AppSettings s = settings(true);
    FileSelectParameters p = parameters(FileSelectMode::NewOrExisting, QStringLiteral("csv"));
    p.Path = QStringLiteral("/earlier/a.csv");
    p.Name = QStringLiteral("a.csv");
    {
        FileSelectDialog dialog(s, p);
        dialog.show();
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("Command2")), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }
    QVERIFY(!p.wasAccepted());
    QVERIFY(p.Name.isEmpty());
    // The close box too.
    p.Path = QStringLiteral("/earlier/a.csv");
    FileSelectDialog dialog(s, p);
    dialog.show();
    dialog.close();
    QVERIFY(p.Path.isEmpty());
}

void TestFileSelect::captionAndFonts_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<QString>("caption");
    QTest::newRow("English") << true << "orvane";
    QTest::newRow("Japanese") << false << "オルバネ";
}

void TestFileSelect::captionAndFonts()
{
    QFETCH(bool, english);
    QFETCH(QString, caption);
    const AppSettings s = settings(english);
    FileSelectParameters p = parameters(FileSelectMode::Existing, QStringLiteral("txt"));
    FileSelectDialog dialog(s, p);
    QCOMPARE(dialog.windowTitle(), caption);
    // English gives every control the interface font; Japanese keeps the design's.
    for (const char *name : {"Text1", "File1", "Command1", "Command2"}) {
        auto *w = dialog.findChild<QWidget *>(QLatin1String(name));
        QVERIFY2(w, name);
        QCOMPARE(w->font().family() == QStringLiteral("MS Sans Serif"), english);
    }
}

QTEST_MAIN(TestFileSelect)
#include "testfileselect.moc"
