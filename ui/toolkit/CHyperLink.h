#pragma once

#include <afxcmn.h>
#include <afxwin.h>

// A static text of a dialog made into a link: link, visited or hover colour, underlined always,
// never or while the mouse is over it, a hand cursor and a tooltip with the address, sized to
// its text. A click opens the address with the shell, falling back to the command registered
// for ".htm" files.
class CHyperLink : public CStatic
{
public:
    enum { kHoverTimer = 100 };
    enum { kUnderlineHover = -1, kUnderlineNever = 0, kUnderlineAlways = 1 };
    // A hover colour of this value means the system's highlight colour.
    static const COLORREF kSystemHighlight = 0xFFFFFFFF;

    CHyperLink();
    ~CHyperLink() override;

    void SetURL(const CString& address);
    CString GetURL() const { return m_strURL; }
    void SetColours(COLORREF link, COLORREF visited, COLORREF hover = kSystemHighlight);
    COLORREF GetLinkColour() const { return m_crLinkColour; }
    COLORREF GetVisitedColour() const { return m_crVisitedColour; }
    COLORREF GetHoverColour() const { return m_crHoverColour; }
    void SetVisited(BOOL visited = TRUE);
    BOOL GetVisited() const { return m_bVisited; }
    // NULL: the default hand cursor.
    void SetLinkCursor(HCURSOR cursor);
    void SetUnderline(int mode = kUnderlineAlways);
    int GetUnderline() const { return m_nUnderline; }
    void SetAutoSize(BOOL autoSize = TRUE);
    BOOL GetAutoSize() const { return m_bAdjustToFit; }

    // The shell's result for the address, or the fallback command's; above 32 is success.
    static HINSTANCE GotoURL(LPCTSTR address, int showCommand);
    // The report's text for a shell error code.
    static CString ErrorText(int code);

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL DestroyWindow() override;

protected:
    void PreSubclassWindow() override;
    void PositionWindow();
    void SetDefaultCursor();
    void ReportError(int code);

    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnClicked();
    DECLARE_MESSAGE_MAP()

    COLORREF m_crLinkColour = RGB(0, 0, 238);
    COLORREF m_crVisitedColour = RGB(85, 26, 139);
    COLORREF m_crHoverColour = RGB(255, 0, 0);
    BOOL m_bOverControl = FALSE;
    BOOL m_bVisited = FALSE;
    int m_nUnderline = kUnderlineHover;
    BOOL m_bAdjustToFit = TRUE;
    CString m_strURL;
    CFont m_UnderlineFont;
    CFont m_StdFont;
    HCURSOR m_hLinkCursor = NULL;
    BOOL m_bOwnCursor = FALSE;  // a copy of the help program's cursor, destroyed with the link
    CToolTipCtrl m_ToolTip;
};
