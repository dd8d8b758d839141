#include "ServiceManager.h"

namespace {

// The service type the program is installed as: its own process, interactive, so that its
// window and mutex are seen by the programs of the user's desktop.
const DWORD kServiceType = SERVICE_WIN32_OWN_PROCESS | SERVICE_INTERACTIVE_PROCESS;

// A service handle closed when it goes.
class ServiceHandle
{
public:
    ServiceHandle(SC_HANDLE manager, const char* name)
        : m_handle(manager ? OpenServiceA(manager, name, SERVICE_ALL_ACCESS) : NULL)
    {
        if (!manager)
            SetLastError(ERROR_INVALID_HANDLE);
    }
    ~ServiceHandle()
    {
        if (m_handle)
            CloseServiceHandle(m_handle);
    }
    ServiceHandle(const ServiceHandle&) = delete;
    ServiceHandle& operator=(const ServiceHandle&) = delete;
    SC_HANDLE Get() const { return m_handle; }

private:
    SC_HANDLE m_handle;
};

} // namespace

CServiceManager::CServiceManager(int stopPolls)
    : m_manager(NULL), m_stopPolls(stopPolls)
{
    Open();
}

CServiceManager::~CServiceManager()
{
    Close();
}

BOOL CServiceManager::Open()
{
    Close();
    m_manager = OpenSCManagerA(NULL, NULL, SC_MANAGER_CREATE_SERVICE);
    return m_manager != NULL;
}

void CServiceManager::Close()
{
    if (m_manager)
        CloseServiceHandle(m_manager);
    m_manager = NULL;
}

BOOL CServiceManager::CreateService(const char* name, const char* displayName, DWORD startType,
                                    const char* path)
{
    if (!m_manager)
        return FALSE;
    SC_HANDLE service = ::CreateServiceA(m_manager, name, displayName, SERVICE_ALL_ACCESS,
                                       kServiceType, startType, SERVICE_ERROR_NORMAL, path, NULL,
                                       NULL, NULL, NULL, NULL);
    if (!service)
        return FALSE;
    CloseServiceHandle(service);
    return TRUE;
}

BOOL CServiceManager::StartService(const char* name)
{
    ServiceHandle service(m_manager, name);
    return service.Get() && ::StartServiceA(service.Get(), 0, NULL);
}

BOOL CServiceManager::StopService(const char* name)
{
    ServiceHandle service(m_manager, name);
    if (!service.Get())
        return TRUE;
    SERVICE_STATUS status;
    return ControlService(service.Get(), SERVICE_CONTROL_STOP, &status) ||
           GetLastError() == ERROR_SERVICE_NOT_ACTIVE;
}

BOOL CServiceManager::DeleteService(const char* name)
{
    ServiceHandle service(m_manager, name);
    if (!service.Get())
        return GetLastError() == ERROR_SERVICE_DOES_NOT_EXIST;
    SERVICE_STATUS status;
    if (ControlService(service.Get(), SERVICE_CONTROL_STOP, &status)) {
        // A service that never leaves stop-pending is deleted after the bound all the same:
        // it goes when it ends.
        for (int poll = 0; poll < m_stopPolls && QueryServiceStatus(service.Get(), &status) &&
                           status.dwCurrentState == SERVICE_STOP_PENDING;
             ++poll)
            Sleep(kStopPollMs);
    }
    return ::DeleteService(service.Get()) || GetLastError() == ERROR_SERVICE_MARKED_FOR_DELETE;
}

BOOL CServiceManager::QueryStatus(const char* name, SERVICE_STATUS& status)
{
    ServiceHandle service(m_manager, name);
    return service.Get() && QueryServiceStatus(service.Get(), &status);
}
