// The viewer's start-up and loading: language from the locale, the single-instance rule with
// its activation request, the race list and the race shown first, AutoNext and the SHOW choice,
// loads that fail without touching the race shown, keys carried from race to race, and the
// demo races of the application folder loaded by the viewer core.
#include "viewerfixture.h"

#include <instanceactivation.h>
#include <system.h>
#include <viewersession.h>
#include <viewertexts.h>

#include <QProcess>
#include <QSignalSpy>
#include <QUuid>

#include <cstring>

using namespace viewertest;

namespace {

// The problems as the report prints them, one a line, so that a failed comparison shows them.
QString problemTexts(const ReadProblems &problems)
{
    QStringList out;
    for (const ReadProblem &p : problems)
        out << p.toString(1);
    return out.join(QLatin1Char('\n'));
}

QString joined(const QStringList &texts)
{
    return texts.join(QLatin1Char('\n'));
}

// A race of one boat sailing north for an hour, sampled every 10 s, its track written with TD td
// (the race file says TD only when extraLines do).
void writeRace(const AppFolder &app, const QString &name, const QStringList &extraLines, const QString &track,
               int td = 9)
{
    app.write(QStringLiteral("raceadmin/") + name,
              QStringList{"ST, 2008/03/03 10:00:00", "FT, 2008/03/03 11:00:00", "BN, " + track + ", Alpha"} + extraLines);
    QStringList lines = trackHeader();
    const platform::LocalDateTime startUtc = at("2008/03/03 10:00:00").addSecs(-td * 3600);
    for (int s = -300; s <= 3700; s += 10)
        lines << sampleLine(2112 + s / 3600.0, 8385, startUtc.addSecs(s));
    app.write(QStringLiteral("gpsdat/") + track, lines);
}

class Recorder : public ViewerLoadObserver
{
public:
    QStringList events;
    void readingBoat(int i, int n, const QString &file, const QString &title) override
    {
        events << QStringLiteral("boat %1/%2 %3 %4").arg(i).arg(n).arg(file, title.trimmed());
    }
    void phaseDone(Phase p) override { events << QStringLiteral("phase %1").arg(int(p)); }
};

} // namespace

class TestViewerSession : public QObject
{
    Q_OBJECT

private slots:
    void languageFromLocale();
    void firstRace_data();
    void firstRace();
    void autoNextAndShow();
    void secondStartActivatesTheFirst();
    void failedLoadsKeepTheShownRace();
    void keysCarryToTheNextRace();
    void progressAndPhases();
    void demoRacesLoad();
    void parallelLoadIsTheOneCoreLoad_data();
    void parallelLoadIsTheOneCoreLoad();
};

void TestViewerSession::languageFromLocale()
{
    QCOMPARE(languageForLocale(1041), 0);
    QCOMPARE(languageForLocale(1033), 2);
    QCOMPARE(languageForLocale(0), 2);
    QCOMPARE(languageForLocale(platform::localeIdForName(QStringLiteral("ja_JP.UTF-8"))), 0);
    AppFolder app;
    ViewerSession session;
    ReadProblems problems;
    startSession(session, app.path(), QStringLiteral("/docs"), 1041, problems);
    QVERIFY(!session.isEnglish() && session.OffersLanguageSwitch);
    startSession(session, app.path(), QStringLiteral("/docs"), 2057, problems);
    QCOMPARE(session.Language, 2);
    QVERIFY(!session.OffersLanguageSwitch);
    QCOMPARE(session.ExportFolder, QStringLiteral("/docs"));
}

void TestViewerSession::firstRace_data()
{
    QTest::addColumn<QString>("startupFile");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("problems");
    QTest::newRow("no racefile.st: first of the list") << QString() << "A.txt" << 1 << QStringList();
    QTest::newRow("racefile.st names the second") << "b.txt" << "b.txt" << 2 << QStringList();
    QTest::newRow("names it in another case") << "B.TXT" << "b.txt" << 2 << QStringList();
    QTest::newRow("names a file not there")
        << "gone.txt" << "A.txt" << 1
        << QStringList{"raceadmin/racefile.st:1: racefile.st names gone.txt, which is not in raceadmin: the first "
                       "race is shown"};
}

