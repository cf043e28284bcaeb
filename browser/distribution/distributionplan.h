// What a distribution holds and where each file comes from, as an ordered list of steps: the
// folders to create, the files to copy and the small files to write. planDistribution decides
// it from the choices of the builder's window; runDistributionPlan (distributionbuilder.h)
// carries it out.
//
// The distribution folder d = application folder/distribution/<folder name> receives, in order:
//   the folders raceadmin, gpsdat, winddat, attachment (always) and coastline (maps attached);
//   the program under the file name of the interface language ("orvane" in English, "ｵﾙﾊﾞﾈ" in
//   Japanese: the launcher, with the program beside it as <name>.bin) and "gun.wav";
//   raceadmin/racefile.st naming the start-up race, when one is chosen;
//   the runtime files (CD-ROM, or web without minimising the data size);
//   autorun.inf naming the program (CD-ROM);
//   raceadmin/ver.00 switching the distributed program to English (English interface);
//   the chosen race control files, then every track, wind, coast tile (maps attached) and
//   attachment file each race names.
// A file named by a race that the application folder lacks is passed over (copyIfPresent).
#pragma once

#include "runtimefiles.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

struct AppSettings;

enum class DistributionMedium { Web, CdRom };

// The choices of the builder's window.
struct DistributionRequest {
    QStringList Races;          // chosen race control files, in the order chosen (repeats allowed)
    QString FolderName;         // the new folder below "distribution"
    QString StartupRace;        // written to racefile.st; empty: none
    DistributionMedium Medium = DistributionMedium::Web;
    bool MinimiseSize = false;  // "データサイズ最小化": web delivery without the runtime files
    bool AttachMaps = false;    // "Attach Map Data": the coast tiles of the races
};

// Where the program and its runtime files come from.
struct DistributionSources {
    QString ProgramFile;                         // the browser program; empty or absent: not copied
    std::function<RuntimeFiles()> runtimeFiles;  // asked only when runtime files are copied
};

struct DistributionStep {
    enum Kind {
        MakeFolder,    // create Path unless it exists
        CopyIfPresent, // copyIfPresent(Source folder, Path folder, Name)
        CopyFile,      // copy the file Source to the file Path
        WriteFile,     // write Content to the file Path
    };
    Kind Type = MakeFolder;
    QString Path;
    QString Source;
    QString Name;
    QByteArray Content;
    bool Executable = false;  // WriteFile: a program (the launcher)
    bool ReportMissing = false; // CopyIfPresent: an absent file is worth a remark
};

struct DistributionPlan {
    QString Folder;               // d
    QList<DistributionStep> Steps;
    QStringList Remarks;          // found while planning: lines the races could not be scanned by, runtime problems
};

// The distribution folder below the application folder ("distribution", whatever its case).
QString distributionParentFolder(const QString &applicationFolder);

// The program's file name in a distribution for the interface language.
QString distributedProgramName(const AppSettings &settings);

// The lines of autorun.inf and of ver.00.
QStringList autorunLines(const AppSettings &settings);
QStringList englishLanguageFileLines();

// Plans the distribution; scans the chosen races (their problems become remarks) and asks for
// the runtime files when they are to be copied.
DistributionPlan planDistribution(const AppSettings &settings, const DistributionRequest &request,
                                  const DistributionSources &sources);
