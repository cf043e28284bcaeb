// The platform layer: numbers, date-times, CP932 text files, case-insensitive paths, dialogs, work
// on every core with results in order.
#include <appfolder.h>
#include <dialogs.h>
#include <localdatetime.h>
#include <numbers.h>
#include <orderedparallel.h>
#include <system.h>
#include <textfile.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include <sys/stat.h>

using platform::LocalDateTime;

class TestPlatform : public QObject
{
    Q_OBJECT

private slots:
    void leadingNumber_data();
    void leadingNumber();
    void roundTo_data();
    void roundTo();
    void foldAngle_data();
    void foldAngle();
    void formatNumber_data();
    void formatNumber();
    void roundHalfEven();

    void parseDateTime_data();
    void parseDateTime();
    void dateArithmetic();
    void minuteBoundaries_data();
    void minuteBoundaries();
    void immuneToTimeZone();
    void timeZoneHours();

    void cp932RoundTrip();
    void splitLines_data();
    void splitLines();
    void writeIsAtomicAndCrLf();
    void unreadableFileNamed();
    void pathKinds();
    void readUpToTheBound();

    void caseInsensitivePaths();
    void wildcardListing();

    void scriptedDialogs();
    void localeIds_data();
    void localeIds();

    void orderedParallelFor_data();
    void orderedParallelFor();
    void orderedParallelForRethrowsInOrder();
};

void TestPlatform::leadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("isNumber"); // readLeadingNumber gives a value
    QTest::newRow("integer") << "45" << 45.0 << true;
    QTest::newRow("blanks") << "   -7" << -7.0 << true;
    QTest::newRow("decimal") << " 4.7" << 4.7 << true;
    QTest::newRow("trailing text") << "12.5kt" << 12.5 << true;
    QTest::newRow("no leading zero") << ".5" << 0.5 << true;
    QTest::newRow("plus") << "+3" << 3.0 << true;
    QTest::newRow("exponent") << "1.5E3" << 1500.0 << true;
    QTest::newRow("bare exponent letter") << "2E" << 2.0 << true;
    QTest::newRow("text") << "abc" << 0.0 << false;
    QTest::newRow("empty") << "" << 0.0 << false;
    QTest::newRow("sign only") << "-" << 0.0 << false;
    QTest::newRow("point only") << "." << 0.0 << false;
    QTest::newRow("tab") << "\t8385.6789" << 8385.6789 << true;
    QTest::newRow("zero") << "0" << 0.0 << true;
    QTest::newRow("beyond a double") << "1e400" << 0.0 << false;
}

void TestPlatform::leadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(bool, isNumber);
    QCOMPARE(platform::leadingNumber(text), value);
    QCOMPARE(platform::readLeadingNumber(text).has_value(), isNumber);
}

void TestPlatform::roundTo_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<double>("expected");
    QTest::newRow("half up") << 10.25 << 1 << 10.3;
    QTest::newRow("negative half goes up") << -2.5 << 0 << -2.0;
    QTest::newRow("negative") << -2.56 << 1 << -2.6;
    QTest::newRow("two decimals") << 3.14159 << 2 << 3.14;
    QTest::newRow("whole") << 7.5 << 0 << 8.0;
}

void TestPlatform::roundTo()
{
    QFETCH(double, x);
    QFETCH(int, decimals);
    QFETCH(double, expected);
    QVERIFY(qFuzzyCompare(platform::roundTo(x, decimals) + 1.0, expected + 1.0));
}

void TestPlatform::foldAngle_data()
{
    QTest::addColumn<double>("in");
    QTest::addColumn<double>("out");
    QTest::newRow("inside") << 100.0 << 100.0;
    QTest::newRow("limit") << 180.0 << 180.0;
    QTest::newRow("just past") << 181.0 << -179.0;
    QTest::newRow("negative past") << -190.0 << 170.0;
    QTest::newRow("minus limit") << -180.0 << -180.0;
}

