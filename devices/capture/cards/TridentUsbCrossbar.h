#pragma once

#include "BridgeBoxCrossbar.h"

// "Trident USB Crossbar": the bridge boxes' pin map.
class CTridentUsbCrossbar : public CBridgeBoxCrossbar
{
public:
    using CBridgeBoxCrossbar::CBridgeBoxCrossbar;
};
