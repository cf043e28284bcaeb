// Desktop services of the widget side: opening a document with the program the desktop
// associates with it, and sound.
#pragma once

#include <QString>

namespace platform {

// Opens a file path or a web address with the desktop's "open" action. Returns a value in
// the manner of the system call it stands in for: above 32 on success; 2 when the file does
// not exist, 3 when its folder does not exist, 31 when nothing could open it.
int openDocument(const QString &pathOrUrl);

// Plays a sound file, or a sound built into the program as a resource (":/…"), without waiting;
// a missing file or a machine without sound is skipped silently.
void playSound(const QString &path);

// A short system beep.
void beep();

} // namespace platform