void TestPlatform::foldAngle()
{
    QFETCH(double, in);
    QFETCH(double, out);
    QCOMPARE(platform::foldAngle(in), out);
}

void TestPlatform::formatNumber_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("digits");
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("withSign");
    QTest::newRow("negative int") << -7.0 << 15 << "-7" << "-7";
    QTest::newRow("single 4.7") << double(4.7f) << 7 << "4.7" << " 4.7";
    QTest::newRow("minutes") << 2130.12345 << 15 << "2130.12345" << " 2130.12345";
    QTest::newRow("zero") << 0.0 << 15 << "0" << " 0";
    QTest::newRow("small") << 0.5 << 15 << "0.5" << " 0.5";
    QTest::newRow("tiny") << 0.00001 << 15 << "0.00001" << " 0.00001";
    QTest::newRow("west") << -8385.508333333333 << 15 << "-8385.50833333333" << "-8385.50833333333";
}

void TestPlatform::formatNumber()
{
    QFETCH(double, x);
    QFETCH(int, digits);
    QFETCH(QString, plain);
    QFETCH(QString, withSign);
    QCOMPARE(platform::formatNumber(x, digits), plain);
    QCOMPARE(platform::formatSignedNumber(x, digits), withSign);
    QCOMPARE(platform::leadingNumber(plain), platform::leadingNumber(QString::number(x, 'g', digits)));
}

void TestPlatform::roundHalfEven()
{
    QCOMPARE(platform::roundHalfEven(8.5), 8);
    QCOMPARE(platform::roundHalfEven(9.5), 10);
    QCOMPARE(platform::roundHalfEven(-5.5), -6);
    QCOMPARE(platform::roundHalfEven(9.4), 9);
}

void TestPlatform::parseDateTime_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected"); // empty: not a date-time
    QTest::newRow("file form") << "2008/05/03 10:30:00" << "2008/05/03 10:30:00";
    QTest::newRow("short parts") << "2008/5/3 9:05" << "2008/05/03 09:05:00";
    QTest::newRow("dashes") << "2008-05-03 10:30:00" << "2008/05/03 10:30:00";
    QTest::newRow("iso T") << "2008-05-03T10:30:00" << "2008/05/03 10:30:00";
    QTest::newRow("date only") << "2008/03/03" << "2008/03/03 00:00:00";
    QTest::newRow("month name") << "03-MAR-2008" << "2008/03/03 00:00:00";
    QTest::newRow("month name lower") << "3-mar-2008 01:30:00" << "2008/03/03 01:30:00";
    QTest::newRow("month name slash") << "03/MAR/2008" << "2008/03/03 00:00:00";
    QTest::newRow("blanks around") << "  2008/05/03 10:30:00  " << "2008/05/03 10:30:00";
    QTest::newRow("leap day") << "2008/02/29 00:00:00" << "2008/02/29 00:00:00";
    QTest::newRow("month 13") << "2008/13/03 10:30:00" << "";
    QTest::newRow("31 february") << "2008/02/31 10:30:00" << "";
    QTest::newRow("29 february 2007") << "2007/02/29" << "";
    QTest::newRow("hour 24") << "2008/05/03 24:00:00" << "";
    QTest::newRow("minute 60") << "2008/05/03 10:60:00" << "";
    QTest::newRow("unknown month") << "03-XYZ-2008" << "";
    QTest::newRow("two digit year") << "03-MAR-08" << "";
    QTest::newRow("garbage") << "hello" << "";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("time only") << "10:30:00" << "";
}

void TestPlatform::parseDateTime()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const LocalDateTime t = LocalDateTime::parse(text);
    QCOMPARE(t.toString(), expected);
    QCOMPARE(t.isNull(), expected.isEmpty());
}

