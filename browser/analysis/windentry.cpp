#include "windentry.h"

#include "pagetexts.h"

#include <appfolder.h>
#include <dialogs.h>
#include <numbers.h>
#include <textfile.h>
#include <windfile.h>

#include <algorithm>

namespace {

constexpr double FirstSampleTime = -300.0; // five minutes before the start

QString raceFilePath(const AppSettings &settings, const RaceControl &race)
{
    return platform::resolvePath(settings.ApplicationFolder, QStringLiteral("raceadmin/") + race.FileName);
}

} // namespace

void WindEntry::reset()
{
    m_on = false;
    m_last = 0;
    m_clicked.clear();
    m_before.clear();
    m_nameBefore.clear();
    m_named = false;
}

void WindEntry::switchOff(RaceControl &race)
{
    m_on = false;
    if (m_named)
        race.WindFile = m_nameBefore;
    m_named = false;
}

void WindEntry::toggle(const AppSettings &settings, RaceControl &race, RaceData &data)
{
    const bool english = settings.isEnglish();
    if (m_on && m_last > 2) {
        bool saved = false;
        if (platform::dialogs().askYesNo(pageText(PageTextId::WindSaveQuestion, english),
                                         pageText(PageTextId::WindSaveCaption, english))) {
            saved = WriteWindFile(settings, race, data.Wind);
            if (saved) {
                m_named = false; // the new name is the race's now
                storeWindFileName(settings, race);
            }
        }
        switchOff(race);
    } else if (m_on) {
        switchOff(race);
    } else if (!race.FileName.isEmpty()) {
        // A track shown on its own has no race file to name a wind file after, nor to record it in.
        m_on = true;
        m_clicked.clear();
        m_before = data.Wind;
        m_nameBefore = race.WindFile;
        m_named = false;
        if (!race.WindFile.isEmpty() &&
            !platform::dialogs().askYesNo(pageText(PageTextId::WindOverwriteQuestion, english),
                                          pageText(PageTextId::WindOverwriteCaption, english)))
            m_on = false;
    }
    m_last = 0;
}

double WindEntry::speedAt(double t) const
{
    for (int j = 0; j + 1 < m_before.size(); ++j) {
        const WindSample &a = m_before[j];
        const WindSample &b = m_before[j + 1];
        if (a.Time <= t && t < b.Time)
            return a.Speed + (t - a.Time) / (b.Time - a.Time) * (b.Speed - a.Speed);
    }
    for (const WindSample &s : m_before)
        if (s.Time == t)
            return s.Speed;
    return 0.0;
}

bool WindEntry::press(double x, double y, const GraphScale &scale, RaceControl &race, RaceData &data)
{
    if (!m_on || !scale.isValid() || x < GraphLayout::DirectionLeft || x > GraphLayout::DirectionRight)
        return false;
    if (!m_named) {
        race.WindFile = manualWindFileName(race.FileName);
        m_named = true;
    }
    m_last = std::max(m_last + 1, 2);

    WindSample s;
    s.Time = scale.yToTime(y);
    s.Direction = scale.xToDirection(x);
    // To the hundredth of a knot the wind files are written in, not fifteen digits of interpolation.
    s.Speed = platform::roundTo(speedAt(s.Time), 2);
    // After the samples of the same second, so that equal times keep the order of the clicks.
    const auto at = std::upper_bound(m_clicked.begin(), m_clicked.end(), s.Time,
                                     [](double t, const WindSample &w) { return t < w.Time; });
    m_clicked.insert(at, s);

    QVector<WindSample> table;
    table.reserve(m_clicked.size() + 2);
    table.append({FirstSampleTime, m_clicked.first().Speed, m_clicked.first().Direction});
    table += m_clicked;
    table.append({scale.duration, m_clicked.last().Speed, m_clicked.last().Direction});
    data.Wind = table;
    return true;
}

bool storeWindFileName(const AppSettings &settings, const RaceControl &race)
{
    if (race.FileName.isEmpty())
        return true;
    const QString path = raceFilePath(settings, race);
    const auto read = platform::readTextFile(path);
    QString why = read.error;
    if (read.truncated) // what lies beyond the part read would be lost
        why = QStringLiteral("%1: larger than %2 MB").arg(path).arg(platform::MaxTextFileBytes >> 20);
    else if (read.ok) {
        QStringList lines = read.lines;
        QString named; // the WF the reader takes: the last one
        QList<int> wfLines;
        for (int i = 0; i < lines.size(); ++i) {
            const qsizetype comma = lines[i].indexOf(u',');
            if (comma >= 0 && lines[i].left(comma).trimmed() == QLatin1String("WF")) {
                wfLines << i;
                named = lines[i].mid(comma + 1).trimmed();
            }
        }
        if (!wfLines.isEmpty() && named.compare(race.WindFile, Qt::CaseInsensitive) == 0)
            return true;
        const QString wf = QStringLiteral("WF, ") + race.WindFile;
        for (int i : wfLines)
            lines[i] = wf;
        if (wfLines.isEmpty())
            lines.prepend(wf);
        if (platform::writeTextFile(path, lines, &why))
            return true;
    }
    const bool english = settings.isEnglish();
    platform::dialogs().message(pageText(PageTextId::WindLinkFailed, english).arg(race.WindFile, why));
    return false;
}
