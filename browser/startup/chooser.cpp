#include "chooser.h"

#include <appfolder.h>
#include <appsettings.h>
#include <racecontrol.h>

QStringList chooserNames(const QString &applicationFolder, ChooserMode mode)
{
    if (mode == ChooserMode::Races)
        return platform::listFiles(applicationFolder, QStringLiteral("\\raceadmin\\*.txt"));
    return platform::listFiles(applicationFolder, QStringLiteral("\\gpsdat\\*.dtr"))
        + platform::listFiles(applicationFolder, QStringLiteral("\\gpsdat\\*.trk"));
}

void prepareChooser(RaceControl &race, ChooserMode mode)
{
    if (mode == ChooserMode::TrackFiles)
        race.BoatLength = 4.7f;
}

void applyChoice(AppSettings &settings, RaceControl &race, ChooserMode mode, const QString &name)
{
    race.StartTime = {};
    race.DisplayStart = {};
    race.FinishTime = {};
    race.DisplayEnd = {};
    race.FileName.clear();
    settings.SingleTrackFile.clear();
    race.Title1.clear();
    race.Title2.clear();
    race.Title3.clear();
    race.WindFile.clear();
    race.Boats.clear();
    race.Marks.clear();
    race.Lines.clear();
    race.Course.Entries.clear();
    // The attachments of the race shown before would otherwise be offered with a single track.
    race.Attachments.clear();
    race.TimeDifference = 0;
    race.NorthUp = 0.0;
    if (mode == ChooserMode::TrackFiles)
        settings.SingleTrackFile = name;
    else
        race.FileName = name;
}
