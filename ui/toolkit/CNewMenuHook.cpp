#include "CNewMenuHook.h"

#include <afxwin.h>

#include "CMenuStyle.h"
#include "CNewMenu.h"
#include "MenuSystemCode.h"

#ifndef SM_REMOTESESSION
#define SM_REMOTESESSION 0x1000
#endif

HHOOK CNewMenuHook::s_hHook = NULL;
CNewMenuHook::HookInstaller CNewMenuHook::s_pfnInstaller = SetWindowsHookExA;
BOOL CNewMenuHook::s_bRemoteSession = FALSE;
HMENU CNewMenuHook::s_hPendingPopup = NULL;
HMODULE CNewMenuHook::s_hMsimg32 = NULL;
int CNewMenuHook::s_nStartUps = 0;
int CNewMenuHook::s_nNesting = 0;
const char CNewMenuHook::kOldMenuProc[] = "OldMenuProc";

namespace {

// Menu windows by handle.
CMapPtrToPtr& Records()
{
    static CMapPtrToPtr* s_pRecords = new CMapPtrToPtr;
    return *s_pRecords;
}

// The library is up before the program's own code runs.
CNewMenuHook s_startUp;

} // namespace

CNewMenuHook::CNewMenuHook() : m_bInstalledHook(FALSE)
{
    if (s_nStartUps++ == 0) {
        int nCode = GetMenuSystemCode();
        s_bRemoteSession = nCode >= kMenuSystemWin2000 && GetSystemMetrics(SM_REMOTESESSION) != 0;
        s_hMsimg32 = LoadLibraryA("Msimg32.dll");
        CMenuStyle::SetGradientFill(s_hMsimg32 != NULL
            ? (CMenuStyle::GradientFillFunction)(void*)GetProcAddress(s_hMsimg32, "GradientFill")
            : NULL);
        CMenuStyle::SetCurrent(2);
    }
    m_bInstalledHook = InstallHook();
}

CNewMenuHook::~CNewMenuHook()
{
    if (m_bInstalledHook)
        RemoveHook();
    if (--s_nStartUps == 0) {
        CMenuStyle::DeleteStyles();
        CMenuStyle::SetGradientFill(NULL);
        if (s_hMsimg32 != NULL)
            FreeLibrary(s_hMsimg32);
        s_hMsimg32 = NULL;
    }
}

BOOL CNewMenuHook::InstallHook()
{
    if (s_hHook != NULL)
        return FALSE;
    s_hHook = s_pfnInstaller(WH_CALLWNDPROC, HookProc, NULL, GetCurrentThreadId());
    if (s_hHook == NULL) {
        ReportError();
        return FALSE;
    }
    return TRUE;
}

void CNewMenuHook::RemoveHook()
{
    if (s_hHook == NULL)
        return;
    if (!UnhookWindowsHookEx(s_hHook))
        ReportError();
    s_hHook = NULL;
}

CNewMenuHook::HookInstaller CNewMenuHook::SetHookInstaller(HookInstaller pfn)
{
    HookInstaller pfnOld = s_pfnInstaller;
    s_pfnInstaller = pfn != NULL ? pfn : SetWindowsHookExA;
    return pfnOld;
}

void CNewMenuHook::ReportError()
{
    DWORD dwError = GetLastError();
    if (dwError == 0)
        return;
    LPSTR lpText = NULL;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, NULL, dwError,
                   MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), (LPSTR)&lpText, 0, NULL);
    if (lpText != NULL) {
        MessageBoxA(NULL, lpText, "Error", MB_ICONINFORMATION);
        LocalFree(lpText);
    } else {
        char text[64];
        wsprintfA(text, "Error message 0x%lx not found", dwError);
        MessageBoxA(NULL, text, "Error", MB_ICONINFORMATION);
    }
}

LRESULT CALLBACK CNewMenuHook::HookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HC_ACTION) {
        const CWPSTRUCT* pMsg = (const CWPSTRUCT*)lParam;
        // 0x01E2 reaches a menu window when it is shown: a second chance at one made earlier.
        if (pMsg->message == WM_CREATE || pMsg->message == 0x01E2)
            SubclassMenuWindow(pMsg->hwnd, pMsg->message == 0x01E2);
    }
    return CallNextHookEx(s_hHook, nCode, wParam, lParam);
}

MenuWindowRecord* CNewMenuHook::FindRecord(HWND hWnd)
{
    void* pRecord = NULL;
    return Records().Lookup(hWnd, pRecord) ? (MenuWindowRecord*)pRecord : NULL;
}

BOOL CNewMenuHook::SubclassMenuWindow(HWND hWnd, BOOL bLate)
{
    char className[20] = "";
    if (GetClassNameA(hWnd, className, sizeof(className)) != 6 || lstrcmpA(className, "#32768") != 0)
        return FALSE;
    MenuWindowRecord* pRecord = FindRecord(hWnd);
    if (pRecord == NULL) {
        LONG_PTR pfnCurrent = GetWindowLongPtrA(hWnd, GWLP_WNDPROC);
        if (pfnCurrent != 0 && GetPropA(hWnd, kOldMenuProc) == NULL) {
            if (!SetPropA(hWnd, kOldMenuProc, (HANDLE)pfnCurrent))
                ReportError();
            if (GetPropA(hWnd, kOldMenuProc) == (HANDLE)pfnCurrent) {
                GlobalAddAtomA(kOldMenuProc);
                pRecord = new MenuWindowRecord();
                pRecord->dwStyle = (DWORD)GetWindowLongPtrA(hWnd, GWL_STYLE);
                pRecord->dwExStyle = (DWORD)GetWindowLongPtrA(hWnd, GWL_EXSTYLE);
                pRecord->dwFlags = bLate ? MenuWindowRecord::kLate : 0;
                pRecord->bDrawBorder = TRUE;
                pRecord->hMenu = s_hPendingPopup;
                s_hPendingPopup = NULL;
                Records().SetAt(hWnd, pRecord);
                SetLastError(0);
                if (SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)MenuWindowProc) == 0)
                    ReportError();
                if (CMenuStyle* pStyle = CMenuStyle::GetCurrent())
                    pStyle->AttachWindow(hWnd, pRecord);
            }
        }
    }
    if (s_hPendingPopup != NULL && pRecord != NULL) {
        pRecord->hMenu = s_hPendingPopup;
        s_hPendingPopup = NULL;
    }
    return pRecord != NULL;
}

void CNewMenuHook::UnsubclassMenuWindow(HWND hWnd)
{
    HANDLE pfnOld = GetPropA(hWnd, kOldMenuProc);
    if (pfnOld != NULL) {
        SetLastError(0);
        if (SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)pfnOld) == 0)
            ReportError();
        RemovePropA(hWnd, kOldMenuProc);
        if (ATOM atom = GlobalFindAtomA(kOldMenuProc))
            GlobalDeleteAtom(atom);
    }
    MenuWindowRecord* pRecord = FindRecord(hWnd);
    if (pRecord != NULL) {
        if (CMenuStyle* pStyle = CMenuStyle::GetCurrent())
            pStyle->DetachWindow(hWnd, pRecord);
        Records().RemoveKey(hWnd);
        delete pRecord;
    }
}
