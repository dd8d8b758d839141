// CNewMiniFrameWnd: a mini frame whose system menu is owner-drawn.
#pragma once

#include "CMenuHostFrame.h"

class CNewMiniFrameWnd : public CMenuHostFrame<CMiniFrameWnd> {
    DECLARE_DYNCREATE(CNewMiniFrameWnd)
public:
    CNewMiniFrameWnd();
};
