// The viewer's own readers: line items, seconds, coordinates and dates; the race control file
// with its offsets, kept keys and resets; the wind file; the track files with their window,
// 364-day rule, notation switches and duplicates; and the problems each reports.
#include "viewerfixture.h"

#include <lineitems.h>
#include <racecontrolreader.h>
#include <trackreader.h>
#include <windreader.h>

using platform::LocalDateTime;
using namespace viewertest;

namespace {

// The problems as the report prints them, one a line, so that a failed comparison shows them.
QString problemTexts(const ReadProblems &problems)
{
    QStringList out;
    for (const ReadProblem &p : problems)
        out << p.toString(1);
    return out.join(QLatin1Char('\n'));
}

QString joined(const QStringList &texts)
{
    return texts.join(QLatin1Char('\n'));
}

// A race whose start is 2008/03/03 10:00:00 local (01:00:00 UTC with TD 9), finish 11:00:00.
ViewerRace raceAtTen()
{
    ViewerRace race;
    race.Start = at("2008/03/03 10:00:00");
    race.Finish = at("2008/03/03 11:00:00");
    race.TimeDifference = 9;
    updateRaceTimes(race);
    return race;
}

ViewerBoat readTrack(const QStringList &lines, const ViewerRace &race, ReadProblems *problems = nullptr,
                     int offset = 0)
{
    ViewerBoat boat;
    boat.OffsetSeconds = offset;
    ReadProblems local;
    parseTrack((lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1(), trackWindowOf(race), boat,
               QStringLiteral("gpsdat/a.trk"), problems ? *problems : local);
    return boat;
}

} // namespace

class TestViewerReaders : public QObject
{
    Q_OBJECT

private slots:
    void splitItems_data();
    void splitItems();
    void secondsBetween();
    void coordinates_data();
    void coordinates();
    void trackDates_data();
    void trackDates();

    void raceControlBoats();
    void raceControlKeepsAndResets();
    void raceControlTitleAndPeriod_data();
    void raceControlTitleAndPeriod();
    void raceControlProblems();

    void windFile();

    void trackWindow_data();
    void trackWindow();
    void trackOffset();
    void trackDateRule();
    void trackNotationAnywhere();
    void trackSampleLines();
    void meanInterval_data();
    void meanInterval();
    void realPcxTrack();
};

void TestViewerReaders::splitItems_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("boat") << "BN, a.trk, Boat A" << "," << QStringList{"BN", "a.trk", "Boat A"};
    QTest::newRow("offset") << "BN,a.trk , Boat A ,30" << "," << QStringList{"BN", "a.trk", "Boat A", "30"};
    QTest::newRow("empty middle") << "CRS, L1, , MK1" << "," << QStringList{"CRS", "L1", "0", "MK1"};
    QTest::newRow("empty last") << "NOTE," << "," << QStringList{"NOTE", "0"};
    QTest::newRow("separator first") << ",x" << "," << QStringList{"0", "x"};
    QTest::newRow("no separator") << " LONE " << "," << QStringList{"LONE"};
    QTest::newRow("blank runs") << "T  N3512.0   E13945.0 03-MAR-08 01:00:00 5" << " "
                                << QStringList{"T", "N3512.0", "E13945.0", "03-MAR-08", "01:00:00", "5"};
    QTest::newRow("more than twenty") << "K,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21" << ","
                                      << (QStringList{"K"} << [] {
                                             QStringList l;
                                             for (int i = 1; i <= 21; ++i)
                                                 l << QString::number(i);
                                             return l;
                                         }());
}

void TestViewerReaders::splitItems()
{
    QFETCH(QString, line);
    QFETCH(QString, separator);
    QFETCH(QStringList, items);
    QCOMPARE(::splitItems(line, separator.at(0)), items);
}

void TestViewerReaders::secondsBetween()
{
    QCOMPARE(secondsFrom(at("2008/03/03 10:00:30"), at("2008/03/03 10:00:00")), 30);
    QCOMPARE(secondsFrom(at("2008/03/02 23:59:00"), at("2008/03/03 00:00:00")), -60);
    QCOMPARE(secondsFrom(LocalDateTime(), at("2008/03/03 00:00:00")), UnconvertibleSeconds);
    QCOMPARE(secondsFrom(at("2008/03/03 00:00:00"), LocalDateTime()), UnconvertibleSeconds);
}

