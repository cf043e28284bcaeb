// The race generator: its races are read back by the system's own readers, and they look
// sailed (a clean start behind the line, every mark rounded in course order, a finish, tacks,
// boats of different speed). Deterministic by seed.
#include <racegenerator.h>

#include <appfolder.h>
#include <coastlines.h>
#include <dialogs.h>
#include <legstats.h>
#include <racecontrolfile.h>
#include <raceloader.h>
#include <textfile.h>

#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

using namespace tools;

namespace {

// Local plane around a reference point, metres east and north.
struct Plane {
    double lat0, lon0, mLat, mLon;
    Plane(double latMin, double lonMin)
        : lat0(latMin / 60.0), lon0(lonMin / 60.0)
    {
        const double phi = lat0 * M_PI / 180.0;
        mLat = 111132.954 - 559.822 * std::cos(2 * phi);
        mLon = 111412.84 * std::cos(phi);
    }
    QPointF fromDeg(double latDeg, double lonDeg) const { return {(lonDeg - lon0) * mLon, (latDeg - lat0) * mLat}; }
    QPointF fromMin(double latMin, double lonMin) const { return fromDeg(latMin / 60.0, lonMin / 60.0); }
};

double dist(QPointF a, QPointF b) { return std::hypot(a.x() - b.x(), a.y() - b.y()); }

qint64 gunOffset(const GeneratedRace &race, const TrackFix &fix)
{
    const auto local = fix.Utc.addSecs(3600 * race.Control.TimeDifference);
    return race.Control.StartTime.secsTo(local);
}

} // namespace

class TestRaceGen : public QObject
{
    Q_OBJECT

private slots:
    void demoRacesReadBack_data();
    void demoRacesReadBack();
    void racesLookSailed_data();
    void racesLookSailed();
    void demoRacesLoadAndPass_data();
    void demoRacesLoadAndPass();
    void deterministicBySeed();
    void benchPreset();
    void courseOrder();
};

void TestRaceGen::demoRacesReadBack_data()
{
    QTest::addColumn<QString>("preset");
    for (const RaceSpec &s : demoRaces())
        QTest::newRow(qPrintable(s.PresetName)) << s.PresetName;
}

void TestRaceGen::demoRacesReadBack()
{
    QFETCH(QString, preset);
    const RaceSpec recipe = *presetRace(preset);
    const GeneratedRace race = generateRace(recipe);
    QTemporaryDir dir;
    QString error;
    QVERIFY2(writeRace(race, dir.path(), &error), qPrintable(error));

    platform::ScriptedDialogs dialogs;
    platform::DialogsGuard guard(&dialogs);
    AppSettings settings;
    settings.ApplicationFolder = dir.path();
    RaceControl rc;
    rc.FileName = recipe.RaceFileName;
    FileProblems problems;
    QVERIFY(ReadRaceControl(settings, rc, &problems));
    QVERIFY2(problems.isEmpty(), qPrintable(problemLines(problems, UiLanguage::English).join(u'\n')));
    QVERIFY2(dialogs.shown.isEmpty(), "a message was shown: a track file is missing");

    QCOMPARE(rc.boatCount(), recipe.BoatCount);
    QCOMPARE(rc.WindFile, recipe.WindFileName); // kept: the wind file exists
    QCOMPARE(rc.TimeDifference, qint16(9));
    QCOMPARE(rc.StartTime, recipe.Start);
    QVERIFY(rc.FinishTime > rc.StartTime);
    QCOMPARE(rc.BoatLength, float(recipe.Class.LengthM));
    QCOMPARE(rc.Attachments, recipe.Attachments);
    if (recipe.Class.LengthM < 3.0)
        QVERIFY(rc.BoatLength < 3.0f);
    for (int n = 1; n <= rc.boatCount(); ++n) {
        const BoatEntry &b = rc.Boats[n - 1];
        QCOMPARE(b.Name, race.Boats[n - 1].Name); // Japanese names survive CP932
        QVERIFY2(platform::fileSize(dir.path(), QStringLiteral("gpsdat/") + b.TrackFile) > 500, qPrintable(b.TrackFile));
    }
    bool japanese = false;
    for (const BoatEntry &b : std::as_const(rc.Boats))
        japanese = japanese || b.Name.contains(QRegularExpression(QStringLiteral("[\\x{3040}-\\x{30ff}\\x{4e00}-\\x{9fff}]")));
    QVERIFY(japanese);

    QVERIFY(rc.Course.Count() >= 3);
    QVERIFY(rc.Course.Count() <= 20); // the passing times are computed for 20 entries at most
    QCOMPARE(rc.Course.Entries.first(), QStringLiteral("L1"));
    QCOMPARE(rc.Course.Entries.last(), QStringLiteral("L2"));
    for (const QString &e : std::as_const(rc.Course.Entries)) {
        const CourseEntry entry = CourseEntry::parse(e);
        QVERIFY2(entry.kind != CourseEntry::Invalid, qPrintable(e));
        const int count = entry.kind == CourseEntry::Mark ? rc.markCount() : rc.lineCount();
        QVERIFY2(entry.number >= 1 && entry.number <= count, qPrintable(e));
    }

    // The wind file: the header, then one local time a line inside the logs.
    const auto wind = platform::readTextFile(platform::resolvePath(dir.path(), QStringLiteral("winddat/") + rc.WindFile));
    QVERIFY(wind.ok);
    QCOMPARE(wind.lines.first(), QStringLiteral("TIME,WIND SPEED,WIND DIRECTION (Mag)"));
    QVERIFY(wind.lines.size() > 20);
    const QStringList f = wind.lines[1].split(u',');
    QCOMPARE(f.size(), 3);
    QVERIFY(!platform::LocalDateTime::parse(f[0]).isNull());
    QVERIFY(platform::LocalDateTime::parse(f[0]) < rc.StartTime);
}

