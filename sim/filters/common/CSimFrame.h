#pragma once

#include <windows.h>

#include <vector>

// One picture in YUY2, top row first: the form in which the stand-ins process video.
struct CSimFrame
{
    LONG width = 0;
    LONG height = 0;
    std::vector<BYTE> yuy2;

    void Resize(LONG w, LONG h)
    {
        width = w;
        height = h;
        yuy2.assign((size_t)w * h * 2, 0);
    }
    BYTE* Row(LONG y) { return yuy2.data() + (size_t)y * width * 2; }
    const BYTE* Row(LONG y) const { return yuy2.data() + (size_t)y * width * 2; }
    size_t Bytes() const { return yuy2.size(); }
};
