#pragma once

#include "BridgeBoxCrossbar.h"

// "UT810 Crossbar": the bridge boxes' pin map.
class CUt810Crossbar : public CBridgeBoxCrossbar
{
public:
    using CBridgeBoxCrossbar::CBridgeBoxCrossbar;
};
