// The race control file: reader, writer, checks and the two companion files.
#include <racecontrolfile.h>

#include <appfolder.h>
#include <dialogs.h>
#include <textfile.h>

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

class TestRaceControlFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void minimalFile();
    void courseEntries_data();
    void courseEntries();
    void layLines_data();
    void layLines();
    void resetKeepsVariationLengthAndWind();
    void writerExactText();
    void writerNumberForms_data();
    void writerNumberForms();
    void roundTripKeepsEveryValue();
    void missingTrackFileDropsBoats();
    void missingWindFileCleared();
    void badLines_data();
    void badLines();
    void numbersOutOfBounds_data();
    void numbersOutOfBounds();
    void writeKeepsWhatTheReaderLeft();
    void boundsRefuseExtraElements();
    void linesPastABoundStayPastIt();
    void derivedTimes();
    void unreadableAndUnwritable();
    void palette_data();
    void palette();
    void companionFiles();

private:
    QString appFolder() const { return m_dir->path(); }
    void writeRace(const QString &name, const QStringList &lines);
    void touchTrack(const QString &name);

    std::unique_ptr<QTemporaryDir> m_dir;
    AppSettings m_settings;
    platform::ScriptedDialogs m_dialogs;
    std::unique_ptr<platform::DialogsGuard> m_guard;
};

void TestRaceControlFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    for (const char *folder : {"raceadmin", "gpsdat", "winddat"})
        QDir(appFolder()).mkpath(folder);
    m_settings = AppSettings();
    m_settings.ApplicationFolder = appFolder();
    m_settings.setLanguage(UiLanguage::English);
    m_dialogs = platform::ScriptedDialogs();
    m_guard = std::make_unique<platform::DialogsGuard>(&m_dialogs);
}

void TestRaceControlFile::cleanup()
{
    m_guard.reset();
    m_dir.reset();
}

void TestRaceControlFile::writeRace(const QString &name, const QStringList &lines)
{
    QVERIFY(platform::writeTextFile(QDir(appFolder()).filePath("raceadmin/" + name), lines));
}

void TestRaceControlFile::touchTrack(const QString &name)
{
    QVERIFY(platform::writeTextFile(QDir(appFolder()).filePath("gpsdat/" + name), {"H  header"}));
}

void TestRaceControlFile::minimalFile()
{
    touchTrack("a.trk");
    writeRace("r.txt", {"BN, a.trk, Boat A"});
    RaceControl rc;
    rc.FileName = "r.txt";
    QVERIFY(ReadRaceControl(m_settings, rc));
    QCOMPARE(rc.boatCount(), 1);
    QCOMPARE(rc.Boats[0].TrackFile, QStringLiteral("a.trk"));
    QCOMPARE(rc.Boats[0].Name, QStringLiteral("Boat A"));
    QCOMPARE(rc.LayLineUp, 45.0);
    QCOMPARE(rc.LayLineDown, 160.0);
    QCOMPARE(rc.PreStartMinutes, 3.0);
    QCOMPARE(rc.PreStartSeconds, 180.0);
    QCOMPARE(rc.BoatLength, 4.7f);
    QCOMPARE(rc.TimeDifference, qint16(0)); // the load turns 0 into 9
    QVERIFY(rc.StartTime.isNull());
    QVERIFY(!rc.hasAnalysis());
    QVERIFY(m_dialogs.shown.isEmpty());
}

void TestRaceControlFile::courseEntries_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("four") << "CRS, L1, MK1, MK2, L2" << QStringList{"L1", "MK1", "MK2", "L2"};
    QTest::newRow("one") << "CRS, L1" << QStringList{"L1"};
    QTest::newRow("no blanks") << "CRS,L1,MK1" << QStringList{"L1", "MK1"};
    QTest::newRow("trailing comma") << "CRS, L1, MK1," << QStringList{"L1", "MK1"};
}

void TestRaceControlFile::courseEntries()
{
    QFETCH(QString, line);
    QFETCH(QStringList, entries);
    RaceControl rc;
    parseRaceControl({line}, rc);
    QCOMPARE(rc.Course.Entries, entries);
    QCOMPARE(rc.hasAnalysis(), entries.size() >= 2);
}

