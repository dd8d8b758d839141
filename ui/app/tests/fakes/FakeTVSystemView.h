#pragma once

#include "TVSystemView.h"

// The user interface of the engine's tests: each call is logged in CUiCallLog, as the control
// panel, the video window and the options menu would receive it; the remote-control service
// is asked for real.
class CFakeTVSystemView : public ITVSystemView
{
public:
    virtual void MuteBriefly();
    virtual void ShowChannelInfo(CChannelEntry* channel);
    virtual void ShowFavoriteButton(BOOL favorite);
    virtual BOOL IsItemEnabled(UINT id);
    virtual void EnableAccelerators(BOOL enable);
    virtual void BeginScan();
    virtual void ShowOptionsMenu(BOOL show);
    virtual BOOL EnsureRemoteServiceRunning();
};
