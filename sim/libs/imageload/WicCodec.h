#pragma once

#include "PicImage.h"

#include <windows.h>
#include <wincodec.h>

// The forms the system's imaging component reads and writes (BMP, GIF, JPEG, TIFF, and TGA
// reading), one picture per file.
namespace WicCodec
{
// container: the format the file must be in; GUID_NULL lets the component tell (TGA, whose
// decoder is the component's own without a public format name). keepDepth keeps indexed,
// 5-5-5, 24 and 32-bit pixels as they are; other pictures arrive as 24 bits.
int Load(const char* path, const GUID& container, bool keepDepth, PicImage* image);
// format: the pixel format to write (the encoder converts from the picture's own), GUID_NULL
// the picture's own; quality
// 0-100 for JPEG, else -1.
int Save(const char* path, const GUID& container, const PicImage& image, const GUID& format, int quality);
}
