#pragma once

#include "afxwin.h"
#include "KitMessages.h"

// A transparent list drawn over its parent's background: a grid of items with scroll arrows
// in its right margin, painted in a memory bitmap. Its notifications (KitMessages.h) go to the
// parent, or to the list itself with SLS_NOTIFY_SELF. Variants draw their items in DrawItem.
class CSuperListBox : public CWnd
{
public:
    enum Style {
        SLS_NOTIFY_SELF = 0x01,
        SLS_LEFT_TEXT = 0x02,       // else centred
        SLS_ITEM_FRAMES = 0x04,     // read by the browser
        SLS_RIGHT_STAYS = 0x08,     // Right at the end of a one-row list does nothing
        SLS_WANT_KEYS = 0x10,
        SLS_TEXT_WHOLE = 0x20,      // read by the browser
        SLS_SINGLE_CLICK = 0x40,    // a single click activates, else a double click
    };

    CSuperListBox();
    ~CSuperListBox() override;

    // A child window of the class "SuperListBox".
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int AddString(LPCTSTR text);
    int AddString(UINT stringId);
    BOOL SetItemText(int index, LPCTSTR text);
    BOOL GetItemText(int index, CString& text) const;
    int GetCount() const { return (int)m_items.GetSize(); }
    int GetCurSel() const { return m_current; }
    int GetTopIndex() const { return m_first; }
    int GetHoverItem() const { return m_hover; }
    void SetItemSize(int width, int height);
    void SetGrid(int rows, int columns);
    void ResetContent();
    DWORD GetListStyle() const { return m_style; }
    void SetListStyle(DWORD style) { m_style = style; }

    // The item's rectangle in client coordinates; empty when it is not shown.
    CRect GetItemRect(int index) const;
    // The scroll arrows' places, whether shown or not.
    CRect GetUpArrowRect() const;
    CRect GetDownArrowRect() const;

protected:
    // Draws one item into dc, which holds the background under it; rect is the item's in dc.
    virtual void DrawItem(CDC* pDC, int index, const CRect& rect);
    COLORREF TextColorOf(int index) const;
    // An activated item (Enter, or a click as the style says); tells the notify target.
    virtual void OnItemActivate(int index);
    CFont& Font() { return m_font; }
    // The font's face and size (tenths of a point), made when the window is.
    void SetFontSpec(LPCTSTR face, int pointSize);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    DECLARE_MESSAGE_MAP()

    CStringArray m_items;
    int m_columns;
    int m_rows;
    int m_itemWidth;
    int m_itemHeight;
    CRect m_margins;  // left, top, right, bottom
    int m_innerBorder;
    int m_columnSpacing;
    int m_rowSpacing;
    int m_arrowGap;
    int m_first;
    int m_current;
    int m_hover;
    int m_lastReported;
    COLORREF m_textColor;
    COLORREF m_hoverTextColor;
    COLORREF m_currentFocusTextColor;
    COLORREF m_currentTextColor;
    COLORREF m_transparentColor;
    BYTE m_alpha;
    DWORD m_style;

private:
    int PageSize() const { return m_rows * m_columns; }
    int ItemFromPoint(CPoint point) const;
    HWND NotifyTarget() const;
    LRESULT Notify(UINT message, LPARAM lParam);
    void SetHover(int index);
    // Makes index current (kept inside the items) and scrolls it into view.
    void MoveTo(int index);
    void Activate();
    void Scroll(int rows);
    void DrawArrow(HDC dc, HBITMAP bitmap, const CRect& rect);
    BOOL FocusSibling(UINT direction);

    CString m_fontFace;
    int m_fontPointSize;
    CFont m_font;
    BOOL m_tracking;
    // Owned; loaded when the window is made.
    HBITMAP m_upArrow;
    HBITMAP m_downArrow;
};
