// The application folder and the data folders below it.
//
// Files are named as the programs always named them, Windows fashion: "\raceadmin\x.txt"
// relative to the application folder. Names are matched without regard to case, so
// "\GPSDAT\a.trk" and "\RaceAdmin\Ver.00" find gpsdat/a.trk and raceadmin/Ver.00.
#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// The folder of the running executable, without a trailing separator.
QString executableFolder();

// Resolves a relative name ("\gpsdat\a.trk", "gpsdat/a.trk") below base. Every component that
// exists under another case is found; components that do not exist are kept as written, so the
// result can also be used to create the file.
QString resolvePath(const QString &base, const QString &relative);

// True when the relative name exists below base as a regular file.
bool fileExists(const QString &base, const QString &relative);
// True when it exists as a folder.
bool folderExists(const QString &base, const QString &relative);

// Names (no folder) of the files in a folder below base that match a wildcard such as
// "*.txt" or "*.TRK", matched without regard to case. Stable order: case-insensitive by name.
// pathPattern may hold the folder too: "\raceadmin\*.txt".
QStringList listFiles(const QString &base, const QString &pathPattern);

// Size in bytes of the file, or -1 when it does not exist or is not a regular file.
qint64 fileSize(const QString &base, const QString &relative);

} // namespace platform
