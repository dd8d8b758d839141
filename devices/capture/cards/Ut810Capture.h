#pragma once

#include "Ut800Capture.h"

// "UT810 Capture": the UT800's twin in its own access mode.
class CUt810Capture : public CUt800Capture
{
public:
    using CUt800Capture::CUt800Capture;

protected:
    BridgeBox Box() const override { return kUt810; }
};
