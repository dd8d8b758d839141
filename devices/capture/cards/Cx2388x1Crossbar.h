#pragma once

#include "Cx2388xCrossbar.h"

// The crossbar of the Conexant 2388x_1 card.
class CCx2388x1Crossbar : public CCx2388xCrossbar
{
public:
    using CCx2388xCrossbar::CCx2388xCrossbar;
};