void TestViewerReaders::coordinates_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("notation");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("minutes");
    const int dm = int(CoordinateNotation::DM), deg = int(CoordinateNotation::DEG), dms = int(CoordinateNotation::DMS);
    QTest::newRow("S3512.000 DM") << "S3512.000" << dm << true << -2112.0;
    QTest::newRow("N35.5 DEG") << "N35.5" << deg << true << 2130.0;
    QTest::newRow("N3512.345 DM") << "N3512.345" << dm << true << 2112.345;
    QTest::newRow("E13945.6789 DM") << "E13945.6789" << dm << true << 8385.6789;
    QTest::newRow("W139.75 DEG") << "W139.75" << deg << true << -8385.0;
    QTest::newRow("E1394530.5 DMS") << "E1394530.5" << dms << true << 8385.0 + 30.5 / 60;
    QTest::newRow("S353000.0 DMS") << "S353000.0" << dms << true << -2130.0;
    QTest::newRow("minus is south") << "-3512.000" << dm << true << -2112.0;
    QTest::newRow("plus is north") << "+3512.000" << dm << true << 2112.0;
    QTest::newRow("other letter positive") << "X3512.000" << dm << true << 2112.0;
    QTest::newRow("no hemisphere") << "3512.5" << dm << true << 2112.5;
    QTest::newRow("no decimal point") << "N3512" << dm << true << 2112.0;
    QTest::newRow("minutes only") << "N12.5" << dm << true << 12.5;
    QTest::newRow("letters") << "NABC.D" << dm << false << 0.0;
    QTest::newRow("two points") << "N35.12.5" << dm << false << 0.0;
    QTest::newRow("hemisphere only") << "N" << dm << false << 0.0;
    QTest::newRow("empty") << "" << dm << false << 0.0;
}

void TestViewerReaders::coordinates()
{
    QFETCH(QString, item);
    QFETCH(int, notation);
    QFETCH(bool, ok);
    QFETCH(double, minutes);
    const auto v = parseCoordinate(QStringView(item), CoordinateNotation(notation));
    QCOMPARE(v.has_value(), ok);
    if (ok)
        QVERIFY2(std::fabs(*v - minutes) < 1e-9, qPrintable(QString::number(*v, 'g', 17)));
}

void TestViewerReaders::trackDates_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QDate>("date");
    QTest::newRow("day-month-yy") << "03-MAR-08" << QDate(2008, 3, 3);
    QTest::newRow("day-month-yyyy") << "25-may-2002" << QDate(2002, 5, 25);
    QTest::newRow("yyyy/mm/dd") << "2008/03/03" << QDate(2008, 3, 3);
    QTest::newRow("yyyy-mm-dd") << "2008-03-04" << QDate(2008, 3, 4);
    QTest::newRow("yy/mm/dd") << "08/3/4" << QDate(2008, 3, 4);
    QTest::newRow("no such day") << "31-FEB-08" << QDate();
    QTest::newRow("no such month") << "03-XYZ-08" << QDate();
    QTest::newRow("two parts") << "03-MAR" << QDate();
    QTest::newRow("words") << "today" << QDate();
}

void TestViewerReaders::trackDates()
{
    QFETCH(QString, item);
    QFETCH(QDate, date);
    QCOMPARE(parseTrackDate(item.toLatin1()), date);
}

void TestViewerReaders::raceControlBoats()
{
    AppFolder app;
    app.write(QStringLiteral("gpsdat/a.trk"), {QStringLiteral("H")});
    app.write(QStringLiteral("gpsdat/C.TRK"), {QStringLiteral("H")});
    app.write(QStringLiteral("attachment/notes.html"), {QStringLiteral("x")});
    ViewerRace race;
    ReadProblems problems;
    parseRaceControl({"BN, a.trk, Alpha", "BN, b.trk, Bravo", "BN, c.trk, Charlie, 30", "BN, a.trk, Delta, -15, x",
                      "AT, notes.html", "AT, missing.pdf"},
                     app.path(), QStringLiteral("r.txt"), QStringLiteral("raceadmin/r.txt"), race, problems);
    QCOMPARE(race.boatCount(), 3);
    QCOMPARE(race.Boats[0].Name, QStringLiteral("Alpha"));
    QCOMPARE(race.Boats[0].OffsetSeconds, 0);
    // The missing b.trk is left out; the third boat moves up, matched without regard to case.
    QCOMPARE(race.Boats[1].Name, QStringLiteral("Charlie"));
    QCOMPARE(race.Boats[1].OffsetSeconds, 30);
    QCOMPARE(race.Boats[2].OffsetSeconds, -15);
    QCOMPARE(race.Attachments, QStringList{"notes.html"});
    QCOMPARE(problemTexts(problems), joined({"raceadmin/r.txt:2: GPS file b.trk not found: boat left out",
                          "raceadmin/r.txt:6: attachment missing.pdf not found"}));
}

