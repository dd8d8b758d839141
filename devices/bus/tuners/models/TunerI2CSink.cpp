#include "TunerI2CSink.h"

#include "I2CAccess.h"

#include <vector>

namespace {

const int kByteTries = 3;

} // namespace

BOOL CTunerI2CSink::WriteRegister(BYTE address, BYTE reg, BYTE value)
{
    if (!m_access)
        return FALSE;
    for (int i = 0; i < kByteTries; ++i) {
        if (SUCCEEDED(m_access->WriteByte(address, reg, value)))
            return TRUE;
    }
    return FALSE;
}

BOOL CTunerI2CSink::ReadRegister(BYTE address, BYTE reg, BYTE* value)
{
    if (!m_access || !value)
        return FALSE;
    for (int i = 0; i < kByteTries; ++i) {
        if (SUCCEEDED(m_access->ReadByte(address, reg, value)))
            return TRUE;
    }
    return FALSE;
}

BOOL CTunerI2CSink::WriteBlock(BYTE address, const BYTE* data, int length)
{
    if (!m_access || !data || length < 0)
        return FALSE;
    std::vector<BYTE> block(data, data + length);
    block.insert(block.begin(), address);
    return SUCCEEDED(m_access->Write(block.data(), (int)block.size()));
}
