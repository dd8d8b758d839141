// CNewMiniDockFrameWnd: the mini frame of a floating bar, with an owner-drawn system menu.
#pragma once

#include "CMenuHostFrame.h"

class CNewMiniDockFrameWnd : public CMenuHostFrame<CMiniDockFrameWnd> {
    DECLARE_DYNCREATE(CNewMiniDockFrameWnd)
public:
    CNewMiniDockFrameWnd();
};
