// A whole race folder (fuzzsupport.h gives the form of the input) loaded as orvane2007-report
// loads it, then the JSON it prints and both Google Earth documents (the scene at a few times).
#include "fuzzsupport.h"

#include <boatstate.h>
#include <kmlwriter.h>
#include <viewerreport.h>
#include <viewersession.h>

#include <QJsonDocument>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QList<fuzz::FolderEntry> entries =
        fuzz::parseFolderArchive(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    fuzz::ScratchFolder folder;
    if (!folder.isValid())
        return 0;
    const QString raceName = fuzz::layOutFolder(folder.path(), entries);
    if (raceName.isEmpty())
        return 0;

    ViewerSession session;
    ReadProblems problems;
    startSession(session, folder.path(), folder.path(), JapaneseLocaleId, problems);
    session.CurrentRacePath = racePathFor(folder.path(), raceName);
    session.CurrentIndex = std::max(1, raceIndexOf(session.RaceList, session.CurrentRacePath));
    LoadedViewerRace loaded;
    const ViewerLoadResult result = loadCurrentRace(session, loaded, 0, 0);
    problems += result.problems;
    for (const ReadProblem &p : std::as_const(problems))
        (void)p.toString(session.Language);
    if (!result.ok())
        return 0;

    KmlSettings kml;
    kml.Language = 1;
    kml.IconFolder = kmlIconFolder(folder.path());
    (void)kmlBytes(exportRaceLines(loaded.Race, kml));
    const PlaybackPeriod &period = loaded.Race.Period;
    for (double t : {period.Start, 0.0, (period.Start + period.End) / 2, period.End})
        (void)kmlBytes(exportSceneLines(loaded.Race, t, boatStatesAt(loaded.Race, t), kml));
    ViewerReportOptions options;
    options.samples = true;
    options.coast = true;
    (void)QJsonDocument(viewerReportJson(loaded, problems, session.Language, options)).toJson();
    return 0;
}
