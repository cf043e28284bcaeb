// What the race control file editor computes, without its window: the scan of the first track
// for the time difference and the default times, the boxes and when they are taken back, the
// boats, the editor's reading, the writes of wind file and attachments, and the save.
#include "editorfixture.h"

#include <appsettings.h>
#include <dialogs.h>
#include <fileselect.h>
#include <racecontrol.h>
#include <raceeditor.h>

#include <memory>

using platform::LocalDateTime;
using platform::ScriptedDialogs;

class TestRaceEditor : public QObject
{
    Q_OBJECT

    std::unique_ptr<EditorFolder> m_app;
    AppSettings m_settings;
    RaceControl m_race;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<platform::DialogsGuard> m_guard;

    // A track of three records: 01:30:00, 02:00:00 and 04:10:00 UTC on 3 March 2008, the first
    // in the month-name date form.
    void writeDayTrack(const QString &name, const QString &lon) const
    {
        m_app->writeTrack(name, QStringLiteral("N3518.00000"), lon,
                          {{QStringLiteral("03-MAR-08"), QStringLiteral("01:30:00")},
                           {QStringLiteral("2008/03/03"), QStringLiteral("02:00:00")},
                           {QStringLiteral("2008/03/03"), QStringLiteral("04:10:00")}});
    }

private slots:
    void init();
    void cleanup();

    void openingKeepsTheRaceButItsBoats();
    void timeDifferenceFromTheFirstRecord_data();
    void timeDifferenceFromTheFirstRecord();
    void startAndFinishFromTheFirstAndLastRecords_data();
    void startAndFinishFromTheFirstAndLastRecords();
    void onlyTheFirstBoatIsScannedAndSetTimesStay();
    void noRecordLeavesTheTimesEmpty();
    void longRecordsAreRead();
    void boxesTakenBackAtEveryChange_data();
    void boxesTakenBackAtEveryChange();
    void boxesTakenBackOnSave();
    void saveChecksTheTimes_data();
    void saveChecksTheTimes();
    void addingAndRemovingBoats();
    void editorReading();
    void windFileAndAttachmentsWriteOnlyALoadedFile();
    void selectionParameters();
    void saveWritesTheRaceControlFile();
};

void TestRaceEditor::init()
{
    m_app = std::make_unique<EditorFolder>();
    m_settings = AppSettings();
    m_settings.ApplicationFolder = m_app->path();
    m_settings.setLanguage(UiLanguage::English);
    m_race = RaceControl();
    m_dialogs = std::make_unique<ScriptedDialogs>();
    m_guard = std::make_unique<platform::DialogsGuard>(m_dialogs.get());
    fileSelectParameters() = FileSelectParameters();
}

void TestRaceEditor::cleanup()
{
    m_guard.reset();
    m_app.reset();
}

void TestRaceEditor::openingKeepsTheRaceButItsBoats()
{
    m_race.FileName = QStringLiteral("last.txt");
    m_race.Title1 = QStringLiteral("Spring Cup");
    m_race.PreStartMinutes = 5;
    m_race.Boats = {{QStringLiteral("a.trk"), QStringLiteral("A")}};
    m_race.MagneticVariation = 3;
    m_race.LayLineUp = 40;
    RaceEditor editor(m_settings, m_race);
    // The design values until the first refresh.
    QCOMPARE(editor.box(EditorBox::Text6), QStringLiteral("-7"));
    QCOMPARE(editor.box(EditorBox::Text5), QStringLiteral("4.7"));
    QCOMPARE(editor.box(EditorBox::Text12), QStringLiteral("3"));
    QCOMPARE(editor.box(EditorBox::Text10), QStringLiteral("160"));
    QCOMPARE(editor.box(EditorBox::Text9), QStringLiteral("45"));
    QVERIFY(editor.box(EditorBox::Text7).isEmpty());
    editor.open(-5);
    QCOMPARE(m_race.TimeDifference, qint16(-5));
    QCOMPARE(editor.box(EditorBox::Text3), QStringLiteral("-5"));
    QCOMPARE(m_race.boatCount(), 0);
    QCOMPARE(m_race.MagneticVariation, -7.0);
    QCOMPARE(m_race.LayLineUp, 45.0);
    QCOMPARE(m_race.LayLineDown, 160.0);
    QCOMPARE(m_race.BoatLength, 4.7f);
    QVERIFY(!editor.canEditAsText());
    // The rest of the race stays and shows at the first refresh.
    editor.refresh();
    QCOMPARE(editor.caption(), QStringLiteral("Edit Race Control FIle   last.txt"));
    QCOMPARE(editor.box(EditorBox::Text7), QStringLiteral("Spring Cup"));
    QCOMPARE(editor.box(EditorBox::Text12), QStringLiteral("5"));
    QVERIFY(editor.boatLines().isEmpty());
}

