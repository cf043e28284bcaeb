#include "viewerreport.h"

#include <QJsonArray>

namespace {

QJsonValue dateTime(const platform::LocalDateTime &t)
{
    return t.isNull() ? QJsonValue() : QJsonValue(t.toString());
}

QString colourText(const ViewerRgb &c)
{
    return QStringLiteral("#%1%2%3")
        .arg(c.Red, 2, 16, QLatin1Char('0'))
        .arg(c.Green, 2, 16, QLatin1Char('0'))
        .arg(c.Blue, 2, 16, QLatin1Char('0'));
}

QJsonObject raceJson(const ViewerRace &race)
{
    QJsonArray marks, lines, course, attachments;
    for (const ViewerMark &m : race.Marks)
        marks.append(QJsonArray{m.Lat, m.Lon});
    for (const ViewerLine &l : race.Lines)
        lines.append(QJsonArray{l.Lat1, l.Lon1, l.Lat2, l.Lon2});
    for (const QString &c : race.Course)
        course.append(c);
    for (const QString &a : race.Attachments)
        attachments.append(a);
    return QJsonObject{
        {QStringLiteral("fileName"), race.FileName},
        {QStringLiteral("title"), race.TitleText},
        {QStringLiteral("note"), race.Note},
        {QStringLiteral("start"), dateTime(race.Start)},
        {QStringLiteral("finish"), dateTime(race.Finish)},
        {QStringLiteral("startUtc"), dateTime(race.StartUtc)},
        {QStringLiteral("finishUtc"), dateTime(race.FinishUtc)},
        {QStringLiteral("timeDifference"), race.TimeDifference},
        {QStringLiteral("windDirection"), race.WindDirection},
        {QStringLiteral("magneticVariation"), race.MagneticVariation},
        {QStringLiteral("boatLength"), race.BoatLength},
        {QStringLiteral("layLines"), QJsonArray{race.LayLineUp, race.LayLineDown}},
        {QStringLiteral("northUp"), race.isNorthUp()},
        {QStringLiteral("preStartSeconds"), race.PreStartSeconds},
        {QStringLiteral("period"), QJsonObject{{QStringLiteral("start"), race.Period.Start},
                                               {QStringLiteral("end"), race.Period.End},
                                               {QStringLiteral("length"), race.Period.length()}}},
        {QStringLiteral("marks"), marks},
        {QStringLiteral("lines"), lines},
        {QStringLiteral("course"), course},
        {QStringLiteral("windFile"), race.WindFile},
        {QStringLiteral("windSamples"), int(race.Wind.size())},
        {QStringLiteral("attachments"), attachments},
    };
}

} // namespace

QJsonObject viewerReportJson(const LoadedViewerRace &loaded, const ReadProblems &problems, int language,
                             const ViewerReportOptions &options)
{
    const ViewerRace &race = loaded.Race;
    const ViewerDerivations &d = loaded.Derived;

    QJsonArray boats;
    for (int b = 0; b < race.boatCount(); ++b) {
        const ViewerBoat &boat = race.Boats[b];
        QJsonArray passing;
        for (double t : d.Passes.Time.value(b))
            passing.append(t);
        QJsonObject o{
            {QStringLiteral("name"), boat.Name},
            {QStringLiteral("gpsFile"), boat.GpsFile},
            {QStringLiteral("offset"), boat.OffsetSeconds},
            {QStringLiteral("colour"), colourText(boat.Colour)},
            {QStringLiteral("kmlColour"), boat.KmlColour},
            {QStringLiteral("sampleCount"), boat.sampleCount()},
            {QStringLiteral("meanInterval"), boat.MeanInterval},
            {QStringLiteral("passingTimes"), passing},
            {QStringLiteral("rank"), d.Passes.Rank.value(b)},
        };
        if (options.samples) {
            QJsonArray rows;
            for (const ViewerSample &s : boat.Samples)
                rows.append(QJsonArray{s.Time, s.Lat, s.Lon, s.Speed, s.Course});
            o.insert(QStringLiteral("samples"), rows);
        }
        boats.append(o);
    }

    QJsonArray leaders;
    for (int k = 0; k < d.Passes.elementCount(); ++k) {
        leaders.append(QJsonObject{{QStringLiteral("element"), race.Course.value(k)},
                                   {QStringLiteral("boat"), d.Passes.LeaderBoat[k]},
                                   {QStringLiteral("time"), d.Passes.LeaderTime[k]}});
    }
    QJsonArray scoreLabels;
    for (const ScoreLabel &l : ::scoreLabels(race, d.Passes))
        scoreLabels.append(l.Text);
    QJsonArray coastFiles;
    for (const QString &f : d.Coast.Files)
        coastFiles.append(f);
    QJsonArray problemLines;
    for (const ReadProblem &p : problems)
        problemLines.append(p.toString(language));

    const ViewerExtent &e = d.Extent;
    QJsonObject json{
        {QStringLiteral("race"), raceJson(race)},
        {QStringLiteral("boats"), boats},
        {QStringLiteral("leaders"), leaders},
        {QStringLiteral("scoreLabels"), scoreLabels},
        {QStringLiteral("maxSpeed"), d.MaxSpeed},
        {QStringLiteral("extent"), QJsonObject{{QStringLiteral("maxLat"), e.MaxLat},
                                               {QStringLiteral("minLat"), e.MinLat},
                                               {QStringLiteral("maxLon"), e.MaxLon},
                                               {QStringLiteral("minLon"), e.MinLon},
                                               {QStringLiteral("centreLat"), e.CentreLat},
                                               {QStringLiteral("centreLon"), e.CentreLon},
                                               {QStringLiteral("latRange"), e.LatRange},
                                               {QStringLiteral("lonRange"), e.LonRange},
                                               {QStringLiteral("fromSamples"), e.FromSamples}}},
        {QStringLiteral("daylight"), QJsonObject{{QStringLiteral("dayStart"), d.Daylight.DayStart},
                                                 {QStringLiteral("start"), d.Daylight.Start},
                                                 {QStringLiteral("end"), d.Daylight.End}}},
        {QStringLiteral("coastFiles"), coastFiles},
        {QStringLiteral("coastPoints"), d.Coast.pointCount()},
        {QStringLiteral("problems"), problemLines},
    };
    if (options.coast) {
        QJsonArray polylines, current;
        for (int i = 0; i < d.Coast.pointCount(); ++i) {
            if (d.Coast.startsLine(i) && !current.isEmpty()) {
                polylines.append(current);
                current = QJsonArray();
            }
            current.append(QJsonArray{d.Coast.latitude(i), d.Coast.Lon[i]});
        }
        if (!current.isEmpty())
            polylines.append(current);
        json.insert(QStringLiteral("coast"), polylines);
    }
    return json;
}
