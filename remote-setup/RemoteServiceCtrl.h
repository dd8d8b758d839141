#pragma once

#include <afx.h>

// Installs, starts, stops, removes and queries the remote-control service program. The
// state QueryStatus gives is the Service Control Manager's (1 stopped ... 4 running ...
// 7 paused), or 1060 when the service is not installed.
class CRemoteServiceCtrl
{
public:
    enum { kNotInstalled = ERROR_SERVICE_DOES_NOT_EXIST };

    virtual ~CRemoteServiceCtrl() {}
    virtual BOOL QueryStatus(int& state) = 0;
    virtual BOOL Stop() = 0;
    virtual BOOL Start() = 0;
    virtual BOOL Remove() = 0;
    virtual BOOL Install(const char* displayName, DWORD startType, const char* path) = 0;

    BOOL IsRunning();

    // The "Exe" value of the maker's key: where the service program was installed; empty when
    // it is missing.
    static CString GetServiceExePath();
};

// The controller for the running system: the Run-key one where the system reports the 9x
// family, the service one everywhere else. The caller deletes it.
CRemoteServiceCtrl* CreateServiceCtrl();

extern const char kRemoteServiceName[];    // "RemoteControlService", also the Run value's name
extern const char kRemoteServiceDisplayName[];  // "Quorvex Remote Control Service"
extern const char kRemoteServiceKey[];     // "Software\\Quorvex\\Common\\RemoteService"
