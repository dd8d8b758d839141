#pragma once

#include <windows.h>

class CIniFile;

// What the capture graph asks of the TV system that owns it: the settings it reads, the
// device mute around a sound switch, a retune once a new capture filter runs, and the user
// interface's part in TV on the desktop and remote keys. The TV system implements it and
// hands itself to its graph.
class ITVGraphHost
{
public:
    // Tunes the current channel again; FALSE when there is none to tune.
    virtual BOOL RetuneCurrentChannel() = 0;
    virtual void SetDeviceMute(BOOL on) = 0;
    // TVParam.ini as the system keeps it; NULL before it was first read.
    virtual CIniFile* GetParamFile() = 0;
    // The picture size the MPEG-4 format records at.
    virtual SIZE GetMpeg4RecordSize() const = 0;
    // TRUE when the user asked for TV on the desktop.
    virtual BOOL GetOverlayDesktop() const = 0;
    // The control panel's keyboard shortcuts, off while TV is on the desktop.
    virtual void EnableAccelerators(BOOL enable) = 0;
    // TRUE only when the remote-control service ends up running.
    virtual BOOL EnsureRemoteServiceRunning() = 0;

protected:
    // Never deleted through the interface.
    ~ITVGraphHost() {}
};
