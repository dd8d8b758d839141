// CNewMDIFrameWnd: an MDI frame whose menu bar and system menu are owner-drawn CNewMenus.
#pragma once

#include "CMenuHostFrame.h"

class CNewMDIFrameWnd : public CMenuHostFrame<CMDIFrameWnd> {
    DECLARE_DYNCREATE(CNewMDIFrameWnd)
public:
    CNewMDIFrameWnd();
    // The menu is m_NewMenu's: the frame does not destroy it a second time.
    ~CNewMDIFrameWnd() override;

    // As CNewFrameWnd's; the default menu is the window's menu once the children were told.
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL) override;
};
