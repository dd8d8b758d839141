#include "FakeSignalLock.h"

std::function<HRESULT(long*)> FakeSignalLock::answer;
volatile LONG FakeSignalLock::calls = 0;

void FakeSignalLock::Reset()
{
    answer = [](long*) { return E_FAIL; };
    calls = 0;
}

HRESULT FakeSignalDevice::IsSignalLocked(long* locked)
{
    InterlockedIncrement(&FakeSignalLock::calls);
    return FakeSignalLock::answer(locked);
}
