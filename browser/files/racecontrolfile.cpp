#include "racecontrolfile.h"

#include <appfolder.h>
#include <dialogs.h>
#include <numbers.h>
#include <textfile.h>

#include <QDir>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <optional>

using platform::formatNumber;
using platform::formatSignedNumber;
using platform::leadingNumber;

namespace {

void resetRace(RaceControl &rc)
{
    rc.Boats.clear();
    rc.Marks.clear();
    rc.Lines.clear();
    rc.Course.Entries.clear();
    rc.Attachments.clear();
    rc.CoastTiles.clear();
    rc.KeptLines.clear();
    rc.CourseLeftOut.clear();
    rc.CourseAsRead.clear();
    rc.ReadInPart = false;
    rc.Title1.clear();
    rc.Title2.clear();
    rc.Title3.clear();
    rc.StartTime = {};
    rc.FinishTime = {};
    rc.WindFile.clear();
    rc.TimeDifference = 0;
    rc.NorthUp = 0.0;
    rc.LayLineUp = 45.0;
    rc.LayLineDown = 160.0;
    rc.PreStartSeconds = 180.0;
    rc.PreStartMinutes = 3.0;
    rc.RaceDuration = 0;
    rc.DisplayStart = {};
    rc.DisplayEnd = {};
}

// Where a boat of the race came from in the file, so that a boat left out later can go back
// into the file as the line it was.
struct BoatSource {
    QString text;
    int fileLine = 0;
};

// One pass over the lines of a race control file.
class RaceControlParser
{
public:
    RaceControlParser(RaceControl &rc, ProblemReporter *problems) : m_rc(rc), m_problems(problems) {}

    void run(const QStringList &lines);
    QList<BoatSource> boatSources;

private:
    // Handles one line; true when the race took it.
    bool take(const QString &line);
    void report(FileProblem::Kind kind, const QString &value = {})
    {
        if (m_problems)
            m_problems->add(m_lineNumber, kind, value);
    }
    // A bound reached: told at the first line past it, the later ones only counted.
    void reportBound(FileProblem::Kind kind, int bound)
    {
        if (!m_problems)
            return;
        if (m_boundsTold.contains(kind))
            m_problems->addAgain();
        else
            m_problems->add(m_lineNumber, kind, QString::number(bound));
        m_boundsTold.insert(kind);
    }
    // The leading number of a value between min and max; reported and nothing otherwise.
    std::optional<double> number(const QString &value, double min, double max);

