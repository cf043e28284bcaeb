// The pages and preparation buttons of the race display, offscreen, on a demo race made by the
// race generator: switching between the chart, the Graph page and the Data page (which halts
// the replay), the graph's cursor and time bar read-out, the wind entry clicked on the graph
// and read back by the next load, the wind direction strip, new start and finish times, EXIT,
// the screen image and the reference list.
#include <datapagewidget.h>
#include <documentbuttons.h>
#include <graphpagewidget.h>
#include <pageswitcher.h>
#include <racedisplaywindow.h>
#include <replaydriver.h>

#include <appsettings.h>
#include <canvaspicture.h>
#include <dialogs.h>
#include <opendocument.h>
#include <racecontrol.h>
#include <racecontrolfile.h>
#include <racedata.h>
#include <racegenerator.h>
#include <textfile.h>
#include <windfile.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class TestRacePages : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void switchingPages_data();
    void switchingPages();
    void graphCursorAndTimeBarReadout();
    void windEntryReadByTheNextLoad();
    void windStripUnderTheIndicator();
    void newTimesSavedAndReloaded();
    void exitAsksInEditModeOnly_data();
    void exitAsksInEditModeOnly();
    void screenImageOfThePageShown_data();
    void screenImageOfThePageShown();
    void referenceList();

private:
    // Opens the display on a race file of the folder; manual: the replay's timers held.
    void open(const QString &raceFile, bool english, bool editMode, bool manual);
    template<typename T = QWidget> T *child(const char *name)
    {
        return m_window->findChild<T *>(QString::fromLatin1(name));
    }
    void click(const char *name) { child<QAbstractButton>(name)->click(); }
    QString raceFilePath(const QString &name) const { return m_dir.path() + QStringLiteral("/raceadmin/") + name; }

    QTemporaryDir m_dir;
    QString m_keelFile;
    AppSettings m_settings;
    RaceControl m_race;
    RaceDisplayWindow *m_window = nullptr;
    platform::ScriptedDialogs m_dialogs;
    std::unique_ptr<platform::DialogsGuard> m_guard;
};

void TestRacePages::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const tools::RaceSpec recipe = *tools::presetRace(QStringLiteral("keel"));
    QString error;
    QVERIFY2(tools::writeRace(tools::generateRace(recipe), m_dir.path(), &error), qPrintable(error));
    m_keelFile = recipe.RaceFileName;
}

void TestRacePages::init()
{
    // race1.txt: the keel race without its wind file, for the wind entry and the new times.
    RaceControl rc;
    parseRaceControl(platform::readTextFile(raceFilePath(m_keelFile)).lines, rc);
    rc.WindFile.clear();
    QVERIFY(platform::writeTextFile(raceFilePath(QStringLiteral("race1.txt")), formatRaceControl(rc)));
    for (const QString &name : {QStringLiteral("raceadmin/race2.txt"), QStringLiteral("gpsdat/無題.bmp"),
                                QStringLiteral("winddat/race1_WIND.CSV")})
        QFile::remove(m_dir.path() + QLatin1Char('/') + name);
    m_dialogs = platform::ScriptedDialogs();
    m_guard = std::make_unique<platform::DialogsGuard>(&m_dialogs);
}

void TestRacePages::cleanup()
{
    delete m_window;
    m_window = nullptr;
    m_guard.reset();
}

void TestRacePages::open(const QString &raceFile, bool english, bool editMode, bool manual)
{
    m_settings = AppSettings();
    m_settings.ApplicationFolder = m_dir.path();
    m_settings.setLanguage(english ? UiLanguage::English : UiLanguage::Japanese);
    m_settings.EditMode = editMode;
    m_race = RaceControl();
    m_race.FileName = raceFile;
    m_window = new RaceDisplayWindow(m_settings, m_race);
    m_window->replay()->setManual(manual);
    m_window->setSoundPlayer([](const QString &) {});
    m_window->setWindowState(Qt::WindowNoState);
    m_window->resize(1200, 760);
    m_window->show();
    QTRY_VERIFY(m_window->isLoaded());
}

