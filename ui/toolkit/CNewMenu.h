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

    // Editing (CNewMenu_Edit.cpp). Every item added or changed is owner-drawn and carries a
    // record of its menu's item list as its item data. An icon is given as a store and the
    // index of its first image, a CBitmap, an image list and image, or (nIconId) a toolbar
    // resource holding the command else a bitmap resource; nothing, NULL or -1 for none.
    //
    // Appends an item; id 0 makes an owner-drawn separator; for MF_POPUP (nID the sub-menu)
    // the sub-menu's CNewMenu gets this menu as parent.
    BOOL AppendItem(LPCTSTR lpszText, UINT nFlags = MF_STRING, UINT_PTR nID = 0,
                    CNewMenuIcons* pIcons = NULL, int nIndex = -1);
    BOOL AppendItem(LPCTSTR lpszText, UINT nFlags, UINT_PTR nID, CBitmap* pBitmap);
    BOOL AppendItem(LPCTSTR lpszText, UINT nFlags, UINT_PTR nID, CImageList* pImageList, int nImage);
    // MF_BYPOSITION: at nPosition (-1 appends); else before the command nPosition, in the
    // sub-menu that holds it.
    BOOL InsertItem(UINT nPosition, LPCTSTR lpszText, UINT nFlags = MF_STRING, UINT_PTR nID = 0,
                    CNewMenuIcons* pIcons = NULL, int nIndex = -1);
    BOOL InsertItem(UINT nPosition, LPCTSTR lpszText, UINT nFlags, UINT_PTR nID, CBitmap* pBitmap);
    BOOL InsertItem(UINT nPosition, LPCTSTR lpszText, UINT nFlags, UINT_PTR nID,
                    CImageList* pImageList, int nImage);
    BOOL InsertItem(UINT nPosition, LPCTSTR lpszText, UINT nFlags, UINT_PTR nID, int nIconId);
    // Every item of the command, in this menu and its sub-menus (each place once): the text
    // (when given and not empty) and the icon. FALSE, and nothing made, when the command is
    // nowhere.
    BOOL ModifyItem(LPCTSTR lpszText, UINT nID, CNewMenuIcons* pIcons, int nIndex);
    BOOL ModifyItem(LPCTSTR lpszText, UINT nID, int nIconId = -1);
    // The bitmap cut to the icon size, masked with the bitmap background.
    BOOL ModifyItem(LPCTSTR lpszText, UINT nID, CBitmap* pBitmap);
    // A colour swatch of the icon size: fill, border, and a hatch style (-1: solid).
    BOOL ModifyItem(LPCTSTR lpszText, UINT nID, COLORREF crFill, COLORREF crBorder, int nHatchStyle = -1);
    // The item whose text is lpszOldText gets the new text and the bitmap's icon.
    BOOL ModifyItem(LPCTSTR lpszText, LPCTSTR lpszOldText, int nBitmapId = -1);
    // A new popup CNewMenu appended under that text, owned by this menu and sharing its check
    // images; NULL when it could not be appended.
    CNewMenu* AppendPopup(LPCTSTR lpszText);
    // nFlags MF_BYPOSITION: the record at that index; else the command's, in whichever
    // sub-menu holds it.
    BOOL SetMenuText(UINT nID, LPCTSTR lpszText, UINT nFlags = MF_BYCOMMAND);
    // The caller's value of this menu's record at the item; GetItemValue gives -1 without one.
    BOOL SetItemValue(UINT nPosition, DWORD dwValue, BOOL bByPosition = FALSE);
    DWORD GetItemValue(UINT nPosition, BOOL bByPosition = FALSE) const;
    // By command in whichever sub-menu holds it; the record goes with the item. DeleteMenu also
    // destroys a popup's sub-menu and, when this menu made it, its CNewMenu.
    BOOL RemoveMenu(UINT nPosition, UINT nFlags);
    BOOL DeleteMenu(UINT nPosition, UINT nFlags);
    enum { kRemoveItem = 0, kRemoveBefore = 1, kRemoveAfter = 2, kRemoveBoth = 3 };
    // The item of that text (kRemoveItem), or its neighbour before, after, or both; TRUE when
    // every item asked for was there and went.
    BOOL RemoveMenuByText(LPCTSTR lpszText, int nWhich = kRemoveItem);
    // The index in this menu of the first item with that text; -1 when none.
    int FindTextPosition(LPCTSTR lpszText);
    // The menu of this tree that holds the command (depth first) and its position there; NULL
    // and -1 when none.
    CNewMenu* FindCommand(UINT nID, int& nPosition);
    CNewMenuItemData* FindItemData(UINT nID);
    // The same by text.
    CNewMenu* FindText(LPCTSTR lpszText, int& nIndex);
    // The first item becomes a title separator with that text (one is inserted when the first
    // item is no separator); a second item starts a new column under a vertical title. FALSE
    // when the menu holds only the title (it is set all the same) or is no menu.
    BOOL SetTitle(LPCTSTR lpszTitle, DWORD dwTitleFlags = kMenuTitle);
    // TRUE when there was a title to remove.
    BOOL RemoveTitle();
    // Two bitmap resources (icon handles in icon-handle mode) for checked and selected checked
    // items; when either fails the menu has no check images.
    BOOL SetCheckMarkImages(UINT nCheckedId, UINT nSelectedCheckedId);
    // AppendItem and InsertItem with CMenu's order of arguments.
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = NULL,
                    CNewMenuIcons* pIcons = NULL, int nIndex = -1);
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem, CBitmap* pBitmap);
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem, CImageList* pImageList, int nImage);
    BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = NULL,
                    CNewMenuIcons* pIcons = NULL, int nIndex = -1);
    BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem, CBitmap* pBitmap);
    BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem,
                    CImageList* pImageList, int nImage);
    BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem, int nIconId);

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
    // Editing helpers (CNewMenu_Edit.cpp).
    void KeepInStep();
    // The record made and the item inserted at nPosition (past the end: appended).
    BOOL AddItem(int nPosition, LPCTSTR lpszText, UINT nFlags, UINT_PTR nID, CNewMenuIcons* pIcons, int nIndex);
    BOOL InsertByCommandOrPosition(UINT nPosition, LPCTSTR lpszText, UINT nFlags, UINT_PTR nID,
                                   CNewMenuIcons* pIcons, int nIndex);
    BOOL RemoveItem(UINT nPosition, UINT nFlags, BOOL bDelete);
    // The item at nPosition owner-drawn with its record (the system measures it again).
    void RefreshItem(int nPosition);
    void SetMenuBreak(int nPosition, BOOL bBreak);
    void GrowIconSize(CNewMenuIcons* pIcons);
    // Icon look-ups: the store (NULL: none) and the index in *pIndex.
    CNewMenuIcons* IconOfBitmap(CBitmap* pBitmap, int* pIndex);
    CNewMenuIcons* IconOfImageList(CImageList* pImageList, int nImage, UINT nID, int* pIndex);
    CNewMenuIcons* IconOfValue(int nIconId, UINT nID, int* pIndex);
    // Sub-menus of this one that share pOld forget it.
    void DropSharedCheckImages(CImageList* pOld);

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
