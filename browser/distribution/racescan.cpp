#include "racescan.h"

#include <racecontrol.h>

#include <appfolder.h>
#include <textfile.h>

#include <QFileInfo>

RaceFileNames scanRaceLines(const QStringList &lines, const QString &raceFile)
{
    RaceFileNames names;
    const auto problem = [&](int lineNumber, const QString &what) {
        names.Problems << QStringLiteral("%1: line %2: %3").arg(raceFile).arg(lineNumber).arg(what);
    };
    int lineNumber = 0;
    for (const QString &line : lines) {
        ++lineNumber;
        const qsizetype comma = line.indexOf(u',');
        if (comma < 0) {
            if (!line.trimmed().isEmpty())
                problem(lineNumber, QStringLiteral("no comma; the line is skipped"));
            continue;
        }
        const QString key = line.left(comma).trimmed();
        const QString rest = line.mid(comma + 1);
        const QString value = rest.trimmed();
        if (key == QLatin1String("BN")) {
            const qsizetype second = rest.indexOf(u',');
            const QString track = second < 0 ? value : rest.left(second).trimmed();
            if (track.isEmpty()) {
                problem(lineNumber, QStringLiteral("boat without a track file"));
                continue;
            }
            if (second < 0)
                problem(lineNumber, QStringLiteral("boat without a name; its track file is %1").arg(track));
            names.TrackFiles << track;
        } else if (key == QLatin1String("MAP")) {
            if (value.isEmpty()) {
                problem(lineNumber, QStringLiteral("empty coast tile name"));
            } else if (names.CoastTiles.size() >= MaxCoastTiles) {
                problem(lineNumber, QStringLiteral("more than %1 coast tiles; %2.cst is left out").arg(MaxCoastTiles).arg(value));
            } else {
                names.CoastTiles << value + QStringLiteral(".cst");
            }
        } else if (key == QLatin1String("WF")) {
            names.WindFile = value;
        } else if (key == QLatin1String("AT")) {
            if (value.isEmpty()) {
                problem(lineNumber, QStringLiteral("empty attachment name"));
            } else if (names.Attachments.size() >= MaxAttachments) {
                problem(lineNumber, QStringLiteral("more than %1 attachments; %2 is left out").arg(MaxAttachments).arg(value));
            } else {
                names.Attachments << value;
            }
        }
    }
    return names;
}

RaceFileNames scanRace(const QString &applicationFolder, const QString &raceFileName)
{
    const QString path = platform::resolvePath(applicationFolder, QStringLiteral("raceadmin/") + raceFileName);
    if (!QFileInfo(path).isFile()) {
        RaceFileNames names;
        names.Error = QStringLiteral("%1: no such race control file").arg(path);
        return names;
    }
    const platform::TextReadResult read = platform::readTextFile(path);
    if (!read.ok) {
        RaceFileNames names;
        names.Error = read.error;
        return names;
    }
    return scanRaceLines(read.lines, raceFileName);
}