void TestRaceEditor::timeDifferenceFromTheFirstRecord_data()
{
    QTest::addColumn<QString>("lon");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<int>("hours");
    QTest::newRow("E13945.1234") << "E13945.1234" << "DM" << 9;
    QTest::newRow("W07400.0000") << "W07400.0000" << "DM" << -5;
    QTest::newRow("west as a sign") << "-07400.0000" << "DM" << -5;
    QTest::newRow("no decimal point") << "E13945" << "DM" << 9;
    QTest::newRow("decimal degrees") << "E139.7520" << "DEG" << 9;
    QTest::newRow("a half rounds up") << "W00730.0000" << "DM" << 0;
    QTest::newRow("just below a half") << "E00729.0000" << "DM" << 0;
    QTest::newRow("east a half") << "E00730.0000" << "DM" << 1;
}

void TestRaceEditor::timeDifferenceFromTheFirstRecord()
{
    QFETCH(QString, lon);
    QFETCH(QString, unit);
    QFETCH(int, hours);
    const QString lat = unit == QLatin1String("DEG") ? QStringLiteral("N35.3000") : QStringLiteral("N3518.00000");
    m_app->writeTrack(QStringLiteral("a.trk"), lat, lon, {{QStringLiteral("2008/03/03"), QStringLiteral("01:30:00")}},
                      unit);
    RaceEditor editor(m_settings, m_race);
    editor.open(0);
    QCOMPARE(editor.addBoat(QStringLiteral("a.trk"), QStringLiteral("BOAT1")), RaceEditor::AddResult::Added);
    const auto scan = editor.refresh();
    QVERIFY(scan && scan->found);
    QCOMPARE(int(m_race.TimeDifference), hours);
    QCOMPARE(editor.box(EditorBox::Text3), QString::number(hours));
}

void TestRaceEditor::startAndFinishFromTheFirstAndLastRecords_data()
{
    QTest::addColumn<QString>("lon");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("finish");
    QTest::newRow("east, 9 hours") << "E13945.1234" << "2008/03/03 10:34:00" << "2008/03/03 13:10:00";
    QTest::newRow("west, the day before") << "W07400.0000" << "2008/03/02 20:34:00" << "2008/03/02 23:10:00";
}

void TestRaceEditor::startAndFinishFromTheFirstAndLastRecords()
{
    QFETCH(QString, lon);
    QFETCH(QString, start);
    QFETCH(QString, finish);
    writeDayTrack(QStringLiteral("a.trk"), lon);
    RaceEditor editor(m_settings, m_race);
    editor.open(0);
    editor.addBoat(QStringLiteral("a.trk"), QStringLiteral("BOAT1"));
    editor.refresh();
    QCOMPARE(m_race.StartTime.toString(), start);
    QCOMPARE(m_race.FinishTime.toString(), finish);
    QCOMPARE(m_race.DisplayEnd, m_race.FinishTime);
    QCOMPARE(editor.box(EditorBox::Text1), start);
    QCOMPARE(editor.box(EditorBox::Text2), finish);
    QCOMPARE(editor.boatLines(), QStringList{QStringLiteral("BOAT1        a.trk")});
}

