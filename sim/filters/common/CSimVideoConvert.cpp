#include "CSimVideoConvert.h"

#include "AmMediaType.h"

#include <string.h>

namespace
{
const DWORD FOURCC_YUY2 = MAKEFOURCC('Y', 'U', 'Y', '2');
const DWORD FOURCC_UYVY = MAKEFOURCC('U', 'Y', 'V', 'Y');
const DWORD FOURCC_YV12 = MAKEFOURCC('Y', 'V', '1', '2');
const DWORD FOURCC_CXF1 = MAKEFOURCC('C', 'X', 'F', '1');
const DWORD FOURCC_CXF2 = MAKEFOURCC('C', 'X', 'F', '2');

int Clamp(int value)
{
    return value < 0 ? 0 : value > 255 ? 255 : value;
}

void ReadPacked(const BYTE* data, CSimFrame& frame, bool uyvy)
{
    memcpy(frame.yuy2.data(), data, frame.Bytes());
    if (!uyvy)
        return;
    for (size_t i = 0; i + 1 < frame.Bytes(); i += 2) {
        BYTE t = frame.yuy2[i];
        frame.yuy2[i] = frame.yuy2[i + 1];
        frame.yuy2[i + 1] = t;
    }
}

void ReadYv12(const BYTE* data, CSimFrame& frame)
{
    const LONG w = frame.width, h = frame.height;
    const BYTE* yPlane = data;
    const BYTE* vPlane = yPlane + (size_t)w * h;
    const BYTE* uPlane = vPlane + (size_t)(w / 2) * (h / 2);
    for (LONG y = 0; y < h; ++y) {
        BYTE* out = frame.Row(y);
        for (LONG x = 0; x < w; x += 2) {
            size_t c = (size_t)(y / 2) * (w / 2) + x / 2;
            out[2 * x] = yPlane[(size_t)y * w + x];
            out[2 * x + 1] = uPlane[c];
            out[2 * x + 2] = yPlane[(size_t)y * w + x + 1];
            out[2 * x + 3] = vPlane[c];
        }
    }
}

void ReadRgb24(const BYTE* data, bool bottomUp, CSimFrame& frame)
{
    const LONG w = frame.width, h = frame.height;
    const LONG stride = (w * 3 + 3) & ~3;
    for (LONG y = 0; y < h; ++y) {
        const BYTE* in = data + (size_t)(bottomUp ? h - 1 - y : y) * stride;
        BYTE* out = frame.Row(y);
        for (LONG x = 0; x < w; x += 2) {
            int y0, u0, v0, y1, u1, v1;
            CSimVideoConvert::RgbToYuv(in[3 * x + 2], in[3 * x + 1], in[3 * x], &y0, &u0, &v0);
            CSimVideoConvert::RgbToYuv(in[3 * x + 5], in[3 * x + 4], in[3 * x + 3], &y1, &u1, &v1);
            out[2 * x] = (BYTE)y0;
            out[2 * x + 1] = (BYTE)((u0 + u1 + 1) / 2);
            out[2 * x + 2] = (BYTE)y1;
            out[2 * x + 3] = (BYTE)((v0 + v1 + 1) / 2);
        }
    }
}

size_t NeededBytes(DWORD compression, LONG w, LONG h)
{
    if (compression == BI_RGB)
        return (size_t)((w * 3 + 3) & ~3) * h;
    if (compression == FOURCC_YV12)
        return (size_t)w * h * 3 / 2;
    return (size_t)w * h * 2;
}
}

bool CSimVideoConvert::CanRead(const AM_MEDIA_TYPE& type)
{
    const VIDEOINFOHEADER* info = CAmMediaType::VideoInfoOf(type);
    if (info == nullptr || !IsEqualGUID(type.majortype, MEDIATYPE_Video))
        return false;
    const BITMAPINFOHEADER& bmi = info->bmiHeader;
    if (bmi.biWidth <= 0 || bmi.biWidth % 2 != 0 || bmi.biHeight == 0)
        return false;
    switch (bmi.biCompression) {
    case FOURCC_YUY2:
    case FOURCC_UYVY:
    case FOURCC_CXF1:
    case FOURCC_CXF2:
        return bmi.biBitCount == 16;
    case FOURCC_YV12:
        return bmi.biBitCount == 12 && bmi.biHeight % 2 == 0;
    case BI_RGB:
        return bmi.biBitCount == 24 && IsEqualGUID(type.subtype, MEDIASUBTYPE_RGB24);
    default:
        return false;
    }
}

