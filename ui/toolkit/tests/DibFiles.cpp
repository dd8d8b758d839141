#include "DibFiles.h"

#include "TempFolder.h"

#include <string.h>

namespace
{
int Stride(int width, int bitCount)
{
    return ((width * bitCount + 31) / 32) * 4;
}

DWORD Get(const BYTE* row, int x, int bitCount)
{
    switch (bitCount) {
    case 1: return (row[x / 8] >> (7 - x % 8)) & 1;
    case 4: return x % 2 ? row[x / 2] & 15 : row[x / 2] >> 4;
    case 8: return row[x];
    case 16: return row[2 * x] | row[2 * x + 1] << 8;
    case 24: return row[3 * x] | row[3 * x + 1] << 8 | row[3 * x + 2] << 16;
    default: return row[4 * x] | row[4 * x + 1] << 8 | row[4 * x + 2] << 16;
    }
}

void Put(BYTE* row, int x, int bitCount, DWORD value)
{
    switch (bitCount) {
    case 1: row[x / 8] |= (BYTE)((value & 1) << (7 - x % 8)); break;
    case 4: row[x / 2] |= (BYTE)(x % 2 ? value & 15 : (value & 15) << 4); break;
    case 8: row[x] = (BYTE)value; break;
    case 16: memcpy(row + 2 * x, &value, 2); break;
    case 24: memcpy(row + 3 * x, &value, 3); break;
    default: memcpy(row + 4 * x, &value, 4); break;
    }
}
}

DWORD DibPicture::ColourAt(int x, int y) const
{
    DWORD value = At(x, y);
    if (bitCount <= 8) {
        const RGBQUAD& entry = table[value];
        return (DWORD)entry.rgbRed << 16 | entry.rgbGreen << 8 | entry.rgbBlue;
    }
    if (bitCount == 16)
        return ((value >> 10) & 31) << 19 | ((value >> 5) & 31) << 11 | (value & 31) << 3;
    return value & 0xFFFFFF;
}

bool DibPicture::WriteBmp(const std::string& path) const
{
    int stride = Stride(width, bitCount);
    DWORD offset = 54 + (DWORD)table.size() * 4;
    std::string bytes(offset + (size_t)stride * height, '\0');
    BITMAPFILEHEADER file = {0x4D42, (DWORD)bytes.size(), 0, 0, offset};
    memcpy(&bytes[0], &file, 14);
    BITMAPINFOHEADER info = {sizeof(info), width, height, 1, (WORD)bitCount, BI_RGB, (DWORD)stride * height, 0, 0, 0, 0};
    info.biClrUsed = (DWORD)table.size();
    memcpy(&bytes[14], &info, sizeof(info));
    if (!table.empty())
        memcpy(&bytes[54], table.data(), table.size() * 4);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            Put((BYTE*)&bytes[offset + (size_t)(height - 1 - y) * stride], x, bitCount, At(x, y));
    return TempFolder::WriteWholeFile(path, bytes);
}

bool DibPicture::ReadBmp(const std::string& path, DibPicture* picture)
{
    std::string bytes = TempFolder::ReadWholeFile(path);
    BITMAPFILEHEADER file;
    BITMAPINFOHEADER info;
    if (bytes.size() < 54)
        return false;
    memcpy(&file, bytes.data(), 14);
    memcpy(&info, bytes.data() + 14, sizeof(info));
    bool topDown = info.biHeight < 0;
    int height = topDown ? -info.biHeight : info.biHeight, stride = Stride(info.biWidth, info.biBitCount);
    if (file.bfType != 0x4D42 || (info.biCompression != BI_RGB && info.biCompression != BI_BITFIELDS) ||
        bytes.size() < file.bfOffBits + (size_t)stride * height)
        return false;
    picture->width = info.biWidth;
    picture->height = height;
    picture->bitCount = info.biBitCount;
    size_t entries = info.biBitCount > 8 ? 0 : info.biClrUsed ? info.biClrUsed : 1u << info.biBitCount;
    picture->table.resize(entries);
    if (entries)
        memcpy(picture->table.data(), bytes.data() + 14 + info.biSize, entries * 4);
    for (RGBQUAD& entry : picture->table)
        entry.rgbReserved = 0;
    picture->pixels.clear();
    for (int y = 0; y < height; ++y) {
        const BYTE* row = (const BYTE*)bytes.data() + file.bfOffBits + (size_t)(topDown ? y : height - 1 - y) * stride;
        for (int x = 0; x < info.biWidth; ++x)
            picture->pixels.push_back(Get(row, x, info.biBitCount));
    }
    return true;
}