void TestViewerSession::firstRace()
{
    QFETCH(QString, startupFile);
    QFETCH(QString, shown);
    QFETCH(int, index);
    QFETCH(QStringList, problems);
    AppFolder app;
    for (const char *name : {"c.TXT", "b.txt", "A.txt", "notes.doc"})
        app.write(QStringLiteral("raceadmin/") + QLatin1String(name), {QStringLiteral("T1, x")});
    if (!startupFile.isEmpty())
        app.write(QStringLiteral("raceadmin/racefile.st"), {startupFile});
    ViewerSession session;
    ReadProblems found;
    startSession(session, app.path(), {}, 1033, found);
    QCOMPARE(session.RaceList, (QStringList{"A.txt", "b.txt", "c.TXT"}));
    QCOMPARE(QFileInfo(session.CurrentRacePath).fileName(), shown);
    QCOMPARE(session.CurrentIndex, index);
    QCOMPARE(problemTexts(found), joined(problems));
}

void TestViewerSession::autoNextAndShow()
{
    AppFolder app;
    for (const char *name : {"a.txt", "b.txt", "c.txt"})
        app.write(QStringLiteral("raceadmin/") + QLatin1String(name), {QStringLiteral("T1, x")});
    app.write(QStringLiteral("raceadmin/racefile.st"), {QStringLiteral("c.txt")});
    ViewerSession session;
    ReadProblems problems;
    startSession(session, app.path(), {}, 1033, problems);
    QCOMPARE(session.CurrentIndex, 3);
    // After the last race of the list comes the first.
    QVERIFY(advanceToNextRace(session));
    QCOMPARE(session.CurrentIndex, 1);
    QCOMPARE(QFileInfo(session.CurrentRacePath).fileName(), QStringLiteral("a.txt"));
    QFile::remove(app.file(QStringLiteral("raceadmin/b.txt")));
    QVERIFY(!advanceToNextRace(session)); // gone since the list was made: not to be loaded

    QCOMPARE(chooseRaceToShow(session, QStringLiteral("b.txt")), ShowChoice::AlreadyShown);
    session.SelectedIndex = 3;
    QCOMPARE(chooseRaceToShow(session, QStringLiteral(" c.txt ")), ShowChoice::Load);
    QCOMPARE(session.CurrentIndex, 3);
    QCOMPARE(QFileInfo(session.CurrentRacePath).fileName(), QStringLiteral("c.txt"));
    QCOMPARE(viewertexts::alreadyShown(), QStringLiteral("Already shown."));
}

void TestViewerSession::secondStartActivatesTheFirst()
{
    const QString key = QStringLiteral("orvane2007-test-") + QUuid::createUuid().toString(QUuid::Id128);
    platform::SingleInstance first(key);
    QVERIFY(first.isFirst());
    platform::InstanceActivation listener(key);
    QVERIFY(listener.listen());
    QSignalSpy raised(&listener, &platform::InstanceActivation::activationRequested);

    // The second start finds the lock taken and asks the first to come to the front.
    platform::SingleInstance second(key);
    QVERIFY(!second.isFirst());
    QVERIFY(platform::InstanceActivation::request(key));
    QVERIFY(raised.wait(5000));
    QVERIFY(platform::InstanceActivation::request(key));
    QTRY_VERIFY_WITH_TIMEOUT(raised.size() >= 2, 5000);

    // With nobody listening the request says so.
    QVERIFY(!platform::InstanceActivation::request(key + QStringLiteral("-none")));
    QVERIFY(viewerInstanceKey().startsWith(QStringLiteral("orvane2007")));
}

void TestViewerSession::failedLoadsKeepTheShownRace()
{
    AppFolder app;
    writeRace(app, QStringLiteral("good.txt"), {"T1, Good race", "TD, 9"}, QStringLiteral("a.trk"));
    app.write(QStringLiteral("raceadmin/empty.txt"), {"T1, Nobody", "BN, missing.trk, Ghost"});
    ViewerSession session;
    ReadProblems problems;
    startSession(session, app.path(), {}, 1033, problems);
    session.CurrentRacePath = racePathFor(app.path(), QStringLiteral("good.txt"));
    LoadedViewerRace shown;
    const ViewerLoadResult good = loadCurrentRace(session, shown, 800, 600);
    QVERIFY2(good.ok(), qPrintable(problemTexts(good.problems)));
    QCOMPARE(session.FirstLoadDone, 1);
    QCOMPARE(session.TitleText, QStringLiteral("orvane  Good race     "));

    session.CurrentRacePath = racePathFor(app.path(), QStringLiteral("empty.txt"));
    const ViewerLoadResult none = loadCurrentRace(session, shown, 800, 600);
    QCOMPARE(none.status, ViewerLoadResult::NoBoats);
    QCOMPARE(problemTexts(none.problems), joined({"raceadmin/empty.txt:2: GPS file missing.trk not found: boat left out"}));
    QCOMPARE(viewertexts::gpsFileNotExists(), QStringLiteral("GPS file not exists."));
    QCOMPARE(shown.Race.FileName, QStringLiteral("good.txt"));
    QCOMPARE(shown.Race.Boats[0].Name, QStringLiteral("Alpha"));
    QCOMPARE(session.TitleText, QStringLiteral("orvane  Good race     "));

    session.CurrentRacePath = racePathFor(app.path(), QStringLiteral("vanished.txt"));
    const ViewerLoadResult missing = loadCurrentRace(session, shown, 800, 600);
    QCOMPARE(missing.status, ViewerLoadResult::RaceFileMissing);
    QCOMPARE(missing.error, QStringLiteral("raceadmin/vanished.txt: no such race file"));
    QCOMPARE(shown.Race.FileName, QStringLiteral("good.txt"));
}

