// New start and finish times of the race display and saving its race under a name: the check
// against the GPS data, the name an answer gives, and the questions and files of "Above time
// OK" and EXIT, with the dialogs scripted.
#include <formtexts.h>
#include <racecontrolfile.h>
#include <racetimes.h>

#include <appfolder.h>
#include <dialogs.h>
#include <textfile.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using platform::LocalDateTime;

class TestRaceTimes : public QObject
{
    Q_OBJECT
private slots:
    void hourBoundaries_data();
    void hourBoundaries();
    void timesNearTheGpsData_data();
    void timesNearTheGpsData();
    void nameOfAnAnswer_data();
    void nameOfAnAnswer();
    void acceptedTimesSavedUnderAName_data();
    void acceptedTimesSavedUnderAName();
    void refusedTimesChangeNothing_data();
    void refusedTimesChangeNothing();
    void whoIsAskedToSave_data();
    void whoIsAskedToSave();
    void aNameWithAFolderIsAskedAgain();
    void aFailedWriteKeepsTheRaceFile();

private:
    struct Folder {
        QTemporaryDir dir;
        AppSettings settings;
        RaceControl race;
    };
    // A race of `boats` boats whose GPS records run from 2008/03/01 10:00:00 to 12:00:00,
    // stored as raceadmin/race1.txt.
    static void makeRace(Folder &f, int boats, bool english = true, bool editMode = true);
    static QString raceFile(const Folder &f, const QString &name)
    {
        return f.dir.path() + QStringLiteral("/raceadmin/") + name;
    }
};

void TestRaceTimes::makeRace(Folder &f, int boats, bool english, bool editMode)
{
    QVERIFY(f.dir.isValid());
    QDir(f.dir.path()).mkpath(QStringLiteral("raceadmin"));
    f.settings.ApplicationFolder = f.dir.path();
    f.settings.setLanguage(english ? UiLanguage::English : UiLanguage::Japanese);
    f.settings.EditMode = editMode;
    f.race.FileName = QStringLiteral("race1.txt");
    f.race.Title1 = QStringLiteral("Spring Cup");
    f.race.StartTime = LocalDateTime::fromParts(2008, 3, 1, 10, 30, 0);
    f.race.FinishTime = LocalDateTime::fromParts(2008, 3, 1, 11, 30, 0);
    f.race.TimeDifference = 9;
    for (int i = 1; i <= boats; ++i) {
        BoatEntry b;
        b.TrackFile = QStringLiteral("b%1.trk").arg(i);
        b.Name = QStringLiteral("Boat %1").arg(i);
        f.race.Boats.append(b);
    }
    QVERIFY(platform::writeTextFile(raceFile(f, f.race.FileName), formatRaceControl(f.race)));
    f.race.FirstFixTime = LocalDateTime::fromParts(2008, 3, 1, 10, 0, 0);
    f.race.LastFixTime = LocalDateTime::fromParts(2008, 3, 1, 12, 0, 0);
}

void TestRaceTimes::hourBoundaries_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<qint64>("hours");
    QTest::newRow("one boundary in two minutes") << "2008/03/01 10:59:00" << "2008/03/01 11:01:00" << qint64(1);
    QTest::newRow("none in 58 minutes") << "2008/03/01 10:01:00" << "2008/03/01 10:59:00" << qint64(0);
    QTest::newRow("backwards") << "2008/03/01 11:01:00" << "2008/03/01 10:59:00" << qint64(-1);
    QTest::newRow("across midnight") << "2008/02/29 23:30:00" << "2008/03/01 00:10:00" << qint64(1);
    QTest::newRow("ten days") << "2008/03/01 10:00:00" << "2008/03/11 10:00:00" << qint64(240);
}

void TestRaceTimes::hourBoundaries()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(qint64, hours);
    QCOMPARE(hourBoundariesBetween(LocalDateTime::parse(from), LocalDateTime::parse(to)), hours);
}

