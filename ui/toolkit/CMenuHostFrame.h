// CMenuHostFrame: a window of one of the framework's window classes whose own menu bar and
// system menu are CNewMenus. It routes the menu messages to CNewMenu, converts the system menu
// when the window is made, and gives the menu bar hot tracking where the system has none
// (CMenuBarHotTrack). The six window classes of the toolkit instantiate it: CNewDialog,
// CNewMiniFrameWnd, CNewMDIChildWnd, CNewMiniDockFrameWnd, CNewFrameWnd and CNewMDIFrameWnd.
#pragma once

#include <afxwin.h>

#include <utility>

#include "CMenuBarHotTrack.h"
#include "CNewMenu.h"

class CMenuHostFrameSupport {
public:
    // The first line of the string nID (up to the first line feed); empty when there is none.
    static CString TitleOf(UINT nID);
    // The message to every descendant of hWnd that has an object, parents before children.
    static void SendToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
};

template <class Base>
class CMenuHostFrame : public Base {
public:
    // The base's constructors (a dialog's template forms among them).
    template <class... Args>
    explicit CMenuHostFrame(Args&&... args) : Base(std::forward<Args>(args)...), m_NewMenu(0), m_SystemNewMenu(0)
    {
    }

    CNewMenu m_NewMenu;         // the window's menu bar, when it has one of its own
    CNewMenu m_SystemNewMenu;   // the window's system menu

    const CMenuBarHotTrack& GetHotTrack() const { return m_HotTrack; }

protected:
    // LoadFrame of the frame instantiations: as CFrameWnd's, with the menu of the id loaded
    // into m_NewMenu. A missing menu ends the frame (PostNcDestroy) and fails.
    BOOL LoadFrameWithNewMenu(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                              CCreateContext* pContext);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnSysColorChange();
    afx_msg void OnEnterMenuLoop(BOOL bIsTrackPopupMenu);
    afx_msg void OnExitMenuLoop(BOOL bIsTrackPopupMenu);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    afx_msg LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);

    CMenuBarHotTrack m_HotTrack;

    DECLARE_MESSAGE_MAP()
};

BEGIN_TEMPLATE_MESSAGE_MAP(CMenuHostFrame, Base, Base)
    ON_WM_CREATE()
    ON_WM_INITMENUPOPUP()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_ENTERMENULOOP()
    ON_WM_EXITMENULOOP()
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_WM_NCHITTEST()
    ON_WM_MEASUREITEM()
    ON_WM_MENUCHAR()
END_MESSAGE_MAP()

template <class Base>
int CMenuHostFrame<Base>::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (Base::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_SystemNewMenu.Attach(::GetSystemMenu(this->m_hWnd, FALSE));
    return 0;
}

template <class Base>
void CMenuHostFrame<Base>::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    Base::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
    CNewMenu::HandleInitMenuPopup(this->m_hWnd, pPopupMenu);
}

template <class Base>
void CMenuHostFrame<Base>::OnSysColorChange()
{
    Base::OnSysColorChange();
    CNewMenu::RefreshIcons();
}

template <class Base>
void CMenuHostFrame<Base>::OnEnterMenuLoop(BOOL)
{
    m_HotTrack.OnEnterMenuLoop(this->m_hWnd);
    this->Default();
}

template <class Base>
void CMenuHostFrame<Base>::OnExitMenuLoop(BOOL)
{
    m_HotTrack.OnExitMenuLoop();
    this->Default();
}

template <class Base>
void CMenuHostFrame<Base>::OnTimer(UINT_PTR nIDEvent)
{
    this->Default();
    m_HotTrack.OnTimer(this->m_hWnd, nIDEvent);
}

template <class Base>
void CMenuHostFrame<Base>::OnDestroy()
{
    m_HotTrack.Stop(this->m_hWnd);
    Base::OnDestroy();
}

template <class Base>
LRESULT CMenuHostFrame<Base>::OnNcHitTest(CPoint point)
{
    return m_HotTrack.OnNcHitTest(this->m_hWnd, point, Base::OnNcHitTest(point));
}

template <class Base>
void CMenuHostFrame<Base>::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (!CNewMenu::MeasureForWindow(this->GetCurrentMessage()))
        Base::OnMeasureItem(nIDCtl, lpMeasureItemStruct);
}

template <class Base>
LRESULT CMenuHostFrame<Base>::OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu)
{
    if (pMenu != NULL && pMenu->IsKindOf(RUNTIME_CLASS(CNewMenu)))
        return CNewMenu::FindMnemonic(nChar, nFlags, pMenu);
    return this->Default();
}

template <class Base>
BOOL CMenuHostFrame<Base>::LoadFrameWithNewMenu(UINT nIDResource, DWORD dwDefaultStyle,
                                                CWnd* pParentWnd, CCreateContext* pContext)
{
    this->m_nIDHelp = nIDResource;
    this->m_strTitle = CMenuHostFrameSupport::TitleOf(nIDResource);
    if (!AfxEndDeferRegisterClass(AFX_WNDFRAMEORVIEW_REG))
        return FALSE;
    LPCTSTR lpszClass = this->GetIconWndClass(dwDefaultStyle, nIDResource);
    if (!m_NewMenu.LoadMenu(nIDResource)) {
        this->PostNcDestroy();
        return FALSE;
    }
    CString strTitle = this->m_strTitle;
    const RECT& rect = CFrameWnd::rectDefault;
    if (!this->CreateEx(0, lpszClass, strTitle, dwDefaultStyle, rect.left, rect.top,
                        rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                        m_NewMenu.m_hMenu, pContext))
        return FALSE;
    this->m_hMenuDefault = ::GetMenu(this->m_hWnd);
    this->LoadAccelTable(MAKEINTRESOURCE(nIDResource));
    if (pContext == NULL)
        CMenuHostFrameSupport::SendToDescendants(this->m_hWnd, WM_INITIALUPDATE, 0, 0);
    return TRUE;
}
