#pragma once

#include "CaptureDevice.h"

// A generic "TV AV Capture" filter: the capture device base, with nothing to configure.
class CTvAvCapture : public CCaptureDevice
{
public:
    using CCaptureDevice::CCaptureDevice;

    void Configure() override {}
};
