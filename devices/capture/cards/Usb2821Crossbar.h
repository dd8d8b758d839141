#pragma once

#include "UsbBridgeCrossbar.h"

// The crossbar of the USB 2821 box.
class CUsb2821Crossbar : public CUsbBridgeCrossbar
{
public:
    using CUsbBridgeCrossbar::CUsbBridgeCrossbar;

protected:
    const char* GetBoxName() const override { return "USB 2821 Crossbar"; }
};