void TestRaceControlFile::layLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<double>("up");
    QTest::addColumn<double>("down");
    QTest::newRow("zero keeps default") << "LL, 0,150" << 45.0 << 150.0;
    QTest::newRow("both") << "LL, 40,170" << 40.0 << 170.0;
    QTest::newRow("one value") << "LL, 42" << 42.0 << 160.0;
}

void TestRaceControlFile::layLines()
{
    QFETCH(QString, line);
    QFETCH(double, up);
    QFETCH(double, down);
    RaceControl rc;
    parseRaceControl({line}, rc);
    QCOMPARE(rc.LayLineUp, up);
    QCOMPARE(rc.LayLineDown, down);
}

void TestRaceControlFile::resetKeepsVariationLengthAndWind()
{
    RaceControl rc;
    parseRaceControl({"MG, -7", "LG, 8.5", "WD, 220", "T1, old", "TD, 9", "NU, 1", "BN, a.trk, A", "BT, 5"}, rc);
    QCOMPARE(rc.MagneticVariation, -7.0);
    QCOMPARE(rc.ShownWindDirection, 220.0);
    parseRaceControl({"BN, b.trk, B"}, rc);
    QCOMPARE(rc.MagneticVariation, -7.0);
    QCOMPARE(rc.BoatLength, 8.5f);
    QCOMPARE(rc.WindDirection, 220.0f);
    QVERIFY(rc.Title1.isEmpty());
    QCOMPARE(rc.TimeDifference, qint16(0));
    QCOMPARE(rc.NorthUp, 0.0);
    QCOMPARE(rc.PreStartSeconds, 180.0);
    QCOMPARE(rc.boatCount(), 1);
    QCOMPARE(rc.Boats[0].Name, QStringLiteral("B"));
}

void TestRaceControlFile::writerExactText()
{
    RaceControl rc;
    rc.FileName = "w.txt";
    rc.BoatLength = 4.7f;
    rc.TimeDifference = 9;
    rc.StartTime = platform::LocalDateTime::parse(u"2008/05/03 10:30:00");
    rc.FinishTime = platform::LocalDateTime::parse(u"2008/05/03 11:30:00");
    rc.Boats = {{"a.trk", "Boat A"}, {"b.dtr", "艇B"}};
    rc.Marks = {{2130.5, 8385.25}};
    rc.Lines = {{2130.0, 8385.0, 2130.1, 8385.2}};
    rc.Course.Entries = {"L1", "MK1", "L1"};
    rc.CoastTiles = {"5339"};
    rc.Attachments = {"notice.html"};
    const QStringList expected = {
        "LG,  4.7",
        "ST, 2008/05/03 10:30:00",
        "FT, 2008/05/03 11:30:00",
        "TD,  9",
        "BN, a.trk, Boat A",
        "BN, b.dtr, 艇B",
        "MK, 2130.5, 8385.25",
        "LN, 2130, 8385, 2130.1, 8385.2",
        "CRS, L1, MK1, L1",
        "MAP, 5339",
        "LL, 45,160",
        "BT, 3",
        "AT, notice.html",
    };
    QCOMPARE(formatRaceControl(rc), expected);

    // And on disk: CP932 with CR LF.
    QVERIFY(WriteRaceControl(m_settings, rc));
    const auto read = platform::readTextFile(QDir(appFolder()).filePath("raceadmin/w.txt"));
    QVERIFY(read.ok);
    QCOMPARE(read.lines, expected);
}

void TestRaceControlFile::writerNumberForms_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("line");
    QTest::newRow("MG west") << "MG" << -7.0 << "MG, -7";
    QTest::newRow("MG east fraction") << "MG" << 1.25 << "MG,  1.25";
    QTest::newRow("LG") << "LG" << 12.0 << "LG,  12";
    QTest::newRow("WD") << "WD" << 225.5 << "WD,  225.5";
    QTest::newRow("TD negative") << "TD" << -5.0 << "TD, -5";
    QTest::newRow("BT rounds half up") << "BT" << 2.5 << "BT, 3";
    QTest::newRow("BT down") << "BT" << 4.4 << "BT, 4";
    QTest::newRow("NU") << "NU" << 2.0 << "NU, 1";
}

