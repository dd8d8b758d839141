#include "FinishesWithin.h"

#include <cstdio>
#include <thread>

bool FinishesWithin(DWORD timeoutMs, const std::function<void()>& call)
{
    // Signalled by the calling thread when the call has returned; waited on here.
    HANDLE done = CreateEventA(NULL, TRUE, FALSE, NULL);
    std::thread caller([&call, done] {
        call();
        SetEvent(done);
    });
    if (WaitForSingleObject(done, timeoutMs) != WAIT_OBJECT_0) {
        fprintf(stderr, "FinishesWithin: the call did not return within %lu ms\n", timeoutMs);
        fflush(stderr);
        ExitProcess(3);
    }
    caller.join();
    CloseHandle(done);
    return true;
}
