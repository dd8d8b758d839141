#pragma once

#include <afxwin.h>

#include "CBitmapSlider.h"
#include "CHoverBitmapButton.h"
#include "CHoverToolTip.h"
#include "CSkinBitmap.h"
#include "CSkinLabel.h"

// The thin bar of buttons across the top of the full-screen picture: it mirrors the panel's
// main commands, shows the channel and the volume, and hides itself a while after the mouse
// has left it unless pinned. Other windows find it by its title "ScreenTool".
class CScreenToolBar : public CDialog
{
public:
    enum { kHideTimer = 1212, kHideMs = 2000, kMirrorTimer = 8196, kMirrorMs = 200 };
    enum { kButtonCount = 8 };

    CScreenToolBar();
    ~CScreenToolBar() override;

    BOOL Create(CWnd* parent);
    BOOL OnInitDialog() override;

    void ShowBar(BOOL show);
    void SetChannelText(LPCTSTR text);
    void SetVolume(int value);
    void SetMuteCheck(BOOL on);
    void SetRecordCheck(BOOL on);
    // The panel's command, when the panel's control of that id is there and enabled.
    void ForwardCommand(UINT id);

    void SetHideDelay(UINT ms) { m_hideMs = ms; }
    BOOL IsPinned() const { return m_bPinned; }
    CHoverBitmapButton& GetButton(UINT id);
    CBitmapSlider& GetSlider() { return m_slider; }
    CSkinLabel& GetLabel() { return m_label; }
    CHoverToolTip& GetToolTip() { return m_toolTip; }

protected:
    void MirrorPanel();
    void StartHideTimer();
    void StopHideTimer();

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnDestroy();
    afx_msg void OnFix();
    afx_msg void OnReturn();
    afx_msg void OnForward(UINT id);
    afx_msg void OnSound();
    DECLARE_MESSAGE_MAP()

    void OnOK() override {}
    // Esc and WM_CLOSE hide the bar; it lives as long as the video window.
    void OnCancel() override { ShowBar(FALSE); }

    CHoverBitmapButton m_buttons[kButtonCount];
    CBitmapSlider m_slider;
    CSkinLabel m_label;
    CHoverToolTip m_toolTip;
    CSkinBitmap m_left;
    CSkinBitmap m_tile;
    BOOL m_bPinned = FALSE;
    UINT m_hideMs = kHideMs;
};
