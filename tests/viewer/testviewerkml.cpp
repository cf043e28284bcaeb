// The Google Earth documents: the exact lines of the scene, the sections of the race document,
// the POINTS interval rule, the icon and document names, escaping, the bytes (UTF-8, CR LF),
// and that real KML readers take them: Qt's XML reader always, GDAL's ogrinfo where installed.
#include "viewerfixture.h"

#include <boatcolours.h>
#include <kmlwriter.h>
#include <racecontrolreader.h>

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QXmlStreamReader>

using namespace viewertest;

namespace {

const QString Icons = QStringLiteral("/app/ya/");

// Two boats off Enoshima, a sample every 100 s from −100 s to 3100 s; one mark and one line.
ViewerRace smallRace()
{
    ViewerRace race;
    race.Start = at("2007/05/06 13:40:00");
    race.Finish = at("2007/05/06 14:29:30");
    updateRaceTimes(race); // period end 2970 + 30 = 3000
    race.TitleText = viewerTitleText({}, {}, QStringLiteral("race1.txt"));
    const QStringList names{"Tom & Jerry", "<A>"};
    for (int b = 0; b < 2; ++b) {
        ViewerBoat boat;
        boat.Name = names[b];
        for (int i = -1; i <= 31; ++i)
            boat.Samples.append(ViewerSample{i * 100.0, 2112.0 + i * 0.1 + b, 8370.0 + i * 0.05, 5.0 + b, 30 * (b + 1)});
        race.Boats << boat;
    }
    assignBoatColours(race);
    race.Marks << ViewerMark{2115, 8371.5};
    race.Lines << ViewerLine{2112, 8370, 2112.5, 8370.25};
    return race;
}

KmlSettings english()
{
    return KmlSettings{1, Icons};
}

QStringList between(const QStringList &lines, const QString &first, const QString &last)
{
    const qsizetype from = lines.indexOf(first);
    const qsizetype to = lines.indexOf(last, from);
    return from < 0 || to < 0 ? QStringList() : lines.mid(from, to - from + 1);
}

struct XmlSummary {
    QStringList names;  // text of every name element, in order
    int placemarks = 0;
    int folders = 0;
    int lineStrings = 0;
    int points = 0;
    QString error;
};

XmlSummary readXml(const QByteArray &bytes)
{
    XmlSummary s;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QStringView n = xml.name();
        if (n == u"name")
            s.names << xml.readElementText();
        else if (n == u"Placemark")
            ++s.placemarks;
        else if (n == u"Folder")
            ++s.folders;
        else if (n == u"LineString")
            ++s.lineStrings;
        else if (n == u"Point")
            ++s.points;
    }
    if (xml.hasError())
        s.error = QStringLiteral("line %1: %2").arg(xml.lineNumber()).arg(xml.errorString());
    return s;
}

} // namespace

class TestViewerKml : public QObject
{
    Q_OBJECT

private slots:
    void iconNames_data();
    void iconNames();
    void documentName_data();
    void documentName();
    void pointsInterval_data();
    void pointsInterval();
    void sceneLines();
    void sceneTrackLength();
    void japaneseDescription();
    void raceDocument();
    void raceDocumentOfALateFinish();
    void bytesAreUtf8WithCrLf();
    void escapedNamesReadBack();
    void ogrinfoReadsBothDocuments();
};

void TestViewerKml::iconNames_data()
{
    QTest::addColumn<int>("heading");
    QTest::addColumn<QString>("icon");
    QTest::newRow("0") << 0 << "ar0.png";
    QTest::newRow("4") << 4 << "ar0.png";
    QTest::newRow("5") << 5 << "ar10.png";
    QTest::newRow("344") << 344 << "ar340.png";
    QTest::newRow("345") << 345 << "ar350.png";
    QTest::newRow("355 is not ar360") << 355 << "ar0.png";
    QTest::newRow("359") << 359 << "ar0.png";
}

