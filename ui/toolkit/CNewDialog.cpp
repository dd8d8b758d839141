#include "CNewDialog.h"

#include "CNewMenuHook.h"

IMPLEMENT_DYNCREATE(CNewDialog, CDialog)

BEGIN_MESSAGE_MAP(CNewDialog, CMenuHostFrame<CDialog>)
    ON_WM_INITMENUPOPUP()
END_MESSAGE_MAP()

CNewDialog::CNewDialog()
{
}

CNewDialog::CNewDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : CMenuHostFrame<CDialog>(lpszTemplateName, pParentWnd)
{
}

CNewDialog::CNewDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : CMenuHostFrame<CDialog>(nIDTemplate, pParentWnd)
{
}

BOOL CNewDialog::OnInitDialog()
{
    BOOL bResult = CDialog::OnInitDialog();
    HMENU hSystem = ::GetSystemMenu(m_hWnd, FALSE);
    HMENU hOld = m_SystemNewMenu.Detach();
    if (hOld != NULL && hOld != hSystem && ::IsMenu(hOld) && !::DestroyMenu(hOld))
        CNewMenuHook::ReportError();
    m_SystemNewMenu.Attach(hSystem);
    // A dialog shown again brings a new menu; the old one went with the old window.
    if (m_NewMenu.m_hMenu != NULL && m_NewMenu.m_hMenu != ::GetMenu(m_hWnd))
        m_NewMenu.DestroyMenu();
    m_NewMenu.LoadMenu(::GetMenu(m_hWnd));
    return bResult;
}

void CNewDialog::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu)
{
    AfxCancelModes(m_hWnd);
    if (!bSysMenu) {
        CMenu* pParentMenu = NULL;
        if (CMenu::GetTrackingMenu() == pPopupMenu->m_hMenu) {
            pParentMenu = pPopupMenu;
        } else if (::GetMenu(m_hWnd) != NULL) {
            // Child windows have no menus: the menu that holds the popup is the top one's.
            CWnd* pTop = GetTopLevelParent();
            HMENU hTopMenu = pTop != NULL ? ::GetMenu(pTop->m_hWnd) : NULL;
            int nCount = hTopMenu != NULL ? ::GetMenuItemCount(hTopMenu) : 0;
            for (int i = 0; i < nCount; i++) {
                if (::GetSubMenu(hTopMenu, i) == pPopupMenu->m_hMenu) {
                    pParentMenu = CMenu::FromHandle(hTopMenu);
                    break;
                }
            }
        }
        AfxUpdatePopupMenu(this, pPopupMenu, pParentMenu, TRUE);
    }
    Default();
    CNewMenu::HandleInitMenuPopup(m_hWnd, pPopupMenu);
}
