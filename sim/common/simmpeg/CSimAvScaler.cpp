#include "CSimAvScaler.h"

namespace
{
constexpr uint32_t Fourcc(char a, char b, char c, char d)
{
    return (uint32_t)(uint8_t)a | (uint32_t)(uint8_t)b << 8 | (uint32_t)(uint8_t)c << 16 | (uint32_t)(uint8_t)d << 24;
}
const uint32_t kYuy2 = Fourcc('Y', 'U', 'Y', '2'), kUyvy = Fourcc('U', 'Y', 'V', 'Y'), kYv12 = Fourcc('Y', 'V', '1', '2');
}

AVPixelFormat CSimAvScaler::FormatOf(uint32_t fourcc)
{
    return fourcc == kYuy2 ? AV_PIX_FMT_YUYV422
           : fourcc == kUyvy ? AV_PIX_FMT_UYVY422
           : fourcc == kYv12 ? AV_PIX_FMT_YUV420P
                             : AV_PIX_FMT_NONE;
}

bool CSimAvScaler::Supports(uint32_t fourcc)
{
    return FormatOf(fourcc) != AV_PIX_FMT_NONE;
}

long CSimAvScaler::FrameBytes(uint32_t fourcc, int width, int height)
{
    return fourcc == kYv12 ? (long)width * height * 3 / 2 : (long)width * height * 2;
}

// YV12 holds its planes Y, V, U; the packed layouts one plane.
void CSimAvScaler::Planes(uint8_t* frame, uint32_t fourcc, int width, int height, uint8_t* planes[4], int strides[4])
{
    planes[0] = frame;
    planes[1] = planes[2] = planes[3] = nullptr;
    strides[1] = strides[2] = strides[3] = 0;
    if (fourcc != kYv12) {
        strides[0] = width * 2;
        return;
    }
    strides[0] = width;
    strides[1] = strides[2] = width / 2;
    planes[2] = frame + width * height;
    planes[1] = planes[2] + (width / 2) * (height / 2);
}

bool CSimAvScaler::ToPicture(const uint8_t* frame, uint32_t fourcc, int width, int height, AVFrame* picture)
{
    m_context = sws_getCachedContext(m_context, width, height, FormatOf(fourcc), picture->width, picture->height,
                                     (AVPixelFormat)picture->format, SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (m_context == nullptr || av_frame_make_writable(picture) < 0)
        return false;
    uint8_t* planes[4];
    int strides[4];
    Planes(const_cast<uint8_t*>(frame), fourcc, width, height, planes, strides);
    return sws_scale(m_context, planes, strides, 0, height, picture->data, picture->linesize) > 0;
}

bool CSimAvScaler::FromPicture(const AVFrame* picture, uint8_t* frame, uint32_t fourcc, int width, int height)
{
    m_context = sws_getCachedContext(m_context, picture->width, picture->height, (AVPixelFormat)picture->format, width,
                                     height, FormatOf(fourcc), SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (m_context == nullptr)
        return false;
    uint8_t* planes[4];
    int strides[4];
    Planes(frame, fourcc, width, height, planes, strides);
    return sws_scale(m_context, picture->data, picture->linesize, 0, picture->height, planes, strides) > 0;
}
