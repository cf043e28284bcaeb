#include <racegenerator.h>
#include <racereport.h>
#include <raceloader.h>

#include <dialogs.h>
#include <racecontrolfile.h>
#include <textfile.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QtTest>

// A simulated race is written to a temporary application folder, loaded as orvane loads it,
// and its passing times compared with the moments the simulation had each boat cross the
// finish. Then the program itself is run on it and on bad arguments.
class TestRaceReport : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void finishMatchesSimulation();
    void jsonHoldsWholeRace();
    void csvLegTable();
    void programPrintsJson();
    void programRefusesBadInput_data();
    void programRefusesBadInput();
    void damagedRaceStillLoads_data();
    void damagedRaceStillLoads();
    void programReportsProblems();

private:
    // A copy of the simulated race in a folder of its own, for damaging.
    void copyRace(const QTemporaryDir &dir);
    QTemporaryDir m_dir;
    tools::GeneratedRace m_generated;
    QString m_raceFile;
};

void TestRaceReport::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const auto preset = tools::presetRace(QStringLiteral("keel"));
    QVERIFY(preset);
    m_generated = tools::generateRace(*preset);
    QString error;
    QVERIFY2(tools::writeRace(m_generated, m_dir.path(), &error), qPrintable(error));
    m_raceFile = preset->RaceFileName;
}

void TestRaceReport::finishMatchesSimulation()
{
    platform::ScriptedDialogs dialogs;
    platform::DialogsGuard guard(&dialogs);
    AppSettings settings;
    settings.ApplicationFolder = m_dir.path();
    RaceControl race;
    race.FileName = m_raceFile;
    RaceData data;
    QVERIFY(LoadRace(settings, race, data).ok);
    const RaceReport report = buildRaceReport(race, data, settings.ReferenceSpeed);
    const int n = race.Course.Count();
    QVERIFY(n >= 3);
    int finishers = 0;
    for (int b = 1; b <= race.boatCount(); ++b) {
        const double sim = m_generated.Boats[b - 1].FinishSec;
        if (sim < 0)
            continue;
        ++finishers;
        const double found = report.stats.roundingTime(b, n);
        // Fixes every two seconds, interpolated between: within the fix interval.
        QVERIFY2(std::fabs(found - sim) <= 3, qPrintable(QStringLiteral("boat %1: %2 against %3").arg(b).arg(found).arg(sim)));
        for (int e = 2; e <= n; ++e)
            QVERIFY2(report.stats.roundingTime(b, e) > report.stats.roundingTime(b, e - 1),
                     qPrintable(QStringLiteral("boat %1 entry %2").arg(b).arg(e)));
    }
    QVERIFY(finishers > 0);
    QVERIFY(dialogs.shown.isEmpty());
}

void TestRaceReport::jsonHoldsWholeRace()
{
    platform::ScriptedDialogs dialogs;
    platform::DialogsGuard guard(&dialogs);
    AppSettings settings;
    settings.ApplicationFolder = m_dir.path();
    RaceControl race;
    race.FileName = m_raceFile;
    RaceData data;
    QVERIFY(LoadRace(settings, race, data).ok);
    const RaceReport report = buildRaceReport(race, data, settings.ReferenceSpeed);
    ReportOptions options;
    options.points = true;
    const QJsonObject j = reportJson(report, options);
    const int n = race.Course.Count();
    QCOMPARE(j["race"]["fileName"].toString(), m_raceFile);
    QCOMPARE(j["race"]["course"].toArray().size(), n);
    QCOMPARE(j["race"]["marks"].toArray().size(), race.markCount());
    QCOMPARE(j["race"]["lines"].toArray()[0].toArray().size(), 4);
    const QJsonArray boats = j["boats"].toArray();
    QCOMPARE(boats.size(), race.boatCount());
    for (int b = 0; b < boats.size(); ++b) {
        const QJsonObject o = boats[b].toObject();
        QCOMPARE(o["name"].toString(), race.Boats[b].Name);
        QCOMPARE(o["passingTimes"].toArray().size(), n);
        QCOMPARE(o["passingTimes"].toArray()[n - 1].toDouble(), report.stats.roundingTime(b + 1, n));
        QCOMPARE(o["points"].toArray().size(), o["pointCount"].toInt());
        QCOMPARE(o["points"].toArray()[0].toArray().size(), 6);
    }
    QCOMPARE(j["leaderTimes"].toArray().size(), n);
    QCOMPARE(j["referenceSpeed"].toDouble(), settings.ReferenceSpeed);
    QVERIFY(j["extent"]["span"].toDouble() >= 0.1);
    // The leg figures are the Data page's: a leg of boat 1 as legFigures gives it.
    const QJsonObject leg = j["legs"].toArray()[0].toObject()["byLeg"].toArray()[0].toObject();
    const LegFigures f = legFigures(report.stats, 1, 2);
    QCOMPARE(leg["leg"].toString(), QStringLiteral(">") + race.Course.Entries[1]);
    QCOMPARE(leg["time"].toDouble(), f.legTime);
    QCOMPARE(leg["speed"].toDouble(), f.legSpeed);
    QCOMPARE(j["sailLegs"].toArray().size(), race.boatCount());
}