    RaceControl &m_rc;
    ProblemReporter *m_problems;
    int m_lineNumber = 0;
    RaceRecord m_record = RaceRecord::Top; // the record of the last line taken
    int m_number = 0;                      // … and how many of its kind were taken by then
    QSet<FileProblem::Kind> m_boundsTold;
    // A line left out at a bound stays after the last one of its kind, where the next read
    // leaves it out again; any other line stays after the line taken before it. A line is
    // checked before the bound, so that one its reader cannot take stays where it was.
    struct Anchor {
        RaceRecord record;
        int number;
    };
    std::optional<Anchor> m_pastBound;
    bool leftOutAtBound(RaceRecord record, FileProblem::Kind kind, int bound)
    {
        reportBound(kind, bound);
        m_pastBound = Anchor{record, bound};
        return false;
    }
};

std::optional<double> RaceControlParser::number(const QString &value, double min, double max)
{
    const QString text = value.trimmed();
    const std::optional<double> v = platform::readLeadingNumber(text);
    if (!v) {
        // A number too large for a double is out of range, not "no number".
        if (!text.isEmpty() && (text[0].isDigit() || ((text[0] == u'-' || text[0] == u'+' || text[0] == u'.')
                                                      && text.size() > 1 && text[1].isDigit())))
            report(FileProblem::OutOfRange, text);
        else
            report(FileProblem::NotANumber, text);
        return std::nullopt;
    }
    if (*v < min || *v > max) {
        report(FileProblem::OutOfRange, text);
        return std::nullopt;
    }
    return v;
}

void RaceControlParser::run(const QStringList &lines)
{
    for (const QString &line : lines) {
        ++m_lineNumber;
        m_pastBound.reset();
        if (take(line))
            continue;
        if (m_pastBound)
            m_rc.KeptLines.append({line, m_pastBound->record, m_pastBound->number, m_lineNumber});
        else
            m_rc.KeptLines.append({line, m_record, m_number, m_lineNumber});
    }
}

bool RaceControlParser::take(const QString &line)
{
    if (line.size() > MaxRaceControlLineChars) {
        report(FileProblem::LineTooLong, QString::number(MaxRaceControlLineChars));
        return false;
    }
    const qsizetype comma = line.indexOf(u',');
    if (comma < 0) {
        // Blank lines carry nothing to report; they stay where they are all the same.
        if (!line.trimmed().isEmpty())
            report(FileProblem::NoComma);
        return false;
    }
    const QString key = line.left(comma).trimmed();
    const QString rest = line.mid(comma + 1);
    const QString text = rest.trimmed();
    const QStringList values = rest.split(u',');
    auto taken = [this](RaceRecord record, int number = 0) {
        m_record = record;
        m_number = number;
        return true;
    };

    if (key == QLatin1String("WF")) {
        m_rc.WindFile = text;
        return taken(RaceRecord::WF);
    }
    if (key == QLatin1String("T1") || key == QLatin1String("T2") || key == QLatin1String("T3")) {
        const int n = key[1].digitValue();
        (n == 1 ? m_rc.Title1 : n == 2 ? m_rc.Title2 : m_rc.Title3) = text;
        return taken(n == 1 ? RaceRecord::T1 : n == 2 ? RaceRecord::T2 : RaceRecord::T3);
    }
    if (key == QLatin1String("MG")) {
        const auto v = number(text, -MaxMagneticVariation, MaxMagneticVariation);
        if (!v)
            return false;
        m_rc.MagneticVariation = *v;
        return taken(RaceRecord::MG);
    }
    if (key == QLatin1String("LG")) {
        const auto v = number(text, 0.0, MaxBoatLength);
        if (!v)
            return false;
        m_rc.BoatLength = float(*v);
        return taken(RaceRecord::LG);
    }
    if (key == QLatin1String("ST") || key == QLatin1String("FT")) {
        const auto t = platform::LocalDateTime::parse(text);
        if (t.isNull() && !text.isEmpty()) {
            report(FileProblem::UnreadableDateTime, text);
            return false;
        }
        const bool start = key == QLatin1String("ST");
        (start ? m_rc.StartTime : m_rc.FinishTime) = t;
        return taken(start ? RaceRecord::ST : RaceRecord::FT);
    }
    if (key == QLatin1String("TD")) {
        // An integer conversion of the whole value: "9h" is no number of hours.
        bool ok = false;
        const double v = text.toDouble(&ok);
        if (!ok || !std::isfinite(v)) {
            report(FileProblem::NotANumber, text);
            return false;
        }
        if (std::fabs(v) > MaxTimeDifference) {
            report(FileProblem::OutOfRange, text);
            return false;
        }
        m_rc.TimeDifference = qint16(platform::roundHalfEven(v));
        return taken(RaceRecord::TD);
    }
    if (key == QLatin1String("WD")) {
        const auto v = number(text, -MaxWindDirection, MaxWindDirection);
        if (!v)
            return false;
        m_rc.WindDirection = float(*v);
        m_rc.ShownWindDirection = m_rc.WindDirection;
        return taken(RaceRecord::WD);
    }
    if (key == QLatin1String("NU")) {
        const auto v = number(text, -1e300, 1e300);
        if (!v)
            return false;
        m_rc.NorthUp = *v;
        return taken(RaceRecord::NU);
    }
    if (key == QLatin1String("BN")) {
        const qsizetype second = rest.indexOf(u',');
        BoatEntry boat;
        if (second < 0) {
            boat.TrackFile = text;
            // Trimmed as the name read back from the line the writer makes of it.
            boat.Name = text.section(u'.', 0, 0).trimmed();
        } else {
            boat.TrackFile = rest.left(second).trimmed();
            boat.Name = rest.mid(second + 1).trimmed();
        }
        if (boat.TrackFile.isEmpty()) {
            report(FileProblem::BoatWithoutTrackFile);
            return false;
        }
        if (m_rc.Boats.size() >= MaxBoats)
            return leftOutAtBound(RaceRecord::BN, FileProblem::TooManyBoats, MaxBoats);
        if (second < 0)
            report(FileProblem::BoatWithoutName);
        boat.colour = boatColour(int(m_rc.Boats.size()) + 1);
        m_rc.Boats.append(boat);
        boatSources.append({line, m_lineNumber});
        return taken(RaceRecord::BN, m_rc.boatCount());
    }
    if (key == QLatin1String("MK")) {
        if (values.size() < 2) {
            report(FileProblem::MarkNeedsTwoValues);
            return false;
        }
        const auto lat = number(values[0], -MaxLatitudeMinutes, MaxLatitudeMinutes);
        const auto lon = lat ? number(values[1], -MaxLongitudeMinutes, MaxLongitudeMinutes) : std::nullopt;
        if (!lat || !lon)
            return false;
        if (m_rc.Marks.size() >= MaxMarks)
            return leftOutAtBound(RaceRecord::MK, FileProblem::TooManyMarks, MaxMarks);
        m_rc.Marks.append({*lat, *lon});
        return taken(RaceRecord::MK, m_rc.markCount());
    }
    if (key == QLatin1String("LN")) {
        if (values.size() < 4) {
            report(FileProblem::LineNeedsFourValues);
            return false;
        }
        // The fourth value is all text after the third comma.
        const QString fourth = values.mid(3).join(u',');
        std::optional<double> v[4];
        for (int i = 0; i < 4; ++i) {
            const double bound = i % 2 == 0 ? MaxLatitudeMinutes : MaxLongitudeMinutes;
            v[i] = number(i < 3 ? values[i] : fourth, -bound, bound);
            if (!v[i])
                return false;
        }
        if (m_rc.Lines.size() >= MaxLines)
            return leftOutAtBound(RaceRecord::LN, FileProblem::TooManyLines, MaxLines);
        m_rc.Lines.append({*v[0], *v[1], *v[2], *v[3]});
        return taken(RaceRecord::LN, m_rc.lineCount());
    }
    if (key == QLatin1String("CRS")) {
        bool toldHere = false;
        for (const QString &value : values) {
            const QString entry = value.trimmed();
            if (entry.isEmpty()) {
                report(FileProblem::EmptyCourseEntry);
                continue;
            }
            if (m_rc.Course.Entries.size() >= MaxCourseEntries) {
                if (!toldHere)
                    reportBound(FileProblem::TooManyCourseEntries, MaxCourseEntries);
                toldHere = true;
                m_rc.CourseLeftOut << entry;
                continue;
            }
            m_rc.Course.Entries << entry;
        }
        m_rc.CourseAsRead = m_rc.Course.Entries;
        return taken(RaceRecord::CRS);
    }
    if (key == QLatin1String("MAP")) {
        // The load recomputes the tiles; keeping them makes a read and write keep the file.
        if (m_rc.CoastTiles.size() >= MaxCoastTiles)
            return leftOutAtBound(RaceRecord::MAP, FileProblem::TooManyCoastTiles, MaxCoastTiles);
        if (!text.isEmpty())
            m_rc.CoastTiles << text;
        // The tiles are written as one block: what follows any of them follows the block.
        return taken(RaceRecord::MAP, MaxCoastTiles);
    }
    if (key == QLatin1String("LL")) {
        // A value that is missing or 0 keeps the default.
        double angle[2] = {0.0, 0.0};
        for (int i = 0; i < 2; ++i) {
            if (values.value(i).trimmed().isEmpty())
                continue;
            const auto v = number(values.value(i), -MaxLayLineAngle, MaxLayLineAngle);
            if (!v)
                return false;
            angle[i] = *v;
        }
        if (angle[0] != 0.0)
            m_rc.LayLineUp = angle[0];
        if (angle[1] != 0.0)
            m_rc.LayLineDown = angle[1];
        return taken(RaceRecord::LL);
    }
    if (key == QLatin1String("BT")) {
        const auto minutes = number(text, 0.0, MaxPreStartMinutes);
        if (!minutes)
            return false;
        m_rc.PreStartMinutes = *minutes;
        m_rc.PreStartSeconds = 60.0 * *minutes;
        return taken(RaceRecord::BT);
    }
    if (key == QLatin1String("AT")) {
        if (m_rc.Attachments.size() >= MaxAttachments)
            return leftOutAtBound(RaceRecord::AT, FileProblem::TooManyAttachments, MaxAttachments);
        if (!text.isEmpty())
            m_rc.Attachments << text;
        return taken(RaceRecord::AT, int(m_rc.Attachments.size()));
    }
    if (key.isEmpty())
        report(FileProblem::EmptyKey);
    else if (key != QLatin1String("NOTE")) // the viewer's text, part of the format
        report(FileProblem::UnknownKey, key);
    return false;
}

} // namespace

