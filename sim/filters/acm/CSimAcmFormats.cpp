#include "CSimAcmFormats.h"

#include "CSimMsAdpcmEncoder.h"

#include <stdlib.h>
#include <string.h>

namespace
{
const DWORD kRates[] = {48000, 44100, 32000, 22050, 16000, 11025, 8000};
// What an unconnected codec other than PASS offers: its output for this input.
const DWORD kDefaultRate = 44100;
const WORD kDefaultChannels = 2;

bool AnyPcm(const WAVEFORMATEX& input)
{
    return CSimAcmFormats::IsPlainPcm(input);
}

bool AdpcmInput(const WAVEFORMATEX& input)
{
    return CSimAcmFormats::IsPlainPcm(input) && input.wBitsPerSample == 16 && input.nSamplesPerSec >= 8000 &&
           input.nSamplesPerSec <= 48000;
}

// Layer II carries 224 kbit/s in stereo only.
bool Mp2Input(const WAVEFORMATEX& input)
{
    DWORD rate = input.nSamplesPerSec;
    return CSimAcmFormats::IsPlainPcm(input) && input.wBitsPerSample == 16 && input.nChannels == 2 &&
           (rate == 32000 || rate == 44100 || rate == 48000);
}

SimAcmFormat CopyOf(const WAVEFORMATEX* input)
{
    return input ? CSimAcmFormats::Pcm(input->nSamplesPerSec, input->nChannels, input->wBitsPerSample)
                 : CSimAcmFormats::Pcm(kDefaultRate, kDefaultChannels, 16);
}

SimAcmFormat AdpcmOf(const WAVEFORMATEX* input)
{
    return input ? CSimAcmFormats::MsAdpcm(input->nSamplesPerSec, input->nChannels)
                 : CSimAcmFormats::MsAdpcm(kDefaultRate, kDefaultChannels);
}

SimAcmFormat Mp2Of(const WAVEFORMATEX* input)
{
    return input ? CSimAcmFormats::Mp2(input->nSamplesPerSec, input->nChannels)
                 : CSimAcmFormats::Mp2(kDefaultRate, kDefaultChannels);
}

struct CodecRow
{
    const char* name;
    bool (*accepts)(const WAVEFORMATEX& input);
    // The one output format, for codecs that offer one; null lists PASS's table.
    SimAcmFormat (*output)(const WAVEFORMATEX* input);
};

const CodecRow kCodecs[] = {
    // name       accepts      output
    {"PASS",    AnyPcm,     nullptr},
    {"PCM",     AnyPcm,     CopyOf},
    {"MSADPCM", AdpcmInput, AdpcmOf},
    {"MP2",     Mp2Input,   Mp2Of},
};
static_assert(sizeof(kCodecs) / sizeof(kCodecs[0]) == CSimAcmFormats::kCodecCount, "one row per codec");
} // namespace

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

bool CSimAcmFormats::SetCodec(const char* name)
{
    for (int i = 0; i < kCodecCount; ++i) {
        if (lstrcmpiA(name, kCodecs[i].name) == 0) {
            m_codec = (Codec)i;
            return true;
        }
    }
    return false;
}

const char* CSimAcmFormats::CodecName() const
{
    return kCodecs[m_codec].name;
}

