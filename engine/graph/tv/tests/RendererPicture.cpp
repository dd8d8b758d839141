#include "RendererPicture.h"

#include <cstdio>

HWND RendererPicture::VideoWindow(HWND owner)
{
    return FindWindowExA(owner, NULL, NULL, NULL);
}

bool RendererPicture::GrabWindow(HWND window)
{
    RECT client;
    if (!window || !GetClientRect(window, &client))
        return false;
    HDC dc = GetDC(window);
    bool grabbed = dc && Grab(dc, 0, 0, client.right, client.bottom);
    if (dc)
        ReleaseDC(window, dc);
    return grabbed;
}

bool RendererPicture::GrabScreen(const RECT& rect)
{
    HDC dc = GetDC(NULL);
    bool grabbed = dc && Grab(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    if (dc)
        ReleaseDC(NULL, dc);
    return grabbed;
}

bool RendererPicture::Grab(HDC source, int x, int y, int width, int height)
{
    if (width <= 0 || height <= 0)
        return false;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = NULL;
    HBITMAP bitmap = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    if (!bitmap)
        return false;
    HDC memory = CreateCompatibleDC(source);
    HGDIOBJ old = SelectObject(memory, bitmap);
    bool copied = BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY) != FALSE;
    GdiFlush();
    if (copied) {
        const DWORD* pixels = (const DWORD*)bits;
        m_pixels.assign(pixels, pixels + (size_t)width * height);
        m_width = width;
        m_height = height;
    }
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
    return copied;
}

// The cells are 1/32 of the width and the band 1/8 of the height, however the renderer
// stretched the picture: each is read at its centre.
bool RendererPicture::Band(int band, DWORD* word) const
{
    if (m_pixels.empty())
        return false;
    int y = m_height * (2 * band + 1) / 16;
    DWORD value = 0;
    for (int cell = 0; cell < 32; ++cell) {
        int x = m_width * (2 * cell + 1) / 64;
        DWORD green = (m_pixels[(size_t)y * m_width + x] >> 8) & 0xFF;
        if (green > 64 && green < 192)
            return false;
        value = (value << 1) | (green >= 192 ? 1 : 0);
    }
    *word = value;
    return true;
}

bool RendererPicture::SaveBmp(const std::string& path) const
{
    if (m_pixels.empty())
        return false;
    int stride = (m_width * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = m_width;
    header.biHeight = m_height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biSizeImage = stride * m_height;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(header);
    file.bfSize = file.bfOffBits + header.biSizeImage;
    FILE* out = fopen(path.c_str(), "wb");
    if (!out)
        return false;
    fwrite(&file, sizeof(file), 1, out);
    fwrite(&header, sizeof(header), 1, out);
    std::vector<BYTE> row(stride, 0);
    for (int y = m_height - 1; y >= 0; --y) {
        for (int x = 0; x < m_width; ++x) {
            DWORD pixel = m_pixels[(size_t)y * m_width + x];
            row[3 * x] = (BYTE)pixel;
            row[3 * x + 1] = (BYTE)(pixel >> 8);
            row[3 * x + 2] = (BYTE)(pixel >> 16);
        }
        fwrite(row.data(), 1, stride, out);
    }
    return fclose(out) == 0;
}
