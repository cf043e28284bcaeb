// gpx2trk's core: GPX times and zones, track points and what is skipped, merging split logs,
// and the three coordinate forms of the track files it writes.
#include <gpxreader.h>
#include <trackfilewriter.h>

#include <textfile.h>
#include <racecontrolfile.h>
#include <trackfileparser.h>

#include <QBuffer>
#include <QtTest>

using namespace tools;
using platform::LocalDateTime;

namespace {

GpxReadResult readText(const QByteArray &text, const GpxReadOptions &options = {})
{
    QByteArray copy = text;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return readGpx(&buffer, options);
}

TrackFix fixAt(double lat, double lon, const char *utc)
{
    TrackFix f;
    f.LatDeg = lat;
    f.LonDeg = lon;
    f.Utc = LocalDateTime::parse(QString::fromLatin1(utc));
    return f;
}

} // namespace

class TestGpx2Trk : public QObject
{
    Q_OBJECT

private slots:
    void times_data();
    void times();
    void gpx11Track();
    void gpx10WithoutNamespacePrefix();
    void badPointsSkipped();
    void fatalErrors_data();
    void fatalErrors();
    void mergeSplitLogs();
    void coordinateForms_data();
    void coordinateForms();
    void recordLine();
    void shortTrackPadded();
    void readBackBySystemParser_data();
    void readBackBySystemParser();
};

void TestGpx2Trk::times_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QVariant>("offset"); // hours for zone-less times, or invalid
    QTest::addColumn<QString>("utc");     // empty: cannot be read
    QTest::addColumn<bool>("hadZone");

    QTest::newRow("Z with fraction") << "2025-10-26T09:07:01.000Z" << QVariant() << "2025/10/26 09:07:01" << true;
    QTest::newRow("fraction dropped") << "2025-10-26T09:07:01.999Z" << QVariant() << "2025/10/26 09:07:01" << true;
    QTest::newRow("plus one hour") << "2025-10-26T10:07:01+01:00" << QVariant() << "2025/10/26 09:07:01" << true;
    QTest::newRow("minus, past midnight") << "2025-10-26T22:30:00-05:30" << QVariant() << "2025/10/27 04:00:00" << true;
    QTest::newRow("compact zone") << "2008-03-04T05:15:30+0900" << QVariant() << "2008/03/03 20:15:30" << true;
    QTest::newRow("no zone taken as UTC") << "2008-03-04T05:15:30" << QVariant() << "2008/03/04 05:15:30" << false;
    QTest::newRow("no zone, Japan") << "2008-03-04T05:15:30" << QVariant(9.0) << "2008/03/03 20:15:30" << false;
    QTest::newRow("zone wins over option") << "2008-03-04T05:15:30Z" << QVariant(9.0) << "2008/03/04 05:15:30" << true;
    QTest::newRow("no such day") << "2025-02-30T10:00:00Z" << QVariant() << "" << false;
    QTest::newRow("hour 24") << "2025-02-03T24:00:00Z" << QVariant() << "" << false;
    QTest::newRow("text") << "yesterday" << QVariant() << "" << false;
    QTest::newRow("zone too far") << "2025-02-03T10:00:00+23:00" << QVariant() << "" << true;
}

void TestGpx2Trk::times()
{
    QFETCH(QString, text);
    QFETCH(QVariant, offset);
    QFETCH(QString, utc);
    QFETCH(bool, hadZone);
    GpxReadOptions options;
    if (offset.isValid())
        options.ZonelessOffsetHours = offset.toDouble();
    bool zone = false;
    const LocalDateTime t = parseGpxTime(text, options, &zone);
    QCOMPARE(t.toString(), utc);
    QCOMPARE(zone, hadZone);
}