void TestRaceControlFile::writerNumberForms()
{
    QFETCH(QString, field);
    QFETCH(double, value);
    QFETCH(QString, line);
    RaceControl rc;
    if (field == "MG")
        rc.MagneticVariation = value;
    else if (field == "LG")
        rc.BoatLength = float(value);
    else if (field == "WD")
        rc.WindDirection = float(value);
    else if (field == "TD")
        rc.TimeDifference = qint16(value);
    else if (field == "BT")
        rc.PreStartMinutes = value;
    else if (field == "NU")
        rc.NorthUp = value;
    QVERIFY2(formatRaceControl(rc).contains(line), qPrintable(formatRaceControl(rc).join(" | ")));
}

void TestRaceControlFile::roundTripKeepsEveryValue()
{
    const QStringList original = {
        "WF, race1_WIND.CSV",
        "T1, 第12回 相模湾レース",
        "T2, Day 2, race 3",
        "T3, ｸﾗｽ J/24",
        "MG, -7.25",
        "LG,  7.32",
        "ST, 2008/05/03 10:30:00",
        "FT, 2008/05/03 12:05:30",
        "TD, -5",
        "WD,  187.5",
        "NU, 1",
        "BN, boat1.trk, 飛鳥",
        "BN, boat2.DTR, Sea Breeze II",
        "BN, boat3.trk, Late, 30",
        "MK, 2130.12345, 8385.6789",
        "MK, -2130.5, -8385.508333333333",
        "LN, 2130, 8385, 2130.1, 8385.2",
        "CRS, L1, MK1, MK2, MK1, L1",
        "MAP, 5339",
        "MAP, 5340",
        "LL, 42,155",
        "BT, 5",
        "AT, 帆走指示書.html",
        "AT, chart one.bmp",
    };
    RaceControl first;
    first.BoatLength = 1.0f;
    FileProblems problems;
    {
        ProblemReporter reporter(&problems, "raceadmin/rt.txt");
        parseRaceControl(original, first, &reporter);
    }
    QVERIFY(problems.isEmpty());
    QVERIFY(first.KeptLines.isEmpty());
    QCOMPARE(first.Boats[2].Name, QStringLiteral("Late, 30")); // an offset stays part of the name
    QCOMPARE(first.Attachments[1], QStringLiteral("chart one.bmp"));

    const QStringList written = formatRaceControl(first);
    // Only the number forms differ from what was read.
    QStringList expected = original;
    expected.replaceInStrings("MK, -2130.5, -8385.508333333333", "MK, -2130.5, -8385.50833333333");
    QCOMPARE(written, expected);

    // Through the disk, in CP932: nothing changes any more.
    first.FileName = "rt.txt";
    QVERIFY(WriteRaceControl(m_settings, first));
    RaceControl second;
    second.FileName = "rt.txt";
    parseRaceControl(platform::readTextFile(QDir(appFolder()).filePath("raceadmin/rt.txt")).lines, second);
    QCOMPARE(formatRaceControl(second), written);
    QCOMPARE(second.Title1, QStringLiteral("第12回 相模湾レース"));
    QCOMPARE(second.Boats[0].Name, QStringLiteral("飛鳥"));
}

void TestRaceControlFile::missingTrackFileDropsBoats()
{
    touchTrack("one.trk");
    touchTrack("three.TRK");
    writeRace("r.txt", {"BN, one.trk, One", "BN, two.trk, Two", "BN, THREE.trk, Three", "BN, four.trk, Four"});
    RaceControl rc;
    rc.FileName = "r.txt";
    FileProblems problems;
    QVERIFY(ReadRaceControl(m_settings, rc, &problems));
    QCOMPARE(m_dialogs.messages(),
             QStringList{"GPSfile -- two.trk -- could not be found\r\nThis boat will be ignored"});
    // One message names the first; the problems name each boat left out, at its line.
    QCOMPARE(problems, (FileProblems{{"raceadmin/r.txt", 2, FileProblem::BoatLeftOut, "two.trk"},
                                     {"raceadmin/r.txt", 4, FileProblem::BoatLeftOut, "four.trk"}}));
    QCOMPARE(rc.boatCount(), 2);
    QCOMPARE(rc.Boats[1].Name, QStringLiteral("Three"));
    QCOMPARE(rc.Boats[1].TrackFile, QStringLiteral("THREE.trk")); // found without regard to case
    QCOMPARE(rc.Boats[1].colour, boatColour(2));

    m_settings.setLanguage(UiLanguage::Japanese);
    m_dialogs.shown.clear();
    QVERIFY(ReadRaceControl(m_settings, rc));
    QCOMPARE(m_dialogs.messages(),
             QStringList{"GPSfile -- two.trk -- はありませんでした。\r\nこの艇を無視して表示します。"});
}

