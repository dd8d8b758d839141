#include "CSimDct.h"

#include <math.h>

namespace
{
// basis[u][x] = c(u)/2 * cos((2x+1)u pi/16), c(0) = 1/sqrt(2).
struct Basis
{
    float v[8][8];
    Basis()
    {
        const double pi = 3.14159265358979323846;
        for (int u = 0; u < 8; ++u) {
            double c = u == 0 ? sqrt(0.5) : 1.0;
            for (int x = 0; x < 8; ++x)
                v[u][x] = (float)(c / 2.0 * cos((2 * x + 1) * u * pi / 16.0));
        }
    }
};

const Basis& TheBasis()
{
    static const Basis basis;
    return basis;
}
}

void CSimDct::Forward(const float in[64], float out[64])
{
    const Basis& b = TheBasis();
    float rows[64];
    for (int y = 0; y < 8; ++y)
        for (int u = 0; u < 8; ++u) {
            float s = 0;
            for (int x = 0; x < 8; ++x)
                s += b.v[u][x] * in[y * 8 + x];
            rows[y * 8 + u] = s;
        }
    for (int u = 0; u < 8; ++u)
        for (int v = 0; v < 8; ++v) {
            float s = 0;
            for (int y = 0; y < 8; ++y)
                s += b.v[v][y] * rows[y * 8 + u];
            out[v * 8 + u] = s;
        }
}

void CSimDct::Inverse(const float in[64], float out[64])
{
    const Basis& b = TheBasis();
    float cols[64];
    for (int u = 0; u < 8; ++u)
        for (int y = 0; y < 8; ++y) {
            float s = 0;
            for (int v = 0; v < 8; ++v)
                s += b.v[v][y] * in[v * 8 + u];
            cols[y * 8 + u] = s;
        }
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            float s = 0;
            for (int u = 0; u < 8; ++u)
                s += b.v[u][x] * cols[y * 8 + u];
            out[y * 8 + x] = s;
        }
}
