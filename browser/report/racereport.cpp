#include "racereport.h"

#include <datapage.h>

#include <numbers.h>

#include <QJsonArray>

#include <cmath>

namespace {

QJsonValue number(double x)
{
    return std::isfinite(x) ? QJsonValue(x) : QJsonValue();
}

QJsonValue dateTime(const platform::LocalDateTime &t)
{
    return t.isNull() ? QJsonValue() : QJsonValue(t.toString());
}

double twoDecimals(double x)
{
    return std::floor(x * 100 + 0.5) / 100;
}

QString csvText(QString s)
{
    if (s.contains(QLatin1Char(',')) || s.contains(QLatin1Char('"')))
        s = QLatin1Char('"') + s.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
    return s;
}

} // namespace

RaceReport buildRaceReport(const RaceControl &race, const RaceData &data, double referenceSpeed,
                           const QString &singleTrackFile)
{
    RaceReport r;
    r.race = &race;
    r.data = &data;
    r.referenceSpeed = referenceSpeed;
    r.stats.ComputeRoundingTimes(race, data);
    r.stats.ComputeRoundingDistances(data);
    r.sail = ComputeSailData(race, data, r.stats, singleTrackFile);
    return r;
}

QJsonObject reportJson(const RaceReport &report, const ReportOptions &options)
{
    const RaceControl &race = *report.race;
    const RaceData &data = *report.data;
    const LegStats &stats = report.stats;
    const int entries = race.Course.Count();

    QJsonObject r;
    r["fileName"] = race.FileName;
    r["startTime"] = dateTime(race.StartTime);
    r["finishTime"] = dateTime(race.FinishTime);
    r["timeDifference"] = race.TimeDifference;
    r["raceDuration"] = double(race.RaceDuration);
    r["windFile"] = race.WindFile;
    r["windDirection"] = double(race.WindDirection);
    r["magneticVariation"] = race.MagneticVariation;
    QJsonArray marks, lines;
    for (const RaceMark &m : race.Marks)
        marks.append(QJsonArray{m.Lat, m.Lon});
    for (const RaceLine &l : race.Lines)
        lines.append(QJsonArray{l.Lat1, l.Lon1, l.Lat2, l.Lon2});
    r["marks"] = marks;
    r["lines"] = lines;
    r["course"] = QJsonArray::fromStringList(race.Course.Entries);

    QJsonArray boats;
    for (int b = 1; b <= race.boatCount(); ++b) {
        const BoatEntry &entry = race.Boats[b - 1];
        const BoatTrack empty;
        const BoatTrack &track = b <= data.Tracks.size() ? data.Tracks[b - 1] : empty;
        QJsonObject o;
        o["number"] = b;
        o["name"] = entry.Name;
        o["trackFile"] = entry.TrackFile;
        o["pointCount"] = track.PointCount();
        o["firstTime"] = track.isEmpty() ? QJsonValue() : QJsonValue(track.Points.first().Time);
        o["lastTime"] = track.isEmpty() ? QJsonValue() : QJsonValue(track.Points.last().Time);
        QJsonArray times, distances;
        for (int e = 1; e <= entries; ++e) {
            times.append(stats.roundingTime(b, e));
            distances.append(stats.roundingDistance(b, e));
        }
        o["passingTimes"] = times;
        o["passingDistances"] = distances;
        if (options.points) {
            QJsonArray pts;
            for (const TrackPoint &p : track.Points)
                pts.append(QJsonArray{p.Time, p.Lat, p.Lon, p.Distance, p.Speed, p.Course});
            o["points"] = pts;
        }
        boats.append(o);
    }

    const RaceExtent &x = data.Extent;
    QJsonObject extent;
    extent["minLat"] = x.MinLat;
    extent["maxLat"] = x.MaxLat;
    extent["minLon"] = x.MinLon;
    extent["maxLon"] = x.MaxLon;
    extent["centreLat"] = x.CentreLat;
    extent["centreLon"] = x.CentreLon;
    extent["span"] = x.Span;
    extent["lonFactor"] = x.LonFactor;
    extent["metresPerLatMinute"] = x.MetresPerLatMinute;

    QJsonArray leaders;
    for (int e = 1; e <= entries; ++e)
        leaders.append(stats.leaderTime(e));

    // The Data page's tables: accumulated figures per entry, leg figures per leg for boats that
    // passed the leg's entry; the same computation the page shows.
    const int columns = dataEntryCount(race);
    const LegTables byTime = computeLegTables(stats, race.boatCount(), columns, DataMode::Time);
    const LegTables byDistance = computeLegTables(stats, race.boatCount(), columns, DataMode::Distance);
    const LegTables bySpeed = computeLegTables(stats, race.boatCount(), columns, DataMode::Speed);
    auto cell = [](const LegTableCell &c) { return c.shown ? QJsonValue(c.value) : QJsonValue(); };
    QJsonArray legs;
    for (int b = 1; b <= race.boatCount(); ++b) {
        QJsonArray acc, byLeg;
        for (int e = 1; e <= columns; ++e) {
            acc.append(QJsonObject{{"entry", race.Course.Entries[e - 1]},
                                   {"time", byTime.acc(b, e).value},
                                   {"distance", byDistance.acc(b, e).value},
                                   {"speed", bySpeed.acc(b, e).value},
                                   {"passed", stats.isPassed(b, e)}});
            if (e < 2)
                continue;
            byLeg.append(QJsonObject{{"leg", QStringLiteral(">") + race.Course.Entries[e - 1]},
                                     {"time", cell(byTime.leg(b, e))},
                                     {"distance", cell(byDistance.leg(b, e))},
                                     {"speed", cell(bySpeed.leg(b, e))}});
        }
        legs.append(QJsonObject{{"boat", race.Boats[b - 1].Name},
                                {"accumulated", acc},
                                {"byLeg", byLeg}});
    }

    QJsonArray sail;
    for (const BoatSailLegs &b : report.sail.boats) {
        QJsonArray list;
        int m = 0;
        for (const SailLeg &l : b.legs) {
            ++m;
            QJsonObject o{{"leg", m},
                          {"pointOfSail", l.pointOfSail == PointOfSail::Upwind ? "upwind" : "downwind"},
                          {"startTime", dateTime(l.startTime)},
                          {"endTime", dateTime(l.endTime)},
                          {"duration", l.duration},
                          {"directDistance", l.directDistance},
                          {"portDistance", l.portDistance},
                          {"starboardDistance", l.starboardDistance}};
            o["bsp"] = l.hasValues ? number(twoDecimals(l.BSP)) : QJsonValue();
            o["twa"] = l.hasValues ? number(twoDecimals(l.TWA)) : QJsonValue();
            o["vmg"] = l.hasValues ? number(twoDecimals(l.VMG)) : QJsonValue();
            list.append(o);
        }
        sail.append(QJsonObject{{"boat", b.name}, {"legs", list}});
    }

    QJsonObject root;
    root["race"] = r;
    root["boats"] = boats;
    root["extent"] = extent;
    root["referenceSpeed"] = report.referenceSpeed;
    root["leaderTimes"] = leaders;
    root["legs"] = legs;
    root["sailLegs"] = sail;
    return root;
}

