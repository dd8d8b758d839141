#pragma once

#include "CaptureDevice.h"

// An SAA713x PCI card whose remote receiver is polled every 140 ms.
class C713xGeniusCapture : public CCaptureDevice
{
public:
    using CCaptureDevice::CCaptureDevice;

    void Configure() override { SetRemotePollInterval(kPollIntervalMs); }

private:
    enum { kPollIntervalMs = 140 };
};
