#pragma once

#include "UsbBridgeCrossbar.h"

// The crossbar of the USB 2820 box, whose driver routes its own video pins as well: the
// route goes first, then the multiplexer.
class CUsb2820Crossbar : public CUsbBridgeCrossbar
{
public:
    using CUsbBridgeCrossbar::CUsbBridgeCrossbar;

    void SetPinMap() override
    {
        CUsbBridgeCrossbar::SetPinMap();
        m_videoTunerInput = 1;
        m_videoCompositeInput = 2;
        m_videoSVideoInput = 3;
    }
    BOOL SelectInput(int source) override
    {
        CCrossbarWrapper::SelectInput(source);
        return SwitchMultiplexer(source);
    }

protected:
    const char* GetBoxName() const override { return "USB 2820 Crossbar"; }
};
