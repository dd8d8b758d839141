#include "ImageLoad.h"

#include "PcxCodec.h"
#include "PicFile.h"
#include "PicImage.h"
#include "Quantizer.h"
#include "TgaWriter.h"
#include "WicCodec.h"

#include "CSimLog.h"
#include "CSimSwitches.h"

#include <string.h>

// The library's forms, each read and written through the imaging component or its own code.
// Log "imageload": "L JPG C:\p\a.jpg 40x30x24", "S PCX C:\p\a.pcx 0" (a JPEG with " q=90"), and
// "! ..." on a failed load.
namespace
{
thread_local int t_lastError = kPicLibOk;

const CSimLog& Log()
{
    static const CSimLog log("imageload", CSimSwitches("imageload").TraceLevel());
    return log;
}

bool Starts(const std::string& bytes, const char* prefix, size_t length)
{
    return bytes.size() >= length && memcmp(bytes.data(), prefix, length) == 0;
}

bool HasTgaExtension(const char* path)
{
    size_t length = strlen(path);
    return length >= 4 && _stricmp(path + length - 4, ".tga") == 0;
}

// The form a file's first bytes name; TGA has no such bytes.
int TypeOfContents(const std::string& bytes)
{
    if (Starts(bytes, "BM", 2))
        return kPicFileBmp;
    if (Starts(bytes, "GIF8", 4))
        return kPicFileGif;
    if (bytes.size() >= 3 && (BYTE)bytes[0] == PcxCodec::kManufacturer && bytes[2] == PcxCodec::kRunLength)
        return kPicFilePcx;
    if (Starts(bytes, "\xFF\xD8\xFF", 3))
        return kPicFileJpg;
    if (Starts(bytes, "II*\0", 4) || Starts(bytes, "MM\0*", 4))
        return kPicFileTif;
    return kPicFileUnknown;
}

int LoadPcx(const char* path, PicImage* image)
{
    std::string bytes;
    int result = PicFile::Read(path, &bytes);
    return result != kPicLibOk ? result : PcxCodec::Read(bytes, image);
}

int SavePcx(const char* path, const PicImage& image)
{
    return PicFile::Write(path, PcxCodec::Write(image));
}

int SaveTga(const char* path, const PicImage& image)
{
    return PicFile::Write(path, TgaWriter::Write(image));
}

// The imaging component's GIF encoder takes 8-bit indexed pixels only.
int SaveGif(const char* path, const PicImage& image)
{
    PicImage indexed;
    if (!indexed.Allocate(image.width, image.height, 8))
        return kPicLibBadDib;
    std::vector<RGBQUAD> table = image.bitCount <= 8 ? image.table : Quantizer::MedianCut(image, 256);
    std::copy(table.begin(), table.end(), indexed.table.begin());
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            indexed.Row(y)[x] = (BYTE)(image.bitCount <= 8 ? image.IndexAt(x, y)
                                                           : Quantizer::Nearest(table, image.ColourAt(x, y)));
    return WicCodec::Save(path, GUID_ContainerFormatGif, indexed, GUID_WICPixelFormat8bppIndexed, -1);
}

// One row per form, in FileType order. Without an own reader or writer the imaging component
// reads the container (GUID_NULL: it tells the form itself) keeping the depth or giving 24 bits,
// and writes savedFormat (GUID_NULL: the picture's own depth).
struct FormRecord
{
    int type;
    const char* name;
    const GUID* container;
    bool keepDepth;
    const GUID* savedFormat;
    int (*ownLoad)(const char* path, PicImage* image);
    int (*ownSave)(const char* path, const PicImage& image);
};
const FormRecord kForms[] = {
    // type       name   container                   keepDepth  savedFormat                   ownLoad  ownSave
    {kPicFileBmp, "BMP", &GUID_ContainerFormatBmp,  true,      &GUID_NULL,                   NULL,    NULL},
    {kPicFileGif, "GIF", &GUID_ContainerFormatGif,  true,      NULL,                         NULL,    SaveGif},
    {kPicFilePcx, "PCX", NULL,                      true,      NULL,                         LoadPcx, SavePcx},
    {kPicFileTga, "TGA", &GUID_NULL,                false,     NULL,                         NULL,    SaveTga},
    {kPicFileJpg, "JPG", &GUID_ContainerFormatJpeg, false,     &GUID_WICPixelFormat24bppBGR, NULL,    NULL},
    {kPicFileTif, "TIF", &GUID_ContainerFormatTiff, false,     &GUID_WICPixelFormat24bppBGR, NULL,    NULL},
};

const FormRecord& Form(int type)
{
    return kForms[type - 1];
}

// A file of another form is told apart from a damaged one by its first bytes before the
// imaging component, which refuses both alike, reads it.
int LoadWic(const FormRecord& form, const char* path, PicImage* image)
{
    std::string bytes;
    int result = PicFile::Read(path, &bytes);
    if (result != kPicLibOk)
        return result;
    if (form.type != kPicFileTga && TypeOfContents(bytes) != form.type)
        return kPicLibNotThisFormat;
    result = WicCodec::Load(path, *form.container, form.keepDepth, image);
    return result == kPicLibNotThisFormat && form.type != kPicFileTga ? kPicLibReadError : result;
}

int Load(int type, const char* path, PicImage* image)
{
    const FormRecord& form = Form(type);
    int result = !path ? kPicLibCannotOpen : form.ownLoad ? form.ownLoad(path, image) : LoadWic(form, path, image);
    if (result != kPicLibOk)
        Log().Line("! %s %s %d", Form(type).name, path ? path : "(null)", result);
    return result;
}

HGLOBAL LoadDib(int type, const char* path)
{
    PicImage image;
    int result = Load(type, path, &image);
    HGLOBAL dib = NULL;
    if (result == kPicLibOk) {
        dib = image.ToGlobal();
        result = dib ? kPicLibOk : kPicLibOutOfMemory;
        Log().Line("L %s %s %dx%dx%d", Form(type).name, path, image.width, image.height, image.bitCount);
    }
    t_lastError = result;
    return dib;
}

int GetInfo(int type, const char* path, IMGINFO* info)
{
    PicImage image;
    int result = info && info->cbSize == sizeof(IMGINFO) ? Load(type, path, &image) : kPicLibBadDib;
    if (result == kPicLibOk) {
        info->width = image.width;
        info->height = image.height;
        info->bitCount = image.bitCount;
        info->colours = (LONG)image.table.size();
        info->fileType = type;
    }
    t_lastError = result;
    return result;
}

int SaveDib(int type, const char* path, HGLOBAL dib, int quality)
{
    PicImage image;
    int result = path ? PicImage::FromGlobal(dib, &image) : kPicLibCannotWrite;
    const FormRecord& form = Form(type);
    if (result == kPicLibOk)
        result = form.ownSave ? form.ownSave(path, image)
                              : WicCodec::Save(path, *form.container, image, *form.savedFormat, quality);
    if (quality >= 0)
        Log().Line("S %s %s %d q=%d", form.name, path ? path : "(null)", result, quality);
    else
        Log().Line("S %s %s %d", form.name, path ? path : "(null)", result);
    t_lastError = result;
    return result;
}

// The pixels handed to Popularity and MedianCut, as a picture.
bool WrapPixels(const BYTE* bits, int width, int height, int bitCount, int colours, PicImage* image)
{
    if (!bits || colours < 1 || colours > 256 || (bitCount != 16 && bitCount != 24 && bitCount != 32) ||
        !image->Allocate(width, height, bitCount))
        return false;
    memcpy(image->bits.data(), bits, image->bits.size());
    return true;
}

BYTE* Triples(const std::vector<RGBQUAD>& table)
{
    BYTE* out = (BYTE*)GlobalAlloc(GPTR, table.size() * 3);
    if (!out) {
        t_lastError = kPicLibOutOfMemory;
        return NULL;
    }
    for (size_t i = 0; i < table.size(); ++i) {
        out[3 * i] = table[i].rgbRed;
        out[3 * i + 1] = table[i].rgbGreen;
        out[3 * i + 2] = table[i].rgbBlue;
    }
    t_lastError = kPicLibOk;
    return out;
}

}

