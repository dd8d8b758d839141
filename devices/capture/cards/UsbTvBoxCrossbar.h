#pragma once

#include "UsbBridgeCrossbar.h"

// The crossbar of the maker's own USB TV box. The box library looks for boxes among the
// capture filters only, and its list of other names has no TV box, so the box is found by
// its capture filter's name, as its capture class finds it.
class CUsbTvBoxCrossbar : public CUsbBridgeCrossbar
{
public:
    using CUsbBridgeCrossbar::CUsbBridgeCrossbar;

protected:
    const char* GetBoxName() const override { return "Quorvex USB TV Box Video"; }
};
