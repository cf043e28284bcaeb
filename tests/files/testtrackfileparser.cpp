// GPS track files: record lines, coordinate forms, dates and the UTC shift, the load window,
// the file-level tests and bad input.
#include <trackfileparser.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <charconv>
#include <cstring>
#include <ctime>

using platform::LocalDateTime;

namespace {

LocalDateTime dt(const char *text)
{
    return LocalDateTime::parse(QString::fromLatin1(text));
}

// A race with start and finish: window from StartTime − 210 s to FinishTime.
RaceControl raceWithTimes(const char *start, const char *finish, qint16 td = 9)
{
    RaceControl rc;
    rc.StartTime = dt(start);
    rc.FinishTime = dt(finish);
    rc.DisplayStart = rc.StartTime.addSecs(-210);
    rc.DisplayEnd = rc.FinishTime;
    rc.TimeDifference = td;
    return rc;
}

RaceControl openRace(qint16 td = 9)
{
    RaceControl rc;
    rc.TimeDifference = td;
    return rc;
}

BoatTrack parse(const QByteArray &bytes, RaceControl &rc, TrackParseResult *result = nullptr)
{
    BoatTrack track;
    const TrackParseResult r = parseTrackBytes(bytes, rc, track);
    if (result)
        *result = r;
    return track;
}

} // namespace

class TestTrackFileParser : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void coordinateForms_data();
    void coordinateForms();
    void numbersReadExactly_data();
    void numbersReadExactly();
    void roomForFixes_data();
    void roomForFixes();
    void unitLineScope();
    void dates_data();
    void dates();
    void utcToLocal_data();
    void utcToLocal();
    void wholeMinuteWindow_data();
    void wholeMinuteWindow();
    void firstFixSetsStart();
    void openWindowForEveryFile();
    void startWithoutFinish();
    void duplicateSecondsDropped();
    void badRecords_data();
    void badRecords();
    void lineEnds_data();
    void lineEnds();
    void binaryGarbage();
    void fileRules_data();
    void fileRules();
    void realPcx5File();

private:
    QTemporaryDir m_dir;
};

void TestTrackFileParser::initTestCase()
{
    // Dates must not move with the machine's zone; Berlin has daylight saving.
    qputenv("TZ", "Europe/Berlin");
    tzset();
    QVERIFY(m_dir.isValid());
}

void TestTrackFileParser::coordinateForms_data()
{
    QTest::addColumn<QByteArray>("unitLine");
    QTest::addColumn<QByteArray>("lat");
    QTest::addColumn<QByteArray>("lon");
    QTest::addColumn<double>("expectedLat");
    QTest::addColumn<double>("expectedLon");

    QTest::newRow("default DM") << QByteArray() << QByteArray("N3530.12345") << QByteArray("E13945.67890") << 2130.12345
                                << 8385.6789;
    QTest::newRow("unit DM") << QByteArray("U  LAT LON DM") << QByteArray("S3530.5") << QByteArray("W13945.5")
                             << -2130.5 << -8385.5;
    QTest::newRow("DEG north east") << QByteArray("U  LAT LON DEG") << QByteArray("N35.5") << QByteArray("E139.75")
                                    << 2130.0 << 8385.0;
    QTest::newRow("DEG south west") << QByteArray("U  LAT LON DEG") << QByteArray("S35.5") << QByteArray("W139.75")
                                    << -2130.0 << -8385.0;
    QTest::newRow("DEG signs") << QByteArray("U  LAT LON DEG") << QByteArray("-35.5") << QByteArray("+139.75")
                               << -2130.0 << 8385.0;
    QTest::newRow("DMS") << QByteArray("U  LAT LON DMS") << QByteArray("N353000") << QByteArray("E1394530.5")
                         << 2130.0 << 8385.0 + 30.5 / 60.0;
    QTest::newRow("DEG wins over DMS") << QByteArray("U DMS DEG") << QByteArray("N35.5") << QByteArray("E139.75")
                                       << 2130.0 << 8385.0;
    QTest::newRow("trailing text after number") << QByteArray() << QByteArray("N3530.5xyz") << QByteArray("E13945.5")
                                                << 2130.5 << 8385.5;
}