void TestRaceGen::racesLookSailed_data()
{
    QTest::addColumn<QString>("preset");
    QTest::addColumn<quint64>("seed"); // 0: the preset's own
    for (const RaceSpec &s : demoRaces())
        QTest::newRow(qPrintable(s.PresetName)) << s.PresetName << quint64(0);
    // racegen --seed makes other races of the same kind; they must race just as well.
    for (quint64 seed : {1, 2, 3, 4, 5})
        for (const char *preset : {"keel", "dinghy"})
            QTest::newRow(qPrintable(QStringLiteral("%1 seed %2").arg(QLatin1String(preset)).arg(seed)))
                << QString::fromLatin1(preset) << seed;
}

void TestRaceGen::racesLookSailed()
{
    QFETCH(QString, preset);
    QFETCH(quint64, seed);
    RaceSpec recipe = *presetRace(preset);
    if (seed)
        recipe.Seed = seed;
    const GeneratedRace race = generateRace(recipe);
    const RaceControl &rc = race.Control;
    const RaceLine &start = rc.Lines[0];
    const Plane plane((start.Lat1 + start.Lat2) / 2, (start.Lon1 + start.Lon2) / 2);
    const QPointF pin = plane.fromMin(start.Lat1, start.Lon1), committee = plane.fromMin(start.Lat2, start.Lon2);
    // Unit vector upwind, across the start line from pin to committee boat turned left.
    const QPointF along = (committee - pin) / dist(committee, pin);
    const QPointF upwind(-along.y(), along.x());
    const QPointF mk1 = plane.fromMin(rc.Marks[0].Lat, rc.Marks[0].Lon);
    const QPointF mk2 = plane.fromMin(rc.Marks[1].Lat, rc.Marks[1].Lon);
    const double roundingReach = 3.0 * (2.0 * recipe.Class.LengthM + 6.0) + 10.0;

    QList<double> meanSpeeds;
    QList<double> finishes;
    int fleetTurns = 0;
    for (const GeneratedBoat &b : race.Boats) {
        QVERIFY(!b.Fixes.isEmpty());
        // The log covers the start sequence and the whole race.
        QVERIFY(gunOffset(race, b.Fixes.first()) <= -60.0 * recipe.PreStartMinutes);
        QVERIFY(gunOffset(race, b.Fixes.last()) >= b.FinishSec);

        QVERIFY2(b.FinishSec > 0, qPrintable(b.Name + QStringLiteral(" did not finish")));
        QVERIFY(rc.StartTime.addSecs(qint64(b.FinishSec)) <= rc.FinishTime);
        finishes << b.FinishSec;

        int nextMark = 1; // course entries after L1: MK1, MK2, … in order
        int headingChanges = 0;
        double distance = 0.0;
        double previousCourse = -1.0;
        QPointF previous;
        bool sawBehindAtGun = false;
        for (int k = 0; k < b.Fixes.size(); ++k) {
            const qint64 t = gunOffset(race, b.Fixes[k]);
            const QPointF p = plane.fromDeg(b.Fixes[k].LatDeg, b.Fixes[k].LonDeg);
            const double ahead = QPointF::dotProduct(p, upwind);
            if (t == 0 || t == 1) {
                // Nobody is over the line at the gun (GPS noise allowed for).
                QVERIFY2(ahead < 4.0, qPrintable(QStringLiteral("%1 is %2 m over the line").arg(b.Name).arg(ahead)));
                sawBehindAtGun = true;
            }
            if (t > 0 && t <= b.FinishSec && nextMark < rc.Course.Count() - 1) {
                const QPointF mark = rc.Course.Entries[nextMark] == QLatin1String("MK1") ? mk1 : mk2;
                if (dist(p, mark) < roundingReach)
                    ++nextMark;
            }
            if (k > 0 && t > 0 && t <= b.FinishSec) {
                const QPointF d = p - previous;
                distance += dist(p, previous);
                if (std::hypot(d.x(), d.y()) > 1.0) {
                    const double course = std::atan2(d.x(), d.y()) * 180.0 / M_PI;
                    if (previousCourse > -900.0) {
                        double turn = std::fabs(course - previousCourse);
                        if (turn > 180.0)
                            turn = 360.0 - turn;
                        if (turn > 20.0) // a tack or gybe spreads over a few fixes
                            ++headingChanges;
                    }
                    previousCourse = course;
                }
            }
            previous = p;
        }
        QVERIFY(sawBehindAtGun);
        QVERIFY2(nextMark == rc.Course.Count() - 1,
                 qPrintable(QStringLiteral("%1 rounded only %2 marks").arg(b.Name).arg(nextMark - 1)));
        // Every rounding is a turn; most boats tack and gybe on top of that.
        QVERIFY2(headingChanges >= rc.Course.Count() - 1,
                 qPrintable(QStringLiteral("%1 turned only %2 times").arg(b.Name).arg(headingChanges)));
        fleetTurns += headingChanges;
        meanSpeeds << distance / b.FinishSec;
    }
    QVERIFY(fleetTurns >= 2 * (rc.Course.Count() - 1) * int(race.Boats.size()));
    std::sort(meanSpeeds.begin(), meanSpeeds.end());
    QVERIFY(meanSpeeds.last() / meanSpeeds.first() > 1.03);
    std::sort(finishes.begin(), finishes.end());
    QVERIFY(finishes.last() - finishes.first() > 60.0);
}

