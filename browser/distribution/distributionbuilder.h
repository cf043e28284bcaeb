// Building a distribution: the checks of the folder name, carrying out a plan, and the whole
// "Create Distribution File" command of the builder's window with its messages and question.
//
// A build stops at the first file-system error (a folder that cannot be created, a disk that is
// full, a medium that is write-protected): every file is written through a temporary file and
// renamed into place, so no half-written file is left, and the distribution folder the build
// created is removed again, so the name can be used once the cause is mended.
#pragma once

#include "distributionplan.h"

#include <QString>
#include <QStringList>

#include <functional>

struct AppSettings;

enum class FolderNameCheck {
    Ok,
    Empty,
    Invalid, // holds \ or /, or is . or ..: it would not name a new folder below "distribution"
    Exists,  // "distribution" already holds an entry of exactly this name (letter case counts)
};

FolderNameCheck checkFolderName(const QString &applicationFolder, const QString &folderName);

struct DistributionResult {
    bool Ok = false;
    QString Error;            // the path that failed and why
    QStringList Remarks;      // planning remarks and files named by a race that were not there
    bool CreatedFolder = false; // the build created the distribution folder
    bool RemovedFolder = false; // after a failure: the created folder was removed again
};

// Carries out a plan. Remarks of the plan are passed on.
DistributionResult runDistributionPlan(const AppSettings &settings, const DistributionPlan &plan);

enum class CreateOutcome {
    NothingChosen, // no race chosen: nothing happens
    Stopped,       // a check failed; its message was shown
    Declined,      // the user answered No
    Failed,        // the build failed; its message was shown
    Built,         // the distribution is complete (remarks, if any, were shown)
};

// The "Create Distribution File" command: the folder name checks and their messages, the
// question, the build (busy(true) before it and busy(false) after, for the hourglass pointer)
// and its message when it fails or leaves remarks. Messages go through platform::dialogs().
CreateOutcome createDistribution(const AppSettings &settings, const DistributionRequest &request,
                                 const DistributionSources &sources, const std::function<void(bool)> &busy = {});

// The sources of the running program: itself, and the runtime files found from it.
DistributionSources sourcesOfThisProgram();
