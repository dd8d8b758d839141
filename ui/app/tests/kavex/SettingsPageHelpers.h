// Small hands for the settings pages' tests: choosing rows, clicking, and reading what the
// settings file keeps.
#pragma once

#include <afxwin.h>

#include <functional>
#include <string>
#include <vector>

#include "TVSystem.h"

inline namespace settings_pages {

inline CComboBox& Combo(CWnd& page, UINT id)
{
    return *(CComboBox*)page.GetDlgItem(id);
}

// A row chosen as the user chooses it: the combo's selection, then its notification.
inline void Choose(CWnd& page, UINT id, int row)
{
    Combo(page, id).SetCurSel(row);
    page.SendMessage(WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), (LPARAM)page.GetDlgItem(id)->GetSafeHwnd());
}

inline void Press(CWnd& page, UINT id)
{
    page.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)page.GetDlgItem(id)->GetSafeHwnd());
}

// A radio or check box set and clicked.
inline void Tick(CWnd& page, UINT id, BOOL on = TRUE)
{
    ::SendMessage(page.GetDlgItem(id)->GetSafeHwnd(), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    Press(page, id);
}

inline std::string Text(CWnd& page, UINT id)
{
    CString text;
    page.GetDlgItem(id)->GetWindowText(text);
    return (LPCTSTR)text;
}

inline std::vector<std::string> Rows(CComboBox& combo)
{
    std::vector<std::string> rows;
    for (int i = 0; i < combo.GetCount(); i++) {
        CString text;
        combo.GetLBText(i, text);
        rows.push_back((LPCTSTR)text);
    }
    return rows;
}

// A value of TVParam.ini as the TV system writes it now.
inline std::string ParamValue(const char* section, const char* key)
{
    theTVSystem.SaveSettings();
    CString path = theTVSystem.GetAppDir() + "\\TVParam.ini";
    char value[512] = "";
    GetPrivateProfileStringA(section, key, "", value, sizeof(value), path);
    return value;
}

// Runs steps on a modal dialog of the given caption, one per timer tick of its own message
// loop, while run() shows it; the last step closes it. Whether the dialog came.
inline bool RunModal(const char* caption, std::function<void()> run, std::vector<std::function<void(HWND)>> steps)
{
    static std::vector<std::function<void(HWND)>> s_steps;
    static size_t s_next;
    static const char* s_caption;
    static bool s_seen;
    s_steps = std::move(steps);
    s_next = 0;
    s_caption = caption;
    s_seen = false;
    struct Timer
    {
        static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
        {
            HWND dialog = FindWindowA("#32770", s_caption);
            if (dialog == NULL || !IsWindowVisible(dialog) || s_next >= s_steps.size())
                return;
            s_seen = true;
            s_steps[s_next++](dialog);
        }
    };
    UINT_PTR timer = SetTimer(NULL, 0, 100, Timer::Tick);
    run();
    KillTimer(NULL, timer);
    return s_seen;
}

} // namespace settings_pages
