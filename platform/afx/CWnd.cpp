#include "CWnd.h"

#include "CWinApp.h"

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

namespace {

// The window property that ties a bound window to its object.
const char kObjectProp[] = "AfxWndObject";

// The object whose window this thread is making; consumed by the window's first message.
thread_local CWnd* t_pWndInit = NULL;

} // namespace

CWnd::CWnd() : m_hWnd(NULL), m_pfnSuper(NULL)
{
}

CWnd::~CWnd()
{
    if (m_hWnd != NULL && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
}

HWND CWnd::GetSafeHwnd() const
{
    const void* self = this;
    return self == NULL ? NULL : m_hWnd;
}

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd)
{
    return hWnd != NULL ? (CWnd*)GetPropA(hWnd, kObjectProp) : NULL;
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (m_hWnd != NULL || hWndNew == NULL)
        return FALSE;
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    m_hWnd = NULL;
    return hWnd;
}

void PASCAL CWnd::HookCreation(CWnd* pWnd)
{
    t_pWndInit = pWnd;
}

CWnd* PASCAL CWnd::TakeCreationHook()
{
    CWnd* pWnd = t_pWndInit;
    t_pWndInit = NULL;
    return pWnd;
}

void CWnd::SubclassBound(HWND hWnd)
{
    m_hWnd = hWnd;
    SetPropA(hWnd, kObjectProp, (HANDLE)this);
    WNDPROC current = (WNDPROC)GetWindowLongPtrA(hWnd, GWLP_WNDPROC);
    if (current == AfxWndProc) {
        m_pfnSuper = ::DefWindowProcA;
    } else {
        m_pfnSuper = current;
        SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)AfxWndProc);
    }
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                    LPVOID lpParam)
{
    if (m_hWnd != NULL)
        return FALSE;
    HookCreation(this);
    HWND hWnd = CreateWindowExA(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, nWidth,
                                nHeight, hWndParent, nIDorHMenu, AfxGetInstanceHandle(), lpParam);
    TakeCreationHook();
    // A window that failed in WM_CREATE has already gone through PostNcDestroy.
    return hWnd != NULL;
}

BOOL CWnd::DestroyWindow()
{
    return m_hWnd != NULL && ::DestroyWindow(m_hWnd);
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer)
{
    return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent)
{
    return ::KillTimer(m_hWnd, nIDEvent);
}

void CWnd::SetWindowText(LPCTSTR lpszString)
{
    ::SetWindowTextA(m_hWnd, lpszString);
}

BOOL CWnd::ShowWindow(int nCmdShow)
{
    return ::ShowWindow(m_hWnd, nCmdShow);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != NULL)
        return CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

void CWnd::PostNcDestroy()
{
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == NULL) {
        pWnd = CWnd::TakeCreationHook();
        if (pWnd == NULL)
            return DefWindowProcA(hWnd, message, wParam, lParam);
        pWnd->SubclassBound(hWnd);
    }
    LRESULT result = pWnd->WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        RemovePropA(hWnd, kObjectProp);
        pWnd->m_hWnd = NULL;
        pWnd->m_pfnSuper = NULL;
        pWnd->PostNcDestroy();
    }
    return result;
}

LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground,
                                   HICON hIcon)
{
    // One name per set of attributes, so that a second request finds the class already there.
    static thread_local char name[80];
    HINSTANCE hInst = AfxGetInstanceHandle();
    sprintf(name, "Afx:%p:%x:%p:%p:%p", (void*)hInst, nClassStyle, (void*)hCursor,
            (void*)hbrBackground, (void*)hIcon);
    WNDCLASSA wc;
    if (GetClassInfoA(hInst, name, &wc))
        return name;
    memset(&wc, 0, sizeof(wc));
    wc.style = nClassStyle;
    wc.lpfnWndProc = AfxWndProc;
    wc.hInstance = hInst;
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.hIcon = hIcon;
    wc.lpszClassName = name;
    return RegisterClassA(&wc) ? name : NULL;
}
