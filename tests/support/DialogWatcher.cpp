#include "DialogWatcher.h"

#include <algorithm>
#include <cstring>

DialogWatcher::DialogWatcher()
    : m_stop(CreateEventA(NULL, TRUE, FALSE, NULL))
{
    m_thread = std::thread(&DialogWatcher::Watch, this);
}

DialogWatcher::~DialogWatcher()
{
    SetEvent(m_stop);
    m_thread.join();
    CloseHandle(m_stop);
}

void DialogWatcher::PressId(int id)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_pressId = id;
    m_pressText.clear();
}

void DialogWatcher::PressButtonWithText(const std::string& text)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_pressText = text;
}

std::vector<ShownDialog> DialogWatcher::Dialogs() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_dialogs;
}

void DialogWatcher::Watch()
{
    while (WaitForSingleObject(m_stop, kPollMs) == WAIT_TIMEOUT)
        AnswerVisibleDialogs();
}

void DialogWatcher::AnswerVisibleDialogs()
{
    // A closed dialog's handle may come back for a new window.
    for (auto it = m_answered.begin(); it != m_answered.end();)
        it = IsWindow(*it) ? std::next(it) : m_answered.erase(it);

    std::vector<HWND> dialogs;
    EnumWindows(CollectDialog, (LPARAM)&dialogs);
    for (HWND dialog : dialogs) {
        if (m_answered.insert(dialog).second)
            Answer(dialog);
    }
}

BOOL CALLBACK DialogWatcher::CollectDialog(HWND window, LPARAM param)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[16];
    if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
        GetClassNameA(window, className, sizeof(className)) && strcmp(className, "#32770") == 0)
        ((std::vector<HWND>*)param)->push_back(window);
    return TRUE;
}

void DialogWatcher::Answer(HWND dialog)
{
    ShownDialog shown;
    shown.caption = WindowText(dialog);
    HWND textControl = GetDlgItem(dialog, kTextStaticId);
    shown.text = textControl ? WindowText(textControl) : std::string();
    shown.pressed = ChooseButton(dialog);
    shown.owner = GetWindow(dialog, GW_OWNER);
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_dialogs.push_back(shown);
    }
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(shown.pressed, BN_CLICKED),
                 (LPARAM)GetDlgItem(dialog, shown.pressed));
}

int DialogWatcher::ChooseButton(HWND dialog)
{
    std::string wanted;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        if (m_pressText.empty())
            return m_pressId;
        wanted = m_pressText;
    }
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[16];
        if (!GetClassNameA(child, className, sizeof(className)) || _stricmp(className, "Button"))
            continue;
        std::string text = WindowText(child);
        text.erase(std::remove(text.begin(), text.end(), '&'), text.end());
        if (text.find(wanted) != std::string::npos)
            return GetDlgCtrlID(child);
    }
    return IDCANCEL;
}

// The dialog belongs to another thread that may be busy: never wait on it for long.
std::string DialogWatcher::WindowText(HWND window)
{
    char text[1024] = "";
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof(text), (LPARAM)text, SMTO_NORMAL, 1000,
                             &copied))
        return std::string();
    return std::string(text, std::min<size_t>(copied, sizeof(text) - 1));
}
