#pragma once

#include "PicImage.h"

#include <vector>

// Reduced palettes for a picture of more than 8 bits. Both count pixels in cells of 5 bits per
// channel and give each chosen cell or box the mean colour of its pixels, so a picture of few
// colours gets them exactly. Entries left over are black.
namespace Quantizer
{
// The most frequent cells, most frequent first.
std::vector<RGBQUAD> Popularity(const PicImage& image, int colours);
// Boxes of cells, the one with the most pixels split at the pixel median of its longest side
// until there are `colours` boxes or none can be split.
std::vector<RGBQUAD> MedianCut(const PicImage& image, int colours);
// The index of the entry nearest the colour (squared distance), the first of equals.
int Nearest(const std::vector<RGBQUAD>& table, RGBQUAD colour);
}
