// Opening a document, web page or picture with the program the desktop associates with it,
// and the clock of the browser.
#pragma once

#include <localdatetime.h>

#include <QString>

#include <functional>

// Opens a path or address and returns a value in the manner of the system's "open" action:
// above 32 on success, 32 or less on failure (2 file not found, 3 path not found, 31 no
// association …). The program installs the desktop's opener; tests install their own.
using DocumentOpener = std::function<int(const QString &pathOrAddress)>;
// Returns the previous opener. Without one, every document fails with 31.
DocumentOpener setDocumentOpener(DocumentOpener opener);

// The message for a failed "open" by the system's value ("any other" for unknown values).
QString openDocumentFailureText(int value);

// Opens documentPath; on failure shows the message for the value (OK, default caption) and
// returns false. The program goes on either way.
bool OpenDocument(const QString &documentPath);

// Current UTC and local date-times, and the whole hours from UTC to local time.
platform::LocalDateTime UtcNow();
platform::LocalDateTime LocalNow();
qint16 TimeZoneHours();