void parseRaceControl(const QStringList &lines, RaceControl &rc, ProblemReporter *problems)
{
    resetRace(rc);
    RaceControlParser(rc, problems).run(lines);
}

QStringList formatRaceControl(const RaceControl &rc)
{
    struct Line {
        RaceRecord record;
        double place; // writer lines: their number (0 for single records); kept lines: after it
        int fileLine;
        QString text;
    };
    QList<Line> out;
    auto add = [&out](RaceRecord record, int number, const QString &text) { out.append({record, double(number), 0, text}); };
    auto textLine = [&add](RaceRecord record, const char *key, const QString &value) {
        if (!value.isEmpty())
            add(record, 0, QLatin1String(key) + QLatin1String(", ") + value);
    };
    textLine(RaceRecord::WF, "WF", rc.WindFile);
    textLine(RaceRecord::T1, "T1", rc.Title1);
    textLine(RaceRecord::T2, "T2", rc.Title2);
    textLine(RaceRecord::T3, "T3", rc.Title3);
    if (rc.MagneticVariation != 0.0)
        add(RaceRecord::MG, 0, QLatin1String("MG, ") + formatSignedNumber(rc.MagneticVariation, 15));
    if (rc.BoatLength > 0.0f)
        add(RaceRecord::LG, 0, QLatin1String("LG, ") + formatSignedNumber(double(rc.BoatLength), 7));
    textLine(RaceRecord::ST, "ST", rc.StartTime.toString());
    textLine(RaceRecord::FT, "FT", rc.FinishTime.toString());
    if (rc.TimeDifference != 0)
        add(RaceRecord::TD, 0, QLatin1String("TD, ") + formatSignedNumber(rc.TimeDifference));
    if (rc.WindDirection != 0.0f)
        add(RaceRecord::WD, 0, QLatin1String("WD, ") + formatSignedNumber(double(rc.WindDirection), 7));
    if (rc.NorthUp > 0)
        add(RaceRecord::NU, 0, QStringLiteral("NU, 1"));
    for (int i = 0; i < rc.Boats.size(); ++i)
        add(RaceRecord::BN, i + 1, QLatin1String("BN, ") + rc.Boats[i].TrackFile + QLatin1String(", ") + rc.Boats[i].Name);
    for (int i = 0; i < rc.Marks.size(); ++i)
        add(RaceRecord::MK, i + 1,
            QLatin1String("MK, ") + formatNumber(rc.Marks[i].Lat) + QLatin1String(", ") + formatNumber(rc.Marks[i].Lon));
    for (int i = 0; i < rc.Lines.size(); ++i) {
        const RaceLine &l = rc.Lines[i];
        add(RaceRecord::LN, i + 1,
            QLatin1String("LN, ") + formatNumber(l.Lat1) + QLatin1String(", ") + formatNumber(l.Lon1) +
                QLatin1String(", ") + formatNumber(l.Lat2) + QLatin1String(", ") + formatNumber(l.Lon2));
    }
    if (rc.Course.Count() > 0) {
        QString crs = QStringLiteral("CRS");
        for (const QString &e : rc.Course.Entries)
            crs += QLatin1String(", ") + e;
        // Entries past the bound go back with the course they came with, not with another.
        if (rc.Course.Entries == rc.CourseAsRead) {
            for (const QString &e : rc.CourseLeftOut)
                crs += QLatin1String(", ") + e;
        }
        add(RaceRecord::CRS, 0, crs);
    }
    for (int i = 0; i < rc.CoastTiles.size(); ++i)
        add(RaceRecord::MAP, i + 1, QLatin1String("MAP, ") + rc.CoastTiles[i]);
    add(RaceRecord::LL, 0,
        QLatin1String("LL, ") + formatNumber(rc.LayLineUp) + QLatin1Char(',') + formatNumber(rc.LayLineDown));
    add(RaceRecord::BT, 0, QLatin1String("BT,") + formatSignedNumber(std::floor(rc.PreStartMinutes + 0.5)));
    for (int i = 0; i < rc.Attachments.size(); ++i)
        add(RaceRecord::AT, i + 1, QLatin1String("AT, ") + rc.Attachments[i]);

    for (const KeptLine &k : rc.KeptLines)
        out.append({k.after, k.afterNumber + 0.5, k.fileLine, k.text});
    std::stable_sort(out.begin(), out.end(), [](const Line &a, const Line &b) {
        if (a.record != b.record)
            return a.record < b.record;
        if (a.place != b.place)
            return a.place < b.place;
        return a.fileLine < b.fileLine;
    });
    QStringList lines;
    lines.reserve(out.size());
    for (const Line &l : out)
        lines << l.text;
    return lines;
}

