#pragma once

#include <windows.h>

// The MPEG-4 codec's settings as its dialog keeps them under HKCU\Software\GNU\XviD, and as
// the 20-byte state block of IAMVfwCompressDialogs carries them (five DWORDs in this order).
struct CSimXvidSettings
{
    enum Mode { kRateControl = 0, kFixedQuant = 1, kQuality = 2 };
    enum { kStateSize = 5 * sizeof(DWORD) };

    DWORD mode = kFixedQuant;
    DWORD bitRate = 1100000;
    DWORD quality = 85;
    DWORD quant = 7;
    DWORD fourccUsed = 0;

    // Missing values keep their defaults.
    static CSimXvidSettings Load();
    bool Save() const;

    void ToState(BYTE* state) const;
    static CSimXvidSettings FromState(const BYTE* state);

    // 'XVID', 'DIVX' or 'DX50' (an unknown choice reads as the first).
    DWORD Fourcc() const;
    // The quantiser of the fixed modes; rate control starts from the fixed one.
    int FixedQuant() const;
};
