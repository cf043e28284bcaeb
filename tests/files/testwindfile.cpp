// Wind data files and the wind at a replay time.
#include <windfile.h>

#include <dialogs.h>
#include <textfile.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using platform::LocalDateTime;

namespace {

LocalDateTime dt(const char *text)
{
    return LocalDateTime::parse(QString::fromLatin1(text));
}

RaceControl race()
{
    RaceControl rc;
    rc.StartTime = dt("2008/03/03 10:30:00");
    rc.FinishTime = dt("2008/03/03 11:30:00");
    rc.DisplayStart = rc.StartTime.addSecs(-210);
    rc.DisplayEnd = rc.FinishTime;
    return rc;
}

WindSample sample(double time, double speed, double direction)
{
    WindSample s;
    s.Time = time;
    s.Speed = speed;
    s.Direction = direction;
    return s;
}

} // namespace

class TestWindFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void headerOnly();
    void windowAndBadLines();
    void systemDateForms_data();
    void systemDateForms();
    void openWindowWithoutFinish();
    void writeReadBack();
    void writeFailures();
    void readMissingFile();
    void windAt_data();
    void windAt();
    void searchFollowsPlayAndJumps();
    void windAtSetsRace();
    void manualName();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    AppSettings m_settings;
    platform::ScriptedDialogs m_dialogs;
    std::unique_ptr<platform::DialogsGuard> m_guard;
};

void TestWindFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_settings = AppSettings();
    m_settings.ApplicationFolder = m_dir->path();
    m_settings.setLanguage(UiLanguage::English);
    m_dialogs = platform::ScriptedDialogs();
    m_guard = std::make_unique<platform::DialogsGuard>(&m_dialogs);
}

void TestWindFile::cleanup()
{
    m_guard.reset();
    m_dir.reset();
}

void TestWindFile::headerOnly()
{
    QVERIFY(parseWindLines({windFileHeader()}, race()).isEmpty());
    QVERIFY(parseWindLines({}, race()).isEmpty());
}

void TestWindFile::windowAndBadLines()
{
    FileProblems problems;
    ProblemReporter warnings(&problems, QStringLiteral("winddat/w.csv"));
    const QVector<WindSample> samples = parseWindLines(
        {QStringLiteral("anything at all"),
         QStringLiteral("2008/03/03 10:26:05,9,200"),  // window starts 10:26:30: same minute, inside
         QStringLiteral("2008/03/03 10:25:59,9,200"),  // minute before: outside
         QStringLiteral("2008/03/03 10:30:30,10.5,350.5,extra"),
         QStringLiteral(""),
         QStringLiteral("2008/13/03 10:31:00,9,200"),  // impossible date
         QStringLiteral("2008/03/03 10:32:00,9"),      // too few values
         QStringLiteral("2008/03/03 10:33:00,calm,0"), // no speed
         QStringLiteral("2008/03/03 11:30:59,8,10"),   // last minute: inside
         QStringLiteral("2008/03/03 11:31:00,8,10")},  // outside
        race(), &warnings);
    QCOMPARE(samples.size(), 3);
    QCOMPARE(samples[0].Time, -235.0);
    QCOMPARE(samples[1].Time, 30.0);
    QCOMPARE(samples[1].Speed, 10.5);
    QCOMPARE(samples[1].Direction, 350.5);
    QCOMPARE(samples[2].Time, 3659.0);
    QCOMPARE(problems, (FileProblems{{"winddat/w.csv", 6, FileProblem::UnreadableDateTime, "2008/13/03 10:31:00"},
                                     {"winddat/w.csv", 7, FileProblem::FewerThanThreeValues, {}},
                                     {"winddat/w.csv", 8, FileProblem::NotANumber, "calm"}}));
}

void TestWindFile::systemDateForms_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected"); // empty: not read
    // Written on a Japanese system, and on the English (United States) one the English interface needs.
    QTest::newRow("Japanese") << "2008/03/03 10:34:00" << "2008/03/03 10:34:00";
    QTest::newRow("US morning") << "3/3/2008 10:34:00 AM" << "2008/03/03 10:34:00";
    QTest::newRow("US afternoon") << "3/3/2008 2:05:09 PM" << "2008/03/03 14:05:09";
    QTest::newRow("US noon") << "3/3/2008 12:00:00 PM" << "2008/03/03 12:00:00";
    QTest::newRow("US past midnight") << "3/4/2008 12:30:00 AM" << "2008/03/04 00:30:00";
    QTest::newRow("US midnight, date alone") << "3/4/2008" << "2008/03/04 00:00:00";
    QTest::newRow("US month first") << "12/1/2008 9:00:00 AM" << "2008/12/01 09:00:00";
    QTest::newRow("US lower case, no seconds") << "3/3/2008 10:34 pm" << "2008/03/03 22:34:00";
    QTest::newRow("US 24 hours") << "3/3/2008 17:10:00" << "2008/03/03 17:10:00";
    QTest::newRow("US hour 13 PM") << "3/3/2008 13:00:00 PM" << "";
    QTest::newRow("US hour 0 AM") << "3/3/2008 0:10:00 AM" << "";
    QTest::newRow("US month 13") << "13/3/2008 10:00:00 AM" << "";
    QTest::newRow("two-digit year") << "3/3/08 10:00:00 AM" << "";
}