void TestTrackFileParser::coordinateForms()
{
    QFETCH(QByteArray, unitLine);
    QFETCH(QByteArray, lat);
    QFETCH(QByteArray, lon);
    QFETCH(double, expectedLat);
    QFETCH(double, expectedLon);

    RaceControl rc = openRace();
    QByteArray bytes = "H  header\r\n";
    if (!unitLine.isEmpty())
        bytes += unitLine + "\r\n";
    bytes += "T  " + lat + " " + lon + " 03-MAR-08 01:30:00 12\r\n";
    const BoatTrack track = parse(bytes, rc);
    QCOMPARE(track.PointCount(), 1);
    QVERIFY(qAbs(track.Points[0].Lat - expectedLat) < 1e-9);
    QVERIFY(qAbs(track.Points[0].Lon - expectedLon) < 1e-9);
}

void TestTrackFileParser::numbersReadExactly_data()
{
    QTest::addColumn<QByteArray>("unitLine");
    QTest::addColumn<QByteArray>("number");
    QTest::newRow("receiver's DM") << QByteArray() << QByteArray("3516.89365");
    QTest::newRow("fifteen digits") << QByteArray() << QByteArray("3516.89365123456");
    QTest::newRow("sixteen digits") << QByteArray() << QByteArray("3516.893651234567");
    QTest::newRow("twenty digits") << QByteArray() << QByteArray("3516.8936512345678901");
    QTest::newRow("leading zeros") << QByteArray() << QByteArray("000000000000003516.9");
    QTest::newRow("point last") << QByteArray() << QByteArray("3516.");
    QTest::newRow("point first") << QByteArray("U DEG") << QByteArray(".5");
    QTest::newRow("DEG tenths") << QByteArray("U DEG") << QByteArray("35.1");
    QTest::newRow("DEG many digits") << QByteArray("U DEG") << QByteArray("35.28012345678901");
    QTest::newRow("exponent") << QByteArray("U DEG") << QByteArray("3.51e1");
    QTest::newRow("DMS") << QByteArray("U DMS") << QByteArray("354530.123");
}

void TestTrackFileParser::numbersReadExactly()
{
    // A coordinate's number is the double nearest to its decimal text, to the last bit, however
    // many digits it has: what from_chars gives.
    QFETCH(QByteArray, unitLine);
    QFETCH(QByteArray, number);
    double v = 0.0;
    QVERIFY(std::from_chars(number.constBegin(), number.constEnd(), v).ec == std::errc());
    const CoordinateForm form = coordinateFormOfUnitLine(unitLine);
    const double expected = coordinateToMinutes(v, form);

    RaceControl rc = openRace();
    const BoatTrack track = parse(unitLine + "\r\nT  N" + number + " W" + number + " 03-MAR-08 01:30:00 12\r\n", rc);
    QCOMPARE(track.PointCount(), 1);
    QVERIFY2(std::memcmp(&track.Points[0].Lat, &expected, sizeof(double)) == 0,
             qPrintable(QString::number(track.Points[0].Lat, 'g', 17) + QStringLiteral(" != ") +
                        QString::number(expected, 'g', 17)));
    const double west = -expected;
    QVERIFY(std::memcmp(&track.Points[0].Lon, &west, sizeof(double)) == 0);
}