void TestGpx2Trk::gpx11Track()
{
    const QByteArray gpx = R"(<?xml version="1.0" encoding="UTF-8"?>
<gpx version="1.1" creator="test" xmlns="http://www.topografix.com/GPX/1/1"
     xmlns:ns3="http://www.garmin.com/xmlschemas/TrackPointExtension/v1">
  <metadata><name>Day out</name><time>2025-10-26T00:00:00Z</time></metadata>
  <wpt lat="10" lon="10"><name>Harbour</name><time>2025-10-26T01:00:00Z</time></wpt>
  <trk>
    <name>Olimpia</name>
    <trkseg>
      <trkpt lat="54.379" lon="18.782"><ele>-14.4</ele><time>2025-10-26T09:07:01.000Z</time>
        <extensions><ns3:TrackPointExtension><ns3:time>1999-01-01T00:00:00Z</ns3:time></ns3:TrackPointExtension></extensions>
      </trkpt>
      <trkpt lat="54.380" lon="18.783"><time>2025-10-26T09:07:02Z</time></trkpt>
    </trkseg>
    <trkseg>
      <trkpt lat="-33.5" lon="-70.25"><time>2025-10-26T09:07:05Z</time></trkpt>
    </trkseg>
  </trk>
</gpx>
)";
    const GpxReadResult r = readText(gpx);
    QVERIFY2(r.ok, qPrintable(r.error));
    QCOMPARE(r.trackName, QStringLiteral("Olimpia"));
    QVERIFY(r.warnings.isEmpty());
    QCOMPARE(r.fixes.size(), 3); // the waypoint is not part of the track
    QCOMPARE(r.fixes[0].LatDeg, 54.379);
    QCOMPARE(r.fixes[0].LonDeg, 18.782);
    QCOMPARE(r.fixes[0].AltitudeM, -14.4);
    QCOMPARE(r.fixes[0].Utc.toString(), QStringLiteral("2025/10/26 09:07:01")); // not the extension's time
    QCOMPARE(r.fixes[2].LatDeg, -33.5);
    QCOMPARE(r.fixes[2].LonDeg, -70.25);
    QCOMPARE(r.zonelessTimes, 0);
}

void TestGpx2Trk::gpx10WithoutNamespacePrefix()
{
    const QByteArray gpx = R"(<?xml version="1.0"?>
<gpx version="1.0" creator="old logger" xmlns="http://www.topografix.com/GPX/1/0">
<time>2008-03-03T20:00:00Z</time>
<trk><name>Boat A</name><trkseg>
<trkpt lat="35.5" lon="139.75"><ele>12</ele><time>2008-03-04T05:15:30</time><course>12.5</course><speed>3.1</speed></trkpt>
<trkpt lat="35.501" lon="139.751"><time>2008-03-04T05:15:31</time></trkpt>
</trkseg></trk></gpx>)";
    GpxReadOptions options;
    options.ZonelessOffsetHours = 9;
    const GpxReadResult r = readText(gpx, options);
    QVERIFY2(r.ok, qPrintable(r.error));
    QCOMPARE(r.trackName, QStringLiteral("Boat A"));
    QCOMPARE(r.fixes.size(), 2);
    QCOMPARE(r.zonelessTimes, 2);
    QCOMPARE(r.fixes[0].Utc.toString(), QStringLiteral("2008/03/03 20:15:30"));
    QCOMPARE(r.fixes[0].AltitudeM, 12.0);
}

void TestGpx2Trk::badPointsSkipped()
{
    const QByteArray gpx = R"(<gpx version="1.1" xmlns="http://www.topografix.com/GPX/1/1"><trk><trkseg>
<trkpt lat="54.1" lon="18.1"><time>2025-10-26T09:00:00Z</time></trkpt>
<trkpt lat="95" lon="18.1"><time>2025-10-26T09:00:01Z</time></trkpt>
<trkpt lat="54.1" lon="abc"><time>2025-10-26T09:00:02Z</time></trkpt>
<trkpt lat="54.1" lon="18.2"></trkpt>
<trkpt lat="54.1" lon="18.3"><time>26.10.2025 09:00</time></trkpt>
<trkpt lat="54.2" lon="18.2"><time>2025-10-26T09:00:05Z</time></trkpt>
</trkseg></trk></gpx>)";
    const GpxReadResult r = readText(gpx);
    QVERIFY(r.ok);
    QCOMPARE(r.fixes.size(), 2);
    QCOMPARE(r.warnings.size(), 4);
    QVERIFY(r.warnings[0].startsWith(QLatin1String("line 3: invalid latitude")));
    QVERIFY(r.warnings[1].startsWith(QLatin1String("line 4: invalid longitude")));
    QVERIFY(r.warnings[2].startsWith(QLatin1String("line 5: track point without a time")));
    QVERIFY(r.warnings[3].startsWith(QLatin1String("line 6: invalid time")));
}

void TestGpx2Trk::fatalErrors_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("error");
    QTest::addColumn<int>("line");
    QTest::newRow("empty") << QByteArray() << "not a GPX file" << 0;
    QTest::newRow("other XML") << QByteArray("<kml><Placemark/></kml>") << "not a GPX file (the document is <kml>)" << 1;
    QTest::newRow("broken XML") << QByteArray("<gpx>\n<trk><trkseg>\n<trkpt lat=\"1\" lon=\"2\"><time>2025-01-01T00:00:00Z</time>\n</trk>")
                                << "XML error" << 4;
    QTest::newRow("no points") << QByteArray("<gpx><wpt lat=\"1\" lon=\"2\"/></gpx>") << "no track points" << 0;
    QTest::newRow("no usable point") << QByteArray("<gpx><trk><trkseg><trkpt lat=\"1\" lon=\"2\"/></trkseg></trk></gpx>")
                                     << "no track point with a position and a time" << 0;
}

