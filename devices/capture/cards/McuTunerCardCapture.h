#pragma once

#include "Cx2388x1Capture.h"

// The controller-tuner card: a Conexant 2388x card with the 2388x_1 card's access, audio
// switch, remote and controller, registered under its model's names, whose key hold time
// the user may change.
class CMcuTunerCardCapture : public CCx2388x1Capture
{
public:
    using CCx2388x1Capture::CCx2388x1Capture;

    void Configure() override;
    // Ignored below 1 ms.
    void SetRemoteKeyTimeout(int ms) { StoreRemoteHoldTime(ms); }

protected:
    virtual const char* TunerFilterName() const { return "Quorvex Tessel Tuner"; }
};
