#pragma once

#include <windows.h>

#include <vector>

// A picture inside the library: the packed bitmap's pixel layout (bottom-up rows padded to
// 4 bytes, at 1, 4, 8, 16 (5-5-5), 24 or 32 bits) with its colour table, outside global memory.
struct PicImage
{
    int width = 0;
    int height = 0;
    int bitCount = 0;
    std::vector<RGBQUAD> table;  // 2^bitCount entries at 8 bits or fewer, else empty
    std::vector<BYTE> bits;

    static int Stride(int width, int bitCount) { return ((width * bitCount + 31) / 32) * 4; }
    // Sizes the rows and a black table for the depth; false when the size is not sane.
    bool Allocate(int width, int height, int bitCount);

    int Stride() const { return Stride(width, bitCount); }
    // y counts from the top.
    BYTE* Row(int y) { return &bits[(size_t)(height - 1 - y) * Stride()]; }
    const BYTE* Row(int y) const { return &bits[(size_t)(height - 1 - y) * Stride()]; }
    // The table index at 8 bits or fewer.
    int IndexAt(int x, int y) const;
    RGBQUAD ColourAt(int x, int y) const;

    // A packed bitmap in movable global memory; NULL when out of memory.
    HGLOBAL ToGlobal() const;
    // kPicLibBadDib unless the block holds a packed bitmap as ToGlobal makes them.
    static int FromGlobal(HGLOBAL dib, PicImage* image);
};
