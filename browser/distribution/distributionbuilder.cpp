#include "distributionbuilder.h"

#include "distributiontexts.h"
#include "filecopy.h"

#include <appsettings.h>

#include <dialogs.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

namespace {

constexpr int MaxRemarksShown = 30;

std::filesystem::path nativePath(const QString &path)
{
    return std::filesystem::path(path.toStdU16String());
}

// Creates one folder unless it exists. False with *error naming the folder and the reason.
bool makeFolder(const QString &path, QString *error)
{
    const QFileInfo info(path);
    if (info.isDir())
        return true;
    std::error_code ec;
    std::filesystem::create_directory(nativePath(path), ec);
    if (ec) {
        *error = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), QString::fromLocal8Bit(ec.message()));
        return false;
    }
    return true;
}

QString joinedRemarks(const QStringList &remarks)
{
    QStringList shown = remarks.mid(0, MaxRemarksShown);
    if (remarks.size() > MaxRemarksShown)
        shown << QStringLiteral("… (+%1)").arg(remarks.size() - MaxRemarksShown);
    return shown.join(QStringLiteral("\r\n"));
}

} // namespace

FolderNameCheck checkFolderName(const QString &applicationFolder, const QString &folderName)
{
    if (folderName.isEmpty())
        return FolderNameCheck::Empty;
    if (folderName.contains(u'/') || folderName.contains(u'\\') || folderName.contains(QChar(0))
        || folderName == QLatin1String(".") || folderName == QLatin1String(".."))
        return FolderNameCheck::Invalid;
    const QDir parent(distributionParentFolder(applicationFolder));
    const QStringList entries = parent.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    return entries.contains(folderName, Qt::CaseSensitive) ? FolderNameCheck::Exists : FolderNameCheck::Ok;
}

DistributionResult runDistributionPlan(const AppSettings &settings, const DistributionPlan &plan)
{
    DistributionResult result;
    result.Remarks = plan.Remarks;
    const QString appFolder = QDir::cleanPath(settings.ApplicationFolder);
    const auto shortName = [&appFolder](const QString &path) {
        const QString clean = QDir::cleanPath(path);
        return QDir::toNativeSeparators(clean.startsWith(appFolder + u'/') ? clean.mid(appFolder.size() + 1) : clean);
    };
    QString error;
    bool ok = true;
    for (const DistributionStep &step : plan.Steps) {
        switch (step.Type) {
        case DistributionStep::MakeFolder: {
            const bool isNew = QDir::cleanPath(step.Path) == QDir::cleanPath(plan.Folder) && !QFileInfo::exists(step.Path);
            ok = makeFolder(step.Path, &error);
            // Only a folder this build made is removed again after a failure.
            result.CreatedFolder = result.CreatedFolder || (ok && isNew);
            break;
        }
        case DistributionStep::CopyIfPresent:
            switch (copyIfPresent(step.Source, step.Path, step.Name, &error)) {
            case CopyOutcome::Copied:
                break;
            case CopyOutcome::Absent:
                if (step.ReportMissing)
                    result.Remarks << distributionText(settings, DistributionText::MissingFile).arg(step.Name, shortName(step.Source));
                break;
            case CopyOutcome::Refused:
                result.Remarks << distributionText(settings, DistributionText::RefusedName).arg(step.Name);
                break;
            case CopyOutcome::Failed:
                ok = false;
                break;
            }
            break;
        case DistributionStep::CopyFile:
            ok = copyFileReplacing(step.Source, step.Path, &error);
            break;
        case DistributionStep::WriteFile:
            ok = writeFileReplacing(step.Path, step.Content, step.Executable, &error);
            break;
        }
        if (!ok)
            break;
    }
    result.Remarks.removeDuplicates();
    if (ok) {
        result.Ok = true;
        return result;
    }
    result.Error = error;
    if (result.CreatedFolder)
        result.RemovedFolder = QDir(plan.Folder).removeRecursively();
    return result;
}

CreateOutcome createDistribution(const AppSettings &settings, const DistributionRequest &request,
                                 const DistributionSources &sources, const std::function<void(bool)> &busy)
{
    if (request.Races.isEmpty())
        return CreateOutcome::NothingChosen;
    platform::Dialogs &dialogs = platform::dialogs();
    const auto text = [&settings](DistributionText id) { return distributionText(settings, id); };
    // The English messages carry the program's title; the Japanese ones name their subject.
    const QString title = settings.isEnglish() ? settings.ProgramTitle : QString();

    switch (checkFolderName(settings.ApplicationFolder, request.FolderName)) {
    case FolderNameCheck::Ok:
        break;
    case FolderNameCheck::Empty:
        dialogs.message(text(DistributionText::EmptyFolderName), title);
        return CreateOutcome::Stopped;
    case FolderNameCheck::Invalid:
        dialogs.message(text(DistributionText::BadFolderName), settings.ProgramTitle);
        return CreateOutcome::Stopped;
    case FolderNameCheck::Exists:
        dialogs.message(text(DistributionText::FolderExists), text(DistributionText::FolderExistsCaption));
        return CreateOutcome::Stopped;
    }
    // A start-up race outside the distribution would leave the distributed program nothing to open.
    if (!request.StartupRace.isEmpty() && !request.Races.contains(request.StartupRace)) {
        dialogs.message(text(DistributionText::StartupRaceNotChosen), settings.ProgramTitle);
        return CreateOutcome::Stopped;
    }
    if (!dialogs.askYesNo(text(DistributionText::CreateQuestion), text(DistributionText::CreateQuestionCaption)))
        return CreateOutcome::Declined;

    if (busy)
        busy(true);
    const DistributionPlan plan = planDistribution(settings, request, sources);
    const DistributionResult result = runDistributionPlan(settings, plan);
    if (busy)
        busy(false);

    if (!result.Ok) {
        QString message = text(DistributionText::BuildFailed) + QStringLiteral("\r\n") + result.Error;
        if (result.CreatedFolder) {
            const DistributionText removal = result.RemovedFolder ? DistributionText::FolderRemoved : DistributionText::FolderNotRemoved;
            message += QStringLiteral("\r\n") + text(removal).arg(QDir::toNativeSeparators(plan.Folder));
        }
        dialogs.message(message, settings.ProgramTitle);
        return CreateOutcome::Failed;
    }
    if (!result.Remarks.isEmpty()) {
        dialogs.message(text(DistributionText::BuildRemarks).arg(QDir::toNativeSeparators(plan.Folder)) + QStringLiteral("\r\n")
                            + joinedRemarks(result.Remarks),
                        settings.ProgramTitle);
    }
    return CreateOutcome::Built;
}

DistributionSources sourcesOfThisProgram()
{
    DistributionSources sources;
    sources.ProgramFile = QCoreApplication::applicationFilePath();
    sources.runtimeFiles = [program = sources.ProgramFile] {
#ifdef Q_OS_LINUX
        return findRuntimeFiles(program, runtimeSearchOfThisProgram());
#else
        RuntimeFiles none;
        none.Problems << QStringLiteral("the runtime files are gathered on Linux only");
        return none;
#endif
    };
    return sources;
}
