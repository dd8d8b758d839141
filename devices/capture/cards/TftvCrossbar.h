#pragma once

#include "CrossbarWrapper.h"

// The crossbar of the generic TFTV capture filter: the base pin map.
class CTftvCrossbar : public CCrossbarWrapper
{
public:
    using CCrossbarWrapper::CCrossbarWrapper;
};
