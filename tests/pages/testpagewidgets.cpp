// The page widgets on a race set by hand: the Data page's mode frame and exit, the Graph
// page's pointer aid and its wind entry clicked on the picture and saved.
#include "../analysis/pagefixture.h"

#include <datapagewidget.h>
#include <graphpagewidget.h>
#include <pagehost.h>

#include <dialogs.h>
#include <textfile.h>
#include <windfile.h>

#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

class FakeHost : public PageHost
{
public:
    AppSettings appSettings;
    RaceControl raceControl;
    RaceData data;
    LegStats stats;
    QVector<bool> focus;
    int stops = 0, resumes = 0, rests = 0, windChanges = 0;

    const AppSettings &settings() const override { return appSettings; }
    RaceControl &race() override { return raceControl; }
    RaceData &raceData() override { return data; }
    LegStats &legStats() override { return stats; }
    QVector<bool> focusedBoats() const override { return focus; }
    void stopReplay() override { ++stops; }
    void resumeReplay() override { ++resumes; }
    void restPanels() override { ++rests; }
    void windChanged() override { ++windChanges; }
};

void fillRace(FakeHost &host, bool english, bool edit)
{
    host.appSettings.setLanguage(english ? UiLanguage::English : UiLanguage::Japanese);
    host.appSettings.EditMode = edit;
    host.raceControl = pagefixture::race({"L1", "MK1", "L2"}, 3);
    host.raceControl.WindDirection = 200;
    host.raceControl.StartTime = platform::LocalDateTime::fromParts(2024, 5, 12, 14, 0, 0);
    host.stats = pagefixture::stats({{5, 1500, 3000}, {5, 1500, 3150}, {5, 1500, 3750}},
                                    {{0, 3, 6}, {0, 3, 6}, {0, 3, 6}});
    host.data.TimeBarSpan = 3600 + 180 + 60;
    host.focus = {true, true, true};
}

} // namespace

class TestPageWidgets : public QObject
{
    Q_OBJECT
private slots:
    void dataPageModes_data();
    void dataPageModes();
    void graphPagePointer();
    void windEntryByClicks();
};

void TestPageWidgets::dataPageModes_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<QStringList>("captions");
    QTest::newRow("English") << true << QStringList{"Time", "Dist", "SPD", "ANA", "Exit"};
    QTest::newRow("Japanese") << false << QStringList{"時間", "距離", "速度", "解析", "戻る"};
}

void TestPageWidgets::dataPageModes()
{
    QFETCH(bool, english);
    QFETCH(QStringList, captions);
    FakeHost host;
    fillRace(host, english, false);
    DataPageWidget page(host);
    page.resize(700, 600);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    const QStringList names{"Option1", "Option4", "Option5", "Option12", "Command11"};
    for (int i = 0; i < names.size(); ++i) {
        auto *b = page.findChild<QAbstractButton *>(names[i]);
        QVERIFY2(b, qPrintable(names[i]));
        QCOMPARE(b->text(), captions[i]);
    }
    // The mode frame sits at the page's top right, 5 pixels in.
    auto *frame = page.findChild<QWidget *>(QStringLiteral("FrameDataMode"));
    QCOMPARE(frame->y(), 3);
    QVERIFY(frame->geometry().right() < page.width() - 5);

    page.enter();
    QCOMPARE(host.stops, 1);
    QCOMPARE(page.mode(), DataMode::Time);
    QVERIFY(page.scene().hasGraphs);
    QCOMPARE(page.pageImage().width(), page.scene().pageSize.width());

    QTest::mouseClick(page.findChild<QRadioButton *>(QStringLiteral("Option12")), Qt::LeftButton);
    QCOMPARE(page.mode(), DataMode::Analysis);
    QCOMPARE(page.scene().factors.size(), 3);
    QVERIFY(!page.scene().hasGraphs);

    QSignalSpy exits(&page, &DataPageWidget::exitRequested);
    QTest::mouseClick(page.findChild<QPushButton *>(QStringLiteral("Command11")), Qt::LeftButton);
    QCOMPARE(exits.size(), 1);
}

