#include "gpxreader.h"

#include <textfile.h>

#include <QRegularExpression>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>

namespace tools {

platform::LocalDateTime parseGpxTime(QStringView text, const GpxReadOptions &options, bool *hadZone)
{
    static const QRegularExpression re(QStringLiteral(
        R"(^\s*(\d{4})-(\d{1,2})-(\d{1,2})[T ](\d{1,2}):(\d{2})(?::(\d{2})(?:[.,]\d+)?)?\s*(Z|z|[+-]\d{2}(?::?\d{2})?)?\s*$)"));
    const auto m = re.match(text.toString());
    if (hadZone)
        *hadZone = false;
    if (!m.hasMatch())
        return {};
    const auto local = platform::LocalDateTime::fromParts(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(),
                                                          m.captured(4).toInt(), m.captured(5).toInt(),
                                                          m.capturedLength(6) ? m.captured(6).toInt() : 0);
    if (local.isNull())
        return {};
    const QString zone = m.captured(7);
    if (zone.isEmpty()) {
        if (options.ZonelessOffsetHours)
            return local.addSecs(-qint64(std::llround(*options.ZonelessOffsetHours * 3600.0)));
        return local;
    }
    if (hadZone)
        *hadZone = true;
    if (zone.compare(QLatin1String("Z"), Qt::CaseInsensitive) == 0)
        return local;
    const int sign = zone.startsWith(u'-') ? -1 : 1;
    const QString digits = QString(zone.mid(1)).remove(u':');
    const int hours = digits.left(2).toInt();
    const int minutes = digits.size() >= 4 ? digits.mid(2, 2).toInt() : 0;
    if (hours > 14 || minutes > 59)
        return {};
    return local.addSecs(-sign * qint64(hours * 3600 + minutes * 60));
}

GpxReadResult readGpx(QIODevice *device, const GpxReadOptions &options)
{
    GpxReadResult result;
    QXmlStreamReader xml(device);
    bool sawRoot = false;
    int pointsSeen = 0;
    QStringList parents; // local names of the open elements around the reader's position
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement()) {
            if (!parents.isEmpty())
                parents.removeLast();
            continue;
        }
        if (!xml.isStartElement())
            continue;
        if (!sawRoot) {
            if (xml.name() != QLatin1String("gpx")) {
                result.error = QStringLiteral("not a GPX file (the document is <%1>)").arg(xml.name());
                result.errorLine = xml.lineNumber();
                return result;
            }
            sawRoot = true;
            parents << xml.name().toString();
            continue;
        }
        if (xml.name() == QLatin1String("name") && !parents.isEmpty() && parents.last() == QLatin1String("trk")) {
            const QString n = xml.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
            if (result.trackName.isEmpty())
                result.trackName = n;
            continue;
        }
        if (xml.name() != QLatin1String("trkpt")) {
            parents << xml.name().toString();
            continue;
        }

        ++pointsSeen;
        const qint64 line = xml.lineNumber();
        const QXmlStreamAttributes attrs = xml.attributes();
        bool latOk = false, lonOk = false;
        const double lat = attrs.value(QLatin1String("lat")).toDouble(&latOk);
        const double lon = attrs.value(QLatin1String("lon")).toDouble(&lonOk);
        QString timeText;
        double ele = 0.0;
        bool hasTime = false;
        // The point's own children; extensions may hold elements of the same names deeper down.
        int depth = 1;
        while (depth > 0 && !xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement()) {
                if (depth == 1 && xml.name() == QLatin1String("time")) {
                    timeText = xml.readElementText(QXmlStreamReader::SkipChildElements);
                    hasTime = true;
                } else if (depth == 1 && xml.name() == QLatin1String("ele")) {
                    ele = xml.readElementText(QXmlStreamReader::SkipChildElements).trimmed().toDouble();
                } else {
                    ++depth;
                }
            } else if (xml.isEndElement()) {
                --depth;
            }
        }
        const QString where = QStringLiteral("line %1: ").arg(line);
        if (!latOk || !std::isfinite(lat) || lat < -90.0 || lat > 90.0) {
            result.warnings << where + QStringLiteral("invalid latitude, point skipped");
            continue;
        }
        if (!lonOk || !std::isfinite(lon) || lon < -180.0 || lon > 180.0) {
            result.warnings << where + QStringLiteral("invalid longitude, point skipped");
            continue;
        }
        if (!hasTime) {
            result.warnings << where + QStringLiteral("track point without a time, skipped");
            continue;
        }
        bool hadZone = false;
        const platform::LocalDateTime utc = parseGpxTime(timeText, options, &hadZone);
        if (utc.isNull()) {
            result.warnings << where + QStringLiteral("invalid time \"%1\", point skipped").arg(timeText.trimmed());
            continue;
        }
        if (!hadZone)
            ++result.zonelessTimes;
        TrackFix fix;
        fix.LatDeg = lat;
        fix.LonDeg = lon;
        fix.Utc = utc;
        fix.AltitudeM = std::isfinite(ele) ? ele : 0.0;
        result.fixes << fix;
    }
    if (xml.hasError()) {
        result.error = sawRoot ? QStringLiteral("XML error: %1").arg(xml.errorString())
                               : QStringLiteral("not a GPX file (%1)").arg(xml.errorString());
        result.errorLine = xml.lineNumber();
        result.fixes.clear();
        return result;
    }
    if (!sawRoot) {
        result.error = QStringLiteral("not a GPX file (empty)");
        return result;
    }
    if (result.fixes.isEmpty()) {
        result.error = pointsSeen ? QStringLiteral("no track point with a position and a time")
                                  : QStringLiteral("no track points");
        return result;
    }
    result.ok = true;
    return result;
}

QList<TrackFix> mergeTrackFixes(const QList<QList<TrackFix>> &parts)
{
    QList<TrackFix> all;
    for (const auto &p : parts)
        all += p;
    std::stable_sort(all.begin(), all.end(), [](const TrackFix &a, const TrackFix &b) { return a.Utc < b.Utc; });
    QList<TrackFix> out;
    out.reserve(all.size());
    for (const TrackFix &f : std::as_const(all))
        if (out.isEmpty() || out.last().Utc != f.Utc)
            out << f;
    return out;
}

QStringList trackFileLinesForGpx(const QList<TrackFix> &fixes, const TrackFileOptions &options)
{
    QStringList lines = formatTrackFile(fixes, options);
    qint64 bytes = 0;
    for (const QString &l : std::as_const(lines))
        bytes += platform::encodeAnsi(l).size() + 2;
    const QString filler = QStringLiteral("H  converted from GPX");
    while (bytes <= 500) {
        lines.insert(2, filler);
        bytes += filler.size() + 2;
    }
    return lines;
}

} // namespace tools