void TestRaceReport::csvLegTable()
{
    RaceControl race;
    race.Course.Entries = {"L1", "MK1", "L2"};
    race.Boats = {{"a.trk", "Alpha, the first"}, {"b.trk", "Bravo"}};
    RaceData data;
    RaceReport report;
    report.race = &race;
    report.data = &data;
    report.stats.RoundingTime = {{10, 600, 1250}, {0, 700, 0}};
    report.stats.RoundingDistance = {{0.017, 1.0, 2.1234}, {0, 1.2, 0}};
    report.stats.LeaderTime = {10, 600, 1250};
    const QStringList csv = reportCsv(report);
    QCOMPARE(csv.size(), 3);
    QCOMPARE(csv[0], QStringLiteral("Boat,L1 time,L1 dist,L1 speed,MK1 time,MK1 dist,MK1 speed,"
                                    "L2 time,L2 dist,L2 speed,>MK1 time,>MK1 dist,>MK1 speed,"
                                    ">L2 time,>L2 dist,>L2 speed"));
    QCOMPARE(csv[1], QStringLiteral("\"Alpha, the first\",10,31,6.12,600,1852,6,1250,3933,6.115,"
                                    "590,1821,5.997,650,2081,6.221"));
    // Not passed at the start and the finish: zeros in the accumulated columns, empty leg cells.
    QCOMPARE(csv[2], QStringLiteral("Bravo,0,0,0,700,2222,6.171,0,0,0,700,2222,6.171,,,"));
}

void TestRaceReport::programPrintsJson()
{
    QProcess p;
    p.start(QStringLiteral(ORVANE_REPORT), {m_dir.path(), m_raceFile});
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitCode(), 0);
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(p.readAllStandardOutput(), &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    QVERIFY(doc["boats"].toArray().size() > 0);
    QVERIFY(doc["boats"][0]["passingTimes"].toArray().last().toDouble() > 0);

    // A track file alone, as the one-boat view shows it.
    const QString track = m_generated.Boats[0].TrackFile;
    p.start(QStringLiteral(ORVANE_REPORT), {"--csv", m_dir.path(), track});
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitCode(), 0);
    const QStringList lines = QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    QVERIFY(lines[1].startsWith(track.section('.', 0, 0)));
}

void TestRaceReport::programRefusesBadInput_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("says");
    QTest::newRow("nothing") << QStringList{} << "expected APPFOLDER";
    QTest::newRow("one argument") << QStringList{"DIR"} << "expected APPFOLDER";
    QTest::newRow("unknown option") << QStringList{"--xml", "DIR", "RACE"} << "unknown option";
    QTest::newRow("no folder") << QStringList{"/nonexistent/folder", "race.txt"} << "is not a folder";
    QTest::newRow("no race") << QStringList{"DIR", "nosuchrace.txt"} << "no race control file";
    QTest::newRow("a path") << QStringList{"DIR", "../raceadmin/x.txt"} << "not a path";
    QTest::newRow("broken race") << QStringList{"DIR", "broken.txt"} << "";
}