void TestTrackFileParser::roomForFixes_data()
{
    const QByteArray header = "H  SOFTWARE NAME & VERSION\r\nU  LAT LON DM\r\n";
    auto time = [](int s) { return QString::asprintf("%02d:%02d:%02d", s / 3600, s / 60 % 60, s % 60).toLatin1(); };
    QByteArray records, shorter;
    for (int i = 0; i < 1000; ++i)
        records += "T  N3516.89365 E13927.13093 06-OCT-24 " + time(i) + " 0\r\n";
    for (int i = 1; i <= 1000; ++i)
        shorter += "T N3516.9 E13927.1 2024/10/06 " + time(i) + " 0\r\n";
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("records");
    QTest::addColumn<bool>("tight"); // room for all, and at most a sixteenth more
    QTest::newRow("records of one length") << header + records << 1000 << true;
    QTest::newRow("shorter records later") << header + records.left(records.indexOf('\n') + 1) + shorter << 1001 << false;
    QTest::newRow("no record") << header + header << 0 << true;
    QTest::newRow("nothing") << QByteArray() << 0 << true;
    QTest::newRow("CR alone") << QByteArray(records).replace("\r\n", "\r") << 1000 << false;
}

void TestTrackFileParser::roomForFixes()
{
    // Room for every fix of a receiver's log before it is parsed, and not much more; a log
    // that does not keep its record length is still read whole.
    QFETCH(QByteArray, bytes);
    QFETCH(int, records);
    QFETCH(bool, tight);
    const qsizetype room = expectedFixes(bytes);
    if (tight)
        QVERIFY2(room >= records && room <= records + records / 16 + 1, qPrintable(QString::number(room)));
    RaceControl rc = openRace();
    BoatTrack track;
    track.Points.reserve(room);
    parseTrackBytes(bytes, rc, track);
    QCOMPARE(track.PointCount(), records);
}

void TestTrackFileParser::unitLineScope()
{
    // A unit line changes the records after it; the next file starts again at the default.
    RaceControl rc = openRace(0);
    const BoatTrack first = parse("T N3530.0 E13945.0 2008/03/03 10:00:00 0\r\n"
                                  "U  LAT LON DEG\r\n"
                                  "T N35.5 E139.75 2008/03/03 10:00:01 0\r\n",
                                  rc);
    QCOMPARE(first.PointCount(), 2);
    QCOMPARE(first.Points[0].Lat, 2130.0);
    QCOMPARE(first.Points[1].Lat, 2130.0);
    const BoatTrack second = parse("T N3530.0 E13945.0 2008/03/03 10:00:00 0\r\n", rc);
    QCOMPARE(second.Points.value(0).Lat, 2130.0);
    QCOMPARE(second.Points.value(0).Lon, 8385.0);
}

void TestTrackFileParser::dates_data()
{
    QTest::addColumn<QByteArray>("item");
    QTest::addColumn<QDate>("expected");

    QTest::newRow("dd-MMM-yy") << QByteArray("03-MAR-08") << QDate(2008, 3, 3);
    QTest::newRow("dd/MMM/yy") << QByteArray("03/MAR/08") << QDate(2008, 3, 3);
    QTest::newRow("dd-MMM-yyyy") << QByteArray("03-MAR-2008") << QDate(2008, 3, 3);
    QTest::newRow("yyyy/mm/dd") << QByteArray("2008/03/03") << QDate(2008, 3, 3);
    QTest::newRow("yyyy-mm-dd") << QByteArray("2008-03-03") << QDate(2008, 3, 3);
    QTest::newRow("leap day") << QByteArray("29-FEB-08") << QDate(2008, 2, 29);
    QTest::newRow("month 13") << QByteArray("2008/13/01") << QDate();
    QTest::newRow("31 February") << QByteArray("31-FEB-08") << QDate();
    QTest::newRow("unknown month") << QByteArray("03-XYZ-08") << QDate();
    QTest::newRow("no separators") << QByteArray("20080303") << QDate();
    QTest::newRow("empty") << QByteArray() << QDate();
}

void TestTrackFileParser::dates()
{
    QFETCH(QByteArray, item);
    QFETCH(QDate, expected);
    QCOMPARE(parseTrackDate(item), expected);
}