void TestRacePages::switchingPages_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<QStringList>("captions"); // Option10, Option11, Command11, Command12
    QTest::newRow("English") << true << QStringList{"Graph", "Data", "Exit", "Make Wind Data"};
    QTest::newRow("Japanese") << false << QStringList{"ｸﾞﾗﾌ", "ﾃﾞｰﾀ", "戻る", "風データ手動作成"};
}

void TestRacePages::switchingPages()
{
    QFETCH(bool, english);
    QFETCH(QStringList, captions);
    open(m_keelFile, english, true, false);
    const QStringList names{"Option10", "Option11", "Command11", "Command12"};
    for (int i = 0; i < names.size(); ++i)
        QCOMPARE(child<QAbstractButton>(qPrintable(names[i]))->text(), captions[i]);
    // The pages own their buttons: each name once in the window.
    for (const char *name : {"Option1", "Option4", "Option5", "Option12", "Command11", "Command12", "Line1"})
        QCOMPARE(m_window->findChildren<QWidget *>(QString::fromLatin1(name)).size(), 1);

    PageSwitcher *pages = m_window->pages();
    QWidget *chart = child("Picture1");
    QWidget *graph = pages->graphPage();
    QWidget *data = pages->dataPage();
    QCheckBox *measuring = child<QCheckBox>("Check2");
    ReplayDriver *replay = m_window->replay();
    QVERIFY(child("Option11")->isEnabled()); // the race has a course
    QVERIFY(!graph->isVisible() && !data->isVisible());
    QVERIFY(replay->isRunning());

    click("Option10");
    QVERIFY(graph->isVisible());
    QCOMPARE(graph->geometry(), chart->geometry());
    QVERIFY(!data->isVisible());
    QVERIFY(replay->isRunning());
    QVERIFY(!measuring->isChecked() && !measuring->isEnabled());
    const QImage graphImage = pages->graphPage()->graphImage();
    QCOMPARE(graphImage.size(), chart->size());
    // The direction panel is white, the boats' curves in their colours over it.
    QCOMPARE(graphImage.pixelColor(35, 100).rgb(), QColor(Qt::white).rgb());
    QVERIFY(pages->graphPage()->scene().windLoaded);

    // Data halts the replay; a change of mode and Exit lead back to the Graph page.
    click("Option11");
    QVERIFY(data->isVisible());
    QCOMPARE(data->geometry(), chart->geometry());
    QVERIFY(!graph->isVisible());
    QVERIFY(!replay->isRunning());
    QVERIFY(!measuring->isEnabled());
    QVERIFY(!pages->dataPage()->pageImage().isNull());
    click("Option4");
    QCOMPARE(pages->dataPage()->mode(), DataMode::Distance);
    QVERIFY(!replay->isRunning());
    click("Command11");
    QVERIFY(!data->isVisible());
    QVERIFY(graph->isVisible());
    QVERIFY(child<QRadioButton>("Option10")->isChecked());
    QVERIFY(replay->isRunning());

    // From the chart and back to it.
    click("Option9");
    QVERIFY(!graph->isVisible() && !data->isVisible());
    click("Option11");
    QVERIFY(data->isVisible());
    click("Command11");
    QVERIFY(!data->isVisible() && !graph->isVisible());
    QVERIFY(child<QRadioButton>("Option9")->isChecked());
    QVERIFY(replay->isRunning());

    // With STOP selected, leaving the Data page leaves the replay halted; range and bearing
    // come back on the still chart.
    click("Option7");
    click("Option11");
    click("Command11");
    QVERIFY(!replay->isRunning());
    QCOMPARE(measuring->isEnabled(), !child<QCheckBox>("Check5")->isChecked());

    // A change of focus draws the page shown again.
    click("Option10");
    const QImage before = pages->graphPage()->graphImage();
    auto *second = m_window->findChildren<QCheckBox *>(QStringLiteral("Bnam")).at(1);
    QTest::mouseClick(second, Qt::LeftButton);
    QVERIFY(!second->isChecked());
    QVERIFY(pages->graphPage()->graphImage() != before);
}

