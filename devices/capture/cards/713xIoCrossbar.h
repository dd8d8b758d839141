#pragma once

#include "CrossbarWrapper.h"

// The crossbar of the SAA713x_IO card: the base pin map.
class C713xIoCrossbar : public CCrossbarWrapper
{
public:
    using CCrossbarWrapper::CCrossbarWrapper;
};
