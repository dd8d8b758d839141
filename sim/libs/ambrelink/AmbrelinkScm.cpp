#include "Ambrelink.h"

#include "CSimLog.h"
#include "CSimSwitches.h"

#include <string>

// The library over the Service Control Manager, the build installed beside the program.
namespace {

const char kServiceName[] = "RemoteControlService";
const char kDisplayName[] = "Quorvex Remote Control Service";
const char kProgramName[] = "Ostler.exe";
const DWORD kStartWaitMs = 5000;
const DWORD kStopWaitMs = 30000;
const DWORD kPollMs = 100;

const CSimLog& Log()
{
    static CSimSwitches switches("ambrelink");
    static CSimLog log("ambrelink", switches.TraceLevel());
    return log;
}

// Closes a service or manager handle when it goes.
class ScHandle
{
public:
    explicit ScHandle(SC_HANDLE handle) : m_handle(handle) {}
    ~ScHandle()
    {
        if (m_handle)
            CloseServiceHandle(m_handle);
    }
    ScHandle(const ScHandle&) = delete;
    ScHandle& operator=(const ScHandle&) = delete;
    SC_HANDLE Get() const { return m_handle; }

private:
    SC_HANDLE m_handle;
};

std::string OwnFolder()
{
    HMODULE self = NULL;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       (LPCSTR)&OwnFolder, &self);
    char path[MAX_PATH] = "";
    GetModuleFileNameA(self, path, sizeof(path));
    std::string folder(path);
    size_t slash = folder.find_last_of('\\');
    return slash == std::string::npos ? std::string() : folder.substr(0, slash);
}

// The state reaches `wanted` within the time; the last state read goes to `state`.
bool WaitForState(SC_HANDLE service, DWORD wanted, DWORD timeoutMs, DWORD* state)
{
    DWORD start = GetTickCount();
    for (;;) {
        SERVICE_STATUS status = {};
        if (!QueryServiceStatus(service, &status))
            return false;
        *state = status.dwCurrentState;
        if (status.dwCurrentState == wanted)
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(kPollMs);
    }
}

} // namespace

extern "C" __declspec(dllexport) int WINAPI RSGetStatus(DWORD* state)
{
    ScHandle manager(OpenSCManagerA(NULL, NULL, SC_MANAGER_CONNECT));
    if (!manager.Get()) {
        Log().Line("RSGetStatus -> 0 (manager %lu)", GetLastError());
        return 0;
    }
    ScHandle service(OpenServiceA(manager.Get(), kServiceName, SERVICE_QUERY_STATUS));
    SERVICE_STATUS status = {};
    if (!service.Get())
        *state = ERROR_SERVICE_DOES_NOT_EXIST;
    else if (QueryServiceStatus(service.Get(), &status))
        *state = status.dwCurrentState;
    else
        *state = GetLastError();
    Log().Line("RSGetStatus -> 1 state=%lu", *state);
    return 1;
}

extern "C" __declspec(dllexport) int WINAPI RSStart(void)
{
    int result = 0;
    ScHandle manager(OpenSCManagerA(NULL, NULL, SC_MANAGER_CONNECT));
    ScHandle service(manager.Get() ? OpenServiceA(manager.Get(), kServiceName,
                                                  SERVICE_START | SERVICE_QUERY_STATUS)
                                   : NULL);
    if (service.Get()) {
        DWORD state = 0;
        if (StartServiceA(service.Get(), 0, NULL) || GetLastError() == ERROR_SERVICE_ALREADY_RUNNING)
            result = WaitForState(service.Get(), SERVICE_RUNNING, kStartWaitMs, &state) ? 1 : 0;
    }
    Log().Line("RSStart -> %d", result);
    return result;
}

extern "C" __declspec(dllexport) int WINAPI RSInstall(void)
{
    int result = 0;
    ScHandle manager(OpenSCManagerA(NULL, NULL, SC_MANAGER_CREATE_SERVICE));
    if (manager.Get()) {
        // Quoted: the program's folder has blanks in its name.
        std::string command = "\"" + OwnFolder() + "\\" + kProgramName + "\"";
        ScHandle service(CreateServiceA(manager.Get(), kServiceName, kDisplayName, SERVICE_ALL_ACCESS,
                                        SERVICE_WIN32_OWN_PROCESS | SERVICE_INTERACTIVE_PROCESS,
                                        SERVICE_AUTO_START, SERVICE_ERROR_NORMAL, command.c_str(),
                                        NULL, NULL, NULL, NULL, NULL));
        result = (service.Get() || GetLastError() == ERROR_SERVICE_EXISTS) ? 1 : 0;
    }
    Log().Line("RSInstall -> %d", result);
    return result;
}

extern "C" __declspec(dllexport) int WINAPI RSUnInstall(void)
{
    int result = 0;
    ScHandle manager(OpenSCManagerA(NULL, NULL, SC_MANAGER_CONNECT));
    ScHandle service(manager.Get() ? OpenServiceA(manager.Get(), kServiceName,
                                                  SERVICE_STOP | SERVICE_QUERY_STATUS | DELETE)
                                   : NULL);
    if (service.Get()) {
        SERVICE_STATUS status = {};
        DWORD state = 0;
        if (ControlService(service.Get(), SERVICE_CONTROL_STOP, &status))
            WaitForState(service.Get(), SERVICE_STOPPED, kStopWaitMs, &state);
        result = (DeleteService(service.Get()) || GetLastError() == ERROR_SERVICE_MARKED_FOR_DELETE) ? 1 : 0;
    } else if (manager.Get() && GetLastError() == ERROR_SERVICE_DOES_NOT_EXIST) {
        result = 1;
    }
    Log().Line("RSUnInstall -> %d", result);
    return result;
}