void TestPageWidgets::graphPagePointer()
{
    FakeHost host;
    fillRace(host, true, false);
    GraphPageWidget page(host);
    page.resize(720, 460);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    page.redraw();
    // Viewing mode: no wind entry button.
    QVERIFY(!page.findChild<QPushButton *>(QStringLiteral("Command12"))->isVisible());
    QWidget *gpic = page.findChild<QWidget *>(QStringLiteral("GPIC"));
    QVERIFY(gpic);
    QTest::mouseMove(gpic, QPoint(100, 235));
    QTRY_VERIFY(page.pointerAid().marksShown);
    QCOMPARE(page.pointerAid().markX[2], 280.0);
    QVERIFY(host.rests >= 1);
    QVERIFY(host.resumes >= 1);
    // Presses do nothing while the wind entry is off.
    QTest::mouseClick(gpic, Qt::LeftButton, {}, QPoint(120, 235));
    QVERIFY(host.data.Wind.isEmpty());
}

void TestPageWidgets::windEntryByClicks()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir().mkpath(dir.path() + QStringLiteral("/raceadmin")));
    QVERIFY(platform::writeTextFile(dir.path() + QStringLiteral("/raceadmin/race1.txt"),
                                    {QStringLiteral("T1, Spring Cup")}));
    platform::ScriptedDialogs dialogs;
    platform::DialogsGuard guard(&dialogs);
    FakeHost host;
    fillRace(host, true, true);
    host.appSettings.ApplicationFolder = dir.path();
    GraphPageWidget page(host);
    page.resize(720, 460);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    page.redraw();
    auto *button = page.findChild<QPushButton *>(QStringLiteral("Command12"));
    QVERIFY(button->isVisible());
    QCOMPARE(button->text(), QStringLiteral("Make Wind Data"));
    QCOMPARE(button->geometry(), QRect(5, 5, 113, 17));

    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(page.windEntry().isOn());
    QCOMPARE(host.stops, 1);
    QCOMPARE(button->palette().color(QPalette::Button), QColor(255, 255, 0));
    const int resumesBefore = host.resumes;
    QWidget *gpic = page.findChild<QWidget *>(QStringLiteral("GPIC"));
    // k = 400 / 3840: y = 280 is 20 minutes, 342 is about 10 and 218 about 30 (right button).
    QTest::mouseClick(gpic, Qt::LeftButton, {}, QPoint(150, 280));
    QTest::mouseClick(gpic, Qt::LeftButton, {}, QPoint(120, 342));
    QTest::mouseClick(gpic, Qt::RightButton, {}, QPoint(90, 218));
    QTest::mouseMove(gpic, QPoint(100, 300));
    QCOMPARE(host.resumes, resumesBefore); // the pointer does not restart the replay while entering
    QCOMPARE(host.data.Wind.size(), 5);
    QCOMPARE(host.data.Wind[2].Time, 1200.0);
    QCOMPARE(host.data.Wind[2].Direction, 230.0);
    QCOMPARE(host.data.Wind.first().Direction, 200.0);
    QCOMPARE(host.data.Wind.last().Direction, 170.0);
    QVERIFY(page.scene().windLoaded); // the graph draws the entered wind
    QVERIFY(host.windChanges >= 3);

    dialogs.answers = {true};
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(!page.windEntry().isOn());
    QCOMPARE(dialogs.shown.size(), 1);
    QVERIFY(dialogs.messages().isEmpty());
    QVector<WindSample> back;
    QVERIFY(ReadWindFile(host.appSettings, host.raceControl, back));
    QCOMPARE(back.size(), 5);
    QCOMPARE(platform::readTextFile(dir.path() + QStringLiteral("/raceadmin/race1.txt")).lines.first(),
             QStringLiteral("WF, race1_WIND.CSV"));
    QCOMPARE(button->palette().color(QPalette::Button), QApplication::palette(button).color(QPalette::Button));
}

QTEST_MAIN(TestPageWidgets)
#include "testpagewidgets.moc"
