#pragma once

#include "CSimCard.h"

// The card's sound, buffer by buffer: a sine that continues its phase from one buffer to
// the next, noise, or silence, the same on every channel, as 8- or 16-bit PCM.
class CSimSound
{
public:
    CSimSound();
    void Render(const SimSoundInput& input, DWORD samplesPerSec, WORD channels, WORD bitsPerSample, BYTE* out,
                DWORD bytes);

private:
    double NextSample(const SimSoundInput& input, DWORD samplesPerSec);

    double m_phase;
    DWORD m_noise;
};
