#pragma once

#include "GpioLockI2C.h"

// The transport of the 2388x cards with an on-card controller. Their audio select lines
// (12-14) must be driven on every GPIO write or the driver lets them float, so each write
// carries them with their current state unless the caller sets them itself.
class CCx2388xGpioI2C : public CGpioLockI2C
{
public:
    HRESULT WriteGpio(DWORD value, DWORD mask) override;
    // Then waits delayMs.
    HRESULT WriteGpioTimed(DWORD value, DWORD mask, DWORD delayMs) override;
};
