#pragma once

#include <stdint.h>

// Fixed tables of MPEG-1 audio Layer II (ISO/IEC 11172-3): bit rates, sample rates, scale
// factors, quantisation classes, the four bit-allocation tables and the filter bank's
// prototype window. The window is our own low-pass design, not the standard's table:
// any prototype makes a valid stream, and this one rebuilds a tone well enough.
struct SimMp2Class
{
    int levels;
    int bits;     // per sample, or per group of three when grouped
    bool grouped;
    double snrDb;
};

struct SimMp2AllocTable
{
    int sblimit;
    const int* nbal;           // per subband
    const int* const* classes; // per subband: class index of allocation 1 .. 2^nbal - 1
};

class CSimMp2Tables
{
public:
    static const int kFrameSamples = 1152;
    static const int kSubbands = 32;

    // kbit/s of a bit-rate index 1-14, 0 for others.
    static int BitRate(int index);
    // The sampling_frequency code of a rate (0 44100, 1 48000, 2 32000), -1 for others.
    static int RateCode(int sampleRate);
    static int RateOfCode(int code);
    static double ScaleFactor(int index); // 0..62
    static const SimMp2Class& Class(int index);
    // The allocation table a stream of that rate and channel count uses.
    static const SimMp2AllocTable& AllocTable(int sampleRate, int bitRateKbps, int channels);
    // The analysis window C[0..511] (sign-folded as the filter bank uses it).
    static const double* Window();
};
