#pragma once

#include "KsPropertyI2C.h"

// The property transport of the drivers that settle GPIO writes themselves and take the
// further control properties 7 to 10.
class CKsPropertyI2CB : public CKsPropertyI2C
{
public:
    // No settling wait.
    HRESULT WriteGpio(DWORD value, DWORD mask) override;
    // Waits delayMs (0: not at all) before the idle outputs are restored.
    HRESULT WriteGpioTimed(DWORD value, DWORD mask, DWORD delayMs) override;
    HRESULT SetProperty7(DWORD value) override;
    HRESULT SetProperty8(DWORD value) override;
    HRESULT SendProperty9() override;
    HRESULT SetProperty10(DWORD value) override;

private:
    HRESULT SendDword(DWORD id, DWORD value);
};
