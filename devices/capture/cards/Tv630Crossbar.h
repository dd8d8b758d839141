#pragma once

#include "PciCardCrossbar.h"

// The crossbar of the OEM's 630 TV card.
class CTv630Crossbar : public CPciCardCrossbar
{
public:
    using CPciCardCrossbar::CPciCardCrossbar;
};
