// What the viewer's window asks of the desktop: the gun, the short system beep and opening a
// file or web address with the program the desktop associates with it. The program uses the
// platform layer; tests install a recorder, so no sound plays and nothing opens.
#pragma once

#include <QString>
#include <QStringList>

class ViewerServices
{
public:
    virtual ~ViewerServices() = default;
    // The gun built into the program, played without waiting; nothing when the machine has no
    // sound.
    virtual void gun() = 0;
    virtual void beep() = 0;
    // True when the desktop took the document.
    virtual bool open(const QString &pathOrAddress) = 0;
};

// The real desktop: the "gun" resource through the platform's sound, its beep and its opener.
class DesktopViewerServices : public ViewerServices
{
public:
    void gun() override;
    void beep() override;
    bool open(const QString &pathOrAddress) override;
};

// Counts the guns and beeps and keeps what was to be opened.
class RecordingViewerServices : public ViewerServices
{
public:
    int Guns = 0;
    int Beeps = 0;
    QStringList Opened;
    void gun() override { ++Guns; }
    void beep() override { ++Beeps; }
    bool open(const QString &pathOrAddress) override
    {
        Opened << pathOrAddress;
        return true;
    }
};

// The resource path of the gun sound.
constexpr char GunSoundResource[] = ":/viewer/gun.wav";
