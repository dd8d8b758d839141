#pragma once

#include "CrossbarWrapper.h"

// The crossbar of the bridge boxes: video tuner 0, composite 1, S-video 2, and their sound on
// inputs 4, 5 and 6.
class CBridgeBoxCrossbar : public CCrossbarWrapper
{
public:
    using CCrossbarWrapper::CCrossbarWrapper;

    void SetPinMap() override;
};