bool CSimAcmFormats::AcceptsInput(const WAVEFORMATEX& input) const
{
    return kCodecs[m_codec].accepts(input);
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

std::vector<SimAcmFormat> CSimAcmFormats::List(const WAVEFORMATEX* input) const
{
    const CodecRow& codec = kCodecs[m_codec];
    if (codec.output == nullptr)
        return PassList(input);
    if (input && !codec.accepts(*input))
        return std::vector<SimAcmFormat>();
    return std::vector<SimAcmFormat>(1, codec.output(input));
}

std::vector<SimAcmFormat> CSimAcmFormats::PassList(const WAVEFORMATEX* input) const
{
    std::vector<SimAcmFormat> list;
    if (input && Allowed(input->nSamplesPerSec))
        list.push_back(Pcm(input->nSamplesPerSec, input->nChannels, input->wBitsPerSample));
    WORD channels = input ? input->nChannels : 2;
    for (DWORD rate : kRates) {
        SimAcmFormat format = Pcm(rate, channels, 16);
        if (Allowed(rate) && !(input && SameFormat(format.wave, *input)))
            list.push_back(format);
    }
    return list;
}

SimAcmFormat CSimAcmFormats::Pcm(DWORD rate, WORD channels, WORD bits)
{
    SimAcmFormat format = {};
    WAVEFORMATEX& wave = format.wave;
    wave.wFormatTag = WAVE_FORMAT_PCM;
    wave.nChannels = channels;
    wave.nSamplesPerSec = rate;
    wave.wBitsPerSample = bits;
    wave.nBlockAlign = (WORD)(channels * bits / 8);
    wave.nAvgBytesPerSec = rate * wave.nBlockAlign;
    wave.cbSize = 0;
    return format;
}

SimAcmFormat CSimAcmFormats::MsAdpcm(DWORD rate, WORD channels)
{
    static_assert(sizeof(WAVEFORMATEX) + 4 + 4 * CSimMsAdpcmEncoder::kCoefficientCount == 18 + 32,
                  "the format's 32 extra bytes");
    SimAcmFormat format = {};
    WAVEFORMATEX& wave = format.wave;
    DWORD scale = rate / 11025 > 1 ? rate / 11025 : 1;
    int samplesPerBlock;
    wave.wFormatTag = WAVE_FORMAT_ADPCM;
    wave.nChannels = channels;
    wave.nSamplesPerSec = rate;
    wave.wBitsPerSample = 4;
    wave.nBlockAlign = (WORD)(256 * channels * scale);
    samplesPerBlock = CSimMsAdpcmEncoder::SamplesPerBlock(wave.nBlockAlign, channels);
    wave.nAvgBytesPerSec = (DWORD)((ULONGLONG)rate * wave.nBlockAlign / samplesPerBlock);
    wave.cbSize = 32;
    ADPCMWAVEFORMAT* adpcm = reinterpret_cast<ADPCMWAVEFORMAT*>(&format);
    adpcm->wSamplesPerBlock = (WORD)samplesPerBlock;
    adpcm->wNumCoef = CSimMsAdpcmEncoder::kCoefficientCount;
    for (int i = 0; i < CSimMsAdpcmEncoder::kCoefficientCount; ++i) {
        adpcm->aCoef[i].iCoef1 = CSimMsAdpcmEncoder::kCoefficients[i][0];
        adpcm->aCoef[i].iCoef2 = CSimMsAdpcmEncoder::kCoefficients[i][1];
    }
    return format;
}

SimAcmFormat CSimAcmFormats::Mp2(DWORD rate, WORD channels)
{
    static_assert(sizeof(MPEG1WAVEFORMAT) == sizeof(WAVEFORMATEX) + 22, "the format's 22 extra bytes");
    SimAcmFormat format = {};
    MPEG1WAVEFORMAT* mpeg = reinterpret_cast<MPEG1WAVEFORMAT*>(&format);
    WAVEFORMATEX& wave = format.wave;
    wave.wFormatTag = WAVE_FORMAT_MPEG;
    wave.nChannels = channels;
    wave.nSamplesPerSec = rate;
    wave.nAvgBytesPerSec = kMp2BitRate / 8;
    // Padded frames differ in size by a byte: the stream is counted in bytes.
    wave.nBlockAlign = 1;
    wave.wBitsPerSample = 0;
    wave.cbSize = 22;
    mpeg->fwHeadLayer = ACM_MPEG_LAYER2;
    mpeg->dwHeadBitrate = kMp2BitRate;
    mpeg->fwHeadMode = channels == 1 ? ACM_MPEG_SINGLECHANNEL : ACM_MPEG_STEREO;
    mpeg->fwHeadModeExt = 1;
    mpeg->wHeadEmphasis = 1;
    mpeg->fwHeadFlags = ACM_MPEG_ID_MPEG1;
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