void TestWindFile::systemDateForms()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    RaceControl rc = race();
    rc.FinishTime = {};
    rc.DisplayEnd = {};
    FileProblems problems;
    QVector<WindSample> samples;
    {
        ProblemReporter reporter(&problems, QStringLiteral("winddat/w.csv"));
        samples = parseWindLines({windFileHeader(), text + QStringLiteral(",12,200")}, rc, &reporter);
    }
    if (expected.isEmpty()) {
        QVERIFY(samples.isEmpty());
        QCOMPARE(problems.size(), 1);
        QCOMPARE(problems[0].kind, FileProblem::UnreadableDateTime);
        QCOMPARE(problems[0].line, 2);
    } else {
        QVERIFY(problems.isEmpty());
        QCOMPARE(samples.size(), 1);
        QCOMPARE(rc.StartTime.addSecs(qint64(samples[0].Time)).toString(), expected);
        QCOMPARE(samples[0].Speed, 12.0);
    }
}

void TestWindFile::openWindowWithoutFinish()
{
    RaceControl rc = race();
    rc.FinishTime = {};
    rc.DisplayEnd = {};
    const auto samples = parseWindLines({windFileHeader(), QStringLiteral("2008/03/03 08:00:00,1,2"),
                                         QStringLiteral("2008/03/04 08:00:00,1,2")},
                                        rc);
    QCOMPARE(samples.size(), 2);
}

void TestWindFile::writeReadBack()
{
    RaceControl rc = race();
    rc.WindFile = QStringLiteral("race_WIND.CSV");
    const QVector<WindSample> written = {sample(-200, 10.25, 350), sample(0, 0, 0), sample(3600, 12.125, 359.9)};
    QVERIFY(WriteWindFile(m_settings, rc, written)); // makes the winddat folder
    QVERIFY(m_dialogs.shown.isEmpty());
    const auto read = platform::readTextFile(m_dir->path() + QStringLiteral("/winddat/race_WIND.CSV"));
    QVERIFY(read.ok);
    QCOMPARE(read.lines.value(0), windFileHeader());
    QCOMPARE(read.lines.value(1), QStringLiteral("2008/03/03 10:26:40,10.25,350"));

    QVector<WindSample> back = {sample(1, 1, 1)};
    QVERIFY(ReadWindFile(m_settings, rc, back));
    QCOMPARE(back.size(), written.size());
    for (int i = 0; i < written.size(); ++i) {
        QCOMPARE(back[i].Time, written[i].Time);
        QCOMPARE(back[i].Speed, written[i].Speed);
        QCOMPARE(back[i].Direction, written[i].Direction);
    }
}

void TestWindFile::writeFailures()
{
    RaceControl rc = race();
    rc.WindFile = QStringLiteral("w.csv");
    rc.StartTime = {};
    QVERIFY(!WriteWindFile(m_settings, rc, {sample(0, 1, 1)}));
    QCOMPARE(m_dialogs.messages().size(), 1);
    QVERIFY(m_dialogs.messages()[0].contains(QLatin1String("w.csv")));

    // A folder where the file should go: the folder is left as it was.
    rc = race();
    rc.WindFile = QStringLiteral("taken");
    QVERIFY(QDir().mkpath(m_dir->path() + QStringLiteral("/winddat/taken")));
    QVERIFY(!WriteWindFile(m_settings, rc, {sample(0, 1, 1)}));
    QCOMPARE(m_dialogs.messages().size(), 2);
    QVERIFY(QFileInfo(m_dir->path() + QStringLiteral("/winddat/taken")).isDir());
}

void TestWindFile::readMissingFile()
{
    RaceControl rc = race();
    QVector<WindSample> samples = {sample(1, 1, 1)};
    QVERIFY(!ReadWindFile(m_settings, rc, samples)); // no name
    QVERIFY(samples.isEmpty());
    rc.WindFile = QStringLiteral("none.csv");
    QVERIFY(!ReadWindFile(m_settings, rc, samples));
    QVERIFY(m_dialogs.shown.isEmpty());
}

