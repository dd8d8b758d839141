#include "TestVideos.h"

#include <vfw.h>

const LONG kAviWidth = 16;
const LONG kAviHeight = 8;

std::vector<BYTE> AviFramePixels(int n)
{
    std::vector<BYTE> pixels(kAviWidth * kAviHeight * 4);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = (BYTE)(n * 0x40 + i * 7 + 3);
    return pixels;
}

bool WriteAvi(const std::string& path, int frames)
{
    AVIFileInit();
    PAVIFILE file = NULL;
    PAVISTREAM stream = NULL;
    bool ok = AVIFileOpenA(&file, path.c_str(), OF_CREATE | OF_WRITE, NULL) == 0;
    AVISTREAMINFOA info = {};
    info.fccType = streamtypeVIDEO;
    info.dwScale = 1;
    info.dwRate = 25;
    info.dwSuggestedBufferSize = kAviWidth * kAviHeight * 4;
    SetRect(&info.rcFrame, 0, 0, kAviWidth, kAviHeight);
    ok = ok && AVIFileCreateStreamA(file, &stream, &info) == 0;
    BITMAPINFOHEADER format = {sizeof(format), kAviWidth, kAviHeight, 1, 32, BI_RGB,
                               (DWORD)(kAviWidth * kAviHeight * 4), 0, 0, 0, 0};
    ok = ok && AVIStreamSetFormat(stream, 0, &format, sizeof(format)) == 0;
    for (int n = 0; ok && n < frames; ++n) {
        std::vector<BYTE> pixels = AviFramePixels(n);
        ok = AVIStreamWrite(stream, n, 1, pixels.data(), (LONG)pixels.size(), AVIIF_KEYFRAME, NULL,
                            NULL) == 0;
    }
    if (stream)
        AVIStreamRelease(stream);
    if (file)
        AVIFileRelease(file);
    AVIFileExit();
    return ok;
}