void TestRacePages::graphCursorAndTimeBarReadout()
{
    open(m_keelFile, true, true, true);
    click("Option10");
    GraphPageWidget *graph = m_window->pages()->graphPage();
    QWidget *line1 = child("Line1");
    QVERIFY(line1->parentWidget() == graph);

    // Line1 follows the clock.
    m_window->replay()->jumpTo(600);
    QVERIFY(line1->isVisible());
    QCOMPARE(line1->y(), int(graph->scale().timeToY(600)));
    QCOMPARE(line1->width(), graph->width());
    m_window->replay()->jumpTo(1200);
    QCOMPARE(line1->y(), int(graph->scale().timeToY(1200)));

    // The pointer over the time bar puts Line1 at its height and reads the wind out beside
    // the graph; the frames leave Line1 there meanwhile.
    auto *bar = child("PicTimeBar");
    const int y = int(graph->scale().timeToY(900) + 0.5);
    QTest::mouseMove(bar, QPoint(15, y));
    QTRY_COMPARE(line1->y(), y);
    auto *hint = child<QLabel>("Text7");
    QVERIFY(hint->isVisible());
    const QString text = hint->text();
    QVERIFY2(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d   \\d+ /  [\\d.]+$")).match(text).hasMatch(),
             qPrintable(text));
    const QPoint graphTopLeft = graph->mapTo(m_window, QPoint(0, 0));
    QCOMPARE(hint->x(), graphTopLeft.x() + 350);
    QCOMPARE(hint->y(), graphTopLeft.y() + y - 7);
    m_window->replay()->tick();
    QCOMPARE(line1->y(), y);

    // On the chart the same place reads the date-time out.
    QTest::mouseMove(child("Picture5"), QPoint(5, 5));
    click("Option9");
    QTest::mouseMove(bar, QPoint(15, y + 1));
    QTRY_VERIFY(child<QLabel>("Text7")->text().contains(QStringLiteral(" Sec)")));
}

void TestRacePages::windEntryReadByTheNextLoad()
{
    open(QStringLiteral("race1.txt"), true, true, false);
    QVERIFY(!m_window->raceData().hasWind());
    QVERIFY(!child("Text13")->isVisible());
    click("Option10");
    GraphPageWidget *graph = m_window->pages()->graphPage();
    auto *button = child<QAbstractButton>("Command12");
    QVERIFY(button->isVisible());

    // No wind file: no question; the replay halts while the entry is on.
    button->click();
    QVERIFY(graph->windEntry().isOn());
    QVERIFY(!m_window->replay()->isRunning());
    QCOMPARE(m_dialogs.shown.size(), 0);
    QCOMPARE(button->palette().color(QPalette::Button), QColor(255, 255, 0));

    // Clicks at 20, 10 and 30 minutes, all at the mean wind direction (x = 120) but the last.
    QWidget *gpic = child("GPIC");
    const GraphScale s = graph->scale();
    for (const auto &[minutes, x] : {std::pair{20, 120}, std::pair{10, 120}, std::pair{30, 150}})
        QTest::mouseClick(gpic, Qt::LeftButton, {}, QPoint(x, int(std::floor(s.timeToY(60.0 * minutes) + 0.5))));
    const QVector<WindSample> &wind = m_window->raceData().Wind;
    QCOMPARE(wind.size(), 5);
    QCOMPARE(wind[0].Time, -300.0);
    QCOMPARE(wind[1].Time, s.yToTime(std::floor(s.timeToY(600) + 0.5)));
    QCOMPARE(wind[4].Time, s.duration);
    QCOMPARE(wind[4].Direction, wind[3].Direction);
    QCOMPARE(wind[3].Direction - wind[2].Direction, 30.0);
    // The wind indicator shows the entered wind at once.
    QVERIFY(child("Text13")->isVisible());

    m_dialogs.answers = {true};
    button->click();
    QVERIFY(!graph->windEntry().isOn());
    QCOMPARE(m_dialogs.shown.size(), 1);
    QCOMPARE(m_dialogs.shown[0].text, QStringLiteral("Do you want to save Wind Data File ?"));
    QVERIFY(m_window->replay()->isRunning());
    const QString windPath = m_dir.path() + QStringLiteral("/winddat/race1_WIND.CSV");
    QVERIFY(QFile::exists(windPath));
    QCOMPARE(platform::readTextFile(windPath).lines.size(), 6); // the header and 5 samples
    RaceControl stored;
    parseRaceControl(platform::readTextFile(raceFilePath(QStringLiteral("race1.txt"))).lines, stored);
    QCOMPARE(stored.WindFile, QStringLiteral("race1_WIND.CSV"));

    // The next load reads it: "Above time OK" with the same times, not saved.
    m_dialogs.shown.clear();
    m_dialogs.answers = {false};
    click("Command4");
    QCOMPARE(m_dialogs.shown.size(), 1); // the save question only
    QTRY_VERIFY(m_window->isLoaded());
    QVERIFY(!graph->isVisible()); // the load shows the chart
    QCOMPARE(m_race.WindFile, QStringLiteral("race1_WIND.CSV"));
    QCOMPARE(m_window->raceData().Wind.size(), 5);
    QVERIFY(child("Text13")->isVisible());
    QCOMPARE(child<QLineEdit>("Text13")->text().toInt(), int(std::floor(wind[1].Direction + 0.5)));
}

