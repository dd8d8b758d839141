#pragma once

#include "RemoteServiceCtrl.h"
#include "ServiceManager.h"

// The service road of the NT family: the program runs as the service "RemoteControlService".
class CNtServiceCtrl : public CRemoteServiceCtrl
{
public:
    BOOL QueryStatus(int& state) override;
    BOOL Stop() override;
    BOOL Start() override;
    BOOL Remove() override;
    // The display name is always the service's own.
    BOOL Install(const char* displayName, DWORD startType, const char* path) override;

private:
    CServiceManager m_manager;
};