void updateDerivedTimes(RaceControl &rc)
{
    // The reader keeps the pre-start time within a day; a race built otherwise gets the same
    // bound here, so the seconds stay far inside the range of the date-time arithmetic.
    const double preStart = std::clamp(rc.PreStartSeconds, 0.0, MaxPreStartMinutes * 60.0);
    if (!rc.StartTime.isNull())
        rc.DisplayStart = rc.StartTime.addSecs(-qint64(std::llround(preStart + 30.0)));
    rc.DisplayEnd = rc.FinishTime;
    if (!rc.StartTime.isNull() && !rc.FinishTime.isNull())
        rc.RaceDuration = rc.StartTime.secsTo(rc.FinishTime);
}

static QString racePath(const AppSettings &settings, const QString &fileName)
{
    return platform::resolvePath(settings.ApplicationFolder, QStringLiteral("raceadmin/") + fileName);
}

bool ReadRaceControl(const AppSettings &settings, RaceControl &rc, FileProblems *problems)
{
    const QString path = racePath(settings, rc.FileName);
    const QString &app = settings.ApplicationFolder;
    ProblemReporter reporter(problems, problemFileName(app, path));
    const auto read = platform::readTextFile(path);
    if (!read.ok) {
        resetRace(rc);
        reporter.add(0, FileProblem::FileUnreadable, read.reason);
        platform::dialogs().message(settings.text(QStringLiteral("The race file could not be read: %1"),
                                                  QStringLiteral("レースファイルを読めません: %1"))
                                        .arg(QDir::toNativeSeparators(path)));
        return false;
    }
    resetRace(rc);
    RaceControlParser parser(rc, &reporter);
    parser.run(read.lines);
    if (read.truncated) {
        rc.ReadInPart = true;
        reporter.add(0, FileProblem::FileTooLarge, QString::number(platform::MaxTextFileBytes >> 20));
    }

    if (!rc.WindFile.isEmpty() && !platform::fileExists(app, QStringLiteral("winddat/") + rc.WindFile))
        rc.WindFile.clear();

    // Boats whose GPS file is missing leave the race shown, not the file: each BN line goes
    // back among the kept lines, after the boat before it, and the kept lines that followed
    // later boats follow them under their new numbers.
    QList<BoatEntry> kept;
    QList<int> leftOut; // boat numbers as read
    QList<platform::PathKind> leftOutAs;
    for (int i = 0; i < rc.Boats.size(); ++i) {
        const platform::PathKind kind =
            platform::pathKind(platform::resolvePath(app, QStringLiteral("gpsdat/") + rc.Boats[i].TrackFile));
        if (kind == platform::PathKind::RegularFile) {
            kept << rc.Boats[i];
        } else {
            leftOut << i + 1;
            leftOutAs << kind;
        }
    }
    if (!leftOut.isEmpty()) {
        platform::dialogs().message(
            QStringLiteral("GPSfile -- ") + rc.Boats[leftOut.first() - 1].TrackFile +
            settings.text(QStringLiteral(" -- could not be found\r\nThis boat will be ignored"),
                          QStringLiteral(" -- はありませんでした。\r\nこの艇を無視して表示します。")));
        auto leftOutUpTo = [&leftOut](int number) {
            return int(std::count_if(leftOut.begin(), leftOut.end(), [number](int n) { return n <= number; }));
        };
        for (KeptLine &k : rc.KeptLines) {
            if (k.after == RaceRecord::BN)
                k.afterNumber -= leftOutUpTo(k.afterNumber);
        }
        for (qsizetype i = 0; i < leftOut.size(); ++i) {
            const int number = leftOut[i];
            const BoatSource &source = parser.boatSources[number - 1];
            const FileProblem::Kind why = leftOutAs[i] == platform::PathKind::Folder     ? FileProblem::BoatFileIsFolder
                                          : leftOutAs[i] == platform::PathKind::DeadLink ? FileProblem::BoatFileLeadsNowhere
                                          : leftOutAs[i] == platform::PathKind::Special  ? FileProblem::BoatFileNotRegular
                                                                                         : FileProblem::BoatLeftOut;
            reporter.add(source.fileLine, why, rc.Boats[number - 1].TrackFile);
            const int before = number - 1;
            rc.KeptLines.append({source.text, before > 0 ? RaceRecord::BN : RaceRecord::NU,
                                 before - leftOutUpTo(before), source.fileLine});
        }
        std::stable_sort(rc.KeptLines.begin(), rc.KeptLines.end(),
                         [](const KeptLine &a, const KeptLine &b) { return a.fileLine < b.fileLine; });
        rc.Boats = kept;
        rc.colourBoats();
    }

    rc.ChartRotation = rc.chartRotationFor();
    if (rc.BoatLength == 0.0f)
        rc.BoatLength = 4.7f;
    updateDerivedTimes(rc);
    return true;
}