void TestRaceGen::demoRacesLoadAndPass_data()
{
    racesLookSailed_data();
}

// Through the system's own load and passing-time scan, as the race display and orvane-report
// see the race: every boat has points over the whole race, and passes every course entry in
// order; the first finisher is the one the generator saw finish first.
void TestRaceGen::demoRacesLoadAndPass()
{
    QFETCH(QString, preset);
    QFETCH(quint64, seed);
    RaceSpec recipe = *presetRace(preset);
    if (seed)
        recipe.Seed = seed;
    const GeneratedRace race = generateRace(recipe);
    QTemporaryDir dir;
    QString error;
    QVERIFY2(writeRace(race, dir.path(), &error), qPrintable(error));

    platform::ScriptedDialogs dialogs;
    platform::DialogsGuard guard(&dialogs);
    AppSettings settings;
    settings.ApplicationFolder = dir.path();
    RaceControl rc;
    rc.FileName = recipe.RaceFileName;
    RaceData data;
    const LoadResult loaded = LoadRace(settings, rc, data);
    QVERIFY(loaded.ok);
    QVERIFY2(dialogs.shown.isEmpty(), qPrintable(dialogs.messages().join(u'\n')));
    QCOMPARE(rc.boatCount(), recipe.BoatCount);
    QCOMPARE(data.Tracks.size(), recipe.BoatCount);
    QVERIFY(data.hasWind());

    for (int b = 0; b < rc.boatCount(); ++b) {
        const BoatTrack &t = data.Tracks[b];
        QVERIFY2(!t.isEmpty(), qPrintable(rc.Boats[b].TrackFile));
        // From the start of the pre-start display to the finish time, fix after fix.
        QVERIFY(t.Points.first().Time <= -rc.PreStartSeconds);
        QVERIFY(t.Points.last().Time >= rc.RaceDuration - 60);
        QVERIFY(t.PointCount() >= (rc.RaceDuration + rc.PreStartSeconds) / recipe.FixIntervalSec);
        for (const TrackPoint &p : t.Points) {
            QVERIFY(std::fabs(p.Lat - recipe.StartLatDeg * 60) < 3.0);
            QVERIFY(std::fabs(p.Lon - recipe.StartLonDeg * 60) < 3.0);
        }
    }
    // The race area's coast tiles are among those the application folder ships.
    const QStringList shipped{"5238", "5239", "5240", "5339", "5340"};
    QVERIFY(!rc.CoastTiles.isEmpty());
    for (const QString &tile : std::as_const(rc.CoastTiles))
        QVERIFY2(shipped.contains(tile), qPrintable(tile));

    LegStats stats;
    stats.ComputeRoundingTimes(rc, data);
    const int entries = rc.Course.Count();
    int firstFinisher = -1;
    double best = 1e9;
    for (int b = 1; b <= rc.boatCount(); ++b) {
        double previous = -1e9;
        for (int e = 1; e <= entries; ++e) {
            const double t = stats.roundingTime(b, e);
            if (!stats.isPassed(b, e)) {
                QStringList times;
                for (int k = 1; k <= entries; ++k)
                    times << QString::number(stats.roundingTime(b, k));
                QFAIL(qPrintable(QStringLiteral("boat %1 (%2) not seen at %3; passings %4, finished at %5 s")
                                     .arg(b)
                                     .arg(rc.Boats[b - 1].Name, rc.Course.Entries[e - 1], times.join(u' '))
                                     .arg(race.Boats[b - 1].FinishSec)));
            }
            QVERIFY(t > previous);
            previous = t;
        }
        // The start: within seconds after the gun, never before it.
        QVERIFY(stats.roundingTime(b, 1) > 0 && stats.roundingTime(b, 1) < 60);
        // The scan sees the logged fixes, which wander by a metre or two: a boat crossing the
        // line at a slant may be seen a few seconds off.
        QVERIFY2(std::fabs(stats.roundingTime(b, entries) - race.Boats[b - 1].FinishSec) <= 10.0,
                 qPrintable(QStringLiteral("boat %1 finished at %2 s, the scan says %3 s")
                                .arg(b).arg(race.Boats[b - 1].FinishSec).arg(stats.roundingTime(b, entries))));
        if (race.Boats[b - 1].FinishSec < best) {
            best = race.Boats[b - 1].FinishSec;
            firstFinisher = b;
        }
    }
    QVERIFY(std::fabs(stats.leaderTime(entries) - stats.roundingTime(firstFinisher, entries)) <= 10.0);
}

