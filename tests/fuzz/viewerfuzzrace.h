// The race a viewer reader sees in the fuzz targets: the race control lines of the input read by
// the viewer's race control reader, in an application folder (fuzzFolder()) whose gpsdat holds
// a.trk and b.trk and whose attachment holds a.pdf, so that BN and AT lines naming them are
// taken.
#pragma once

#include "fuzzsupport.h"

#include <racecontrolreader.h>

#include <QDir>
#include <QFile>

inline const QString &fuzzFolder()
{
    static fuzz::ScratchFolder folder;
    static const bool laidOut = [] {
        const QDir dir(folder.path());
        dir.mkpath(QStringLiteral("gpsdat"));
        dir.mkpath(QStringLiteral("attachment"));
        for (const char *name : {"gpsdat/a.trk", "gpsdat/b.trk", "attachment/a.pdf"}) {
            QFile f(dir.filePath(QLatin1String(name)));
            if (f.open(QIODevice::WriteOnly))
                f.write("x");
        }
        return true;
    }();
    (void)laidOut;
    return folder.path();
}

inline ViewerRace viewerRaceOf(QByteArrayView raceLines, ReadProblems &problems)
{
    ViewerRace race;
    parseRaceControl(fuzz::textLines(raceLines), fuzzFolder(), QStringLiteral("race.txt"),
                     QStringLiteral("raceadmin/race.txt"), race, problems);
    return race;
}
