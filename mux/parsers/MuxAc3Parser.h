#pragma once

#include "MuxAudioParser.h"

// AC-3: the sync word 0x0B77 in either byte order, the order of the first frame kept for the
// stream. A swapped frame is turned round before it goes into the buffer, so the engine
// always sees the standard order.
class MuxAc3Parser : public MuxAudioParser
{
public:
    void Reset() override;
    // 0 until the first frame, then 1 for the standard order and 2 for swapped bytes.
    int ByteOrder() const { return m_order; }

protected:
    uint32_t Codec() const override { return MUX_CODEC_AC3; }
    int HeaderBytes() const override { return 8; }
    bool ReadHeader(const uint8_t* header, Frame* frame) override;
    void Prepare(uint8_t* data, int size) override;

private:
    int m_order = 0;
};
