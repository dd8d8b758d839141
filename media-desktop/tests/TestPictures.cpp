#include "TestPictures.h"

#include <wincodec.h>

#include <vector>

const COLORREF kQuarters[4] = {RGB(255, 0, 0), RGB(0, 0, 255), RGB(0, 255, 0), RGB(255, 255, 255)};



bool WriteQuartersJpeg(const std::string& path)
{
    const UINT width = 64, height = 32;
    std::vector<BYTE> pixels(width * height * 3);
    for (UINT y = 0; y < height; ++y) {
        for (UINT x = 0; x < width; ++x) {
            COLORREF c = kQuarters[(y >= height / 2) * 2 + (x >= width / 2)];
            BYTE* p = &pixels[(y * width + x) * 3];
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    }
    std::wstring widePath(path.begin(), path.end());
    IWICImagingFactory* factory = NULL;
    IWICStream* stream = NULL;
    IWICBitmapEncoder* encoder = NULL;
    IWICBitmapFrameEncode* frame = NULL;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    bool ok = SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, NULL, CLSCTX_INPROC_SERVER,
                                         IID_IWICImagingFactory, (void**)&factory))
              && SUCCEEDED(factory->CreateStream(&stream))
              && SUCCEEDED(stream->InitializeFromFilename(widePath.c_str(), GENERIC_WRITE))
              && SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatJpeg, NULL, &encoder))
              && SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache))
              && SUCCEEDED(encoder->CreateNewFrame(&frame, NULL))
              && SUCCEEDED(frame->Initialize(NULL))
              && SUCCEEDED(frame->SetSize(width, height))
              && SUCCEEDED(frame->SetPixelFormat(&format))
              && SUCCEEDED(frame->WritePixels(height, width * 3, (UINT)pixels.size(), pixels.data()))
              && SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
    if (frame)
        frame->Release();
    if (encoder)
        encoder->Release();
    if (stream)
        stream->Release();
    if (factory)
        factory->Release();
    return ok;
}

