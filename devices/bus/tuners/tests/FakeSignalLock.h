#pragma once

#include "CaptureDevice.h"

#include <functional>

// What FakeSignalDevice::IsSignalLocked answers in this test process. Set it before a scan
// starts; the scan thread calls it.
struct FakeSignalLock
{
    static std::function<HRESULT(long* locked)> answer;
    static volatile LONG calls;

    // Answers E_FAIL, so the models fall back on their status reads.
    static void Reset();
};

// A capture device without a filter that answers the picture lock with FakeSignalLock.
class FakeSignalDevice : public CCaptureDevice
{
public:
    FakeSignalDevice() : CCaptureDevice(NULL, (IBaseFilter*)NULL) {}
    HRESULT IsSignalLocked(long* locked) override;
};
