// CNewMenu: an owner-drawn menu whose items carry CNewMenuItemData records, measured and drawn
// by the current draw style (CMenuStyle) with icons from the shared stores (CNewMenuIcons).
//
// Any menu resource or handle becomes one: LoadMenu converts every item, sub-menus included,
// and each showing (PreparePopup) converts again. Windows that show these menus route
// WM_INITMENUPOPUP, WM_MEASUREITEM, WM_MENUCHAR and WM_UNINITMENUPOPUP here; the menu window
// hook (CNewMenuHook) gives the popup windows their border and shadow. Everything lives on the
// UI thread.
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

#include "CNewMenuItemData.h"

class CMenuStyle;
class CNewMenuIcons;

class CNewMenu : public CMenu {
    DECLARE_DYNCREATE(CNewMenu)
public:
    // hParent: the menu that holds this one as a sub-menu, 0 for none.
    explicit CNewMenu(HMENU hParent = 0);
    // Deletes the item records; CMenu destroys the menu.
    ~CNewMenu() override;

    // Owner-drawn items, through the current style.
    void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override;
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;

    // The menu converted to owner-drawn items, with a CNewMenu for every sub-menu; FALSE for a
    // handle that is no menu or a resource that is missing.
    virtual BOOL LoadMenu(UINT nIDResource);
    virtual BOOL LoadMenu(LPCTSTR lpszResourceName);
    virtual BOOL LoadMenu(HMENU hMenu);
    // Frees the records and the sub-menu objects, then the menu.
    virtual BOOL DestroyMenu();
    // Draws a title separator with the current style.
    virtual void PaintTitle(LPDRAWITEMSTRUCT lpDIS);
    // Fills the client area with the menu colour.
    virtual BOOL PaintPopupBackground(HWND hWnd, HDC hDC);
    // Before each showing: converts again and, on XP, moves the system commands out of the way.
    virtual void PreparePopup();
    // The popup window went (hWndParent: its owner); harmless when it is told twice.
    virtual void PopupClosed(HWND hWndParent);

    // Brings records and items into step again (after loading, before each showing, whenever
    // the counts disagree).
    void SyncItems();

    // Icons: TRUE only when every toolbar loaded (TRUE for none).
    BOOL LoadToolbars(const UINT* pIDs, int nCount, HINSTANCE hInst = NULL);
    BOOL LoadToolbar(UINT nToolbarId, HINSTANCE hInst = NULL);
    // data: bitmap id, width, height, then command ids ended by 0; crTransparent -1: the
    // bitmap background.
    BOOL LoadToolbar(const WORD* pData, COLORREF crTransparent = (COLORREF)-1);
    // Every command of the store gets its icon.
    void SetToolbarIcons(CNewMenuIcons* pIcons);
    // Every record of the command, in this menu and its sub-menus: the text (when given and not
    // empty) and the icon. FALSE when the command is nowhere.
    BOOL ModifyItem(LPCTSTR lpszText, UINT nID, CNewMenuIcons* pIcons, int nIndex);

    // nFlags MF_BYPOSITION: the record at that index; else the command's, in whichever
    // sub-menu holds it.
    BOOL GetMenuText(UINT nID, CString& text, UINT nFlags = MF_BYCOMMAND);
    CMenu* GetSubMenu(int nPos) const { return CMenu::GetSubMenu(nPos); }
    // The sub-menu whose item has this text; NULL when none.
    CMenu* GetSubMenu(LPCTSTR lpszText) const;
    // The CNewMenu of this menu tree that holds the command; its position in *pPos.
    CNewMenu* FindMenuOfCommand(UINT nID, int* pPos);

    // For the windows that show these menus.
    // WM_MEASUREITEM of a menu item: TRUE when a CNewMenu measured it.
    static BOOL MeasureForWindow(const MSG* pMsg);
    // WM_INITMENUPOPUP.
    static void HandleInitMenuPopup(HWND hWnd, CMenu* pPopup);
    // WM_UNINITMENUPOPUP: the popup closed, for when no hook told the menu.
    static void HandleUninitMenuPopup(HWND hWnd, HMENU hPopup);
    // WM_MENUCHAR: the item whose text marks the character as its mnemonic, as
    // MAKELRESULT(position, MNC_EXECUTE); 0 when none.
    static LRESULT FindMnemonic(UINT nChar, UINT nFlags, CMenu* pMenu);
    // Rebuilds the icon stores' derived images, at most once per kRefreshIconsMs.
    static void RefreshIcons();
    enum { kRefreshIconsMs = 2001 };