void TestTrackFileParser::utcToLocal_data()
{
    QTest::addColumn<int>("timeDifference");
    QTest::addColumn<QByteArray>("date");
    QTest::addColumn<QByteArray>("time");
    QTest::addColumn<QString>("expected");

    QTest::newRow("example") << 9 << QByteArray("03-MAR-08") << QByteArray("20:15:30") << "2008/03/04 05:15:30";
    QTest::newRow("+9 rolls to next day") << 9 << QByteArray("2008/03/03") << QByteArray("16:00:00")
                                          << "2008/03/04 01:00:00";
    QTest::newRow("+9 same day") << 9 << QByteArray("2008/03/03") << QByteArray("14:59:59") << "2008/03/03 23:59:59";
    QTest::newRow("-5 rolls to previous day") << -5 << QByteArray("2008/03/03") << QByteArray("03:00:00")
                                              << "2008/03/02 22:00:00";
    QTest::newRow("-5 previous month") << -5 << QByteArray("01-MAR-08") << QByteArray("00:00:00")
                                       << "2008/02/29 19:00:00";
    QTest::newRow("+9 new year") << 9 << QByteArray("31-DEC-08") << QByteArray("20:00:00") << "2009/01/01 05:00:00";
    // 02:30 on this day does not exist in Berlin; the race's clock does not care.
    QTest::newRow("into a DST gap") << 2 << QByteArray("30-MAR-08") << QByteArray("00:30:00")
                                    << "2008/03/30 02:30:00";
    QTest::newRow("short hour form") << 9 << QByteArray("2008/03/03") << QByteArray("1:05") << "2008/03/03 10:05:00";
    QTest::newRow("fraction dropped") << 0 << QByteArray("2008/03/03") << QByteArray("01:02:03.75")
                                      << "2008/03/03 01:02:03";
}

void TestTrackFileParser::utcToLocal()
{
    QFETCH(int, timeDifference);
    QFETCH(QByteArray, date);
    QFETCH(QByteArray, time);
    QFETCH(QString, expected);

    RaceControl rc = openRace(qint16(timeDifference));
    const BoatTrack track = parse("T N3530.12345 E13945.67890 " + date + " " + time + " 5\r\n", rc);
    QCOMPARE(track.PointCount(), 1);
    QCOMPARE(rc.FirstFixTime.toString(), expected);
    QCOMPARE(rc.StartTime, dt(expected.toLatin1()).addSecs(240));
    QCOMPARE(track.Points[0].Time, -240.0);
}

void TestTrackFileParser::wholeMinuteWindow_data()
{
    // Race: start 10:30:10, window 10:26:40 … 11:00:20 local; fixes given in UTC (TD 9).
    QTest::addColumn<QByteArray>("utcTime");
    QTest::addColumn<bool>("inside");

    QTest::newRow("minute before the window") << QByteArray("01:25:59") << false;
    QTest::newRow("same minute as window start, earlier second") << QByteArray("01:26:05") << true;
    QTest::newRow("start") << QByteArray("01:30:10") << true;
    QTest::newRow("same minute as window end, later second") << QByteArray("02:00:59") << true;
    QTest::newRow("minute after the window") << QByteArray("02:01:00") << false;
}

void TestTrackFileParser::wholeMinuteWindow()
{
    QFETCH(QByteArray, utcTime);
    QFETCH(bool, inside);

    RaceControl rc = raceWithTimes("2008/03/03 10:30:10", "2008/03/03 11:00:20");
    rc.DisplayStart = dt("2008/03/03 10:26:40");
    const BoatTrack track = parse("T N3530.0 E13945.0 2008/03/03 " + utcTime + " 0\r\n", rc);
    QCOMPARE(track.PointCount(), inside ? 1 : 0);
    if (inside) {
        const LocalDateTime local = dt("2008/03/03 00:00:00").addSecs(9 * 3600 + LocalDateTime::parseTimeOfDay(
                                                                                     QString::fromLatin1(utcTime)).value());
        QCOMPARE(track.Points[0].Time, double(rc.StartTime.secsTo(local)));
    }
    // The window never moves the times of a race that has them.
    QCOMPARE(rc.StartTime, dt("2008/03/03 10:30:10"));
    QCOMPARE(rc.FinishTime, dt("2008/03/03 11:00:20"));
}

