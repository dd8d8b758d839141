#include "TgaWriter.h"

namespace
{
// Header fields by byte offset.
enum
{
    kIdLength = 0, kColourMapType = 1, kImageType = 2, kMapFirst = 3, kMapLength = 5, kMapEntryBits = 7,
    kXOrigin = 8, kYOrigin = 10, kWidth = 12, kHeight = 14, kPixelBits = 16, kDescriptor = 17,
};
const char kFooterSignature[] = "TRUEVISION-XFILE.";  // with its terminating zero

void PutWord(std::string& bytes, int offset, int value)
{
    bytes[offset] = (char)(value & 0xFF);
    bytes[offset + 1] = (char)(value >> 8);
}
}

std::string TgaWriter::Write(const PicImage& image)
{
    bool indexed = image.bitCount <= 8;
    std::string out(kHeaderSize, '\0');
    out[kImageType] = indexed ? kColourMapped : kTrueColour;
    if (indexed) {
        out[kColourMapType] = 1;
        PutWord(out, kMapLength, 256);
        out[kMapEntryBits] = 32;  // Wine's imaging component misreads 24-bit entries
    }
    PutWord(out, kWidth, image.width);
    PutWord(out, kHeight, image.height);
    out[kPixelBits] = indexed ? 8 : 24;
    out[kDescriptor] = 0;  // origin bottom-left, no alpha bits
    if (indexed) {
        for (int i = 0; i < 256; ++i) {
            RGBQUAD entry = i < (int)image.table.size() ? image.table[i] : RGBQUAD{0, 0, 0, 0};
            out += (char)entry.rgbBlue;
            out += (char)entry.rgbGreen;
            out += (char)entry.rgbRed;
            out += (char)0xFF;  // opaque
        }
    }
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            if (indexed) {
                out += (char)image.IndexAt(x, y);
            } else {
                RGBQUAD colour = image.ColourAt(x, y);
                out += (char)colour.rgbBlue;
                out += (char)colour.rgbGreen;
                out += (char)colour.rgbRed;
            }
        }
    }
    out.append(8, '\0');  // no extension area, no developer directory
    out.append(kFooterSignature, sizeof(kFooterSignature));
    return out;
}

bool TgaWriter::IsSaneHeader(const std::string& bytes)
{
    if (bytes.size() < kHeaderSize)
        return false;
    int mapType = (BYTE)bytes[kColourMapType], type = (BYTE)bytes[kImageType], bits = (BYTE)bytes[kPixelBits];
    int width = (BYTE)bytes[kWidth] | (BYTE)bytes[kWidth + 1] << 8;
    int height = (BYTE)bytes[kHeight] | (BYTE)bytes[kHeight + 1] << 8;
    bool knownType = type == 1 || type == 2 || type == 3 || type == 9 || type == 10 || type == 11;
    bool knownBits = bits == 8 || bits == 15 || bits == 16 || bits == 24 || bits == 32;
    return mapType <= 1 && knownType && knownBits && width > 0 && height > 0;
}
