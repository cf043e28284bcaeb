#include "raceeditor.h"

#include "formtexts.h"

#include <appfolder.h>
#include <numbers.h>
#include <racecontrolfile.h>
#include <racedata.h>
#include <textfile.h>
#include <trackfileparser.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cmath>

using platform::LocalDateTime;
using platform::formatNumber;
using platform::leadingNumber;

namespace {

constexpr int MaxTimeDifferenceHours = 24;
// The default start lies this long after the first record: a log usually starts a little
// before the gun.
constexpr qint64 StartAfterFirstRecordSecs = 4 * 60;
// After the editor's reading the display window opens this long before the start.
constexpr qint64 EditorDisplayLeadSecs = 5 * 60;

QString appFolderPath(const AppSettings &settings, const QString &folder)
{
    return platform::resolvePath(settings.ApplicationFolder, folder);
}

} // namespace

TrackScan scanTrackBytes(QByteArrayView bytes, const QString &problemFile)
{
    // The race load's own parser, on a scratch race with no start and no time difference, so
    // every record is taken and its date-time stays UTC.
    RaceControl scratch;
    scratch.TimeDifference = 0;
    BoatTrack track;
    const TrackParseResult parsed = parseTrackBytes(bytes, scratch, track, problemFile);
    TrackScan scan;
    scan.problems = parsed.problems;
    if (track.isEmpty() || scratch.FirstFixTime.isNull())
        return scan;
    scan.found = true;
    scan.first = scratch.FirstFixTime;
    scan.last = scratch.LastFixTime;
    scan.firstLonMinutes = track.Points.first().Lon;
    return scan;
}

TrackScan scanTrackFile(const QString &path)
{
    // Only a regular file: a pipe in gpsdat would wait for a writer forever.
    const platform::FileReadResult read = platform::readFileBytes(path, platform::MaxTrackFileBytes);
    if (!read.ok)
        return {};
    // Problems name the file as its folder and name: the editor scans gpsdat files only.
    const QFileInfo info(path);
    return scanTrackBytes(read.bytes, info.dir().dirName() + u'/' + info.fileName());
}

qint16 timeDifferenceForLongitude(double lonMinutes)
{
    return qint16(std::floor(lonMinutes / 15.0 / 60.0 + 0.5));
}

// A boat length is read in full: "4.7" but not "4.7m".
static std::optional<float> strictBoatLength(const QString &line)
{
    bool ok = false;
    const double v = line.section(u',', 1).trimmed().toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return float(v);
}

bool readRaceControlForEditor(const AppSettings &settings, RaceControl &race, FileProblems *problems)
{
    const float lengthBefore = race.BoatLength;
    race.WindDirection = 0.0f;
    if (!ReadRaceControl(settings, race, problems))
        return false;

    const auto read = platform::readTextFile(
        platform::resolvePath(settings.ApplicationFolder, QStringLiteral("raceadmin/") + race.FileName));
    float length = lengthBefore;
    bool anyRefused = false;
    int lineNumber = 0;
    for (const QString &line : read.lines) {
        ++lineNumber;
        if (line.section(u',', 0, 0).trimmed() != QLatin1String("LG") || !line.contains(u','))
            continue;
        if (const auto v = strictBoatLength(line)) {
            length = *v;
        } else {
            anyRefused = true;
            if (problems)
                problems->append({QStringLiteral("raceadmin/") + race.FileName, lineNumber, FileProblem::NotANumber,
                                  line.section(u',', 1).trimmed()});
        }
    }
    if (anyRefused)
        race.BoatLength = length == 0.0f ? 4.7f : length;
    if (!race.StartTime.isNull())
        race.DisplayStart = race.StartTime.addSecs(-EditorDisplayLeadSecs);
    return true;
}

RaceEditor::RaceEditor(AppSettings &settings, RaceControl &race) : m_settings(settings), m_race(race)
{
    // The design values of the boxes, shown until the first refresh.
    boxText(EditorBox::Text6) = QStringLiteral("-7");
    boxText(EditorBox::Text5) = QStringLiteral("4.7");
    boxText(EditorBox::Text12) = QStringLiteral("3");
    boxText(EditorBox::Text10) = QStringLiteral("160");
    boxText(EditorBox::Text9) = QStringLiteral("45");
    m_caption = formText(m_settings, FormText::EditorCaption);
}

void RaceEditor::open(qint16 timeZoneHours)
{
    m_race.TimeDifference = timeZoneHours;
    m_race.Boats.clear();
    m_race.MagneticVariation = -7.0;
    m_race.LayLineUp = 45.0;
    m_race.LayLineDown = 160.0;
    m_race.BoatLength = 4.7f;
    boxText(EditorBox::Text3) = QString::number(m_race.TimeDifference);
    m_timeDifferenceTaken = true;
    m_firstTrackPath.clear();
    m_loadedFile = false;
    m_boatLines.clear();
}

