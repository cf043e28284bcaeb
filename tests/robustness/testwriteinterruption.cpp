// Every file orvane writes, killed in the middle of the write: the test runs itself again as a
// child that writes one file with the write interruption seam set to end the process once the
// first bytes are out, and then finds the previous file whole, byte for byte. The same writer
// run to its end replaces the file, so the seam sits on the writer's real way to that file.
#include <filecopy.h>
#include <legstats.h>
#include <racecontrolfile.h>
#include <saildata.h>
#include <screenimage.h>
#include <windentry.h>
#include <windfile.h>

#include <appfolder.h>
#include <dialogs.h>
#include <textfile.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int InterruptedExit = 42;

struct Writer {
    const char *name;
    const char *target; // the file it replaces, relative to the application folder
};

// The writers and the file each of them replaces.
const Writer Writers[] = {
    {"race-control", "raceadmin/race.txt"},
    {"wind-file-name", "raceadmin/race.txt"},
    {"startup-race", "raceadmin/racefile.st"},
    {"language", "raceadmin/Ver.00"},
    {"wind", "winddat/race_WIND.CSV"},
    {"sail-data", "saildata/race.csv"},
    {"screen-image", "gpsdat/無題.bmp"},
    {"distribution-copy", "distribution/web/gpsdat/a.trk"},
    {"distribution-file", "distribution/web/autorun.inf"},
};

RaceControl sampleRace()
{
    RaceControl race;
    race.FileName = QStringLiteral("race.txt");
    race.WindFile = QStringLiteral("race_WIND.CSV");
    race.Title1 = QStringLiteral("A race written again");
    race.StartTime = platform::LocalDateTime::fromParts(2024, 7, 13, 11, 0, 0);
    race.FinishTime = platform::LocalDateTime::fromParts(2024, 7, 13, 12, 0, 0);
    race.TimeDifference = 9;
    race.Boats = {{QStringLiteral("a.trk"), QStringLiteral("Boat A")}};
    race.Marks = {{2116.25, 8367.45}};
    return race;
}

// Writes the file of one writer below folder; the return value is the process's exit status.
int runWriter(const QString &name, const QString &folder)
{
    platform::ScriptedDialogs dialogs;
    platform::DialogsGuard guard(&dialogs);
    AppSettings settings;
    settings.ApplicationFolder = folder;
    RaceControl race = sampleRace();
    bool ok = false;
    if (name == QLatin1String("race-control")) {
        ok = WriteRaceControl(settings, race);
    } else if (name == QLatin1String("wind-file-name")) {
        race.WindFile = QStringLiteral("other_WIND.CSV");
        ok = storeWindFileName(settings, race);
    } else if (name == QLatin1String("startup-race")) {
        ok = writeStartupRaceFile(folder, QStringLiteral("other.txt"));
    } else if (name == QLatin1String("language")) {
        ok = writeLanguageFile(folder, 1);
    } else if (name == QLatin1String("wind")) {
        ok = WriteWindFile(settings, race, {{0.0, 10.5, 200.0}, {60.0, 11.0, 205.0}, {120.0, 9.5, 198.0}});
    } else if (name == QLatin1String("sail-data")) {
        RaceData data;
        data.Tracks.resize(1);
        ok = ExportSailData(settings, race, data, LegStats());
    } else if (name == QLatin1String("screen-image")) {
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(Qt::blue);
        ok = !writeScreenImage(folder, image).isEmpty();
    } else if (name == QLatin1String("distribution-copy")) {
        ok = copyFileReplacing(platform::resolvePath(folder, QStringLiteral("gpsdat/a.trk")),
                               folder + QStringLiteral("/distribution/web/gpsdat/a.trk"));
    } else if (name == QLatin1String("distribution-file")) {
        ok = writeFileReplacing(folder + QStringLiteral("/distribution/web/autorun.inf"),
                                "[autorun]\r\nOPEN=orvane\r\nICON=orvane.ico\r\n", false);
    }
    for (const QString &m : dialogs.messages())
        std::fprintf(stderr, "%s\n", qPrintable(m));
    return ok ? 0 : 1;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

} // namespace

class TestWriteInterruption : public QObject
{
    Q_OBJECT

private slots:
    void killedWriterLeavesThePreviousFile_data();
    void killedWriterLeavesThePreviousFile();

private:
    // The folder every writer finds: each target with its previous content, and what the
    // writers read (the race file, a track to copy).
    void layOut(const QString &folder);
    QProcess *run(const QString &mode, const QString &writer, const QString &folder);
};

void TestWriteInterruption::layOut(const QString &folder)
{
    const QDir dir(folder);
    for (const Writer &w : Writers) {
        const QString path = dir.filePath(QString::fromUtf8(w.target));
        QVERIFY(dir.mkpath(QFileInfo(path).path()));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("previous contents of " + QByteArray(w.target) + ", which must survive\r\n");
    }
    QVERIFY(dir.mkpath(QStringLiteral("distribution/web/gpsdat")));
    QFile track(dir.filePath(QStringLiteral("gpsdat/a.trk")));
    QVERIFY(track.open(QIODevice::WriteOnly));
    track.write(QByteArray("T  N3517.26681 E13926.72033 13-JUL-24 02:00:00 0\r\n").repeated(40));
}

QProcess *TestWriteInterruption::run(const QString &mode, const QString &writer, const QString &folder)
{
    auto *p = new QProcess(this);
    p->start(QCoreApplication::applicationFilePath(), {mode, writer, folder});
    return p;
}

void TestWriteInterruption::killedWriterLeavesThePreviousFile_data()
{
    QTest::addColumn<QString>("writer");
    QTest::addColumn<QString>("target");
    for (const Writer &w : Writers)
        QTest::newRow(w.name) << QString::fromLatin1(w.name) << QString::fromUtf8(w.target);
}

void TestWriteInterruption::killedWriterLeavesThePreviousFile()
{
    QFETCH(QString, writer);
    QFETCH(QString, target);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    layOut(dir.path());
    const QString path = dir.filePath(target);
    const QByteArray before = readAll(path);

    QProcess *killed = run(QStringLiteral("--write-and-die"), writer, dir.path());
    QVERIFY(killed->waitForFinished(30000));
    QCOMPARE(killed->exitCode(), InterruptedExit);
    // The seam was reached on the way to this very file.
    QCOMPARE(QDir::cleanPath(QString::fromUtf8(killed->readAllStandardOutput()).trimmed()), QDir::cleanPath(path));
    QCOMPARE(readAll(path), before);

    QProcess *whole = run(QStringLiteral("--write"), writer, dir.path());
    QVERIFY(whole->waitForFinished(30000));
    QVERIFY2(whole->exitCode() == 0, whole->readAllStandardError().constData());
    const QByteArray after = readAll(path);
    QVERIFY(after != before);
    QVERIFY(!after.isEmpty());
}

int main(int argc, char **argv)
{
    if (argc == 4 && (qstrcmp(argv[1], "--write-and-die") == 0 || qstrcmp(argv[1], "--write") == 0)) {
        QCoreApplication app(argc, argv);
        if (qstrcmp(argv[1], "--write-and-die") == 0) {
            platform::setWriteInterruption([](const QString &target) {
                std::printf("%s\n", target.toUtf8().constData());
                std::fflush(stdout);
                std::_Exit(InterruptedExit);
            });
        }
        return runWriter(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    }
    QCoreApplication app(argc, argv);
    TestWriteInterruption test;
    return QTest::qExec(&test, argc, argv);
}

#include "testwriteinterruption.moc"
