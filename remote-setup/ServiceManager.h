#pragma once

#include <windows.h>

// One handle of the Service Control Manager, allowed to create services. Each operation
// opens the named service with all access and closes it again before it returns.
class CServiceManager
{
public:
    // How often DeleteService asks whether a stopping service has stopped, a second apart,
    // before it deletes the service all the same.
    enum { kStopPolls = 30, kStopPollMs = 1000 };

    explicit CServiceManager(int stopPolls = kStopPolls);
    ~CServiceManager();

    // Closes the handle held, then opens the manager again.
    BOOL Open();

    BOOL CreateService(const char* name, const char* displayName, DWORD startType, const char* path);
    BOOL StartService(const char* name);
    // TRUE too when the service is missing or not running.
    BOOL StopService(const char* name);
    // Stops the service first. TRUE too when it is missing or already marked for deletion.
    BOOL DeleteService(const char* name);
    BOOL QueryStatus(const char* name, SERVICE_STATUS& status);

private:
    CServiceManager(const CServiceManager&);
    CServiceManager& operator=(const CServiceManager&);

    void Close();

    SC_HANDLE m_manager;
    int m_stopPolls;
};
