// CWnd: the message map's handling, commands and notifications, reflection to controls and
// the default handlers.
#include "CWnd.h"

#include "CCmdUI.h"
#include "CDC.h"
#include "CMenu.h"

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_CTLCOLOR()
    ON_WM_DRAWITEM()
    ON_WM_MEASUREITEM()
    ON_WM_COMPAREITEM()
    ON_WM_DELETEITEM()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
END_MESSAGE_MAP()

namespace {

// Records whether a command's update handler leaves it enabled.
class CTestCmdUI : public CCmdUI {
public:
    CTestCmdUI() : m_bEnabled(TRUE) {}
    void Enable(BOOL bOn) override
    {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCTSTR) override {}

    BOOL m_bEnabled;
};

BOOL IsCtlColorMessage(UINT message)
{
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

// The permanent object of the popup of hMenu, at any depth, that holds the item nID (a command,
// or the handle of the sub-menu an item opens); NULL when there is none.
CMenu* FindMenuOfItem(HMENU hMenu, UINT nID)
{
    int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i) {
        HMENU hSubMenu = ::GetSubMenu(hMenu, i);
        if (hSubMenu == NULL ? ::GetMenuItemID(hMenu, i) == nID : (UINT_PTR)hSubMenu == nID)
            return CMenu::FromHandlePermanent(hMenu);
        if (hSubMenu != NULL) {
            CMenu* pFound = FindMenuOfItem(hSubMenu, nID);
            if (pFound != NULL)
                return pFound;
        }
    }
    return NULL;
}

} // namespace

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *pResult = 1;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        NMHDR* pNMHDR = (NMHDR*)lParam;
        return pNMHDR != NULL && pNMHDR->hwndFrom != NULL && OnNotify(wParam, lParam, pResult);
    }
    // Every WM_CTLCOLOR* has the one entry; its dispatch gets the kind as nID.
    UINT nLookup = message;
    UINT nID = 0;
    if (IsCtlColorMessage(message) ||
        (message >= WM_REFLECT_BASE && IsCtlColorMessage(message - WM_REFLECT_BASE))) {
        nLookup = message >= WM_REFLECT_BASE ? WM_REFLECT_BASE + WM_CTLCOLOR : WM_CTLCOLOR;
        nID = (message % WM_REFLECT_BASE) - WM_CTLCOLORMSGBOX;
    }
    const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(nLookup, 0, 0);
    if (pEntry == NULL)
        return FALSE;
    *pResult = pEntry->pfnDispatch(this, pEntry->pfn, nID, wParam, lParam);
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = (HWND)lParam;
    int nCode = HIWORD(wParam);
    if (hWndCtrl == NULL) {
        // A menu item or an accelerator (code 1): not run while its update handler disables it.
        nCode = CN_COMMAND;
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &state, NULL);
        if (!state.m_bEnabled)
            return TRUE;
    } else if (ReflectLastMsg(hWndCtrl)) {
        return TRUE;
    }
    return OnCmdMsg(nID, nCode, NULL, NULL);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = (NMHDR*)lParam;
    if (ReflectLastMsg(pNMHDR->hwndFrom, pResult))
        return TRUE;
    AFX_NOTIFY notify = {pResult, pNMHDR};
    return OnCmdMsg((UINT)pNMHDR->idFrom, CN_NOTIFY_CODE(pNMHDR->code), &notify, NULL);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;
    if (pResult == NULL)
        pResult = &lResult;
    switch (message) {
    case WM_COMMAND: {
        const AFX_MSGMAP_ENTRY* pEntry =
            FindMessageEntry(WM_REFLECT_BASE + WM_COMMAND, HIWORD(wParam), 0);
        return pEntry != NULL && pEntry->pfnDispatch(this, pEntry->pfn, 0, 0, 0);
    }
    case WM_NOTIFY: {
        NMHDR* pNMHDR = (NMHDR*)lParam;
        const AFX_MSGMAP_ENTRY* pEntry =
            FindMessageEntry(WM_REFLECT_BASE + WM_NOTIFY, pNMHDR->code, 0);
        return pEntry != NULL &&
               pEntry->pfnDispatch(this, pEntry->pfn, 0, (WPARAM)pResult, lParam);
    }
    default:
        if (!OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult))
            return FALSE;
        // A control that gives no brush leaves the colours to its parent.
        return !IsCtlColorMessage(message) || *pResult != 0;
    }
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult)
{
    const MSG* pMsg = GetCurrentMessage();
    return OnChildNotify(pMsg->message, pMsg->wParam, pMsg->lParam, pResult);
}

