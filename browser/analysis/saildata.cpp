#include "saildata.h"

#include <appfolder.h>
#include <dialogs.h>
#include <numbers.h>
#include <textfile.h>

#include <QDir>

#include <cmath>

namespace {

// The export has always converted with this value of pi; keep it so the figures of files
// written before stay the same.
constexpr double Pi = 3.14159;

void closeLeg(SailLeg &leg, const BoatTrack &track, const RaceExtent &x,
              const platform::LocalDateTime &start)
{
    const TrackPoint &a = track.Points[leg.startIndex];
    const TrackPoint &b = track.Points[leg.endIndex];
    leg.startTime = start.addSecs(qint64(std::floor(a.Time)));
    leg.endTime = start.addSecs(qint64(std::floor(b.Time)));
    const double dLat = b.Lat - a.Lat;
    const double dLon = (b.Lon - a.Lon) * x.LonFactor;
    const double v = std::sqrt(dLat * dLat + dLon * dLon) * x.MetresPerLatMinute / 1852.0;
    const double p = leg.portDistance, s = leg.starboardDistance;
    leg.directDistance = v;
    leg.duration = b.Time - a.Time;
    // A stretch whose fixes run backwards in time has no speed to give.
    const bool valid = v != 0 && p != 0 && s != 0 && v <= p + s && p <= v + s && s <= v + p
        && leg.duration > 0;
    if (!valid)
        return;
    const double h = (v + p + s) / 2;
    const double A = std::atan(std::sqrt((h - p) * (h - s) / (h * (h - v)))) * 180 / Pi;
    leg.TWA = leg.pointOfSail == PointOfSail::Upwind ? 90 - A : 90 + A;
    leg.BSP = 3600 * (p + s) / leg.duration;
    leg.VMG = std::cos(leg.TWA * Pi / 180) * leg.BSP;
    leg.hasValues = leg.BSP != 0;
}

QString twoDecimals(double x)
{
    return platform::formatNumber(std::floor(x * 100 + 0.5) / 100);
}

} // namespace

int SailData::columnCount() const
{
    int n = 1;
    for (const BoatSailLegs &b : boats)
        n = std::max(n, b.counter());
    return n;
}

BoatSailLegs computeSailLegs(const BoatTrack &track, double windDirection, double endTime,
                             const RaceExtent &extent, const platform::LocalDateTime &startTime)
{
    BoatSailLegs out;
    const auto &p = track.Points;
    const int count = int(p.size());
    int B = -1, E = -1;
    for (int j = 1; j <= count - 2; ++j) {
        if (p[j].Time >= 0 && p[j - 1].Time < 0) {
            B = j;
            break;
        }
    }
    // Searched from the end and never below the tenth point, as the export always has.
    for (int j = count - 2; j >= 9; --j) {
        if (p[j].Time >= endTime && p[j - 1].Time < endTime) {
            E = j;
            break;
        }
    }
    if (B < 0 || E < 0)
        return out;
    out.hasSpan = true;

    PointOfSail current = PointOfSail::Upwind;
    SailLeg leg;
    leg.startIndex = B;
    leg.pointOfSail = current;
    for (int j = B; j <= E; ++j) {
        double a = p[j].Course - windDirection;
        if (a > 180)
            a -= 360;
        if (a < -180)
            a += 360;
        const PointOfSail here = std::fabs(a) < 90 ? PointOfSail::Upwind : PointOfSail::Downwind;
        if (here != current || j == E) {
            leg.endIndex = j;
            closeLeg(leg, track, extent, startTime);
            out.legs.append(leg);
            leg = SailLeg();
            leg.startIndex = j;
        }
        const double segment = p[j + 1].Distance - p[j].Distance;
        if (a > 0)
            leg.portDistance += segment;
        else
            leg.starboardDistance += segment;
        current = here;
        leg.pointOfSail = current;
    }
    return out;
}

