// Copying files into a distribution. Every file is written to a temporary file beside its
// target and renamed into place, so a copy that fails (disk full, write-protected medium)
// leaves either the old file or none, never half of one.
#pragma once

#include <QString>

enum class CopyOutcome {
    Copied,  // the file was copied, replacing any file of that name
    Absent,  // the name is empty or the source file does not exist: nothing was done
    Refused, // the name leaves its folder ("..\x", "/etc/x"): nothing was done
    Failed,  // reading or writing failed: *error names the path and the reason
};

// Copies sourceFolder\name to destinationFolder\name, replacing it, when the name is not empty
// and the source file exists. The name is matched without regard to case in the source folder
// and may hold subfolders ("docs\rules.pdf"), which are created below the destination; the copy
// keeps the name as the source folder spells it. A name that would lead out of either folder is
// refused.
CopyOutcome copyIfPresent(const QString &sourceFolder, const QString &destinationFolder, const QString &name,
                          QString *error = nullptr);

// Copies one file (absolute paths), replacing the target atomically and keeping the source's
// permission bits, so a program stays executable. False with *error set (naming the path that
// failed) on a failure; the target is then left as it was.
bool copyFileReplacing(const QString &source, const QString &target, QString *error = nullptr);

// Writes bytes to a file, replacing it atomically; executable marks it as a program
// (rwxr-xr-x). False with *error set on a failure.
bool writeFileReplacing(const QString &path, const QByteArray &bytes, bool executable, QString *error = nullptr);