void TestViewerKml::iconNames()
{
    QFETCH(int, heading);
    QFETCH(QString, icon);
    QCOMPARE(boatIconName(heading), icon);
    // Every name the rule gives is an icon the application folder holds.
    QVERIFY(QFileInfo::exists(QStringLiteral(ORVANE_ASSETS "/ya/") + icon));
}

void TestViewerKml::documentName_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("name");
    QTest::newRow("from the file name") << "orvane  race1.txt       " << " race1";
    QTest::newRow("titles without a point") << "orvane  Enoshima Cup     Race 2     " << "";
    QTest::newRow("title with a point") << "orvane  Race No. 3     " << " Race No";
}

void TestViewerKml::documentName()
{
    QFETCH(QString, title);
    QFETCH(QString, name);
    QCOMPARE(kmlDocumentName(title), name);
}

void TestViewerKml::pointsInterval_data()
{
    QTest::addColumn<double>("periodEnd");
    QTest::addColumn<int>("interval");
    QTest::addColumn<int>("lastFolder");
    QTest::newRow("3000 s") << 3000.0 << 300 << 11;
    QTest::newRow("100000 s") << 100000.0 << 3600 << 29;
    QTest::newRow("a = 299") << 14999.0 << 300 << 51;
    QTest::newRow("a = 300") << 15000.0 << 600 << 26;
    QTest::newRow("a = 599") << 29999.0 << 600 << 51;
    QTest::newRow("a = 600") << 30000.0 << 1200 << 26;
    QTest::newRow("a = 1199") << 59999.0 << 1200 << 51;
    QTest::newRow("a = 1200") << 60000.0 << 1800 << 34;
    QTest::newRow("a = 1800") << 90000.0 << 3600 << 26;
}

void TestViewerKml::pointsInterval()
{
    QFETCH(double, periodEnd);
    QFETCH(int, interval);
    QFETCH(int, lastFolder);
    QCOMPARE(kmlPointsInterval(periodEnd), interval);
    QCOMPARE(kmlPointsLastFolder(periodEnd), lastFolder);
}

void TestViewerKml::sceneLines()
{
    ViewerRace race = smallRace();
    race.Boats.removeLast();
    BoatState s;
    s.HasSegment = true;
    s.Segment = 3;
    s.Lat = 2115;
    s.Lon = 8370;
    s.Speed = 5.346;
    s.Course = 344.7;
    const QStringList expected{
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>",
        "<kml xmlns=\"http://earth.google.com/kml/2.0\">",
        "<Folder>",
        "<name> race1</name><open>1</open>",
        "<Folder><name>13:40:25</name>",
        "<Placemark><name>Tom &amp; Jerry</name>",
        "<Style><LineStyle><color>FFFF0000</color><width>0</width></LineStyle></Style>",
        "<LineString><coordinates>",
        "139.500833333333,35.2016666666667,0.0 ",
        "139.5,35.2,0.0 ",
        "139.499166666667,35.1983333333333,0.0 ",
        "</coordinates></LineString></Placemark>",
        "<Placemark><name>Tom &amp; Jerry</name>",
        "<description><![CDATA[<ul type=\"disk\"><li>Date Time：2007/05/06 13:40:25<br>",
        "<li>LAT： 35.25 DEG<br>",
        "<li>LON： 139.5 DEG<br>",
        "<li>BSP： 5.35 KTS<br>",
        "<li>HDG： 344 DEG(T)<br>",
        "</ul>]]></description>",
        "<visibility>1</visibility><Style><IconStyle><Icon><href>",
        "/app/ya/ar340.png</href></Icon></IconStyle></Style>",
        "<Point><coordinates>139.5,35.25,0</coordinates>",
        "</Point></Placemark>",
        "</Folder></Folder></kml>",
    };
    QCOMPARE(exportSceneLines(race, 25.4, {s}, english()), expected);
}

