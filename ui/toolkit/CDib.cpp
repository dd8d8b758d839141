#include "CDib.h"

#include "DibPixels.h"
#include "ImageLoad.h"

#include <string.h>

#include <new>
#include <vector>

namespace
{
const int kFileHeaderSize = 14;
const int kHeadersSize = kFileHeaderSize + sizeof(BITMAPINFOHEADER);

typedef HGLOBAL(WINAPI* LoadFunction)(LPCSTR);
typedef int(WINAPI* InfoFunction)(LPCSTR, IMGINFO*);
// By the library's FileType code (1 BMP ... 6 TIF).
struct LoadRecord
{
    LoadFunction load;
    InfoFunction info;
};
const LoadRecord kLoadTypes[] = {
    // load   info
    {LoadBMP, GetBMPInfo},
    {LoadGIF, GetGIFInfo},
    {LoadPCX, GetPCXInfo},
    {LoadTGA, GetTGAInfo},
    {LoadJPG, GetJPGInfo},
    {LoadTIF, GetTIFInfo},
};
static_assert(sizeof(kLoadTypes) / sizeof(kLoadTypes[0]) == kPicFileTif, "one record per FileType code");

// By the save table's numbering (1 ".JPG" ... 6 ".TIF"); JPEG alone takes the quality.
struct SaveRecord
{
    int type;
    const char* extension;
    int(WINAPI* save)(LPCSTR, HGLOBAL);
};
const SaveRecord kSaveTypes[] = {
    // type            extension  save
    {CDib::kSaveJpg,  ".JPG",    NULL},  // SaveJPG, with the quality
    {CDib::kSaveBmp,  ".BMP",    SaveBMP},
    {CDib::kSaveGif,  ".GIF",    SaveGIF},
    {CDib::kSavePcx,  ".PCX",    SavePCX},
    {CDib::kSaveTga,  ".TGA",    SaveTGA},
    {CDib::kSaveTif,  ".TIF",    SaveTIF},
};
static_assert(sizeof(kSaveTypes) / sizeof(kSaveTypes[0]) == CDib::kSaveTif, "one record per save type");

bool IsDepth(int bitCount)
{
    return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 || bitCount == 32;
}
}

CDib::CDib()
    : m_errorCode(kOk), m_screenPlanes(0), m_screenBitCount(0), m_colorTableSize(0), m_width(0), m_height(0),
      m_planes(0), m_bitCount(0), m_colorCount(0), m_fileType(0), m_x(0), m_y(0), m_jpegQuality(100),
      m_paletteMethod(kFixedPalette), m_dib(NULL), m_workBuffer(NULL)
{
}

CDib::CDib(LPCSTR fileName, CDC* dc, int x, int y) : CDib()
{
    Load(fileName, dc, x, y);
}

CDib::~CDib()
{
    Free();
    if (m_workBuffer)
        GlobalFree(m_workBuffer);
}

void CDib::Free()
{
    if (m_dib)
        GlobalFree(m_dib);
    m_dib = NULL;
    m_palette.DeleteObject();
    m_width = m_height = m_planes = m_bitCount = m_colorCount = m_colorTableSize = 0;
}

BOOL CDib::Fail(int code)
{
    m_errorCode = code;
    return FALSE;
}

BYTE* CDib::LockBits(BITMAPINFOHEADER** info)
{
    BYTE* base = m_dib ? (BYTE*)GlobalLock(m_dib) : NULL;
    if (!base) {
        m_errorCode = kLockFailed;
        return NULL;
    }
    if (info)
        *info = (BITMAPINFOHEADER*)(base + kFileHeaderSize);
    return base + kHeadersSize + m_colorTableSize;
}

BOOL CDib::Load(LPCSTR fileName, CDC* dc, int x, int y)
{
    Free();
    int type = fileName ? FileType(fileName) : kPicFileUnknown;
    if (type < kPicFileBmp || type > kPicFileTif)
        return Fail(kUnknownFileType);
    m_fileName = fileName;
    HGLOBAL block = kLoadTypes[type - 1].load(fileName);
    if (!block)
        return Fail(GetLastPicLibError());
    m_fileType = type;
    m_errorCode = kOk;
    if (!Attach(block))
        return FALSE;
    if (dc)
        Draw(dc, x, y);
    return TRUE;
}

