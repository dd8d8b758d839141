// CWnd: binding windows to objects, creation and subclassing, the window procedure.
#include "CWnd.h"

#include "CHandleMap.h"
#include "CWinApp.h"

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

namespace {

void SetWindowHandle(CWnd* pWnd, HWND hWnd)
{
    pWnd->m_hWnd = hWnd;
}

CHandleMap<CWnd, HWND>& WindowMap()
{
    return CHandleMap<CWnd, HWND>::ForThread(SetWindowHandle);
}

// The object whose window this thread is making, bound by the creation hook at the window's
// HCBT_CREATEWND, before its first message; the hook is set while a Create or a dialog runs.
thread_local CWnd* t_pWndInit = NULL;
thread_local HHOOK t_hCreationHook = NULL;

// The message AfxWndProc is handling, for Default and GetCurrentMessage.
thread_local MSG t_lastSentMsg;

} // namespace

CWnd::CWnd() : m_hWnd(NULL), m_nFlags(0), m_nModalResult(0), m_pfnSuper(NULL)
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

CWnd* PASCAL CWnd::FromHandle(HWND hWnd)
{
    return WindowMap().FromHandle(hWnd);
}

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd)
{
    return hWnd != NULL ? WindowMap().LookupPermanent(hWnd) : NULL;
}

void PASCAL CWnd::DeleteTempMap()
{
    WindowMap().DeleteTemp();
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (m_hWnd != NULL || hWndNew == NULL || FromHandlePermanent(hWndNew) != NULL)
        return FALSE;
    m_hWnd = hWndNew;
    WindowMap().SetPermanent(hWndNew, this);
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd != NULL)
        WindowMap().RemoveHandle(hWnd, this);
    m_hWnd = NULL;
    return hWnd;
}

void PASCAL CWnd::HookCreation(CWnd* pWnd)
{
    if (t_hCreationHook == NULL)
        t_hCreationHook = SetWindowsHookExA(WH_CBT, CreationHook, NULL, GetCurrentThreadId());
    t_pWndInit = pWnd;
}

CWnd* PASCAL CWnd::TakeCreationHook()
{
    if (t_hCreationHook != NULL) {
        UnhookWindowsHookEx(t_hCreationHook);
        t_hCreationHook = NULL;
    }
    CWnd* pWnd = t_pWndInit;
    t_pWndInit = NULL;
    return pWnd;
}

LRESULT CALLBACK CWnd::CreationHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    // The system's input-method window may be made on the way; it is never the object's.
    char szClass[8] = "";
    if (nCode == HCBT_CREATEWND && t_pWndInit != NULL &&
        !(::GetClassNameA((HWND)wParam, szClass, sizeof(szClass)) && lstrcmpiA(szClass, "IME") == 0)) {
        CWnd* pWnd = t_pWndInit;
        t_pWndInit = NULL;
        pWnd->SubclassBound((HWND)wParam);
    }
    return CallNextHookEx(NULL, nCode, wParam, lParam);
}

void CWnd::SubclassBound(HWND hWnd)
{
    Attach(hWnd);
    PreSubclassWindow();
    WNDPROC current = (WNDPROC)GetWindowLongPtrA(hWnd, GWLP_WNDPROC);
    if (current == AfxWndProc) {
        m_pfnSuper = ::DefWindowProcA;
    } else {
        m_pfnSuper = current;
        SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)AfxWndProc);
    }
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (m_hWnd != NULL || !::IsWindow(hWnd) || FromHandlePermanent(hWnd) != NULL)
        return FALSE;
    SubclassBound(hWnd);
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hWndControl = ::GetDlgItem(pParent->GetSafeHwnd(), nID);
    return hWndControl != NULL && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow()
{
    if (m_hWnd == NULL || m_pfnSuper == NULL)
        return NULL;
    SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
    m_pfnSuper = NULL;
    return Detach();
}

void CWnd::PreSubclassWindow()
{
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, LoadCursorA(NULL, (LPCSTR)IDC_ARROW));
    return cs.lpszClass != NULL;
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext*)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                    DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                    LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                    (HMENU)(UINT_PTR)nID, lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                    LPVOID lpParam)
{
    if (m_hWnd != NULL)
        return FALSE;
    CREATESTRUCT cs = {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    HookCreation(this);
    HWND hWnd = CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y,
                                cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance,
                                cs.lpCreateParams);
    TakeCreationHook();
    // A window that failed in WM_CREATE has already gone through PostNcDestroy.
    return hWnd != NULL;
}

BOOL CWnd::DestroyWindow()
{
    return m_hWnd != NULL && ::DestroyWindow(m_hWnd);
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL PASCAL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd != NULL; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != NULL && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

const MSG* PASCAL CWnd::GetCurrentMessage()
{
    return &t_lastSentMsg;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != NULL)
        return CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    return DefWindowProc(t_lastSentMsg.message, t_lastSentMsg.wParam, t_lastSentMsg.lParam);
}

void CWnd::PostNcDestroy()
{
}

void CWnd::FinishNcDestroy()
{
    HWND hWnd = m_hWnd;
    if (m_pfnSuper != NULL && (WNDPROC)GetWindowLongPtrA(hWnd, GWLP_WNDPROC) == AfxWndProc)
        SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
    m_pfnSuper = NULL;
    Detach();
    PostNcDestroy();
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == NULL || pWnd->m_pfnSuper == NULL)
        return DefWindowProcA(hWnd, message, wParam, lParam);
    MSG outer = t_lastSentMsg;
    t_lastSentMsg.hwnd = hWnd;
    t_lastSentMsg.message = message;
    t_lastSentMsg.wParam = wParam;
    t_lastSentMsg.lParam = lParam;
    LRESULT result = pWnd->WindowProc(message, wParam, lParam);
    t_lastSentMsg = outer;
    if (message == WM_NCDESTROY && CWnd::FromHandlePermanent(hWnd) == pWnd)
        pWnd->FinishNcDestroy();
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
