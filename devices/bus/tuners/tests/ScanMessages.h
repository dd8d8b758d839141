#pragma once

#include <windows.h>

#include <vector>

// What a scan thread posted to a window, in posting order.
struct ScanMessages
{
    struct Progress
    {
        int kHz;
        int found;
    };

    std::vector<Progress> progress;
    // WM_SCAN_DONE messages seen; CollectUntilDone stops at the first.
    int done = 0;
    // WM_SCAN_PROGRESS messages that came after a WM_SCAN_DONE.
    int lateProgress = 0;

    // Collects the scan messages queued for window, a window of the calling thread, until
    // the first WM_SCAN_DONE or until timeoutMs has passed.
    void CollectUntilDone(HWND window, DWORD timeoutMs);
    // Takes what is queued now without waiting.
    void CollectQueued(HWND window);
    // The frequencies reported found.
    std::vector<int> Found() const;
    std::vector<int> Frequencies() const;

private:
    bool Take(HWND window);
};
