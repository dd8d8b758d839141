#pragma once

#include "afxwin.h"

// The desktop's top-level window: no caption and no menu, titled " Media Manage Desktop " so
// that other programs find it, placed a little beyond every edge of the desktop. It passes the
// desktop's own messages and commands to the view, and minimises and maximises itself while
// another program borrows the capture device.
class CMainFrame : public CFrameWnd
{
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame();

    // The desktop's rectangle grown by the frame's borders and the overlaps, its top just
    // above the screen, kept for WM_GETMINMAXINFO and applied as the normal position, which
    // also shows the frame.
    void PlaceFullScreen();
    const CRect& GetFullScreenRect() const { return m_fullScreen; }

    // The first call does nothing: the frame is shown by its placement, at full size.
    void ActivateFrame(int nCmdShow = -1) override;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
    afx_msg LRESULT OnDisplayChange(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnShowTopBar(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPlayMedia(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnActivateRequest(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnReleaseDevice(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnResumeDevice(WPARAM wParam, LPARAM lParam);
    afx_msg void OnShowMainWindow();
    afx_msg void OnExitDesktop();
    DECLARE_MESSAGE_MAP()

private:
    void SendToView(UINT message, WPARAM wParam, LPARAM lParam);

    int m_overlapX;
    int m_overlapY;
    CRect m_fullScreen;
    static BOOL s_firstActivation;
};
