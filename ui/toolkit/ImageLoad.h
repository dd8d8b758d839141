#pragma once

#include <windows.h>

// The image library ImageLoad.dll, linked by import. It reads and writes BMP, GIF, PCX, TGA,
// JPEG and TIFF pictures and hands them over as packed bitmaps in movable global memory: the
// 14-byte file header, the information header, a full colour table (2^bits entries for 8 bits
// or fewer), then bottom-up rows padded to 4 bytes.

// FileType codes; 0 is an unknown type.
enum { kPicFileUnknown = 0, kPicFileBmp = 1, kPicFileGif, kPicFilePcx, kPicFileTga, kPicFileJpg, kPicFileTif };

// The library's errors (GetLastPicLibError and the Get...Info and Save... results).
enum
{
    kPicLibOk = 0,
    kPicLibCannotOpen = -300,
    kPicLibReadError = -301,    // or truncated
    kPicLibNotThisFormat = -302,
    kPicLibUnsupported = -303,  // a variant of the format the library does not read
    kPicLibCannotWrite = -304,
    kPicLibOutOfMemory = -305,
    kPicLibBadDib = -306,
};

struct IMGINFO
{
    LONG cbSize;  // sizeof(IMGINFO), set by the caller
    LONG width;
    LONG height;
    LONG bitCount;
    LONG colours;  // colour-table entries, 0 above 8 bits
    LONG fileType;
};

#ifdef __cplusplus
extern "C" {
#endif

// By the file's contents; TGA, which has none to tell, by its extension and a sane header.
int WINAPI FileType(LPCSTR path);

// NULL on error (GetLastPicLibError tells which). BMP and GIF keep their depth, an 8-bit PCX
// stays 8-bit, everything else arrives as 24 bits.
HGLOBAL WINAPI LoadBMP(LPCSTR path);
HGLOBAL WINAPI LoadGIF(LPCSTR path);
HGLOBAL WINAPI LoadPCX(LPCSTR path);
HGLOBAL WINAPI LoadTGA(LPCSTR path);
HGLOBAL WINAPI LoadJPG(LPCSTR path);
HGLOBAL WINAPI LoadTIF(LPCSTR path);

// 0 or an error; info->cbSize must be sizeof(IMGINFO).
int WINAPI GetBMPInfo(LPCSTR path, IMGINFO* info);
int WINAPI GetGIFInfo(LPCSTR path, IMGINFO* info);
int WINAPI GetPCXInfo(LPCSTR path, IMGINFO* info);
int WINAPI GetTGAInfo(LPCSTR path, IMGINFO* info);
int WINAPI GetJPGInfo(LPCSTR path, IMGINFO* info);
int WINAPI GetTIFInfo(LPCSTR path, IMGINFO* info);

// dib: a packed bitmap as the loaders give it. 0 or an error; a failed save leaves no file.
// quality 0-100.
int WINAPI SaveJPG(LPCSTR path, HGLOBAL dib, int quality);
int WINAPI SaveBMP(LPCSTR path, HGLOBAL dib);
int WINAPI SaveGIF(LPCSTR path, HGLOBAL dib);
int WINAPI SavePCX(LPCSTR path, HGLOBAL dib);
int WINAPI SaveTGA(LPCSTR path, HGLOBAL dib);
int WINAPI SaveTIF(LPCSTR path, HGLOBAL dib);

// The last error of the calling thread.
int WINAPI GetLastPicLibError(void);

// A palette of `colours` red, green, blue triples chosen from the pixels of a 16 (5-5-5),
// 24 or 32-bit picture (bits: its bottom-up rows padded to 4 bytes). Entries the pixels do not
// fill are black. Freed by the caller with GlobalFree; NULL on error.
BYTE* WINAPI Popularity(const BYTE* bits, int width, int height, int bitCount, int colours);
BYTE* WINAPI MedianCut(const BYTE* bits, int width, int height, int bitCount, int colours);

#ifdef __cplusplus
}
#endif
