// CMiniFrameWnd: a frame with the small caption of a tool window, as floating palettes have.
#pragma once

#include "CFrameWnd.h"

// Mini-frame styles, in the window class's own range of the style.
#define MFS_SYNCACTIVE 0x00000100L
#define MFS_4THICKFRAME 0x00000200L
#define MFS_THICKFRAME 0x00000400L
#define MFS_MOVEFRAME 0x00000800L
#define MFS_BLOCKSYSMENU 0x00001000L

class CMiniFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMiniFrameWnd)
public:
    CMiniFrameWnd();

    // A top-level tool window owned by pParentWnd (NULL: none); MFS_THICKFRAME makes it
    // sizeable.
    virtual BOOL Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd = NULL, UINT nID = 0);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName,
                          DWORD dwStyle, const RECT& rect, CWnd* pParentWnd = NULL, UINT nID = 0);

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
};
