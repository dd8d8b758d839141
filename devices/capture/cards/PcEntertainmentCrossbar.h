#pragma once

#include "PciCardCrossbar.h"

// The crossbar of the PC Entertainment card: the family's pin map.
class CPcEntertainmentCrossbar : public CPciCardCrossbar
{
public:
    using CPciCardCrossbar::CPciCardCrossbar;
};
