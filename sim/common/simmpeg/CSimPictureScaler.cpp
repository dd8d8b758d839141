#include "CSimPictureScaler.h"

namespace
{
// The packed sample of luma column x (0) or its chroma pair (1: U, 2: V) in a 4:2:2 row.
uint8_t Packed(const uint8_t* row, bool uyvy, int x, int what)
{
    const uint8_t* pair = row + (x & ~1) * 2;
    if (what == 0)
        return uyvy ? pair[(x & 1) * 2 + 1] : pair[(x & 1) * 2];
    int offset = what == 1 ? (uyvy ? 0 : 1) : (uyvy ? 2 : 3);
    return pair[offset];
}
}

void CSimPictureScaler::ToPicture(const uint8_t* frame, Layout layout, int width, int height, SimPicture& picture)
{
    int w = picture.width, h = picture.height;
    for (int y = 0; y < h; ++y) {
        int sy = y * height / h;
        for (int x = 0; x < w; ++x) {
            int sx = x * width / w;
            picture.y[(size_t)y * w + x] = layout == kYV12 ? frame[(size_t)sy * width + sx]
                                                           : Packed(frame + (size_t)sy * width * 2, layout == kUYVY, sx, 0);
        }
    }
    int cw = w / 2, ch = h / 2;
    const uint8_t* planeV = frame + (size_t)width * height;
    const uint8_t* planeU = planeV + (size_t)(width / 2) * (height / 2);
    for (int y = 0; y < ch; ++y) {
        int sy = y * height / ch;
        for (int x = 0; x < cw; ++x) {
            int sx = x * 2 * width / w;
            size_t at = (size_t)y * cw + x;
            if (layout == kYV12) {
                size_t src = (size_t)(sy / 2) * (width / 2) + sx / 2;
                picture.cb[at] = planeU[src];
                picture.cr[at] = planeV[src];
            } else {
                const uint8_t* row = frame + (size_t)sy * width * 2;
                picture.cb[at] = Packed(row, layout == kUYVY, sx, 1);
                picture.cr[at] = Packed(row, layout == kUYVY, sx, 2);
            }
        }
    }
}

void CSimPictureScaler::ToYuy2(const SimPicture& picture, int width, int height, uint8_t* frame)
{
    int w = picture.width, h = picture.height, cw = w / 2;
    for (int y = 0; y < height; ++y) {
        int sy = y * h / height;
        uint8_t* row = frame + (size_t)y * width * 2;
        for (int x = 0; x < width; x += 2) {
            int sx0 = x * w / width, sx1 = (x + 1) * w / width;
            size_t c = (size_t)(sy / 2) * cw + sx0 / 2;
            row[x * 2] = picture.y[(size_t)sy * w + sx0];
            row[x * 2 + 1] = picture.cb[c];
            row[x * 2 + 2] = picture.y[(size_t)sy * w + sx1];
            row[x * 2 + 3] = picture.cr[c];
        }
    }
}
