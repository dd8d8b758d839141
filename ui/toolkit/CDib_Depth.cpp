#include "CDib.h"

#include "DibPixels.h"
#include "ImageLoad.h"

#include <vector>

namespace
{
// The fixed palette's base colours, red, green, blue.
const BYTE kBaseColors[16][3] = {
    {255, 255, 255}, {0, 0, 0},       {255, 0, 0},     {0, 0, 255},     {0, 255, 0},     {150, 150, 150},
    {255, 255, 0},   {0, 150, 150},   {150, 0, 150},   {150, 150, 0},   {0, 255, 255},   {255, 0, 255},
    {255, 120, 120}, {120, 255, 120}, {120, 120, 255}, {90, 90, 90},
};

// The entry of the smallest squared distance, the first of equals. The search starts above the
// largest distance there can be (3 x 255^2), so every pixel finds its entry, however far.
int NearestEntry(const std::vector<RGBQUAD>& table, RGBQUAD colour)
{
    int best = 0;
    long bestDistance = 3 * 255 * 255 + 1;
    for (size_t i = 0; i < table.size(); ++i) {
        long red = table[i].rgbRed - colour.rgbRed, green = table[i].rgbGreen - colour.rgbGreen,
             blue = table[i].rgbBlue - colour.rgbBlue;
        long distance = red * red + green * green + blue * blue;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = (int)i;
            if (distance < 2)
                break;
        }
    }
    return best;
}

// A pixel's colour; a table index past the table is black.
RGBQUAD ReadColor(const BYTE* row, int x, int bitCount, const std::vector<RGBQUAD>& table)
{
    DWORD value = DibPixels::Get(row, x, bitCount);
    switch (bitCount) {
    case 1: return value ? RGBQUAD{255, 255, 255, 0} : RGBQUAD{0, 0, 0, 0};  // whatever the table
    case 16:
        return RGBQUAD{(BYTE)((value & 0x1F) << 3), (BYTE)(((value >> 5) & 0x1F) << 3), (BYTE)(((value >> 10) & 0x1F) << 3), 0};
    case 24:
    case 32: return RGBQUAD{(BYTE)value, (BYTE)(value >> 8), (BYTE)(value >> 16), 0};
    default: return value < table.size() ? table[value] : RGBQUAD{0, 0, 0, 0};
    }
}

DWORD PixelValue(RGBQUAD c, int bitCount, const std::vector<RGBQUAD>& table)
{
    switch (bitCount) {
    case 16: return (c.rgbRed & 0xF8) << 7 | (c.rgbGreen & 0xF8) << 2 | c.rgbBlue >> 3;
    case 24:
    case 32: return c.rgbBlue | c.rgbGreen << 8 | c.rgbRed << 16;
    default: return NearestEntry(table, c);
    }
}
}

void CDib::MakeFixedPalette(int count, RGBQUAD* table)
{
    int levels = (count + 15) / 16;
    for (int i = 0; 16 * i < count; ++i) {
        for (int j = 0; j < 16 && 16 * i + j < count; ++j) {
            const BYTE* base = kBaseColors[j];
            table[16 * i + j] = RGBQUAD{(BYTE)(base[2] * (levels - i) / levels), (BYTE)(base[1] * (levels - i) / levels),
                                        (BYTE)(base[0] * (levels - i) / levels), 0};
        }
    }
}

BOOL CDib::ChangeBitDepth(int bitCount)
{
    if (!m_dib)
        return Fail(kNoPicture);
    m_errorCode = kOk;
    if (bitCount == m_bitCount)
        return TRUE;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
        return Fail(kUnknownFileType);
    int colors = bitCount <= 8 ? 1 << bitCount : 0;
    std::vector<RGBQUAD> oldTable(m_colorCount), newTable(colors, RGBQUAD{0, 0, 0, 0});
    if (m_colorCount && !GetColorTable(oldTable.data()))
        return FALSE;
    if (m_bitCount >= 16 && colors) {
        BYTE* reduced = NULL;
        if (m_paletteMethod == kPopularity || m_paletteMethod == kMedianCut) {
            const BYTE* bits = LockBits();
            if (!bits)
                return FALSE;
            reduced = (m_paletteMethod == kPopularity ? Popularity : MedianCut)(bits, m_width, m_height, m_bitCount, colors);
            GlobalUnlock(m_dib);
            if (!reduced)
                return Fail(GetLastPicLibError());
        } else {
            reduced = (BYTE*)GlobalAlloc(GPTR, colors * 3);
            if (!reduced)
                return Fail(kOutOfMemory);
            MakeFixedPalette(colors, newTable.data());
            for (int i = 0; i < colors; ++i) {
                reduced[3 * i] = newTable[i].rgbRed;
                reduced[3 * i + 1] = newTable[i].rgbGreen;
                reduced[3 * i + 2] = newTable[i].rgbBlue;
            }
        }
        if (m_workBuffer)
            GlobalFree(m_workBuffer);
        m_workBuffer = reduced;
        for (int i = 0; i < colors; ++i)
            newTable[i] = RGBQUAD{reduced[3 * i + 2], reduced[3 * i + 1], reduced[3 * i], 0};
    } else if (colors) {
        // Entries past the source's table stay black.
        for (int i = 0; i < colors && i < m_colorCount; ++i)
            newTable[i] = oldTable[i];
    }
    HGLOBAL block;
    BYTE* to = BeginNewBlock(m_width, m_height, bitCount, newTable.data(), colors, &block);
    if (!to)
        return FALSE;
    const BYTE* from = LockBits();
    if (!from) {
        GlobalUnlock(block);
        GlobalFree(block);
        return FALSE;
    }
    int toRow = DibPixels::RowBytes(m_width, bitCount), fromRow = DibPixels::RowBytes(m_width, m_bitCount);
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            DibPixels::Set(to + (size_t)y * toRow, x, bitCount,
                           PixelValue(ReadColor(from + (size_t)y * fromRow, x, m_bitCount, oldTable), bitCount, newTable));
    GlobalUnlock(m_dib);
    return EndNewBlock(block);
}