void TestTrackFileParser::firstFixSetsStart()
{
    RaceControl rc = openRace(9);
    rc.FinishTime = dt("2000/01/01 00:00:00"); // cleared by the first fix
    rc.DisplayEnd = rc.FinishTime;
    const BoatTrack track = parse("H header\r\n"
                                  "T N3530.0 E13945.0 03-MAR-08 01:00:00 0\r\n"
                                  "T N3530.1 E13945.1 03-MAR-08 01:00:01 0\r\n"
                                  "T N3530.2 E13945.2 03-MAR-08 05:00:00 0\r\n",
                                  rc);
    QCOMPARE(track.PointCount(), 3);
    QCOMPARE(rc.FirstFixTime, dt("2008/03/03 10:00:00"));
    QCOMPARE(rc.StartTime, dt("2008/03/03 10:04:00"));
    QCOMPARE(rc.DisplayStart, dt("2008/03/03 10:00:00"));
    QCOMPARE(rc.FinishTime, dt("2008/03/03 14:00:00"));
    QCOMPARE(rc.LastFixTime, dt("2008/03/03 14:00:00"));
    QCOMPARE(track.Points[0].Time, -240.0);
    QCOMPARE(track.Points[1].Time, -239.0);
    QCOMPARE(track.Points[2].Time, 14400.0 - 240.0);
}

void TestTrackFileParser::openWindowForEveryFile()
{
    // A race without ST and two boats: the second boat's fixes before the first boat's and
    // after its last are all kept, and the finish becomes the latest fix of the two.
    RaceControl rc = openRace(0);
    parse("T N3530.0 E13945.0 2008/03/03 10:00:00 0\r\nT N3530.0 E13945.0 2008/03/03 11:00:00 0\r\n", rc);
    QCOMPARE(rc.FinishTime, dt("2008/03/03 11:00:00"));
    QVERIFY(rc.DisplayEnd.isNull());
    const BoatTrack second =
        parse("T N3530.0 E13945.0 2008/03/03 09:00:00 0\r\nT N3530.0 E13945.0 2008/03/03 12:30:00 0\r\n", rc);
    QCOMPARE(second.PointCount(), 2);
    QCOMPARE(second.Points[0].Time, -3600.0 - 240.0);
    QCOMPARE(rc.StartTime, dt("2008/03/03 10:04:00"));
    QCOMPARE(rc.FinishTime, dt("2008/03/03 12:30:00"));
    QCOMPARE(rc.LastFixTime, dt("2008/03/03 12:30:00"));
    // A third boat that ends earlier does not pull the finish back.
    parse("T N3530.0 E13945.0 2008/03/03 10:10:00 0\r\n", rc);
    QCOMPARE(rc.FinishTime, dt("2008/03/03 12:30:00"));
    QCOMPARE(rc.LastFixTime, dt("2008/03/03 10:10:00"));
}

