#include "DrivenDialog.h"

namespace {

std::function<void(HWND)> s_script;

} // namespace

void DialogScript::Start(HWND dialog, std::function<void(HWND)> script)
{
    s_script = script;
    SetTimer(dialog, 1, 10, OnTimer);
}

void CALLBACK DialogScript::OnTimer(HWND window, UINT, UINT_PTR id, DWORD)
{
    KillTimer(window, id);
    std::function<void(HWND)> script;
    script.swap(s_script);
    if (script)
        script(window);
    // Once ended, the modal loop stops before it takes this.
    PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
}

std::string DialogScript::ItemText(HWND dialog, int id)
{
    char text[600] = "";
    GetDlgItemTextA(dialog, id, text, sizeof(text));
    return text;
}

bool DialogScript::IsEnabled(HWND dialog, int id)
{
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

bool DialogScript::IsChecked(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

void DialogScript::Type(HWND dialog, int id, const char* text)
{
    // WM_SETTEXT sends EN_CHANGE as typing does.
    SetDlgItemTextA(dialog, id, text);
}

void DialogScript::Choose(HWND dialog, int id, int item)
{
    HWND combo = GetDlgItem(dialog, id);
    SendMessageA(combo, CB_SETCURSEL, item, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), (LPARAM)combo);
}

void DialogScript::Click(HWND dialog, int id)
{
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}