bool CSimVideoConvert::FromSample(const AM_MEDIA_TYPE& type, const BYTE* data, long size, CSimFrame& frame)
{
    if (!CanRead(type) || data == nullptr)
        return false;
    const BITMAPINFOHEADER& bmi = CAmMediaType::VideoInfoOf(type)->bmiHeader;
    LONG height = bmi.biHeight < 0 ? -bmi.biHeight : bmi.biHeight;
    if (size < 0 || (size_t)size < NeededBytes(bmi.biCompression, bmi.biWidth, height))
        return false;
    if (frame.width != bmi.biWidth || frame.height != height)
        frame.Resize(bmi.biWidth, height);
    switch (bmi.biCompression) {
    case FOURCC_YV12:
        ReadYv12(data, frame);
        break;
    case BI_RGB:
        ReadRgb24(data, bmi.biHeight > 0, frame);
        break;
    default:
        ReadPacked(data, frame, bmi.biCompression == FOURCC_UYVY);
        break;
    }
    return true;
}

void CSimVideoConvert::ToRgb(const CSimFrame& frame, int bitsPerPixel, bool bottomUp, LONG stride, BYTE* out)
{
    const int step = bitsPerPixel / 8;
    for (LONG y = 0; y < frame.height; ++y) {
        const BYTE* in = frame.Row(y);
        BYTE* row = out + (size_t)(bottomUp ? frame.height - 1 - y : y) * stride;
        for (LONG x = 0; x < frame.width; x += 2) {
            const BYTE* q = in + 2 * x;
            YuvToRgb(q[0], q[1], q[3], row + x * step);
            YuvToRgb(q[2], q[1], q[3], row + (x + 1) * step);
            if (step == 4) {
                row[x * step + 3] = 0;
                row[(x + 1) * step + 3] = 0;
            }
        }
    }
}

void CSimVideoConvert::RgbToYuv(int r, int g, int b, int* y, int* u, int* v)
{
    *y = Clamp((66 * r + 129 * g + 25 * b + 128) / 256 + 16);
    *u = Clamp((-38 * r - 74 * g + 112 * b + 128) / 256 + 128);
    *v = Clamp((112 * r - 94 * g - 18 * b + 128) / 256 + 128);
}

void CSimVideoConvert::YuvToRgb(int y, int u, int v, BYTE* bgr)
{
    int c = y - 16, d = u - 128, e = v - 128;
    bgr[2] = (BYTE)Clamp((298 * c + 409 * e + 128) >> 8);
    bgr[1] = (BYTE)Clamp((298 * c - 100 * d - 208 * e + 128) >> 8);
    bgr[0] = (BYTE)Clamp((298 * c + 516 * d + 128) >> 8);
}

void CSimVideoConvert::Halve(const CSimFrame& from, CSimFrame& to)
{
    LONG w = from.width / 2 & ~1, h = from.height / 2;
    if (to.width != w || to.height != h)
        to.Resize(w, h);
    for (LONG y = 0; y < h; ++y) {
        const BYTE* a = from.Row(2 * y);
        const BYTE* b = from.Row(2 * y + 1);
        BYTE* out = to.Row(y);
        // Each output macropixel (2 pixels) averages two input macropixels over two rows.
        for (LONG m = 0; m < w / 2; ++m) {
            const BYTE* a0 = a + 8 * m;
            const BYTE* b0 = b + 8 * m;
            BYTE* o = out + 4 * m;
            o[0] = (BYTE)((a0[0] + a0[2] + b0[0] + b0[2] + 2) / 4);
            o[2] = (BYTE)((a0[4] + a0[6] + b0[4] + b0[6] + 2) / 4);
            o[1] = (BYTE)((a0[1] + a0[5] + b0[1] + b0[5] + 2) / 4);
            o[3] = (BYTE)((a0[3] + a0[7] + b0[3] + b0[7] + 2) / 4);
        }
    }
}
