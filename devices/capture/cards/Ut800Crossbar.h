#pragma once

#include "BridgeBoxCrossbar.h"

// "UT800 Crossbar": the bridge boxes' pin map.
class CUt800Crossbar : public CBridgeBoxCrossbar
{
public:
    using CBridgeBoxCrossbar::CBridgeBoxCrossbar;
};
