// CCmdUI: the state of one command's user-interface item (a menu item, a control) as its
// ON_UPDATE_COMMAND_UI handler sets it.
#pragma once

#include "CCmdTarget.h"

class CMenu;
class CWnd;

class CCmdUI {
public:
    CCmdUI();
    virtual ~CCmdUI() = default;

    UINT m_nID;
    UINT m_nIndex;          // the item's position in m_pMenu
    CMenu* m_pMenu;         // the menu of the item; NULL for a control
    CMenu* m_pSubMenu;      // the popup the item opens; its state is left alone
    CMenu* m_pParentMenu;   // the menu holding m_pMenu, when known
    CWnd* m_pOther;         // the control, when not a menu item
    UINT m_nIndexMax;       // the item count of m_pMenu
    BOOL m_bEnableChanged;  // a handler called Enable
    BOOL m_bContinueRouting;

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCTSTR lpszText);
    // Called by a handler that leaves the item to the next command target.
    void ContinueRouting();

    // Runs pTarget's update handler for m_nID; with bDisableIfNoHndler an item that neither has
    // a command handler nor was enabled by its update handler is disabled. TRUE when an
    // update handler ran.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
};

// Updates every item of a popup menu that is about to open through pTarget's update handlers.
// Separators are skipped; an item opening a sub-menu is updated under its sub-menu's first
// command and never disabled for want of a handler; with bAutoMenuEnable other items without a
// handler are disabled unless their id is a system command (0xF000 and up). Items an update
// removed or added are accounted for.
void AFXAPI AfxUpdatePopupMenu(CCmdTarget* pTarget, CMenu* pPopupMenu, CMenu* pParentMenu,
                               BOOL bAutoMenuEnable = TRUE);
