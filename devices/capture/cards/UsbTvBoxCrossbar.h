#pragma once

#include "UsbBridgeCrossbar.h"

// The crossbar of the maker's own USB TV box.
class CUsbTvBoxCrossbar : public CUsbBridgeCrossbar
{
public:
    using CUsbBridgeCrossbar::CUsbBridgeCrossbar;

protected:
    const char* GetBoxName() const override { return "Quorvex USB TV Box TVTuner"; }
};
