#pragma once

#include "PicImage.h"

#include <string>

// Truevision TGA, uncompressed, rows bottom-up: colour-mapped (type 1) with a 256-entry table
// of 32-bit entries for pictures of 8 bits or fewer, true colour (type 2) at 24 bits for deeper ones. The TGA 2
// footer marks the file, since the format has no signature at its start.
namespace TgaWriter
{
enum { kHeaderSize = 18, kColourMapped = 1, kTrueColour = 2 };

std::string Write(const PicImage& image);
// The header names a picture a reader could take (for telling the type of a .tga file).
bool IsSaneHeader(const std::string& bytes);
}
