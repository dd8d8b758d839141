#pragma once

#include <windows.h>
#include <mmreg.h>

#include <vector>

// A wave format with room for the extra bytes a compressed format carries.
struct SimAcmFormat
{
    WAVEFORMATEX wave;
    BYTE extra[32];
};

// What the ACM Wrapper stand-in takes and offers, by codec: the device's instance value
// "Codec" chooses it, and a filter made by its class is PASS.
//   PASS     PCM in; out the input's own format first, then 16-bit PCM at each standard rate
//            with the input's channels (two before the input is connected).
//   PCM      PCM in; out the input format, copied.
//   MSADPCM  16-bit PCM at 8000-48000 Hz in; out Microsoft ADPCM at the input's rate.
//   MP2      16-bit stereo PCM at 32000, 44100 or 48000 Hz in; out Layer II at 224 kbit/s.
// A "Rates" switch ("44100 48000") keeps only the PASS rates it lists.
class CSimAcmFormats
{
public:
    enum Codec { kPass, kPcm, kMsAdpcm, kMp2, kCodecCount };
    // The MP2 codec's Layer II bit rate.
    enum { kMp2BitRate = 224000 };

    // rates: the switch's text; empty keeps every rate.
    explicit CSimAcmFormats(const char* rates);

    // False, codec unchanged, for a name no codec has.
    bool SetCodec(const char* name);
    const char* CodecName() const;

    bool AcceptsInput(const WAVEFORMATEX& input) const;
    // input: the connected input's format, or null.
    std::vector<SimAcmFormat> List(const WAVEFORMATEX* input) const;

    static SimAcmFormat Pcm(DWORD rate, WORD channels, WORD bits);
    // Tag 2 with the seven standard coefficient pairs, 256 bytes per channel and 11025 Hz.
    static SimAcmFormat MsAdpcm(DWORD rate, WORD channels);
    // Tag 0x50 (MPEG1WAVEFORMAT), Layer II, 224 kbit/s.
    static SimAcmFormat Mp2(DWORD rate, WORD channels);
    // PCM of 8 or 16 bits, one or two channels, with block size and byte rate that agree.
    static bool IsPlainPcm(const WAVEFORMATEX& format);
    static bool SameFormat(const WAVEFORMATEX& a, const WAVEFORMATEX& b);

private:
    bool Allowed(DWORD rate) const;
    std::vector<SimAcmFormat> PassList(const WAVEFORMATEX* input) const;

    std::vector<DWORD> m_allowed;
    Codec m_codec = kPass;
};
