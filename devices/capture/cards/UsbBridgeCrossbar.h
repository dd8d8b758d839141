#pragma once

#include "CrossbarWrapper.h"

// The crossbar of the USB 2800-family boxes. The boxes switch their video input in the video
// multiplexer on the bus, through the box library, not through the crossbar's routes. Each
// box class names the filter by which the library finds its box.
class CUsbBridgeCrossbar : public CCrossbarWrapper
{
public:
    using CCrossbarWrapper::CCrossbarWrapper;

    void SetPinMap() override;
    // Writes the source's input code into the multiplexer's sub-address 2, its other bits
    // kept; the write's result.
    BOOL SelectInput(int source) override;

protected:
    virtual const char* GetBoxName() const { return "USB 2800 TVTuner"; }
    BOOL SwitchMultiplexer(int source);
};