void TestViewerKml::sceneTrackLength()
{
    // Up to 21 samples, from the current segment back; boats without a segment are left out.
    const ViewerRace race = smallRace();
    const QList<BoatState> states = boatStatesAt(race, 2550);
    QVERIFY(states[0].HasSegment);
    QCOMPARE(states[0].Segment, 27);
    QList<BoatState> oneAbsent = states;
    oneAbsent[1].HasSegment = false;
    const QStringList lines = exportSceneLines(race, 2550, oneAbsent, english());
    const QStringList track = between(lines, "<LineString><coordinates>", "</coordinates></LineString></Placemark>");
    QCOMPARE(track.size(), 21 + 2);
    QCOMPARE(lines.filter(QStringLiteral("<Placemark>")).size(), 2);
    QCOMPARE(lines.filter(QStringLiteral("&lt;A&gt;")).size(), 0);
}

void TestViewerKml::japaneseDescription()
{
    const ViewerRace race = smallRace();
    const QStringList lines = exportSceneLines(race, 0, boatStatesAt(race, 0), KmlSettings{0, Icons});
    const QStringList description =
        between(lines, lines.filter(QStringLiteral("<description>")).value(0), "</ul>]]></description>");
    QCOMPARE(description,
             (QStringList{"<description><![CDATA[<ul type=\"disk\"><li>日時：2007/05/06 13:40:00<br>",
                          "<li>緯度： 35.2度<br>",
                          "<li>経度： 139.5度<br>", "<li>速度： 5ノット<br>", "<li>針路： 30度(T)<br>",
                          "</ul>]]></description>"}));
}

void TestViewerKml::raceDocument()
{
    const ViewerRace race = smallRace();
    const QStringList lines = exportRaceLines(race, english());
    QCOMPARE(lines.mid(0, 5), (QStringList{"<?xml version=\"1.0\" encoding=\"UTF-8\"?>",
                                           "<kml xmlns=\"http://earth.google.com/kml/2.0\">", "<Folder>",
                                           "<name> race1</name><open>1</open>", "<Folder><name>Track Lines</name>"}));
    // Every sample of every boat, longitude first.
    const QStringList firstTrack = between(lines, "<LineString><coordinates>", "</coordinates></LineString></Placemark>");
    QCOMPARE(firstTrack.size(), 33 + 2);
    QCOMPARE(firstTrack[1], QStringLiteral("139.499166666667,35.1983333333333,0.0 "));

    // POINTS: period end 3000 s, so every 300 s from 0 to 3300 s: 12 folders. A boat appears
    // where a step L … L + 1 (L up to count − 2) spans the time: not at 3000 s or later.
    const qsizetype points = lines.indexOf(QStringLiteral("<Folder><name>POINTS</name>"));
    QCOMPARE(lines.mid(points - 1, 4), (QStringList{"</Folder>", "<Folder><name>POINTS</name>",
                                                    "<visibility>0</visibility>", "<open>1</open>"}));
    const QStringList timeFolders = lines.filter(QRegularExpression(QStringLiteral("^<Folder><name>2007/")));
    QCOMPARE(timeFolders.size(), 12);
    QCOMPARE(timeFolders.first(), QStringLiteral("<Folder><name>2007/05/06 13:40:00</name>"));
    QCOMPARE(timeFolders.last(), QStringLiteral("<Folder><name>2007/05/06 14:35:00</name>"));
    const QStringList at300 = between(lines, "<Folder><name>2007/05/06 13:45:00</name>", "</Folder>");
    QCOMPARE(at300.filter(QStringLiteral("<Placemark>")).size(), 2);
    QVERIFY(at300.contains(QStringLiteral("<Point><coordinates>139.5025,35.205,0</coordinates>")));
    QVERIFY(at300.contains(QStringLiteral("<li>HDG： 30 DEG(T)<br>")));
    QCOMPARE(between(lines, "<Folder><name>2007/05/06 14:30:00</name>", "</Folder>").size(), 2);

    const QStringList marks = between(lines, "<Folder><name>MARK_LINES</name>", "</Folder></kml>");
    QCOMPARE(marks, (QStringList{
                        "<Folder><name>MARK_LINES</name>",
                        "<Placemark><name>MK1</name>",
                        "<visibility>1</visibility><Style><IconStyle><Icon>",
                        "<href>/app/ya/buoi.png</href></Icon></IconStyle></Style>",
                        "<Point><coordinates>139.525,35.25,0</coordinates>",
                        "</Point></Placemark>",
                        "<Placemark><name>line1</name>",
                        "<Style><LineStyle><color>ffFF0000</color><width>0</width></LineStyle></Style>",
                        "<LineString><coordinates>",
                        "139.5,35.2,0.0 ",
                        "139.504166666667,35.2083333333333,0.0 ",
                        "</coordinates></LineString></Placemark>",
                        "<Placemark><name>LINE1-P</name>",
                        "<visibility>1</visibility><Style><IconStyle><Icon>",
                        "<href>/app/ya/buoi.png</href></Icon></IconStyle></Style>",
                        "<Point><coordinates>139.5,35.2,0</coordinates>",
                        "</Point></Placemark>",
                        "<Placemark><name>LINE1-S</name>",
                        "<visibility>1</visibility><Style><IconStyle><Icon>",
                        "<href>/app/ya/buoi.png</href></Icon></IconStyle></Style>",
                        "<Point><coordinates>139.504166666667,35.2083333333333,0</coordinates>",
                        "</Point></Placemark>",
                        "</Folder>",
                        "</Folder></kml>",
                    }));

    // Without marks and lines the folder is there, empty.
    ViewerRace bare = race;
    bare.Marks.clear();
    bare.Lines.clear();
    const QStringList bareLines = exportRaceLines(bare, english());
    QCOMPARE(bareLines.mid(bareLines.size() - 3),
             (QStringList{"<Folder><name>MARK_LINES</name>", "</Folder>", "</Folder></kml>"}));
}

