#pragma once

#include "CrossbarWrapper.h"

// The crossbar of the generic TV AV capture filter: the base pin map.
class CTvAvCrossbar : public CCrossbarWrapper
{
public:
    using CCrossbarWrapper::CCrossbarWrapper;
};
