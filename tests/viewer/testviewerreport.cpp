// orvane2007-report as a script runs it: the JSON of a demo race, the two KML documents written
// where asked, every skipped line on standard error while the JSON still comes, and one line
// with a non-zero exit for what cannot be done.
#include "viewerfixture.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QXmlStreamReader>

using namespace viewertest;

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out;
    QStringList errorLines;
};

Run report(const QStringList &arguments, const QString &locale = QStringLiteral("C.UTF-8"))
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), locale);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(REPORT_PROGRAM), arguments);
    Run r;
    if (!p.waitForFinished(120000))
        return r;
    r.exitCode = p.exitCode();
    r.out = p.readAllStandardOutput();
    r.errorLines = QString::fromUtf8(p.readAllStandardError()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return r;
}

bool wellFormed(const QString &path, int *placemarks)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    QXmlStreamReader xml(&f);
    *placemarks = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"Placemark")
            ++*placemarks;
    }
    return !xml.hasError();
}

} // namespace

class TestViewerReport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void demoRaceJson();
    void kmlDocuments();
    void problemsOnStandardError();
    void failures_data();
    void failures();

private:
    QTemporaryDir m_dir;
};

void TestViewerReport::initTestCase()
{
    QProcess racegen;
    racegen.start(QStringLiteral(RACEGEN_PROGRAM), {QStringLiteral("--preset"), QStringLiteral("keel"),
                                                    QStringLiteral("--out"), m_dir.path()});
    QVERIFY(racegen.waitForFinished(120000));
    QCOMPARE(racegen.exitCode(), 0);
    // The application folder target lays the attachment out beside the races.
    QDir(m_dir.path()).mkpath(QStringLiteral("attachment"));
    QVERIFY(QFile::copy(QStringLiteral(ORVANE_ASSETS "/attachment/sailing_instructions.html"),
                        m_dir.filePath(QStringLiteral("attachment/sailing_instructions.html"))));
}

void TestViewerReport::demoRaceJson()
{
    // The coast tile of the race area, as the application folder holds it.
    QDir(m_dir.path()).mkpath(QStringLiteral("coastline"));
    QFile::copy(QStringLiteral(ORVANE_ASSETS "/coastline/5239.cst"), m_dir.filePath(QStringLiteral("coastline/5239.cst")));
    const Run r = report({QStringLiteral("--samples"), QStringLiteral("--coast"), m_dir.path(),
                          QStringLiteral("enoshima_keel_r1.txt")});
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(r.errorLines.isEmpty(), qPrintable(r.errorLines.join('\n')));
    const QJsonObject json = QJsonDocument::fromJson(r.out).object();
    const QJsonObject race = json[QStringLiteral("race")].toObject();
    QCOMPARE(race[QStringLiteral("fileName")].toString(), QStringLiteral("enoshima_keel_r1.txt"));
    QCOMPARE(race[QStringLiteral("timeDifference")].toInt(), 9);
    QCOMPARE(race[QStringLiteral("preStartSeconds")].toInt(), 300); // BT, 5
    const QJsonObject period = race[QStringLiteral("period")].toObject();
    QCOMPARE(period[QStringLiteral("start")].toDouble(), -310.0);
    QCOMPARE(period[QStringLiteral("length")].toDouble(),
             period[QStringLiteral("end")].toDouble() - period[QStringLiteral("start")].toDouble());
    for (const char *key : {"start", "finish", "windDirection", "marks", "lines", "course", "note", "title"})
        QVERIFY2(race.contains(QLatin1String(key)), key);

    const int elements = int(race[QStringLiteral("course")].toArray().size());
    const QJsonArray boats = json[QStringLiteral("boats")].toArray();
    QVERIFY(boats.size() >= 5);
    for (const QJsonValue &v : boats) {
        const QJsonObject boat = v.toObject();
        for (const char *key : {"name", "gpsFile", "offset", "sampleCount", "meanInterval", "rank"})
            QVERIFY2(boat.contains(QLatin1String(key)), key);
        QCOMPARE(boat[QStringLiteral("passingTimes")].toArray().size(), elements);
        const QJsonArray samples = boat[QStringLiteral("samples")].toArray();
        QCOMPARE(samples.size(), boat[QStringLiteral("sampleCount")].toInt());
        QCOMPARE(samples[0].toArray().size(), 5);
    }
    QCOMPARE(json[QStringLiteral("leaders")].toArray().size(), elements);
    for (const char *key : {"maxLat", "minLat", "maxLon", "minLon", "centreLat", "centreLon", "latRange", "lonRange"})
        QVERIFY2(json[QStringLiteral("extent")].toObject().contains(QLatin1String(key)), key);
    for (const char *key : {"dayStart", "start", "end"})
        QVERIFY2(json[QStringLiteral("daylight")].toObject().contains(QLatin1String(key)), key);
    QVERIFY(json[QStringLiteral("maxSpeed")].toDouble() > 0);
    QCOMPARE(json[QStringLiteral("coastFiles")].toArray(), (QJsonArray{"5239", "5339"}));
    qsizetype coastPoints = 0;
    for (const QJsonValue &line : json[QStringLiteral("coast")].toArray())
        coastPoints += line.toArray().size();
    QVERIFY(coastPoints > 0);
    QCOMPARE(coastPoints, json[QStringLiteral("coastPoints")].toInteger());
}

