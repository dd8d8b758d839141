#include "PcxCodec.h"

#include "ImageLoad.h"

namespace
{
// Header fields by byte offset.
enum
{
    kEncoding = 2, kBitsPerPixel = 3, kXMin = 4, kYMin = 6, kXMax = 8, kYMax = 10, kHorizontalDpi = 12,
    kVerticalDpi = 14, kPlanes = 65, kBytesPerLine = 66, kPaletteInfo = 68,
};
enum { kVersion = 5, kPaletteMark = 0x0C, kPaletteTrailerSize = 1 + 256 * 3, kRunFlag = 0xC0, kMaxRun = 63 };

int Word(const std::string& bytes, int offset)
{
    return (BYTE)bytes[offset] | (BYTE)bytes[offset + 1] << 8;
}

void PutWord(std::string& bytes, int offset, int value)
{
    bytes[offset] = (char)(value & 0xFF);
    bytes[offset + 1] = (char)(value >> 8);
}

// Every plane of every row, as bytesPerLine bytes each; a run may cross from one plane into
// the next. false when the data ends early.
bool Unpack(const std::string& bytes, size_t end, size_t total, std::string* out)
{
    out->clear();
    out->reserve(total);
    size_t at = PcxCodec::kHeaderSize;
    while (out->size() < total) {
        if (at >= end)
            return false;
        BYTE value = (BYTE)bytes[at++];
        size_t count = 1;
        if ((value & kRunFlag) == kRunFlag) {
            if (at >= end)
                return false;
            count = value & ~kRunFlag;
            value = (BYTE)bytes[at++];
        }
        out->append(count < total - out->size() ? count : total - out->size(), (char)value);
    }
    return true;
}

void PackLine(const BYTE* line, int length, std::string& out)
{
    for (int x = 0; x < length;) {
        int run = 1;
        while (x + run < length && run < kMaxRun && line[x + run] == line[x])
            ++run;
        if (run > 1 || (line[x] & kRunFlag) == kRunFlag)
            out += (char)(kRunFlag | run);
        out += (char)line[x];
        x += run;
    }
}
}

int PcxCodec::Read(const std::string& bytes, PicImage* image)
{
    if (bytes.size() < kHeaderSize || (BYTE)bytes[0] != kManufacturer || bytes[kEncoding] != kRunLength)
        return kPicLibNotThisFormat;
    int bitsPerPixel = bytes[kBitsPerPixel], planes = bytes[kPlanes];
    int width = Word(bytes, kXMax) - Word(bytes, kXMin) + 1, height = Word(bytes, kYMax) - Word(bytes, kYMin) + 1;
    int bytesPerLine = Word(bytes, kBytesPerLine);
    bool indexed = bitsPerPixel == 8 && planes == 1, rgb = bitsPerPixel == 8 && planes == 3;
    if (!(indexed || rgb) || bytesPerLine < width || !image->Allocate(width, height, indexed ? 8 : 24))
        return kPicLibUnsupported;
    size_t end = bytes.size();
    if (indexed) {
        if (end < kHeaderSize + kPaletteTrailerSize || (BYTE)bytes[end - kPaletteTrailerSize] != kPaletteMark)
            return kPicLibReadError;
        end -= kPaletteTrailerSize;
        for (int i = 0; i < 256; ++i) {
            const BYTE* rgbEntry = (const BYTE*)&bytes[end + 1 + 3 * i];
            image->table[i] = RGBQUAD{rgbEntry[2], rgbEntry[1], rgbEntry[0], 0};
        }
    }
    std::string pixels;
    size_t line = (size_t)bytesPerLine * planes;
    if (!Unpack(bytes, end, line * height, &pixels))
        return kPicLibReadError;
    for (int y = 0; y < height; ++y) {
        const BYTE* source = (const BYTE*)&pixels[y * line];
        BYTE* row = image->Row(y);
        for (int x = 0; x < width; ++x) {
            if (indexed) {
                row[x] = source[x];
            } else {
                row[3 * x] = source[2 * bytesPerLine + x];
                row[3 * x + 1] = source[bytesPerLine + x];
                row[3 * x + 2] = source[x];
            }
        }
    }
    return kPicLibOk;
}

std::string PcxCodec::Write(const PicImage& image)
{
    bool indexed = image.bitCount <= 8;
    int planes = indexed ? 1 : 3;
    int bytesPerLine = (image.width + 1) & ~1;  // even, as readers expect
    std::string out(kHeaderSize, '\0');
    out[0] = (char)kManufacturer;
    out[1] = kVersion;
    out[kEncoding] = kRunLength;
    out[kBitsPerPixel] = 8;
    PutWord(out, kXMax, image.width - 1);
    PutWord(out, kYMax, image.height - 1);
    PutWord(out, kHorizontalDpi, 72);
    PutWord(out, kVerticalDpi, 72);
    out[kPlanes] = (char)planes;
    PutWord(out, kBytesPerLine, bytesPerLine);
    PutWord(out, kPaletteInfo, 1);
    std::vector<BYTE> line((size_t)bytesPerLine * planes);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (indexed) {
                line[x] = (BYTE)image.IndexAt(x, y);
            } else {
                RGBQUAD colour = image.ColourAt(x, y);
                line[x] = colour.rgbRed;
                line[bytesPerLine + x] = colour.rgbGreen;
                line[2 * bytesPerLine + x] = colour.rgbBlue;
            }
        }
        // Each plane is its own run-length line.
        for (int plane = 0; plane < planes; ++plane)
            PackLine(&line[(size_t)plane * bytesPerLine], bytesPerLine, out);
    }
    if (indexed) {
        out += (char)kPaletteMark;
        for (int i = 0; i < 256; ++i) {
            RGBQUAD entry = i < (int)image.table.size() ? image.table[i] : RGBQUAD{0, 0, 0, 0};
            out += (char)entry.rgbRed;
            out += (char)entry.rgbGreen;
            out += (char)entry.rgbBlue;
        }
    }
    return out;
}
