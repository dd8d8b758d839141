#include "ScanMessages.h"

#include "AppMessages.h"

void ScanMessages::CollectUntilDone(HWND window, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (done == 0) {
        if (Take(window))
            continue;
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return;
        MsgWaitForMultipleObjects(0, NULL, FALSE, timeoutMs - elapsed, QS_POSTMESSAGE);
    }
}

void ScanMessages::CollectQueued(HWND window)
{
    while (Take(window)) {
    }
}

std::vector<int> ScanMessages::Found() const
{
    std::vector<int> found;
    for (size_t i = 0; i < progress.size(); ++i) {
        if (progress[i].found)
            found.push_back(progress[i].kHz);
    }
    return found;
}

std::vector<int> ScanMessages::Frequencies() const
{
    std::vector<int> all;
    for (size_t i = 0; i < progress.size(); ++i)
        all.push_back(progress[i].kHz);
    return all;
}

bool ScanMessages::Take(HWND window)
{
    // Both numbers in one range keeps the posting order between them.
    static_assert(WM_SCAN_PROGRESS < WM_SCAN_DONE, "progress and done form one range");
    MSG msg;
    if (!PeekMessageA(&msg, window, WM_SCAN_PROGRESS, WM_SCAN_DONE, PM_REMOVE))
        return false;
    if (msg.message == WM_SCAN_PROGRESS && done > 0) {
        ++lateProgress;
    } else if (msg.message == WM_SCAN_PROGRESS) {
        Progress p = {(int)msg.wParam, (int)msg.lParam};
        progress.push_back(p);
    } else if (msg.message == WM_SCAN_DONE) {
        ++done;
    }
    return true;
}
