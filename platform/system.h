// Operating system services other than files and dialogs: starting programs, the user's
// locale, the clock, the kind of drive the program runs from, the documents folder and a
// single-instance lock. QtCore only.
#pragma once

#include "localdatetime.h"

#include <QString>

#include <memory>

class QLockFile;

namespace platform {

// Starts a program by path in a normal window without waiting for it, with its own folder as
// working folder. False with *error set (naming the program) when it cannot be started.
bool startProgram(const QString &path, QString *error = nullptr);

// The user's default locale as a Windows locale identifier: 1033 for English (United States),
// 1041 for Japanese (Japan) and so on. The C and POSIX locales count as 1033. 0 when unknown.
int userLocaleId();
// The same for a locale name such as "en_US.UTF-8", "ja_JP" or "C".
int localeIdForName(const QString &name);

// The clock: current UTC and local date-times (whole seconds) and the number of hour
// boundaries from UTC to local time (local − UTC in whole hours).
LocalDateTime utcNow();
LocalDateTime localNow();
int timeZoneHours();
int timeZoneHours(const LocalDateTime &utc, const LocalDateTime &local);

// True when the path lies on a read-only optical file system (iso9660 or udf): the program
// runs from a CD-ROM.
bool isOnOpticalDisc(const QString &path);

// The user's personal documents folder.
QString documentsFolder();

// Holds a lock while the program runs, so that a second start can tell one is running.
class SingleInstance
{
public:
    explicit SingleInstance(const QString &key);
    ~SingleInstance();
    bool isFirst() const { return m_first; }

private:
    std::unique_ptr<QLockFile> m_lock;
    bool m_first = false;
};

} // namespace platform