int CDib::GetInfo(LPCSTR fileName, IMGINFO* info)
{
    int type = fileName ? FileType(fileName) : kPicFileUnknown;
    m_errorCode = type < kPicFileBmp || type > kPicFileTif ? kUnknownFileType : kLoadTypes[type - 1].info(fileName, info);
    return m_errorCode;
}

BOOL CDib::Save(LPCSTR fileName, int type)
{
    if (!m_dib)
        return Fail(kNoPicture);
    if (type == kSaveByExtension) {
        size_t length = fileName ? strlen(fileName) : 0;
        for (const SaveRecord& record : kSaveTypes)
            if (length >= 4 && _stricmp(fileName + length - 4, record.extension) == 0)
                type = record.type;
    }
    // A name the table does not know is refused rather than reported saved.
    if (type < kSaveJpg || type > kSaveTif || !fileName)
        return Fail(kUnknownFileType);
    m_fileType = type;
    m_fileName = fileName;
    const SaveRecord& record = kSaveTypes[type - 1];
    m_errorCode = record.save ? record.save(fileName, m_dib) : SaveJPG(fileName, m_dib, m_jpegQuality);
    return m_errorCode == kOk;
}

BOOL CDib::Draw(CDC* dc, int x, int y)
{
    if (!m_dib)
        return Fail(kNoPicture);
    if (x != -1)
        m_x = x;
    if (y != -1)
        m_y = y;
    BITMAPINFOHEADER* info;
    BYTE* bits = LockBits(&info);
    if (!bits)
        return FALSE;
    int lines = StretchDIBits(dc->GetSafeHdc(), m_x, m_y, m_width, m_height, 0, 0, m_width, m_height, bits,
                              (BITMAPINFO*)info, DIB_RGB_COLORS, SRCCOPY);
    GlobalUnlock(m_dib);
    m_errorCode = lines == m_height ? kOk : kDrawFailed;
    return m_errorCode == kOk;
}

BOOL CDib::ApplyPalette(CDC* dc)
{
    if (!m_dib)
        return Fail(kNoPicture);
    if (m_palette.GetSafeHandle()) {
        dc->SelectPalette(&m_palette, TRUE);
        dc->RealizePalette();
    }
    m_errorCode = kOk;
    return TRUE;
}

BOOL CDib::GetColorTable(RGBQUAD* buffer)
{
    if (!m_dib)
        return Fail(kNoPicture);
    const BYTE* base = (const BYTE*)GlobalLock(m_dib);
    if (!base)
        return Fail(kLockFailed);
    memcpy(buffer, base + kHeadersSize, m_colorTableSize);
    GlobalUnlock(m_dib);
    m_errorCode = kOk;
    return TRUE;
}

RGBQUAD* CDib::CopyColorTable()
{
    if (!m_dib) {
        Fail(kNoPicture);
        return NULL;
    }
    if (m_colorCount < 1 || m_colorCount > 256) {
        Fail(kNoColorTable);
        return NULL;
    }
    RGBQUAD* table = new (std::nothrow) RGBQUAD[m_colorCount];
    if (!table) {
        Fail(kOutOfMemory);
        return NULL;
    }
    if (!GetColorTable(table)) {
        delete[] table;
        return NULL;
    }
    return table;
}

BOOL CDib::Copy(const CDib& other)
{
    if (!other.m_dib)
        return Fail(kNoPicture);
    SIZE_T size = GlobalSize(other.m_dib);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block)
        return Fail(kOutOfMemory);
    void* to = GlobalLock(block);
    const void* from = GlobalLock(other.m_dib);
    if (!to || !from) {
        if (from)
            GlobalUnlock(other.m_dib);
        GlobalFree(block);
        return Fail(kLockFailed);
    }
    memcpy(to, from, size);
    GlobalUnlock(other.m_dib);
    GlobalUnlock(block);
    Free();
    m_x = other.m_x;
    m_y = other.m_y;
    m_fileType = other.m_fileType;
    if (!Attach(block))
        return FALSE;
    m_errorCode = other.m_errorCode;
    return TRUE;
}

BOOL CDib::Attach(HGLOBAL dib)
{
    m_dib = dib;
    ReadHeader();
    if (!m_dib)
        return FALSE;
    MakePalette();
    return TRUE;
}

