// The viewer's own texts that are not captions of controls: the program title and the messages
// of the start-up and of the race list. These exist in one wording, shown in both languages.
#pragma once

#include <QString>

namespace viewertexts {

// The caption of the viewer's message boxes and the application title.
inline QString programTitle() { return QStringLiteral("orvane"); }
// No boat of the race has a GPS file: the viewer ends after it.
inline QString gpsFileNotExists() { return QStringLiteral("GPS file not exists."); }
// The SHOW button names the race on screen.
inline QString alreadyShown() { return QStringLiteral("Already shown."); }
// The progress line of the splash window before boat i of n is read.
inline QString loadingLine(const QString &gpsFile, int i, int n)
{
    return QStringLiteral("LOADING  %1  (%2/%3)").arg(gpsFile, QString::number(i), QString::number(n));
}

} // namespace viewertexts
