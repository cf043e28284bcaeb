#include "racecontrolreader.h"

#include "lineitems.h"

#include <appfolder.h>
#include <textfile.h>

#include <limits>

namespace {

class Reader
{
public:
    Reader(const QString &folder, const QString &file, ViewerRace &race, ReadProblems &problems)
        : m_folder(folder), m_race(race), m_problems(problems, file)
    {
    }

    void line(int lineNumber, const QString &text);

private:
    void report(ReadProblem::Kind kind, QStringList args = {})
    {
        m_problems.add(m_line, kind, std::move(args));
    }
    bool needs(int values)
    {
        if (m_items.size() - 1 >= values)
            return true;
        report(ReadProblem::MissingValues, {m_items[0], QString::number(values)});
        return false;
    }
    // A bound reached is told once, at the first entry past it; the later ones are counted.
    bool withinBound(qsizetype count, int bound)
    {
        if (count < bound)
            return true;
        if (m_boundsTold.contains(m_items[0])) {
            m_problems.addAgain();
        } else {
            report(ReadProblem::TooMany, {QString::number(bound), m_items[0]});
            m_boundsTold << m_items[0];
        }
        return false;
    }
    std::optional<double> number(int item)
    {
        const auto v = parseNumber(m_items[item]);
        if (!v)
            report(ReadProblem::NotANumber, {m_items[item]});
        return v;
    }
    std::optional<int> whole(int item)
    {
        const auto v = parseWholeNumber(m_items[item]);
        if (!v)
            report(ReadProblem::NotANumber, {m_items[item]});
        return v;
    }
    // A whole number between least and greatest: numbers past them would overflow the sums
    // they enter (minutes to seconds, a direction plus the variation).
    std::optional<int> whole(int item, int least, int greatest)
    {
        const auto v = whole(item);
        if (v && (*v < least || *v > greatest)) {
            report(ReadProblem::OutOfRange, {m_items[item], QString::number(least), QString::number(greatest)});
            return std::nullopt;
        }
        return v;
    }
    std::optional<double> number(int item, double least, double greatest)
    {
        const auto v = number(item);
        if (v && !(*v >= least && *v <= greatest)) {
            report(ReadProblem::OutOfRange, {m_items[item], QString::number(least), QString::number(greatest)});
            return std::nullopt;
        }
        return v;
    }
    void dateTime(platform::LocalDateTime &target)
    {
        const platform::LocalDateTime t = parseDateTime(m_items[1]);
        if (t.isNull())
            report(ReadProblem::NotADateTime, {m_items[1]});
        else
            target = t;
    }