    // The item records in menu order.
    int GetItemDataCount() const { return m_MenuItemList.GetSize(); }
    CNewMenuItemData* GetItemData(int nIndex) const;

    void SetIconSize(int cx, int cy);
    int GetIconWidth() const { return m_iconX; }
    int GetIconHeight() const { return m_iconY; }
    // Returns the old value; kNoBitmapBackground sets none.
    COLORREF SetBitmapBackground(COLORREF crBackground);
    // COLOR_3DFACE when none is set.
    COLORREF GetBitmapBackground() const;
    HMENU GetParent() const { return m_hParentMenu; }
    BOOL IsPopup() const { return m_bIsPopupMenu; }
    // Returns the old value.
    BOOL SetPopup(BOOL bIsPopup);
    // The screen rectangle of the menu-bar item that opened this menu.
    CRect& GetLastActiveMenuRect() { return m_LastActiveMenuRect; }
    int GetOpenMenuCount() const { return m_dwOpenMenu; }
    CImageList* GetCheckImages() const { return m_pCheckImages; }
    void SetUserValue(int nValue) { m_nUserValue = nValue; }
    int GetUserValue() const { return m_nUserValue; }

    // Process-wide settings.
    // The registered style of that id becomes current; an id none has changes nothing.
    static BOOL SetCurrentStyle(int nStyleId);
    static int GetCurrentStyle();
    static CMenuStyle* GetCurrentStyleObject();
    // Each returns the old mode.
    static int SetSelectDisabled(int nMode);
    static int GetSelectDisabled();
    static int SetFadedIcons(int nMode);
    static int GetFadedIcons();
    static void SetTitleFont(const LOGFONT* pLogFont);
    static void SetTitleFont(CFont* pFont);
    static void GetTitleFont(LOGFONT* pLogFont);
    // The record of the menu-bar item last drawn hot by hot tracking; NULL for none.
    static CNewMenuItemData* GetHotBarItem() { return s_pHotBarItem; }
    static void SetHotBarItem(CNewMenuItemData* pItem) { s_pHotBarItem = pItem; }
    // The message position (GetMessagePos) of the last keyboard use of a menu.
    static DWORD GetKeyboardPos() { return s_dwKeyboardPos; }
    static void SetKeyboardPos(DWORD dwPos) { s_dwKeyboardPos = dwPos; }

    enum : COLORREF { kNoBitmapBackground = 0xFF000000 };

protected:
    CPtrArray m_MenuItemList;   // CNewMenuItemData*, owned
    CPtrArray m_SubMenus;       // HMENU of the sub-menus whose CNewMenu this menu made
    int m_iconX;
    int m_iconY;
    COLORREF m_bitmapBackground;
    CImageList* m_pCheckImages;   // two check images; NULL: none
    BOOL m_bCheckImagesShared;    // the list is the parent menu's, not freed here
    int m_nCheckedImageId;
    int m_nSelectedCheckedImageId;
    BOOL m_bIconsAreHandles;
    HMENU m_hParentMenu;
    BOOL m_bIsPopupMenu;
    CRect m_LastActiveMenuRect;
    int m_dwOpenMenu;
    int m_nUserValue;

private:
    void DeleteItemData();
    CNewMenuItemData* TakeUnusedRecord(UINT_PTR nID);
    // The menu-bar parent's item rectangle redrawn on its window.
    static void RedrawBarItem(CNewMenu* pParent, HWND hWnd);
    // The system commands of a popup moved by nShift.
    void ShiftSystemCommands(int nShift);
    CNewMenu* GetParentNewMenu() const;

    BOOL m_bShown;      // between HandleInitMenuPopup and PopupClosed
    BOOL m_bShifted;    // the system commands carry the next id

    static int s_nSelectDisabled;
    static int s_nFadedIcons;
    static CNewMenuItemData* s_pHotBarItem;
    static DWORD s_dwKeyboardPos;
};
