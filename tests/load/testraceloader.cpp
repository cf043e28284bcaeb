// The load sequence: a small race on disk, loaded with a recording observer.
#include <racecontrolfile.h>
#include <racegenerator.h>
#include <raceloader.h>

#include <dialogs.h>
#include <textfile.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <cstring>
#include <ctime>

using platform::LocalDateTime;

namespace {

LocalDateTime dt(const char *text)
{
    return LocalDateTime::parse(QString::fromLatin1(text));
}

struct Fix {
    double lat, lon; // minutes
    LocalDateTime utc;
};

QByteArray packed(double minutes, char positive, char negative, int degreeDigits)
{
    const char hemisphere = minutes < 0 ? negative : positive;
    minutes = std::fabs(minutes);
    const double degrees = std::floor(minutes / 60.0);
    const double v = degrees * 100.0 + (minutes - degrees * 60.0);
    return hemisphere + QByteArray::number(v, 'f', 5).rightJustified(degreeDigits + 3 + 5, '0');
}

// A track file as a receiver writes it, with the header that makes it longer than 500 bytes.
QByteArray trackFile(const QList<Fix> &fixes)
{
    QByteArray bytes = "H  SOFTWARE NAME & VERSION\r\nI  PCX5 2.09\r\n\r\n"
                       "H  R DATUM                IDX DA            DF            DX            DY            DZ\r\n"
                       "M  G WGS 84               121 +0.000000e+00 +0.000000e+00 +0.000000e+00 +0.000000e+00 "
                       "+0.000000e+00\r\n\r\nH  COORDINATE SYSTEM\r\nU  LAT LON DM\r\n\r\n"
                       "H  LATITUDE    LONGITUDE    DATE      TIME     ALT  ;track\r\n";
    bytes += QByteArray(400, ' ').prepend("H") + "\r\n";
    for (const Fix &f : fixes) {
        const QDate d = f.utc.date();
        const int s = f.utc.secondsOfDay();
        bytes += "T  " + packed(f.lat, 'N', 'S', 2) + " " + packed(f.lon, 'E', 'W', 3) + " " +
                 QByteArray::number(d.year()) + "/" + QByteArray::number(d.month()).rightJustified(2, '0') + "/" +
                 QByteArray::number(d.day()).rightJustified(2, '0') + " " +
                 QByteArray::number(s / 3600).rightJustified(2, '0') + ":" +
                 QByteArray::number(s / 60 % 60).rightJustified(2, '0') + ":" +
                 QByteArray::number(s % 60).rightJustified(2, '0') + " 0\r\n";
    }
    return bytes;
}

// Sailing north at one minute of latitude a minute, one fix a minute from `from` (UTC).
QList<Fix> northward(const char *fromUtc, int minutes, double lat = 2100.0, double lon = 8340.0)
{
    QList<Fix> fixes;
    for (int i = 0; i <= minutes; ++i)
        fixes << Fix{lat + i, lon, dt(fromUtc).addSecs(60 * i)};
    return fixes;
}

class RecordingObserver : public LoadObserver
{
public:
    QStringList calls;
    QString caption;
    QList<LoadProgress> progress;
    std::function<void()> onRaceRead;
    int boatsWhenLaidOut = -1;

    void loadStarting() override { calls << QStringLiteral("loadStarting"); }
    void raceRead(const RaceControl &, const QString &c) override
    {
        calls << QStringLiteral("raceRead");
        caption = c;
        if (onRaceRead)
            onRaceRead();
    }
    void trackProgress(const LoadProgress &p) override
    {
        calls << QStringLiteral("trackProgress");
        progress << p;
    }
    void tracksLoaded() override { calls << QStringLiteral("tracksLoaded"); }
    void timesKnown(const RaceControl &) override { calls << QStringLiteral("timesKnown"); }
    void layoutWindow(const RaceControl &race, const RaceData &data) override
    {
        calls << QStringLiteral("layoutWindow");
        boatsWhenLaidOut = race.boatCount();
        QCOMPARE(data.Tracks.size(), race.Boats.size());
    }
    void drawChart(const RaceControl &, const RaceData &) override { calls << QStringLiteral("drawChart"); }
    void raceLoaded(const RaceControl &, const RaceData &) override { calls << QStringLiteral("raceLoaded"); }
};

} // namespace

class TestRaceLoader : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void fullRace();
    void everyFileReportsWhatItSkipped();
    void japaneseTexts();
    void singleTrackFile();
    void trackFileGoneBeforeItsTurn();
    void boatWithoutFixInWindow();
    void startWithoutFinish();
    void noStartSeveralBoats();
    void coastByArea_data();
    void coastByArea();
    void editModeWritesOnlyTheTiles();
    void nothingToLoad();
    void reloadReplacesData();

    void parallelLoadIsTheOneCoreLoad_data();
    void parallelLoadIsTheOneCoreLoad();

