#pragma once

#include "CHoverBitmapButton.h"
#include "CPictureFile.h"
#include "afxcmn.h"
#include "afxwin.h"

// The caption bar over the desktop's top edge: the settings, web site and headline buttons on
// the picture "\Skin\caption.bmp", with tooltips. Its buttons' commands go to the main window
// with the bar as lParam.
class CCaptionWnd : public CWnd
{
public:
    enum {
        ID_SETTINGS = 2200,
        ID_HIDE = 2201,
        ID_HEADLINE = 2203,
        ID_WEB_SITE = 2210,
    };

    CCaptionWnd();
    ~CCaptionWnd() override;

    // A child window of the class "CaptionWnd".
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    void PlaceButtons(int cx, int cy);

    CHoverBitmapButton m_settings;
    CHoverBitmapButton m_webSite;
    CHoverBitmapButton m_headline;
    CPictureFile m_background;
    CToolTipCtrl m_toolTip;
};
