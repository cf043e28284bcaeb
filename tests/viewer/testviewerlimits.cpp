// orvane2007's readers at and past their limits: races with more of everything than the bounds
// allow, lines of a megabyte, a million samples, a hundred thousand wind samples, a damaged file
// of many bad lines, and files that are not files (a folder, a link to itself, a pipe) or cannot
// be read. The load takes what the bounds allow, tells once what it left out and never waits on
// a pipe.
#include "../robustness/limitsfixture.h"

#include <racecontrolreader.h>
#include <viewercoast.h>
#include <windreader.h>
#include <viewerloader.h>
#include <viewersession.h>

#include <textfile.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using limits::fixes;
using limits::raceHead;

QByteArray track(int count)
{
    return "H  SOFTWARE NAME & VERSION\r\nU  LAT LON DM\r\n" + fixes(count);
}

int countOf(const ReadProblems &problems, ReadProblem::Kind kind)
{
    return int(std::count_if(problems.begin(), problems.end(), [kind](const ReadProblem &p) { return p.What == kind; }));
}

// The lines a file's problems stand for: each listed one and the count of the closing entry.
int linesTold(const ReadProblems &problems, const QString &file)
{
    int n = 0;
    for (const ReadProblem &p : problems) {
        if (p.File == file)
            n += p.What == ReadProblem::MoreProblems ? p.Args.value(0).toInt() : 1;
    }
    return n;
}

} // namespace

class TestViewerLimits : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void pastEveryBound_data();
    void pastEveryBound();
    void megabyteLine_data();
    void megabyteLine();
    void manyBadLines();
    void millionSamples();
    void hundredThousandWindSamples();
    void trackThatIsNoFile_data();
    void trackThatIsNoFile();
    void pipesAreNeverOpened();
    void unreadableTrack();
    void numbersPastAnInt();

private:
    void write(const QString &relative, const QByteArray &bytes);
    ViewerLoadResult load(LoadedViewerRace &loaded, const QString &race = QStringLiteral("race.txt"));

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestViewerLimits::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestViewerLimits::write(const QString &relative, const QByteArray &bytes)
{
    const QString path = m_dir->filePath(relative);
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly), qPrintable(path));
    QCOMPARE(f.write(bytes), bytes.size());
}

ViewerLoadResult TestViewerLimits::load(LoadedViewerRace &loaded, const QString &race)
{
    ViewerLoadRequest request;
    request.ApplicationFolder = m_dir->path();
    request.RacePath = m_dir->filePath(QStringLiteral("raceadmin/") + race);
    return loadViewerRace(request, ViewerRace(), loaded);
}

void TestViewerLimits::pastEveryBound_data()
{
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<int>("bound");
    QTest::newRow("boats") << QByteArray("BN") << ViewerMaxBoats;
    QTest::newRow("marks") << QByteArray("MK") << ViewerMaxMarks;
    QTest::newRow("lines") << QByteArray("LN") << ViewerMaxLines;
    QTest::newRow("course names") << QByteArray("CRS") << ViewerMaxCourseNames;
    QTest::newRow("attachments") << QByteArray("AT") << ViewerMaxAttachments;
}