void TestViewerReport::kmlDocuments()
{
    const QString race = m_dir.filePath(QStringLiteral("race.kml"));
    const QString scene = m_dir.filePath(QStringLiteral("scene.kml"));
    const Run r = report({QStringLiteral("--kml-race"), race, QStringLiteral("--kml-scene"), QStringLiteral("600"), scene,
                          m_dir.path(), QStringLiteral("enoshima_keel_r1.txt")});
    QCOMPARE(r.exitCode, 0);
    const int boats = int(QJsonDocument::fromJson(r.out).object()[QStringLiteral("boats")].toArray().size());
    int placemarks = 0;
    QVERIFY(wellFormed(scene, &placemarks));
    QCOMPARE(placemarks, 2 * boats);
    QVERIFY(wellFormed(race, &placemarks));
    QVERIFY(placemarks > 3 * boats);
    QFile f(scene);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QVERIFY(bytes.contains("<Folder><name>11:10:00</name>\r\n")); // the start is at 11:00:00
    QVERIFY(bytes.contains(QDir(m_dir.path()).absoluteFilePath(QStringLiteral("ya/ar")).toUtf8()));
    QVERIFY(bytes.contains("Date Time")); // English under the C locale

    // Under a Japanese locale the descriptions are Japanese, as in the viewer.
    QVERIFY(report({QStringLiteral("--kml-scene"), QStringLiteral("600"), scene, m_dir.path(),
                    QStringLiteral("enoshima_keel_r1.txt")},
                   QStringLiteral("ja_JP.UTF-8"))
                .exitCode == 0);
    QFile ja(scene);
    QVERIFY(ja.open(QIODevice::ReadOnly));
    QVERIFY(QString::fromUtf8(ja.readAll()).contains(QStringLiteral("<li>日時：")));
}

void TestViewerReport::problemsOnStandardError()
{
    // A race whose files hold a few bad lines: each is named on standard error, the JSON comes.
    AppFolder app;
    app.write(QStringLiteral("raceadmin/bad.txt"),
              {"ST, 2008/03/03 10:00:00", "FT, 2008/03/03 10:10:00", "TD, 9", "MK, 2112, east", "BN, a.trk, Alpha",
               "BN, b.trk, Bravo"});
    app.write(QStringLiteral("gpsdat/a.trk"), trackHeader() + QStringList{sampleLine(2112, 8385, at("2008/03/03 01:00:00")),
                                                                         "T  N3512.0 E13945.0 03-MAR-08 01:00:10",
                                                                         sampleLine(2112.1, 8385, at("2008/03/03 01:00:20"))});
    const Run r = report({app.path(), QStringLiteral("bad.txt")});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.errorLines, (QStringList{"raceadmin/bad.txt:4: \"east\" is not a number: line skipped",
                                        "raceadmin/bad.txt:6: GPS file b.trk not found: boat left out",
                                        "gpsdat/a.trk:6: 5 items where a sample has 6: line skipped"}));
    const QJsonObject json = QJsonDocument::fromJson(r.out).object();
    QCOMPARE(json[QStringLiteral("boats")].toArray().size(), 1);
    QCOMPARE(json[QStringLiteral("problems")].toArray().size(), 3);
}

void TestViewerReport::failures_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("no race") << QStringList{"{app}"} << 2 << "orvane2007-report: expected APPFOLDER and RACE (see --help)";
    QTest::newRow("unknown option") << QStringList{"--fast", "{app}", "x.txt"} << 2
                                    << "orvane2007-report: unknown option --fast (see --help)";
    QTest::newRow("scene without file") << QStringList{"{app}", "x.txt", "--kml-scene", "60"} << 2
                                        << "orvane2007-report: --kml-scene needs SECONDS and FILE (see --help)";
    QTest::newRow("path as race") << QStringList{"{app}", "raceadmin/x.txt"} << 2
                                  << "orvane2007-report: RACE must be a file name in raceadmin, not a path";
    QTest::newRow("no such race") << QStringList{"{app}", "none.txt"} << 1
                                  << "orvane2007-report: no race control file none.txt in {app}/raceadmin";
    QTest::newRow("no GPS file") << QStringList{"{app}", "ghost.txt"} << 1 << "orvane2007-report: GPS file not exists.";
}

void TestViewerReport::failures()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    const QString app = QDir(m_dir.path()).canonicalPath();
    QFile ghost(m_dir.filePath(QStringLiteral("raceadmin/ghost.txt")));
    QVERIFY(ghost.open(QIODevice::WriteOnly));
    ghost.write("BN, nothing.trk, Ghost\r\n");
    ghost.close();
    arguments.replaceInStrings(QStringLiteral("{app}"), app);
    const Run r = report(arguments);
    QCOMPARE(r.exitCode, exitCode);
    QVERIFY(r.out.isEmpty());
    QCOMPARE(r.errorLines.last(), QString(message).replace(QStringLiteral("{app}"), app));
}

QTEST_GUILESS_MAIN(TestViewerReport)
#include "testviewerreport.moc"
