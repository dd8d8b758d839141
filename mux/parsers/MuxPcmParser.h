#pragma once

#include "MuxAudioParser.h"

// 16-bit PCM and DVD LPCM at 48000 or 96000 Hz: frames of 80 or 160 samples per channel,
// 45,000 ticks apart, after a 4-byte stream header "CP" (flags, 0x80) reported as a unit of
// its own with the time -1. PCM arrives little-endian and goes in big-endian, as LPCM is.
class MuxPcmParser : public MuxAudioParser
{
public:
    // littleEndian: the samples need turning round (MEDIASUBTYPE_PCM).
    void SetFormat(int rate, int channels, bool littleEndian);

    void Reset() override;
    HRESULT Parse(const uint8_t* data, int bytes, LONGLONG sampleStart) override;
    // A short last frame is filled up with silence.
    HRESULT EndOfStream() override;

    int FrameBytes() const;

protected:
    uint32_t Codec() const override { return MUX_CODEC_LPCM; }
    int HeaderBytes() const override { return 1; }
    bool ReadHeader(const uint8_t*, Frame*) override { return false; }

private:
    HRESULT WriteStreamHeader(const uint8_t* data, int bytes);
    HRESULT PassFrames();
    int FrameSamples() const { return m_rate == 96000 ? 160 : 80; }

    bool m_littleEndian = false;
    bool m_headerDone = false;
};
