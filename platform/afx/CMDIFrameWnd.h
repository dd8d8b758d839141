// CMDIFrameWnd: a frame whose client area is the system's MDI client window, in which the
// CMDIChildWnd frames of its documents live.
//
// The MDI client is made with the frame (OnCreateClient) and takes the frame's "Window" menu
// (the second-last popup of its menu) for its list of children. Messages the frame leaves go
// to DefFrameProc, keys to the MDI system accelerators of the active child.
#pragma once

#include "CFrameWnd.h"

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIFrameWnd)
public:
    CMDIFrameWnd();

    // As CFrameWnd's; the default menu is the window's menu after the frame is made.
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL) override;
    // The MDI client over the client area; pWindowMenu (may be NULL) lists the children.
    virtual BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu);

    // The active child, NULL when none; *pbMaximized whether it is maximised.
    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = NULL) const;
    void MDIActivate(CWnd* pWndActivate);
    void MDINext();
    void MDICascade();
    void MDITile();

    BOOL PreTranslateMessage(MSG* pMsg) override;
    void RecalcLayout(BOOL bNotify = TRUE) override;

    HWND m_hWndMDIClient;

protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
