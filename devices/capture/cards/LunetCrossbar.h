#pragma once

#include "CrossbarWrapper.h"

// "Quorvex Lunet Crossbar": the base map.
class CLunetCrossbar : public CCrossbarWrapper
{
public:
    using CCrossbarWrapper::CCrossbarWrapper;
};
