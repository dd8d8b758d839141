// CMiniDockFrameWnd: the mini frame a floating control bar sits in. Only the frame is here:
// control bars and docking are not part of this framework.
#pragma once

#include "CMiniFrameWnd.h"

class CMiniDockFrameWnd : public CMiniFrameWnd {
    DECLARE_DYNCREATE(CMiniDockFrameWnd)
public:
    CMiniDockFrameWnd();

    // A hidden, sizeable tool window with a system menu, owned by pParent; dwBarStyle is the
    // control bar's style, kept for the bar.
    virtual BOOL Create(CWnd* pParent, DWORD dwBarStyle);

    DWORD m_dwBarStyle;
};
