#include "WindowQuery.h"

namespace {

const DWORD kPollMs = 20;
const UINT kAnswerTimeoutMs = 1000;

// FindWindowEx compares the titles the system keeps, so it sends no message to the owners.
HWND FindTopWindowNow(const std::string& title, DWORD processId)
{
    HWND window = NULL;
    while ((window = FindWindowExA(NULL, window, NULL, title.c_str())) != NULL) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (processId == 0 || owner == processId)
            return window;
    }
    return NULL;
}

// Top-level windows of a process, walked by EnumWindows (whose callback is stdcall on 32-bit
// Windows, which a lambda is not).
struct ControlSearch
{
    DWORD processId;
    int controlId;
    HWND found;
};

BOOL CALLBACK FindControlOwner(HWND window, LPARAM param)
{
    ControlSearch* s = (ControlSearch*)param;
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == s->processId && GetDlgItem(window, s->controlId) != NULL) {
        s->found = window;
        return FALSE;
    }
    return TRUE;
}

struct TextSearch
{
    DWORD processId;
    const std::string& text;
    bool found;
};

BOOL CALLBACK FindTextOwner(HWND window, LPARAM param)
{
    TextSearch* s = (TextSearch*)param;
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == s->processId && WindowTextOf(window) == s->text)
        s->found = true;
    return !s->found;
}

} // namespace

HWND FindTopWindow(const std::string& title, DWORD processId, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (HWND window = FindTopWindowNow(title, processId))
            return window;
        if (GetTickCount() - start >= timeoutMs)
            return NULL;
        Sleep(kPollMs);
    }
}

bool WaitUntilVisible(HWND window, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (!IsWindowVisible(window)) {
        if (!IsWindow(window) || GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(kPollMs);
    }
    return true;
}

std::string WindowTextOf(HWND window)
{
    char text[1024] = "";
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof(text), (LPARAM)text, SMTO_NORMAL,
                             kAnswerTimeoutMs, &copied))
        return std::string();
    text[sizeof(text) - 1] = '\0';
    return text;
}

std::string ControlText(HWND dialog, int controlId)
{
    HWND control = GetDlgItem(dialog, controlId);
    return control ? WindowTextOf(control) : std::string();
}

HWND FindWindowWithControl(DWORD processId, int controlId)
{
    ControlSearch search = {processId, controlId, NULL};
    EnumWindows(FindControlOwner, (LPARAM)&search);
    return search.found;
}

bool HasWindowWithText(DWORD processId, const std::string& text)
{
    TextSearch search = {processId, text, false};
    EnumWindows(FindTextOwner, (LPARAM)&search);
    return search.found;
}