private:
    QString app() const { return m_dir->path(); }
    void write(const QString &relative, const QByteArray &bytes);
    void writeRace(const QStringList &lines) { write(QStringLiteral("raceadmin/race.txt"), lines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n"); }

    std::unique_ptr<QTemporaryDir> m_dir;
    AppSettings m_settings;
    RaceControl m_race;
    RaceData m_data;
    platform::ScriptedDialogs m_dialogs;
    std::unique_ptr<platform::DialogsGuard> m_guard;
};

void TestRaceLoader::initTestCase()
{
    qputenv("TZ", "Europe/Berlin");
    tzset();
}

void TestRaceLoader::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    for (const char *folder : {"raceadmin", "gpsdat", "winddat", "coastline"})
        QDir(app()).mkpath(QString::fromLatin1(folder));
    m_settings = AppSettings();
    m_settings.ApplicationFolder = app();
    m_settings.setLanguage(UiLanguage::English);
    m_settings.SeaColour = rgb(1, 2, 3);
    m_race = RaceControl();
    m_race.FileName = QStringLiteral("race.txt");
    m_data = RaceData();
    m_dialogs = platform::ScriptedDialogs();
    m_guard = std::make_unique<platform::DialogsGuard>(&m_dialogs);
}

void TestRaceLoader::cleanup()
{
    m_guard.reset();
    m_dir.reset();
}

