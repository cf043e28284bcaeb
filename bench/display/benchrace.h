// The 50-boat, four-hour benchmark race (racegen's bench50: 1 s fixes, five laps) written
// into an application folder with the coast tile of its area, for the replay benchmarks.
#pragma once

#include <racegenerator.h>

#include <QDir>
#include <QFile>
#include <QString>

inline bool makeBenchRace(const QString &app, QString *raceFile, QString *error)
{
    const tools::RaceSpec recipe = tools::bench50Race();
    if (!tools::writeRace(tools::generateRace(recipe), app, error))
        return false;
    QDir(app).mkpath(QStringLiteral("coastline"));
    for (const QString &tile : recipe.CoastTiles)
        QFile::copy(QStringLiteral(ORVANE_ASSETS "/coastline/") + tile + QStringLiteral(".cst"),
                    app + QStringLiteral("/coastline/") + tile + QStringLiteral(".cst"));
    *raceFile = recipe.RaceFileName;
    return true;
}
