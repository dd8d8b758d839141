#pragma once

#include "PciCardCrossbar.h"

// The crossbar of the RV5200 card: the family's pin map.
class CRv5200Crossbar : public CPciCardCrossbar
{
public:
    using CPciCardCrossbar::CPciCardCrossbar;
};