    const QString &m_folder;
    ViewerRace &m_race;
    ProblemRecorder m_problems;
    int m_line = 0;
    QStringList m_items;
    QStringList m_boundsTold; // the keys whose bound has been reported
};

void Reader::line(int lineNumber, const QString &text)
{
    m_line = lineNumber;
    if (text.size() > ViewerMaxLineChars) {
        report(ReadProblem::LineTooLong, {QString::number(ViewerMaxLineChars)});
        return;
    }
    m_items = splitItems(text, QLatin1Char(','));
    const QString &key = m_items[0];
    // All the text after the first comma: titles and notes may hold commas.
    const auto wholeText = [&text] {
        const qsizetype comma = text.indexOf(QLatin1Char(','));
        return comma < 0 ? QString() : text.mid(comma + 1).trimmed();
    };

    if (key == QLatin1String("BN")) {
        if (!needs(1) || !withinBound(m_race.Boats.size(), ViewerMaxBoats))
            return;
        ViewerBoat boat;
        boat.GpsFile = m_items[1];
        boat.Name = m_items.size() >= 3 ? m_items[2] : boat.GpsFile.section(QLatin1Char('.'), 0, 0);
        if (m_items.size() >= 4) {
            const auto offset = whole(3, -ViewerMaxOffsetSeconds, ViewerMaxOffsetSeconds);
            if (!offset)
                return;
            boat.OffsetSeconds = *offset;
        }
        switch (platform::pathKind(platform::resolvePath(m_folder, QStringLiteral("gpsdat/") + boat.GpsFile))) {
        case platform::PathKind::RegularFile: break;
        case platform::PathKind::Missing: report(ReadProblem::GpsFileMissing, {boat.GpsFile}); return;
        case platform::PathKind::Folder: report(ReadProblem::GpsFileIsFolder, {boat.GpsFile}); return;
        case platform::PathKind::DeadLink: report(ReadProblem::GpsFileLeadsNowhere, {boat.GpsFile}); return;
        case platform::PathKind::Special: report(ReadProblem::GpsFileNotRegular, {boat.GpsFile}); return;
        }
        m_race.Boats.append(boat);
    } else if (key == QLatin1String("NOTE")) {
        m_race.Note = wholeText();
    } else if (key == QLatin1String("MK")) {
        if (!needs(2) || !withinBound(m_race.Marks.size(), ViewerMaxMarks))
            return;
        const auto lat = number(1), lon = number(2);
        if (lat && lon)
            m_race.Marks.append({*lat, *lon});
    } else if (key == QLatin1String("LN")) {
        if (!needs(4) || !withinBound(m_race.Lines.size(), ViewerMaxLines))
            return;
        const auto lat1 = number(1), lon1 = number(2), lat2 = number(3), lon2 = number(4);
        if (lat1 && lon1 && lat2 && lon2)
            m_race.Lines.append({*lat1, *lon1, *lat2, *lon2});
    } else if (key == QLatin1String("LL")) {
        if (!needs(2))
            return;
        const auto up = whole(1, -360, 360), down = whole(2, -360, 360);
        if (up && down) {
            m_race.LayLineUp = *up;
            m_race.LayLineDown = *down;
        }
    } else if (key == QLatin1String("CRS")) {
        m_race.Course.clear();
        m_race.CourseLineNumber = lineNumber;
        for (qsizetype i = 1; i < m_items.size(); ++i) {
            if (!withinBound(m_race.Course.size(), ViewerMaxCourseNames))
                break;
            m_race.Course << m_items[i];
        }
    } else if (key == QLatin1String("AT")) {
        if (!needs(1) || !withinBound(m_race.Attachments.size(), ViewerMaxAttachments))
            return;
        if (!platform::fileExists(m_folder, QStringLiteral("attachment/") + m_items[1])) {
            report(ReadProblem::AttachmentMissing, {m_items[1]});
            return;
        }
        m_race.Attachments << m_items[1];
    } else if (key == QLatin1String("T1")) {
        m_race.Title1 = wholeText();
    } else if (key == QLatin1String("T2")) {
        m_race.Title2 = wholeText();
    } else if (key == QLatin1String("MG")) {
        if (needs(1))
            if (const auto v = number(1, -180.0, 180.0))
                m_race.MagneticVariation = *v;
    } else if (key == QLatin1String("LG")) {
        if (needs(1))
            if (const auto v = number(1))
                m_race.BoatLength = *v;
    } else if (key == QLatin1String("ST")) {
        if (needs(1))
            dateTime(m_race.Start);
    } else if (key == QLatin1String("FT")) {
        if (needs(1))
            dateTime(m_race.Finish);
    } else if (key == QLatin1String("TD")) {
        if (needs(1))
            if (const auto v = whole(1, -24, 24))
                m_race.TimeDifference = *v;
    } else if (key == QLatin1String("WD")) {
        if (needs(1))
            if (const auto v = whole(1, -360, 360))
                m_race.WindDirection = *v;
    } else if (key == QLatin1String("NU")) {
        if (needs(1))
            if (const auto v = whole(1))
                m_race.NorthUp = *v;
    } else if (key == QLatin1String("BT")) {
        if (!needs(1))
            return;
        if (const auto v = whole(1, std::numeric_limits<int>::min(), 24 * 60)) { // a day at the most
            if (*v < 0)
                report(ReadProblem::NegativePreStart, {m_items[1]});
            m_race.PreStartSeconds = *v > 0 ? *v * 60 : 180;
        }
    } else if (key == QLatin1String("WF")) {
        if (needs(1))
            m_race.WindFile = m_items[1];
    } else if (key == QLatin1String("MAP")) {
        m_race.MapTiles = m_items.mid(1);
    }
}

} // namespace

void updateRaceTimes(ViewerRace &race)
{
    race.StartUtc = race.Start.isNull() ? race.Start : race.Start.addSecs(-qint64(race.TimeDifference) * 3600);
    race.FinishUtc = race.Finish.isNull() ? race.Finish : race.Finish.addSecs(-qint64(race.TimeDifference) * 3600);
    if (race.PreStartSeconds <= 0)
        race.PreStartSeconds = 180;
    race.Period.Start = -race.PreStartSeconds - 10;
    race.Period.End = double(secondsFrom(race.Finish, race.Start)) + 30;
}

void parseRaceControl(const QStringList &lines, const QString &applicationFolder, const QString &raceFileName,
                      const QString &relativeFile, ViewerRace &race, ReadProblems &problems)
{
    race.Boats.clear();
    race.Marks.clear();
    race.Lines.clear();
    race.Course.clear();
    race.CourseLineNumber = 0;
    race.MapTiles.clear();
    race.Attachments.clear();
    race.NorthUp = 0;
    race.Title1.clear();
    race.Title2.clear();
    race.WindFile.clear();
    race.Wind.clear();
    race.PreStartSeconds = 180;

    Reader reader(applicationFolder, relativeFile, race, problems);
    int number = 0;
    for (const QString &line : lines) {
        ++number;
        if (!line.trimmed().isEmpty())
            reader.line(number, line);
    }

    updateRaceTimes(race);
    race.TitleText = viewerTitleText(race.Title1, race.Title2, raceFileName);
}