extern "C" {

int WINAPI FileType(LPCSTR path)
{
    std::string bytes;
    t_lastError = path ? PicFile::Read(path, &bytes) : kPicLibCannotOpen;
    if (t_lastError != kPicLibOk)
        return kPicFileUnknown;
    int type = TypeOfContents(bytes);
    if (type == kPicFileUnknown && HasTgaExtension(path) && TgaWriter::IsSaneHeader(bytes))
        type = kPicFileTga;
    if (type == kPicFileUnknown)
        t_lastError = kPicLibNotThisFormat;
    return type;
}

HGLOBAL WINAPI LoadBMP(LPCSTR path) { return LoadDib(kPicFileBmp, path); }
HGLOBAL WINAPI LoadGIF(LPCSTR path) { return LoadDib(kPicFileGif, path); }
HGLOBAL WINAPI LoadPCX(LPCSTR path) { return LoadDib(kPicFilePcx, path); }
HGLOBAL WINAPI LoadTGA(LPCSTR path) { return LoadDib(kPicFileTga, path); }
HGLOBAL WINAPI LoadJPG(LPCSTR path) { return LoadDib(kPicFileJpg, path); }
HGLOBAL WINAPI LoadTIF(LPCSTR path) { return LoadDib(kPicFileTif, path); }

int WINAPI GetBMPInfo(LPCSTR path, IMGINFO* info) { return GetInfo(kPicFileBmp, path, info); }
int WINAPI GetGIFInfo(LPCSTR path, IMGINFO* info) { return GetInfo(kPicFileGif, path, info); }
int WINAPI GetPCXInfo(LPCSTR path, IMGINFO* info) { return GetInfo(kPicFilePcx, path, info); }
int WINAPI GetTGAInfo(LPCSTR path, IMGINFO* info) { return GetInfo(kPicFileTga, path, info); }
int WINAPI GetJPGInfo(LPCSTR path, IMGINFO* info) { return GetInfo(kPicFileJpg, path, info); }
int WINAPI GetTIFInfo(LPCSTR path, IMGINFO* info) { return GetInfo(kPicFileTif, path, info); }

int WINAPI SaveJPG(LPCSTR path, HGLOBAL dib, int quality) { return SaveDib(kPicFileJpg, path, dib, quality); }
int WINAPI SaveBMP(LPCSTR path, HGLOBAL dib) { return SaveDib(kPicFileBmp, path, dib, -1); }
int WINAPI SaveGIF(LPCSTR path, HGLOBAL dib) { return SaveDib(kPicFileGif, path, dib, -1); }
int WINAPI SavePCX(LPCSTR path, HGLOBAL dib) { return SaveDib(kPicFilePcx, path, dib, -1); }
int WINAPI SaveTGA(LPCSTR path, HGLOBAL dib) { return SaveDib(kPicFileTga, path, dib, -1); }
int WINAPI SaveTIF(LPCSTR path, HGLOBAL dib) { return SaveDib(kPicFileTif, path, dib, -1); }

int WINAPI GetLastPicLibError(void) { return t_lastError; }

BYTE* WINAPI Popularity(const BYTE* bits, int width, int height, int bitCount, int colours)
{
    PicImage image;
    if (!WrapPixels(bits, width, height, bitCount, colours, &image)) {
        t_lastError = kPicLibBadDib;
        return NULL;
    }
    return Triples(Quantizer::Popularity(image, colours));
}

BYTE* WINAPI MedianCut(const BYTE* bits, int width, int height, int bitCount, int colours)
{
    PicImage image;
    if (!WrapPixels(bits, width, height, bitCount, colours, &image)) {
        t_lastError = kPicLibBadDib;
        return NULL;
    }
    return Triples(Quantizer::MedianCut(image, colours));
}
}
