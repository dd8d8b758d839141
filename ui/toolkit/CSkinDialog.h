#pragma once

#include <afxwin.h>

#include "CSkinBitmap.h"

// A dialog that draws its own window frame from bitmaps: a caption of three parts with
// minimise, maximise and close buttons, tiled side and bottom borders. It does its own hit
// testing (no top sizing edge), drags by the client area, keeps an aspect ratio of the client
// area while sizing, and when maximised lays frame and caption off the screen so that the
// client area fills it.
class CSkinDialog : public CDialog
{
public:
    // Button states, the index of the bitmap each shows.
    enum { kNormal = 0, kHover = 1, kPressed = 2 };
    enum { kMinWidth = 256, kMinClientHeight = 192 };
    // A maximise press this soon after a client double click belongs to the double click.
    enum { kDoubleClickGuardMs = 100 };

    CSkinDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    ~CSkinDialog() override;

    BOOL SetCaptionBitmaps(UINT leftId, UINT rightId, UINT middleId);
    BOOL SetBorderBitmaps(UINT leftId, UINT rightId, UINT bottomId);
    BOOL SetMinButtonBitmaps(UINT normalId, UINT hoverId, UINT pressedId);
    BOOL SetMaxButtonBitmaps(UINT normalId, UINT hoverId, UINT pressedId);
    BOOL SetCloseButtonBitmaps(UINT normalId, UINT hoverId, UINT pressedId);

    // Both parts at least 1, else ignored; equal parts keep no ratio.
    void SetAspectRatio(SIZE ratio);
    CSize GetAspectRatio() const { return m_aspectRatio; }
    BOOL IsMaximized() const { return m_bMaximized; }
    int GetCaptionHeight() const { return m_nCaptionHeight; }
    int GetBorderWidth() const { return m_nBorderWidth; }
    int GetBottomHeight() const { return m_nBottomHeight; }

    BOOL OnInitDialog() override;

    // The buttons' rectangles from the rectangle of the caption's right part.
    virtual CRect GetCloseButtonRect(const CRect& rightPart);
    virtual CRect GetMaxButtonRect(const CRect& rightPart);
    virtual CRect GetMinButtonRect(const CRect& rightPart);

protected:
    struct CaptionButton
    {
        CSkinBitmap images[3];  // normal, hover, pressed
        int state = kNormal;
    };
    // The frame's parts for a window rectangle, in that rectangle's coordinates.
    struct FrameParts
    {
        CRect caption, left, right, bottom;
        CRect captionLeft, captionMiddle, captionRight;
        CRect minButton, maxButton, closeButton;
    };

    FrameParts GetFrameParts(const CRect& window);
    void DrawFrame();

    afx_msg void OnPaint();
    afx_msg void OnNcPaint();
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonUp(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnSizing(UINT fwSide, LPRECT pRect);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    DECLARE_MESSAGE_MAP()

    DWORD m_dwLastDblClk = 0;
    int m_nCaptionHeight = 46;
    int m_nBorderWidth = 10;
    int m_nBottomHeight = 10;
    CSkinBitmap m_captionLeft, m_captionRight, m_captionMiddle;
    CSkinBitmap m_borderLeft, m_borderRight, m_borderBottom;
    CaptionButton m_minButton, m_maxButton, m_closeButton;
    BOOL m_bMaximized = FALSE;
    // For the subclass: set at construction, cleared whenever the window is maximised.
    BOOL m_bFirstShow = TRUE;
    CSize m_aspectRatio = CSize(1, 1);

private:
    BOOL LoadButton(CaptionButton& button, UINT normalId, UINT hoverId, UINT pressedId);
    // The caption button under a point of the window's rectangle, NULL for none.
    CaptionButton* ButtonAt(const FrameParts& parts, CPoint point);
    void FitToAspectRatio(UINT fwSide, CRect& rect) const;
};
