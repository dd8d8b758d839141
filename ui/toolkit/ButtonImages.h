#pragma once

#include <afxwin.h>

// The four images of a bitmap button and which one shows: 0 hover, 1 normal, 2 pressed,
// 3 disabled; a checked toggle button shows 2 where 1 is asked for. Header-only: the
// programs that carry the hover button compile it with the framework and nothing more.
class CButtonImages
{
public:
    enum { HOVER = 0, NORMAL = 1, PRESSED = 2, DISABLED = 3, COUNT = 4, NONE = -1 };

    CBitmap* m_images[COUNT] = {};  // the owner's bitmaps, any of them NULL or empty
    int m_current = NONE;
    int m_width = 0;
    int m_height = 0;

    // Copies the image to the window's top-left at the button's size, only when it is not the
    // one shown already and it exists.
    void SetImage(HWND window, int index, BOOL checkedToggle)
    {
        if (index < HOVER || index > DISABLED)
            return;
        if (checkedToggle && index == NORMAL)
            index = PRESSED;
        CBitmap* image = m_images[index];
        if (index == m_current || image == NULL || image->GetSafeHandle() == NULL)
            return;
        HDC dc = GetDC(window);
        // A button's class draws through its parent's clipping (CS_PARENTDC), which ignores
        // the window's shape: clip to it, or a shaped button paints its cut-away corners.
        HRGN shape = CreateRectRgn(0, 0, 0, 0);
        if (GetWindowRgn(window, shape) != ERROR)
            ExtSelectClipRgn(dc, shape, RGN_AND);
        DeleteObject(shape);
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, image->GetSafeHandle());
        BitBlt(dc, 0, 0, m_width, m_height, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
        ReleaseDC(window, dc);
        m_current = index;
    }

    // An owner-draw request repaints from scratch: disabled 3, pressed 2, else 1.
    void DrawItem(HWND window, UINT itemState, BOOL checkedToggle)
    {
        m_current = NONE;
        int index = (itemState & ODS_DISABLED) ? DISABLED
                    : (itemState & ODS_SELECTED) ? PRESSED
                                                 : NORMAL;
        SetImage(window, index, checkedToggle);
    }
};