void TestRaceEditor::onlyTheFirstBoatIsScannedAndSetTimesStay()
{
    writeDayTrack(QStringLiteral("a.trk"), QStringLiteral("W07400.0000"));
    writeDayTrack(QStringLiteral("b.trk"), QStringLiteral("E13945.1234"));
    RaceEditor editor(m_settings, m_race);
    // A computer in Japan: the time difference is not 0, so the longitude does not change it.
    editor.open(9);
    editor.addBoat(QStringLiteral("a.trk"), QStringLiteral("BOAT1"));
    QCOMPARE(editor.firstTrackPath(), m_app->file(QStringLiteral("gpsdat/a.trk")));
    editor.refresh();
    QCOMPARE(m_race.TimeDifference, qint16(9));
    QCOMPARE(m_race.StartTime.toString(), QStringLiteral("2008/03/03 10:34:00"));

    // Start and finish already set are never overwritten by the scan.
    m_race.StartTime = LocalDateTime::parse(u"2008/03/03 11:00:00");
    m_race.FinishTime = {};
    editor.refresh();
    QCOMPARE(m_race.StartTime.toString(), QStringLiteral("2008/03/03 11:00:00"));
    QCOMPARE(m_race.FinishTime.toString(), QStringLiteral("2008/03/03 13:10:00"));

    // The second boat ends the scans: an emptied finish stays empty.
    editor.addBoat(QStringLiteral("b.trk"), QStringLiteral("BOAT2"));
    QVERIFY(editor.firstTrackPath().isEmpty());
    m_race.FinishTime = {};
    QVERIFY(!editor.refresh());
    QVERIFY(m_race.FinishTime.isNull());
    QVERIFY(editor.box(EditorBox::Text2).isEmpty());
}

void TestRaceEditor::noRecordLeavesTheTimesEmpty()
{
    // A file of headers and short or unreadable records only.
    m_app->write(QStringLiteral("gpsdat/empty.trk"),
                 {QStringLiteral("H  header"), QStringLiteral("T  N3518.0 E13945.1 2008/03/03"),
                  QStringLiteral("T  N3518.0 E13945.1 2008/13/45 01:30:00 5")});
    RaceEditor editor(m_settings, m_race);
    editor.open(0);
    editor.addBoat(QStringLiteral("empty.trk"), QStringLiteral("BOAT1"));
    const auto scan = editor.refresh();
    QVERIFY(scan && !scan->found);
    QCOMPARE(scan->problems.size(), 2);
    QCOMPARE(scan->problems[0].line, 2);
    QCOMPARE(scan->problems[1].line, 3);
    QCOMPARE(scan->problems[0].file, QStringLiteral("gpsdat/empty.trk"));
    QCOMPARE(m_race.TimeDifference, qint16(0));
    QVERIFY(m_race.StartTime.isNull());
    QVERIFY(editor.box(EditorBox::Text1).isEmpty());
    QCOMPARE(editor.takeBoxesBack(), RaceEditor::SaveCheck::BadStart);
}

void TestRaceEditor::longRecordsAreRead()
{
    // Records of more than 50 items: the items past the 20th are not looked at.
    QString extra;
    for (int i = 0; i < 60; ++i)
        extra += QStringLiteral(" 7");
    m_app->write(QStringLiteral("gpsdat/long.trk"),
                 {QStringLiteral("T  N3518.00000 W07400.0000 2008/03/03 01:30:00") + extra,
                  QStringLiteral("T  N3518.00000 W07400.0000 2008/03/03 04:10:00") + extra});
    const TrackScan scan = scanTrackFile(m_app->file(QStringLiteral("gpsdat/long.trk")));
    QVERIFY(scan.found);
    QVERIFY(scan.problems.isEmpty());
    QCOMPARE(scan.first.toString(), QStringLiteral("2008/03/03 01:30:00"));
    QCOMPARE(scan.last.toString(), QStringLiteral("2008/03/03 04:10:00"));
    QCOMPARE(scan.firstLonMinutes, -4440.0);
    QCOMPARE(timeDifferenceForLongitude(scan.firstLonMinutes), qint16(-5));
}

