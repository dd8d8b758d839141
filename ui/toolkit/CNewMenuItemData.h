// The record an owner-drawn item of a CNewMenu carries as its item data: every measure and draw
// request of the system brings it back to the draw style.
#pragma once

#include <afxwin.h>

class CNewMenuIcons;

// Title flags of a separator record: bit 0x01 makes it a title, the others say how it is drawn.
enum {
    kMenuTitle = 0x01,
    kMenuTitleVertical = 0x02,
    kMenuTitleGradient = 0x04,
    kMenuTitleRaised = 0x08,
    kMenuTitleLine = 0x10,
    kMenuTitleRound = 0x20,
    kMenuTitleCenter = 0x40,
};

class CNewMenuItemData : public CObject {
    DECLARE_DYNCREATE(CNewMenuItemData)
public:
    CNewMenuItemData();
    // Gives back the icon store.
    ~CNewMenuItemData() override;

    // Takes a reference on the store (NULL: no icon) and gives back the one held before.
    void SetIcon(CNewMenuIcons* pIcons, int nIndex);
    CNewMenuIcons* GetIcons() const { return m_pMenuIcon; }
    int GetIconIndex() const { return m_nMenuIconOffset; }
    BOOL HasIcon() const { return m_pMenuIcon != NULL && m_nMenuIconOffset >= 0; }
    BOOL IsTitle() const { return (m_nTitleFlags & kMenuTitle) != 0; }

    CString m_szMenuText;     // a tab separates the accelerator text
    DWORD m_nTitleFlags;      // separators only: kMenuTitle...
    UINT m_nFlags;            // MF_ flags of the last add or change, MF_OWNERDRAW included
    UINT_PTR m_nID;           // the command, the sub-menu handle of a popup, 0 for a separator
    BOOL m_nSyncFlag;         // used only while a menu converts its items
    DWORD m_dwItemValue;      // the caller's own value

private:
    CNewMenuIcons* m_pMenuIcon;  // holds a reference; NULL: no icon
    int m_nMenuIconOffset;       // first of the icon's three images in the store; -1: none
};
