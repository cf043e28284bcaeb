#include "kmlwriter.h"

#include "boatcolours.h"

#include <numbers.h>
#include <textfile.h>

#include <QDir>

#include <algorithm>
#include <cmath>

namespace {

constexpr int SceneTrackSteps = 20;

QString number(double x)
{
    return platform::formatNumber(x, 15);
}

// Text content of an element: the XML specials escaped, and the control characters XML 1.0
// cannot hold dropped.
QString escaped(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        switch (c.unicode()) {
        case '&':
            out += QLatin1String("&amp;");
            break;
        case '<':
            out += QLatin1String("&lt;");
            break;
        case '>':
            out += QLatin1String("&gt;");
            break;
        case '"':
            out += QLatin1String("&quot;");
            break;
        default:
            if (c.unicode() >= 0x20 || c == QLatin1Char('\t'))
                out += c;
        }
    }
    return out;
}

QString coordinate(double lat, double lon, const char *height)
{
    return number(lon / 60.0) + QLatin1Char(',') + number(lat / 60.0) + QLatin1Char(',') + QLatin1String(height);
}

QString dateTimeText(const ViewerRace &race, double seconds)
{
    return race.Start.isNull() ? QString() : race.Start.addSecs(viewerRound(seconds)).toString();
}

void header(QStringList &out, const ViewerRace &race)
{
    out << QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>")
        << QStringLiteral("<kml xmlns=\"http://earth.google.com/kml/2.0\">") << QStringLiteral("<Folder>")
        << QStringLiteral("<name>") + escaped(kmlDocumentName(race.TitleText)) + QStringLiteral("</name><open>1</open>");
}

struct DescriptionTexts {
    const char *dateTime, *lat, *latUnit, *lon, *lonUnit, *speed, *speedUnit, *heading, *headingUnit;
};

// The description list of a boat's point in both languages ("：" is the full-width colon).
constexpr DescriptionTexts English{"<li>Date Time：", "<li>LAT： ", " DEG<br>", "<li>LON： ", " DEG<br>",
                                   "<li>BSP： ", " KTS<br>", "<li>HDG： ", " DEG(T)<br>"};
constexpr DescriptionTexts Japanese{"<li>日時：", "<li>緯度： ", "度<br>", "<li>経度： ", "度<br>",
                                    "<li>速度： ", "ノット<br>", "<li>針路： ", "度(T)<br>"};

void boatPoint(QStringList &out, const QString &name, double lat, double lon, double speed, double course,
               const QString &dateTime, const KmlSettings &settings)
{
    const DescriptionTexts &t = settings.Language >= 1 ? English : Japanese;
    const auto u = [](const char *s) { return QString::fromUtf8(s); };
    const double bsp = std::floor(speed * 100 + 0.5) / 100;
    const int heading = int(std::floor(course));
    out << QStringLiteral("<Placemark><name>") + escaped(name) + QStringLiteral("</name>");
    out << QStringLiteral("<description><![CDATA[<ul type=\"disk\">") + u(t.dateTime) + dateTime + QStringLiteral("<br>");
    out << u(t.lat) + number(lat / 60.0) + u(t.latUnit);
    out << u(t.lon) + number(lon / 60.0) + u(t.lonUnit);
    out << u(t.speed) + number(bsp) + u(t.speedUnit);
    out << u(t.heading) + QString::number(heading) + u(t.headingUnit);
    out << QStringLiteral("</ul>]]></description>");
    out << QStringLiteral("<visibility>1</visibility><Style><IconStyle><Icon><href>");
    out << escaped(settings.IconFolder + boatIconName(heading)) + QStringLiteral("</href></Icon></IconStyle></Style>");
    out << QStringLiteral("<Point><coordinates>") + coordinate(lat, lon, "0") + QStringLiteral("</coordinates>");
    out << QStringLiteral("</Point></Placemark>");
}

void iconPlacemark(QStringList &out, const QString &name, double lat, double lon, const KmlSettings &settings)
{
    out << QStringLiteral("<Placemark><name>") + escaped(name) + QStringLiteral("</name>");
    out << QStringLiteral("<visibility>1</visibility><Style><IconStyle><Icon>");
    out << QStringLiteral("<href>") + escaped(settings.IconFolder + QLatin1String(MarkIconName)) +
               QStringLiteral("</href></Icon></IconStyle></Style>");
    out << QStringLiteral("<Point><coordinates>") + coordinate(lat, lon, "0") + QStringLiteral("</coordinates>");
    out << QStringLiteral("</Point></Placemark>");
}

