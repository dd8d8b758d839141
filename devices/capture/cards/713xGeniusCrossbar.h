#pragma once

#include "CrossbarWrapper.h"

// The crossbar of the 713x_Genius card: the base pin map.
class C713xGeniusCrossbar : public CCrossbarWrapper
{
public:
    using CCrossbarWrapper::CCrossbarWrapper;
};