void TestPlatform::dateArithmetic()
{
    const LocalDateTime t = LocalDateTime::parse(u"2008/03/03 23:59:30");
    QCOMPARE(t.addSecs(45).toString(), QStringLiteral("2008/03/04 00:00:15"));
    QCOMPARE(t.addSecs(-86400).toString(), QStringLiteral("2008/03/02 23:59:30"));
    QCOMPARE(t.addDays(1).dateText(), QStringLiteral("2008/03/04"));
    QCOMPARE(LocalDateTime::parse(u"2008/12/31 12:00:00").addDays(1).dateText(), QStringLiteral("2009/01/01"));
    QCOMPARE(LocalDateTime::parse(u"2008/03/01 00:00:00").addDays(-1).dateText(), QStringLiteral("2008/02/29"));
    QCOMPARE(t.secsTo(t.addSecs(-240)), qint64(-240));
    QVERIFY(t < t.addSecs(1));
    QVERIFY(LocalDateTime() < t);
    QCOMPARE(LocalDateTime().secsTo(t), qint64(0));
    QCOMPARE(LocalDateTime::parseTimeOfDay(u"01:30:00.75"), std::optional<int>(5400));
    QCOMPARE(LocalDateTime::parseTimeOfDay(u"25:00:00"), std::optional<int>());
    // Past the range of the count of seconds there is no date-time, and no overflow.
    QVERIFY(t.addSecs(std::numeric_limits<qint64>::max()).isNull());
    QVERIFY(t.addSecs(std::numeric_limits<qint64>::min()).isNull());
    QVERIFY(t.addDays(qint64(1) << 60).isNull());
    // The files write four-digit years: a date-time is one of the years 1 to 9999, so whatever
    // is written reads back (found by fuzzing: 2008 plus a garbage count of seconds wrote
    // "12345/…", which no reader takes).
    const LocalDateTime last = LocalDateTime::parse(u"9999/12/31 23:59:59");
    QCOMPARE(LocalDateTime::parse(last.toString()), last);
    QVERIFY(last.addSecs(1).isNull());
    QVERIFY(LocalDateTime::parse(u"0001/01/01 00:00:00").addSecs(-1).isNull());
    QVERIFY(t.addSecs(qint64(9000) * 366 * 86400).isNull());
    QVERIFY(LocalDateTime::fromDate(QDate(10000, 1, 1)).isNull());
    QVERIFY(LocalDateTime::fromDate(QDate(-1, 1, 1)).isNull());
}

void TestPlatform::minuteBoundaries_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<qint64>("minutes");
    QTest::newRow("same minute, later second") << "2008/05/03 10:26:40" << "2008/05/03 10:26:05" << qint64(0);
    QTest::newRow("one boundary") << "2008/05/03 10:26:59" << "2008/05/03 10:27:00" << qint64(1);
    QTest::newRow("backwards") << "2008/05/03 10:27:00" << "2008/05/03 10:26:59" << qint64(-1);
    QTest::newRow("across midnight") << "2008/05/03 23:59:59" << "2008/05/04 00:00:00" << qint64(1);
}

void TestPlatform::minuteBoundaries()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(qint64, minutes);
    QCOMPARE(LocalDateTime::parse(from).minutesTo(LocalDateTime::parse(to)), minutes);
}

void TestPlatform::immuneToTimeZone()
{
    // The night daylight saving starts in Europe: 02:30 does not exist there, yet it must here.
    const QByteArray oldTz = qgetenv("TZ");
    qputenv("TZ", "Europe/Berlin");
    tzset();
    const LocalDateTime t = LocalDateTime::parse(u"2008/03/30 01:30:00");
    QCOMPARE(t.addSecs(3600).toString(), QStringLiteral("2008/03/30 02:30:00"));
    QCOMPARE(LocalDateTime::parse(u"2008/03/30 02:30:00").toString(), QStringLiteral("2008/03/30 02:30:00"));
    QCOMPARE(LocalDateTime::parse(u"2008/10/26 02:30:00").secsTo(LocalDateTime::parse(u"2008/10/26 03:30:00")),
             qint64(3600));
    if (oldTz.isNull())
        qunsetenv("TZ");
    else
        qputenv("TZ", oldTz);
    tzset();
}

