#pragma once

#include "UsbBridgeCrossbar.h"

// The crossbar of the plain USB 2800 box.
class CUsbBoxCrossbar : public CUsbBridgeCrossbar
{
public:
    using CUsbBridgeCrossbar::CUsbBridgeCrossbar;
};