void TestRaceControlFile::missingWindFileCleared()
{
    writeRace("r.txt", {"WF, gone.csv"});
    RaceControl rc;
    rc.FileName = "r.txt";
    QVERIFY(ReadRaceControl(m_settings, rc));
    QVERIFY(rc.WindFile.isEmpty());
    QVERIFY(m_dialogs.shown.isEmpty());

    QVERIFY(platform::writeTextFile(QDir(appFolder()).filePath("winddat/Here.CSV"), {"TIME"}));
    writeRace("r.txt", {"WF, here.csv"});
    QVERIFY(ReadRaceControl(m_settings, rc));
    QCOMPARE(rc.WindFile, QStringLiteral("here.csv"));
}

void TestRaceControlFile::badLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("boats");
    QTest::addColumn<int>("marks");
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("problem"); // FileProblem::Kind, or -1 for none
    QTest::addColumn<bool>("kept");   // left for the writer as it is
    QTest::newRow("no comma") << "BN a.trk Boat" << 0 << 0 << 0 << int(FileProblem::NoComma) << true;
    QTest::newRow("blank line") << "   " << 0 << 0 << 0 << -1 << true;
    QTest::newRow("viewer's note") << "NOTE, hello" << 0 << 0 << 0 << -1 << true;
    QTest::newRow("key case matters") << "bn, a.trk, A" << 0 << 0 << 0 << int(FileProblem::UnknownKey) << true;
    QTest::newRow("empty key") << " , x" << 0 << 0 << 0 << int(FileProblem::EmptyKey) << true;
    QTest::newRow("BN without name") << "BN, a.b.trk" << 1 << 0 << 0 << int(FileProblem::BoatWithoutName) << false;
    // Found by fuzzing: the name taken from the file name kept the blank before its point, and
    // the next write and read trimmed it, so a race written twice changed.
    QTest::newRow("BN without name, blank before the point") << "BN, My Boat .trk" << 1 << 0 << 0
                                                              << int(FileProblem::BoatWithoutName) << false;
    QTest::newRow("BN without file") << "BN, , Name" << 0 << 0 << 0 << int(FileProblem::BoatWithoutTrackFile) << true;
    QTest::newRow("MK one value") << "MK, 2130" << 0 << 0 << 0 << int(FileProblem::MarkNeedsTwoValues) << true;
    QTest::newRow("MK text") << "MK, abc, def" << 0 << 0 << 0 << int(FileProblem::NotANumber) << true;
    QTest::newRow("LN three values") << "LN, 1, 2, 3" << 0 << 0 << 0 << int(FileProblem::LineNeedsFourValues) << true;
    QTest::newRow("LN extra value") << "LN, 1, 2, 3, 4, 5" << 0 << 0 << 1 << -1 << false;
    QTest::newRow("TD text") << "TD, nine" << 0 << 0 << 0 << int(FileProblem::NotANumber) << true;
    QTest::newRow("TD with unit") << "TD, 9h" << 0 << 0 << 0 << int(FileProblem::NotANumber) << true;
    QTest::newRow("ST no such day") << "ST, 2008/02/31 10:00:00" << 0 << 0 << 0 << int(FileProblem::UnreadableDateTime)
                                    << true;
    QTest::newRow("ST month first") << "ST, 5/3/2008 10:30:00" << 0 << 0 << 0 << int(FileProblem::UnreadableDateTime)
                                    << true;
    QTest::newRow("LG text") << "LG, long" << 0 << 0 << 0 << int(FileProblem::NotANumber) << true;
    QTest::newRow("binary") << QString::fromLatin1("\x01\x02,\xff\xfe") << 0 << 0 << 0 << int(FileProblem::UnknownKey)
                            << true;
}

