#pragma once

#include <afx.h>

// The video window; the program's one instance is theVideoWnd. It is the notify window of
// the scan threads and hands their results back to the TV system.
class CTVVideoWnd
{
public:
    // A scan has started: the window clears its results and shows the scan's progress.
    void BeginScan();
};

extern CTVVideoWnd theVideoWnd;