void TestRaceEditor::boxesTakenBackAtEveryChange_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("field");
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("taken");
    const int td = int(EditorBox::Text3);
    QTest::newRow("time difference") << td << "-5" << "TD" << -5.0 << true;
    QTest::newRow("time difference with blanks") << td << " 10 " << "TD" << 10.0 << true;
    QTest::newRow("time difference 9.5 rounds to even") << td << "9.5" << "TD" << 10.0 << true;
    QTest::newRow("time difference 8.5 rounds to even") << td << "8.5" << "TD" << 8.0 << true;
    QTest::newRow("time difference at the bound") << td << "-24" << "TD" << -24.0 << true;
    QTest::newRow("time difference past the bound") << td << "25" << "TD" << 3.0 << false;
    QTest::newRow("time difference emptied") << td << "" << "TD" << 3.0 << false;
    QTest::newRow("time difference minus alone") << td << "-" << "TD" << 3.0 << false;
    QTest::newRow("time difference with letters") << td << "9h" << "TD" << 3.0 << false;
    QTest::newRow("wind direction") << int(EditorBox::Text4) << "215deg" << "WD" << 215.0 << true;
    QTest::newRow("shown wind direction") << int(EditorBox::Text4) << "215" << "shownWD" << 215.0 << true;
    QTest::newRow("magnetic variation") << int(EditorBox::Text6) << "-6.5" << "MG" << -6.5 << true;
    QTest::newRow("lay line up") << int(EditorBox::Text9) << "42" << "UP" << 42.0 << true;
    QTest::newRow("lay line down") << int(EditorBox::Text10) << "150" << "DN" << 150.0 << true;
    QTest::newRow("LOA waits for the save") << int(EditorBox::Text5) << "8" << "LG" << 4.7 << true;
    QTest::newRow("pre-start waits for the save") << int(EditorBox::Text12) << "5" << "BT" << 3.0 << true;
}

void TestRaceEditor::boxesTakenBackAtEveryChange()
{
    QFETCH(int, box);
    QFETCH(QString, text);
    QFETCH(QString, field);
    QFETCH(double, value);
    QFETCH(bool, taken);
    RaceEditor editor(m_settings, m_race);
    editor.open(3);
    editor.edit(EditorBox(box), text);
    QCOMPARE(editor.box(EditorBox(box)), text);
    QCOMPARE(editor.timeDifferenceTaken(), taken);
    const QHash<QString, double> fields{
        {QStringLiteral("TD"), m_race.TimeDifference},       {QStringLiteral("WD"), m_race.WindDirection},
        {QStringLiteral("shownWD"), m_race.ShownWindDirection}, {QStringLiteral("MG"), m_race.MagneticVariation},
        {QStringLiteral("UP"), m_race.LayLineUp},            {QStringLiteral("DN"), m_race.LayLineDown},
        {QStringLiteral("LG"), m_race.BoatLength},           {QStringLiteral("BT"), m_race.PreStartMinutes},
    };
    QCOMPARE(float(fields.value(field)), float(value));
}

void TestRaceEditor::boxesTakenBackOnSave()
{
    RaceEditor editor(m_settings, m_race);
    editor.open(9);
    QCOMPARE(editor.takeBoxesBack(), RaceEditor::SaveCheck::NoBoats);
    editor.addBoat(QStringLiteral("a.trk"), QStringLiteral("BOAT1"));
    editor.edit(EditorBox::Text1, QStringLiteral("2008/3/3 10:34"));
    editor.edit(EditorBox::Text2, QStringLiteral(" 2008/03/03 13:10:00 "));
    editor.edit(EditorBox::Text5, QStringLiteral("5.5m"));
    editor.edit(EditorBox::Text6, QStringLiteral("-8"));
    editor.edit(EditorBox::Text7, QStringLiteral("Spring Cup "));
    editor.edit(EditorBox::Text8, QStringLiteral("Race 2"));
    editor.edit(EditorBox::Text12, QStringLiteral("5"));
    QCOMPARE(editor.takeBoxesBack(), RaceEditor::SaveCheck::Ready);
    QCOMPARE(m_race.StartTime.toString(), QStringLiteral("2008/03/03 10:34:00"));
    QCOMPARE(m_race.FinishTime.toString(), QStringLiteral("2008/03/03 13:10:00"));
    QCOMPARE(m_race.BoatLength, 5.5f);
    QCOMPARE(m_race.MagneticVariation, -8.0);
    QCOMPARE(m_race.Title1, QStringLiteral("Spring Cup"));
    QCOMPARE(m_race.Title2, QStringLiteral("Race 2"));
    QCOMPARE(m_race.PreStartMinutes, 5.0);
    QCOMPARE(m_race.PreStartSeconds, 300.0);
    QCOMPARE(m_race.RaceDuration, qint64(9360));
}

