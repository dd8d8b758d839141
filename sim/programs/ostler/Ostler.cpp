// The remote-control service. Run by the Service Control Manager as "RemoteControlService" it
// reports itself running until the manager asks it to stop; started any other way (the Run
// key of the 9x family) the dispatcher fails with 1063 and it runs as a plain program. Either
// way it owns the window "RemoteService_ZP" (WM_CLOSE ends it) and the mutex
// "Mutex_Remote_Service" (a second copy ends at once), keeps "Start" at 1 under the maker's
// key while it runs, and reads its key files from its own folder at start.
//
// Switch (HKLM\Software\Sim\ostler): "StopDelayMs", how long it stays stop-pending after the
// manager's stop before it ends.
#include <windows.h>

#include <string>

#include "CSimLog.h"
#include "CSimSwitches.h"

namespace {

char kServiceName[] = "RemoteControlService";
const char kWindowTitle[] = "RemoteService_ZP";
const char kMutexName[] = "Mutex_Remote_Service";
const char kMakerKey[] = "Software\\Quorvex\\Common\\RemoteService";
const int kKeyMapRecordSize = 548;
const int kKeyCodeRecordSize = 24;
// More programs than any Service.ini holds; a damaged "Total" reads no further.
const int kMaxPrograms = 256;

SERVICE_STATUS_HANDLE g_statusHandle = NULL;
HANDLE g_stopEvent = NULL;

const CSimSwitches& Switches()
{
    static CSimSwitches switches("ostler");
    return switches;
}

const CSimLog& Log()
{
    static CSimLog log("ostler", Switches().TraceLevel());
    return log;
}

void Report(DWORD state, DWORD exitCode = NO_ERROR)
{
    SERVICE_STATUS status = {};
    status.dwServiceType = SERVICE_WIN32_OWN_PROCESS | SERVICE_INTERACTIVE_PROCESS;
    status.dwCurrentState = state;
    status.dwControlsAccepted = state == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP : 0;
    status.dwWin32ExitCode = exitCode;
    status.dwWaitHint = state == SERVICE_STOP_PENDING ? 1000 : 0;
    SetServiceStatus(g_statusHandle, &status);
    Log().Line("V state=%lu", state);
}

void PublishStart(DWORD running)
{
    HKEY key = NULL;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kMakerKey, 0, NULL, 0, KEY_SET_VALUE, NULL, &key,
                        NULL) != ERROR_SUCCESS) {
        Log().Line("! Start not written");
        return;
    }
    RegSetValueExA(key, "Start", 0, REG_DWORD, (const BYTE*)&running, sizeof(running));
    RegCloseKey(key);
}

std::string OwnFolder()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(NULL, path, sizeof(path));
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

// The file's size, -1 when it is missing.
long long FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return ((long long)data.nFileSizeHigh << 32) | data.nFileSizeLow;
}

// A key table: its count, read no further than the records the file holds.
void ReadKeyTable(const std::string& folder, const std::string& name)
{
    std::string path = folder + name;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        Log().Line("R %s missing", name.c_str());
        return;
    }
    int count = 0;
    DWORD read = 0;
    ReadFile(file, &count, sizeof(count), &read, NULL);
    long long present = (FileSize(path) - (long long)sizeof(count)) / kKeyCodeRecordSize;
    CloseHandle(file);
    if (read < sizeof(count) || count < 0)
        count = 0;
    Log().Line("R %s records=%lld", name.c_str(), present < count ? present : (long long)count);
}

void ReadKeyFiles()
{
    std::string folder = OwnFolder();
    std::string ini = folder + "Service.ini";
    if (FileSize(ini) < 0) {
        Log().Line("R Service.ini missing");
    } else {
        int total = (int)GetPrivateProfileIntA("General", "Total", 0, ini.c_str());
        Log().Line("R Service.ini Total=%d", total);
        for (int i = 0; i < total && i < kMaxPrograms; ++i) {
            char key[32], section[256] = "", table[MAX_PATH] = "";
            wsprintfA(key, "Prog%d", i);
            GetPrivateProfileStringA("General", key, "", section, sizeof(section), ini.c_str());
            GetPrivateProfileStringA(section, "DATFILENAME", "", table, sizeof(table), ini.c_str());
            if (section[0] && table[0])
                ReadKeyTable(folder, table);
        }
    }
    long long size = FileSize(folder + "Default.dat");
    if (size < 0)
        Log().Line("R Default.dat missing");
    else
        Log().Line("R Default.dat records=%lld", size / kKeyMapRecordSize);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE)
        Log().Line("M WM_CLOSE");
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateOwnWindow()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.lpszClassName = "OstlerRemoteService";
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, windowClass.lpszClassName, kWindowTitle, WS_OVERLAPPED, 0, 0, 10, 10,
                           NULL, NULL, windowClass.hInstance, NULL);
}

// Until WM_CLOSE, or the manager's stop when there is a stop event.
void Pump(HWND window, HANDLE stopEvent)
{
    for (;;) {
        DWORD count = stopEvent ? 1 : 0;
        DWORD woken = MsgWaitForMultipleObjects(count, &stopEvent, FALSE, INFINITE, QS_ALLINPUT);
        if (stopEvent && woken == WAIT_OBJECT_0) {
            Sleep(Switches().Dword("StopDelayMs", 0));
            DestroyWindow(window);
            stopEvent = NULL;
        }
        MSG message;
        while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                return;
            DispatchMessageA(&message);
        }
    }
}

// The program's life in either mode, from the key files to WM_CLOSE or the manager's stop.
void Run(HANDLE stopEvent)
{
    ReadKeyFiles();
    HWND window = CreateOwnWindow();
    PublishStart(1);
    if (g_statusHandle)
        Report(SERVICE_RUNNING);
    Pump(window, stopEvent);
    PublishStart(0);
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
    Run(g_stopEvent);
    Report(SERVICE_STOPPED);
}

} // namespace

int main()
{
    Log().Line("S pid=%lu", GetCurrentProcessId());
    // Before the dispatcher, which outside the manager takes seconds to give up.
    HANDLE mutex = CreateMutexA(NULL, FALSE, kMutexName);
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        Log().Line("! running");
        return 1;
    }
    SERVICE_TABLE_ENTRYA table[] = {{kServiceName, ServiceMain}, {NULL, NULL}};
    int result = 0;
    if (!StartServiceCtrlDispatcherA(table)) {
        DWORD error = GetLastError();
        if (error == ERROR_FAILED_SERVICE_CONTROLLER_CONNECT) {
            Log().Line("P plain");
            Run(NULL);
        } else {
            Log().Line("! dispatcher %lu", error);
            result = (int)error;
        }
    }
    CloseHandle(mutex);
    Log().Line("X %d", result);
    return result;
}