BOOL PASCAL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* pWnd = FromHandlePermanent(hWndChild);
    return pWnd != NULL && pWnd->SendChildNotifyLastMsg(pResult);
}

// Handlers with more to do than the window's own handling.

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT)
{
    LRESULT lResult = 0;
    if (pWnd != NULL && ReflectLastMsg(pWnd->m_hWnd, &lResult))
        return (HBRUSH)lResult;
    return (HBRUSH)Default();
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct->CtlType == ODT_MENU) {
        CMenu* pMenu = CMenu::FromHandlePermanent((HMENU)lpDrawItemStruct->hwndItem);
        if (pMenu != NULL) {
            pMenu->DrawItem(lpDrawItemStruct);
            return;
        }
    } else if (ReflectLastMsg(lpDrawItemStruct->hwndItem)) {
        return;
    }
    Default();
}

void CWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct->CtlType == ODT_MENU) {
        UINT nID = lpMeasureItemStruct->itemID;
        CMenu* pMenu = NULL;
        if (CMenu::GetTrackingWindow() == m_hWnd && CMenu::GetTrackingMenu() != NULL)
            pMenu = FindMenuOfItem(CMenu::GetTrackingMenu(), nID);
        if (pMenu == NULL && ::GetMenu(m_hWnd) != NULL && (GetStyle() & WS_CHILD) == 0)
            pMenu = FindMenuOfItem(::GetMenu(m_hWnd), nID);
        if (pMenu == NULL && ::GetSystemMenu(m_hWnd, FALSE) != NULL)
            pMenu = FindMenuOfItem(::GetSystemMenu(m_hWnd, FALSE), nID);
        if (pMenu != NULL) {
            pMenu->MeasureItem(lpMeasureItemStruct);
            return;
        }
    } else {
        // Sent while the control is made: found by its id among this window's children.
        HWND hWndChild = ::GetDlgItem(m_hWnd, lpMeasureItemStruct->CtlID);
        if (hWndChild != NULL && ReflectLastMsg(hWndChild))
            return;
    }
    Default();
}

int CWnd::OnCompareItem(int, LPCOMPAREITEMSTRUCT lpCompareItemStruct)
{
    LRESULT lResult = 0;
    if (ReflectLastMsg(lpCompareItemStruct->hwndItem, &lResult))
        return (int)lResult;
    return (int)Default();
}

void CWnd::OnDeleteItem(int, LPDELETEITEMSTRUCT lpDeleteItemStruct)
{
    if (!ReflectLastMsg(lpDeleteItemStruct->hwndItem))
        Default();
}

void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    HWND hWndScroll = (HWND)GetCurrentMessage()->lParam;
    if (pScrollBar != NULL && ::IsWindow(hWndScroll) && ReflectLastMsg(hWndScroll))
        return;
    Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    HWND hWndScroll = (HWND)GetCurrentMessage()->lParam;
    if (pScrollBar != NULL && ::IsWindow(hWndScroll) && ReflectLastMsg(hWndScroll))
        return;
    Default();
}

// The window's own handling.

int CWnd::OnCreate(LPCREATESTRUCT) { return (int)Default(); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnNcDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnNcPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return (BOOL)Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnSizing(UINT, LPRECT) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return (BOOL)Default(); }
void CWnd::OnMouseLeave() { Default(); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return (int)Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return (BOOL)Default(); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
void CWnd::OnNcMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
BOOL CWnd::OnNcActivate(BOOL) { return (BOOL)Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }
LRESULT CWnd::OnMenuChar(UINT, UINT, CMenu*) { return Default(); }
void CWnd::OnEnterMenuLoop(BOOL) { Default(); }
void CWnd::OnExitMenuLoop(BOOL) { Default(); }
void CWnd::OnSysColorChange() { Default(); }
HCURSOR CWnd::OnQueryDragIcon() { return (HCURSOR)Default(); }
UINT CWnd::OnGetDlgCode() { return (UINT)Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnActivateApp(BOOL, DWORD) { Default(); }
void CWnd::OnCancelMode() { Default(); }
