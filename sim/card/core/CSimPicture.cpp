#include "CSimPicture.h"

#include <vector>

namespace
{
struct Yuv
{
    int y;
    int u;
    int v;
};

// 75 % colour bars in BT.601 YCbCr: white, yellow, cyan, green, magenta, red, blue, black.
const Yuv BARS[8] = {
    { 180, 128, 128 }, { 162, 44, 142 }, { 131, 156, 44 }, { 112, 72, 58 },
    { 84, 184, 198 },  { 65, 100, 212 }, { 35, 212, 114 }, { 16, 128, 128 },
};
const Yuv WHITE = { 235, 128, 128 };
const Yuv BLACK = { 16, 128, 128 };
const int CELLS = 32;

enum ProcAmpIndex { BRIGHTNESS = 0, CONTRAST = 1, SATURATION = 3, COLOR_ENABLE = 6 };

int Clamp(int v)
{
    return v < 0 ? 0 : (v > 255 ? 255 : v);
}

Yuv ApplyProcAmp(Yuv c, const LONG* procAmp)
{
    int y = c.y + (int)((procAmp[BRIGHTNESS] - 5000) * 219 / 10000);
    y = 16 + (y - 16) * (int)procAmp[CONTRAST] / 5000;
    int u = 128 + (c.u - 128) * (int)procAmp[SATURATION] / 5000;
    int v = 128 + (c.v - 128) * (int)procAmp[SATURATION] / 5000;
    if (procAmp[COLOR_ENABLE] == 0)
        u = v = 128;
    return { Clamp(y), Clamp(u), Clamp(v) };
}

// Every drawing covers the whole frame, so each streaming thread keeps its buffer from frame
// to frame: a fresh one costs more in first-touch page faults than the drawing itself.
class Frame444
{
public:
    Frame444(LONG w, LONG h) : width(w), height(h), pixels(Buffer())
    {
        pixels.resize((size_t)w * h);
    }
    Yuv& At(LONG x, LONG y) { return pixels[(size_t)y * width + x]; }
    LONG width;
    LONG height;
    std::vector<Yuv>& pixels;

private:
    static std::vector<Yuv>& Buffer()
    {
        thread_local std::vector<Yuv> buffer;
        return buffer;
    }
};

void DrawBits(Frame444& f, LONG top, LONG bottom, DWORD word)
{
    for (LONG y = top; y < bottom; ++y) {
        for (LONG x = 0; x < f.width; ++x) {
            int cell = (int)(x * CELLS / f.width);
            f.At(x, y) = (word >> (31 - cell)) & 1 ? WHITE : BLACK;
        }
    }
}

void DrawSignal(Frame444& f, const SimPictureInput& in, DWORD frame)
{
    LONG w = f.width;
    LONG h = f.height;
    DrawBits(f, 0, h / 8, in.idWord);
    DrawBits(f, h / 8, h / 4, frame);
    int rotation = in.stationIndex > 0 ? in.stationIndex : 0;
    LONG stripe = (LONG)((8 * (ULONGLONG)frame) % (ULONGLONG)w);
    LONG stripeWidth = w / CELLS;
    Yuv bars[8];
    for (int i = 0; i < 8; ++i)
        bars[i] = ApplyProcAmp(BARS[(i + rotation) % 8], in.procAmp);
    Yuv white = ApplyProcAmp(WHITE, in.procAmp);
    for (LONG y = h / 4; y < h; ++y) {
        for (LONG x = 0; x < w; ++x) {
            bool inStripe = x >= stripe && x < stripe + stripeWidth;
            f.At(x, y) = inStripe ? white : bars[x * 8 / w];
        }
    }
}

void DrawNoise(Frame444& f, DWORD frame)
{
    DWORD state = frame * 2654435761u ^ 0x5EED1234u;
    if (state == 0)
        state = 1;
    for (Yuv& p : f.pixels) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        p = { 16 + (int)(state % 220), 128, 128 };
    }
}

