// CMDIChildWnd: a document frame inside the MDI client of a CMDIFrameWnd. The client makes its
// window (WM_MDICREATE) and ends it (WM_MDIDESTROY); messages it leaves go to DefMDIChildProc.
#pragma once

#include "CFrameWnd.h"

class CMDIFrameWnd;

class CMDIChildWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIChildWnd)
public:
    CMDIChildWnd();

    // pParentWnd NULL: the application's main window, which must be an MDI frame. The creation
    // context reaches OnCreateClient as a frame's does.
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                        const RECT& rect = rectDefault, CMDIFrameWnd* pParentWnd = NULL,
                        CCreateContext* pContext = NULL);
    // The title is the document name of the id's string; the child has no menu of its own.
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL) override;
    BOOL DestroyWindow() override;

    CMDIFrameWnd* GetMDIFrame() const;
    void MDIActivate();
    void MDIDestroy();

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()
};
