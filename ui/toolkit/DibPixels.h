#pragma once

#include <windows.h>

// Pixel access in the rows of a packed bitmap at 1, 4, 8, 16, 24 or 32 bits: a pixel's raw value
// (table index, 5-5-5 word, or blue | green << 8 | red << 16 [| x << 24]). At 1 bit the leftmost
// pixel is the byte's high bit, at 4 bits its high nibble.
namespace DibPixels
{
inline int RowBytes(int width, int bitCount)
{
    return (int)((((LONGLONG)width * bitCount + 31) / 32) * 4);
}

inline DWORD Get(const BYTE* row, int x, int bitCount)
{
    switch (bitCount) {
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4: return (x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4;
    case 8: return row[x];
    case 16: return row[2 * x] | row[2 * x + 1] << 8;
    case 24: return row[3 * x] | row[3 * x + 1] << 8 | row[3 * x + 2] << 16;
    default: return row[4 * x] | row[4 * x + 1] << 8 | row[4 * x + 2] << 16 | (DWORD)row[4 * x + 3] << 24;
    }
}

inline void Set(BYTE* row, int x, int bitCount, DWORD value)
{
    switch (bitCount) {
    case 1: {
        BYTE bit = (BYTE)(0x80 >> (x & 7));
        row[x >> 3] = (BYTE)((row[x >> 3] & ~bit) | (value & 1 ? bit : 0));
        break;
    }
    case 4:
        row[x >> 1] = (BYTE)((x & 1) ? (row[x >> 1] & 0xF0) | (value & 0x0F) : (row[x >> 1] & 0x0F) | (value & 0x0F) << 4);
        break;
    case 8: row[x] = (BYTE)value; break;
    case 16:
        row[2 * x] = (BYTE)value;
        row[2 * x + 1] = (BYTE)(value >> 8);
        break;
    case 24:
        row[3 * x] = (BYTE)value;
        row[3 * x + 1] = (BYTE)(value >> 8);
        row[3 * x + 2] = (BYTE)(value >> 16);
        break;
    default:
        row[4 * x] = (BYTE)value;
        row[4 * x + 1] = (BYTE)(value >> 8);
        row[4 * x + 2] = (BYTE)(value >> 16);
        row[4 * x + 3] = (BYTE)(value >> 24);
        break;
    }
}
}
