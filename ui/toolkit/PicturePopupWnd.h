#pragma once

#include <afxwin.h>

// A borderless popup showing one bitmap centred on the screen (the start-up splash picture).
class CPicturePopupWnd : public CWnd
{
public:
    CPicturePopupWnd();
    ~CPicturePopupWnd() override;

    // Looked up in the resource module first, then in the program. TRUE when it loaded.
    BOOL LoadBitmapResource(UINT bitmapId);
    // A .bmp file; when it does not load the popup is left without a bitmap.
    BOOL LoadBitmapFile(LPCTSTR path);

    // Nothing when the popup is shown already. The popup has the bitmap's size, 100 x 100
    // without one; with autoHide it hides itself after ms milliseconds.
    void Show(CWnd* parent, BOOL autoHide, UINT ms);
    void Hide();

protected:
    // Centred on the screen once made.
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()

private:
    enum { kHideTimer = 1, kEmptySize = 100 };

    // Takes the bitmap (NULL: none) and refits the window to it.
    void ReplaceBitmap(HBITMAP bitmap);
    SIZE PictureSize() const;
    void CentreOnScreen();

    CBitmap m_bitmap;
    UINT_PTR m_hideTimer;  // 0: none
};
