// A whole race folder (fuzzsupport.h gives the form of the input) loaded as orvane-report loads
// it, viewing only, then everything the report computes and prints: passing times, leg tables,
// sail legs, the JSON and the CSV.
#include "fuzzsupport.h"

#include <dialogs.h>
#include <racecontrolfile.h>
#include <raceloader.h>
#include <racereport.h>

#include <QJsonDocument>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QList<fuzz::FolderEntry> entries =
        fuzz::parseFolderArchive(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    fuzz::ScratchFolder folder;
    if (!folder.isValid())
        return 0;
    const QString raceName = fuzz::layOutFolder(folder.path(), entries);

    platform::ScriptedDialogs dialogs;
    platform::DialogsGuard guard(&dialogs);
    AppSettings settings;
    settings.ApplicationFolder = folder.path();
    settings.setLanguage(readInterfaceLanguage(folder.path()));
    settings.EditMode = false;
    RaceControl race;
    race.FileName = raceName;
    if (raceName.isEmpty()) {
        // No race file: the first GPS file shown alone, as the report does for a track name.
        for (const fuzz::FolderEntry &e : entries) {
            if (e.path.startsWith(QLatin1String("gpsdat/")) && e.path.count(u'/') == 1) {
                settings.SingleTrackFile = e.path.mid(7);
                break;
            }
        }
    }
    RaceData raceData;
    const LoadResult loaded = LoadRace(settings, race, raceData);
    for (const FileProblem &p : loaded.problems)
        (void)p.toString(settings.Language);
    if (!loaded.ok)
        return 0;
    const RaceReport report = buildRaceReport(race, raceData, settings.ReferenceSpeed, settings.SingleTrackFile);
    ReportOptions options;
    options.points = true;
    (void)QJsonDocument(reportJson(report, options)).toJson();
    (void)reportCsv(report);
    return 0;
}