void TestRaceEditor::saveChecksTheTimes_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("finish");
    QTest::addColumn<int>("check");
    QTest::newRow("both") << "2008/03/03 10:34:00" << "2008/03/03 13:10:00" << int(RaceEditor::SaveCheck::Ready);
    QTest::newRow("dates alone") << "2008/03/03" << "2008/03/04" << int(RaceEditor::SaveCheck::Ready);
    QTest::newRow("empty start") << "" << "2008/03/03 13:10:00" << int(RaceEditor::SaveCheck::BadStart);
    QTest::newRow("start checked first") << "tomorrow" << "" << int(RaceEditor::SaveCheck::BadStart);
    QTest::newRow("empty finish") << "2008/03/03 10:34:00" << "" << int(RaceEditor::SaveCheck::BadFinish);
    QTest::newRow("impossible finish") << "2008/03/03 10:34:00" << "2008/02/30 13:10:00"
                                       << int(RaceEditor::SaveCheck::BadFinish);
    QTest::newRow("a time alone names no day") << "10:34:00" << "2008/03/03 13:10:00"
                                               << int(RaceEditor::SaveCheck::BadStart);
}

void TestRaceEditor::saveChecksTheTimes()
{
    QFETCH(QString, start);
    QFETCH(QString, finish);
    QFETCH(int, check);
    const LocalDateTime before = LocalDateTime::parse(u"2007/01/01 09:00:00");
    m_race.FinishTime = before;
    RaceEditor editor(m_settings, m_race);
    editor.open(9);
    editor.addBoat(QStringLiteral("a.trk"), QStringLiteral("BOAT1"));
    editor.edit(EditorBox::Text1, start);
    editor.edit(EditorBox::Text2, finish);
    QCOMPARE(int(editor.takeBoxesBack()), check);
    // A box that holds no date-time leaves the race's time as it was.
    if (check == int(RaceEditor::SaveCheck::BadFinish))
        QCOMPARE(m_race.FinishTime, before);
}

void TestRaceEditor::addingAndRemovingBoats()
{
    RaceEditor editor(m_settings, m_race);
    editor.open(9);
    QCOMPARE(editor.defaultBoatName(), QStringLiteral("BOAT1"));
    QCOMPARE(editor.addBoat(QStringLiteral("a.trk"), std::nullopt), RaceEditor::AddResult::NoName);
    QCOMPARE(editor.addBoat(QStringLiteral("a.trk"), QString()), RaceEditor::AddResult::NoName);
    QCOMPARE(m_race.boatCount(), 0);
    QCOMPARE(editor.addBoat(QStringLiteral("a.trk"), QStringLiteral("Alpha")), RaceEditor::AddResult::Added);
    QCOMPARE(editor.defaultBoatName(), QStringLiteral("BOAT2"));
    // The name is kept as typed, whatever its length.
    const QString longName = QStringLiteral("A name of more than thirteen letters");
    editor.addBoat(QStringLiteral("b.trk"), longName);
    editor.addBoat(QStringLiteral("c.trk"), QStringLiteral("Gamma"));
    editor.refresh();
    QCOMPARE(editor.boatLines(), (QStringList{QStringLiteral("Alpha        a.trk"), longName + QStringLiteral("        b.trk"),
                                              QStringLiteral("Gamma        c.trk")}));

    QVERIFY(editor.removeBoat(0));
    QCOMPARE(m_race.boatCount(), 2);
    QCOMPARE(m_race.Boats[0].TrackFile, QStringLiteral("b.trk"));
    QCOMPARE(m_race.Boats[0].Name, longName);
    QCOMPARE(m_race.Boats[1].Name, QStringLiteral("Gamma"));
    QCOMPARE(m_race.Boats[1].colour, boatColour(2));
    QVERIFY(!editor.removeBoat(2));
    QVERIFY(!editor.removeBoat(-1));

    while (m_race.boatCount() < MaxBoats)
        QCOMPARE(editor.addBoat(QStringLiteral("x.trk"), editor.defaultBoatName()), RaceEditor::AddResult::Added);
    QCOMPARE(editor.defaultBoatName(), QStringLiteral("BOAT51"));
    QCOMPARE(editor.addBoat(QStringLiteral("x.trk"), QStringLiteral("BOAT51")), RaceEditor::AddResult::Full);
    QCOMPARE(m_race.boatCount(), MaxBoats);
}