void TestViewerReaders::raceControlKeepsAndResets()
{
    AppFolder app;
    app.write(QStringLiteral("gpsdat/a.trk"), {QStringLiteral("H")});
    ViewerRace race;
    ReadProblems problems;
    parseRaceControl({"T1, First race", "NOTE, Light air, shifty", "ST, 2008/03/03 10:00:00", "FT, 2008/03/03 11:00:00",
                      "TD, 9", "WD, 200", "MG, -7", "LG, 9.5", "LL, 42,150", "NU, 1", "BT, 5", "WF, w.csv",
                      "BN, a.trk, Alpha", "MK, 2112.5, 8385.25", "LN, 2110, 8380, 2110, 8381", "CRS, L1, MK1, L1",
                      "MAP, 5339, 5340"},
                     app.path(), QStringLiteral("one.txt"), QStringLiteral("raceadmin/one.txt"), race, problems);
    QVERIFY2(problems.isEmpty(), qPrintable(problemTexts(problems)));
    QCOMPARE(race.Note, QStringLiteral("Light air, shifty"));
    QCOMPARE(race.Course, (QStringList{"L1", "MK1", "L1"}));
    QCOMPARE(race.CourseLineNumber, 16);
    QCOMPARE(race.MapTiles, (QStringList{"5339", "5340"}));
    QCOMPARE(race.Marks.size(), 1);
    QCOMPARE(race.Marks[0].Lon, 8385.25);
    QCOMPARE(race.PreStartSeconds, 300);
    QCOMPARE(race.StartUtc, at("2008/03/03 01:00:00"));
    QVERIFY(race.isNorthUp());

    // The second race says only what differs: TD, WD, MG, LG, LL, ST, FT and NOTE stay; boats,
    // marks, lines, course, NU, titles, WF and MAP are reset and BT is 3 minutes again.
    parseRaceControl({"T2, Second", "BN, a.trk, Bravo"}, app.path(), QStringLiteral("two.txt"),
                     QStringLiteral("raceadmin/two.txt"), race, problems);
    QCOMPARE(race.TimeDifference, 9);
    QCOMPARE(race.WindDirection, 200);
    QCOMPARE(race.MagneticVariation, -7.0);
    QCOMPARE(race.BoatLength, 9.5);
    QCOMPARE(race.LayLineUp, 42);
    QCOMPARE(race.LayLineDown, 150);
    QCOMPARE(race.Start, at("2008/03/03 10:00:00"));
    QCOMPARE(race.Note, QStringLiteral("Light air, shifty"));
    QCOMPARE(race.boatCount(), 1);
    QCOMPARE(race.Boats[0].Name, QStringLiteral("Bravo"));
    QVERIFY(race.Marks.isEmpty() && race.Lines.isEmpty() && race.Course.isEmpty() && race.MapTiles.isEmpty());
    QVERIFY(!race.isNorthUp());
    QVERIFY(race.Title1.isEmpty() && race.WindFile.isEmpty());
    QCOMPARE(race.PreStartSeconds, 180);
    QCOMPARE(race.TitleText, QStringLiteral("orvane  Second     "));
}

