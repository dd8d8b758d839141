#include "DibFile.h"

#include "CWinApp.h"
#include "CWnd.h"

#include <stdlib.h>

namespace
{

const WORD kBmpFileType = 0x4D42;  // "BM"

// The bits per pixel a row and the colour table are sized for.
int RoundedBitCount(int bitCount)
{
    if (bitCount == 1)
        return 1;
    static const int kSteps[] = {4, 8, 16, 24};
    for (int step : kSteps) {
        if (bitCount <= step)
            return step;
    }
    return 32;
}

BITMAPINFOHEADER* HeaderOf(std::vector<BYTE>& block)
{
    return reinterpret_cast<BITMAPINFOHEADER*>(block.data());
}

std::vector<BYTE> MakeHeaderBlock(int width, int height, int planes, int bitCount)
{
    int rounded = RoundedBitCount(bitCount);
    DWORD colours = rounded < 24 ? 1u << rounded : 0;
    std::vector<BYTE> block(sizeof(BITMAPINFOHEADER) + colours * sizeof(RGBQUAD), 0);
    BITMAPINFOHEADER* header = HeaderOf(block);
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = width;
    header->biHeight = height;
    header->biPlanes = (WORD)planes;
    header->biBitCount = (WORD)bitCount;
    header->biCompression = BI_RGB;
    header->biSizeImage = (DWORD)(((rounded * width + 31) & ~31) / 8) * (DWORD)abs(height);
    header->biClrUsed = colours;
    return block;
}

BOOL WriteAll(HANDLE file, const void* data, DWORD size)
{
    DWORD written = 0;
    return WriteFile(file, data, size, &written, NULL) && written == size;
}

// File header, the header block with its colour table, then the pixel rows. GetDIBits clears
// biClrUsed of a full table; the file names the entries it holds, so that readers find the
// pixels where the offset says.
BOOL WriteBmpFile(const char* path, std::vector<BYTE>& block, const std::vector<BYTE>& pixels)
{
    BITMAPINFOHEADER* header = HeaderOf(block);
    header->biClrUsed = (DWORD)((block.size() - header->biSize) / sizeof(RGBQUAD));
    DWORD headerSize = (DWORD)block.size();
    BITMAPFILEHEADER fileHeader = {};
    fileHeader.bfType = kBmpFileType;
    fileHeader.bfOffBits = sizeof(BITMAPFILEHEADER) + headerSize;
    fileHeader.bfSize = fileHeader.bfOffBits + header->biSizeImage;
    HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    BOOL written = WriteAll(file, &fileHeader, sizeof(fileHeader)) && WriteAll(file, block.data(), headerSize) &&
                   WriteAll(file, pixels.data(), header->biSizeImage);
    CloseHandle(file);
    return written;
}

HBITMAP LoadBmpFile(const char* path, UINT flags)
{
    return (HBITMAP)LoadImageA(NULL, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | flags);
}

} // namespace

std::vector<BYTE> MakeDibHeader(int width, int height, int bitCount)
{
    return MakeHeaderBlock(width, height, 1, bitCount);
}

std::vector<BYTE> MakeDibHeaderFromBitmap(HBITMAP bitmap)
{
    BITMAP record;
    if (!GetObjectA(bitmap, sizeof(record), &record))
        return std::vector<BYTE>();
    return MakeHeaderBlock(record.bmWidth, record.bmHeight, record.bmPlanes, record.bmPlanes * record.bmBitsPixel);
}

BOOL SaveBitmapAsBmp(const char* path, HBITMAP bitmap, HDC dc)
{
    std::vector<BYTE> block = MakeDibHeaderFromBitmap(bitmap);
    if (block.empty())
        return FALSE;
    BITMAPINFOHEADER* header = HeaderOf(block);
    std::vector<BYTE> pixels(header->biSizeImage);
    HDC screen = dc ? NULL : GetDC(NULL);
    int rows = GetDIBits(dc ? dc : screen, bitmap, 0, LOWORD(header->biHeight), pixels.data(),
                         reinterpret_cast<BITMAPINFO*>(header), DIB_RGB_COLORS);
    if (screen)
        ReleaseDC(NULL, screen);
    return rows > 0 && WriteBmpFile(path, block, pixels);
}

// Loaded as a DIB section, so that the depth compared is the file's and not the screen's.
BOOL ConvertBmpFileDepth(const char* path, int bitCount)
{
    HBITMAP bitmap = LoadBmpFile(path, LR_CREATEDIBSECTION);
    BITMAP record;
    if (!bitmap || !GetObjectA(bitmap, sizeof(record), &record)) {
        if (bitmap)
            DeleteObject(bitmap);
        return FALSE;
    }
    if (record.bmBitsPixel == bitCount) {
        DeleteObject(bitmap);
        return TRUE;
    }
    std::vector<BYTE> block = MakeDibHeader(record.bmWidth, record.bmHeight, bitCount);
    BITMAPINFO* info = reinterpret_cast<BITMAPINFO*>(block.data());
    HDC screen = GetDC(NULL);
    GetDIBits(screen, bitmap, 0, record.bmHeight, NULL, info, DIB_RGB_COLORS);
    std::vector<BYTE> pixels(info->bmiHeader.biSizeImage);
    int rows = GetDIBits(screen, bitmap, 0, record.bmHeight, pixels.data(), info, DIB_RGB_COLORS);
    ReleaseDC(NULL, screen);
    DeleteObject(bitmap);
    return rows > 0 && WriteBmpFile(path, block, pixels);
}

BOOL ResizeBmpFile(const char* path, int width, int height)
{
    HBITMAP loaded = LoadBmpFile(path, 0);
    BITMAP record;
    if (!loaded || !GetObjectA(loaded, sizeof(record), &record)) {
        if (loaded)
            DeleteObject(loaded);
        return FALSE;
    }
    CWnd* mainWnd = AfxGetMainWnd();
    HWND window = mainWnd ? mainWnd->GetSafeHwnd() : NULL;
    HDC windowDc = GetDC(window);
    HBITMAP resized = CreateCompatibleBitmap(windowDc, width, height);
    HDC source = CreateCompatibleDC(windowDc);
    HDC target = CreateCompatibleDC(windowDc);
    BOOL stretched = FALSE;
    if (resized && source && target) {
        HGDIOBJ oldSource = SelectObject(source, loaded);
        HGDIOBJ oldTarget = SelectObject(target, resized);
        stretched = StretchBlt(target, 0, 0, width, height, source, 0, 0, record.bmWidth, record.bmHeight, SRCCOPY);
        SelectObject(source, oldSource);
        SelectObject(target, oldTarget);
    }
    if (source)
        DeleteDC(source);
    if (target)
        DeleteDC(target);
    DeleteObject(loaded);
    ReleaseDC(window, windowDc);
    BOOL saved = stretched && SaveBitmapAsBmp(path, resized, NULL);
    if (resized)
        DeleteObject(resized);
    return saved;
}