bool WriteRaceControl(const AppSettings &settings, RaceControl &rc)
{
    if (rc.FileName.isEmpty())
        return true;
    rc.ChartRotation = rc.chartRotationFor();
    if (rc.ReadInPart) {
        // What lies beyond the part read would be lost.
        platform::dialogs().message(
            settings.text(QStringLiteral("The race file %1 is larger than %2 MB and was read only in part: it is not "
                                         "written, so that nothing of it is lost."),
                          QStringLiteral("レースファイル %1 は %2 MB を超えていて一部しか読んでいないため、"
                                         "内容を失わないよう書き込みません。"))
                .arg(rc.FileName)
                .arg(platform::MaxTextFileBytes >> 20));
        return false;
    }
    const QString folder = platform::resolvePath(settings.ApplicationFolder, QStringLiteral("raceadmin"));
    QDir().mkpath(folder);
    const QString path = racePath(settings, rc.FileName);
    QString error;
    if (!platform::writeTextFile(path, formatRaceControl(rc), &error)) {
        platform::dialogs().message(settings.text(QStringLiteral("The race file could not be written: %1"),
                                                  QStringLiteral("レースファイルを書き込めません: %1"))
                                        .arg(error));
        return false;
    }
    return true;
}

QString readStartupRaceFile(const QString &applicationFolder)
{
    const QString path = platform::resolvePath(applicationFolder, QStringLiteral("raceadmin/racefile.st"));
    const auto read = platform::readTextFile(path);
    if (!read.ok || read.lines.isEmpty())
        return {};
    QString name = read.lines.first().section(u',', 0, 0).trimmed();
    while (name.startsWith(u'"'))
        name.remove(0, 1);
    while (name.endsWith(u'"'))
        name.chop(1);
    return name.trimmed();
}

