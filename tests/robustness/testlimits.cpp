// orvane's readers at and past their limits: races with more of everything than the bounds
// allow, lines of a megabyte, a million fixes, a hundred thousand wind samples, and files that
// are not files (a folder, a link to itself, a pipe) or cannot be read. The load takes what the
// bounds allow, tells once what it left out, never waits on a pipe, and writes back every line.
#include "limitsfixture.h"

#include <racecontrolfile.h>
#include <raceloader.h>
#include <windfile.h>

#include <dialogs.h>
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

constexpr char TrackHeader[] = "H  SOFTWARE NAME & VERSION\r\nI  orvane limits test\r\n"
                               "M  G WGS 84               121 +0.000000e+00 +0.000000e+00\r\n"
                               "U  LAT LON DM\r\n";

QByteArray track(int count)
{
    return QByteArray(TrackHeader) + QByteArray(500, ' ').prepend('H').append("\r\n") + fixes(count);
}

void write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly), qPrintable(path));
    QCOMPARE(f.write(bytes), bytes.size());
}

int countOf(const FileProblems &problems, FileProblem::Kind kind)
{
    return int(std::count_if(problems.begin(), problems.end(), [kind](const FileProblem &p) { return p.kind == kind; }));
}

// The number of lines a file's problems stand for: each listed one, and the count of the closing
// "more lines" entry.
int linesTold(const FileProblems &problems, const QString &file)
{
    int n = 0;
    for (const FileProblem &p : problems) {
        if (p.file == file)
            n += p.kind == FileProblem::MoreProblems ? p.value.toInt() : 1;
    }
    return n;
}

} // namespace

class TestLimits : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void pastEveryBound_data();
    void pastEveryBound();
    void megabyteLine_data();
    void megabyteLine();
    void millionFixes();
    void hundredThousandWindSamples();
    void trackThatIsNoFile_data();
    void trackThatIsNoFile();
    void pipesAreNeverOpened();
    void unreadableTrack();

private:
    LoadResult load(RaceControl &race, RaceData &data);

    std::unique_ptr<QTemporaryDir> m_dir;
    platform::ScriptedDialogs m_dialogs;
    std::unique_ptr<platform::DialogsGuard> m_guard;
    AppSettings m_settings;
};

void TestLimits::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_dialogs = {};
    m_guard = std::make_unique<platform::DialogsGuard>(&m_dialogs);
    m_settings = AppSettings();
    m_settings.ApplicationFolder = m_dir->path();
}

void TestLimits::cleanup()
{
    m_guard.reset();
    m_dir.reset();
}

LoadResult TestLimits::load(RaceControl &race, RaceData &data)
{
    race.FileName = QStringLiteral("race.txt");
    return LoadRace(m_settings, race, data);
}

void TestLimits::pastEveryBound_data()
{
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<int>("bound");
    QTest::addColumn<int>("kind");
    QTest::newRow("boats") << QByteArray("BN") << MaxBoats << int(FileProblem::TooManyBoats);
    QTest::newRow("marks") << QByteArray("MK") << MaxMarks << int(FileProblem::TooManyMarks);
    QTest::newRow("lines") << QByteArray("LN") << MaxLines << int(FileProblem::TooManyLines);
    QTest::newRow("course entries") << QByteArray("CRS") << MaxCourseEntries << int(FileProblem::TooManyCourseEntries);
    QTest::newRow("coast tiles") << QByteArray("MAP") << MaxCoastTiles << int(FileProblem::TooManyCoastTiles);
    QTest::newRow("attachments") << QByteArray("AT") << MaxAttachments << int(FileProblem::TooManyAttachments);
}

