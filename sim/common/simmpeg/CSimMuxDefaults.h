#pragma once

#include <stdint.h>

// The multiplexer settings block (108 bytes, little-endian) of the program-stream presets
// 0-4 (MPEG-1, VCD, MPEG-2, SVCD, DVD), as the MPEG encoder stand-in fills it.
class CSimMuxDefaults
{
public:
    enum { kSize = 108 };
    enum Kind { kSystem = 0, kProgram = 1 };

    // False for a preset that does not exist (the block is then left zeroed).
    static bool Fill(int preset, uint8_t block[kSize]);
    static uint32_t Read32(const uint8_t* block, int offset);
    static void Write32(uint8_t* block, int offset, uint32_t value);
};
