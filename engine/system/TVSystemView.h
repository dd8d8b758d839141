#pragma once

#include <windows.h>

class CChannelEntry;

// What the TV system tells the user interface above it, and the one thing it asks: whether a
// control is enabled. The program's windows implement it and register it with
// CTVSystem::SetView; without one the calls do nothing and no control counts as enabled.
class ITVSystemView
{
public:
    // The control panel mutes the device for a moment, to hide the noise of a retune.
    virtual void MuteBriefly() = 0;
    // The control panel and the screen display show the channel's number and name.
    virtual void ShowChannelInfo(CChannelEntry* channel) = 0;
    virtual void ShowFavoriteButton(BOOL favorite) = 0;
    // FALSE when the control panel's control does not exist or is disabled.
    virtual BOOL IsItemEnabled(UINT id) = 0;
    // The control panel's keyboard-shortcut table.
    virtual void EnableAccelerators(BOOL enable) = 0;
    // A scan has started: the video window clears its results and shows the progress.
    virtual void BeginScan() = 0;
    // TRUE refreshes and shows the key-driven options menu; FALSE resets and hides it.
    virtual void ShowOptionsMenu(BOOL show) = 0;
    // TRUE only when the remote-control service ends up running.
    virtual BOOL EnsureRemoteServiceRunning() = 0;

protected:
    ~ITVSystemView() {}
};