// Twice the bound of one kind (and a second course line past it): the reader takes the bound,
// tells it once at the first line past it, counts the rest, and the writer puts every line back.
void TestLimits::pastEveryBound()
{
    QFETCH(QByteArray, key);
    QFETCH(int, bound);
    QFETCH(int, kind);
    QByteArray race = raceHead();
    QList<QByteArray> lines;
    const int count = 2 * bound;
    if (key == "CRS") {
        QByteArray crs = "CRS";
        for (int i = 1; i <= count; ++i)
            crs += ", MK" + QByteArray::number(i % 30 + 1);
        lines << crs;
    } else {
        for (int i = 1; i <= count; ++i) {
            const QByteArray n = QByteArray::number(i);
            if (key == "BN") {
                lines << "BN, b" + n + ".trk, Boat " + n;
                write(m_dir->filePath("gpsdat/b" + n + ".trk"), track(30));
            } else if (key == "MK") {
                lines << "MK, " + QByteArray::number(2100 + i) + ", 8368";
            } else if (key == "LN") {
                lines << "LN, " + QByteArray::number(2100 + i) + ", 8368, " + QByteArray::number(2100 + i) + ", 8369";
            } else if (key == "MAP") {
                lines << "MAP, " + QByteArray::number(5000 + i);
            } else {
                lines << "AT, doc" + n + ".pdf";
            }
        }
    }
    for (const QByteArray &l : lines)
        race += l + "\r\n";
    write(m_dir->filePath("raceadmin/race.txt"), race);

    RaceControl rc;
    rc.FileName = QStringLiteral("race.txt");
    FileProblems problems;
    QVERIFY(ReadRaceControl(m_settings, rc, &problems));
    const int taken = key == "BN"    ? rc.boatCount()
                      : key == "MK"  ? rc.markCount()
                      : key == "LN"  ? rc.lineCount()
                      : key == "CRS" ? rc.Course.Count()
                      : key == "MAP" ? int(rc.CoastTiles.size())
                                     : int(rc.Attachments.size());
    QCOMPARE(taken, bound);
    QCOMPARE(countOf(problems, FileProblem::Kind(kind)), 1);
    const auto told = std::find_if(problems.begin(), problems.end(), [kind](const FileProblem &p) { return p.kind == kind; });
    QCOMPARE(told->line, 3 + (key == "CRS" ? 1 : bound + 1));
    QCOMPARE(told->value, QString::number(bound));
    // Every line past the bound counts once, a course line once.
    QCOMPARE(linesTold(problems, QStringLiteral("raceadmin/race.txt")), key == "CRS" ? 1 : count - bound);

    QVERIFY(WriteRaceControl(m_settings, rc));
    const auto back = platform::readTextFile(m_dir->filePath("raceadmin/race.txt"));
    QVERIFY(back.ok);
    for (const QByteArray &l : lines) {
        if (key == "CRS") // the course is written in the writer's form, every entry kept
            QCOMPARE(back.lines.filter(QStringLiteral("CRS")).value(0).count(u','), count);
        else
            QVERIFY2(back.lines.contains(QString::fromLatin1(l)), l.constData());
    }
}

void TestLimits::megabyteLine_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("kind");
    QTest::newRow("title in the race file") << "raceadmin/race.txt" << int(FileProblem::LineTooLong);
    QTest::newRow("boat name in the race file") << "raceadmin/race.txt" << int(FileProblem::LineTooLong);
    QTest::newRow("fix in the track file") << "gpsdat/a.trk" << int(FileProblem::InvalidLatitude);
    QTest::newRow("sample in the wind file") << "winddat/w.csv" << int(FileProblem::UnreadableDateTime);
}

// A line of a megabyte in each kind of file: the line is left out and named, the problem's text
// stays short, the rest of the file loads, and a race file written back keeps the line whole.
void TestLimits::megabyteLine()
{
    QFETCH(QString, file);
    QFETCH(int, kind);
    const QByteArray mega(1 << 20, 'x');
    QByteArray race = raceHead() + "WF, w.csv\r\nBN, a.trk, Boat A\r\n";
    QByteArray trackBytes = track(600);
    QByteArray wind = "TIME,WIND SPEED,WIND DIRECTION (Mag)\r\n2024/07/13 11:00:00,10,200\r\n";
    const QString tag = QString::fromLatin1(QTest::currentDataTag());
    if (tag.startsWith(QLatin1String("title")))
        race += "T1, " + mega + "\r\n";
    else if (tag.startsWith(QLatin1String("boat")))
        race += "BN, b.trk, " + mega + "\r\n";
    else if (file.startsWith(QLatin1String("gpsdat")))
        trackBytes += "T  N" + mega + " E13926.1 13-JUL-24 02:30:00 0\r\n" + fixes(10, 2000);
    else
        wind += mega + ",10,200\r\n2024/07/13 11:01:00,11,205\r\n";
    write(m_dir->filePath("raceadmin/race.txt"), race);
    write(m_dir->filePath("gpsdat/a.trk"), trackBytes);
    write(m_dir->filePath("winddat/w.csv"), wind);

    RaceControl rc;
    RaceData data;
    const LoadResult loaded = load(rc, data);
    QVERIFY(loaded.ok);
    QCOMPARE(loaded.problems.size(), 1);
    const FileProblem &p = loaded.problems.first();
    QCOMPARE(p.file, file);
    QCOMPARE(p.kind, FileProblem::Kind(kind));
    QVERIFY(p.toString(UiLanguage::English).size() < 200);
    QCOMPARE(rc.boatCount(), 1);
    QCOMPARE(rc.Title1, QString());
    QCOMPARE(data.Tracks[0].PointCount(), file.startsWith(QLatin1String("gpsdat")) ? 610 : 600);
    QCOMPARE(data.Wind.size(), file.startsWith(QLatin1String("winddat")) ? 2 : 1);

    if (file.startsWith(QLatin1String("raceadmin"))) {
        QVERIFY(WriteRaceControl(m_settings, rc));
        const auto back = platform::readTextFile(m_dir->filePath("raceadmin/race.txt"));
        QVERIFY(back.lines.contains(QString::fromLatin1(race.split('\n')[5].chopped(1))));
    }
}