void TestPlatform::timeZoneHours()
{
    const auto utc = LocalDateTime::parse(u"2008/03/03 23:30:00");
    QCOMPARE(platform::timeZoneHours(utc, utc.addSecs(9 * 3600)), 9);
    QCOMPARE(platform::timeZoneHours(utc, utc.addSecs(-5 * 3600)), -5);
    // Hour boundaries, not elapsed hours: 23:30 UTC against 05:00 local is 6 boundaries.
    QCOMPARE(platform::timeZoneHours(utc, utc.addSecs(5 * 3600 + 1800)), 6);
}

void TestPlatform::cp932RoundTrip()
{
    const QString text = QStringLiteral("BN, a.trk, 艇Ａ ｵﾙﾊﾞﾈ ～ ①");
    const QByteArray bytes = platform::encodeAnsi(text);
    // "艇" is 0x92 0xF8 in CP932: a two-byte code whose second byte is not ASCII.
    QVERIFY(bytes.contains(QByteArray::fromHex("92f8")));
    QCOMPARE(platform::decodeAnsi(bytes), text);
    // "ソ" (0x83 0x5C) carries a backslash as its second byte.
    QCOMPARE(platform::decodeAnsi(QByteArray::fromHex("835c")), QStringLiteral("ソ"));
}

void TestPlatform::splitLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("crlf") << "a\r\nb\r\n" << QStringList{"a", "b"};
    QTest::newRow("lf") << "a\nb" << QStringList{"a", "b"};
    QTest::newRow("cr") << "a\rb\r" << QStringList{"a", "b"};
    QTest::newRow("empty line kept") << "a\r\n\r\nb" << QStringList{"a", "", "b"};
    QTest::newRow("empty") << "" << QStringList{};
}

void TestPlatform::splitLines()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(platform::splitLines(text), lines);
}

void TestPlatform::writeIsAtomicAndCrLf()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("race.txt");
    QVERIFY(platform::writeTextFile(path, {"T1, 第1レース", "BN, a.trk, A"}));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QVERIFY(bytes.endsWith("BN, a.trk, A\r\n"));
    QVERIFY(bytes.startsWith(platform::encodeAnsi(QStringLiteral("T1, 第1レース\r\n"))));
    f.close();
    QVERIFY(platform::writeTextFile(path, {"X"}));
    QCOMPARE(platform::readTextFile(path).lines, QStringList{"X"});
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"race.txt"}); // no temporary left
    QString error;
    QVERIFY(!platform::writeTextFile(dir.filePath("nofolder/x.txt"), {"X"}, &error));
    QVERIFY(error.contains("x.txt"));
}

void TestPlatform::unreadableFileNamed()
{
    QTemporaryDir dir;
    auto r = platform::readTextFile(dir.filePath("missing.txt"));
    QVERIFY(!r.ok);
    QVERIFY(r.error.contains("missing.txt"));
    r = platform::readTextFile(dir.path());
    QVERIFY(!r.ok);
}

// What a reader finds at a path, and that nothing but a regular file is opened: a pipe would
// keep the reader waiting for a writer forever.
void TestPlatform::pathKinds()
{
    using platform::PathKind;
    QTemporaryDir dir;
    QFile file(dir.filePath("a.trk"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QVERIFY(QDir(dir.path()).mkdir("folder.trk"));
    QVERIFY(QFile::link("self.trk", dir.filePath("self.trk")));
    QVERIFY(QFile::link("a.trk", dir.filePath("good.trk")));
    QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("pipe.trk")).constData(), 0644), 0);
    const QList<std::pair<const char *, PathKind>> cases{
        {"a.trk", PathKind::RegularFile}, {"good.trk", PathKind::RegularFile}, {"none.trk", PathKind::Missing},
        {"folder.trk", PathKind::Folder}, {"self.trk", PathKind::DeadLink},     {"pipe.trk", PathKind::Special}};
    for (const auto &[name, kind] : cases) {
        const QString path = dir.filePath(QLatin1String(name));
        QCOMPARE(platform::pathKind(path), kind);
        const auto read = platform::readFileBytes(path, 1000);
        QCOMPARE(read.ok, kind == PathKind::RegularFile);
        if (kind != PathKind::RegularFile)
            QCOMPARE(read.reason, platform::pathKindReason(kind));
    }
}

