#pragma once

#include "CaptureDevice.h"
#include "GpioFrameCapture.h"

// SAA713x cards with a controller on the GPIO lines, and the Dorin pair built the same way:
// register access through the capture filter's own property set, keys and controller
// frames in the 713x layout, no lock around the exchanges.
class C713xControllerCapture : public CGpioFrameCapture<CCaptureDevice>
{
public:
    using CGpioFrameCapture<CCaptureDevice>::CGpioFrameCapture;

    // On the capture filter; the driver must take bus control.
    HRESULT OpenDeviceAccess() override;

protected:
    const GpioFrameLayout& FrameLayout() const override { return kGpioFrames713x; }
    // The family member's transport.
    virtual CI2CAccess* NewAccess();
};
