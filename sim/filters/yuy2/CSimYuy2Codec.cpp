#include "CSimYuy2Codec.h"

#include "CSimFrame.h"
#include "CSimVideoConvert.h"

#include <string.h>

namespace
{
const DWORD FOURCC_YUY2 = MAKEFOURCC('Y', 'U', 'Y', '2');
const DWORD FOURCC_UYVY = MAKEFOURCC('U', 'Y', 'V', 'Y');

bool IsInput(const BITMAPINFOHEADER* input)
{
    return input != nullptr && (input->biCompression == FOURCC_YUY2 || input->biCompression == FOURCC_UYVY) &&
           input->biBitCount == 16 && input->biWidth > 0 && input->biWidth % 2 == 0 && input->biHeight != 0;
}

LONG Height(const BITMAPINFOHEADER* header)
{
    return header->biHeight < 0 ? -header->biHeight : header->biHeight;
}
}

LRESULT CSimYuy2Codec::Query(const BITMAPINFOHEADER* input, const BITMAPINFOHEADER* output)
{
    if (!IsInput(input))
        return ICERR_BADFORMAT;
    if (output == nullptr)
        return ICERR_OK;
    bool rgb = output->biCompression == BI_RGB && (output->biBitCount == 24 || output->biBitCount == 32);
    if (!rgb || output->biWidth != input->biWidth || Height(output) != Height(input))
        return ICERR_BADFORMAT;
    return ICERR_OK;
}

LRESULT CSimYuy2Codec::GetFormat(const BITMAPINFOHEADER* input, BITMAPINFOHEADER* output)
{
    if (output == nullptr)
        return sizeof(BITMAPINFOHEADER);
    if (!IsInput(input))
        return ICERR_BADFORMAT;
    memset(output, 0, sizeof(*output));
    output->biSize = sizeof(BITMAPINFOHEADER);
    output->biWidth = input->biWidth;
    output->biHeight = Height(input);
    output->biPlanes = 1;
    output->biBitCount = 32;
    output->biCompression = BI_RGB;
    output->biSizeImage = (DWORD)output->biWidth * output->biHeight * 4;
    return ICERR_OK;
}

LRESULT CSimYuy2Codec::Decompress(const ICDECOMPRESS* request)
{
    if (request == nullptr || Query(request->lpbiInput, request->lpbiOutput) != ICERR_OK || request->lpInput == nullptr ||
        request->lpOutput == nullptr)
        return ICERR_BADFORMAT;
    const BITMAPINFOHEADER* in = request->lpbiInput;
    const BITMAPINFOHEADER* out = request->lpbiOutput;
    // Each streaming thread keeps its frame: a fresh one per picture costs more in clearing
    // and first-touch page faults than the conversion.
    thread_local CSimFrame frame;
    if (frame.width != in->biWidth || frame.height != Height(in))
        frame.Resize(in->biWidth, Height(in));
    memcpy(frame.yuy2.data(), request->lpInput, frame.Bytes());
    if (in->biCompression == FOURCC_UYVY) {
        for (size_t i = 0; i + 1 < frame.Bytes(); i += 2) {
            BYTE t = frame.yuy2[i];
            frame.yuy2[i] = frame.yuy2[i + 1];
            frame.yuy2[i + 1] = t;
        }
    }
    LONG stride = (out->biWidth * out->biBitCount / 8 + 3) & ~3;
    CSimVideoConvert::ToRgb(frame, out->biBitCount, out->biHeight > 0, stride, static_cast<BYTE*>(request->lpOutput));
    return ICERR_OK;
}

LRESULT CSimYuy2Codec::GetInfo(ICINFO* info, DWORD size)
{
    if (info == nullptr)
        return sizeof(ICINFO);
    if (size < sizeof(ICINFO))
        return 0;
    memset(info, 0, sizeof(ICINFO));
    info->dwSize = sizeof(ICINFO);
    info->fccType = ICTYPE_VIDEO;
    info->fccHandler = FOURCC_YUY2;
    info->dwVersion = 1;
    info->dwVersionICM = ICVERSION;
    lstrcpyW(info->szName, L"SimYUY2");
    lstrcpyW(info->szDescription, L"Sim YUY2 decompressor");
    return sizeof(ICINFO);
}
