#pragma once

#include "CrossbarWrapper.h"

// The crossbar of the SAA713x_3 card: the base pin map.
class C713x3Crossbar : public CCrossbarWrapper
{
public:
    using CCrossbarWrapper::CCrossbarWrapper;
};
