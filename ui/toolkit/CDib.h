#pragma once

#include <afxwin.h>

#include <functional>

// One picture as a packed device-independent bitmap in movable global memory: the 14-byte file
// header, the information header, the colour table (4 bytes an entry) and bottom-up rows padded
// to 4 bytes. It loads and saves through the image library, draws 1:1, and crops, resizes,
// rotates, flips and changes depth at 1, 4, 8, 16 (5-5-5), 24 and 32 bits per pixel.
// Operations answer TRUE on success; GetErrorCode tells why one failed, and a failed operation
// leaves the picture as it was.
class CDib
{
public:
    enum ErrorCode
    {
        kOk = 0,
        kOutOfMemory = -50,
        kLockFailed = -51,
        kUnknownFileType = -200,
        kNoPicture = -201,
        kPaletteFailed = -202,
        kNoColorTable = -203,  // the colour count is not 1 to 256
        kDrawFailed = -204,
        kBadAngle = -207,
        kRotateFailed = -208,
        // Any other code: the image library's, after a failed load or save.
    };
    // Save types, numbered by the save table (not the library's FileType codes).
    enum SaveType { kSaveByExtension = -1, kSaveJpg = 1, kSaveBmp, kSaveGif, kSavePcx, kSaveTga, kSaveTif };
    // How ChangeBitDepth picks a reduced palette from deeper pixels.
    enum PaletteMethod { kPopularity = 0, kMedianCut = 1, kFixedPalette = 2 };

    CDib();
    // Loads at once; with a device context the picture is drawn at (x, y).
    CDib(LPCSTR fileName, CDC* dc = NULL, int x = 0, int y = 0);
    virtual ~CDib();

    BOOL Load(LPCSTR fileName, CDC* dc = NULL, int x = 0, int y = 0);
    // The library's information on a file (IMGINFO from ImageLoad.h): 0 or an error code.
    int GetInfo(LPCSTR fileName, struct IMGINFO* info);
    // type: a SaveType; by extension the last four characters of the name choose it. An unknown
    // type writes nothing.
    BOOL Save(LPCSTR fileName, int type = kSaveByExtension);
    // -1 keeps the stored position.
    BOOL Draw(CDC* dc, int x = -1, int y = -1);
    BOOL ApplyPalette(CDC* dc);

    int GetErrorCode() const { return m_errorCode; }
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    int GetBitCount() const { return m_bitCount; }
    int GetColorCount() const { return m_colorCount; }
    int GetColorTableSize() const { return m_colorTableSize; }
    CPalette* GetPalette() { return m_palette.GetSafeHandle() ? &m_palette : NULL; }
    BOOL HasPicture() const { return m_dib != NULL; }
    int GetPaletteMethod() const { return m_paletteMethod; }
    void SetPaletteMethod(int method) { m_paletteMethod = method; }
    int GetJpegQuality() const { return m_jpegQuality; }
    void SetJpegQuality(int quality) { m_jpegQuality = quality; }

    // Copies GetColorTableSize() bytes.
    BOOL GetColorTable(RGBQUAD* buffer);
    // A new array of GetColorCount() entries, freed by the caller with delete[]; NULL on error.
    RGBQUAD* CopyColorTable();
    BOOL Copy(const CDib& other);

    // Inclusive edges, top the picture's first row as seen; -1 stands for the picture's edge,
    // reversed edges are swapped and every edge is clamped into the picture.
    BOOL Crop(int left, int top, int right, int bottom);
    BOOL Resize(int width, int height);
    // 90, 180 or 270 degrees clockwise.
    BOOL Rotate(int angle);
    BOOL FlipVertical();
    BOOL FlipHorizontal();
    BOOL ChangeBitDepth(int bitCount);

    // The fixed palette of `count` entries (up to 256): 16 base colours at falling brightness.
    static void MakeFixedPalette(int count, RGBQUAD* table);
    // A GDI palette is made only where the screen has fewer than 16 bits per pixel and the
    // picture 8 or fewer.
    static BOOL NeedsPalette(int screenBitCount, int pictureBitCount);

private:
    CDib(const CDib&) = delete;
    CDib& operator=(const CDib&) = delete;

    void Free();
    BOOL Fail(int code);
    // Takes a packed bitmap block: reads the header values and makes the palette.
    BOOL Attach(HGLOBAL dib);
    void ReadHeader();
    BOOL MakePalette();
    // Replaces the block by a new one of that size, depth and table, zero-filled, with both
    // headers set; the caller fills its pixels. NULL, with the error set, when out of memory.
    BYTE* BeginNewBlock(int width, int height, int bitCount, const RGBQUAD* table, int tableEntries,
                        HGLOBAL* block);
    BOOL EndNewBlock(HGLOBAL block);
    // A new block of that size whose pixel (x, y), counted from the top, is the old pixel at
    // sourceOf(x, y); failCode when it cannot be had.
    BOOL Remap(int width, int height, const std::function<POINT(int x, int y)>& sourceOf, int failCode);
    // The locked block's pixel rows and information header; NULL, with -51 set, when it will
    // not lock. Unlock with GlobalUnlock(m_dib).
    BYTE* LockBits(BITMAPINFOHEADER** info = NULL);

    int m_errorCode;
    int m_screenPlanes;
    int m_screenBitCount;
    int m_colorTableSize;
    int m_width;
    int m_height;
    int m_planes;
    int m_bitCount;
    int m_colorCount;
    int m_fileType;
    int m_x;
    int m_y;
    int m_jpegQuality;
    int m_paletteMethod;
    CPalette m_palette;
    HGLOBAL m_dib;
    CString m_fileName;
    // The reduced palette of the last depth change, red, green, blue triples from the library
    // or the fixed palette's.
    BYTE* m_workBuffer;
};
