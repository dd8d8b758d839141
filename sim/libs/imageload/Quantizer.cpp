#include "Quantizer.h"

#include <algorithm>

namespace
{
const int kCells = 32 * 32 * 32;

struct Cell
{
    int index;  // red << 10 | green << 5 | blue, 5 bits each
    unsigned long long count, red, green, blue;
};

std::vector<Cell> CountCells(const PicImage& image)
{
    std::vector<Cell> cells(kCells);
    for (int i = 0; i < kCells; ++i)
        cells[i].index = i;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            RGBQUAD c = image.ColourAt(x, y);
            Cell& cell = cells[(c.rgbRed >> 3) << 10 | (c.rgbGreen >> 3) << 5 | c.rgbBlue >> 3];
            ++cell.count;
            cell.red += c.rgbRed;
            cell.green += c.rgbGreen;
            cell.blue += c.rgbBlue;
        }
    }
    cells.erase(std::remove_if(cells.begin(), cells.end(), [](const Cell& c) { return c.count == 0; }), cells.end());
    return cells;
}

RGBQUAD Mean(std::vector<Cell>::const_iterator first, std::vector<Cell>::const_iterator last)
{
    unsigned long long count = 0, red = 0, green = 0, blue = 0;
    for (auto cell = first; cell != last; ++cell) {
        count += cell->count;
        red += cell->red;
        green += cell->green;
        blue += cell->blue;
    }
    return RGBQUAD{(BYTE)(blue / count), (BYTE)(green / count), (BYTE)(red / count), 0};
}

int Channel(const Cell& cell, int axis)
{
    return (cell.index >> (10 - 5 * axis)) & 0x1F;  // axis 0 red, 1 green, 2 blue
}

// One box: a range of the cell list.
struct Box
{
    size_t first, last;
    unsigned long long pixels;
};

int LongestAxis(const std::vector<Cell>& cells, const Box& box, int* extent)
{
    int best = 0;
    *extent = -1;
    for (int axis = 0; axis < 3; ++axis) {
        int low = 31, high = 0;
        for (size_t i = box.first; i < box.last; ++i) {
            low = std::min(low, Channel(cells[i], axis));
            high = std::max(high, Channel(cells[i], axis));
        }
        if (high - low > *extent) {
            *extent = high - low;
            best = axis;
        }
    }
    return best;
}

// Splits the box in two at the pixel median along its longest side; false when it is one cell.
bool Split(std::vector<Cell>& cells, Box& box, Box* second)
{
    if (box.last - box.first < 2)
        return false;
    int extent;
    int axis = LongestAxis(cells, box, &extent);
    std::sort(cells.begin() + box.first, cells.begin() + box.last,
              [axis](const Cell& a, const Cell& b) { return Channel(a, axis) < Channel(b, axis); });
    unsigned long long below = 0;
    size_t cut = box.first;
    while (cut < box.last - 1 && (below + cells[cut].count) * 2 <= box.pixels)
        below += cells[cut++].count;
    if (cut == box.first)
        below += cells[cut++].count;
    *second = Box{cut, box.last, box.pixels - below};
    box = Box{box.first, cut, below};
    return true;
}
}

std::vector<RGBQUAD> Quantizer::Popularity(const PicImage& image, int colours)
{
    std::vector<Cell> cells = CountCells(image);
    std::stable_sort(cells.begin(), cells.end(), [](const Cell& a, const Cell& b) { return a.count > b.count; });
    std::vector<RGBQUAD> table(colours, RGBQUAD{0, 0, 0, 0});
    for (size_t i = 0; i < cells.size() && i < table.size(); ++i)
        table[i] = Mean(cells.begin() + i, cells.begin() + i + 1);
    return table;
}

std::vector<RGBQUAD> Quantizer::MedianCut(const PicImage& image, int colours)
{
    std::vector<Cell> cells = CountCells(image);
    std::vector<RGBQUAD> table(colours, RGBQUAD{0, 0, 0, 0});
    if (cells.empty() || colours <= 0)
        return table;
    std::vector<Box> boxes{Box{0, cells.size(), (unsigned long long)image.width * image.height}};
    std::vector<bool> whole{false};  // a box of one cell cannot be split
    while ((int)boxes.size() < colours) {
        int pick = -1;
        for (size_t i = 0; i < boxes.size(); ++i)
            if (!whole[i] && boxes[i].last - boxes[i].first > 1 && (pick < 0 || boxes[i].pixels > boxes[pick].pixels))
                pick = (int)i;
        if (pick < 0)
            break;
        Box second;
        if (!Split(cells, boxes[pick], &second)) {
            whole[pick] = true;
            continue;
        }
        boxes.push_back(second);
        whole.push_back(false);
    }
    for (size_t i = 0; i < boxes.size(); ++i)
        table[i] = Mean(cells.begin() + boxes[i].first, cells.begin() + boxes[i].last);
    return table;
}

int Quantizer::Nearest(const std::vector<RGBQUAD>& table, RGBQUAD colour)
{
    int best = 0;
    long bestDistance = 0x7FFFFFFF;
    for (size_t i = 0; i < table.size(); ++i) {
        long red = table[i].rgbRed - colour.rgbRed, green = table[i].rgbGreen - colour.rgbGreen,
             blue = table[i].rgbBlue - colour.rgbBlue;
        long distance = red * red + green * green + blue * blue;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = (int)i;
        }
    }
    return best;
}
