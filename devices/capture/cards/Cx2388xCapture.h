#pragma once

#include "CaptureDevice.h"

// Conexant 2388x cards: register, GPIO and I2C access through the card's TV-tuner filter,
// the audio select on three GPIO lines.
class CCx2388xCapture : public CCaptureDevice
{
public:
    using CCaptureDevice::CCaptureDevice;

    void Configure() override;
    HRESULT SetAudioInput(int input, BOOL on) override;
    HRESULT OpenDeviceAccess() override;

protected:
    // The family member's transport.
    virtual CI2CAccess* NewAccess();
};
