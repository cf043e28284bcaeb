#include "pagefixture.h"

#include <dialogs.h>
#include <pagetexts.h>
#include <textfile.h>
#include <windentry.h>
#include <windfile.h>

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A graph 460 pixels high over D = 3600 s with 180 s before the start: k = 400 / 3840, mean
// wind 200 (R = 110).
constexpr double D = 3600;
double yOf(double t) { return 30 + 400.0 / 3840 * (D - t); }

} // namespace

class TestWindEntry : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void clicksInAnyOrderAreSaved();
    void fileName_data();
    void fileName();
    void overwriteDeclined();
    void oneClickAsksNothing();
    void saveDeclined();
    void speedsFromTheRecordShown();
    void raceFileNamesTheWindFile();

private:
    void writeRaceFile(const QStringList &lines);
    QStringList raceFileLines() const;

    QTemporaryDir m_dir;
    AppSettings m_settings;
    RaceControl m_race;
    RaceData m_data;
    GraphScale m_scale;
};

void TestWindEntry::init()
{
    QVERIFY(m_dir.isValid());
    QDir(m_dir.path()).removeRecursively();
    QDir().mkpath(m_dir.path() + QStringLiteral("/raceadmin"));
    m_settings = AppSettings();
    m_settings.ApplicationFolder = m_dir.path();
    m_settings.setLanguage(UiLanguage::English);
    m_race = pagefixture::race({"L1", "MK1", "L2"}, 2);
    m_race.WindDirection = 200;
    m_race.StartTime = platform::LocalDateTime::fromParts(2024, 5, 12, 14, 0, 0);
    m_data = RaceData();
    m_data.TimeBarSpan = D + 180 + 60;
    m_scale = graphScale(m_race, m_data, 460);
    writeRaceFile({QStringLiteral("T1, Spring Cup"), QStringLiteral("ZZ, kept by other readers"),
                   QStringLiteral("BN, boat1.trk, Boat 1")});
}

void TestWindEntry::writeRaceFile(const QStringList &lines)
{
    QVERIFY(platform::writeTextFile(m_dir.path() + QStringLiteral("/raceadmin/race1.txt"), lines));
}

QStringList TestWindEntry::raceFileLines() const
{
    return platform::readTextFile(m_dir.path() + QStringLiteral("/raceadmin/race1.txt")).lines;
}

void TestWindEntry::clicksInAnyOrderAreSaved()
{
    platform::ScriptedDialogs dialogs;
    platform::DialogsGuard guard(&dialogs);
    WindEntry entry;
    entry.toggle(m_settings, m_race, m_data);
    QVERIFY(entry.isOn());
    QVERIFY(dialogs.shown.isEmpty()); // no wind file yet: nothing to overwrite
    QCOMPARE(entry.last(), 0);

    // 20 minutes at 230, 10 minutes at 200, 30 minutes at 170.
    QVERIFY(entry.press(150, yOf(1200), m_scale, m_race, m_data));
    QCOMPARE(entry.last(), 2);
    QVERIFY(entry.press(120, yOf(600), m_scale, m_race, m_data));
    QVERIFY(entry.press(90, yOf(1800), m_scale, m_race, m_data));
    QCOMPARE(entry.last(), 4);
    // Outside the direction panel nothing happens.
    QVERIFY(!entry.press(395, yOf(900), m_scale, m_race, m_data));
    QVERIFY(!entry.press(29, yOf(900), m_scale, m_race, m_data));

    QCOMPARE(m_race.WindFile, QStringLiteral("race1_WIND.CSV"));
    const QVector<double> times{-300, 600, 1200, 1800, 3600};
    const QVector<double> directions{200, 200, 230, 170, 170};
    QCOMPARE(m_data.Wind.size(), 5);
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(m_data.Wind[i].Time, times[i]);
        QCOMPARE(m_data.Wind[i].Direction, directions[i]);
        QCOMPARE(m_data.Wind[i].Speed, 0.0); // no record before: no speed measured
    }

    dialogs.answers = {true};
    entry.toggle(m_settings, m_race, m_data);
    QVERIFY(!entry.isOn());
    QCOMPARE(dialogs.shown.size(), 1);
    QCOMPARE(dialogs.shown[0].kind, platform::ScriptedDialogs::Shown::Question);
    QCOMPARE(dialogs.shown[0].text, QStringLiteral("Do you want to save Wind Data File ?"));
    QCOMPARE(dialogs.shown[0].caption, QStringLiteral("Create Wind Data File"));
    QVERIFY(dialogs.messages().isEmpty());

    // The file reads back as entered, and the race file now names it.
    QVector<WindSample> back;
    QVERIFY(ReadWindFile(m_settings, m_race, back));
    QCOMPARE(back.size(), 5);
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(back[i].Time, times[i]);
        QCOMPARE(back[i].Direction, directions[i]);
    }
    QCOMPARE(m_race.WindFile, QStringLiteral("race1_WIND.CSV"));
    QCOMPARE(raceFileLines(), (QStringList{QStringLiteral("WF, race1_WIND.CSV"), QStringLiteral("T1, Spring Cup"),
                                           QStringLiteral("ZZ, kept by other readers"),
                                           QStringLiteral("BN, boat1.trk, Boat 1")}));
}