// Twice the bound of one kind: the reader takes the bound and tells it once, at the first entry
// past it; the later ones are counted with the file's problems.
void TestViewerLimits::pastEveryBound()
{
    QFETCH(QByteArray, key);
    QFETCH(int, bound);
    const int count = 2 * bound;
    QByteArray race = raceHead() + "BN, a.trk, Boat A\r\n";
    write(QStringLiteral("gpsdat/a.trk"), track(60));
    if (key == "CRS") {
        race += "MK, 2117.5, 8368.0\r\nCRS";
        for (int i = 0; i < count; ++i)
            race += ", MK1";
        race += "\r\n";
    }
    for (int i = 1; key != "CRS" && i <= count; ++i) {
        const QByteArray n = QByteArray::number(i);
        if (key == "BN") {
            race += "BN, b" + n + ".trk, Boat " + n + "\r\n";
            write(QStringLiteral("gpsdat/b%1.trk").arg(i), track(60));
        } else if (key == "MK") {
            race += "MK, 2117." + n + ", 8368." + n + "\r\n";
        } else if (key == "LN") {
            race += "LN, 2117." + n + ", 8368.1, 2117." + n + ", 8368.2\r\n";
        } else {
            race += "AT, doc" + n + ".pdf\r\n";
            write(QStringLiteral("attachment/doc%1.pdf").arg(i), "%PDF");
        }
    }
    write(QStringLiteral("raceadmin/race.txt"), race);
    LoadedViewerRace loaded;
    const ViewerLoadResult result = load(loaded);
    QVERIFY(result.ok());
    const ViewerRace &r = loaded.Race;
    const int taken = key == "BN"    ? r.boatCount() - 1
                      : key == "MK"  ? int(r.Marks.size())
                      : key == "LN"  ? int(r.Lines.size())
                      : key == "CRS" ? int(r.Course.size())
                                     : int(r.Attachments.size());
    QCOMPARE(taken, key == "BN" ? bound - 1 : bound);
    QCOMPARE(countOf(result.problems, ReadProblem::TooMany), 1);
    const QString raceFile = QStringLiteral("raceadmin/race.txt");
    // Every entry past the bound counts once; a course line once.
    const int linesPast = key == "BN" ? count - bound + 1 : key == "CRS" ? 1 : count - bound;
    QCOMPARE(linesTold(result.problems, raceFile) - countOf(result.problems, ReadProblem::UnknownCourseElement), linesPast);
}

void TestViewerLimits::megabyteLine_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("kind");
    QTest::newRow("title in the race file") << "raceadmin/race.txt" << int(ReadProblem::LineTooLong);
    QTest::newRow("sample in the track file") << "gpsdat/a.trk" << int(ReadProblem::BadCoordinate);
    QTest::newRow("sample in the wind file") << "winddat/w.csv" << int(ReadProblem::BadDateTime);
}

// A line of a megabyte: left out and named with a short text; the rest of the file loads.
void TestViewerLimits::megabyteLine()
{
    QFETCH(QString, file);
    QFETCH(int, kind);
    const QByteArray mega(1 << 20, '9');
    QByteArray race = raceHead() + "WF, w.csv\r\nBN, a.trk, Boat A\r\n";
    QByteArray trackBytes = track(600);
    QByteArray wind = "TIME,WIND SPEED,WIND DIRECTION (Mag)\r\n2024/07/13 11:00:00,10,200\r\n";
    if (file.startsWith(QLatin1String("raceadmin")))
        race += "T1, " + mega + "\r\n";
    else if (file.startsWith(QLatin1String("gpsdat")))
        trackBytes += "T  N" + mega + "x E13926.1 13-JUL-24 02:30:00 0\r\n" + fixes(10, 2000);
    else
        wind += mega + ",10,200\r\n2024/07/13 11:01:00,11,205\r\n";
    write(QStringLiteral("raceadmin/race.txt"), race);
    write(QStringLiteral("gpsdat/a.trk"), trackBytes);
    write(QStringLiteral("winddat/w.csv"), wind);

    LoadedViewerRace loaded;
    const ViewerLoadResult result = load(loaded);
    QVERIFY(result.ok());
    QCOMPARE(result.problems.size(), 1);
    QCOMPARE(result.problems[0].File, file);
    QCOMPARE(result.problems[0].What, ReadProblem::Kind(kind));
    QVERIFY(result.problems[0].toString(1).size() < 200);
    QCOMPARE(loaded.Race.Title1, QString());
    QCOMPARE(loaded.Race.Boats[0].sampleCount(), file.startsWith(QLatin1String("gpsdat")) ? 610 : 600);
    QCOMPARE(loaded.Race.Wind.size(), file.startsWith(QLatin1String("winddat")) ? 2 : 1);
}

