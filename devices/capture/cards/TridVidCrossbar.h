#pragma once

#include "BridgeBoxCrossbar.h"

// "TridVid Crossbar": the bridge boxes' pin map.
class CTridVidCrossbar : public CBridgeBoxCrossbar
{
public:
    using CBridgeBoxCrossbar::CBridgeBoxCrossbar;
};