void TestRaceTimes::timesNearTheGpsData_data()
{
    // GPS records from 2008/03/01 10:00:00 to 12:00:00.
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("finish");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("the race itself") << "2008/03/01 10:30:00" << "2008/03/01 11:30:00" << true;
    QTest::newRow("start 9 days after the first record") << "2008/03/10 10:30:00" << "2008/03/10 11:30:00" << true;
    QTest::newRow("start 11 days after the first record") << "2008/03/12 10:30:00" << "2008/03/12 11:30:00" << false;
    QTest::newRow("start 239 hours after") << "2008/03/11 09:59:59" << "2008/03/11 10:30:00" << true;
    QTest::newRow("start 240 hours after") << "2008/03/11 10:00:00" << "2008/03/11 10:30:00" << false;
    QTest::newRow("finish 239 hours before the last record") << "2008/02/20 12:00:00" << "2008/02/20 13:00:00" << true;
    QTest::newRow("finish 240 hours before") << "2008/02/20 12:00:00" << "2008/02/20 12:59:59" << false;
    QTest::newRow("start not a date-time") << "yesterday" << "2008/03/01 11:30:00" << false;
    QTest::newRow("finish empty") << "2008/03/01 10:30:00" << "" << false;
    QTest::newRow("impossible date") << "2008/02/30 10:30:00" << "2008/03/01 11:30:00" << false;
    QTest::newRow("finish before the start") << "2008/03/01 11:30:00" << "2008/03/01 10:30:00" << false;
    QTest::newRow("other date forms") << "2008-03-01 10:30" << " 01-MAR-2008 11:30:00 " << true;
}

void TestRaceTimes::timesNearTheGpsData()
{
    QFETCH(QString, start);
    QFETCH(QString, finish);
    QFETCH(bool, accepted);
    RaceControl race;
    race.FirstFixTime = LocalDateTime::fromParts(2008, 3, 1, 10, 0, 0);
    race.LastFixTime = LocalDateTime::fromParts(2008, 3, 1, 12, 0, 0);
    const std::optional<RaceTimes> times = checkRaceTimes(start, finish, race);
    QCOMPARE(times.has_value(), accepted);
    if (accepted) {
        QCOMPARE(times->start, LocalDateTime::parse(start.trimmed()));
        QCOMPARE(times->finish, LocalDateTime::parse(finish.trimmed()));
    }
    // A race without GPS records has nothing to be near: form and order decide alone.
    race.FirstFixTime = {};
    race.LastFixTime = {};
    const bool wellFormed = !LocalDateTime::parse(start.trimmed()).isNull() && !LocalDateTime::parse(finish.trimmed()).isNull()
        && LocalDateTime::parse(start.trimmed()) < LocalDateTime::parse(finish.trimmed());
    QCOMPARE(checkRaceTimes(start, finish, race).has_value(), wellFormed);
}

void TestRaceTimes::nameOfAnAnswer_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("name");
    QTest::newRow("plain") << "race2" << "race2.txt";
    QTest::newRow("upper case extension") << "race2.TXT" << "race2.TXT";
    QTest::newRow("holds .txt") << "race2.txt.bak" << "race2.txt.bak";
    QTest::newRow("another extension") << "race2.csv" << "race2.csv.txt";
    QTest::newRow("mixed case extension") << "race2.Txt" << "race2.Txt.txt";
    QTest::newRow("blanks around") << "  race2  " << "race2.txt";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("blanks only") << "   " << "";
}

void TestRaceTimes::nameOfAnAnswer()
{
    QFETCH(QString, answer);
    QFETCH(QString, name);
    QCOMPARE(raceFileNameForAnswer(answer), name);
}

void TestRaceTimes::acceptedTimesSavedUnderAName_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("written");
    QTest::newRow("race2") << true << "race2" << "race2.txt";
    QTest::newRow("race2.TXT") << false << "race2.TXT" << "race2.TXT";
    QTest::newRow("same name") << true << "race1.txt" << "race1.txt";
}

