// CNewMenuHook: the menu library's start-up object and its window hook. One static object
// starts the library before the program runs (the styles, GradientFill, the hook) and shuts it
// down at exit. The hook catches every menu window ("#32768") the system makes on the UI thread
// and subclasses it, so that the current draw style paints its border, background and shadow.
#pragma once

#include <windows.h>

// One per subclassed menu window, from the hook's subclassing to the unsubclassing.
struct MenuWindowRecord {
    enum {
        kLate = 0x01,        // caught when already shown (message 0x01E2), not at WM_CREATE
        kStyled = 0x02,      // the style changed the window styles
        kEscape = 0x04,      // the menu was left with Escape
    };
    DWORD dwStyle;       // GWL_STYLE at subclassing
    DWORD dwExStyle;     // GWL_EXSTYLE at subclassing
    int x, y;            // last screen position recorded
    BOOL bPlaced;        // x and y hold a position
    DWORD dwFlags;
    BOOL bDrawBorder;    // cleared by WM_PRINT, set again by WM_NCPAINT
    HMENU hMenu;         // the popup shown in the window
};

class CNewMenuHook {
public:
    // Start-up: the first one sets the library up; every one installs the hook unless one is.
    CNewMenuHook();
    // Shut-down: the hook goes with the object that installed it, the rest with the last one.
    ~CNewMenuHook();
    CNewMenuHook(const CNewMenuHook&) = delete;
    CNewMenuHook& operator=(const CNewMenuHook&) = delete;

    static HHOOK GetHook() { return s_hHook; }
    // TRUE when this call installed it; a refusal is reported and the menus keep the system's
    // borders.
    static BOOL InstallHook();
    static void RemoveHook();
    // How the hook is installed (SetWindowsHookExA unless replaced); returns the old one.
    typedef HHOOK(WINAPI* HookInstaller)(int, HOOKPROC, HINSTANCE, DWORD);
    static HookInstaller SetHookInstaller(HookInstaller pfn);

    // Set up on a remote desktop session (Windows 2000 and later).
    static BOOL IsRemoteSession() { return s_bRemoteSession; }

    // The popup handed from WM_INITMENUPOPUP to the menu window that shows it.
    static void SetPendingPopup(HMENU hMenu) { s_hPendingPopup = hMenu; }
    static HMENU GetPendingPopup() { return s_hPendingPopup; }

    static MenuWindowRecord* FindRecord(HWND hWnd);
    static BOOL SubclassMenuWindow(HWND hWnd, BOOL bLate);
    static void UnsubclassMenuWindow(HWND hWnd);

    // Shows the system's text for GetLastError in an "Error" box; nothing for error 0.
    static void ReportError();

    static const char kOldMenuProc[];

private:
    static LRESULT CALLBACK HookProc(int nCode, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK MenuWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT PrintWindow(HWND hWnd, WNDPROC pfnOld, MenuWindowRecord* pRecord, HDC hDC, LPARAM lParam);

    static HHOOK s_hHook;
    static HookInstaller s_pfnInstaller;
    static BOOL s_bRemoteSession;
    static HMENU s_hPendingPopup;
    static HMODULE s_hMsimg32;
    static int s_nStartUps;
    static int s_nNesting;   // depth of the menu window procedure

    BOOL m_bInstalledHook;
};
