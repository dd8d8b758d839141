#include "DialogWatcher.h"

#include <algorithm>
#include <cstring>

#include "WindowQuery.h"

namespace {

struct DialogSearch
{
    DWORD processId;
    std::vector<HWND> found;
};

} // namespace

DialogWatcher::DialogWatcher()
    : DialogWatcher(GetCurrentProcessId())
{
}

DialogWatcher::DialogWatcher(DWORD processId)
    : DialogWatcher(processId, NULL)
{
}

DialogWatcher::DialogWatcher(DWORD processId, HWND leaveAlone)
    : m_processId(processId),
      m_leaveAlone(leaveAlone),
      m_stop(CreateEventA(NULL, TRUE, FALSE, NULL))
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

void DialogWatcher::PressIdWhenTextContains(const std::string& text, int id)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_textRules.push_back({text, id});
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

void DialogWatcher::OnlyCaption(const std::string& caption)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_onlyCaption = caption;
}

void DialogWatcher::AnswerVisibleDialogs()
{
    // A closed dialog's handle may come back for a new window.
    for (auto it = m_answered.begin(); it != m_answered.end();)
        it = IsWindow(*it) ? std::next(it) : m_answered.erase(it);

    DialogSearch search = {m_processId, {}};
    EnumWindows(CollectDialog, (LPARAM)&search);
    std::string onlyCaption;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        onlyCaption = m_onlyCaption;
    }
    std::set<HWND> seen(search.found.begin(), search.found.end());
    for (HWND dialog : search.found) {
        if (!m_seen.count(dialog))
            continue;
        if (dialog == m_leaveAlone || m_answered.count(dialog) || (!onlyCaption.empty() && WindowTextOf(dialog) != onlyCaption))
            continue;
        m_answered.insert(dialog);
        Answer(dialog);
    }
    m_seen.swap(seen);
}

BOOL CALLBACK DialogWatcher::CollectDialog(HWND window, LPARAM param)
{
    auto search = (DialogSearch*)param;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[16];
    if (process == search->processId && IsWindowVisible(window) &&
        GetClassNameA(window, className, sizeof(className)) && strcmp(className, "#32770") == 0)
        search->found.push_back(window);
    return TRUE;
}

void DialogWatcher::Answer(HWND dialog)
{
    ShownDialog shown;
    shown.caption = WindowTextOf(dialog);
    shown.text = ControlText(dialog, kTextStaticId);
    shown.pressed = ChooseButton(dialog, shown.text);
    shown.owner = GetWindow(dialog, GW_OWNER);
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_dialogs.push_back(shown);
    }
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(shown.pressed, BN_CLICKED),
                 (LPARAM)GetDlgItem(dialog, shown.pressed));
}

int DialogWatcher::ChooseButton(HWND dialog, const std::string& text)
{
    std::string wanted;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        for (const TextRule& rule : m_textRules) {
            if (text.find(rule.text) != std::string::npos)
                return rule.id;
        }
        if (m_pressText.empty())
            return m_pressId;
        wanted = m_pressText;
    }
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[16];
        if (!GetClassNameA(child, className, sizeof(className)) || _stricmp(className, "Button"))
            continue;
        std::string label = WindowTextOf(child);
        label.erase(std::remove(label.begin(), label.end(), '&'), label.end());
        if (label.find(wanted) != std::string::npos)
            return GetDlgCtrlID(child);
    }
    return IDCANCEL;
}