void TestViewerSession::keysCarryToTheNextRace()
{
    // The second race names neither TD nor LL: the first race's values place its samples.
    AppFolder app;
    writeRace(app, QStringLiteral("one.txt"), {"TD, 9", "LL, 40,150", "NOTE, windy"}, QStringLiteral("a.trk"), 9);
    writeRace(app, QStringLiteral("two.txt"), {}, QStringLiteral("b.trk"), 9);
    ViewerSession session;
    ReadProblems problems;
    startSession(session, app.path(), {}, 1033, problems);
    LoadedViewerRace shown;
    session.CurrentRacePath = racePathFor(app.path(), QStringLiteral("one.txt"));
    QVERIFY(loadCurrentRace(session, shown, 0, 0).ok());
    session.CurrentRacePath = racePathFor(app.path(), QStringLiteral("two.txt"));
    const ViewerLoadResult second = loadCurrentRace(session, shown, 0, 0);
    QVERIFY2(second.ok(), qPrintable(problemTexts(second.problems)));
    QCOMPARE(shown.Race.FileName, QStringLiteral("two.txt"));
    QCOMPARE(shown.Race.TimeDifference, 9);
    QCOMPARE(shown.Race.LayLineUp, 40);
    QCOMPARE(shown.Race.Note, QStringLiteral("windy"));
    // −BT − 59 … FT + 29 at 10 s steps: −230 … 3620.
    QCOMPARE(shown.Race.Boats[0].Samples.first().Time, -230.0);
    QCOMPARE(shown.Race.Boats[0].Samples.last().Time, 3620.0);
}

void TestViewerSession::progressAndPhases()
{
    AppFolder app;
    writeRace(app, QStringLiteral("r.txt"), {"T1, Progress", "TD, 9", "BN, a.trk, Bravo, 10", "WF, nowind.csv"},
              QStringLiteral("a.trk"));
    ViewerLoadRequest request{app.path(), racePathFor(app.path(), QStringLiteral("r.txt")), 0, 0};
    LoadedViewerRace loaded;
    Recorder recorder;
    const ViewerLoadResult r = loadViewerRace(request, ViewerRace(), loaded, &recorder);
    QVERIFY(r.ok());
    QCOMPARE(recorder.events, (QStringList{"phase 0", "phase 1", "boat 1/2 a.trk orvane  Progress",
                                           "boat 2/2 a.trk orvane  Progress", "phase 2", "phase 3", "phase 4", "phase 5",
                                           "phase 6"}));
    QCOMPARE(problemTexts(r.problems), joined({"raceadmin/r.txt: wind file nowind.csv not found"}));
    // The offset moves the times, while the window's end stays where the finish puts it.
    QCOMPARE(loaded.Race.Boats[0].Samples.last().Time, 3620.0);
    QCOMPARE(loaded.Race.Boats[1].Samples.last().Time, 3630.0);
}

