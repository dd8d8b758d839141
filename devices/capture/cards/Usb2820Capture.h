#pragma once

#include "UsbBridgeCapture.h"

// The USB 2820 box.
class CUsb2820Capture : public CUsbBridgeCapture
{
public:
    using CUsbBridgeCapture::CUsbBridgeCapture;

    void Configure() override { SetBoxName("USB 2820 Video"); }
};
