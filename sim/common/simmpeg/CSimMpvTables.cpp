#include "CSimMpvTables.h"

const uint8_t CSimMpvTables::kZigzag[64] = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63,
};

const uint8_t CSimMpvTables::kIntraMatrix[64] = {
    8,  16, 19, 22, 26, 27, 29, 34, //
    16, 16, 22, 24, 27, 29, 34, 37, //
    19, 22, 26, 27, 29, 34, 34, 38, //
    22, 22, 26, 27, 29, 34, 37, 40, //
    22, 26, 27, 29, 32, 35, 40, 48, //
    26, 27, 29, 32, 35, 40, 48, 58, //
    26, 27, 29, 34, 38, 46, 56, 69, //
    27, 29, 35, 38, 46, 56, 69, 83, //
};

// Index = dct_dc_size.
const SimVlc CSimMpvTables::kDcLumaSize[12] = {
    {0x4, 3}, {0x0, 2}, {0x1, 2}, {0x5, 3}, {0x6, 3}, {0xE, 4},
    {0x1E, 5}, {0x3E, 6}, {0x7E, 7}, {0xFE, 8}, {0x1FE, 9}, {0x1FF, 9},
};
const SimVlc CSimMpvTables::kDcChromaSize[12] = {
    {0x0, 2}, {0x1, 2}, {0x2, 2}, {0x6, 3}, {0xE, 4}, {0x1E, 5},
    {0x3E, 6}, {0x7E, 7}, {0xFE, 8}, {0x1FE, 9}, {0x3FE, 10}, {0x3FF, 10},
};

// run, level, code, length (intra blocks: the 2-bit "11" form of run 0 level 1).
const SimRunLevelCode CSimMpvTables::kAcCodes[] = {
    {0, 1, 0x3, 2},   {1, 1, 0x3, 3},   {0, 2, 0x4, 4},   {2, 1, 0x5, 4},   {0, 3, 0x5, 5},
    {3, 1, 0x7, 5},   {4, 1, 0x6, 5},   {1, 2, 0x6, 6},   {5, 1, 0x7, 6},   {6, 1, 0x5, 6},
    {7, 1, 0x4, 6},   {0, 4, 0x6, 7},   {2, 2, 0x4, 7},   {8, 1, 0x7, 7},   {9, 1, 0x5, 7},
    {0, 5, 0x26, 8},  {0, 6, 0x21, 8},  {1, 3, 0x25, 8},  {3, 2, 0x24, 8},  {10, 1, 0x27, 8},
    {11, 1, 0x23, 8}, {12, 1, 0x22, 8}, {13, 1, 0x20, 8}, {0, 7, 0xA, 10},  {1, 4, 0xC, 10},
    {2, 3, 0xB, 10},  {4, 2, 0xF, 10},  {5, 2, 0x9, 10},  {14, 1, 0xE, 10}, {15, 1, 0xD, 10},
    {16, 1, 0x8, 10},
};
const int CSimMpvTables::kAcCodeCount = sizeof(kAcCodes) / sizeof(kAcCodes[0]);

const SimRunLevelCode* CSimMpvTables::FindAc(int run, int level)
{
    for (int i = 0; i < kAcCodeCount; ++i) {
        if (kAcCodes[i].run == run && kAcCodes[i].level == level)
            return &kAcCodes[i];
    }
    return nullptr;
}