std::optional<TrackScan> RaceEditor::refresh()
{
    m_caption = formText(m_settings, FormText::EditorCaption) + QStringLiteral("   ") + m_race.FileName;
    if (!m_race.Title1.isEmpty())
        boxText(EditorBox::Text7) = m_race.Title1;
    if (!m_race.Title2.isEmpty())
        boxText(EditorBox::Text8) = m_race.Title2;

    m_boatLines.clear();
    for (const BoatEntry &b : m_race.Boats)
        m_boatLines << b.Name + QStringLiteral("        ") + b.TrackFile;

    std::optional<TrackScan> scan;
    if (!m_firstTrackPath.isEmpty())
        scan = scanTrackFile(m_firstTrackPath);
    const bool haveRecords = scan && scan->found;

    // The box shows the wind file the race holds, also when a cancelled choice emptied it.
    boxText(EditorBox::Text11) = m_race.WindFile;

    if (m_race.TimeDifference == 0 && haveRecords)
        m_race.TimeDifference = timeDifferenceForLongitude(scan->firstLonMinutes);
    const qint64 zoneSecs = qint64(m_race.TimeDifference) * 3600;
    // Without a record to start from, an empty start or finish stays empty: the save then asks
    // for it.
    if (m_race.StartTime.isNull() && haveRecords)
        m_race.StartTime = scan->first.addSecs(zoneSecs + StartAfterFirstRecordSecs);
    if (m_race.FinishTime.isNull() && haveRecords) {
        m_race.FinishTime = scan->last.addSecs(zoneSecs);
        m_race.DisplayEnd = m_race.FinishTime;
    }

    boxText(EditorBox::Text1) = m_race.StartTime.toString();
    boxText(EditorBox::Text2) = m_race.FinishTime.toString();
    boxText(EditorBox::Text3) = QString::number(m_race.TimeDifference);
    m_timeDifferenceTaken = true;
    boxText(EditorBox::Text4) = formatNumber(double(m_race.WindDirection), 7);
    boxText(EditorBox::Text5) = formatNumber(double(m_race.BoatLength), 7);
    boxText(EditorBox::Text6) = formatNumber(m_race.MagneticVariation);
    boxText(EditorBox::Text9) = formatNumber(m_race.LayLineUp);
    boxText(EditorBox::Text10) = formatNumber(m_race.LayLineDown);
    boxText(EditorBox::Text12) = formatNumber(m_race.PreStartMinutes);

    m_attachmentLines = m_race.Attachments;
    return scan;
}

static std::optional<qint16> wholeHours(const QString &text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v) || std::fabs(v) > MaxTimeDifferenceHours)
        return std::nullopt;
    return qint16(platform::roundHalfEven(v));
}

void RaceEditor::edit(EditorBox b, const QString &text)
{
    boxText(b) = text;
    switch (b) {
    case EditorBox::Text3:
        if (const auto hours = wholeHours(text)) {
            m_race.TimeDifference = *hours;
            m_timeDifferenceTaken = true;
        } else {
            m_timeDifferenceTaken = false;
        }
        break;
    case EditorBox::Text4:
        m_race.WindDirection = float(leadingNumber(text));
        m_race.ShownWindDirection = m_race.WindDirection;
        break;
    case EditorBox::Text6:
        m_race.MagneticVariation = leadingNumber(text);
        break;
    case EditorBox::Text7:
        m_race.Title1 = text.trimmed();
        break;
    case EditorBox::Text8:
        m_race.Title2 = text.trimmed();
        break;
    case EditorBox::Text9:
        m_race.LayLineUp = leadingNumber(text);
        break;
    case EditorBox::Text10:
        m_race.LayLineDown = leadingNumber(text);
        break;
    default:
        break; // taken back on save, or not at all
    }
}

void RaceEditor::setNorthUp(bool northUp)
{
    m_race.NorthUp = northUp ? 1.0 : 0.0;
}

QStringList RaceEditor::trackFileChoices() const
{
    return fileSelectListing(appFolderPath(m_settings, QStringLiteral("gpsdat")));
}

QString RaceEditor::defaultBoatName() const
{
    return QStringLiteral("BOAT%1").arg(m_race.boatCount() + 1);
}