void TestViewerReaders::raceControlTitleAndPeriod_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("title");
    QTest::addColumn<double>("periodStart");
    QTest::addColumn<double>("periodEnd");
    const QStringList times{"ST, 2008/03/03 10:00:00", "FT, 2008/03/03 11:00:00"};
    QTest::newRow("both titles") << (QStringList{"T1, Enoshima Cup", "T2, Race 2"} + times)
                                 << "orvane  Enoshima Cup     Race 2     " << -190.0 << 3630.0;
    QTest::newRow("one-character T1, no T2") << (QStringList{"T1, A"} + times) << "orvane  race.txt       " << -190.0
                                             << 3630.0;
    QTest::newRow("BT 0") << (QStringList{"BT, 0"} + times) << "orvane  race.txt       " << -190.0 << 3630.0;
    QTest::newRow("BT 5") << (QStringList{"BT, 5"} + times) << "orvane  race.txt       " << -310.0 << 3630.0;
}

void TestViewerReaders::raceControlTitleAndPeriod()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, title);
    QFETCH(double, periodStart);
    QFETCH(double, periodEnd);
    AppFolder app;
    ViewerRace race;
    ReadProblems problems;
    parseRaceControl(lines, app.path(), QStringLiteral("race.txt"), QStringLiteral("raceadmin/race.txt"), race,
                     problems);
    QCOMPARE(race.TitleText, title);
    QCOMPARE(race.Period.Start, periodStart);
    QCOMPARE(race.Period.End, periodEnd);
}

void TestViewerReaders::raceControlProblems()
{
    AppFolder app;
    ViewerRace race;
    race.TimeDifference = 9;
    ReadProblems problems;
    QStringList lines{"MK, 2112.5", "MK, abc, 8385", "TD, nine", "ST, tomorrow", "BT, -2"};
    for (int i = 0; i < 31; ++i)
        lines << QStringLiteral("MK, %1, 8385").arg(2100 + i);
    parseRaceControl(lines, app.path(), QStringLiteral("r.txt"), QStringLiteral("raceadmin/r.txt"), race, problems);
    QCOMPARE(race.Marks.size(), ViewerMaxMarks);
    QCOMPARE(race.TimeDifference, 9); // kept: the value could not be read
    QCOMPARE(race.PreStartSeconds, 180);
    QCOMPARE(problemTexts(problems), joined({"raceadmin/r.txt:1: MK needs 2 values: line skipped",
                          "raceadmin/r.txt:2: \"abc\" is not a number: line skipped",
                          "raceadmin/r.txt:3: \"nine\" is not a number: line skipped",
                          "raceadmin/r.txt:4: \"tomorrow\" is not a date and time: line skipped",
                          "raceadmin/r.txt:5: pre-start time \"-2\" is negative: 3 minutes used",
                          "raceadmin/r.txt:36: more than 30 MK entries: this one and every later one left out"}));
    QCOMPARE(problems[0].toString(0), QStringLiteral("raceadmin/r.txt:1: MK には 2 個の値が必要です。この行を無視しました"));
}

void TestViewerReaders::windFile()
{
    const ViewerRace race = raceAtTen();
    ReadProblems problems;
    const QList<ViewerWindSample> wind = parseWindFile(
        {"TIME,WIND SPEED,WIND DIRECTION (Mag)", "2008/03/03 09:59:00,8.5,200.4", "", "2008/03/03 10:30:00,10,210.6",
         "2008/03/03 10:31:00,10", "soon,10,200", "2008/03/04 10:00:00,x,200"},
        race.Start, QStringLiteral("winddat/w.csv"), problems);
    QCOMPARE(wind.size(), 2);
    // Local times like ST: no TD shift.
    QCOMPARE(wind[0].Time, -60.0);
    QCOMPARE(wind[0].Speed, 8.5);
    QCOMPARE(wind[0].Direction, 200);
    QCOMPARE(wind[1].Time, 1800.0);
    QCOMPARE(wind[1].Direction, 211);
    QCOMPARE(problemTexts(problems), joined({"winddat/w.csv:5: wind needs 3 values: line skipped",
                          "winddat/w.csv:6: date and time \"soon\" cannot be read: line skipped",
                          "winddat/w.csv:7: \"x\" is not a number: line skipped"}));
}

