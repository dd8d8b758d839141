// The remote-control service: run by the Service Control Manager as "RemoteControlService",
// it reports itself running until the manager asks it to stop.
#include <windows.h>

#include "CSimLog.h"
#include "CSimSwitches.h"

namespace {

char kServiceName[] = "RemoteControlService";

SERVICE_STATUS_HANDLE g_statusHandle = NULL;
HANDLE g_stopEvent = NULL;

const CSimLog& Log()
{
    static CSimSwitches switches("ostler");
    static CSimLog log("ostler", switches.TraceLevel());
    return log;
}

void Report(DWORD state)
{
    SERVICE_STATUS status = {};
    status.dwServiceType = SERVICE_WIN32_OWN_PROCESS | SERVICE_INTERACTIVE_PROCESS;
    status.dwCurrentState = state;
    status.dwControlsAccepted = state == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP : 0;
    SetServiceStatus(g_statusHandle, &status);
    Log().Line("V state=%lu", state);
}

DWORD WINAPI Control(DWORD control, DWORD, LPVOID, LPVOID)
{
    if (control == SERVICE_CONTROL_STOP || control == SERVICE_CONTROL_SHUTDOWN) {
        Report(SERVICE_STOP_PENDING);
        SetEvent(g_stopEvent);
        return NO_ERROR;
    }
    return control == SERVICE_CONTROL_INTERROGATE ? NO_ERROR : ERROR_CALL_NOT_IMPLEMENTED;
}

void WINAPI ServiceMain(DWORD, LPSTR*)
{
    g_statusHandle = RegisterServiceCtrlHandlerExA(kServiceName, Control, NULL);
    if (!g_statusHandle)
        return;
    g_stopEvent = CreateEventA(NULL, TRUE, FALSE, NULL);
    Report(SERVICE_RUNNING);
    WaitForSingleObject(g_stopEvent, INFINITE);
    Report(SERVICE_STOPPED);
}

} // namespace

int main()
{
    Log().Line("S pid=%lu", GetCurrentProcessId());
    SERVICE_TABLE_ENTRYA table[] = {{kServiceName, ServiceMain}, {NULL, NULL}};
    if (!StartServiceCtrlDispatcherA(table)) {
        DWORD error = GetLastError();
        Log().Line("! dispatcher %lu", error);
        return (int)error;
    }
    Log().Line("X 0");
    return 0;
}
