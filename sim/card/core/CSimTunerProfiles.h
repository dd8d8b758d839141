#pragma once

#include "SimShared.h"

// The PLL tuner modules the card can carry: built-in rows typed from the modules' data
// tables, plus rows a test adds to one card (`profiledef`).
class CSimTunerProfiles
{
public:
    enum { FALLBACK_ID = 4 };

    // The card's own row for id, else the built-in one; NULL when neither exists.
    static const SimTunerProfile* Find(const SimConfig& config, DWORD id);
    static int BuiltinCount();
    static const SimTunerProfile& Builtin(int index);
};