void TestViewerReaders::trackWindow_data()
{
    QTest::addColumn<QString>("utc");
    QTest::addColumn<bool>("kept");
    // ST 10:00 local = 01:00 UTC, BT 180 s, FT 11:00 local = 02:00 UTC.
    QTest::newRow("-BT - 60: dropped") << "2008/03/03 00:56:00" << false;
    QTest::newRow("-BT - 59: kept") << "2008/03/03 00:56:01" << true;
    QTest::newRow("start") << "2008/03/03 01:00:00" << true;
    QTest::newRow("finish + 29: kept") << "2008/03/03 02:00:29" << true;
    QTest::newRow("finish + 30: dropped") << "2008/03/03 02:00:30" << false;
}

void TestViewerReaders::trackWindow()
{
    QFETCH(QString, utc);
    QFETCH(bool, kept);
    const ViewerBoat boat =
        readTrack(trackHeader() + QStringList{sampleLine(2112, 8385, LocalDateTime::parse(utc))}, raceAtTen());
    QCOMPARE(boat.sampleCount(), kept ? 1 : 0);
}

void TestViewerReaders::trackOffset()
{
    // The offset moves every sample time and is counted at the start of the window only.
    const ViewerRace race = raceAtTen();
    const ViewerBoat boat = readTrack(trackHeader() + QStringList{sampleLine(2112, 8385, at("2008/03/03 00:55:30")),
                                                                  sampleLine(2112, 8385, at("2008/03/03 01:00:00"))},
                                      race, nullptr, 60);
    QCOMPARE(boat.sampleCount(), 2);
    QCOMPARE(boat.Samples[0].Time, -210.0);
    QCOMPARE(boat.Samples[1].Time, 60.0);
}

void TestViewerReaders::trackDateRule()
{
    // Samples dated more than 364 days from the race are taken as 2000/1/1: dropped for this
    // race, and reported once with their number.
    ReadProblems problems;
    const ViewerBoat boat =
        readTrack(trackHeader() + QStringList{sampleLine(2112, 8385, at("2009/03/03 01:00:00")),
                                              sampleLine(2112, 8385, at("2009/03/03 01:00:01")),
                                              sampleLine(2112, 8385, at("2009/03/02 01:00:00")),
                                              sampleLine(2112, 8385, at("2008/03/03 01:00:02"))},
                  raceAtTen(), &problems);
    // 2009/03/02 is 364 days on: not moved, simply outside the window.
    QCOMPARE(boat.sampleCount(), 1);
    QCOMPARE(boat.Samples[0].Time, 2.0);
    QCOMPARE(problemTexts(problems), joined({"gpsdat/a.trk:5: 2 samples dated more than 364 days from the race date 2008/03/03: left out "
                         "(the first here)"}));

    // For a race on 1 January 2000 the same samples land on its day.
    ViewerRace y2k;
    y2k.Start = at("2000/01/01 10:00:00");
    y2k.Finish = at("2000/01/01 11:00:00");
    updateRaceTimes(y2k);
    const ViewerBoat kept = readTrack(trackHeader() + QStringList{sampleLine(2112, 8385, at("2005/07/01 10:00:30"))}, y2k);
    QCOMPARE(kept.sampleCount(), 1);
    QCOMPARE(kept.Samples[0].Time, 30.0);
}

void TestViewerReaders::trackNotationAnywhere()
{
    // Any line holding DEG or DMS switches the notation for the lines after it, whatever its key.
    const QString when = QStringLiteral("03-MAR-08 01:00:00 5");
    const ViewerBoat boat =
        readTrack({"H  COORDINATES IN DEG", "T  S35.5 W139.75 " + when, "X  now DMS", "T  N353000.0 E1394530.5 " + when,
                   "H  back to DEGREES", "T  N35.25 E139.5 " + when},
                  raceAtTen());
    QCOMPARE(boat.sampleCount(), 3);
    QCOMPARE(boat.Samples[0].Lat, -2130.0);
    QCOMPARE(boat.Samples[0].Lon, -8385.0);
    QCOMPARE(boat.Samples[1].Lat, 2130.0);
    QVERIFY(std::fabs(boat.Samples[1].Lon - (8385.0 + 30.5 / 60)) < 1e-9);
    QCOMPARE(boat.Samples[2].Lat, 2115.0);
}