void TestRaceControlFile::badLines()
{
    QFETCH(QString, line);
    QFETCH(int, boats);
    QFETCH(int, marks);
    QFETCH(int, lines);
    QFETCH(int, problem);
    QFETCH(bool, kept);
    RaceControl rc;
    rc.BoatLength = 6.0f;
    FileProblems problems;
    {
        ProblemReporter reporter(&problems, "raceadmin/r.txt");
        parseRaceControl({"T1, before", line, "T2, after"}, rc, &reporter);
    }
    QCOMPARE(rc.boatCount(), boats);
    QCOMPARE(rc.markCount(), marks);
    QCOMPARE(rc.lineCount(), lines);
    if (problem < 0) {
        QVERIFY(problems.isEmpty());
    } else {
        QCOMPARE(problems.size(), 1);
        QCOMPARE(problems[0].kind, FileProblem::Kind(problem));
        QCOMPARE(problems[0].line, 2);
        QCOMPARE(problems[0].file, QStringLiteral("raceadmin/r.txt"));
    }
    // The lines around a bad one are read, and a line not taken goes back where it was.
    QCOMPARE(rc.Title1, QStringLiteral("before"));
    QCOMPARE(rc.Title2, QStringLiteral("after"));
    QCOMPARE(rc.KeptLines.size(), kept ? 1 : 0);
    if (kept) {
        const QStringList written = formatRaceControl(rc);
        QCOMPARE(written.indexOf(line), written.indexOf("T1, before") + 1);
    }
    if (line.startsWith("BN, a.b"))
        QCOMPARE(rc.Boats[0].Name, QStringLiteral("a"));
    if (line.startsWith("BN, My"))
        QCOMPARE(rc.Boats[0].Name, QStringLiteral("My Boat"));
    // What the writer writes reads back to the same race: writing it again gives the same lines.
    const QStringList once = formatRaceControl(rc);
    RaceControl again;
    parseRaceControl(once, again);
    QCOMPARE(formatRaceControl(again), once);
    if (line.startsWith("TD"))
        QCOMPARE(rc.TimeDifference, qint16(0));
    QCOMPARE(rc.BoatLength, 6.0f); // a value not taken leaves the race's as it was
}

void TestRaceControlFile::numbersOutOfBounds_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("taken");
    // Values that would overflow the integer arithmetic of times and pixels downstream.
    QTest::newRow("BT 1e17") << "BT, 1e17" << false;
    QTest::newRow("BT 1e300") << "BT, 1e300" << false;
    QTest::newRow("BT 1e400") << "BT, 1e400" << false;
    QTest::newRow("BT 1e8") << "BT, 1e8" << false;
    QTest::newRow("BT a day") << "BT, 1440" << true;
    QTest::newRow("BT negative") << "BT, -2" << false;
    QTest::newRow("TD a day") << "TD, 24" << true;
    QTest::newRow("TD past a day") << "TD, 25" << false;
    QTest::newRow("TD 1e300") << "TD, 1e300" << false;
    QTest::newRow("MG 181") << "MG, 181" << false;
    QTest::newRow("LG 1e300") << "LG, 1e300" << false;
    QTest::newRow("WD 1e300") << "WD, 1e300" << false;
    QTest::newRow("MK off the globe") << "MK, 1e300, 8385" << false;
    QTest::newRow("LN off the globe") << "LN, 2130, 8385, 2130, 1e300" << false;
    QTest::newRow("LL 1e300") << "LL, 1e300,160" << false;
}

void TestRaceControlFile::numbersOutOfBounds()
{
    QFETCH(QString, line);
    QFETCH(bool, taken);
    RaceControl rc;
    FileProblems problems;
    {
        ProblemReporter reporter(&problems, "raceadmin/r.txt");
        parseRaceControl({line}, rc, &reporter);
    }
    QCOMPARE(problems.isEmpty(), taken);
    QCOMPARE(rc.KeptLines.isEmpty(), taken);
    if (!taken) {
        QCOMPARE(problems[0].kind, FileProblem::OutOfRange);
        QCOMPARE(problems[0].line, 1);
        QCOMPARE(rc.PreStartMinutes, 3.0);
        QCOMPARE(rc.TimeDifference, qint16(0));
        QCOMPARE(rc.markCount() + rc.lineCount(), 0);
    }
    // Whatever the file said, the derived times stay computable.
    rc.StartTime = platform::LocalDateTime::fromParts(2024, 7, 13, 10, 0, 0);
    updateDerivedTimes(rc);
    QVERIFY(rc.DisplayStart <= rc.StartTime);
    QVERIFY(rc.StartTime.secsTo(rc.DisplayStart) >= -qint64(MaxPreStartMinutes * 60 + 30));
}