void TestGpx2Trk::fatalErrors()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, error);
    QFETCH(int, line);
    const GpxReadResult r = readText(text);
    QVERIFY(!r.ok);
    QVERIFY2(r.error.startsWith(error), qPrintable(r.error));
    QVERIFY(r.fixes.isEmpty());
    if (line)
        QCOMPARE(r.errorLine, qint64(line));
}

void TestGpx2Trk::mergeSplitLogs()
{
    // A warm-up log and a race log of one boat, overlapping by a second, one fix sub-second.
    const QList<TrackFix> warmup{fixAt(54.1, 18.1, "2025/10/26 09:00:00"), fixAt(54.2, 18.2, "2025/10/26 09:00:02")};
    const QList<TrackFix> races{fixAt(54.3, 18.3, "2025/10/26 09:00:02"), fixAt(54.4, 18.4, "2025/10/26 09:00:01"),
                                fixAt(54.5, 18.5, "2025/10/26 09:00:03")};
    const QList<TrackFix> m = mergeTrackFixes({races, warmup});
    QCOMPARE(m.size(), 4);
    QCOMPARE(m[0].LatDeg, 54.1);
    QCOMPARE(m[1].LatDeg, 54.4);
    QCOMPARE(m[2].LatDeg, 54.3); // the first of the two fixes of 09:00:02 (file order of the inputs)
    QCOMPARE(m[3].LatDeg, 54.5);
}

void TestGpx2Trk::coordinateForms_data()
{
    QTest::addColumn<int>("unit");
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    QTest::addColumn<QString>("latText");
    QTest::addColumn<QString>("lonText");
    const int DM = int(TrackUnit::DM), DEG = int(TrackUnit::DEG), DMS = int(TrackUnit::DMS);
    QTest::newRow("DM") << DM << 35.50205750 << 139.7613150 << "N3530.12345" << "E13945.67890";
    QTest::newRow("DM south west") << DM << -35.5 << -139.75 << "S3530.00000" << "W13945.00000";
    QTest::newRow("DM small degrees") << DM << 5.0 << 9.1 << "N0500.00000" << "E00906.00000";
    QTest::newRow("DM rounds up to a whole degree") << DM << 35.9999999999 << 139.99999999999 << "N3600.00000"
                                                    << "E14000.00000";
    QTest::newRow("DEG") << DEG << 35.5 << 139.75 << "N35.5000000" << "E139.7500000";
    QTest::newRow("DEG south west") << DEG << -35.5 << -139.75 << "S35.5000000" << "W139.7500000";
    QTest::newRow("DMS") << DMS << 35.0 + 30.0 / 60 << 139.0 + 45.0 / 60 + 30.5 / 3600 << "N353000.000" << "E1394530.500";
    QTest::newRow("DMS rounds up to a whole minute") << DMS << 35.0 + 29.0 / 60 + 59.9996 / 3600 << 139.0 << "N353000.000"
                                                     << "E1390000.000";
    QTest::newRow("DMS south west") << DMS << -(54.0 + 22.0 / 60 + 40.956 / 3600) << -(18.0 + 47.0 / 60 + 34.68 / 3600)
                                    << "S542240.956" << "W0184734.680";
}

void TestGpx2Trk::coordinateForms()
{
    QFETCH(int, unit);
    QFETCH(double, lat);
    QFETCH(double, lon);
    QFETCH(QString, latText);
    QFETCH(QString, lonText);
    QCOMPARE(formatLatitude(lat, TrackUnit(unit)), latText);
    QCOMPARE(formatLongitude(lon, TrackUnit(unit)), lonText);
}

void TestGpx2Trk::recordLine()
{
    TrackFix fix = fixAt(35.50205750, 139.7613150, "2008/03/03 20:15:30");
    fix.AltitudeM = 4.6;
    TrackFileOptions o;
    QCOMPARE(formatTrackRecord(fix, o), QStringLiteral("T  N3530.12345 E13945.67890 03-MAR-08 20:15:30 5"));
    o.Unit = TrackUnit::DEG;
    o.DateForm = TrackDateForm::Slashed;
    QCOMPARE(formatTrackRecord(fix, o), QStringLiteral("T  N35.5020575 E139.7613150 2008/03/03 20:15:30 5"));

    // A two-digit year would be read back as 20yy: 1999 keeps its century.
    o.DateForm = TrackDateForm::MonthName;
    QCOMPARE(formatTrackRecord(fixAt(35.5, 139.75, "1999/12/31 23:59:59"), o),
             QStringLiteral("T  N35.5000000 E139.7500000 1999/12/31 23:59:59 0"));
    o.DateForm = TrackDateForm::Slashed;

    const QStringList lines = formatTrackFile({fix}, o);
    QVERIFY(lines.contains(QStringLiteral("U  LAT LON DEG")));
    // The unit line comes before the first record, and no header line starts with T or U.
    const int unitLine = int(lines.indexOf(QStringLiteral("U  LAT LON DEG")));
    for (int i = 0; i < lines.size(); ++i) {
        if (i != unitLine)
            QVERIFY(!lines[i].startsWith(u'U'));
        if (lines[i].startsWith(u'T'))
            QVERIFY(i > unitLine);
    }

    TrackUnit u;
    QVERIFY(parseTrackUnit(QStringLiteral("dms"), &u));
    QCOMPARE(u, TrackUnit::DMS);
    QVERIFY(!parseTrackUnit(QStringLiteral("UTM"), &u));
}

