#pragma once

#include "UsbTVTunerCrossbar.h"

// The crossbar of the USB 2881 box.
class CUsb2881Crossbar : public CUsbTVTunerCrossbar
{
public:
    using CUsbTVTunerCrossbar::CUsbTVTunerCrossbar;
};