QStringList reportCsv(const RaceReport &report)
{
    using platform::formatNumber;
    const RaceControl &race = *report.race;
    const LegStats &stats = report.stats;
    const int entries = dataEntryCount(race);
    const LegTables byTime = computeLegTables(stats, race.boatCount(), entries, DataMode::Time);
    const LegTables byDistance = computeLegTables(stats, race.boatCount(), entries, DataMode::Distance);
    const LegTables bySpeed = computeLegTables(stats, race.boatCount(), entries, DataMode::Speed);
    auto cell = [](const LegTableCell &c) { return c.shown ? formatNumber(c.value) : QString(); };
    QStringList out;
    QStringList head{QStringLiteral("Boat")};
    for (int e = 1; e <= entries; ++e) {
        const QString n = race.Course.Entries[e - 1];
        head << csvText(n + " time") << csvText(n + " dist") << csvText(n + " speed");
    }
    for (int e = 2; e <= entries; ++e) {
        const QString n = QStringLiteral(">") + race.Course.Entries[e - 1];
        head << csvText(n + " time") << csvText(n + " dist") << csvText(n + " speed");
    }
    out << head.join(QLatin1Char(','));
    for (int b = 1; b <= race.boatCount(); ++b) {
        QStringList row{csvText(race.Boats[b - 1].Name)};
        for (int e = 1; e <= entries; ++e)
            row << cell(byTime.acc(b, e)) << cell(byDistance.acc(b, e)) << cell(bySpeed.acc(b, e));
        for (int e = 2; e <= entries; ++e)
            row << cell(byTime.leg(b, e)) << cell(byDistance.leg(b, e)) << cell(bySpeed.leg(b, e));
        out << row.join(QLatin1Char(','));
    }
    return out;
}
