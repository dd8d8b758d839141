#include "CSimTunerProfiles.h"

namespace
{
// FM divider steps in quarter kHz.
const DWORD STEP_31_25 = 125;
const DWORD STEP_50    = 200;

const SimTunerProfile BUILTIN_PROFILES[] = {
    // id  name            TV IF  L' IF  split 1  split 2  band bytes        CB    FM FM CB FM BB demod FM IF  FM step     codes +125 +62.5 tune -62.5 -125  FM lock chip
    {   4, "TCL2002MI_3",  38900,     0, 170000,  450000, {0x01, 0x02, 0x08}, 0xCE, 0, 0x00, 0x00, 0,        0, 0,          {4, 3, 2, 1, 0},                   4, SIM_CHIP_PLL },
    {  11, "TCL2002MI_1F", 38900,     0, 170000,  450000, {0xA0, 0x90, 0x30}, 0xCE, 1, 0x8A, 0xA5, 0,    10700, STEP_31_25, {4, 3, 2, 1, 0},                   4, SIM_CHIP_PLL },
    {  92, "PHILIPS1216",  38900, 33900, 160000,  442000, {0x01, 0x02, 0x04}, 0xCE, 1, 0x88, 0x19, 1,    10700, STEP_50,    {4, 2, 3, 1, 0},                   4, SIM_CHIP_PLL },
    // Chips without a PLL byte protocol: their own models decode the bus (CSimCard_Chips.cpp).
    {  95, "PHILIPSTDA8275A", 0,     0,      0,       0, {0x00, 0x00, 0x00}, 0x00, 0, 0x00, 0x00, 0,        0, 0,          {0, 0, 0, 0, 0},                   0, SIM_CHIP_SILICON },
    {  91, "XCEIVE2028",   0,         0,      0,       0, {0x00, 0x00, 0x00}, 0x00, 0, 0x00, 0x00, 0,        0, 0,          {0, 0, 0, 0, 0},                   0, SIM_CHIP_REGISTER_TABLE },
};
const int BUILTIN_COUNT = 5;
static_assert(sizeof(BUILTIN_PROFILES) / sizeof(BUILTIN_PROFILES[0]) == BUILTIN_COUNT,
              "profile table and its count disagree");
}

const SimTunerProfile* CSimTunerProfiles::Find(const SimConfig& config, DWORD id)
{
    for (DWORD i = 0; i < config.profileDefCount && i < (DWORD)SIM_MAX_PROFILE_DEFS; ++i) {
        if (config.profileDefs[i].id == id)
            return &config.profileDefs[i];
    }
    for (const SimTunerProfile& p : BUILTIN_PROFILES) {
        if (p.id == id)
            return &p;
    }
    return NULL;
}

int CSimTunerProfiles::BuiltinCount()
{
    return BUILTIN_COUNT;
}

const SimTunerProfile& CSimTunerProfiles::Builtin(int index)
{
    return BUILTIN_PROFILES[index];
}
