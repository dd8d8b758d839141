// CNewMDIChildWnd: an MDI child frame whose system menu is owner-drawn.
#pragma once

#include "CMenuHostFrame.h"

class CNewMDIChildWnd : public CMenuHostFrame<CMDIChildWnd> {
    DECLARE_DYNCREATE(CNewMDIChildWnd)
public:
    CNewMDIChildWnd();
};