void TestTrackFileParser::startWithoutFinish()
{
    RaceControl rc = openRace(0);
    rc.StartTime = dt("2008/03/03 10:00:00");
    rc.DisplayStart = rc.StartTime.addSecs(-210);
    const BoatTrack first = parse("T N3530.0 E13945.0 2008/03/03 09:00:00 0\r\n"
                                  "T N3530.0 E13945.0 2008/03/03 10:30:00 0\r\n",
                                  rc);
    QCOMPARE(first.PointCount(), 2);
    QCOMPARE(rc.StartTime, dt("2008/03/03 10:00:00"));
    QCOMPARE(rc.FinishTime, dt("2008/03/03 10:30:00"));
    const BoatTrack second = parse("T N3530.0 E13945.0 2008/03/03 09:30:00 0\r\n"
                                   "T N3530.0 E13945.0 2008/03/03 11:00:00 0\r\n",
                                   rc);
    QCOMPARE(second.PointCount(), 2);
    QCOMPARE(rc.FinishTime, dt("2008/03/03 11:00:00"));
}

void TestTrackFileParser::duplicateSecondsDropped()
{
    RaceControl rc = openRace(0);
    const BoatTrack track = parse("T N3530.0 E13945.0 2008/03/03 10:00:00 0\r\n"
                                  "T N3530.5 E13945.5 2008/03/03 10:00:00 0\r\n"
                                  "T N3530.1 E13945.1 2008/03/03 10:00:01 0\r\n"
                                  "T N3530.2 E13945.2 2008/03/03 10:00:00 0\r\n",
                                  rc);
    // Only consecutive repeats go; a later return to an earlier second is a new point.
    QCOMPARE(track.PointCount(), 3);
    QCOMPARE(track.Points[0].Lat, 2130.0);
    QCOMPARE(track.Points[1].Lat, 2130.1);
    QCOMPARE(track.Points[2].Lat, 2130.2);
}

void TestTrackFileParser::badRecords_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("problem"); // FileProblem::Kind, −1 when none

    QTest::newRow("five items") << QByteArray("T N3530.0 E13945.0 2008/03/03 10:00:00") << false << int(FileProblem::FewerThanSixItems);
    QTest::newRow("truncated") << QByteArray("T N3530.0 E139") << false << int(FileProblem::FewerThanSixItems);
    QTest::newRow("header H") << QByteArray("H  LATITUDE LONGITUDE DATE TIME") << false << -1;
    QTest::newRow("lower-case t is not a record") << QByteArray("t N3530.0 E13945.0 2008/03/03 10:00:00 0") << false
                                                  << -1;
    QTest::newRow("leading blank is not a record") << QByteArray(" T N3530.0 E13945.0 2008/03/03 10:00:00 0")
                                                   << false << -1;
    QTest::newRow("no hemisphere") << QByteArray("T 3530.0 E13945.0 2008/03/03 10:00:00 0") << false << int(FileProblem::LatitudeWithoutHemisphere);
    QTest::newRow("longitude hemisphere on latitude") << QByteArray("T E3530.0 E13945.0 2008/03/03 10:00:00 0")
                                                      << false << int(FileProblem::LatitudeWithoutHemisphere);
    QTest::newRow("non-numeric") << QByteArray("T Nabc E13945.0 2008/03/03 10:00:00 0") << false
                                 << int(FileProblem::InvalidLatitude);
    QTest::newRow("off the globe") << QByteArray("T N9530.0 E13945.0 2008/03/03 10:00:00 0") << false
                                   << int(FileProblem::LatitudeOutOfRange);
    QTest::newRow("month 13") << QByteArray("T N3530.0 E13945.0 2008/13/03 10:00:00 0") << false << int(FileProblem::InvalidDate);
    QTest::newRow("31 February") << QByteArray("T N3530.0 E13945.0 31-FEB-08 10:00:00 0") << false
                                 << int(FileProblem::InvalidDate);
    QTest::newRow("hour 25") << QByteArray("T N3530.0 E13945.0 2008/03/03 25:00:00 0") << false << int(FileProblem::InvalidTime);
    QTest::newRow("tabs and trailing blanks") << QByteArray("T\tN3530.0  E13945.0\t2008/03/03 10:00:00 0   ")
                                              << true << -1;
    QTest::newRow("25 items") << QByteArray("T N3530.0 E13945.0 2008/03/03 10:00:00 1 2 3 4 5 6 7 8 9 10 11 12 13 14 "
                                            "15 16 17 18 19 20")
                              << true << -1;
}

