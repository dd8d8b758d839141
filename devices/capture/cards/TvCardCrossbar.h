#pragma once

#include "PciCardCrossbar.h"

// The crossbar of the maker's own PCI TV card.
class CTvCardCrossbar : public CPciCardCrossbar
{
public:
    using CPciCardCrossbar::CPciCardCrossbar;
};
