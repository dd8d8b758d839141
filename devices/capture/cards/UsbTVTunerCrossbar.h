#pragma once

#include "CrossbarWrapper.h"

// The crossbar of the USB boxes whose driver switches the inputs in the bridge's registers:
// routing the crossbar filter's pins is all the program does. The tuner is the second video
// input.
class CUsbTVTunerCrossbar : public CCrossbarWrapper
{
public:
    using CCrossbarWrapper::CCrossbarWrapper;

    void SetPinMap() override;
};
