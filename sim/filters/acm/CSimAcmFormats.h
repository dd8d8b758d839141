#pragma once

#include <windows.h>
#include <mmreg.h>

#include <vector>

// The formats the ACM Wrapper stand-in offers on its output: the input's own format first,
// then 16-bit PCM at each standard rate with the input's channels (two before the input is
// connected). A "Rates" switch ("44100 48000") keeps only the rates it lists.
class CSimAcmFormats
{
public:
    // rates: the switch's text; empty keeps every rate.
    explicit CSimAcmFormats(const char* rates);

    // input: the connected input's format, or null.
    std::vector<WAVEFORMATEX> List(const WAVEFORMATEX* input) const;

    static WAVEFORMATEX Pcm(DWORD rate, WORD channels, WORD bits);
    // PCM of 8 or 16 bits, one or two channels, with block size and byte rate that agree.
    static bool IsPlainPcm(const WAVEFORMATEX& format);
    static bool SameFormat(const WAVEFORMATEX& a, const WAVEFORMATEX& b);

private:
    bool Allowed(DWORD rate) const;

    std::vector<DWORD> m_allowed;
};
