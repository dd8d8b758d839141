#pragma once

#include "MuxAudioParser.h"

// MPEG-1 audio, layers I to III: a header is 0xFF, a byte of at least 0xF0 with the MPEG-1
// bit set, a layer, a sampling index other than 3 and a bit-rate index below 15.
class MuxMpegAudioParser : public MuxAudioParser
{
public:
    int Layer() const { return m_layer; }

protected:
    uint32_t Codec() const override { return MUX_CODEC_MPEG_AUDIO; }
    int HeaderBytes() const override { return 4; }
    bool ReadHeader(const uint8_t* header, Frame* frame) override;

private:
    int m_layer = 0;
};