// A day and a half at one fix a second is 130 000 fixes; a million is eleven days of log: all of
// them in the race's window are taken.
void TestLimits::millionFixes()
{
    constexpr int Count = 1'000'000;
    write(m_dir->filePath("raceadmin/race.txt"),
          "ST, 2024/07/13 11:00:00\r\nFT, 2024/07/25 01:00:00\r\nTD, 9\r\nBT, 0\r\nBN, a.trk, Boat A\r\n");
    write(m_dir->filePath("gpsdat/a.trk"), track(Count));
    RaceControl rc;
    RaceData data;
    const LoadResult loaded = load(rc, data);
    QVERIFY(loaded.ok);
    QVERIFY2(loaded.problems.isEmpty(), qPrintable(problemLines(loaded.problems, UiLanguage::English).join('\n')));
    // The window opens 30 s before the start (BT 0), cut down to its minute.
    QCOMPARE(data.Tracks[0].PointCount(), Count);
    QCOMPARE(data.Tracks[0].Points.last().Time, double(Count - 1));
}

void TestLimits::hundredThousandWindSamples()
{
    constexpr int Count = 100'000;
    QByteArray wind = "TIME,WIND SPEED,WIND DIRECTION (Mag)\r\n";
    const auto start = platform::LocalDateTime::fromParts(2024, 7, 13, 11, 0, 0);
    for (int i = 0; i < Count; ++i)
        wind += start.addSecs(i).toString().toLatin1() + ',' + QByteArray::number(10 + i % 7) + ',' +
                QByteArray::number(i % 360) + "\r\n";
    write(m_dir->filePath("raceadmin/race.txt"),
          "ST, 2024/07/13 11:00:00\r\nFT, 2024/07/15 00:00:00\r\nTD, 9\r\nWF, w.csv\r\nBN, a.trk, Boat A\r\n");
    write(m_dir->filePath("gpsdat/a.trk"), track(100));
    write(m_dir->filePath("winddat/w.csv"), wind);
    RaceControl rc;
    RaceData data;
    const LoadResult loaded = load(rc, data);
    QVERIFY(loaded.ok);
    QVERIFY(loaded.problems.isEmpty());
    QCOMPARE(data.Wind.size(), Count);
    // A replay run through the whole file, forward and back, finds every bracket.
    WindSearch search;
    for (int t = 0; t < Count - 1; t += 997)
        QVERIFY(WindAt(rc, data.Wind, t + 0.5, true, search));
    for (int t = Count - 2; t > 0; t -= 1009)
        QVERIFY(WindAt(rc, data.Wind, t + 0.5, false, search));
}

void TestLimits::trackThatIsNoFile_data()
{
    QTest::addColumn<QString>("what");
    QTest::addColumn<int>("kind");
    QTest::newRow("folder") << "folder" << int(FileProblem::BoatFileIsFolder);
    QTest::newRow("link to itself") << "self link" << int(FileProblem::BoatFileLeadsNowhere);
    QTest::newRow("link to nothing") << "dead link" << int(FileProblem::BoatFileLeadsNowhere);
    QTest::newRow("pipe") << "pipe" << int(FileProblem::BoatFileNotRegular);
}