void TestRacePages::windStripUnderTheIndicator()
{
    open(m_keelFile, true, false, true);
    auto *indicator = child<CanvasPicture>("Picture2");
    auto *strip = child<CanvasPicture>("sWind");
    QVERIFY(!strip->isVisible());
    QTest::mouseClick(indicator, Qt::LeftButton);
    QVERIFY(strip->isVisible());
    const int side = indicator->width();
    QCOMPARE(strip->geometry(), QRect(indicator->x(), indicator->geometry().bottom() + 1, side, side));
    // The yellow box with the blue wind curve in it.
    int yellow = 0, blue = 0;
    const QImage image = strip->canvas();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            yellow += image.pixelColor(x, y) == QColor(225, 225, 0);
            blue += image.pixelColor(x, y) == QColor(0, 0, 255);
        }
    }
    QVERIFY(yellow > side * side / 2);
    QVERIFY(blue > 10);
    QTest::mouseClick(strip, Qt::LeftButton);
    QVERIFY(!strip->isVisible());
    QTest::mouseClick(indicator, Qt::LeftButton);
    QVERIFY(strip->isVisible());
}

void TestRacePages::newTimesSavedAndReloaded()
{
    open(QStringLiteral("race1.txt"), true, true, true);
    auto *start = child<QLineEdit>("Text9");
    auto *finish = child<QLineEdit>("Text10");
    const platform::LocalDateTime firstFix = m_race.FirstFixTime;
    const platform::LocalDateTime oldStart = m_race.StartTime;

    // Eleven days after the first record: refused, the boxes keep the text.
    const QString far = firstFix.addDays(11).toString();
    start->setText(far);
    finish->setText(firstFix.addDays(11).addSecs(3600).toString());
    click("Command4");
    QCOMPARE(m_dialogs.messages(), QStringList(QStringLiteral("Incorrect data format !  Be sure the date format ")));
    QCOMPARE(start->text(), far);
    QCOMPARE(m_race.StartTime, oldStart);

    // Nine days after: accepted, saved as race2.txt and shown from it.
    m_dialogs.shown.clear();
    m_dialogs.answers = {true};
    m_dialogs.inputs = {QStringLiteral("race2")};
    const platform::LocalDateTime newStart = firstFix.addDays(9);
    start->setText(newStart.toString());
    finish->setText(newStart.addSecs(3600).toString());
    click("Command4");
    QTRY_VERIFY(m_window->isLoaded());
    QCOMPARE(m_race.FileName, QStringLiteral("race2.txt"));
    QVERIFY(m_window->windowTitle().endsWith(QStringLiteral("(race2.txt)")));
    QCOMPARE(start->text(), newStart.toString());
    RaceControl stored;
    parseRaceControl(platform::readTextFile(raceFilePath(QStringLiteral("race2.txt"))).lines, stored);
    QCOMPARE(stored.StartTime, newStart);
    // race1.txt is as it was.
    RaceControl first;
    parseRaceControl(platform::readTextFile(raceFilePath(QStringLiteral("race1.txt"))).lines, first);
    QCOMPARE(first.StartTime, oldStart);

    // Not saved, the reload reads the file's times back.
    m_dialogs.answers = {false};
    start->setText(newStart.addSecs(600).toString());
    click("Command4");
    QTRY_VERIFY(m_window->isLoaded());
    QCOMPARE(start->text(), newStart.toString());
}