void TestRaceReport::programRefusesBadInput()
{
    QFETCH(QStringList, args);
    QFETCH(QString, says);
    QFile broken(m_dir.path() + "/raceadmin/broken.txt");
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("BN,missing.trk,Ghost\r\nCRS,L1,L2\r\nST,2024/07/13 11:00:00\r\nFT,2024/07/13 12:00:00\r\n");
    broken.close();
    for (QString &a : args)
        a.replace("DIR", m_dir.path());
    QProcess p;
    p.start(QStringLiteral(ORVANE_REPORT), args);
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    const QString err = QString::fromUtf8(p.readAllStandardError());
    if (says.isEmpty()) {
        // A race whose only boat has no track file: the load's message on standard error,
        // and either nothing or an empty fleet, never a crash.
        QVERIFY(!err.isEmpty());
        return;
    }
    QVERIFY(p.exitCode() != 0);
    QVERIFY2(err.contains(says), qPrintable(err));
    QCOMPARE(err.count('\n'), 1);
    QVERIFY(p.readAllStandardOutput().isEmpty());
}

void TestRaceReport::copyRace(const QTemporaryDir &dir)
{
    QString error;
    QVERIFY2(tools::writeRace(m_generated, dir.path(), &error), qPrintable(error));
}

namespace {

// Replaces the line of a CP932 file that starts with `start` (all of them when `every`), or
// drops it when `with` is empty.
void editLine(const QString &path, const QString &start, const QString &with, bool every = false)
{
    auto read = platform::readTextFile(path);
    QVERIFY(read.ok);
    bool found = false;
    for (qsizetype i = 0; i < read.lines.size(); ++i) {
        if (!read.lines[i].startsWith(start) || (found && !every))
            continue;
        found = true;
        if (with.isEmpty())
            read.lines.removeAt(i--);
        else
            read.lines[i] = with;
    }
    QVERIFY2(found, qPrintable(start));
    QVERIFY(platform::writeTextFile(path, read.lines));
}

} // namespace

void TestRaceReport::damagedRaceStillLoads_data()
{
    QTest::addColumn<int>("damage");
    QTest::addColumn<int>("problem"); // the FileProblem::Kind reported, −1 for none
    // A year mistyped, a pre-start of decades and numbers beyond any integer: each used to
    // hang the passing scan or overflow an integer.
    QTest::newRow("finish in 2099") << 0 << -1;
    QTest::newRow("BT 1e8") << 1 << int(FileProblem::OutOfRange);
    QTest::newRow("BT 1e17") << 2 << int(FileProblem::OutOfRange);
    QTest::newRow("BT 1e300") << 3 << int(FileProblem::OutOfRange);
    QTest::newRow("no finish, a fix of 13-JUL-99") << 4 << -1;
    QTest::newRow("coast line of 1e308 points") << 5 << int(FileProblem::OutOfRange);
}

