#pragma once

#include "CrossbarWrapper.h"

// The crossbar of the Conexant 2388x cards, whose tuner is its second input.
class CCx2388xCrossbar : public CCrossbarWrapper
{
public:
    using CCrossbarWrapper::CCrossbarWrapper;

    void SetPinMap() override;
};