void TestTrackFileParser::badRecords()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, accepted);
    QFETCH(int, problem);

    RaceControl rc = openRace(0);
    TrackParseResult result;
    // A good fix after the bad line shows that reading goes on.
    const BoatTrack track = parse("H header\r\n" + line + "\r\nT N3531.0 E13946.0 2008/03/03 11:00:00 0\r\n", rc,
                                  &result);
    QCOMPARE(track.PointCount(), accepted ? 2 : 1);
    QCOMPARE(track.Points.last().Lat, 2131.0);
    if (problem < 0) {
        QVERIFY(result.problems.isEmpty());
    } else {
        QCOMPARE(result.problems.size(), 1);
        QCOMPARE(result.problems[0].line, 2);
        QCOMPARE(result.problems[0].kind, FileProblem::Kind(problem));
    }
}

void TestTrackFileParser::lineEnds_data()
{
    QTest::addColumn<QByteArray>("eol");
    QTest::newRow("CR LF") << QByteArray("\r\n");
    QTest::newRow("LF") << QByteArray("\n");
    QTest::newRow("CR") << QByteArray("\r");
}

void TestTrackFileParser::lineEnds()
{
    QFETCH(QByteArray, eol);
    RaceControl rc = openRace(0);
    QByteArray bytes = "H head" + eol + "U  LAT LON DEG" + eol + "T N35.5 E139.75 2008/03/03 10:00:00 0" + eol +
                       "T N35.6 E139.75 2008/03/03 10:00:01 0"; // no final line end
    const BoatTrack track = parse(bytes, rc);
    QCOMPARE(track.PointCount(), 2);
    QCOMPARE(track.Points[0].Lat, 2130.0);
    QVERIFY(qAbs(track.Points[1].Lat - 2136.0) < 1e-9);
}

void TestTrackFileParser::binaryGarbage()
{
    QByteArray bytes;
    quint32 x = 12345;
    for (int i = 0; i < 200000; ++i) {
        x = x * 1103515245u + 12345u;
        bytes += char(x >> 16);
    }
    // Thirty records cut short, every line kind and a record cut short at the very end.
    for (int i = 0; i < 30; ++i)
        bytes += "\nT N3530.0";
    bytes += "\nT N3530.0 E13945.0 2008/03/03 10:00:00 0\nU DEG\nT N3";
    RaceControl rc = openRace(0);
    TrackParseResult result;
    const BoatTrack track = parse(bytes, rc, &result);
    QVERIFY(track.PointCount() >= 1);
    // Listed up to the cap, then counted in one closing entry.
    QCOMPARE(result.problems.size(), ProblemReporter::MaxListed + 1);
    QCOMPARE(result.problems.last().kind, FileProblem::MoreProblems);
    QVERIFY(result.problems.last().value.toInt() >= 31 - ProblemReporter::MaxListed);
}

void TestTrackFileParser::fileRules_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("points");

    QTest::newRow("TRK") << "a.TRK" << 800 << int(TrackParseResult::Read) << 1;
    QTest::newRow("trk") << "a.trk" << 800 << int(TrackParseResult::Read) << 1;
    QTest::newRow("DTR") << "a.DTR" << 800 << int(TrackParseResult::Read) << 1;
    QTest::newRow("dtr") << "a.dtr" << 800 << int(TrackParseResult::Read) << 1;
    QTest::newRow("Trk is not read") << "a.Trk" << 800 << int(TrackParseResult::WrongName) << 0;
    QTest::newRow("txt") << "a.txt" << 800 << int(TrackParseResult::WrongName) << 0;
    QTest::newRow("400 bytes") << "b.trk" << 400 << int(TrackParseResult::TooShort) << 0;
    QTest::newRow("500 bytes") << "c.trk" << 500 << int(TrackParseResult::TooShort) << 0;
    QTest::newRow("501 bytes") << "d.trk" << 501 << int(TrackParseResult::Read) << 1;
    QTest::newRow("empty") << "e.trk" << 0 << int(TrackParseResult::TooShort) << 0;
    QTest::newRow("missing") << "nothere.trk" << -1 << int(TrackParseResult::Missing) << 0;
    QTest::newRow("a folder") << "folder.trk" << -2 << int(TrackParseResult::Missing) << 0;
}

