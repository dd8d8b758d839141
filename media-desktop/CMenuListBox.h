#pragma once

#include "CSuperListBox.h"

// A page's command list: each item is a bitmap (current, hover or plain) with its text
// centred on it.
class CMenuListBox : public CSuperListBox
{
public:
    CMenuListBox();
    ~CMenuListBox() override;

protected:
    void DrawItem(CDC* pDC, int index, const CRect& rect) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()

private:
    CFont m_itemFont;
    // Owned; loaded when the window is made.
    HBITMAP m_currentBitmap;
    HBITMAP m_hoverBitmap;
    HBITMAP m_plainBitmap;
};