void TestWindEntry::fileName_data()
{
    QTest::addColumn<QString>("raceFile");
    QTest::addColumn<QString>("windFile");
    QTest::newRow("race1.txt") << "race1.txt" << "race1_WIND.CSV";
    QTest::newRow("two points") << "a.b.txt" << "a_WIND.CSV";
}

void TestWindEntry::fileName()
{
    QFETCH(QString, raceFile);
    QFETCH(QString, windFile);
    platform::ScriptedDialogs dialogs;
    platform::DialogsGuard guard(&dialogs);
    m_race.FileName = raceFile;
    WindEntry entry;
    entry.toggle(m_settings, m_race, m_data);
    QVERIFY(entry.press(120, yOf(600), m_scale, m_race, m_data));
    QCOMPARE(m_race.WindFile, windFile);
}

void TestWindEntry::overwriteDeclined()
{
    platform::ScriptedDialogs dialogs;
    platform::DialogsGuard guard(&dialogs);
    m_settings.setLanguage(UiLanguage::Japanese);
    m_race.WindFile = QStringLiteral("gastra.csv");
    m_data.Wind = {{0, 10, 190}, {3600, 12, 210}};
    const QVector<WindSample> before = m_data.Wind;
    WindEntry entry;
    dialogs.answers = {false};
    entry.toggle(m_settings, m_race, m_data);
    QVERIFY(!entry.isOn());
    QCOMPARE(dialogs.shown.size(), 1);
    QCOMPARE(dialogs.shown[0].text, QStringLiteral("風データファイルを書き換えますか？"));
    QCOMPARE(dialogs.shown[0].caption, QStringLiteral("風データの作成"));
    QVERIFY(!entry.press(120, yOf(600), m_scale, m_race, m_data));
    QCOMPARE(m_race.WindFile, QStringLiteral("gastra.csv"));
    QCOMPARE(m_data.Wind.size(), before.size());
    QCOMPARE(m_data.Wind[1].Direction, 210.0);
}

void TestWindEntry::oneClickAsksNothing()
{
    platform::ScriptedDialogs dialogs;
    platform::DialogsGuard guard(&dialogs);
    WindEntry entry;
    entry.toggle(m_settings, m_race, m_data);
    QVERIFY(entry.press(120, yOf(600), m_scale, m_race, m_data));
    entry.toggle(m_settings, m_race, m_data);
    QVERIFY(!entry.isOn());
    QVERIFY(dialogs.shown.isEmpty());
    // The sample stays in the table; the race keeps no name for a file that was not made.
    QCOMPARE(m_data.Wind.size(), 3);
    QVERIFY(m_race.WindFile.isEmpty());
    QVERIFY(!QFile::exists(m_dir.path() + QStringLiteral("/winddat/race1_WIND.CSV")));
}

