// The options menu over the picture, driven as its user drives it: the remote's keys given as
// real input and handled by the program's own message loop.
#pragma once

#include "COptionsDlg.h"
#include "COptionsLabel.h"
#include "COptionsPage.h"
#include "COptionsRow.h"
#include "KavexWindowsFixture.h"

inline namespace options_menu_driver {

// Messages handled as the program's own loop handles them: pre-translated first.
inline void RunLoop(DWORD ms)
{
    DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            if (!AfxPreTranslateMessage(&msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= ms)
            return;
        MsgWaitForMultipleObjects(0, NULL, FALSE, ms - elapsed, QS_ALLINPUT);
    }
}

// A key of the remote control, which reaches the program as a key press.
inline void RemoteKey(WORD vk)
{
    INPUT inputs[2] = {};
    for (INPUT& input : inputs) {
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.wScan = (WORD)MapVirtualKeyA(vk, MAPVK_VK_TO_VSC);
    }
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
    RunLoop(200);
}

inline void RemoteKeys(WORD vk, int times)
{
    for (int i = 0; i < times; ++i)
        RemoteKey(vk);
}

inline BOOL CALLBACK FindOptionsHost(HWND window, LPARAM param)
{
    if (GetWindow(window, GW_OWNER) == theControlPanel.m_hWnd && GetDlgItem(window, 45600) != NULL) {
        *reinterpret_cast<HWND*>(param) = window;
        return FALSE;
    }
    return TRUE;
}

// The host: the panel's owned window that holds the root page.
inline HWND OptionsHost()
{
    HWND found = NULL;
    EnumThreadWindows(GetCurrentThreadId(), FindOptionsHost, (LPARAM)&found);
    return found;
}

inline COptionsDlg* OptionsMenu()
{
    return dynamic_cast<COptionsDlg*>(CWnd::FromHandlePermanent(OptionsHost()));
}

inline bool PageShown(HWND host, int id)
{
    HWND page = GetDlgItem(host, id);
    return page != NULL && (GetWindowLongA(page, GWL_STYLE) & WS_VISIBLE) != 0;
}

inline void MenuCommand(UINT id)
{
    theControlPanel.SendMessage(WM_COMMAND, id, 0);
}

// Keys from the root: Down to a row, then Enter.
inline void OpenRootRow(int row)
{
    RemoteKeys(VK_DOWN, row);
    RemoteKey(VK_RETURN);
}

// The menu shown at the root's first row.
inline void OpenMenu()
{
    if (!theControlPanel.IsOptionsMenuVisible())
        MenuCommand(IDC_OSD_MENU);
    OptionsMenu()->GetPage(0)->SetCurrentRow(0);
    RunLoop(100);
}

inline void CloseMenu()
{
    if (theControlPanel.IsOptionsMenuVisible())
        MenuCommand(IDC_OSD_MENU);
    RunLoop(100);
}

// What a cell of a page's row shows on the screen: its window's text.
inline std::string CellText(COptionsPage* page, int row, int cell)
{
    char text[256] = "";
    if (COptionsRow* r = page->GetRow(row)) {
        if (COptionsLabel* c = r->GetCell(cell))
            ::GetWindowTextA(c->GetSafeHwnd(), text, sizeof(text));
    }
    return text;
}

} // namespace options_menu_driver
