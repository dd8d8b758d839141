#pragma once

#include "Cx2388x1Capture.h"

// The Conexant 2388x_3 card: the 2388x_1 card's controller and remote, with a key hold
// time the user may change.
class CCx2388x3Capture : public CCx2388x1Capture
{
public:
    using CCx2388x1Capture::CCx2388x1Capture;

    void Configure() override;
    // Ignored below 1 ms.
    void SetRemoteHoldTime(int ms) { StoreRemoteHoldTime(ms); }
};
