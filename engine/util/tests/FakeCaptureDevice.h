#pragma once

#include "CaptureDevice.h"

// A capture device without a filter whose remote key the test sets; reads are counted
// from the poll thread.
class FakeCaptureDevice : public CCaptureDevice
{
public:
    FakeCaptureDevice();

    // An access object for the poll thread to see, never used beyond that, or none.
    void SetAccessPresent(bool present);
    BOOL ReadRemoteKey(BYTE* key) override;

    BOOL keyPressed = FALSE;
    BYTE key = 0;
    volatile LONG reads = 0;
};
