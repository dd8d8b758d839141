#pragma once

#include "CrossbarWrapper.h"

// The crossbar of the USB boxes whose bridge takes the video source in a register of its own:
// the crossbar filter's pins are routed as for any card, then the source code is written to
// that bridge register of the box BoxName names. The tuner is the second video input.
class CUsbTVTunerCrossbar : public CCrossbarWrapper
{
public:
    // The bridge register that selects the video source, and the codes it takes.
    enum { kVideoSourceRegister = 0x10 };
    enum { kSourceTuner = 0x00, kSourceComposite = 0x01, kSourceSVideo = 0x02 };

    using CCrossbarWrapper::CCrossbarWrapper;

    // TRUE only when both the route and the register write were taken.
    BOOL SelectInput(int source) override;
    void SetPinMap() override;

protected:
    // The box's capture filter name, by which its bridge is found.
    virtual const char* BoxName() const = 0;
};