SailData ComputeSailData(const RaceControl &race, const RaceData &data, const LegStats &stats,
                         const QString &singleTrackFile)
{
    SailData out;
    out.raceName = race.FileName.isEmpty() ? singleTrackFile : race.FileName;
    const int n = std::min(race.Course.Count(), stats.analysedCount());
    const BoatTrack none;
    for (int b = 1; b <= race.boatCount(); ++b) {
        const BoatTrack &track = b <= data.Tracks.size() ? data.Tracks[b - 1] : none;
        // The passing of the second-to-last entry ends the span; a course of one entry has none
        // (0, like an entry never passed).
        const double endTime = n >= 2 ? stats.roundingTime(b, n - 1) : 0.0;
        BoatSailLegs legs = computeSailLegs(track, race.WindDirection, endTime, data.Extent,
                                            race.StartTime);
        legs.name = race.Boats[b - 1].Name;
        out.boats.append(legs);
    }
    return out;
}

QStringList sailDataLines(const SailData &data)
{
    QStringList lines;
    lines << data.raceName;
    const int columns = data.columnCount();
    QString times;
    QString header = QStringLiteral("BoatName");
    const BoatSailLegs *first = data.boats.isEmpty() ? nullptr : &data.boats.first();
    for (int m = 1; m <= columns; ++m) {
        times += QStringLiteral(", Leg,");
        if (first && m <= first->legs.size()) {
            const SailLeg &l = first->legs[m - 1];
            times += l.startTime.toString() + QLatin1Char(',') + l.endTime.toString();
        } else {
            times += QLatin1Char(',');
        }
        header += QStringLiteral(",BSP,TWA,VMG");
    }
    lines << times << header;
    for (const BoatSailLegs &b : data.boats) {
        QString row = b.name;
        QString pending;
        for (const SailLeg &l : b.legs) {
            if (!l.hasValues) {
                pending += QStringLiteral(",,,");
                continue;
            }
            row += pending + QLatin1Char(',') + twoDecimals(l.BSP) + QLatin1Char(',')
                + twoDecimals(l.TWA) + QLatin1Char(',') + twoDecimals(l.VMG);
            pending.clear();
        }
        lines << row;
    }
    return lines;
}

QString sailDataFileName(const QString &raceFileName, const QString &singleTrackFile)
{
    const QString name = raceFileName.isEmpty() ? singleTrackFile : raceFileName;
    if (name.isEmpty())
        return {};
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    const QString base = dot > 0 ? name.left(dot) : name;
    return base + QStringLiteral(".csv");
}

bool ExportSailData(const AppSettings &settings, RaceControl &race, const RaceData &data,
                    const LegStats &stats, QString *writtenPath)
{
    race.ShownWindDirection = race.WindDirection;
    const QString fileName = sailDataFileName(race.FileName, settings.SingleTrackFile);
    if (fileName.isEmpty()) {
        platform::dialogs().message(settings.text(
            QStringLiteral("No race is loaded: there is no sail data to write."),
            QStringLiteral("レースが読み込まれていないため、セールデータを書き出せません。")));
        return false;
    }
    const QString folder = platform::resolvePath(settings.ApplicationFolder, QStringLiteral("saildata"));
    const QString path = platform::resolvePath(settings.ApplicationFolder,
                                               QStringLiteral("saildata/") + fileName);
    if (writtenPath)
        *writtenPath = path;
    QString error;
    bool ok = QDir().mkpath(folder);
    if (ok) {
        const SailData sail = ComputeSailData(race, data, stats, settings.SingleTrackFile);
        ok = platform::writeTextFile(path, sailDataLines(sail), &error);
    }
    if (!ok) {
        platform::dialogs().message(settings.text(
            QStringLiteral("Cannot write the sail data file (") + path + QStringLiteral(")"),
            QStringLiteral("セールデータファイルを書き込めません（") + path + QStringLiteral("）")));
        return false;
    }
    return true;
}
