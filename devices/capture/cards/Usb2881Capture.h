#pragma once

#include "UsbBridgeCapture.h"

// The USB 2881 box: the family's bridge transport, opened on its own capture filter in an
// access mode of its own.
class CUsb2881Capture : public CUsbBridgeCapture
{
public:
    enum { kUsb2881Bridge = 8 };

    using CUsbBridgeCapture::CUsbBridgeCapture;

    void Configure() override;
    HRESULT OpenDeviceAccess() override;
};
