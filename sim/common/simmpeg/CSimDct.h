#pragma once

// The 8x8 two-dimensional DCT with the scaling of the MPEG video standards (the DC term is
// eight times the block mean). Separable, in floating point: fast enough for the picture
// sizes of a TV card.
class CSimDct
{
public:
    static void Forward(const float in[64], float out[64]);
    static void Inverse(const float in[64], float out[64]);
};
