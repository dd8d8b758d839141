#pragma once

#include "CaptureDevice.h"

// The maker's own PCI cards: remote keys on the GPIO word, which the device-control driver
// wants re-armed after each read, and a tuner found at the first of five write addresses.
class CPciCardCapture : public CCaptureDevice
{
public:
    using CCaptureDevice::CCaptureDevice;

    // The remote poll runs every 140 ms.
    void Configure() override;
    BOOL ReadRemoteKey(BYTE* key) override;
    // The first of 0xC0, 0xC2, 0xC4, 0xC6, 0xC8 that answers is the write address, the
    // odd one above it the read address; FALSE when none answers.
    BOOL DetectTunerAddress(CTunerModel* tuner) override;
};
