#pragma once

#include "CSkinBitmap.h"

// A skin's text label over a static control: its text centred vertically and drawn from the
// left, over nothing (back mode 0: the parent's pixels show), a colour (1) or a bitmap (2).
class CSkinLabel : public CStatic
{
public:
    enum { BACK_NONE = 0, BACK_COLOR = 1, BACK_BITMAP = 2 };

    CSkinLabel();
    ~CSkinLabel() override;

    // Both set back mode 2 and take the label's size from the bitmap.
    BOOL LoadBackResource(UINT resourceId);
    BOOL LoadBackFile(LPCTSTR path);
    // Also sets back mode 1.
    void SetBackColor(COLORREF color);
    void SetTextColor(COLORREF color) { m_textColor = color; }
    void SetBackMode(int mode) { m_backMode = mode; }
    void SetText(LPCTSTR text);
    void SetPosition(int x, int y);
    void SetSize(int width, int height);

    // Each makes a new font from the current one with one field changed.
    void SetFontSize(int width, int height);
    void SetItalic(BOOL italic);
    void SetCharset(BYTE charset);
    // Cut to the 31 characters a logical font holds (the name comes from a skin file).
    void SetFaceName(LPCTSTR name);

    // Invalidates, with erase, the label's rectangle in its parent.
    void RedrawInParent();

protected:
    void PreSubclassWindow() override;
    afx_msg void OnPaint();
    // The label's own font, as a control answers.
    afx_msg LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    BOOL TakeBack(BOOL loaded);
    template <class Change> void ChangeFont(Change change);

    CFont m_font;
    int m_x, m_y;
    int m_width, m_height;
    COLORREF m_backColor;
    CSkinBitmap m_back;
    int m_backMode;
    COLORREF m_textColor;
    CString m_text;
};