void TestViewerSession::demoRacesLoad()
{
    QTemporaryDir dir;
    QProcess racegen;
    racegen.start(QStringLiteral(RACEGEN_PROGRAM), {QStringLiteral("--preset"), QStringLiteral("demo"),
                                                    QStringLiteral("--out"), dir.path()});
    QVERIFY(racegen.waitForFinished(120000));
    QCOMPARE(racegen.exitCode(), 0);
    for (const char *f : {"5238.cst", "5239.cst", "5240.cst", "5339.cst", "5340.cst"}) {
        QDir(dir.path()).mkpath(QStringLiteral("coastline"));
        QVERIFY(QFile::copy(QStringLiteral(ORVANE_ASSETS "/coastline/") + QLatin1String(f),
                            dir.filePath(QStringLiteral("coastline/")) + QLatin1String(f)));
    }

    QDir(dir.path()).mkpath(QStringLiteral("attachment"));
    QVERIFY(QFile::copy(QStringLiteral(ORVANE_ASSETS "/attachment/sailing_instructions.html"),
                        dir.filePath(QStringLiteral("attachment/sailing_instructions.html"))));

    ViewerSession session;
    ReadProblems problems;
    startSession(session, dir.path(), {}, 1041, problems);
    QVERIFY(problems.isEmpty());
    QCOMPARE(session.raceCount(), 3);
    QCOMPARE(QFileInfo(session.CurrentRacePath).fileName(), QStringLiteral("enoshima_keel_r1.txt"));

    LoadedViewerRace shown;
    for (int i = 0; i < session.raceCount(); ++i) {
        const ViewerLoadResult r = loadCurrentRace(session, shown, 1000, 900);
        QVERIFY2(r.ok() && r.problems.isEmpty(), qPrintable(problemTexts(r.problems)));
        const ViewerRace &race = shown.Race;
        QVERIFY(race.boatCount() >= 5);
        QVERIFY(race.Course.size() >= 4);
        QVERIFY(shown.Derived.Coast.pointCount() > 0); // the race areas lie on the bundled tiles
        QVERIFY(shown.Derived.MaxSpeed > 2 && shown.Derived.MaxSpeed < 10);
        for (int b = 1; b <= race.boatCount(); ++b) {
            QVERIFY(race.Boats[b - 1].sampleCount() > 100);
            // Every boat of a demo race starts, rounds and finishes.
            for (int k = 1; k <= shown.Derived.Passes.elementCount(); ++k)
                QVERIFY2(shown.Derived.Passes.passingTime(b, k) < PassTable::NotPassed,
                         qPrintable(QStringLiteral("%1 boat %2 element %3").arg(race.FileName).arg(b).arg(k)));
            QVERIFY(shown.Derived.Passes.Rank[b - 1] >= 1);
        }
        QVERIFY(advanceToNextRace(session));
    }
}

namespace {

// The first difference between two loads of one race, empty when there is none; numbers are
// compared bit for bit.
QString loadDifference(const LoadedViewerRace &a, const LoadedViewerRace &b)
{
    auto same = [](double x, double y) { return std::memcmp(&x, &y, sizeof x) == 0; };
    if (a.Race.boatCount() != b.Race.boatCount())
        return QStringLiteral("boats");
    for (int i = 0; i < a.Race.boatCount(); ++i) {
        const ViewerBoat &x = a.Race.Boats[i], &y = b.Race.Boats[i];
        if (x.sampleCount() != y.sampleCount() || x.MeanInterval != y.MeanInterval)
            return QStringLiteral("boat %1: samples or interval").arg(i + 1);
        for (int k = 0; k < x.sampleCount(); ++k) {
            const ViewerSample &p = x.Samples[k], &q = y.Samples[k];
            if (!same(p.Time, q.Time) || !same(p.Lat, q.Lat) || !same(p.Lon, q.Lon) || !same(p.Speed, q.Speed) ||
                p.Course != q.Course)
                return QStringLiteral("boat %1, sample %2").arg(i + 1).arg(k + 1);
        }
    }
    const ViewerExtent &e = a.Derived.Extent, &f = b.Derived.Extent;
    if (!same(a.Race.Period.Start, b.Race.Period.Start) || !same(a.Race.Period.End, b.Race.Period.End))
        return QStringLiteral("period");
    if (!same(e.MaxLat, f.MaxLat) || !same(e.MinLat, f.MinLat) || !same(e.MaxLon, f.MaxLon) ||
        !same(e.MinLon, f.MinLon) || !same(e.RaceLatScale, f.RaceLatScale) || !same(a.Derived.MaxSpeed, b.Derived.MaxSpeed))
        return QStringLiteral("extent or maximum speed");
    for (int i = 1; i <= a.Race.boatCount(); ++i) {
        if (a.Derived.Passes.Rank[i - 1] != b.Derived.Passes.Rank[i - 1])
            return QStringLiteral("rank of boat %1").arg(i);
        for (int k = 1; k <= a.Derived.Passes.elementCount(); ++k) {
            if (!same(a.Derived.Passes.passingTime(i, k), b.Derived.Passes.passingTime(i, k)))
                return QStringLiteral("boat %1 passing %2").arg(i).arg(k);
        }
    }
    return {};
}

} // namespace

