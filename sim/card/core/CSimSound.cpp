#include "CSimSound.h"

#include <math.h>

namespace
{
const double TWO_PI = 6.283185307179586;
}

CSimSound::CSimSound() : m_phase(0), m_noise(0x1234567)
{
}

double CSimSound::NextSample(const SimSoundInput& input, DWORD samplesPerSec)
{
    switch (input.kind) {
    case SimSoundInput::SOUND_TONE: {
        double value = input.amplitude * sin(m_phase);
        m_phase = fmod(m_phase + TWO_PI * input.frequency / samplesPerSec, TWO_PI);
        return value;
    }
    case SimSoundInput::SOUND_NOISE:
        m_noise ^= m_noise << 13;
        m_noise ^= m_noise >> 17;
        m_noise ^= m_noise << 5;
        return input.amplitude * ((double)(m_noise % 65536) / 32768.0 - 1.0);
    default:
        return 0;
    }
}

void CSimSound::Render(const SimSoundInput& input, DWORD samplesPerSec, WORD channels, WORD bitsPerSample,
                       BYTE* out, DWORD bytes)
{
    DWORD frameBytes = (DWORD)channels * bitsPerSample / 8;
    if (frameBytes == 0 || samplesPerSec == 0)
        return;
    for (DWORD at = 0; at + frameBytes <= bytes; at += frameBytes) {
        double value = NextSample(input, samplesPerSec);
        for (WORD c = 0; c < channels; ++c) {
            if (bitsPerSample == 8) {
                out[at + c] = (BYTE)lround(128 + value * 127);
            } else {
                short s = (short)lround(value * 32767);
                out[at + 2 * c] = (BYTE)s;
                out[at + 2 * c + 1] = (BYTE)(s >> 8);
            }
        }
    }
}
