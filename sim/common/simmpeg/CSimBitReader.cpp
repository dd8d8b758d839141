#include "CSimBitReader.h"

uint32_t CSimBitReader::Peek(int count) const
{
    uint32_t value = 0;
    uint64_t at = m_position;
    for (int i = 0; i < count; ++i, ++at) {
        uint32_t bit = 0;
        if (at < (uint64_t)m_size * 8)
            bit = (m_data[at >> 3] >> (7 - (at & 7))) & 1;
        value = (value << 1) | bit;
    }
    return value;
}

uint32_t CSimBitReader::Get(int count)
{
    uint32_t value = Peek(count);
    m_position += count;
    return value;
}
