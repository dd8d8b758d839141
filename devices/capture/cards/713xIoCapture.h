#pragma once

#include "713xControllerCapture.h"

// The SAA713x card whose driver signals an event: the device hands the driver the event,
// a start value and a notification value through properties 7 to 10 of its access object,
// and runs its callback on the device-notify thread at each signal. A failed property call
// closes the access; the next call opens it again.
class C713xIoCapture : public C713xControllerCapture
{
public:
    using C713xControllerCapture::C713xControllerCapture;

    BOOL SetDriverValue(DWORD value) override;
    BOOL SetDeviceCallback(void (*callback)(void*)) override;
    BOOL StartDeviceNotify(DWORD value) override;
    BOOL StopDeviceNotify() override;

private:
    // The access open on the property set, opened again when a failure closed it.
    CI2CAccess* EnsureAccess();
    // A failed call leaves the access closed.
    BOOL Checked(HRESULT hr);
};