void TestGpx2Trk::shortTrackPadded()
{
    // The programs skip track files of 500 bytes or fewer: a two-fix track must still pass.
    const QList<TrackFix> fixes{fixAt(54.1, 18.1, "2025/10/26 09:00:00"), fixAt(54.2, 18.2, "2025/10/26 09:00:02")};
    const QStringList lines = trackFileLinesForGpx(fixes, {});
    qint64 bytes = 0;
    for (const QString &l : lines)
        bytes += platform::encodeAnsi(l).size() + 2;
    QVERIFY(bytes > 500);
    QCOMPARE(lines.filter(QRegularExpression(QStringLiteral("^T "))).size(), 2);
}

void TestGpx2Trk::readBackBySystemParser_data()
{
    QTest::addColumn<int>("unit");
    QTest::addColumn<int>("dateForm");
    QTest::addColumn<double>("toleranceMinutes"); // the last digit each form writes
    QTest::newRow("DM month") << int(TrackUnit::DM) << int(TrackDateForm::MonthName) << 0.6e-5;
    QTest::newRow("DEG slashed") << int(TrackUnit::DEG) << int(TrackDateForm::Slashed) << 0.4e-5;
    QTest::newRow("DMS month") << int(TrackUnit::DMS) << int(TrackDateForm::MonthName) << 1.0e-5;
    QTest::newRow("DMS slashed") << int(TrackUnit::DMS) << int(TrackDateForm::Slashed) << 1.0e-5;
}

// What gpx2trk writes, the programs read back: the same positions in every coordinate form
// and hemisphere, and UTC turned into local time by the race's time difference, across midnight.
void TestGpx2Trk::readBackBySystemParser()
{
    QFETCH(int, unit);
    QFETCH(int, dateForm);
    QFETCH(double, toleranceMinutes);
    const QList<TrackFix> fixes{fixAt(35.2885123, 139.4651234, "2024/08/03 23:59:58"),
                                fixAt(35.2886, 139.4652, "2024/08/03 23:59:59"),
                                fixAt(35.2887999999, 139.4653999999, "2024/08/04 00:00:01"),
                                fixAt(-33.8568, -151.2153, "2024/08/04 00:00:02"),
                                fixAt(54.3791617, 18.7820991, "2024/08/04 00:00:03")};
    TrackFileOptions options;
    options.Unit = TrackUnit(unit);
    options.DateForm = TrackDateForm(dateForm);
    QByteArray bytes;
    for (const QString &line : trackFileLinesForGpx(fixes, options))
        bytes += platform::encodeAnsi(line) + "\r\n";

    RaceControl rc;
    rc.TimeDifference = 9;
    rc.StartTime = LocalDateTime::parse(u"2024/08/04 09:00:00");
    rc.FinishTime = LocalDateTime::parse(u"2024/08/04 09:30:00");
    updateDerivedTimes(rc);
    BoatTrack track;
    const TrackParseResult r = parseTrackBytes(bytes, rc, track);
    QVERIFY2(r.problems.isEmpty(), qPrintable(problemLines(r.problems, UiLanguage::English).join(u'\n')));
    QCOMPARE(track.PointCount(), fixes.size());
    for (int k = 0; k < fixes.size(); ++k) {
        QVERIFY2(std::fabs(track.Points[k].Lat - fixes[k].LatDeg * 60) < toleranceMinutes, qPrintable(QString::number(k)));
        QVERIFY2(std::fabs(track.Points[k].Lon - fixes[k].LonDeg * 60) < toleranceMinutes, qPrintable(QString::number(k)));
        // 9 hours ahead of UTC; the start is 09:00 local, so 23:59:58 UTC is 2 s before it.
        QCOMPARE(track.Points[k].Time, double(rc.StartTime.secsTo(fixes[k].Utc.addSecs(9 * 3600))));
    }
    QCOMPARE(track.Points[0].Time, -2.0);
}

QTEST_GUILESS_MAIN(TestGpx2Trk)
#include "testgpx2trk.moc"
