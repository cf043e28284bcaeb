#include "racecontrolfile.h"

#include <appfolder.h>
#include <dialogs.h>
#include <numbers.h>
#include <textfile.h>

#include <QDir>

#include <cmath>

using platform::formatNumber;
using platform::formatSignedNumber;
using platform::leadingNumber;

static void warn(QStringList *warnings, int lineNumber, const QString &text)
{
    if (warnings)
        *warnings << QStringLiteral("line %1: %2").arg(lineNumber).arg(text);
}

static void resetRace(RaceControl &rc)
{
    rc.Boats.clear();
    rc.Marks.clear();
    rc.Lines.clear();
    rc.Course.Entries.clear();
    rc.Attachments.clear();
    rc.CoastTiles.clear();
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

static platform::LocalDateTime readTime(const QString &value, int lineNumber, QStringList *warnings)
{
    const auto t = platform::LocalDateTime::parse(value);
    if (t.isNull() && !value.isEmpty())
        warn(warnings, lineNumber, QStringLiteral("date-time \"%1\" cannot be read").arg(value));
    return t;
}

void parseRaceControl(const QStringList &lines, RaceControl &rc, QStringList *warnings)
{
    resetRace(rc);
    int lineNumber = 0;
    for (const QString &line : lines) {
        ++lineNumber;
        const qsizetype comma = line.indexOf(u',');
        if (comma < 0) {
            if (!line.trimmed().isEmpty())
                warn(warnings, lineNumber, QStringLiteral("no comma"));
            continue;
        }
        const QString key = line.left(comma).trimmed();
        const QString rest = line.mid(comma + 1);
        const QString text = rest.trimmed();
        const QStringList values = rest.split(u',');

        if (key == QLatin1String("WF")) {
            rc.WindFile = text;
        } else if (key == QLatin1String("T1")) {
            rc.Title1 = text;
        } else if (key == QLatin1String("T2")) {
            rc.Title2 = text;
        } else if (key == QLatin1String("T3")) {
            rc.Title3 = text;
        } else if (key == QLatin1String("MG")) {
            rc.MagneticVariation = leadingNumber(text);
        } else if (key == QLatin1String("LG")) {
            rc.BoatLength = float(leadingNumber(text));
        } else if (key == QLatin1String("ST")) {
            rc.StartTime = readTime(text, lineNumber, warnings);
        } else if (key == QLatin1String("FT")) {
            rc.FinishTime = readTime(text, lineNumber, warnings);
        } else if (key == QLatin1String("TD")) {
            bool ok = false;
            const double v = text.toDouble(&ok);
            if (!ok)
                warn(warnings, lineNumber, QStringLiteral("time difference \"%1\" is not a number").arg(text));
            const int hours = ok ? platform::roundHalfEven(v) : 0;
            rc.TimeDifference = qint16(qBound(-24, hours, 24));
        } else if (key == QLatin1String("WD")) {
            rc.WindDirection = float(leadingNumber(text));
            rc.ShownWindDirection = rc.WindDirection;
        } else if (key == QLatin1String("NU")) {
            rc.NorthUp = leadingNumber(text);
        } else if (key == QLatin1String("BN")) {
            if (rc.Boats.size() >= MaxBoats) {
                warn(warnings, lineNumber, QStringLiteral("more than %1 boats").arg(MaxBoats));
                continue;
            }
            const qsizetype second = rest.indexOf(u',');
            BoatEntry boat;
            if (second < 0) {
                boat.TrackFile = text;
                boat.Name = text.section(u'.', 0, 0);
                warn(warnings, lineNumber, QStringLiteral("boat without a name"));
            } else {
                boat.TrackFile = rest.left(second).trimmed();
                boat.Name = rest.mid(second + 1).trimmed();
            }
            if (boat.TrackFile.isEmpty()) {
                warn(warnings, lineNumber, QStringLiteral("boat without a track file"));
                continue;
            }
            boat.colour = boatColour(int(rc.Boats.size()) + 1);
            rc.Boats.append(boat);
        } else if (key == QLatin1String("MK")) {
            if (rc.Marks.size() >= MaxMarks) {
                warn(warnings, lineNumber, QStringLiteral("more than %1 marks").arg(MaxMarks));
                continue;
            }
            if (values.size() < 2) {
                warn(warnings, lineNumber, QStringLiteral("mark needs a latitude and a longitude"));
                continue;
            }
            rc.Marks.append({leadingNumber(values[0]), leadingNumber(values[1])});
        } else if (key == QLatin1String("LN")) {
            if (rc.Lines.size() >= MaxLines) {
                warn(warnings, lineNumber, QStringLiteral("more than %1 lines").arg(MaxLines));
                continue;
            }
            if (values.size() < 4) {
                warn(warnings, lineNumber, QStringLiteral("line needs two latitudes and two longitudes"));
                continue;
            }
            // The fourth value is all text after the third comma.
            const QString fourth = values.mid(3).join(u',');
            rc.Lines.append({leadingNumber(values[0]), leadingNumber(values[1]), leadingNumber(values[2]),
                             leadingNumber(fourth)});
        } else if (key == QLatin1String("CRS")) {
            for (const QString &value : values) {
                const QString entry = value.trimmed();
                if (entry.isEmpty()) {
                    warn(warnings, lineNumber, QStringLiteral("empty course entry"));
                    continue;
                }
                if (rc.Course.Entries.size() >= MaxCourseEntries) {
                    warn(warnings, lineNumber, QStringLiteral("more than %1 course entries").arg(MaxCourseEntries));
                    break;
                }
                rc.Course.Entries << entry;
            }
        } else if (key == QLatin1String("MAP")) {
            // The load recomputes the tiles; keeping them makes a read and write keep the file.
            if (rc.CoastTiles.size() < MaxCoastTiles && !text.isEmpty())
                rc.CoastTiles << text;
        } else if (key == QLatin1String("LL")) {
            const double up = leadingNumber(values.value(0));
            const double down = leadingNumber(values.value(1));
            if (up != 0.0)
                rc.LayLineUp = up;
            if (down != 0.0)
                rc.LayLineDown = down;
        } else if (key == QLatin1String("BT")) {
            double minutes = leadingNumber(text);
            if (minutes < 0) {
                warn(warnings, lineNumber, QStringLiteral("negative pre-start time"));
                minutes = 0;
            }
            rc.PreStartMinutes = minutes;
            rc.PreStartSeconds = 60.0 * minutes;
        } else if (key == QLatin1String("AT")) {
            if (rc.Attachments.size() >= MaxAttachments) {
                warn(warnings, lineNumber, QStringLiteral("more than %1 attachments").arg(MaxAttachments));
                continue;
            }
            if (!text.isEmpty())
                rc.Attachments << text;
        } else if (key.isEmpty()) {
            warn(warnings, lineNumber, QStringLiteral("empty key"));
        }
        // Other keys belong to other readers of the format and are skipped.
    }
}

QStringList formatRaceControl(const RaceControl &rc)
{
    QStringList out;
    auto textLine = [&out](const char *key, const QString &value) {
        if (!value.isEmpty())
            out << QLatin1String(key) + QLatin1String(", ") + value;
    };
    textLine("WF", rc.WindFile);
    textLine("T1", rc.Title1);
    textLine("T2", rc.Title2);
    textLine("T3", rc.Title3);
    if (rc.MagneticVariation != 0.0)
        out << QLatin1String("MG, ") + formatSignedNumber(rc.MagneticVariation, 15);
    if (rc.BoatLength > 0.0f)
        out << QLatin1String("LG, ") + formatSignedNumber(double(rc.BoatLength), 7);
    textLine("ST", rc.StartTime.toString());
    textLine("FT", rc.FinishTime.toString());
    if (rc.TimeDifference != 0)
        out << QLatin1String("TD, ") + formatSignedNumber(rc.TimeDifference);
    if (rc.WindDirection != 0.0f)
        out << QLatin1String("WD, ") + formatSignedNumber(double(rc.WindDirection), 7);
    if (rc.NorthUp > 0)
        out << QStringLiteral("NU, 1");
    for (const BoatEntry &b : rc.Boats)
        out << QLatin1String("BN, ") + b.TrackFile + QLatin1String(", ") + b.Name;
    for (const RaceMark &m : rc.Marks)
        out << QLatin1String("MK, ") + formatNumber(m.Lat) + QLatin1String(", ") + formatNumber(m.Lon);
    for (const RaceLine &l : rc.Lines)
        out << QLatin1String("LN, ") + formatNumber(l.Lat1) + QLatin1String(", ") + formatNumber(l.Lon1) +
                   QLatin1String(", ") + formatNumber(l.Lat2) + QLatin1String(", ") + formatNumber(l.Lon2);
    if (rc.Course.Count() > 0) {
        QString crs = QStringLiteral("CRS");
        for (const QString &e : rc.Course.Entries)
            crs += QLatin1String(", ") + e;
        out << crs;
    }
    for (const QString &tile : rc.CoastTiles)
        out << QLatin1String("MAP, ") + tile;
    out << QLatin1String("LL, ") + formatNumber(rc.LayLineUp) + QLatin1Char(',') + formatNumber(rc.LayLineDown);
    out << QLatin1String("BT,") + formatSignedNumber(std::floor(rc.PreStartMinutes + 0.5));
    for (const QString &a : rc.Attachments)
        out << QLatin1String("AT, ") + a;
    return out;
}

void updateDerivedTimes(RaceControl &rc)
{
    if (!rc.StartTime.isNull())
        rc.DisplayStart = rc.StartTime.addSecs(-qint64(std::llround(rc.PreStartSeconds + 30.0)));
    rc.DisplayEnd = rc.FinishTime;
    if (!rc.StartTime.isNull() && !rc.FinishTime.isNull())
        rc.RaceDuration = rc.StartTime.secsTo(rc.FinishTime);
}

static QString racePath(const AppSettings &settings, const QString &fileName)
{
    return platform::resolvePath(settings.ApplicationFolder, QStringLiteral("raceadmin/") + fileName);
}

bool ReadRaceControl(const AppSettings &settings, RaceControl &rc, QStringList *warnings)
{
    const QString path = racePath(settings, rc.FileName);
    const auto read = platform::readTextFile(path);
    if (!read.ok) {
        resetRace(rc);
        platform::dialogs().message(settings.text(QStringLiteral("The race file could not be read: %1"),
                                                  QStringLiteral("レースファイルを読めません: %1"))
                                        .arg(QDir::toNativeSeparators(path)));
        return false;
    }
    parseRaceControl(read.lines, rc, warnings);

    const QString &app = settings.ApplicationFolder;
    if (!rc.WindFile.isEmpty() && !platform::fileExists(app, QStringLiteral("winddat/") + rc.WindFile))
        rc.WindFile.clear();

    QList<BoatEntry> kept;
    QString firstMissing;
    for (const BoatEntry &b : rc.Boats) {
        if (platform::fileExists(app, QStringLiteral("gpsdat/") + b.TrackFile)) {
            kept << b;
        } else if (firstMissing.isEmpty()) {
            firstMissing = b.TrackFile;
        }
    }
    if (!firstMissing.isEmpty()) {
        platform::dialogs().message(
            QStringLiteral("GPSfile -- ") + firstMissing +
            settings.text(QStringLiteral(" -- could not be found\r\nThis boat will be ignored"),
                          QStringLiteral(" -- はありませんでした。\r\nこの艇を無視して表示します。")));
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

int readLanguageValue(const QString &applicationFolder)
{
    const QString path = platform::resolvePath(applicationFolder, QStringLiteral("raceadmin/Ver.00"));
    const auto read = platform::readTextFile(path);
    if (!read.ok || read.lines.isEmpty())
        return 0;
    const QString line = read.lines.first();
    const qsizetype comma = line.indexOf(u',');
    if (comma < 0)
        return 0;
    return int(leadingNumber(line.mid(comma + 1)));
}

bool writeLanguageFile(const QString &applicationFolder, int languageValue, QString *error)
{
    QDir().mkpath(platform::resolvePath(applicationFolder, QStringLiteral("raceadmin")));
    return platform::writeTextFile(platform::resolvePath(applicationFolder, QStringLiteral("raceadmin/Ver.00")),
                                   {QStringLiteral("LANG,%1").arg(languageValue)}, error);
}
