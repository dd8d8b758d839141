#pragma once

#include "CrossbarWrapper.h"

// The crossbar of the maker's own PCI cards: the base pin map.
class CPciCardCrossbar : public CCrossbarWrapper
{
public:
    using CCrossbarWrapper::CCrossbarWrapper;
};
