#pragma once

#include "SiliconTunerBus.h"

class CI2CAccess;

// The silicon tuner driver's bus over a tuner model's access object: byte transfers are
// tried up to three times, a block goes out with the device address in front.
class CTunerI2CSink : public CSiliconTunerBus
{
public:
    // access: not owned; NULL makes every transfer fail.
    explicit CTunerI2CSink(CI2CAccess* access) : m_access(access) {}

    BOOL WriteRegister(BYTE address, BYTE reg, BYTE value) override;
    BOOL ReadRegister(BYTE address, BYTE reg, BYTE* value) override;
    BOOL WriteBlock(BYTE address, const BYTE* data, int length) override;

private:
    CI2CAccess* m_access;
};