// A finish typed thirty years late (found by the fuzzer: the document took minutes and
// gigabytes): the POINTS folders stop one interval after the last sample, and the ones before
// it keep their boats.
void TestViewerKml::raceDocumentOfALateFinish()
{
    ViewerRace race = smallRace();
    race.Finish = at("2037/05/06 14:29:30");
    updateRaceTimes(race);
    QVERIFY(race.Period.End > 9.4e8);
    const QStringList lines = exportRaceLines(race, english());
    // Every 3600 s; the last sample at 3100 s: folders at 0, 3600 and 7200 s.
    QCOMPARE(lines.filter(QRegularExpression(QStringLiteral("^<Folder><name>2007/"))).size(), 3);
    QCOMPARE(between(lines, "<Folder><name>2007/05/06 13:40:00</name>", "</Folder>").filter("<Placemark>").size(), 2);

    // A boat whose last sample lies two years on: a year of folders at the most.
    race.Boats[0].Samples.append(ViewerSample{2 * 365 * 86400.0, 2115.0, 8371.0, 5.0, 30});
    QCOMPARE(exportRaceLines(race, english()).filter(QRegularExpression(QStringLiteral("^<Folder><name>20"))).size(),
             366 * 24 + 1);
}

void TestViewerKml::bytesAreUtf8WithCrLf()
{
    const ViewerRace race = smallRace();
    const QByteArray bytes = kmlBytes(exportSceneLines(race, 0, boatStatesAt(race, 0), KmlSettings{0, Icons}));
    QVERIFY(bytes.endsWith("</Folder></Folder></kml>\r\n"));
    QCOMPARE(bytes.count("\r\n"), bytes.count('\n'));
    QVERIFY(bytes.contains("<li>\xE6\x97\xA5\xE6\x99\x82\xEF\xBC\x9A")); // 日時： in UTF-8
}

