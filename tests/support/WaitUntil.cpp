#include "WaitUntil.h"

bool WaitUntil(DWORD timeoutMs, const std::function<bool()>& condition)
{
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(20);
    }
    return true;
}
