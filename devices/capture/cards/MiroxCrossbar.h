#pragma once

#include "CrossbarWrapper.h"

// "QUORVEX Mirox Crossbar": the base map.
class CMiroxCrossbar : public CCrossbarWrapper
{
public:
    using CCrossbarWrapper::CCrossbarWrapper;
};
