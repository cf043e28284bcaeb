// The race display's texts and geometry, without a screen.
#include <boatfocus.h>
#include <displaylayout.h>
#include <displaytexts.h>
#include <loadproblemtext.h>

#include <QSet>
#include <QTest>

class TestDisplayPanel : public QObject
{
    Q_OBJECT
private slots:
    void captionsAreComplete();
    void captionsByLanguage_data();
    void captionsByLanguage();
    void hints_data();
    void hints();
    void chartIsSquareAtLeft_data();
    void chartIsSquareAtLeft();
    void longListIsRaised_data();
    void longListIsRaised();
    void shortListEndsAboveLowerPanel();
    void progressOnChart_data();
    void progressOnChart();
    void focus_data();
    void focus();
    void loadProblemNotice();
};

void TestDisplayPanel::captionsAreComplete()
{
    QSet<QString> seen;
    for (const ControlCaption &c : raceDisplayCaptions()) {
        QVERIFY2(!seen.contains(c.objectName), qPrintable(c.objectName));
        seen.insert(c.objectName);
        QVERIFY2(!c.japanese.isEmpty() && !c.english.isEmpty(), qPrintable(c.objectName));
    }
    for (int i = 1; i <= 10; ++i)
        QVERIFY(seen.contains(QStringLiteral("Check%1").arg(i)));
    for (const char *name : {"Frame1", "Frame3", "Frame4", "Option1", "Option2", "Option3", "Option4",
                             "Option5", "Option6", "Option7", "Option8", "Option9", "Option10",
                             "Option11", "Option12", "Label1", "Label2", "Label3", "Label4", "Label5",
                             "Label6", "Label7", "Command1", "Command2", "Command3", "Command4",
                             "Command5", "Command6", "Command7", "Command8", "Command9", "Command10",
                             "Command11", "Command12", "Command13", "btnHATENA"})
        QVERIFY2(seen.contains(QString::fromLatin1(name)), name);
}

void TestDisplayPanel::captionsByLanguage_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("japanese");
    QTest::addColumn<QString>("english");
    QTest::newRow("map box") << "Check7" << "地図" << "Map";
    QTest::newRow("half-width kana") << "Check8" << "ﾚｲﾗｲﾝ" << "LayLine";
    QTest::newRow("wind up") << "Option3" << "風向が上" << "Windwd";
    QTest::newRow("north up") << "Option2" << "北が上" << "Northwd";
    QTest::newRow("exit") << "Command1" << "戻る" << "EXIT";
    QTest::newRow("other exit") << "Command11" << "戻る" << "Exit";
    QTest::newRow("time button") << "Command4" << "時刻設定OK" << "Above time OK";
    QTest::newRow("references") << "Command13" << "資料参照" << "Refference";
    QTest::newRow("same in both") << "Option7" << "STOP" << "STOP";
    QTest::newRow("header") << "Label5" << "    BOAT NAME           BSP                          TWA"
                            << "    BOAT NAME           BSP                          TWA";
    QTest::newRow("no caption") << "Picture1" << "" << "";
}

void TestDisplayPanel::captionsByLanguage()
{
    QFETCH(QString, name);
    QFETCH(QString, japanese);
    QFETCH(QString, english);
    QCOMPARE(raceDisplayCaption(name, false), japanese);
    QCOMPARE(raceDisplayCaption(name, true), english);
}

void TestDisplayPanel::hints_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("english");
    QTest::addColumn<bool>("hintsOn");
    QTest::addColumn<bool>("tracing");
    QTest::addColumn<bool>("editMode");
    QTest::addColumn<QString>("text"); // empty: no hint
    QTest::addColumn<QSize>("size");

    QTest::newRow("sea colour, hints on") << "BCOL4" << true << true << false << false
                                          << "Change sea color" << QSize(160, 17);
    QTest::newRow("sea colour, hints off") << "BCOL4" << true << false << false << false << "" << QSize();
    QTest::newRow("always shown with hints off") << "Check3" << false << false << false << false
                                                 << "ヒントをON/OFFします" << QSize(170, 16);
    QTest::newRow("sizes differ by language") << "Label5" << false << true << false << false
                                              << "ここをクリックすると全艇にチェックが入ります" << QSize(240, 18);
    QTest::newRow("lines joined") << "Check6" << true << true << false << false
                                  << "Draw all tracks.\n( When auto trace is off )" << QSize(170, 32);
    QTest::newRow("blank line kept") << "Bnam" << true << true << false << false
                                     << "Cecked boats are focused.\nUnchecked boats are out of focus.\n\n"
                                        "Right button to focus only 1 boat."
                                     << QSize(240, 62);
    QTest::newRow("no hint on the time marks box") << "Check1" << true << true << false << false << "" << QSize();
    QTest::newRow("Check10 is not Check1") << "Check10" << true << true << false << false
                                           << "Enlarge minimum boat size\nwhen checked" << QSize(200, 30);
    QTest::newRow("Command10 is not Command1") << "Command10" << true << false << false << false
                                               << "Start up graphical software\nand show present screen on it."
                                               << QSize(220, 40);
    QTest::newRow("overview while tracing") << "Picture6" << true << true << true << false << "" << QSize();
    QTest::newRow("overview, viewing") << "Picture6" << true << true << false << false
                                       << "L-btn => Move center of map" << QSize(180, 17);
    QTest::newRow("overview, editing") << "Picture6" << false << true << false << true
                                       << "左ｸﾘｯｸで地図中心を移動\n右ｸﾘｯｸで風向を回転\n（「風向が上」にする）"
                                       << QSize(150, 45);
    QTest::newRow("exit in viewing mode") << "Command1" << true << true << false << false << "" << QSize();
    QTest::newRow("wind entry is Japanese in English")
        << "Command12" << true << true << false << true
        << "ここをクリックすると風向入力モードになります。\n入力モードにしてからグラフをクリックして風向を\n"
           "入力していきます\n（時間軸の順序は問いませんので途中追加もＯＫです）\n\n"
           "再度このボタンを押すとデータが記録されて入力モード\nから脱出できます。"
        << QSize(300, 90);
}

