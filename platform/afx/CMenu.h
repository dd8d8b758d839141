// CMenu: a menu object wrapping an HMENU.
//
// LoadMenu, CreateMenu, CreatePopupMenu and Attach make the object the menu's permanent owner
// (FromHandlePermanent finds it, and the destructor destroys the menu); FromHandle gives any
// other menu a temporary object (CHandleMap.h). Owner-drawn items are measured and drawn by
// the virtual MeasureItem and DrawItem of the menu's permanent object, called by CWnd's default
// WM_MEASUREITEM and WM_DRAWITEM handling.
#pragma once

#include "CObject.h"
#include "CString.h"

class CWnd;

class CMenu : public CObject {
    DECLARE_DYNCREATE(CMenu)
public:
    CMenu();
    ~CMenu() override;

    HMENU m_hMenu;

    // m_hMenu, or NULL through a NULL CMenu* (CMenu.cpp keeps the test of this).
    HMENU GetSafeHmenu() const;
    operator HMENU() const { return m_hMenu; }
    BOOL operator==(const CMenu& menu) const { return m_hMenu == menu.m_hMenu; }
    BOOL operator!=(const CMenu& menu) const { return m_hMenu != menu.m_hMenu; }

    static CMenu* PASCAL FromHandle(HMENU hMenu);
    static CMenu* PASCAL FromHandlePermanent(HMENU hMenu);
    static void PASCAL DeleteTempMap();

    BOOL Attach(HMENU hMenu);
    HMENU Detach();

    BOOL CreateMenu();
    BOOL CreatePopupMenu();
    // From the resource module when it has the menu, else from the program.
    BOOL LoadMenu(LPCTSTR lpszResourceName);
    BOOL LoadMenu(UINT nIDResource);
    BOOL LoadMenuIndirect(const void* lpMenuTemplate);
    BOOL DestroyMenu();

    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = NULL);
    BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0,
                    LPCTSTR lpszNewItem = NULL);
    BOOL ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0,
                    LPCTSTR lpszNewItem = NULL);
    BOOL RemoveMenu(UINT nPosition, UINT nFlags);
    BOOL DeleteMenu(UINT nPosition, UINT nFlags);
    BOOL InsertMenuItem(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos = FALSE);
    BOOL SetMenuItemInfo(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos = FALSE);
    BOOL GetMenuItemInfo(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos = FALSE) const;
    BOOL SetMenuItemBitmaps(UINT nPosition, UINT nFlags, HBITMAP hBmpUnchecked,
                            HBITMAP hBmpChecked);

    UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck);
    UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable);
    BOOL CheckMenuRadioItem(UINT nIDFirst, UINT nIDLast, UINT nIDItem, UINT nFlags);
    BOOL SetDefaultItem(UINT uItem, BOOL fByPos = FALSE);
    UINT GetDefaultItem(UINT gmdiFlags, BOOL fByPos = FALSE) const;

    UINT GetMenuItemCount() const;
    UINT GetMenuItemID(int nPos) const;
    UINT GetMenuState(UINT nID, UINT nFlags) const;
    int GetMenuString(UINT nIDItem, LPTSTR lpString, int nMaxCount, UINT nFlags) const;
    int GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const;
    // The object (permanent, else temporary) of the sub-menu at that position; NULL for none.
    CMenu* GetSubMenu(int nPos) const;
    // The permanent object of this menu or of the sub-menu at any depth that holds the command
    // nID; NULL when the command is not there or its menu has no permanent object.
    CMenu* FindPopupMenuFromID(UINT nID) const;

    // While the menu is open the thread's tracking window is pWnd's and its tracking menu this
    // one (CWnd's owner-drawn menu handling looks there first); both are put back afterwards.
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = NULL);
    static HWND PASCAL GetTrackingWindow();
    static HMENU PASCAL GetTrackingMenu();

    // Owner-drawn items: the framework calls these on the permanent object of the item's menu.
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

private:
    // Takes a menu just made for this object; an object that holds one already refuses it and
    // destroys it, so that it is not lost.
    BOOL AttachNew(HMENU hMenu);
};
