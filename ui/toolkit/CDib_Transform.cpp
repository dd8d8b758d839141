#include "CDib.h"

#include "DibPixels.h"

#include <algorithm>
#include <new>
#include <vector>

BOOL CDib::Remap(int width, int height, const std::function<POINT(int x, int y)>& sourceOf, int failCode)
{
    std::vector<RGBQUAD> table(m_colorCount);
    if (m_colorCount && !GetColorTable(table.data()))
        return FALSE;
    HGLOBAL block;
    BYTE* to = BeginNewBlock(width, height, m_bitCount, table.data(), m_colorCount, &block);
    if (!to)
        return Fail(failCode);
    const BYTE* from = LockBits();
    if (!from) {
        GlobalUnlock(block);
        GlobalFree(block);
        return FALSE;
    }
    int toRow = DibPixels::RowBytes(width, m_bitCount), fromRow = DibPixels::RowBytes(m_width, m_bitCount);
    for (int y = 0; y < height; ++y) {
        BYTE* row = to + (size_t)(height - 1 - y) * toRow;
        for (int x = 0; x < width; ++x) {
            POINT source = sourceOf(x, y);
            const BYTE* sourceRow = from + (size_t)(m_height - 1 - source.y) * fromRow;
            DibPixels::Set(row, x, m_bitCount, DibPixels::Get(sourceRow, source.x, m_bitCount));
        }
    }
    GlobalUnlock(m_dib);
    return EndNewBlock(block);
}

BOOL CDib::Crop(int left, int top, int right, int bottom)
{
    if (!m_dib)
        return Fail(kNoPicture);
    if (left == -1)
        left = 0;
    if (top == -1)
        top = 0;
    if (right == -1)
        right = m_width - 1;
    if (bottom == -1)
        bottom = m_height - 1;
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    left = std::min(std::max(left, 0), m_width - 1);
    right = std::min(std::max(right, 0), m_width - 1);
    top = std::min(std::max(top, 0), m_height - 1);
    bottom = std::min(std::max(bottom, 0), m_height - 1);
    m_errorCode = kOk;
    if (left == 0 && top == 0 && right == m_width - 1 && bottom == m_height - 1)
        return TRUE;
    return Remap(right - left + 1, bottom - top + 1, [=](int x, int y) { return POINT{left + x, top + y}; },
                 kOutOfMemory);
}

// Nearest neighbour. The destination's rows count from the top, as the source's do, so the
// picture keeps its orientation.
BOOL CDib::Resize(int width, int height)
{
    if (!m_dib)
        return Fail(kNoPicture);
    m_errorCode = kOk;
    if (width == m_width && height == m_height)
        return TRUE;
    LONGLONG oldWidth = m_width, oldHeight = m_height;
    return Remap(width, height,
                 [=](int x, int y) { return POINT{(LONG)(oldWidth * x / width), (LONG)(oldHeight * y / height)}; },
                 kOutOfMemory);
}

BOOL CDib::Rotate(int angle)
{
    if (!m_dib)
        return Fail(kNoPicture);
    LONG oldWidth = m_width, oldHeight = m_height;
    switch (angle) {
    case 90:
        return Remap(oldHeight, oldWidth, [=](int x, int y) { return POINT{y, oldHeight - 1 - x}; }, kRotateFailed);
    case 180:
        return FlipVertical() && FlipHorizontal();
    case 270:
        return Remap(oldHeight, oldWidth, [=](int x, int y) { return POINT{oldWidth - 1 - y, x}; }, kRotateFailed);
    default:
        return Fail(kBadAngle);
    }
}

BOOL CDib::FlipVertical()
{
    if (!m_dib)
        return Fail(kNoPicture);
    int rowBytes = DibPixels::RowBytes(m_width, m_bitCount);
    BYTE* buffer = new (std::nothrow) BYTE[rowBytes];
    if (!buffer)
        return Fail(kOutOfMemory);
    BYTE* bits = LockBits();
    if (!bits) {
        delete[] buffer;
        return FALSE;
    }
    for (int y = 0; y < m_height / 2; ++y) {
        BYTE* upper = bits + (size_t)y * rowBytes;
        BYTE* lower = bits + (size_t)(m_height - 1 - y) * rowBytes;
        memcpy(buffer, upper, rowBytes);
        memcpy(upper, lower, rowBytes);
        memcpy(lower, buffer, rowBytes);
    }
    GlobalUnlock(m_dib);
    delete[] buffer;
    m_errorCode = kOk;
    return TRUE;
}

BOOL CDib::FlipHorizontal()
{
    if (!m_dib)
        return Fail(kNoPicture);
    BYTE* bits = LockBits();
    if (!bits)
        return FALSE;
    int rowBytes = DibPixels::RowBytes(m_width, m_bitCount);
    for (int y = 0; y < m_height; ++y) {
        BYTE* row = bits + (size_t)y * rowBytes;
        for (int x = 0; x < m_width / 2; ++x) {
            DWORD left = DibPixels::Get(row, x, m_bitCount);
            DibPixels::Set(row, x, m_bitCount, DibPixels::Get(row, m_width - 1 - x, m_bitCount));
            DibPixels::Set(row, m_width - 1 - x, m_bitCount, left);
        }
    }
    GlobalUnlock(m_dib);
    m_errorCode = kOk;
    return TRUE;
}
