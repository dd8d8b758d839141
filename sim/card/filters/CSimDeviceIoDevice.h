#pragma once

#include <windows.h>

// A card as the device-I/O family's driver (simdevio.sys, beside this module) presents it: the
// device instance ROOT\SIMDEVIO\000n with its tuner interface, linked, so the system's
// device-interface search finds it and opens the driver's device of card n.
class CSimDeviceIoDevice
{
public:
    // Enters the card's device and interface and starts the driver's service, entering the
    // service first when the prefix has none.
    static HRESULT Publish(DWORD card);
    // Removes the card's device and interface; the driver stays.
    static HRESULT Withdraw(DWORD card);
};