void TestDisplayPanel::hints()
{
    QFETCH(QString, name);
    QFETCH(bool, english);
    QFETCH(bool, hintsOn);
    QFETCH(bool, tracing);
    QFETCH(bool, editMode);
    QFETCH(QString, text);
    QFETCH(QSize, size);
    HintState state;
    state.english = english;
    state.hintsOn = hintsOn;
    state.tracing = tracing;
    state.editMode = editMode;
    state.hasRaceFile = true;
    const std::optional<HintText> hint = raceDisplayHint(name, state);
    if (text.isEmpty()) {
        QVERIFY(!hint);
        return;
    }
    QVERIFY(hint);
    QCOMPARE(hint->text, text);
    QCOMPARE(hint->size, size);
}

void TestDisplayPanel::chartIsSquareAtLeft_data()
{
    QTest::addColumn<QSize>("inner");
    QTest::addColumn<int>("chartSize");
    const int panel = rightPanelWidth(1.0f);
    QTest::newRow("wide screen: height decides") << QSize(1920, 1050) << 1040;
    QTest::newRow("narrow screen: width decides") << QSize(1024, 740) << 1024 - panel - 45;
    QTest::newRow("both equal") << QSize(600 + panel + 45, 610) << 600;
    QTest::newRow("too small") << QSize(100, 100) << 0;
}

void TestDisplayPanel::chartIsSquareAtLeft()
{
    QFETCH(QSize, inner);
    QFETCH(int, chartSize);
    const RaceDisplayLayout l = layoutRaceDisplay(inner, 5);
    QCOMPARE(l.chartSize, chartSize);
    QCOMPARE(l.chart, QRect(5, 5, chartSize, chartSize));
    // The time bar and the panel follow the chart without overlapping it, and the panel fits.
    QVERIFY(l.timeBar.left() > l.chart.right());
    QVERIFY(l.panel.left() > l.timeBar.right());
    if (chartSize > 0)
        QVERIFY(l.panel.right() < inner.width());
}

void TestDisplayPanel::longListIsRaised_data()
{
    QTest::addColumn<int>("chartSize");
    QTest::addColumn<int>("boats");
    QTest::addColumn<int>("raisedTop");
    QTest::newRow("13 boats on 600 stay") << 600 << 13 << 178;
    QTest::newRow("14 boats on 600 rise") << 600 << 14 << 0;
    QTest::newRow("50 boats on 1040 rise") << 1040 << 50 << 0;
    QTest::newRow("30 boats on 1040 stay") << 1040 << 30 << 178;
}

void TestDisplayPanel::longListIsRaised()
{
    QFETCH(int, chartSize);
    QFETCH(int, boats);
    QFETCH(int, raisedTop);
    QCOMPARE(boatListRaisedTop(chartSize, boats), raisedTop);
}

void TestDisplayPanel::shortListEndsAboveLowerPanel()
{
    // A list that is never raised must never be covered by the lower panel.
    for (int size : {500, 600, 800, 1040}) {
        for (int boats = 1; boats <= 50; ++boats) {
            if (boatListRaisedTop(size, boats) == 0)
                continue;
            QVERIFY2(BoatListRestTop + boatListHeight(boats) <= lowerPanelTop(size),
                     qPrintable(QStringLiteral("%1 px, %2 boats").arg(size).arg(boats)));
        }
    }
}

void TestDisplayPanel::progressOnChart_data()
{
    QTest::addColumn<int>("done");
    QTest::addColumn<int>("total");
    QTest::addColumn<int>("barWidth");
    QTest::newRow("first of three") << 1 << 3 << 111;
    QTest::newRow("last") << 3 << 3 << 333;
    QTest::newRow("no boats") << 0 << 0 << 0;
}