void lineStyle(QStringList &out, const QString &name, const QString &colour)
{
    out << QStringLiteral("<Placemark><name>") + escaped(name) + QStringLiteral("</name>");
    out << QStringLiteral("<Style><LineStyle><color>") + colour + QStringLiteral("</color><width>0</width></LineStyle></Style>");
    out << QStringLiteral("<LineString><coordinates>");
}

void lineEnd(QStringList &out)
{
    out << QStringLiteral("</coordinates></LineString></Placemark>");
}

} // namespace

QString kmlExportPath(const QString &exportFolder)
{
    return QDir(exportFolder).filePath(QLatin1String(KmlFileName));
}

QString kmlIconFolder(const QString &applicationFolder)
{
    QString folder = QDir(applicationFolder).absoluteFilePath(QStringLiteral("ya"));
    return QDir::cleanPath(folder) + QLatin1Char('/');
}

QString boatIconName(int heading)
{
    int a = int(std::floor(heading / 10.0 + 0.5)) * 10;
    if (a == 360)
        a = 0;
    return QStringLiteral("ar%1.png").arg(a);
}

QString kmlDocumentName(const QString &titleText)
{
    const qsizetype blank = titleText.indexOf(QLatin1Char(' '));
    const QString rest = blank < 0 ? QString() : titleText.mid(blank + 1);
    const qsizetype point = rest.indexOf(QLatin1Char('.'));
    return point < 0 ? QString() : rest.left(point);
}

int kmlPointsInterval(double periodEnd)
{
    const double a = std::floor(periodEnd / 50);
    int interval = 3600;
    if (a < 1800)
        interval = 1800;
    if (a < 1200)
        interval = 1200;
    if (a < 600)
        interval = 600;
    if (a < 300)
        interval = 300;
    return interval;
}

int kmlPointsLastFolder(double periodEnd)
{
    return viewerRound(periodEnd / kmlPointsInterval(periodEnd)) + 1;
}

QStringList exportSceneLines(const ViewerRace &race, double t, const QList<BoatState> &states,
                             const KmlSettings &settings)
{
    QStringList out;
    const QString when = dateTimeText(race, t);
    const qsizetype blank = when.indexOf(QLatin1Char(' '));
    const QString time = blank < 0 ? QString() : when.mid(blank + 1);
    header(out, race);
    out << QStringLiteral("<Folder><name>") + escaped(time) + QStringLiteral("</name>");
    for (int b = 0; b < race.Boats.size() && b < states.size(); ++b) {
        const BoatState &state = states[b];
        if (!state.HasSegment)
            continue;
        const ViewerBoat &boat = race.Boats[b];
        lineStyle(out, boat.Name, boat.KmlColour);
        for (int i = state.Segment; i >= std::max(state.Segment - SceneTrackSteps, 1); --i)
            out << coordinate(boat.Samples[i - 1].Lat, boat.Samples[i - 1].Lon, "0.0 ");
        lineEnd(out);
        boatPoint(out, boat.Name, state.Lat, state.Lon, state.Speed, state.Course, when, settings);
    }
    out << QStringLiteral("</Folder></Folder></kml>");
    return out;
}

