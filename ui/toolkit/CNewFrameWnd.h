// CNewFrameWnd: a frame whose menu bar and system menu are owner-drawn CNewMenus.
#pragma once

#include "CMenuHostFrame.h"

class CNewFrameWnd : public CMenuHostFrame<CFrameWnd> {
    DECLARE_DYNCREATE(CNewFrameWnd)
public:
    CNewFrameWnd();
    // The menu is m_NewMenu's: the frame does not destroy it a second time.
    ~CNewFrameWnd() override;

    // The title from the first line of string nIDResource, the class with the id's icon, the
    // menu of the id as a CNewMenu (FALSE, and the frame ended, without one), the id's
    // accelerators; without a context every descendant gets WM_INITIALUPDATE.
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL) override;
};