void TestWindFile::windAt_data()
{
    QTest::addColumn<QVector<WindSample>>("samples");
    QTest::addColumn<double>("t");
    QTest::addColumn<double>("variation");
    QTest::addColumn<double>("speed");
    QTest::addColumn<double>("direction");

    const QVector<WindSample> northerly = {sample(0, 10, 350), sample(60, 10.5, 10)};
    QTest::newRow("short way through north") << northerly << 30.0 << 0.0 << 10.3 << 0.0;
    QTest::newRow("west variation") << northerly << 30.0 << -7.0 << 10.3 << 353.0;
    QTest::newRow("east variation") << northerly << 30.0 << 7.0 << 10.3 << 7.0;
    QTest::newRow("at a sample") << northerly << 0.0 << 0.0 << 10.0 << 350.0;
    QTest::newRow("quarter way") << northerly << 15.0 << 0.0 << 10.1 << 355.0;
    const QVector<WindSample> backing = {sample(0, 8, 10), sample(100, 8, 300)};
    QTest::newRow("short way backwards") << backing << 50.0 << 0.0 << 8.0 << 335.0;
    QTest::newRow("before the first holds it") << northerly << -500.0 << 0.0 << 10.0 << 350.0;
    QTest::newRow("after the last holds it") << northerly << 900.0 << -7.0 << 10.5 << 3.0;
    QTest::newRow("exactly the last") << northerly << 60.0 << 0.0 << 10.5 << 10.0;
    QTest::newRow("single sample") << QVector<WindSample>{sample(100, 4.44, 90)} << 0.0 << 0.0 << 4.4 << 90.0;
}

void TestWindFile::windAt()
{
    QFETCH(QVector<WindSample>, samples);
    QFETCH(double, t);
    QFETCH(double, variation);
    QFETCH(double, speed);
    QFETCH(double, direction);

    for (bool forward : {true, false}) {
        WindSearch search;
        const auto w = ::windAt(samples, t, forward, variation, search);
        QVERIFY(w.has_value());
        QVERIFY2(qAbs(w->Speed - speed) < 1e-9, qPrintable(QString::number(w->Speed)));
        QVERIFY2(qAbs(w->Direction - direction) < 1e-9, qPrintable(QString::number(w->Direction)));
        QVERIFY(w->Direction >= 0.0 && w->Direction < 360.0);
    }
}

void TestWindFile::searchFollowsPlayAndJumps()
{
    QVector<WindSample> samples;
    for (int i = 0; i <= 10; ++i)
        samples << sample(i * 60, i, i * 10);
    WindSearch search;
    QCOMPARE(::windAt(samples, 130, true, 0, search)->Direction, 21.0 + 2.0 / 3.0);
    QCOMPARE(search.index, 2);
    QCOMPARE(::windAt(samples, 190, true, 0, search)->Direction, 31.0 + 2.0 / 3.0);
    QCOMPARE(search.index, 3);
    // Playing forward, a jump back (seek) still finds the right pair.
    QCOMPARE(::windAt(samples, 30, true, 0, search)->Direction, 5.0);
    QCOMPARE(search.index, 0);
    // Playing backward from the start, a jump to the end.
    QCOMPARE(::windAt(samples, 570, false, 0, search)->Direction, 95.0);
    QCOMPARE(search.index, 9);
    QCOMPARE(::windAt(samples, 500, false, 0, search)->Direction, 500.0 / 6.0);
    QCOMPARE(search.index, 8);
    // Outside: nothing brackets, the index is forgotten.
    QCOMPARE(::windAt(samples, 5000, true, 0, search)->Direction, 100.0);
    QCOMPARE(search.index, -1);
    QVERIFY(!::windAt({}, 0, true, 0, search).has_value());
}

void TestWindFile::windAtSetsRace()
{
    RaceControl rc = race();
    rc.MagneticVariation = -7;
    rc.ShownWindSpeed = 3;
    rc.ShownWindDirection = 45;
    WindSearch search;
    QVERIFY(!WindAt(rc, {}, 0, true, search));
    QCOMPARE(rc.ShownWindSpeed, 3.0);
    QCOMPARE(rc.ShownWindDirection, 45.0);
    QVERIFY(WindAt(rc, {sample(0, 10, 350), sample(60, 10.5, 10)}, 30, true, search));
    QCOMPARE(rc.ShownWindSpeed, 10.3);
    QCOMPARE(rc.ShownWindDirection, 353.0);
}

void TestWindFile::manualName()
{
    QCOMPARE(manualWindFileName(QStringLiteral("race.a.txt")), QStringLiteral("race_WIND.CSV"));
    QCOMPARE(manualWindFileName(QStringLiteral("race")), QStringLiteral("race_WIND.CSV"));
}

QTEST_GUILESS_MAIN(TestWindFile)
#include "testwindfile.moc"
