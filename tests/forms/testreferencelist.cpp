// The reference list: the race's attachments, opening one with the associated program, and
// "File Not Found" for a missing one.
#include <appsettings.h>
#include <dialogs.h>
#include <opendocument.h>
#include <racecontrol.h>
#include <referencedialog.h>

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using platform::ScriptedDialogs;

class TestReferenceList : public QObject
{
    Q_OBJECT

    QTemporaryDir m_app;
    QStringList m_opened;
    DocumentOpener m_previousOpener;

    AppSettings settings(bool english) const
    {
        AppSettings s;
        s.setLanguage(english ? UiLanguage::English : UiLanguage::Japanese);
        s.ApplicationFolder = m_app.path();
        return s;
    }
    static RaceControl race()
    {
        RaceControl r;
        r.Attachments = {QStringLiteral("si.html"), QStringLiteral("gone.pdf"), QStringLiteral(" Results.PDF ")};
        return r;
    }

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init() { m_opened.clear(); }
    void listsTheAttachments_data();
    void listsTheAttachments();
    void clickOpensTheAttachmentAndCloses_data();
    void clickOpensTheAttachmentAndCloses();
    void missingFileKeepsTheListOpen();
    void cancelCloses();
};

void TestReferenceList::initTestCase()
{
    QVERIFY(m_app.isValid());
    QDir(m_app.path()).mkpath(QStringLiteral("Attachment"));
    for (const char *name : {"Attachment/si.html", "Attachment/results.pdf"}) {
        QFile f(QDir(m_app.path()).filePath(QLatin1String(name)));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("x");
    }
    m_previousOpener = setDocumentOpener([this](const QString &path) {
        m_opened << path;
        return 42;
    });
}

void TestReferenceList::cleanupTestCase()
{
    setDocumentOpener(m_previousOpener);
}

void TestReferenceList::listsTheAttachments_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<QString>("caption");
    QTest::newRow("English") << true << "Refference Files";
    QTest::newRow("Japanese") << false << "データ参照";
}

void TestReferenceList::listsTheAttachments()
{
    QFETCH(bool, english);
    QFETCH(QString, caption);
    const AppSettings s = settings(english);
    const RaceControl r = race();
    ReferenceDialog dialog(s, r);
    QCOMPARE(dialog.objectName(), QStringLiteral("RefFm"));
    QCOMPARE(dialog.windowTitle(), caption);
    QCOMPARE(dialog.list()->objectName(), QStringLiteral("List1"));
    QCOMPARE(dialog.list()->count(), 3);
    QCOMPARE(dialog.list()->item(1)->text(), QStringLiteral("gone.pdf"));
    QCOMPARE(dialog.findChild<QPushButton *>(QStringLiteral("Command1"))->text(), QStringLiteral("CANCEL"));
    for (QWidget *w : dialog.findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        QCOMPARE(w->font().family(), s.UiFontName);
}

void TestReferenceList::clickOpensTheAttachmentAndCloses_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("file");
    QTest::newRow("first") << 0 << "Attachment/si.html";
    // Blanks around the name are dropped and the name is matched without regard to case.
    QTest::newRow("blanks and case") << 2 << "Attachment/results.pdf";
}

void TestReferenceList::clickOpensTheAttachmentAndCloses()
{
    QFETCH(int, line);
    QFETCH(QString, file);
    const AppSettings s = settings(true);
    const RaceControl r = race();
    ScriptedDialogs dialogs;
    platform::DialogsGuard guard(&dialogs);
    ReferenceDialog dialog(s, r);
    bool shownWhileWaiting = true;
    QList<int> waits;
    dialog.setWaiter([&](int ms) {
        waits << ms;
        shownWhileWaiting = dialog.isVisible();
    });
    dialog.show();
    QListWidget *list = dialog.list();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(line)).center());
    QCOMPARE(m_opened, QStringList{QDir(m_app.path()).filePath(file)});
    QCOMPARE(waits, QList<int>{5000});
    QVERIFY(!shownWhileWaiting);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(dialogs.shown.isEmpty());
}

void TestReferenceList::missingFileKeepsTheListOpen()
{
    for (bool english : {true, false}) {
        const AppSettings s = settings(english);
        const RaceControl r = race();
        ScriptedDialogs dialogs;
        platform::DialogsGuard guard(&dialogs);
        ReferenceDialog dialog(s, r);
        dialog.setWaiter([](int) {});
        dialog.show();
        dialog.openLine(1);
        QCOMPARE(dialogs.messages(), QStringList{QStringLiteral("File Not Found")});
        QVERIFY(dialogs.shown.first().caption.isEmpty());
        QVERIFY(dialog.isVisible());
        QVERIFY(m_opened.isEmpty());
    }
}

void TestReferenceList::cancelCloses()
{
    const AppSettings s = settings(false);
    const RaceControl r = race();
    ReferenceDialog dialog(s, r);
    dialog.show();
    QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QVERIFY(m_opened.isEmpty());
}

QTEST_MAIN(TestReferenceList)
#include "testreferencelist.moc"
