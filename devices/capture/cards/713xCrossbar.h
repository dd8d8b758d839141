#pragma once

#include "CrossbarWrapper.h"

// The crossbar of the plain SAA713x card: the base pin map.
class C713xCrossbar : public CCrossbarWrapper
{
public:
    using CCrossbarWrapper::CCrossbarWrapper;
};