void TestViewerReaders::trackSampleLines()
{
    // A sample is a line whose key contains T and which has exactly six items; equal times are
    // all kept; lines that look like samples but are not are reported.
    ReadProblems problems;
    const ViewerBoat boat = readTrack({"TRACK 1", "T  N3512.0 E13945.0 03-MAR-08 01:00:00 5",
                                       "T  N3512.1 E13945.0 03-MAR-08 01:00:00 5",
                                       "AT N3512.2 E13945.0 03-MAR-08 01:00:01 5",
                                       "T  N3512.3 E13945.0 03-MAR-08 01:00:02 5 ;comment",
                                       "T  N3512.3 E13945.0 03-MAR-08 01:00:03", "T  N35x2.3 E13945.0 03-MAR-08 01:00:04 5",
                                       "T  N3512.3 E13945.0 03-MAR-08 25:00:05 5", "t  N3512.3 E13945.0 03-MAR-08 01:00:06 5"},
                                      raceAtTen(), &problems);
    QCOMPARE(boat.sampleCount(), 3);
    QCOMPARE(boat.Samples[0].Time, 0.0);
    QCOMPARE(boat.Samples[1].Time, 0.0);
    QCOMPARE(boat.Samples[1].Lat, 2112.1);
    QCOMPARE(boat.Samples[2].Time, 1.0);
    QCOMPARE(problemTexts(problems), joined({"gpsdat/a.trk:1: 2 items where a sample has 6: line skipped",
                          "gpsdat/a.trk:5: 7 items where a sample has 6: line skipped",
                          "gpsdat/a.trk:6: 5 items where a sample has 6: line skipped",
                          "gpsdat/a.trk:7: coordinate \"N35x2.3\" cannot be read: line skipped",
                          "gpsdat/a.trk:8: date and time \"03-MAR-08 25:00:05\" cannot be read: line skipped"}));
}

void TestViewerReaders::meanInterval_data()
{
    QTest::addColumn<QList<double>>("times");
    QTest::addColumn<int>("interval");
    QList<double> even;
    for (int i = 0; i < 20; ++i)
        even << i * 2.0;
    QTest::newRow("20 samples 2 s apart") << even << 2;
    QList<double> gaps = even;
    gaps[0] = -500;           // a gap before sample 5 does not count
    gaps[19] = 5000;          // nor one after sample count - 5
    QTest::newRow("gaps at the ends") << gaps << 2;
    QTest::newRow("ten samples") << QList<double>{0, 3, 6, 9, 12, 15, 18, 21, 24, 27} << 3;
    QTest::newRow("two samples") << QList<double>{0, 5} << 5;
    QTest::newRow("one sample") << QList<double>{7} << 1;
    QTest::newRow("none") << QList<double>{} << 1;
    QTest::newRow("equal times") << QList<double>(12, 4.0) << 1;
}

void TestViewerReaders::meanInterval()
{
    QFETCH(QList<double>, times);
    QFETCH(int, interval);
    QVector<ViewerSample> samples;
    for (double t : times)
        samples.append(ViewerSample{t, 0, 0, 0, 0});
    QCOMPARE(meanSamplingInterval(samples), interval);
}

void TestViewerReaders::realPcxTrack()
{
    // A real receiver export (PCX5, LF line ends, western hemisphere) read by the viewer.
    QFile file(QStringLiteral(ORVANE_SHARED_DATA "/pcx/pcx.trk"));
    if (!file.open(QIODevice::ReadOnly))
        QSKIP("the shared real track data is not here");
    ViewerRace race;
    race.Start = at("2002/05/25 17:00:00");
    race.Finish = at("2002/05/26 12:00:00");
    race.TimeDifference = 0;
    updateRaceTimes(race);
    ViewerBoat boat;
    ReadProblems problems;
    parseTrack(file.readAll(), trackWindowOf(race), boat, QStringLiteral("gpsdat/pcx.trk"), problems);
    QVERIFY2(problems.isEmpty(), qPrintable(problemTexts(problems)));
    QVERIFY(boat.sampleCount() > 30);
    QCOMPARE(boat.Samples[0].Time, 381.0); // 17:06:21
    QVERIFY(std::fabs(boat.Samples[0].Lat - (30 * 60 + 3.731)) < 1e-9);
    QVERIFY(std::fabs(boat.Samples[0].Lon + (91 * 60 + 36.621)) < 1e-9);
}

QTEST_GUILESS_MAIN(TestViewerReaders)
#include "testviewerreaders.moc"