RaceEditor::AddResult RaceEditor::addBoat(const QString &trackFile, const std::optional<QString> &name)
{
    if (!name || name->isEmpty())
        return AddResult::NoName;
    if (trackFile.isEmpty())
        return AddResult::NoFile;
    if (m_race.boatCount() >= MaxBoats)
        return AddResult::Full;
    BoatEntry boat;
    boat.TrackFile = trackFile;
    boat.Name = *name;
    boat.colour = boatColour(m_race.boatCount() + 1);
    m_race.Boats.append(boat);
    if (m_race.boatCount() == 1)
        m_firstTrackPath = platform::resolvePath(m_settings.ApplicationFolder, QStringLiteral("gpsdat/") + trackFile);
    else
        m_firstTrackPath.clear();
    return AddResult::Added;
}

bool RaceEditor::removeBoat(int line)
{
    if (line < 0 || line >= m_race.boatCount())
        return false;
    m_race.Boats.removeAt(line);
    m_race.colourBoats();
    return true;
}

bool RaceEditor::loadRaceFile(const QString &name, FileProblems *problems)
{
    m_race.FileName = name;
    const bool ok = readRaceControlForEditor(m_settings, m_race, problems);
    m_loadedFile = ok;
    return ok;
}

QString RaceEditor::raceFilePath() const
{
    return platform::resolvePath(m_settings.ApplicationFolder, QStringLiteral("raceadmin/") + m_race.FileName);
}

void RaceEditor::prepareLoadSelection(FileSelectParameters &p) const
{
    p.Mode = FileSelectMode::Existing;
    p.Folder = appFolderPath(m_settings, QStringLiteral("raceadmin"));
    p.Extension = QStringLiteral("txt");
    p.Text = QStringLiteral("*.*");
}

void RaceEditor::prepareWindSelection(FileSelectParameters &p) const
{
    p.Mode = FileSelectMode::NewOrExisting;
    p.Folder = appFolderPath(m_settings, QStringLiteral("winddat"));
    p.Extension = QStringLiteral("csv");
}

void RaceEditor::prepareAttachmentSelection(FileSelectParameters &p) const
{
    p.Mode = FileSelectMode::Existing;
    p.Folder = appFolderPath(m_settings, QStringLiteral("attachment"));
    p.Extension = QStringLiteral("*.*");
    p.Text = QStringLiteral("*.*");
}

void RaceEditor::prepareSaveSelection(FileSelectParameters &p) const
{
    p.Mode = FileSelectMode::NewOrExisting;
    p.Folder = appFolderPath(m_settings, QStringLiteral("raceadmin"));
    p.Extension = QStringLiteral("txt");
}

void RaceEditor::writeIfLoaded()
{
    // The race control file is rewritten only when this window loaded it. After opening, the
    // race still names the race last shown while its boats are gone: writing that file would
    // drop its boats. A new race is written by the save.
    if (m_loadedFile)
        WriteRaceControl(m_settings, m_race);
}

void RaceEditor::setWindFile(const QString &name)
{
    m_race.WindFile = name;
    writeIfLoaded();
}

RaceEditor::AddResult RaceEditor::addAttachment(const QString &name)
{
    if (name.isEmpty())
        return AddResult::NoFile;
    if (m_race.Attachments.size() >= MaxAttachments)
        return AddResult::Full;
    m_race.Attachments << name;
    writeIfLoaded();
    return AddResult::Added;
}

void RaceEditor::clearAttachments()
{
    m_race.Attachments.clear();
    writeIfLoaded();
}

RaceEditor::SaveCheck RaceEditor::takeBoxesBack()
{
    if (m_race.boatCount() == 0)
        return SaveCheck::NoBoats;
    m_race.BoatLength = float(leadingNumber(box(EditorBox::Text5)));
    m_race.MagneticVariation = leadingNumber(box(EditorBox::Text6));
    m_race.Title1 = box(EditorBox::Text7).trimmed();
    m_race.Title2 = box(EditorBox::Text8).trimmed();
    m_race.PreStartMinutes = leadingNumber(box(EditorBox::Text12));
    m_race.PreStartSeconds = 60.0 * m_race.PreStartMinutes;
    // A box that holds no date-time leaves the race's time as it was: the save stops there and
    // the user corrects the box.
    const LocalDateTime start = LocalDateTime::parse(box(EditorBox::Text1));
    const LocalDateTime finish = LocalDateTime::parse(box(EditorBox::Text2));
    if (!start.isNull())
        m_race.StartTime = start;
    if (!finish.isNull())
        m_race.FinishTime = finish;
    updateDerivedTimes(m_race);
    if (start.isNull())
        return SaveCheck::BadStart;
    if (finish.isNull())
        return SaveCheck::BadFinish;
    return SaveCheck::Ready;
}

bool RaceEditor::saveAs(const QString &fileName)
{
    m_race.FileName = fileName;
    if (!WriteRaceControl(m_settings, m_race))
        return false;
    m_loadedFile = true;
    return true;
}
