#pragma once

#include "MuxAudioParser.h"

// AAC in ADTS frames: 0xFF, a byte of at least 0xF0, the version bit, the profile, the
// sampling index and the 13-bit frame length. The format's two configuration values go to
// the engine before the first frame.
class MuxAdtsParser : public MuxAudioParser
{
public:
    // The 16-bit word and the 32-bit value that follow the format's extra-size field.
    void SetConfiguration(uint16_t word, uint32_t value)
    {
        m_configWord = word;
        m_configValue = value;
    }
    int Profile() const { return m_profile; }
    int Version() const { return m_version; }

protected:
    uint32_t Codec() const override { return MUX_CODEC_AAC; }
    int HeaderBytes() const override { return 7; }
    bool ReadHeader(const uint8_t* header, Frame* frame) override;
    HRESULT StreamStart(const uint8_t* data, int bytes) override;

private:
    uint16_t m_configWord = 0;
    uint32_t m_configValue = 0;
    int m_profile = 0;
    int m_version = 0;
};
