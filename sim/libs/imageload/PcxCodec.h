#pragma once

#include "PicImage.h"

#include <string>

// ZSoft PCX, run-length coded: 8 bits in one plane with the 256-colour table after the rows
// (marked 0x0C), or 24 bits as three planes of red, green and blue per row.
namespace PcxCodec
{
enum { kManufacturer = 0x0A, kRunLength = 1, kHeaderSize = 128 };

int Read(const std::string& bytes, PicImage* image);
// Pictures of 8 bits or fewer go out as 8 bits with their table, deeper ones as 24 bits.
std::string Write(const PicImage& image);
}
