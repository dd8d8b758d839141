#pragma once

#include <stddef.h>
#include <stdint.h>

// Reads a bit stream most significant bit first. Reading past the end gives zero bits and
// sets Overrun, so a damaged stream ends a decode instead of reading foreign memory.
class CSimBitReader
{
public:
    CSimBitReader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    uint32_t Get(int count);
    uint32_t Peek(int count) const;
    void Skip(int count) { m_position += count; }
    void Align() { m_position = (m_position + 7) & ~(uint64_t)7; }
    bool Overrun() const { return m_position > (uint64_t)m_size * 8; }
    uint64_t Position() const { return m_position; }
    size_t BitsLeft() const { return Overrun() ? 0 : (size_t)(m_size * 8 - m_position); }

private:
    const uint8_t* m_data;
    size_t m_size;
    uint64_t m_position = 0;
};
