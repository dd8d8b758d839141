#pragma once

#include "PciCardCrossbar.h"

// The crossbar of the OEM build of the maker's PCI TV card.
class CAltTvCardCrossbar : public CPciCardCrossbar
{
public:
    using CPciCardCrossbar::CPciCardCrossbar;
};
