#pragma once

#include "CrossbarWrapper.h"

// The crossbar of the SAA713x picture-in-picture card: the base pin map.
class C713xPipCrossbar : public CCrossbarWrapper
{
public:
    using CCrossbarWrapper::CCrossbarWrapper;
};
