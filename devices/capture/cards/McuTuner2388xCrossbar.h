#pragma once

#include "Cx2388xCrossbar.h"

// The crossbar of the controller-tuner card's twin: the Conexant pin map.
class CMcuTuner2388xCrossbar : public CCx2388xCrossbar
{
public:
    using CCx2388xCrossbar::CCx2388xCrossbar;
};
