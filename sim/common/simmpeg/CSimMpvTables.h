#pragma once

#include <stdint.h>

// Fixed tables of MPEG-1/2 video (ISO/IEC 11172-2 and 13818-2, Annex B): the zigzag scan,
// the default intra quantiser matrix, the dct_dc_size codes and the shorter codes of the
// intra AC coefficient table (table zero). Run/level pairs without a code here go out as
// escapes, which every decoder reads.
struct SimVlc
{
    uint16_t code;
    uint8_t length;
};

struct SimRunLevelCode
{
    uint8_t run;
    uint8_t level;
    uint16_t code; // without the sign bit
    uint8_t length;
};

class CSimMpvTables
{
public:
    static const uint8_t kZigzag[64];
    static const uint8_t kIntraMatrix[64]; // raster order
    static const SimVlc kDcLumaSize[12];
    static const SimVlc kDcChromaSize[12];
    static const SimRunLevelCode kAcCodes[];
    static const int kAcCodeCount;

    // The code for a run and absolute level, or null when it must be escaped.
    static const SimRunLevelCode* FindAc(int run, int level);
};