// A GPS file that is not a file leaves its boat out, says what it is, and loads the others.
void TestLimits::trackThatIsNoFile()
{
    QFETCH(QString, what);
    QFETCH(int, kind);
    write(m_dir->filePath("raceadmin/race.txt"), raceHead() + "BN, a.trk, Boat A\r\nBN, b.trk, Boat B\r\n");
    write(m_dir->filePath("gpsdat/a.trk"), track(600));
    const QString b = m_dir->filePath("gpsdat/b.trk");
    if (what == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(b));
    else if (what == QLatin1String("self link"))
        QVERIFY(QFile::link(QStringLiteral("b.trk"), b));
    else if (what == QLatin1String("dead link"))
        QVERIFY(QFile::link(QStringLiteral("gone.trk"), b));
    else
        QCOMPARE(::mkfifo(QFile::encodeName(b).constData(), 0644), 0);

    RaceControl rc;
    RaceData data;
    const LoadResult loaded = load(rc, data);
    QVERIFY(loaded.ok);
    QCOMPARE(rc.boatCount(), 1);
    QCOMPARE(data.Tracks[0].PointCount(), 600);
    QCOMPARE(loaded.problems.size(), 1);
    QCOMPARE(loaded.problems[0].kind, FileProblem::Kind(kind));
    QCOMPARE(loaded.problems[0].line, 5);
    QCOMPARE(loaded.problems[0].value, QStringLiteral("b.trk"));
}

// A race file, a wind file or a coast tile that is a named pipe would make a reader wait for a
// writer forever: none is opened, each is named.
void TestLimits::pipesAreNeverOpened()
{
    const auto fifo = [this](const char *name) {
        QDir().mkpath(QFileInfo(m_dir->filePath(QLatin1String(name))).path());
        return ::mkfifo(QFile::encodeName(m_dir->filePath(QLatin1String(name))).constData(), 0644) == 0;
    };
    QVERIFY(fifo("raceadmin/pipe.txt"));
    RaceControl rc;
    rc.FileName = QStringLiteral("pipe.txt");
    FileProblems problems;
    QVERIFY(!ReadRaceControl(m_settings, rc, &problems));
    QCOMPARE(problems.size(), 1);
    QCOMPARE(problems[0].kind, FileProblem::FileUnreadable);
    QCOMPARE(problems[0].value, platform::pathKindReason(platform::PathKind::Special));
    QCOMPARE(readInterfaceLanguage(m_dir->path()), UiLanguage::Japanese);
    QVERIFY(fifo("raceadmin/Ver.00"));
    QCOMPARE(readInterfaceLanguage(m_dir->path()), UiLanguage::Japanese);

    write(m_dir->filePath("raceadmin/race.txt"), raceHead() + "WF, w.csv\r\nBN, a.trk, Boat A\r\n");
    write(m_dir->filePath("gpsdat/a.trk"), track(600));
    QVERIFY(fifo("winddat/w.csv"));
    QVERIFY(fifo("coastline/5239.cst"));
    RaceData data;
    const LoadResult loaded = load(rc, data);
    QVERIFY(loaded.ok);
    QVERIFY(!data.hasWind());
    QCOMPARE(rc.CoastTiles, QStringList{QStringLiteral("5239")});
    QCOMPARE(loaded.problems.size(), 1);
    QCOMPARE(loaded.problems[0].file, QStringLiteral("coastline/5239.cst"));
    QCOMPARE(loaded.problems[0].kind, FileProblem::FileUnreadable);
}

// A GPS file its user may not read. Root reads every file whatever its mode, so as root the
// report runs as the user nobody.
void TestLimits::unreadableTrack()
{
    write(m_dir->filePath("raceadmin/race.txt"), raceHead() + "BN, a.trk, Boat A\r\nBN, b.trk, Boat B\r\n");
    write(m_dir->filePath("gpsdat/a.trk"), track(600));
    write(m_dir->filePath("gpsdat/b.trk"), track(600));
    QVERIFY(QFile::setPermissions(m_dir->filePath("gpsdat/b.trk"), {}));
    QStringList command{QStringLiteral(REPORT_PROGRAM), m_dir->path(), QStringLiteral("race.txt")};
    if (::geteuid() == 0) {
        const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
        if (setpriv.isEmpty())
            QSKIP("running as root without setpriv: every file can be read");
        // nobody must reach the folder and read everything but b.trk.
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
    QVERIFY2(err.contains(QRegularExpression(QStringLiteral("^gpsdat/b.trk: .*Permission denied$"),
                                             QRegularExpression::MultilineOption)),
             qPrintable(err));
    const QByteArray json = report.readAllStandardOutput();
    QVERIFY(json.contains("\"Boat B\""));
}

QTEST_GUILESS_MAIN(TestLimits)
#include "testlimits.moc"