// A block that is no packed bitmap of a depth this class handles is refused, as an unknown type.
void CDib::ReadHeader()
{
    const BYTE* base = (const BYTE*)GlobalLock(m_dib);
    if (!base) {
        Free();
        m_errorCode = kLockFailed;
        return;
    }
    BITMAPINFOHEADER info;
    SIZE_T size = GlobalSize(m_dib);
    if (size >= (SIZE_T)kHeadersSize)
        memcpy(&info, base + kFileHeaderSize, sizeof(info));
    GlobalUnlock(m_dib);
    if (size < (SIZE_T)kHeadersSize || info.biWidth <= 0 || info.biHeight <= 0 || info.biPlanes < 1 ||
        !IsDepth(info.biBitCount) || info.biCompression != BI_RGB) {
        Free();
        m_errorCode = kUnknownFileType;
        return;
    }
    m_width = info.biWidth;
    m_height = info.biHeight;
    m_planes = info.biPlanes;
    m_bitCount = info.biBitCount;
    m_colorCount = m_bitCount <= 8 ? (1 << m_bitCount) << (m_planes - 1) : 0;
    m_colorTableSize = m_bitCount <= 8 ? m_colorCount * 4 : 0;
    if (size < (SIZE_T)kHeadersSize + m_colorTableSize + (SIZE_T)DibPixels::RowBytes(m_width, m_bitCount) * m_height) {
        Free();
        m_errorCode = kUnknownFileType;
    }
}

BOOL CDib::NeedsPalette(int screenBitCount, int pictureBitCount)
{
    return screenBitCount < 16 && pictureBitCount <= 8;
}

BOOL CDib::MakePalette()
{
    m_palette.DeleteObject();
    HDC screen = ::GetDC(NULL);
    m_screenPlanes = GetDeviceCaps(screen, PLANES);
    m_screenBitCount = GetDeviceCaps(screen, BITSPIXEL);
    ::ReleaseDC(NULL, screen);
    if (!NeedsPalette(m_screenBitCount, m_bitCount))
        return TRUE;
    std::vector<BYTE> memory(sizeof(LOGPALETTE) + m_colorCount * sizeof(PALETTEENTRY));
    LOGPALETTE* logical = (LOGPALETTE*)memory.data();
    logical->palVersion = 0x300;
    logical->palNumEntries = (WORD)m_colorCount;
    std::vector<RGBQUAD> table(m_colorCount);
    if (!GetColorTable(table.data()))
        return FALSE;
    for (int i = 0; i < m_colorCount; ++i)
        logical->palPalEntry[i] = PALETTEENTRY{table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
    if (!m_palette.CreatePalette(logical))
        return Fail(kPaletteFailed);
    return TRUE;
}

BYTE* CDib::BeginNewBlock(int width, int height, int bitCount, const RGBQUAD* table, int tableEntries, HGLOBAL* block)
{
    LONGLONG rows = (LONGLONG)DibPixels::RowBytes(width, bitCount) * height;
    LONGLONG size = kHeadersSize + 4LL * tableEntries + rows;
    *block = width > 0 && height > 0 && size <= 0x7FFFFFFF ? GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, (SIZE_T)size)
                                                            : NULL;
    BYTE* to = *block ? (BYTE*)GlobalLock(*block) : NULL;
    const BYTE* from = to ? (const BYTE*)GlobalLock(m_dib) : NULL;
    if (!from) {
        if (*block)
            GlobalFree(*block);
        *block = NULL;
        m_errorCode = kOutOfMemory;
        return NULL;
    }
    memcpy(to, from, kHeadersSize);
    GlobalUnlock(m_dib);
    BITMAPFILEHEADER file;
    memcpy(&file, to, kFileHeaderSize);
    file.bfSize = (DWORD)size;
    file.bfOffBits = (DWORD)(kHeadersSize + 4 * tableEntries);
    memcpy(to, &file, kFileHeaderSize);
    BITMAPINFOHEADER* info = (BITMAPINFOHEADER*)(to + kFileHeaderSize);
    info->biWidth = width;
    info->biHeight = height;
    info->biBitCount = (WORD)bitCount;
    info->biSizeImage = (DWORD)rows;
    info->biClrUsed = tableEntries;
    if (tableEntries)
        memcpy(to + kHeadersSize, table, 4 * tableEntries);
    return to + kHeadersSize + 4 * tableEntries;
}

BOOL CDib::EndNewBlock(HGLOBAL block)
{
    GlobalUnlock(block);
    int x = m_x, y = m_y;
    Free();
    m_x = x;
    m_y = y;
    m_errorCode = kOk;
    return Attach(block);
}