// A file damaged through and through gives a list a person can read: twenty lines named and the
// count of the others.
void TestViewerLimits::manyBadLines()
{
    write(QStringLiteral("raceadmin/race.txt"), raceHead() + "BN, a.trk, Boat A\r\n");
    QByteArray bad;
    for (int i = 0; i < 100000; ++i)
        bad += "T  N3517.1 E13926.1 13-JUL-24 02:30\r\n";
    write(QStringLiteral("gpsdat/a.trk"), track(600) + bad);
    LoadedViewerRace loaded;
    const ViewerLoadResult result = load(loaded);
    QVERIFY(result.ok());
    QCOMPARE(result.problems.size(), ProblemRecorder::MaxListed + 1);
    QCOMPARE(result.problems.last().What, ReadProblem::MoreProblems);
    QCOMPARE(linesTold(result.problems, QStringLiteral("gpsdat/a.trk")), 100000);
    QCOMPARE(loaded.Race.Boats[0].sampleCount(), 600);
}

void TestViewerLimits::millionSamples()
{
    constexpr int Count = 1'000'000;
    write(QStringLiteral("raceadmin/race.txt"),
          "ST, 2024/07/13 11:00:00\r\nFT, 2024/07/25 01:00:00\r\nTD, 9\r\nBN, a.trk, Boat A\r\n");
    write(QStringLiteral("gpsdat/a.trk"), track(Count));
    LoadedViewerRace loaded;
    const ViewerLoadResult result = load(loaded);
    QVERIFY(result.ok());
    QVERIFY(result.problems.isEmpty());
    QCOMPARE(loaded.Race.Boats[0].sampleCount(), Count);
    QCOMPARE(loaded.Race.Boats[0].MeanInterval, 1);
}

void TestViewerLimits::hundredThousandWindSamples()
{
    constexpr int Count = 100'000;
    QByteArray wind = "TIME,WIND SPEED,WIND DIRECTION (Mag)\r\n";
    const auto start = platform::LocalDateTime::fromParts(2024, 7, 13, 11, 0, 0);
    for (int i = 0; i < Count; ++i)
        wind += start.addSecs(i).toString().toLatin1() + ',' + QByteArray::number(10 + i % 7) + ',' +
                QByteArray::number(i % 360) + "\r\n";
    write(QStringLiteral("raceadmin/race.txt"), raceHead() + "WF, w.csv\r\nBN, a.trk, Boat A\r\n");
    write(QStringLiteral("gpsdat/a.trk"), track(100));
    write(QStringLiteral("winddat/w.csv"), wind);
    LoadedViewerRace loaded;
    const ViewerLoadResult result = load(loaded);
    QVERIFY(result.ok());
    QVERIFY(result.problems.isEmpty());
    QCOMPARE(loaded.Race.Wind.size(), Count);
    QCOMPARE(loaded.Race.Wind.last().Time, double(Count - 1));
}

void TestViewerLimits::trackThatIsNoFile_data()
{
    QTest::addColumn<QString>("what");
    QTest::addColumn<int>("kind");
    QTest::newRow("folder") << "folder" << int(ReadProblem::GpsFileIsFolder);
    QTest::newRow("link to itself") << "self link" << int(ReadProblem::GpsFileLeadsNowhere);
    QTest::newRow("link to nothing") << "dead link" << int(ReadProblem::GpsFileLeadsNowhere);
    QTest::newRow("pipe") << "pipe" << int(ReadProblem::GpsFileNotRegular);
}

