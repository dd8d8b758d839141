#pragma once

#include <stdint.h>

#include <vector>

// Writes a bit stream most significant bit first, as every MPEG syntax element is laid out.
class CSimBitWriter
{
public:
    explicit CSimBitWriter(std::vector<uint8_t>& out) : m_out(out) {}
    ~CSimBitWriter() { Align(); }
    CSimBitWriter(const CSimBitWriter&) = delete;
    CSimBitWriter& operator=(const CSimBitWriter&) = delete;

    // The low count bits of value (count up to 32).
    void Put(uint32_t value, int count);
    // Pads the current byte with zero bits.
    void Align();
    // A byte-aligned start code 00 00 01 code.
    void StartCode(uint8_t code);
    // Bits written since construction.
    uint64_t BitCount() const { return m_bits; }

private:
    std::vector<uint8_t>& m_out;
    uint32_t m_accumulator = 0;
    int m_pending = 0;
    uint64_t m_bits = 0;
};
