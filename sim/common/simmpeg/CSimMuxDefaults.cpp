#include "CSimMuxDefaults.h"

#include <string.h>

namespace
{
enum Flags { kHeaderEveryPack = 1, kPadPacks = 2, kEndCode = 4 };

// One row per preset: kind, pack size, mux rate (bit/s, 0 = from the streams), flags.
struct Preset
{
    int id;
    int kind;
    uint32_t packSize;
    uint32_t muxRate;
    uint32_t flags;
};

const Preset kPresets[] = {
    {0, CSimMuxDefaults::kSystem, 2048, 0, kEndCode},
    {1, CSimMuxDefaults::kSystem, 2324, 1411200, kHeaderEveryPack | kPadPacks | kEndCode},
    {2, CSimMuxDefaults::kProgram, 2048, 0, kEndCode},
    {3, CSimMuxDefaults::kProgram, 2324, 0, kPadPacks | kEndCode},
    {4, CSimMuxDefaults::kProgram, 2048, 10080000, kPadPacks | kEndCode},
};
}

uint32_t CSimMuxDefaults::Read32(const uint8_t* block, int offset)
{
    return (uint32_t)block[offset] | (uint32_t)block[offset + 1] << 8 | (uint32_t)block[offset + 2] << 16 |
           (uint32_t)block[offset + 3] << 24;
}

void CSimMuxDefaults::Write32(uint8_t* block, int offset, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        block[offset + i] = (uint8_t)(value >> (8 * i));
}

bool CSimMuxDefaults::Fill(int preset, uint8_t block[kSize])
{
    memset(block, 0, kSize);
    for (const Preset& p : kPresets) {
        if (p.id != preset)
            continue;
        Write32(block, 0, kSize);
        Write32(block, 4, p.kind);
        Write32(block, 8, p.packSize);
        Write32(block, 12, p.muxRate);
        Write32(block, 16, 229376); // video STD buffer
        Write32(block, 20, 4096);   // audio STD buffer
        Write32(block, 24, p.flags);
        Write32(block, 44, (uint32_t)preset);
        Write32(block, 52, 0xE0);
        Write32(block, 56, 0xC0);
        Write32(block, 60, 0x80);
        return true;
    }
    return false;
}