void TestRaceControlFile::writeKeepsWhatTheReaderLeft()
{
    // Every kind of line the reader does not take, among lines it does, with two boats whose
    // GPS files are missing.
    const QStringList original = {
        "NOTE, 第3レース 風速注意",
        "T1, Spring Cup",
        "ST, 5/3/2008 10:30:00",
        "ST, 2008/05/03 10:30:00",
        "TD, 9h",
        "BN, one.trk, One",
        "BN, gone.trk, Gone",
        "; a comment line",
        "BN, two.trk, Two",
        "BN, away.trk, Away",
        "XY, 1, 2",
        "",
        "BN, , Nameless",
        "MK, 2130.5",
        "MK, 2130.5, 8385.25",
        "MK, abc, 8385",
        "BT, 1e300",
        "LL, 40,150",
        "AT, notice.html",
        "LANG,1",
    };
    touchTrack("one.trk");
    touchTrack("two.trk");
    writeRace("keep.txt", original);
    RaceControl rc;
    rc.FileName = "keep.txt";
    FileProblems problems;
    QVERIFY(ReadRaceControl(m_settings, rc, &problems));
    QCOMPARE(rc.boatCount(), 2);
    QCOMPARE(rc.Boats[1].Name, QStringLiteral("Two"));
    QCOMPARE(rc.StartTime.toString(), QStringLiteral("2008/05/03 10:30:00"));
    QCOMPARE(rc.markCount(), 1);
    QList<int> problemLines;
    for (const FileProblem &p : problems)
        problemLines << p.line;
    QCOMPARE(problemLines, (QList<int>{3, 5, 8, 11, 13, 14, 16, 17, 20, 7, 10}));

    // The writer's own lines in their order and forms; every other line verbatim after the line
    // it followed.
    const QStringList expected = {
        "NOTE, 第3レース 風速注意",
        "T1, Spring Cup",
        "ST, 5/3/2008 10:30:00",
        "LG,  4.7",
        "ST, 2008/05/03 10:30:00",
        "TD, 9h",
        "BN, one.trk, One",
        "BN, gone.trk, Gone",
        "; a comment line",
        "BN, two.trk, Two",
        "BN, away.trk, Away",
        "XY, 1, 2",
        "",
        "BN, , Nameless",
        "MK, 2130.5",
        "MK, 2130.5, 8385.25",
        "MK, abc, 8385",
        "BT, 1e300",
        "LL, 40,150",
        "BT, 3",
        "AT, notice.html",
        "LANG,1",
    };
    QVERIFY(WriteRaceControl(m_settings, rc));
    const QString path = QDir(appFolder()).filePath("raceadmin/keep.txt");
    QCOMPARE(platform::readTextFile(path).lines, expected);

    // A later change writes again: the new mark goes after the mark there was and the lines
    // that followed it, and nothing else moves; read back, the race is the same.
    rc.Marks.append({2131.0, 8386.0});
    rc.Course.Entries = {"MK1", "MK2"};
    QVERIFY(WriteRaceControl(m_settings, rc));
    QStringList second = expected;
    second.insert(second.indexOf("BT, 1e300") + 1, "MK, 2131, 8386");
    second.insert(second.indexOf("MK, 2131, 8386") + 1, "CRS, MK1, MK2");
    QCOMPARE(platform::readTextFile(path).lines, second);
    RaceControl again;
    again.FileName = "keep.txt";
    QVERIFY(ReadRaceControl(m_settings, again));
    QCOMPARE(again.markCount(), 2);
    QCOMPARE(again.boatCount(), 2);
    QVERIFY(WriteRaceControl(m_settings, again));
    QCOMPARE(platform::readTextFile(path).lines, second);

    // Once the missing GPS files are back, so are their boats, in their places.
    touchTrack("gone.trk");
    touchTrack("away.trk");
    QVERIFY(ReadRaceControl(m_settings, again));
    QCOMPARE(again.boatCount(), 4);
    QCOMPARE(again.Boats[1].Name, QStringLiteral("Gone"));
    QCOMPARE(again.Boats[3].Name, QStringLiteral("Away"));
}