void TestRaceGen::deterministicBySeed()
{
    RaceSpec recipe = *presetRace(QStringLiteral("dinghy"));
    const GeneratedRace a = generateRace(recipe);
    const GeneratedRace b = generateRace(recipe);
    QCOMPARE(a.Boats.size(), b.Boats.size());
    for (int i = 0; i < a.Boats.size(); ++i)
        QCOMPARE(formatTrackFile(a.Boats[i].Fixes, a.Boats[i].Format), formatTrackFile(b.Boats[i].Fixes, b.Boats[i].Format));
    QCOMPARE(formatWindFile(a.Wind), formatWindFile(b.Wind));

    recipe.Seed += 1;
    const GeneratedRace c = generateRace(recipe);
    QVERIFY(formatTrackFile(a.Boats[0].Fixes, a.Boats[0].Format) != formatTrackFile(c.Boats[0].Fixes, c.Boats[0].Format));
}

void TestRaceGen::benchPreset()
{
    // The benchmark race is only described here; bench programs generate it on demand.
    const RaceSpec recipe = *presetRace(QStringLiteral("bench50"));
    QCOMPARE(recipe.BoatCount, 50);
    QCOMPARE(recipe.FixIntervalSec, 1);
    QCOMPARE(recipe.LogDurationSec, 4 * 3600);
    QVERIFY(courseFor(recipe.Laps).size() <= 20);
    QVERIFY(!presetRace(QStringLiteral("no such race")).has_value());

    // Every log is exactly four hours of 1 s fixes, and the whole fleet finishes inside it.
    const GeneratedRace race = generateRace(recipe);
    QCOMPARE(race.Boats.size(), 50);
    for (const GeneratedBoat &b : race.Boats) {
        QCOMPARE(b.Fixes.size(), 4 * 3600);
        QVERIFY2(b.FinishSec > 0, qPrintable(b.Name));
        QCOMPARE(b.Fixes.first().Utc.secsTo(b.Fixes.last().Utc), qint64(4 * 3600 - 1));
    }
    // The race ends with the logs, so a load keeps every fix from the pre-start display on.
    QCOMPARE(race.Control.FinishTime, race.Boats[0].Fixes.last().Utc.addSecs(3600 * recipe.TimeDifference));
}

void TestRaceGen::courseOrder()
{
    QCOMPARE(courseFor(1), (QStringList{"L1", "MK1", "MK2", "L2"}));
    QCOMPARE(courseFor(2), (QStringList{"L1", "MK1", "MK2", "MK1", "MK2", "L2"}));
}

QTEST_GUILESS_MAIN(TestRaceGen)
#include "testracegen.moc"
