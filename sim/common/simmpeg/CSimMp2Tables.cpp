#include "CSimMp2Tables.h"

#include <math.h>

namespace
{
const int kBitRates[15] = {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384};

// levels, bits, grouped, SNR of the class
const SimMp2Class kClasses[17] = {
    {3, 5, true, 7.00},        {5, 7, true, 11.00},       {7, 3, false, 16.00},     {9, 10, true, 20.84},
    {15, 4, false, 25.28},     {31, 5, false, 31.59},     {63, 6, false, 37.75},    {127, 7, false, 43.84},
    {255, 8, false, 49.89},    {511, 9, false, 55.93},    {1023, 10, false, 61.96}, {2047, 11, false, 67.98},
    {4095, 12, false, 74.01},  {8191, 13, false, 80.03},  {16383, 14, false, 86.05}, {32767, 15, false, 92.01},
    {65535, 16, false, 98.01},
};

// Rows of classes by allocation value 1 .. 2^nbal - 1.
const int kRowA[15] = {0, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
const int kRowB[15] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 16};
const int kRowC[7] = {0, 1, 2, 3, 4, 5, 16};
const int kRowD[3] = {0, 1, 16};
const int kRowE[15] = {0, 1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
const int kRowF[7] = {0, 1, 3, 4, 5, 6, 7};

const int kNbalAB[30] = {4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 2, 2, 2, 2, 2, 2, 2};
const int* const kClassesAB[30] = {kRowA, kRowA, kRowA, kRowB, kRowB, kRowB, kRowB, kRowB, kRowB, kRowB,
                                   kRowB, kRowC, kRowC, kRowC, kRowC, kRowC, kRowC, kRowC, kRowC, kRowC,
                                   kRowC, kRowC, kRowC, kRowD, kRowD, kRowD, kRowD, kRowD, kRowD, kRowD};
const int kNbalCD[12] = {4, 4, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3};
const int* const kClassesCD[12] = {kRowE, kRowE, kRowF, kRowF, kRowF, kRowF,
                                   kRowF, kRowF, kRowF, kRowF, kRowF, kRowF};

const SimMp2AllocTable kTableA = {27, kNbalAB, kClassesAB};
const SimMp2AllocTable kTableB = {30, kNbalAB, kClassesAB};
const SimMp2AllocTable kTableC = {8, kNbalCD, kClassesCD};
const SimMp2AllocTable kTableD = {12, kNbalCD, kClassesCD};

struct PrototypeWindow
{
    double c[512];
    PrototypeWindow()
    {
        // A Blackman-windowed sinc with its cut-off at half a subband's width, scaled so a
        // tone at a subband's centre comes out of the analysis at its own amplitude.
        const double pi = 3.14159265358979323846;
        double sum = 0;
        for (int n = 0; n < 512; ++n) {
            double t = (n - 256) / 64.0;
            double sinc = t == 0 ? 1.0 : sin(pi * t) / (pi * t);
            double w = 0.42 - 0.5 * cos(2 * pi * n / 512.0) + 0.08 * cos(4 * pi * n / 512.0);
            c[n] = sinc * w;
            sum += c[n];
        }
        for (int n = 0; n < 512; ++n) {
            c[n] *= 2.0 / sum;
            if ((n / 64) % 2 == 1)
                c[n] = -c[n];
        }
    }
};
}

int CSimMp2Tables::BitRate(int index)
{
    return index >= 1 && index <= 14 ? kBitRates[index] : 0;
}

int CSimMp2Tables::RateCode(int sampleRate)
{
    switch (sampleRate) {
    case 44100: return 0;
    case 48000: return 1;
    case 32000: return 2;
    }
    return -1;
}

int CSimMp2Tables::RateOfCode(int code)
{
    static const int rates[3] = {44100, 48000, 32000};
    return code >= 0 && code < 3 ? rates[code] : 0;
}

double CSimMp2Tables::ScaleFactor(int index)
{
    struct Factors
    {
        double v[64];
        Factors()
        {
            for (int i = 0; i < 64; ++i)
                v[i] = pow(2.0, 1.0 - i / 3.0);
        }
    };
    static const Factors factors;
    return factors.v[index & 63];
}

const SimMp2Class& CSimMp2Tables::Class(int index)
{
    return kClasses[index];
}

const SimMp2AllocTable& CSimMp2Tables::AllocTable(int sampleRate, int bitRateKbps, int channels)
{
    int perChannel = bitRateKbps / (channels > 1 ? 2 : 1);
    if ((sampleRate == 48000 && perChannel >= 56) || (perChannel >= 56 && perChannel <= 80))
        return kTableA;
    if (sampleRate != 48000 && perChannel >= 96)
        return kTableB;
    if (sampleRate != 32000 && perChannel <= 48)
        return kTableC;
    return kTableD;
}

const double* CSimMp2Tables::Window()
{
    static const PrototypeWindow window;
    return window.c;
}