void TestTrackFileParser::fileRules()
{
    QFETCH(QString, name);
    QFETCH(int, size);
    QFETCH(int, status);
    QFETCH(int, points);

    const QString app = m_dir.path() + QLatin1Char('/') + QString::fromLatin1(QTest::currentDataTag());
    QDir().mkpath(app + QStringLiteral("/GPSDAT")); // found without regard to case
    if (size == -2) {
        QDir().mkpath(app + QStringLiteral("/GPSDAT/") + name);
    } else if (size >= 0) {
        const QByteArray record = "T N3530.0 E13945.0 2008/03/03 10:00:00 0\r\n";
        QByteArray bytes;
        if (size > 0)
            bytes = "H" + QByteArray(size - record.size() - 3, 'x') + "\r\n" + record;
        QCOMPARE(bytes.size(), qsizetype(size));
        QFile f(app + QStringLiteral("/GPSDAT/") + name);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    AppSettings settings;
    settings.ApplicationFolder = app;
    RaceControl rc = openRace(9);
    rc.Boats = {BoatEntry{name, QStringLiteral("A"), 0}};
    BoatTrack track;
    track.Points.resize(3); // replaced whatever happens
    const TrackParseResult r = ParseTrackFile(settings, rc, 1, track);
    QCOMPARE(int(r.status), status);
    QCOMPARE(track.PointCount(), points);
    if (points == 0)
        QVERIFY(rc.FirstFixTime.isNull() && rc.StartTime.isNull()); // the race is untouched
}

void TestTrackFileParser::realPcx5File()
{
    const QString path = QStringLiteral(ORVANE_SHARED_DATA "/pcx/pcx.trk");
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        QSKIP("shared data not present");
    RaceControl rc = openRace(9);
    TrackParseResult result;
    const BoatTrack track = parse(f.readAll(), rc, &result);
    QVERIFY(result.problems.isEmpty());
    QCOMPARE(result.records, 64);
    QCOMPARE(track.PointCount(), 64);
    // T  N3003.73100 W09136.62100 25-MAY-02 17:06:21 1
    QVERIFY(qAbs(track.Points[0].Lat - (30 * 60 + 3.731)) < 1e-9);
    QVERIFY(qAbs(track.Points[0].Lon - -(91 * 60 + 36.621)) < 1e-9);
    QCOMPARE(rc.FirstFixTime, dt("2002/05/26 02:06:21"));
    QCOMPARE(rc.StartTime, dt("2002/05/26 02:10:21"));
    QCOMPARE(track.Points[0].Time, -240.0);
    // T  N3002.82800 W09135.98000 25-MAY-02 19:05:57 0
    const TrackPoint &last = track.Points.last();
    QVERIFY(qAbs(last.Lat - (30 * 60 + 2.828)) < 1e-9);
    QVERIFY(qAbs(last.Lon - -(91 * 60 + 35.98)) < 1e-9);
    QCOMPARE(last.Time, double(rc.StartTime.secsTo(dt("2002/05/26 04:05:57"))));
    QCOMPARE(rc.FinishTime, dt("2002/05/26 04:05:57"));
    for (int k = 1; k < track.PointCount(); ++k)
        QVERIFY(track.Points[k].Time > track.Points[k - 1].Time);
}

QTEST_GUILESS_MAIN(TestTrackFileParser)
#include "testtrackfileparser.moc"