void TestDisplayPanel::progressOnChart()
{
    QFETCH(int, done);
    QFETCH(int, total);
    QFETCH(int, barWidth);
    const ProgressGeometry g = chartProgressGeometry(600, done, total);
    QCOMPARE(g.text.size(), QSize(333, 32));
    QCOMPARE(g.text.center().x(), 299);
    QCOMPARE(g.bar.top(), g.text.top() + 50);
    QCOMPARE(g.bar.left(), g.text.left());
    QCOMPARE(g.bar.width(), barWidth);
    QCOMPARE(g.bar.height(), 15);
}

void TestDisplayPanel::focus_data()
{
    QTest::addColumn<QVector<bool>>("focused"); // after the clicked box changed itself
    QTest::addColumn<QVector<bool>>("marked");
    QTest::addColumn<int>("onlyRow");
    QTest::addColumn<QVector<bool>>("result");
    const bool t = true, f = false;
    QTest::newRow("right click on the third, first marked")
        << QVector<bool>{t, t, t} << QVector<bool>{t, f, f} << 2 << QVector<bool>{t, f, t};
    QTest::newRow("only focused boat unticked") << QVector<bool>{f, f, f} << QVector<bool>{f, f, f} << -1
                                                << QVector<bool>{t, f, f};
    QTest::newRow("untick keeps the others") << QVector<bool>{t, f, t} << QVector<bool>{f, f, f} << -1
                                             << QVector<bool>{t, f, t};
    QTest::newRow("a marked boat cannot lose focus") << QVector<bool>{t, f, t} << QVector<bool>{f, t, f} << -1
                                                     << QVector<bool>{t, t, t};
    QTest::newRow("right click on a marked boat") << QVector<bool>{t, t, t} << QVector<bool>{f, t, f} << 1
                                                  << QVector<bool>{f, t, f};
    QTest::newRow("unticking the only focused boat, itself marked") << QVector<bool>{f, f, f} << QVector<bool>{f, t, f}
                                                                    << -1 << QVector<bool>{t, t, f};
    QTest::newRow("no boats") << QVector<bool>{} << QVector<bool>{} << -1 << QVector<bool>{};
}

void TestDisplayPanel::focus()
{
    QFETCH(QVector<bool>, focused);
    QFETCH(QVector<bool>, marked);
    QFETCH(int, onlyRow);
    QFETCH(QVector<bool>, result);
    QCOMPARE(settleFocus(focused, marked, onlyRow), result);
}

void TestDisplayPanel::loadProblemNotice()
{
    FileProblems problems{
        {"raceadmin/race.txt", 3, FileProblem::NotANumber, "9h"},
        {"gpsdat/a.trk", 40, FileProblem::LatitudeOutOfRange, {}},
        {"gpsdat/b.trk", 0, FileProblem::TrackFileGone, {}},
        {"gpsdat/a.trk", 52, FileProblem::InvalidDate, {}},
        {"gpsdat/a.trk", 0, FileProblem::MoreProblems, "30"},
    };
    const LoadProblemText en = loadProblemText(problems, UiLanguage::English);
    // Files in the order they were read, lines counted with those only counted.
    QCOMPARE(en.summary, QStringLiteral("Some of the race's files could not be read in full. The race is shown without "
                                        "what could not be read:\n"
                                        "    raceadmin/race.txt: 1 line\n"
                                        "    gpsdat/a.trk: 32 lines\n"
                                        "    gpsdat/b.trk: file not found: the boat is shown without a track\n"
                                        "\n"
                                        "Details lists each of them."));
    const QStringList details = en.details.split('\n');
    QCOMPARE(details.size(), 5);
    QCOMPARE(details[0], QStringLiteral("raceadmin/race.txt:3: \"9h\" is not a number: skipped"));
    QCOMPARE(details[4], QStringLiteral("gpsdat/a.trk: 30 more lines with problems"));
    QCOMPARE(en.detailsButton, QStringLiteral("Details"));

    const LoadProblemText ja = loadProblemText(problems, UiLanguage::Japanese);
    QVERIFY(ja.summary.startsWith(QStringLiteral("レースのファイルに読めない部分がありました。")));
    QVERIFY(ja.summary.contains(QStringLiteral("    gpsdat/a.trk: 32 行\n")));
    QVERIFY(ja.summary.contains(QStringLiteral("gpsdat/b.trk: ファイルがありません: この艇は航跡なしで表示します")));
    QVERIFY(ja.details.startsWith(QStringLiteral("raceadmin/race.txt:3: 「9h」は数値ではありません")));
    QCOMPARE(ja.detailsButton, QStringLiteral("詳細"));

    // Many files: the message stays short, the details hold them all.
    FileProblems many;
    for (int i = 1; i <= 20; ++i)
        many.append({QStringLiteral("gpsdat/%1.trk").arg(i), 7, FileProblem::InvalidTime, {}});
    const LoadProblemText m = loadProblemText(many, UiLanguage::English);
    QVERIFY(m.summary.contains(QStringLiteral("    and 8 more files")));
    QCOMPARE(m.details.count('\n'), 19);
    QVERIFY(loadProblemText({}, UiLanguage::English).summary.isEmpty());
}

QTEST_GUILESS_MAIN(TestDisplayPanel)
#include "testdisplaypanel.moc"