void TestRaceTimes::acceptedTimesSavedUnderAName()
{
    QFETCH(bool, english);
    QFETCH(QString, answer);
    QFETCH(QString, written);
    Folder f;
    makeRace(f, 2, english);
    platform::ScriptedDialogs dialogs;
    dialogs.answers = {true};
    dialogs.inputs = {answer};
    platform::DialogsGuard guard(&dialogs);
    QVERIFY(AcceptNewTimes(f.settings, f.race, QStringLiteral("2008/03/01 10:40:00"),
                           QStringLiteral("2008/03/01 11:20:00")));

    QCOMPARE(dialogs.shown.size(), 2);
    QCOMPARE(dialogs.shown[0].kind, platform::ScriptedDialogs::Shown::Question);
    QCOMPARE(dialogs.shown[0].text, english ? QStringLiteral("Do you want to save Race Cintrol File？")
                                            : QStringLiteral("管理ファイルを保存しますか？"));
    QCOMPARE(dialogs.shown[0].caption, english ? QStringLiteral("orvane") : QString());
    QCOMPARE(dialogs.shown[1].kind, platform::ScriptedDialogs::Shown::Input);
    QCOMPARE(dialogs.shown[1].text, english ? QStringLiteral("Input race control file name\r\n（ex. JapanCup2004_R2)")
                                            : QStringLiteral("レース管理ファイル名を入力してください\r\n（ex. JapanCup2004_R2)"));
    QCOMPARE(dialogs.shown[1].caption, english ? QStringLiteral("File Name") : QStringLiteral("レース管理ファイル名"));

    QCOMPARE(f.race.FileName, written);
    QCOMPARE(f.race.StartTime.toString(), QStringLiteral("2008/03/01 10:40:00"));
    QCOMPARE(f.race.DisplayStart.toString(), QStringLiteral("2008/03/01 10:40:00"));
    QCOMPARE(f.race.DisplayEnd.toString(), QStringLiteral("2008/03/01 11:20:00"));
    // The file holds the new times; read back, it is the race.
    const QStringList lines = platform::readTextFile(raceFile(f, written)).lines;
    RaceControl back;
    parseRaceControl(lines, back);
    QCOMPARE(back.StartTime.toString(), QStringLiteral("2008/03/01 10:40:00"));
    QCOMPARE(back.FinishTime.toString(), QStringLiteral("2008/03/01 11:20:00"));
    QCOMPARE(back.boatCount(), 2);
    QCOMPARE(back.Title1, QStringLiteral("Spring Cup"));
    QCOMPARE(QDir(f.dir.path() + QStringLiteral("/raceadmin")).entryList(QDir::Files).contains(written), true);
}

void TestRaceTimes::refusedTimesChangeNothing_data()
{
    QTest::addColumn<bool>("english");
    QTest::newRow("English") << true;
    QTest::newRow("Japanese") << false;
}