void TestRaceControlFile::boundsRefuseExtraElements()
{
    QStringList lines;
    for (int i = 1; i <= 51; ++i)
        lines << QStringLiteral("BN, b%1.trk, Boat %1").arg(i);
    for (int i = 1; i <= 31; ++i)
        lines << QStringLiteral("MK, %1, 8385").arg(2100 + i);
    for (int i = 1; i <= 11; ++i)
        lines << QStringLiteral("LN, %1, 8385, %1, 8386").arg(2100 + i);
    for (int i = 1; i <= 51; ++i)
        lines << QStringLiteral("AT, a%1.html").arg(i);
    QString crs = "CRS";
    for (int i = 1; i <= 51; ++i)
        crs += QStringLiteral(", MK%1").arg(i);
    lines << "AT, after.html" << crs;
    RaceControl rc;
    FileProblems problems;
    {
        ProblemReporter reporter(&problems, "raceadmin/r.txt");
        parseRaceControl(lines, rc, &reporter);
    }
    QCOMPARE(rc.boatCount(), MaxBoats);
    QCOMPARE(rc.Boats.last().Name, QStringLiteral("Boat 50"));
    QCOMPARE(rc.markCount(), MaxMarks);
    QCOMPARE(rc.lineCount(), MaxLines);
    QCOMPARE(rc.Attachments.size(), MaxAttachments);
    QCOMPARE(rc.Course.Count(), MaxCourseEntries);
    // Each bound is told once, at the first line past it; "AT, after.html" is counted only.
    QCOMPARE(problems.size(), 6);
    QCOMPARE(problems[4].kind, FileProblem::TooManyCourseEntries);
    QCOMPARE(problems[4].line, lines.size());
    QCOMPARE(problems.last().kind, FileProblem::MoreProblems);
    QCOMPARE(problems.last().value, QStringLiteral("1"));

    // Nothing past the bounds is lost: the lines come back as they were, and the course entries
    // past the 50th after the course while it stays as it was read.
    const QStringList written = formatRaceControl(rc);
    QCOMPARE(written.filter(QRegularExpression("^BN, ")).last(), QStringLiteral("BN, b51.trk, Boat 51"));
    QVERIFY(written.contains(crs));
    QCOMPARE(written.last(), QStringLiteral("AT, after.html"));
    RaceControl again;
    parseRaceControl(written, again);
    QCOMPARE(formatRaceControl(again), written);
    again.Course.Entries.removeLast();
    QVERIFY(!formatRaceControl(again).join('|').contains("MK51"));
}

// A line past a bound that stood after another record (an eleventh LN after a BN) is written
// after the last line of its kind, not among the others: read again, it is still the one left
// out, so a race written twice stays the same (found by the fuzzer).
void TestRaceControlFile::linesPastABoundStayPastIt()
{
    QStringList lines;
    for (int i = 1; i <= MaxLines; ++i)
        lines << QStringLiteral("LN, %1, 8385, %1, 8386").arg(2100 + i);
    lines << "BN, a.trk, A" << "LN, 2000, 8000, 2000, 8001" << "MK, 2100, 8385";
    RaceControl rc;
    parseRaceControl(lines, rc);
    QCOMPARE(rc.lineCount(), MaxLines);
    const QStringList once = formatRaceControl(rc);
    const QStringList lns = once.filter(QRegularExpression("^LN, "));
    QCOMPARE(lns.size(), MaxLines + 1);
    QCOMPARE(lns.last(), QStringLiteral("LN, 2000, 8000, 2000, 8001"));
    RaceControl again;
    parseRaceControl(once, again);
    QCOMPARE(again.Lines.first().Lat1, 2101.0);
    QCOMPARE(formatRaceControl(again), once);

    // A line the reader cannot take stays after the line before it, even where the lines that
    // came after it in the file, written before it, fill the bound.
    lines.clear();
    for (int i = 1; i <= MaxLines; ++i) {
        lines << QStringLiteral("LN, %1, 8385, %1, 8386").arg(2100 + i);
        if (i == MaxLines / 2)
            lines << "CRS, L1" << "LN, 2000, 8000, x, 8001";
    }
    parseRaceControl(lines, rc);
    const QStringList first = formatRaceControl(rc);
    QCOMPARE(first.indexOf("LN, 2000, 8000, x, 8001"), first.indexOf("CRS, L1") + 1);
    parseRaceControl(first, again);
    QCOMPARE(formatRaceControl(again), first);
}

