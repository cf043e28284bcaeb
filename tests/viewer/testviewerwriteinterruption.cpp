// The file orvane2007 writes (the Google Earth document), killed in the middle of the write: the
// test runs itself again as a child that writes the document with the write interruption seam
// set to end the process once the first bytes are out, and then finds the previous document
// whole. The same write run to its end replaces it.
#include <kmlwriter.h>

#include <textfile.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int InterruptedExit = 42;

int writeDocument(const QString &folder)
{
    ViewerRace race;
    race.TitleText = QStringLiteral("orvane  Test race.");
    ViewerBoat boat;
    boat.Name = QStringLiteral("Tom & Jerry");
    boat.KmlColour = QStringLiteral("ff0000ff");
    boat.Samples = {{0, 2130, 8385, 5, 90}, {10, 2130.01, 8385.02, 5, 90}};
    race.Boats = {boat};
    KmlSettings settings;
    settings.IconFolder = folder + QStringLiteral("/ya/");
    QString error;
    const bool ok = writeKmlFile(kmlExportPath(folder), kmlBytes(exportRaceLines(race, settings)), &error);
    if (!ok)
        std::fprintf(stderr, "%s\n", qPrintable(error));
    return ok ? 0 : 1;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

} // namespace

class TestViewerWriteInterruption : public QObject
{
    Q_OBJECT

private slots:
    void killedExportLeavesThePreviousDocument();
};

void TestViewerWriteInterruption::killedExportLeavesThePreviousDocument()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = kmlExportPath(dir.path());
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("<?xml version=\"1.0\"?><kml><Document><name>the scene before</name></Document></kml>\r\n");
    }
    const QByteArray before = readAll(path);

    QProcess killed;
    killed.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--write-and-die"), dir.path()});
    QVERIFY(killed.waitForFinished(30000));
    QCOMPARE(killed.exitCode(), InterruptedExit);
    QCOMPARE(QDir::cleanPath(QString::fromUtf8(killed.readAllStandardOutput()).trimmed()), QDir::cleanPath(path));
    QCOMPARE(readAll(path), before);

    QProcess whole;
    whole.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--write"), dir.path()});
    QVERIFY(whole.waitForFinished(30000));
    QCOMPARE(whole.exitCode(), 0);
    QVERIFY(readAll(path).contains("Tom &amp; Jerry"));
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && (qstrcmp(argv[1], "--write-and-die") == 0 || qstrcmp(argv[1], "--write") == 0)) {
        if (qstrcmp(argv[1], "--write-and-die") == 0) {
            platform::setWriteInterruption([](const QString &target) {
                std::printf("%s\n", target.toUtf8().constData());
                std::fflush(stdout);
                std::_Exit(InterruptedExit);
            });
        }
        return writeDocument(QString::fromLocal8Bit(argv[2]));
    }
    TestViewerWriteInterruption test;
    return QTest::qExec(&test, argc, argv);
}

#include "testviewerwriteinterruption.moc"