void TestRaceEditor::editorReading()
{
    m_app->write(QStringLiteral("gpsdat/a.trk"), {QStringLiteral("H  header")});
    m_app->write(QStringLiteral("raceadmin/r1.txt"),
                 {QStringLiteral("T1, Spring Cup"), QStringLiteral("LG, 4.7m"), QStringLiteral("ST, 2008/03/03 10:30:00"),
                  QStringLiteral("FT, 2008/03/03 12:00:00"), QStringLiteral("TD, 9"), QStringLiteral("BN, a.trk, Alpha"),
                  QStringLiteral("BN, gone.trk, Beta"), QStringLiteral("AT, si.html")});
    m_race.WindDirection = 200.0f;
    m_race.BoatLength = 6.0f;
    RaceEditor editor(m_settings, m_race);
    editor.open(9);
    m_race.BoatLength = 6.0f;
    FileProblems warnings;
    QVERIFY(editor.loadRaceFile(QStringLiteral("r1.txt"), &warnings));
    QVERIFY(editor.canEditAsText());
    // The mean wind direction starts from 0; a boat length that is not a number is refused.
    QCOMPARE(m_race.WindDirection, 0.0f);
    QCOMPARE(m_race.BoatLength, 6.0f);
    // The reader itself takes "4.7m" by its leading number; the editor asks for a number.
    QCOMPARE(problemLines(warnings, UiLanguage::English).filter(QStringLiteral("raceadmin/r1.txt:2:")).size(), 1);
    QVERIFY(problemLines(warnings, UiLanguage::English).filter(QStringLiteral("raceadmin/r1.txt:2:")).first().contains(QStringLiteral("4.7m")));
    // The display window opens 5 minutes before the start.
    QCOMPARE(m_race.DisplayStart.toString(), QStringLiteral("2008/03/03 10:25:00"));
    // The race's checks: the missing track file is told and its boat dropped.
    QCOMPARE(m_race.boatCount(), 1);
    QCOMPARE(m_dialogs->messages().size(), 1);
    QVERIFY(m_dialogs->messages().first().contains(QStringLiteral("gone.trk")));
    editor.refresh();
    QCOMPARE(editor.caption(), QStringLiteral("Edit Race Control FIle   r1.txt"));
    QCOMPARE(editor.box(EditorBox::Text1), QStringLiteral("2008/03/03 10:30:00"));
    QCOMPARE(editor.box(EditorBox::Text5), QStringLiteral("6"));
    QCOMPARE(editor.attachmentLines(), QStringList{QStringLiteral("si.html")});
    QCOMPARE(editor.raceFilePath(), m_app->file(QStringLiteral("raceadmin/r1.txt")));

    // A readable length is taken; a file that cannot be read is told by the reader.
    m_app->write(QStringLiteral("raceadmin/r2.txt"), {QStringLiteral("LG, 8.5"), QStringLiteral("BN, a.trk, Alpha")});
    warnings.clear();
    QVERIFY(editor.loadRaceFile(QStringLiteral("r2.txt"), &warnings));
    QVERIFY(warnings.isEmpty());
    QCOMPARE(m_race.BoatLength, 8.5f);
    QVERIFY(!editor.loadRaceFile(QStringLiteral("none.txt"), &warnings));
    QVERIFY(!editor.canEditAsText());
}

void TestRaceEditor::windFileAndAttachmentsWriteOnlyALoadedFile()
{
    m_app->write(QStringLiteral("gpsdat/a.trk"), {QStringLiteral("H  header")});
    const QStringList old{QStringLiteral("ST, 2008/03/03 10:30:00"), QStringLiteral("BN, a.trk, Alpha"),
                          QStringLiteral("BN, a.trk, Beta")};
    m_app->write(QStringLiteral("raceadmin/old.txt"), old);
    const QByteArray oldBytes = m_app->read(QStringLiteral("raceadmin/old.txt"));
    // The race last shown is still named when the editor opens, but its boats are gone.
    m_race.FileName = QStringLiteral("old.txt");
    RaceEditor editor(m_settings, m_race);
    editor.open(9);
    editor.setWindFile(QStringLiteral("w.csv"));
    QCOMPARE(editor.addAttachment(QStringLiteral("si.html")), RaceEditor::AddResult::Added);
    editor.clearAttachments();
    QCOMPARE(m_app->read(QStringLiteral("raceadmin/old.txt")), oldBytes);

    QVERIFY(editor.loadRaceFile(QStringLiteral("old.txt"), nullptr));
    m_app->write(QStringLiteral("winddat/w.csv"), {QStringLiteral("TIME,SPEED,DIR")});
    editor.setWindFile(QStringLiteral("w.csv"));
    editor.addAttachment(QStringLiteral("si.html"));
    editor.addAttachment(QStringLiteral("map.pdf"));
    QByteArray text = m_app->read(QStringLiteral("raceadmin/old.txt"));
    QVERIFY(text.startsWith("WF, w.csv\r\n"));
    QVERIFY(text.endsWith("AT, si.html\r\nAT, map.pdf\r\n"));
    QVERIFY(text.contains("BN, a.trk, Beta\r\n"));
    editor.clearAttachments();
    editor.setWindFile(QString());
    text = m_app->read(QStringLiteral("raceadmin/old.txt"));
    QVERIFY(!text.contains("WF,"));
    QVERIFY(!text.contains("AT,"));

    while (m_race.Attachments.size() < MaxAttachments)
        editor.addAttachment(QStringLiteral("si.html"));
    QCOMPARE(editor.addAttachment(QStringLiteral("si.html")), RaceEditor::AddResult::Full);
    QCOMPARE(m_race.Attachments.size(), MaxAttachments);
}

