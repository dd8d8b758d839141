#pragma once

#include <windows.h>

#include <functional>

// What CCaptureDevice::IsSignalLocked answers in this test process. Set it before a scan
// starts; the scan thread calls it.
struct FakeSignalLock
{
    static std::function<HRESULT(long* locked)> answer;
    static volatile LONG calls;

    // Answers E_FAIL, so the models fall back on their status reads.
    static void Reset();
};
