#pragma once

#include <stdint.h>

#include <vector>

// Reads the bits of one H.264 NAL unit payload, most significant first, with the emulation
// prevention bytes (00 00 03) already taken out. Reading past the end gives zeros and sets
// the overrun flag, so a cut parameter set is noticed once, after parsing.
class MuxBitReader
{
public:
    MuxBitReader(const uint8_t* data, int bytes);

    uint32_t Bits(int count);
    bool Flag() { return Bits(1) != 0; }
    void Skip(int count);
    // Exp-Golomb codes: ue(v) and se(v).
    uint32_t Unsigned();
    int32_t Signed();
    bool Overrun() const { return m_overrun; }

    // The payload of a NAL unit (after its header byte) without emulation prevention bytes.
    static std::vector<uint8_t> Unescape(const uint8_t* data, int bytes);

private:
    const uint8_t* m_data;
    int m_bits;
    int m_at = 0;
    bool m_overrun = false;
};
