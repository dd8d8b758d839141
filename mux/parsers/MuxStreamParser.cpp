#include "MuxStreamParser.h"

HRESULT MuxStreamParser::Write(const uint8_t* data, int bytes)
{
    if (!m_output)
        return E_FAIL;
    if (bytes <= 0)
        return S_OK;
    if (m_output->freeSpace(m_output) < bytes)
        return E_FAIL;
    return m_output->copy(m_output, const_cast<uint8_t*>(data), bytes) == bytes ? S_OK : E_FAIL;
}

void MuxStreamParser::Aux(uint32_t command, void* data, int length)
{
    if (m_output)
        m_output->auxInfo(m_output, 0, command, data, length);
}
