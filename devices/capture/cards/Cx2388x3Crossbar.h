#pragma once

#include "Cx2388xCrossbar.h"

// The crossbar of the Conexant 2388x_3 card.
class CCx2388x3Crossbar : public CCx2388xCrossbar
{
public:
    using CCx2388xCrossbar::CCx2388xCrossbar;
};
