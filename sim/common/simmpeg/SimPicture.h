#pragma once

#include <stddef.h>
#include <stdint.h>

#include <vector>

// One picture in planar 4:2:0 (Y at full size, Cb and Cr at half width and height).
struct SimPicture
{
    int width = 0;
    int height = 0;
    std::vector<uint8_t> y, cb, cr;

    void Allocate(int w, int h)
    {
        width = w;
        height = h;
        y.assign((size_t)w * h, 16);
        cb.assign((size_t)(w / 2) * (h / 2), 128);
        cr.assign((size_t)(w / 2) * (h / 2), 128);
    }
};
