#pragma once

#include <afx.h>

// Makes sure the remote-control service runs, through the service maker's control library,
// loaded afresh at each call from the folder the service's installer recorded.
class CRemoteServiceClient
{
public:
    virtual ~CRemoteServiceClient();

    // TRUE only when the service ends up running; every failure is silent.
    static BOOL EnsureRemoteServiceRunning();
};
