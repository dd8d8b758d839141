#pragma once

#include "CSkinBitmap.h"

#include <map>

// A skin's dialog background and shape: it sizes the dialog, gives it the region of its back
// bitmap, and paints the background in place of the dialog's own erase, through a window
// procedure of its own put on the dialog.
class CSkinWnd
{
public:
    enum { MODE_COLOR = 1, MODE_BITMAP = 2 };

    CSkinWnd();
    virtual ~CSkinWnd();

    // Set mode 2; the size is the bitmap's, the region its whole rectangle or, when
    // transparent, its shape without the transparent colour.
    BOOL LoadBackFile(LPCTSTR path, COLORREF transparentColor, BOOL transparent);
    BOOL LoadBackResource(UINT resourceId, COLORREF transparentColor, BOOL transparent);
    // The outer size, with a rectangular region.
    void SetSize(int width, int height);
    // Sets mode 1.
    void SetBackColor(COLORREF color);

    // FALSE when window is no window.
    BOOL Attach(HWND window);
    void Detach();
    void Paint(CDC* pDC);

    HWND GetSafeHwnd() const { return m_hWnd; }

private:
    BOOL TakeBack(BOOL loaded, COLORREF transparentColor, BOOL transparent);
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static std::map<HWND, CSkinWnd*>& Skins();

    HWND m_hWnd;
    COLORREF m_backColor;
    CSkinBitmap m_back;
    int m_mode;
    BOOL m_transparent;
    CRgn m_region;
    int m_width, m_height;
    COLORREF m_transparentColor;
    // The window's procedure before this skin's, kept per window: the skinned dialogs need
    // not share one procedure, and each must get its own back.
    WNDPROC m_previousProc;
};
