#include "BmpFile.h"

std::string Bmp(int width, int height, const std::function<COLORREF(int, int)>& pixel)
{
    int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + stride * height;
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    std::string bytes((const char*)&file, sizeof(file));
    bytes.append((const char*)&info, sizeof(info));
    for (int y = height - 1; y >= 0; --y) {
        std::string row(stride, '\0');
        for (int x = 0; x < width; ++x) {
            COLORREF c = pixel(x, y);
            row[x * 3] = (char)GetBValue(c);
            row[x * 3 + 1] = (char)GetGValue(c);
            row[x * 3 + 2] = (char)GetRValue(c);
        }
        bytes += row;
    }
    return bytes;
}

std::string FlatBmp(int width, int height, COLORREF colour)
{
    return Bmp(width, height, [colour](int, int) { return colour; });
}