// A file longer than the bound is read up to the last line end within it, and says so.
void TestPlatform::readUpToTheBound()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("w.csv");
    QVERIFY(platform::writeTextFile(path, {"0123456789", "0123456789", "0123456789"})); // 12 bytes a line
    auto read = platform::readFileBytes(path, 36);
    QVERIFY(read.ok && !read.truncated);
    QCOMPARE(read.bytes.size(), 36);
    read = platform::readFileBytes(path, 30);
    QVERIFY(read.ok && read.truncated);
    QCOMPARE(read.bytes, QByteArray("0123456789\r\n0123456789\r\n"));
    const auto text = platform::readTextFile(path, 20);
    QVERIFY(text.ok && text.truncated);
    QCOMPARE(text.lines, QStringList{"0123456789"});
}

void TestPlatform::caseInsensitivePaths()
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("gpsdat");
    QDir(dir.path()).mkpath("raceadmin");
    QVERIFY(platform::writeTextFile(dir.filePath("gpsdat/a.trk"), {"x"}));
    QVERIFY(platform::writeTextFile(dir.filePath("raceadmin/Ver.00"), {"LANG,1"}));
    QCOMPARE(platform::resolvePath(dir.path(), "\\GPSDAT\\a.trk"), dir.filePath("gpsdat/a.trk"));
    QCOMPARE(platform::resolvePath(dir.path(), "\\RaceAdmin\\VER.00"), dir.filePath("raceadmin/Ver.00"));
    QVERIFY(platform::fileExists(dir.path(), "GpsDat/A.TRK"));
    QVERIFY(!platform::fileExists(dir.path(), "gpsdat"));
    QVERIFY(platform::folderExists(dir.path(), "\\GPSDAT"));
    QVERIFY(!platform::fileExists(dir.path(), "gpsdat/b.trk"));
    // A name that does not exist keeps its spelling below the resolved folders.
    QCOMPARE(platform::resolvePath(dir.path(), "\\GPSDAT\\New.trk"), dir.filePath("gpsdat/New.trk"));
    QCOMPARE(platform::fileSize(dir.path(), "gpsdat/a.trk"), qint64(3));
    QCOMPARE(platform::fileSize(dir.path(), "gpsdat"), qint64(-1));
}

void TestPlatform::wildcardListing()
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("raceadmin");
    for (const char *name : {"b.txt", "A.TXT", "c.st", "a2.txt", "readme"})
        QVERIFY(platform::writeTextFile(dir.filePath(QStringLiteral("raceadmin/") + name), {"x"}));
    QDir(dir.path()).mkpath("raceadmin/folder.txt");
    QCOMPARE(platform::listFiles(dir.path(), "\\raceadmin\\*.txt"), (QStringList{"A.TXT", "a2.txt", "b.txt"}));
    QCOMPARE(platform::listFiles(dir.path(), "\\RACEADMIN\\*.ST"), QStringList{"c.st"});
    QCOMPARE(platform::listFiles(dir.path(), "\\missing\\*.txt"), QStringList{});
}

void TestPlatform::scriptedDialogs()
{
    platform::ScriptedDialogs script;
    script.answers = {true};
    {
        platform::DialogsGuard guard(&script);
        platform::dialogs().message("hello");
        QVERIFY(platform::dialogs().askYesNo("Edit Data ?"));
        QVERIFY(!platform::dialogs().askYesNo("again"));
        QVERIFY(!platform::dialogs().input("name").has_value());
    }
    QCOMPARE(script.messages(), QStringList{"hello"});
    QCOMPARE(script.shown.size(), 4);
    QVERIFY(&platform::dialogs() != &script);
}