void TestRacePages::exitAsksInEditModeOnly_data()
{
    QTest::addColumn<bool>("editMode");
    QTest::newRow("edit mode") << true;
    QTest::newRow("viewing mode") << false;
}

void TestRacePages::exitAsksInEditModeOnly()
{
    QFETCH(bool, editMode);
    open(QStringLiteral("race1.txt"), true, editMode, true);
    int closed = 0;
    QObject context;
    connect(m_window, &RaceDisplayWindow::closed, &context, [&] { ++closed; });
    m_dialogs.answers = {true};
    m_dialogs.inputs = {QStringLiteral("race2")};
    click("Command1");
    QCOMPARE(closed, 1);
    QCOMPARE(m_dialogs.shown.size(), editMode ? 2 : 0);
    QCOMPARE(QFile::exists(raceFilePath(QStringLiteral("race2.txt"))), editMode);
    if (editMode)
        QCOMPARE(m_dialogs.shown[0].text, QStringLiteral("Save Race Control File？"));
}

void TestRacePages::screenImageOfThePageShown_data()
{
    QTest::addColumn<QString>("page");
    QTest::newRow("chart") << "Option9";
    QTest::newRow("graph") << "Option10";
    QTest::newRow("data") << "Option11";
}

void TestRacePages::screenImageOfThePageShown()
{
    QFETCH(QString, page);
    open(m_keelFile, false, true, true);
    QStringList opened;
    const DocumentOpener previous = setDocumentOpener([&](const QString &path) {
        opened << path;
        return 42;
    });
    child<QAbstractButton>(qPrintable(page))->click();
    QImage shown;
    if (page == QLatin1String("Option9"))
        shown = m_window->composedChartImage();
    else
        shown = m_window->pages()->shownPageImage();
    click("Command10");
    setDocumentOpener(previous);

    const QString path = m_dir.path() + QStringLiteral("/gpsdat/無題.bmp");
    QCOMPARE(opened, QStringList(path));
    QImageReader reader(path);
    QCOMPARE(reader.format(), QByteArray("bmp"));
    const QImage image = reader.read();
    const QSize chart = child("Picture1")->size();
    const QSize overview = child("Picture6")->size();
    QCOMPARE(image.size(), QSize(chart.width() + overview.width() + 15, chart.height() + 10));
    // The page at (5, 5), the overview right of it, the first boat's legend box below that.
    for (const QPoint p : {QPoint(40, 40), QPoint(chart.width() / 2, chart.height() / 2), QPoint(200, 120)})
        QCOMPARE(image.pixelColor(p + QPoint(5, 5)).rgb(), shown.pixelColor(p).rgb());
    const QImage overviewImage = child<CanvasPicture>("Picture6")->canvas();
    QCOMPARE(image.pixelColor(chart.width() + 10 + 20, 5 + 20).rgb(), overviewImage.pixelColor(20, 20).rgb());
    QCOMPARE(image.pixelColor(chart.width() + 10 + overview.width() - 4, overview.height() + 40 + 7).rgb(),
             QColor::fromRgb(QRgb(m_race.Boats[0].colour)).rgb());
    QCOMPARE(m_window->documents()->screenImageInput().fileName, m_keelFile);
}

void TestRacePages::referenceList()
{
    open(m_keelFile, true, true, true);
    QVERIFY(!m_race.Attachments.isEmpty());
    auto *button = child<QAbstractButton>("Command13");
    QVERIFY(button->isEnabled());
    QStringList listed;
    QString caption;
    QTimer::singleShot(0, this, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal->objectName() != QLatin1String("RefFm"))
            return;
        caption = modal->windowTitle();
        auto *list = modal->findChild<QListWidget *>(QStringLiteral("List1"));
        for (int i = 0; i < list->count(); ++i)
            listed << list->item(i)->text();
        modal->close();
    });
    button->click();
    QCOMPARE(caption, QStringLiteral("Refference Files"));
    QCOMPARE(listed, m_race.Attachments);
}

QTEST_MAIN(TestRacePages)
#include "testracepages.moc"