void TestRaceControlFile::derivedTimes()
{
    writeRace("r.txt", {"ST, 2008/05/03 10:30:00", "FT, 2008/05/03 11:30:30", "BT, 5", "WD, 200"});
    RaceControl rc;
    rc.FileName = "r.txt";
    QVERIFY(ReadRaceControl(m_settings, rc));
    QCOMPARE(rc.DisplayStart.toString(), QStringLiteral("2008/05/03 10:24:30"));
    QCOMPARE(rc.DisplayEnd.toString(), QStringLiteral("2008/05/03 11:30:30"));
    QCOMPARE(rc.RaceDuration, qint64(3630));
    QCOMPARE(rc.ChartRotation, 200.0);
    writeRace("r.txt", {"ST, 2008/05/03 10:30:00", "NU, 1", "WD, 200"});
    QVERIFY(ReadRaceControl(m_settings, rc));
    QCOMPARE(rc.ChartRotation, 0.0);
    QCOMPARE(rc.RaceDuration, qint64(0));
    QVERIFY(rc.DisplayEnd.isNull());
}

void TestRaceControlFile::unreadableAndUnwritable()
{
    RaceControl rc;
    rc.FileName = "absent.txt";
    QVERIFY(!ReadRaceControl(m_settings, rc));
    QCOMPARE(m_dialogs.messages().size(), 1);
    QVERIFY(m_dialogs.messages().first().contains("absent.txt"));

    m_dialogs.shown.clear();
    rc.FileName.clear();
    QVERIFY(WriteRaceControl(m_settings, rc)); // nothing to do
    QVERIFY(m_dialogs.shown.isEmpty());

    // A folder in the way of the file: the write fails, says so, and the folder stays.
    QDir(appFolder()).mkpath("raceadmin/busy.txt");
    rc.FileName = "busy.txt";
    QVERIFY(!WriteRaceControl(m_settings, rc));
    QCOMPARE(m_dialogs.messages().size(), 1);
    QVERIFY(m_dialogs.messages().first().contains("busy.txt"));
}

void TestRaceControlFile::palette_data()
{
    QTest::addColumn<int>("boat");
    QTest::addColumn<int>("sameAs");
    QTest::newRow("16") << 16 << 1;
    QTest::newRow("30") << 30 << 15;
    QTest::newRow("31") << 31 << 1;
    QTest::newRow("45") << 45 << 15;
    QTest::newRow("46") << 46 << 1;
    QTest::newRow("50") << 50 << 5;
}

void TestRaceControlFile::palette()
{
    QFETCH(int, boat);
    QFETCH(int, sameAs);
    QCOMPARE(boatColour(boat), boatColour(sameAs));
    QCOMPARE(boatColour(1), rgb(255, 0, 0));
    QCOMPARE(boatColour(10), rgb(96, 96, 0));
    QCOMPARE(boatColour(5), rgb(128, 0, 128));
}

void TestRaceControlFile::companionFiles()
{
    QCOMPARE(readInterfaceLanguage(appFolder()), UiLanguage::Japanese);
    QCOMPARE(readStartupRaceFile(appFolder()), QString());
    const QString ver = QDir(appFolder()).filePath("raceadmin/Ver.00");
    QVERIFY(platform::writeTextFile(ver, {"LANG 1"}));
    QCOMPARE(readInterfaceLanguage(appFolder()), UiLanguage::Japanese);
    QVERIFY(writeLanguageFile(appFolder(), 1));
    QCOMPARE(readInterfaceLanguage(appFolder()), UiLanguage::English);
    // Greater than 0 is English, whatever the size of the number.
    const QList<std::pair<const char *, UiLanguage>> values = {
        {"LANG,2", UiLanguage::English},     {"LANG,0.5", UiLanguage::English},
        {"LANG,1e10", UiLanguage::English},  {"LANG,1e400", UiLanguage::Japanese},
        {"LANG,0", UiLanguage::Japanese},    {"LANG,-1", UiLanguage::Japanese},
        {"LANG,abc", UiLanguage::Japanese},
    };
    for (const auto &[line, language] : values) {
        QVERIFY(platform::writeTextFile(ver, {QString::fromLatin1(line)}));
        QVERIFY2(readInterfaceLanguage(appFolder()) == language, line);
    }

    QVERIFY(platform::writeTextFile(QDir(appFolder()).filePath("raceadmin/RACEFILE.ST"), {" \"race 1.txt\" , x"}));
    QCOMPARE(readStartupRaceFile(appFolder()), QStringLiteral("race 1.txt"));
}

QTEST_GUILESS_MAIN(TestRaceControlFile)
#include "testracecontrolfile.moc"