void TestViewerKml::escapedNamesReadBack()
{
    ViewerRace race = smallRace();
    race.TitleText = viewerTitleText(QStringLiteral("Cup <A&B>. Day"), {}, QStringLiteral("r.txt"));
    const XmlSummary scene = readXml(kmlBytes(exportSceneLines(race, 100, boatStatesAt(race, 100), english())));
    QVERIFY2(scene.error.isEmpty(), qPrintable(scene.error));
    QCOMPARE(scene.names.mid(0, 3), (QStringList{" Cup <A&B>", "13:41:40", "Tom & Jerry"}));
    QVERIFY(scene.names.contains(QStringLiteral("<A>")));
    QCOMPARE(scene.placemarks, 4);

    const XmlSummary whole = readXml(kmlBytes(exportRaceLines(race, english())));
    QVERIFY2(whole.error.isEmpty(), qPrintable(whole.error));
    // Document folder, Track Lines, POINTS with 12 time folders, MARK_LINES.
    QCOMPARE(whole.folders, 1 + 1 + 1 + 12 + 1);
    QCOMPARE(whole.lineStrings, 2 + 1);
    QCOMPARE(whole.points, 2 * 10 + 3);
}

void TestViewerKml::ogrinfoReadsBothDocuments()
{
    const QString ogrinfo = QStandardPaths::findExecutable(QStringLiteral("ogrinfo"));
    if (ogrinfo.isEmpty())
        QSKIP("ogrinfo (gdal-bin) is not installed");
    const ViewerRace race = smallRace();
    QTemporaryDir dir;
    const QString scenePath = dir.filePath(QStringLiteral("scene.kml"));
    const QString racePath = dir.filePath(QStringLiteral("race.kml"));
    QString error;
    QVERIFY2(writeKmlFile(scenePath, kmlBytes(exportSceneLines(race, 250, boatStatesAt(race, 250), english())), &error),
             qPrintable(error));
    QVERIFY2(writeKmlFile(racePath, kmlBytes(exportRaceLines(race, english())), &error), qPrintable(error));

    const auto run = [&ogrinfo](const QString &path) {
        QProcess p;
        p.start(ogrinfo, {QStringLiteral("-ro"), QStringLiteral("-al"), QStringLiteral("-q"), path});
        if (!p.waitForFinished(60000) || p.exitCode() != 0)
            return QString::fromUtf8("FAILED: " + p.readAllStandardError());
        return QString::fromUtf8(p.readAllStandardOutput());
    };

    const QString scene = run(scenePath);
    QVERIFY2(!scene.startsWith(QStringLiteral("FAILED")), qPrintable(scene));
    QCOMPARE(scene.count(QRegularExpression(QStringLiteral("Name \\(String\\) = Tom & Jerry"))), 2);
    QCOMPARE(scene.count(QRegularExpression(QStringLiteral("Name \\(String\\) = <A>"))), 2);
    QVERIFY2(scene.contains(QStringLiteral("POINT Z (139.502083333333 35.2041666666667 0)")), qPrintable(scene));
    QCOMPARE(scene.count(QStringLiteral("LINESTRING")), 2);

    const QString whole = run(racePath);
    QVERIFY2(!whole.startsWith(QStringLiteral("FAILED")), qPrintable(whole));
    for (const char *layer : {"Track Lines", "POINTS", "2007/05/06 13:40:00", "2007/05/06 14:35:00", "MARK_LINES"})
        QVERIFY2(whole.contains(QStringLiteral("Layer name: ") + QLatin1String(layer)), layer);
    QCOMPARE(whole.count(QStringLiteral("LINESTRING")), 3);
    for (const char *name : {"MK1", "line1", "LINE1-P", "LINE1-S"})
        QVERIFY2(whole.contains(QStringLiteral("Name (String) = ") + QLatin1String(name)), name);
    QVERIFY(whole.contains(QStringLiteral("POINT Z (139.525 35.25 0)")));
    QVERIFY(whole.contains(QStringLiteral("POINT Z (139.5041666666667 35.2083333333333 0)")) ||
            whole.contains(QStringLiteral("POINT Z (139.504166666667 35.2083333333333 0)")));
}

QTEST_GUILESS_MAIN(TestViewerKml)
#include "testviewerkml.moc"
