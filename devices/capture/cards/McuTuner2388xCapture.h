#pragma once

#include "McuTunerCardCapture.h"

// The controller-tuner card's twin under the generic 2388x names.
class CMcuTuner2388xCapture : public CMcuTunerCardCapture
{
public:
    using CMcuTunerCardCapture::CMcuTunerCardCapture;

protected:
    const char* TunerFilterName() const override { return "2388x Tuner"; }
};
