#include "WindowPixels.h"

#include <cstdio>

WindowPixels::WindowPixels(HWND window) : m_window(window)
{
    RedrawWindow(window, NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    RECT rect;
    if (!GetWindowRect(window, &rect) || rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    m_width = rect.right - rect.left;
    m_height = rect.bottom - rect.top;
    HDC windowDC = GetWindowDC(window);
    RECT whole = {0, 0, m_width, m_height};
    m_pixels = ReadDC(windowDC, whole);
    ReleaseDC(window, windowDC);
}

std::vector<DWORD> WindowPixels::ReadDC(HDC dc, const RECT& rect)
{
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = NULL;
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP picture = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ old = SelectObject(memory, picture);
    BitBlt(memory, 0, 0, width, height, dc, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    const DWORD* source = (const DWORD*)bits;
    std::vector<DWORD> pixels(source, source + (size_t)width * height);
    for (DWORD& pixel : pixels)
        pixel &= 0xFFFFFF;
    SelectObject(memory, old);
    DeleteObject(picture);
    DeleteDC(memory);
    return pixels;
}

COLORREF WindowPixels::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return CLR_INVALID;
    DWORD rgb = m_pixels[(size_t)y * m_width + x];
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

COLORREF WindowPixels::AtClient(int x, int y) const
{
    POINT point = {x, y};
    RECT window;
    ClientToScreen(m_window, &point);
    GetWindowRect(m_window, &window);
    return At(point.x - window.left, point.y - window.top);
}

int WindowPixels::Count(COLORREF colour, const RECT& area) const
{
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            count += At(x, y) == colour;
    return count;
}

bool WindowPixels::SaveBmp(const std::string& path) const
{
    int stride = (m_width * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + stride * m_height;
    info.biSize = sizeof(info);
    info.biWidth = m_width;
    info.biHeight = m_height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    FILE* out = fopen(path.c_str(), "wb");
    if (out == NULL)
        return false;
    fwrite(&file, sizeof(file), 1, out);
    fwrite(&info, sizeof(info), 1, out);
    std::vector<BYTE> row(stride, 0);
    for (int y = m_height - 1; y >= 0; --y) {
        for (int x = 0; x < m_width; ++x) {
            DWORD rgb = m_pixels[(size_t)y * m_width + x];
            row[x * 3] = rgb & 0xFF;
            row[x * 3 + 1] = (rgb >> 8) & 0xFF;
            row[x * 3 + 2] = (rgb >> 16) & 0xFF;
        }
        fwrite(row.data(), 1, row.size(), out);
    }
    return fclose(out) == 0;
}

namespace {

BOOL CALLBACK FindMenuWindow(HWND window, LPARAM found)
{
    char name[16] = "";
    GetClassNameA(window, name, sizeof(name));
    if (strcmp(name, "#32768") == 0 && IsWindowVisible(window)) {
        *(HWND*)found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

HWND WindowPixels::OpenMenuWindow()
{
    HWND found = NULL;
    EnumThreadWindows(GetCurrentThreadId(), FindMenuWindow, (LPARAM)&found);
    return found;
}
