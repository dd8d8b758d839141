// CNewMenu: an owner-drawn menu whose items carry CNewMenuItemData records, measured and drawn
// by the current draw style (CMenuStyle) with icons from the shared stores (CNewMenuIcons).
//
// This is the menu's data and the library's process-wide settings, as the draw styles read
// them; all of it lives on the UI thread.
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

#include "CNewMenuItemData.h"

class CMenuStyle;

class CNewMenu : public CMenu {
    DECLARE_DYNCREATE(CNewMenu)
public:
    // hParent: the menu that holds this one as a sub-menu, 0 for none.
    explicit CNewMenu(HMENU hParent = 0);
    // Deletes the item records; CMenu destroys the menu.
    ~CNewMenu() override;

    // Draws a title separator with the current style.
    virtual void PaintTitle(LPDRAWITEMSTRUCT lpDIS);

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

    static int s_nSelectDisabled;
    static int s_nFadedIcons;
    static CNewMenuItemData* s_pHotBarItem;
    static DWORD s_dwKeyboardPos;
};
