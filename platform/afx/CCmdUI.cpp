#include "CCmdUI.h"

#include "CMenu.h"
#include "CWnd.h"

CCmdUI::CCmdUI()
    : m_nID(0), m_nIndex(0), m_pMenu(NULL), m_pSubMenu(NULL), m_pParentMenu(NULL),
      m_pOther(NULL), m_nIndexMax(0), m_bEnableChanged(FALSE), m_bContinueRouting(FALSE)
{
}

void CCmdUI::Enable(BOOL bOn)
{
    if (m_pMenu != NULL) {
        if (m_pSubMenu != NULL)
            return;
        ::EnableMenuItem(m_pMenu->m_hMenu, m_nIndex,
                         MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    } else if (m_pOther != NULL) {
        m_pOther->EnableWindow(bOn);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck)
{
    if (m_pMenu != NULL) {
        if (m_pSubMenu != NULL)
            return;
        ::CheckMenuItem(m_pMenu->m_hMenu, m_nIndex,
                        MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
    } else if (m_pOther != NULL && (m_pOther->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON)) {
        m_pOther->SendMessage(BM_SETCHECK, nCheck);
    }
}

void CCmdUI::SetRadio(BOOL bOn)
{
    if (m_pMenu == NULL || m_pSubMenu != NULL || !bOn) {
        SetCheck(bOn ? 1 : 0);
        return;
    }
    ::CheckMenuRadioItem(m_pMenu->m_hMenu, m_nIndex, m_nIndex, m_nIndex, MF_BYPOSITION);
}

void CCmdUI::SetText(LPCTSTR lpszText)
{
    if (m_pMenu != NULL) {
        if (m_pSubMenu != NULL)
            return;
        // Only the text: an owner-drawn item keeps its type and data.
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STRING;
        info.dwTypeData = (LPSTR)lpszText;
        ::SetMenuItemInfoA(m_pMenu->m_hMenu, m_nIndex, TRUE, &info);
    } else if (m_pOther != NULL) {
        m_pOther->SetWindowText(lpszText);
    }
}

void CCmdUI::ContinueRouting()
{
    m_bContinueRouting = TRUE;
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    m_bEnableChanged = FALSE;
    BOOL bHandled = pTarget->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, NULL);
    if (bDisableIfNoHndler && !m_bEnableChanged) {
        AFX_CMDHANDLERINFO info = {NULL, NULL};
        if (!pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info))
            Enable(FALSE);
    }
    return bHandled;
}

void AFXAPI AfxUpdatePopupMenu(CCmdTarget* pTarget, CMenu* pPopupMenu, CMenu* pParentMenu,
                               BOOL bAutoMenuEnable)
{
    HMENU hMenu = pPopupMenu->m_hMenu;
    CCmdUI state;
    state.m_pMenu = pPopupMenu;
    state.m_pParentMenu = pParentMenu;
    state.m_nIndexMax = ::GetMenuItemCount(hMenu);
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
        state.m_nID = ::GetMenuItemID(hMenu, state.m_nIndex);
        if (state.m_nID == 0)
            continue;
        if (state.m_nID == (UINT)-1) {
            HMENU hSubMenu = ::GetSubMenu(hMenu, state.m_nIndex);
            if (hSubMenu == NULL)
                continue;
            state.m_nID = ::GetMenuItemID(hSubMenu, 0);
            if (state.m_nID == 0 || state.m_nID == (UINT)-1)
                continue;
            state.m_pSubMenu = CMenu::FromHandle(hSubMenu);
            state.DoUpdate(pTarget, FALSE);
        } else {
            state.m_pSubMenu = NULL;
            state.DoUpdate(pTarget, bAutoMenuEnable && state.m_nID < 0xF000);
        }
        // An update that removed items moves back over them and past the repeats of this id.
        UINT nCount = ::GetMenuItemCount(hMenu);
        if (nCount < state.m_nIndexMax) {
            state.m_nIndex -= state.m_nIndexMax - nCount;
            while (state.m_nIndex < nCount && ::GetMenuItemID(hMenu, state.m_nIndex) == state.m_nID)
                state.m_nIndex++;
        }
        state.m_nIndexMax = nCount;
    }
}
