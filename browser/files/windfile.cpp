#include "windfile.h"

#include <appfolder.h>
#include <dialogs.h>
#include <localdatetime.h>
#include <numbers.h>
#include <textfile.h>

#include <QDir>
#include <QFileInfo>

#include <cmath>

QString windFileHeader()
{
    return QStringLiteral("TIME,WIND SPEED,WIND DIRECTION (Mag)");
}

QString manualWindFileName(const QString &raceFileName)
{
    return raceFileName.section(u'.', 0, 0) + QStringLiteral("_WIND.CSV");
}

QVector<WindSample> parseWindLines(const QStringList &lines, const RaceControl &rc, ProblemReporter *problems)
{
    QVector<WindSample> samples;
    auto warn = [problems](int lineNumber, FileProblem::Kind kind, const QString &value = {}) {
        if (problems)
            problems->add(lineNumber, kind, value);
    };
    const bool open = rc.FinishTime.isNull();
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const int lineNumber = int(i) + 1;
        const QString &line = lines[i];
        if (line.trimmed().isEmpty())
            continue;
        const QStringList fields = line.split(u',');
        if (fields.size() < 3) {
            warn(lineNumber, FileProblem::FewerThanThreeValues);
            continue;
        }
        const auto t = platform::LocalDateTime::parseSystemText(fields[0]);
        if (t.isNull()) {
            warn(lineNumber, FileProblem::UnreadableDateTime, fields[0].trimmed());
            continue;
        }
        const auto speed = platform::readLeadingNumber(fields[1]);
        const auto direction = platform::readLeadingNumber(fields[2]);
        if (!speed || !direction) {
            warn(lineNumber, FileProblem::NotANumber, (speed ? fields[2] : fields[1]).trimmed());
            continue;
        }
        // An end of the window that is not known yet (no finish, or no start) leaves that side open.
        if (!open && ((!rc.DisplayStart.isNull() && rc.DisplayStart.minutesTo(t) < 0) ||
                      (!rc.DisplayEnd.isNull() && t.minutesTo(rc.DisplayEnd) < 0)))
            continue;
        WindSample s;
        s.Time = double(rc.StartTime.secsTo(t));
        s.Speed = *speed;
        s.Direction = *direction;
        samples.append(s);
    }
    return samples;
}

QStringList formatWindLines(const QVector<WindSample> &samples, const RaceControl &rc)
{
    QStringList lines;
    lines.reserve(samples.size() + 1);
    lines << windFileHeader();
    for (const WindSample &s : samples) {
        lines << rc.StartTime.addSecs(qint64(std::llround(s.Time))).toString() + QLatin1Char(',') +
                     platform::formatNumber(s.Speed) + QLatin1Char(',') + platform::formatNumber(s.Direction);
    }
    return lines;
}

static QString windPath(const AppSettings &settings, const QString &name)
{
    return platform::resolvePath(settings.ApplicationFolder, QStringLiteral("winddat/") + name);
}

bool ReadWindFile(const AppSettings &settings, const RaceControl &rc, QVector<WindSample> &samples,
                  FileProblems *problems)
{
    samples.clear();
    if (rc.WindFile.isEmpty())
        return false;
    const QString path = windPath(settings, rc.WindFile);
    if (!QFileInfo(path).isFile())
        return false;
    ProblemReporter reporter(problems, problemFileName(settings.ApplicationFolder, path));
    const auto read = platform::readTextFile(path);
    if (!read.ok) {
        reporter.add(0, FileProblem::FileUnreadable, read.reason);
        return false;
    }
    samples = parseWindLines(read.lines, rc, &reporter);
    if (read.truncated)
        reporter.add(0, FileProblem::FileTooLarge, QString::number(platform::MaxTextFileBytes >> 20));
    return true;
}

bool WriteWindFile(const AppSettings &settings, const RaceControl &rc, const QVector<WindSample> &samples)
{
    const QString path = windPath(settings, rc.WindFile);
    QString error;
    if (rc.WindFile.isEmpty()) {
        error = settings.text(QStringLiteral("The wind file has no name."), QStringLiteral("風データファイルの名前がありません。"));
    } else if (rc.StartTime.isNull()) {
        error = settings.text(QStringLiteral("The race has no start time: %1 was not written."),
                              QStringLiteral("スタート時刻がないため %1 を書き込めません。"))
                    .arg(QDir::toNativeSeparators(path));
    } else {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QString why;
        if (platform::writeTextFile(path, formatWindLines(samples, rc), &why))
            return true;
        error = settings.text(QStringLiteral("The wind file could not be written: %1"),
                              QStringLiteral("風データファイルを書き込めません: %1"))
                    .arg(why);
    }
    platform::dialogs().message(error);
    return false;
}

static double normalisedDegrees(double d)
{
    d = std::fmod(d, 360.0);
    if (d < 0.0)
        d += 360.0;
    if (d >= 360.0)
        d -= 360.0;
    return d;
}

static ShownWind shownWind(double speed, double magneticDirection, double magneticVariation)
{
    ShownWind w;
    w.Speed = platform::roundTo(speed, 1);
    w.Direction = normalisedDegrees(normalisedDegrees(magneticDirection) + magneticVariation);
    return w;
}

std::optional<ShownWind> windAt(const QVector<WindSample> &samples, double t, bool forward, double magneticVariation,
                                WindSearch &search)
{
    const int n = int(samples.size());
    if (n == 0)
        return std::nullopt;
    auto brackets = [&](int k) { return samples[k].Time <= t && t < samples[k + 1].Time; };

    int found = -1;
    if (n >= 2) {
        const int kept = qBound(-1, search.index, n - 2);
        if (forward) {
            for (int k = qMax(kept, 0); k <= n - 2 && found < 0; ++k)
                if (brackets(k))
                    found = k;
        } else {
            for (int k = qMin(kept + 1, n - 2); k >= 0 && found < 0; --k)
                if (brackets(k))
                    found = k;
        }
        // A jump against the direction of play: the files are in file order, not necessarily
        // in time order, so look at every pair rather than bisect.
        for (int k = 0; k <= n - 2 && found < 0; ++k)
            if (brackets(k))
                found = k;
    }
    search.index = found;
    if (found < 0) {
        // Outside the samples: the nearest one in time holds.
        int nearest = 0;
        for (int k = 1; k < n; ++k)
            if (std::fabs(samples[k].Time - t) < std::fabs(samples[nearest].Time - t))
                nearest = k;
        return shownWind(samples[nearest].Speed, samples[nearest].Direction, magneticVariation);
    }
    const WindSample &a = samples[found];
    const WindSample &b = samples[found + 1];
    const double f = (t - a.Time) / (b.Time - a.Time);
    const double turn = platform::foldAngle(b.Direction - a.Direction);
    const double direction = a.Direction + f * turn;
    return shownWind(a.Speed + f * (b.Speed - a.Speed), direction, magneticVariation);
}

bool WindAt(RaceControl &rc, const QVector<WindSample> &samples, double t, bool forward, WindSearch &search)
{
    const auto w = windAt(samples, t, forward, rc.MagneticVariation, search);
    if (!w)
        return false;
    rc.ShownWindSpeed = w->Speed;
    rc.ShownWindDirection = w->Direction;
    return true;
}
