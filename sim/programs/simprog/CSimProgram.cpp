#include "CSimProgram.h"

#include <stdlib.h>
#include <string.h>

#include "SimPersonality.h"

namespace {

const char kWindowClass[] = "SimProgWindow";
// "ReleaseMs" absent: the device is never handed over.
const DWORD kNoRelease = 0xFFFFFFFF;

// The command line past the program token and the one blank that ends it.
std::string ParamsOf(const char* commandLine)
{
    const char* at = commandLine;
    if (*at == '"') {
        const char* close = strchr(at + 1, '"');
        at = close ? close + 1 : at + strlen(at);
    } else {
        while (*at != '\0' && *at != ' ' && *at != '\t')
            ++at;
    }
    if (*at == ' ' || *at == '\t')
        ++at;
    return at;
}

const char* SizeName(WPARAM type)
{
    switch (type) {
    case SIZE_RESTORED:
        return "normal";
    case SIZE_MINIMIZED:
        return "minimized";
    case SIZE_MAXIMIZED:
        return "maximized";
    }
    return NULL;
}

} // namespace

CSimProgram::CSimProgram(const std::string& stem, const char* commandLine, const std::vector<std::string>& args)
    : m_stem(stem),
      m_personality(FindPersonality(stem)),
      m_switches(("prog\\" + stem).c_str()),
      m_log(stem.c_str(), m_switches.TraceLevel()),
      m_params(ParamsOf(commandLine)),
      m_args(args)
{
}

int CSimProgram::Run(int showCommand)
{
    LogStart();
    HANDLE mutex = NULL;
    std::string mutexName = m_switches.Text("Mutex", "");
    if (!mutexName.empty()) {
        mutex = CreateMutexA(NULL, TRUE, mutexName.c_str());
        if (mutex == NULL || GetLastError() == ERROR_ALREADY_EXISTS)
            m_log.Line("! mutex %s not owned", mutexName.c_str());
    }
    int exitCode = (int)m_switches.Dword("ExitCode", 0);
    if (CreateOwnWindow(showCommand)) {
        if (m_personality.start != NULL)
            m_personality.start(*this);
        DWORD lifeMs = m_switches.Dword("LifeMs", 0);
        if (lifeMs != 0)
            SetTimer(m_window, kLifeTimer, lifeMs, NULL);
        DWORD releaseMs = m_switches.Dword("ReleaseMs", kNoRelease);
        if (releaseMs != kNoRelease && CallerWindow() != NULL)
            SetTimer(m_window, kReleaseTimer, releaseMs, NULL);
        MSG message;
        while (GetMessageA(&message, NULL, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    } else {
        m_log.Line("! window %lu", GetLastError());
        exitCode = 1;
    }
    if (mutex != NULL) {
        ReleaseMutex(mutex);
        CloseHandle(mutex);
    }
    m_log.Line("X %d", exitCode);
    return exitCode;
}

void CSimProgram::LogStart() const
{
    char folder[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof(folder), folder);
    m_log.Line("S pid=%lu params=%s cwd=%s", GetCurrentProcessId(), m_params.c_str(), folder);
    for (size_t i = 0; i < m_args.size(); ++i)
        m_log.Line("A %u=%s", (unsigned)i, m_args[i].c_str());
}

bool CSimProgram::CreateOwnWindow(int showCommand)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.hCursor = LoadCursor(NULL, IDC_ARROW);
    windowClass.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassA(&windowClass);
    const char* ownTitle = m_personality.title != NULL ? m_personality.title : m_stem.c_str();
    std::string title = m_switches.Text("Title", ownTitle);
    m_window = CreateWindowExA(0, kWindowClass, title.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                               CW_USEDEFAULT, 360, 240, NULL, NULL, windowClass.hInstance, this);
    if (m_window == NULL)
        return false;
    ShowWindow(m_window, m_switches.Dword("Minimized", 0) != 0 ? SW_SHOWMINNOACTIVE : showCommand);
    UpdateWindow(m_window);
    return true;
}

LRESULT CALLBACK CSimProgram::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        CSimProgram* program = (CSimProgram*)((CREATESTRUCTA*)lParam)->lpCreateParams;
        program->m_window = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, (LONG_PTR)program);
    }
    CSimProgram* program = (CSimProgram*)GetWindowLongPtrA(window, GWLP_USERDATA);
    if (program == NULL)
        return DefWindowProcA(window, message, wParam, lParam);
    return program->OnMessage(message, wParam, lParam);
}

LRESULT CSimProgram::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_personality.message != NULL && m_personality.message(*this, message, wParam, lParam))
        return 0;
    switch (message) {
    case WM_CLOSE:
        m_log.Line("M WM_CLOSE");
        if (m_switches.Dword("IgnoreClose", 0) == 0)
            DestroyWindow(m_window);
        return 0;
    case WM_ENDSESSION:
        m_log.Line("M WM_ENDSESSION");
        return 0;
    case WM_SIZE:
        OnSize(wParam);
        break;
    case WM_TIMER:
        OnTimer(wParam);
        return 0;
    case WM_DESTROY:
        if (m_released)
            PostToCaller(WM_RESUME_DEVICE);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(m_window, message, wParam, lParam);
}

void CSimProgram::OnSize(WPARAM type)
{
    const char* name = SizeName(type);
    if (name == NULL || (int)type == m_sizeType)
        return;
    m_sizeType = (int)type;
    m_log.Line("W %s", name);
}

void CSimProgram::OnTimer(UINT_PTR id)
{
    KillTimer(m_window, id);
    if (id == kLifeTimer) {
        DestroyWindow(m_window);
    } else if (id == kReleaseTimer) {
        PostToCaller(WM_RELEASE_DEVICE);
    }
}

void CSimProgram::PostToCaller(UINT message)
{
    HWND caller = CallerWindow();
    if (!PostMessageA(caller, message, 0, 0)) {
        m_log.Line("! P %04X -> %08lX error %lu", message, (unsigned long)(ULONG_PTR)caller, GetLastError());
        return;
    }
    m_log.Line("P %04X -> %08lX", message, (unsigned long)(ULONG_PTR)caller);
    if (message == WM_RELEASE_DEVICE)
        m_released = true;
}

// The window named by "/H=<decimal handle>", as the TV program and the media desktop pass it.
HWND CSimProgram::CallerWindow() const
{
    for (const std::string& arg : m_args) {
        if (_strnicmp(arg.c_str(), "/H=", 3) == 0)
            return (HWND)(ULONG_PTR)strtoul(arg.c_str() + 3, NULL, 10);
    }
    return NULL;
}