bool writeStartupRaceFile(const QString &applicationFolder, const QString &raceFileName, QString *error)
{
    QDir().mkpath(platform::resolvePath(applicationFolder, QStringLiteral("raceadmin")));
    return platform::writeTextFile(platform::resolvePath(applicationFolder, QStringLiteral("raceadmin/racefile.st")),
                                   {raceFileName}, error);
}

UiLanguage interfaceLanguageOf(QStringView languageValue)
{
    // Compared as it is read: any number, however large, is only ever "above 0" or not.
    return leadingNumber(languageValue) > 0 ? UiLanguage::English : UiLanguage::Japanese;
}

UiLanguage readInterfaceLanguage(const QString &applicationFolder)
{
    const QString path = platform::resolvePath(applicationFolder, QStringLiteral("raceadmin/Ver.00"));
    const auto read = platform::readTextFile(path);
    if (!read.ok || read.lines.isEmpty())
        return UiLanguage::Japanese;
    const QString line = read.lines.first();
    const qsizetype comma = line.indexOf(u',');
    if (comma < 0)
        return UiLanguage::Japanese;
    return interfaceLanguageOf(QStringView(line).mid(comma + 1));
}

bool writeLanguageFile(const QString &applicationFolder, int languageValue, QString *error)
{
    QDir().mkpath(platform::resolvePath(applicationFolder, QStringLiteral("raceadmin")));
    return platform::writeTextFile(platform::resolvePath(applicationFolder, QStringLiteral("raceadmin/Ver.00")),
                                   {QStringLiteral("LANG,%1").arg(languageValue)}, error);
}
