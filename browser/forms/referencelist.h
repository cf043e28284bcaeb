// The reference list "RefFm": the race's attachments and where each one lies. QtCore only; the
// window (referencedialog.h) lists them and opens the one clicked.
#pragma once

#include <QString>
#include <QStringList>

struct AppSettings;

// The path of an attachment below the application folder's attachment folder: the name
// without surrounding blanks, matched without regard to case.
QString attachmentPath(const AppSettings &settings, const QString &attachment);

// True when the attachment's file exists.
bool attachmentExists(const AppSettings &settings, const QString &attachment);

// How long the list waits, hidden, after handing a document to its program before it closes:
// the program gets the time to come up in front.
constexpr int ReferenceOpenWaitMs = 5000;
