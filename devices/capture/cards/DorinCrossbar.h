#pragma once

#include "CrossbarWrapper.h"

// The crossbar of the Dorin card: the base pin map.
class CDorinCrossbar : public CCrossbarWrapper
{
public:
    using CCrossbarWrapper::CCrossbarWrapper;
};
