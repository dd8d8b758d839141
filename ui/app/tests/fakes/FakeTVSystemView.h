#pragma once

#include "TVSystemView.h"

// The user interface of the engine's tests: each call is logged in CUiCallLog, as the control
// panel, the video window and the options menu would receive it. The remote-control service
// is asked for real only by a test that asks for it: a started service outlives the test and
// would hold the prefix's service for the tests after it.
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

    // Off: the service reads as not running, and the device polls the remote itself.
    static void UseRealRemoteService(BOOL on) { s_realRemoteService = on; }

private:
    static BOOL s_realRemoteService;
};
