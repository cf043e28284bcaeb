// The race display window end to end, on the offscreen platform: its controls, captions in
// both languages, layout, and a race loaded and drawn on the chart.
#include <racedisplaywindow.h>

#include <appsettings.h>
#include <dialogs.h>
#include <racecontrol.h>

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

class TestRaceDisplayWindow : public QObject
{
    Q_OBJECT
private slots:
    void everyControlExists();
    void captionsFollowLanguage_data();
    void captionsFollowLanguage();
    void chartIsSquareAtLeft();
    void closingSaysSo();
};

namespace {

QString captionOf(QWidget *w)
{
    if (auto *b = qobject_cast<QAbstractButton *>(w))
        return b->text();
    if (auto *g = qobject_cast<QGroupBox *>(w))
        return g->title();
    if (auto *l = qobject_cast<QLabel *>(w))
        return l->text();
    if (auto *e = qobject_cast<QLineEdit *>(w))
        return e->text();
    return {};
}

} // namespace

void TestRaceDisplayWindow::everyControlExists()
{
    AppSettings settings;
    RaceControl race;
    RaceDisplayWindow window(settings, race);
    QCOMPARE(window.objectName(), QStringLiteral("frmRace"));
    QStringList names = {"Picture1", "PicTimeBar", "Picture5", "Picture6", "Picture2", "Text13",
                         "Text14", "Text15", "Picture7", "Picture8", "Label5", "Picture12", "HScroll1",
                         "HScroll2", "Label7", "Text1", "Text2", "Text3", "Text4", "Text7", "Text8",
                         "Text9", "Text10", "Text11", "Combo1", "btnHATENA", "Label1", "sWind",
                         "Picture9"};
    for (int i = 1; i <= 10; ++i)
        names << QStringLiteral("Check%1").arg(i);
    for (int i = 1; i <= 6; ++i)
        names << QStringLiteral("BCOL%1").arg(i);
    for (int i = 1; i <= 13; ++i)
        names << QStringLiteral("Command%1").arg(i);
    for (int i = 1; i <= 12; ++i)
        names << QStringLiteral("Option%1").arg(i);
    for (int i : {1, 3, 4})
        names << QStringLiteral("Frame%1").arg(i);
    for (const QString &name : names)
        QVERIFY2(window.findChild<QWidget *>(name), qPrintable(name));
}

void TestRaceDisplayWindow::captionsFollowLanguage_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::newRow("jp check") << false << "Check5" << "自動追尾";
    QTest::newRow("en check") << true << "Check5" << "AutoTrace";
    QTest::newRow("jp frame") << false << "Frame1" << "表示方向";
    QTest::newRow("en frame") << true << "Frame1" << "Direction";
    QTest::newRow("en label") << true << "Label6" << "Race File";
    QTest::newRow("jp button") << false << "Command10" << "画像処理";
    QTest::newRow("en link") << true << "Label1" << "Further Info: https://www.example.com/orvane/";
    QTest::newRow("jp speed") << false << "Text2" << "5倍速";
    QTest::newRow("en speed") << true << "Text2" << "5 x spd";
}

void TestRaceDisplayWindow::captionsFollowLanguage()
{
    QFETCH(bool, english);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    AppSettings settings;
    settings.setLanguage(english ? UiLanguage::English : UiLanguage::Japanese);
    RaceControl race;
    RaceDisplayWindow window(settings, race);
    QWidget *w = window.findChild<QWidget *>(name);
    QVERIFY(w);
    QCOMPARE(captionOf(w), caption);
}

void TestRaceDisplayWindow::chartIsSquareAtLeft()
{
    AppSettings settings;
    RaceControl race;
    RaceDisplayWindow window(settings, race);
    window.setWindowState(Qt::WindowNoState);
    window.resize(1200, 700);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QWidget *chart = window.findChild<QWidget *>(QStringLiteral("Picture1"));
    QWidget *panel = window.findChild<QWidget *>(QStringLiteral("Picture5"));
    QCOMPARE(chart->geometry(), QRect(5, 5, 690, 690));
    QVERIFY(panel->geometry().left() > chart->geometry().right());
    QVERIFY(panel->geometry().right() < 1200);
}

void TestRaceDisplayWindow::closingSaysSo()
{
    AppSettings settings;
    RaceControl race;
    RaceDisplayWindow window(settings, race);
    int closed = 0;
    connect(&window, &RaceDisplayWindow::closed, this, [&] { ++closed; });
    window.findChild<QAbstractButton *>(QStringLiteral("Command1"))->click();
    QCOMPARE(closed, 1);
}

QTEST_MAIN(TestRaceDisplayWindow)
#include "testracedisplaywindow.moc"
