#pragma once

#include <afxwin.h>

// A cell of the options menu: a line of text drawn transparently over its row's background,
// and the base of every other cell. Keys come as WM_OPTIONS_KEY; a cell answers 0 when it used
// the key and 2 when not. The window text always equals the text shown, so what the menu shows
// can be read from outside.
class COptionsLabel : public CWnd
{
public:
    COptionsLabel();
    ~COptionsLabel() override;

    // The cell's own answer to a key; 2 here: a label uses none.
    virtual LRESULT OnKey(UINT key, LPARAM lParam);
    virtual void Draw(CDC* pDC);
    // Answers the old mark.
    virtual BOOL SetFocusMark(BOOL mark);
    virtual void SetText(LPCTSTR text);
    virtual BOOL Create(const RECT& rect, CWnd* pParent, UINT id, LPCTSTR text = "");
    virtual void SetFontSize(int width, int height);
    virtual void SetHighlightColor(COLORREF color);
    virtual void SetTextColor(COLORREF color);
    virtual void SetHighlight(BOOL highlight);

    BOOL GetFocusMark() const { return m_bFocusMark; }
    BOOL GetHighlight() const { return m_bHighlighted; }
    const CString& GetText() const { return m_text; }
    COLORREF GetTextColor() const { return m_textColor; }
    COLORREF GetHighlightColor() const { return m_highlightColor; }
    const LOGFONT& GetLogFont() const { return m_logFont; }
    UINT GetNotifyCode() const { return m_nNotifyCode; }
    // Both answer the old value.
    BOOL SetKeyHandling(BOOL on);
    BOOL SetCentred(BOOL centred);

    // Copies a bitmap to (x, y) over width x height of the DC; nothing for an empty bitmap.
    static void DrawBitmap(CDC* pDC, CBitmap& bitmap, int x, int y, int width, int height);
    // The bitmap's size; 0 x 0 when it holds none.
    static CSize BitmapSize(CBitmap& bitmap);
    // Loads a bitmap resource into a bitmap that may already hold one.
    static BOOL ReloadBitmap(CBitmap& bitmap, UINT id);

protected:
    // The colour the text is drawn in now.
    virtual COLORREF CurrentTextColor() const;
    // Draws the text into a rectangle: centred both ways, or from its top left.
    void DrawTextIn(CDC* pDC, const CRect& rect);
    // Keeps the text and the window text equal without repainting.
    void StoreText(LPCTSTR text);
    // A cell draws over its row's background: repainting it repaints that part of the row,
    // which then has the cell paint itself again.
    void Repaint();

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg LRESULT OnOptionsKey(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    COLORREF m_textColor = RGB(0, 0, 0);
    COLORREF m_highlightColor = RGB(0, 255, 0);
    BOOL m_bHighlighted = FALSE;
    CString m_text;
    LOGFONT m_logFont;
    CFont m_font;
    UINT m_nNotifyCode = 0;
    BOOL m_bFocusMark = FALSE;
    BOOL m_bKeyHandling = TRUE;
    BOOL m_bCentred = TRUE;
};
