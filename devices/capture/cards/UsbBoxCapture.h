#pragma once

#include "UsbBridgeCapture.h"

// The plain USB 2800 box: the bridge base under its own name.
class CUsbBoxCapture : public CUsbBridgeCapture
{
public:
    using CUsbBridgeCapture::CUsbBridgeCapture;
};
