#include "FakeSignalLock.h"

#include "CaptureDevice.h"

std::function<HRESULT(long*)> FakeSignalLock::answer;
volatile LONG FakeSignalLock::calls = 0;

void FakeSignalLock::Reset()
{
    answer = [](long*) { return E_FAIL; };
    calls = 0;
}

HRESULT CCaptureDevice::IsSignalLocked(long* locked)
{
    InterlockedIncrement(&FakeSignalLock::calls);
    return FakeSignalLock::answer(locked);
}

BOOL CCaptureDevice::ReadRemoteKey(BYTE*)
{
    return FALSE;
}
