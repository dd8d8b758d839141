#include "PicImage.h"

#include "ImageLoad.h"

#include <string.h>

namespace
{
const int kFileHeaderSize = 14;
const int kHeadersSize = kFileHeaderSize + sizeof(BITMAPINFOHEADER);
// Large enough for any picture the suite meets; a header claiming more is damaged.
const LONGLONG kMaxPixels = 64LL * 1024 * 1024;

bool IsDepth(int bitCount)
{
    return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 || bitCount == 32;
}
}

bool PicImage::Allocate(int w, int h, int bitCount_)
{
    if (w <= 0 || h <= 0 || !IsDepth(bitCount_) || (LONGLONG)w * h > kMaxPixels)
        return false;
    width = w;
    height = h;
    bitCount = bitCount_;
    table.assign(bitCount <= 8 ? 1u << bitCount : 0u, RGBQUAD{0, 0, 0, 0});
    bits.assign((size_t)Stride() * height, 0);
    return true;
}

int PicImage::IndexAt(int x, int y) const
{
    const BYTE* row = Row(y);
    switch (bitCount) {
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4: return (x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4;
    default: return row[x];
    }
}

RGBQUAD PicImage::ColourAt(int x, int y) const
{
    const BYTE* row = Row(y);
    switch (bitCount) {
    case 16: {
        WORD value = (WORD)(row[2 * x] | row[2 * x + 1] << 8);
        return RGBQUAD{(BYTE)((value & 0x1F) << 3), (BYTE)(((value >> 5) & 0x1F) << 3), (BYTE)(((value >> 10) & 0x1F) << 3), 0};
    }
    case 24: return RGBQUAD{row[3 * x], row[3 * x + 1], row[3 * x + 2], 0};
    case 32: return RGBQUAD{row[4 * x], row[4 * x + 1], row[4 * x + 2], 0};
    default: return table[IndexAt(x, y)];
    }
}

HGLOBAL PicImage::ToGlobal() const
{
    size_t tableSize = table.size() * sizeof(RGBQUAD);
    size_t total = kHeadersSize + tableSize + bits.size();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, total);
    BYTE* data = block ? (BYTE*)GlobalLock(block) : NULL;
    if (!data) {
        if (block)
            GlobalFree(block);
        return NULL;
    }
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfSize = (DWORD)total;
    file.bfOffBits = (DWORD)(kHeadersSize + tableSize);
    memcpy(data, &file, kFileHeaderSize);
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = (WORD)bitCount;
    info.biCompression = BI_RGB;
    info.biSizeImage = (DWORD)bits.size();
    info.biClrUsed = (DWORD)table.size();
    memcpy(data + kFileHeaderSize, &info, sizeof(info));
    if (tableSize)
        memcpy(data + kHeadersSize, table.data(), tableSize);
    memcpy(data + kHeadersSize + tableSize, bits.data(), bits.size());
    GlobalUnlock(block);
    return block;
}

int PicImage::FromGlobal(HGLOBAL dib, PicImage* image)
{
    SIZE_T size = dib ? GlobalSize(dib) : 0;
    const BYTE* data = size >= (SIZE_T)kHeadersSize ? (const BYTE*)GlobalLock(dib) : NULL;
    if (!data)
        return kPicLibBadDib;
    BITMAPINFOHEADER info;
    memcpy(&info, data + kFileHeaderSize, sizeof(info));
    int result = kPicLibBadDib;
    if (data[0] == 'B' && data[1] == 'M' && info.biSize == sizeof(info) && info.biPlanes == 1 &&
        info.biCompression == BI_RGB && image->Allocate(info.biWidth, info.biHeight, info.biBitCount)) {
        size_t tableSize = image->table.size() * sizeof(RGBQUAD);
        if (size >= kHeadersSize + tableSize + image->bits.size()) {
            if (tableSize)
                memcpy(image->table.data(), data + kHeadersSize, tableSize);
            memcpy(image->bits.data(), data + kHeadersSize + tableSize, image->bits.size());
            result = kPicLibOk;
        }
    }
    GlobalUnlock(dib);
    return result;
}
