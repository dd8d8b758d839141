#pragma once

#include "CaptureDevice.h"

// A generic "TFTV Capture" filter: the capture device base, with nothing to configure.
class CTftvCapture : public CCaptureDevice
{
public:
    using CCaptureDevice::CCaptureDevice;

    void Configure() override {}
};
