#include "CSimAcmFormats.h"

#include <stdlib.h>
#include <string.h>

namespace
{
const DWORD kRates[] = {48000, 44100, 32000, 22050, 16000, 11025, 8000};
}

CSimAcmFormats::CSimAcmFormats(const char* rates)
{
    const char* p = rates;
    while (p && *p) {
        char* end = nullptr;
        unsigned long rate = strtoul(p, &end, 10);
        if (end == p) {
            ++p;
            continue;
        }
        m_allowed.push_back(rate);
        p = end;
    }
}

bool CSimAcmFormats::Allowed(DWORD rate) const
{
    if (m_allowed.empty())
        return true;
    for (DWORD allowed : m_allowed) {
        if (allowed == rate)
            return true;
    }
    return false;
}

std::vector<WAVEFORMATEX> CSimAcmFormats::List(const WAVEFORMATEX* input) const
{
    std::vector<WAVEFORMATEX> list;
    if (input && Allowed(input->nSamplesPerSec))
        list.push_back(Pcm(input->nSamplesPerSec, input->nChannels, input->wBitsPerSample));
    WORD channels = input ? input->nChannels : 2;
    for (DWORD rate : kRates) {
        WAVEFORMATEX format = Pcm(rate, channels, 16);
        if (Allowed(rate) && !(input && SameFormat(format, *input)))
            list.push_back(format);
    }
    return list;
}

WAVEFORMATEX CSimAcmFormats::Pcm(DWORD rate, WORD channels, WORD bits)
{
    WAVEFORMATEX format;
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = channels;
    format.nSamplesPerSec = rate;
    format.wBitsPerSample = bits;
    format.nBlockAlign = (WORD)(channels * bits / 8);
    format.nAvgBytesPerSec = rate * format.nBlockAlign;
    format.cbSize = 0;
    return format;
}

bool CSimAcmFormats::IsPlainPcm(const WAVEFORMATEX& format)
{
    return format.wFormatTag == WAVE_FORMAT_PCM && (format.wBitsPerSample == 8 || format.wBitsPerSample == 16) &&
           (format.nChannels == 1 || format.nChannels == 2) && format.nSamplesPerSec > 0 &&
           format.nBlockAlign == format.nChannels * format.wBitsPerSample / 8 &&
           format.nAvgBytesPerSec == format.nSamplesPerSec * format.nBlockAlign;
}

bool CSimAcmFormats::SameFormat(const WAVEFORMATEX& a, const WAVEFORMATEX& b)
{
    return a.wFormatTag == b.wFormatTag && a.nChannels == b.nChannels && a.nSamplesPerSec == b.nSamplesPerSec &&
           a.wBitsPerSample == b.wBitsPerSample && a.nBlockAlign == b.nBlockAlign;
}