void TestRaceEditor::selectionParameters()
{
    RaceEditor editor(m_settings, m_race);
    FileSelectParameters &p = fileSelectParameters();
    editor.prepareLoadSelection(p);
    QCOMPARE(p.Mode, FileSelectMode::Existing);
    QCOMPARE(p.Folder, m_app->file(QStringLiteral("raceadmin")));
    QCOMPARE(p.Extension, QStringLiteral("txt"));
    QCOMPARE(p.Text, QStringLiteral("*.*"));
    editor.prepareAttachmentSelection(p);
    QCOMPARE(p.Folder, m_app->file(QStringLiteral("attachment")));
    QCOMPARE(p.Extension, QStringLiteral("*.*"));
    // The wind file and the save set no initial text: the box starts with what the previous
    // use left.
    p.Text = QStringLiteral("left.txt");
    editor.prepareWindSelection(p);
    QCOMPARE(p.Mode, FileSelectMode::NewOrExisting);
    QCOMPARE(p.Folder, m_app->file(QStringLiteral("winddat")));
    QCOMPARE(p.Extension, QStringLiteral("csv"));
    QCOMPARE(p.Text, QStringLiteral("left.txt"));
    editor.prepareSaveSelection(p);
    QCOMPARE(p.Mode, FileSelectMode::NewOrExisting);
    QCOMPARE(p.Folder, m_app->file(QStringLiteral("raceadmin")));
    QCOMPARE(p.Extension, QStringLiteral("txt"));
    QCOMPARE(p.Text, QStringLiteral("left.txt"));
}

void TestRaceEditor::saveWritesTheRaceControlFile()
{
    writeDayTrack(QStringLiteral("a.trk"), QStringLiteral("E13945.1234"));
    writeDayTrack(QStringLiteral("b.trk"), QStringLiteral("E13945.1234"));
    RaceEditor editor(m_settings, m_race);
    editor.open(0);
    editor.addBoat(QStringLiteral("a.trk"), QStringLiteral("BOAT1"));
    editor.refresh();
    editor.addBoat(QStringLiteral("b.trk"), QStringLiteral("Tiger"));
    editor.refresh();
    editor.edit(EditorBox::Text4, QStringLiteral("210"));
    editor.edit(EditorBox::Text7, QStringLiteral("Spring Cup"));
    editor.setNorthUp(true);
    QCOMPARE(editor.takeBoxesBack(), RaceEditor::SaveCheck::Ready);
    QVERIFY(editor.saveAs(QStringLiteral("race1.txt")));
    QCOMPARE(m_race.FileName, QStringLiteral("race1.txt"));
    QCOMPARE(m_app->read(QStringLiteral("raceadmin/race1.txt")),
             QByteArray("T1, Spring Cup\r\n"
                        "MG, -7\r\n"
                        "LG,  4.7\r\n"
                        "ST, 2008/03/03 10:34:00\r\n"
                        "FT, 2008/03/03 13:10:00\r\n"
                        "TD,  9\r\n"
                        "WD,  210\r\n"
                        "NU, 1\r\n"
                        "BN, a.trk, BOAT1\r\n"
                        "BN, b.trk, Tiger\r\n"
                        "LL, 45,160\r\n"
                        "BT, 3\r\n"));
}

QTEST_GUILESS_MAIN(TestRaceEditor)
#include "testraceeditor.moc"