void TestRaceReport::damagedRaceStillLoads()
{
    QFETCH(int, damage);
    QFETCH(int, problem);
    QTemporaryDir dir;
    copyRace(dir);
    const QString raceFile = dir.path() + "/raceadmin/" + m_raceFile;
    const QString track1 = dir.path() + "/gpsdat/" + m_generated.Boats[0].TrackFile;
    switch (damage) {
    case 0: editLine(raceFile, "FT,", "FT, 2099/07/13 12:04:00"); break;
    case 1: editLine(raceFile, "BT,", "BT, 1e8"); break;
    case 2: editLine(raceFile, "BT,", "BT, 1e17"); break;
    case 3: editLine(raceFile, "BT,", "BT, 1e300"); break;
    case 4: {
        editLine(raceFile, "FT,", {});
        auto read = platform::readTextFile(track1);
        QVERIFY(read.ok);
        const qsizetype k = read.lines.size() / 2;
        QVERIFY(read.lines[k].startsWith("T "));
        read.lines[k].replace(QRegularExpression("\\d\\d-JUL-24"), "13-JUL-99");
        QVERIFY(platform::writeTextFile(track1, read.lines));
        break;
    }
    case 5: {
        QDir(dir.path()).mkpath("coastline");
        const QByteArray count = QByteArray(" 1e308").rightJustified(6, ' ');
        QFile tile(dir.path() + "/coastline/5239.cst");
        QVERIFY(tile.open(QIODevice::WriteOnly));
        tile.write("M 523964\r\nL" + QByteArray(48, ' ') + count + "\r\n 5000 5000 5001 5001\r\n");
        break;
    }
    }
    platform::ScriptedDialogs dialogs;
    platform::DialogsGuard guard(&dialogs);
    AppSettings settings;
    settings.ApplicationFolder = dir.path();
    RaceControl race;
    race.FileName = m_raceFile;
    RaceData data;
    const LoadResult loaded = LoadRace(settings, race, data);
    QVERIFY(loaded.ok);
    if (problem < 0) {
        QVERIFY2(loaded.problems.isEmpty(), qPrintable(problemLines(loaded.problems, UiLanguage::English).join('\n')));
    } else {
        QCOMPARE(loaded.problems.size(), 1);
        QCOMPARE(loaded.problems[0].kind, FileProblem::Kind(problem));
    }
    // A course whose second rounding of MK1 nobody sails: those scans run to the end of their
    // window, decades away in the damaged races.
    const QStringList course{"L1", "MK1", "L1", "MK1", "L2"};
    race.Course.Entries = course;
    const RaceReport report = buildRaceReport(race, data, settings.ReferenceSpeed);

    // The race as the sound file gives it, for comparison.
    AppSettings soundSettings;
    soundSettings.ApplicationFolder = m_dir.path();
    RaceControl sound;
    sound.FileName = m_raceFile;
    RaceData soundData;
    QVERIFY(LoadRace(soundSettings, sound, soundData).ok);
    sound.Course.Entries = course;
    const RaceReport expected = buildRaceReport(sound, soundData, soundSettings.ReferenceSpeed);
    const int n = race.Course.Count();
    for (int b = damage == 4 ? 2 : 1; b <= race.boatCount(); ++b) {
        for (int e = 1; e <= n; ++e)
            QCOMPARE(report.stats.roundingTime(b, e), expected.stats.roundingTime(b, e));
    }
    if (damage == 4)
        QCOMPARE(report.stats.roundingTime(1, 1), expected.stats.roundingTime(1, 1));
}

void TestRaceReport::programReportsProblems()
{
    // A damaged copy: a time difference with a unit, a fix off the globe; Ver.00 asks for
    // English with a number no integer holds.
    QTemporaryDir dir;
    copyRace(dir);
    const QString raceFile = dir.path() + "/raceadmin/" + m_raceFile;
    const QString track1 = m_generated.Boats[0].TrackFile;
    auto race = platform::readTextFile(raceFile);
    race.lines.insert(2, "TD, 9h");
    QVERIFY(platform::writeTextFile(raceFile, race.lines));
    auto track = platform::readTextFile(dir.path() + "/gpsdat/" + track1);
    const qsizetype k = track.lines.indexOf(QRegularExpression("T .*"));
    track.lines[k + 5].replace(QRegularExpression("^T  N\\d\\d"), "T  N95");
    QVERIFY(platform::writeTextFile(dir.path() + "/gpsdat/" + track1, track.lines));
    QVERIFY(writeLanguageFile(dir.path(), 1));
    QVERIFY(platform::writeTextFile(dir.path() + "/raceadmin/Ver.00", {"LANG,1e10"}));

    for (const bool strict : {false, true}) {
        QProcess p;
        QStringList args{dir.path(), m_raceFile};
        if (strict)
            args.prepend("--strict");
        p.start(QStringLiteral(ORVANE_REPORT), args);
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        // The race is printed all the same; only --strict makes the problems fail the run.
        QCOMPARE(p.exitCode(), strict ? 1 : 0);
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(p.readAllStandardOutput(), &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(doc["boats"].toArray().size(), m_generated.Boats.size());
        const QStringList err = QString::fromUtf8(p.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(err, (QStringList{
                          QStringLiteral("raceadmin/%1:3: \"9h\" is not a number: skipped").arg(m_raceFile),
                          QStringLiteral("gpsdat/%1:%2: latitude out of range: skipped").arg(track1).arg(k + 6),
                      }));
    }

    // A sound race passes --strict.
    QProcess p;
    p.start(QStringLiteral(ORVANE_REPORT), {"--strict", m_dir.path(), m_raceFile});
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitCode(), 0);
    QVERIFY(p.readAllStandardError().isEmpty());
}

QTEST_GUILESS_MAIN(TestRaceReport)
#include "tst_racereport.moc"
