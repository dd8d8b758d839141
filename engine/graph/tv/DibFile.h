#pragma once

#include <windows.h>

#include <vector>

// Bitmap files of the capture graph: a DIB header block and .bmp files written from bitmaps.

// A BITMAPINFOHEADER followed by room for its colour table, the table zero-filled. Rows and the
// table are sized for the bit count rounded up to 1, 4, 8, 16, 24 or 32; biBitCount keeps the
// count given. Counts under 24 carry a table of 2 to that power entries.
std::vector<BYTE> MakeDibHeader(int width, int height, int bitCount);
// The same for the bitmap's size and planes times bits per pixel; empty when the bitmap cannot
// be read.
std::vector<BYTE> MakeDibHeaderFromBitmap(HBITMAP bitmap);

// Writes the bitmap as a .bmp file through dc, or the screen's when dc is null, replacing any
// file of that name. FALSE, and no file, when the pixels cannot be read.
BOOL SaveBitmapAsBmp(const char* path, HBITMAP bitmap, HDC dc);
// Rewrites a .bmp file with another bit depth; one that has it already stays untouched. FALSE
// when the file is not a bitmap.
BOOL ConvertBmpFileDepth(const char* path, int bitCount);
// Rewrites a .bmp file stretched to the new size. FALSE when the file is not a bitmap or the
// new picture cannot be made.
BOOL ResizeBmpFile(const char* path, int width, int height);