void TestViewerLimits::trackThatIsNoFile()
{
    QFETCH(QString, what);
    QFETCH(int, kind);
    write(QStringLiteral("raceadmin/race.txt"), raceHead() + "BN, a.trk, Boat A\r\nBN, b.trk, Boat B\r\n");
    write(QStringLiteral("gpsdat/a.trk"), track(600));
    const QString b = m_dir->filePath(QStringLiteral("gpsdat/b.trk"));
    if (what == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(b));
    else if (what == QLatin1String("self link"))
        QVERIFY(QFile::link(QStringLiteral("b.trk"), b));
    else if (what == QLatin1String("dead link"))
        QVERIFY(QFile::link(QStringLiteral("gone.trk"), b));
    else
        QCOMPARE(::mkfifo(QFile::encodeName(b).constData(), 0644), 0);
    LoadedViewerRace loaded;
    const ViewerLoadResult result = load(loaded);
    QVERIFY(result.ok());
    QCOMPARE(loaded.Race.boatCount(), 1);
    QCOMPARE(result.problems.size(), 1);
    QCOMPARE(result.problems[0].What, ReadProblem::Kind(kind));
    QCOMPARE(result.problems[0].Line, 5);
    QCOMPARE(result.problems[0].Args, QStringList{QStringLiteral("b.trk")});
}

// Race files, the start-up race file, wind files and coast tiles that are named pipes are never
// opened (a pipe would keep the viewer waiting for a writer forever).
void TestViewerLimits::pipesAreNeverOpened()
{
    const auto fifo = [this](const QString &relative) {
        QDir().mkpath(QFileInfo(m_dir->filePath(relative)).path());
        return ::mkfifo(QFile::encodeName(m_dir->filePath(relative)).constData(), 0644) == 0;
    };
    QVERIFY(fifo(QStringLiteral("raceadmin/pipe.txt")));
    LoadedViewerRace loaded;
    QCOMPARE(load(loaded, QStringLiteral("pipe.txt")).status, ViewerLoadResult::RaceFileMissing);

    write(QStringLiteral("raceadmin/race.txt"), raceHead() + "WF, w.csv\r\nBN, a.trk, Boat A\r\n");
    write(QStringLiteral("gpsdat/a.trk"), track(600));
    QVERIFY(fifo(QStringLiteral("winddat/w.csv")));
    QVERIFY(fifo(QStringLiteral("coastline/5239.cst")));
    QVERIFY(fifo(QStringLiteral("raceadmin/racefile.st")));
    ViewerSession session;
    ReadProblems problems;
    startSession(session, m_dir->path(), m_dir->path(), JapaneseLocaleId, problems);
    QCOMPARE(QFileInfo(session.CurrentRacePath).fileName(), QStringLiteral("pipe.txt"));
    const ViewerLoadResult result = load(loaded);
    QVERIFY(result.ok());
    QVERIFY(loaded.Race.Wind.isEmpty());
    QVERIFY(loaded.Derived.Coast.Files.contains(QStringLiteral("5239")));
    QCOMPARE(countOf(result.problems, ReadProblem::WindFileMissing), 1);
    QCOMPARE(countOf(result.problems, ReadProblem::FileUnreadable), 1);
}

// A GPS file its user may not read. Root reads every file whatever its mode, so as root the
// report runs as the user nobody.
void TestViewerLimits::unreadableTrack()
{
    write(QStringLiteral("raceadmin/race.txt"), raceHead() + "BN, a.trk, Boat A\r\nBN, b.trk, Boat B\r\n");
    write(QStringLiteral("gpsdat/a.trk"), track(600));
    write(QStringLiteral("gpsdat/b.trk"), track(600));
    QVERIFY(QFile::setPermissions(m_dir->filePath(QStringLiteral("gpsdat/b.trk")), {}));
    QStringList command{QStringLiteral(REPORT_PROGRAM), m_dir->path(), QStringLiteral("race.txt")};
    if (::geteuid() == 0) {
        const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
        if (setpriv.isEmpty())
            QSKIP("running as root without setpriv: every file can be read");
        for (QString p = m_dir->path(); p != QLatin1String("/"); p = QFileInfo(p).path())
            QFile::setPermissions(p, QFile::permissions(p) | QFile::ExeOther | QFile::ReadOther);
        command = QStringList{setpriv, QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                              QStringLiteral("--clear-groups"), QStringLiteral("--")} + command;
    }
    QProcess report;
    report.start(command.takeFirst(), command);
    QVERIFY(report.waitForFinished(60000));
    const QString err = QString::fromUtf8(report.readAllStandardError());
    QVERIFY2(report.exitCode() == 0, qPrintable(err));
    QVERIFY2(err.contains(QStringLiteral("gpsdat/b.trk: cannot be read: ")), qPrintable(err));
    QVERIFY(report.readAllStandardOutput().contains("\"Boat B\""));
}