void TestViewerSession::parallelLoadIsTheOneCoreLoad_data()
{
    QTest::addColumn<QString>("race");
    QTest::addColumn<QString>("variant");
    for (const char *race : {"enoshima_keel_r1.txt", "hayama_dinghy_r2.txt", "enoshima_fleet30.txt"})
        QTest::addRow("%s", race) << race << "";
    QTest::newRow("keel without start or finish") << "enoshima_keel_r1.txt" << "no times";
    QTest::newRow("fleet30 without finish") << "enoshima_fleet30.txt" << "no finish";
    QTest::newRow("keel with damaged files") << "enoshima_keel_r1.txt" << "damaged";
}

void TestViewerSession::parallelLoadIsTheOneCoreLoad()
{
    // The GPS files are read on several threads; whatever the number, the race, every sample and
    // every problem must be what one thread gives, in the same order.
    QFETCH(QString, race);
    QFETCH(QString, variant);
    AppFolder app;
    QProcess racegen;
    racegen.start(QStringLiteral(RACEGEN_PROGRAM),
                  {QStringLiteral("--preset"), QStringLiteral("demo"), QStringLiteral("--out"), app.path()});
    QVERIFY(racegen.waitForFinished(120000));
    QCOMPARE(racegen.exitCode(), 0);
    const QString racePath = racePathFor(app.path(), race);
    QStringList lines;
    {
        QFile f(racePath);
        QVERIFY(f.open(QIODevice::ReadOnly));
        lines = QString::fromLatin1(f.readAll()).split(QStringLiteral("\r\n"));
    }
    QStringList tracks;
    for (const QString &line : std::as_const(lines)) {
        if (line.startsWith(QLatin1String("BN,")))
            tracks << line.section(u',', 1, 1).trimmed();
    }
    if (variant == QLatin1String("no times") || variant == QLatin1String("no finish")) {
        lines.removeIf([&](const QString &l) {
            return l.startsWith(QLatin1String("FT,")) || (variant == QLatin1String("no times") && l.startsWith(QLatin1String("ST,")));
        });
        QFile f(racePath);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(lines.join(QStringLiteral("\r\n")).toLatin1());
    }
    if (variant == QLatin1String("damaged")) {
        // Lines the reader reports in the second and fifth files, and a sixth file that is a
        // folder (its boat is left out).
        for (int b : {1, 4}) {
            QFile f(app.path() + QStringLiteral("/gpsdat/") + tracks[b]);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QList<QByteArray> bytes = f.readAll().split('\n');
            f.close();
            bytes[20 + b] = "T  N3516.x E13927.1 06-OCT-24 25:61:00 0\r";
            bytes[40 + b] = "T  N35x16.8 E139y27.1 06-OCT-24 00:45:00 0\r";
            bytes[60] = "T  N3516.89365\r";
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes.join('\n'));
        }
        QVERIFY(QFile::remove(app.path() + QStringLiteral("/gpsdat/") + tracks[5]));
        QVERIFY(QDir(app.path()).mkpath(QStringLiteral("gpsdat/") + tracks[5]));
    }

    auto load = [&](int threads, LoadedViewerRace &loaded, QStringList &events) {
        ViewerLoadRequest request{app.path(), racePath, 1000, 900, threads};
        Recorder recorder;
        const ViewerLoadResult r = loadViewerRace(request, ViewerRace(), loaded, &recorder);
        events = recorder.events;
        events << problemTexts(r.problems);
        return r.ok();
    };
    LoadedViewerRace one;
    QStringList oneEvents;
    QVERIFY(load(1, one, oneEvents));
    QCOMPARE(one.Race.boatCount(), int(tracks.size()) - (variant == QLatin1String("damaged") ? 1 : 0));
    if (variant == QLatin1String("damaged"))
        QVERIFY(oneEvents.last().count(QLatin1Char('\n')) >= 5);
    for (int threads : {2, 3, 8}) {
        LoadedViewerRace many;
        QStringList manyEvents;
        QVERIFY(load(threads, many, manyEvents));
        QCOMPARE(manyEvents, oneEvents);
        const QString diff = loadDifference(one, many);
        QVERIFY2(diff.isEmpty(), qPrintable(QStringLiteral("%1 threads: ").arg(threads) + diff));
    }
}

QTEST_GUILESS_MAIN(TestViewerSession)
#include "testviewersession.moc"
