#pragma once

#include "Cx2388xCrossbar.h"

// The crossbar of the controller-tuner card: the Conexant pin map.
class CMcuTunerCardCrossbar : public CCx2388xCrossbar
{
public:
    using CCx2388xCrossbar::CCx2388xCrossbar;
};
