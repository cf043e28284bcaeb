#include "distributionplan.h"

#include "distributiontexts.h"
#include "racescan.h"

#include <appsettings.h>

#include <appfolder.h>
#include <textfile.h>

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace {

QByteArray ansiLines(const QStringList &lines)
{
    QString text;
    for (const QString &line : lines)
        text += line + QStringLiteral("\r\n");
    return platform::encodeAnsi(text);
}

class PlanWriter
{
public:
    explicit PlanWriter(DistributionPlan &plan) : m_plan(plan) {}

    void makeFolder(const QString &path)
    {
        if (m_folders.contains(path))
            return;
        m_folders.insert(path);
        DistributionStep s;
        s.Type = DistributionStep::MakeFolder;
        s.Path = path;
        m_plan.Steps.append(s);
    }
    void copyIfPresent(const QString &sourceFolder, const QString &destinationFolder, const QString &name,
                       bool reportMissing = false)
    {
        DistributionStep s;
        s.Type = DistributionStep::CopyIfPresent;
        s.Source = sourceFolder;
        s.Path = destinationFolder;
        s.Name = name;
        s.ReportMissing = reportMissing;
        m_plan.Steps.append(s);
    }
    void copyFile(const QString &source, const QString &target)
    {
        DistributionStep s;
        s.Type = DistributionStep::CopyFile;
        s.Source = source;
        s.Path = target;
        m_plan.Steps.append(s);
    }
    void writeFile(const QString &path, const QByteArray &content, bool executable = false)
    {
        DistributionStep s;
        s.Type = DistributionStep::WriteFile;
        s.Path = path;
        s.Content = content;
        s.Executable = executable;
        m_plan.Steps.append(s);
    }

private:
    DistributionPlan &m_plan;
    QSet<QString> m_folders;
};

} // namespace

QString distributionParentFolder(const QString &applicationFolder)
{
    return platform::resolvePath(applicationFolder, QStringLiteral("distribution"));
}

QString distributedProgramName(const AppSettings &settings)
{
    return settings.text(QStringLiteral("orvane"), QStringLiteral("ｵﾙﾊﾞﾈ"));
}

QStringList autorunLines(const AppSettings &settings)
{
    const QString program = distributedProgramName(settings);
    return {QStringLiteral("[autorun]"), QStringLiteral("Icon = ") + program, QStringLiteral("open = ") + program};
}

QStringList englishLanguageFileLines()
{
    return {QStringLiteral("LANG,1")};
}

DistributionPlan planDistribution(const AppSettings &settings, const DistributionRequest &request,
                                  const DistributionSources &sources)
{
    DistributionPlan plan;
    PlanWriter w(plan);
    const QString app = settings.ApplicationFolder;
    const QString parent = distributionParentFolder(app);
    const QDir d(QDir(parent).filePath(request.FolderName));
    plan.Folder = d.path();
    const auto in = [&d](const QString &name) { return d.filePath(name); };
    const auto source = [&app](const QString &folder) { return platform::resolvePath(app, folder); };

    w.makeFolder(parent);
    w.makeFolder(plan.Folder);
    for (const char *folder : {"raceadmin", "gpsdat", "winddat", "attachment"})
        w.makeFolder(in(QLatin1String(folder)));
    if (request.AttachMaps)
        w.makeFolder(in(QStringLiteral("coastline")));

    const QString program = distributedProgramName(settings);
    if (!sources.ProgramFile.isEmpty() && QFileInfo(sources.ProgramFile).isFile()) {
        w.copyFile(sources.ProgramFile, in(programBinaryName(program)));
        w.writeFile(in(program), launcherScript(program), true);
    }
    w.copyIfPresent(app, plan.Folder, QStringLiteral("gun.wav"));

    if (!request.StartupRace.isEmpty())
        w.writeFile(in(QStringLiteral("raceadmin/racefile.st")), ansiLines({request.StartupRace}));

    const bool cdRom = request.Medium == DistributionMedium::CdRom;
    if ((cdRom || !request.MinimiseSize) && sources.runtimeFiles) {
        const RuntimeFiles runtime = sources.runtimeFiles();
        for (const RuntimeFile &f : runtime.Files) {
            // Each folder of the target path, outermost first.
            const QStringList parts = f.Target.split(u'/', Qt::SkipEmptyParts);
            QString folder = plan.Folder;
            for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
                folder = QDir(folder).filePath(parts[i]);
                w.makeFolder(folder);
            }
            w.copyFile(f.Source, in(f.Target));
        }
        for (const QString &p : runtime.Problems)
            plan.Remarks << distributionText(settings, DistributionText::RuntimeProblem).arg(p);
    }

    if (cdRom)
        w.writeFile(in(QStringLiteral("autorun.inf")), ansiLines(autorunLines(settings)));
    if (settings.isEnglish())
        w.writeFile(in(QStringLiteral("raceadmin/ver.00")), ansiLines(englishLanguageFileLines()));

    const QString raceadmin = source(QStringLiteral("raceadmin"));
    for (const QString &race : request.Races)
        w.copyIfPresent(raceadmin, in(QStringLiteral("raceadmin")), race);

    const QString gpsdat = source(QStringLiteral("gpsdat"));
    const QString winddat = source(QStringLiteral("winddat"));
    const QString coastline = source(QStringLiteral("coastline"));
    const QString attachment = source(QStringLiteral("attachment"));
    for (const QString &race : request.Races) {
        const RaceFileNames names = scanRace(app, race);
        if (!names.Error.isEmpty())
            plan.Remarks << names.Error;
        plan.Remarks << names.Problems;
        for (const QString &track : names.TrackFiles)
            w.copyIfPresent(gpsdat, in(QStringLiteral("gpsdat")), track, true);
        w.copyIfPresent(winddat, in(QStringLiteral("winddat")), names.WindFile);
        if (request.AttachMaps) {
            for (const QString &tile : names.CoastTiles)
                w.copyIfPresent(coastline, in(QStringLiteral("coastline")), tile);
        }
        for (const QString &a : names.Attachments)
            w.copyIfPresent(attachment, in(QStringLiteral("attachment")), a, true);
    }
    plan.Remarks.removeDuplicates();
    return plan;
}
