#include "MuxBitReader.h"

MuxBitReader::MuxBitReader(const uint8_t* data, int bytes) : m_data(data), m_bits(bytes * 8)
{
}

uint32_t MuxBitReader::Bits(int count)
{
    uint32_t value = 0;
    for (int i = 0; i < count; ++i) {
        uint32_t bit = 0;
        if (m_at < m_bits)
            bit = (m_data[m_at >> 3] >> (7 - (m_at & 7))) & 1;
        else
            m_overrun = true;
        ++m_at;
        value = (value << 1) | bit;
    }
    return value;
}

void MuxBitReader::Skip(int count)
{
    m_at += count;
    if (m_at > m_bits)
        m_overrun = true;
}

uint32_t MuxBitReader::Unsigned()
{
    int zeros = 0;
    while (Bits(1) == 0) {
        // A code longer than 32 bits is no valid value: the data is broken.
        if (++zeros > 31 || m_overrun) {
            m_overrun = true;
            return 0;
        }
    }
    return ((1u << zeros) - 1) + Bits(zeros);
}

int32_t MuxBitReader::Signed()
{
    uint32_t code = Unsigned();
    int32_t magnitude = static_cast<int32_t>((code + 1) / 2);
    return (code & 1) ? magnitude : -magnitude;
}

std::vector<uint8_t> MuxBitReader::Unescape(const uint8_t* data, int bytes)
{
    std::vector<uint8_t> out;
    out.reserve(bytes);
    int zeros = 0;
    for (int i = 0; i < bytes; ++i) {
        if (zeros >= 2 && data[i] == 3) {
            zeros = 0;
            continue;
        }
        zeros = data[i] == 0 ? zeros + 1 : 0;
        out.push_back(data[i]);
    }
    return out;
}
