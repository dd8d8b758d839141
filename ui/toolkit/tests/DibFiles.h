#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A picture as the tests write and read it in BMP files: raw pixel values (table index,
// 5-5-5 word or 0x00RRGGBB) in top-down rows, with the colour table at 8 bits or fewer.
struct DibPicture
{
    int width = 0;
    int height = 0;
    int bitCount = 0;
    std::vector<RGBQUAD> table;
    std::vector<DWORD> pixels;

    DWORD At(int x, int y) const { return pixels[(size_t)y * width + x]; }
    // 0x00RRGGBB of any depth (5-5-5 parts shifted left by 3).
    DWORD ColourAt(int x, int y) const;
    DWORD TopLeft() const { return At(0, 0); }
    DWORD TopRight() const { return At(width - 1, 0); }
    DWORD BottomLeft() const { return At(0, height - 1); }
    DWORD BottomRight() const { return At(width - 1, height - 1); }

    bool WriteBmp(const std::string& path) const;
    // Any BMP of uncompressed rows, either direction; false when it is none.
    static bool ReadBmp(const std::string& path, DibPicture* picture);
};
