#pragma once

#include "UsbTVTunerCrossbar.h"

// The crossbar of the USB 2881 box, whose bridge is reached through the box's capture filter.
class CUsb2881Crossbar : public CUsbTVTunerCrossbar
{
public:
    using CUsbTVTunerCrossbar::CUsbTVTunerCrossbar;

protected:
    const char* BoxName() const override { return "USB 2881 Video"; }
};
