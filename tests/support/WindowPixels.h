#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A picture of one window as it drew itself, frame, caption and menu bar included, read
// through its window DC. That works headless (the null driver keeps each window's pixels,
// though not the screen's), menu windows too.
class WindowPixels
{
public:
    // Paints what is pending first. An empty picture when the window has no size.
    explicit WindowPixels(HWND window);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // In window coordinates (0, 0 the window's top-left corner); CLR_INVALID outside.
    COLORREF At(int x, int y) const;
    // In the window's client coordinates.
    COLORREF AtClient(int x, int y) const;
    // The number of pixels of that colour inside the rectangle (window coordinates).
    int Count(COLORREF colour, const RECT& area) const;
    // A 24-bit BMP of the picture, for looking at a failure.
    bool SaveBmp(const std::string& path) const;

    // The visible popup-menu window ("#32768") of this thread, NULL when no menu is open.
    static HWND OpenMenuWindow();
    // The pixels of a rectangle of a DC, top-down rows of 0x00RRGGBB.
    static std::vector<DWORD> ReadDC(HDC dc, const RECT& rect);

private:
    HWND m_window;
    int m_width = 0;
    int m_height = 0;
    std::vector<DWORD> m_pixels;  // top-down rows of 0x00RRGGBB
};
