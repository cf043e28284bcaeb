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
    void boundsRefuseExtraElements();
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
    QStringList warnings;
    parseRaceControl(original, first, &warnings);
    QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join("; ")));
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
    QVERIFY(ReadRaceControl(m_settings, rc));
    QCOMPARE(m_dialogs.messages(),
             QStringList{"GPSfile -- two.trk -- could not be found\r\nThis boat will be ignored"});
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
    QTest::addColumn<bool>("warned");
    QTest::newRow("no comma") << "BN a.trk Boat" << 0 << 0 << 0 << true;
    QTest::newRow("blank line") << "   " << 0 << 0 << 0 << false;
    QTest::newRow("unknown key") << "NOTE, hello" << 0 << 0 << 0 << false;
    QTest::newRow("key case matters") << "bn, a.trk, A" << 0 << 0 << 0 << false;
    QTest::newRow("BN without name") << "BN, a.b.trk" << 1 << 0 << 0 << true;
    QTest::newRow("BN without file") << "BN, , Name" << 0 << 0 << 0 << true;
    QTest::newRow("MK one value") << "MK, 2130" << 0 << 0 << 0 << true;
    QTest::newRow("MK text") << "MK, abc, def" << 0 << 1 << 0 << false;
    QTest::newRow("LN three values") << "LN, 1, 2, 3" << 0 << 0 << 0 << true;
    QTest::newRow("LN extra value") << "LN, 1, 2, 3, 4, 5" << 0 << 0 << 1 << false;
    QTest::newRow("TD text") << "TD, nine" << 0 << 0 << 0 << true;
    QTest::newRow("ST garbage") << "ST, 2008/02/31 10:00:00" << 0 << 0 << 0 << true;
    QTest::newRow("binary") << QString::fromLatin1("\x01\x02,\xff\xfe") << 0 << 0 << 0 << false;
}

void TestRaceControlFile::badLines()
{
    QFETCH(QString, line);
    QFETCH(int, boats);
    QFETCH(int, marks);
    QFETCH(int, lines);
    QFETCH(bool, warned);
    RaceControl rc;
    QStringList warnings;
    parseRaceControl({"T1, before", line, "T2, after"}, rc, &warnings);
    QCOMPARE(rc.boatCount(), boats);
    QCOMPARE(rc.markCount(), marks);
    QCOMPARE(rc.lineCount(), lines);
    QCOMPARE(!warnings.isEmpty(), warned);
    if (warned)
        QVERIFY(warnings.first().startsWith("line 2:"));
    // The lines around a bad one are read.
    QCOMPARE(rc.Title1, QStringLiteral("before"));
    QCOMPARE(rc.Title2, QStringLiteral("after"));
    if (line.startsWith("BN, a.b"))
        QCOMPARE(rc.Boats[0].Name, QStringLiteral("a"));
    if (line.startsWith("TD"))
        QCOMPARE(rc.TimeDifference, qint16(0));
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
    lines << crs;
    RaceControl rc;
    QStringList warnings;
    parseRaceControl(lines, rc, &warnings);
    QCOMPARE(rc.boatCount(), MaxBoats);
    QCOMPARE(rc.Boats.last().Name, QStringLiteral("Boat 50"));
    QCOMPARE(rc.markCount(), MaxMarks);
    QCOMPARE(rc.lineCount(), MaxLines);
    QCOMPARE(rc.Attachments.size(), MaxAttachments);
    QCOMPARE(rc.Course.Count(), MaxCourseEntries);
    QCOMPARE(warnings.size(), 5);
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
    QCOMPARE(readLanguageValue(appFolder()), 0);
    QCOMPARE(readStartupRaceFile(appFolder()), QString());
    const QString ver = QDir(appFolder()).filePath("raceadmin/Ver.00");
    QVERIFY(platform::writeTextFile(ver, {"LANG 1"}));
    QCOMPARE(readLanguageValue(appFolder()), 0);
    QVERIFY(writeLanguageFile(appFolder(), 1));
    QCOMPARE(readLanguageValue(appFolder()), 1);

    QVERIFY(platform::writeTextFile(QDir(appFolder()).filePath("raceadmin/RACEFILE.ST"), {" \"race 1.txt\" , x"}));
    QCOMPARE(readStartupRaceFile(appFolder()), QStringLiteral("race 1.txt"));
}

QTEST_GUILESS_MAIN(TestRaceControlFile)
#include "testracecontrolfile.moc"