void TestRaceLoader::write(const QString &relative, const QByteArray &bytes)
{
    QFile f(app() + QLatin1Char('/') + relative);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

void TestRaceLoader::fullRace()
{
    // Start 10:30 local = 01:30 UTC (TD absent: 9). Boat a from 10:28 to 10:42, boat b shorter.
    writeRace({"WF, w.csv", "T1, Spring Cup", "T3, Race 2", "ST, 2008/03/03 10:30:00", "FT, 2008/03/03 10:40:00",
               "BN, a.trk, Alpha", "BN, b.TRK, Bravo", "MK, 2105, 8340", "CRS, MK1, MK1", "WD, 200"});
    write(QStringLiteral("gpsdat/a.trk"), trackFile(northward("2008/03/03 01:28:00", 14)));
    write(QStringLiteral("gpsdat/b.TRK"), trackFile(northward("2008/03/03 01:29:00", 5, 2099.0, 8345.0)));
    write(QStringLiteral("winddat/w.csv"), "TIME,WIND SPEED,WIND DIRECTION (Mag)\r\n2008/03/03 10:29:00,10,350\r\n"
                                           "2008/03/03 10:31:00,10.5,10\r\n2008/03/03 12:00:00,1,1\r\n");
    RecordingObserver observer;
    const LoadResult result = LoadRace(m_settings, m_race, m_data, &observer);
    QVERIFY(result.ok);
    QVERIFY2(m_dialogs.shown.isEmpty(), qPrintable(m_dialogs.messages().join(u'|')));

    QCOMPARE(observer.calls, (QStringList{"loadStarting", "raceRead", "trackProgress", "trackProgress",
                                          "tracksLoaded", "timesKnown", "layoutWindow", "drawChart", "raceLoaded"}));
    QCOMPARE(observer.caption, QStringLiteral(" \"orvane\" Race Browser   Spring Cup   Race 2   (race.txt)"));
    QCOMPARE(observer.progress.size(), 2);
    QCOMPARE(observer.progress[0].line1, QStringLiteral("race.txt    ( 1 / 2)"));
    QCOMPARE(observer.progress[0].line2, QStringLiteral("Loading GPS data     ( a.trk)"));
    QCOMPARE(observer.progress[0].barUnits, 166);
    QCOMPARE(observer.progress[1].line2, QStringLiteral("Loading GPS data     ( b.TRK)"));
    QCOMPARE(observer.progress[1].barUnits, 333);

    QCOMPARE(m_race.TimeDifference, qint16(9));
    QCOMPARE(m_settings.SeaColour, SeaColours[0]);
    QCOMPARE(m_race.ChartRotation, 200.0);
    QCOMPARE(m_race.RaceDuration, qint64(600));
    QCOMPARE(m_data.TimeBarSpan, 840.0);
    QCOMPARE(m_data.ReplayStart, -210.0);
    QCOMPARE(m_data.ReplayEnd, 600.0);

    // The window is 10:26:30 … 10:40:00 by whole minutes: a keeps 10:28 … 10:40.
    QCOMPARE(m_data.Tracks.size(), 2);
    const BoatTrack &a = m_data.Tracks[0];
    QCOMPARE(a.PointCount(), 13);
    QCOMPARE(a.Points.first().Time, -120.0);
    QCOMPARE(a.Points.last().Time, 600.0);
    QCOMPARE(m_data.Tracks[1].PointCount(), 6);
    QCOMPARE(m_data.LatestTrackEnd, 600.0);

    const RaceExtent &e = m_data.Extent;
    QCOMPARE(e.MinLat, 2099.0);
    QCOMPARE(e.MaxLat, 2112.0);
    QCOMPARE(e.MinLon, 8340.0);
    QCOMPARE(e.MaxLon, 8345.0);
    QCOMPARE(e.Span, 13.0);
    const double knots = e.MetresPerLatMinute / 1852.0 * 60.0;
    QVERIFY(qAbs(a.Points[0].Speed - knots) < 1e-9);
    QCOMPARE(a.Points[0].Course, 0.0);
    QCOMPARE(a.Points.last().Speed, 0.0);
    QVERIFY(qAbs(a.Points.last().Distance - 12 * knots / 60.0) < 1e-9);
    QVERIFY(qAbs(m_settings.ReferenceSpeed - knots) < 1e-9);
    QCOMPARE(m_data.SpeedBarScale, 70.0 / (1.6 * m_settings.ReferenceSpeed));

    QCOMPARE(m_race.WindFile, QStringLiteral("w.csv"));
    QCOMPARE(m_data.Wind.size(), 2);
    QCOMPARE(m_data.Wind[1].Time, 60.0);
    QCOMPARE(m_race.Boats[1].colour, boatColour(2));
    QCOMPARE(m_race.CoastTiles, (QStringList{"5238", "5239"}));
}

void TestRaceLoader::everyFileReportsWhatItSkipped()
{
    // A race file with a line it cannot take, a GPS file with a latitude of 95 degrees and a
    // month 13 among good fixes, a wind file with a bad date-time and a coast tile with a line
    // count out of range: the load reads what it can and names every file and line it skipped.
    writeRace({"ST, 2008/03/03 10:30:00", "FT, 2008/03/03 10:40:00", "TD, 9h", "BN, a.trk, Alpha", "WF, w.csv"});
    QByteArray track = trackFile(northward("2008/03/03 01:30:00", 2, 2130.0, 8385.0));
    track.replace("T  N3531.00000", "T  N9531.00000");
    const qsizetype last = track.lastIndexOf("2008/03/03 01:32:00");
    track.replace(last, 10, "2008/13/03");
    write(QStringLiteral("gpsdat/a.trk"), track);
    write(QStringLiteral("winddat/w.csv"), "TIME,WIND SPEED,WIND DIRECTION (Mag)\r\n3/3/2008 10:31:00 AM,10,350\r\n"
                                           "yesterday,10,350\r\n");
    write(QStringLiteral("coastline/5339.cst"), "M 533926\r\nL" + QByteArray(48, ' ') + " 1e308\r\n 5000 5000\r\n");
    const LoadResult result = LoadRace(m_settings, m_race, m_data);
    QVERIFY(result.ok);
    QCOMPARE(m_data.Tracks[0].PointCount(), 1);
    QCOMPARE(m_data.Wind.size(), 1); // the English system's date-time is read
    const int trackLines = int(track.left(track.indexOf("N9531")).count('\n')) + 1;
    QCOMPARE(result.problems, (FileProblems{
                                  {"raceadmin/race.txt", 3, FileProblem::NotANumber, "9h"},
                                  {"gpsdat/a.trk", trackLines, FileProblem::LatitudeOutOfRange, {}},
                                  {"gpsdat/a.trk", trackLines + 1, FileProblem::InvalidDate, {}},
                                  {"winddat/w.csv", 3, FileProblem::UnreadableDateTime, "yesterday"},
                                  {"coastline/5339.cst", 2, FileProblem::OutOfRange, "1e308"},
                              }));
    QCOMPARE(result.problems[1].toString(UiLanguage::English),
             QStringLiteral("gpsdat/a.trk:%1: latitude out of range: skipped").arg(trackLines));
    QCOMPARE(result.problems[0].toString(UiLanguage::Japanese),
             QStringLiteral("raceadmin/race.txt:3: 「9h」は数値ではありません: 読み飛ばしました"));
}

void TestRaceLoader::japaneseTexts()
{
    m_settings.setLanguage(UiLanguage::Japanese);
    writeRace({"BN, a.trk, Alpha"});
    write(QStringLiteral("gpsdat/a.trk"), trackFile(northward("2008/03/03 01:28:00", 2)));
    RecordingObserver observer;
    QVERIFY(LoadRace(m_settings, m_race, m_data, &observer).ok);
    QCOMPARE(observer.caption, QStringLiteral("オルバネ   (race.txt)"));
    QCOMPARE(observer.progress.value(0).line2, QStringLiteral("GPSﾃﾞｰﾀ\u3000（\u3000a.trk）\u3000を読み込み中"));

    // The message of a vanished file, in Japanese.
    QVERIFY(QFile::remove(app() + QStringLiteral("/gpsdat/a.trk")));
    m_settings.SingleTrackFile = QStringLiteral("a.trk");
    m_race.FileName.clear();
    QVERIFY(LoadRace(m_settings, m_race, m_data).ok);
    QCOMPARE(m_dialogs.messages().size(), 1);
    QVERIFY(m_dialogs.messages()[0].startsWith(QStringLiteral("GPSファイルがありません。(")));
    QVERIFY(m_dialogs.messages()[0].endsWith(QStringLiteral(")\u3000ファイル名を正確に！！")));
}

void TestRaceLoader::singleTrackFile()
{
    write(QStringLiteral("gpsdat/a.b.trk"), trackFile(northward("2008/03/03 01:00:00", 30)));
    m_race.FileName.clear();
    m_settings.SingleTrackFile = QStringLiteral("a.b.trk");
    RecordingObserver observer;
    QVERIFY(LoadRace(m_settings, m_race, m_data, &observer).ok);
    QCOMPARE(m_race.boatCount(), 1);
    QCOMPARE(m_race.Boats[0].Name, QStringLiteral("a"));
    QCOMPARE(m_race.Boats[0].TrackFile, QStringLiteral("a.b.trk"));
    QCOMPARE(observer.caption, QStringLiteral(" \"orvane\" Race Browser   (a.b.trk)"));
    QCOMPARE(observer.progress.value(0).line1, QStringLiteral("    ( 1 / 1)"));
    QCOMPARE(m_race.StartTime, dt("2008/03/03 10:04:00"));
    QCOMPARE(m_race.FinishTime, dt("2008/03/03 10:30:00"));
    QCOMPARE(m_race.DisplayStart, m_race.StartTime);
    QCOMPARE(m_race.DisplayEnd, m_race.FinishTime);
    QCOMPARE(m_race.RaceDuration, qint64(26 * 60));
    QCOMPARE(m_data.Tracks.value(0).PointCount(), 31);
    QCOMPARE(m_data.ReplayEnd, 26 * 60.0);
}

void TestRaceLoader::trackFileGoneBeforeItsTurn()
{
    writeRace({"ST, 2008/03/03 10:30:00", "FT, 2008/03/03 10:40:00", "BN, a.trk, Alpha", "BN, b.trk, Bravo",
               "BN, c.trk, Charlie"});
    for (const char *name : {"a.trk", "b.trk", "c.trk"})
        write(QStringLiteral("gpsdat/") + QLatin1String(name), trackFile(northward("2008/03/03 01:30:00", 5)));
    RecordingObserver observer;
    // The file goes after the race control file has been read and checked.
    observer.onRaceRead = [this] { QFile::remove(app() + QStringLiteral("/gpsdat/b.trk")); };
    const LoadResult result = LoadRace(m_settings, m_race, m_data, &observer);
    QVERIFY(result.ok);
    QCOMPARE(m_dialogs.messages().size(), 1);
    const QString expected = QStringLiteral("No GPS file  (") +
                             QDir::toNativeSeparators(app() + QStringLiteral("/gpsdat/b.trk")) +
                             QStringLiteral(")  be sure !");
    QCOMPARE(m_dialogs.messages()[0], expected);
    QCOMPARE(observer.progress.size(), 2); // no progress for the missing boat
    QCOMPARE(observer.progress[1].line1, QStringLiteral("race.txt    ( 3 / 3)"));
    // The boat stays, without a track, and keeps its number and colour.
    QCOMPARE(observer.boatsWhenLaidOut, 3);
    QCOMPARE(m_race.boatCount(), 3);
    QCOMPARE(m_race.Boats[1].Name, QStringLiteral("Bravo"));
    QCOMPARE(m_race.Boats[2].colour, boatColour(3));
    QCOMPARE(m_data.Tracks.size(), 3);
    QCOMPARE(m_data.Tracks[1].PointCount(), 0);
    QCOMPARE(m_data.Tracks[2].PointCount(), 6);
    QCOMPARE(result.problems, (FileProblems{{"gpsdat/b.trk", 0, FileProblem::TrackFileGone, {}}}));

    // A single track file that names a folder.
    m_dialogs = platform::ScriptedDialogs();
    QDir(app()).mkpath(QStringLiteral("gpsdat/folder.trk"));
    m_race.FileName.clear();
    m_settings.SingleTrackFile = QStringLiteral("folder.trk");
    QVERIFY(LoadRace(m_settings, m_race, m_data).ok);
    QCOMPARE(m_dialogs.messages().size(), 1);
    QCOMPARE(m_race.boatCount(), 1);
    QCOMPARE(m_data.Tracks.size(), 1);
    QVERIFY(m_data.Tracks[0].isEmpty());
    QCOMPARE(m_data.SpeedBarScale, 70.0 / (1.6 * FallbackReferenceSpeed));
}

void TestRaceLoader::boatWithoutFixInWindow()
{
    // Boat 1 sails only before the race window: it stays with no points; boat 2 loads.
    writeRace({"ST, 2008/03/03 10:30:00", "FT, 2008/03/03 10:40:00", "BN, early.trk, Early", "BN, b.trk, Bravo",
               "BN, short.trk, Short", "BN, name.Trk, Mixed"});
    write(QStringLiteral("gpsdat/early.trk"), trackFile(northward("2008/03/03 00:00:00", 10)));
    write(QStringLiteral("gpsdat/b.trk"), trackFile(northward("2008/03/03 01:30:00", 5)));
    write(QStringLiteral("gpsdat/short.trk"), "T N3530.0 E13945.0 2008/03/03 01:31:00 0\r\n");
    write(QStringLiteral("gpsdat/name.Trk"), trackFile(northward("2008/03/03 01:30:00", 5)));
    const LoadResult result = LoadRace(m_settings, m_race, m_data);
    QVERIFY(result.ok);
    QVERIFY(m_dialogs.shown.isEmpty());
    QCOMPARE(m_race.boatCount(), 4);
    QCOMPARE(m_data.Tracks[0].PointCount(), 0);
    QCOMPARE(m_data.Tracks[1].PointCount(), 6);
    QCOMPARE(m_data.Tracks[2].PointCount(), 0);
    QCOMPARE(m_data.Tracks[3].PointCount(), 0);
    QCOMPARE(result.problems, (FileProblems{{"gpsdat/early.trk", 0, FileProblem::NoFixInRaceWindow, {}},
                                            {"gpsdat/short.trk", 0, FileProblem::TrackFileTooShort, {}},
                                            {"gpsdat/name.Trk", 0, FileProblem::NotTrackFileName, {}}}));
    // Boat 1 gives no reference speed; the speed bars still get a scale.
    QCOMPARE(m_settings.ReferenceSpeed, 0.0);
    QCOMPARE(m_data.SpeedBarScale, 70.0 / (1.6 * FallbackReferenceSpeed));
    QCOMPARE(m_data.LatestTrackEnd, 300.0);
}

void TestRaceLoader::startWithoutFinish()
{
    writeRace({"ST, 2008/03/03 10:30:00", "TD, 9", "BN, a.trk, Alpha", "BN, b.trk, Bravo"});
    write(QStringLiteral("gpsdat/a.trk"), trackFile(northward("2008/03/03 01:20:00", 40)));
    write(QStringLiteral("gpsdat/b.trk"), trackFile(northward("2008/03/03 01:25:00", 45)));
    QVERIFY(LoadRace(m_settings, m_race, m_data).ok);
    QCOMPARE(m_race.StartTime, dt("2008/03/03 10:30:00"));
    QCOMPARE(m_race.FinishTime, dt("2008/03/03 11:10:00")); // b ends last
    QCOMPARE(m_race.DisplayEnd, m_race.FinishTime);
    QCOMPARE(m_race.RaceDuration, qint64(40 * 60));
    QCOMPARE(m_data.ReplayEnd, 2400.0);
    QCOMPARE(m_data.TimeBarSpan, 2400.0 + 180.0 + 60.0);
    QCOMPARE(m_data.Tracks[0].PointCount(), 41); // every fix, the window is open
    QCOMPARE(m_data.Tracks[1].PointCount(), 46);
    QVERIFY(m_settings.ReferenceSpeed > 0.0);
}

void TestRaceLoader::noStartSeveralBoats()
{
    writeRace({"FT, 2008/03/03 10:05:00", "BN, a.trk, Alpha", "BN, b.trk, Bravo"});
    write(QStringLiteral("gpsdat/a.trk"), trackFile(northward("2008/03/03 01:00:00", 10)));
    write(QStringLiteral("gpsdat/b.trk"), trackFile(northward("2008/03/03 00:55:00", 30)));
    QVERIFY(LoadRace(m_settings, m_race, m_data).ok);
    QCOMPARE(m_race.StartTime, dt("2008/03/03 10:04:00"));
    QCOMPARE(m_race.FinishTime, dt("2008/03/03 10:25:00"));
    QCOMPARE(m_race.RaceDuration, qint64(21 * 60));
    QCOMPARE(m_data.Tracks[1].PointCount(), 31);
    QCOMPARE(m_data.Tracks[1].Points.first().Time, -540.0);
    QCOMPARE(m_data.LatestTrackEnd, 1260.0);
}

void TestRaceLoader::coastByArea_data()
{
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    QTest::addColumn<int>("coastPoints");
    QTest::addColumn<QStringList>("tiles");

    QTest::newRow("20N 120E: China coast") << 1200.0 << 7200.0 << 3 << QStringList{"OLD"};
    QTest::newRow("35N 139E: mesh tiles") << 2130.0 << 8385.0 << 1 << QStringList{"5339"};
    QTest::newRow("south of the equator") << -2030.0 << 9060.0 << 3 << QStringList();
}

void TestRaceLoader::coastByArea()
{
    QFETCH(double, lat);
    QFETCH(double, lon);
    QFETCH(int, coastPoints);
    QFETCH(QStringList, tiles);

    writeRace({"ST, 2008/03/03 10:30:00", "FT, 2008/03/03 10:40:00", "BN, a.trk, Alpha", "MAP, OLD"});
    write(QStringLiteral("gpsdat/a.trk"), trackFile(northward("2008/03/03 01:30:00", 1, lat, lon)));
    write(QStringLiteral("coastline/chinacoast.txt"), "R,1200,7200\r\n1201,7201\r\n1202,7202\r\n");
    write(QStringLiteral("coastline/5339.cst"),
          "M 533926\r\nL" + QByteArray(48, ' ') + "     1\r\n 5000 5000\r\n");
    QVERIFY(LoadRace(m_settings, m_race, m_data).ok);
    if (lat < 0) {
        // No mesh south of the equator; a southern China-style file is not used either.
        QVERIFY(m_data.Coast.isEmpty());
        QCOMPARE(m_race.CoastTiles, tiles);
        QCOMPARE(m_data.Extent.CentreLat, -2029.5);
        return;
    }
    QCOMPARE(m_data.Coast.size(), coastPoints);
    QVERIFY(m_data.Coast[0].startsLine);
    QCOMPARE(m_race.CoastTiles, tiles);
}

void TestRaceLoader::editModeWritesOnlyTheTiles()
{
    // A race without ST, FT and TD, one boat's file vanishing during the load: the file gets
    // its MAP line and keeps everything else as it was.
    m_settings.EditMode = true;
    writeRace({"T1, Cup", "BN, a.trk, Alpha", "BN, b.trk, Bravo", "MAP, 9999"});
    write(QStringLiteral("gpsdat/a.trk"), trackFile(northward("2008/03/03 01:30:00", 5, 2130.0, 8385.0)));
    write(QStringLiteral("gpsdat/b.trk"), trackFile(northward("2008/03/03 01:30:00", 5, 2130.0, 8385.0)));
    RecordingObserver observer;
    observer.onRaceRead = [this] { QFile::remove(app() + QStringLiteral("/gpsdat/b.trk")); };
    QVERIFY(LoadRace(m_settings, m_race, m_data, &observer).ok);
    QCOMPARE(m_race.boatCount(), 2);
    QVERIFY(m_data.Tracks[1].isEmpty());
    QVERIFY(!m_race.StartTime.isNull());
    const auto read = platform::readTextFile(app() + QStringLiteral("/raceadmin/race.txt"));
    QVERIFY(read.ok);
    QCOMPARE(read.lines, (QStringList{"T1, Cup", "LG,  4.7", "BN, a.trk, Alpha", "BN, b.trk, Bravo", "MAP, 5339",
                                      "LL, 45,160", "BT, 3"}));
    // A later change written from the race as shown keeps the boat without a track too.
    m_race.Marks.append({2131.0, 8385.0});
    QVERIFY(WriteRaceControl(m_settings, m_race));
    QVERIFY(platform::readTextFile(app() + QStringLiteral("/raceadmin/race.txt")).lines.contains("BN, b.trk, Bravo"));
}

void TestRaceLoader::nothingToLoad()
{
    m_race.FileName.clear();
    RecordingObserver observer;
    QVERIFY(!LoadRace(m_settings, m_race, m_data, &observer).ok);
    QCOMPARE(observer.calls, QStringList{"loadStarting"});

    m_race.FileName = QStringLiteral("absent.txt");
    QVERIFY(!LoadRace(m_settings, m_race, m_data).ok);
    QCOMPARE(m_dialogs.messages().size(), 1);
    QVERIFY(m_dialogs.messages()[0].contains(QLatin1String("absent.txt")));
}

void TestRaceLoader::reloadReplacesData()
{
    writeRace({"ST, 2008/03/03 10:30:00", "FT, 2008/03/03 10:40:00", "BN, a.trk, Alpha", "WF, w.csv"});
    write(QStringLiteral("gpsdat/a.trk"), trackFile(northward("2008/03/03 01:30:00", 5)));
    write(QStringLiteral("winddat/w.csv"), "h\r\n2008/03/03 10:31:00,1,2\r\n");
    QVERIFY(LoadRace(m_settings, m_race, m_data).ok);
    QCOMPARE(m_data.Wind.size(), 1);
    QVERIFY(QFile::remove(app() + QStringLiteral("/winddat/w.csv")));
    QVERIFY(LoadRace(m_settings, m_race, m_data).ok);
    QVERIFY(m_data.Wind.isEmpty());
    QVERIFY(m_race.WindFile.isEmpty());
    QCOMPARE(m_data.Tracks.size(), 1);
    QCOMPARE(m_data.Tracks[0].PointCount(), 6);
    QCOMPARE(m_race.FirstFixTime, dt("2008/03/03 10:30:00"));
}

namespace {

// Everything a load leaves behind that a user or the rest of the program can see.
struct LoadOutcome {
    QStringList calls;
    QStringList progress;
    QStringList messages;
    FileProblems problems;
    RaceControl race;
    RaceData data;
    double referenceSpeed = 0.0;
};

// The first difference between two loads, empty when there is none. Points, extents and the
// other numbers are compared bit for bit.
QString difference(const LoadOutcome &a, const LoadOutcome &b)
{
    if (a.calls != b.calls)
        return QStringLiteral("calls: ") + a.calls.join(u',') + QStringLiteral(" / ") + b.calls.join(u',');
    if (a.progress != b.progress)
        return QStringLiteral("progress: ") + a.progress.join(u'|') + QStringLiteral(" / ") + b.progress.join(u'|');
    if (a.messages != b.messages)
        return QStringLiteral("messages: ") + a.messages.join(u'|') + QStringLiteral(" / ") + b.messages.join(u'|');
    if (a.problems != b.problems)
        return QStringLiteral("problems: ") + problemLines(a.problems, UiLanguage::English).join(u'|') +
               QStringLiteral(" / ") + problemLines(b.problems, UiLanguage::English).join(u'|');
    const RaceControl &x = a.race, &y = b.race;
    if (x.StartTime != y.StartTime || x.FinishTime != y.FinishTime || x.DisplayStart != y.DisplayStart ||
        x.DisplayEnd != y.DisplayEnd || x.FirstFixTime != y.FirstFixTime || x.LastFixTime != y.LastFixTime ||
        x.RaceDuration != y.RaceDuration || x.CoastTiles != y.CoastTiles)
        return QStringLiteral("race times: start %1 / %2, finish %3 / %4, first fix %5 / %6, last fix %7 / %8")
            .arg(x.StartTime.toString(), y.StartTime.toString(), x.FinishTime.toString(), y.FinishTime.toString(),
                 x.FirstFixTime.toString(), y.FirstFixTime.toString(), x.LastFixTime.toString(), y.LastFixTime.toString());
    if (std::memcmp(&a.referenceSpeed, &b.referenceSpeed, sizeof(double)) != 0)
        return QStringLiteral("reference speed");
    const RaceData &p = a.data, &q = b.data;
    if (std::memcmp(&p.Extent, &q.Extent, sizeof(RaceExtent)) != 0)
        return QStringLiteral("extent");
    if (p.TimeBarSpan != q.TimeBarSpan || p.ReplayStart != q.ReplayStart || p.ReplayEnd != q.ReplayEnd ||
        p.LatestTrackEnd != q.LatestTrackEnd || p.SpeedBarScale != q.SpeedBarScale || p.Wind.size() != q.Wind.size() ||
        p.Coast.size() != q.Coast.size())
        return QStringLiteral("replay bounds, wind or coast");
    if (p.Tracks.size() != q.Tracks.size())
        return QStringLiteral("%1 / %2 tracks").arg(p.Tracks.size()).arg(q.Tracks.size());
    for (qsizetype i = 0; i < p.Tracks.size(); ++i) {
        const QVector<TrackPoint> &s = p.Tracks[i].Points, &t = q.Tracks[i].Points;
        if (s.size() != t.size())
            return QStringLiteral("boat %1: %2 / %3 points").arg(i + 1).arg(s.size()).arg(t.size());
        for (qsizetype k = 0; k < s.size(); ++k) {
            if (std::memcmp(&s[k], &t[k], sizeof(TrackPoint)) != 0)
                return QStringLiteral("boat %1, point %2").arg(i + 1).arg(k + 1);
        }
    }
    return {};
}

} // namespace

void TestRaceLoader::parallelLoadIsTheOneCoreLoad_data()
{
    QTest::addColumn<QString>("preset");
    QTest::addColumn<QString>("variant");
    for (const char *preset : {"keel", "dinghy", "fleet30"})
        QTest::addRow("%s", preset) << preset << "";
    QTest::newRow("keel without start or finish") << "keel" << "no times";
    QTest::newRow("dinghy without start") << "dinghy" << "no start";
    QTest::newRow("fleet30 without finish") << "fleet30" << "no finish";
    QTest::newRow("keel damaged, without start") << "keel" << "damaged";
}

void TestRaceLoader::parallelLoadIsTheOneCoreLoad()
{
    // The parse runs on several threads; whatever the number, the race, every point and every
    // message must be what a load on one thread gives, in the same order.
    QFETCH(QString, preset);
    QFETCH(QString, variant);
    tools::GeneratedRace generated = tools::generateRace(*tools::presetRace(preset));
    RaceControl &control = generated.Control;
    if (variant == QLatin1String("no times") || variant == QLatin1String("no start") || variant == QLatin1String("damaged"))
        control.StartTime = {};
    if (variant == QLatin1String("no times") || variant == QLatin1String("no finish"))
        control.FinishTime = {};
    QString error;
    QVERIFY2(tools::writeRace(generated, app(), &error), qPrintable(error));
    const QList<BoatEntry> &boats = control.Boats;
    if (control.StartTime.isNull()) {
        // The boat that sets the start begins logging after the others: their fixes before
        // it must lie before the start of its time axis, not of their own.
        const int setter = variant == QLatin1String("damaged") ? 1 : 0;
        QFile f(app() + QStringLiteral("/gpsdat/") + boats[setter].TrackFile);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QList<QByteArray> lines = f.readAll().split('\n');
        f.close();
        const qsizetype firstRecord = std::find_if(lines.cbegin(), lines.cend(), [](const QByteArray &l) {
                                          return l.startsWith('T');
                                      }) - lines.cbegin();
        lines.remove(firstRecord, 25);
        write(QStringLiteral("gpsdat/") + boats[setter].TrackFile, lines.join('\n'));
    }
    if (variant == QLatin1String("damaged")) {
        // Boat 1's file has no record, so the start comes from boat 2's first fix; boat 3's
        // has lines the parser skips; boat 4's is too short; boat 5's name is not read.
        const QString gps = app() + QStringLiteral("/gpsdat/");
        write(QStringLiteral("gpsdat/") + boats[0].TrackFile, "H  NO FIXES\r\n" + QByteArray(600, 'x') + "\r\n");
        QFile third(gps + boats[2].TrackFile);
        QVERIFY(third.open(QIODevice::ReadOnly));
        QList<QByteArray> lines = third.readAll().split('\n');
        third.close();
        for (int k : {15, 40, 41, 300})
            lines[k] = "T  N3516.x E13927.1 06-OCT-24 25:61:00 0\r";
        lines[50] = "T  N3516.89365\r";
        write(QStringLiteral("gpsdat/") + boats[2].TrackFile, lines.join('\n'));
        write(QStringLiteral("gpsdat/") + boats[3].TrackFile, "T short\r\n");
        QVERIFY(QFile::rename(gps + boats[4].TrackFile, gps + QStringLiteral("renamed.Trk")));
        QByteArray raceFile;
        {
            QFile f(app() + QStringLiteral("/raceadmin/") + control.FileName);
            QVERIFY(f.open(QIODevice::ReadOnly));
            raceFile = f.readAll();
        }
        raceFile.replace(boats[4].TrackFile.toLatin1(), "renamed.Trk");
        write(QStringLiteral("raceadmin/") + control.FileName, raceFile);
    }

    auto load = [&](int threads) {
        LoadOutcome outcome;
        m_dialogs = platform::ScriptedDialogs();
        AppSettings settings = m_settings;
        outcome.race.FileName = control.FileName;
        RecordingObserver observer;
        const LoadResult result = LoadRace(settings, outcome.race, outcome.data, &observer, threads);
        [&] { QVERIFY(result.ok); }();
        outcome.calls = observer.calls;
        for (const LoadProgress &p : std::as_const(observer.progress))
            outcome.progress << p.line1 + u'/' + p.line2 + u'/' + QString::number(p.barUnits);
        outcome.messages = m_dialogs.messages();
        outcome.problems = result.problems;
        outcome.referenceSpeed = settings.ReferenceSpeed;
        return outcome;
    };
    const LoadOutcome one = load(1);
    QCOMPARE(one.data.Tracks.size(), control.Boats.size());
    if (control.StartTime.isNull()) {
        const int setter = variant == QLatin1String("damaged") ? 1 : 0;
        QCOMPARE(one.race.FirstFixTime.addSecs(240), one.race.StartTime);
        QCOMPARE(one.data.Tracks[setter].Points.first().Time, -240.0);
        QVERIFY(one.data.Tracks[setter + 1].Points.first().Time < -240.0);
    }
    if (control.FinishTime.isNull() || control.StartTime.isNull()) {
        // An open window: the finish is the latest fix taken over all boats.
        double latest = -1e300;
        for (const BoatTrack &t : one.data.Tracks)
            latest = t.isEmpty() ? latest : std::max(latest, t.Points.last().Time);
        QCOMPARE(one.race.FinishTime, one.race.StartTime.addSecs(qint64(latest)));
    }
    if (variant == QLatin1String("damaged")) {
        QVERIFY(one.data.Tracks[0].isEmpty());
        QVERIFY(one.problems.size() >= 5);
    } else {
        QVERIFY(one.problems.isEmpty());
    }
    for (int threads : {2, 3, 8}) {
        const QString diff = difference(one, load(threads));
        QVERIFY2(diff.isEmpty(), qPrintable(QStringLiteral("%1 threads: ").arg(threads) + diff));
    }
}

QTEST_GUILESS_MAIN(TestRaceLoader)
#include "testraceloader.moc"