void TestRaceTimes::refusedTimesChangeNothing()
{
    QFETCH(bool, english);
    Folder f;
    makeRace(f, 2, english);
    const QByteArray before = [&] {
        QFile file(raceFile(f, QStringLiteral("race1.txt")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    platform::ScriptedDialogs dialogs;
    platform::DialogsGuard guard(&dialogs);
    QVERIFY(!AcceptNewTimes(f.settings, f.race, QStringLiteral("2008/03/12 10:30:00"),
                            QStringLiteral("2008/03/12 11:30:00")));
    QCOMPARE(dialogs.shown.size(), 1);
    QCOMPARE(dialogs.shown[0].kind, platform::ScriptedDialogs::Shown::Message);
    QCOMPARE(dialogs.shown[0].text, english ? QStringLiteral("Incorrect data format !  Be sure the date format ")
                                            : QStringLiteral("日時のﾃﾞｰﾀが正しくありません。必ず同じスタイルで入力してください。"));
    QCOMPARE(dialogs.shown[0].caption, english ? QStringLiteral("orvane") : QString());
    QCOMPARE(f.race.StartTime.toString(), QStringLiteral("2008/03/01 10:30:00"));
    QCOMPARE(f.race.FileName, QStringLiteral("race1.txt"));
    QFile file(raceFile(f, QStringLiteral("race1.txt")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
}

void TestRaceTimes::whoIsAskedToSave_data()
{
    QTest::addColumn<bool>("exit");
    QTest::addColumn<int>("boats");
    QTest::addColumn<bool>("editMode");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<bool>("asked");
    QTest::newRow("times, two boats, edit mode") << false << 2 << true << "race1.txt" << true;
    QTest::newRow("times, one boat") << false << 1 << true << "race1.txt" << false;
    QTest::newRow("times, viewing mode") << false << 2 << false << "race1.txt" << false;
    QTest::newRow("exit, edit mode") << true << 1 << true << "race1.txt" << true;
    QTest::newRow("exit, viewing mode") << true << 2 << false << "race1.txt" << false;
    QTest::newRow("exit, single track") << true << 1 << true << "" << false;
}

void TestRaceTimes::whoIsAskedToSave()
{
    QFETCH(bool, exit);
    QFETCH(int, boats);
    QFETCH(bool, editMode);
    QFETCH(QString, fileName);
    QFETCH(bool, asked);
    Folder f;
    makeRace(f, boats, true, editMode);
    f.race.FileName = fileName;
    platform::ScriptedDialogs dialogs;
    dialogs.answers = {false};
    platform::DialogsGuard guard(&dialogs);
    if (exit)
        OfferSaveOnExit(f.settings, f.race);
    else
        QVERIFY(AcceptNewTimes(f.settings, f.race, QStringLiteral("2008/03/01 10:40:00"),
                               QStringLiteral("2008/03/01 11:20:00")));
    QCOMPARE(dialogs.shown.size(), asked ? 1 : 0);
    if (asked && exit)
        QCOMPARE(dialogs.shown[0].text, QStringLiteral("Save Race Control File？"));
    // No is the end of it: no name is asked and no file written.
    QCOMPARE(QDir(f.dir.path() + QStringLiteral("/raceadmin")).entryList(QDir::Files),
             QStringList(QStringLiteral("race1.txt")));
}

void TestRaceTimes::aNameWithAFolderIsAskedAgain()
{
    Folder f;
    makeRace(f, 2);
    platform::ScriptedDialogs dialogs;
    dialogs.answers = {true};
    dialogs.inputs = {QStringLiteral("../outside"), QStringLiteral("inside")};
    platform::DialogsGuard guard(&dialogs);
    OfferSaveOnExit(f.settings, f.race);
    QCOMPARE(dialogs.messages(), QStringList(QStringLiteral("Input File Name")));
    QCOMPARE(dialogs.shown.last().kind, platform::ScriptedDialogs::Shown::Input);
    QCOMPARE(dialogs.shown.last().text, QStringLiteral("Input Race Control File Name\r\n（ex. JapanCup2005_R2)"));
    QCOMPARE(dialogs.shown.last().caption, QStringLiteral("Race Control File name"));
    QVERIFY(!QFile::exists(f.dir.path() + QStringLiteral("/outside.txt")));
    QVERIFY(QFile::exists(raceFile(f, QStringLiteral("inside.txt"))));
    QCOMPARE(f.race.FileName, QStringLiteral("inside.txt"));
}

void TestRaceTimes::aFailedWriteKeepsTheRaceFile()
{
    Folder f;
    makeRace(f, 2);
    // A folder where the new file should go: the write fails.
    QVERIFY(QDir(f.dir.path()).mkpath(QStringLiteral("raceadmin/taken.txt")));
    platform::ScriptedDialogs dialogs;
    dialogs.answers = {true};
    dialogs.inputs = {QStringLiteral("taken")};
    platform::DialogsGuard guard(&dialogs);
    QVERIFY(!SaveRaceUnderName(f.settings, f.race, RaceNamePrompt::Exit));
    QCOMPARE(dialogs.messages().size(), 1);
    QVERIFY(dialogs.messages().first().contains(QStringLiteral("taken.txt")));
    QCOMPARE(f.race.FileName, QStringLiteral("race1.txt"));
}

QTEST_GUILESS_MAIN(TestRaceTimes)
#include "testracetimes.moc"