QStringList exportRaceLines(const ViewerRace &race, const KmlSettings &settings)
{
    QStringList out;
    header(out, race);
    out << QStringLiteral("<Folder><name>Track Lines</name>");
    for (const ViewerBoat &boat : race.Boats) {
        lineStyle(out, boat.Name, boat.KmlColour);
        for (const ViewerSample &s : boat.Samples)
            out << coordinate(s.Lat, s.Lon, "0.0 ");
        lineEnd(out);
    }
    out << QStringLiteral("</Folder>") << QStringLiteral("<Folder><name>POINTS</name>")
        << QStringLiteral("<visibility>0</visibility>") << QStringLiteral("<open>1</open>");

    const double end = race.Period.End;
    const int interval = kmlPointsInterval(end);
    // A folder past the last sample of every boat stays empty: the folders stop one interval
    // after it, so a finish typed years late does not write a folder for every hour between;
    // and they stop after a year of them, for a start typed centuries early.
    double latest = 0.0;
    QVector<bool> inTimeOrder;
    for (const ViewerBoat &boat : race.Boats) {
        for (const ViewerSample &x : boat.Samples)
            latest = std::max(latest, x.Time);
        inTimeOrder << std::is_sorted(boat.Samples.begin(), boat.Samples.end(),
                                      [](const ViewerSample &x, const ViewerSample &y) { return x.Time < y.Time; });
    }
    const qint64 last = std::min({qint64(kmlPointsLastFolder(end)), qint64(std::ceil(latest / interval)) + 1,
                                  qint64(366) * 86400 / interval});
    // Where each boat's search goes on from: the folders' times only grow.
    QVector<int> resume(race.Boats.size(), 1);
    for (qint64 c = 0; c <= last; ++c) {
        const double s = double(c * interval);
        const QString when = dateTimeText(race, s);
        out << QStringLiteral("<Folder><name>") + escaped(when) + QStringLiteral("</name>");
        for (int i = 0; i < race.Boats.size(); ++i) {
            const ViewerBoat &boat = race.Boats[i];
            const QVector<ViewerSample> &p = boat.Samples;
            const int lastStep = boat.sampleCount() - 2;
            // The first L (1-based) of 1 … count − 2 with time[L] ≤ s < time[L + 1]. In time
            // order that is the first step ending after s, when it starts at or before s: found
            // from where the last folder's search stopped. A log out of order is searched whole.
            int l = 0;
            if (inTimeOrder[i]) {
                int &r = resume[i];
                while (r <= lastStep && p[r].Time <= s)
                    ++r;
                if (r <= lastStep && p[r - 1].Time <= s)
                    l = r;
            } else {
                for (int k = 1; k <= lastStep && l == 0; ++k) {
                    if (p[k - 1].Time <= s && s < p[k].Time)
                        l = k;
                }
            }
            if (l == 0)
                continue;
            const ViewerSample &a = p[l - 1], &b = p[l];
            const double from = viewerRound(a.Time), to = viewerRound(b.Time);
            const double f = to > from ? (s - from) / (to - from) : 0.0;
            boatPoint(out, boat.Name, a.Lat + (b.Lat - a.Lat) * f, a.Lon + (b.Lon - a.Lon) * f, b.Speed, b.Course,
                      when, settings);
        }
        out << QStringLiteral("</Folder>");
    }

    out << QStringLiteral("</Folder>") << QStringLiteral("<Folder><name>MARK_LINES</name>");
    for (int k = 1; k <= race.Marks.size(); ++k)
        iconPlacemark(out, QStringLiteral("MK%1").arg(k), race.Marks[k - 1].Lat, race.Marks[k - 1].Lon, settings);
    for (int k = 1; k <= race.Lines.size(); ++k) {
        const ViewerLine &line = race.Lines[k - 1];
        lineStyle(out, QStringLiteral("line%1").arg(k), QStringLiteral("ff") + kmlColour(k).right(6));
        out << coordinate(line.Lat1, line.Lon1, "0.0 ") << coordinate(line.Lat2, line.Lon2, "0.0 ");
        lineEnd(out);
        iconPlacemark(out, QStringLiteral("LINE%1-P").arg(k), line.Lat1, line.Lon1, settings);
        iconPlacemark(out, QStringLiteral("LINE%1-S").arg(k), line.Lat2, line.Lon2, settings);
    }
    out << QStringLiteral("</Folder>") << QStringLiteral("</Folder></kml>");
    return out;
}

QByteArray kmlBytes(const QStringList &lines)
{
    QByteArray bytes;
    qsizetype size = 0;
    for (const QString &l : lines)
        size += l.size() + 2;
    bytes.reserve(size + size / 8);
    for (const QString &l : lines) {
        bytes += l.toUtf8();
        bytes += "\r\n";
    }
    return bytes;
}

bool writeKmlFile(const QString &path, const QByteArray &bytes, QString *error)
{
    return platform::writeFileAtomically(path, bytes, error);
}