void PackPacked422(const Frame444& f, int y0, int u, int y1, int v, BYTE* out)
{
    size_t i = 0;
    for (LONG y = 0; y < f.height; ++y) {
        const Yuv* row = &f.pixels[(size_t)y * f.width];
        for (LONG x = 0; x + 1 < f.width; x += 2) {
            BYTE quad[4];
            quad[y0] = (BYTE)row[x].y;
            quad[y1] = (BYTE)row[x + 1].y;
            quad[u] = (BYTE)((row[x].u + row[x + 1].u) / 2);
            quad[v] = (BYTE)((row[x].v + row[x + 1].v) / 2);
            for (BYTE b : quad)
                out[i++] = b;
        }
    }
}

// Y plane, then V and U planes subsampled by `sub` both ways (U first when uFirst).
void PackPlanar(const Frame444& f, LONG sub, bool uFirst, BYTE* out)
{
    size_t i = 0;
    for (const Yuv& p : f.pixels)
        out[i++] = (BYTE)p.y;
    for (int plane = 0; plane < 2; ++plane) {
        for (LONG y = 0; y < f.height / sub; ++y) {
            for (LONG x = 0; x < f.width / sub; ++x) {
                const Yuv& p = f.pixels[(size_t)y * sub * f.width + x * sub];
                out[i++] = (BYTE)((plane == 0) != uFirst ? p.v : p.u);
            }
        }
    }
}

void ToRgb(const Yuv& p, int* r, int* g, int* b)
{
    int c = p.y - 16;
    int d = p.u - 128;
    int e = p.v - 128;
    *r = Clamp((298 * c + 409 * e + 128) >> 8);
    *g = Clamp((298 * c - 100 * d - 208 * e + 128) >> 8);
    *b = Clamp((298 * c + 516 * d + 128) >> 8);
}

void PackRgb(const Frame444& f, WORD bits, bool topDown, BYTE* out)
{
    size_t stride = ((size_t)f.width * bits / 8 + 3) & ~(size_t)3;
    for (LONG y = 0; y < f.height; ++y) {
        BYTE* line = out + stride * (size_t)(topDown ? y : f.height - 1 - y);
        for (LONG x = 0; x < f.width; ++x) {
            int r, g, b;
            ToRgb(f.pixels[(size_t)y * f.width + x], &r, &g, &b);
            if (bits == 24) {
                line[3 * x] = (BYTE)b;
                line[3 * x + 1] = (BYTE)g;
                line[3 * x + 2] = (BYTE)r;
            } else {
                WORD w = (WORD)((r >> 3) << 10 | (g >> 3) << 5 | (b >> 3));
                line[2 * x] = (BYTE)w;
                line[2 * x + 1] = (BYTE)(w >> 8);
            }
        }
    }
}
}

void CSimPicture::Render(const SimPictureInput& input, DWORD frame, const SimVideoFormatInfo& format, LONG width,
                         LONG height, bool topDown, BYTE* out)
{
    Frame444 f(width, height);
    if (!input.outputEnabled) {
        for (Yuv& p : f.pixels)
            p = BLACK;
    } else if (input.signal) {
        DrawSignal(f, input, frame);
    } else {
        DrawNoise(f, frame);
    }
    switch (format.code) {
    case 6:
        PackPacked422(f, 1, 0, 3, 2, out);
        break;
    case 4:
        PackPlanar(f, 2, false, out);
        break;
    case 5:
        PackPlanar(f, 2, true, out);
        break;
    case 3:
        PackPlanar(f, 4, false, out);
        break;
    case 1:
    case 0:
        PackRgb(f, format.bitCount, topDown, out);
        break;
    default:
        // YUY2 and the two card formats, which carry YUY2 bytes.
        PackPacked422(f, 0, 1, 2, 3, out);
        break;
    }
}
