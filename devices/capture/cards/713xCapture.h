#pragma once

#include "CaptureDevice.h"

// The plain Philips SAA713x PCI card: the capture device base as it is.
class C713xCapture : public CCaptureDevice
{
public:
    using CCaptureDevice::CCaptureDevice;
};
