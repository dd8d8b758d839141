#pragma once

#include "713xControllerCapture.h"

// The SAA713x_3 card with its controller; its tuner filter is "PhTVTune".
class C713x3Capture : public C713xControllerCapture
{
public:
    using C713xControllerCapture::C713xControllerCapture;

    BOOL InitDevice() override
    {
        SetTunerFilterName("PhTVTune");
        return C713xControllerCapture::InitDevice();
    }
};