// Numbers from damaged files far past what an int holds, each first found by the fuzzer as a
// float-to-int conversion out of range (undefined behaviour; the sanitizer build stops on it).
void TestViewerLimits::numbersPastAnInt()
{
    QCOMPARE(viewerRound(2.22222e46), std::numeric_limits<int>::max());
    QCOMPARE(viewerRound(-1e300), std::numeric_limits<int>::min());
    QCOMPARE(viewerRound(std::nan("")), 0);
    QCOMPARE(viewerRound(2.5), 2);

    // A wind direction of 2e46 degrees is a line out of range, told and left out.
    ReadProblems problems;
    const QList<ViewerWindSample> wind = parseWindFile({QStringLiteral("TIME, SPEED, DIRECTION"), QStringLiteral("2024/07/13 11:00:00, 5, 2e46")},
                                                       platform::LocalDateTime::parse(QStringLiteral("2024/07/13 11:00:00")),
                                                       QStringLiteral("winddat/w.txt"), problems);
    QVERIFY(wind.isEmpty());
    QCOMPARE(problems.size(), 1);
    QCOMPARE(problems.first().toString(1), QStringLiteral("winddat/w.txt:2: \"2e46\" lies outside -360 to 360: line skipped"));

    // Whole numbers of the race file that enter sums are bounded: BT 55555543 minutes would
    // overflow as seconds, a lay line or variation of 2e9 degrees as a direction.
    ViewerRace race;
    problems.clear();
    parseRaceControl({QStringLiteral("BT, 55555543"), QStringLiteral("LL, 2000000000, 150"), QStringLiteral("MG, 2e9"),
                      QStringLiteral("WD, -99999"), QStringLiteral("BT, 5")},
                     m_dir->path(), QStringLiteral("race.txt"), QStringLiteral("raceadmin/race.txt"), race, problems);
    QCOMPARE(race.PreStartSeconds, 300);
    QCOMPARE(race.LayLineUp, 0);
    QCOMPARE(race.MagneticVariation, 0.0);
    QCOMPARE(race.WindDirection, 0);
    QCOMPARE(countOf(problems, ReadProblem::OutOfRange), 4);

    // A track far off the globe (a latitude of 6.95e127 minutes) lies in no coast tile.
    ViewerExtent extent;
    extent.MinLat = extent.MaxLat = extent.CentreLat = 6.95e127;
    extent.MinLon = extent.MaxLon = extent.CentreLon = 8385.0;
    QVERIFY(coastFileNames(extent).isEmpty());

    // A coast line whose point count (characters 50 to 55) reads 6e+95: the points that follow
    // are read as far as there are any.
    extent.MinLat = extent.MaxLat = extent.CentreLat = 2115.0;
    ViewerCoast coast;
    coast.Area = coastArea(extent);
    const QByteArray mesh = "M 523960\r\n" + QByteArray("L").leftJustified(49, ' ') + "6e+95\r\n"
                            + "1234512345\r\n";
    readMeshCoast(QByteArrayView(mesh), coast, QStringLiteral("coastline/5239.cst"), problems);
    QVERIFY(coast.pointCount() <= 1);
}

QTEST_GUILESS_MAIN(TestViewerLimits)
#include "testviewerlimits.moc"
