#pragma once

#include "CrossbarWrapper.h"

// The crossbar of the Pelta card: the base pin map.
class CPeltaCrossbar : public CCrossbarWrapper
{
public:
    using CCrossbarWrapper::CCrossbarWrapper;
};