void TestWindEntry::saveDeclined()
{
    platform::ScriptedDialogs dialogs;
    platform::DialogsGuard guard(&dialogs);
    m_race.WindFile = QStringLiteral("gastra.csv");
    WindEntry entry;
    dialogs.answers = {true, false}; // overwrite: yes; save: no
    entry.toggle(m_settings, m_race, m_data);
    QVERIFY(entry.isOn());
    QVERIFY(entry.press(120, yOf(600), m_scale, m_race, m_data));
    QVERIFY(entry.press(120, yOf(1200), m_scale, m_race, m_data));
    QCOMPARE(m_race.WindFile, QStringLiteral("race1_WIND.CSV"));
    entry.toggle(m_settings, m_race, m_data);
    QCOMPARE(dialogs.shown.size(), 2);
    QVERIFY(!entry.isOn());
    QCOMPARE(m_race.WindFile, QStringLiteral("gastra.csv"));
    QCOMPARE(m_data.Wind.size(), 4);
    QVERIFY(!QFile::exists(m_dir.path() + QStringLiteral("/winddat/race1_WIND.CSV")));
    QCOMPARE(raceFileLines().first(), QStringLiteral("T1, Spring Cup"));
}

void TestWindEntry::speedsFromTheRecordShown()
{
    platform::ScriptedDialogs dialogs;
    platform::DialogsGuard guard(&dialogs);
    m_race.WindFile = QStringLiteral("gastra.csv");
    m_data.Wind = {{0, 10, 190}, {3600, 11, 210}};
    WindEntry entry;
    dialogs.answers = {true};
    entry.toggle(m_settings, m_race, m_data);
    QVERIFY(entry.press(120, yOf(1800), m_scale, m_race, m_data));
    QVERIFY(entry.press(120, yOf(-120), m_scale, m_race, m_data));
    QVERIFY(entry.press(120, yOf(1200), m_scale, m_race, m_data));
    // −120 s lies before the record: no speed; 1800 s halfway between 10 and 11; 1200 s a
    // third of the way, to the hundredth of a knot.
    QCOMPARE(m_data.Wind.size(), 5);
    QCOMPARE(m_data.Wind[1].Time, -120.0);
    QCOMPARE(m_data.Wind[1].Speed, 0.0);
    QCOMPARE(m_data.Wind[2].Speed, 10.33);
    QCOMPARE(m_data.Wind[3].Speed, 10.5);
    // The copies carry the speed of the sample they copy.
    QCOMPARE(m_data.Wind[0].Speed, 0.0);
    QCOMPARE(m_data.Wind[4].Speed, 10.5);
}

void TestWindEntry::raceFileNamesTheWindFile()
{
    platform::ScriptedDialogs dialogs;
    platform::DialogsGuard guard(&dialogs);
    writeRaceFile({QStringLiteral("WF, gastra.csv"), QStringLiteral("T1, Spring Cup"), QStringLiteral("WF,other.csv"),
                   QStringLiteral("ZZ, 1")});
    m_race.WindFile = QStringLiteral("race1_WIND.CSV");
    QVERIFY(storeWindFileName(m_settings, m_race));
    QCOMPARE(raceFileLines(), (QStringList{QStringLiteral("WF, race1_WIND.CSV"), QStringLiteral("T1, Spring Cup"),
                                           QStringLiteral("WF, race1_WIND.CSV"), QStringLiteral("ZZ, 1")}));
    // A race file that already names it is left alone; a missing one is reported.
    writeRaceFile({QStringLiteral("WF,race1_wind.csv"), QStringLiteral("T1, Spring Cup")});
    QVERIFY(storeWindFileName(m_settings, m_race));
    QCOMPARE(raceFileLines().first(), QStringLiteral("WF,race1_wind.csv"));
    m_race.FileName = QStringLiteral("gone.txt");
    QVERIFY(!storeWindFileName(m_settings, m_race));
    QCOMPARE(dialogs.messages().size(), 1);
    QVERIFY(dialogs.messages().first().contains(QStringLiteral("race1_WIND.CSV")));
}

QTEST_GUILESS_MAIN(TestWindEntry)
#include "tst_windentry.moc"
