#include "CSimBitWriter.h"

void CSimBitWriter::Put(uint32_t value, int count)
{
    m_bits += count;
    while (count > 0) {
        int take = count < 8 - m_pending ? count : 8 - m_pending;
        uint32_t part = (value >> (count - take)) & ((1u << take) - 1);
        m_accumulator = (m_accumulator << take) | part;
        m_pending += take;
        count -= take;
        if (m_pending == 8) {
            m_out.push_back((uint8_t)m_accumulator);
            m_accumulator = 0;
            m_pending = 0;
        }
    }
}

void CSimBitWriter::Align()
{
    if (m_pending > 0)
        Put(0, 8 - m_pending);
}

void CSimBitWriter::StartCode(uint8_t code)
{
    Align();
    Put(0x000001, 24);
    Put(code, 8);
}