void TestPlatform::localeIds_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("id");
    QTest::newRow("C") << "C" << 1033;
    QTest::newRow("POSIX") << "POSIX" << 1033;
    QTest::newRow("C.UTF-8") << "C.UTF-8" << 1033;
    QTest::newRow("en_US") << "en_US.UTF-8" << 1033;
    QTest::newRow("en_GB") << "en_GB.UTF-8" << 2057;
    QTest::newRow("ja_JP") << "ja_JP.eucJP" << 1041;
    QTest::newRow("unknown") << "xx_YY" << 0;
}

void TestPlatform::localeIds()
{
    QFETCH(QString, name);
    QFETCH(int, id);
    QCOMPARE(platform::localeIdForName(name), id);
}

void TestPlatform::orderedParallelFor_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("threads");
    QTest::newRow("nothing") << 0 << 0;
    QTest::newRow("one item, every core") << 1 << 0;
    QTest::newRow("one thread") << 50 << 1;
    QTest::newRow("every core") << 50 << 0;
    QTest::newRow("more threads than items") << 3 << 8;
    QTest::newRow("more threads than cores") << 200 << 8;
}

void TestPlatform::orderedParallelFor()
{
    QFETCH(int, count);
    QFETCH(int, threads);
    const std::thread::id caller = std::this_thread::get_id();
    std::vector<std::atomic<int>> worked(static_cast<size_t>(count));
    QList<int> delivered;
    QList<int> log; // threads == 1: work and deliver alternate
    std::mutex logMutex;
    bool allOnCaller = true, allDoneBefore = true;
    platform::orderedParallelFor(
        count,
        [&](int i) {
            // Uneven work, so that items finish out of order.
            volatile double x = 0;
            for (int k = 0; k < (i % 7) * 20000; ++k)
                x = x + k;
            worked[size_t(i)].fetch_add(1);
            const std::lock_guard<std::mutex> lock(logMutex);
            log << i;
        },
        [&](int i) {
            allOnCaller = allOnCaller && std::this_thread::get_id() == caller;
            for (int j = 0; j <= i; ++j)
                allDoneBefore = allDoneBefore && worked[size_t(j)].load() == 1;
            delivered << i;
            const std::lock_guard<std::mutex> lock(logMutex);
            log << -1 - i;
        },
        threads);
    QList<int> expected;
    for (int i = 0; i < count; ++i)
        expected << i;
    QCOMPARE(delivered, expected);
    for (int i = 0; i < count; ++i)
        QCOMPARE(worked[size_t(i)].load(), 1);
    QVERIFY(allOnCaller);
    QVERIFY(allDoneBefore);
    if (threads == 1) {
        QList<int> alternating;
        for (int i = 0; i < count; ++i)
            alternating << i << -1 - i;
        QCOMPARE(log, alternating);
    }
}

void TestPlatform::orderedParallelForRethrowsInOrder()
{
    // Items 3 and 7 fail; the first failure in order reaches the caller where item 3 would have
    // been delivered, after 0 … 2 were, and every thread has stopped.
    QList<int> delivered;
    bool caught = false;
    try {
        platform::orderedParallelFor(
            20,
            [](int i) {
                if (i == 3 || i == 7)
                    throw std::runtime_error(std::to_string(i));
            },
            [&](int i) { delivered << i; }, 4);
    } catch (const std::runtime_error &e) {
        caught = true;
        QCOMPARE(QByteArray(e.what()), QByteArray("3"));
    }
    QVERIFY(caught);
    QCOMPARE(delivered, (QList<int>{0, 1, 2}));
}

QTEST_GUILESS_MAIN(TestPlatform)
#include "testplatform.moc"
